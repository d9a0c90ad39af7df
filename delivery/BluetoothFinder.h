// Searches for the Bluetooth devices in range and keeps the name and address of each one that
// reports a name. Owned by the window's controller while "Bluetooth" is the send method (and by
// `tonewick-cli devices`); the search itself goes through a BluetoothInquiry.
//
// A search lasts about ten seconds and blocks its caller: the progress callback gets the number
// of devices found so far, and the wait callback is called at least every 100 ms meanwhile so
// that a window can keep its dialog painted. For every named device the search writes a few
// diagnostic lines (name, class of device) to `output`, standard output by default. Before
// searching it checks the computer's side (bus, BlueZ, adapter, switched on); a search that
// cannot run writes nothing and leaves the reason in `failure`. All calls from one thread.
#pragma once

#include "delivery/BluetoothDeviceTable.h"
#include "delivery/DeviceFinder.h"
#include "platform/BluetoothInquiry.h"
#include "platform/ProgressCallback.h"

#include <cstdint>
#include <cstdio>
#include <memory>

class BluetoothFinder : public DeviceFinder {
public:
    // Over the system's inquiry (BlueZ), connected now.
    BluetoothFinder();
    // Over the given inquiry (a fake in the tests).
    explicit BluetoothFinder(std::unique_ptr<BluetoothInquiry> inquiry);

    std::unique_ptr<BluetoothInquiry> inquiry;
    // Made at creation when the inquiry could reach its service; absent otherwise, and then
    // every search finds nothing.
    std::unique_ptr<BluetoothDeviceTable> devices;
    int32_t deviceCount = 0; // devices stored by the current or last search
    // Why the last search could not run; None when it ran.
    DeliveryError failure = DeliveryError::None;

    // How long a search goes on asking for more devices. Checked only between results: one
    // wait may end a little later.
    uint32_t searchMilliseconds = 10000;
    std::FILE* output = stdout;
    // Milliseconds from any fixed point, wrapping at 2^32 (the tests drive their own clock).
    uint32_t (*tickCount)() = SteadyTickCount;

    // Runs one search. Returns the table with `count` set when at least one named device was
    // found, null otherwise. `progress` and `waiting` may be null.
    BluetoothDeviceTable* Lookup(ProgressCallback progress, void* user,
                                 InquiryWaitCallback waiting = nullptr);

    DeviceSearchResult Search(ProgressCallback progress, void* user,
                              InquiryWaitCallback waiting) override;
    bool SwitchOn() override;

    static uint32_t SteadyTickCount();

private:
    void Store(const BluetoothInquiryResult& result, ProgressCallback progress, void* user);
};
