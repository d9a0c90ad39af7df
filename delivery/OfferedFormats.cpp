#include "delivery/OfferedFormats.h"

std::vector<const RingtoneFormat*> OfferedFormats(const PhoneCatalogue& catalogue,
                                                  const std::string& vendor,
                                                  const std::string& model) {
    std::vector<const RingtoneFormat*> offered = FormatBoxFormats();
    std::erase_if(offered, [&](const RingtoneFormat* format) {
        return !catalogue.SupportsFormat(vendor.c_str(), model.c_str(), format->label);
    });
    return offered;
}
