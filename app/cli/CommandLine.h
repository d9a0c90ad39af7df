// Walks a subcommand's arguments: one positional argument (the input), flags, and options that
// take the next argument as their value. The subcommand says which is which and takes each
// value; the walk reports what is malformed in the tool's usual words.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct CommandLine {
    // "tonewick-cli NAME: ", in front of every message.
    std::string prefix;
    std::string usage;
    std::function<bool(const std::string& arg)> isFlag = [](const std::string&) { return false; };
    std::function<bool(const std::string& arg)> takesValue;
    // Takes a flag (value empty) or an option's value; false after printing what was wrong.
    std::function<bool(const std::string& arg, const std::string& value)> take;

    // Fills positional; false after printing what was wrong (the usage for a stray argument or
    // a missing value).
    bool Walk(const std::vector<std::string>& args, std::string& positional,
              std::ostream& err) const;
};
