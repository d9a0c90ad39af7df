// "tonewick-cli devices --bluetooth [--seconds N]" and "tonewick-cli devices --infrared": the
// window's device search without the window. Prints the finder's own diagnostic lines, then
// one line per device found: its name, a tab, and its address as AA:BB:CC:DD:EE:FF
// (Bluetooth) or its identifier as 0x and eight hex digits (infrared). A search that found
// nothing adds a hint on the error stream; one that could not run says why there.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args excludes the program and the subcommand name. Returns the process exit status: 0 after
// a search, also one that found nothing; 1 when the search could not run (no Bluetooth
// service, adapter or infrared port on this computer); 2 on a usage error.
int RunDevicesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
