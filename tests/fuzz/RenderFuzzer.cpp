// libFuzzer target: the renderer of the edited ringtone on arbitrary edits and files. The
// first 32 bytes are eight little-endian 32-bit values (silence start and length, fade-in
// start and length, fade-out start and length, stream position, block length), the rest is
// the working file. Whatever the values, a block of the asked length comes back with nothing
// written outside it, and a block of the plain timeline before any edit equals the file's
// bytes. scripts/test runs it for 10 seconds, tests/fuzz/run as long as asked.
#include "wav/WavHeader.h"
#include "widgets/EditedWave.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kParameterBytes = 32;
constexpr int32_t kLargestBlock = 1 << 16;
constexpr uint8_t kGuard = 0xA5;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

int32_t Value(const uint8_t* data, int index) {
    int32_t v;
    std::memcpy(&v, data + 4 * index, sizeof v);
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kParameterBytes) {
        return 0;
    }
    const uint8_t* file = data + kParameterBytes;
    const size_t fileSize = size - kParameterBytes;
    WavHeader header;
    if (header.Parse(file, fileSize, static_cast<int64_t>(fileSize)) != WavError::None) {
        return 0;
    }
    const int fd = memfd_create("wav", 0);
    Check(fd >= 0);
    Check(write(fd, file, fileSize) == static_cast<ssize_t>(fileSize));

    EditedWave wave;
    wave.SetMedia(header, "/proc/self/fd/" + std::to_string(fd));
    wave.silenceStart = Value(data, 0);
    wave.silenceLength = Value(data, 1);
    wave.fadeInStart = Value(data, 2);
    wave.fadeInLength = Value(data, 3);
    wave.fadeOutStart = Value(data, 4);
    wave.fadeOutLength = Value(data, 5);
    const int32_t position = Value(data, 6);
    // Blocks are whole 16-bit words, as the audio layer asks for them.
    const int32_t length = (Value(data, 7) & (kLargestBlock - 1)) & ~1;

    std::vector<uint8_t> block(static_cast<size_t>(length) + 64, kGuard);
    Check(wave.RenderEdited(block.data() + 32, length, position) == length);
    for (size_t i = 0; i < 32; ++i) {
        Check(block[i] == kGuard && block[block.size() - 1 - i] == kGuard);
    }

    // With the silence and both fades out of the way, the timeline is the file's sample data.
    wave.silenceStart = 0x3fffffff;
    wave.silenceLength = 0;
    wave.fadeInStart = -0x3fffffff;
    wave.fadeInLength = 0;
    wave.fadeOutStart = 0x3fffffff;
    wave.fadeOutLength = 0;
    const int64_t first = int64_t{position} - header.byteRate;
    if (first >= 0 && first + length <= header.dataSize) {
        Check(wave.RenderEdited(block.data() + 32, length, position) == length);
        Check(std::memcmp(block.data() + 32, file + header.dataOffset + first,
                          static_cast<size_t>(length)) == 0);
    }
    close(fd);
    return 0;
}
