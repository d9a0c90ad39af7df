#include "ui/MainWindowKeepsClosing.h"

#include <wx/window.h>

MainWindowKeepsClosing::MainWindowKeepsClosing(wxWindow* window, wxWindow* dialog)
    : mainWindow(window) {
    if (mainWindow == nullptr) {
        return;
    }
    for (wxWindow* child : mainWindow->GetChildren()) {
        if (child != dialog && !child->IsTopLevel() && child->IsEnabled()) {
            child->Disable();
            disabled.push_back(child);
        }
    }
    mainWindow->Enable();
}

MainWindowKeepsClosing::~MainWindowKeepsClosing() {
    for (wxWindow* child : disabled) {
        child->Enable();
    }
}
