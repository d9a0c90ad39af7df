#include "app/cli/RingtoneEdit.h"

#include "editor/ChromaCells.h"
#include "editor/RingtoneSound.h"
#include "text/Translation.h"

#include <charconv>

std::optional<int32_t> RingtoneEdit::Seconds(const std::string& text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] == '-' || text[0] == '+' || error != std::errc() || stop != end ||
        value > 86400) {
        return std::nullopt;
    }
    return value;
}

bool RingtoneEdit::IsOption(const std::string& arg) {
    return arg == "--cut" || arg == "--silence" || arg == "--fade-in" || arg == "--fade-out";
}

bool RingtoneEdit::Take(const std::string& arg, const std::string& value, const std::string& prefix,
                        std::ostream& err) {
    if (arg == "--cut" && (value == "auto" || value.starts_with("auto:"))) {
        const std::optional<int32_t> n = value == "auto" ? kAutoSeconds : Seconds(value.substr(5));
        if (!n || *n < 1) {
            err << prefix
                << FillIn(Tr("--cut auto takes whole seconds from 1 after its colon, not '%s'"),
                          {value})
                << "\n";
            return false;
        }
        autoCut = true;
        autoSeconds = *n;
        haveCut = true;
        return true;
    }
    if (arg == "--cut") {
        const size_t colon = value.find(':');
        const auto start = Seconds(value.substr(0, colon));
        const auto end =
            colon == std::string::npos ? std::nullopt : Seconds(value.substr(colon + 1));
        if (!start || !end) {
            err << prefix << FillIn(Tr("--cut takes START:END in whole seconds, not '%s'"), {value})
                << "\n";
            return false;
        }
        cutStart = *start;
        cutEnd = *end;
        haveCut = true;
        return true;
    }
    const std::optional<int32_t> seconds = Seconds(value);
    if (!seconds) {
        err << prefix << FillIn(Tr("%1$s takes whole seconds, not '%2$s'"), {arg, value}) << "\n";
        return false;
    }
    (arg == "--silence" ? silence : arg == "--fade-in" ? fadeIn : fadeOut) = *seconds;
    return true;
}

bool RingtoneEdit::Check(int32_t duration, const std::string& prefix, std::ostream& err) const {
    if (cutStart < 1) {
        err << prefix << Tr("the cut starts at second 1 at the earliest") << "\n";
        return false;
    }
    if (cutStart >= cutEnd) {
        err << prefix
            << FillIn(Tr("the cut start %1$s must lie before the cut end %2$s"),
                      {std::to_string(cutStart), std::to_string(cutEnd)})
            << "\n";
        return false;
    }
    // The rulers span the timeline: the file's whole seconds and the inserted silence.
    if (cutEnd > duration + silence) {
        const std::string end = std::to_string(cutEnd);
        const std::string whole = std::to_string(duration);
        const auto wholeCount = static_cast<unsigned long>(duration);
        err << prefix
            << (silence > 0
                    ? FillIn(TrPlural("the cut end %1$s lies past the end of the file (%2$s whole "
                                      "second, %3$s with the silence)",
                                      "the cut end %1$s lies past the end of the file (%2$s whole "
                                      "seconds, %3$s with the silence)",
                                      wholeCount),
                             {end, whole, std::to_string(duration + silence)})
                    : FillIn(TrPlural("the cut end %1$s lies past the end of the file (%2$s whole "
                                      "second)",
                                      "the cut end %1$s lies past the end of the file (%2$s whole "
                                      "seconds)",
                                      wholeCount),
                             {end, whole}))
            << "\n";
        return false;
    }
    const int32_t length = cutEnd - cutStart;
    if (silence + fadeIn + fadeOut > length) {
        err << prefix
            << FillIn(TrPlural("the silence and the fades (%1$s + %2$s + %3$s seconds) are longer "
                               "than the ringtone (%4$s second)",
                               "the silence and the fades (%1$s + %2$s + %3$s seconds) are longer "
                               "than the ringtone (%4$s seconds)",
                               static_cast<unsigned long>(length)),
                      {std::to_string(silence), std::to_string(fadeIn), std::to_string(fadeOut),
                       std::to_string(length)})
            << "\n";
        return false;
    }
    return true;
}

bool RingtoneEdit::Place(BareEditor& bare, const std::string& prefix, std::ostream& err) const {
    bare.editor.PlaceRulers();
    bare.cut.SetValues(cutStart, cutEnd);
    bare.silence.SetValues(cutStart + silence, bare.silence.endValue);
    bare.fadeIn.SetValues(cutStart + silence + fadeIn, bare.fadeIn.endValue);
    bare.fadeOut.SetValues(cutEnd - fadeOut, bare.fadeOut.endValue);
    if (bare.cut.startValue != cutStart || bare.cut.endValue != cutEnd ||
        bare.wave.silenceLength != silence || bare.wave.fadeInLength != fadeIn ||
        bare.wave.fadeOutLength != fadeOut) {
        err << prefix << Tr("the editor placed the markers elsewhere than asked") << "\n";
        return false;
    }
    return true;
}

bool RingtoneEdit::ChooseAutoCut(const std::string& path, const std::string& prefix,
                                 std::ostream& err) {
    if (!autoCut) {
        return true;
    }
    const int32_t sound = SoundSeconds(autoSeconds, silence);
    if (sound < 1) {
        err << prefix
            << FillIn(TrPlural("the silence (%1$s seconds) leaves no sound in a ringtone of %2$s "
                               "second",
                               "the silence (%1$s seconds) leaves no sound in a ringtone of %2$s "
                               "seconds",
                               static_cast<unsigned long>(autoSeconds)),
                      {std::to_string(silence), std::to_string(autoSeconds)})
            << "\n";
        return false;
    }
    std::vector<RulerRange> ranges;
    if (!FindCatchiest(path, sound, ranges, prefix, err)) {
        return false;
    }
    cutStart = ranges.front().start;
    cutEnd = ranges.front().end + silence;
    return true;
}

bool RingtoneEdit::FindCatchiest(const std::string& path, int32_t seconds,
                                 std::vector<RulerRange>& ranges, const std::string& prefix,
                                 std::ostream& err) {
    ChromaCells cells;
    const WavError read = cells.Analyse(path);
    if (read != WavError::None) {
        err << prefix << path << ": " << DescribeWavError(read) << "\n";
        return false;
    }
    ranges = ChorusFinder::Suggest(cells, seconds);
    if (ranges.empty()) {
        err << prefix << path << ": "
            << FillIn(TrPlural("too short for a ringtone (%s whole second)",
                               "too short for a ringtone (%s whole seconds)",
                               static_cast<unsigned long>(cells.seconds)),
                      {std::to_string(cells.seconds)})
            << "\n";
        return false;
    }
    return true;
}
