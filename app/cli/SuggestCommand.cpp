#include "app/cli/SuggestCommand.h"

#include "app/cli/CommandLine.h"
#include "app/cli/RingtoneEdit.h"
#include "editor/ChorusFinder.h"
#include "text/Translation.h"

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;
constexpr const char* kPrefix = "tonewick-cli suggest: ";
constexpr const char* kUsage = "usage: tonewick-cli suggest WORKING.wav [--seconds N]\n";

} // namespace

int RunSuggestCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path;
    int32_t seconds = RingtoneEdit::kAutoSeconds;
    CommandLine line;
    line.prefix = kPrefix;
    line.usage = kUsage;
    line.takesValue = [](const std::string& arg) { return arg == "--seconds"; };
    line.take = [&](const std::string&, const std::string& value) {
        const std::optional<int32_t> n = RingtoneEdit::Seconds(value);
        if (!n || *n < 1) {
            err << kPrefix
                << FillIn(Tr("--seconds takes a whole number of seconds from 1, not '%s'"), {value})
                << "\n";
            return false;
        }
        seconds = *n;
        return true;
    };
    if (!line.Walk(args, path, err)) {
        return kExitUsage;
    }
    if (path.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    std::vector<RulerRange> ranges;
    if (!RingtoneEdit::FindCatchiest(path, seconds, ranges, kPrefix, err)) {
        return kExitRefused;
    }
    for (const RulerRange& range : ranges) {
        out << range.start << ":" << range.end << "\n";
    }
    out.flush();
    return out ? 0 : kExitRefused;
}
