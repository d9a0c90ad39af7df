// What the decoder makes of a source file before anything plays or converts it: whether it
// holds sound the decoder reads, which of its audio streams is the one to take, and which kind
// its content is, whatever its name says. The source preview checks a file before it stops
// what plays, so that a file it can't play changes nothing; the import takes the same stream.
// Implemented over the decoder module (linux/FileDecoder.cpp); any thread, no state.
#pragma once

#include "media/SourceKinds.h"

#include <cstdint>
#include <string>

struct SourceCheck {
    enum class Result {
        Sound,      // an audio stream the decoder reads
        NoSound,    // a container of a kind the program opens, without such a stream
        Unreadable, // no container of any kind the program opens, or not a file that opens
        NoDecoder,  // the decoder module could not be loaded
    };
    Result result = Result::Unreadable;
    // The kind the content is; AudioFileNone unless the container is one of a kind.
    AudioFileType kind = AudioFileNone;
    // The file's audio stream that is heard and imported: the first one marked as the default,
    // else the first; its index among all the file's streams, -1 without sound.
    int32_t stream = -1;
};

// Checks the file at path (UTF-8).
SourceCheck CheckSource(const std::string& path);

// The kind a checked file is previewed as: the one its name's extension says, in any letter
// case; for a name of no kind the one its content is, or else `current`.
AudioFileType SourceFileType(const std::string& path, const SourceCheck& check,
                             AudioFileType current);
