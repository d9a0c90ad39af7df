// The program's main window (the controller over its layout) under Xvfb, built and shown in
// the current directory, where it finds its pictures, and destroyed with the fixture unless
// the toolkit destroyed it first. Create the audio layer the test wants before it, and a
// WorkingFolder after it when the test imports or converts.
#pragma once

#include "ui/twUserInterface.h"

#include <wx/weakref.h>

#include <cstdint>
#include <string>
#include <vector>

namespace twtest {

class MainWindow {
public:
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Null once the toolkit has destroyed the window.
    wxWeakRef<twUserInterface> ui;

    // Picks the file as the picker does: the source preview plays it if it can.
    void Pick(const std::string& path);
    // Presses the source preview's play button.
    void PlayMedia();
    // Presses the import button with the picked file.
    void Import();
    // The editor's state that a failed import must leave alone.
    std::vector<int32_t> EditorState() const;
};

} // namespace twtest
