#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

void putLe16(QByteArray& out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}
void putLe32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

double waveAt(Wave wave, double phase) {  // phase in [0, 1)
    switch (wave) {
    case Wave::Sine: return std::sin(kTwoPi * phase);
    case Wave::Triangle: return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
    case Wave::Square: return phase < 0.5 ? 1.0 : -1.0;
    case Wave::Saw: return 2.0 * phase - 1.0;
    }
    return 0.0;
}

// A sum of decaying sine partials: ratio, amplitude, time constant each.
struct Partial {
    double ratio, amplitude, tau;
};
Buffer partials(double freq, double seconds, std::initializer_list<Partial> list, double attack) {
    Buffer out(samplesFor(seconds), 0.0);
    for (const Partial& p : list) {
        const double f = freq * p.ratio;
        if (f >= kRate / 2.0) continue;  // above what the rate can carry
        Buffer part = tone(Wave::Sine, f, f, seconds);
        percussive(part, attack, p.tau);
        mixInto(out, part, 0.0, p.amplitude);
    }
    return out;
}

} // namespace

int samplesFor(double seconds) {
    return std::max(0, int(std::lround(seconds * kRate)));
}
double secondsOf(const Buffer& b) {
    return double(b.size()) / kRate;
}

double Noise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return double(state_) / 2147483648.0 - 1.0;
}

Buffer tone(Wave wave, double f0, double f1, double seconds) {
    Buffer out(samplesFor(seconds));
    const double n = double(std::max<std::size_t>(out.size(), 1));
    const double ratio = f1 / f0;
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = waveAt(wave, phase);
        const double f = f0 * std::pow(ratio, double(i) / n);
        phase += f / kRate;
        phase -= std::floor(phase);
    }
    return out;
}

Buffer noise(double seconds, Noise& source) {
    Buffer out(samplesFor(seconds));
    for (double& s : out) s = source.next();
    return out;
}

Buffer silence(double seconds) {
    return Buffer(samplesFor(seconds), 0.0);
}

void mixInto(Buffer& out, const Buffer& in, double atSeconds, double gain) {
    const std::size_t start = std::size_t(samplesFor(atSeconds));
    if (out.size() < start + in.size()) out.resize(start + in.size(), 0.0);
    for (std::size_t i = 0; i < in.size(); ++i) out[start + i] += in[i] * gain;
}

void multiply(Buffer& b, const Buffer& by) {
    for (std::size_t i = 0; i < b.size(); ++i) b[i] *= i < by.size() ? by[i] : 0.0;
}

void scale(Buffer& b, double gain) {
    for (double& s : b) s *= gain;
}

void percussive(Buffer& b, double attack, double tau) {
    const int a = samplesFor(attack);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        const double rise = int(i) < a ? double(i) / a : 1.0;
        b[i] *= rise * std::exp(-std::max(0.0, t - attack) / tau);
    }
}

void adsr(Buffer& b, double attack, double decay, double sustain, double release) {
    const double total = secondsOf(b);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        double g;
        if (t < attack) g = t / attack;
        else if (t < attack + decay) g = 1.0 - (1.0 - sustain) * (t - attack) / decay;
        else g = sustain;
        const double left = total - t;
        if (left < release) g *= std::max(0.0, left / release);
        b[i] *= g;
    }
}

void fadeEdges(Buffer& b, double fadeIn, double fadeOut) {
    const int n = int(b.size());
    const int in = std::min(samplesFor(fadeIn), n);
    const int out = std::min(samplesFor(fadeOut), n);
    for (int i = 0; i < in; ++i) b[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / in);
    for (int i = 0; i < out; ++i) b[n - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / out);
}

void lowpass(Buffer& b, double cutoff) {
    const double k = 1.0 - std::exp(-kTwoPi * cutoff / kRate);
    double y = 0.0;
    for (double& s : b) {
        y += k * (s - y);
        s = y;
    }
}

void highpass(Buffer& b, double cutoff) {
    const double k = 1.0 - std::exp(-kTwoPi * cutoff / kRate);
    double low = 0.0;
    for (double& s : b) {
        low += k * (s - low);
        s -= low;
    }
}

void bandpass(Buffer& b, double centre, double q) {
    // Biquad band-pass with 0 dB at the centre frequency.
    const double w0 = kTwoPi * centre / kRate;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2.0 * std::cos(w0) / a0, a2 = (1.0 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& s : b) {
        const double y = b0 * s + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = s;
        y2 = y1;
        y1 = y;
        s = y;
    }
}

Buffer knock(double freq, double tau, double brightness, Noise& source) {
    // Modes of a free wooden bar, the high ones dying fast.
    const double seconds = tau * 7.0 + 0.01;
    Buffer out = partials(freq, seconds,
                          {{1.0, 1.0, tau},
                           {2.76, 0.5 * brightness, tau / 1.8},
                           {5.40, 0.25 * brightness, tau / 3.0},
                           {8.93, 0.12 * brightness, tau / 4.5}},
                          0.0006);
    Buffer hit = noise(0.012, source);
    bandpass(hit, std::min(freq * 3.0, kRate * 0.4), 1.5);
    percussive(hit, 0.0004, 0.0025);
    mixInto(out, hit, 0.0, 0.8 * brightness);
    return out;
}

Buffer bell(double freq, double seconds) {
    return partials(freq, seconds,
                    {{1.0, 1.0, seconds * 0.45},
                     {2.32, 0.55, seconds * 0.3},
                     {4.25, 0.3, seconds * 0.18},
                     {6.63, 0.15, seconds * 0.1}},
                    0.001);
}

Buffer chime(double freq, double seconds) {
    return partials(freq, seconds,
                    {{1.0, 1.0, seconds * 0.32},
                     {2.0, 0.3, seconds * 0.2},
                     {3.0, 0.1, seconds * 0.12},
                     {4.0, 0.04, seconds * 0.08}},
                    0.005);
}

double peakOf(const Buffer& b) {
    double peak = 0.0;
    for (double s : b) peak = std::max(peak, std::abs(s));
    return peak;
}

void normalise(Buffer& b, double peakDb) {
    const double peak = peakOf(b);
    if (peak <= 0.0) return;
    scale(b, std::pow(10.0, peakDb / 20.0) / peak);
}

QByteArray wavFile(const Buffer& b) {
    const std::uint32_t dataBytes = std::uint32_t(b.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF");
    putLe32(out, 36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    putLe32(out, 16);
    putLe16(out, 1);         // PCM
    putLe16(out, 1);         // mono
    putLe32(out, kRate);
    putLe32(out, kRate * 2); // bytes per second
    putLe16(out, 2);         // bytes per frame
    putLe16(out, 16);        // bits per sample
    out.append("data");
    putLe32(out, dataBytes);
    for (double s : b) {
        const double c = std::clamp(s, -1.0, 1.0);
        putLe16(out, int(std::lround(c * 32767.0)));
    }
    return out;
}

} // namespace synth
