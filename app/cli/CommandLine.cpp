#include "app/cli/CommandLine.h"

bool CommandLine::Walk(const std::vector<std::string>& args, std::string& positional,
                       std::ostream& err) const {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (isFlag(arg)) {
            if (!take(arg, "")) {
                return false;
            }
            continue;
        }
        if (!takesValue(arg)) {
            if (!positional.empty() || arg.empty() || arg[0] == '-') {
                err << prefix << "unexpected argument '" << arg << "'\n" << usage;
                return false;
            }
            positional = arg;
            continue;
        }
        if (i + 1 == args.size()) {
            err << prefix << arg << " needs a value\n" << usage;
            return false;
        }
        if (!take(arg, args[++i])) {
            return false;
        }
    }
    return true;
}
