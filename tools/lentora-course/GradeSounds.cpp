// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellPictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lentora::course {

namespace {

struct Note {
    double start;   // beats
    int midi;       // MIDI note number
    double length;  // beats
};

struct Motif {
    double beatSeconds;
    std::vector<Note> notes;
};

// Low grades fall in minor and slowly; from 7 up the motifs rise in major and get brighter.
Motif motifFor(int grade, int variant) {
    if (variant == 0) {
        switch (grade) {
            case 3:
                return {0.36, {{0, 69, 1}, {1, 65, 1}, {2, 62, 2.2}}};
            case 4:
                return {0.32, {{0, 67, 1}, {1, 63, 1}, {2, 60, 2}}};
            case 5:
                return {0.28, {{0, 64, 1}, {1, 62, 1}, {2, 60, 1}, {3, 62, 1.6}}};
            case 6:
                return {0.26, {{0, 60, 1}, {1, 62, 1}, {2, 64, 1}, {3, 62, 1.6}}};
            case 7:
                return {0.22, {{0, 60, 1}, {1, 64, 1}, {2, 67, 2}}};
            case 8:
                return {0.2, {{0, 60, 1}, {1, 64, 1}, {2, 67, 1}, {3, 72, 2.4}}};
            case 9:
                return {
                    0.18,
                    {{0, 60, 1}, {1, 64, 1}, {2, 67, 1}, {3, 72, 1}, {4, 76, 2.5}, {4, 67, 2.5}}};
            default:
                return {0.16,
                        {{0, 67, 0.7},
                         {0.75, 67, 0.7},
                         {1.5, 67, 0.7},
                         {2.25, 72, 3.2},
                         {2.25, 76, 3.2},
                         {2.25, 79, 3.2},
                         {2.25, 60, 3.2}}};
        }
    }
    switch (grade) {
        case 3:
            return {0.34, {{0, 67, 1}, {1, 66, 1}, {2, 65, 1}, {3, 64, 2.5}}};
        case 4:
            return {0.3, {{0, 65, 1}, {1, 62, 1}, {2, 58, 2.2}}};
        case 5:
            return {0.28, {{0, 62, 1}, {1, 65, 1}, {2, 62, 2}}};
        case 6:
            return {0.24, {{0, 62, 1}, {1, 66, 1}, {2, 69, 2}}};
        case 7:
            return {0.22, {{0, 65, 1}, {1, 69, 1}, {2, 72, 1}, {3, 69, 1.8}}};
        case 8:
            return {0.2, {{0, 67, 1}, {1, 71, 1}, {2, 74, 1}, {3, 79, 2.2}}};
        case 9:
            return {0.17,
                    {{0, 65, 1}, {1, 69, 1}, {2, 72, 1}, {3, 77, 1}, {4, 81, 2.4}, {4, 72, 2.4}}};
        default:
            return {0.15,
                    {{0, 60, 1},
                     {1, 64, 1},
                     {2, 67, 1},
                     {3, 72, 1},
                     {4, 67, 0.8},
                     {4.8, 72, 3},
                     {4.8, 76, 3},
                     {4.8, 79, 3},
                     {4.8, 84, 3}}};
    }
}

double frequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// Variant 0: a mallet-like tone that decays; variant 1: a soft reed with vibrato.
double voice(int variant, double phase, double t, double length) {
    const double attack = std::min(1.0, t / 0.008);
    if (variant == 0) {
        const double decay = std::exp(-t * 3.2);
        return attack * decay *
               (std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase));
    }
    const double release = std::clamp((length - t) / 0.06, 0.0, 1.0);
    const double vibrato = 0.004 * std::sin(2 * std::numbers::pi * 5.5 * t);
    const double p = phase * (1 + vibrato);
    return attack * release * 0.8 *
           (std::sin(p) + 0.3 * std::sin(3 * p) + 0.15 * std::sin(5 * p) + 0.2 * std::sin(2 * p));
}

}  // namespace

std::vector<float> synthesiseGradeSound(int grade, int variant, int sampleRate) {
    const Motif motif = motifFor(std::clamp(grade, 3, 10), variant);
    double endSeconds = 0;
    for (const Note& note : motif.notes) {
        endSeconds = std::max(endSeconds, (note.start + note.length) * motif.beatSeconds);
    }
    const double tail = variant == 0 ? 0.25 : 0.05;
    const auto total = std::size_t((endSeconds + tail) * sampleRate);
    std::vector<double> mix(total, 0.0);
    for (const Note& note : motif.notes) {
        const auto first = std::size_t(note.start * motif.beatSeconds * sampleRate);
        const double length = note.length * motif.beatSeconds;
        const double sounding = length + (variant == 0 ? tail : 0.0);
        const double omega = 2 * std::numbers::pi * frequency(note.midi);
        for (std::size_t i = first; i < total; ++i) {
            const double t = double(i - first) / sampleRate;
            if (t >= sounding) {
                break;
            }
            mix[i] += voice(variant, omega * t, t, sounding);
        }
    }
    // Same loudness for both voices: aim at one RMS level, without letting peaks clip.
    double peak = 1e-9;
    double energy = 0;
    for (const double sample : mix) {
        peak = std::max(peak, std::abs(sample));
        energy += sample * sample;
    }
    const double rms = std::sqrt(energy / double(std::max<std::size_t>(total, 1))) + 1e-9;
    const double gain = std::min(0.8 / peak, 0.2 / rms);
    std::vector<float> samples(total);
    const std::size_t fade = std::min<std::size_t>(total, std::size_t(0.03 * sampleRate));
    for (std::size_t i = 0; i < total; ++i) {
        double value = mix[i] * gain;
        if (i + fade >= total) {
            value *= double(total - i) / double(fade);
        }
        samples[i] = float(value);
    }
    return samples;
}

}  // namespace lentora::course
