#include <gtest/gtest.h>

#include <set>
#include <string>

#include "phones/PhoneCatalogue.h"
#include "phones/PhoneCipher.h"

namespace {

struct CipherClass {
    unsigned char first;
    unsigned char last;
    int period;
};

constexpr CipherClass digitClass{'0', '9', 7};
constexpr CipherClass upperClass{'A', 'Z', 12};
constexpr CipherClass lowerClass{'a', 'z', 11};

bool InAnyClass(int c) {
    for (const CipherClass& charClass : {digitClass, upperClass, lowerClass}) {
        if (c >= charClass.first && c <= charClass.last) {
            return true;
        }
    }
    return false;
}

std::string Unscrambled(int recordIndex, std::string text) {
    PhoneCatalogue::Unscramble(recordIndex, text.data());
    return text;
}

TEST(PhoneCipher, UnscrambleIsAPermutationOfEachClassForEveryShift) {
    for (const CipherClass& charClass : {digitClass, upperClass, lowerClass}) {
        // Indices 0 to period - 1 give every shift, 1 to period.
        for (int recordIndex = 0; recordIndex < charClass.period; ++recordIndex) {
            std::set<int> images;
            for (int c = charClass.first; c <= charClass.last; ++c) {
                const int image = PhoneCipher::UnscrambleByte(recordIndex, c);
                EXPECT_GE(image, charClass.first) << "byte " << c << " index " << recordIndex;
                EXPECT_LE(image, charClass.last) << "byte " << c << " index " << recordIndex;
                EXPECT_NE(image, c) << "index " << recordIndex;
                images.insert(image);
            }
            EXPECT_EQ(images.size(), charClass.last - charClass.first + 1u)
                << "index " << recordIndex;
        }
    }
}

TEST(PhoneCipher, StoredNineWithShiftOneBecomesZero) {
    EXPECT_EQ(PhoneCipher::UnscrambleByte(0, '9'), '0');
    EXPECT_EQ(PhoneCipher::UnscrambleByte(7, '9'), '0');
    EXPECT_EQ(PhoneCipher::UnscrambleByte(0, '3'), '4');
}

TEST(PhoneCipher, StoredZReachesAOnlyThroughTheWrapAt255) {
    EXPECT_EQ(PhoneCipher::UnscrambleByte(0, 'Z'), 'A');
    EXPECT_EQ(PhoneCipher::UnscrambleByte(0, 'z'), 'a');
    // Shift 2: the even bytes up to 254, the wrap by 255 to 1, then the odd bytes up to 65.
    // Rotating inside the class would give "B", and so would a wrap by 256.
    EXPECT_EQ(PhoneCipher::UnscrambleByte(1, 'Z'), 'A');
}

TEST(PhoneCipher, InsideItsClassACharacterMovesForwardByTheIndexShift) {
    EXPECT_EQ(PhoneCipher::UnscrambleByte(2, '3'), '6');  // digits: 2 mod 7 + 1
    EXPECT_EQ(PhoneCipher::UnscrambleByte(13, 'A'), 'C'); // upper case: 13 mod 12 + 1
    EXPECT_EQ(PhoneCipher::UnscrambleByte(10, 'a'), 'l'); // lower case: 10 mod 11 + 1
}

TEST(PhoneCipher, Index0And924UseShiftOneInEveryClass) {
    for (int c = 1; c < 256; ++c) {
        if (InAnyClass(c) && c != '9' && c != 'Z' && c != 'z') {
            EXPECT_EQ(PhoneCipher::UnscrambleByte(0, c), c + 1) << "byte " << c;
            EXPECT_EQ(PhoneCipher::UnscrambleByte(924, c), c + 1) << "byte " << c;
        }
    }
    EXPECT_EQ(Unscrambled(924, "Zy9"), "Az0");
}

TEST(PhoneCipher, CharactersOutsideTheClassesAreUntouched) {
    for (int recordIndex = 0; recordIndex < 12; ++recordIndex) {
        for (int c = 0; c < 256; ++c) {
            if (!InAnyClass(c)) {
                EXPECT_EQ(PhoneCipher::UnscrambleByte(recordIndex, c), c) << "byte " << c;
            }
        }
    }
    const std::string stored = "Zbdq|D090 -_.\xE9\xFF";
    const std::string plain = Unscrambled(0, stored);
    EXPECT_EQ(plain, "Acer|E101 -_.\xE9\xFF");
}

TEST(PhoneCipher, ScrambleIsTheInverseForEveryIndexAndByte) {
    for (int recordIndex = 0; recordIndex < PhoneTableSize; ++recordIndex) {
        std::string all;
        for (int c = 1; c < 256; ++c) {
            all.push_back(static_cast<char>(c));
        }
        std::string stored = all;
        PhoneCipher::Scramble(recordIndex, stored.data());
        ASSERT_EQ(Unscrambled(recordIndex, stored), all) << "index " << recordIndex;
    }
}

} // namespace
