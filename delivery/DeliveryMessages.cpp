#include "delivery/DeliveryMessages.h"

#include "delivery/DeliveryError.h"
#include "platform/FailureLog.h"

#include <cerrno>
#include <iterator>

namespace delivery_text {

namespace {

constexpr const char* androidSettings = "Settings, Sound (and vibration), Phone ringtone";

std::string LastStep(PhonePlatform phone, bool pushed, bool inRingtones) {
    switch (phone) {
    case PhonePlatform::IPhone:
        return "With a Mac or PC that has the software the iPhone syncs with, add the .m4r file "
               "there (at most 40 seconds) and sync: it then appears under Settings, Sounds & "
               "Haptics, Ringtone. Without one, choose \"Wi-Fi (scan a code)\" in step 3: the "
               "iPhone downloads the ringtone and sets it in the Files app with \"Use as "
               "Ringtone\" (iOS 26 and later).";
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
    const std::string limit = std::string(format.name) == "m4r"
                                  ? "iPhones take ringtones as AAC in an .m4r file of at most "
                                  : "An iPhone sets a ringtone from the Files app only up to ";
    return limit + most + " seconds, and this ringtone lasts " + std::to_string(seconds) +
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
    return SystemMessage(systemError);
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

std::string CopiedText(const std::string& fileName, const std::string& path) {
    return "\"" + fileName + "\" was copied onto the phone:\n" + path + "\n\n" +
           LastStep(PhonePlatform::Android, false, true);
}

std::string SavedText(const std::string& path, PhonePlatform phone, bool inRingtones) {
    return "The ringtone was saved as\n" + path + "\n\n" + LastStep(phone, false, inRingtones);
}

namespace {

const char* const iphoneSteps[] = {
    "Tap the button above, then Download.",
    "Open the Files app and find the ringtone in Downloads.",
    "Touch and hold it, tap Share, then \"Use as Ringtone\" (iOS 26 and later).",
    "On an older iOS, open it in GarageBand and share it from there as a ringtone.",
};
const char* const androidSteps[] = {
    "Tap the button above: the ringtone lands in Download.",
    "Open Settings, Sound (and vibration), Phone ringtone.",
    "Tap the add button there and pick the ringtone from Download.",
};

std::string HtmlEscaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string StepList(const char* heading, const std::vector<std::string>& steps) {
    std::string html = heading[0] != '\0' ? "<h2>" + std::string(heading) + "</h2>" : "";
    html += "<ol>";
    for (const std::string& step : steps) {
        html += "<li>" + HtmlEscaped(step) + "</li>";
    }
    return html + "</ol>";
}

} // namespace

std::vector<std::string> WifiSteps(PhonePlatform phone) {
    std::vector<std::string> steps;
    if (phone != PhonePlatform::Android) {
        steps.insert(steps.end(), std::begin(iphoneSteps), std::end(iphoneSteps));
    }
    if (phone != PhonePlatform::IPhone) {
        steps.insert(steps.end(), std::begin(androidSteps), std::end(androidSteps));
    }
    return steps;
}

std::string WifiLastStep(PhonePlatform phone) {
    if (phone == PhonePlatform::Older) {
        return "On an iPhone: " + WifiLastStep(PhonePlatform::IPhone) +
               "\n\nOn an Android phone: " + WifiLastStep(PhonePlatform::Android);
    }
    std::string text;
    // The first step is the page's button, done by now.
    const std::vector<std::string> steps = WifiSteps(phone);
    for (size_t i = 1; i < steps.size(); ++i) {
        text += (text.empty() ? "" : " ") + steps[i];
    }
    return text;
}

std::string WifiScanText() {
    return "Scan this code with the phone's camera, with the phone on the same Wi-Fi network as "
           "this computer, and download the ringtone from the page it opens. The page and the "
           "file are offered only at this address, and only until this closes.";
}

std::string PhoneWords(PhonePlatform phone) {
    switch (phone) {
    case PhonePlatform::IPhone:
        return "an iPhone";
    case PhonePlatform::Android:
        return "an Android phone";
    case PhonePlatform::Older:
        break;
    }
    return "a browser";
}

std::string DownloadLine(PhonePlatform phone, const std::string& peer, bool completed,
                         bool brokeOff) {
    std::string who = PhoneWords(phone) + " at " + peer;
    who[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(who[0])));
    return who + (completed  ? " downloaded the ringtone."
                  : brokeOff ? " stopped part-way; the page still offers the ringtone."
                             : " is downloading the ringtone.");
}

std::string NothingConnectedText(const std::string& firewall, int port) {
    std::string text =
        "Nothing has connected yet. Check that the phone is on the same Wi-Fi network as this "
        "computer: a guest network, or another network, keeps them apart. A firewall on this "
        "computer may also block the port.";
    const std::string tcp = std::to_string(port) + "/tcp";
    if (firewall == "firewalld") {
        text += " firewalld is active; open the port with: sudo firewall-cmd --add-port=" + tcp;
    } else if (firewall == "ufw") {
        text += " ufw is active; open the port with: sudo ufw allow " + tcp;
    }
    return text;
}

const char* WifiPageStyle() {
    return "body{font-family:sans-serif;margin:1.5em;font-size:1.1em;line-height:1.5}"
           "a{display:block;padding:1em;background:#1565c0;color:#fff;text-align:center;"
           "text-decoration:none;border-radius:.5em;font-size:1.2em}";
}

std::string WifiPage(const std::string& ringtoneName, PhonePlatform phone) {
    const std::string name = HtmlEscaped(ringtoneName);
    std::string html = "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
                       "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">"
                       "<title>" +
                       name + "</title><style>" + WifiPageStyle() + "</style></head><body><h1>" +
                       name + "</h1><p><a href=\"file\" download>Download the ringtone</a></p>";
    if (phone == PhonePlatform::Older) {
        html += StepList("On an iPhone", WifiSteps(PhonePlatform::IPhone));
        html += StepList("On an Android phone", WifiSteps(PhonePlatform::Android));
    } else {
        html += StepList("", WifiSteps(phone));
    }
    return html + "</body></html>";
}

} // namespace delivery_text
