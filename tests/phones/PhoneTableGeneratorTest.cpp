#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "phones/PhoneCatalogue.h"
#include "phones/tool/PhoneTableGenerator.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// 1748 well-formed lines: vendors "V0".."V17" of 100 records each, every model its own.
std::vector<std::string> ValidLines() {
    std::vector<std::string> lines;
    lines.reserve(PhoneTableSize);
    for (int k = 0; k < PhoneTableSize; ++k) {
        lines.push_back("V" + std::to_string(k / 100) + "\tM" + std::to_string(k) + "\tWAV|MIDI");
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

std::string ErrorFor(const std::vector<std::string>& lines) {
    PhoneTableGenerator generator;
    EXPECT_FALSE(generator.Read(Joined(lines), "data.tsv"));
    return generator.error;
}

TEST(PhoneTableGenerator, RoundTripThroughTheBuiltInTableGivesBackEveryRecordOfTheDataFile) {
    PhoneTableGenerator generator;
    ASSERT_TRUE(generator.Read(ReadFile(TW_PHONE_DATA), TW_PHONE_DATA)) << generator.error;
    ASSERT_EQ(generator.records.size(), static_cast<size_t>(PhoneTableSize));

    // The built-in table went through the generator at build time; the catalogue undoes it.
    const PhoneCatalogue catalogue;
    for (int k = 0; k < PhoneTableSize; ++k) {
        const PlainPhoneRecord& plain = generator.records[k];
        ASSERT_STREQ(catalogue.records[k].vendor.get(), plain.vendor.c_str()) << "record " << k;
        ASSERT_STREQ(catalogue.records[k].model.get(), plain.model.c_str()) << "record " << k;
        ASSERT_STREQ(catalogue.records[k].formats.get(), plain.formats.c_str()) << "record " << k;
    }
}

TEST(PhoneTableGenerator, StoredTableIsNotPlainText) {
    PhoneTableGenerator generator;
    ASSERT_TRUE(generator.Read(ReadFile(TW_PHONE_DATA), TW_PHONE_DATA));
    const std::string source = generator.StoredSource();
    EXPECT_EQ(source.find("Nokia"), std::string::npos);
    EXPECT_EQ(source.find("|MP3"), std::string::npos);
    // "Any phone", "Android phone", index 0: shift 1 in every class.
    EXPECT_NE(source.find("{\"Zmx ognmd\", \"Zmcqnhc ognmd\", \"VZU|LO2|ZZB|L3Z\"}"),
              std::string::npos);
}

TEST(PhoneTableGenerator, RefusesAWrongRecordCountNamingTheLine) {
    std::vector<std::string> lines = ValidLines();
    lines.pop_back();
    EXPECT_EQ(ErrorFor(lines),
              "data.tsv:1748: the data ends after 1747 records; the catalogue holds exactly 1748");

    lines = ValidLines();
    lines.push_back("V17\tM9999\tWAV");
    EXPECT_EQ(ErrorFor(lines),
              "data.tsv:1749: more than 1748 records; the catalogue holds exactly that many");

    EXPECT_EQ(ErrorFor({}),
              "data.tsv:1: the data ends after 0 records; the catalogue holds exactly 1748");
}

TEST(PhoneTableGenerator, RefusesAVendorWhoseRecordsAreNotTogether) {
    std::vector<std::string> lines = ValidLines();
    lines[250] = "V1\tM250\tWAV"; // inside V2's run, after V1's ended at line 200
    EXPECT_EQ(ErrorFor(lines), "data.tsv:251: the records of vendor \"V1\" must be together, "
                               "but it already had records from line 101");
}

TEST(PhoneTableGenerator, RefusesAModelWhoseRecordsAreNotTogether) {
    std::vector<std::string> lines = ValidLines();
    lines[12] = "V0\tM10\tMP3"; // M10 is line 11; M11 comes between
    EXPECT_EQ(ErrorFor(lines), "data.tsv:13: the records of model \"M10\" of vendor \"V0\" must "
                               "be together, but it already had records from line 11");
}

TEST(PhoneTableGenerator, AcceptsAModelWithSeveralRecordsAndOneNameUnderTwoVendors) {
    std::vector<std::string> lines = ValidLines();
    lines[11] = "V0\tM10\tMP3";  // a second record of M10, right after the first
    lines[100] = "V1\tM99\tWAV"; // V0's last model name again, as V1's first
    PhoneTableGenerator generator;
    EXPECT_TRUE(generator.Read(Joined(lines), "data.tsv")) << generator.error;
}

TEST(PhoneTableGenerator, RefusesMalformedLinesNamingTheLine) {
    struct Case {
        std::string line;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"V0\tM5", "data.tsv:6: expected 3 tab-separated fields (vendor, model, formats), found 2"},
        {"", "data.tsv:6: expected 3 tab-separated fields (vendor, model, formats), found 1"},
        {"V0\tM5\tWAV\tMP3",
         "data.tsv:6: expected 3 tab-separated fields (vendor, model, formats), found 4"},
        {"\tM5\tWAV", "data.tsv:6: empty vendor"},
        {"V0\t\tWAV", "data.tsv:6: empty model"},
        {"V0\tM\x01"
         "5\tWAV",
         "data.tsv:6: control character 0x01 in model \"M\x01"
         "5\""},
        {"V0\tM5\tWAV\r", "data.tsv:6: byte 0x0D in the format list; it may hold only letters, "
                          "digits and \"|\""},
        {"V0\tM5\tWAV, MP3", "data.tsv:6: byte 0x2C in the format list; it may hold only "
                             "letters, digits and \"|\""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = ValidLines();
        lines[5] = c.line;
        EXPECT_EQ(ErrorFor(lines), c.error);
    }
}

TEST(PhoneTableGenerator, StoredSourceEscapesQuotesBackslashesAndHighBytes) {
    std::vector<std::string> lines = ValidLines();
    lines[0] = "V0\t\"Q\\?\xE9\tWAV"; // model: quote, Q, backslash, "?", byte 0xE9
    PhoneTableGenerator generator;
    ASSERT_TRUE(generator.Read(Joined(lines), "data.tsv")) << generator.error;
    // Q is scrambled with index 0 to P; the other four bytes are outside the cipher's classes.
    EXPECT_NE(generator.StoredSource().find("{\"U9\", \"\\042P\\134\\077\\351\", \"VZU\"}"),
              std::string::npos);
}

// The build runs the tool itself: bad data must fail it with the line and leave no output.
TEST(PhoneTableGenerator, ToolFailsOnBadDataWithTheLineAndWritesNothing) {
    const twtest::TempDir dir;
    std::vector<std::string> lines = ValidLines();
    lines[2] = "V0\tM2";
    std::ofstream(dir.File("bad.tsv"), std::ios::binary) << Joined(lines);

    const std::string output = dir.File("PhoneTable.cpp");
    const std::string command =
        std::string(TW_PHONE_TABLE_GEN) + " " + dir.File("bad.tsv") + " " + output + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string message;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        message += buffer;
    }
    const int status = pclose(pipe);

    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(message, dir.File("bad.tsv") + ":3: expected 3 tab-separated fields (vendor, "
                                             "model, formats), found 2\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST(PhoneTableGenerator, ToolWritesTheStoredSourceOfGoodData) {
    const twtest::TempDir dir;
    std::ofstream(dir.File("good.tsv"), std::ios::binary) << Joined(ValidLines());
    const std::string output = dir.File("PhoneTable.cpp");
    const std::string command =
        std::string(TW_PHONE_TABLE_GEN) + " " + dir.File("good.tsv") + " " + output;
    ASSERT_EQ(std::system(command.c_str()), 0);

    PhoneTableGenerator generator;
    ASSERT_TRUE(generator.Read(Joined(ValidLines()), "good.tsv"));
    EXPECT_EQ(ReadFile(output), generator.StoredSource());
}

} // namespace
