// Prints the time to build the PhoneCatalogue from the built-in table and the time of the
// anchor, copying the same strings into their own allocations with no unscrambling; the ratio
// is the cost of the cipher and the record layout on top of the copies. Medians of many runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "phones/PhoneCatalogue.h"

namespace {

constexpr int runs = 301;

using Clock = std::chrono::steady_clock;

template <typename Work> double MedianMicroseconds(Work work) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

// Keeps the compiler from dropping work whose result is never looked at.
volatile unsigned sink = 0;

void CopyTable() {
    std::vector<std::unique_ptr<char[]>> copies;
    copies.reserve(3 * PhoneTableSize);
    for (const StoredPhoneRecord& record : PhoneTable) {
        for (const char* text : {record.vendor, record.model, record.formats}) {
            const size_t size = std::strlen(text) + 1;
            copies.push_back(std::make_unique_for_overwrite<char[]>(size));
            std::memcpy(copies.back().get(), text, size);
        }
    }
    sink = sink + static_cast<unsigned char>(copies.back()[0]);
}

void BuildCatalogue() {
    const auto catalogue = std::make_unique<PhoneCatalogue>();
    sink = sink + static_cast<unsigned char>(catalogue->records.back().vendor[0]);
}

} // namespace

int main() {
    // One of each first, so that neither pays for cold caches or the first page faults.
    CopyTable();
    BuildCatalogue();
    const double anchor = MedianMicroseconds(CopyTable);
    const double catalogue = MedianMicroseconds(BuildCatalogue);
    std::printf("phone catalogue, median of %d runs\n", runs);
    std::printf("  anchor, copying 3 x %d strings    %8.1f us\n", PhoneTableSize, anchor);
    std::printf("  building the catalogue (+unscramble) %8.1f us  ratio %.2f\n", catalogue,
                catalogue / anchor);
    return 0;
}
