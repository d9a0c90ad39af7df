// "Wi-Fi (scan a code)": the phone downloads the ringtone from this computer. The devices are
// this computer's network addresses (the default route's first and chosen unless the user picks
// another); delivering offers the file on one of them through the OfferServer until the caller
// stops it or the target's minutes run out, and reports every download. Only a response that
// carried the whole file counts: scanners and chat previews that fetch the page first, a HEAD,
// or a download that broke off never do, and the server goes on serving after them.
#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryMethod.h"
#include "delivery/RingtoneFormat.h"
#include "delivery/WifiAddressFinder.h"
#include "platform/FailureLog.h"
#include "platform/MainLoop.h"
#include "platform/NetworkAddresses.h"
#include "platform/OfferServer.h"
#include "text/Translation.h"

#include <map>
#include <optional>

namespace {

// The same port each time where it is free, so that a firewall opened for it stays open.
constexpr uint16_t preferredPort = 47810;
constexpr uint32_t quietMilliseconds = 60 * 1000;
// The downloads the dialog lists, the latest last.
constexpr size_t linesShown = 4;

// What the offer has seen so far, as the dialog and the terminal show it: the latest downloads
// and the first that delivered the whole file.
struct OfferState {
    std::string url;
    std::string hint;
    bool connected = false;
    std::map<int, OfferedDownload> downloads;
    std::optional<OfferedDownload> delivered;

    void Take(const OfferedDownload& download) {
        downloads[download.id] = download;
        while (downloads.size() > linesShown) {
            downloads.erase(downloads.begin());
        }
        if (!delivered && download.wholeFile &&
            download.stage == OfferedDownload::Stage::Completed) {
            delivered = download;
        }
    }

    DeliveryReport Report() const {
        DeliveryReport report;
        report.url = url;
        report.delivered = delivered.has_value();
        for (const auto& [id, d] : downloads) {
            report.text += (report.text.empty() ? "" : "\n") +
                           delivery_text::DownloadLine(PhoneOfUserAgent(d.userAgent), d.peer,
                                                       d.stage == OfferedDownload::Stage::Completed,
                                                       d.stage == OfferedDownload::Stage::Broken);
            report.done = d.sent;
            report.size = d.size;
        }
        if (delivered) {
            report.text +=
                "\n\n" + delivery_text::WifiLastStep(PhoneOfUserAgent(delivered->userAgent));
        } else if (report.text.empty()) {
            report.text = hint.empty() ? Tr("Waiting for the phone to open the address.") : hint;
        }
        return report;
    }
};

class Wifi : public DeliveryMethod {
public:
    const char* Label() const override { return Tr("Wi-Fi (scan a code)"); }
    const char* CliOption() const override { return "--wifi"; }
    const char* CliValue() const override { return "[--minutes N] [--address A]"; }
    std::unique_ptr<DeviceFinder> Finder() const override {
        return std::make_unique<WifiAddressFinder>(CreateNetworkAddresses());
    }
    const char* EmptySearchText() const override {
        return DescribeDeliveryError(DeliveryError::NoNetwork);
    }
    bool SelectsFirstDevice() const override { return true; }
    const char* IphoneRefusal() const override { return nullptr; }
    const RingtoneFormat& IphoneFormat() const override { return *FindFormatByName("iphone-m4a"); }
    bool OffersCode() const override { return true; }

    DeliveryOutcome Deliver(const std::string& file, const DeliveryTarget& target,
                            const DeliveryProgressFn& progress,
                            const DeliveryCancelFn& cancel) const override {
        const std::unique_ptr<NetworkAddresses> network = CreateNetworkAddresses();
        std::string address = target.address;
        if (address.empty()) {
            const std::vector<NetworkAddress> addresses = PhoneReachableAddresses(*network);
            if (addresses.empty()) {
                return {DeliveryError::NoNetwork, "", ""};
            }
            address = addresses.front().address;
        }
        OfferState state;
        OfferSettings settings;
        settings.address = address;
        settings.port = preferredPort;
        settings.filePath = file;
        settings.fileName = file.substr(file.find_last_of('/') + 1);
        const RingtoneFormat* format = FindFormatOfFile(settings.fileName);
        settings.contentType = format != nullptr ? format->mediaType : "application/octet-stream";
        const std::string title = !target.title.empty()
                                      ? target.title
                                      : settings.fileName.substr(0, settings.fileName.rfind('.'));
        settings.page = [title](const std::string& userAgent) {
            return delivery_text::WifiPage(title, PhoneOfUserAgent(userAgent));
        };
        settings.pagePolicy = "default-src 'none'; style-src " +
                              StyleSourceHash(delivery_text::WifiPageStyle()) +
                              "; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
        settings.onDownload = [&state](const OfferedDownload& d) { state.Take(d); };
        settings.onConnection = [&state](const std::string&) { state.connected = true; };
        std::unique_ptr<OfferServer> server = CreateOfferServer();
        std::string reason;
        if (!server->Start(settings, reason)) {
            settings.port = 0;
            server = CreateOfferServer();
            if (!server->Start(settings, reason)) {
                DeliveryOutcome failed{DeliveryError::OfferFailed, reason, ""};
                LogFailure("offer " + file + " at " + address, DescribeFailure(failed));
                return failed;
            }
        }
        state.url = server->Url();
        const MainLoopTimer quiet(quietMilliseconds);
        const MainLoopTimer end(static_cast<uint32_t>(target.minutes) * 60 * 1000);
        for (;;) {
            if (quiet.Fired() && !state.connected && state.hint.empty()) {
                state.hint =
                    delivery_text::NothingConnectedText(network->ActiveFirewall(), server->Port());
            }
            progress(state.Report());
            if (cancel() || end.Fired()) {
                break;
            }
            RunMainLoopOnce(true);
        }
        server->Stop();
        if (!state.delivered) {
            return {end.Fired() ? DeliveryError::NoDownload : DeliveryError::Cancelled, "", ""};
        }
        const std::string who = delivery_text::PhoneAt(PhoneOfUserAgent(state.delivered->userAgent),
                                                       state.delivered->peer);
        return {DeliveryError::None, who, FillIn(Tr("downloaded by %s"), {who})};
    }

    std::string DoneText(const std::string& fileName, const DeliveryOutcome& outcome,
                         PhonePlatform) const override {
        return FillIn(Tr("\"%1$s\" was downloaded by %2$s."), {fileName, outcome.detail});
    }
};

} // namespace

PhonePlatform PhoneOfUserAgent(const std::string& userAgent) {
    for (const char* apple : {"iPhone", "iPad", "iPod"}) {
        if (userAgent.find(apple) != std::string::npos) {
            return PhonePlatform::IPhone;
        }
    }
    return userAgent.find("Android") != std::string::npos ? PhonePlatform::Android
                                                          : PhonePlatform::Older;
}

const DeliveryMethod& WifiMethod() {
    static const Wifi method;
    return method;
}
