#include "delivery/UsbCopy.h"

#include <fstream>
#include <iterator>

namespace {

constexpr const char* ringtones = "Ringtones";

// The storage a ringtone goes to: the first that has a Ringtones folder, else the first.
std::string RingtoneStorage(MountedPhones& phones, const MountedPhones::Phone& phone) {
    for (const std::string& storage : phone.storages) {
        if (phones.IsFolder(storage + "/" + ringtones)) {
            return storage;
        }
    }
    return phone.storages.empty() ? std::string() : phone.storages.front();
}

} // namespace

UsbCopy CopyToPhone(MountedPhones& phones, const std::string& file, const std::string& phoneName) {
    UsbCopy copy;
    std::vector<MountedPhones::Phone> chosen;
    for (const MountedPhones::Phone& phone : phones.List()) {
        copy.names.push_back(phone.name);
        if (phone.name.find(phoneName) != std::string::npos) {
            chosen.push_back(phone);
        }
    }
    if (chosen.size() != 1) {
        copy.error = copy.names.empty() ? UsbError::NoPhone
                     : chosen.empty()   ? UsbError::NoSuchPhone
                                        : UsbError::SeveralPhones;
        return copy;
    }
    const std::string storage = RingtoneStorage(phones, chosen.front());
    if (storage.empty() || !phones.MakeFolder(storage + "/" + ringtones)) {
        copy.error = UsbError::NoStorage;
        return copy;
    }
    copy.path = storage + "/" + ringtones + "/" + file.substr(file.find_last_of('/') + 1);
    if (!CopyWhole(phones, file, copy.path)) {
        copy.error = UsbError::CopyFailed;
    }
    return copy;
}

bool CopyWhole(MountedPhones& phones, const std::string& file, const std::string& path) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::string written;
    if (phones.Copy(file, path) && phones.Read(path, written) && written == bytes) {
        return true;
    }
    phones.Remove(path);
    return false;
}

bool OnMountedPhone(MountedPhones& phones, const std::string& path) {
    for (const MountedPhones::Phone& phone : phones.List()) {
        for (const std::string& storage : phone.storages) {
            if (path.starts_with(storage + "/")) {
                return true;
            }
        }
    }
    return false;
}

std::string PhoneRingtonesFolder(MountedPhones& phones) {
    for (const MountedPhones::Phone& phone : phones.List()) {
        for (const std::string& storage : phone.storages) {
            if (phones.IsFolder(storage + "/" + ringtones)) {
                return storage + "/" + ringtones;
            }
        }
    }
    return std::string();
}

std::string DescribeUsbCopy(const UsbCopy& copy) {
    std::string names;
    for (const std::string& name : copy.names) {
        names += (names.empty() ? "" : ", ") + name;
    }
    switch (copy.error) {
    case UsbError::None:
        break;
    case UsbError::NoPhone:
        return "no phone connected in file-transfer mode";
    case UsbError::SeveralPhones:
        return "several phones are connected in file-transfer mode (" + names +
               "): name one after --usb";
    case UsbError::NoSuchPhone:
        return "no phone of that name is connected in file-transfer mode (" + names + ")";
    case UsbError::NoStorage:
        return "the phone offers no storage to write to";
    case UsbError::CopyFailed:
        return "the file could not be copied whole onto the phone; nothing was left there";
    }
    return std::string();
}
