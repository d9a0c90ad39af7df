// "tonewick-cli phones": the vendor list, a vendor's models and a model's formats, as steps 1
// and 2 of the send panel give them, over the built-in catalogue.
#include "app/cli/PhonesCommand.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(PhonesCommand, ListsVendorsModelsAndTheFormatsAModelEnables) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string outStart; // what the output begins with; all of it when it is one line
        std::string errStart;
    };
    const Case cases[] = {
        {{}, 0, "Any phone\nAlcatel\nApple\nASUS\n", ""},
        {{"Any phone"}, 0, "Android phone\niPhone\n", ""},
        {{"Fairphone"}, 0, "3\n3+\n4\n5\n", ""},
        {{"Google", "Pixel 7a"}, 0, "WAV MP3 AAC M4A\n", ""},
        {{"Apple", "iPhone 13 mini"}, 0, "M4A\n", ""},
        {{"Any phone", "iPhone"}, 0, "M4A\n", ""},
        {{"SonyEricsson", "K750i"}, 0, "WAV MP3 AAC\n", ""},
        {{"Nokla"}, 1, "", "tonewick-cli phones: no vendor 'Nokla' in the catalogue"},
        {{"Nokia", "Galaxy S23"}, 1, "", "tonewick-cli phones: no model 'Galaxy S23' of Nokia"},
        // Through the controls' conversion "\u00e9" becomes "_", which no name holds.
        {{"Apple", "iPhone 13 mini\u00e9"}, 1, "", "tonewick-cli phones: no model"},
        {{"Apple", "iPhone 13", "M4A"}, 2, "", "tonewick-cli phones: unexpected argument 'M4A'"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunPhonesCommand(c.args, out, err), c.status) << testing::PrintToString(c.args);
        EXPECT_EQ(out.str().substr(0, c.outStart.size()), c.outStart)
            << testing::PrintToString(c.args);
        EXPECT_EQ(err.str().substr(0, c.errStart.size()), c.errStart)
            << testing::PrintToString(c.args);
        EXPECT_EQ(out.str().empty(), c.outStart.empty()) << testing::PrintToString(c.args);
        EXPECT_EQ(err.str().empty(), c.errStart.empty()) << testing::PrintToString(c.args);
    }
}
