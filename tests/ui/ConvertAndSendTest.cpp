// The "Convert and Send" button's work under Xvfb over the editor panel: every missing piece in
// one plain message, the save path with a file already there, the iPhone and infrared
// explanations, and pushes to a mock of obexd on a private session bus that complete or are
// refused. The dialogs are recorded instead of shown; the converter is Debian's ffmpeg.
#include "DBusMock.h"
#include "PanelFixture.h"

#include "platform/HiddenConsole.h"
#include "platform/linux/PtyConsole.h"
#include "ui/ConvertAndSendCommand.h"
#include "widgets/twRuler.h"

#include <wx/checkbox.h>
#include <wx/filename.h>
#include <wx/progdlg.h>
#include <wx/stdpaths.h>
#include <wx/timer.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

using Command = ConvertAndSendCommand;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ConvertAndSendTest : public twtest::PanelFixture {
protected:
    ConvertAndSendTest() {
        SetProcessConsole(CreatePtyConsole());
        fs::create_directory(temp);
        command.tempFolder = temp;
        command.ask = [this](const wxString&, const wxString& text) {
            asked.push_back(text);
            return answer;
        };
        command.inform = [this](const wxString&, const wxString& text) { told.push_back(text); };
        command.chooseFile = [this](const wxString& folder, const wxString& name, const wxString&) {
            offered.push_back(folder + "|" + name);
            return chosen;
        };
        selection.sourcePath = "/music/Song.mp3";
        selection.vendor = "Nokia";
        selection.model = "6230";
        selection.format = "MP3";
    }
    ~ConvertAndSendTest() override { SetProcessConsole(nullptr); }

    // A ringtone of the given length ready to go: 44100 Hz stereo, cut from second 2.
    void Ready(int32_t seconds) {
        Import(seconds + 4, {44100, 2});
        panel->cutRuler->SetValues(2, 2 + seconds);
    }
    bool TempIsEmpty() const { return fs::is_empty(temp); }

    const std::string temp = dir.File("temp");
    Command command{frame, panel};
    Command::Selection selection;
    int answer = wxID_NO;
    wxString chosen;
    std::vector<wxString> asked;
    std::vector<wxString> told;
    std::vector<wxString> offered;
};

TEST_F(ConvertAndSendTest, EachMissingPieceIsNamedAndNothingIsDone) {
    struct Case {
        const char* what;
        std::function<void()> arrange;
        wxString message;
    };
    const Case cases[] = {
        {"nothing imported", [] {}, Command::noMediaText},
        {"no vendor", [this] { selection.vendor.clear(); }, Command::noPhoneText},
        {"no model", [this] { selection.model.clear(); }, Command::noPhoneText},
        {"no format", [this] { selection.format.clear(); }, Command::noPhoneText},
        {"silence to the cut end",
         [this] {
             panel->silenceRuler->SetValues(panel->cutRuler->endValue,
                                            panel->silenceRuler->endValue);
         },
         Command::silentText},
        {"flags on the same second, by keys or a drag",
         [this] { panel->cutRuler->SetValues(4, 4); }, Command::noLengthText},
    };
    bool imported = false;
    for (const Case& c : cases) {
        if (imported) {
            Ready(5);
        }
        c.arrange();
        told.clear();
        EXPECT_EQ(command.Run(selection), Command::Outcome::NothingDone) << c.what;
        ASSERT_EQ(told.size(), 1u) << c.what;
        EXPECT_EQ(told[0], c.message) << c.what;
        EXPECT_TRUE(offered.empty()) << c.what;
        EXPECT_TRUE(TempIsEmpty()) << c.what;
        selection = Command::Selection{"/music/Song.mp3", "Nokia", "6230", "MP3", "", "", ""};
        imported = true;
    }
}

TEST_F(ConvertAndSendTest, SavesIntoTheChosenFileReplacingWhatWasThere) {
    Ready(3);
    chosen = wxString::FromUTF8(dir.File("old ringtone.mp3"));
    std::ofstream(dir.File("old ringtone.mp3")) << "an older ringtone";
    EXPECT_EQ(command.Run(selection), Command::Outcome::Saved);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], Command::DefaultFolder() + "|Song ringtone.mp3");
    const std::string saved = Contents(dir.File("old ringtone.mp3"));
    EXPECT_GT(saved.size(), 3000u);
    EXPECT_EQ(saved.substr(0, 3), "ID3");
    EXPECT_EQ(command.savedPath, chosen);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].StartsWith("The ringtone was saved as\n" + chosen));
    EXPECT_TRUE(TempIsEmpty());
    // A cancelled save dialog writes nothing.
    chosen.clear();
    EXPECT_EQ(command.Run(selection), Command::Outcome::NothingDone);
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(ConvertAndSendTest, TheSaveDialogStartsInTheMusicFolderOrHome) {
    const wxString folder = Command::DefaultFolder();
    EXPECT_TRUE(wxFileName::DirExists(folder));
    EXPECT_TRUE(folder == wxGetHomeDir() ||
                folder == wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Music));
}

TEST_F(ConvertAndSendTest, IphonesAndInfraredAreExplainedAndSavingOffered) {
    struct Case {
        const char* what;
        wxString vendor;
        wxString method;
        int32_t seconds;
        int answer;
        std::vector<wxString> questions;
        std::vector<wxString> offers;
    };
    const wxString music = Command::DefaultFolder();
    const wxString fortySeconds =
        "iPhones take ringtones as AAC in an .m4r file of at most 40 seconds, and this ringtone "
        "lasts 45 seconds.\n\nContinue with its first 40 seconds?";
    const Case cases[] = {
        {"iPhone over Bluetooth, declined",
         "Apple",
         "Bluetooth",
         5,
         wxID_NO,
         {Command::appleBluetoothText},
         {}},
        {"iPhone over Bluetooth, saved",
         "Apple",
         "Bluetooth",
         5,
         wxID_YES,
         {Command::appleBluetoothText},
         {music + "|Song ringtone.m4r"}},
        {"infrared, declined", "Nokia", "Infrared", 5, wxID_NO, {Command::infraredText}, {}},
        {"Bluetooth without a device",
         "Nokia",
         "Bluetooth",
         5,
         wxID_NO,
         {},
         {music + "|Song ringtone.mp3"}},
        {"infrared, saved",
         "Nokia",
         "Infrared",
         5,
         wxID_YES,
         {Command::infraredText},
         {music + "|Song ringtone.mp3"}},
        {"iPhone, too long, gone back", "Apple", "", 45, wxID_NO, {fortySeconds}, {}},
        {"iPhone, first 40 seconds",
         "Apple",
         "",
         45,
         wxID_YES,
         {fortySeconds},
         {music + "|Song ringtone.m4r"}},
    };
    for (const Case& c : cases) {
        Ready(c.seconds);
        selection.vendor = c.vendor;
        selection.sendMethod = c.method;
        const bool device = c.method != "Bluetooth" || c.vendor == "Apple";
        selection.deviceName = device ? "Phone" : "";
        selection.deviceAddress = device && c.method == "Bluetooth" ? "00:11:22:33:44:55" : "";
        answer = c.answer;
        asked.clear();
        offered.clear();
        command.Run(selection);
        EXPECT_EQ(asked, c.questions) << c.what;
        EXPECT_EQ(offered, c.offers) << c.what;
        EXPECT_TRUE(TempIsEmpty()) << c.what;
    }
}

class ConvertAndSendOverBluetoothTest : public ConvertAndSendTest {
protected:
    void Start(const std::string& outcome) {
        ASSERT_TRUE(mock.Start(twtest::DBusMock::Bus::Session, TW_OBEX_MOCK_TEMPLATE,
                               "org.bluez.obex",
                               "{\"outcome\": \"" + outcome + "\", \"received\": \"" +
                                   dir.File("received.txt") + "\"}"))
            << mock.Error();
        Ready(3);
        selection.sendMethod = "Bluetooth";
        selection.deviceName = "Phone";
        selection.deviceAddress = "00:11:22:33:44:55";
    }
    twtest::DBusMock mock;
};

TEST_F(ConvertAndSendOverBluetoothTest, ACompletedPushSaysHowToSetTheRingtone) {
    Start("complete");
    EXPECT_EQ(command.Run(selection), Command::Outcome::Sent);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].StartsWith("\"Song ringtone.mp3\" was sent to the phone."));
    EXPECT_TRUE(offered.empty());
    EXPECT_TRUE(Contents(dir.File("received.txt")).starts_with("Song ringtone.mp3 "));
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(ConvertAndSendOverBluetoothTest, ARefusedPushSaysSoAndOffersToSave) {
    Start("refuse");
    answer = wxID_YES;
    chosen = wxString::FromUTF8(dir.File("kept.mp3"));
    EXPECT_EQ(command.Run(selection), Command::Outcome::Saved);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], wxString(DescribeDeliveryError(DeliveryError::Refused)) +
                            "\n\nSave the ringtone file instead?");
    EXPECT_EQ(offered.size(), 1u);
    EXPECT_TRUE(fs::exists(dir.File("kept.mp3")));
    EXPECT_EQ(Contents(dir.File("received.txt")), "");
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(ConvertAndSendOverBluetoothTest, CancelInTheSendingDialogStopsThePush) {
    Start("hold");
    // The Sending dialog runs its own loop inside Run: a timer presses its Cancel button once
    // bytes have moved.
    wxTimer presser;
    bool pressed = false;
    presser.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        for (wxWindow* window : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<wxProgressDialog*>(window);
            wxWindow* cancel = dialog != nullptr ? dialog->FindWindow(wxID_CANCEL) : nullptr;
            if (!pressed && cancel != nullptr && dialog->GetTitle() == "Sending" &&
                dialog->GetMessage().Contains("bytes sent")) {
                wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
                click.SetEventObject(cancel);
                cancel->GetEventHandler()->ProcessEvent(click);
                pressed = true;
            }
        }
    });
    presser.Start(20);
    EXPECT_EQ(command.Run(selection), Command::Outcome::NothingDone);
    presser.Stop();
    EXPECT_TRUE(pressed);
    EXPECT_EQ(command.error, DeliveryError::Cancelled);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(offered.empty());
    EXPECT_EQ(Contents(dir.File("received.txt")), "");
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(ConvertAndSendOverBluetoothTest, WithoutObexdTheMessageSaysSo) {
    ASSERT_TRUE(mock.StartBus(twtest::DBusMock::Bus::Session)) << mock.Error();
    Ready(3);
    selection.sendMethod = "Bluetooth";
    selection.deviceAddress = "00:11:22:33:44:55";
    EXPECT_EQ(command.Run(selection), Command::Outcome::Failed);
    EXPECT_EQ(command.error, DeliveryError::NoObexService);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].StartsWith(DescribeDeliveryError(DeliveryError::NoObexService)));
    EXPECT_TRUE(offered.empty());
    EXPECT_TRUE(TempIsEmpty());
}

} // namespace
