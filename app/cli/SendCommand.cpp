#include "app/cli/SendCommand.h"

#include "app/cli/UsbSendCommand.h"
#include "delivery/DeliveryPlan.h"
#include "delivery/ObexPush.h"

#include <filesystem>

namespace {

constexpr const char* kUsage =
    "usage: tonewick-cli send FILE --to AA:BB:CC:DD:EE:FF\n       tonewick-cli send FILE --usb "
    "[NAME] [--replace]\n";

} // namespace

int RunSendCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (IsUsbSend(args)) {
        return RunUsbSend(args, out, err);
    }
    std::string file;
    std::string address;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--to" && i + 1 < args.size() && address.empty()) {
            address = args[++i];
        } else if (file.empty() && !args[i].empty() && args[i][0] != '-') {
            file = args[i];
        } else {
            err << "tonewick-cli send: unexpected argument '" << args[i] << "'\n" << kUsage;
            return 2;
        }
    }
    if (file.empty() || address.empty()) {
        err << kUsage;
        return 2;
    }
    if (!ObexPush::IsBluetoothAddress(address)) {
        err << "tonewick-cli send: '" << address
            << "' is no Bluetooth address (six pairs of hex digits with colons)\n";
        return 2;
    }
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(file, error);
    if (error || !std::filesystem::is_regular_file(path, error)) {
        err << "tonewick-cli send: " << file << ": no such file\n";
        return 1;
    }
    if (const std::string refusal = PushRefusal(file); !refusal.empty()) {
        err << "tonewick-cli send: " << refusal << "\n";
        return 1;
    }
    ObexPush push;
    push.Start(address, path.string());
    uint64_t shown = 0;
    while (!push.Finished()) {
        ObexPush::Iterate(true);
        const ObexPush::Progress& now = push.Current();
        if (now.stage == ObexPush::Stage::Sending && now.transferred != shown) {
            shown = now.transferred;
            out << shown << " of " << now.size << " bytes\n" << std::flush;
        }
    }
    if (push.Current().error != DeliveryError::None) {
        err << "tonewick-cli send: " << DescribeDeliveryError(push.Current().error) << "\n";
        return 1;
    }
    out << path.filename().string() << ": sent to " << address << "\n";
    return 0;
}
