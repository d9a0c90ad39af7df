#include "app/cli/RenderCommand.h"

#include "editor/BareEditor.h"
#include "widgets/EditedWave.h"
#include "widgets/RulerValues.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;
constexpr const char* kUsage =
    "usage: tonewick-cli render WORKING.wav --cut START:END [--silence SECONDS] "
    "[--fade-in SECONDS] [--fade-out SECONDS] -o OUT.wav\n";

struct RenderRequest {
    std::string input;
    std::string output;
    int32_t cutStart = 0;
    int32_t cutEnd = 0;
    int32_t silence = 0;
    int32_t fadeIn = 0;
    int32_t fadeOut = 0;
};

// Whole seconds: digits only, at most a day's worth.
std::optional<int32_t> Seconds(const std::string& text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] == '-' || text[0] == '+' || error != std::errc() || stop != end ||
        value > 86400) {
        return std::nullopt;
    }
    return value;
}

// Null after printing what was wrong with the command line.
std::optional<RenderRequest> Parse(const std::vector<std::string>& args, std::ostream& err) {
    RenderRequest request;
    bool haveCut = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool option = arg == "--cut" || arg == "--silence" || arg == "--fade-in" ||
                            arg == "--fade-out" || arg == "-o";
        if (!option) {
            if (!request.input.empty() || arg.empty() || arg[0] == '-') {
                err << "tonewick-cli render: unexpected argument '" << arg << "'\n" << kUsage;
                return std::nullopt;
            }
            request.input = arg;
            continue;
        }
        if (i + 1 == args.size()) {
            err << "tonewick-cli render: " << arg << " needs a value\n" << kUsage;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        std::optional<int32_t> seconds;
        if (arg == "-o") {
            request.output = value;
            continue;
        }
        if (arg == "--cut") {
            const size_t colon = value.find(':');
            const auto start = Seconds(value.substr(0, colon));
            const auto end =
                colon == std::string::npos ? std::nullopt : Seconds(value.substr(colon + 1));
            if (!start || !end) {
                err << "tonewick-cli render: --cut takes START:END in whole seconds, not '" << value
                    << "'\n";
                return std::nullopt;
            }
            request.cutStart = *start;
            request.cutEnd = *end;
            haveCut = true;
            continue;
        }
        seconds = Seconds(value);
        if (!seconds) {
            err << "tonewick-cli render: " << arg << " takes whole seconds, not '" << value
                << "'\n";
            return std::nullopt;
        }
        (arg == "--silence"   ? request.silence
         : arg == "--fade-in" ? request.fadeIn
                              : request.fadeOut) = *seconds;
    }
    if (request.input.empty() || !haveCut || request.output.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    return request;
}

// The values against each other and against the file; false after saying why.
bool Check(const RenderRequest& r, int32_t duration, std::ostream& err) {
    const char* prefix = "tonewick-cli render: ";
    if (r.cutStart < 1) {
        err << prefix << "the cut starts at second 1 at the earliest\n";
        return false;
    }
    if (r.cutStart >= r.cutEnd) {
        err << prefix << "the cut start " << r.cutStart << " must lie before the cut end "
            << r.cutEnd << "\n";
        return false;
    }
    // The rulers span the timeline: the file's whole seconds and the inserted silence.
    if (r.cutEnd > duration + r.silence) {
        err << prefix << "the cut end " << r.cutEnd << " lies past the end of the file ("
            << duration << " whole seconds";
        if (r.silence > 0) {
            err << ", " << duration + r.silence << " with the silence";
        }
        err << ")\n";
        return false;
    }
    const int32_t length = r.cutEnd - r.cutStart;
    if (r.silence + r.fadeIn + r.fadeOut > length) {
        err << prefix << "the silence and the fades (" << r.silence << " + " << r.fadeIn << " + "
            << r.fadeOut << " seconds) are longer than the ringtone (" << length << " seconds)\n";
        return false;
    }
    return true;
}

void Put32(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

// The canonical 44-byte header of 16-bit PCM.
std::vector<uint8_t> Header(int32_t channels, int32_t sampleRate, uint32_t dataBytes) {
    std::vector<uint8_t> h(44);
    std::copy_n("RIFF", 4, h.begin());
    Put32(&h[4], 36 + dataBytes);
    std::copy_n("WAVEfmt ", 8, h.begin() + 8);
    Put32(&h[16], 16);
    Put16(&h[20], 1);
    Put16(&h[22], static_cast<uint16_t>(channels));
    Put32(&h[24], static_cast<uint32_t>(sampleRate));
    Put32(&h[28], static_cast<uint32_t>(sampleRate * channels * 2));
    Put16(&h[32], static_cast<uint16_t>(channels * 2));
    Put16(&h[34], 16);
    std::copy_n("data", 4, h.begin() + 36);
    Put32(&h[40], dataBytes);
    return h;
}

struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<RenderRequest> request = Parse(args, err);
    if (!request) {
        return kExitUsage;
    }
    const RenderRequest& r = *request;

    // The editor as the window wires it, with bare rulers and no view.
    BareEditor bare;
    RulerValues& cut = bare.cut;
    RulerValues& fadeIn = bare.fadeIn;
    RulerValues& fadeOut = bare.fadeOut;
    RulerValues& silence = bare.silence;
    EditedWave& wave = bare.wave;
    RingtoneEditor& editor = bare.editor;

    const WavError loaded = wave.LoadMedia(r.input);
    if (loaded != WavError::None) {
        err << "tonewick-cli render: " << r.input << ": " << DescribeWavError(loaded) << "\n";
        return kExitRefused;
    }
    if (!Check(r, wave.durationSeconds, err)) {
        return kExitRefused;
    }
    editor.PlaceRulers();
    cut.SetValues(r.cutStart, r.cutEnd);
    silence.SetValues(r.cutStart + r.silence, silence.endValue);
    fadeIn.SetValues(r.cutStart + r.silence + r.fadeIn, fadeIn.endValue);
    fadeOut.SetValues(r.cutEnd - r.fadeOut, fadeOut.endValue);
    if (cut.startValue != r.cutStart || cut.endValue != r.cutEnd ||
        wave.silenceLength != r.silence || wave.fadeInLength != r.fadeIn ||
        wave.fadeOutLength != r.fadeOut) {
        err << "tonewick-cli render: the editor placed the markers elsewhere than asked\n";
        return kExitRefused;
    }

    std::error_code same;
    if (std::filesystem::equivalent(r.input, r.output, same)) {
        err << "tonewick-cli render: " << r.output << ": would overwrite the working file\n";
        return kExitRefused;
    }
    std::unique_ptr<std::FILE, Closer> file(std::fopen(r.output.c_str(), "wb"));
    if (!file) {
        err << "tonewick-cli render: " << r.output << ": can't be written\n";
        return kExitRefused;
    }
    // One second of sound per block, from the cut start to the cut end.
    const int32_t rate = wave.byteRate;
    const int64_t total = int64_t{r.cutEnd - r.cutStart} * rate;
    const std::vector<uint8_t> header =
        Header(wave.channels, wave.sampleRate, static_cast<uint32_t>(total));
    bool written = std::fwrite(header.data(), 1, header.size(), file.get()) == header.size();
    std::vector<uint8_t> block(static_cast<size_t>(rate));
    int64_t position = editor.StreamPosition(r.cutStart);
    for (int64_t left = total; written && left > 0;) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(left, rate));
        if (wave.RenderEdited(block.data(), n, static_cast<int32_t>(position)) != n) {
            file.reset();
            std::filesystem::remove(r.output, same);
            err << "tonewick-cli render: " << r.input << ": can't be read\n";
            return kExitRefused;
        }
        written = std::fwrite(block.data(), 1, static_cast<size_t>(n), file.get()) ==
                  static_cast<size_t>(n);
        position += n;
        left -= n;
    }
    if (!written || std::fclose(file.release()) != 0) {
        std::filesystem::remove(r.output, same);
        err << "tonewick-cli render: " << r.output << ": can't be written\n";
        return kExitRefused;
    }
    out << r.output << ": " << r.cutEnd - r.cutStart << " seconds, " << wave.sampleRate << " Hz, "
        << wave.channels << (wave.channels == 1 ? " channel\n" : " channels\n");
    return 0;
}
