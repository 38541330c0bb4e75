#include "platform/picture.h"

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/metafile.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>

#include <cstdint>

namespace plat {

namespace {

// Opaque RGB32; pixels with transparency are laid over white.
QImage opaque(const QImage& img) {
    if (img.isNull()) return img;
    if (!img.hasAlphaChannel()) return img.convertToFormat(QImage::Format_RGB32);
    QImage out(img.size(), QImage::Format_RGB32);
    if (out.isNull()) return out;
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, img);
    p.end();
    return out;
}

void put16(QByteArray& b, std::uint16_t v) {
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

void put32(QByteArray& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

QImage loadPicture(const QString& path) {
    if (path.isEmpty()) throw RuntimeError(err::kFileNotFound);
    // Bounded and never blocking: a FIFO, a device or a huge file is refused.
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kMaxPictureFile) throw RuntimeError(err::kOutOfMemory);
    QByteArray data;
    try {
        data = readFile(path, kMaxPictureFile);
    } catch (const RuntimeError& e) {
        throw RuntimeError(e.number() == err::kPathNotFound ? err::kFileNotFound : e.number());
    }
    return decodePicture(data);
}

QImage decodePicture(const QByteArray& data) {
    if (data.isEmpty()) throw RuntimeError(err::kInvalidPicture);
    if (metafileKind(data) != MetafileKind::kNone) return decodeMetafile(data);

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // A picture too large to decode is no usable picture.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels)
        throw RuntimeError(err::kOutOfMemory);
    reader.setAllocationLimit(int((kMaxPicturePixels * 4) >> 20) + 1);
    const QImage img = opaque(reader.read());
    if (img.isNull()) throw RuntimeError(err::kInvalidPicture);
    if (qint64(img.width()) * img.height() > kMaxPicturePixels) throw RuntimeError(err::kOutOfMemory);
    return img;
}

void savePictureBmp(const QImage& image, const QString& path) {
    if (image.isNull()) throw RuntimeError(err::kInvalidPicture);
    const QImage img = opaque(image);
    if (img.isNull()) throw RuntimeError(err::kOutOfMemory);
    const int w = img.width(), h = img.height();
    const std::uint64_t rowBytes = (std::uint64_t(w) * 3 + 3) & ~std::uint64_t(3);
    const std::uint64_t pixelBytes = rowBytes * std::uint64_t(h);
    const std::uint64_t fileBytes = 54 + pixelBytes;
    if (fileBytes > 0x7FFFFFFFu) throw RuntimeError(err::kInvalidPicture);

    if (path.isEmpty()) throw RuntimeError(err::kPathFileAccessError);
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) throw RuntimeError(err::kPathNotFound);
    if (info.isDir()) throw RuntimeError(err::kPathFileAccessError);

    QByteArray out;
    out.reserve(qsizetype(fileBytes));
    // File header.
    out.append("BM", 2);
    put32(out, std::uint32_t(fileBytes));
    put32(out, 0);
    put32(out, 54);
    // Information header: bottom-up rows, 24 bits, no compression, 96 dpi.
    put32(out, 40);
    put32(out, std::uint32_t(w));
    put32(out, std::uint32_t(h));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, std::uint32_t(pixelBytes));
    put32(out, 3780);
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
    const qsizetype pad = qsizetype(rowBytes) - qsizetype(w) * 3;
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            out.append(char(qBlue(row[x])));
            out.append(char(qGreen(row[x])));
            out.append(char(qRed(row[x])));
        }
        for (qsizetype i = 0; i < pad; ++i) out.append('\0');
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw RuntimeError(err::kPathFileAccessError);
    if (file.write(out) != out.size()) {
        const bool full = file.error() == QFileDevice::ResourceError;
        file.cancelWriting();
        throw RuntimeError(full ? err::kDiskFull : err::kDeviceIoError);
    }
    if (!file.commit()) {
        throw RuntimeError(file.error() == QFileDevice::ResourceError ? err::kDiskFull
                                                                      : err::kPathFileAccessError);
    }
}

bool isPictureFileName(const QString& name) {
    // The pictures of the old list, and the PNG and JPEG files most
    // pictures on this system are.
    static const QStringList kExtensions{QStringLiteral(".bmp"), QStringLiteral(".rle"), QStringLiteral(".wmf"),
                                         QStringLiteral(".emf"), QStringLiteral(".jpg"), QStringLiteral(".png"),
                                         QStringLiteral(".jpeg")};
    for (const QString& e : kExtensions)
        if (name.size() > e.size() && name.endsWith(e, Qt::CaseInsensitive)) return true;
    return false;
}

bool clipboardHasPicture() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    const QClipboard* cb = QGuiApplication::clipboard();
    const QMimeData* m = cb ? cb->mimeData() : nullptr;
    return m && m->hasImage();
}

QImage clipboardPicture() {
    if (!clipboardHasPicture()) return QImage();
    return opaque(QGuiApplication::clipboard()->image());
}

} // namespace plat
