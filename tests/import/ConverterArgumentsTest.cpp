// The converter's argument string and its splitting into an argument vector.
#include "import/ConverterArguments.h"
#include "text/Utf8Text.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using Args = std::vector<std::string>;

Args Split(const char* utf8) {
    return SplitArguments(WideFromUtf8(utf8));
}

TEST(ConverterArgumentsTest, BuildsTheImportCommandLineWithQuotedPaths) {
    EXPECT_EQ(BuildConverterArguments(L"/home/ann/My Song.mp3", L"temp/current.wav"),
              L" -i \"/home/ann/My Song.mp3\" -y -map_metadata 0 -map_metadata 0:s:a:0 -f wav "
              L"-acodec pcm_s16le \"temp/current.wav\"");
}

TEST(ConverterArgumentsTest, EveryPathComesBackFromTheSplitUnchanged) {
    for (const char* path :
         {"/m/plain.mp3", "/m/with  two blanks .m4a", "/m/Grüße ☃.aac", "/m/say \"hi\".mp4",
          "/m/back\\slash\\\" mixed\\.wav", "/m/ends\\", "/m/\"", "/m/'single' $HOME `x`.mp3"}) {
        EXPECT_EQ(SplitArguments(BuildConverterArguments(WideFromUtf8(path), L"temp/current.wav")),
                  (Args{"-i", path, "-y", "-map_metadata", "0", "-map_metadata", "0:s:a:0", "-f",
                        "wav", "-acodec", "pcm_s16le", "temp/current.wav"}))
            << path;
    }
}

TEST(ConverterArgumentsTest, NamesThatLookLikeProtocolsAreReadAsLocalFiles) {
    EXPECT_EQ(SplitArguments(BuildConverterArguments(L"concat:a.mp3|b.mp3", L"-"))[1],
              "file:concat:a.mp3|b.mp3");
    EXPECT_EQ(SplitArguments(BuildConverterArguments(L"concat:a.mp3", L"-")).back(), "file:-");
    EXPECT_EQ(SplitArguments(BuildConverterArguments(L"/m/pipe:0", L"out.wav"))[1], "/m/pipe:0");
}

TEST(ConverterArgumentsTest, FileNamesThatAreNotUtf8SurviveTheTripThroughWideText) {
    // Latin-1 bytes, a cut-off sequence, an overlong slash and an encoded surrogate.
    const std::string name = "/m/caf\xE9 \xC3 \xC0\xAF \xED\xA0\x80 \xF0\x9F\x8E\xB5.mp3";
    const std::wstring wide = WideFromUtf8(name);
    EXPECT_EQ(wide.substr(0, 7), L"/m/caf\xDCE9");
    EXPECT_EQ(Utf8FromWide(wide), name);
    EXPECT_EQ(SplitArguments(BuildConverterArguments(wide, L"out.wav"))[1], name);
    EXPECT_EQ(WideFromUtf8("Gr\xC3\xBC\xC3\x9F\x65 \xE2\x98\x83"), L"Grüße ☃");
}

TEST(ConverterArgumentsTest, ValuesPastUnicodeBecomeTheReplacementCharacter) {
    // Cut to four bytes, 0x410000 would come out as U+10000, a character of its own.
    for (const uint32_t c : {0x110000U, 0x410000U, 0xFFFFFFFFU}) {
        std::string bytes = "a";
        AppendUtf8(bytes, c);
        EXPECT_EQ(bytes, "a\xEF\xBF\xBD") << c;
    }
    EXPECT_EQ(Utf8FromWide(std::wstring{L'/', static_cast<wchar_t>(-1)}), "/\xEF\xBF\xBD");
}

TEST(ConverterArgumentsTest, SplitsOnBlanksOutsideQuotes) {
    EXPECT_EQ(Split("  one\ttwo   three "), (Args{"one", "two", "three"}));
    EXPECT_EQ(Split("a\"b c\"d \"\" e"), (Args{"ab cd", "", "e"}));
    EXPECT_EQ(Split("\"unterminated  rest"), (Args{"unterminated  rest"}));
    EXPECT_EQ(Split("c:\\dir\\file"), (Args{"c:\\dir\\file"}));
    EXPECT_TRUE(Split("   ").empty());
}

} // namespace
