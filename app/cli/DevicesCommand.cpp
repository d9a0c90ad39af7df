#include "app/cli/DevicesCommand.h"

#include "delivery/BluetoothFinder.h"
#include "delivery/InfraredFinder.h"
#include "text/Translation.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

constexpr int kExitUsage = 2;
constexpr const char* kUsage = "usage: tonewick-cli devices --bluetooth [--seconds N]\n"
                               "       tonewick-cli devices --infrared\n";
// An hour is more than any search needs and keeps the milliseconds in range.
constexpr uint32_t kMaxSeconds = 3600;

struct DevicesRequest {
    bool bluetooth = false;
    bool infrared = false;
    std::optional<uint32_t> seconds;
};

std::optional<uint32_t> Seconds(const std::string& text) {
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < 1 || value > kMaxSeconds) {
        return std::nullopt;
    }
    return value;
}

// Null after printing what was wrong with the command line.
std::optional<DevicesRequest> Parse(const std::vector<std::string>& args, std::ostream& err) {
    DevicesRequest request;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--bluetooth" && !request.bluetooth) {
            request.bluetooth = true;
        } else if (arg == "--infrared" && !request.infrared) {
            request.infrared = true;
        } else if (arg == "--seconds" && !request.seconds && i + 1 < args.size()) {
            request.seconds = Seconds(args[++i]);
            if (!request.seconds) {
                err << "tonewick-cli devices: "
                    << FillIn(Tr("--seconds takes whole seconds from 1 to %1$s, not '%2$s'"),
                              {std::to_string(kMaxSeconds), args[i]})
                    << "\n";
                return std::nullopt;
            }
        } else {
            err << "tonewick-cli devices: " << FillIn(Tr("unexpected argument '%s'"), {arg}) << "\n"
                << kUsage;
            return std::nullopt;
        }
    }
    if (request.bluetooth == request.infrared || (request.infrared && request.seconds)) {
        err << kUsage;
        return std::nullopt;
    }
    return request;
}

// The finder's lines go to a memory stream first, so they reach `out` like everything else.
class FinderLines {
public:
    FinderLines() : stream(open_memstream(&data, &size)) {}
    ~FinderLines() {
        if (stream != nullptr) {
            std::fclose(stream);
        }
        std::free(data);
    }
    FinderLines(const FinderLines&) = delete;
    FinderLines& operator=(const FinderLines&) = delete;

    std::FILE* Stream() const { return stream != nullptr ? stream : stdout; }
    void CopyTo(std::ostream& out) const {
        if (stream != nullptr) {
            std::fflush(stream);
            out.write(data, static_cast<std::streamsize>(size));
        }
    }

private:
    char* data = nullptr;
    size_t size = 0;
    std::FILE* stream;
};

// Exit 0 when the search ran, found or not; 1 with the reason when it could not run.
int List(DeviceFinder& finder, bool bluetooth, const FinderLines& lines, std::ostream& out,
         std::ostream& err) {
    const DeviceSearchResult result = finder.Search(nullptr, nullptr, nullptr);
    lines.CopyTo(out);
    if (result.failure != DeliveryError::None) {
        err << "tonewick-cli devices: " << DescribeDeliveryError(result.failure) << '\n';
        return 1;
    }
    for (const FoundDevice& device : result.devices) {
        out << device.name << '\t' << device.address << '\n';
    }
    if (result.devices.empty()) {
        err << "tonewick-cli devices: " << DescribeEmptySearch(bluetooth) << '\n';
    }
    return 0;
}

} // namespace

int RunDevicesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<DevicesRequest> request = Parse(args, err);
    if (!request) {
        return kExitUsage;
    }
    FinderLines lines;
    if (request->bluetooth) {
        BluetoothFinder finder;
        finder.output = lines.Stream();
        if (request->seconds) {
            finder.searchMilliseconds = *request->seconds * 1000;
        }
        return List(finder, true, lines, out, err);
    }
    InfraredFinder finder;
    return List(finder, false, lines, out, err);
}
