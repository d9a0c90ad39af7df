// "tonewick-cli phones" over the built-in catalogue: the lists of steps 1 and 2 of the send
// panel, and what it says of names it doesn't know.
#include "app/cli/PhonesCommand.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(PhonesCommand, ListsVendorsModelsAndTheFormatsAModelEnables) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string outStart; // empty: no output at all
        std::string errStart;
    } cases[] = {
        {{}, 0, "Any phone\nAlcatel\nApple\nASUS\n", ""},
        {{"Any phone"}, 0, "Android phone\niPhone\n", ""},
        {{"Google", "Pixel 7a"}, 0, "WAV MP3 AAC M4A\n", ""},
        {{"Nokla"}, 1, "", "tonewick-cli phones: no vendor 'Nokla' in the catalogue"},
        {{"Nokia", "Galaxy S23"}, 1, "", "tonewick-cli phones: no model 'Galaxy S23' of Nokia"},
        // The controls' conversion makes "\u00e9" a "_", which no name holds.
        {{"Apple", "iPhone 13 mini\u00e9"}, 1, "", "tonewick-cli phones: no model"},
        {{"Apple", "iPhone 13", "M4A"}, 2, "", "tonewick-cli phones: unexpected argument 'M4A'"},
    };
    auto begins = [](const std::string& text, const std::string& start) {
        return start.empty() ? text.empty() : text.starts_with(start);
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunPhonesCommand(c.args, out, err), c.status) << testing::PrintToString(c.args);
        EXPECT_TRUE(begins(out.str(), c.outStart)) << out.str();
        EXPECT_TRUE(begins(err.str(), c.errStart)) << err.str();
    }
}
