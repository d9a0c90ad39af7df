// Why an import did not replace the working file. One code per reason, and one function that
// turns a code into the sentence a person reads (the window's message, the command-line tool).
#pragma once

enum class ImportError {
    None,
    NoSource,
    NoConsole,
    NoConverter,
    ConverterNotStarted,
    NoStagingFile,
    ConverterFailed,
    UnusableResult,
    NotReplaced,
    NotLoaded,
    Cancelled,
    ConverterKilled,
    NoTempFolder,
    TempNotWritable,
    ConverterNotExecutable,
    SourceUnreadable,
    TooShort,
    NoSound,
};

// A short English sentence without a trailing full stop; never null.
const char* DescribeImportError(ImportError error);
