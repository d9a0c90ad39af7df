// Infrared: the devices can be listed, but nothing on this system carries a file over IrDA, so
// the ringtone is saved instead.
#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/InfraredFinder.h"
#include "text/Translation.h"

namespace {

class Infrared : public DeliveryMethod {
public:
    const char* Label() const override { return Tr("Infrared"); }
    // Nothing to send with: the command-line tool offers no option.
    const char* CliOption() const override { return ""; }
    const char* CliValue() const override { return ""; }
    std::unique_ptr<DeviceFinder> Finder() const override {
        return std::make_unique<InfraredFinder>();
    }
    const char* EmptySearchText() const override { return DescribeEmptySearch(false); }
    const char* UnavailableText() const override { return Tr(delivery_text::infraredUnavailable); }
    const char* IphoneRefusal() const override { return Tr(delivery_text::infraredUnavailable); }

    DeliveryOutcome Deliver(const std::string&, const DeliveryTarget&, const DeliveryProgressFn&,
                            const DeliveryCancelFn&) const override {
        return {DeliveryError::NoInfraredPort, "", ""};
    }
    std::string DoneText(const std::string&, const DeliveryOutcome&, PhonePlatform) const override {
        return std::string();
    }
};

} // namespace

const DeliveryMethod& InfraredMethod() {
    static const Infrared method;
    return method;
}
