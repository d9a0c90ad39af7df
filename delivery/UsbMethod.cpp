// "USB cable": the phones GVfs has mounted in file-transfer mode are the devices; delivering
// copies the file whole into the chosen phone's Ringtones folder (UsbCopy), or fails leaving
// nothing there.
#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/UsbCopy.h"
#include "text/Translation.h"

namespace {

// Lists the mounted phones by the names people know; a phone's label is its address too,
// which the copy matches whole.
class MountedPhoneFinder : public DeviceFinder {
public:
    DeviceSearchResult Search(ProgressCallback, void*, InquiryWaitCallback) override {
        DeviceSearchResult result;
        for (const std::string& label : PhoneLabels(CreateMountedPhones()->List())) {
            result.devices.push_back({label, label});
        }
        return result;
    }
    bool SwitchOn() override { return false; }
};

class Usb : public DeliveryMethod {
public:
    const char* Label() const override { return Tr("USB cable"); }
    const char* CliOption() const override { return "--usb"; }
    const char* CliValue() const override { return "[NAME] [--replace]"; }
    std::unique_ptr<DeviceFinder> Finder() const override {
        return std::make_unique<MountedPhoneFinder>();
    }
    const char* EmptySearchText() const override { return Tr(delivery_text::noUsbPhone); }
    bool SelectsFirstDevice() const override { return true; }
    const char* IphoneRefusal() const override { return Tr(delivery_text::iphoneNoCable); }

    DeliveryOutcome Deliver(const std::string& file, const DeliveryTarget& target,
                            const DeliveryProgressFn& progress,
                            const DeliveryCancelFn&) const override {
        progress({Tr("Copying onto the phone..."), 0, 0, "", false});
        const std::unique_ptr<MountedPhones> phones = CreateMountedPhones();
        const UsbCopy copy = CopyToPhone(*phones, file, target.address, target.replace);
        if (copy.error == UsbError::Exists) {
            return {DeliveryError::AlreadyThere, copy.place, ""};
        }
        if (copy.error != UsbError::None) {
            return {DeliveryError::UsbCopyFailed, DescribeUsbCopy(copy), ""};
        }
        return {DeliveryError::None, copy.place, FillIn(Tr("copied to %s"), {copy.place})};
    }

    std::string DoneText(const std::string& fileName, const DeliveryOutcome& outcome,
                         PhonePlatform) const override {
        return delivery_text::CopiedText(fileName, outcome.detail);
    }
};

} // namespace

const DeliveryMethod& UsbMethod() {
    static const Usb method;
    return method;
}
