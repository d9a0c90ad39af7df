// "tonewick-cli waveform FILE.wav": prints what the editor would read from a working file,
// its media fields and one line per whole second with the upper and lower bar heights, through
// the same reader and scan as the waveform graph. For people and scripts inspecting a working
// file, and for the waveform benchmark.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args excludes the program and the subcommand name. Returns the process exit status:
// 0 on success, 1 when the file is refused or unreadable, 2 on a usage error.
int RunWaveformCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
