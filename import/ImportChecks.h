// What an import checks before it starts the converter, so that a folder or file the
// converter could not use is named plainly instead of showing up as the converter's failure.
// Paths are relative to the working directory, as UTF-8 bytes.
#pragma once

#include "import/ImportError.h"

#include <string>

// In this order: the source is a file (NoSource) that can be opened for reading
// (SourceUnreadable); the working file's folder exists (NoTempFolder) and a file can be made in
// it (TempNotWritable); the converter exists (NoConverter) and may be run
// (ConverterNotExecutable). None when all hold. Leaves nothing behind. For SourceUnreadable
// and TempNotWritable, *systemError (when given) holds the system's error number.
ImportError CheckBeforeConverting(const std::string& sourcePath, const std::string& converterPath,
                                  const std::string& workingPath, int* systemError = nullptr);
