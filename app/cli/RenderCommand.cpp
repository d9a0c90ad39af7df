#include "app/cli/RenderCommand.h"

#include "app/cli/CommandLine.h"
#include "app/cli/RingtoneEdit.h"
#include "editor/BareEditor.h"
#include "text/Translation.h"
#include "wav/WavFileWriter.h"
#include "widgets/EditedWave.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;
constexpr const char* kUsage =
    "usage: tonewick-cli render WORKING.wav --cut START:END|auto[:N] [--silence SECONDS] "
    "[--fade-in SECONDS] [--fade-out SECONDS] -o OUT.wav\n";
constexpr const char* kPrefix = "tonewick-cli render: ";

struct RenderRequest {
    std::string input;
    std::string output;
    RingtoneEdit edit;
};

// Null after printing what was wrong with the command line.
std::optional<RenderRequest> Parse(const std::vector<std::string>& args, std::ostream& err) {
    RenderRequest request;
    CommandLine line;
    line.prefix = kPrefix;
    line.usage = kUsage;
    line.takesValue = [](const std::string& arg) {
        return RingtoneEdit::IsOption(arg) || arg == "-o";
    };
    line.take = [&](const std::string& arg, const std::string& value) {
        if (arg == "-o") {
            request.output = value;
            return true;
        }
        return request.edit.Take(arg, value, kPrefix, err);
    };
    if (!line.Walk(args, request.input, err)) {
        return std::nullopt;
    }
    if (request.input.empty() || !request.edit.haveCut || request.output.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    return request;
}

} // namespace

int RunRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<RenderRequest> request = Parse(args, err);
    if (!request) {
        return kExitUsage;
    }
    RenderRequest r = *request;
    RingtoneEdit& e = r.edit;

    // The editor as the window wires it, with bare rulers and no view.
    BareEditor bare;
    EditedWave& wave = bare.wave;
    const WavError loaded = wave.LoadMedia(r.input);
    if (loaded != WavError::None) {
        err << kPrefix << r.input << ": " << DescribeWavError(loaded) << "\n";
        return kExitRefused;
    }
    if (!e.ChooseAutoCut(r.input, kPrefix, err) || !e.Check(wave.durationSeconds, kPrefix, err) ||
        !e.Place(bare, kPrefix, err)) {
        return kExitRefused;
    }

    std::error_code same;
    if (std::filesystem::equivalent(r.input, r.output, same)) {
        err << kPrefix << r.output << ": " << Tr("would overwrite the working file") << "\n";
        return kExitRefused;
    }
    WavFileWriter writer;
    if (!writer.Open(r.output, wave.channels, wave.sampleRate)) {
        err << kPrefix << r.output << ": " << Tr("can't be written") << "\n";
        return kExitRefused;
    }
    // One second of sound per block, from the cut start to the cut end.
    const int32_t rate = wave.byteRate;
    std::vector<uint8_t> block(static_cast<size_t>(rate));
    int64_t position = bare.editor.StreamPosition(e.cutStart);
    bool written = true;
    for (int64_t left = int64_t{e.cutEnd - e.cutStart} * rate; written && left > 0;) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(left, rate));
        if (wave.RenderEdited(block.data(), n, static_cast<int32_t>(position)) != n) {
            err << kPrefix << r.input << ": " << Tr("can't be read") << "\n";
            return kExitRefused;
        }
        written = writer.Write(block.data(), static_cast<size_t>(n));
        position += n;
        left -= n;
    }
    if (!writer.Close() || !written) {
        err << kPrefix << r.output << ": " << Tr("can't be written") << "\n";
        return kExitRefused;
    }
    const int32_t seconds = e.cutEnd - e.cutStart;
    out << r.output << ": "
        << FillIn(TrPlural("%s second", "%s seconds", static_cast<unsigned long>(seconds)),
                  {std::to_string(seconds)})
        << ", " << wave.sampleRate << " Hz, "
        << FillIn(TrPlural("%s channel", "%s channels", static_cast<unsigned long>(wave.channels)),
                  {std::to_string(wave.channels)})
        << "\n";
    return 0;
}
