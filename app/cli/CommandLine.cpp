#include "app/cli/CommandLine.h"

#include "text/Translation.h"

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
                err << prefix << FillIn(Tr("unexpected argument '%s'"), {arg}) << "\n" << usage;
                return false;
            }
            positional = arg;
            continue;
        }
        if (i + 1 == args.size()) {
            err << prefix << FillIn(Tr("%s needs a value"), {arg}) << "\n" << usage;
            return false;
        }
        if (!take(arg, args[++i])) {
            return false;
        }
    }
    return true;
}
