// A small HTTP server that offers one file, and a page about it, to whoever holds its URL: the
// Wi-Fi road, where the phone scans a code and downloads the ringtone from this computer. It is
// the first part of the program that listens on a network, so it lets nothing else in:
// - the URL carries 128 random bits (getrandom); only GET and HEAD of exactly the page
//   ("/TOKEN/") and the file beside it ("/TOKEN/file") are served, anything else is a bare 404, and
//   no path is ever mapped to a file: the one file was read once, when the server started;
// - it listens on the one address and port given, never on every interface;
// - at most `maxConnections` at once (more are closed at once); a request must arrive whole
//   within `requestSeconds`, and a connection that stalls for `idleSeconds` is dropped;
// - a request line or headers over `maxHeaderBytes` get 431; an address that asks for
//   `wrongRequestsToBlock` wrong paths within a minute is refused for `blockSeconds`;
// - Range (one range) and HEAD behave as HTTP says.
// Whatever it serves carries nosniff, no-store, no-referrer and the given page's policy.
//
// Serves on a thread and GLib main context of its own, so that downloads on a fast link can't
// starve the window's loop; onDownload and onConnection are posted to the default main context
// (the window's own loop; the command-line tool iterates it) and run there, never after Stop.
// The page function runs on the server's thread: it must only build the page. Made per offer by
// the Wi-Fi method and owned by it; Start and Stop from the thread that runs the default
// context; destroying it stops it and closes the port. The Linux implementation is libsoup 3's
// server over a GIO socket service.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct OfferedDownload {
    enum class Stage { Started, Progress, Completed, Broken };
    Stage stage = Stage::Started;
    // One number per response of the file, in the order they started.
    int id = 0;
    std::string peer; // the client's address
    std::string userAgent;
    uint64_t sent = 0; // bytes of the file written so far
    uint64_t size = 0; // bytes this response carries
    // Whether the response carries the whole file: only such a response, delivered to the
    // end, counts as a download. A range or a HEAD never does.
    bool wholeFile = false;
};

struct OfferSettings {
    std::string address; // dotted IPv4 to listen on
    uint16_t port = 0;   // 0 for any free port
    std::string filePath;
    std::string fileName; // UTF-8, as the phone should save it
    std::string contentType;
    // The page's HTML for a User-Agent, and the Content-Security-Policy it needs.
    std::function<std::string(const std::string& userAgent)> page;
    std::string pagePolicy;
    // Every start and end of every response of the file, and its progress at most ten times a
    // second; and every connection accepted.
    std::function<void(const OfferedDownload&)> onDownload;
    std::function<void(const std::string& peer)> onConnection;

    int maxConnections = 8;
    int requestSeconds = 10;
    int idleSeconds = 30;
    size_t maxHeaderBytes = 8192;
    int wrongRequestsToBlock = 20;
    int blockSeconds = 60;
};

class OfferServer {
public:
    virtual ~OfferServer() = default;

    // Reads the file and starts listening; false with the system's reason in `error` when the
    // file can't be read or the address and port can't be bound.
    virtual bool Start(const OfferSettings& settings, std::string& error) = 0;
    // "http://ADDRESS:PORT/TOKEN/", the page's URL; empty before Start.
    virtual std::string Url() const = 0;
    virtual uint16_t Port() const = 0;
    // Stops serving: every connection is closed and the port with them.
    virtual void Stop() = 0;
};

std::unique_ptr<OfferServer> CreateOfferServer();

// 128 random bits from getrandom, base64url without padding (22 characters).
std::string RandomToken();

// The Content-Security-Policy source that allows exactly this inline style: 'sha256-BASE64'.
std::string StyleSourceHash(const std::string& style);
