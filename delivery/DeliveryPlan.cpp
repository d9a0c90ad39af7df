#include "delivery/DeliveryPlan.h"

#include "delivery/DeliveryMessages.h"
#include "editor/RingtoneSound.h"
#include "text/Translation.h"

#include <algorithm>

namespace {

bool Offers(const DeliveryRequest& request, const char* code) {
    return std::find(request.offeredCodes.begin(), request.offeredCodes.end(), code) !=
           request.offeredCodes.end();
}

bool OffersAFormat(const DeliveryRequest& request) {
    const std::vector<const RingtoneFormat*> boxed = FormatBoxFormats();
    return std::any_of(boxed.begin(), boxed.end(), [&](const RingtoneFormat* format) {
        return Offers(request, format->label);
    });
}

// What the sound itself lacks, when it is there to be judged.
const char* SoundProblem(const DeliveryRequest& request) {
    if (!request.mediaLoaded) {
        return Tr(delivery_text::noMedia);
    }
    // Flags that meet leave no range at all, which no silence could fill.
    if (request.seconds <= 0) {
        return Tr(delivery_text::noLength);
    }
    if (SoundSeconds(request.seconds, request.silenceSeconds) < 1) {
        return Tr(delivery_text::silent);
    }
    return nullptr;
}

} // namespace

int32_t KeptSeconds(const RingtoneFormat& format, int32_t seconds) {
    return format.maxSeconds > 0 ? std::min(seconds, format.maxSeconds) : seconds;
}

DeliveryPlan PlanDelivery(const DeliveryRequest& request) {
    DeliveryPlan plan;
    plan.phone = request.phone;
    const DeliveryMethod* method = FindDeliveryMethod(request.method);
    const bool phoneChosen = !request.vendor.empty() && !request.model.empty();
    // An iPhone's file is the one its road takes: the .m4r to save, unless the method says.
    plan.format = plan.phone != PhonePlatform::IPhone ? FindFormatByLabel(request.formatLabel)
                  : method != nullptr                 ? &method->IphoneFormat()
                                                      : FindFormatByName("m4r");
    std::vector<std::string> missing;
    if (const char* sound = SoundProblem(request)) {
        missing.push_back(sound);
    }
    if (!phoneChosen) {
        missing.push_back(Tr(delivery_text::noPhone));
    }
    if (phoneChosen && !OffersAFormat(request)) {
        missing.push_back(delivery_text::PhoneTakesNoFormat());
    } else if (plan.format == nullptr) {
        missing.push_back(Tr(delivery_text::noFormat));
    }
    for (const std::string& piece : missing) {
        plan.stop += (plan.stop.empty() ? "" : "\n\n") + piece;
    }
    if (!missing.empty()) {
        plan.format = nullptr;
        return plan;
    }
    plan.seconds = KeptSeconds(*plan.format, request.seconds);
    if (plan.seconds < request.seconds) {
        plan.questions.push_back(delivery_text::CutQuestion(*plan.format, request.seconds));
    }
    // Where the file goes is settled before the wait for the converter.
    plan.method = method;
    if (method == nullptr) {
        return plan;
    }
    if (method->UnavailableText() != nullptr) {
        plan.questions.push_back(method->UnavailableText());
    } else if (plan.phone == PhonePlatform::IPhone && method->IphoneRefusal() != nullptr) {
        plan.questions.push_back(method->IphoneRefusal());
    } else if (method->NeedsDevice() && request.deviceAddress.empty()) {
        // Making the phone visible can't help when the search could not even run.
        plan.questions.push_back(request.searchFailure == DeliveryError::None
                                     ? std::string(Tr(delivery_text::noDevice))
                                     : delivery_text::SaveInsteadAfter(request.searchFailure));
    } else {
        plan.route = DeliveryRoute::Deliver;
    }
    return plan;
}

std::string PushRefusal(const std::string& fileName) {
    const RingtoneFormat* format = FindFormatOfFile(fileName);
    if (format == FindFormatByName("m4r")) {
        return Tr(delivery_text::pushM4r);
    }
    if (format == nullptr || format->offer != FormatOffer::FormatBox) {
        return delivery_text::PushExtension();
    }
    return std::string();
}
