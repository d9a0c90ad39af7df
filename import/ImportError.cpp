#include "import/ImportError.h"

const char* DescribeImportError(ImportError error) {
    switch (error) {
    case ImportError::None:
        return "The media was imported";
    case ImportError::NoSource:
        return "The chosen file does not exist";
    case ImportError::NoConsole:
        return "There is no console to run the converter on";
    case ImportError::NoConverter:
        return "There is no converter at temp/ffmpeg";
    case ImportError::ConverterNotStarted:
        return "The converter at temp/ffmpeg could not be started";
    case ImportError::NoStagingFile:
        return "No file for the converted sound could be made in the temp folder";
    case ImportError::ConverterFailed:
        return "The converter could not convert the chosen file";
    case ImportError::UnusableResult:
        return "The converter did not produce a usable 16-bit PCM WAV file";
    case ImportError::NotReplaced:
        return "The converted sound could not take the place of temp/current.wav";
    case ImportError::NotLoaded:
        return "The converted sound could not be loaded";
    case ImportError::Cancelled:
        return "The import was cancelled";
    case ImportError::ConverterKilled:
        return "The converter was stopped before it had finished";
    case ImportError::NoTempFolder:
        return "There is no temp folder in the working folder";
    case ImportError::TempNotWritable:
        return "Nothing can be written into the temp folder";
    case ImportError::ConverterNotExecutable:
        return "The converter at temp/ffmpeg is not executable";
    case ImportError::SourceUnreadable:
        return "The chosen file can't be read";
    case ImportError::TooShort:
        return "The chosen file lasts less than one second, too short for a ringtone";
    case ImportError::NoSound:
        return "The chosen file has no sound";
    }
    return "The import failed";
}
