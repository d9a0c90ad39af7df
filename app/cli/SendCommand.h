// "tonewick-cli send FILE OPTION...": hands a ringtone file to one of the send methods of the
// registry (delivery/DeliveryMethod.h), each with its own option: --to AA:BB:CC:DD:EE:FF pushes
// it over Bluetooth exactly as the window does, --usb [NAME] copies it onto a phone mounted by
// the desktop, --wifi [--minutes N] [--address A] offers it to a phone that scans the printed
// code and waits for the first complete download. What the method reports is printed as it
// comes; the phone sees the file's own name.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// The subcommand's usage after "tonewick-cli ", one method after another:
// "send FILE --to AA:BB:CC:DD:EE:FF | --usb [NAME] [--replace] | ...".
std::string SendUsage();

// Exit status 0 only when the file reached the phone; 1 when it did not; 2 on a usage error.
int RunSendCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
