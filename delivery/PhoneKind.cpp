#include "delivery/PhoneKind.h"

#include "delivery/RingtoneFormat.h"

#include <algorithm>

namespace {

bool Offers(const std::vector<std::string>& formats, const char* label) {
    return std::find(formats.begin(), formats.end(), label) != formats.end();
}

} // namespace

PhoneKind ClassifyPhone(const std::string& vendor, const std::string& model,
                        const std::vector<std::string>& offeredFormats) {
    const bool anyPhone = vendor == anyPhoneVendor;
    if ((vendor == appleVendor && model.starts_with("iPhone")) || (anyPhone && model == "iPhone")) {
        return PhoneKind::IPhone;
    }
    if (anyPhone && model == "Android phone") {
        return PhoneKind::Android;
    }
    // Many older phones took all four as well, but every one of them also took MIDI or AMR.
    const bool today = Offers(offeredFormats, "WAV") && Offers(offeredFormats, "MP3") &&
                       Offers(offeredFormats, "AAC") && Offers(offeredFormats, "M4A") &&
                       !Offers(offeredFormats, "MIDI") && !Offers(offeredFormats, "AMR");
    return today && vendor != appleVendor ? PhoneKind::Android : PhoneKind::Older;
}
