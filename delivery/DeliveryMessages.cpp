#include "delivery/DeliveryMessages.h"

#include "delivery/DeliveryError.h"

#include <cctype>
#include <cerrno>
#include <cstring>

namespace delivery_text {

namespace {

constexpr const char* androidSettings = "Settings, Sound (and vibration), Phone ringtone";

std::string LastStep(PhonePlatform phone, bool pushed, bool inRingtones) {
    switch (phone) {
    case PhonePlatform::IPhone:
        return "An iPhone takes an .m4r ringtone of at most 40 seconds through the software it "
               "syncs with: add the file there and sync. It then appears under Settings, Sounds "
               "& Haptics, Ringtone.";
    case PhonePlatform::Android:
        if (pushed) {
            return std::string("On the phone, accept the file if it asks. It lands among the "
                               "received files (in Download or a Bluetooth folder). To make it "
                               "the ringtone, open ") +
                   androidSettings + " and pick the file with the add button there.";
        }
        if (inRingtones) {
            return std::string("It is in the phone's Ringtones folder, so it appears in the list "
                               "under ") +
                   androidSettings + ".";
        }
        return std::string("Copy it into the phone's Ringtones folder (by cable, with the phone "
                           "in file-transfer mode) and it appears in the list under ") +
               androidSettings + ". A file put elsewhere is picked there with the add button.";
    case PhonePlatform::Older:
        break;
    }
    return pushed ? "On the phone, accept the file if it asks, open it from the received files and "
                    "choose it as the ringtone (or pick it in the phone's sound settings)."
                  : "Copy it onto the phone (by cable, memory card or Bluetooth) and choose it as "
                    "the ringtone in the phone's sound settings.";
}

} // namespace

std::string SaveInsteadAfter(DeliveryError error) {
    return std::string(DescribeDeliveryError(error)) + "\n\n" + saveInstead;
}

std::string CutQuestion(const RingtoneFormat& format, int32_t seconds) {
    const std::string most = std::to_string(format.maxSeconds);
    return "iPhones take ringtones as AAC in an .m4r file of at most " + most +
           " seconds, and this ringtone lasts " + std::to_string(seconds) +
           " seconds.\n\nContinue with its first " + most +
           " seconds? The fade-out then ends at "
           "the new end.";
}

std::string CutNote(const RingtoneFormat& format, int32_t seconds) {
    const std::string most = std::to_string(format.maxSeconds);
    return "The ringtone lasts " + std::to_string(seconds) + " seconds; an ." + format.name +
           " holds at most " + most + ", so it keeps the first " + most + ".";
}

std::string SystemReason(int systemError) {
    switch (systemError) {
    case EACCES:
    case EPERM:
        return "no permission";
    case EROFS:
        return "the folder is read-only";
    case ENOSPC:
    case EDQUOT:
        return "no space left";
    case ENOENT:
    case ENOTDIR:
        return "the folder does not exist";
    case ENAMETOOLONG:
        return "the name is too long";
    default:
        break;
    }
    std::string text = std::strerror(systemError);
    if (!text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text;
}

std::string SaveFailure(int systemError) {
    std::string text = DescribeDeliveryError(DeliveryError::SaveFailed);
    if (systemError != 0 && text.ends_with('.')) {
        text.pop_back();
        text += ": " + SystemReason(systemError) + ".";
    }
    return text;
}

std::string SentText(const std::string& fileName, PhonePlatform phone) {
    return "\"" + fileName + "\" was sent to the phone.\n\n" + LastStep(phone, true, false);
}

std::string SavedText(const std::string& path, PhonePlatform phone, bool inRingtones) {
    return "The ringtone was saved as\n" + path + "\n\n" + LastStep(phone, false, inRingtones);
}

} // namespace delivery_text
