// The ProgressCallback that moves a progress dialog.
#pragma once

#include <cstdint>

// `dialog` is the wxProgressDialog to move: -1 makes it pulse, any other value is shown as
// it stands. The dialog's own event processing keeps the window alive during long waits.
void UpdateProgressDialog(int32_t value, void* dialog);
