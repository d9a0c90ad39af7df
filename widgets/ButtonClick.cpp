#include "widgets/ButtonClick.h"

#include <wx/event.h>
#include <wx/window.h>

void ClickButton(wxWindow* button) {
    wxCommandEvent click(wxEVT_COMMAND_BUTTON_CLICKED, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}
