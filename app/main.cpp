// The program's entry point: the toolkit runs twApp. The command line's bytes are kept as they
// came: the toolkit decodes them by the locale, which need not be UTF-8, and a file name is
// bytes.
#include "app/twApp.h"

wxIMPLEMENT_APP_NO_MAIN(twApp);

int main(int argc, char** argv) {
    twApp::rawArguments.assign(argv, argv + argc);
    return wxEntry(argc, argv);
}
