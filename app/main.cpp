// The program's entry point: the toolkit runs twApp. The command line's bytes are kept as they
// came: the toolkit decodes them by the locale, which need not be UTF-8, and a file name is
// bytes.
#include "app/twApp.h"

#include <cstring>
#include <iostream>

wxIMPLEMENT_APP_NO_MAIN(twApp);

int main(int argc, char** argv) {
    // Answered before the toolkit starts: it needs no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "tonewick " TW_VERSION "\n";
        return 0;
    }
    twApp::rawArguments.assign(argv, argv + argc);
    return wxEntry(argc, argv);
}
