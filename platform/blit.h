// Block transfers between surfaces, with the graphics device's raster
// operations, and whole-image pixel blocks.
//
// A transfer combines every source pixel with the destination pixel under it.
// The destination's bounds and its selected clip region limit what is
// written; a destination pixel whose source pixel lies off the source surface
// is left unchanged. Source and destination may be one surface, overlapping:
// the result is as if the source had first been copied aside. Results keep 24
// colour bits, so inverting white gives exactly black.
#pragma once

#include <cstdint>
#include <vector>

namespace plat {

class Surface;

// Raster operation codes. The operation is named by the code's third byte
// ((code >> 16) & 0xFF); the low word is not examined.
namespace rop {
constexpr std::uint32_t kSrcCopy = 0x00CC0020;     // source
constexpr std::uint32_t kSrcPaint = 0x00EE0086;    // source OR destination
constexpr std::uint32_t kSrcAnd = 0x008800C6;      // source AND destination
constexpr std::uint32_t kSrcInvert = 0x00660046;   // source XOR destination
constexpr std::uint32_t kNotSrcCopy = 0x00330008;  // NOT source
constexpr std::uint32_t kDstAndNotSrc = 0x00220B24; // destination AND NOT source
} // namespace rop

// Whether the code names one of the operations above.
bool isSupportedRop(std::uint32_t code);

// Combines the w x h block at (sx, sy) of src into (x, y) of dst. Returns
// false (nothing drawn) for an unknown operation. A width or height of 0 or
// less draws nothing.
bool bitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            std::uint32_t rop);

// Stretch modes. Every stretch works as colour on colour: each destination
// pixel takes the whole source pixel nearest to its centre, without blending.
// Setting a mode is accepted for any value and changes nothing.
namespace stretchmode {
constexpr int kBlackOnWhite = 1;
constexpr int kWhiteOnBlack = 2;
constexpr int kColorOnColor = 3;
constexpr int kHalftone = 4;
} // namespace stretchmode
void setStretchBltMode(Surface& s, int mode);

// Stretches the sw x sh block at (sx, sy) of src onto the w x h block at
// (x, y) of dst, with the same clipping and operations as bitBlt. A negative
// extent runs from its start pixel towards smaller coordinates (x, x - 1, ...,
// x + w + 1); when a destination extent and its source extent differ in sign
// the picture is mirrored along that axis. A zero extent draws nothing.
bool stretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, std::uint32_t rop);

// The whole image as a 32-bit bottom-up pixel block: rows of scaleWidth()
// pixels, the bottom row first; each pixel is 0x00RRGGBB (blue in the low
// byte, as the bitmap stores its bytes), the top byte 0.
std::vector<std::uint32_t> getPixelBlock(const Surface& s);

// Replaces the image by a w x h block in the same layout; the surface takes
// that size. Returns false, leaving the surface untouched, when w or h is
// negative or the block holds fewer than w x h pixels. The top byte of each
// pixel is ignored.
bool setPixelBlock(Surface& s, int w, int h, const std::vector<std::uint32_t>& px);

} // namespace plat
