// The help book as the help viewer opens it: twk.htb in build/run, a ZIP archive holding the
// project, its contents and index, every page they name, and every page's links and pictures.
#include "FileContents.h"
#include "ToolkitReaders.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The values that follow `key` up to the next double quote, in order of appearance.
std::vector<std::string> QuotedAfter(const std::string& text, const std::string& key) {
    std::vector<std::string> values;
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at)) {
        at += key.size();
        const size_t end = text.find('"', at);
        if (end == std::string::npos) {
            break;
        }
        values.push_back(text.substr(at, end - at));
    }
    return values;
}

// The value of a "Key=value" line of the project file, or empty.
std::string ProjectOption(const std::string& project, const std::string& key) {
    const size_t at = project.find("\n" + key + "=");
    if (at == std::string::npos) {
        return {};
    }
    const size_t begin = at + key.size() + 2;
    return project.substr(begin, project.find_first_of("\r\n", begin) - begin);
}

std::string WithoutAnchor(const std::string& target) {
    return target.substr(0, target.find('#'));
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class HelpBook : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Contains("twk.hhp")) << "no book, or no project in it"; }

    bool Contains(const std::string& name) const { return book.count(name) != 0; }
    std::string Entry(const std::string& name) {
        EXPECT_TRUE(Contains(name)) << name << " missing or damaged";
        return Contains(name) ? book.at(name) : "";
    }

    // Pages named by the contents or the index, without anchors.
    std::set<std::string> Topics(const std::string& file) {
        std::set<std::string> pages;
        for (const std::string& local :
             QuotedAfter(Entry(file), "<param name=\"Local\" value=\"")) {
            pages.insert(WithoutAnchor(local));
        }
        return pages;
    }

    const std::map<std::string, std::string> book = twtest::ZipEntries("twk.htb");
    const std::string project = Contains("twk.hhp") ? book.at("twk.hhp") : "";
};

TEST_F(HelpBook, ProjectNamesContentsIndexAndStartPageThatTheBookHolds) {
    EXPECT_EQ(ProjectOption(project, "Contents file"), "twk.hhc");
    EXPECT_EQ(ProjectOption(project, "Index file"), "twk.hhk");
    EXPECT_EQ(ProjectOption(project, "Title"), "Tonewick Help");
    const std::string start = ProjectOption(project, "Default topic");
    EXPECT_TRUE(Contains("twk.hhc"));
    EXPECT_TRUE(Contains("twk.hhk"));
    EXPECT_TRUE(Contains(start)) << start;
}

TEST_F(HelpBook, EveryPageTheContentsAndIndexNameIsInTheBook) {
    const std::set<std::string> contents = Topics("twk.hhc");
    EXPECT_GE(contents.size(), 15U);
    for (const std::string& page : contents) {
        EXPECT_FALSE(Entry(page).empty()) << page;
    }
    for (const std::string& page : Topics("twk.hhk")) {
        EXPECT_TRUE(Contains(page)) << page;
    }
}

TEST_F(HelpBook, EveryPageInTheBookCanBeFoundInTheContents) {
    const std::set<std::string> contents = Topics("twk.hhc");
    for (const auto& [name, bytes] : book) {
        if (EndsWith(name, ".html")) {
            EXPECT_EQ(contents.count(name), 1U) << name << " is not in the contents";
        }
    }
}

TEST_F(HelpBook, EveryLinkAndPictureOfEveryPageIsInTheBook) {
    for (const auto& [name, bytes] : book) {
        if (!EndsWith(name, ".html")) {
            continue;
        }
        for (const char* key : {"href=\"", "src=\""}) {
            for (const std::string& target : QuotedAfter(bytes, key)) {
                if (target.empty() || target[0] == '#') {
                    continue;
                }
                EXPECT_TRUE(Contains(WithoutAnchor(target))) << name << " -> " << target;
            }
        }
    }
}

TEST_F(HelpBook, PicturesInTheBookAreTheProgramsOwn) {
    int pictures = 0;
    for (const auto& [name, bytes] : book) {
        if (name.rfind("images/", 0) != 0) {
            continue;
        }
        EXPECT_EQ(bytes, twtest::Contents(name)) << name;
        ++pictures;
    }
    EXPECT_GT(pictures, 0);
}

TEST_F(HelpBook, CreditsNameThePhoneDataAndTheConverter) {
    const std::string credits = Entry("credits.html");
    EXPECT_NE(credits.find("Phone data: WURFL, 2010"), std::string::npos);
    EXPECT_NE(credits.find("2010-06-03"), std::string::npos);
    EXPECT_NE(credits.find("ffmpeg"), std::string::npos);
}

} // namespace
