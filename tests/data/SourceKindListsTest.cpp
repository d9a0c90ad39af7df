// The lists of source kinds outside the code, the desktop entry's MimeType, the help's
// "Picking and hearing a file" and the README, are the table's. The picker's filters are
// WindowInputTest's, as the browse dialog gets them.
#include "FileContents.h"
#include "ToolkitReaders.h"
#include "media/SourceKinds.h"

#include <gtest/gtest.h>

#include <regex>

TEST(SourceKindLists, theDesktopEntryTheHelpAndTheReadmeListTheTablesKinds) {
    std::smatch mime;
    const std::string desktop =
        twtest::Contents(TW_SOURCE_DIR "/data/desktop/org.tonewick.tonewick.desktop");
    ASSERT_TRUE(std::regex_search(desktop, mime, std::regex("\nMimeType=([^\n]*)")));
    EXPECT_EQ(mime[1].str(), SourceMimeTypes());

    const std::map<std::string, std::string> book = twtest::ZipEntries("twk.htb");
    ASSERT_EQ(book.count("pick.html"), 1u);
    const std::string& page = book.at("pick.html");
    std::string rows;
    const std::regex row("<tr><td><b>([^<]*)</b> \\(([^)]*)\\)</td>");
    for (std::sregex_iterator at(page.begin(), page.end(), row), end; at != end; ++at) {
        rows += (rows.empty() ? "" : ", ") + (*at)[1].str() + " (" + (*at)[2].str() + ")";
    }
    // The sentence's last kind follows " and ".
    const std::string kinds = SourceKindsSentence();
    EXPECT_EQ(rows, std::regex_replace(kinds, std::regex(" and ([^,]*)$"), ", $1"));

    const std::string readme = twtest::Contents(TW_SOURCE_DIR "/README.md");
    EXPECT_NE(std::regex_replace(readme, std::regex("\\s+"), " ")
                  .find("Tonewick opens these kinds of files: " + kinds + "."),
              std::string::npos);
}
