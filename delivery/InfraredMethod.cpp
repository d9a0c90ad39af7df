// Infrared: the devices can be listed, but nothing on this system carries a file over IrDA, so
// the ringtone is saved instead.
#include "delivery/DeliveryMethod.h"

extern const DeliveryMethod infraredMethod;
const DeliveryMethod infraredMethod{
    "Infrared", DeliveryRoute::Save,
    "This system has no infrared support, so the ringtone can't be sent to the phone that "
    "way.\n\nSave the ringtone file instead?"};
