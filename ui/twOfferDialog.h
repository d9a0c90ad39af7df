// The dialog of a send method that offers the ringtone at an address the phone opens (Wi-Fi):
// the address as a QR code and as text, what to do, and what the delivery reports (each
// download, then the last step). Its button cancels the offer, and becomes Close once the
// ringtone has reached a phone. Made by ConvertAndSendCommand and owned by its ModalJob.
#pragma once

#include <wx/dialog.h>

#include <string>

class ModalJob;
class wxButton;
class wxGauge;
class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;
struct DeliveryReport;
struct QrCode;

class twOfferDialog : public wxDialog {
public:
    // `job` (not owned) is told when the user stops the offer.
    twOfferDialog(wxWindow* parent, ModalJob& job, const wxString& steps);

    // Shows where the delivery stands; the code and address the first time they come.
    void Show(const DeliveryReport& report);
    using wxDialog::Show;

    // The code's picture: dark modules on white, `scale` pixels each, with the quiet zone.
    static wxBitmap CodePicture(const QrCode& code, int scale);

    wxStaticBitmap* code;
    wxTextCtrl* address;
    wxStaticText* status;
    wxGauge* bytes;
    wxButton* stop;

private:
    ModalJob& job;
    std::string shownUrl;
    wxString shownText;
};
