// Turns the catalogue's plain data (phones/data/phones.tsv) into the C++ source that defines
// PhoneTable in stored form. Part of the build's generator tool and of the tests, never of the
// program. It refuses data that the catalogue's queries would answer wrongly: a wrong record
// count, or the records of a vendor, or of a model within a vendor, not kept together.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct PlainPhoneRecord {
    std::string vendor;
    std::string model;
    std::string formats;
};

class PhoneTableGenerator {
public:
    // Reads one record a line, vendor TAB model TAB formats; the last newline is optional.
    // On failure returns false and sets error to one line, "<fileName>:<line>: <what is
    // wrong>"; records then holds the records read before that line.
    bool Read(std::string_view text, const std::string& fileName);

    // The source file defining PhoneTable, record k scrambled with index k. Meaningful only
    // after Read succeeded.
    std::string StoredSource() const;

    std::vector<PlainPhoneRecord> records;
    std::string error;
};
