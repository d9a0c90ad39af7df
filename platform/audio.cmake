# Audio output layer: the interface (AudioOutput.h), its PortAudio and FFmpeg implementation
# (linux/), our own effects (dsp/) and the recording fake the engine's tests use (fake/).
pkg_check_modules(TW_AUDIO_DEPS REQUIRED IMPORTED_TARGET
                  portaudio-2.0 alsa libavformat libavcodec libswresample libavutil)
target_sources(tw_platform PRIVATE
    dsp/AudioEffect.cpp
    dsp/ChorusEffect.cpp
    dsp/EchoEffect.cpp
    dsp/ReverbEffect.cpp
    linux/AudioChannel.cpp
    linux/FileDecoder.cpp
    linux/FrameRing.cpp
    linux/PortAudioOutput.cpp
    linux/StereoConverter.cpp
    fake/RecordingAudioOutput.cpp)
target_link_libraries(tw_platform PRIVATE PkgConfig::TW_AUDIO_DEPS)
