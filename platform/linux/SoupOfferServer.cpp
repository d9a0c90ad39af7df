// OfferServer over libsoup 3. A GIO socket service of our own listens on the one address and
// hands each connection to the soup server (soup_server_accept_iostream), so that connections
// can be counted and refused before libsoup reads a byte, and given a deadline for their
// request. Every response is made here from the bytes read at Start: no path reaches the file
// system.
//
// All of it runs on a thread of its own, in a GLib main context of its own: on a fast link a
// socket is always writable, and sources at the default priority that are always ready would
// starve the window's idle work and drawing on its loop. What the caller hears is posted to
// the default main context instead, a download's progress at most ten times a second.
#include "platform/OfferServer.h"

#include <gio/gio.h>
#include <libsoup/soup.h>
#include <sys/random.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <deque>
#include <future>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

constexpr gint64 microsecondsPerSecond = 1000000;
constexpr gint64 wrongRequestWindow = 60 * microsecondsPerSecond;
constexpr gint64 progressInterval = microsecondsPerSecond / 10;

// What reaches the caller's thread: the events the server thread gathers, handed over in
// batches at most ten times a second, so that thousands of quick downloads cost the caller's
// loop ten wake-ups. Kept alive by the batch on its way; Stop marks it stopped on the caller's
// thread, after which nothing more is said.
struct Listener {
    std::function<void(const OfferedDownload&)> onDownload;
    std::function<void(const std::string& peer)> onConnection;
    bool stopped = false;

    std::mutex mutex;
    std::vector<OfferedDownload> downloads;
    std::vector<std::string> connections;
    bool posted = false;
    gint64 lastPost = 0;
};

gboolean HandOver(gpointer data) {
    auto& listener = **static_cast<std::shared_ptr<Listener>*>(data);
    std::vector<OfferedDownload> downloads;
    std::vector<std::string> connections;
    {
        const std::lock_guard lock(listener.mutex);
        downloads.swap(listener.downloads);
        connections.swap(listener.connections);
        listener.posted = false;
        listener.lastPost = g_get_monotonic_time();
    }
    for (const std::string& peer : connections) {
        if (!listener.stopped && listener.onConnection) {
            listener.onConnection(peer);
        }
    }
    for (const OfferedDownload& download : downloads) {
        if (!listener.stopped && listener.onDownload) {
            listener.onDownload(download);
        }
    }
    return G_SOURCE_REMOVE;
}

// Gathers an event (on the server's thread) and makes sure a hand-over is on its way.
void Post(const std::shared_ptr<Listener>& listener, const OfferedDownload* download,
          const std::string* peer) {
    const std::lock_guard lock(listener->mutex);
    if (download != nullptr) {
        listener->downloads.push_back(*download);
    }
    if (peer != nullptr) {
        listener->connections.push_back(*peer);
    }
    if (listener->posted) {
        return;
    }
    listener->posted = true;
    const gint64 wait = listener->lastPost + progressInterval - g_get_monotonic_time();
    GSource* source =
        wait > 0 ? g_timeout_source_new(static_cast<guint>(wait / 1000 + 1)) : g_idle_source_new();
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    g_source_set_callback(
        source, &HandOver, new std::shared_ptr<Listener>(listener),
        [](gpointer data) { delete static_cast<std::shared_ptr<Listener>*>(data); });
    g_source_attach(source, nullptr);
    g_source_unref(source);
}

std::string AddressText(GSocketAddress* address) {
    if (!G_IS_INET_SOCKET_ADDRESS(address)) {
        return std::string();
    }
    gchar* text =
        g_inet_address_to_string(g_inet_socket_address_get_address(G_INET_SOCKET_ADDRESS(address)));
    std::string result = text;
    g_free(text);
    return result;
}

std::string ConnectionKey(GSocketAddress* address) {
    if (!G_IS_INET_SOCKET_ADDRESS(address)) {
        return std::string();
    }
    return AddressText(address) + ":" +
           std::to_string(g_inet_socket_address_get_port(G_INET_SOCKET_ADDRESS(address)));
}

// A name any HTTP client takes in quotes: printable ASCII without quotes, backslashes or
// percent signs; the real name goes in filename* (RFC 6266 and 5987).
std::string Disposition(const std::string& name) {
    std::string plain;
    std::string encoded;
    constexpr std::array<char, 17> hex{"0123456789ABCDEF"};
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool safe = byte > 0x20 && byte < 0x7F && c != '"' && c != '\\' && c != '%';
        plain += safe || c == ' ' ? c : '_';
        if (std::isalnum(byte) || std::strchr("!#$&+-.^_`|~", c) != nullptr) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 0x0F];
        }
    }
    return "attachment; filename=\"" + plain + "\"; filename*=UTF-8''" + encoded;
}

class SoupOfferServer;

// One accepted connection, until it closes.
struct Connection {
    SoupOfferServer* owner = nullptr;
    GSocketConnection* stream = nullptr;
    GSource* deadline = nullptr;
};

// One response of the file, from its headers to its end.
struct Download {
    SoupOfferServer* owner;
    OfferedDownload state;
    bool head = false;
    gint64 lastPost = 0;
};

class SoupOfferServer : public OfferServer {
public:
    ~SoupOfferServer() override { Stop(); }

    bool Start(const OfferSettings& offer, std::string& error) override;
    std::string Url() const override { return url; }
    uint16_t Port() const override { return port; }
    void Stop() override;

private:
    // On the server's thread: from reading the file to listening, and everything closed.
    bool Open(const OfferSettings& offer, std::string& error);
    void Close();
    void RemoveDeadline(Connection& connection);

    static gboolean OnIncoming(GSocketService*, GSocketConnection* stream, GObject*,
                               gpointer server);
    static void OnRequest(SoupServer*, SoupServerMessage* message, const char*, GHashTable*,
                          gpointer server);
    static void OnRequestRead(SoupServer*, SoupServerMessage* message, gpointer server);
    static void OnRequestFinished(SoupServer*, SoupServerMessage* message, gpointer server);
    static gboolean OnDeadline(gpointer connection);
    static void OnWroteData(SoupServerMessage*, guint bytes, gpointer download);
    static void OnWroteBody(SoupServerMessage*, gpointer download);
    static void OnFinished(SoupServerMessage*, gpointer download);
    static void ForgetDownload(gpointer download);

    void Accept(GSocketConnection* stream);
    void Respond(SoupServerMessage* message);
    void ServeFile(SoupServerMessage* message, bool head);
    void ArmDeadline(Connection& connection);
    void ForgetClosedConnections();
    bool Blocked(const std::string& peer);
    void CountWrong(const std::string& peer);
    void Report(Download& download) const;

    GMainContext* context = nullptr;
    GMainLoop* loop = nullptr;
    std::thread thread;
    std::shared_ptr<Listener> listener;
    OfferSettings settings;
    std::string token;
    std::string url;
    uint16_t port = 0;
    GBytes* file = nullptr;
    SoupServer* server = nullptr;
    GSocketService* service = nullptr;
    std::map<std::string, Connection> connections;
    std::set<Download*> downloads;
    std::map<std::string, std::deque<gint64>> wrongRequests;
    std::map<std::string, gint64> blockedUntil;
    int nextDownload = 1;
};

bool SoupOfferServer::Start(const OfferSettings& offer, std::string& error) {
    Stop();
    listener = std::make_shared<Listener>();
    listener->onDownload = offer.onDownload;
    listener->onConnection = offer.onConnection;
    context = g_main_context_new();
    loop = g_main_loop_new(context, FALSE);
    std::promise<bool> opening;
    std::future<bool> opened = opening.get_future();
    thread = std::thread([this, &offer, &error, &opening] {
        g_main_context_push_thread_default(context);
        const bool listening = Open(offer, error);
        opening.set_value(listening);
        if (listening) {
            g_main_loop_run(loop);
        }
        Close();
        g_main_context_pop_thread_default(context);
    });
    if (opened.get()) {
        return true;
    }
    Stop();
    return false;
}

void SoupOfferServer::Stop() {
    if (!thread.joinable()) {
        return;
    }
    listener->stopped = true;
    GSource* quit = g_idle_source_new();
    g_source_set_callback(
        quit,
        [](gpointer running) -> gboolean {
            g_main_loop_quit(static_cast<GMainLoop*>(running));
            return G_SOURCE_REMOVE;
        },
        loop, nullptr);
    g_source_attach(quit, context);
    g_source_unref(quit);
    thread.join();
    g_main_loop_unref(loop);
    g_main_context_unref(context);
    loop = nullptr;
    context = nullptr;
}

bool SoupOfferServer::Open(const OfferSettings& offer, std::string& error) {
    settings = offer;
    GError* failure = nullptr;
    gchar* contents = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(settings.filePath.c_str(), &contents, &length, &failure)) {
        error = failure->message;
        g_error_free(failure);
        return false;
    }
    file = g_bytes_new_take(contents, length);
    GInetAddress* inet = g_inet_address_new_from_string(settings.address.c_str());
    if (inet == nullptr) {
        error = "'" + settings.address + "' is no IPv4 address";
        return false;
    }
    GSocketAddress* wanted = g_inet_socket_address_new(inet, settings.port);
    g_object_unref(inet);
    service = g_socket_service_new();
    GSocketAddress* bound = nullptr;
    const gboolean listening =
        g_socket_listener_add_address(G_SOCKET_LISTENER(service), wanted, G_SOCKET_TYPE_STREAM,
                                      G_SOCKET_PROTOCOL_TCP, nullptr, &bound, &failure);
    g_object_unref(wanted);
    if (!listening) {
        error = failure->message;
        g_error_free(failure);
        return false;
    }
    port = g_inet_socket_address_get_port(G_INET_SOCKET_ADDRESS(bound));
    g_object_unref(bound);
    token = RandomToken();
    if (token.empty()) {
        error = "no random numbers for the address";
        return false;
    }
    url = "http://" + settings.address + ":" + std::to_string(port) + "/" + token + "/";
    server = soup_server_new("server-header", nullptr, nullptr);
    soup_server_add_handler(server, nullptr, &SoupOfferServer::OnRequest, this, nullptr);
    g_signal_connect(server, "request-read", G_CALLBACK(&SoupOfferServer::OnRequestRead), this);
    g_signal_connect(server, "request-finished", G_CALLBACK(&SoupOfferServer::OnRequestFinished),
                     this);
    g_signal_connect(service, "incoming", G_CALLBACK(&SoupOfferServer::OnIncoming), this);
    g_socket_service_start(service);
    return true;
}

void SoupOfferServer::Close() {
    // Responses still being written finish without telling anyone.
    for (Download* download : downloads) {
        download->owner = nullptr;
    }
    downloads.clear();
    for (auto& [key, connection] : connections) {
        RemoveDeadline(connection);
        g_object_unref(connection.stream);
    }
    connections.clear();
    if (service != nullptr) {
        g_signal_handlers_disconnect_by_data(service, this);
        g_socket_service_stop(service);
        g_socket_listener_close(G_SOCKET_LISTENER(service));
        g_object_unref(service);
        service = nullptr;
    }
    if (server != nullptr) {
        g_signal_handlers_disconnect_by_data(server, this);
        soup_server_disconnect(server);
        g_object_unref(server);
        server = nullptr;
    }
    if (file != nullptr) {
        g_bytes_unref(file);
        file = nullptr;
    }
}

gboolean SoupOfferServer::OnIncoming(GSocketService*, GSocketConnection* stream, GObject*,
                                     gpointer server) {
    static_cast<SoupOfferServer*>(server)->Accept(stream);
    return TRUE;
}

void SoupOfferServer::Accept(GSocketConnection* stream) {
    ForgetClosedConnections();
    GSocketAddress* remote = g_socket_connection_get_remote_address(stream, nullptr);
    GSocketAddress* local = g_socket_connection_get_local_address(stream, nullptr);
    const std::string peer = AddressText(remote);
    const bool room = static_cast<int>(connections.size()) < settings.maxConnections;
    if (room && !Blocked(peer) && remote != nullptr && local != nullptr) {
        GSocket* socket = g_socket_connection_get_socket(stream);
        g_socket_set_timeout(socket, static_cast<guint>(settings.idleSeconds));
        if (soup_server_accept_iostream(server, G_IO_STREAM(stream), local, remote, nullptr)) {
            Connection& connection = connections[ConnectionKey(remote)];
            if (connection.stream != nullptr) {
                RemoveDeadline(connection);
                g_object_unref(connection.stream);
            }
            connection = {this, G_SOCKET_CONNECTION(g_object_ref(stream)), nullptr};
            ArmDeadline(connection);
            Post(listener, nullptr, &peer);
        }
    } else {
        g_io_stream_close(G_IO_STREAM(stream), nullptr, nullptr);
    }
    g_clear_object(&remote);
    g_clear_object(&local);
}

void SoupOfferServer::ForgetClosedConnections() {
    for (auto it = connections.begin(); it != connections.end();) {
        if (g_io_stream_is_closed(G_IO_STREAM(it->second.stream))) {
            RemoveDeadline(it->second);
            g_object_unref(it->second.stream);
            it = connections.erase(it);
        } else {
            ++it;
        }
    }
}

void SoupOfferServer::RemoveDeadline(Connection& connection) {
    if (connection.deadline != nullptr) {
        g_source_destroy(connection.deadline);
        g_source_unref(connection.deadline);
        connection.deadline = nullptr;
    }
}

void SoupOfferServer::ArmDeadline(Connection& connection) {
    RemoveDeadline(connection);
    connection.deadline = g_timeout_source_new_seconds(static_cast<guint>(settings.requestSeconds));
    g_source_set_callback(connection.deadline, &SoupOfferServer::OnDeadline, &connection, nullptr);
    g_source_attach(connection.deadline, context);
}

gboolean SoupOfferServer::OnDeadline(gpointer data) {
    // No whole request in time: a slow or silent client loses its connection, and libsoup,
    // whose read then fails, lets it go.
    auto* connection = static_cast<Connection*>(data);
    g_source_unref(connection->deadline);
    connection->deadline = nullptr;
    g_socket_shutdown(g_socket_connection_get_socket(connection->stream), TRUE, TRUE, nullptr);
    return G_SOURCE_REMOVE;
}

void SoupOfferServer::OnRequestRead(SoupServer*, SoupServerMessage* message, gpointer data) {
    auto* self = static_cast<SoupOfferServer*>(data);
    const auto it =
        self->connections.find(ConnectionKey(soup_server_message_get_remote_address(message)));
    if (it != self->connections.end()) {
        self->RemoveDeadline(it->second);
    }
}

void SoupOfferServer::OnRequestFinished(SoupServer*, SoupServerMessage* message, gpointer data) {
    // A kept-alive connection has the same time again for its next request.
    auto* self = static_cast<SoupOfferServer*>(data);
    const auto it =
        self->connections.find(ConnectionKey(soup_server_message_get_remote_address(message)));
    if (it != self->connections.end()) {
        self->ArmDeadline(it->second);
    }
}

bool SoupOfferServer::Blocked(const std::string& peer) {
    const auto it = blockedUntil.find(peer);
    if (it == blockedUntil.end()) {
        return false;
    }
    if (g_get_monotonic_time() < it->second) {
        return true;
    }
    blockedUntil.erase(it);
    return false;
}

void SoupOfferServer::CountWrong(const std::string& peer) {
    const gint64 now = g_get_monotonic_time();
    std::deque<gint64>& times = wrongRequests[peer];
    times.push_back(now);
    while (!times.empty() && now - times.front() > wrongRequestWindow) {
        times.pop_front();
    }
    if (static_cast<int>(times.size()) >= settings.wrongRequestsToBlock) {
        blockedUntil[peer] = now + settings.blockSeconds * microsecondsPerSecond;
        times.clear();
    }
}

void SoupOfferServer::OnRequest(SoupServer*, SoupServerMessage* message, const char*, GHashTable*,
                                gpointer server) {
    static_cast<SoupOfferServer*>(server)->Respond(message);
}

void SoupOfferServer::Respond(SoupServerMessage* message) {
    SoupMessageHeaders* request = soup_server_message_get_request_headers(message);
    SoupMessageHeaders* response = soup_server_message_get_response_headers(message);
    soup_message_headers_replace(response, "X-Content-Type-Options", "nosniff");
    soup_message_headers_replace(response, "Cache-Control", "no-store");
    soup_message_headers_replace(response, "Referrer-Policy", "no-referrer");
    soup_message_headers_replace(response, "Content-Security-Policy", "default-src 'none'");
    const std::string peer = AddressText(soup_server_message_get_remote_address(message));
    if (Blocked(peer)) {
        soup_message_headers_replace(response, "Connection", "close");
        soup_server_message_set_status(message, SOUP_STATUS_FORBIDDEN, nullptr);
        return;
    }
    GUri* uri = soup_server_message_get_uri(message);
    const char* rawPath = g_uri_get_path(uri);
    const char* query = g_uri_get_query(uri);
    const std::string path = rawPath != nullptr ? rawPath : "";
    size_t headerBytes = path.size() + (query != nullptr ? std::strlen(query) : 0) + 16;
    SoupMessageHeadersIter headers;
    soup_message_headers_iter_init(&headers, request);
    const char* name = nullptr;
    const char* value = nullptr;
    while (soup_message_headers_iter_next(&headers, &name, &value)) {
        headerBytes += std::strlen(name) + std::strlen(value) + 4;
    }
    if (headerBytes > settings.maxHeaderBytes) {
        soup_message_headers_replace(response, "Connection", "close");
        // 431 Request Header Fields Too Large, which libsoup has no name for.
        soup_server_message_set_status(message, 431, "Request Header Fields Too Large");
        return;
    }
    const std::string method = soup_server_message_get_method(message);
    const bool head = method == "HEAD";
    const bool page = path == "/" + token + "/";
    const bool download = path == "/" + token + "/file";
    if ((method != "GET" && !head) || (!page && !download)) {
        CountWrong(peer);
        soup_server_message_set_status(message, SOUP_STATUS_NOT_FOUND, nullptr);
        return;
    }
    if (download) {
        ServeFile(message, head);
        return;
    }
    const char* agent = soup_message_headers_get_one(request, "User-Agent");
    const std::string html = settings.page ? settings.page(agent != nullptr ? agent : "") : "";
    soup_message_headers_replace(response, "Content-Security-Policy", settings.pagePolicy.c_str());
    soup_server_message_set_status(message, SOUP_STATUS_OK, nullptr);
    soup_server_message_set_response(message, "text/html; charset=utf-8", SOUP_MEMORY_COPY,
                                     html.data(), html.size());
}

void SoupOfferServer::ServeFile(SoupServerMessage* message, bool head) {
    SoupMessageHeaders* request = soup_server_message_get_request_headers(message);
    SoupMessageHeaders* response = soup_server_message_get_response_headers(message);
    const auto total = static_cast<goffset>(g_bytes_get_size(file));
    soup_message_headers_replace(response, "Accept-Ranges", "bytes");
    soup_message_headers_replace(response, "Content-Disposition",
                                 Disposition(settings.fileName).c_str());
    soup_message_headers_set_content_type(response, settings.contentType.c_str(), nullptr);
    goffset start = 0;
    goffset end = total - 1;
    guint status = SOUP_STATUS_OK;
    if (soup_message_headers_get_one(request, "Range") != nullptr) {
        SoupRange* ranges = nullptr;
        int count = 0;
        const bool valid = soup_message_headers_get_ranges(request, total, &ranges, &count);
        // libsoup passes a start past the end; HTTP calls it unsatisfiable.
        const bool satisfiable =
            valid && count >= 1 && ranges[0].start < total && ranges[0].start <= ranges[0].end;
        if (valid && !satisfiable) {
            soup_message_headers_free_ranges(request, ranges);
        }
        if (!satisfiable) {
            soup_message_headers_replace(response, "Content-Range",
                                         ("bytes */" + std::to_string(total)).c_str());
            soup_server_message_set_status(message, SOUP_STATUS_REQUESTED_RANGE_NOT_SATISFIABLE,
                                           nullptr);
            return;
        }
        // Several ranges at once are answered with the whole file, as HTTP allows.
        if (count == 1) {
            start = ranges[0].start;
            end = ranges[0].end;
            status = SOUP_STATUS_PARTIAL_CONTENT;
            soup_message_headers_set_content_range(response, start, end, total);
        }
        soup_message_headers_free_ranges(request, ranges);
    }
    soup_server_message_set_status(message, status, nullptr);
    const auto length = static_cast<gsize>(end - start + 1);
    GBytes* part = g_bytes_new_from_bytes(file, static_cast<gsize>(start), length);
    soup_message_body_append_bytes(soup_server_message_get_response_body(message), part);
    g_bytes_unref(part);

    auto* record = new Download{this, {}, head};
    const char* agent = soup_message_headers_get_one(request, "User-Agent");
    record->state.id = nextDownload++;
    record->state.peer = AddressText(soup_server_message_get_remote_address(message));
    record->state.userAgent = agent != nullptr ? agent : "";
    record->state.size = head ? 0 : length;
    record->state.wholeFile = !head && length == static_cast<gsize>(total);
    downloads.insert(record);
    g_object_set_data_full(G_OBJECT(message), "tw-download", record,
                           &SoupOfferServer::ForgetDownload);
    g_signal_connect(message, "wrote-body-data", G_CALLBACK(&SoupOfferServer::OnWroteData), record);
    g_signal_connect(message, "wrote-body", G_CALLBACK(&SoupOfferServer::OnWroteBody), record);
    g_signal_connect(message, "finished", G_CALLBACK(&SoupOfferServer::OnFinished), record);
    Report(*record);
}

void SoupOfferServer::Report(Download& download) const {
    const gint64 now = g_get_monotonic_time();
    if (download.head || (download.state.stage == OfferedDownload::Stage::Progress &&
                          now - download.lastPost < progressInterval)) {
        return;
    }
    download.lastPost = now;
    Post(listener, &download.state, nullptr);
}

void SoupOfferServer::OnWroteData(SoupServerMessage*, guint bytes, gpointer data) {
    auto* download = static_cast<Download*>(data);
    download->state.sent += bytes;
    download->state.stage = OfferedDownload::Stage::Progress;
    if (download->owner != nullptr) {
        download->owner->Report(*download);
    }
}

void SoupOfferServer::OnWroteBody(SoupServerMessage*, gpointer data) {
    auto* download = static_cast<Download*>(data);
    if (download->state.sent == download->state.size) {
        download->state.stage = OfferedDownload::Stage::Completed;
        if (download->owner != nullptr) {
            download->owner->Report(*download);
        }
    }
}

void SoupOfferServer::OnFinished(SoupServerMessage*, gpointer data) {
    auto* download = static_cast<Download*>(data);
    if (download->state.stage != OfferedDownload::Stage::Completed) {
        download->state.stage = OfferedDownload::Stage::Broken;
        if (download->owner != nullptr) {
            download->owner->Report(*download);
        }
    }
}

void SoupOfferServer::ForgetDownload(gpointer data) {
    auto* download = static_cast<Download*>(data);
    if (download->owner != nullptr) {
        download->owner->downloads.erase(download);
    }
    delete download;
}

} // namespace

std::string RandomToken() {
    std::array<unsigned char, 16> bits{};
    size_t filled = 0;
    while (filled < bits.size()) {
        const ssize_t got = getrandom(bits.data() + filled, bits.size() - filled, 0);
        if (got > 0) {
            filled += static_cast<size_t>(got);
        } else if (got < 0 && errno != EINTR) {
            return std::string();
        }
    }
    gchar* encoded = g_base64_encode(bits.data(), bits.size());
    std::string token = encoded;
    g_free(encoded);
    for (char& c : token) {
        c = c == '+' ? '-' : c == '/' ? '_' : c;
    }
    token.erase(token.find('='));
    return token;
}

std::unique_ptr<OfferServer> CreateOfferServer() {
    return std::make_unique<SoupOfferServer>();
}

std::string StyleSourceHash(const std::string& style) {
    GChecksum* checksum = g_checksum_new(G_CHECKSUM_SHA256);
    g_checksum_update(checksum, reinterpret_cast<const guchar*>(style.data()),
                      static_cast<gssize>(style.size()));
    std::array<guint8, 32> digest{};
    gsize length = digest.size();
    g_checksum_get_digest(checksum, digest.data(), &length);
    g_checksum_free(checksum);
    gchar* encoded = g_base64_encode(digest.data(), length);
    const std::string source = std::string("'sha256-") + encoded + "'";
    g_free(encoded);
    return source;
}
