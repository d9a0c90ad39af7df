// Makes the bad media corpus in the folder it is given: a build step, so that the corpus is
// made once per build rather than by every test process.
#include "BadMedia.h"

int main(int argc, char** argv) {
    return argc == 2 && twtest::MakeBadMedia(argv[1]) ? 0 : 1;
}
