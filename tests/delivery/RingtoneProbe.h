// What ffprobe and ffmpeg tell about a ringtone file, for the delivery's tests.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace twtest {

// ffprobe's format_name, codec_name, channels, sample_rate and the title tag, by those keys;
// empty when it can't read the file.
std::map<std::string, std::string> Probe(const std::string& path);
// Seconds of sound, decoded whole by ffmpeg (not the container's estimate); -1 on failure.
double DecodedSeconds(const std::string& path);
// The largest sample magnitude of the decoded sound's last second, as a share of the largest
// over the whole file (0 to 1); -1 on failure.
double LastSecondPeakShare(const std::string& path);
// The sound decoded whole by ffmpeg as 16-bit stereo at 44100 Hz; empty on failure.
std::vector<int16_t> DecodedStereo(const std::string& path);

} // namespace twtest
