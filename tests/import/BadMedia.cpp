#include "BadMedia.h"

#include "FileContents.h"
#include "TestWav.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace twtest {

namespace {

const char* const failed = "The converter could not convert the chosen file";
const char* const tooShort = "The chosen file lasts less than one second, too short for a ringtone";
const char* const noSource = "The chosen file does not exist";
const char* const noSound = "The chosen file has no sound";

bool Ffmpeg(const std::string& arguments) {
    return std::system(("ffmpeg -nostdin -loglevel error -y " + arguments).c_str()) == 0;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string RandomBytes(size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(random() & 0xFF); });
    return bytes;
}

void PutLittleEndian32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

const std::vector<BadMedia>& BadMediaCases() {
    static const std::vector<BadMedia> cases = {
        {"empty file", "empty.mp3", 0, failed},
        {"random bytes as mp3", "random.mp3", 0, failed},
        {"random bytes as wav", "random.wav", 0, failed},
        {"random bytes as m4a", "random.m4a", 0, failed},
        {"first half of an mp3", "half.mp3", 4, ""},
        {"first half of an m4a", "half.m4a", 0, failed},
        {"wav header promising more than there is", "lying.wav", 3, ""},
        {"8-bit wav", "eight-bit.wav", 3, ""},
        {"24-bit wav", "twenty-four-bit.wav", 3, ""},
        {"32-bit float wav", "float.wav", 3, ""},
        {"6-channel wav", "six-channels.wav", 3, ""},
        {"8 kHz source", "eight-khz.mp3", 3, ""},
        {"96 kHz source", "ninety-six-khz.wav", 3, ""},
        {"one-second source", "one-second.wav", 1, ""},
        {"source shorter than the first ringtone", "twenty-seconds.m4a", 20, ""},
        {"half-second source", "half-second.wav", 0, tooShort},
        {"first hundred bytes of a wav", "hundred-bytes.wav", 0, tooShort},
        {"mp4 with video and no audio", "video-only.mp4", 0, noSound},
        {"folder named like a song", "song.mp3", 0, noSource},
        {"name with blanks", "a song with blanks.wav", 3, ""},
        {"name with quotes", "the \"best\" 'song'.wav", 3, ""},
        {"name with a newline", "two\nlines.wav", 3, ""},
        {"name with a leading dash", "-y.wav", 3, ""},
        {"name with non-ascii letters", "Grüße ñandú 歌.wav", 3, ""},
    };
    return cases;
}

void PrintTo(const BadMedia& media, std::ostream* out) {
    *out << media.label;
}

std::string BadMediaName(const BadMedia& media) {
    std::string name;
    bool upper = true;
    for (const char c : media.label) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum) {
            upper = true;
            continue;
        }
        name += upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        upper = false;
    }
    return name;
}

bool MakeBadMedia(const std::string& folder) {
    const auto at = [&](const std::string& name) { return (fs::path(folder) / name).string(); };
    const auto quoted = [&](const std::string& name) { return "'" + at(name) + "'"; };
    const WavFormat stereo;
    const WavFormat mono{8000, 1, false};
    if (!WriteWav(at("three.wav"), stereo, Sine(stereo, 3, 440, 8000)) ||
        !WriteWav(at("one-second.wav"), mono, Sine(mono, 1, 440, 8000)) ||
        !WriteWav(at("half-second.wav"), mono, Sine(mono, 0.5, 440, 8000)) ||
        !WriteWav(at("ten.wav"), mono, Sine(mono, 10, 440, 8000))) {
        return false;
    }
    const std::string three = quoted("three.wav");
    if (!Ffmpeg("-i " + quoted("ten.wav") + " -c:a libmp3lame -b:a 64k " + quoted("ten.mp3")) ||
        !Ffmpeg("-i " + quoted("ten.wav") + " -c:a aac " + quoted("ten.m4a")) ||
        !Ffmpeg("-i " + three + " -c:a pcm_u8 " + quoted("eight-bit.wav")) ||
        !Ffmpeg("-i " + three + " -c:a pcm_s24le " + quoted("twenty-four-bit.wav")) ||
        !Ffmpeg("-i " + three + " -c:a pcm_f32le " + quoted("float.wav")) ||
        !Ffmpeg("-f lavfi -i sine=frequency=300:duration=3 -ac 6 -c:a pcm_s16le " +
                quoted("six-channels.wav")) ||
        !Ffmpeg("-i " + three + " -ar 8000 -c:a libmp3lame " + quoted("eight-khz.mp3")) ||
        !Ffmpeg("-i " + three + " -ar 96000 -c:a pcm_s16le " + quoted("ninety-six-khz.wav")) ||
        !Ffmpeg("-f lavfi -i sine=frequency=500:duration=20 -c:a aac " +
                quoted("twenty-seconds.m4a")) ||
        !Ffmpeg("-f lavfi -i testsrc=size=160x120:rate=10:duration=3 -c:v mpeg4 " +
                quoted("video-only.mp4"))) {
        return false;
    }
    WriteBytes(at("empty.mp3"), "");
    WriteBytes(at("random.mp3"), RandomBytes(64 * 1024, 1));
    WriteBytes(at("random.wav"), RandomBytes(64 * 1024, 2));
    WriteBytes(at("random.m4a"), RandomBytes(64 * 1024, 3));
    const std::string mp3 = Contents(at("ten.mp3"));
    WriteBytes(at("half.mp3"), mp3.substr(0, mp3.size() / 2));
    const std::string m4a = Contents(at("ten.m4a"));
    WriteBytes(at("half.m4a"), m4a.substr(0, m4a.size() / 2));
    // The header of a ten-second file over three seconds of samples.
    std::string lying = Contents(at("three.wav"));
    PutLittleEndian32(lying, 4, 36 + 10 * 176400);
    PutLittleEndian32(lying, 40, 10 * 176400);
    WriteBytes(at("lying.wav"), lying);
    WriteBytes(at("hundred-bytes.wav"), Contents(at("three.wav")).substr(0, 100));
    fs::create_directory(at("song.mp3"));
    for (const BadMedia& media : BadMediaCases()) {
        if (media.seconds == 3 && !fs::exists(at(media.file))) {
            fs::copy_file(at("three.wav"), at(media.file));
        }
    }
    return true;
}

} // namespace twtest
