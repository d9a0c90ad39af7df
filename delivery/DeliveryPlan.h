// What Convert and Send does with what the window offers at the press, decided without the
// window: the file to make (format, extension, the iPhone's 40 seconds), the phone it is for,
// where it goes (handed to the send method or saved), and what to say or ask first. The
// window follows the plan with its dialogs; the command-line tool's make and send take the
// same rules from it. Plain values in, a plain struct out; no state.
#pragma once

#include "delivery/DeliveryError.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/RingtoneFormat.h"
#include "phones/PhonePlatform.h"

#include <cstdint>
#include <string>
#include <vector>

struct DeliveryRequest {
    bool mediaLoaded = false;
    // Step 1's texts (empty for no selection).
    std::string vendor;
    std::string model;
    // The kind of phone the catalogue says the model is (PlatformOfPhone).
    PhonePlatform phone = PhonePlatform::Older;
    // What the catalogue lists for the model among the format box's labels.
    std::vector<std::string> offeredCodes;
    // Step 2's selected label; empty when none is selected or it is greyed.
    std::string formatLabel;
    // Step 3: the send method's label and the selected device's address (empty for none).
    std::string method;
    std::string deviceAddress;
    // The ringtone's length and its leading silence, in whole seconds.
    int32_t seconds = 0;
    int32_t silenceSeconds = 0;
    // Why the last search for devices could not run; None when it ran (or none was made).
    DeliveryError searchFailure = DeliveryError::None;
};

struct DeliveryPlan {
    // Not empty: nothing can be made; say this and stop. It names every missing piece at once,
    // a paragraph each, in the window's order: the sound, the phone, the format.
    std::string stop;
    PhonePlatform phone = PhonePlatform::Older;
    const RingtoneFormat* format = nullptr;
    // The seconds that are made: the ringtone's, or the format's longest when that is shorter.
    int32_t seconds = 0;
    DeliveryRoute route = DeliveryRoute::Save;
    // The send method chosen in step 3; null for none.
    const DeliveryMethod* method = nullptr;
    // Asked in order before anything is made; anything but Yes stops there.
    std::vector<std::string> questions;
};

DeliveryPlan PlanDelivery(const DeliveryRequest& request);

// The seconds a format keeps of a ringtone of the given length.
int32_t KeptSeconds(const RingtoneFormat& format, int32_t seconds);

// Why a finished file can't be pushed to a phone (the command-line tool's send): an .m4r is
// for iPhones, which take no push, and a phone judges the file by an extension of the formats.
// Empty when it can.
std::string PushRefusal(const std::string& fileName);
