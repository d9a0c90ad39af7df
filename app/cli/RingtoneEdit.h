// The edit that the render and make subcommands take on their command lines (--cut START:END,
// --silence, --fade-in, --fade-out, all whole ruler seconds): reading one option, checking the
// values against the loaded file, and placing the markers through the editor's own handlers.
// --cut auto[:N] asks for the catchiest N seconds (30 by default) of the working file instead.
#pragma once

#include "editor/BareEditor.h"
#include "editor/ChorusFinder.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct RingtoneEdit {
    int32_t cutStart = 0;
    int32_t cutEnd = 0;
    int32_t silence = 0;
    int32_t fadeIn = 0;
    int32_t fadeOut = 0;
    bool haveCut = false;
    // --cut auto[:N]: the cut is chosen by ChooseAutoCut, N seconds long with the silence.
    bool autoCut = false;
    int32_t autoSeconds = kAutoSeconds;

    static constexpr int32_t kAutoSeconds = 30;

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

    // For --cut auto: sets the cut to the catchiest part of the working file at path; true
    // at once without it. False after saying why.
    bool ChooseAutoCut(const std::string& path, const std::string& prefix, std::ostream& err);
    // The catchiest ranges of `seconds` seconds in the working file at path, best first; false
    // after saying why (an unreadable file, or one too short for any range).
    static bool FindCatchiest(const std::string& path, int32_t seconds,
                              std::vector<RulerRange>& ranges, const std::string& prefix,
                              std::ostream& err);
};
