// The edit that the render and make subcommands take on their command lines (--cut START:END,
// --silence, --fade-in, --fade-out, all whole ruler seconds): reading one option, checking the
// values against the loaded file, and placing the markers through the editor's own handlers.
#pragma once

#include "editor/BareEditor.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

struct RingtoneEdit {
    int32_t cutStart = 0;
    int32_t cutEnd = 0;
    int32_t silence = 0;
    int32_t fadeIn = 0;
    int32_t fadeOut = 0;
    bool haveCut = false;

    // Whole seconds: digits only, at most a day's worth.
    static std::optional<int32_t> Seconds(const std::string& text);
    // Whether arg is one of the edit's options.
    static bool IsOption(const std::string& arg);
    // Takes one option's value; false after printing what was wrong (prefix names the tool).
    bool Take(const std::string& arg, const std::string& value, const std::string& prefix,
              std::ostream& err);
    // The values against each other and against the file's whole seconds; false after saying
    // why.
    bool Check(int32_t duration, const std::string& prefix, std::ostream& err) const;
    // Sets the markers (the rulers placed first) and checks that the editor kept them.
    bool Place(BareEditor& bare, const std::string& prefix, std::ostream& err) const;
};
