// Lets the toolkit deliver pending events while a GUI test waits for a handler to run.
#pragma once

#include <functional>

namespace twtest {

// Processes events for the given time.
void PumpEvents(int milliseconds);

// Processes events until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 5000);

} // namespace twtest
