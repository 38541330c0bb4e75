// Arcs given in degrees, as the jigsaw's cut lines, templates and masks draw
// them, so that the three agree pixel for pixel.
#pragma once

#include "platform/surface.h"

#include <optional>

namespace trazos {

// Degrees to radians, as the drawing has always converted them (3.141593 / 180).
constexpr double kGrado = 0.017453294444444444;

// The arc of the ellipse centred on (cx, cy) from `desde` to `hasta` degrees,
// counter-clockwise on the screen, in the surface's fore colour; without an
// aspect a circle.
inline void Arco(plat::Surface& s, double cx, double cy, double radio, double desde, double hasta,
                 std::optional<double> aspecto) {
    s.circle(cx, cy, radio, std::nullopt, desde * kGrado, hasta * kGrado, aspecto);
}

} // namespace trazos
