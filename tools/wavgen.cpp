// Synthesises the game's music loop and its four sound effects as 16-bit mono WAV files.
//
// Usage: qv_wavgen [output directory]   (default: Audio)
// Everything is computed from fixed seeds, so every run writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;

// xorshift32: tiny, fixed-seeded, identical on every platform.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed ? seed : 1u) {}
    double next() // uniform in [-1, 1)
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state;
};

// Direct form I biquad; coefficients from the usual cookbook formulas and may
// be recomputed every sample for sweeps (the state survives the change).
class Biquad {
public:
    void lowPass(double freq, double q) { design(freq, q, Kind::Low); }
    void bandPass(double freq, double q) { design(freq, q, Kind::Band); }
    void highPass(double freq, double q) { design(freq, q, Kind::High); }
    double process(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    enum class Kind { Low, Band, High };
    void design(double freq, double q, Kind kind) {
        freq = std::clamp(freq, 10.0, kRate * 0.45);
        const double w = 2.0 * kPi * freq / kRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        const double a0 = 1.0 + alpha;
        switch (kind) {
        case Kind::Low:
            b0 = (1.0 - c) / 2.0;
            b1 = 1.0 - c;
            b2 = b0;
            break;
        case Kind::High:
            b0 = (1.0 + c) / 2.0;
            b1 = -(1.0 + c);
            b2 = b0;
            break;
        case Kind::Band: // constant 0 dB peak gain
            b0 = alpha;
            b1 = 0.0;
            b2 = -alpha;
            break;
        }
        b0 /= a0;
        b1 /= a0;
        b2 /= a0;
        a1 = -2.0 * c / a0;
        a2 = (1.0 - alpha) / a0;
    }
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// Band-limited step correction; keeps the square lead from sounding glassy.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double pulse(double phase, double dt, double duty) {
    double v = phase < duty ? 1.0 : -1.0;
    v += polyBlep(phase, dt);
    double shifted = phase - duty;
    if (shifted < 0.0)
        shifted += 1.0;
    v -= polyBlep(shifted, dt);
    return v - (2.0 * duty - 1.0); // remove the duty cycle's DC
}

double saw(double phase, double dt) {
    return 2.0 * phase - 1.0 - polyBlep(phase, dt);
}

double triangle(double phase) {
    return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
}

double midiToHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Attack/decay/sustain with a release that finishes inside the note, so every
// note ends at exactly zero and nothing spills over the loop point.
double noteEnvelope(int i, int length, double sustain) {
    const int attack = kRate * 5 / 1000;
    const int decay = kRate * 90 / 1000;
    const int release = std::min(kRate * 40 / 1000, length / 3);
    double level;
    if (i < attack)
        level = static_cast<double>(i) / attack;
    else if (i < attack + decay)
        level = 1.0 - (1.0 - sustain) * (i - attack) / decay;
    else
        level = sustain;
    const int left = length - i;
    if (left < release)
        level *= static_cast<double>(left) / release;
    return level;
}

void normalise(Samples& s, double peak) {
    double max = 0.0;
    for (double v : s)
        max = std::max(max, std::fabs(v));
    if (max <= 0.0)
        return;
    for (double& v : s)
        v *= peak / max;
}

// Short fades at both ends so a sound effect never starts or stops on a step.
void fadeEnds(Samples& s, double inSeconds, double outSeconds) {
    const int in = std::min<int>(static_cast<int>(inSeconds * kRate), static_cast<int>(s.size()));
    const int out = std::min<int>(static_cast<int>(outSeconds * kRate), static_cast<int>(s.size()));
    for (int i = 0; i < in; ++i)
        s[i] *= static_cast<double>(i) / in;
    for (int i = 0; i < out; ++i)
        s[s.size() - 1 - i] *= static_cast<double>(i) / out;
}

void putLe(std::FILE* f, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        std::fputc(static_cast<int>((value >> (8 * i)) & 0xffu), f);
}

bool writeWav(const std::string& path, const Samples& s) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "qv_wavgen: cannot write %s\n", path.c_str());
        return false;
    }
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(s.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    putLe(f, 36 + dataBytes, 4);
    std::fwrite("WAVE", 1, 4, f);
    std::fwrite("fmt ", 1, 4, f);
    putLe(f, 16, 4); // fmt chunk size
    putLe(f, 1, 2);  // PCM
    putLe(f, 1, 2);  // mono
    putLe(f, kRate, 4);
    putLe(f, kRate * 2, 4); // bytes per second
    putLe(f, 2, 2);         // bytes per frame
    putLe(f, 16, 2);        // bits per sample
    std::fwrite("data", 1, 4, f);
    putLe(f, dataBytes, 4);
    for (double v : s) {
        const long q = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
        putLe(f, static_cast<std::uint32_t>(static_cast<std::int16_t>(q)) & 0xffffu, 2);
    }
    const bool ok = std::ferror(f) == 0;
    return std::fclose(f) == 0 && ok;
}

// ---- music -----------------------------------------------------------------

struct Note {
    int midi;    // 0 is a rest
    int eighths; // length
};

// Eight bars of A minor at 120 beats a minute: Am F C G | Am F G E, the E
// leading back into the Am of the first bar when the stream loops.
const Note kMelody[] = {
    {76, 2}, {69, 1}, {72, 1}, {76, 1}, {74, 1}, {72, 1}, {71, 1}, {72, 2}, {69, 1},
    {65, 1}, {69, 2}, {72, 2}, {67, 1}, {72, 1}, {76, 1}, {79, 1}, {76, 2}, {74, 1},
    {72, 1}, {74, 3}, {71, 1}, {67, 2}, {0, 2},  {81, 2}, {79, 1}, {76, 1}, {72, 2},
    {76, 2}, {77, 2}, {76, 1}, {72, 1}, {69, 2}, {72, 1}, {74, 1}, {71, 2}, {74, 1},
    {79, 1}, {77, 2}, {74, 2}, {76, 2}, {68, 1}, {71, 1}, {76, 3}, {0, 1},
};
const int kBassRoots[8] = {45, 41, 48, 43, 45, 41, 43, 40};
const int kBassPattern[8] = {0, 12, 7, 12, 0, 12, 7, 10};

Samples makeMusic() {
    const int eighth = kRate / 4; // 120 bpm
    const int bars = 8;
    const int total = eighth * 8 * bars;
    Samples lead(total, 0.0), bass(total, 0.0), drums(total, 0.0);

    int start = 0;
    for (const Note& n : kMelody) {
        const int length = std::min(n.eighths * eighth, total - start);
        if (n.midi > 0) {
            const double hz = midiToHz(n.midi);
            const double dt = hz / kRate;
            double phase = 0.0;
            for (int i = 0; i < length; ++i) {
                // a touch of delayed vibrato keeps long notes alive
                const double t = static_cast<double>(i) / kRate;
                const double vib = t > 0.18 ? 0.004 * std::sin(2.0 * kPi * 5.5 * t) : 0.0;
                lead[start + i] += 0.30 * pulse(phase, dt, 0.25) * noteEnvelope(i, length, 0.55);
                phase += dt * (1.0 + vib);
                if (phase >= 1.0)
                    phase -= 1.0;
            }
        }
        start += length;
    }

    for (int bar = 0; bar < bars; ++bar) {
        for (int step = 0; step < 8; ++step) {
            const double hz = midiToHz(kBassRoots[bar] + kBassPattern[step]);
            const int begin = (bar * 8 + step) * eighth;
            double phase = 0.0;
            for (int i = 0; i < eighth; ++i) {
                bass[begin + i] += 0.42 * triangle(phase) * noteEnvelope(i, eighth, 0.7);
                phase += hz / kRate;
                if (phase >= 1.0)
                    phase -= 1.0;
            }
        }
    }

    // Kick on beats 1 and 3, a closed hat on every off-beat.
    Noise noise(0x51EE9u);
    for (int beat = 0; beat < bars * 4; ++beat) {
        const int begin = beat * 2 * eighth;
        if (beat % 2 == 0) {
            const int length = kRate * 18 / 100;
            double phase = 0.0;
            for (int i = 0; i < length; ++i) {
                const double t = static_cast<double>(i) / kRate;
                const double hz = 45.0 + 90.0 * std::exp(-t * 30.0);
                const double env = std::exp(-t * 18.0) * (1.0 - static_cast<double>(i) / length);
                drums[begin + i] += 0.5 * std::sin(2.0 * kPi * phase) * env;
                phase += hz / kRate;
            }
        }
        Biquad hat;
        hat.highPass(7000.0, 0.8);
        const int hatBegin = begin + eighth;
        const int length = kRate * 4 / 100;
        for (int i = 0; i < length; ++i) {
            const double env = 1.0 - static_cast<double>(i) / length;
            drums[hatBegin + i] += 0.12 * hat.process(noise.next()) * env * env;
        }
    }

    // Take the fizz off the square lead. The filter runs round the loop twice
    // and keeps the second pass, so its state at the seam matches both ends.
    Biquad soften;
    soften.lowPass(4500.0, 0.707);
    for (double v : lead)
        soften.process(v);
    for (double& v : lead)
        v = soften.process(v);

    Samples mix(total);
    for (int i = 0; i < total; ++i)
        mix[i] = lead[i] + bass[i] + drums[i];

    // Echo on the lead, read around the loop so the tail of the last bar
    // rings into the first one and the seam stays inaudible.
    const int delay = eighth * 3 / 2;
    for (int i = 0; i < total; ++i) {
        const int d1 = (i - delay + total) % total;
        const int d2 = (i - 2 * delay + 2 * total) % total;
        mix[i] += 0.28 * lead[d1] + 0.10 * lead[d2];
    }
    normalise(mix, 0.80);
    return mix;
}

// ---- sound effects ---------------------------------------------------------

// A hurt grunt: a falling glottal buzz through two vowel formants ("oo"),
// then a breathy "f".
Samples makeOof() {
    const int total = kRate * 30 / 100;
    Samples out(total);
    Noise noise(0x00F00Fu);
    Biquad f1, f2, fricLow, fricHigh;
    fricLow.lowPass(6000.0, 0.7);
    fricHigh.highPass(1800.0, 0.7);
    double phase = 0.0;
    for (int i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double u = t / 0.30;
        const double hz = 95.0 + 95.0 * std::exp(-t * 9.0) + 3.0 * noise.next();
        const double dt = hz / kRate;
        const double buzz = saw(phase, dt);
        phase += dt;
        if (phase >= 1.0)
            phase -= 1.0;
        f1.bandPass(480.0 - 160.0 * u, 5.0);
        f2.bandPass(950.0 - 150.0 * u, 7.0);
        const double vowel = 1.6 * f1.process(buzz) + 0.9 * f2.process(buzz);
        const double voiceEnv = std::min(1.0, t / 0.012) *
                                std::exp(-std::max(0.0, t - 0.05) * 9.0) *
                                (u < 0.75 ? 1.0 : std::max(0.0, (0.85 - u) / 0.10));
        const double breathEnv = u > 0.6 ? std::sin(kPi * (u - 0.6) / 0.4) : 0.0;
        out[i] =
            vowel * voiceEnv + 0.22 * fricHigh.process(fricLow.process(noise.next())) * breathEnv;
    }
    fadeEnds(out, 0.002, 0.01);
    normalise(out, 0.89);
    return out;
}

// An enemy growl: a low buzz whose pitch wanders and whose loudness is
// shaken by slow noise, darkened by a low-pass and a throat formant.
Samples makeGrowl() {
    const int total = kRate / 2;
    Samples out(total);
    Noise noise(0x6A0E1u);
    Biquad flutter, dark, throat;
    flutter.lowPass(35.0, 0.7);
    dark.lowPass(700.0, 0.9);
    throat.bandPass(320.0, 3.0);
    double phase = 0.0;
    double drift = 0.0;
    for (int i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / kRate;
        drift = 0.999 * drift + 0.002 * noise.next();
        const double hz = 62.0 + 14.0 * std::sin(2.0 * kPi * 2.2 * t) + 120.0 * drift;
        const double dt = hz / kRate;
        const double buzz = saw(phase, dt) + 0.5 * pulse(phase, dt, 0.3);
        phase += dt;
        if (phase >= 1.0)
            phase -= 1.0;
        const double rough = 0.55 + 6.0 * flutter.process(noise.next());
        const double body = dark.process((buzz + 0.35 * noise.next()) * rough);
        const double env = std::min(1.0, t / 0.04) * std::min(1.0, (0.5 - t) / 0.14);
        out[i] = (body + 1.4 * throat.process(body)) * env;
    }
    fadeEnds(out, 0.002, 0.01);
    normalise(out, 0.89);
    return out;
}

// A punch whoosh: noise through a band-pass that sweeps upwards while the
// swell rises fast and dies away.
Samples makeThrust() {
    const int total = kRate / 5;
    Samples out(total);
    Noise noise(0x7A5C0u);
    Biquad band, band2;
    for (int i = 0; i < total; ++i) {
        const double u = static_cast<double>(i) / total;
        const double centre = 350.0 * std::pow(9.0, u); // 350 Hz up to 3.15 kHz
        band.bandPass(centre, 2.5);
        band2.bandPass(centre, 2.5);
        const double env =
            u < 0.3 ? std::sin(0.5 * kPi * u / 0.3) : std::pow(1.0 - (u - 0.3) / 0.7, 1.6);
        out[i] = band2.process(band.process(noise.next())) * env;
    }
    fadeEnds(out, 0.002, 0.005);
    normalise(out, 0.89);
    return out;
}

// An explosion: a noise burst whose low-pass closes as it decays, over a
// falling sub thump, lightly saturated.
Samples makeBoom() {
    const int total = kRate * 8 / 10;
    Samples out(total);
    Noise noise(0xB0041u);
    Biquad lp1, lp2;
    double phase = 0.0;
    for (int i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double cutoff = 90.0 + 2400.0 * std::exp(-t * 7.0);
        lp1.lowPass(cutoff, 0.8);
        lp2.lowPass(cutoff, 0.8);
        const double rumble = lp2.process(lp1.process(noise.next()));
        const double thumpHz = 32.0 + 60.0 * std::exp(-t * 12.0);
        const double thump = std::sin(2.0 * kPi * phase) * std::exp(-t * 6.0);
        phase += thumpHz / kRate;
        const double env = std::min(1.0, t / 0.004) * std::exp(-t * 4.5);
        out[i] = std::tanh(2.2 * (2.5 * rumble * env + 0.7 * thump));
    }
    fadeEnds(out, 0.0, 0.08);
    normalise(out, 0.89);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "Audio";
    struct Output {
        const char* name;
        Samples (*make)();
    };
    const Output outputs[] = {
        {"gamemusic.wav", makeMusic}, {"oof.wav", makeOof},   {"growl.wav", makeGrowl},
        {"thrust.wav", makeThrust},   {"boom.wav", makeBoom},
    };
    int failures = 0;
    for (const Output& o : outputs) {
        if (!writeWav(dir + "/" + o.name, o.make()))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
