#include "app/cli/MakeCommand.h"

#include "app/cli/CommandLine.h"
#include "app/cli/ConsoleForThisRun.h"
#include "app/cli/RingtoneEdit.h"
#include "delivery/DeliveryMessages.h"
#include "delivery/DeliveryPlan.h"
#include "delivery/RingtoneFormat.h"
#include "delivery/RingtoneJob.h"
#include "delivery/SaveFile.h"
#include "editor/BareEditor.h"
#include "import/ImportJob.h"
#include "text/Translation.h"
#include "text/Utf8Text.h"

#include <charconv>
#include <optional>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr const char* kPrefix = "tonewick-cli make: ";

std::string Usage() {
    return "usage: tonewick-cli " + MakeUsage() + "\n";
}

// The loudness targets that make sense for a ringtone: from a whisper to the loudest pop.
constexpr double kQuietestTarget = -40.0;
constexpr double kLoudestTarget = -5.0;

struct MakeRequest {
    std::string source;
    std::string output;
    RingtoneEdit edit;
    RingtoneSound sound;
    const RingtoneFormat* format = nullptr;
};

bool TakeValue(MakeRequest& r, const std::string& arg, const std::string& value,
               std::ostream& err) {
    EffectSet& effects = r.sound.effects;
    if (arg == "--echo" || arg == "--reverb" || arg == "--chorus") {
        (arg == "--echo"     ? effects.echo
         : arg == "--reverb" ? effects.reverb
                             : effects.chorus) = true;
        return true;
    }
    if (arg == "--loudness") {
        // With a point whatever the locale, as scripts write it: "-14,5" is refused everywhere.
        double target = 0.0;
        const char* end = value.data() + value.size();
        const auto [stop, failure] = std::from_chars(value.data(), end, target);
        if (value.empty() || failure != std::errc() || stop != end ||
            !(target >= kQuietestTarget) || !(target <= kLoudestTarget)) {
            err << kPrefix
                << FillIn(Tr("--loudness takes a loudness in LUFS from -40 to -5, such as -14, "
                             "not '%s'"),
                          {value})
                << "\n";
            return false;
        }
        effects.phoneLoudness = true;
        effects.loudnessTarget = target;
        return true;
    }
    if (arg == "-o") {
        r.output = value;
        return true;
    }
    if (arg == "--format") {
        r.format = FindFormatByName(value);
        if (r.format == nullptr) {
            err << kPrefix
                << FillIn(Tr("--format takes %1$s, not '%2$s'"),
                          {JoinFormats(NamedFormats(), &RingtoneFormat::name, ", ", Tr(" or ")),
                           value})
                << "\n";
        }
        return r.format != nullptr;
    }
    if (arg == "--volume") {
        const std::optional<int32_t> percent = RingtoneEdit::Seconds(value);
        if (!percent || *percent < 1 || *percent > 100) {
            err << kPrefix
                << FillIn(Tr("--volume takes a percentage from 1 to 100, not '%s'"), {value})
                << "\n";
            return false;
        }
        effects.volume = *percent;
        return true;
    }
    return r.edit.Take(arg, value, kPrefix, err);
}

// Null after printing what was wrong with the command line.
std::optional<MakeRequest> Parse(const std::vector<std::string>& args, std::ostream& err) {
    MakeRequest r;
    CommandLine line;
    line.prefix = kPrefix;
    line.usage = Usage();
    line.isFlag = [](const std::string& arg) {
        return arg == "--echo" || arg == "--reverb" || arg == "--chorus";
    };
    line.takesValue = [](const std::string& arg) {
        return RingtoneEdit::IsOption(arg) || arg == "--volume" || arg == "--loudness" ||
               arg == "--format" || arg == "-o";
    };
    line.take = [&](const std::string& arg, const std::string& value) {
        return TakeValue(r, arg, value, err);
    };
    if (!line.Walk(args, r.source, err)) {
        return std::nullopt;
    }
    if (r.source.empty() || !r.edit.haveCut || r.format == nullptr || r.output.empty()) {
        err << Usage();
        return std::nullopt;
    }
    // A phone judges a ringtone by its extension: an M4A named .m4r would pass for an iPhone's
    // ringtone, whatever its length.
    const RingtoneFormat* named = FindFormatOfFile(r.output);
    if (named == nullptr || std::string(named->extension) != r.format->extension) {
        err << kPrefix
            << FillIn(Tr("-o takes a name ending in %1$s for --format %2$s, not '%3$s'"),
                      {r.format->extension, r.format->name, r.output})
            << "\n";
        return std::nullopt;
    }
    r.sound.cutStart = r.edit.cutStart;
    r.sound.cutEnd = r.edit.cutEnd;
    return r;
}

} // namespace

std::string MakeUsage() {
    return "make SOURCE --cut START:END|auto[:N] [--silence S] [--fade-in S] [--fade-out S] "
           "[--volume PERCENT] [--echo] [--reverb] [--chorus] [--loudness LUFS] --format " +
           JoinFormats(NamedFormats(), &RingtoneFormat::name, "|", "|") + " -o OUT";
}

int RunMakeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<MakeRequest> request = Parse(args, err);
    if (!request) {
        return kExitUsage;
    }
    MakeRequest r = *request;
    const ConsoleForThisRun console;
    ImportJob import;
    if (!import.Convert(WideFromUtf8(r.source), nullptr, nullptr)) {
        err << kPrefix << r.source << ": " << import.Explanation() << "\n";
        return kExitFailed;
    }
    BareEditor bare;
    const WavError loaded = bare.Load(import.stagingPath);
    if (loaded != WavError::None) {
        err << kPrefix << r.source << ": " << DescribeWavError(loaded) << "\n";
        return kExitFailed;
    }
    if (!r.edit.ChooseAutoCut(import.stagingPath, kPrefix, err)) {
        return kExitFailed;
    }
    r.sound.cutStart = r.edit.cutStart;
    r.sound.cutEnd = r.edit.cutEnd;
    if (!r.edit.Check(bare.wave.durationSeconds, kPrefix, err) ||
        !r.edit.Place(bare, kPrefix, err)) {
        return kExitFailed;
    }
    const int32_t seconds = RingtoneSeconds(r.sound);
    const int32_t kept = KeptSeconds(*r.format, seconds);
    if (kept < seconds) {
        out << delivery_text::CutNote(*r.format, seconds) << "\n";
    }
    RingtoneJob job;
    const bool made = job.Make(bare.wave, r.sound, *r.format, r.source, PrintProgress, &out);
    if (!made) {
        err << kPrefix << job.Explanation() << "\n";
        return kExitFailed;
    }
    if (job.turnedDownDb > 0.0) {
        out << FillIn(Tr("The ringtone was turned down by %1$s dB to keep its true peak at -1 dBTP "
                         "after %2$s encoding."),
                      {LocalDecimal(job.turnedDownDb, 1), r.format->label})
            << "\n";
    }
    int reason = 0;
    if (!SaveFileAtomically(job.filePath, r.output, &reason)) {
        err << kPrefix << r.output << ": " << delivery_text::SaveFailure(reason) << "\n";
        return kExitFailed;
    }
    out << r.output << ": "
        << FillIn(TrPlural("%1$s second, %2$s", "%1$s seconds, %2$s",
                           static_cast<unsigned long>(kept)),
                  {std::to_string(kept), r.format->label})
        << "\n";
    out.flush();
    return out ? 0 : kExitFailed;
}
