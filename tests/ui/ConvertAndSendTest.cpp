// The "Convert and Send" button's work under Xvfb over the editor panel: every missing piece in
// one plain message, the save path with a file already there or a folder that can't be
// written, the iPhone and infrared explanations, Cancel and a closing window during the
// conversion, and pushes to a mock of obexd on a private session bus that complete or are
// refused. The dialogs are recorded instead of shown; the converter is Debian's ffmpeg.
#include "BluetoothMockBuses.h"
#include "FileContents.h"
#include "HttpExchange.h"
#include "PanelFixture.h"
#include "WorkingFolder.h"

#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/RingtoneFormat.h"
#include "delivery/WifiAddressFinder.h"
#include "platform/fake/FakeMountedPhones.h"
#include "ui/ConvertAndSendCommand.h"
#include "ui/twOfferDialog.h"
#include "widgets/MessageDialog.h"
#include "widgets/twRuler.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filename.h>
#include <wx/progdlg.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

using Command = ConvertAndSendCommand;

wxString Text(const std::string& utf8) {
    return wxString::FromUTF8(utf8);
}

// Hands the shown progress dialog titled `title` to `act` until it says it acted, from a timer
// that fires while the command's own dialogs run their loops; stops when it goes.
class DialogWatcher {
public:
    DialogWatcher(const wxString& title, std::function<bool(wxProgressDialog&)> act) {
        timer.Bind(wxEVT_TIMER, [this, title, act](wxTimerEvent&) {
            for (wxWindow* window : wxTopLevelWindows) {
                auto* dialog = dynamic_cast<wxProgressDialog*>(window);
                if (!acted && dialog != nullptr && dialog->IsShown() &&
                    dialog->GetTitle() == title) {
                    acted = act(*dialog);
                }
            }
        });
        timer.Start(20);
    }
    bool acted = false;

private:
    wxTimer timer;
};

bool PressCancel(wxProgressDialog& dialog) {
    wxWindow* cancel = dialog.FindWindow(wxID_CANCEL);
    wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
    click.SetEventObject(cancel);
    cancel->GetEventHandler()->ProcessEvent(click);
    return true;
}

class ConvertAndSendTest : public twtest::PanelFixture {
protected:
    ConvertAndSendTest() {
        command.phones = std::make_unique<FakeMountedPhones>();
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
        selection.offeredCodes = {"WAV", "MP3", "AAC", "M4A", "MIDI"};
        selection.format = "MP3";
        start = selection;
    }

    // A ringtone of the given length ready to go: 44100 Hz stereo, cut from second 2.
    void Ready(int32_t seconds) {
        Import(seconds + 4, {44100, 2});
        panel->cutRuler->SetValues(2, 2 + seconds);
    }
    bool TempIsEmpty() const { return working.TempLeftovers().empty(); }

    const twtest::WorkingFolder working;
    Command command{frame, panel};
    Command::Selection selection;
    Command::Selection start;
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
        {"nothing imported", [] {}, Text(delivery_text::noMedia)},
        {"no vendor", [this] { selection.vendor.clear(); }, Text(delivery_text::noPhone)},
        {"no model", [this] { selection.model.clear(); }, Text(delivery_text::noPhone)},
        {"no format", [this] { selection.format.clear(); }, Text(delivery_text::noFormat)},
        {"a phone of no format", [this] { selection.offeredCodes = {"MIDI"}; },
         Text(delivery_text::PhoneTakesNoFormat())},
        {"silence to the cut end",
         [this] {
             panel->silenceRuler->SetValues(panel->cutRuler->endValue,
                                            panel->silenceRuler->endValue);
         },
         Text(delivery_text::silent)},
        {"flags on the same second, by keys or a drag",
         [this] { panel->cutRuler->SetValues(4, 4); }, Text(delivery_text::noLength)},
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
        selection = start;
        imported = true;
    }
}

TEST_F(ConvertAndSendTest, SavesIntoTheChosenFileReplacingWhatWasThere) {
    Ready(3);
    chosen = wxString::FromUTF8(dir.File("old ringtone.mp3"));
    std::ofstream(dir.File("old ringtone.mp3")) << "an older ringtone";
    EXPECT_EQ(command.Run(selection), Command::Outcome::Saved);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], Command::DefaultFolder(*command.phones) + "|Song ringtone.mp3");
    const std::string saved = twtest::Contents(dir.File("old ringtone.mp3"));
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
    // On a phone the desktop has mounted, the place reads as the phone shows it.
    static_cast<FakeMountedPhones&>(*command.phones)
        .phones.push_back({"Google Pixel 8", "", {"/gvfs/Internal"}});
    chosen = "/gvfs/Internal/Ringtones/Song ringtone.mp3";
    told.clear();
    EXPECT_EQ(command.Run(selection), Command::Outcome::Saved);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].StartsWith(wxString::FromUTF8("The ringtone was saved as\nGoogle Pixel 8 "
                                                      "\u203a Internal \u203a Ringtones \u203a "
                                                      "Song ringtone.mp3\n\n")));
}

// By cable, a ringtone of the same name already on the phone is replaced only when the user
// says so.
TEST_F(ConvertAndSendTest, ByCableAFileOfTheSameNameIsReplacedOnlyWhenTheUserSaysSo) {
    Ready(3);
    const std::string ringtones =
        dir.File("gvfs/mtp:host=Google_Pixel_8_3A281FDH2000ZX/Internal shared storage/Ringtones");
    fs::create_directories(ringtones);
    const std::string onPhone = ringtones + "/Song ringtone.mp3";
    std::ofstream(onPhone) << "old";
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = runtime != nullptr ? runtime : "";
    setenv("XDG_RUNTIME_DIR", dir.Path().c_str(), 1);
    selection.sendMethod = "USB cable";
    selection.deviceName = "Google Pixel 8";
    selection.deviceAddress = "Google Pixel 8";
    EXPECT_EQ(command.Run(selection), Command::Outcome::NothingDone);
    EXPECT_EQ(twtest::Contents(onPhone), "old");
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), wxString::FromUTF8("There is a file of that name on the phone already: "
                                               "Google Pixel 8 \u203a Internal shared storage "
                                               "\u203a Ringtones \u203a Song ringtone.mp3.\n\n"
                                               "Replace it?"));
    answer = wxID_YES;
    EXPECT_EQ(command.Run(selection), Command::Outcome::Sent);
    EXPECT_EQ(twtest::Contents(onPhone).substr(0, 3), "ID3");
    ASSERT_FALSE(told.empty());
    EXPECT_TRUE(told.back().StartsWith("\"Song ringtone.mp3\" was copied onto the phone:\n"));
    if (runtime != nullptr) {
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    } else {
        unsetenv("XDG_RUNTIME_DIR");
    }
}

TEST_F(ConvertAndSendTest, TheSaveDialogStartsInAPhonesRingtonesOrTheMusicFolderOrHome) {
    FakeMountedPhones phones;
    const wxString folder = Command::DefaultFolder(phones);
    EXPECT_TRUE(wxFileName::DirExists(folder));
    EXPECT_TRUE(folder == wxGetHomeDir() ||
                folder == wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Music));
    phones.phones.push_back({"Pixel 8", "", {"/gvfs/mtp:host=Pixel_8/Internal"}});
    phones.folders.insert("/gvfs/mtp:host=Pixel_8/Internal/Ringtones");
    EXPECT_EQ(Command::DefaultFolder(phones), "/gvfs/mtp:host=Pixel_8/Internal/Ringtones");
}

TEST_F(ConvertAndSendTest, ASaveThatFailsSaysWhyAndOffersAnotherFolderWithoutConverting) {
    Ready(3);
    const wxString missing = wxString::FromUTF8(dir.File("gone/Song ringtone.mp3"));
    std::vector<wxString> choices{missing, wxString::FromUTF8(dir.File("Song ringtone.mp3"))};
    command.chooseFile = [&](const wxString& folder, const wxString&, const wxString&) {
        offered.push_back(folder);
        // The job's folder still holds the file while the second folder is chosen.
        EXPECT_FALSE(TempIsEmpty());
        const wxString next = choices.front();
        choices.erase(choices.begin());
        return next;
    };
    answer = wxID_YES;
    EXPECT_EQ(command.Run(selection), Command::Outcome::Saved);
    EXPECT_EQ(asked, std::vector<wxString>{Text(delivery_text::SaveFailure(ENOENT)) +
                                           "\n\nChoose another folder?"});
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[1], wxString::FromUTF8(dir.File("gone")));
    EXPECT_TRUE(fs::exists(dir.File("Song ringtone.mp3")));
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(ConvertAndSendTest, CancelOrAClosingWindowStopsTheConversionWithoutAWord) {
    const struct {
        const char* what;
        bool close;
    } cases[] = {{"Cancel", false}, {"closing the window", true}};
    for (const auto& c : cases) {
        Ready(60);
        panel->echoCheck->SetValue(true);
        panel->reverbCheck->SetValue(true);
        EXPECT_FALSE(command.modal.RequestClose()) << c.what;
        const DialogWatcher watcher("Convert", [&](wxProgressDialog& dialog) {
            EXPECT_FALSE(dialog.GetMessage().Contains("can't be stopped"));
            return c.close ? command.modal.RequestClose() : PressCancel(dialog);
        });
        EXPECT_EQ(command.Run(selection), Command::Outcome::NothingDone) << c.what;
        EXPECT_TRUE(watcher.acted) << c.what;
        EXPECT_EQ(command.error, DeliveryError::Cancelled) << c.what;
        EXPECT_EQ(command.modal.closeRequested, c.close) << c.what;
        EXPECT_TRUE(told.empty() && asked.empty() && offered.empty()) << c.what;
        EXPECT_TRUE(TempIsEmpty()) << c.what;
    }
}

TEST(MessageDialog, WrapsEveryLineAtASpaceOrInsideALongWord) {
    const std::string word(100, 'x');
    EXPECT_EQ(WrapMessage("short\n\nlines stay", 10), "short\n\nlines stay");
    EXPECT_EQ(WrapMessage("one two three four", 10), "one two\nthree four");
    EXPECT_EQ(WrapMessage("a " + word, 40),
              "a\n" + word.substr(0, 40) + "\n" + word.substr(40, 40) + "\n" + word.substr(80));
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
    const wxString music = Command::DefaultFolder(*command.phones);
    const wxString fortySeconds = Text(delivery_text::CutQuestion(*FindFormatByName("m4r"), 45));
    const wxString appleBluetooth = Text(delivery_text::iphoneNoBluetooth);
    const wxString infrared = Text(FindDeliveryMethod("Infrared")->UnavailableText());
    const Case cases[] = {
        {"iPhone over Bluetooth, declined", "Apple", "Bluetooth", 5, wxID_NO, {appleBluetooth}, {}},
        {"iPhone over Bluetooth, saved",
         "Apple",
         "Bluetooth",
         5,
         wxID_YES,
         {appleBluetooth},
         {music + "|Song ringtone.m4r"}},
        {"infrared, declined", "Nokia", "Infrared", 5, wxID_NO, {infrared}, {}},
        {"Bluetooth without a device",
         "Nokia",
         "Bluetooth",
         5,
         wxID_YES,
         {Text(delivery_text::noDevice)},
         {music + "|Song ringtone.mp3"}},
        {"infrared, saved",
         "Nokia",
         "Infrared",
         5,
         wxID_YES,
         {infrared},
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
        selection.model = c.vendor == "Apple" ? "iPhone 12" : "6230";
        selection.phone = c.vendor == "Apple" ? PhonePlatform::IPhone : PhonePlatform::Older;
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
        ASSERT_TRUE(twtest::StartObex(mock, outcome, dir.File("received.txt"))) << mock.Error();
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
    EXPECT_TRUE(twtest::Contents(dir.File("received.txt")).starts_with("Song ringtone.mp3 "));
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
    EXPECT_EQ(twtest::Contents(dir.File("received.txt")), "");
    EXPECT_TRUE(TempIsEmpty());
}

TEST_F(ConvertAndSendOverBluetoothTest, CancelInTheSendingDialogStopsThePushAnsweredOrNot) {
    for (const char* outcome : {"hold", "deaf"}) {
        Start(outcome);
        command.cancelGraceMilliseconds = 300;
        const DialogWatcher watcher("Sending", [](wxProgressDialog& dialog) {
            return dialog.GetMessage().Contains("bytes sent") && PressCancel(dialog);
        });
        EXPECT_EQ(command.Run(selection), Command::Outcome::NothingDone) << outcome;
        EXPECT_TRUE(watcher.acted) << outcome;
        EXPECT_EQ(command.error, DeliveryError::Cancelled) << outcome;
        EXPECT_EQ(told, std::vector<wxString>{"Sending was cancelled. The phone may hold part of "
                                              "the file: delete it there if it shows up among "
                                              "the received files."})
            << outcome;
        told.clear();
        EXPECT_TRUE(asked.empty() && offered.empty()) << outcome;
        EXPECT_EQ(twtest::Contents(dir.File("received.txt")), "") << outcome;
        EXPECT_TRUE(TempIsEmpty()) << outcome;
        // Answered or not, the session is removed; the call may still be on its way.
        std::string obexCalls;
        for (int i = 0; i < 6000 && obexCalls.find("RemoveSession") == std::string::npos; ++i) {
            wxMilliSleep(10);
            mock.Call("/org/bluez/obex", "org.freedesktop.DBus.Mock", "GetCalls", "()", &obexCalls);
        }
        EXPECT_NE(obexCalls.find("RemoveSession"), std::string::npos) << outcome;
        mock.Stop();
    }
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

// What a command prints, whole.
std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        while (size_t got = fread(buffer.data(), 1, buffer.size(), pipe)) {
            text.append(buffer.data(), got);
        }
        pclose(pipe);
    }
    return text;
}

// Wi-Fi in the window: the code is read from the screen's pixels by a real decoder, and a real
// HTTP client follows it to the page (the title escaped) and the file, byte for byte.
// Closing the dialog stops the server and closes its port.
TEST_F(ConvertAndSendTest, OverWifiTheDialogsCodeLeadsAPhoneToTheRingtone) {
    if (PhoneReachableAddresses(*CreateNetworkAddresses()).empty()) {
        GTEST_SKIP() << "this machine is on no network a phone could share";
    }
    Ready(3);
    // The file's name keeps what a title may hold that HTML must not take as it is.
    selection.sourcePath = "/music/Tom & Jerry's.mp3";
    selection.sendMethod = "Wi-Fi (scan a code)";
    std::string url, page, downloaded, served;
    std::atomic<bool> fetched = false;
    std::thread phone;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        twOfferDialog* dialog = nullptr;
        for (wxWindow* window : wxTopLevelWindows) {
            if (auto* offer = dynamic_cast<twOfferDialog*>(window); offer && offer->IsShown()) {
                dialog = offer;
            }
        }
        if (dialog == nullptr || dialog->address->GetValue().empty()) {
            return;
        }
        if (url.empty()) {
            // Until the dialog is drawn, there is nothing on the screen to read.
            const std::string shot = dir.File("screen.png");
            Output("import -window root " + shot);
            url = Output("zbarimg -q --raw " + shot + " 2>/dev/null");
            url = url.substr(0, url.find('\n'));
            if (url.empty()) {
                return;
            }
            for (const auto& entry : fs::recursive_directory_iterator("temp")) {
                if (entry.path().extension() == ".mp3") {
                    served = twtest::Contents(entry.path());
                }
            }
            phone = std::thread([&] {
                page =
                    Output("curl -s -A 'Mozilla/5.0 (iPhone; CPU iPhone OS 26_0)' '" + url + "'");
                downloaded = Output("curl -s '" + url + "file'");
                fetched = true;
            });
        } else if (fetched && dialog->stop->GetLabel() == "Close") {
            wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
            click.SetEventObject(dialog->stop);
            dialog->stop->GetEventHandler()->ProcessEvent(click);
        }
    });
    timer.Start(100);
    EXPECT_EQ(command.Run(selection), Command::Outcome::Sent);
    timer.Stop();
    if (phone.joinable()) {
        phone.join();
    }
    ASSERT_TRUE(url.starts_with("http://")) << url;
    EXPECT_GT(served.size(), 1000u);
    EXPECT_EQ(downloaded, served);
    EXPECT_NE(page.find("<h1>Tom &amp; Jerry&#39;s ringtone</h1>"), std::string::npos) << page;
    EXPECT_NE(page.find("Use as Ringtone"), std::string::npos);
    EXPECT_TRUE(told.empty() && asked.empty() && offered.empty());
    EXPECT_TRUE(TempIsEmpty());
    const std::string hostPort = url.substr(7, url.find('/', 7) - 7);
    const std::string host = hostPort.substr(0, hostPort.find(':'));
    const int port = std::stoi(hostPort.substr(hostPort.find(':') + 1));
    EXPECT_EQ(twtest::HttpExchange(host, port, "GET / HTTP/1.0\r\n\r\n"), "refused");
}

} // namespace
