// The display that ctest assigned to this test from the pool that scripts/test starts, made the
// process's DISPLAY before anything connects to X. ctest names it in the environment as
// CTEST_RESOURCE_GROUP_0_DISPLAY="id:93,slots:1", the id being the display's number; without
// it (ctest run without the pool's resource file), DISPLAY stays as it is.
#pragma once

#include <cstdlib>
#include <string>

namespace twtest {

inline void UseAssignedDisplay() {
    const char* assigned = std::getenv("CTEST_RESOURCE_GROUP_0_DISPLAY");
    const std::string text = assigned != nullptr ? assigned : "";
    if (!text.starts_with("id:")) {
        return;
    }
    const std::string number = text.substr(3, text.find(',') - 3);
    setenv("DISPLAY", (":" + number).c_str(), 1);
}

} // namespace twtest
