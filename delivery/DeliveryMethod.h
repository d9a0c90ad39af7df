// How a ringtone travels to the phone: one entry per item of step 3's send method box, looked
// up by the item's label. The delivery plan asks the method, never the label, what to do, so
// a new method is one file that defines its entry and one line in DeliveryMethods.cpp.
#pragma once

#include <string>

enum class DeliveryRoute {
    // To the device selected in step 3 (an OBEX push over Bluetooth).
    Push,
    // Into a folder the user chooses; the phone gets it from there.
    Save,
};

struct DeliveryMethod {
    // The send method box's item ("Bluetooth").
    const char* label;
    DeliveryRoute route;
    // For a method that can't reach the phone on this system: why, ending with the offer to
    // save the file (a question). Null when the method works.
    const char* unavailableText;
};

// Null for a label no method has (no selection, too).
const DeliveryMethod* FindDeliveryMethod(const std::string& label);
