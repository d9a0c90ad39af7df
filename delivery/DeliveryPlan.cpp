#include "delivery/DeliveryPlan.h"

#include "delivery/DeliveryMessages.h"

#include <algorithm>
#include <cctype>

namespace {

bool Offers(const DeliveryRequest& request, const char* code) {
    return std::find(request.offeredCodes.begin(), request.offeredCodes.end(), code) !=
           request.offeredCodes.end();
}

bool OffersAFormat(const DeliveryRequest& request) {
    for (const char* label : {"WAV", "MP3", "AAC", "M4A", "WMA"}) {
        if (Offers(request, label)) {
            return true;
        }
    }
    return false;
}

} // namespace

int32_t KeptSeconds(const RingtoneFormat& format, int32_t seconds) {
    return format.maxSeconds > 0 ? std::min(seconds, format.maxSeconds) : seconds;
}

DeliveryPlan PlanDelivery(const DeliveryRequest& request) {
    DeliveryPlan plan;
    if (!request.mediaLoaded) {
        plan.stop = delivery_text::noMedia;
        return plan;
    }
    if (request.vendor.empty() || request.model.empty()) {
        plan.stop = delivery_text::noPhone;
        return plan;
    }
    plan.phone = request.phone;
    if (!OffersAFormat(request)) {
        plan.stop = delivery_text::phoneTakesNoFormat;
        return plan;
    }
    const DeliveryMethod* method = FindDeliveryMethod(request.method);
    // An iPhone's file is the one its road takes: the .m4r to save, unless the method says.
    plan.format = plan.phone != PhonePlatform::IPhone ? FindFormatByLabel(request.formatLabel)
                  : method != nullptr                 ? &method->IphoneFormat()
                                                      : FindFormatByName("m4r");
    if (plan.format == nullptr) {
        plan.stop = delivery_text::noFormat;
        return plan;
    }
    // Flags that meet leave no range at all, which no silence could fill.
    if (request.seconds <= 0) {
        plan.stop = delivery_text::noLength;
        return plan;
    }
    if (request.silenceSeconds >= request.seconds) {
        plan.stop = delivery_text::silent;
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
        plan.questions.push_back(delivery_text::noDevice);
    } else {
        plan.route = DeliveryRoute::Deliver;
    }
    return plan;
}

std::string PushRefusal(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    std::string extension = dot == std::string::npos ? "" : fileName.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".m4r") {
        return delivery_text::pushM4r;
    }
    for (const char* name : {"wav", "mp3", "aac", "m4a", "wma"}) {
        if (extension == FindFormatByName(name)->extension) {
            return std::string();
        }
    }
    return delivery_text::pushExtension;
}
