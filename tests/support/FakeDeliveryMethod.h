// A send method of the tests' own, in the registry for the object's life: the window's step 3,
// its device list and the command-line tool's `send` must offer it without knowing it. Its
// finder lists one loft; its Deliver notes what it was given. Link tw_delivery to use it.
#pragma once

#include "delivery/DeliveryMethod.h"

#include <string>
#include <vector>

namespace twtest {

class FakeDeliveryMethod : public DeliveryMethod {
public:
    FakeDeliveryMethod() { RegisterDeliveryMethod(*this); }
    ~FakeDeliveryMethod() override { UnregisterDeliveryMethod(*this); }
    FakeDeliveryMethod(const FakeDeliveryMethod&) = delete;
    FakeDeliveryMethod& operator=(const FakeDeliveryMethod&) = delete;

    const char* Label() const override { return "Carrier pigeon"; }
    const char* CliOption() const override { return "--pigeon"; }
    const char* CliValue() const override { return "LOFT"; }
    std::unique_ptr<DeviceFinder> Finder() const override { return std::make_unique<Loft>(); }
    const char* IphoneRefusal() const override { return nullptr; }
    DeliveryOutcome Deliver(const std::string& file, const DeliveryTarget& target,
                            const DeliveryProgressFn& progress,
                            const DeliveryCancelFn&) const override {
        delivered.push_back(file + " to " + target.address);
        progress({"Flying.", 0, 0, "", false});
        return {DeliveryError::None, "", "carried to " + target.address};
    }
    std::string DoneText(const std::string& fileName, const DeliveryOutcome&,
                         PhonePlatform) const override {
        return fileName + " was carried.";
    }

    mutable std::vector<std::string> delivered;

private:
    class Loft : public DeviceFinder {
    public:
        DeviceSearchResult Search(ProgressCallback, void*, InquiryWaitCallback) override {
            return {DeliveryError::None, {{"Home loft", "loft-1"}}};
        }
        bool SwitchOn() override { return false; }
    };
};

} // namespace twtest
