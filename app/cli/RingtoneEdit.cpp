#include "app/cli/RingtoneEdit.h"

#include "editor/ChromaCells.h"
#include "editor/RingtoneSound.h"

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
            err << prefix << "--cut auto takes whole seconds from 1 after its colon, not '" << value
                << "'\n";
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
            err << prefix << "--cut takes START:END in whole seconds, not '" << value << "'\n";
            return false;
        }
        cutStart = *start;
        cutEnd = *end;
        haveCut = true;
        return true;
    }
    const std::optional<int32_t> seconds = Seconds(value);
    if (!seconds) {
        err << prefix << arg << " takes whole seconds, not '" << value << "'\n";
        return false;
    }
    (arg == "--silence" ? silence : arg == "--fade-in" ? fadeIn : fadeOut) = *seconds;
    return true;
}

bool RingtoneEdit::Check(int32_t duration, const std::string& prefix, std::ostream& err) const {
    if (cutStart < 1) {
        err << prefix << "the cut starts at second 1 at the earliest\n";
        return false;
    }
    if (cutStart >= cutEnd) {
        err << prefix << "the cut start " << cutStart << " must lie before the cut end " << cutEnd
            << "\n";
        return false;
    }
    // The rulers span the timeline: the file's whole seconds and the inserted silence.
    if (cutEnd > duration + silence) {
        err << prefix << "the cut end " << cutEnd << " lies past the end of the file (" << duration
            << " whole seconds";
        if (silence > 0) {
            err << ", " << duration + silence << " with the silence";
        }
        err << ")\n";
        return false;
    }
    const int32_t length = cutEnd - cutStart;
    if (silence + fadeIn + fadeOut > length) {
        err << prefix << "the silence and the fades (" << silence << " + " << fadeIn << " + "
            << fadeOut << " seconds) are longer than the ringtone (" << length << " seconds)\n";
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
        err << prefix << "the editor placed the markers elsewhere than asked\n";
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
        err << prefix << "the silence (" << silence << " seconds) leaves no sound in a ringtone of "
            << autoSeconds << " seconds\n";
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
        err << prefix << path << ": too short for a ringtone (" << cells.seconds
            << " whole seconds)\n";
        return false;
    }
    return true;
}
