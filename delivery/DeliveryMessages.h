// Every sentence that Convert and Send and the command-line tool's make and send say about
// delivering a ringtone, in one place: what is missing, the questions before making the file,
// why saving failed, and the last step on the phone by its kind. Sentences end with a full
// stop or a question mark; a question that offers another way ends the text; paragraphs are
// separated by one blank line. UTF-8; the window widens them as they are.
#pragma once

#include "delivery/DeliveryError.h"
#include "delivery/RingtoneFormat.h"
#include "phones/PhonePlatform.h"
#include "text/Translation.h"

#include <cstdint>
#include <string>
#include <vector>

namespace delivery_text {

inline constexpr const char* caption = N_("Convert and Send");
inline constexpr const char* noMedia = N_("Import a media file first.");
inline constexpr const char* noPhone = N_("Choose your phone's vendor and model in step 1.");
inline constexpr const char* noFormat = N_("Choose the ringtone's format in step 2.");
inline constexpr const char* noLength =
    N_("The ringtone has no length: its two flags stand on the same second. Drag the red flag to "
       "the right of the green one.");
inline constexpr const char* silent =
    N_("The ringtone is silence from end to end. Move the silence marker back from the end of the "
       "ringtone.");
inline constexpr const char* iphoneNoBluetooth =
    N_("iPhones accept no ringtones sent over Bluetooth. Choose \"Wi-Fi (scan a code)\" in step 3 "
       "instead: the iPhone downloads the ringtone and sets it in the Files app (iOS 26 and "
       "later).\n\nSave the .m4r file instead, for the software you sync the iPhone with?");
inline constexpr const char* iphoneNoCable =
    N_("This computer can't put a ringtone on an iPhone by cable. Choose \"Wi-Fi (scan a code)\" "
       "in step 3 instead: the iPhone downloads the ringtone and sets it in the Files app (iOS 26 "
       "and later).\n\nSave the .m4r file instead, for the software you sync the iPhone with?");
inline constexpr const char* infraredUnavailable =
    N_("This system has no infrared support, so the ringtone can't be sent to the phone that "
       "way.\n\nSave the ringtone file instead?");
inline constexpr const char* noUsbPhone =
    N_("No phone is connected in file-transfer mode. Connect it by cable, choose \"File transfer\" "
       "in the notification on the phone, then search again.");
inline constexpr const char* noDevice =
    N_("No phone is selected in step 3. Search for it there first (make it visible in its "
       "Bluetooth settings), or save the ringtone file now.\n\nSave the ringtone file instead?");
inline constexpr const char* pushM4r =
    N_("An .m4r file is for iPhones, which take no ringtone over Bluetooth or by cable from this "
       "computer: offer it with --wifi, or add it with the software the iPhone syncs with.");
inline constexpr const char* saveInstead = N_("Save the ringtone file instead?");
inline constexpr const char* pushCancelled =
    N_("Sending was cancelled. The phone may hold part of the file: delete it there if it shows "
       "up among the received files.");
inline constexpr const char* otherFolder = N_("Choose another folder?");
inline constexpr const char* converting = N_("Converting the ringtone. Cancel stops it.");

// A phone of the catalogue that takes none of the format box's formats, named there.
std::string PhoneTakesNoFormat();
// Why a file of none of the format box's extensions can't be pushed, naming them.
std::string PushExtension();
// Why the file can't reach the phone, then the offer to save it instead.
std::string SaveInsteadAfter(DeliveryError error);
// The question before an .m4r is cut to the format's longest length.
std::string CutQuestion(const RingtoneFormat& format, int32_t seconds);
// The command-line tool's note that it keeps the first part.
std::string CutNote(const RingtoneFormat& format, int32_t seconds);
// "could not be written ...: no space left." for the system's error number.
std::string SaveFailure(int systemError);
// The short reason for a system error number: "no permission", "no space left", ...
std::string SystemReason(int systemError);
// After a completed push of fileName, and what to do on the phone.
std::string SentText(const std::string& fileName, PhonePlatform phone);
// After a copy by cable to the path on the phone.
std::string CopiedText(const std::string& fileName, const std::string& path);

// The Wi-Fi road. What to do on a phone of that kind once the page is open, as one paragraph,
// for the dialog and the terminal: both kinds' steps for a phone of neither.
std::string WifiLastStep(PhonePlatform phone);
// How the dialog and the terminal ask for the code to be scanned.
std::string WifiScanText();
// That phone and where it is ("an iPhone at 192.168.1.20").
std::string PhoneAt(PhonePlatform phone, const std::string& peer);
// One download's line: who, from where, and how far.
std::string DownloadLine(PhonePlatform phone, const std::string& peer, bool completed,
                         bool brokeOff);
// What to check when nothing has connected for a minute; firewall is "firewalld", "ufw" or
// empty, port the server's.
std::string NothingConnectedText(const std::string& firewall, int port);
// The page a phone opens: the ringtone's name escaped, a download button for "file" beside
// the page, and the steps for the phone its browser says it is.
std::string WifiPage(const std::string& ringtoneName, PhonePlatform phone);
// The page's only style, which its Content-Security-Policy allows by its hash.
const char* WifiPageStyle();
// After saving to path (on a phone, its place there); inRingtones when it lies in a phone's own
// Ringtones folder.
std::string SavedText(const std::string& path, PhonePlatform phone, bool inRingtones);

} // namespace delivery_text
