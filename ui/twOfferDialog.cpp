#include "ui/twOfferDialog.h"

#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryMethod.h"
#include "platform/QrCode.h"
#include "ui/ModalJob.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

// Pixels per module: a phone reads the code from a laptop's screen across a desk.
constexpr int moduleScale = 5;
constexpr int textWidth = 420;

} // namespace

twOfferDialog::twOfferDialog(wxWindow* parent, ModalJob& modalJob, const wxString& steps)
    : wxDialog(parent, wxID_ANY, _("Send over Wi-Fi")), job(modalJob) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto* scan =
        new wxStaticText(this, wxID_ANY, wxString::FromUTF8(delivery_text::WifiScanText()));
    scan->Wrap(textWidth);
    column->Add(scan, 0, wxALL, 10);
    code = new wxStaticBitmap(this, wxID_ANY, CodePicture(QrCode(), moduleScale));
    column->Add(code, 0, wxALIGN_CENTER | wxLEFT | wxRIGHT, 10);
    address = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition,
                             wxSize(textWidth, -1), wxTE_READONLY | wxTE_CENTRE);
    column->Add(address, 0, wxALL, 10);
    auto* next = new wxStaticText(this, wxID_ANY, steps);
    next->Wrap(textWidth);
    column->Add(next, 0, wxLEFT | wxRIGHT, 10);
    status =
        new wxStaticText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(textWidth, -1));
    column->Add(status, 0, wxALL, 10);
    bytes = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, wxSize(textWidth, -1));
    column->Add(bytes, 0, wxLEFT | wxRIGHT, 10);
    stop = new wxButton(this, wxID_CANCEL, _("Cancel"));
    column->Add(stop, 0, wxALIGN_RIGHT | wxALL, 10);
    SetSizerAndFit(column);
    stop->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { job.Cancel(); });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { job.Cancel(); });
}

wxBitmap twOfferDialog::CodePicture(const QrCode& qr, int scale) {
    const int side = (qr.size + 2 * qrQuietZone) * scale;
    wxImage image(side, side);
    image.SetRGB(wxRect(0, 0, side, side), 255, 255, 255);
    for (int y = 0; y < qr.size; ++y) {
        for (int x = 0; x < qr.size; ++x) {
            if (qr.Dark(x, y)) {
                image.SetRGB(
                    wxRect((x + qrQuietZone) * scale, (y + qrQuietZone) * scale, scale, scale), 0,
                    0, 0);
            }
        }
    }
    return wxBitmap(image);
}

void twOfferDialog::Show(const DeliveryReport& report) {
    if (!report.url.empty() && report.url != shownUrl) {
        shownUrl = report.url;
        code->SetBitmap(CodePicture(EncodeQrCode(shownUrl), moduleScale));
        address->ChangeValue(wxString::FromUTF8(shownUrl));
        Fit();
    }
    const wxString text = wxString::FromUTF8(report.text);
    if (text != shownText) {
        shownText = text;
        status->SetLabel(text);
        status->Wrap(textWidth);
    }
    const int percent = report.size > 0 ? static_cast<int>(report.done * 100 / report.size) : 0;
    if (percent != bytes->GetValue()) {
        bytes->SetValue(percent);
    }
    if (report.delivered && stop->GetLabel() != _("Close")) {
        stop->SetLabel(_("Close"));
    }
}
