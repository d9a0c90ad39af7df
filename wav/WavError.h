// Why a working file was refused or could not be read. One code per reason, and one function
// that turns a code into the text a person reads (the command-line tool prints it).
#pragma once

enum class WavError {
    None,
    NoFile,
    CantOpen,
    NotRiffWave,
    NoFormatChunk,
    NotPcm,
    NoChannels,
    NoSampleRate,
    Not16Bit,
    FormatTooLarge,
    NoDataChunk,
    DataLargerThanFile,
    TooLong,
    ReadFailed,
};

// A short English sentence without a trailing full stop; never null.
const char* DescribeWavError(WavError error);
