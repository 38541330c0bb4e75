// A tiny offline synthesiser: mono sample buffers at one fixed rate, a few
// oscillators, envelopes, seeded noise and simple filters, and a writer for
// 16-bit PCM WAV files. Everything is deterministic, so the sounds come out
// byte for byte the same on every build.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace synth {

constexpr int kRate = 22050;

using Buffer = std::vector<double>;

// Number of samples in a span of seconds (rounded, never negative).
int samplesFor(double seconds);
double secondsOf(const Buffer& b);

// A reproducible white-noise source (xorshift); values in [-1, 1).
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    double next();

private:
    std::uint32_t state_;
};

enum class Wave { Sine, Triangle, Square, Saw };

// An oscillator whose frequency glides exponentially from f0 to f1 over the
// whole length; amplitude 1.
Buffer tone(Wave wave, double f0, double f1, double seconds);
Buffer noise(double seconds, Noise& source);
Buffer silence(double seconds);

// Adds `in` x gain into `out` starting at `atSeconds`, growing `out` as needed.
void mixInto(Buffer& out, const Buffer& in, double atSeconds, double gain = 1.0);
// Multiplies two buffers sample by sample (ring modulation, amplitude shaping).
void multiply(Buffer& b, const Buffer& by);
void scale(Buffer& b, double gain);

// Envelopes, applied in place.
// Linear attack, exponential decay with time constant tau.
void percussive(Buffer& b, double attack, double tau);
// Linear attack and decay to a sustain level, linear release at the end.
void adsr(Buffer& b, double attack, double decay, double sustain, double release);
// Short raised-cosine fades at both ends, so no sound starts or stops with a click.
void fadeEdges(Buffer& b, double fadeIn, double fadeOut);

// Filters, applied in place.
void lowpass(Buffer& b, double cutoff);   // one pole
void highpass(Buffer& b, double cutoff);  // one pole
void bandpass(Buffer& b, double centre, double q);  // two-pole resonator

// Struck bodies built from the pieces above.
// A wooden knock: a few inharmonic modes over a short filtered noise burst.
Buffer knock(double freq, double tau, double brightness, Noise& source);
// A small bell: inharmonic partials with longer decays for the low ones.
Buffer bell(double freq, double seconds);
// A soft mallet note with a few harmonics (for melodic figures).
Buffer chime(double freq, double seconds);

// Scales the buffer so that its largest sample sits at `peakDb` dBFS.
void normalise(Buffer& b, double peakDb);
double peakOf(const Buffer& b);

// The buffer as a complete RIFF/WAVE file: PCM, 16 bits, mono, kRate Hz.
// Samples beyond [-1, 1] are clipped.
QByteArray wavFile(const Buffer& b);

} // namespace synth
