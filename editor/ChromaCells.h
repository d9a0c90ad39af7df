// The working file reduced to what a search for its repeated music needs: per cell of half a
// second (longer for files over half an hour, so that the search stays fast) a chroma vector,
// the energy of each of the twelve pitch classes whatever the octave, and the cell's level; per
// whole second the strength of the onset at its start. Reading a file streams it once through
// a downmix, a decimation to about 11 kHz and one FFT per eighth of a second, so memory grows
// with the cells, not with the samples. Plain data once Analyse has returned; any thread.
#pragma once

#include "wav/WavError.h"

#include <cstdint>
#include <string>
#include <vector>

struct ChromaCells {
    static constexpr int32_t kPitchClasses = 12;
    // Analysis frames per second: the frame centred on time j / 8 s is frame j.
    static constexpr int32_t kFramesPerSecond = 8;

    // Whole seconds of the file.
    int32_t seconds = 0;
    // Frames per cell: 4 (half a second) up to half an hour, whole seconds beyond.
    int32_t cellFrames = 4;
    // kPitchClasses values per cell, centred and of unit length, so that the dot product of
    // two cells is their correlation; all zero where the cell is silent.
    std::vector<float> chroma;
    // Root mean square of the cell's samples, full scale 1.
    std::vector<float> level;
    // Per whole second: the spectral flux around its start (a beat or a new note).
    std::vector<float> onset;

    int32_t Cells() const { return static_cast<int32_t>(level.size()); }
    // Time in seconds at which cell `cell` begins.
    double CellTime(int32_t cell) const {
        return static_cast<double>(cell) * cellFrames / kFramesPerSecond;
    }
    // Reads the 16-bit PCM WAV at path (any rate, any channel count); on failure the fields
    // are left empty and the error says why.
    WavError Analyse(const std::string& path);
};
