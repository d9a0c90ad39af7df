#include "app/cli/UsbSendCommand.h"

#include "delivery/DeliveryPlan.h"
#include "delivery/UsbCopy.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr const char* kPrefix = "tonewick-cli send: ";
constexpr const char* kUsage = "usage: tonewick-cli send FILE --usb [NAME] [--replace]\n";

} // namespace

bool IsUsbSend(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "--usb") != args.end();
}

int RunUsbSend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file;
    std::string name;
    bool usb = false;
    bool replace = false;
    for (const std::string& arg : args) {
        if (arg == "--usb" && !usb) {
            usb = true;
        } else if (arg == "--replace" && !replace) {
            replace = true;
        } else if (!arg.empty() && arg[0] != '-' && (file.empty() || (usb && name.empty()))) {
            (file.empty() ? file : name) = arg;
        } else {
            err << kPrefix << "unexpected argument '" << arg << "'\n" << kUsage;
            return 2;
        }
    }
    if (file.empty()) {
        err << kUsage;
        return 2;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        err << kPrefix << file << ": no such file\n";
        return 1;
    }
    const std::string refusal = PushRefusal(file);
    if (!refusal.empty()) {
        err << kPrefix << refusal << "\n";
        return 1;
    }
    const std::unique_ptr<MountedPhones> phones = CreateMountedPhones();
    const UsbCopy copy = CopyToPhone(*phones, file, name, replace);
    if (copy.error != UsbError::None) {
        err << kPrefix << DescribeUsbCopy(copy) << "\n";
        return 1;
    }
    out << "copied to " << copy.place << "\n";
    return out ? 0 : 1;
}
