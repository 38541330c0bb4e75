#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace synth;

namespace sounds {

namespace {

// Levels: the loudest sounds peak at -6 dBFS; the small clicks sit below.
constexpr double kFull = -6.0;
constexpr double kSoft = -8.0;
constexpr double kLight = -10.0;

void trim(Buffer& b, double seconds) {
    b.resize(std::size_t(samplesFor(seconds)), 0.0);
}

Buffer finish(Buffer b, double seconds, double level) {
    trim(b, seconds);
    fadeEdges(b, 0.002, 0.006);
    normalise(b, level);
    return b;
}

// 6: a control goes down. A soft, rounded click.
Buffer press() {
    Noise n(6);
    Buffer b = knock(1100.0, 0.006, 0.6, n);
    Buffer body = tone(Wave::Sine, 340.0, 300.0, 0.05);
    percussive(body, 0.001, 0.01);
    mixInto(b, body, 0.0, 0.45);
    lowpass(b, 5000.0);
    // The press is short, but callers that wait for it hold about 100 ms.
    return finish(b, 0.1, kSoft);
}

// 7: the control comes back up. Higher and lighter than the press.
Buffer release() {
    Noise n(7);
    Buffer b = knock(1600.0, 0.004, 0.4, n);
    lowpass(b, 6000.0);
    return finish(b, 0.1, kLight);
}

// 9: a command button. A crisp tick with a short bright ping.
Buffer command() {
    Noise n(9);
    Buffer b = noise(0.004, n);
    highpass(b, 2500.0);
    percussive(b, 0.0003, 0.0012);
    Buffer ping = tone(Wave::Sine, 1500.0, 1100.0, 0.08);
    percussive(ping, 0.001, 0.018);
    Buffer over = tone(Wave::Sine, 3000.0, 2200.0, 0.08);
    percussive(over, 0.001, 0.008);
    mixInto(b, ping, 0.001, 0.8);
    mixInto(b, over, 0.001, 0.2);
    return finish(b, 0.1, kFull);
}

// 11: a picture is refused. A low, slightly falling buzz with a tremble.
Buffer refused() {
    Buffer b = tone(Wave::Saw, 150.0, 105.0, 0.25);
    Buffer sub = tone(Wave::Square, 75.0, 52.5, 0.25);
    mixInto(b, sub, 0.0, 0.35);
    lowpass(b, 900.0);
    lowpass(b, 1400.0);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / kRate;
        b[i] *= 0.75 + 0.25 * std::cos(2.0 * std::numbers::pi * 18.0 * t);
    }
    adsr(b, 0.008, 0.05, 0.75, 0.07);
    return finish(b, 0.25, kFull);
}

// 14: the puzzle is solved. A rising major arpeggio that rings out.
Buffer solved() {
    Buffer b;
    const double notes[] = {523.25, 659.26, 783.99, 1046.50};  // C5 E5 G5 C6
    for (int i = 0; i < 4; ++i) mixInto(b, chime(notes[i], 0.8), 0.13 * i, i == 3 ? 1.0 : 0.8);
    mixInto(b, chime(1318.51, 0.8), 0.39, 0.25);  // E6 above the last note
    mixInto(b, bell(2093.0, 0.6), 0.39, 0.12);
    return finish(b, 1.2, kFull);
}

// 50: a piece is picked up. A soft wooden tick.
Buffer pickUp() {
    Noise n(50);
    Buffer b = knock(900.0, 0.008, 0.5, n);
    lowpass(b, 4000.0);
    return finish(b, 0.06, kSoft);
}

// 51: a piece lands in its place. Two warm wooden knocks, the second higher.
Buffer inPlace() {
    Noise n(51);
    Buffer b = knock(520.0, 0.018, 0.7, n);
    mixInto(b, knock(780.0, 0.02, 0.7, n), 0.055, 0.9);
    lowpass(b, 6000.0);
    return finish(b, 0.15, kFull);
}

// 52: a piece is put down elsewhere. A dull, low thud.
Buffer putDown() {
    Noise n(52);
    Buffer b = tone(Wave::Sine, 140.0, 60.0, 0.12);
    percussive(b, 0.001, 0.03);
    Buffer dust = noise(0.05, n);
    lowpass(dust, 400.0);
    lowpass(dust, 400.0);
    percussive(dust, 0.0005, 0.012);
    normalise(dust, 0.0);
    mixInto(b, dust, 0.0, 0.5);
    mixInto(b, knock(300.0, 0.01, 0.2, n), 0.0, 0.3);
    return finish(b, 0.12, kFull);
}

// 53: a sliding piece moves. A short wooden scrape ending in a small stop.
Buffer slide() {
    Noise n(53);
    Buffer high = noise(0.12, n);
    bandpass(high, 1800.0, 0.8);
    Buffer low = noise(0.12, n);
    bandpass(low, 700.0, 1.0);
    Buffer b = high;
    mixInto(b, low, 0.0, 0.8);
    // The grain of the wood: a slow random wobble of the level.
    Buffer grain = noise(0.12, n);
    lowpass(grain, 45.0);
    lowpass(grain, 45.0);
    normalise(grain, 0.0);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] *= 0.65 + 0.35 * grain[i];
    adsr(b, 0.02, 0.03, 0.7, 0.04);
    normalise(b, 0.0);
    mixInto(b, knock(1000.0, 0.004, 0.3, n), 0.098, 0.5);
    return finish(b, 0.12, kSoft);
}

// 55: the tutor's pointer blinks. A small bell.
Buffer tutorBlink() {
    return finish(bell(1760.0, 0.15), 0.15, kSoft);
}

} // namespace

const std::vector<Design>& designs() {
    static const std::vector<Design> all = {
        {6, "control pressed", press},
        {7, "control released", release},
        {9, "command button", command},
        {11, "picture refused", refused},
        {14, "puzzle solved", solved},
        {50, "piece picked up", pickUp},
        {51, "piece in its place", inPlace},
        {52, "piece put down elsewhere", putDown},
        {53, "sliding piece moves", slide},
        {55, "tutor blinks", tutorBlink},
    };
    return all;
}

} // namespace sounds
