// The record of what went wrong, with its detail, so that a user's report can carry it: every
// failed save, import, push, load and conversion writes one line here as it happens (the
// window's message or the command-line tool's output says it once more, to the user). The
// command-line tool keeps the default, standard error; the window writes to a file
// (FailureLogPath) that is kept under a size cap: when the next line would pass it, the file
// becomes "NAME.1", replacing the one before, and a fresh one starts.
//
// Free functions over one process-wide sink; any thread (a lock keeps lines whole). Never
// fails the caller: a log that can't be written loses the line.
#pragma once

#include <cstdint>
#include <string>

// Past this size the log file is rotated.
inline constexpr uintmax_t kFailureLogCapBytes = 512 * 1024;

// One line: the time, what failed (context, e.g. "save /music/Song.mp3") and the reason as the
// user reads it, its line breaks folded into " | ".
void LogFailure(const std::string& context, const std::string& reason);

// From now on lines go to the file at path, its folder made with the first line.
void LogFailuresToFile(const std::string& path);
// From now on lines go to standard error (the default).
void LogFailuresToStderr();

// $XDG_STATE_HOME/tonewick/tonewick.log, else ~/.local/state/tonewick/tonewick.log.
std::string FailureLogPath();

// The system's own message for an error number, lower-case first ("no space left on device").
std::string SystemMessage(int systemError);
// A system's or library's message as it follows a colon in a sentence: lower-case first.
std::string LowerFirst(std::string text);
