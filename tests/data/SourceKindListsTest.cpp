// The kinds of source files as the user meets them outside the program's code: the picker's
// filters, and the desktop entry, the help's "Picking and hearing a file" page and the README,
// which must list exactly the table's kinds.
#include "FileContents.h"
#include "ZipArchive.h"
#include "media/SourceKinds.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

// The text with every run of white space made one space.
std::string OneLine(const std::string& text) {
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

} // namespace

TEST(SourceKindLists, thePickerOffersAllKindsAtOnceThenEachKindThenAllFiles) {
    const std::string wildcard = SourceWildcard();
    EXPECT_EQ(wildcard.rfind("All sound and video files|*.wav;*.mp3;*.aac;*.mp4;*.m4a;*.flac;", 0),
              0u);
    EXPECT_NE(wildcard.find("|WAV files (wav)|*.wav|MP3 files (mp3)|*.mp3|"), std::string::npos);
    EXPECT_NE(wildcard.find("|3GP and AMR files (3gp, amr)|*.3gp;*.amr|"), std::string::npos);
    EXPECT_EQ(wildcard.substr(wildcard.size() - 12), "|All files|*");
    EXPECT_EQ(std::count(wildcard.begin(), wildcard.end(), '|'),
              2 * (SourceKinds().size() + 2) - 1);
}

TEST(SourceKindLists, theDesktopEntryTheHelpAndTheReadmeListTheTablesKinds) {
    std::smatch mime;
    const std::string desktop = twtest::Contents(TW_SOURCE_DIR "/data/desktop/tonewick.desktop");
    ASSERT_TRUE(std::regex_search(desktop, mime, std::regex("\nMimeType=([^\n]*)")));
    EXPECT_EQ(mime[1].str(), SourceMimeTypes());

    twtest::ZipArchive book;
    std::string page;
    ASSERT_TRUE(book.Open("twk.htb") && book.Read("pick.html", page));
    std::string rows;
    std::string kinds;
    const std::regex row("<tr><td><b>([^<]*)</b> \\(([^)]*)\\)</td>");
    for (auto found = std::sregex_iterator(page.begin(), page.end(), row);
         found != std::sregex_iterator(); ++found) {
        rows += (*found)[1].str() + " (" + (*found)[2].str() + ") ";
    }
    for (const SourceKind& kind : SourceKinds()) {
        kinds += kind.name + " (";
        for (const std::string& extension : kind.extensions) {
            kinds += "." + extension + (&extension == &kind.extensions.back() ? ") " : ", ");
        }
    }
    EXPECT_EQ(rows, kinds);

    EXPECT_NE(OneLine(twtest::Contents(TW_SOURCE_DIR "/README.md"))
                  .find("Tonewick opens these kinds of files: " + SourceKindsSentence() + "."),
              std::string::npos);
}
