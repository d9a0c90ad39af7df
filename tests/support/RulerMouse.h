// A mouse event at x on a ruler (at the height of its markers), sent through the ruler's own
// event table as the pointer would send it.
#pragma once

#include <wx/event.h>

class twRuler;

namespace twtest {

void RulerMouse(twRuler* ruler, wxEventType type, int x);

} // namespace twtest
