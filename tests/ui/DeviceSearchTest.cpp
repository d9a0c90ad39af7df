// Step 3 of the send panel under Xvfb: the send method, the finders the window holds, the
// "Lookup devices" dialog and the device list. Bluetooth goes to BlueZ mocked on a private
// system bus; infrared to the kernel, which has no IrDA sockets any more.
#include "ui/twUserInterface.h"

#include "BluetoothMockBuses.h"
#include "DeliveryTexts.h"
#include "EventPump.h"
#include "FakeDeliveryMethod.h"
#include "delivery/BluetoothFinder.h"
#include "delivery/InfraredFinder.h"
#include "ui/twLookupDialog.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/choice.h>
#include <wx/eventfilter.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using twtest::DBusMock;

// Records every showing and hiding of a progress dialog, with its title. The toolkit reports
// a hide at once but a show only once the window is mapped, so a dialog counts as shown when
// any event of it arrives while it is shown.
class DialogWatcher : public wxEventFilter {
public:
    DialogWatcher() { wxEvtHandler::AddFilter(this); }
    ~DialogWatcher() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override {
        auto* dialog = dynamic_cast<wxProgressDialog*>(event.GetEventObject());
        if (dialog == nullptr) {
            return Event_Skip;
        }
        const std::string title = dialog->GetTitle().ToStdString();
        const bool hiding =
            event.GetEventType() == wxEVT_SHOW && !static_cast<wxShowEvent&>(event).IsShown();
        if (hiding) {
            seen.push_back("hidden " + title);
        } else if (dialog->IsShown() && (seen.empty() || seen.back() != "shown " + title)) {
            seen.push_back("shown " + title);
        }
        return Event_Skip;
    }
    std::vector<std::string> seen;
};

// The phones in range: from a thread of its own, since the window's search blocks the test's
// thread, it waits until the adapter discovers, adds the devices and ends the discovery.
class Radio {
public:
    Radio(DBusMock& mock, std::vector<std::pair<std::string, std::string>> devices)
        : thread([&mock, devices] {
              twtest::WaitUntilDiscovering(mock);
              for (const auto& [address, name] : devices) {
                  mock.Call("/org/bluez", "org.bluez.Mock", "AddDevice",
                            "('hci0', '" + address + "', '" + name + "')");
              }
              twtest::EndDiscovery(mock);
          }) {}
    ~Radio() { thread.join(); }

private:
    std::thread thread;
};

class DeviceSearch : public ::testing::Test {
protected:
    void SetUp() override {
        ui = new twUserInterface;
        ui->tell = [this](const wxString& text) { told.push_back(text.utf8_string()); };
        ui->Show();
        twtest::PumpEvents(100);
    }
    void TearDown() override {
        ui->Destroy();
        twtest::PumpEvents(20);
    }
    bool StartBlueZ(twtest::Adapter adapter = twtest::Adapter::On) {
        return twtest::StartBlueZ(mock, adapter);
    }
    void ChooseMethod(const wxString& method) {
        ui->sendMethodChoice->SetStringSelection(method);
        wxCommandEvent event(wxEVT_CHOICE, ui->sendMethodChoice->GetId());
        event.SetEventObject(ui->sendMethodChoice);
        ui->sendMethodChoice->GetEventHandler()->ProcessEvent(event);
    }
    void PressRefresh() {
        wxCommandEvent event(wxEVT_BUTTON, ui->refreshDevicesButton->GetId());
        event.SetEventObject(ui->refreshDevicesButton);
        ui->refreshDevicesButton->GetEventHandler()->ProcessEvent(event);
    }
    std::vector<std::string> Devices() const {
        std::vector<std::string> items;
        for (unsigned int i = 0; i < ui->deviceChoice->GetCount(); ++i) {
            items.push_back(ui->deviceChoice->GetString(i).utf8_string());
        }
        return items;
    }

    DBusMock mock;
    twUserInterface* ui = nullptr;
    std::vector<std::string> told;
    const std::vector<std::string> shownAndClosed = {"shown Lookup devices",
                                                     "hidden Lookup devices"};
};

TEST_F(DeviceSearch, RefreshWithoutAMethodShowsAndClosesTheDialogAndLeavesTheListAlone) {
    ui->deviceChoice->Append("Earlier");
    DialogWatcher watcher;
    PressRefresh();
    EXPECT_EQ(watcher.seen, shownAndClosed);
    EXPECT_EQ(Devices(), std::vector<std::string>{"Earlier"});
    EXPECT_EQ(ui->bluetoothFinder, nullptr);
    EXPECT_EQ(ui->infraredFinder, nullptr);
}

TEST_F(DeviceSearch, BluetoothListsTheNamesFoundWithNoneSelected) {
    ASSERT_TRUE(StartBlueZ()) << mock.Error();
    DialogWatcher watcher;
    {
        Radio radio(mock, {{"00:11:22:33:44:55", "Phone A"}, {"00:11:22:33:44:56", "K\u00e4the"}});
        ChooseMethod("Bluetooth");
    }
    EXPECT_EQ(Devices(), (std::vector<std::string>{"Phone A", "K\u00e4the"}));
    EXPECT_EQ(ui->deviceChoice->GetSelection(), wxNOT_FOUND);
    EXPECT_NE(ui->bluetoothFinder, nullptr);
    EXPECT_EQ(ui->infraredFinder, nullptr);
    EXPECT_EQ(watcher.seen, shownAndClosed);
}

TEST_F(DeviceSearch, BluetoothChosenAgainKeepsItsFinderAndReplacesTheList) {
    ASSERT_TRUE(StartBlueZ()) << mock.Error();
    {
        Radio radio(mock, {{"00:00:00:00:00:01", "One"}, {"00:00:00:00:00:02", "Two"}});
        ChooseMethod("Bluetooth");
    }
    const BluetoothFinder* finder = ui->bluetoothFinder.get();
    {
        Radio radio(mock, {{"00:00:00:00:00:03", "Three"}});
        ChooseMethod("Bluetooth");
    }
    EXPECT_EQ(ui->bluetoothFinder.get(), finder);
    EXPECT_EQ(Devices(), std::vector<std::string>{"Three"});
    {
        Radio radio(mock, {{"00:00:00:00:00:04", "Four"}});
        PressRefresh();
    }
    EXPECT_EQ(ui->bluetoothFinder.get(), finder);
    EXPECT_EQ(Devices(), std::vector<std::string>{"Four"});
}

TEST_F(DeviceSearch, SwitchingMethodsReplacesTheFinderAndTheList) {
    ASSERT_TRUE(StartBlueZ()) << mock.Error();
    {
        Radio radio(mock, {{"00:00:00:00:00:01", "Phone"}});
        ChooseMethod("Bluetooth");
    }
    ASSERT_EQ(Devices(), std::vector<std::string>{"Phone"});
    DialogWatcher watcher;
    ChooseMethod("Infrared");
    EXPECT_EQ(ui->bluetoothFinder, nullptr);
    EXPECT_NE(ui->infraredFinder, nullptr);
    EXPECT_EQ(Devices(), std::vector<std::string>{"None"});
    EXPECT_EQ(watcher.seen, shownAndClosed);

    mock.Stop();
    mock.ExportMissingBus(DBusMock::Bus::System);
    ui->deviceChoice->Append("Stale");
    ChooseMethod("Bluetooth");
    EXPECT_EQ(ui->infraredFinder, nullptr);
    EXPECT_NE(ui->bluetoothFinder, nullptr);
    EXPECT_EQ(Devices(), std::vector<std::string>{"None"});
}

// Instead of an empty list, one selected item "None" that fits the list; why the search could
// not run, or what to do after one that found nothing, is said and is the list's tip. An
// adapter that is off is offered to be switched on instead.
TEST_F(DeviceSearch, ASearchThatCouldNotRunOrFoundNothingSaysWhy) {
    const struct {
        const char* what;
        twtest::Adapter adapter;
        bool answer;
        int questions;
        std::string item;
    } cases[] = {
        {"no adapter", twtest::Adapter::None, false, 0,
         "This computer has no Bluetooth adapter. Plug one in, or turn on the computer's "
         "built-in Bluetooth."},
        {"adapter off, left off", twtest::Adapter::Off, false, 1,
         "This computer's Bluetooth adapter is switched off. Switch it on in the Bluetooth "
         "settings."},
        {"adapter off, switched on", twtest::Adapter::Off, true, 1, twtest::said::nothingFound},
    };
    for (const auto& c : cases) {
        // A finder keeps its connection to the bus it was made on.
        ui->bluetoothFinder.reset();
        ASSERT_TRUE(StartBlueZ(c.adapter)) << mock.Error();
        int questions = 0;
        ui->confirm = [&](const wxString&) { return ++questions, c.answer; };
        told.clear();
        {
            // Only a search that runs needs a radio to end it.
            std::optional<Radio> radio;
            if (c.item == twtest::said::nothingFound) {
                radio.emplace(mock, std::vector<std::pair<std::string, std::string>>{});
            }
            ChooseMethod("Bluetooth");
        }
        EXPECT_EQ(questions, c.questions) << c.what;
        // An adapter left off has just been the question.
        EXPECT_EQ(told, std::vector<std::string>(c.questions == 1 && !c.answer ? 0 : 1, c.item));
        EXPECT_EQ(Devices(), std::vector<std::string>{"None"}) << c.what;
        EXPECT_EQ(ui->deviceChoice->GetSelection(), 0) << c.what;
        ui->deviceChoice->InvalidateBestSize();
        EXPECT_LE(ui->deviceChoice->GetBestSize().x, ui->deviceChoice->GetSize().x) << c.what;
        // The list is narrow: its tip carries the whole reason.
        EXPECT_TRUE(ui->deviceChoice->GetToolTipText().utf8_string().starts_with(c.item + "\n"))
            << c.what;
        EXPECT_EQ(ui->SelectedDeviceAddress(), "") << c.what;
        mock.Stop();
    }
}

// Finds the label the toolkit shows the elapsed time in: the one after its caption.
wxStaticText* ElapsedLabel(wxWindow* dialog) {
    const wxWindowList& children = dialog->GetChildren();
    for (auto child = children.begin(); child != children.end(); ++child) {
        auto* caption = dynamic_cast<wxStaticText*>(*child);
        if (caption != nullptr && caption->GetLabel() == "Elapsed time:" &&
            std::next(child) != children.end()) {
            return dynamic_cast<wxStaticText*>(*std::next(child));
        }
    }
    return nullptr;
}

TEST_F(DeviceSearch, TheDialogKeepsCountingTheTimeWhileNothingIsFound) {
    twLookupDialog dialog(ui);
    EXPECT_EQ(dialog.GetTitle(), "Lookup devices");
    EXPECT_EQ(dialog.GetMessage(), "Searching for devices. Please wait...");
    dialog.Update(0, wxEmptyString, nullptr);
    dialog.Show();
    wxStaticText* elapsed = ElapsedLabel(&dialog);
    ASSERT_NE(elapsed, nullptr);
    twLookupDialog::Waiting(&dialog);
    const wxString before = elapsed->GetLabel();
    wxMilliSleep(1100);
    twLookupDialog::Waiting(&dialog);
    EXPECT_NE(elapsed->GetLabel(), before);
    EXPECT_TRUE(elapsed->GetLabel().StartsWith("0:00:0")) << elapsed->GetLabel();
    EXPECT_EQ(dialog.GetValue(), 0);
    twLookupDialog::Progress(3, &dialog);
    EXPECT_EQ(dialog.GetValue(), 3);
    twLookupDialog::Waiting(&dialog);
    EXPECT_EQ(dialog.GetValue(), 3);
    twLookupDialog::Progress(150, &dialog);
    EXPECT_EQ(dialog.GetValue(), 100);
    dialog.Hide();
}

// Step 3's items and finders are the registry's: a method registered before the window is
// offered after the others, and its finder fills the device list.
class RegisteredMethod : public DeviceSearch {
protected:
    const twtest::FakeDeliveryMethod pigeon;
};

TEST_F(RegisteredMethod, IsOfferedInStepThreeWithItsDevices) {
    std::vector<std::string> items;
    for (unsigned int i = 0; i < ui->sendMethodChoice->GetCount(); ++i) {
        items.push_back(ui->sendMethodChoice->GetString(i).utf8_string());
    }
    EXPECT_EQ(items, (std::vector<std::string>{"Bluetooth", "Infrared", "USB cable",
                                               "Wi-Fi (scan a code)", "Carrier pigeon"}));
    ChooseMethod("Carrier pigeon");
    EXPECT_EQ(Devices(), std::vector<std::string>{"Home loft"});
    EXPECT_EQ(ui->SelectedDeviceAddress(), "");
    ui->deviceChoice->SetSelection(0);
    EXPECT_EQ(ui->SelectedDeviceAddress(), "loft-1");
}

} // namespace
