// The main window as the application uses it: owns the long-lived objects behind the window
// (the shared audio engine, the phone catalogue, the help viewer) and gives the frame's
// handlers their behaviour. Created by twApp at start-up; the toolkit destroys it when the
// window closes, and its destructor shuts audio down in a fixed order.
#pragma once

#include "delivery/RingtoneFormat.h"
#include "ui/twMainFrame.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class AudioEngine;
class BluetoothFinder;
class DeliveryMethod;
class DeviceFinder;
class InfraredFinder;
struct DeviceSearchResult;
struct FoundDevice;
class MainWindowInput;
class ModalJob;
class PhoneCatalogue;
class wxHtmlHelpController;

class twUserInterface : public twMainFrame {
public:
    twUserInterface();
    ~twUserInterface() override;

    // The process's one engine, shared with the editor panel; released at destruction.
    AudioEngine* audioEngine;
    std::unique_ptr<PhoneCatalogue> phoneCatalogue;

    // Source preview: picking a file plays it; the play button stops and restarts it, and its
    // picture shows what the next press does.
    void OnMediaFileChanged(wxFileDirPickerEvent& event) override;
    void OnPlayMedia(wxCommandEvent& event) override;
    void OnImportMedia(wxCommandEvent& event) override;
    void OnHelp(wxCommandEvent& event) override;
    void OnVendorSelected(wxCommandEvent& event) override;
    void OnModelSelected(wxCommandEvent& event) override;
    // Makes the ringtone in the chosen format and sends it to the selected phone or saves it
    // (ConvertAndSendCommand).
    void OnConvertAndSend(wxCommandEvent& event) override;

    // The address of the device selected in deviceChoice, in its send method's terms
    // ("AA:BB:CC:DD:EE:FF" for Bluetooth); empty when none is selected.
    std::string SelectedDeviceAddress() const;

    // Step 3: the send methods' items come from the registry (delivery/DeliveryMethod.h), and
    // the finder of the chosen method is held here, never two (all null before a method is
    // chosen): Bluetooth's and infrared's in their own members, any other method's in
    // methodFinder. Choosing a method, or the refresh button, searches behind the "Lookup
    // devices" dialog and lists the names found in deviceChoice, none selected unless the
    // method picks the first; devices of the same name show the end of their address. A search
    // that could not run, or found nothing, leaves one selected item "None" instead
    // (deviceListNote), and says why or what to do through `tell` and in the list's tooltip. An
    // adapter that is off is offered to be switched on through
    // `confirm`.
    std::unique_ptr<BluetoothFinder> bluetoothFinder;
    std::unique_ptr<InfraredFinder> infraredFinder;
    std::unique_ptr<DeviceFinder> methodFinder;
    // The method whose finder is held; null before a method is chosen.
    const DeliveryMethod* finderMethod = nullptr;
    bool deviceListNote = false;
    // Ask a yes-or-no question, and say something; message boxes unless a test put its own in.
    std::function<bool(const wxString& question)> confirm;
    std::function<void(const wxString& text)> tell;
    void OnSendMethodSelected(wxCommandEvent& event) override;
    void OnRefreshDevices(wxCommandEvent& event) override;

private:
    // The format box's formats the catalogue lists for step 1's model (OfferedFormats).
    std::vector<const RingtoneFormat*> OfferedForModel() const;
    // Fills deviceChoice; returns the sentence behind its "None", empty when devices are listed.
    wxString ListDevices(DeviceSearchResult result, const DeliveryMethod& method);
    DeviceFinder* HeldFinder() const;

    // A close request during an import, or during Convert and Send, cancels it first; the
    // window closes after it.
    void OnCloseWindow(wxCloseEvent& event);

    // The picker's button (and Ctrl+O, which presses it): a file dialog that opens in
    // BrowseFolder(pickedFile); choosing a file picks it.
    void BrowseMediaFile();

    // Made at the first press of the help button; shows the HTML help book.
    std::unique_ptr<wxHtmlHelpController> helpController;
    // Keys, dropped files and the file named at start; unbinds itself before the controls go.
    std::unique_ptr<MainWindowInput> windowInput;
    // The long job of the import or Convert and Send that is running, null otherwise.
    ModalJob* runningJob = nullptr;
    // The devices of the last search, as deviceChoice lists them.
    std::vector<FoundDevice> foundDevices;
    // The source the working file was last imported from: the ringtone is named after it,
    // whatever the picker shows now.
    wxString importedSource;
    // The full path of the file last picked, however it was picked (every pick passes
    // OnMediaFileChanged); empty before the first.
    wxString pickedFile;
};
