// libFuzzer target: the phone catalogue's queries with arbitrary vendor, model and format texts
// and arbitrary cursors. The input is vendor, model and format separated by NUL bytes, then
// eight bytes of two little-endian 32-bit cursor values. Each text is asked as it stands and
// as the send panel would ask it (read as UTF-8 into a wide string, then narrowed).
//
// Checks, against the vendors and models the catalogue lists itself: a vendor is selectable
// exactly when it is listed, and selecting it lists exactly its models; a failed selection
// leaves the model cursor alone; a format is supported exactly when a record of that vendor
// and model holds it as a substring; a narrowed text is 7-bit; from any cursor the next-vendor
// and next-model steps return that record's text and only move forward (or to -1).
// scripts/test runs it for 10 seconds, tests/fuzz/run as long as asked.
#include "phones/PhoneCatalogue.h"
#include "phones/TextConversion.h"
#include "text/Utf8Text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

using Models = std::vector<std::string>;

// The catalogue as it lists itself, read once: each vendor with its models, in listing order,
// and the format lists of the records of each vendor and model.
struct Listing {
    PhoneCatalogue catalogue;
    std::map<std::string, Models> models;
    std::map<std::pair<std::string, std::string>, std::vector<std::string_view>> formats;
};

Models ListModels(PhoneCatalogue& catalogue) {
    Models models;
    for (const char* model = catalogue.NextModel(); model != nullptr;
         model = catalogue.NextModel()) {
        models.emplace_back(model);
    }
    return models;
}

Listing& TheListing() {
    static Listing listing = [] {
        Listing made;
        made.catalogue.vendorCursor = 0;
        for (const char* vendor = made.catalogue.NextVendor(); vendor != nullptr;
             vendor = made.catalogue.NextVendor()) {
            Check(made.models.count(vendor) == 0);
            Check(NarrowText(WidenText(vendor)) == vendor);
            made.models[vendor] = {};
        }
        for (auto& [vendor, models] : made.models) {
            Check(made.catalogue.SelectVendor(vendor.c_str()));
            models = ListModels(made.catalogue);
            Check(!models.empty());
            Check(std::set<std::string>(models.begin(), models.end()).size() == models.size());
            for (const std::string& model : models) {
                Check(made.catalogue.SupportsFormat(vendor.c_str(), model.c_str(), ""));
            }
        }
        for (const PhoneRecord& record : made.catalogue.records) {
            made.formats[{record.vendor.get(), record.model.get()}].emplace_back(
                record.formats.get());
        }
        return made;
    }();
    return listing;
}

bool Holds(const Listing& listing, const std::string& vendor, const std::string& model,
           const std::string& format) {
    const auto lists = listing.formats.find({vendor, model});
    return lists != listing.formats.end() &&
           std::any_of(lists->second.begin(), lists->second.end(), [&](std::string_view list) {
               return list.find(format) != std::string_view::npos;
           });
}

void CheckQueries(Listing& listing, const std::string& vendor, const std::string& model,
                  const std::string& format) {
    PhoneCatalogue& catalogue = listing.catalogue;
    const auto listed = listing.models.find(vendor);
    catalogue.modelCursor = 12345;
    const bool selected = catalogue.SelectVendor(vendor.c_str());
    Check(selected == (listed != listing.models.end()));
    if (selected) {
        Check(catalogue.records[catalogue.modelCursor].vendor.get() == vendor);
        Check(ListModels(catalogue) == listed->second);
    } else {
        Check(catalogue.modelCursor == 12345);
    }
    const bool supported = catalogue.SupportsFormat(vendor.c_str(), model.c_str(), format.c_str());
    Check(supported == Holds(listing, vendor, model, format));
    if (supported) {
        Check(selected && std::count(listed->second.begin(), listed->second.end(), model) == 1);
    }
}

std::string Narrowed(const std::string& bytes) {
    const std::wstring wide = WideFromUtf8(bytes);
    const std::string narrow = NarrowText(wide);
    Check(narrow.size() == wide.size());
    Check(std::all_of(narrow.begin(), narrow.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 128; }));
    return narrow;
}

void CheckCursors(PhoneCatalogue& catalogue, int32_t vendorCursor, int32_t modelCursor) {
    const bool vendorInTable = vendorCursor >= 0 && vendorCursor < PhoneTableSize;
    catalogue.vendorCursor = vendorCursor;
    const char* vendor = catalogue.NextVendor();
    Check((vendor != nullptr) == vendorInTable);
    if (vendorInTable) {
        Check(vendor == catalogue.records[vendorCursor].vendor.get());
        const int32_t next = catalogue.vendorCursor;
        Check(next == -1 || (next > vendorCursor && next < PhoneTableSize &&
                             std::strcmp(catalogue.records[next].vendor.get(), vendor) != 0));
    } else {
        Check(catalogue.vendorCursor == vendorCursor);
    }

    const bool modelInTable = modelCursor >= 0 && modelCursor < PhoneTableSize;
    catalogue.modelCursor = modelCursor;
    const char* model = catalogue.NextModel();
    Check((model != nullptr) == modelInTable);
    if (modelInTable) {
        const PhoneRecord& record = catalogue.records[modelCursor];
        Check(model == record.model.get());
        const int32_t next = catalogue.modelCursor;
        Check(next == -1 ||
              (next > modelCursor && next < PhoneTableSize &&
               std::strcmp(catalogue.records[next].vendor.get(), record.vendor.get()) == 0 &&
               std::strcmp(catalogue.records[next].model.get(), model) != 0));
    } else {
        Check(catalogue.modelCursor == modelCursor);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string texts[3];
    for (std::string& text : texts) {
        const size_t nul = std::min(rest.find('\0'), rest.size());
        text = rest.substr(0, nul);
        rest.remove_prefix(std::min(nul + 1, rest.size()));
    }
    int32_t cursors[2] = {0, 0};
    std::memcpy(cursors, rest.data(), std::min(rest.size(), sizeof cursors));

    Listing& listing = TheListing();
    CheckQueries(listing, texts[0], texts[1], texts[2]);
    CheckQueries(listing, Narrowed(texts[0]), Narrowed(texts[1]), Narrowed(texts[2]));
    CheckCursors(listing.catalogue, cursors[0], cursors[1]);
    return 0;
}
