// The audio output layer: the few operations through which the program makes sound. One
// layer per process, owned by the AudioEngine, which is its only caller. The operations keep
// the contract of a classic handle-based sound library: stream and effect handles are
// 32-bit, 0 means failure; a stream plays until it is stopped or freed (a file stream also
// ends by itself at the end of the file, a procedure stream never does).
//
// Init runs on a thread of its own or on the user-interface thread (the engine starts the layer
// when sound is first wanted); every later operation comes from the user-interface thread,
// after Init has returned. A stream procedure is called on a thread of the layer's own, never
// on the caller's.
#pragma once

#include "dsp/AudioEffectKind.h"
#include "media/SourceKinds.h"

#include <cstdint>
#include <memory>
#include <string>

// Fills buffer with up to length bytes of interleaved signed 16-bit native-endian PCM at the
// stream's rate and channel count and returns the number of bytes written. Called on the
// layer's feeder thread, ahead of the device; a short count is padded with silence.
using AudioStreamProc = uint32_t (*)(uint32_t handle, void* buffer, uint32_t length, void* user);

class AudioOutput {
public:
    // The device number that selects the system's default output.
    static constexpr int defaultDevice = -1;

    virtual ~AudioOutput() = default;

    // Opens the output device (defaultDevice or a device number) in stereo at the given rate,
    // which must be 44100 Hz, the rate the effects are made for. False when no device can be
    // opened; every other operation then fails. Call once; Free undoes it.
    virtual bool Init(int device, uint32_t frequency) = 0;

    // A stream that decodes the whole file (a UTF-8 path) as the file's kind, one of the table
    // of kinds (SourceKinds.h). The content decides how the file is read, among the containers
    // of every kind: a FLAC named .mp3 plays. 0 for a type no kind has, or a file without sound
    // the decoder reads (SourceCheck.h).
    virtual uint32_t CreateFileStream(AudioFileType type, const std::string& path) = 0;

    // A stream that pulls 16-bit PCM of the given rate and channel count from proc, which
    // receives user on every call. 0 for a rate or channel count the layer can't convert.
    virtual uint32_t CreateProcedureStream(uint32_t frequency, uint32_t channels,
                                           AudioStreamProc proc, void* user) = 0;

    // restart: throw away what was buffered and start from the beginning (a procedure
    // stream goes on from wherever its procedure now stands), the effects as they were when
    // added, with nothing of the last play in them; otherwise resume after a pause or stop.
    // False for an unknown handle or a device that won't start.
    virtual bool Play(uint32_t stream, bool restart) = 0;
    // Both take effect within one device buffer and keep what was buffered ahead.
    virtual bool Pause(uint32_t stream) = 0;
    virtual bool Stop(uint32_t stream) = 0;
    // Stops the stream and releases it with its effects; the handle is dead afterwards.
    virtual bool FreeStream(uint32_t stream) = 0;

    // Volume 0.0 to 1.0, applied to what follows within one device buffer.
    virtual bool SetVolume(uint32_t stream, float volume) = 0;
    // Phone loudness: the gain (above 0) that brings the stream to its target, applied with
    // the volume, and the limiter's true-peak ceiling (-1.5 dBTP, so that a file stays under -1
    // after its encoder); 0 switches it off. As quick as the volume.
    virtual bool SetPhoneLoudness(uint32_t stream, float gain) = 0;

    // Effects run in descending priority, and in the order they were added within one
    // priority. Adding one fades it in without interrupting the stream. 0 on failure.
    virtual uint32_t AddEffect(uint32_t stream, AudioEffectKind kind, int priority) = 0;
    virtual bool RemoveEffect(uint32_t stream, uint32_t effect) = 0;

    // Frees every stream and closes the device. False when Init had not succeeded.
    virtual bool Free() = 0;
};

// The layer that plays through the machine's sound system.
std::unique_ptr<AudioOutput> CreateSystemAudioOutput();
