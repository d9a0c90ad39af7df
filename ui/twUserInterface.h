// The main window as the application uses it: owns the long-lived objects behind the window
// (the shared audio engine, the phone catalogue, the help viewer) and gives the frame's
// handlers their behaviour. Created by twApp at start-up; the toolkit destroys it when the
// window closes, and its destructor shuts audio down in a fixed order.
#pragma once

#include "ui/twMainFrame.h"

#include <functional>
#include <memory>
#include <string>

class AudioEngine;
class BluetoothFinder;
class ConvertAndSendCommand;
class InfraredFinder;
struct DeviceSearchResult;
class MainWindowInput;
class ImportCommand;
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

    // The Bluetooth address ("AA:BB:CC:DD:EE:FF") of the device selected in deviceChoice; empty
    // when none is selected or the selection is no Bluetooth device.
    std::string SelectedDeviceAddress() const;

    // Step 3: the finder of the chosen send method, never both (null before a method is
    // chosen). Choosing a method, or the refresh button, searches behind the "Lookup devices"
    // dialog and lists the names found in deviceChoice, none selected; devices of the same name
    // show the end of their address. A search that could not run, or found nothing, leaves one
    // selected item instead that says why or what to do (deviceListNote). An adapter that is
    // off is offered to be switched on through `confirm`.
    std::unique_ptr<BluetoothFinder> bluetoothFinder;
    std::unique_ptr<InfraredFinder> infraredFinder;
    bool deviceListNote = false;
    // Asks a yes-or-no question; a message box unless a test put its own answer in.
    std::function<bool(const wxString& question)> confirm;
    void OnSendMethodSelected(wxCommandEvent& event) override;
    void OnRefreshDevices(wxCommandEvent& event) override;

private:
    void ListDevices(DeviceSearchResult result, bool bluetooth);

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
    // The import that OnImportMedia is running, null between imports.
    ImportCommand* runningImport = nullptr;
    // The Convert and Send that OnConvertAndSend is running, null otherwise.
    ConvertAndSendCommand* runningConvert = nullptr;
    // The source the working file was last imported from: the ringtone is named after it,
    // whatever the picker shows now.
    wxString importedSource;
    // The full path of the file last picked, however it was picked (every pick passes
    // OnMediaFileChanged); empty before the first.
    wxString pickedFile;
};
