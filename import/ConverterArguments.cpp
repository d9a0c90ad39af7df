#include "import/ConverterArguments.h"

#include "text/Utf8Text.h"

#include <string_view>

namespace {

// Absolute paths can't be protocol names; relative ones can once they hold a colon.
template <typename Char>
std::basic_string<Char> LocalFileName(const std::basic_string<Char>& path) {
    const bool protocolLike = path.find(Char{':'}) != std::basic_string<Char>::npos ||
                              (path.size() == 1 && path[0] == Char{'-'});
    if (!path.starts_with(Char{'/'}) && protocolLike) {
        constexpr std::string_view prefix = "file:";
        return std::basic_string<Char>(prefix.begin(), prefix.end()) + path;
    }
    return path;
}

std::wstring Quoted(const std::wstring& text) {
    std::wstring quoted = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            quoted += L'\\';
        }
        quoted += c;
    }
    return quoted + L"\"";
}

} // namespace

std::wstring BuildConverterArguments(const std::wstring& sourcePath, const std::wstring& outputPath,
                                     int32_t audioStream) {
    const std::wstring stream = audioStream < 0 ? L"a:0" : std::to_wstring(audioStream);
    const std::wstring map = audioStream < 0 ? std::wstring() : L" -map 0:" + stream;
    // The container's tags first, then the audio stream's for the ones it lacks: Ogg and Opus
    // keep the title among the stream's tags, which the converter would otherwise drop.
    return L" -i " + Quoted(LocalFileName(sourcePath)) + map +
           L" -y -map_metadata 0 -map_metadata 0:s:" + stream + L" -f wav -acodec pcm_s16le " +
           Quoted(LocalFileName(outputPath));
}

std::string ConverterPath(const std::string& path) {
    return LocalFileName(path);
}

std::vector<std::string> SplitArguments(const std::wstring& arguments) {
    std::vector<std::string> split;
    std::wstring current;
    bool inArgument = false;
    bool quoted = false;
    for (auto it = arguments.begin(); it != arguments.end(); ++it) {
        const wchar_t c = *it;
        if (c == L'\\' && it + 1 != arguments.end() && (*(it + 1) == L'"' || *(it + 1) == L'\\')) {
            ++it;
            current += *it;
            inArgument = true;
        } else if (c == L'"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == L' ' || c == L'\t') && !quoted) {
            if (inArgument) {
                split.push_back(Utf8FromWide(current));
                current.clear();
                inArgument = false;
            }
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) {
        split.push_back(Utf8FromWide(current));
    }
    return split;
}
