// What kind of phone a catalogue choice is: an iPhone, an Android phone or one of the older
// phones. The words after a push or a save and the choice of file differ by kind (an .m4r only
// ever goes to an iPhone). The kind is read from the catalogue's own data, so that a phone added
// to phones/data/phones.tsv gets its kind with its formats; the rule and the two format lists
// it relies on are in PROVENANCE.md beside that file.
//
// Wx-free; the caller passes 8-bit texts as for any catalogue query (NarrowText first).
#pragma once

#include "phones/PhoneCatalogue.h"

enum class PhonePlatform { IPhone, Android, Older };

// The format lists that mark the two platforms of today: an iPhone takes its ringtone as AAC
// in an MP4 file (made into an .m4r), an Android phone as any of the four.
inline constexpr const char* iPhoneFormats = "M4A";
inline constexpr const char* androidFormats = "WAV|MP3|AAC|M4A";

// IPhone when every record of this vendor and model has exactly iPhoneFormats (every Apple
// model and "Any phone"'s "iPhone"), Android when every one has exactly androidFormats (the
// phones of 2016 on and "Any phone"'s "Android phone"), Older otherwise, also for a vendor and
// model the catalogue doesn't list. Scans the records; leaves the cursors alone.
PhonePlatform PlatformOfPhone(const PhoneCatalogue& catalogue, const char* vendor,
                              const char* model);
