#include "delivery/DeliveryMethod.h"
#include "text/Translation.h"

#include "delivery/RingtoneFormat.h"

#include <algorithm>

const DeliveryMethod& BluetoothMethod();
const DeliveryMethod& InfraredMethod();
const DeliveryMethod& UsbMethod();
const DeliveryMethod& WifiMethod();

namespace {

std::vector<const DeliveryMethod*>& Registry() {
    static std::vector<const DeliveryMethod*> methods{&BluetoothMethod(), &InfraredMethod(),
                                                      &UsbMethod(), &WifiMethod()};
    return methods;
}

} // namespace

std::string DescribeFailure(const DeliveryOutcome& outcome) {
    std::string text = DescribeDeliveryError(outcome.error);
    std::string detail = outcome.detail;
    if (detail.ends_with('.')) {
        detail.pop_back();
    }
    // The detail belongs to the reason, which the first sentence gives; what to do follows.
    const size_t first = text.find(". ");
    const size_t end = first != std::string::npos ? first : text.size() - 1;
    if (!detail.empty() && text[end] == '.') {
        text = FillIn(Tr("%s: %s."), {text.substr(0, end), detail}) + text.substr(end + 1);
    }
    return text;
}

const RingtoneFormat& DeliveryMethod::IphoneFormat() const {
    return *FindFormatByName("m4r");
}

const std::vector<const DeliveryMethod*>& DeliveryMethods() {
    return Registry();
}

const DeliveryMethod* FindDeliveryMethod(const std::string& label) {
    for (const DeliveryMethod* method : Registry()) {
        if (label == method->Label()) {
            return method;
        }
    }
    return nullptr;
}

const DeliveryMethod* FindDeliveryMethodByOption(const std::string& option) {
    for (const DeliveryMethod* method : Registry()) {
        if (!option.empty() && option == method->CliOption()) {
            return method;
        }
    }
    return nullptr;
}

void RegisterDeliveryMethod(const DeliveryMethod& method) {
    Registry().push_back(&method);
}

void UnregisterDeliveryMethod(const DeliveryMethod& method) {
    std::erase(Registry(), &method);
}
