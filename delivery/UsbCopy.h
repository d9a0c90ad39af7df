// Copying a ringtone into the Ringtones folder of an Android phone that the desktop has mounted
// in file-transfer mode, whole or not at all: MTP may refuse a rename, so the file is written
// under its own name, read back and compared, and removed when anything differs. Also the
// folder the save dialog starts in. Over the MountedPhones seam; `tonewick-cli send --usb`
// and the window call it on their one thread.
#pragma once

#include "platform/MountedPhones.h"

#include <string>
#include <vector>

enum class UsbError { None, NoPhone, SeveralPhones, NoSuchPhone, NoStorage, CopyFailed };

struct UsbCopy {
    UsbError error = UsbError::None;
    // Where the file now lies on the phone.
    std::string path;
    // The names of the phones connected, for NoSuchPhone and SeveralPhones.
    std::vector<std::string> names;
};

// Copies the local file into the Ringtones folder (made when missing) of the one phone
// connected, or of the one whose name contains phoneName when that is not empty.
UsbCopy CopyToPhone(MountedPhones& phones, const std::string& file, const std::string& phoneName);

// Writes the local file to path on a phone, whole or not at all; false when nothing is left.
bool CopyWhole(MountedPhones& phones, const std::string& file, const std::string& path);

// Whether path lies in a storage of a connected phone (where a rename may be refused).
bool OnMountedPhone(MountedPhones& phones, const std::string& path);

// The Ringtones folder of the first connected phone that has one; empty when none has.
std::string PhoneRingtonesFolder(MountedPhones& phones);

// The sentence for a failed copy, lower-case first as the command-line tool prints it.
std::string DescribeUsbCopy(const UsbCopy& copy);
