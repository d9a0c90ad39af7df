// The device that Convert and Send pushes to: the Bluetooth finder's entry behind the item
// selected in the device list, as its address.
#include "ui/twUserInterface.h"

#include "MainWindow.h"
#include "delivery/BluetoothFinder.h"
#include "platform/fake/ScriptedInquiry.h"

#include <gtest/gtest.h>
#include <wx/choice.h>

namespace {

TEST(SelectedDevice, IsTheAddressOfTheFindersEntryBehindTheSelectedItem) {
    const twtest::MainWindow window;
    twUserInterface* ui = window.ui;
    EXPECT_EQ(ui->SelectedDeviceAddress(), "");

    ui->bluetoothFinder = std::make_unique<BluetoothFinder>(std::make_unique<ScriptedInquiry>());
    ASSERT_NE(ui->bluetoothFinder->devices, nullptr);
    BluetoothDeviceTable& table = *ui->bluetoothFinder->devices;
    table.entries[0] = {"Phone A", 0x00000A1B2C3D4E5Full};
    table.entries[1] = {"Phone B", 0x0000001122334455ull};
    table.count = 2;
    ui->deviceChoice->Append("Phone A");
    ui->deviceChoice->Append("Phone B");
    const struct {
        int selection;
        const char* address;
    } cases[] = {{wxNOT_FOUND, ""}, {0, "0A:1B:2C:3D:4E:5F"}, {1, "00:11:22:33:44:55"}};
    for (const auto& c : cases) {
        ui->deviceChoice->SetSelection(c.selection);
        EXPECT_EQ(ui->SelectedDeviceAddress(), c.address) << c.selection;
    }
    // A list longer than the last search's table (a stale entry) names no device.
    table.count = 1;
    EXPECT_EQ(ui->SelectedDeviceAddress(), "");
    ui->bluetoothFinder.reset();
    EXPECT_EQ(ui->SelectedDeviceAddress(), "");
}

} // namespace
