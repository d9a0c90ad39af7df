// The sentences about making and sending a ringtone that more than one test expects, written
// out as the user reads them: taken from the code, a wrong sentence would still pass.
#pragma once

namespace twtest::said {

inline constexpr const char* noMedia = "Import a media file first.";
inline constexpr const char* noPhone = "Choose your phone's vendor and model in step 1.";
inline constexpr const char* noFormat = "Choose the ringtone's format in step 2.";
inline constexpr const char* phoneTakesNoFormat =
    "This phone takes none of the formats Tonewick makes (WAV, MP3, AAC, M4A, WMA).\n\nChoose "
    "the vendor \"Any phone\" in step 1 and the model closest to your phone instead.";
inline constexpr const char* silent = "The ringtone is silence from end to end. Move the silence "
                                      "marker back from the end of the ringtone.";
inline constexpr const char* iphoneNoBluetooth =
    "iPhones accept no ringtones sent over Bluetooth. Choose \"Wi-Fi (scan a code)\" in step 3 "
    "instead: the iPhone downloads the ringtone and sets it in the Files app (iOS 26 and "
    "later).\n\nSave the .m4r file instead, for the software you sync the iPhone with?";
inline constexpr const char* infraredUnavailable =
    "This system has no infrared support, so the ringtone can't be sent to the phone that "
    "way.\n\nSave the ringtone file instead?";
inline constexpr const char* noDevice =
    "No phone is selected in step 3. Search for it there first (make it visible in its "
    "Bluetooth settings), or save the ringtone file now.\n\nSave the ringtone file instead?";
inline constexpr const char* m4rOf45Seconds =
    "iPhones take ringtones as AAC in an .m4r file of at most 40 seconds, and this ringtone lasts "
    "45 seconds.\n\nContinue with its first 40 seconds? The fade-out then ends at the new end.";
inline constexpr const char* nothingFound = "No devices found. Make the phone visible: open its "
                                            "Bluetooth settings screen and keep it open, then "
                                            "search again.";

} // namespace twtest::said
