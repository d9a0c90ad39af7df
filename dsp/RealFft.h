// A forward FFT of real samples with a fixed size, over the system's FFTW3: the power of each
// frequency bin from 0 to size / 2. Owns its aligned buffers and its plan.
//
// Threads: one object serves one thread at a time; objects on different threads are fine,
// since the planner, which FFTW does not make thread-safe, runs under a lock of this class.
#pragma once

#include <cstddef>
#include <memory>

class RealFft {
public:
    // size: a power of two from 16 upwards is fastest; Ready() says whether a plan was made.
    explicit RealFft(size_t size);
    ~RealFft();
    RealFft(const RealFft&) = delete;
    RealFft& operator=(const RealFft&) = delete;

    bool Ready() const { return plan != nullptr; }
    size_t Size() const { return size; }
    // size samples to fill before Power.
    float* Input() { return input; }
    // Transforms Input() (which it may overwrite) and writes size / 2 + 1 powers
    // (re^2 + im^2) to power.
    void Power(float* power);

private:
    size_t size;
    float* input = nullptr;
    void* output = nullptr;
    void* plan = nullptr;
};
