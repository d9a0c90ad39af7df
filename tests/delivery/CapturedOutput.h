// A C stream whose text the test reads back: the finders' diagnostic lines go here instead of
// standard output.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace twtest {

class CapturedOutput {
public:
    CapturedOutput() : stream(open_memstream(&data, &size)) {}
    ~CapturedOutput() {
        std::fclose(stream);
        std::free(data);
    }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    std::FILE* Stream() const { return stream; }
    std::string Text() const {
        std::fflush(stream);
        return std::string(data, size);
    }

private:
    char* data = nullptr;
    size_t size = 0;
    std::FILE* stream;
};

} // namespace twtest
