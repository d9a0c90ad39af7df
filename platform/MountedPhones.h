// The phones the desktop has mounted in file-transfer mode: GVfs mounts an Android phone over
// MTP as $XDG_RUNTIME_DIR/gvfs/mtp:host=NAME/, one folder per storage inside, and the few file
// operations that copying a ringtone onto one needs. MTP changes no file in place and may
// refuse a rename, so a caller writes the whole file, reads it back and removes it when it
// differs (delivery/UsbCopy.h).
//
// Made per use by the caller (the save dialog's first folder, `tonewick-cli send --usb`);
// paths are UTF-8. The Linux implementation goes through GIO; the tests use a fake. A failed
// step gives the system's error number (errno) where the caller asks for it.
#pragma once

#include <memory>
#include <string>
#include <vector>

class MountedPhones {
public:
    struct Phone {
        // The phone as people know it: maker and model, as the mount names it but with spaces
        // and without the serial number ("Google Pixel 8" of "Google_Pixel_8_3A281FDH2000ZX").
        std::string name;
        // The serial number at the end of the mount's name; empty when it has none.
        std::string serial;
        // The paths of its storage folders ("…/Internal shared storage"), in listing order.
        std::vector<std::string> storages;
    };

    virtual ~MountedPhones() = default;

    // The phones mounted now, in listing order; empty when none is (or GVfs is not running).
    virtual std::vector<Phone> List() = 0;
    virtual bool IsFolder(const std::string& path) = 0;
    // Whether anything, file or folder, is at path.
    virtual bool Exists(const std::string& path) = 0;
    // True when the folder exists afterwards.
    virtual bool MakeFolder(const std::string& path, int* systemError) = 0;
    // Writes the local file from to path, replacing what is there. False on failure, which may
    // leave part of the file behind.
    virtual bool Copy(const std::string& from, const std::string& path, int* systemError) = 0;
    // The file's bytes; false when it can't be read.
    virtual bool Read(const std::string& path, std::string& bytes) = 0;
    virtual bool Remove(const std::string& path) = 0;
};

// Over GIO, looking in runtimeFolder/gvfs; $XDG_RUNTIME_DIR when runtimeFolder is empty.
std::unique_ptr<MountedPhones> CreateMountedPhones(const std::string& runtimeFolder = "");
