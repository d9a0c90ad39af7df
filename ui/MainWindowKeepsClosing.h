// The progress dialog disables the main window, and GTK drops the close requests of a disabled
// window. While the dialog is up, the main window stays enabled (so that closing it reaches
// RequestClose) and its controls are disabled instead, which keeps every other command out.
// Made on the stack around a running command by ImportCommand and ConvertAndSendCommand.
#pragma once

#include <vector>

class wxWindow;

class MainWindowKeepsClosing {
public:
    // Disables the enabled controls of mainWindow (may be null) other than the dialog, and
    // enables the window itself; the destructor enables those controls again.
    MainWindowKeepsClosing(wxWindow* mainWindow, wxWindow* dialog);
    ~MainWindowKeepsClosing();
    MainWindowKeepsClosing(const MainWindowKeepsClosing&) = delete;
    MainWindowKeepsClosing& operator=(const MainWindowKeepsClosing&) = delete;

private:
    wxWindow* mainWindow;
    std::vector<wxWindow*> disabled;
};
