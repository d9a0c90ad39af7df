// Which of the format box's formats the phone catalogue lists for a model: the one answer that
// the window's format box, the plan's check and the command-line tool's phones all follow.
#pragma once

#include "delivery/RingtoneFormat.h"
#include "phones/PhoneCatalogue.h"

#include <string>
#include <vector>

// In the box's order; vendor and model as the catalogue compares them (NarrowText). Empty for
// a model the catalogue doesn't list, or one that takes none of them.
std::vector<const RingtoneFormat*> OfferedFormats(const PhoneCatalogue& catalogue,
                                                  const std::string& vendor,
                                                  const std::string& model);
