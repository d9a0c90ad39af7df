#include "SourceMedia.h"

#include "media/SourceKinds.h"

#include <cstdio>
#include <cstdlib>

namespace twtest {

const std::vector<SourceMedia>& SourceMediaCases() {
    // The picture's input follows the tone's, so the tone's channels are set again.
    static const std::string video =
        "-f lavfi -i testsrc=size=160x120:rate=10:duration=2 -map 1:v -c:v mpeg4 -ac 2 ";
    static const std::vector<SourceMedia> cases = [] {
        std::vector<SourceMedia> made = {
            {"video.mp4", video + "-map 0:a", 1},
            {"silent.mp4", video, -1},
            {"flac named.mp3", "-f flac", 0},
            {"notes.wav", "-f ffmetadata", -2},
            // The second stream is the first marked as the default: a converter choosing for
            // itself takes the third (more channels), a player ignoring the marks the first.
            {"streams.mka",
             "-f lavfi -i sine=frequency=660 -f lavfi -i sine=frequency=880 -t 2 -map 0 -map 1 "
             "-map 2 -ac:0 1 -ac:1 2 -ac:2 6 -disposition:0 0 -disposition:1 default "
             "-disposition:2 default",
             1}};
        for (const SourceKind& kind : SourceKinds()) {
            // A 3GP's own sound would be AMR too.
            const std::string& extension = kind.extensions.front();
            made.push_back({"tone." + extension, extension == "3gp" ? "-c:a aac" : "", 0});
        }
        return made;
    }();
    return cases;
}

bool MakeTone(const std::string& path, const std::string& made) {
    return std::system(("ffmpeg -nostdin -loglevel error -y -f lavfi -i sine=duration=2 -ac 2 " +
                        made + " '" + path + "'")
                           .c_str()) == 0;
}

bool MakeSourceMedia(const std::string& folder) {
    for (const SourceMedia& media : SourceMediaCases()) {
        if (!MakeTone(folder + "/" + media.file, media.made)) {
            return false;
        }
    }
    return true;
}

std::vector<int16_t> FfmpegDecode(const std::string& path, int stream, const std::string& format) {
    FILE* decoded = popen(("ffmpeg -nostdin -loglevel error -i '" + path +
                           "' -map 0:" + std::to_string(stream) + " " + format + " -f s16le -")
                              .c_str(),
                          "r");
    std::vector<int16_t> samples(1 << 20);
    samples.resize(decoded != nullptr ? fread(samples.data(), 2, samples.size(), decoded) : 0);
    if (decoded != nullptr) {
        pclose(decoded);
    }
    return samples;
}

} // namespace twtest
