#include "dsp/RealFft.h"

#include <fftw3.h>

#include <mutex>

namespace {

std::mutex& PlannerLock() {
    static std::mutex lock;
    return lock;
}

} // namespace

RealFft::RealFft(size_t n) : size(n) {
    const std::lock_guard<std::mutex> hold(PlannerLock());
    input = fftwf_alloc_real(n);
    output = fftwf_alloc_complex(n / 2 + 1);
    if (input != nullptr && output != nullptr) {
        // Estimated, not measured: measuring costs more than the analyses it would speed up.
        plan = fftwf_plan_dft_r2c_1d(static_cast<int>(n), input,
                                     static_cast<fftwf_complex*>(output), FFTW_ESTIMATE);
    }
}

RealFft::~RealFft() {
    const std::lock_guard<std::mutex> hold(PlannerLock());
    if (plan != nullptr) {
        fftwf_destroy_plan(static_cast<fftwf_plan>(plan));
    }
    fftwf_free(output);
    fftwf_free(input);
}

void RealFft::Power(float* power) {
    auto* bins = static_cast<fftwf_complex*>(output);
    fftwf_execute(static_cast<fftwf_plan>(plan));
    for (size_t k = 0; k <= size / 2; ++k) {
        power[k] = bins[k][0] * bins[k][0] + bins[k][1] * bins[k][1];
    }
}
