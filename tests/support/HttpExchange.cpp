#include "HttpExchange.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <thread>

namespace twtest {

std::string HttpExchange(const std::string& address, int port, const std::string& request,
                         int byteDelayMs) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, address.c_str(), &to.sin_addr);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
        close(fd);
        return "refused";
    }
    if (byteDelayMs == 0) {
        send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    } else {
        for (const char c : request) {
            if (send(fd, &c, 1, MSG_NOSIGNAL) != 1) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(byteDelayMs));
        }
    }
    std::string response;
    std::array<char, 65536> buffer{};
    ssize_t got = 0;
    while ((got = recv(fd, buffer.data(), buffer.size(), 0)) > 0) {
        response.append(buffer.data(), static_cast<size_t>(got));
    }
    close(fd);
    return response;
}

std::string HttpBody(const std::string& response) {
    const size_t blank = response.find("\r\n\r\n");
    return blank == std::string::npos ? std::string() : response.substr(blank + 4);
}

} // namespace twtest
