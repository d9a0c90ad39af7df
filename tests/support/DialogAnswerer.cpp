#include "DialogAnswerer.h"

#include <wx/msgdlg.h>

namespace twtest {

DialogAnswerer::DialogAnswerer(int answer) : reply(answer) {
    Register();
}

DialogAnswerer::~DialogAnswerer() {
    Unregister();
}

int DialogAnswerer::Enter(wxDialog* dialog) {
    auto* message = dynamic_cast<wxMessageDialog*>(dialog);
    shown.push_back({dialog->GetTitle(), message != nullptr ? message->GetMessage() : "",
                     message != nullptr ? message->GetMessageDialogStyle() : 0});
    return reply;
}

} // namespace twtest
