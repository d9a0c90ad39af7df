#include "app/cli/PhonesCommand.h"

#include "delivery/OfferedFormats.h"
#include "phones/PhoneCatalogue.h"
#include "phones/TextConversion.h"
#include "text/Translation.h"
#include "text/Utf8Text.h"

#include <memory>

namespace {

constexpr int kExitUnknown = 1;
constexpr int kExitUsage = 2;

// An argument as the panel's controls would hand it to the catalogue: decoded as the UTF-8 it
// is typed in, then narrowed, so that anything outside 7-bit ASCII becomes "_" there too.
std::string AsQuery(const std::string& argument) {
    return NarrowText(WideFromUtf8(argument));
}

// A catalogue text as the controls would show it, written out as UTF-8.
std::string AsShown(const char* text) {
    return Utf8FromWide(WidenText(text));
}

} // namespace

int RunPhonesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() > 2) {
        err << "tonewick-cli phones: " << FillIn(Tr("unexpected argument '%s'"), {args[2]}) << "\n"
            << "usage: tonewick-cli phones [VENDOR [MODEL]]\n";
        return kExitUsage;
    }
    // On the heap: the records of the whole table are too big for a comfortable stack frame.
    const auto catalogue = std::make_unique<PhoneCatalogue>();
    if (args.empty()) {
        catalogue->vendorCursor = 0;
        while (const char* vendor = catalogue->NextVendor()) {
            out << AsShown(vendor) << '\n';
        }
        return 0;
    }

    const std::string vendor = AsQuery(args[0]);
    if (!catalogue->SelectVendor(vendor.c_str())) {
        err << "tonewick-cli phones: "
            << FillIn(Tr("no vendor '%s' in the catalogue; 'tonewick-cli phones' lists them"),
                      {args[0]})
            << "\n";
        return kExitUnknown;
    }
    if (args.size() == 1) {
        while (const char* model = catalogue->NextModel()) {
            out << AsShown(model) << '\n';
        }
        return 0;
    }

    const std::string model = AsQuery(args[1]);
    bool listed = false;
    while (const char* each = catalogue->NextModel()) {
        listed = listed || model == each;
    }
    if (!listed) {
        err << "tonewick-cli phones: "
            << FillIn(Tr("no model '%1$s' of %2$s in the catalogue; 'tonewick-cli phones "
                         "\"%2$s\"' lists them"),
                      {args[1], args[0]})
            << "\n";
        return kExitUnknown;
    }
    out << JoinFormats(OfferedFormats(*catalogue, vendor, model), &RingtoneFormat::label, " ", " ")
        << '\n';
    return 0;
}
