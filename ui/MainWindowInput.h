// The main window's ways in besides pointing at its controls: keys that work whatever control
// has the focus (except the file picker's text field, which keeps every key for typing, and
// where a key has a meaning of its own: the arrows on a focused ruler move its marker and in
// the format group select (SelectRadioItemsOnFocus), Space ticks a check box), files dropped on the
// window, and a file to pick at start. Each way ends in a control's own event (a button's click,
// the picker's change), so it does exactly what that control does. Owned by the controller, which
// makes it after the frame's controls exist and destroys it while they still do; it unbinds itself
// from the frame when destroyed.
#pragma once

#include <cstdint>

class twMainFrame;
class wxDropFilesEvent;
class wxKeyEvent;
class wxString;

class MainWindowInput {
public:
    // What a key asks for.
    enum class Command : int32_t {
        PlayOrPause, // Space: the ringtone preview's play or pause button
        Stop,        // Escape: its stop button
        Browse,      // Ctrl+O: the picker's browse button
        Import,      // Ctrl+I: the import button
        Help,        // F1: the help button
        Earlier,     // Left: the marker last dragged, one second (or percent) lower
        Later,       // Right: one second (or percent) higher
        ToLowerEnd,  // Home: that marker to its ruler's lower end
        ToUpperEnd,  // End: to the upper end
        Suggest,     // S: the editor's "Suggest the catchiest part"
        Menu,        // Menu: the editor's popup menu
        None,
    };

    explicit MainWindowInput(twMainFrame& frame);
    ~MainWindowInput();
    MainWindowInput(const MainWindowInput&) = delete;
    MainWindowInput& operator=(const MainWindowInput&) = delete;

    // The command of a key code (the toolkit's, letters in upper case) with exactly these
    // modifiers (the toolkit's wxMOD_ flags); None for any other key.
    static Command CommandFor(int keyCode, int modifiers);
    // Puts path into the picker and sends the picker's change event, as choosing the file in
    // the picker does; the controller then plays it.
    static void PickMediaFile(twMainFrame& frame, const wxString& path);

    // Carries a command out; false when it had nothing to act on (no marker dragged yet).
    bool Run(Command command);

private:
    void OnCharHook(wxKeyEvent& event);
    void OnDropFiles(wxDropFilesEvent& event);
    // Left, Right, Home and End on a focused ruler move its marker (Shift: the cut's end), as a
    // drag of it would; false when the key is not for a focused ruler.
    bool MoveFocusedMarker(const wxKeyEvent& event);
    // Whether the key goes to the picker's text field. Asked of the key's own window as well as
    // of the focus, which the toolkit may report elsewhere while the field takes the keys.
    bool TypingInPicker(const wxKeyEvent& event) const;

    twMainFrame& frame;
};
