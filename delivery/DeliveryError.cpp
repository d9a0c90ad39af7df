#include "delivery/DeliveryError.h"

#include "text/Translation.h"

const char* DescribeDeliveryError(DeliveryError error) {
    switch (error) {
    case DeliveryError::None:
        return Tr("No error.");
    case DeliveryError::NoTempFolder:
        return Tr("There is no room for the ringtone in the temp folder.");
    case DeliveryError::RenderFailed:
        return Tr("The ringtone could not be made from the working file.");
    case DeliveryError::TempWriteFailed:
        return Tr("The ringtone could not be made in the temp folder.");
    case DeliveryError::ConverterNotStarted:
        return Tr("The converter (temp/ffmpeg) could not be started.");
    case DeliveryError::ConversionFailed:
        return Tr("The converter could not make the ringtone file.");
    case DeliveryError::SaveFailed:
        return Tr("The ringtone could not be written to the chosen folder.");
    case DeliveryError::NoSystemBus:
        return Tr("Bluetooth can't be used: this computer's system message bus (D-Bus) is not "
                  "running. Start it, then start the Bluetooth service.");
    case DeliveryError::NoBluetoothService:
        return Tr("Bluetooth can't be used: this computer's Bluetooth service (BlueZ) is not "
                  "running. Start the Bluetooth service (systemctl start bluetooth).");
    case DeliveryError::NoBluetoothAdapter:
        return Tr("This computer has no Bluetooth adapter. Plug one in, or turn on the computer's "
                  "built-in Bluetooth.");
    case DeliveryError::BluetoothOff:
        return Tr("This computer's Bluetooth adapter is switched off. Switch it on in the "
                  "Bluetooth settings.");
    case DeliveryError::SearchFailed:
        return Tr("This computer's Bluetooth service did not start the search. Try again in a "
                  "moment.");
    case DeliveryError::NoInfraredPort:
        return Tr("This computer has no infrared port it can use.");
    case DeliveryError::NoObexService:
        return Tr("Sending over Bluetooth needs BlueZ's OBEX service (obexd), which is not "
                  "installed. Install it (the bluez-obexd package).");
    case DeliveryError::ObexServiceFailed:
        return Tr("This computer's OBEX service (obexd) could not start, so nothing was sent. "
                  "Check that the Bluetooth service runs and the adapter is switched on.");
    case DeliveryError::Unreachable:
        return Tr("The phone could not be reached. Check that it is switched on, near, and has "
                  "Bluetooth on.");
    case DeliveryError::Refused:
        return Tr("The phone did not take the ringtone: it was refused or the transfer broke off.");
    case DeliveryError::Cancelled:
        return Tr("Sending was cancelled.");
    case DeliveryError::UsbCopyFailed:
        return Tr("The ringtone could not be copied onto the phone.");
    case DeliveryError::AlreadyThere:
        return Tr("There is a file of that name on the phone already.");
    case DeliveryError::NoNetwork:
        return Tr(
            "This computer is on no network the phone can reach. Connect it to the Wi-Fi "
            "network the phone uses (or plug it into that network's router), then try again.");
    case DeliveryError::OfferFailed:
        return Tr("The ringtone could not be offered on the network.");
    case DeliveryError::NoDownload:
        return Tr("No phone downloaded the ringtone in time.");
    }
    return Tr("Unknown error.");
}

DeliveryError BluetoothReadinessError(BluetoothReadiness readiness) {
    switch (readiness) {
    case BluetoothReadiness::Ready:
        return DeliveryError::None;
    case BluetoothReadiness::NoSystemBus:
        return DeliveryError::NoSystemBus;
    case BluetoothReadiness::NoBluetoothService:
        return DeliveryError::NoBluetoothService;
    case BluetoothReadiness::NoAdapter:
        return DeliveryError::NoBluetoothAdapter;
    case BluetoothReadiness::AdapterOff:
        return DeliveryError::BluetoothOff;
    }
    return DeliveryError::NoBluetoothService;
}

const char* DescribeEmptySearch(bool bluetooth) {
    // A fresh inquiry finds only phones that answer it: a paired phone does so only while its
    // Bluetooth settings screen is open.
    return bluetooth ? Tr("No devices found. Make the phone visible: open its Bluetooth settings "
                          "screen and keep it open, then search again.")
                     : Tr("No devices found. Put the phone's infrared port within a metre of the "
                          "computer's, facing it, then search again.");
}
