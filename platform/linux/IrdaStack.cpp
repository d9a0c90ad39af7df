#include "platform/linux/IrdaStack.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The kernel's IrDA interface (linux/irda.h, gone from current headers).
constexpr int addressFamily = 23;   // AF_IRDA
constexpr int optionLevel = 266;    // SOL_IRLMP
constexpr int enumerateDevices = 1; // IRLMP_ENUMDEVICES
// saddr, daddr, info[22], charset, hints[2], padded to the struct's 4-byte alignment.
constexpr int kernelEntrySize = 36;
constexpr int kernelMaxDevices = 16;
constexpr int entrySize = 29;
constexpr int nameSize = 22;

void Put32(uint8_t* at, uint32_t value) {
    std::memcpy(at, &value, 4);
}

} // namespace

std::unique_ptr<InfraredStack> CreateSystemInfraredStack() {
    return std::make_unique<IrdaStack>();
}

int IrdaStack::OpenSocket() {
    const int fd = socket(addressFamily, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return fd >= 0 ? fd : invalidSocket;
}

bool IrdaStack::ReadDeviceList(int socket, uint8_t* buffer, int& length) {
    if (length < 4) {
        return false;
    }
    uint8_t kernel[4 + kernelEntrySize * kernelMaxDevices] = {};
    socklen_t kernelLength = sizeof(kernel);
    uint32_t found = 0;
    if (getsockopt(socket, optionLevel, enumerateDevices, kernel, &kernelLength) == 0) {
        std::memcpy(&found, kernel, 4);
    } else if (errno != EAGAIN) {
        // The kernel answers EAGAIN while it has discovered nothing: an empty list.
        return false;
    }
    uint32_t written = 0;
    for (uint32_t i = 0; i < found && i < kernelMaxDevices; ++i) {
        const int at = 4 + static_cast<int>(written) * entrySize;
        if (at + entrySize > length) {
            break;
        }
        const uint8_t* entry = kernel + 4 + i * kernelEntrySize;
        std::memcpy(buffer + at, entry + 4, 4);            // daddr: the identifier
        std::memcpy(buffer + at + 4, entry + 8, nameSize); // info: the name
        buffer[at + 26] = entry[31];                       // hints[0]
        buffer[at + 27] = entry[32];                       // hints[1]
        buffer[at + 28] = entry[30];                       // charset
        ++written;
    }
    Put32(buffer, written);
    length = 4 + static_cast<int>(written) * entrySize;
    return true;
}

void IrdaStack::CloseSocket(int socket) {
    close(socket);
}
