// Step 3 of the send panel, handlers of twUserInterface: the send method (from the registry)
// decides which device finder the controller holds, and every choice of it, like the refresh
// button, searches anew.
#include "ui/twUserInterface.h"

#include "delivery/BluetoothFinder.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/DeviceAddressText.h"
#include "delivery/InfraredFinder.h"
#include "phones/TextConversion.h"
#include "ui/FocusReturn.h"
#include "ui/twLookupDialog.h"

#include <wx/choice.h>

void twUserInterface::OnSendMethodSelected(wxCommandEvent& event) {
    const DeliveryMethod* method =
        FindDeliveryMethod(sendMethodChoice->GetStringSelection().utf8_string());
    // The method already in force keeps its finder; another one's goes before the new is made.
    if (method != nullptr && (method != finderMethod || HeldFinder() == nullptr)) {
        bluetoothFinder.reset();
        infraredFinder.reset();
        methodFinder.reset();
        std::unique_ptr<DeviceFinder> finder = method->Finder();
        if (auto* bluetooth = dynamic_cast<BluetoothFinder*>(finder.get())) {
            finder.release();
            bluetoothFinder.reset(bluetooth);
        } else if (auto* infrared = dynamic_cast<InfraredFinder*>(finder.get())) {
            finder.release();
            infraredFinder.reset(infrared);
        } else {
            methodFinder = std::move(finder);
        }
        finderMethod = method;
    }
    OnRefreshDevices(event);
    event.Skip();
}

DeviceFinder* twUserInterface::HeldFinder() const {
    return bluetoothFinder  ? static_cast<DeviceFinder*>(bluetoothFinder.get())
           : infraredFinder ? static_cast<DeviceFinder*>(infraredFinder.get())
                            : methodFinder.get();
}

void twUserInterface::OnRefreshDevices(wxCommandEvent&) {
    // A device found is chosen next.
    const FocusReturn back(*this, deviceChoice);
    // Without a cancel button the dialog refuses Close, so hiding is how it closes.
    twLookupDialog dialog(this);
    dialog.Update(0, wxEmptyString, nullptr);
    const DeliveryMethod* method =
        FindDeliveryMethod(sendMethodChoice->GetStringSelection().utf8_string());
    DeviceFinder* finder = method != nullptr && method == finderMethod ? HeldFinder() : nullptr;
    wxString note;
    if (finder != nullptr) {
        dialog.Show();
        DeviceSearchResult result =
            finder->Search(twLookupDialog::Progress, &dialog, twLookupDialog::Waiting);
        dialog.Hide();
        const bool off = result.failure == DeliveryError::BluetoothOff;
        if (off &&
            confirm(wxString::FromUTF8(DescribeDeliveryError(result.failure)) + wxS("\n\n") +
                    _("Switch Bluetooth on and search again?")) &&
            finder->SwitchOn()) {
            dialog.Show();
            result = finder->Search(twLookupDialog::Progress, &dialog, twLookupDialog::Waiting);
            dialog.Hide();
        }
        note = ListDevices(result, *method);
        // An adapter left off has just been the question.
        if (!note.empty() && result.failure != DeliveryError::BluetoothOff) {
            tell(note);
        }
    }
    selectionTips.Renew(deviceChoice, note);
    dialog.Hide();
}

wxString twUserInterface::ListDevices(DeviceSearchResult result, const DeliveryMethod& method) {
    deviceChoice->Clear();
    // Infrared names are 8-bit text, a byte a character; the others are UTF-8.
    for (FoundDevice& device : result.devices) {
        if (infraredFinder) {
            device.name = wxString(WidenText(device.name)).utf8_string();
        }
    }
    for (const std::string& label : DeviceListLabels(result.devices)) {
        deviceChoice->Append(wxString::FromUTF8(label));
    }
    foundDevices = result.devices;
    deviceChoice->SetSelection(
        method.SelectsFirstDevice() && !result.devices.empty() ? 0 : wxNOT_FOUND);
    // A list left empty would say "nothing is there" when the truth may be "Bluetooth can't
    // run here". The list is too narrow for the sentence that says which, and opened it would
    // run off the screen: its one item is a word that fits, selected so that it shows.
    deviceListNote = result.devices.empty();
    if (!deviceListNote) {
        return wxString();
    }
    deviceChoice->Append(_("None"));
    deviceChoice->SetSelection(0);
    return wxString::FromUTF8(result.failure != DeliveryError::None
                                  ? DescribeDeliveryError(result.failure)
                                  : method.EmptySearchText());
}
