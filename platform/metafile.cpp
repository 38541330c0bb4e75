#include "platform/metafile.h"

#include "platform/errors.h"
#include "platform/isolated.h"
#include "platform/picture.h"

#include <QPoint>
#include <QPainter>
#include <QSvgRenderer>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>

#include <cmath>
#include <cstdint>
#include <cstring>


namespace plat {

namespace {

std::uint32_t le32(const QByteArray& b, qsizetype at) {
    if (at < 0 || at + 4 > b.size()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
std::int32_t les32(const QByteArray& b, qsizetype at) { return std::int32_t(le32(b, at)); }
std::uint16_t le16(const QByteArray& b, qsizetype at) {
    if (at < 0 || at + 2 > b.size()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::int16_t les16(const QByteArray& b, qsizetype at) { return std::int16_t(le16(b, at)); }

constexpr std::uint32_t kPlaceable = 0x9AC6CDD7u;
constexpr qsizetype kPlaceableSize = 22, kWmfHeaderSize = 18, kEmfHeaderSize = 88;

bool isWmfHeader(const QByteArray& b, qsizetype at) {
    const std::uint16_t type = le16(b, at), words = le16(b, at + 2), version = le16(b, at + 4);
    return b.size() >= at + kWmfHeaderSize && (type == 1 || type == 2) && words == 9 &&
           (version == 0x0100 || version == 0x0300);
}

// Whole pixels from a length at 96 an inch, halves to even.
long long pixels(double v) { return std::isfinite(v) ? (long long)std::nearbyint(v) : -1; }

// The two values of the first record of that function among the first
// records of a Windows metafile whose header starts at `at`: (x, y).
std::optional<QPoint> wmfFirst(const QByteArray& b, qsizetype at, std::uint16_t function) {
    qsizetype pos = at + kWmfHeaderSize;
    for (int n = 0; n < 64 && pos + 6 <= b.size(); ++n) {
        const std::uint32_t words = le32(b, pos);
        const std::uint16_t f = le16(b, pos + 4);
        if (words < 3 || qint64(words) * 2 > b.size() - pos) break;
        if (f == function && words >= 5) return QPoint(les16(b, pos + 8), les16(b, pos + 6));
        if (f == 0) break;
        pos += qsizetype(words) * 2;
    }
    return std::nullopt;
}

// Whether the file holds as many bytes as its header says.
bool whole(const QByteArray& b, MetafileKind kind) {
    if (kind == MetafileKind::kEmf) return le32(b, 48) >= kEmfHeaderSize && le32(b, 48) <= quint64(b.size());
    const qsizetype at = le32(b, 0) == kPlaceable ? kPlaceableSize : 0;
    return isWmfHeader(b, at) && quint64(le32(b, at + 6)) * 2 <= quint64(b.size() - at);
}

// ---- the child's work

// The placeable header's box in libwmf's drawing units (points, from the
// window's origin); nothing for a plain metafile, which libwmf frames itself.
std::optional<wmfD_Rect> wmfFrame(const QByteArray& b) {
    if (le32(b, 0) != kPlaceable) return std::nullopt;
    const double inch = le16(b, 14);
    const QPoint origin = wmfFirst(b, kPlaceableSize, 0x020B).value_or(QPoint(les16(b, 6), les16(b, 8)));
    wmfD_Rect r;
    r.TL.x = float((les16(b, 6) - origin.x()) * 72.0 / inch);
    r.TL.y = float((les16(b, 8) - origin.y()) * 72.0 / inch);
    r.BR.x = float((les16(b, 10) - origin.x()) * 72.0 / inch);
    r.BR.y = float((les16(b, 12) - origin.y()) * 72.0 / inch);
    return r;
}

// A truecolour pixel of libwmf's drawing (alpha 0 opaque to 127 clear) laid
// over white, as an opaque QRgb.
std::uint32_t overWhite(std::uint32_t p) {
    const int clear = int((p >> 24) & 0x7F);
    if (clear == 0) return 0xFF000000u | p;
    auto over = [&](int c) { return (c * (127 - clear) + 255 * clear + 63) / 127; };
    return qRgb(over(int((p >> 16) & 0xFF)), over(int((p >> 8) & 0xFF)), over(int(p & 0xFF)));
}

// An image over the rows of Format_RGB32 pixels, which it keeps.
QImage imageOver(QByteArray&& rows, int w, int h) {
    auto* kept = new QByteArray(std::move(rows));
    QImage img(reinterpret_cast<uchar*>(kept->data()), w, h, qsizetype(w) * 4, QImage::Format_RGB32,
               [](void* p) { delete static_cast<QByteArray*>(p); }, kept);
    if (img.isNull()) {
        delete kept;
        throw RuntimeError(err::kOutOfMemory);
    }
    return img;
}

// Both draw the file's bytes the child was sent, which are its own to hand
// the library.
QByteArray drawWmf(QByteArray& data, int w, int h) {
    wmfAPI* api = nullptr;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_gd_function;
    // Every error counts: a record the library cannot draw refuses the file.
    if (wmf_api_create(&api, WMF_OPT_FUNCTION, &options) != wmf_E_None) return {};
    const std::optional<wmfD_Rect> frame = wmfFrame(data);
    QByteArray out;
    wmfD_Rect box;
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(data.data()), long(data.size())) == wmf_E_None &&
        wmf_scan(api, 0, &box) == wmf_E_None) {
        if (frame) box = *frame;
        wmf_gd_t* device = WMF_GD_GetData(api);
        device->type = wmf_gd_image;
        device->width = unsigned(w);
        device->height = unsigned(h);
        device->bbox = box;
        if (wmf_play(api, 0, &box) == wmf_E_None && device->gd_image) {
            // Sent as the rows of an opaque Format_RGB32 image, which the
            // program takes as they come.
            const int* px = wmf_gd_image_pixels(device->gd_image);
            if (px) {
                out.resize(qsizetype(w) * h * 4);
                auto* to = reinterpret_cast<std::uint32_t*>(out.data());
                const auto* from = reinterpret_cast<const std::uint32_t*>(px);
                for (qsizetype i = 0, n = qsizetype(w) * h; i < n; ++i) to[i] = overWhite(from[i]);
            }
        }
    }
    wmf_api_destroy(api);
    return out;
}

QByteArray drawEmf(QByteArray& data, int w, int h) {
    generatorOptions options;
    std::memset(&options, 0, sizeof options);
    char ns[] = "";
    options.nameSpace = ns;
    options.svgDelimiter = true;
    options.imgWidth = w;
    options.imgHeight = h;
    char* svg = nullptr;
    size_t length = 0;
    if (!emf2svg(data.data(), size_t(data.size()), &svg, &length, &options) || !svg) {
        std::free(svg);
        return {};
    }
    QByteArray out(svg, qsizetype(length));
    std::free(svg);
    return out;
}

constexpr int kTimeoutMs = 5000;
constexpr qint64 kChildMemory = qint64(1) << 30;
constexpr qint64 kMaxSvg = qint64(64) << 20;

// A request to the decoding child: the kind, the width and height to draw
// at, then the file's bytes.
constexpr qsizetype kRequestHeader = 9;

QByteArray request(MetafileKind kind, int w, int h, const QByteArray& data) {
    QByteArray r;
    r.reserve(kRequestHeader + data.size());
    r.append(char(kind));
    for (const int v : {w, h})
        for (int i = 0; i < 4; ++i) r.append(char((std::uint32_t(v) >> (8 * i)) & 0xFF));
    r.append(data);
    return r;
}

QByteArray answer(const QByteArray& r) {
    if (r.size() < kRequestHeader) return {};
    const int w = int(le32(r, 1)), h = int(le32(r, 5));
    QByteArray data = r.mid(kRequestHeader);
    switch (MetafileKind(r[0])) {
    case MetafileKind::kWmf: return drawWmf(data, w, h);
    case MetafileKind::kEmf: return drawEmf(data, w, h);
    case MetafileKind::kNone: break;
    }
    return {};
}

// The child the libraries run in, kept from one metafile to the next.
IsolatedWorker& decoder() {
    static IsolatedWorker worker(answer, kChildMemory + kMaxPicturePixels * 4);
    return worker;
}

} // namespace

MetafileKind metafileKind(const QByteArray& b) {
    if (le32(b, 0) == kPlaceable) return MetafileKind::kWmf;
    if (isWmfHeader(b, 0)) return MetafileKind::kWmf;
    if (le32(b, 0) == 1 && le32(b, 40) == 0x464D4520u) return MetafileKind::kEmf; // EMR_HEADER, " EMF"
    return MetafileKind::kNone;
}

QSize metafileSize(const QByteArray& b) {
    switch (metafileKind(b)) {
    case MetafileKind::kWmf: {
        if (le32(b, 0) != kPlaceable) {
            const auto e = wmfFirst(b, 0, 0x020C);
            if (!e || e->x() == 0 || e->y() == 0) return QSize();
            return QSize(std::abs(e->x()), std::abs(e->y()));
        }
        if (!isWmfHeader(b, kPlaceableSize)) return QSize();
        const int inch = le16(b, 14);
        if (inch == 0) return QSize();
        const long long w = pixels(std::abs(double(les16(b, 10)) - les16(b, 6)) * 96.0 / inch);
        const long long h = pixels(std::abs(double(les16(b, 12)) - les16(b, 8)) * 96.0 / inch);
        if (w < 1 || h < 1) return QSize();
        return QSize(int(std::min<long long>(w, 1 << 30)), int(std::min<long long>(h, 1 << 30)));
    }
    case MetafileKind::kEmf: {
        if (b.size() < kEmfHeaderSize || le32(b, 4) < kEmfHeaderSize) return QSize();
        const double fw = double(les32(b, 32)) - les32(b, 24), fh = double(les32(b, 36)) - les32(b, 28);
        const long long w = pixels(fw * 96.0 / 2540.0), h = pixels(fh * 96.0 / 2540.0);
        if (w < 1 || h < 1) return QSize();
        return QSize(int(std::min<long long>(w, 1 << 30)), int(std::min<long long>(h, 1 << 30)));
    }
    case MetafileKind::kNone: break;
    }
    return QSize();
}

void startMetafileDecoder() { decoder().start(); }

QImage decodeMetafile(const QByteArray& data) {
    const MetafileKind kind = metafileKind(data);
    const QSize size = metafileSize(data);
    if (kind == MetafileKind::kNone || !size.isValid() || !whole(data, kind)) throw RuntimeError(err::kInvalidPicture);
    const int w = size.width(), h = size.height();
    if (w > kMaxMetafileSide || h > kMaxMetafileSide || qint64(w) * h > kMaxPicturePixels)
        throw RuntimeError(err::kOutOfMemory);

    if (kind == MetafileKind::kWmf) {
        const qint64 bytes = qint64(w) * h * 4;
        auto px = decoder().run(request(kind, w, h, data), bytes, kTimeoutMs);
        if (!px || px->size() != bytes) throw RuntimeError(err::kInvalidPicture);
        return imageOver(std::move(*px), w, h);
    }
    const auto svg = decoder().run(request(kind, w, h, data), kMaxSvg, kTimeoutMs);
    if (!svg) throw RuntimeError(err::kInvalidPicture);
    QSvgRenderer renderer(*svg);
    if (!renderer.isValid()) throw RuntimeError(err::kInvalidPicture);
    QImage img(w, h, QImage::Format_RGB32);
    if (img.isNull()) throw RuntimeError(err::kOutOfMemory);
    img.fill(Qt::white);
    QPainter p(&img);
    renderer.render(&p, QRectF(0, 0, w, h));
    p.end();
    return img;
}

} // namespace plat
