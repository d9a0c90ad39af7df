// The controller: the vendor list it fills at start-up, steps 1 and 2 of the send panel, and
// the help button.
#include "ui/twUserInterface.h"

#include "../phones/StoredTable.h"
#include "EventPump.h"
#include "MainWindow.h"
#include "TempDir.h"
#include "phones/PhoneCatalogue.h"
#include "phones/TextConversion.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/radiobox.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

struct Window : twtest::MainWindow {
    void Choose(wxChoice* choice, const wxString& text) {
        choice->SetStringSelection(text);
        wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
        event.SetEventObject(choice);
        choice->GetEventHandler()->ProcessEvent(event);
    }
    std::vector<std::string> Items(wxChoice* choice) {
        std::vector<std::string> items;
        for (unsigned int i = 0; i < choice->GetCount(); ++i) {
            items.push_back(choice->GetString(i).ToStdString());
        }
        return items;
    }
};

// A small catalogue in place of the built-in one, listed in the vendor box.
void UseCatalogue(Window& window, const twtest::StoredTable& stored) {
    window.ui->phoneCatalogue = std::make_unique<PhoneCatalogue>(stored.table);
    window.ui->vendorChoice->Clear();
    window.ui->phoneCatalogue->vendorCursor = 0;
    while (const char* vendor = window.ui->phoneCatalogue->NextVendor()) {
        window.ui->vendorChoice->Append(vendor);
    }
}

const twtest::StoredTable& SmallCatalogue() {
    static const twtest::StoredTable stored({
        {"Acme", "OnlyM4a", "M4A|AMR"},
        {"Acme", "Nothing", "AMR|MIDI"},
        {"Acme", "Split", "WAV"},
        {"Acme", "Split", "MP3|WMA"},
        {"Bolt", "Longer", "AACPLUS"},
    });
    return stored;
}

// Clicks where the first of the five items stands.
void ClickFirstItem(wxRadioBox* box) {
    wxUIActionSimulator mouse;
    const wxRect rect = box->GetScreenRect();
    mouse.MouseMove(rect.GetLeft() + rect.GetWidth() / 10,
                    rect.GetTop() + rect.GetHeight() * 2 / 3);
    twtest::PumpEvents(50);
    mouse.MouseClick();
    twtest::PumpEvents(100);
}

std::vector<bool> EnabledItems(wxRadioBox* box) {
    std::vector<bool> enabled;
    for (unsigned int i = 0; i < box->GetCount(); ++i) {
        enabled.push_back(box->IsItemEnabled(i));
    }
    return enabled;
}

} // namespace

TEST(UserInterface, startsWithEveryVendorOnceInCatalogueOrderAndNothingSelected) {
    Window window;
    PhoneCatalogue catalogue;
    std::vector<std::string> expected;
    for (const PhoneRecord& record : catalogue.records) {
        if (expected.empty() || expected.back() != record.vendor.get()) {
            expected.push_back(record.vendor.get());
        }
    }
    EXPECT_EQ(window.Items(window.ui->vendorChoice), expected);
    EXPECT_EQ(window.ui->vendorChoice->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(window.ui->modelChoice->GetCount(), 0u);
    EXPECT_FALSE(window.ui->formatRadioBox->IsEnabled());
}

TEST(UserInterface, choosingAVendorTwiceListsItsModelsOnce) {
    Window window;
    window.Choose(window.ui->vendorChoice, "Nokia");
    const std::vector<std::string> first = window.Items(window.ui->modelChoice);
    window.Choose(window.ui->vendorChoice, "Nokia");
    EXPECT_EQ(window.Items(window.ui->modelChoice), first);
    EXPECT_GT(first.size(), 10u);
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), first.size());
    EXPECT_EQ(window.ui->modelChoice->GetSelection(), wxNOT_FOUND);
}

TEST(UserInterface, aModelWithOnlyM4aEnablesAndSelectsItemThreeAlone) {
    Window window;
    UseCatalogue(window, SmallCatalogue());
    window.Choose(window.ui->vendorChoice, "Acme");
    EXPECT_EQ(window.Items(window.ui->modelChoice),
              (std::vector<std::string>{"OnlyM4a", "Nothing", "Split"}));
    window.Choose(window.ui->modelChoice, "OnlyM4a");
    wxRadioBox* box = window.ui->formatRadioBox;
    EXPECT_TRUE(box->IsEnabled());
    EXPECT_EQ(EnabledItems(box), (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(box->GetSelection(), 3);

    ClickFirstItem(box);
    EXPECT_EQ(box->GetSelection(), 3);
}

TEST(UserInterface, aModelOffersTheUnionOfItsRecordsAndLabelsInsideLongerCodes) {
    Window window;
    UseCatalogue(window, SmallCatalogue());
    window.Choose(window.ui->vendorChoice, "Acme");
    window.Choose(window.ui->modelChoice, "Split");
    EXPECT_EQ(EnabledItems(window.ui->formatRadioBox),
              (std::vector<bool>{true, true, false, false, true}));
    EXPECT_EQ(window.ui->formatRadioBox->GetSelection(), 0);
    window.ui->formatRadioBox->SetSelection(1);
    ClickFirstItem(window.ui->formatRadioBox); // an enabled item takes the click
    EXPECT_EQ(window.ui->formatRadioBox->GetSelection(), 0);
    window.Choose(window.ui->vendorChoice, "Bolt");
    window.Choose(window.ui->modelChoice, "Longer");
    EXPECT_EQ(EnabledItems(window.ui->formatRadioBox),
              (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(window.ui->formatRadioBox->GetSelection(), 2);
}

TEST(UserInterface, aNewVendorKeepsThePreviousModelsFormats) {
    Window window;
    UseCatalogue(window, SmallCatalogue());
    window.Choose(window.ui->vendorChoice, "Acme");
    window.Choose(window.ui->modelChoice, "OnlyM4a");
    window.Choose(window.ui->vendorChoice, "Bolt");
    EXPECT_EQ(window.Items(window.ui->modelChoice), std::vector<std::string>{"Longer"});
    EXPECT_EQ(EnabledItems(window.ui->formatRadioBox),
              (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(window.ui->formatRadioBox->GetSelection(), 3);
}

TEST(UserInterface, aModelWithNoFormatDisablesAllAndKeepsTheSelection) {
    Window window;
    UseCatalogue(window, SmallCatalogue());
    window.Choose(window.ui->vendorChoice, "Acme");
    window.Choose(window.ui->modelChoice, "OnlyM4a");
    window.Choose(window.ui->modelChoice, "Nothing");
    EXPECT_EQ(EnabledItems(window.ui->formatRadioBox), std::vector<bool>(5, false));
    EXPECT_EQ(window.ui->formatRadioBox->GetSelection(), 3);
}

TEST(UserInterface, aVendorNameBeyondAsciiNeverMatches) {
    Window window;
    UseCatalogue(window, SmallCatalogue());
    window.ui->vendorChoice->Append(wxString::FromUTF8("Acm\xc3\xa9"));
    window.Choose(window.ui->vendorChoice, wxString::FromUTF8("Acm\xc3\xa9"));
    EXPECT_EQ(window.ui->modelChoice->GetCount(), 0u);
}

TEST(UserInterface, helpButtonShowsTheHelpBookAndDoesNothingWithoutIt) {
    Window window;
    wxCommandEvent press;
    const size_t before = wxTopLevelWindows.GetCount();
    {
        twtest::TempDir empty;
        const auto here = std::filesystem::current_path();
        std::filesystem::current_path(empty.Path());
        window.ui->OnHelp(press);
        std::filesystem::current_path(here);
    }
    twtest::PumpEvents(100);
    EXPECT_EQ(wxTopLevelWindows.GetCount(), before);

    ASSERT_TRUE(std::filesystem::exists("twk.htb"));
    window.ui->OnHelp(press);
    EXPECT_TRUE(twtest::PumpUntil([&] { return wxTopLevelWindows.GetCount() > before; }));
}
