// The converter's argument string and its splitting into an argument vector.
#include "import/ConverterArguments.h"

#include <gtest/gtest.h>

namespace {

using Args = std::vector<std::string>;

Args Split(const char* utf8) {
    return SplitArguments(wxString::FromUTF8(utf8));
}

TEST(ConverterArgumentsTest, BuildsTheImportCommandLineWithQuotedPaths) {
    EXPECT_EQ(
        BuildConverterArguments(wxS("/home/ann/My Song.mp3"), wxS("temp/current.wav")),
        wxS(" -i \"/home/ann/My Song.mp3\" -y -f wav -acodec pcm_s16le \"temp/current.wav\""));
}

TEST(ConverterArgumentsTest, EveryPathComesBackFromTheSplitUnchanged) {
    for (const char* path :
         {"/m/plain.mp3", "/m/with  two blanks .m4a", "/m/Grüße ☃.aac", "/m/say \"hi\".mp4",
          "/m/back\\slash\\\" mixed\\.wav", "/m/ends\\", "/m/\"", "/m/'single' $HOME `x`.mp3"}) {
        EXPECT_EQ(SplitArguments(
                      BuildConverterArguments(wxString::FromUTF8(path), wxS("temp/current.wav"))),
                  (Args{"-i", path, "-y", "-f", "wav", "-acodec", "pcm_s16le", "temp/current.wav"}))
            << path;
    }
}

TEST(ConverterArgumentsTest, NamesThatLookLikeProtocolsAreReadAsLocalFiles) {
    EXPECT_EQ(SplitArguments(BuildConverterArguments(wxS("concat:a.mp3|b.mp3"), wxS("-")))[1],
              "file:concat:a.mp3|b.mp3");
    EXPECT_EQ(SplitArguments(BuildConverterArguments(wxS("concat:a.mp3"), wxS("-"))).back(),
              "file:-");
    EXPECT_EQ(SplitArguments(BuildConverterArguments(wxS("/m/pipe:0"), wxS("out.wav")))[1],
              "/m/pipe:0");
}

TEST(ConverterArgumentsTest, SplitsOnBlanksOutsideQuotes) {
    EXPECT_EQ(Split("  one\ttwo   three "), (Args{"one", "two", "three"}));
    EXPECT_EQ(Split("a\"b c\"d \"\" e"), (Args{"ab cd", "", "e"}));
    EXPECT_EQ(Split("\"unterminated  rest"), (Args{"unterminated  rest"}));
    EXPECT_EQ(Split("c:\\dir\\file"), (Args{"c:\\dir\\file"}));
    EXPECT_TRUE(Split("   ").empty());
}

} // namespace
