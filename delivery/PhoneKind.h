// What kind of phone a ringtone is made for, judged from what the send panel offers: the vendor,
// the model and the formats the catalogue enables for it. The kind decides which file the
// phone can use (an iPhone only an .m4r) and what the user does on the phone afterwards.
// A plain function over strings; the window and the command-line tool both call it.
#pragma once

#include <string>
#include <vector>

enum class PhoneKind { IPhone, Android, Older };

// The vendor the catalogue offers for a phone that is not listed.
inline constexpr const char* anyPhoneVendor = "Any phone";

// The catalogue's format codes that tell the kinds apart; ask the catalogue about each.
inline constexpr const char* phoneKindCodes[] = {"WAV", "MP3", "AAC", "M4A", "MIDI", "AMR"};

// offeredFormats: those of phoneKindCodes the catalogue lists for this model. An iPhone is
// Apple's "iPhone..." (or "Any phone", "iPhone"); an Android phone is "Any phone", "Android
// phone", or one that takes WAV, MP3, AAC and M4A but none of the older phones' MIDI and AMR;
// every other phone is an older one.
PhoneKind ClassifyPhone(const std::string& vendor, const std::string& model,
                        const std::vector<std::string>& offeredFormats);
