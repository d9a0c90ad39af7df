// "tonewick-cli send FILE --to AA:BB:CC:DD:EE:FF": pushes a ringtone file to a phone over
// Bluetooth exactly as the window does (OBEX Object Push through obexd on the session bus),
// printing the bytes transferred as they are reported. The phone sees the file's own name.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit status 0 only when the transfer completed; 1 when it failed; 2 on a usage error.
int RunSendCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
