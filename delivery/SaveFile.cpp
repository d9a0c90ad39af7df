#include "delivery/SaveFile.h"

#include "delivery/DeliveryMessages.h"
#include "platform/FailureLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd; }
    bool Close() {
        const int closing = fd;
        fd = -1;
        return close(closing) == 0;
    }

private:
    int fd;
};

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool Copy(int in, int out) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        if (!WriteAll(out, buffer.data(), static_cast<size_t>(n))) {
            return false;
        }
    }
}

bool Save(const std::string& from, const std::string& to, int& reason) {
    const std::filesystem::path target(to);
    if (!target.has_filename()) {
        reason = EISDIR;
        return false;
    }
    Descriptor in(open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.Get() < 0) {
        reason = errno;
        return false;
    }
    const std::string pattern = (target.parent_path() / ".ringtone-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    Descriptor out(mkostemp(name.data(), O_CLOEXEC));
    if (out.Get() < 0) {
        reason = errno;
        return false;
    }
    // As a newly created file would be: readable by all unless the user's mask says otherwise.
    const mode_t mask = umask(0);
    umask(mask);
    bool good =
        fchmod(out.Get(), 0666 & ~mask) == 0 && Copy(in.Get(), out.Get()) && fsync(out.Get()) == 0;
    if (!good) {
        reason = errno;
    }
    if (!out.Close() && good) {
        reason = errno;
        good = false;
    }
    if (good && rename(name.data(), to.c_str()) != 0) {
        reason = errno;
        good = false;
    }
    if (!good) {
        unlink(name.data());
    }
    return good;
}

} // namespace

bool SaveFileAtomically(const std::string& from, const std::string& to, int* systemError) {
    int reason = 0;
    const bool saved = Save(from, to, reason);
    if (!saved) {
        LogFailure("save " + to, delivery_text::SaveFailure(reason));
    }
    if (systemError != nullptr) {
        *systemError = reason;
    }
    return saved;
}
