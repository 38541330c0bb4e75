#include "Figuras.h"

#include <numbers>

namespace modtan {

namespace {

// Half the small triangle's hypotenuse, and that hypotenuse.
constexpr double h = std::numbers::sqrt2 / 2;
constexpr double r = std::numbers::sqrt2;

// Pieces: 1 and 2 the large triangles, 3 the medium one, 4 and 5 the small
// ones, 6 the square, 7 the parallelogram. Rotations as the table turns them:
// a triangle at 1, 3, 5, 7 has its right angle top-right, bottom-right,
// bottom-left, top-left; at 0, 2, 4, 6 its hypotenuse lies at the bottom,
// left, top, right. The square at an odd rotation stands on a corner. The
// parallelogram at an odd rotation has its short sides level or upright
// (flip 0 at 1: upright, high on the left; flip 1 at 1: level, leaning
// right; flip 1 at 3: upright, high on the right), at an even one its long
// sides (0: level; 2: upright).

} // namespace

std::vector<Figura> Figuras() {
    return {
        // A roof on a square house.
        {QStringLiteral("Casa"),
         {{{1, 3, 0, 0, 0}, {2, 5, 0, 2, 0}, {3, 4, 0, 1, 2}, {4, 5, 0, 1, 2}, {6, 0, 0, 1, 3},
           {7, 3, 1, 2, 2}, {5, 3, 0, 2, 3}}}},
        // Sitting, facing left: the head with its ears on top of the back,
        // the forepaws before the chest, the tail along the ground.
        {QStringLiteral("Gato"),
         {{{1, 2, 0, 0, 0}, {2, 0, 0, 0, r}, {6, 1, 0, 0, -h}, {4, 2, 0, 0, -r}, {5, 6, 0, h, -r},
           {7, 0, 0, 3 * h, 3 * h}, {3, 3, 0, -r, r}}}},
        // A mainsail on the mast, the jib before it, the hull below.
        {QStringLiteral("Barco de vela"),
         {{{1, 5, 0, 0, 0}, {2, 7, 0, 0, 2}, {3, 6, 0, -1, 2}, {7, 1, 1, -2, 4}, {4, 1, 0, -1, 4},
           {6, 0, 0, 0, 4}, {5, 7, 0, 1, 4}}}},
        // The nose cone, the body, two fins, the nozzle and its flame.
        {QStringLiteral("Cohete"),
         {{{3, 0, 0, 0, 0}, {1, 1, 0, 0, 1}, {2, 5, 0, 0, 1}, {4, 3, 0, -1, 2}, {5, 5, 0, 2, 2},
           {6, 0, 0, 0.5, 3}, {7, 1, 1, 0.5, 4}}}},
        // Swimming left: the snout, the body with its fin, the tail.
        {QStringLiteral("Pez"),
         {{{3, 6, 0, 0, 0}, {1, 1, 0, 1, 0}, {2, 5, 0, 1, 0}, {6, 0, 0, 3, 0.5}, {4, 7, 0, 4, 0},
           {5, 5, 0, 4, 1}, {7, 1, 1, 1, -1}}}},
        // Like the cat, with one long ear and a round tail.
        {QStringLiteral("Conejo"),
         {{{1, 2, 0, 0, 0}, {2, 0, 0, 0, r}, {6, 1, 0, 0, -h}, {7, 2, 0, 0, -3 * h}, {5, 6, 0, h, -r},
           {4, 6, 0, 3 * h, r}, {3, 3, 0, -r, r}}}},
        // A thick candle and its flame.
        {QStringLiteral("Vela"),
         {{{1, 1, 0, 0, 1}, {2, 5, 0, 0, 1}, {3, 4, 0, 0, 3}, {4, 5, 0, 0, 3}, {5, 3, 0, 1, 3},
           {6, 1, 0, 1 - h, 1 - r}, {7, 2, 0, 1 - h, 1 - 2 * r}}}},
        // Facing right: crest, head and beak, the tail raised behind, the feet.
        {QStringLiteral("Pájaro"),
         {{{1, 1, 0, 0, 1}, {2, 5, 0, 0, 1}, {6, 0, 0, 1, 0}, {4, 5, 0, 1, -1}, {5, 7, 0, 2, 0},
           {7, 1, 0, -1, 0}, {3, 4, 0, 0, 3}}}},
        // Seen from above: the swept wings, the fuselage, the tail.
        {QStringLiteral("Avión"),
         {{{4, 1, 0, 0, 0}, {7, 1, 0, 0, 0}, {5, 5, 0, 0, 1}, {6, 0, 0, 0, 2}, {1, 3, 0, -2, 0.5},
           {2, 5, 0, 1, 0.5}, {3, 4, 0, -0.5, 3}}}},
        // The bowl, the stem and the foot.
        {QStringLiteral("Copa"),
         {{{1, 1, 0, -1, 0}, {4, 1, 0, 1, 0}, {7, 1, 0, 1, 0}, {5, 5, 0, 1, 1}, {2, 7, 0, 2, 0},
           {6, 0, 0, 1, 2}, {3, 0, 0, 0.5, 3}}}},
        // The head, the shaft and one feather.
        {QStringLiteral("Flecha"),
         {{{1, 5, 0, 0, 0}, {2, 7, 0, 0, 2}, {6, 0, 0, -1, 1.5}, {3, 4, 0, -3, 1.5}, {4, 5, 0, -3, 1.5},
           {5, 3, 0, -2, 1.5}, {7, 1, 0, -4, 0.5}}}},
        // The seven pieces as they come in their box.
        {QStringLiteral("Cuadrado"),
         {{{1, 4, 0, 0, 0}, {2, 2, 0, 0, 0}, {3, 3, 0, r, r}, {4, 6, 0, r, h}, {5, 0, 0, 0, 3 * h},
           {6, 1, 0, h, r}, {7, 2, 0, 3 * h, 0}}}},
        // Two squares side by side: the large triangles, and the other five.
        {QStringLiteral("Rectángulo"),
         {{{1, 1, 0, 0, 0}, {2, 5, 0, 0, 0}, {3, 4, 0, 2, 0}, {4, 5, 0, 2, 0}, {6, 0, 0, 2, 1},
           {7, 3, 1, 3, 0}, {5, 3, 0, 3, 1}}}},
        // The square of five between the large triangles.
        {QStringLiteral("Paralelogramo"),
         {{{1, 3, 0, 0, 0}, {3, 4, 0, 2, 0}, {4, 5, 0, 2, 0}, {6, 0, 0, 2, 1}, {7, 3, 1, 3, 0},
           {5, 3, 0, 3, 1}, {2, 7, 0, 4, 0}}}},
        // A right triangle: the square of five in the corner, a large
        // triangle above it and one beside it.
        {QString::fromUtf8("Triángulo"),
         {{{1, 5, 0, 0, 0}, {2, 5, 0, 2, 2}, {3, 4, 0, 0, 2}, {4, 5, 0, 0, 2}, {6, 0, 0, 0, 3},
           {7, 3, 1, 1, 2}, {5, 3, 0, 1, 3}}}},
        // The square of five with a large triangle on each side, sloping out.
        {QStringLiteral("Trapecio"),
         {{{1, 3, 0, 0, 0}, {3, 4, 0, 2, 0}, {4, 5, 0, 2, 0}, {6, 0, 0, 2, 1}, {7, 3, 1, 3, 0},
           {5, 3, 0, 3, 1}, {2, 5, 0, 4, 0}}}},
        // Upright on the left, sloping on the right.
        {QString::fromUtf8("Trapecio rectángulo"),
         {{{6, 0, 0, 0, 0}, {4, 5, 0, 1, 0}, {5, 7, 0, 0, 1}, {3, 0, 0, 0, 1}, {7, 1, 1, 1, 1},
           {2, 1, 0, 1, 0}, {1, 5, 0, 3, 0}}}},
        // A wide roof of the large triangles on a band of the other five.
        {QString::fromUtf8("Pentágono"),
         {{{1, 3, 0, 0, 0}, {2, 5, 0, 2, 0}, {6, 0, 0, 0, 2}, {4, 5, 0, 1, 2}, {7, 1, 1, 1, 2},
           {3, 4, 0, 2, 2}, {5, 3, 0, 3, 2}}}},
        // Standing, in a pointed hat, one arm raised.
        {QStringLiteral("Persona saludando"),
         {{{3, 0, 0, 0.5, -1}, {6, 0, 0, 1, 0}, {1, 7, 0, 0.5, 1}, {2, 3, 0, 0.5, 1}, {7, 3, 1, 2.5, 0},
           {4, 7, 0, 0.5, 3}, {5, 1, 0, 1.5, 3}}}},
        // A shawl flying out on one side, the other arm down.
        {QStringLiteral("Persona bailando"),
         {{{6, 0, 0, 1, 0}, {1, 7, 0, 0.5, 1}, {2, 3, 0, 0.5, 1}, {3, 6, 0, -0.5, 1}, {7, 1, 0, 2.5, 1},
           {4, 7, 0, 0.5, 3}, {5, 1, 0, 1.5, 3}}}},
    };
}

} // namespace modtan
