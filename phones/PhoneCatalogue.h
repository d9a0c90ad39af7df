// The read-only catalogue of phone models and the ringtone formats each supports, in plain
// text. The controller builds one at start-up and owns it until shut-down; the send panel asks
// it for the vendors, the models of a vendor, and whether a model supports a format.
//
// Queries compare 8-bit texts byte for byte. Texts from the controls pass through NarrowText
// first (phones/TextConversion.h), so a name with a byte of 128 or above never matches.
// Every text argument is NUL-terminated and never null.
// User-interface thread only; not thread-safe (the cursors change on every query).
#pragma once

#include <array>
#include <cstdint>

#include "phones/PhoneRecord.h"
#include "phones/PhoneTable.h"

class PhoneCatalogue {
public:
    // Copies every string of the table into its own allocation, then unscrambles record k's
    // vendor, model and formats with index k. Both cursors start at -1. Tests pass their own
    // table; the program uses the built-in one.
    explicit PhoneCatalogue(const StoredPhoneTable& table = PhoneTable);

    // Rewrites stored text of the record at recordIndex into plain text, in place.
    static void Unscramble(int recordIndex, char* text);

    // The vendor of the record at vendorCursor, then moves the cursor to the next record of
    // another vendor (-1 past the last). Null when the cursor is -1 or out of range. Set
    // vendorCursor to 0 and call until null: each vendor once, in table order.
    const char* NextVendor();

    // Points modelCursor at the first record of the vendor and returns true; false, with the
    // cursor unchanged, when no record has that vendor.
    bool SelectVendor(const char* vendor);

    // The model of the record at modelCursor, then moves the cursor past every following
    // record of that model, to the next model of the same vendor or to -1. Null when the
    // cursor is -1 or out of range. After SelectVendor: each model of the vendor once.
    const char* NextModel();

    // True when a record of this vendor and model has the format as a substring of its
    // format list: a plain substring search, so "MIDI" also matches "SPMIDI".
    bool SupportsFormat(const char* vendor, const char* model, const char* format) const;

    int32_t vendorCursor = -1;
    int32_t modelCursor = -1;
    std::array<PhoneRecord, PhoneTableSize> records;
};
