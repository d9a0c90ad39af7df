// Step 3 of the send panel, handlers of twUserInterface: the send method decides which device
// finder the controller holds, and every choice of it, like the refresh button, searches anew.
#include "ui/twUserInterface.h"

#include "delivery/BluetoothFinder.h"
#include "delivery/InfraredFinder.h"
#include "phones/TextConversion.h"
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
    // Without a cancel button the dialog refuses Close, so hiding is how it closes.
    twLookupDialog dialog(this);
    dialog.Update(0, wxEmptyString, nullptr);
    if (sendMethodChoice->GetStringSelection() == "Bluetooth") {
        dialog.Show();
        const BluetoothDeviceTable* table =
            bluetoothFinder ? bluetoothFinder->Lookup(twLookupDialog::Progress, &dialog,
                                                      twLookupDialog::Waiting)
                            : nullptr;
        deviceChoice->Clear();
        for (int32_t i = 0; table != nullptr && i < table->count; ++i) {
            deviceChoice->Append(wxString::FromUTF8(table->entries[static_cast<size_t>(i)].name));
        }
        deviceChoice->SetSelection(wxNOT_FOUND);
        dialog.Hide();
    }
    if (sendMethodChoice->GetStringSelection() == "Infrared") {
        dialog.Show();
        const uint8_t* list =
            infraredFinder
                ? infraredFinder->Lookup(twLookupDialog::Progress, &dialog, twLookupDialog::Waiting)
                : nullptr;
        deviceChoice->Clear();
        for (uint32_t i = 0; list != nullptr && i < InfraredDeviceCount(list); ++i) {
            deviceChoice->Append(wxString(WidenText(InfraredDeviceName(list, i))));
        }
        deviceChoice->SetSelection(wxNOT_FOUND);
        dialog.Hide();
    }
    selectionTips.Renew(deviceChoice);
    dialog.Hide();
}
