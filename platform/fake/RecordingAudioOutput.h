// A stand-in for the audio output layer that plays nothing: it writes one line per call into
// a log shared with the test (so the test can read it after the engine has destroyed the
// layer) and answers with handles from a counter, or with failure when told to.
#pragma once

#include "platform/AudioOutput.h"

#include <memory>
#include <string>
#include <vector>

class RecordingAudioOutput final : public AudioOutput {
public:
    using CallLog = std::vector<std::string>;

    RecordingAudioOutput();

    // Every call so far, in order, written like "Play(1,restart)".
    std::shared_ptr<CallLog> calls;
    // What Init answers.
    bool initSucceeds = true;
    // When false every other operation fails: handles are 0, results false.
    bool callsSucceed = true;

    bool Init(int device, uint32_t frequency) override;
    uint32_t CreateFileStream(AudioFileType type, const std::string& path) override;
    uint32_t CreateProcedureStream(uint32_t frequency, uint32_t channels, AudioStreamProc proc,
                                   void* user) override;
    bool Play(uint32_t stream, bool restart) override;
    bool Pause(uint32_t stream) override;
    bool Stop(uint32_t stream) override;
    bool FreeStream(uint32_t stream) override;
    bool SetVolume(uint32_t stream, float volume) override;
    bool SetPhoneLoudness(uint32_t stream, float gain) override;
    uint32_t AddEffect(uint32_t stream, AudioEffectKind kind, int priority) override;
    bool RemoveEffect(uint32_t stream, uint32_t effect) override;
    bool Free() override;

private:
    bool Record(const std::string& call);
    uint32_t NewHandle(const std::string& call);

    uint32_t lastHandle = 0;
};
