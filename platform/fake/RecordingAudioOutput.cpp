#include "platform/fake/RecordingAudioOutput.h"

#include <sstream>

RecordingAudioOutput::RecordingAudioOutput() : calls(std::make_shared<CallLog>()) {}

bool RecordingAudioOutput::Record(const std::string& call) {
    calls->push_back(call);
    return callsSucceed;
}

uint32_t RecordingAudioOutput::NewHandle(const std::string& call) {
    return Record(call) ? ++lastHandle : 0;
}

bool RecordingAudioOutput::Init(int device, uint32_t frequency) {
    calls->push_back("Init(" + std::to_string(device) + "," + std::to_string(frequency) + ")");
    return initSucceeds;
}

uint32_t RecordingAudioOutput::CreateFileStream(AudioFileType type, const std::string& path) {
    const SourceKind* kind = FindSourceKind(type);
    return NewHandle("CreateFileStream(" + (kind != nullptr ? kind->name : std::string("?")) + "," +
                     path + ")");
}

uint32_t RecordingAudioOutput::CreateProcedureStream(uint32_t frequency, uint32_t channels,
                                                     AudioStreamProc proc, void* user) {
    std::ostringstream call;
    call << "CreateProcedureStream(" << frequency << "," << channels << ","
         << (proc != nullptr ? "proc" : "null") << "," << user << ")";
    return NewHandle(call.str());
}

bool RecordingAudioOutput::Play(uint32_t stream, bool restart) {
    return Record("Play(" + std::to_string(stream) + (restart ? ",restart)" : ",resume)"));
}

bool RecordingAudioOutput::Pause(uint32_t stream) {
    return Record("Pause(" + std::to_string(stream) + ")");
}

bool RecordingAudioOutput::Stop(uint32_t stream) {
    return Record("Stop(" + std::to_string(stream) + ")");
}

bool RecordingAudioOutput::FreeStream(uint32_t stream) {
    return Record("FreeStream(" + std::to_string(stream) + ")");
}

bool RecordingAudioOutput::SetVolume(uint32_t stream, float volume) {
    std::ostringstream call;
    call << "SetVolume(" << stream << "," << volume << ")";
    return Record(call.str());
}

bool RecordingAudioOutput::SetPhoneLoudness(uint32_t stream, float gain) {
    std::ostringstream call;
    call << "SetPhoneLoudness(" << stream << "," << gain << ")";
    return Record(call.str());
}

uint32_t RecordingAudioOutput::AddEffect(uint32_t stream, AudioEffectKind kind, int priority) {
    return NewHandle("AddEffect(" + std::to_string(stream) + "," +
                     std::to_string(static_cast<uint32_t>(kind)) + "," + std::to_string(priority) +
                     ")");
}

bool RecordingAudioOutput::RemoveEffect(uint32_t stream, uint32_t effect) {
    return Record("RemoveEffect(" + std::to_string(stream) + "," + std::to_string(effect) + ")");
}

bool RecordingAudioOutput::Free() {
    return Record("Free()");
}
