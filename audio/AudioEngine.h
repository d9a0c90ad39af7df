// The one object through which the program makes sound. It initialises the audio output layer
// once, holds at most one stream (made from the source file or from the ringtone stream
// procedure) and switches that stream's effects and volume. The editor panel and the
// controller share it; the controller releases it at shut-down.
//
// Threads: every operation and every field belongs to the user-interface thread. Only the
// layer's start and the stream procedure run elsewhere. Opening the sound system probes every
// ALSA plugin and sound server, which costs tens of milliseconds and megabytes that the window
// does not need: the layer starts when sound is first wanted, either on a thread of its own from
// PrepareOutput (when the user begins choosing something to hear) or, at the latest, in the
// first operation that reaches the layer, which waits for it. The stream procedure runs on the
// layer's feeder thread, and the engine hands it nothing but userValue. The flags record the
// results of the engine's own calls; nothing asks the layer whether a file has played to its end.
#pragma once

#include "dsp/EffectSet.h"
#include "platform/AudioOutput.h"

#include <cstdint>
#include <future>
#include <memory>
#include <string>

class AudioEngine {
public:
    std::wstring path;                      // source file of a file stream
    AudioFileType fileType = AudioFileNone; // the source's kind (SourceKinds.h); None opens nothing
    uint32_t stream = 0;                    // meaningful only while streamOpen
    bool initialised = false;               // the layer's Init succeeded; see AwaitOutput
    bool streamOpen = false;
    bool playing = false; // started and not stopped since (also after a file's natural end)
    bool paused = false;  // paused and not resumed since
    // The procedure stream's parameters, filled in by its caller while no stream is open.
    AudioStreamProc streamProc = nullptr;
    uint32_t frequency = 0;
    uint32_t channels = 0;
    void* userValue = nullptr;
    bool fromFile = false; // the open stream is the source file, not the procedure
    // Effect handles on the open stream, 0 while the effect is off.
    uint32_t chorusFx = 0;
    uint32_t echoFx = 0;
    uint32_t reverbFx = 0;
    // Phone loudness's gain on the open stream, 0 while it is off.
    float loudnessGain = 0.0f;

    // The process's engine, made by the first call. Null only when it can't be allocated; the
    // next call then tries again.
    static AudioEngine* Get();
    // Begins the layer's start on a thread of its own unless it has begun, so that the first
    // sound need not wait for it.
    void PrepareOutput();
    // Starts the layer here unless it has begun, waits for the start and settles initialised.
    // Every operation below that reaches the layer does this first; others need it only to
    // read initialised.
    void AwaitOutput();
    // Frees the layer if it was started and initialised, then the engine. A later Get makes a
    // new one.
    static void Release();
    // Puts a layer in place of the system's for the next engine Get makes (tests).
    static void UseOutput(std::unique_ptr<AudioOutput> output);

    // Stores the path if it names an existing file that is not a folder.
    bool SetFile(const std::wstring& newPath);
    // Makes a stream from the file (true) or the procedure (false) unless one is open.
    bool OpenStream(bool fileStream);
    // Adds the wanted effects that are off and removes the unwanted ones that are on, in the
    // order chorus, echo, reverb, then switches phone loudness (its gain as measured) when it
    // changed. The volume is SetVolume's. Always true.
    bool SetEffects(const EffectSet& effects);
    // Starts an open stream that isn't playing from its beginning.
    void Play();
    void Stop();
    // Pauses, or resumes a paused stream where it stopped.
    void TogglePause();
    void FreeStream();
    // Volume in percent, 0 to 100, on the stream handle whether or not one is open.
    void SetVolume(int percent);

private:
    explicit AudioEngine(std::unique_ptr<AudioOutput> layer);
    void SwitchEffect(bool wanted, AudioEffectKind kind, uint32_t& handle);
    // The layer, once started.
    AudioOutput& Output();
    // The layer's start on the default device at 44.1 kHz, wherever it runs.
    static bool StartLayer(AudioOutput* layer);

    std::unique_ptr<AudioOutput> output;
    bool outputBegun = false; // the layer's Init has been called or is running
    // The layer's Init on its own thread; valid until AwaitOutput has taken its result.
    // Declared after output, so that destroying the engine waits for the start before the
    // layer goes.
    std::future<bool> starting;
};
