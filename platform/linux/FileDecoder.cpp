#include "platform/linux/FileDecoder.h"

#include "platform/SourceCheck.h"

#include <dlfcn.h>
#include <limits.h>
#include <new>
#include <unistd.h>

namespace {

// The module beside the running program, or where the build put it (tests run from elsewhere).
void* LoadModule() {
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length > 0) {
        std::string beside(self, static_cast<size_t>(length));
        beside = beside.substr(0, beside.rfind('/') + 1) + twDecoderModuleFile;
        if (void* module = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            return module;
        }
    }
    return dlopen(TW_DECODER_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
}

// Loaded once, by the first thread that asks (a static's initialisation), and never unloaded.
const TwDecoderApi* ModuleApi() {
    static const TwDecoderApi* api = []() -> const TwDecoderApi* {
        void* module = LoadModule();
        if (module == nullptr) {
            return nullptr;
        }
        auto entry = reinterpret_cast<const TwDecoderApi* (*)()>(dlsym(module, twDecoderApiSymbol));
        return entry != nullptr ? entry() : nullptr;
    }();
    return api;
}

} // namespace

SourceCheck CheckSource(const std::string& path) {
    SourceCheck check;
    const TwDecoderApi* api = ModuleApi();
    if (api == nullptr) {
        check.result = SourceCheck::Result::NoDecoder;
        return check;
    }
    TwSourceCheck found{};
    api->check(path.c_str(), &found);
    check.result = static_cast<SourceCheck::Result>(found.result);
    check.kind = static_cast<AudioFileType>(found.kind);
    check.stream = found.stream;
    return check;
}

std::unique_ptr<FileDecoder> FileDecoder::Open(const std::string& path, int outputRate) {
    const TwDecoderApi* api = ModuleApi();
    if (api == nullptr) {
        return nullptr;
    }
    void* decoder = api->open(path.c_str(), outputRate);
    if (decoder == nullptr) {
        return nullptr;
    }
    std::unique_ptr<FileDecoder> file(new (std::nothrow) FileDecoder(api, decoder));
    if (!file) {
        api->close(decoder);
    }
    return file;
}

FileDecoder::~FileDecoder() {
    api->close(decoder);
}

size_t FileDecoder::Read(float* frames, size_t maxFrames) {
    return api->read(decoder, frames, maxFrames);
}

bool FileDecoder::Rewind() {
    return api->rewind(decoder);
}
