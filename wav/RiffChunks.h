// The one walk over the chunks of a RIFF file held in memory, for every reader of a WAV file's
// chunks (its header, its title). A chunk is a four-letter id, a little-endian 32-bit size and
// a body padded to an even length. The walk asks only that a chunk's eight-byte header lies
// within the bytes: whether its body does too is the reader's question, since the samples'
// body never does. Offsets are summed in 64 bits, so that a huge size steps past the end
// instead of wrapping around. A plain value over bytes the caller owns.
#pragma once

#include <cstddef>
#include <cstdint>

// The bytes start a RIFF file of the WAVE form.
bool IsRiffWave(const uint8_t* bytes, size_t size);

uint16_t Little16(const uint8_t* p);
uint32_t Little32(const uint8_t* p);

class RiffChunks {
public:
    static constexpr size_t kHeaderBytes = 8;

    // The chunks from offset `first` on: 12 for a file's own, 4 for those of a LIST body.
    RiffChunks(const uint8_t* bytes, size_t size, size_t first);

    // Steps to the next chunk (the first one on the first call); false once its header would
    // not lie wholly within the bytes.
    bool Next();
    // The current chunk's id is the four characters of tag.
    bool Is(const char* tag) const;
    uint64_t BodyOffset() const { return offset + kHeaderBytes; }
    const uint8_t* Body() const { return bytes + BodyOffset(); }
    // Its whole declared body lies within the bytes.
    bool BodyHeld() const { return bodySize <= size - BodyOffset(); }

    const uint8_t* bytes;
    size_t size;
    // The current chunk's offset in the bytes, and the size its header declares.
    uint64_t offset;
    uint32_t bodySize = 0;

private:
    bool started = false;
};
