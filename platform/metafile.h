// Windows metafiles (WMF, with or without the placeable header) and enhanced
// metafiles (EMF), drawn by the system's libraries (libwmf; libemf2svg, whose
// SVG Qt's SVG module draws) at the size their header gives, on white.
//
// The libraries read the file in a child process bounded in time and memory
// (isolated.h), so that a file that makes them loop, ask for gigabytes or
// crash costs only that child: the picture is then refused like any damaged
// picture.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <optional>

namespace plat {

enum class MetafileKind { kNone, kWmf, kEmf };
// By the header: a placeable or plain Windows metafile, an enhanced one, or
// neither.
MetafileKind metafileKind(const QByteArray& data);

// The size in pixels (96 an inch) the header gives: the placeable header's
// box in its units an inch; for a plain Windows metafile its window extent;
// the enhanced metafile's frame in hundredths of a millimetre. An invalid
// size when the header is cut or gives no size.
QSize metafileSize(const QByteArray& data);

// The metafile drawn as an opaque Format_RGB32 image of metafileSize() on a
// white ground. Throws RuntimeError: err::kInvalidPicture when it is damaged
// or the library fails on it, err::kOutOfMemory when its size has more than
// kMaxPicturePixels pixels (picture.h) or a side above kMaxMetafileSide.
constexpr int kMaxMetafileSide = 16384;
QImage decodeMetafile(const QByteArray& data);

// Starts the child the libraries draw in, which later metafiles reuse: best
// called first thing in main, while the process is small. Otherwise the
// first metafile starts it.
void startMetafileDecoder();

} // namespace plat
