// The rotation that hides the catalogue's text in the program file. Each digit, upper-case and
// lower-case letter moves forward within its class by a shift taken from the record's index;
// every other byte ("|", spaces, punctuation, bytes of 128 and above) is left alone, so a
// text's length and the shape of a format list survive.
//
// Kept apart from PhoneCatalogue so that the table generator, which runs before the catalogue
// library can be built, uses the very same code to produce the inverse.
#pragma once

class PhoneCipher {
public:
    // Turns stored text into plain text, in place. recordIndex is the record's position in the
    // table (0 to 1747); a negative index is taken modulo the class sizes like any other.
    static void Unscramble(int recordIndex, char* text);

    // The inverse of Unscramble for the same index: plain text into its one stored form.
    static void Scramble(int recordIndex, char* text);

    // Unscramble for a single byte.
    static unsigned char UnscrambleByte(int recordIndex, unsigned char c);
};
