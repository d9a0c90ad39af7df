// Bluetooth: an OBEX push to the device found in step 3 (ObexPush).
#include "delivery/DeliveryMethod.h"

extern const DeliveryMethod bluetoothMethod;
const DeliveryMethod bluetoothMethod{"Bluetooth", DeliveryRoute::Push, nullptr};
