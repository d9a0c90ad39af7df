#include "SourceMedia.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace twtest {

namespace {

const char* const picture = "-f lavfi -i testsrc=size=160x120:rate=10:duration=2 ";

} // namespace

const std::vector<SourceMedia>& SourceMediaCases() {
    // The picture's input comes after the tone's, so the tone's channels are set again.
    static const std::string video = std::string(picture) + "-map 1:v -c:v mpeg4 -ac 2 ";
    static const std::vector<SourceMedia> cases = {
        {"tone.wav", AudioFileWav, "-c:a pcm_s16le", 0, false},
        {"tone.mp3", AudioFileMp3, "-c:a libmp3lame", 0, false},
        {"tone.aac", AudioFileAac, "-c:a aac", 0, false},
        {"tone.m4a", AudioFileMp4, "-c:a aac", 0, false},
        {"tone.flac", AudioFileFlac, "-c:a flac", 0, false},
        {"tone.ogg", AudioFileOgg, "-c:a libvorbis", 0, false},
        {"tone.oga", AudioFileOgg, "-c:a flac", 0, false},
        {"tone.opus", AudioFileOpus, "-c:a libopus", 0, true},
        {"tone.webm", AudioFileWebm, "-c:a libvorbis", 0, false},
        {"tone.mka", AudioFileMatroska, "-c:a aac", 0, false},
        {"tone.aiff", AudioFileAiff, "-c:a pcm_s16be", 0, false},
        {"tone.wma", AudioFileWma, "-c:a wmav2", 0, false},
        {"tone.mov", AudioFileMov, "-c:a aac", 0, false},
        {"tone.3gp", AudioFile3gp, "-c:a aac", 0, false},
        {"tone.m4b", AudioFileM4b, "-c:a aac", 0, false},
        {"video.mp4", AudioFileMp4, video + "-map 0:a -c:a aac", 1, false},
        {"silent.mp4", AudioFileMp4, video, -1, false},
        // The second stream is the first marked as the default; a converter choosing for itself
        // would take the third (more channels), a player ignoring the marks the first.
        {"streams.mka", AudioFileMatroska,
         "-f lavfi -i sine=frequency=660:duration=2 -f lavfi -i sine=frequency=880:duration=2 "
         "-map 0 -map 1 -map 2 -ac:0 6 -ac:1 1 -ac:2 2 -c:a aac -disposition:0 0 "
         "-disposition:1 default -disposition:2 default",
         1, true},
        {"flac named.mp3", AudioFileMp3, "-c:a flac -f flac", 0, false},
        {"notes.wav", AudioFileWav, "", -2, false},
    };
    return cases;
}

bool MakeTone(const std::string& path, const std::string& made) {
    const std::string command =
        "ffmpeg -nostdin -loglevel error -y -f lavfi -i sine=frequency=440:duration=2 -ac 2 " +
        made + " '" + path + "'";
    return std::system(command.c_str()) == 0;
}

bool MakeSourceMedia(const std::string& folder) {
    for (const SourceMedia& media : SourceMediaCases()) {
        const std::string path = folder + "/" + media.file;
        if (media.stream == -2) {
            std::ofstream(path) << "Not a sound: a text file named like one.\n";
        } else if (!MakeTone(path, media.made)) {
            return false;
        }
    }
    return true;
}

std::vector<int16_t> FfmpegDecode(const std::string& path, int stream, const std::string& format) {
    const std::string command = "ffmpeg -nostdin -loglevel error -i '" + path +
                                "' -map 0:" + std::to_string(stream) + " " + format + " -f s16le -";
    std::vector<int16_t> samples;
    FILE* decoded = popen(command.c_str(), "r");
    if (decoded == nullptr) {
        return samples;
    }
    int16_t block[4096];
    while (const size_t n = fread(block, sizeof block[0], 4096, decoded)) {
        samples.insert(samples.end(), block, block + n);
    }
    pclose(decoded);
    return samples;
}

} // namespace twtest
