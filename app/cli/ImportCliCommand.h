// "tonewick-cli import SOURCE": imports a media file into the working file of the current
// directory exactly as the window's import button does (the same converter at temp/ffmpeg on
// a console of its own, the same staging and failure rules), then loads the new working
// file's waveform. Prints each progress value on its own line as the converter's progress
// arrives, and ends with the working file's duration in whole seconds; on failure prints why,
// with the converter's last lines, and leaves temp/current.wav as it was.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args excludes the program and the subcommand name. Returns the process exit status:
// 0 on success, 1 when the import failed, 2 on a usage error.
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
