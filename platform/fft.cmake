# tw_fft: the real-input FFT of the system's FFTW3 (single precision) behind one small class,
# for the analyses of the editor's wx-free core. Kept out of tw_platform so that its users
# don't link the audio layer.
pkg_check_modules(TW_FFTW REQUIRED IMPORTED_TARGET fftw3f)
add_library(tw_fft STATIC RealFft.cpp)
target_include_directories(tw_fft PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(tw_fft PRIVATE PkgConfig::TW_FFTW)
tw_use_std_pch(tw_fft)
