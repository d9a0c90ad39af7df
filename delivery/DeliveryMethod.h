// How a ringtone travels to the phone: one DeliveryMethod per item of step 3's send method box,
// in the registry's order ("Bluetooth" and "Infrared" first). The window's items, its device
// search, the delivery plan, the last step on the phone and the command-line tool's `send`
// options all come from here, so a new method is its own file (its entry and its Deliver), its
// platform seam with a real and a fake implementation, one line in DeliveryMethods.cpp and its
// test.
//
// Deliver blocks its caller while it runs the default GLib main context (RunMainLoopOnce): the
// window's dialogs stay drawn and clickable, and the bus's and the network's events arrive.
// User-interface thread only. The entries are static and live as long as the program.
#pragma once

#include "delivery/DeliveryError.h"
#include "delivery/DeviceFinder.h"
#include "phones/PhonePlatform.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct RingtoneFormat;

enum class DeliveryRoute {
    // The method's Deliver takes the file to the phone.
    Deliver,
    // Into a folder the user chooses; the phone gets it from there.
    Save,
};

// Where the file goes, as chosen in step 3 or on the command line.
struct DeliveryTarget {
    // The device list's address of the chosen item ("AA:BB:..." for Bluetooth, a phone's name
    // for the cable, a network address for Wi-Fi); empty for the method's own choice.
    std::string address;
    // The ringtone's title as a page may show it (the song's own, else the file's name);
    // empty for the file's name without its extension.
    std::string title;
    PhonePlatform phone = PhonePlatform::Older;
    // Whether a file of the same name already there is replaced (the cable); without it the
    // delivery stops with AlreadyThere, so that the user is asked first.
    bool replace = false;
    // How long a method that waits for the phone waits (Wi-Fi).
    int32_t minutes = 10;
    // How long a cancel that the service leaves unanswered is waited for.
    int32_t cancelGraceMilliseconds = 3000;
};

// Where a delivery stands, for a dialog or the terminal.
struct DeliveryReport {
    // One paragraph saying what is happening now (UTF-8).
    std::string text;
    // Bytes so far of size; size 0 for no measure.
    uint64_t done = 0;
    uint64_t size = 0;
    // The address the phone opens (Wi-Fi): shown as a QR code and as text. Empty otherwise.
    std::string url;
    // Whether the file has reached a phone (the dialog then offers to close, not to cancel).
    bool delivered = false;
};

struct DeliveryOutcome {
    DeliveryError error = DeliveryError::None;
    // After a delivery: where the file is or who took it (the path on the phone, "an iPhone at
    // 192.168.1.30"). After a failure: the reason's detail, when there is one.
    std::string detail;
    // After a delivery, what happened, as the command-line tool ends: "sent to AA:BB:...".
    std::string summary;
};

// The failure's sentence with its detail at the end of its first sentence: "... onto the
// phone: no phone connected in ...".
std::string DescribeFailure(const DeliveryOutcome& outcome);

using DeliveryProgressFn = std::function<void(const DeliveryReport& report)>;
// Asked after every event; true stops the delivery (Cancelled, unless it already delivered).
using DeliveryCancelFn = std::function<bool()>;

class DeliveryMethod {
public:
    virtual ~DeliveryMethod() = default;

    // The send method box's item ("Bluetooth").
    virtual const char* Label() const = 0;
    // The command-line tool's `send` option ("--to", "" for none) and what follows it in the
    // usage: a value ("AA:BB:CC:DD:EE:FF"), an optional one ("[NAME]"), or options of its own,
    // with a value ("[--minutes N] [--address A]") or without ("[--replace]", which sets the
    // target's replace), which the tool then accepts.
    virtual const char* CliOption() const = 0;
    virtual const char* CliValue() const = 0;
    // Why the command line's value can't name a target (a usage error); empty when it can.
    virtual std::string RefuseCliValue(const std::string&) const { return std::string(); }

    // What fills the device list; null when the method has no devices to choose.
    virtual std::unique_ptr<DeviceFinder> Finder() const { return nullptr; }
    // What the device list says after a search that found nothing.
    virtual const char* EmptySearchText() const { return ""; }
    // Whether the first device found is selected (a choice with a sensible default).
    virtual bool SelectsFirstDevice() const { return false; }
    // Whether the method needs a device selected in step 3 (asked before making anything).
    virtual bool NeedsDevice() const { return false; }
    // For a method that can't reach the phone on this system: why, ending with the offer to
    // save the file (a question). Null when it works.
    virtual const char* UnavailableText() const { return nullptr; }
    // The question before saving instead when an iPhone is chosen; null when the method takes
    // the iPhone's file itself.
    virtual const char* IphoneRefusal() const = 0;
    // The file an iPhone gets on this road (the .m4r for saving, unless the method says).
    virtual const RingtoneFormat& IphoneFormat() const;
    // Whether Deliver shows the phone an address to open (a QR code) rather than moving bytes
    // to a device: the window shows it in a dialog that stays until closed.
    virtual bool OffersCode() const { return false; }

    // Takes the file (an absolute path, named as the phone should see it) to the target.
    virtual DeliveryOutcome Deliver(const std::string& file, const DeliveryTarget& target,
                                    const DeliveryProgressFn& progress,
                                    const DeliveryCancelFn& cancel) const = 0;

    // The words after a delivery: what happened (with the outcome's detail) and the last step
    // on the phone of that kind.
    virtual std::string DoneText(const std::string& fileName, const DeliveryOutcome& outcome,
                                 PhonePlatform phone) const = 0;
};

// The registry, in step 3's order.
const std::vector<const DeliveryMethod*>& DeliveryMethods();
// Null for a label no method has (no selection, too).
const DeliveryMethod* FindDeliveryMethod(const std::string& label);
// Null for an option no method has.
const DeliveryMethod* FindDeliveryMethodByOption(const std::string& option);
// Adds a method at the end (the tests' fake method); it must outlive its use.
void RegisterDeliveryMethod(const DeliveryMethod& method);
// Takes it out again.
void UnregisterDeliveryMethod(const DeliveryMethod& method);

// The kind of phone a browser's User-Agent names: iPhones (and iPads), Android, or neither.
PhonePlatform PhoneOfUserAgent(const std::string& userAgent);
