// tw_phone_table_gen DATA.tsv OUTPUT.cpp: the build's step that turns the catalogue's plain
// data into the stored PhoneTable source. On bad data it prints one line naming the file and
// line, writes nothing and exits with 1, which fails the build.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "phones/tool/PhoneTableGenerator.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tw_phone_table_gen DATA.tsv OUTPUT.cpp\n";
        return 2;
    }
    const std::string dataPath = argv[1];
    const std::string outputPath = argv[2];

    std::ifstream data(dataPath, std::ios::binary);
    std::ostringstream text;
    text << data.rdbuf();
    if (!data) {
        std::cerr << dataPath << ": can't be read\n";
        return 1;
    }

    PhoneTableGenerator generator;
    if (!generator.Read(text.str(), dataPath)) {
        std::cerr << generator.error << '\n';
        return 1;
    }

    // Written beside the target and renamed over it, so an interrupted run never leaves a
    // half-written table for the next build to compile.
    const std::string partPath = outputPath + ".part";
    std::ofstream output(partPath, std::ios::binary | std::ios::trunc);
    output << generator.StoredSource();
    output.close();
    if (!output || std::rename(partPath.c_str(), outputPath.c_str()) != 0) {
        std::cerr << outputPath << ": can't be written\n";
        std::remove(partPath.c_str());
        return 1;
    }
    return 0;
}
