// The format items as the user sees them: an item the phone doesn't support is greyed (text
// and circle), a supported one keeps the window's black text. Pixels are read back from the
// screen of the display the test runs on.
#include "ui/twUserInterface.h"

#include "EventPump.h"
#include "MainWindow.h"
#include "phones/PhoneCatalogue.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/radiobox.h>

#include <algorithm>
#include <map>
#include <string>

namespace {

// What one item looks like: its darkest pixel and how many of its pixels are the flat grey
// that fills a disabled circle.
struct ItemLook {
    int darkest = 255;
    int greyFill = 0;
};

wxImage Capture(const wxRect& rect) {
    wxBitmap bitmap(rect.width, rect.height, 24);
    {
        wxMemoryDC memory(bitmap);
        wxScreenDC screen;
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    return bitmap.ConvertToImage();
}

// Each column of the box belongs to the item the box reports at that point of the item row.
std::map<int, ItemLook> LookOfItems(wxRadioBox* box) {
    const wxRect rect = box->GetScreenRect();
    const wxImage image = Capture(rect);
    const int row = rect.height * 2 / 3;
    std::map<int, ItemLook> looks;
    for (int x = 0; x < rect.width; ++x) {
        const int item = box->GetItemFromPoint(rect.GetPosition() + wxPoint(x, row));
        if (item == wxNOT_FOUND) {
            continue;
        }
        ItemLook& look = looks[item];
        // Below the box's label, above its bottom edge.
        for (int y = rect.height / 2; y < rect.height - 3; ++y) {
            const int r = image.GetRed(x, y);
            const int g = image.GetGreen(x, y);
            const int b = image.GetBlue(x, y);
            look.darkest = std::min(look.darkest, std::min({r, g, b}));
            if (std::max({r, g, b}) - std::min({r, g, b}) <= 3 && r >= 220 && r <= 240) {
                ++look.greyFill;
            }
        }
    }
    return looks;
}

void Choose(wxChoice* choice, const wxString& text) {
    ASSERT_TRUE(choice->SetStringSelection(text)) << text;
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetEventObject(choice);
    choice->GetEventHandler()->ProcessEvent(event);
}

} // namespace

TEST(FormatItemsLook, unsupportedFormatsAreGreyedAndSupportedOnesStayBlack) {
    const twtest::MainWindow window;
    twUserInterface* ui = window.ui;
    Choose(ui->vendorChoice, "Google");
    Choose(ui->modelChoice, "Pixel 7a");
    twtest::PumpEvents(200);

    wxRadioBox* box = ui->formatRadioBox;
    const std::map<int, ItemLook> looks = LookOfItems(box);
    ASSERT_EQ(looks.size(), 5u) << "the box did not report five items along its row";
    for (unsigned int i = 0; i < box->GetCount(); ++i) {
        const bool supported = box->GetString(i) != "WMA";
        EXPECT_EQ(box->IsItemEnabled(i), supported) << box->GetString(i);
        const ItemLook& look = looks.at(static_cast<int>(i));
        if (supported) {
            EXPECT_LT(look.darkest, 60) << box->GetString(i) << " should keep black text";
        } else {
            EXPECT_GT(look.darkest, 100) << box->GetString(i) << " should have no dark ink";
            EXPECT_GT(look.greyFill, 20) << box->GetString(i) << " should have a grey circle";
        }
    }
}
