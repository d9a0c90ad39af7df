#include <gtest/gtest.h>

#include <string>

#include "phones/TextConversion.h"

namespace {

TEST(TextConversion, WideningMakesEachByteTheCharacterOfTheSameValue) {
    std::string bytes;
    for (int c = 1; c < 256; ++c) {
        bytes.push_back(static_cast<char>(c));
    }
    const std::wstring wide = WidenText(bytes);
    ASSERT_EQ(wide.size(), bytes.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        EXPECT_EQ(static_cast<int>(wide[i]), static_cast<int>(i) + 1);
    }
}

TEST(TextConversion, NarrowingKeepsAsciiAndWritesUnderscoreForEverythingElse) {
    EXPECT_EQ(NarrowText(L"SonyEricsson W910i"), "SonyEricsson W910i");
    EXPECT_EQ(NarrowText(L"Caf\u00E9 \u20AC\U0001F4F1\u007F\u0080"), "Caf_ __\x7F_");
    EXPECT_EQ(NarrowText(std::wstring(1, static_cast<wchar_t>(-1))), "_");
    EXPECT_EQ(NarrowText(L""), "");
}

TEST(TextConversion, OnlyAsciiComesBackUnchanged) {
    EXPECT_EQ(NarrowText(WidenText("Motorola RAZR V3m")), "Motorola RAZR V3m");
    EXPECT_EQ(NarrowText(WidenText("Caf\xE9")), "Caf_");
}

} // namespace
