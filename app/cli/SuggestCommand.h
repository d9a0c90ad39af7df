// tonewick-cli suggest WORKING.wav [--seconds N]: the catchiest part of the working file as
// ranges of ruler seconds, "START:END", the best first and the alternatives after it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

int RunSuggestCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
