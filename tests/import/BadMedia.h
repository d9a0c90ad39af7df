// The media that users' music folders hold besides good songs, made by the tests with
// Debian's ffmpeg and by hand, and what importing each must end in.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace twtest {

struct BadMedia {
    // The file's name inside the corpus folder; a test's name is made from `label`.
    std::string label;
    std::string file;
    // Whole seconds of the working file after the import, or 0 when the import must fail.
    int seconds;
    // The failure's reason, as the message and the command-line tool begin it.
    std::string reason;
};

// Makes every file of BadMediaCases() in the folder; false when ffmpeg fails to make one.
bool MakeBadMedia(const std::string& folder);

const std::vector<BadMedia>& BadMediaCases();

// What GoogleTest prints for a case: its label.
void PrintTo(const BadMedia& media, std::ostream* out);

// "label" made fit for a test's name.
std::string BadMediaName(const BadMedia& media);

} // namespace twtest
