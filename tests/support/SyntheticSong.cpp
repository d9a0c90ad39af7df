#include "SyntheticSong.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <random>

namespace twtest {

namespace {

constexpr int kTable = 4096;
constexpr std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};

// One period of a tone with the given harmonic amplitudes.
std::vector<float> Wave(std::initializer_list<float> harmonics) {
    std::vector<float> table(kTable);
    for (int i = 0; i < kTable; ++i) {
        int h = 1;
        for (const float a : harmonics) {
            table[static_cast<size_t>(i)] +=
                a * static_cast<float>(std::sin(2 * std::numbers::pi * h * i / kTable));
            ++h;
        }
    }
    return table;
}

struct Section {
    std::vector<int> chords; // scale degree of each bar's chord, 0 to 6
    std::vector<int> melody; // scale step per beat, relative to the tonic
    double gain = 1;
};

class Mixer {
public:
    Mixer(int sampleRate, size_t frames) : rate(sampleRate), out(frames, 0.0F) {}

    void Note(const std::vector<float>& wave, double at, double length, double midi, float amp) {
        const double hz = 440 * std::pow(2.0, (midi - 69) / 12);
        const auto first = static_cast<size_t>(at * rate);
        const auto count = static_cast<size_t>(length * rate);
        const double step = hz * kTable / rate;
        double phase = 0;
        for (size_t i = 0; i < count && first + i < out.size(); ++i) {
            const double t = static_cast<double>(i) / static_cast<double>(count);
            const float envelope = static_cast<float>(std::min(1.0, 20 * t) * (1 - 0.6 * t));
            out[first + i] += amp * envelope * wave[static_cast<size_t>(phase) % kTable];
            phase += step;
        }
    }
    void Noise(double at, double length, float amp, std::mt19937& random) {
        std::uniform_real_distribution<float> white(-1, 1);
        const auto first = static_cast<size_t>(at * rate);
        const auto count = static_cast<size_t>(length * rate);
        for (size_t i = 0; i < count && first + i < out.size(); ++i) {
            out[first + i] += amp * white(random) * std::exp(-8.0F * i / count);
        }
    }

    int rate;
    std::vector<float> out;
};

Section Invent(std::mt19937& random, int bars, int beatsPerBar, double gain) {
    Section s;
    s.gain = gain;
    std::uniform_int_distribution<int> degree(0, 6);
    std::uniform_int_distribution<int> step(-2, 2);
    // A 4-bar progression played through, a melody phrase of 8 bars played twice.
    std::vector<int> progression(4);
    for (int& d : progression) {
        d = degree(random);
    }
    for (int b = 0; b < bars; ++b) {
        s.chords.push_back(progression[static_cast<size_t>(b % 4)]);
    }
    int note = 2 * progression[0];
    for (int i = 0; i < bars * beatsPerBar; ++i) {
        note = std::clamp(note + step(random), 0, 11);
        s.melody.push_back(i >= 8 * beatsPerBar ? s.melody[static_cast<size_t>(i - 8 * beatsPerBar)]
                                                : note);
    }
    return s;
}

} // namespace

SyntheticSong MakeSong(const SongPlan& plan) {
    std::mt19937 random(plan.seed);
    const double beat = 60 / plan.bpm;
    constexpr int kBeats = 4;
    const std::map<char, int> bars = {{'I', 4}, {'V', 16}, {'C', 16}, {'B', 8}, {'O', 4}};
    std::map<char, Section> sections;
    for (const char kind : std::string("IVCBO")) {
        const double gain = kind == 'C' || (kind == 'B' && plan.loudBridge) ? 1.0
                            : kind == 'I' || kind == 'O'                    ? 0.45
                                                                            : 0.6;
        sections[kind] = Invent(random, bars.at(kind), kBeats, gain);
    }
    double total = 0;
    for (const char kind : plan.form) {
        total += bars.at(kind) * kBeats * beat;
    }
    Mixer mix(plan.sampleRate, static_cast<size_t>((total + 1) * plan.sampleRate));
    const std::vector<float> bass = Wave({1, 0.5F, 0.2F});
    const std::vector<float> pad = Wave({1, 0.3F, 0.15F, 0.1F});
    const std::vector<float> lead = Wave({1, 0.4F, 0.25F, 0.1F, 0.05F});
    std::uniform_real_distribution<double> chance(0, 1);
    const size_t lastChorus = plan.form.rfind('C');
    std::vector<SongPart> choruses;
    double at = 0;
    for (size_t part = 0; part < plan.form.size(); ++part) {
        const char kind = plan.form[part];
        const Section& s = sections[kind];
        const int key = plan.key + (part == lastChorus && plan.lastChorusUp ? 2 : 0);
        const auto g = static_cast<float>(s.gain);
        const double start = at;
        for (size_t b = 0; b < s.chords.size(); ++b) {
            const int d = s.chords[b];
            const double bar = at + static_cast<double>(b * kBeats) * beat;
            const auto pitch = [&](int step, int octave) {
                return 12 * octave + key + kMajor[static_cast<size_t>(step % 7)] + 12 * (step / 7);
            };
            mix.Note(bass, bar, kBeats * beat, pitch(d, 3), 0.22F * g);
            for (const int third : {0, 2, 4}) {
                mix.Note(pad, bar, kBeats * beat, pitch(d + third, 4), 0.09F * g);
            }
            for (int k = 0; k < kBeats; ++k) {
                const double t = bar + k * beat;
                int m = s.melody[b * kBeats + static_cast<size_t>(k)];
                // Each time through, a few notes differ.
                if (chance(random) < 0.1) {
                    m = std::max(0, m + (chance(random) < 0.5 ? -1 : 1));
                }
                mix.Note(lead, t, beat * 0.9, pitch(m, 5), 0.16F * g);
                if (kind != 'I') {
                    if (k % 2 == 0) {
                        mix.Note(bass, t, beat * 0.4, 36, 0.3F * g);
                    } else {
                        mix.Noise(t, beat * 0.3, 0.12F * g, random);
                    }
                }
            }
        }
        at += static_cast<double>(s.chords.size() * kBeats) * beat;
        if (kind == 'C') {
            choruses.push_back({start, at});
        }
    }
    SyntheticSong song;
    song.choruses = choruses;
    song.samples.reserve(mix.out.size() * static_cast<size_t>(plan.channels));
    for (const float v : mix.out) {
        const auto sample = static_cast<int16_t>(std::clamp(v, -1.0F, 1.0F) * 32000);
        for (int c = 0; c < plan.channels; ++c) {
            song.samples.push_back(sample);
        }
    }
    return song;
}

} // namespace twtest
