// "tonewick-cli render WORKING.wav --cut START:END [--silence SECONDS] [--fade-in SECONDS]
// [--fade-out SECONDS] -o OUT.wav": renders a ringtone as the editor's preview does, without
// the window. The working file is loaded as the editor loads it, the markers are placed
// through the editor's own handlers (silence inserted at the cut start, fade-in from the end
// of the silence, fade-out ending at the cut end; all in whole ruler seconds), and the span
// from the cut start to the cut end is rendered block by block through RenderEdited into a
// canonical 16-bit WAV with the working file's rate and channels.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args excludes the program and the subcommand name. Returns the process exit status: 0 on
// success, 1 when the file is refused or unreadable, the values don't fit it or the output
// can't be written, 2 on a usage error.
int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
