#include "import/ImportError.h"

#include "text/Translation.h"

const char* DescribeImportError(ImportError error) {
    switch (error) {
    case ImportError::None:
        return Tr("The media was imported");
    case ImportError::NoSource:
        return Tr("The chosen file does not exist");
    case ImportError::NoConsole:
        return Tr("There is no console to run the converter on");
    case ImportError::NoConverter:
        return Tr("There is no converter at temp/ffmpeg");
    case ImportError::ConverterNotStarted:
        return Tr("The converter at temp/ffmpeg could not be started");
    case ImportError::NoStagingFile:
        return Tr("No file for the converted sound could be made in the temp folder");
    case ImportError::ConverterFailed:
        return Tr("The converter could not convert the chosen file");
    case ImportError::UnusableResult:
        return Tr("The converter did not produce a usable 16-bit PCM WAV file");
    case ImportError::NotReplaced:
        return Tr("The converted sound could not take the place of temp/current.wav");
    case ImportError::NotLoaded:
        return Tr("The converted sound could not be loaded");
    case ImportError::Cancelled:
        return Tr("The import was cancelled");
    case ImportError::ConverterKilled:
        return Tr("The converter was stopped before it had finished");
    case ImportError::NoTempFolder:
        return Tr("There is no temp folder in the working folder");
    case ImportError::TempNotWritable:
        return Tr("Nothing can be written into the temp folder");
    case ImportError::ConverterNotExecutable:
        return Tr("The converter at temp/ffmpeg is not executable");
    case ImportError::SourceUnreadable:
        return Tr("The chosen file can't be read");
    case ImportError::TooShort:
        return Tr("The chosen file lasts less than one second, too short for a ringtone");
    case ImportError::NoSound:
        return Tr("The chosen file has no sound");
    }
    return Tr("The import failed");
}
