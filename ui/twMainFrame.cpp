#include "ui/twMainFrame.h"

#include "delivery/DeliveryMethod.h"
#include "delivery/RingtoneFormat.h"
#include "media/SourceKinds.h"
#include "text/Translation.h"
#include "widgets/Accessible.h"
#include "widgets/ButtonPicture.h"
#include "widgets/DesktopLook.h"
#include "widgets/LayoutGrid.h"
#include "widgets/RadioArrows.h"
#include "widgets/RadioItemsLook.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/filepicker.h>
#include <wx/icon.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/textctrl.h>

namespace {

wxStaticLine* NewRule(wxWindow* parent) {
    auto* line = new wxStaticLine(parent, wxID_ANY, wxDefaultPosition, Px(wxSize(500, 2)),
                                  wxLI_HORIZONTAL, "staticLine");
    line->SetMinSize(Px(wxSize(500, 2)));
    line->SetMaxSize(Px(wxSize(500, 2)));
    return line;
}

// A choice of fixed width: the toolkit may not grow or shrink it with its items.
wxChoice* NewChoice(wxWindow* parent, int createdWidth, int fixedWidth,
                    const wxArrayString& items = wxArrayString()) {
    auto* choice = new wxChoice(parent, wxID_ANY, wxDefaultPosition, wxSize(Px(createdWidth), -1),
                                items, 0, wxDefaultValidator, "choice");
    choice->SetMinSize(wxSize(Px(fixedWidth), -1));
    choice->SetMaxSize(wxSize(Px(fixedWidth), -1));
    return choice;
}

wxStaticBoxSizer* NewStep(wxWindow* parent, const wxString& label) {
    auto* box =
        new wxStaticBox(parent, wxID_ANY, label, wxDefaultPosition, wxDefaultSize, 0, "groupBox");
    return new wxStaticBoxSizer(box, wxHORIZONTAL);
}

} // namespace

wxString twMainFrame::MediaWildcard() {
    return wxString::FromUTF8(SourceWildcard(Tr));
}

twMainFrame::twMainFrame(const wxString& title, const wxSize& size)
    // Neither resizable nor maximizable: the layout is fixed, and GTK then offers no maximize
    // button and ignores a double click on its own title bar (see Maximize).
    : wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, DesktopLook::Get().Scaled(size),
              (wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX)) | wxTAB_TRAVERSAL,
              "frame"),
      layoutSize(DesktopLook::Get().Scaled(size)) {
    const DesktopLook& look = DesktopLook::Get();
    SetIcon(wxIcon("twk.ico", wxBITMAP_TYPE_ICO));
    SetSizeHints(layoutSize, layoutSize);
    SetForegroundColour(look.Foreground());
    SetBackgroundColour(look.Background());
    // The widths of the send panel were drawn for the 8-point dialog font of the desktop the
    // window was designed on; GTK's larger default makes the step boxes' labels push the step 3
    // box out of the window. Controls inherit this unless they set a font of their own.
    SetFont(LayoutFont(8, wxFONTFAMILY_DEFAULT, wxFONTWEIGHT_NORMAL));

    // Rows are left open: the toolkit refuses a fixed row count smaller than the seven children
    // and would fall back to exactly this after complaining.
    wxFlexGridSizer* outer = NewGrid(0, 1);
    outer->SetMinSize(Px(wxSize(500, 100)));

    wxFlexGridSizer* sourceRow = NewGrid(1, 2);
    selectMediaBitmap = NewPictureLabel(this, "images/select_media.bmp");
    sourceRow->Add(selectMediaBitmap, 0, wxALL, Px(5));
    mediaFilePicker = new wxFilePickerCtrl(this, wxID_ANY, wxEmptyString, _("Select a file"),
                                           MediaWildcard(), wxPoint(0, 0), wxDefaultSize,
                                           wxFLP_USE_TEXTCTRL | wxFLP_OPEN | wxFLP_FILE_MUST_EXIST,
                                           wxDefaultValidator, "filepicker");
    mediaFilePicker->SetFont(LayoutFont(14, wxFONTFAMILY_DEFAULT, wxFONTWEIGHT_BOLD, "Arial"));
    mediaFilePicker->SetMinSize(Px(wxSize(325, 24)));
    sourceRow->Add(mediaFilePicker, 0, wxEXPAND | wxALL, Px(5));
    outer->Add(sourceRow, 1, wxEXPAND, Px(5));

    wxFlexGridSizer* commandRow = NewGrid(1, 3);
    playMediaButton = NewPictureButton(this, "images/PlayMedia.bmp");
    commandRow->Add(playMediaButton, 0, wxEXPAND | wxALL, Px(5));
    importMediaButton = NewPictureButton(this, "images/ImportMedia.bmp");
    commandRow->Add(importMediaButton, 0, wxEXPAND | wxALL, Px(5));
    helpButton = NewPictureButton(this, "images/Help.bmp");
    commandRow->Add(helpButton, 0, wxALL, Px(5));
    outer->Add(commandRow, 1, wxEXPAND, Px(5));

    auto* upperRule = new wxBoxSizer(wxHORIZONTAL);
    upperLine = NewRule(this);
    upperRule->Add(upperLine, 0, wxEXPAND | wxALL, Px(5));
    outer->Add(upperRule, 1, wxEXPAND, Px(5));

    wxFlexGridSizer* editor = NewGrid(2, 1);
    editRingtoneBitmap = NewPictureLabel(this, "images/edit_ringtone.bmp");
    editor->Add(editRingtoneBitmap, 0, wxALL, Px(5));
    mediaEditControl = new twMediaEditControl(this, Px(wxSize(500, 210)));
    editor->Add(mediaEditControl, 0, wxALL, Px(5));
    outer->Add(editor, 1, wxEXPAND, Px(5));

    auto* lowerRule = new wxBoxSizer(wxVERTICAL);
    lowerLine = NewRule(this);
    lowerRule->Add(lowerLine, 0, wxEXPAND | wxALL, Px(5));
    outer->Add(lowerRule, 1, wxEXPAND, Px(5));

    wxFlexGridSizer* sendHeading = NewGrid(1, 1);
    sendToMobileBitmap = NewPictureLabel(this, "images/send_to_mobile.bmp");
    sendHeading->Add(sendToMobileBitmap, 0, wxALL, Px(5));
    outer->Add(sendHeading, 1, wxEXPAND, Px(5));

    wxFlexGridSizer* sendPanel = NewGrid(2, 4);
    sendPanel->Add(Px(5), 0, 1, wxEXPAND, 0);
    wxStaticBoxSizer* step1 = NewStep(this, _("Step 1. Choose your phone vendor and model"));
    vendorChoice = NewChoice(step1->GetStaticBox(), 100, 100);
    vendorChoice->SetSelection(0);
    step1->Add(vendorChoice, 0, wxALL, Px(5));
    modelChoice = NewChoice(step1->GetStaticBox(), 130, 130);
    modelChoice->SetSelection(0);
    step1->Add(modelChoice, 0, wxALL, Px(5));
    sendPanel->Add(step1, 1, wxEXPAND, 0);

    sendPanel->Add(Px(5), 0, 1, wxEXPAND, 0);
    wxStaticBoxSizer* step3 = NewStep(this, _("Step 3. Choose send method"));
    wxArrayString methods;
    for (const DeliveryMethod* method : DeliveryMethods()) {
        methods.Add(wxString::FromUTF8(method->Label()));
    }
    sendMethodChoice = NewChoice(step3->GetStaticBox(), 100, 80, methods);
    step3->Add(sendMethodChoice, 0, wxALL, Px(5));
    deviceChoice = NewChoice(step3->GetStaticBox(), 100, 95);
    deviceChoice->SetSelection(0);
    step3->Add(deviceChoice, 0, wxALL, Px(5));
    refreshDevicesButton = NewPictureButton(step3->GetStaticBox(), "images/refresh.bmp");
    // The box's frame is drawn on the edge of its contents: without a margin of its own the
    // button's right edge lay under it. The window has the few pixels this takes.
    step3->Add(refreshDevicesButton, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Px(5));
    sendPanel->Add(step3, 1, wxEXPAND, 0);

    sendPanel->Add(Px(5), 0, 1, wxEXPAND, 0);
    auto* step2 = new wxBoxSizer(wxHORIZONTAL);
    wxArrayString formats;
    for (const RingtoneFormat* format : FormatBoxFormats()) {
        formats.Add(format->label);
    }
    formatRadioBox = new wxRadioBox(
        this, wxID_ANY, _("Step 2. Choose format supported by your phone"), wxDefaultPosition,
        wxDefaultSize, formats, 1, wxRA_SPECIFY_ROWS, wxDefaultValidator, "radioBox");
    formatRadioBox->SetSelection(0);
    KeepDisabledItemsGrey(formatRadioBox);
    SelectRadioItemsOnFocus(formatRadioBox);
    step2->Add(formatRadioBox, 0, wxALL, 0);
    sendPanel->Add(step2, 1, wxEXPAND, Px(5));

    sendPanel->Add(Px(5), 0, 1, wxEXPAND, 0);
    convertAndSendButton = new wxButton(this, wxID_ANY, _("Convert and Send"), wxDefaultPosition,
                                        wxDefaultSize, 0, wxDefaultValidator, "button");
    convertAndSendButton->SetFont(
        LayoutFont(12, wxFONTFAMILY_ROMAN, wxFONTWEIGHT_NORMAL, "Times New Roman"));
    sendPanel->Add(convertAndSendButton, 0, wxALIGN_CENTER | wxALL, Px(5));
    outer->Add(sendPanel, 1, wxEXPAND, Px(5));

    SetSizer(outer);
    Layout();
    SetStepToolTips();
    NameControls();
    // The steps in their order: step 2 is made after step 3, whose box sits beside step 1.
    formatRadioBox->MoveAfterInTabOrder(vendorChoice->GetParent());
    Bind(wxEVT_SIZE, &twMainFrame::OnSizeChanged, this);
    ConnectHandlers();
}

void twMainFrame::NameControls() {
    SetAccessibleName(mediaFilePicker->GetTextCtrl(), _("Media file"));
    SetAccessibleName(vendorChoice, _("Step 1: phone vendor"));
    SetAccessibleName(modelChoice, _("Step 1: phone model"));
    SetAccessibleName(sendMethodChoice, _("Step 3: send method"));
    SetAccessibleName(deviceChoice, _("Step 3: device"));
}

void twMainFrame::Maximize(bool) {}

void twMainFrame::OnSizeChanged(wxSizeEvent& event) {
    event.Skip();
    // A title bar drawn inside the window (GTK's own decorations, as on Wayland) takes its room
    // from the window's size: the window grows by it, once its size is known, so that the
    // layout keeps its own.
    const wxSize room = GetClientSize();
    if (!IsShown() || room == layoutSize || room.x <= 0 || room.y <= 0) {
        return;
    }
    const wxSize whole = layoutSize + (GetSize() - room);
    SetSizeHints(whole, whole);
    SetSize(whole);
}

void twMainFrame::SetStepToolTips() {
    // A step box's controls carry its tip too: the pointer rests on them more than on the box.
    const auto explain = [](wxWindow* box, const wxString& tip) {
        box->SetToolTip(tip);
        for (wxWindow* control : box->GetChildren()) {
            control->SetToolTip(tip);
        }
    };
    const wxString phone = _("Choose who made your phone, then its model");
    const wxString sending =
        _("Choose how to send the ringtone and the phone to send it to; the arrows search again");
    explain(vendorChoice->GetParent(), phone);
    explain(formatRadioBox, _("Choose a format your phone plays; the others are greyed out"));
    explain(sendMethodChoice->GetParent(), sending);
    for (wxChoice* choice : {vendorChoice, modelChoice}) {
        selectionTips.Follow(choice, phone);
    }
    for (wxChoice* choice : {sendMethodChoice, deviceChoice}) {
        selectionTips.Follow(choice, sending);
    }
}

twMainFrame::~twMainFrame() {
    DisconnectHandlers();
}

std::array<twMainFrame::Route, 9> twMainFrame::Routes() {
    return {{
        {mediaFilePicker, wxEVT_COMMAND_FILEPICKER_CHANGED,
         wxFileDirPickerEventHandler(twMainFrame::OnMediaFileChanged)},
        {playMediaButton, wxEVT_COMMAND_BUTTON_CLICKED,
         wxCommandEventHandler(twMainFrame::OnPlayMedia)},
        {importMediaButton, wxEVT_COMMAND_BUTTON_CLICKED,
         wxCommandEventHandler(twMainFrame::OnImportMedia)},
        {helpButton, wxEVT_COMMAND_BUTTON_CLICKED, wxCommandEventHandler(twMainFrame::OnHelp)},
        {convertAndSendButton, wxEVT_COMMAND_BUTTON_CLICKED,
         wxCommandEventHandler(twMainFrame::OnConvertAndSend)},
        {sendMethodChoice, wxEVT_COMMAND_CHOICE_SELECTED,
         wxCommandEventHandler(twMainFrame::OnSendMethodSelected)},
        {refreshDevicesButton, wxEVT_COMMAND_BUTTON_CLICKED,
         wxCommandEventHandler(twMainFrame::OnRefreshDevices)},
        {vendorChoice, wxEVT_COMMAND_CHOICE_SELECTED,
         wxCommandEventHandler(twMainFrame::OnVendorSelected)},
        {modelChoice, wxEVT_COMMAND_CHOICE_SELECTED,
         wxCommandEventHandler(twMainFrame::OnModelSelected)},
    }};
}

void twMainFrame::ConnectHandlers() {
    for (const Route& route : Routes()) {
        route.control->Connect(wxID_ANY, wxID_ANY, route.type, route.handler, nullptr, this);
    }
}

void twMainFrame::DisconnectHandlers() {
    for (const Route& route : Routes()) {
        route.control->Disconnect(wxID_ANY, wxID_ANY, route.type, route.handler, nullptr, this);
    }
}

void twMainFrame::OnMediaFileChanged(wxFileDirPickerEvent& event) {
    event.Skip();
}
void twMainFrame::OnPlayMedia(wxCommandEvent& event) {
    event.Skip();
}
void twMainFrame::OnImportMedia(wxCommandEvent& event) {
    event.Skip();
}
void twMainFrame::OnHelp(wxCommandEvent& event) {
    event.Skip();
}
void twMainFrame::OnConvertAndSend(wxCommandEvent& event) {
    event.Skip();
}
void twMainFrame::OnSendMethodSelected(wxCommandEvent& event) {
    event.Skip();
}
void twMainFrame::OnRefreshDevices(wxCommandEvent& event) {
    event.Skip();
}
void twMainFrame::OnVendorSelected(wxCommandEvent& event) {
    event.Skip();
}
void twMainFrame::OnModelSelected(wxCommandEvent& event) {
    event.Skip();
}
