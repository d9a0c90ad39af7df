// Copying a ringtone into the Ringtones folder of an Android phone that the desktop has mounted
// in file-transfer mode, whole or not at all: MTP may refuse a rename, so the file is written
// under its own name, read back and compared, and removed when anything differs. A file of the
// same name already there is replaced only when the caller says so. Phones are named and found
// as people know them ("Google Pixel 8"); places on them read as the phone shows its folders.
// Also the folder the save dialog starts in. Over the MountedPhones seam;
// `tonewick-cli send --usb` and the window call it on their one thread.
#pragma once

#include "platform/MountedPhones.h"

#include <string>
#include <vector>

enum class UsbError { None, NoPhone, SeveralPhones, NoSuchPhone, NoStorage, Exists, CopyFailed };

struct UsbCopy {
    UsbError error = UsbError::None;
    // Where the file now lies on the phone (or would have): its path, and the place as a
    // person reads it, "Google Pixel 8 › Internal shared storage › Ringtones › NAME".
    std::string path;
    std::string place;
    // For CopyFailed: the system's error number, 0 when the copy read back differently.
    int systemError = 0;
    // The labels of the phones connected, for NoSuchPhone and SeveralPhones.
    std::vector<std::string> names;
};

// What a list of phones shows for each, in order: its name, and its serial number too when
// another phone of the list has the same name ("Google Pixel 8 (3A281FDH2000ZX)").
std::vector<std::string> PhoneLabels(const std::vector<MountedPhones::Phone>& phones);

// Copies the local file into the Ringtones folder (made when missing) of the one phone
// connected, or of the one that phoneName names when it is not empty: its name, its model or
// its serial number whole, else any part of them, in any case, "_" standing for a space. A
// file of the same name already there stops the copy with Exists unless `replace`. Any other
// failure is recorded in the failure log.
UsbCopy CopyToPhone(MountedPhones& phones, const std::string& file, const std::string& phoneName,
                    bool replace = false);

// Writes the local file to path on a phone, whole or not at all; false when nothing is left,
// with the system's error number (0 when the copy read back differently) in *systemError.
bool CopyWhole(MountedPhones& phones, const std::string& file, const std::string& path,
               int* systemError = nullptr);

// The place of path on a connected phone as a person reads it (see UsbCopy::place); empty
// when path lies on none.
std::string PlaceOnPhone(MountedPhones& phones, const std::string& path);

// The Ringtones folder of the first connected phone that has one; empty when none has.
std::string PhoneRingtonesFolder(MountedPhones& phones);

// The sentence for a failed copy, lower-case first as the command-line tool prints it.
std::string DescribeUsbCopy(const UsbCopy& copy);
