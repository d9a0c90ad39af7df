// The bare main window: its fixed size, its controls and labels, and the routing of every
// control's event to the nine handlers.
#include "ui/twMainFrame.h"

#include "EventPump.h"
#include "ui/WindowLanguage.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filepicker.h>
#include <wx/radiobox.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>
#include <wx/translation.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// Counts each handler's calls, in the order the frame declares them.
class CountingFrame : public twMainFrame {
public:
    CountingFrame() : twMainFrame("Tonewick", wxSize(520, 580)) {}
    std::array<int, 9> calls{};

    void OnMediaFileChanged(wxFileDirPickerEvent&) override { ++calls[0]; }
    void OnPlayMedia(wxCommandEvent&) override { ++calls[1]; }
    void OnImportMedia(wxCommandEvent&) override { ++calls[2]; }
    void OnHelp(wxCommandEvent&) override { ++calls[3]; }
    void OnConvertAndSend(wxCommandEvent&) override { ++calls[4]; }
    void OnSendMethodSelected(wxCommandEvent&) override { ++calls[5]; }
    void OnRefreshDevices(wxCommandEvent&) override { ++calls[6]; }
    void OnVendorSelected(wxCommandEvent&) override { ++calls[7]; }
    void OnModelSelected(wxCommandEvent&) override { ++calls[8]; }
};

// The layout class as it is, with the title and size the controller gives it.
class BareFrame : public twMainFrame {
public:
    BareFrame() : twMainFrame("Tonewick", wxSize(520, 580)) {}
};

void Click(wxWindow* control) {
    wxUIActionSimulator mouse;
    mouse.MouseMove(control->GetScreenRect().GetPosition() + wxPoint(5, 5));
    twtest::PumpEvents(50);
    mouse.MouseClick();
}

void Choose(wxChoice* choice, int item) {
    choice->SetSelection(item);
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetEventObject(choice);
    event.SetInt(item);
    choice->GetEventHandler()->ProcessEvent(event);
}

// The frame deletes itself through the toolkit; the tests close it at the end.
template <class Frame> struct Shown {
    Frame* frame = new Frame;
    Shown() {
        frame->Show();
        twtest::PumpEvents(100);
    }
    ~Shown() {
        frame->Destroy();
        twtest::PumpEvents(20);
    }
};

} // namespace

TEST(MainFrame, isFixedAt520By580) {
    Shown<CountingFrame> shown;
    twMainFrame* frame = shown.frame;
    EXPECT_EQ(frame->GetSize(), wxSize(520, 580));
    EXPECT_EQ(frame->GetMinSize(), wxSize(520, 580));
    EXPECT_EQ(frame->GetMaxSize(), wxSize(520, 580));
    frame->SetSize(700, 700);
    twtest::PumpEvents(50);
    EXPECT_EQ(frame->GetSize(), wxSize(520, 580));
    frame->SetSize(300, 300);
    twtest::PumpEvents(50);
    EXPECT_EQ(frame->GetSize(), wxSize(520, 580));
    EXPECT_EQ(frame->GetTitle(), "Tonewick");
    EXPECT_EQ(frame->GetBackgroundColour(), wxColour(255, 255, 255));
}

// Their places, sizes and fonts are WindowLookTest's, as GTK draws them.
TEST(MainFrame, holdsTheControlsOfTheLayoutWithTheirLabels) {
    Shown<CountingFrame> shown;
    twMainFrame* f = shown.frame;
    for (wxBitmapButton* button :
         {f->playMediaButton, f->importMediaButton, f->helpButton, f->refreshDevicesButton}) {
        EXPECT_TRUE(button->GetBitmapLabel().IsOk());
    }
    EXPECT_TRUE(f->editRingtoneBitmap->GetBitmap().IsOk());
    auto* step1 = dynamic_cast<wxStaticBox*>(f->vendorChoice->GetParent());
    auto* step3 = dynamic_cast<wxStaticBox*>(f->sendMethodChoice->GetParent());
    ASSERT_NE(step1, nullptr);
    ASSERT_NE(step3, nullptr);
    EXPECT_EQ(step1->GetLabel(), "Step 1. Choose your phone vendor and model");
    EXPECT_EQ(step3->GetLabel(), "Step 3. Choose send method");
    EXPECT_EQ(f->modelChoice->GetParent(), step1);
    EXPECT_EQ(f->deviceChoice->GetParent(), step3);
    EXPECT_EQ(f->vendorChoice->GetCount(), 0u);
    EXPECT_EQ(wxJoin(f->sendMethodChoice->GetStrings(), '|'),
              "Bluetooth|Infrared|USB cable|Wi-Fi (scan a code)");
    EXPECT_EQ(f->sendMethodChoice->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(f->formatRadioBox->GetLabel(), "Step 2. Choose format supported by your phone");
    ASSERT_EQ(f->formatRadioBox->GetCount(), 5u);
    const char* formats[] = {"WAV", "MP3", "AAC", "M4A", "WMA"};
    for (unsigned int i = 0; i < 5; ++i) {
        EXPECT_EQ(f->formatRadioBox->GetString(i), formats[i]);
    }
    EXPECT_EQ(f->formatRadioBox->GetRowCount(), 1u);
    EXPECT_EQ(f->formatRadioBox->GetSelection(), 0);
    EXPECT_EQ(f->convertAndSendButton->GetLabel(), "Convert and Send");
}

TEST(MainFrame, routesEveryControlToItsOwnHandler) {
    Shown<CountingFrame> shown;
    CountingFrame* f = shown.frame;
    const std::string picked = "/tmp/twtest-picked.wav";
    std::ofstream(picked) << "x";
    f->mediaFilePicker->GetTextCtrl()->SetValue(picked);
    Click(f->playMediaButton);
    Click(f->importMediaButton);
    Click(f->helpButton);
    Click(f->convertAndSendButton);
    Choose(f->sendMethodChoice, 0);
    Click(f->refreshDevicesButton);
    f->vendorChoice->Append("Acme");
    Choose(f->vendorChoice, 0);
    f->modelChoice->Append("A1");
    Choose(f->modelChoice, 0);
    EXPECT_TRUE(twtest::PumpUntil([&] {
        for (int count : f->calls) {
            if (count == 0) {
                return false;
            }
        }
        return true;
    }));
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(f->calls[static_cast<size_t>(i)], 1) << "handler " << i;
    }
    std::remove(picked.c_str());
}

TEST(MainFrame, bareFrameLetsEveryEventPassOn) {
    Shown<BareFrame> shown;
    twMainFrame* f = shown.frame;
    int reachedFrame = 0;
    f->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++reachedFrame; });
    f->Bind(wxEVT_CHOICE, [&](wxCommandEvent&) { ++reachedFrame; });
    Click(f->playMediaButton);
    Click(f->importMediaButton);
    Click(f->helpButton);
    Click(f->convertAndSendButton);
    Click(f->refreshDevicesButton);
    Choose(f->sendMethodChoice, 1);
    EXPECT_TRUE(twtest::PumpUntil([&] { return reachedFrame == 6; }));
}

TEST(MainFrame, destroyingTheFrameDisconnectsEveryHandlerBeforeTheControlsGo) {
    auto* frame = new twMainFrame("Tonewick", wxSize(520, 580));
    wxWindow* button = frame->playMediaButton;
    wxWindow* choice = frame->modelChoice;
    bool stillConnected = true;
    bool checked = false;
    // The first control to go is destroyed after the frame's own destructor has run.
    frame->selectMediaBitmap->Bind(wxEVT_DESTROY, [&](wxWindowDestroyEvent&) {
        checked = true;
        stillConnected =
            button->Disconnect(wxID_ANY, wxID_ANY, wxEVT_COMMAND_BUTTON_CLICKED,
                               wxCommandEventHandler(twMainFrame::OnPlayMedia), nullptr, frame) ||
            choice->Disconnect(wxID_ANY, wxID_ANY, wxEVT_COMMAND_CHOICE_SELECTED,
                               wxCommandEventHandler(twMainFrame::OnModelSelected), nullptr, frame);
    });
    delete frame;
    EXPECT_TRUE(checked);
    EXPECT_FALSE(stillConnected);
}

// The window's labels in each language the program ships, at the default font: a translation
// must fit the fixed layout that was made for the English words, which come first as the
// baseline. The pictures show the language's words.
TEST(MainFrame, everyLabelFitsItsControlInEveryLanguage) {
    wxImage englishHelp;
    for (const char* language : {"en", "de", "es", "fr", "pt_BR"}) {
        UseWindowLanguage(TW_LOCALE_DIR, language);
        Shown<BareFrame> shown;
        EXPECT_EQ(shown.frame->convertAndSendButton->GetLabel() == "Convert and Send",
                  std::string(language) == "en")
            << language;
        // The pictures' words too: the help button's differ from the English ones.
        const wxImage help = shown.frame->helpButton->GetBitmap().ConvertToImage();
        if (englishHelp.IsOk()) {
            EXPECT_FALSE(help.GetSize() == englishHelp.GetSize() &&
                         std::equal(help.GetData(),
                                    help.GetData() + help.GetWidth() * help.GetHeight() * 3,
                                    englishHelp.GetData()))
                << language;
        } else {
            englishHelp = help;
        }
        const wxRect room(shown.frame->GetClientSize());
        std::vector<wxWindow*> windows(shown.frame->GetChildren().begin(),
                                       shown.frame->GetChildren().end());
        for (size_t i = 0; i < windows.size(); ++i) {
            wxWindow* w = windows[i];
            windows.insert(windows.end(), w->GetChildren().begin(), w->GetChildren().end());
            const bool labelled = dynamic_cast<wxStaticBox*>(w) || dynamic_cast<wxCheckBox*>(w) ||
                                  dynamic_cast<wxRadioBox*>(w) ||
                                  (dynamic_cast<wxButton*>(w) && !dynamic_cast<wxBitmapButton*>(w));
            if (!labelled || w->GetLabel().empty()) {
                continue;
            }
            const wxRect where(shown.frame->ScreenToClient(w->GetScreenPosition()), w->GetSize());
            EXPECT_LE(w->GetBestSize().x, where.width) << language << ": " << w->GetLabel();
            EXPECT_TRUE(room.Contains(where))
                << language << ": " << w->GetLabel() << " at x " << where.x << " to "
                << where.GetRight() << ", y " << where.y << " to " << where.GetBottom();
        }
    }
    wxTranslations::Set(nullptr);
}
