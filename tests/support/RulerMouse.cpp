#include "RulerMouse.h"

#include "widgets/twRuler.h"

namespace twtest {

void RulerMouse(twRuler* ruler, wxEventType type, int x) {
    wxMouseEvent event(type);
    event.SetPosition(wxPoint(x, 9));
    event.SetEventObject(ruler);
    event.SetId(ruler->GetId());
    ruler->ProcessWindowEvent(event);
}

} // namespace twtest
