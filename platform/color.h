// Colours are 0x00BBGGRR integers everywhere in the program (0x0000FF is red).
// They are turned into Qt's 0xAARRGGBB only where pixels are read or written.
#pragma once

#include <QtGui/QRgb>
#include <cstdint>

namespace plat {

using Color = std::int32_t;

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

constexpr Color rgb(int r, int g, int b) {
    return Color(((b & 0xFF) << 16) | ((g & 0xFF) << 8) | (r & 0xFF));
}
constexpr int redOf(Color c) { return c & 0xFF; }
constexpr int greenOf(Color c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(Color c) { return (c >> 16) & 0xFF; }

// Qt's opaque 0xFFRRGGBB from a program colour (bits above 24 are dropped).
constexpr QRgb toQRgb(Color c) {
    return 0xFF000000u | (std::uint32_t(c & 0xFF) << 16) | (std::uint32_t(c) & 0xFF00u) |
           ((std::uint32_t(c) >> 16) & 0xFFu);
}
// Program colour from a Qt pixel; alpha is dropped, so the result has 24 bits.
constexpr Color fromQRgb(QRgb p) {
    return Color(((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16));
}

} // namespace plat
