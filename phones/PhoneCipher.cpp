#include "phones/PhoneCipher.h"

#include <array>

namespace {

// A class of bytes that the cipher moves, and the period of its shift over record indices.
struct CharClass {
    int first;
    int last;
    int period;
};

// Digits, upper-case letters, lower-case letters.
constexpr std::array<CharClass, 3> charClasses{{{'0', '9', 7}, {'A', 'Z', 12}, {'a', 'z', 11}}};

const CharClass* ClassOf(int c) {
    for (const CharClass& charClass : charClasses) {
        if (c >= charClass.first && c <= charClass.last) {
            return &charClass;
        }
    }
    return nullptr;
}

// 1 to period; the double modulo keeps a negative index from giving a shift of zero or less,
// which would never leave the starting byte.
int ShiftFor(int recordIndex, int period) {
    return (recordIndex % period + period) % period + 1;
}

} // namespace

unsigned char PhoneCipher::UnscrambleByte(int recordIndex, unsigned char c) {
    const CharClass* charClass = ClassOf(c);
    if (charClass == nullptr) {
        return c;
    }
    const int shift = ShiftFor(recordIndex, charClass->period);
    // Steps through the whole byte range 1..255, wrapping by 255, until it lands in the class
    // again; the steps form a rotation, so this is a permutation of the class.
    int v = c;
    do {
        v += shift;
        if (v > 255) {
            v -= 255;
        }
    } while (v < charClass->first || v > charClass->last || v == c);
    return static_cast<unsigned char>(v);
}

void PhoneCipher::Unscramble(int recordIndex, char* text) {
    for (char* p = text; *p != '\0'; ++p) {
        *p = static_cast<char>(UnscrambleByte(recordIndex, static_cast<unsigned char>(*p)));
    }
}

void PhoneCipher::Scramble(int recordIndex, char* text) {
    for (char* p = text; *p != '\0'; ++p) {
        const auto plain = static_cast<unsigned char>(*p);
        const CharClass* charClass = ClassOf(plain);
        if (charClass == nullptr) {
            continue;
        }
        // Search the class for the one stored byte that unscrambles to this one.
        for (int stored = charClass->first; stored <= charClass->last; ++stored) {
            if (UnscrambleByte(recordIndex, static_cast<unsigned char>(stored)) == plain) {
                *p = static_cast<char>(stored);
                break;
            }
        }
    }
}
