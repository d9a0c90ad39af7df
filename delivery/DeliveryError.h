// Why making, saving or sending a ringtone failed. One code per reason and one function that
// turns a code into the sentence a person reads, in the window and in the command-line tool.
#pragma once

enum class DeliveryError {
    None,
    NoTempFolder,
    RenderFailed,
    ConverterNotStarted,
    ConversionFailed,
    SaveFailed,
    // The push over Bluetooth.
    NoObexService,
    Unreachable,
    Refused,
    Cancelled,
};

// A short English sentence with its full stop; never null.
const char* DescribeDeliveryError(DeliveryError error);
