// The Wi-Fi road's server, real (libsoup on the GLib main loop), over real sockets on loopback:
// hostile requests are refused and never get the file, slow and crowding clients can't hold it,
// only a whole response counts as a download, and a stopped server's port refuses.
#include "FileContents.h"
#include "HttpExchange.h"
#include "TempDir.h"

#include "delivery/DeliveryMessages.h"
#include "platform/MainLoop.h"
#include "platform/OfferServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

namespace {

using twtest::HttpBody;

class OfferServerTest : public ::testing::Test {
protected:
    OfferServerTest() {
        for (int i = 0; i < 300000; ++i) {
            bytes += static_cast<char>('a' + i % 26);
        }
        std::ofstream(file, std::ios::binary) << bytes;
    }
    void Start() {
        settings.address = "127.0.0.1";
        settings.filePath = file;
        settings.fileName = "Café \"<x>\" ringtone.m4a";
        settings.contentType = "audio/mp4";
        settings.page = [](const std::string& agent) {
            return delivery_text::WifiPage("<script>alert(1)</script>", PhoneOf(agent));
        };
        settings.pagePolicy = "default-src 'none'";
        settings.onDownload = [this](const OfferedDownload& d) {
            active += d.stage == OfferedDownload::Stage::Started    ? 1
                      : d.stage == OfferedDownload::Stage::Progress ? 0
                                                                    : -1;
            mostActive = std::max(mostActive, active);
            completed += d.stage == OfferedDownload::Stage::Completed && d.wholeFile ? 1 : 0;
        };
        std::string error;
        ASSERT_TRUE(server->Start(settings, error)) << error;
        port = server->Port();
        path = server->Url().substr(server->Url().find('/', 7));
    }
    static PhonePlatform PhoneOf(const std::string& agent) {
        return agent.find("iPhone") != std::string::npos ? PhonePlatform::IPhone
                                                         : PhonePlatform::Older;
    }
    // Runs the server while `clients` run on threads of their own, until they are done.
    void Serve(const std::function<void()>& clients) {
        std::atomic<bool> done = false;
        std::thread thread([&] {
            clients();
            done = true;
        });
        while (!done) {
            const MainLoopTimer tick(20);
            RunMainLoopOnce(true);
        }
        thread.join();
        // The server hands its news over at most every 100 ms, and a download's end is on its
        // way before the client sees the connection close.
        const MainLoopTimer settled(250);
        while (!settled.Fired()) {
            RunMainLoopOnce(true);
        }
    }
    std::string Ask(const std::string& request, int byteDelayMs = 0) {
        std::string response;
        Serve([&] { response = twtest::HttpExchange("127.0.0.1", port, request, byteDelayMs); });
        return response;
    }
    std::string Get(const std::string& target, const std::string& method = "GET",
                    const std::string& headers = "") {
        return Ask(method + " " + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n" +
                   headers + "\r\n");
    }

    twtest::TempDir dir;
    const std::string file = dir.File("ringtone.m4a");
    std::string bytes;
    OfferSettings settings;
    std::unique_ptr<OfferServer> server = CreateOfferServer();
    int port = 0;
    std::string path; // "/TOKEN/"
    int active = 0;
    int mostActive = 0;
    int completed = 0;
};

TEST_F(OfferServerTest, RefusesEveryOtherRequestAndServesThePageAndTheFileAsHttpSays) {
    Start();
    const std::string token = path.substr(1, path.size() - 2);
    EXPECT_GE(token.size(), 22u);
    const std::string tooBig = "X-Filler: " + std::string(9000, 'x') + "\r\n";
    const struct {
        const char* what;
        std::string method;
        std::string target;
        std::string headers;
        const char* status;
    } refused[] = {
        {"no token", "GET", "/", "", "404"},
        {"a wrong token", "GET", "/AAAAAAAAAAAAAAAAAAAAAA/file", "", "404"},
        {"dot-dot", "GET", path + "../../etc/passwd", "", "404"},
        {"dot-dot encoded", "GET", path + "%2e%2e/%2e%2e/etc/passwd", "", "404"},
        // libsoup itself refuses a path that climbs above the root.
        {"slashes encoded", "GET", "/" + token + "%2f..%2f..%2fetc%2fpasswd", "", "400"},
        {"backslashes", "GET", path + "..\\..\\etc\\passwd", "", "404"},
        {"overlong UTF-8", "GET", path + "%c0%ae%c0%ae/%c0%afetc/passwd", "", "404"},
        {"past the file", "GET", path + "file/../../etc/passwd", "", "404"},
        {"POST", "POST", path + "file", "Content-Length: 0\r\n", "404"},
        {"PUT", "PUT", path + "file", "Content-Length: 1\r\n\r\nx", "404"},
        {"oversized headers", "GET", path + "file", tooBig, "431"},
    };
    for (const auto& r : refused) {
        const std::string response = Get(r.target, r.method, r.headers);
        EXPECT_TRUE(response.starts_with(std::string("HTTP/1.1 ") + r.status))
            << r.what << ": " << response.substr(0, 200);
        EXPECT_EQ(response.find("abcdefghij"), std::string::npos) << r.what;
        EXPECT_TRUE(r.status == std::string("400") ||
                    response.find("X-Content-Type-Options: nosniff") != std::string::npos)
            << r.what;
    }
    const std::string page = Get(path, "GET", "User-Agent: Mozilla/5.0 (iPhone)\r\n");
    EXPECT_TRUE(page.starts_with("HTTP/1.1 200")) << page;
    EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("Use as Ringtone"), std::string::npos);
    for (const char* header : {"Cache-Control: no-store", "Referrer-Policy: no-referrer",
                               "Content-Security-Policy: default-src 'none'"}) {
        EXPECT_NE(page.find(header), std::string::npos) << header;
    }
    const std::string head = Get(path + "file", "HEAD");
    EXPECT_NE(head.find("Content-Length: 300000"), std::string::npos) << head;
    EXPECT_EQ(HttpBody(head), "");
    const std::string range = Get(path + "file", "GET", "Range: bytes=10-19\r\n");
    EXPECT_TRUE(range.starts_with("HTTP/1.1 206")) << range;
    EXPECT_NE(range.find("Content-Range: bytes 10-19/300000"), std::string::npos);
    EXPECT_EQ(HttpBody(range), bytes.substr(10, 10));
    const std::string beyond = Get(path + "file", "GET", "Range: bytes=400000-\r\n");
    EXPECT_TRUE(beyond.starts_with("HTTP/1.1 416")) << beyond.substr(0, 300);
    EXPECT_EQ(completed, 0) << "a page, a HEAD and ranges are no download";
    const std::string whole = Get(path + "file");
    EXPECT_TRUE(HttpBody(whole) == bytes);
    EXPECT_NE(whole.find("Content-Type: audio/mp4"), std::string::npos);
    EXPECT_NE(whole.find("attachment; filename=\"Caf__ _<x>_ ringtone.m4a\"; "
                         "filename*=UTF-8''Caf%C3%A9%20%22%3Cx%3E%22%20ringtone.m4a"),
              std::string::npos)
        << whole.substr(0, 600);
    EXPECT_EQ(completed, 1);
}

TEST_F(OfferServerTest, SlowAndCrowdingClientsCantHoldItAndAStoppedServerRefuses) {
    settings.requestSeconds = 2;
    Start();
    const std::string get = "GET " + path + "file HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    std::string slow;
    std::string fast;
    Serve([&] {
        std::thread crawler([&] { slow = twtest::HttpExchange("127.0.0.1", port, get, 1000); });
        fast = twtest::HttpExchange("127.0.0.1", port, get);
        crawler.join();
    });
    EXPECT_EQ(slow, "");
    EXPECT_TRUE(HttpBody(fast) == bytes);

    std::vector<std::string> crowd(50);
    Serve([&] {
        std::vector<std::thread> clients;
        for (std::string& response : crowd) {
            clients.emplace_back([&] { response = twtest::HttpExchange("127.0.0.1", port, get); });
        }
        for (std::thread& client : clients) {
            client.join();
        }
    });
    int whole = 0;
    for (const std::string& response : crowd) {
        const bool served = HttpBody(response) == bytes;
        whole += served ? 1 : 0;
        EXPECT_TRUE(served || response.empty()) << response.substr(0, 200);
    }
    EXPECT_GE(whole, 1);
    EXPECT_LE(mostActive, settings.maxConnections);
    EXPECT_EQ(completed, 1 + whole);

    // A burst of wrong tokens from one address shuts that address out, the right URL too.
    for (int i = 0; i < settings.wrongRequestsToBlock; ++i) {
        Get("/wrong" + std::to_string(i));
    }
    EXPECT_TRUE(HttpBody(Get(path + "file")).empty());
    server->Stop();
    EXPECT_EQ(twtest::HttpExchange("127.0.0.1", port, get), "refused");
}

} // namespace
