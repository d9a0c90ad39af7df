#include "wav/WavError.h"

const char* DescribeWavError(WavError error) {
    switch (error) {
    case WavError::None:
        return "no error";
    case WavError::NoFile:
        return "no such file";
    case WavError::CantOpen:
        return "the file can't be opened for reading";
    case WavError::NotRiffWave:
        return "not a RIFF/WAVE file";
    case WavError::NoFormatChunk:
        return "no complete \"fmt \" chunk before the \"data\" chunk";
    case WavError::NotPcm:
        return "the samples are not PCM";
    case WavError::NoChannels:
        return "the header gives zero channels";
    case WavError::NoSampleRate:
        return "the header gives a sample rate of zero";
    case WavError::Not16Bit:
        return "the samples are not 16 bits wide";
    case WavError::FormatTooLarge:
        return "channel count times sample rate is too large";
    case WavError::NoDataChunk:
        return "no \"data\" chunk within the first 64 KiB";
    case WavError::DataLargerThanFile:
        return "the \"data\" chunk claims more bytes than the whole file holds";
    case WavError::TooLong:
        return "the sample data reaches 2 GiB, more than the editor can address";
    case WavError::ReadFailed:
        return "reading the sample data failed";
    }
    return "unknown error";
}
