#include "delivery/DeliveryError.h"

const char* DescribeDeliveryError(DeliveryError error) {
    switch (error) {
    case DeliveryError::None:
        return "No error.";
    case DeliveryError::NoTempFolder:
        return "There is no room for the ringtone in the temp folder.";
    case DeliveryError::RenderFailed:
        return "The ringtone could not be made from the working file.";
    case DeliveryError::ConverterNotStarted:
        return "The converter (temp/ffmpeg) could not be started.";
    case DeliveryError::ConversionFailed:
        return "The converter could not make the ringtone file.";
    case DeliveryError::SaveFailed:
        return "The ringtone could not be written to the chosen folder.";
    case DeliveryError::NoObexService:
        return "Sending over Bluetooth needs BlueZ's OBEX service (obexd), which is not running.";
    case DeliveryError::Unreachable:
        return "The phone could not be reached. Check that it is switched on, near, and has "
               "Bluetooth on.";
    case DeliveryError::Refused:
        return "The phone did not take the ringtone: it was refused or the transfer broke off.";
    case DeliveryError::Cancelled:
        return "Sending was cancelled.";
    }
    return "Unknown error.";
}
