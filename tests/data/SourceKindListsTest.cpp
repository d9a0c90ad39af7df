// The lists of source kinds outside the code, the desktop entry's MimeType, the help's
// "Picking and hearing a file" and the README, are the table's; the picker offers all kinds at
// once first and all files last.
#include "FileContents.h"
#include "ToolkitReaders.h"
#include "media/SourceKinds.h"

#include <gtest/gtest.h>

#include <regex>

TEST(SourceKindLists, theDesktopEntryTheHelpTheReadmeAndThePickerListTheTablesKinds) {
    std::smatch mime;
    const std::string desktop =
        twtest::Contents(TW_SOURCE_DIR "/data/desktop/org.tonewick.tonewick.desktop");
    ASSERT_TRUE(std::regex_search(desktop, mime, std::regex("\nMimeType=([^\n]*)")));
    EXPECT_EQ(mime[1].str(), SourceMimeTypes());

    const std::map<std::string, std::string> book = twtest::ZipEntries("twk.htb");
    ASSERT_EQ(book.count("pick.html"), 1u);
    const std::string& page = book.at("pick.html");
    std::string rows, kinds;
    const std::regex row("<tr><td><b>([^<]*)</b> \\(([^)]*)\\)</td>");
    for (std::sregex_iterator at(page.begin(), page.end(), row), end; at != end; ++at) {
        rows += (*at)[1].str() + " (" + (*at)[2].str() + "), ";
    }
    for (const SourceKind& kind : SourceKinds()) {
        kinds += kind.name + " (." + kind.extensions[0];
        for (size_t i = 1; i < kind.extensions.size(); ++i) {
            kinds += ", ." + kind.extensions[i];
        }
        kinds += "), ";
    }
    EXPECT_EQ(rows, kinds);

    const std::string readme = twtest::Contents(TW_SOURCE_DIR "/README.md");
    EXPECT_NE(std::regex_replace(readme, std::regex("\\s+"), " ")
                  .find("Tonewick opens these kinds of files: " + SourceKindsSentence() + "."),
              std::string::npos);

    const std::string wildcard = SourceWildcard();
    EXPECT_EQ(wildcard.rfind("All sound and video files|*.wav;*.mp3;*.aac;*.mp4;*.m4a;*.flac;", 0),
              0u);
    EXPECT_NE(wildcard.find("|3GP and AMR files (3gp, amr)|*.3gp;*.amr|"), std::string::npos);
    EXPECT_EQ(wildcard.substr(wildcard.size() - 12), "|All files|*");
}
