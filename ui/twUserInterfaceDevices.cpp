// Step 3 of the send panel, handlers of twUserInterface: the send method decides which device
// finder the controller holds, and every choice of it, like the refresh button, searches anew.
#include "ui/twUserInterface.h"

#include "delivery/BluetoothFinder.h"
#include "delivery/DeviceAddressText.h"
#include "delivery/InfraredFinder.h"
#include "phones/TextConversion.h"
#include "ui/FocusReturn.h"
#include "ui/twLookupDialog.h"

#include <wx/choice.h>

void twUserInterface::OnSendMethodSelected(wxCommandEvent& event) {
    if (sendMethodChoice->GetStringSelection() == "Bluetooth") {
        infraredFinder.reset();
        if (!bluetoothFinder) {
            bluetoothFinder = std::make_unique<BluetoothFinder>();
        }
    }
    if (sendMethodChoice->GetStringSelection() == "Infrared") {
        bluetoothFinder.reset();
        if (!infraredFinder) {
            infraredFinder = std::make_unique<InfraredFinder>();
        }
    }
    OnRefreshDevices(event);
    event.Skip();
}

void twUserInterface::OnRefreshDevices(wxCommandEvent&) {
    // A device found is chosen next.
    const FocusReturn back(*this, deviceChoice);
    // Without a cancel button the dialog refuses Close, so hiding is how it closes.
    twLookupDialog dialog(this);
    dialog.Update(0, wxEmptyString, nullptr);
    const wxString method = sendMethodChoice->GetStringSelection();
    DeviceFinder* finder = method == "Bluetooth" ? static_cast<DeviceFinder*>(bluetoothFinder.get())
                           : method == "Infrared" ? infraredFinder.get()
                                                  : nullptr;
    if (finder != nullptr) {
        dialog.Show();
        DeviceSearchResult result =
            finder->Search(twLookupDialog::Progress, &dialog, twLookupDialog::Waiting);
        dialog.Hide();
        if (result.failure == DeliveryError::BluetoothOff &&
            confirm(wxString(DescribeDeliveryError(result.failure)) +
                    wxS("\n\nSwitch Bluetooth on and search again?")) &&
            finder->SwitchOn()) {
            dialog.Show();
            result = finder->Search(twLookupDialog::Progress, &dialog, twLookupDialog::Waiting);
            dialog.Hide();
        }
        ListDevices(result, method == "Bluetooth");
    }
    selectionTips.Renew(deviceChoice);
    dialog.Hide();
}

void twUserInterface::ListDevices(DeviceSearchResult result, bool bluetooth) {
    deviceChoice->Clear();
    // Infrared names are 8-bit text, a byte a character; Bluetooth names are UTF-8.
    for (FoundDevice& device : result.devices) {
        if (!bluetooth) {
            device.name = wxString(WidenText(device.name)).utf8_string();
        }
    }
    for (const std::string& label : DeviceListLabels(result.devices)) {
        deviceChoice->Append(wxString::FromUTF8(label));
    }
    deviceChoice->SetSelection(wxNOT_FOUND);
    // A list left empty would say "nothing is there" when the truth may be "Bluetooth can't
    // run here": the one item says which, selected so that it shows, and names no device.
    deviceListNote = result.devices.empty();
    if (deviceListNote) {
        deviceChoice->Append(result.failure != DeliveryError::None
                                 ? DescribeDeliveryError(result.failure)
                                 : DescribeEmptySearch(bluetooth));
        deviceChoice->SetSelection(0);
    }
}
