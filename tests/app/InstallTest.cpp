// Installing for the desktop, end to end: scripts/install into a temporary prefix, the
// installed launcher started from another folder under Xvfb with a file to play, an import
// from the keyboard, closing, and scripts/uninstall, which must leave nothing behind. HOME and
// XDG_DATA_HOME point into the test's own folder, so the real home is never touched.
#include "AlsaFileSink.h"
#include "TempDir.h"
#include "TestWav.h"

// Before the X headers, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Starts argv in folder cwd with its output going to file `log`; -1 when it can't start.
pid_t Start(const std::vector<std::string>& argv, const fs::path& cwd, const fs::path& log) {
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Exit status, or -1 when it did not end within the bound (then it is killed).
int Wait(pid_t pid, int seconds = 300) {
    for (int i = 0; i < seconds * 20; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

// Runs a command to its end; its status and what it printed.
std::pair<int, std::string> RunToEnd(const std::vector<std::string>& argv, const fs::path& cwd,
                                     const fs::path& log) {
    fs::remove(log);
    const pid_t pid = Start(argv, cwd, log);
    const int status = pid < 0 ? -1 : Wait(pid);
    return {status, Read(log)};
}

// Polls until the condition holds; a generous bound only keeps a failure from hanging.
template <typename Condition> bool Eventually(Condition condition, int seconds = 60) {
    for (int i = 0; i < seconds * 20; ++i) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

// Every file, link and folder below root, relative to it.
std::vector<std::string> Entries(const fs::path& root) {
    std::vector<std::string> found;
    if (fs::exists(root)) {
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            found.push_back(fs::relative(entry.path(), root).string());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

class XDisplay {
public:
    XDisplay() : display(XOpenDisplay(nullptr)) {}
    ~XDisplay() {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }
    ::Display* get() const { return display; }

    // A mapped top-level window with this title, or 0.
    Window Find(const char* title) const {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        Window found = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count && found == 0; ++i) {
                char* name = nullptr;
                XWindowAttributes attributes;
                if (XFetchName(display, children[i], &name) != 0 && name != nullptr &&
                    std::strcmp(name, title) == 0 &&
                    XGetWindowAttributes(display, children[i], &attributes) != 0 &&
                    attributes.map_state == IsViewable) {
                    found = children[i];
                }
                if (name != nullptr) {
                    XFree(name);
                }
            }
            XFree(children);
        }
        return found;
    }

    // Ctrl and a letter, typed into the window as a person would.
    void ControlKey(Window window, KeySym letter) const {
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
        const KeyCode key = XKeysymToKeycode(display, letter);
        XTestFakeKeyEvent(display, control, True, CurrentTime);
        XTestFakeKeyEvent(display, key, True, CurrentTime);
        XTestFakeKeyEvent(display, key, False, CurrentTime);
        XTestFakeKeyEvent(display, control, False, CurrentTime);
        XSync(display, False);
    }

    // Asks the window to close, as a window manager's close button does.
    void Close(Window window) const {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }

private:
    ::Display* display;
};

// Asks the window to close every fifth of a second until the program ends; its exit status,
// or -1 when it had to be killed after a minute.
int CloseAndWait(const XDisplay& display, Window window, pid_t pid) {
    for (int i = 0; i < 300; ++i) {
        display.Close(window);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

bool Maps(pid_t pid, const std::string& library) {
    return Read("/proc/" + std::to_string(pid) + "/maps").find(library) != std::string::npos;
}

const std::vector<std::string> kInstalled = {
    "bin/tonewick",
    "lib/tonewick/libtw_decoder.so",
    "lib/tonewick/tonewick",
    "share/applications/org.tonewick.tonewick.desktop",
    "share/icons/hicolor/128x128/apps/tonewick.png",
    "share/icons/hicolor/16x16/apps/tonewick.png",
    "share/icons/hicolor/22x22/apps/tonewick.png",
    "share/icons/hicolor/24x24/apps/tonewick.png",
    "share/icons/hicolor/256x256/apps/tonewick.png",
    "share/icons/hicolor/32x32/apps/tonewick.png",
    "share/icons/hicolor/48x48/apps/tonewick.png",
    "share/icons/hicolor/64x64/apps/tonewick.png",
    "share/locale/de/LC_MESSAGES/tonewick.mo",
    "share/locale/es/LC_MESSAGES/tonewick.mo",
    "share/locale/fr/LC_MESSAGES/tonewick.mo",
    "share/locale/pt_BR/LC_MESSAGES/tonewick.mo",
    "share/man/man1/tonewick.1",
    "share/metainfo/org.tonewick.tonewick.metainfo.xml",
    "share/tonewick/twk.htb",
    "share/tonewick/twk.ico",
};

struct InstallCase {
    const char* name;
    bool explicitPrefix; // --prefix DIR, or the default ~/.local
    bool xdgDataHome;    // XDG_DATA_HOME set, or the ~/.local/share fallback
    const char* song;    // the file named to the launcher, relative to where it starts
    bool utf8Locale;     // or the C locale, which can't decode the name
};

} // namespace

TEST(Install, theDesktopFileValidates) {
    twtest::TempDir dir;
    const auto [status, output] = RunToEnd({"/usr/bin/desktop-file-validate", TW_SOURCE_DIR
                                            "/data/desktop/org.tonewick.tonewick.desktop"},
                                           dir.Path(), dir.File("log"));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, "");
}

TEST(Install, installedLauncherRunsFromAnotherFolderAndUninstallLeavesNothing) {
    const std::vector<InstallCase> cases = {
        {"given prefix with a space, XDG data folder, a name the locale can't decode", true, true,
         "s\xc3\xb3ng \xc3\xbc.wav", false},
        {"default prefix, default data folder", false, false, "song.wav", true},
    };
    XDisplay display;
    ASSERT_NE(display.get(), nullptr) << "needs the display that scripts/test starts";
    const std::string realHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    const std::string realLang = std::getenv("LANG") != nullptr ? std::getenv("LANG") : "";
    for (const InstallCase& c : cases) {
        SCOPED_TRACE(c.name);
        twtest::TempDir dir;
        const fs::path home = dir.Path() / "home";
        const fs::path elsewhere = dir.Path() / "elsewhere";
        fs::create_directories(home);
        fs::create_directories(elsewhere);
        setenv("HOME", home.c_str(), 1);
        fs::path data = home / ".local/share";
        if (c.xdgDataHome) {
            data = dir.Path() / "data";
            setenv("XDG_DATA_HOME", data.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        const fs::path prefix = c.explicitPrefix ? dir.Path() / "the prefix" : home / ".local";
        const fs::path work = data / "tonewick";
        // The program's sound goes to the test, at the pace of a sound card.
        const twtest::AlsaFileSink sink(1.0);
        unsetenv("LC_ALL");
        unsetenv("LC_CTYPE");
        setenv("LANG", c.utf8Locale ? "C.UTF-8" : "C", 1);

        std::vector<std::string> install = {"/bin/bash", TW_SOURCE_DIR "/scripts/install",
                                            "--build-dir", TW_BUILD_DIR};
        std::vector<std::string> uninstall = {"/bin/bash", TW_SOURCE_DIR "/scripts/uninstall"};
        if (c.explicitPrefix) {
            for (auto* command : {&install, &uninstall}) {
                command->push_back("--prefix");
                command->push_back(prefix.string());
            }
        }
        const auto [installed, installLog] = RunToEnd(install, elsewhere, dir.File("install.log"));
        ASSERT_EQ(installed, 0) << installLog;
        // The pictures are checked by number: the picture script decides their names.
        std::vector<std::string> files;
        for (const std::string& entry : Entries(prefix)) {
            if (!fs::is_directory(prefix / entry) &&
                entry.rfind("share/tonewick/images/", 0) != 0 &&
                entry != "share/applications/mimeinfo.cache") {
                files.push_back(entry);
            }
        }
        EXPECT_EQ(Entries(prefix / "share/tonewick/images"),
                  Entries(fs::path(TW_BUILD_DIR) / "run/images"));
        EXPECT_EQ(files, kInstalled);
        const auto [valid, validation] =
            RunToEnd({"/usr/bin/desktop-file-validate",
                      (prefix / "share/applications/org.tonewick.tonewick.desktop")},
                     elsewhere, dir.File("validate.log"));
        EXPECT_EQ(valid, 0) << validation;
        // GIO offers the menu entry at once, before the prefix's bin folder is on PATH.
        const auto gio =
            RunToEnd({"/usr/bin/env", "PATH=/bin", "XDG_DATA_DIRS=" + (prefix / "share").string(),
                      "/bin/gio", "mime", "audio/mpeg"},
                     elsewhere, dir.File("gio.log"));
        EXPECT_NE(gio.second.find("\n\torg.tonewick.tonewick.desktop\n"), std::string::npos)
            << gio.second;

        // Started by name relative to the folder it is started from.
        ASSERT_TRUE(twtest::WriteWav((elsewhere / c.song).string(), {44100, 2},
                                     twtest::Sine({44100, 2}, 3, 440, 12000)));
        const pid_t program =
            Start({(prefix / "bin/tonewick").string(), c.song}, elsewhere, dir.File("run.log"));
        ASSERT_GT(program, 0);
        Window window = 0;
        EXPECT_TRUE(Eventually([&] { return (window = display.Find("Tonewick")) != 0; }))
            << Read(dir.File("run.log"));
        if (window == 0) {
            kill(program, SIGKILL);
            Wait(program);
            continue;
        }
        EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(program) + "/cwd"), work);
        EXPECT_TRUE(fs::is_regular_file(work / "images/Help.bmp"));
        EXPECT_TRUE(fs::is_regular_file(work / "twk.htb"));
        EXPECT_TRUE(fs::is_symlink(work / "temp/ffmpeg"));
        EXPECT_TRUE(Eventually([&] { return sink.HasSoundAfter(0); }))
            << "the named file did not play";
        EXPECT_TRUE(Maps(program, (prefix / "lib/tonewick/libtw_decoder.so").string()))
            << "the decoder module came from elsewhere";

        display.ControlKey(window, XK_i);
        EXPECT_TRUE(Eventually([&] {
            return fs::exists(work / "temp/current.wav") &&
                   fs::file_size(work / "temp/current.wav") > 44 * 1000;
        })) << "no import";
        // While the import's dialogs are up the window refuses to close: ask until it does.
        EXPECT_EQ(CloseAndWait(display, window, program), 0) << Read(dir.File("run.log"));

        const auto [removed, uninstallLog] =
            RunToEnd(uninstall, elsewhere, dir.File("uninstall.log"));
        EXPECT_EQ(removed, 0) << uninstallLog;
        EXPECT_EQ(Entries(prefix), std::vector<std::string>{});
        EXPECT_FALSE(fs::exists(work));
    }
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", realHome.c_str(), 1);
    setenv("LANG", realLang.c_str(), 1);
}
