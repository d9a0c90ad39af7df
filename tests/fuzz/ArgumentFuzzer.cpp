// libFuzzer target: the converter's argument string for any source and output path. The first
// byte chooses how the rest becomes the two paths, split at the first NUL (which no file name
// holds): bit 0 clear, as the bytes of Linux file names read through Utf8Text.h, as the
// command-line tool does; bit 0 set, as 32-bit wide characters of any value (little-endian),
// as the window's file picker may hand them over. Splitting the built string must give back exactly
// the converter's fixed arguments and each path as one argument, in UTF-8 (with "file:" in front of
// a relative path that holds a colon or is "-"); from bytes, that is the very same bytes. Splitting
// the raw input as an argument string must not fail either. scripts/test runs it for 10 seconds,
// tests/fuzz/run as long as asked.
#include "import/ConverterArguments.h"
#include "text/Utf8Text.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::wstring WideCharacters(std::string_view bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

std::string Expected(const std::wstring& path) {
    const bool protocolLike =
        !path.starts_with(L'/') && (path.find(L':') != std::wstring::npos || path == L"-");
    return (protocolLike ? "file:" : "") + Utf8FromWide(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool wide = (data[0] & 1) != 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::wstring source;
    std::wstring output;
    std::string_view sourceBytes;
    std::string_view outputBytes;
    if (wide) {
        const std::wstring all = WideCharacters(rest);
        const size_t nul = std::min(all.find(L'\0'), all.size());
        source = all.substr(0, nul);
        output = all.substr(std::min(nul + 1, all.size()));
    } else {
        const size_t nul = std::min(rest.find('\0'), rest.size());
        sourceBytes = rest.substr(0, nul);
        outputBytes = rest.substr(std::min(nul + 1, rest.size()));
        source = WideFromUtf8(sourceBytes);
        output = WideFromUtf8(outputBytes);
    }

    const std::vector<std::string> split = SplitArguments(BuildConverterArguments(source, output));
    const std::vector<std::string> expected{"-i",  Expected(source), "-y",        "-map_metadata",
                                            "0",   "-map_metadata",  "0:s:a:0",   "-f",
                                            "wav", "-acodec",        "pcm_s16le", Expected(output)};
    Check(split == expected);
    if (!wide) {
        Check(Utf8FromWide(source) == sourceBytes && Utf8FromWide(output) == outputBytes);
    }

    const std::wstring raw = wide ? WideCharacters(rest) : WideFromUtf8(rest);
    for (const std::string& argument : SplitArguments(raw)) {
        Check(!argument.empty() || raw.find(L'"') != std::wstring::npos);
    }
    return 0;
}
