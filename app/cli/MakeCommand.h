// "tonewick-cli make SOURCE --cut S:E [--silence N] [--fade-in N] [--fade-out N] [--volume P]
// [--echo] [--reverb] [--chorus] [--loudness LUFS] --format NAME -o OUT" (as MakeUsage gives
// it, with the format table's NAMEs): the whole way from a media file to a ringtone file without
// the window, through the same code as the window: the import's job converts the source into a
// staging file in temp/ (temp/current.wav is not touched), the editor's handlers place the
// markers, the ringtone is rendered as the preview plays it (volume in percent as on the
// ruler, the ticked effects, phone loudness brought to the given integrated loudness) and
// converted, then saved to OUT whole or not at all. An .m4r keeps the first 40 seconds of a
// longer ringtone, with the fade-out moved to the new end, and says so. The title tag is the
// source's own title when it has one.
// Runs in a working folder with temp/ffmpeg, as the import subcommand does.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// The subcommand's usage after "tonewick-cli ": "make SOURCE --cut ... -o OUT".
std::string MakeUsage();

// Exit status 0 on success, 1 when the source, the values or the conversion fail, 2 on a
// usage error.
int RunMakeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
