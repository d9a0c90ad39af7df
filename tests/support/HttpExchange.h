// Raw HTTP over a real socket, for the tests of the offer server: what a hostile or slow client
// sends, byte for byte, and everything that comes back until the server closes.
#pragma once

#include <string>

namespace twtest {

// Connects to address:port, sends the request (a byte every `byteDelayMs` when not 0) and
// returns all that comes back; "refused" when the connection is refused.
std::string HttpExchange(const std::string& address, int port, const std::string& request,
                         int byteDelayMs = 0);

// The body of a response: what follows the first blank line.
std::string HttpBody(const std::string& response);

} // namespace twtest
