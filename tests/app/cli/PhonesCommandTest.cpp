// "tonewick-cli phones": steps 1 and 2 of the send panel with a phone of each platform.
#include "app/cli/PhonesCommand.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(PhonesCommand, ListsVendorsModelsAndTheFormatsAModelEnables) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, err; // how the output and the message begin
    } cases[] = {
        {{}, 0, "Any phone\nAlcatel\n", ""},
        {{"Any phone"}, 0, "Android phone\niPhone\n", ""},
        {{"Google", "Pixel 7a"}, 0, "WAV MP3 AAC M4A\n", ""},
        {{"Any phone", "Android phone"}, 0, "WAV MP3 AAC M4A\n", ""},
        {{"Apple", "iPhone 13 mini"}, 0, "M4A\n", ""},
        {{"Any phone", "iPhone"}, 0, "M4A\n", ""},
        {{"SonyEricsson", "K750i"}, 0, "WAV MP3 AAC\n", ""},
        {{"Nokla"}, 1, "", "tonewick-cli phones: no vendor 'Nokla' in the catalogue"},
        {{"Nokia", "Galaxy S23"}, 1, "", "tonewick-cli phones: no model 'Galaxy S23' of Nokia"},
        {{"Apple", "iPhone 13 mini\u00e9"}, 1, "", "tonewick-cli phones: no model"}, // "_" there
        {{"Apple", "iPhone 13", "M4A"}, 2, "", "tonewick-cli phones: unexpected argument 'M4A'"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunPhonesCommand(c.args, out, err), c.status) << testing::PrintToString(c.args);
        EXPECT_EQ(out.str().substr(0, c.out.size()), c.out);
        EXPECT_EQ(err.str().substr(0, c.err.size()), c.err);
        EXPECT_TRUE(out.str().empty() || err.str().empty()) << "wrote to both";
    }
}
