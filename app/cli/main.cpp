// tonewick-cli: the program's work without its window, for users and scripts.
// Usage: tonewick-cli SUBCOMMAND [ARGUMENTS...]
#include "app/cli/DevicesCommand.h"
#include "app/cli/ImportCliCommand.h"
#include "app/cli/MakeCommand.h"
#include "app/cli/PhonesCommand.h"
#include "app/cli/RenderCommand.h"
#include "app/cli/SendCommand.h"
#include "app/cli/SuggestCommand.h"
#include "app/cli/WaveformCommand.h"
#include "media/SourceKinds.h"
#include "text/Translation.h"

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Subcommand {
    const char* name;
    std::string usage;
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

const Subcommand subcommands[] = {
    {"waveform", "waveform FILE.wav", RunWaveformCommand},
    {"import", "import SOURCE", RunImportCommand},
    {"render",
     "render WORKING.wav --cut START:END|auto[:N] [--silence S] [--fade-in S] [--fade-out S] -o "
     "OUT.wav",
     RunRenderCommand},
    {"make", MakeUsage(), RunMakeCommand},
    {"suggest", "suggest WORKING.wav [--seconds N]", RunSuggestCommand},
    {"send", SendUsage(), RunSendCommand},
    {"devices", "devices --bluetooth [--seconds N] | --infrared", RunDevicesCommand},
    {"phones", "phones [VENDOR [MODEL]]", RunPhonesCommand},
};

void PrintUsage(std::ostream& out) {
    out << "usage: tonewick-cli SUBCOMMAND [ARGUMENTS...]\n";
    for (const Subcommand& command : subcommands) {
        out << "  tonewick-cli " << command.usage << "\n";
    }
    out << "  tonewick-cli --version\n";
}

int Usage(std::ostream& err) {
    PrintUsage(err);
    return 2;
}

int Help(std::ostream& out) {
    PrintUsage(out);
    out << FillIn(Tr("SOURCE is a sound or video file of one of these kinds: %s."),
                  {SourceKindsSentence(Tr)})
        << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::error_code unknown;
    UseDesktopLanguage(std::filesystem::read_symlink("/proc/self/exe", unknown));
    if (argc < 2) {
        return Usage(std::cerr);
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        return Help(std::cout);
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "tonewick-cli " TW_VERSION "\n";
        return 0;
    }
    for (const Subcommand& command : subcommands) {
        if (std::strcmp(argv[1], command.name) == 0) {
            return command.run(std::vector<std::string>(argv + 2, argv + argc), std::cout,
                               std::cerr);
        }
    }
    std::cerr << "tonewick-cli: " << FillIn(Tr("unknown subcommand '%s'"), {argv[1]}) << "\n";
    return Usage(std::cerr);
}
