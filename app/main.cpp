// The program's entry point: the toolkit runs twApp.
#include "app/twApp.h"

wxIMPLEMENT_APP(twApp);
