// Bluetooth: an OBEX push to the device found in step 3 (ObexPush), waiting on the main loop
// for obexd's answers. A cancel that obexd leaves unanswered ends after the target's grace.
#include "delivery/BluetoothFinder.h"
#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/ObexPush.h"
#include "platform/MainLoop.h"
#include "text/Translation.h"

namespace {

class Bluetooth : public DeliveryMethod {
public:
    const char* Label() const override { return "Bluetooth"; }
    const char* CliOption() const override { return "--to"; }
    const char* CliValue() const override { return "AA:BB:CC:DD:EE:FF"; }
    std::unique_ptr<DeviceFinder> Finder() const override {
        return std::make_unique<BluetoothFinder>();
    }
    const char* EmptySearchText() const override { return DescribeEmptySearch(true); }
    bool NeedsDevice() const override { return true; }
    std::string RefuseCliValue(const std::string& value) const override {
        return ObexPush::IsBluetoothAddress(value)
                   ? std::string()
                   : FillIn(Tr("'%s' is no Bluetooth address (six pairs of hex digits with "
                               "colons)"),
                            {value});
    }
    const char* IphoneRefusal() const override { return Tr(delivery_text::iphoneNoBluetooth); }

    DeliveryOutcome Deliver(const std::string& file, const DeliveryTarget& target,
                            const DeliveryProgressFn& progress,
                            const DeliveryCancelFn& cancel) const override {
        ObexPush push;
        push.Start(target.address, file);
        bool cancelled = false;
        std::unique_ptr<MainLoopTimer> grace;
        while (!push.Finished() && !(grace && grace->Fired())) {
            const ObexPush::Progress& now = push.Current();
            DeliveryReport report;
            report.text = now.stage == ObexPush::Stage::Sending ? Tr("Sending to the phone.")
                                                                : Tr("Connecting to the phone...");
            report.done = now.transferred;
            report.size = now.size;
            progress(report);
            if (!cancelled && cancel()) {
                cancelled = true;
                push.Cancel();
                grace = std::make_unique<MainLoopTimer>(
                    static_cast<uint32_t>(target.cancelGraceMilliseconds));
            }
            // obexd's signals wake the wait; the tick keeps a dialog's elapsed time going.
            const MainLoopTimer tick(1000);
            RunMainLoopOnce(true);
        }
        // Whatever obexd says after a cancel, the user has stopped the push: never "was sent".
        if (cancelled) {
            return {DeliveryError::Cancelled, "", ""};
        }
        return {push.Current().error, push.Current().detail,
                FillIn(Tr("sent to %s"), {target.address})};
    }

    std::string DoneText(const std::string& fileName, const DeliveryOutcome&,
                         PhonePlatform phone) const override {
        return delivery_text::SentText(fileName, phone);
    }
};

} // namespace

const DeliveryMethod& BluetoothMethod() {
    static const Bluetooth method;
    return method;
}
