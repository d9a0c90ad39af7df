#include "delivery/DeliveryMessages.h"

#include "delivery/DeliveryError.h"
#include "delivery/DeliveryMethod.h"
#include "platform/FailureLog.h"

#include "text/Translation.h"

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace delivery_text {

namespace {

// The path to Android's ringtone list, as its settings name it.
const char* AndroidSettings() {
    return Tr("Settings, Sound (and vibration), Phone ringtone");
}

std::string LastStep(PhonePlatform phone, bool pushed, bool inRingtones) {
    switch (phone) {
    case PhonePlatform::IPhone:
        return Tr("With a Mac or PC that has the software the iPhone syncs with, add the .m4r file "
                  "there (at most 40 seconds) and sync: it then appears under Settings, Sounds & "
                  "Haptics, Ringtone. Without one, choose \"Wi-Fi (scan a code)\" in step 3: the "
                  "iPhone downloads the ringtone and sets it in the Files app with \"Use as "
                  "Ringtone\" (iOS 26 and later).");
    case PhonePlatform::Android:
        if (pushed) {
            return FillIn(Tr("On the phone, accept the file if it asks. It lands among the "
                             "received files (in Download or a Bluetooth folder). To make it the "
                             "ringtone, open %s and pick the file with the add button there."),
                          {AndroidSettings()});
        }
        if (inRingtones) {
            return FillIn(
                Tr("It is in the phone's Ringtones folder, so it appears in the list under %s."),
                {AndroidSettings()});
        }
        return FillIn(Tr("Copy it into the phone's Ringtones folder (by cable, with the phone in "
                         "file-transfer mode) and it appears in the list under %s. A file put "
                         "elsewhere is picked there with the add button."),
                      {AndroidSettings()});
    case PhonePlatform::Older:
        break;
    }
    return pushed ? Tr("On the phone, accept the file if it asks, open it from the received files "
                       "and choose it as the ringtone (or pick it in the phone's sound settings).")
                  : Tr("Copy it onto the phone (by cable, memory card or Bluetooth) and choose it "
                       "as the ringtone in the phone's sound settings.");
}

} // namespace

std::string PhoneTakesNoFormat() {
    return FillIn(Tr("This phone takes none of the formats Tonewick makes (%s).\n\nChoose the "
                     "vendor \"Any phone\" in step 1 and the model closest to your phone instead."),
                  {JoinFormats(FormatBoxFormats(), &RingtoneFormat::label, ", ", ", ")});
}

std::string PushExtension() {
    return FillIn(Tr("A phone judges a ringtone by its extension: name the file %s."),
                  // TRANSLATORS: between the last two items of a list: "a, b or c".
                  {JoinFormats(FormatBoxFormats(), &RingtoneFormat::extension, ", ", Tr(" or "))});
}

std::string SaveInsteadAfter(DeliveryError error) {
    return std::string(DescribeDeliveryError(error)) + "\n\n" + Tr(saveInstead);
}

std::string CutQuestion(const RingtoneFormat& format, int32_t seconds) {
    const std::string most = std::to_string(format.maxSeconds);
    const std::string lasts = std::to_string(seconds);
    // The limit is 30 or 40 seconds and the ringtone longer: always a plural.
    const char* question =
        std::string(format.name) == "m4r"
            ? Tr("iPhones take ringtones as AAC in an .m4r file of at most %1$s seconds, and this "
                 "ringtone lasts %2$s seconds.\n\nContinue with its first %1$s seconds? The "
                 "fade-out then ends at the new end.")
            : Tr("An iPhone sets a ringtone from the Files app only up to %1$s seconds, and this "
                 "ringtone lasts %2$s seconds.\n\nContinue with its first %1$s seconds? The "
                 "fade-out then ends at the new end.");
    return FillIn(question, {most, lasts});
}

std::string CutNote(const RingtoneFormat& format, int32_t seconds) {
    const std::string most = std::to_string(format.maxSeconds);
    return FillIn(Tr("The ringtone lasts %1$s seconds; an .%2$s holds at most %3$s, so it keeps "
                     "the first %3$s."),
                  {std::to_string(seconds), format.name, most});
}

std::string SystemReason(int systemError) {
    switch (systemError) {
    case EACCES:
    case EPERM:
        return Tr("no permission");
    case EROFS:
        return Tr("the folder is read-only");
    case ENOSPC:
    case EDQUOT:
        return Tr("no space left");
    case ENOENT:
    case ENOTDIR:
        return Tr("the folder does not exist");
    case ENAMETOOLONG:
        return Tr("the name is too long");
    default:
        break;
    }
    return SystemMessage(systemError);
}

std::string SaveFailure(int systemError) {
    return DescribeFailure({DeliveryError::SaveFailed,
                            systemError != 0 ? SystemReason(systemError) : std::string(), ""});
}

std::string SentText(const std::string& fileName, PhonePlatform phone) {
    return FillIn(Tr("\"%s\" was sent to the phone."), {fileName}) + "\n\n" +
           LastStep(phone, true, false);
}

std::string CopiedText(const std::string& fileName, const std::string& path) {
    return FillIn(Tr("\"%s\" was copied onto the phone:"), {fileName}) + "\n" + path + "\n\n" +
           LastStep(PhonePlatform::Android, false, true);
}

std::string SavedText(const std::string& path, PhonePlatform phone, bool inRingtones) {
    return Tr("The ringtone was saved as") + ("\n" + path + "\n\n") +
           LastStep(phone, false, inRingtones);
}

namespace {

const char* const iphoneSteps[] = {
    N_("Tap the button above, then Download."),
    N_("Open the Files app and find the ringtone in Downloads."),
    N_("Touch and hold it, tap Share, then \"Use as Ringtone\" (iOS 26 and later)."),
    N_("On an older iOS, open it in GarageBand and share it from there as a ringtone."),
};
const char* const androidSteps[] = {
    N_("Tap the button above: the ringtone lands in Download."),
    N_("Open Settings, Sound (and vibration), Phone ringtone."),
    N_("Tap the add button there and pick the ringtone from Download."),
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

// What to do on a phone of that kind once the page is open, one step an item: both kinds'
// steps for a phone of neither.
std::vector<std::string> WifiSteps(PhonePlatform phone) {
    std::vector<std::string> steps;
    if (phone != PhonePlatform::Android) {
        std::transform(std::begin(iphoneSteps), std::end(iphoneSteps), std::back_inserter(steps),
                       Tr);
    }
    if (phone != PhonePlatform::IPhone) {
        std::transform(std::begin(androidSteps), std::end(androidSteps), std::back_inserter(steps),
                       Tr);
    }
    return steps;
}

// A phone of that kind ("an iPhone", "an Android phone", "a browser").
std::string PhoneWords(PhonePlatform phone) {
    switch (phone) {
    case PhonePlatform::IPhone:
        return Tr("an iPhone");
    case PhonePlatform::Android:
        return Tr("an Android phone");
    case PhonePlatform::Older:
        break;
    }
    return Tr("a browser");
}

} // namespace

std::string WifiLastStep(PhonePlatform phone) {
    if (phone == PhonePlatform::Older) {
        return FillIn(Tr("On an iPhone: %s\n\nOn an Android phone: %s"),
                      {WifiLastStep(PhonePlatform::IPhone), WifiLastStep(PhonePlatform::Android)});
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
    return Tr("Scan this code with the phone's camera, with the phone on the same Wi-Fi network as "
              "this computer, and download the ringtone from the page it opens. The page and the "
              "file are offered only at this address, and only until this closes.");
}

std::string PhoneAt(PhonePlatform phone, const std::string& peer) {
    return FillIn(Tr("%1$s at %2$s"), {PhoneWords(phone), peer});
}

std::string DownloadLine(PhonePlatform phone, const std::string& peer, bool completed,
                         bool brokeOff) {
    // Whole sentences per kind of phone, so that each language can decline the subject.
    static const char* const lines[3][3] = {
        {N_("An iPhone at %s downloaded the ringtone."),
         N_("An iPhone at %s stopped part-way; the page still offers the ringtone."),
         N_("An iPhone at %s is downloading the ringtone.")},
        {N_("An Android phone at %s downloaded the ringtone."),
         N_("An Android phone at %s stopped part-way; the page still offers the ringtone."),
         N_("An Android phone at %s is downloading the ringtone.")},
        {N_("A browser at %s downloaded the ringtone."),
         N_("A browser at %s stopped part-way; the page still offers the ringtone."),
         N_("A browser at %s is downloading the ringtone.")},
    };
    const size_t kind = phone == PhonePlatform::IPhone    ? 0
                        : phone == PhonePlatform::Android ? 1
                                                          : 2;
    const size_t state = completed ? 0 : brokeOff ? 1 : 2;
    return FillIn(Tr(lines[kind][state]), {peer});
}

std::string NothingConnectedText(const std::string& firewall, int port) {
    std::string text =
        Tr("Nothing has connected yet. Check that the phone is on the same Wi-Fi network as this "
           "computer: a guest network, or another network, keeps them apart. A firewall on this "
           "computer may also block the port.");
    const std::string tcp = std::to_string(port) + "/tcp";
    if (firewall == "firewalld") {
        text += " " + FillIn(Tr("firewalld is active; open the port with: %s"),
                             {"sudo firewall-cmd --add-port=" + tcp});
    } else if (firewall == "ufw") {
        text +=
            " " + FillIn(Tr("ufw is active; open the port with: %s"), {"sudo ufw allow " + tcp});
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
                       name + "</h1><p><a href=\"file\" download>" +
                       HtmlEscaped(Tr("Download the ringtone")) + "</a></p>";
    if (phone == PhonePlatform::Older) {
        html += StepList(Tr("On an iPhone"), WifiSteps(PhonePlatform::IPhone));
        html += StepList(Tr("On an Android phone"), WifiSteps(PhonePlatform::Android));
    } else {
        html += StepList("", WifiSteps(phone));
    }
    return html + "</body></html>";
}

} // namespace delivery_text
