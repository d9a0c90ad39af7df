// What the desktop and the user learn of the release: the version wherever it is shown (both
// programs' --version, the help's about page, the metainfo's releases) is the one the build
// was configured with, and the metainfo passes AppStream's validator and agrees with the menu
// entry. Runs in build/run, beside the programs the build made.
#include "FileContents.h"
#include "ZipArchive.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::string kVersion = TW_VERSION;
const std::string kMetainfo = TW_BUILD_DIR "/desktop/org.tonewick.tonewick.metainfo.xml";

// What the command prints on standard output and standard error, and its exit status.
std::pair<std::string, int> Output(const std::string& command) {
    std::string text;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return {text, -1};
    }
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        text += buffer;
    }
    const int status = pclose(pipe);
    return {text, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// Every text between `open` and the next `close`, in order.
std::vector<std::string> Between(const std::string& text, const std::string& open,
                                 const std::string& close) {
    std::vector<std::string> found;
    for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
        at += open.size();
        found.push_back(text.substr(at, text.find(close, at) - at));
    }
    return found;
}

} // namespace

TEST(Release, everyPlaceThatShowsTheVersionShowsTheBuildsOne) {
    std::string about;
    twtest::ZipArchive book;
    ASSERT_TRUE(book.Open("twk.htb"));
    ASSERT_TRUE(book.Read("about.html", about));
    const std::string metainfo = twtest::Contents(kMetainfo);
    struct Place {
        const char* where;
        std::string text;
        std::string shows;
    };
    const Place places[] = {
        {"tonewick --version", Output(TW_BUILD_DIR "/tonewick --version").first,
         "tonewick " + kVersion + "\n"},
        {"tonewick-cli --version", Output(TW_BUILD_DIR "/tonewick-cli --version").first,
         "tonewick-cli " + kVersion + "\n"},
        {"the about page", about,
         "<b>Tonewick " + kVersion + "</b>, released on " TW_RELEASE_DATE "."},
        {"the metainfo's newest release", Between(metainfo, "<release ", ">").at(0),
         "version=\"" + kVersion + "\" date=\"" TW_RELEASE_DATE "\""},
    };
    for (const Place& place : places) {
        EXPECT_NE(place.text.find(place.shows), std::string::npos) << place.where << " shows:\n"
                                                                   << place.text;
    }
    EXPECT_EQ(places[0].text, places[0].shows) << "and nothing else";
    EXPECT_EQ(places[1].text, places[1].shows) << "and nothing else";
}

TEST(Metainfo, passesAppStreamsValidatorAndNamesTheMenuEntryAndWhatItOpens) {
    // The report lists every issue, down to the pedantic ones; a file without any gets none.
    const auto [report, status] =
        Output("appstreamcli validate --no-net --pedantic --format yaml " + kMetainfo);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(report, "");

    const std::string metainfo = twtest::Contents(kMetainfo);
    const std::string id = Between(metainfo, "<id>", "</id>").at(0);
    EXPECT_EQ(id, "org.tonewick.tonewick");
    EXPECT_EQ(Between(metainfo, "<launchable type=\"desktop-id\">", "<"),
              std::vector<std::string>{id + ".desktop"});
    const std::string entry = twtest::Contents(TW_SOURCE_DIR "/data/desktop/" + id + ".desktop");
    ASSERT_FALSE(entry.empty()) << "the menu entry is not named after the id";
    std::set<std::string> opens;
    std::istringstream types(Between(entry, "\nMimeType=", "\n").at(0));
    for (std::string type; std::getline(types, type, ';');) {
        opens.insert(type);
    }
    const std::vector<std::string> provided = Between(metainfo, "<mediatype>", "</mediatype>");
    EXPECT_EQ(std::set<std::string>(provided.begin(), provided.end()), opens);
    EXPECT_EQ(provided.size(), opens.size()) << "a type provided twice";
}
