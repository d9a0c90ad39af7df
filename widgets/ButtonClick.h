// Presses a button from code: its click event goes through the button's own handlers and on
// to its parents, exactly as a press with the pointer sends it. The keyboard works the
// window's buttons through this, so a key and a press can never do different things.
#pragma once

class wxWindow;

void ClickButton(wxWindow* button);
