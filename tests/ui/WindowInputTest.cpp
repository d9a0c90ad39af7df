// The main window's ways in besides its controls, under Xvfb on the recording audio layer:
// keys sent as real key presses through the display, files dropped on the frame as the
// toolkit's drop event, the browse dialog, the file named at start, and the tooltips.
#include "DialogAnswerer.h"
#include "EventPump.h"
#include "RecordingLayer.h"
#include "RulerMouse.h"
#include "SourceMedia.h"
#include "SyntheticSong.h"
#include "TempDir.h"
#include "TestWav.h"
#include "app/twApp.h"
#include "audio/AudioEngine.h"
#include "editor/ChorusFinder.h"
#include "editor/EditorMenu.h"
#include "platform/fake/RecordingAudioOutput.h"
#include "ui/MainWindowInput.h"
#include "ui/twUserInterface.h"
#include "widgets/ButtonClick.h"
#include "widgets/twRuler.h"
#include "widgets/twWaveGraph.h"

#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/filepicker.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/radiobox.h>
#include <wx/scrolbar.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using twtest::Calls;
using Command = MainWindowInput::Command;

// The controller with the import and help commands counted instead of run: their own tests
// cover what they do, these only that a key reaches them.
class CountingWindow : public twUserInterface {
public:
    int imports = 0;
    int helps = 0;
    void OnImportMedia(wxCommandEvent&) override { ++imports; }
    void OnHelp(wxCommandEvent&) override { ++helps; }
};

// Answers the browse dialog instead of a person: records its wildcard and picks `answer`, or
// cancels when that is empty.
class BrowseAnswer : public wxModalDialogHook {
public:
    std::string answer;
    int shown = 0;
    wxString wildcard;
    wxString folder;

protected:
    int Enter(wxDialog* dialog) override {
        auto* files = dynamic_cast<wxFileDialog*>(dialog);
        if (files == nullptr) {
            return wxID_NONE;
        }
        ++shown;
        wildcard = files->GetWildcard();
        folder = files->GetDirectory();
        if (answer.empty()) {
            return wxID_CANCEL;
        }
        files->SetPath(answer);
        // GTK takes the name in once the dialog has had a turn of the event loop.
        twtest::PumpUntil([&] { return files->GetPath() == answer; }, 2000);
        return wxID_OK;
    }
};

struct Markers {
    int cutStart, cutEnd, silence, fadeIn, fadeOut, time, streamPos;
    bool operator==(const Markers&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Markers& m) {
    return out << "cut " << m.cutStart << ".." << m.cutEnd << " silence " << m.silence
               << " fade-in " << m.fadeIn << " fade-out " << m.fadeOut << " time " << m.time
               << " stream " << m.streamPos;
}

class WindowInput : public ::testing::Test {
protected:
    WindowInput() { Open(); }
    ~WindowInput() override { Close(); }

    // A fresh window over a fresh recording layer (the controller releases the engine).
    void Open() {
        layer.emplace();
        ui = new CountingWindow();
        ui->audioEngine->AwaitOutput();
        ui->Show();
        // Without a window manager this is what gives the frame the keyboard.
        ui->Raise();
        twtest::PumpUntil([&] { return ui->IsActive(); }, 2000);
        panel = ui->mediaEditControl;
        // Seen before the window's own key handling, which runs right after it.
        ui->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
            ++keysSeen;
            event.Skip();
        });
    }
    void Close() {
        ui->Destroy();
        twtest::PumpEvents(10);
    }

    // A real key press through the display, with the focus on `focus`; returns once the window
    // has handled it.
    // Without `focus` the key goes wherever the focus is.
    void Press(wxWindow* focus, int key, int modifiers = wxMOD_NONE) {
        if (focus != nullptr) {
            focus->SetFocus();
            ASSERT_TRUE(twtest::PumpUntil([&] { return wxWindow::FindFocus() == focus; }))
                << "focus did not move";
        }
        const int before = keysSeen;
        wxUIActionSimulator().Char(key, modifiers);
        ASSERT_TRUE(twtest::PumpUntil([&] { return keysSeen > before; })) << "key not seen";
        twtest::PumpEvents(0);
    }
    // A sound file of the name's kind for the picker, whose content the recording layer never
    // reads.
    std::string File(const std::string& name) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(twtest::MakeTone(path, name.ends_with(".flac") ? "-c:a flac" : "-f wav"));
        return path;
    }
    // A 60-second working file loaded as the import loads it: cut 1..45, silence 1, fade-in
    // 5, fade-out 42, every time ruler over 1..60.
    void Import() {
        const std::string work = dir.File("current.wav");
        ASSERT_TRUE(twtest::WriteWav(work, {8000, 1}, twtest::Sine({8000, 1}, 60, 440, 9000)));
        ASSERT_TRUE(panel->CalculateMediaData(work, ui));
        panel->ResetZoom();
    }
    Calls Since() { return layer->Since(); }
    Markers Read() const {
        return {panel->cutRuler->startValue,
                panel->cutRuler->endValue,
                panel->silenceRuler->startValue,
                panel->fadeInRuler->startValue,
                panel->fadeOutRuler->startValue,
                panel->timeRuler->startValue,
                panel->streamPos};
    }
    static void Mouse(twRuler* ruler, wxEventType type, int x) {
        twtest::RulerMouse(ruler, type, x);
    }
    // Presses a marker with the pointer and lets go without moving it.
    static void Pick(twRuler* ruler, int marker) {
        const int x = MarkerX(ruler, marker);
        Mouse(ruler, wxEVT_LEFT_DOWN, x);
        ASSERT_EQ(ruler->dragMarker, marker);
        Mouse(ruler, wxEVT_LEFT_UP, x);
    }
    // Drags a marker with the pointer to where the ruler maps value v, and lets go there.
    static void Drag(twRuler* ruler, int marker, int v) {
        int to = MarkerX(ruler, marker);
        for (int x = -60; x < ruler->rulerWidth + 60; ++x) {
            if (ruler->Geometry().ValueAt(x) == v) {
                to = x;
                break;
            }
        }
        Mouse(ruler, wxEVT_LEFT_DOWN, MarkerX(ruler, marker));
        ASSERT_EQ(ruler->dragMarker, marker);
        Mouse(ruler, wxEVT_MOTION, to);
        Mouse(ruler, wxEVT_LEFT_UP, to);
    }
    // Inside the marker's picture, on the side away from the other marker (the start marker's
    // picture lies right of its value, the end marker's left of it), so that two markers close
    // together are told apart.
    static int MarkerX(twRuler* ruler, int marker) {
        if (marker == 1) {
            const int left = ruler->Geometry().DrawnX(ruler->startValue, ruler->startHotspot);
            return left + ruler->startBitmap->GetWidth() - 2;
        }
        return ruler->Geometry().DrawnX(ruler->endValue, ruler->endHotspot) + 1;
    }

    twtest::TempDir dir;
    std::optional<twtest::RecordingLayer> layer;
    CountingWindow* ui;
    twMediaEditControl* panel;
    int keysSeen = 0;
};

void Count(wxWindow* button, int& count) {
    button->Bind(wxEVT_COMMAND_BUTTON_CLICKED, [&count](wxCommandEvent& event) {
        ++count;
        event.Skip();
    });
}

} // namespace

// Each key's command is seen through real key presses below; here, that only the exact
// modifiers count.
TEST(WindowShortcuts, otherModifiersOrKeysHaveNoCommand) {
    const std::vector<std::pair<int, int>> cases = {
        {'O', wxMOD_NONE},          {'I', wxMOD_CONTROL | wxMOD_SHIFT},
        {WXK_SPACE, wxMOD_CONTROL}, {WXK_LEFT, wxMOD_SHIFT},
        {WXK_ESCAPE, wxMOD_ALT},    {WXK_RETURN, wxMOD_NONE},
        {'P', wxMOD_CONTROL},       {WXK_F2, wxMOD_NONE},
    };
    for (const auto& [key, modifiers] : cases) {
        EXPECT_EQ(MainWindowInput::CommandFor(key, modifiers), Command::None)
            << "key " << key << " modifiers " << modifiers;
    }
}

TEST_F(WindowInput, eachKeyReachesTheHandlerOfItsControl) {
    int plays = 0, pauses = 0, stops = 0;
    Count(panel->playButton, plays);
    Count(panel->pauseButton, pauses);
    Count(panel->stopButton, stops);
    BrowseAnswer browse;
    browse.Register();
    struct KeyCase {
        int key;
        int modifiers;
        std::function<int()> handled;
    };
    const std::vector<KeyCase> cases = {
        {WXK_SPACE, wxMOD_NONE, [&] { return plays; }},
        {WXK_ESCAPE, wxMOD_NONE, [&] { return stops; }},
        {'o', wxMOD_CONTROL, [&] { return browse.shown; }},
        {'i', wxMOD_CONTROL, [&] { return ui->imports; }},
        {WXK_F1, wxMOD_NONE, [&] { return ui->helps; }},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE("key " + std::to_string(c.key));
        const int before = c.handled();
        Press(ui->playMediaButton, c.key, c.modifiers);
        EXPECT_EQ(c.handled(), before + 1);
    }
    EXPECT_EQ(pauses, 0) << "nothing plays, so Space plays";
    EXPECT_EQ(browse.wildcard,
              "All sound and video files|*.wav;*.mp3;*.aac;*.mp4;*.m4a;*.flac;*.ogg;*.oga;*.opus;"
              "*.webm;*.mka;*.mkv;*.aif;*.aiff;*.wma;*.asf;*.mov;*.3gp;*.amr;*.m4b|WAV files "
              "(wav)|*.wav|MP3 files (mp3)|*.mp3|AAC files (aac)|*.aac|MPEG4 files (mp4, "
              "m4a)|*.mp4;*.m4a|FLAC files (flac)|*.flac|Ogg files (ogg, oga)|*.ogg;*.oga|Opus "
              "files (opus)|*.opus|WebM files (webm)|*.webm|Matroska files (mka, mkv)|*.mka;*.mkv|"
              "AIFF files (aif, aiff)|*.aif;*.aiff|Windows Media files (wma, asf)|*.wma;*.asf|"
              "QuickTime movies (mov)|*.mov|3GP and AMR files (3gp, amr)|*.3gp;*.amr|M4B "
              "audiobooks (m4b)|*.m4b|All files|*");
}

TEST_F(WindowInput, keysWorkFromTheStartBeforeAnyControlIsChosen) {
    int plays = 0;
    Count(panel->playButton, plays);
    Press(nullptr, WXK_SPACE);
    EXPECT_EQ(plays, 1);
    EXPECT_EQ(wxWindow::FindFocus(), ui->playMediaButton);
}

TEST_F(WindowInput, spaceWorksWhereverItHasNoMeaningOfItsOwnAndTicksACheckBox) {
    int plays = 0;
    Count(panel->playButton, plays);
    const std::vector<wxWindow*> focused = {
        ui->playMediaButton,      ui->helpButton,
        panel->playButton,        panel->scrollBar,
        ui->vendorChoice,         panel->cutRuler,
        ui->convertAndSendButton, ui->mediaFilePicker->GetPickerCtrl()};
    for (wxWindow* focus : focused) {
        SCOPED_TRACE(wxString(focus->GetClassInfo()->GetClassName()).ToStdString());
        const int before = plays;
        Press(focus, WXK_SPACE);
        EXPECT_EQ(plays, before + 1);
        EXPECT_FALSE(panel->echoCheck->IsChecked());
    }
    Press(panel->echoCheck, WXK_SPACE);
    EXPECT_TRUE(twtest::PumpUntil([&] { return panel->echoCheck->IsChecked(); }));
    EXPECT_EQ(plays, static_cast<int>(focused.size()));
}

TEST_F(WindowInput, thePickersTextFieldKeepsEveryKeyForTyping) {
    int plays = 0, stops = 0;
    Count(panel->playButton, plays);
    Count(panel->stopButton, stops);
    BrowseAnswer browse;
    browse.Register();
    wxTextCtrl* field = ui->mediaFilePicker->GetTextCtrl();
    ASSERT_NE(field, nullptr);
    for (const auto& [key, modifiers] : std::vector<std::pair<int, int>>{{WXK_SPACE, wxMOD_NONE},
                                                                         {WXK_ESCAPE, wxMOD_NONE},
                                                                         {'o', wxMOD_CONTROL},
                                                                         {'i', wxMOD_CONTROL},
                                                                         {WXK_F1, wxMOD_NONE},
                                                                         {WXK_LEFT, wxMOD_NONE}}) {
        Press(field, key, modifiers);
    }
    EXPECT_EQ(plays + stops + browse.shown + ui->imports + ui->helps, 0);
    EXPECT_TRUE(twtest::PumpUntil([&] { return field->GetValue() == " "; }))
        << "typed: '" << field->GetValue() << "'";
}

// Spaces typed after a part of the path that names a file were lost, and one started the
// preview: the window asked only the toolkit's focus, which can point elsewhere (here: a focus
// request a disabled button can't take) while the field takes the keys.
TEST_F(WindowInput, whatIsTypedInThePickersFieldStaysThereWhereverTheFocusIsReported) {
    std::ofstream("x") << "sound"; // the key presses type no capitals, which temp folders have
    Import();
    int plays = 0;
    Count(panel->playButton, plays);
    wxTextCtrl* field = ui->mediaFilePicker->GetTextCtrl();
    Press(field, 'x');
    field->ChangeValue("");
    ui->helpButton->Disable();
    ui->helpButton->SetFocus();
    ui->helpButton->Enable();
    for (const char c : std::string("x y z")) {
        Press(nullptr, c);
    }
    EXPECT_TRUE(twtest::PumpUntil([&] { return field->GetValue() == "x y z"; }))
        << "typed: '" << field->GetValue() << "'";
    EXPECT_EQ(plays, 0);
    std::filesystem::remove("x");
}

TEST_F(WindowInput, spacePlaysPausesAndResumesTheRingtoneAndEscapeStopsIt) {
    Import();
    Since();
    Press(ui->helpButton, WXK_SPACE);
    EXPECT_TRUE(ui->audioEngine->playing);
    EXPECT_FALSE(ui->audioEngine->paused);
    EXPECT_FALSE(ui->audioEngine->fromFile);
    Press(ui->helpButton, WXK_SPACE);
    EXPECT_TRUE(ui->audioEngine->paused);
    Press(ui->helpButton, WXK_SPACE);
    EXPECT_FALSE(ui->audioEngine->paused);
    EXPECT_TRUE(ui->audioEngine->playing);
    Press(ui->helpButton, WXK_ESCAPE);
    EXPECT_FALSE(ui->audioEngine->playing);
    const Calls made = Since();
    ASSERT_FALSE(made.empty());
    EXPECT_EQ(made.front().rfind("CreateProcedureStream(8000,1,", 0), 0u) << made.front();
}

TEST_F(WindowInput, arrowsHomeAndEndBeforeAnyDragMoveNothing) {
    Import();
    const Markers before = Read();
    for (const int key : {WXK_RIGHT, WXK_LEFT, WXK_HOME, WXK_END}) {
        Press(ui->helpButton, key);
    }
    EXPECT_EQ(Read(), before);
    EXPECT_EQ(panel->volumeRuler->startValue, 100);
    EXPECT_FALSE(panel->NudgeMarker(1));
}

// A drag stops short of a ruler's end (the pointer maps past the range first); the keys don't.
TEST_F(WindowInput, homeEndAndTheArrowsTakeTheMarkerLastDraggedAsFarAsItsRulesAllow) {
    Import();
    panel->cutRuler->SetValues(10, 45);
    panel->volumeRuler->SetValues(93, 200);
    struct EndCase {
        twRuler* ruler;
        int marker, key, expected; // the marker's value afterwards
    };
    const std::vector<EndCase> cases = {
        {panel->cutRuler, 1, WXK_END, 45},     {panel->fadeInRuler, 1, WXK_END, 45},
        {panel->cutRuler, 1, WXK_HOME, 1},     {panel->cutRuler, 2, WXK_END, 60},
        {panel->cutRuler, 2, WXK_HOME, 1},     {panel->volumeRuler, 1, WXK_RIGHT, 94},
        {panel->volumeRuler, 1, WXK_END, 100}, {panel->volumeRuler, 1, WXK_RIGHT, 100},
        {panel->volumeRuler, 1, WXK_HOME, 1},  {panel->volumeRuler, 1, WXK_LEFT, 1},
    };
    for (const EndCase& c : cases) {
        Pick(c.ruler, c.marker);
        Press(ui->playMediaButton, c.key);
        EXPECT_EQ(c.marker == 1 ? c.ruler->startValue : c.ruler->endValue, c.expected)
            << c.ruler->GetName() << " key " << c.key;
    }
    EXPECT_TRUE(panel->volumeRuler->GetToolTipText().EndsWith("\nVolume 1%"));
}

TEST_F(WindowInput, arrowsMoveTheMarkerLastDraggedExactlyAsADragOfOneSecondDoes) {
    struct NudgeCase {
        const char* name;
        std::function<void(twMediaEditControl*)> setUp;
        std::function<twRuler*(twMediaEditControl*)> ruler;
        int marker;
        int key;
        int expected; // the marker's value afterwards
    };
    const auto cut = [](twMediaEditControl* p) { return p->cutRuler; };
    const auto fadeIn = [](twMediaEditControl* p) { return p->fadeInRuler; };
    const auto fadeOut = [](twMediaEditControl* p) { return p->fadeOutRuler; };
    const auto time = [](twMediaEditControl* p) { return p->timeRuler; };
    const auto none = [](twMediaEditControl*) {};
    const std::vector<NudgeCase> cases = {
        {"cut start at the lower end stays", none, cut, 1, WXK_LEFT, 1},
        {"cut end at the upper end stays",
         [](twMediaEditControl* p) { p->cutRuler->SetValues(1, 60); }, cut, 2, WXK_RIGHT, 60},
        {"cut start carries the silence and the fade-in along", none, cut, 1, WXK_RIGHT, 2},
        {"cut end pulls the fade-out along", none, cut, 2, WXK_LEFT, 44},
        {"cut start meets the cut end",
         [](twMediaEditControl* p) { p->cutRuler->SetValues(44, 45); }, cut, 1, WXK_RIGHT, 45},
        {"cut start never passes the cut end",
         [](twMediaEditControl* p) { p->cutRuler->SetValues(45, 45); }, cut, 1, WXK_RIGHT, 45},
        {"fade-in pushes the fade-out ahead of it",
         [](twMediaEditControl* p) { p->fadeOutRuler->SetValues(5, 160); }, fadeIn, 1, WXK_RIGHT,
         6},
        {"fade-out at the cut end goes no further",
         [](twMediaEditControl* p) { p->fadeOutRuler->SetValues(45, 160); }, fadeOut, 1, WXK_RIGHT,
         45},
        {"position marker moves the play position as a release does",
         [](twMediaEditControl* p) { p->timeRuler->SetValues(10, 160); }, time, 1, WXK_RIGHT, 11},
        {"position marker at the upper end stays",
         [](twMediaEditControl* p) { p->timeRuler->SetValues(60, 160); }, time, 1, WXK_RIGHT, 60},
    };
    for (const NudgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Each run starts from a first import in a new window: a later import places the
        // rulers differently.
        Close();
        Open();
        Import();
        c.setUp(panel);
        twRuler* ruler = c.ruler(panel);
        Pick(ruler, c.marker);
        const int from = c.marker == 1 ? ruler->startValue : ruler->endValue;
        Press(ui->playMediaButton, c.key);
        const Markers nudged = Read();
        EXPECT_EQ(c.marker == 1 ? ruler->startValue : ruler->endValue, c.expected);

        Close();
        Open();
        Import();
        c.setUp(panel);
        ruler = c.ruler(panel);
        Drag(ruler, c.marker, from + (c.key == WXK_RIGHT ? 1 : -1));
        EXPECT_EQ(nudged, Read()) << "the drag";
    }
}

TEST_F(WindowInput, aDragEndedByLosingTheMouseCountsAsTheLastDrag) {
    Import();
    Pick(panel->cutRuler, 1);
    twRuler* ruler = panel->fadeOutRuler;
    Mouse(ruler, wxEVT_LEFT_DOWN, MarkerX(ruler, 1));
    ASSERT_EQ(ruler->dragMarker, 1);
    wxMouseCaptureLostEvent lost(ruler->GetId());
    lost.SetEventObject(ruler);
    ruler->ProcessWindowEvent(lost);
    if (ruler->HasCapture()) {
        ruler->ReleaseMouse();
    }
    Press(ui->playMediaButton, WXK_LEFT);
    EXPECT_EQ(ruler->startValue, 41);
    EXPECT_EQ(panel->cutRuler->startValue, 1);
}

TEST_F(WindowInput, aDroppedFileIsPickedAsThePickerPicksIt) {
    const std::string song = File("song.wav");
    const std::string other = File("other.flac");
    std::filesystem::create_directory(dir.File("folder"));
    struct DropCase {
        const char* name;
        std::vector<std::string> files;
        std::string picked; // empty: nothing happens
    };
    const std::vector<DropCase> cases = {
        {"one file", {song}, song},
        {"several files: the first", {other, song}, other},
        {"no file at all", {}, ""},
        {"a folder", {dir.File("folder"), song}, ""},
        {"a file that is gone", {dir.File("gone.wav")}, ""},
    };
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.name);
        ui->mediaFilePicker->SetPath("");
        Since();
        auto* names = new wxString[c.files.size()];
        for (size_t i = 0; i < c.files.size(); ++i) {
            names[i] = c.files[i];
        }
        // The event owns the names.
        wxDropFilesEvent drop(wxEVT_DROP_FILES, static_cast<int>(c.files.size()), names);
        drop.SetEventObject(ui);
        ui->ProcessWindowEvent(drop);
        if (c.picked.empty()) {
            EXPECT_EQ(Since(), Calls{});
            EXPECT_EQ(ui->mediaFilePicker->GetPath(), "");
            continue;
        }
        EXPECT_EQ(ui->mediaFilePicker->GetPath(), c.picked);
        const Calls made = Since();
        ASSERT_GE(made.size(), 2u);
        EXPECT_NE(std::find(made.begin(), made.end(),
                            "CreateFileStream(" + std::string(c.picked == song ? "WAV," : "FLAC,") +
                                c.picked + ")"),
                  made.end());
        EXPECT_EQ(made.back().rfind("Play(", 0), 0u) << made.back();
    }
}

TEST_F(WindowInput, theBrowseDialogPicksWhatIsChosenAndCancelChangesNothing) {
    const std::string song = File("song.mp3");
    BrowseAnswer browse;
    browse.Register();
    Since();
    Press(panel->echoCheck, 'o', wxMOD_CONTROL);
    EXPECT_EQ(browse.shown, 1);
    EXPECT_EQ(Since(), Calls{});
    EXPECT_EQ(ui->mediaFilePicker->GetPath(), "");

    browse.answer = song;
    Press(panel->echoCheck, 'o', wxMOD_CONTROL);
    EXPECT_EQ(browse.shown, 2);
    EXPECT_EQ(ui->mediaFilePicker->GetPath(), song);
    EXPECT_EQ(Since(),
              (Calls{"CreateFileStream(MP3," + song + ")", "SetVolume(1,1)", "Play(1,restart)"}));
}

// Typed key by key into the picker's field, the path plays once it names the file.
TEST_F(WindowInput, aPathTypedIntoThePickerPlaysOnceItNamesTheFile) {
    ASSERT_TRUE(twtest::MakeTone("typed.opus", "-c:a libopus"));
    Since();
    wxTextCtrl* field = ui->mediaFilePicker->GetTextCtrl();
    Press(field, 't');
    wxUIActionSimulator().Text("yped.opus");
    EXPECT_TRUE(twtest::PumpUntil([&] { return ui->audioEngine->playing; }));
    EXPECT_EQ(Since(),
              (Calls{"CreateFileStream(Opus,typed.opus)", "SetVolume(1,1)", "Play(1,restart)"}));
    std::filesystem::remove("typed.opus");
}

TEST_F(WindowInput, thePickersButtonBrowsesWhereAFileWasLastPickedElseInMusicNotTheWorkingFolder) {
    const std::string music = dir.File("Music");
    std::filesystem::create_directories(music);
    std::ofstream(dir.File("user-dirs.dirs")) << "XDG_MUSIC_DIR=\"" << music << "\"\n";
    setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    BrowseAnswer browse;
    browse.Register();
    // Nothing picked yet, a song, a picture of the working folder (build/run).
    for (const auto& [picked, opens] : std::vector<std::pair<std::string, std::string>>{
             {"", music}, {File("song.wav"), dir.Path()}, {"images/Help.bmp", music}}) {
        if (!picked.empty()) {
            // A picture is no sound: the message that says so is answered.
            const twtest::DialogAnswerer ok(wxID_OK);
            MainWindowInput::PickMediaFile(*ui, picked);
        }
        ClickButton(ui->mediaFilePicker->GetPickerCtrl());
        EXPECT_EQ(browse.folder, opens) << picked;
    }
    unsetenv("XDG_CONFIG_HOME");
}

TEST_F(WindowInput, theFileNamedAtStartIsPickedFromTheCurrentFolderAndPlays) {
    const std::string song = File("start song.wav");
    const std::string relative =
        std::filesystem::relative(song, std::filesystem::current_path()).string();
    ASSERT_NE(relative.front(), '/');
    Since();
    twApp::PickStartFile(relative);
    EXPECT_EQ(ui->mediaFilePicker->GetPath(), song);
    EXPECT_EQ(Since(),
              (Calls{"CreateFileStream(WAV," + song + ")", "SetVolume(1,1)", "Play(1,restart)"}));
    twApp::PickStartFile(dir.File("missing.wav"));
    EXPECT_EQ(Since(), Calls{});
}

TEST_F(WindowInput, sAndTheMenuMoveTheCutOntoEachSuggestionInTurnAsADragWould) {
    twtest::SongPlan plan;
    plan.sampleRate = 8000;
    const std::string work = dir.File("current.wav");
    ASSERT_TRUE(twtest::WriteWav(work, {8000, 1}, twtest::MakeSong(plan).samples));
    ASSERT_TRUE(panel->CalculateMediaData(work, ui));
    panel->ResetZoom();
    panel->silenceRuler->DragTo(1, 3);
    ChromaCells cells;
    ASSERT_EQ(cells.Analyse(work), WavError::None);
    // 44 seconds of ringtone, 2 of them silence.
    const std::vector<RulerRange> ranges = ChorusFinder::Suggest(cells, 42);
    ASSERT_GE(ranges.size(), 2u);
    const Markers placed = Read();
    const auto movedTo = [&](int32_t start, int32_t streamPos) {
        const int32_t by = start - placed.cutStart;
        return Markers{start,
                       placed.cutEnd + by,
                       placed.silence + by,
                       placed.fadeIn + by,
                       placed.fadeOut + by,
                       placed.time,
                       streamPos};
    };

    Press(ui->playMediaButton, 's');
    ASSERT_TRUE(twtest::PumpUntil([&] { return Read().cutStart != placed.cutStart; }, 10000));
    EXPECT_EQ(Read(), movedTo(ranges[0].start, ranges[0].start * 16000));
    wxCommandEvent again(wxEVT_MENU, EditorMenu::kSuggest);
    panel->ProcessWindowEvent(again);
    EXPECT_EQ(Read(), movedTo(ranges[1].start, std::max(ranges[0].start, ranges[1].start) * 16000))
        << "the release rule keeps a play position after the new start";
    EXPECT_EQ(EditorMenu::Build(false)->FindItem(EditorMenu::kSuggest)->GetItemLabelText(),
              "Suggest the catchiest part");

    // The menu's check item switches phone loudness and shows its state the next time.
    for (const bool on : {true, false}) {
        wxCommandEvent loudness(wxEVT_MENU, EditorMenu::kPhoneLoudness);
        loudness.SetInt(on ? 1 : 0);
        panel->ProcessWindowEvent(loudness);
        EXPECT_EQ(panel->PhoneLoudness(), on);
        EXPECT_EQ(EditorMenu::Build(on)->IsChecked(EditorMenu::kPhoneLoudness), on);
    }
}

TEST_F(WindowInput, tooltipsSayWhatEachPartDoesAndTheRulersTheirValues) {
    for (wxWindow* window : std::vector<wxWindow*>{
             panel->echoCheck, panel->reverbCheck, panel->chorusCheck,
             ui->vendorChoice->GetParent(), ui->vendorChoice, ui->modelChoice, ui->formatRadioBox,
             ui->sendMethodChoice->GetParent(), ui->deviceChoice, ui->refreshDevicesButton}) {
        EXPECT_FALSE(window->GetToolTipText().empty()) << window->GetName();
    }
    EXPECT_TRUE(panel->cutRuler->GetToolTipText().StartsWith(
        "Drag the flags to choose where the ringtone starts and ends; "));
    Import();
    EXPECT_TRUE(panel->cutRuler->GetToolTipText().EndsWith("ends\nRingtone 0:00 to 0:44, 44 s"));
    Pick(panel->fadeInRuler, 1);
    Press(ui->playMediaButton, WXK_LEFT);
    EXPECT_TRUE(panel->waveGraph->GetToolTipText().EndsWith(
        "\nRingtone 0:00 to 0:44, 44 s; fade-in 3 s; fade-out 3 s"))
        << panel->waveGraph->GetToolTipText();
    // The loudness comes from a worker thread.
    ASSERT_TRUE(twtest::PumpUntil([this] { return !panel->LoudnessPending(); }));
    EXPECT_TRUE(panel->volumeRuler->GetToolTipText().Contains("\nVolume 100%\nThe ringtone: "))
        << panel->volumeRuler->GetToolTipText();
}

// The choices are too narrow for long names; their tooltips show the selection in full.
TEST_F(WindowInput, theSendPanelsChoicesShowTheirSelectionInFullInTheirTooltips) {
    const auto choose = [](wxChoice* choice, int item) {
        choice->SetSelection(item);
        wxCommandEvent chosen(wxEVT_CHOICE, choice->GetId());
        chosen.SetEventObject(choice);
        choice->ProcessWindowEvent(chosen);
    };
    ui->deviceChoice->Append("Pixel 8 Pro of the whole family (71:13)");
    const wxString tip = ui->deviceChoice->GetToolTipText();
    choose(ui->deviceChoice, static_cast<int>(ui->deviceChoice->GetCount()) - 1);
    EXPECT_EQ(ui->deviceChoice->GetToolTipText(),
              "Pixel 8 Pro of the whole family (71:13)\n" + tip);
    choose(ui->vendorChoice, 0);
    choose(ui->modelChoice, 0);
    EXPECT_TRUE(ui->modelChoice->GetToolTipText().StartsWith(ui->modelChoice->GetString(0) + "\n"));
    choose(ui->vendorChoice, 1); // a new vendor's models, none chosen
    EXPECT_EQ(ui->modelChoice->GetToolTipText(), "Choose who made your phone, then its model");
}
