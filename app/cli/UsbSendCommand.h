// "tonewick-cli send FILE --usb [NAME] [--replace]": copies a ringtone file into the Ringtones
// folder of an Android phone that the desktop has mounted in file-transfer mode
// (delivery/UsbCopy.h), whole or not at all, and prints where it now lies on the phone. NAME
// picks one of several phones ("Pixel 8", or its serial number); a file of the same name
// already there is replaced only with --replace.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Whether the send command line asks for the cable.
bool IsUsbSend(const std::vector<std::string>& args);
// Exit status 0 when the file is on the phone; 1 when it is not; 2 on a usage error.
int RunUsbSend(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
