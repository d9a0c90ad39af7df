// The Wi-Fi road's other parts: the addresses offered to a phone (over a scripted network), and
// the code the command-line tool prints, read back by a real QR decoder.
#include "TempDir.h"

#include "delivery/DeliveryError.h"
#include "delivery/WifiAddressFinder.h"
#include "platform/QrCode.h"
#include "platform/fake/ScriptedNetwork.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>

namespace {

TEST(WifiAddresses, AreThoseAPhoneCanReachTheDefaultRoutesFirst) {
    const struct {
        const char* what;
        std::vector<NetworkAddress> addresses;
        std::vector<std::string> listed;
    } cases[] = {
        {"nothing but loopback, bridges and link-local",
         {{"lo", "127.0.0.1", true, false},
          {"docker0", "172.17.0.1", false, false},
          {"virbr0", "192.168.122.1", false, false},
          {"eth0", "169.254.7.1", false, true}},
         {}},
        {"the default route's first",
         {{"lo", "127.0.0.1", true, false},
          {"eth0", "10.0.0.5", false, false},
          {"wlan0", "192.168.1.20", false, true}},
         {"192.168.1.20 (wlan0)", "10.0.0.5 (eth0)"}},
    };
    for (const auto& c : cases) {
        auto network = std::make_unique<ScriptedNetwork>();
        network->addresses = c.addresses;
        WifiAddressFinder finder(std::move(network));
        const DeviceSearchResult result = finder.Search(nullptr, nullptr, nullptr);
        std::vector<std::string> listed;
        for (const FoundDevice& device : result.devices) {
            listed.push_back(device.name);
        }
        EXPECT_EQ(listed, c.listed) << c.what;
        EXPECT_EQ(result.failure, c.listed.empty() ? DeliveryError::NoNetwork : DeliveryError::None)
            << c.what;
    }
    EXPECT_STREQ(DescribeDeliveryError(DeliveryError::NoNetwork),
                 "This computer is on no network the phone can reach. Connect it to the Wi-Fi "
                 "network the phone uses (or plug it into that network's router), then try again.");
}

// The terminal's half blocks back into pixels: the colours set the light background, a full
// block is dark above and below, the upper and lower halves one of the two.
TEST(TerminalQrCode, ScansAsTheAddressItHolds) {
    const std::string url = "http://192.168.1.20:47810/AbCdEfGhIjKlMnOpQrStUv/";
    std::string text = QrCodeForTerminal(EncodeQrCode(url));
    std::vector<std::string> rows;
    for (size_t at = 0; (at = text.find("\x1b[30;107m", at)) != std::string::npos;) {
        const size_t end = text.find("\x1b[0m", at);
        std::string top, bottom;
        for (size_t i = at + 9; i < end;) {
            const bool space = text[i] == ' ';
            const std::string cell = text.substr(i, space ? 1 : 3);
            i += cell.size();
            top += cell == "\u2588" || cell == "\u2580" ? '1' : '0';
            bottom += cell == "\u2588" || cell == "\u2584" ? '1' : '0';
        }
        rows.push_back(top);
        rows.push_back(bottom);
        at = end;
    }
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), std::string(rows.front().size(), '0')) << "the quiet zone";
    twtest::TempDir dir;
    const std::string picture = dir.File("code.pbm");
    std::ofstream out(picture);
    constexpr int scale = 4;
    out << "P1\n" << rows.front().size() * scale << " " << rows.size() * scale << "\n";
    for (const std::string& row : rows) {
        for (int repeat = 0; repeat < scale; ++repeat) {
            for (const char module : row) {
                out << std::string(scale, module);
            }
            out << "\n";
        }
    }
    out.close();
    std::string decoded;
    if (FILE* pipe = popen(("zbarimg -q --raw " + picture + " 2>/dev/null").c_str(), "r")) {
        std::array<char, 256> buffer{};
        while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
            decoded += buffer.data();
        }
        pclose(pipe);
    }
    EXPECT_EQ(decoded, url + "\n");
}

} // namespace
