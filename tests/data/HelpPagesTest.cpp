// What the help book's pages tell the user about the editor and the send panel, read from the
// packed book in build/run: each claim stands for something the program does (the first
// ringtone's length, the greyed formats, silence against the fixed cut end, the refusal of a
// song under a second, the red box drawn one second longer than heard), and the claims the
// program doesn't keep are gone.
#include "ToolkitReaders.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

// The page's text with every run of white space made one space, so that phrases can be found
// across the page's line breaks.
std::string PageText(const std::string& page) {
    const auto book = twtest::ZipEntries("twk.htb");
    EXPECT_EQ(book.count(page), 1U) << page;
    std::string text;
    for (char c : book.count(page) ? book.at(page) : "") {
        const bool space = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (!space) {
            text += c;
        } else if (!text.empty() && text.back() != ' ') {
            text += ' ';
        }
    }
    return text;
}

struct Claim {
    const char* page;
    const char* phrase;
    bool said; // false: a promise the program doesn't keep, which must be gone
};

} // namespace

TEST(HelpPages, sayWhatTheProgramDoesAndNothingElse) {
    const Claim claims[] = {
        {"index.html", "The first 44 seconds are chosen", true},
        {"trouble.html",
         "one line with its reason in the file <tt>~/.local/state/tonewick/tonewick.log</tt>",
         true},
        {"import.html", "the first 44 seconds chosen as the ringtone", true},
        {"import.html", "a song shorter than one second can't be used", true},
        {"range.html", "the ringtone is the first 44 seconds of the song", true},
        {"range.html", "a 30-second song gives a 29-second ringtone", true},
        {"range.html", "it reaches one second further than you hear", true},
        {"fades.html", "The fade-out's wedge is drawn one second later than you hear it", true},
        {"silence.html", "The red flag stays where it is, so the ringtone keeps its length", true},
        {"phone.html", "Formats the model does not support are greyed out and can't be chosen",
         true},
        {"trouble.html", "A song shorter than one second can't be used", true},
        {"editor.html", "the small ticks along the rulers mark every second", true},
        {"editor.html", "Home and End to the start and end of its ruler", true},
        {"keyboard.html", "On the ringtone's ruler (Cut) they move its start; with <b>Shift</b>",
         true},
        {"keyboard.html", "In the format group the arrow keys choose", true},
        {"keyboard.html", "opens this book; <b>Escape</b> closes it", true},
        {"effects.html", "The ringtone is made as you hear it", true},
        {"effects.html", "Home and End set it to 1 % and 100 %", true},
        {"range.html", "flags that meet leave no ringtone at all", true},
        {"effects.html", "at its original loudness", false},
        {"effects.html", "for listening only", false},
        {"index.html", "45 seconds are chosen", false},
        {"import.html", "first 45 seconds", false},
        {"import.html", "or the whole song", false},
        {"range.html", "the first 45 seconds", false},
        {"range.html", "Its pole stands on the last second", false},
        {"silence.html", "nothing is cut away", false},
    };
    for (const Claim& claim : claims) {
        const bool found = PageText(claim.page).find(claim.phrase) != std::string::npos;
        EXPECT_EQ(found, claim.said)
            << claim.page << (claim.said ? " should say: " : " still says: ") << claim.phrase;
    }
}
