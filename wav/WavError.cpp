#include "wav/WavError.h"

#include "text/Translation.h"

const char* DescribeWavError(WavError error) {
    switch (error) {
    case WavError::None:
        return Tr("no error");
    case WavError::NoFile:
        return Tr("no such file");
    case WavError::CantOpen:
        return Tr("the file can't be opened for reading");
    case WavError::NotRiffWave:
        return Tr("not a RIFF/WAVE file");
    case WavError::NoFormatChunk:
        return Tr("no complete \"fmt \" chunk before the \"data\" chunk");
    case WavError::NotPcm:
        return Tr("the samples are not PCM");
    case WavError::NoChannels:
        return Tr("the header gives zero channels");
    case WavError::NoSampleRate:
        return Tr("the header gives a sample rate of zero");
    case WavError::Not16Bit:
        return Tr("the samples are not 16 bits wide");
    case WavError::FormatTooLarge:
        return Tr("channel count times sample rate is too large");
    case WavError::NoDataChunk:
        return Tr("no \"data\" chunk within the first 64 KiB");
    case WavError::DataLargerThanFile:
        return Tr("the \"data\" chunk claims more bytes than the whole file holds");
    case WavError::TooLong:
        return Tr("the sample data reaches 2 GiB, more than the editor can address");
    case WavError::ReadFailed:
        return Tr("reading the sample data failed");
    }
    return Tr("unknown error");
}
