#include "phones/tool/PhoneTableGenerator.h"

#include <cstdio>
#include <map>

#include "phones/PhoneCipher.h"
#include "phones/PhoneTable.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t end = text.find(separator); end != std::string_view::npos;
         end = text.find(separator, start)) {
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::string ByteName(unsigned char c) {
    char name[8];
    std::snprintf(name, sizeof name, "0x%02X", c);
    return name;
}

// Names may hold spaces, punctuation and bytes of 128 and above, but no control characters:
// a stray carriage return or NUL would silently become part of a name.
std::string CheckName(std::string_view name, const char* what) {
    if (name.empty()) {
        return std::string("empty ") + what;
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) {
            return "control character " + ByteName(byte) + " in " + what + " \"" +
                   std::string(name) + "\"";
        }
    }
    return {};
}

std::string CheckFormats(std::string_view formats) {
    for (const char c : formats) {
        const auto byte = static_cast<unsigned char>(c);
        const bool letter = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        const bool digit = byte >= '0' && byte <= '9';
        if (!letter && !digit && byte != '|') {
            return "byte " + ByteName(byte) +
                   " in the format list; it may hold only letters, digits and \"|\"";
        }
    }
    return {};
}

// Printable ASCII as it stands; quotes, backslashes, "?" and every other byte as a three-digit
// octal escape, which can't run on into the next character the way a hex escape does.
void AppendLiteral(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127 && c != '"' && c != '\\' && c != '?') {
            out += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", static_cast<unsigned>(byte));
            out += escape;
        }
    }
    out += '"';
}

std::string Scrambled(int recordIndex, std::string text) {
    PhoneCipher::Scramble(recordIndex, text.data());
    return text;
}

} // namespace

bool PhoneTableGenerator::Read(std::string_view text, const std::string& fileName) {
    records.clear();
    error.clear();
    std::vector<std::string_view> lines = Split(text, '\n');
    if (text.empty() || text.back() == '\n') {
        lines.pop_back(); // nothing follows the last newline
    }

    // First line of each vendor's run, and of each model's run within the current vendor.
    std::map<std::string, size_t, std::less<>> vendorLines;
    std::map<std::string, size_t, std::less<>> modelLines;
    auto fail = [&](size_t line, const std::string& what) {
        error = fileName + ":" + std::to_string(line) + ": " + what;
        return false;
    };

    for (size_t index = 0; index < lines.size(); ++index) {
        const size_t line = index + 1;
        if (records.size() == PhoneTableSize) {
            return fail(line, "more than " + std::to_string(PhoneTableSize) +
                                  " records; the catalogue holds exactly that many");
        }
        const std::vector<std::string_view> fields = Split(lines[index], '\t');
        if (fields.size() != 3) {
            return fail(line, "expected 3 tab-separated fields (vendor, model, formats), found " +
                                  std::to_string(fields.size()));
        }
        const std::string_view vendor = fields[0];
        const std::string_view model = fields[1];
        const std::string_view formats = fields[2];
        for (const std::string& problem :
             {CheckName(vendor, "vendor"), CheckName(model, "model"), CheckFormats(formats)}) {
            if (!problem.empty()) {
                return fail(line, problem);
            }
        }

        const bool newVendor = records.empty() || records.back().vendor != vendor;
        if (newVendor) {
            if (const auto earlier = vendorLines.find(vendor); earlier != vendorLines.end()) {
                return fail(line, "the records of vendor \"" + std::string(vendor) +
                                      "\" must be together, but it already had records from "
                                      "line " +
                                      std::to_string(earlier->second));
            }
            vendorLines.emplace(vendor, line);
            modelLines.clear();
        }
        if (newVendor || records.back().model != model) {
            if (const auto earlier = modelLines.find(model); earlier != modelLines.end()) {
                return fail(line, "the records of model \"" + std::string(model) +
                                      "\" of vendor \"" + std::string(vendor) +
                                      "\" must be together, but it already had records from "
                                      "line " +
                                      std::to_string(earlier->second));
            }
            modelLines.emplace(model, line);
        }
        records.push_back({std::string(vendor), std::string(model), std::string(formats)});
    }

    if (records.size() != PhoneTableSize) {
        return fail(lines.size() + 1, "the data ends after " + std::to_string(records.size()) +
                                          " records; the catalogue holds exactly " +
                                          std::to_string(PhoneTableSize));
    }
    return true;
}

std::string PhoneTableGenerator::StoredSource() const {
    std::string out =
        "// Generated at build time by tw_phone_table_gen from phones/data/phones.tsv:\n"
        "// the phone catalogue in stored form. Edit the data file, not this one.\n"
        "#include \"phones/PhoneTable.h\"\n"
        "\n"
        "const StoredPhoneTable PhoneTable = {{\n";
    for (size_t k = 0; k < records.size(); ++k) {
        const int recordIndex = static_cast<int>(k);
        out += "    {";
        AppendLiteral(out, Scrambled(recordIndex, records[k].vendor));
        out += ", ";
        AppendLiteral(out, Scrambled(recordIndex, records[k].model));
        out += ", ";
        AppendLiteral(out, Scrambled(recordIndex, records[k].formats));
        out += "},\n";
    }
    out += "}};\n";
    return out;
}
