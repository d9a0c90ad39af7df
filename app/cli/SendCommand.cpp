#include "app/cli/SendCommand.h"

#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/DeliveryPlan.h"
#include "delivery/RingtoneFormat.h"
#include "platform/QrCode.h"
#include "text/Translation.h"

#include <charconv>
#include <filesystem>

namespace {

constexpr const char* kPrefix = "tonewick-cli send: ";
constexpr int32_t kMaxMinutes = 60;

// Each method the command line offers, as "--usb [NAME] [--replace]".
std::vector<std::string> MethodUsages() {
    std::vector<std::string> usages;
    for (const DeliveryMethod* method : DeliveryMethods()) {
        if (method->CliOption()[0] != '\0') {
            usages.push_back(std::string(method->CliOption()) +
                             (method->CliValue()[0] != '\0' ? " " : "") + method->CliValue());
        }
    }
    return usages;
}

std::string Usage() {
    std::string usage;
    for (const std::string& method : MethodUsages()) {
        usage += (usage.empty() ? "usage: " : "       ") + std::string("tonewick-cli send FILE ") +
                 method + "\n";
    }
    return usage;
}

struct SendRequest {
    std::string file;
    const DeliveryMethod* method = nullptr;
    DeliveryTarget target;
};

// Whether the method's usage names this option of its own with a value ("--minutes").
bool OwnOption(const DeliveryMethod& method, const std::string& arg) {
    return std::string(method.CliValue()).find("[" + arg + " ") != std::string::npos;
}

// Whether the method's usage names this option of its own without a value ("--replace").
bool OwnFlag(const DeliveryMethod& method, const std::string& arg) {
    return arg.starts_with("--") &&
           std::string(method.CliValue()).find("[" + arg + "]") != std::string::npos;
}

// False (after printing why) for a malformed command line.
bool Parse(const std::vector<std::string>& args, SendRequest& r, std::ostream& err) {
    for (const std::string& arg : args) {
        if (r.method == nullptr) {
            r.method = FindDeliveryMethodByOption(arg);
        }
    }
    if (r.method == nullptr) {
        err << Usage();
        return false;
    }
    const std::string value = r.method->CliValue();
    const bool optionalValue = value.starts_with("[") && !value.starts_with("[--");
    const bool needsValue = !value.empty() && !value.starts_with("[");
    bool methodSeen = false;
    bool valueTaken = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasNext = i + 1 < args.size();
        if (arg == r.method->CliOption() && !methodSeen) {
            methodSeen = true;
            if (needsValue && hasNext) {
                r.target.address = args[++i];
                valueTaken = true;
            }
        } else if (OwnFlag(*r.method, arg) && !r.target.replace) {
            r.target.replace = true;
        } else if (OwnOption(*r.method, arg) && hasNext) {
            const std::string& given = args[++i];
            if (arg == "--address") {
                r.target.address = given;
                continue;
            }
            int32_t minutes = 0;
            const auto [end, error] =
                std::from_chars(given.data(), given.data() + given.size(), minutes);
            if (error != std::errc() || end != given.data() + given.size() || minutes < 1 ||
                minutes > kMaxMinutes) {
                err << kPrefix
                    << FillIn(Tr("%1$s takes whole minutes from 1 to %2$s, not '%3$s'"),
                              {arg, std::to_string(kMaxMinutes), given})
                    << "\n";
                return false;
            }
            r.target.minutes = minutes;
        } else if (!arg.empty() && arg[0] != '-' && r.file.empty()) {
            r.file = arg;
        } else if (!arg.empty() && arg[0] != '-' && optionalValue && methodSeen && !valueTaken) {
            r.target.address = arg;
            valueTaken = true;
        } else {
            err << kPrefix << FillIn(Tr("unexpected argument '%s'"), {arg}) << "\n" << Usage();
            return false;
        }
    }
    if (r.file.empty() || (needsValue && !valueTaken)) {
        err << Usage();
        return false;
    }
    if (const std::string refusal = r.method->RefuseCliValue(r.target.address); !refusal.empty()) {
        err << kPrefix << refusal << "\n";
        return false;
    }
    return true;
}

// Prints what the method reports: the address and its code once, each new paragraph, and the
// bytes about every tenth of the way.
class Printer {
public:
    explicit Printer(std::ostream& stream) : out(stream) {}

    void Take(const DeliveryReport& report) {
        if (!report.url.empty() && url.empty()) {
            url = report.url;
            out << delivery_text::WifiScanText() << "\n\n"
                << url << "\n\n"
                << QrCodeForTerminal(EncodeQrCode(url)) << "\n";
        }
        if (report.text != text) {
            text = report.text;
            out << text << "\n";
        }
        if (report.size > 0 && report.done != shown &&
            (report.done == report.size || report.done >= shown + report.size / 10)) {
            shown = report.done;
            out << FillIn(TrPlural("%1$s of %2$s byte", "%1$s of %2$s bytes",
                                   static_cast<unsigned long>(report.size)),
                          {std::to_string(shown), std::to_string(report.size)})
                << "\n";
        }
        out.flush();
        delivered = report.delivered;
    }
    bool delivered = false;

private:
    std::ostream& out;
    std::string url;
    std::string text;
    uint64_t shown = 0;
};

} // namespace

std::string SendUsage() {
    std::string usage = "send FILE";
    for (const std::string& method : MethodUsages()) {
        usage += (usage == "send FILE" ? " " : " | ") + method;
    }
    return usage;
}

int RunSendCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SendRequest r;
    if (!Parse(args, r, err)) {
        return 2;
    }
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(r.file, error);
    if (error || !std::filesystem::is_regular_file(path, error)) {
        err << kPrefix << r.file << ": " << Tr("no such file") << "\n";
        return 1;
    }
    // A phone judges a file by its extension; an iPhone that downloads it takes an .m4r too.
    const std::string refusal = !r.method->OffersCode() || FindFormatOfFile(r.file) == nullptr
                                    ? PushRefusal(r.file)
                                    : std::string();
    if (!refusal.empty()) {
        err << kPrefix << refusal << "\n";
        return 1;
    }
    Printer printer(out);
    const DeliveryOutcome outcome = r.method->Deliver(
        path.string(), r.target, [&](const DeliveryReport& report) { printer.Take(report); },
        [&] { return printer.delivered; });
    if (outcome.error != DeliveryError::None) {
        err << kPrefix << DescribeFailure(outcome) << "\n";
        if (outcome.error == DeliveryError::AlreadyThere) {
            err << kPrefix << Tr("add --replace to replace it") << "\n";
        }
        return 1;
    }
    out << path.filename().string() << ": " << outcome.summary << "\n";
    out.flush();
    return out ? 0 : 1;
}
