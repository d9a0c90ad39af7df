# Audio output layer: the interface (AudioOutput.h), its PortAudio implementation (linux/),
# which runs our own effects and output stage (dsp/), and the recording fake the engine's tests
# use (fake/); the offline output and the loudness meter.
# File decoding through FFmpeg's demuxers and decoders is a module of its own (tw_decoder),
# loaded the first time a file plays: those libraries bring over a hundred more shared
# libraries that the program should not load, and pay for, at every start-up.
pkg_check_modules(TW_AUDIO_DEPS REQUIRED IMPORTED_TARGET portaudio-2.0 alsa libswresample libavutil)
pkg_check_modules(TW_DECODER_DEPS REQUIRED IMPORTED_TARGET libavformat libavcodec)
# EBU R128 loudness (LoudnessMeter).
pkg_check_modules(TW_LOUDNESS_DEPS REQUIRED IMPORTED_TARGET libebur128)

add_library(tw_decoder MODULE linux/DecoderModule.cpp linux/FfmpegDecoder.cpp
                              linux/StereoConverter.cpp)
target_include_directories(tw_decoder PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(tw_decoder PRIVATE PkgConfig::TW_DECODER_DEPS PkgConfig::TW_AUDIO_DEPS tw_media)
set_target_properties(tw_decoder PROPERTIES PREFIX "lib" OUTPUT_NAME tw_decoder
                      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
                      CXX_VISIBILITY_PRESET hidden)

target_sources(tw_platform PRIVATE
    linux/AudioChannel.cpp
    linux/FileDecoder.cpp
    linux/FrameRing.cpp
    linux/LoudnessMeterImpl.cpp
    linux/OfflineOutputImpl.cpp
    linux/PortAudioOutput.cpp
    linux/StereoConverter.cpp
    fake/RecordingAudioOutput.cpp)
target_link_libraries(tw_platform PRIVATE PkgConfig::TW_AUDIO_DEPS PkgConfig::TW_LOUDNESS_DEPS
                                          ${CMAKE_DL_LIBS})
# On the one file that loads it: a definition for the whole library would keep the others from
# the precompiled headers.
set_source_files_properties(linux/FileDecoder.cpp PROPERTIES COMPILE_DEFINITIONS
    TW_DECODER_MODULE_PATH="$<TARGET_FILE:tw_decoder>")
add_dependencies(tw_platform tw_decoder)
