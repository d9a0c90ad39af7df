// Why finding a phone, or making, saving or sending a ringtone, failed. One code per reason and
// one function that turns a code into the sentences a person reads, in the window and in the
// command-line tool. The Bluetooth reasons name the computer's side and what to do about it;
// only Unreachable and Refused are the phone's.
#pragma once

#include "platform/BluetoothReadiness.h"

enum class DeliveryError {
    None,
    NoTempFolder,
    RenderFailed,
    TempWriteFailed, // the rendering could not be written into temp/ (a full disk)
    ConverterNotStarted,
    ConversionFailed,
    SaveFailed,
    // Bluetooth on this computer, checked in this order before a search and after a failed push.
    NoSystemBus,
    NoBluetoothService,
    NoBluetoothAdapter,
    BluetoothOff,
    SearchFailed, // BlueZ refused to start the search
    NoInfraredPort,
    // The push over Bluetooth.
    NoObexService,     // obexd is not installed (or there is no session bus)
    ObexServiceFailed, // obexd was started and died, or never answered
    Unreachable,       // obexd tried the phone and could not connect
    Refused,
    Cancelled,
    // The cable: the copy onto a phone the desktop has mounted.
    UsbCopyFailed,
    AlreadyThere, // a file of the same name is on the phone, and replacing it was not asked
    // Wi-Fi: no network a phone can share, the server could not start, no phone came in time.
    NoNetwork,
    OfferFailed,
    NoDownload,
};

// English sentences, each with its full stop; never null.
const char* DescribeDeliveryError(DeliveryError error);

// The reason behind a Bluetooth side that is not ready; None for Ready.
DeliveryError BluetoothReadinessError(BluetoothReadiness readiness);

// What to do after a search that ran and found nothing, for Bluetooth or for infrared.
const char* DescribeEmptySearch(bool bluetooth);
