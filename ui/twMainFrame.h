// The application's one top-level window as laid out: a fixed 520 by 580 frame holding the
// source row, the command buttons, the ringtone editor and the three-step send panel. It only
// builds the controls and routes their events to nine virtual handlers that let the event pass
// on; twUserInterface gives them behaviour. The controls belong to the frame (toolkit
// parent-child relation); the members are non-owning.
// The desktop's look (DesktopLook) scales the layout's pixels and fonts with its text and
// gives the window a dark theme's colours; the window's contents keep the layout's size
// whatever a title bar drawn inside the window takes, and the window is never maximized.
#pragma once

#include "editor/twMediaEditControl.h"
#include "ui/SelectionToolTips.h"

#include <wx/frame.h>

#include <array>

class wxBitmapButton;
class wxButton;
class wxChoice;
class wxCommandEvent;
class wxFileDirPickerEvent;
class wxFilePickerCtrl;
class wxRadioBox;
class wxStaticBitmap;
class wxStaticLine;

class twMainFrame : public wxFrame {
public:
    twMainFrame(const wxString& title, const wxSize& size);
    ~twMainFrame() override;

    wxStaticBitmap* selectMediaBitmap;
    wxFilePickerCtrl* mediaFilePicker;
    wxBitmapButton* playMediaButton;
    wxBitmapButton* importMediaButton;
    wxBitmapButton* helpButton;
    wxStaticLine* upperLine;
    wxStaticBitmap* editRingtoneBitmap;
    twMediaEditControl* mediaEditControl;
    wxStaticLine* lowerLine;
    wxStaticBitmap* sendToMobileBitmap;
    wxChoice* modelChoice;
    wxChoice* vendorChoice;
    wxChoice* sendMethodChoice;
    wxChoice* deviceChoice;
    wxRadioBox* formatRadioBox;
    wxButton* convertAndSendButton;
    wxBitmapButton* refreshDevicesButton;

    virtual void OnMediaFileChanged(wxFileDirPickerEvent& event);
    virtual void OnPlayMedia(wxCommandEvent& event);
    virtual void OnImportMedia(wxCommandEvent& event);
    virtual void OnHelp(wxCommandEvent& event);
    virtual void OnConvertAndSend(wxCommandEvent& event);
    virtual void OnSendMethodSelected(wxCommandEvent& event);
    virtual void OnRefreshDevices(wxCommandEvent& event);
    virtual void OnVendorSelected(wxCommandEvent& event);
    virtual void OnModelSelected(wxCommandEvent& event);

    // The send panel's choices show their selection in full in their tooltips; renew one after
    // changing its items or selection.
    SelectionToolTips selectionTips;

    // The kinds of media the picker offers (SourceKinds.h), for every dialog that chooses a
    // source file.
    static wxString MediaWildcard();

    // The size of the window's contents: the layout's size at the desktop's text scale.
    const wxSize layoutSize;

    // Refused: the fixed window can't take a maximized size, and a Wayland compositor whose
    // maximized size the window doesn't take ends the program with a protocol error.
    void Maximize(bool maximize = true) override;

private:
    // One control's event and the handler it reaches, in the order the handlers are declared.
    struct Route {
        wxWindow* control;
        wxEventType type;
        wxObjectEventFunction handler;
    };
    std::array<Route, 9> Routes();
    void ConnectHandlers();
    // Says on hover what each step of the send panel asks for.
    void SetStepToolTips();
    void DisconnectHandlers();
    // Names for screen readers where GTK finds none.
    void NameControls();
    void OnSizeChanged(wxSizeEvent& event);
};
