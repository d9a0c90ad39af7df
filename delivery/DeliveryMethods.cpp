#include "delivery/DeliveryMethod.h"

extern const DeliveryMethod bluetoothMethod;
extern const DeliveryMethod infraredMethod;

namespace {

const DeliveryMethod* const methods[] = {&bluetoothMethod, &infraredMethod};

} // namespace

const DeliveryMethod* FindDeliveryMethod(const std::string& label) {
    for (const DeliveryMethod* method : methods) {
        if (label == method->label) {
            return method;
        }
    }
    return nullptr;
}
