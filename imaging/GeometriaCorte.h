// Proportions of the jigsaw's curved and irregular sides, shared by the cut
// lines, the outline templates and the masks so that the three agree.
//
// A side's figure is sized by the side's length. On a cell much wider than
// high (or higher than wide) the figures of two opposite sides would meet in
// the middle of the cell and split it; there they are pressed flat across
// the side. Every cell of 25..140 pixels that the shape gate lets through
// keeps the figures as drawn: the curved shape flattens only beyond 2.67 : 1
// (its cells reach 2.56 : 1), the irregular shape only beyond 2.22 : 1, the
// most at which its outlines stay whole (its cells reach 2.16 : 1).
#pragma once

#include <algorithm>
#include <optional>

namespace corte {

constexpr double kHolgura = 0.8;
// The longest side, in lengths of the other, at which the irregular shape
// keeps its figures unpressed.
constexpr double kLimiteIrregular = 2.22;

// Curved shape: the aspect of the top and bottom half ellipses (0.3), whose
// depth is the aspect times half the cell's width less one.
inline double AspectoCurvadoHorizontal(int ancho, int alto) {
    if (ancho <= 1 || alto <= 1) return 0.3;
    return std::min(0.3, kHolgura * (alto - 1) / (ancho - 1));
}

// Curved shape: the aspect of the side half ellipses (3), whose depth is
// half the cell's height less one over the aspect.
inline double AspectoCurvadoLateral(int ancho, int alto) {
    if (ancho <= 1 || alto <= 1) return 3.0;
    return std::max(3.0, (alto - 1) / (kHolgura * (ancho - 1)));
}

// Irregular shape: how much the figures of the top and bottom sides are
// pressed towards the side (1 = not at all): a cell wider than
// kLimiteIrregular : 1 gets the figures of a cell of that proportion.
inline double FactorIrregularHorizontal(int ancho, int alto) {
    if (ancho <= 0 || alto <= 0) return 1.0;
    if (ancho <= kLimiteIrregular * alto) return 1.0;
    return kLimiteIrregular * alto / ancho;
}

// The same for the left and right sides.
inline double FactorIrregularLateral(int ancho, int alto) { return FactorIrregularHorizontal(alto, ancho); }

// The aspect that presses a figure of aspect `aspecto` (none: a circle) by
// `factor` across a top or bottom side, whose ellipses are wider than high.
inline std::optional<double> AspectoHorizontal(std::optional<double> aspecto, double factor) {
    if (factor >= 1.0) return aspecto;
    return aspecto.value_or(1.0) * factor;
}

// The same across a left or right side, whose ellipses are higher than wide:
// the aspect grows as the width shrinks.
inline std::optional<double> AspectoLateral(std::optional<double> aspecto, double factor) {
    if (factor >= 1.0) return aspecto;
    return aspecto.value_or(1.0) / factor;
}

} // namespace corte
