#include "delivery/UsbCopy.h"

#include "delivery/DeliveryMessages.h"
#include "platform/FailureLog.h"
#include "text/Translation.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <iterator>

namespace {

constexpr const char* ringtones = "Ringtones";
// Between the levels of a place on a phone, as file managers show a path.
constexpr const char* placeSeparator = " \u203a ";

// The storage a ringtone goes to: the first that has a Ringtones folder, else the first.
std::string RingtoneStorage(MountedPhones& phones, const MountedPhones::Phone& phone) {
    for (const std::string& storage : phone.storages) {
        if (phones.IsFolder(storage + "/" + ringtones)) {
            return storage;
        }
    }
    return phone.storages.empty() ? std::string() : phone.storages.front();
}

// Lower case, with "_" for a space as GVfs writes it.
std::string Folded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return c == '_' ? ' ' : static_cast<char>(std::tolower(c));
    });
    return text;
}

// The phones that `wanted` names: those it names whole (the model alone will do: "Pixel 8"
// beside a "Pixel 8 Pro"), else those it names part of.
std::vector<size_t> Named(const std::vector<MountedPhones::Phone>& phones,
                          const std::vector<std::string>& labels, const std::string& wanted) {
    const std::string query = Folded(wanted);
    std::vector<size_t> whole;
    std::vector<size_t> part;
    for (size_t i = 0; i < phones.size(); ++i) {
        const MountedPhones::Phone& phone = phones[i];
        const std::string name = Folded(phone.name);
        const std::string serial = Folded(phone.serial);
        if (query == name || name.ends_with(" " + query) || (!serial.empty() && query == serial) ||
            query == Folded(labels[i])) {
            whole.push_back(i);
        }
        if ((name + " " + serial).find(query) != std::string::npos) {
            part.push_back(i);
        }
    }
    return whole.empty() ? part : whole;
}

// The place of path, which lies inside storage, on the phone labelled `label`.
std::string Place(const std::string& label, const std::string& storage, const std::string& path) {
    std::string place = label;
    size_t start = storage.find_last_of('/') + 1;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        place += placeSeparator + path.substr(start, end - start);
        start = end + 1;
    }
    return place;
}

} // namespace

std::vector<std::string> PhoneLabels(const std::vector<MountedPhones::Phone>& phones) {
    std::vector<std::string> labels;
    for (const MountedPhones::Phone& phone : phones) {
        const bool alike =
            std::count_if(phones.begin(), phones.end(), [&](const MountedPhones::Phone& other) {
                return other.name == phone.name;
            }) > 1;
        labels.push_back(alike && !phone.serial.empty() ? phone.name + " (" + phone.serial + ")"
                                                        : phone.name);
    }
    return labels;
}

namespace {

UsbCopy TryCopy(MountedPhones& phones, const std::string& file, const std::string& phoneName,
                bool replace) {
    UsbCopy copy;
    const std::vector<MountedPhones::Phone> connected = phones.List();
    copy.names = PhoneLabels(connected);
    const std::vector<size_t> chosen = Named(connected, copy.names, phoneName);
    if (chosen.size() != 1) {
        copy.error = connected.empty() ? UsbError::NoPhone
                     : chosen.empty()  ? UsbError::NoSuchPhone
                                       : UsbError::SeveralPhones;
        return copy;
    }
    const std::string storage = RingtoneStorage(phones, connected[chosen.front()]);
    if (storage.empty()) {
        copy.error = UsbError::NoStorage;
        return copy;
    }
    copy.path = storage + "/" + ringtones + "/" + file.substr(file.find_last_of('/') + 1);
    copy.place = Place(copy.names[chosen.front()], storage, copy.path);
    if (!replace && phones.Exists(copy.path)) {
        copy.error = UsbError::Exists;
    } else if (!phones.MakeFolder(storage + "/" + ringtones, &copy.systemError) ||
               !CopyWhole(phones, file, copy.path, &copy.systemError)) {
        copy.error = UsbError::CopyFailed;
    }
    return copy;
}

} // namespace

UsbCopy CopyToPhone(MountedPhones& phones, const std::string& file, const std::string& phoneName,
                    bool replace) {
    UsbCopy copy = TryCopy(phones, file, phoneName, replace);
    // A file already there is a question for the user, not a failure.
    if (copy.error != UsbError::None && copy.error != UsbError::Exists) {
        LogFailure("copy " + file + " onto a phone", DescribeUsbCopy(copy));
    }
    return copy;
}

bool CopyWhole(MountedPhones& phones, const std::string& file, const std::string& path,
               int* systemError) {
    int ignored = 0;
    int& reason = systemError != nullptr ? *systemError : ignored;
    reason = 0;
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        reason = errno != 0 ? errno : EIO;
        return false;
    }
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::string written;
    if (phones.Copy(file, path, &reason) && phones.Read(path, written) && written == bytes) {
        return true;
    }
    phones.Remove(path);
    return false;
}

std::string PlaceOnPhone(MountedPhones& phones, const std::string& path) {
    const std::vector<MountedPhones::Phone> connected = phones.List();
    const std::vector<std::string> labels = PhoneLabels(connected);
    for (size_t i = 0; i < connected.size(); ++i) {
        for (const std::string& storage : connected[i].storages) {
            if (path.starts_with(storage + "/")) {
                return Place(labels[i], storage, path);
            }
        }
    }
    return std::string();
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
        return Tr("no phone connected in file-transfer mode");
    case UsbError::SeveralPhones:
        return FillIn(Tr("several phones are connected in file-transfer mode (%s): name one "
                         "after --usb"),
                      {names});
    case UsbError::NoSuchPhone:
        return FillIn(Tr("no phone of that name is connected in file-transfer mode (%s)"), {names});
    case UsbError::NoStorage:
        return Tr("the phone offers no storage to write to");
    case UsbError::Exists:
        return FillIn(Tr("there is a file of that name already (%s): add --replace to replace it"),
                      {copy.place});
    case UsbError::CopyFailed:
        return copy.systemError != 0
                   ? FillIn(Tr("the file could not be copied onto the phone: %s"),
                            {delivery_text::SystemReason(copy.systemError)})
                   : Tr("the file could not be copied whole onto the phone; nothing was left "
                        "there");
    }
    return std::string();
}
