// A stored phone table made by a test from plain records: record k scrambled with index k, the
// remaining records up to 1748 filled with a vendor "Filler" whose models support nothing.
// Owns the strings the table points at, so it must outlive any use of `table`.
#pragma once

#include <string>
#include <vector>

#include "phones/PhoneTable.h"
#include "phones/tool/PhoneTableGenerator.h"

namespace twtest {

class StoredTable {
public:
    explicit StoredTable(std::vector<PlainPhoneRecord> plain);
    StoredTable(const StoredTable&) = delete;
    StoredTable& operator=(const StoredTable&) = delete;

    StoredPhoneTable table{};

private:
    std::vector<std::string> texts;
};

} // namespace twtest
