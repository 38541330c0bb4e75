#include "platform/errors.h"
#include "platform/picture.h"
#include "tests/support/fixtures.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sys/stat.h>

using namespace plat;
using testing_support::ScratchDir;
using testing_support::errorNumberOf;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

void put16(QByteArray& b, int v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
}

std::uint32_t get32(const QByteArray& b, int at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | std::uint8_t(b[at + i]);
    return v;
}

// A palette BMP with run-length compressed pixel data, built byte by byte.
QByteArray paletteBmp(int w, int h, int bits, int compression, const std::vector<QRgb>& palette,
                      const QByteArray& data) {
    const int offset = 14 + 40 + int(palette.size()) * 4;
    QByteArray b("BM");
    put32(b, std::uint32_t(offset + data.size()));
    put32(b, 0);
    put32(b, std::uint32_t(offset));
    put32(b, 40);
    put32(b, std::uint32_t(w));
    put32(b, std::uint32_t(h));
    put16(b, 1);
    put16(b, bits);
    put32(b, std::uint32_t(compression));
    put32(b, std::uint32_t(data.size()));
    put32(b, 2835);
    put32(b, 2835);
    put32(b, std::uint32_t(palette.size()));
    put32(b, 0);
    for (QRgb c : palette) {
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append('\0');
    }
    return b + data;
}

QByteArray bytes(std::initializer_list<int> v) {
    QByteArray b;
    for (int x : v) b.append(char(x));
    return b;
}

std::vector<QRgb> row(const QImage& img, int y) {
    std::vector<QRgb> out;
    for (int x = 0; x < img.width(); ++x) out.push_back(img.pixel(x, y));
    return out;
}

QImage pattern(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(20 * x + 5, 40 * y + 3, (x * 7 + y * 11) & 0xFF));
    return img;
}

const QRgb c0 = qRgb(255, 255, 255), c1 = qRgb(200, 16, 32), c2 = qRgb(0, 64, 128);

} // namespace

// ---------------------------------------------------------------- loading

TEST(LoadPicture, RunLengthEightBitBmp) {
    // 5 x 2. Bottom row: a run of 3 of colour 1, a run of 2 of colour 2, end
    // of line. Top row: 5 pixels in absolute mode (padded to a word), end of picture.
    const QByteArray data = bytes({0x03, 0x01, 0x02, 0x02, 0x00, 0x00,
                                   0x00, 0x05, 0x00, 0x01, 0x02, 0x01, 0x00, 0x00,
                                   0x00, 0x01});
    ScratchDir dir;
    for (const QString& name : {QStringLiteral("rle8.bmp"), QStringLiteral("rle8.rle"),
                               QStringLiteral("no-extension")}) {
        SCOPED_TRACE(name.toStdString());
        writeBytes(dir.file(name), paletteBmp(5, 2, 8, 1, {c0, c1, c2}, data));
        const QImage img = loadPicture(dir.file(name));
        ASSERT_EQ(img.size(), QSize(5, 2));
        EXPECT_EQ(img.format(), QImage::Format_RGB32);
        EXPECT_EQ(row(img, 1), (std::vector<QRgb>{c1, c1, c1, c2, c2}));
        EXPECT_EQ(row(img, 0), (std::vector<QRgb>{c0, c1, c2, c1, c0}));
    }
}

TEST(LoadPicture, RunLengthFourBitBmp) {
    // 5 x 1: a run of 5 pixels alternating colours 1 and 2, end of picture.
    ScratchDir dir;
    writeBytes(dir.file("rle4.rle"), paletteBmp(5, 1, 4, 2, {c0, c1, c2}, bytes({0x05, 0x12, 0x00, 0x01})));
    const QImage img = loadPicture(dir.file("rle4.rle"));
    ASSERT_EQ(img.size(), QSize(5, 1));
    EXPECT_EQ(row(img, 0), (std::vector<QRgb>{c1, c2, c1, c2, c1}));
}

TEST(LoadPicture, CommonFormatsByContent) {
    struct Case {
        const char* format;
        const char* fileName; // the name need not match the content
        bool exact;
    };
    const Case cases[] = {
        {"BMP", "a.bmp", true}, {"PNG", "b.png", true}, {"PNG", "c.bmp", true},
        {"JPEG", "d.jpg", false}, {"JPEG", "e.rle", false},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName);
        const QImage src = c.exact ? pattern(7, 3) : [] {
            QImage flat(16, 8, QImage::Format_RGB32);
            flat.fill(qRgb(40, 120, 200));
            return flat;
        }();
        ASSERT_TRUE(src.save(dir.file(c.fileName), c.format, 95));
        const QImage img = loadPicture(dir.file(c.fileName));
        ASSERT_EQ(img.size(), src.size());
        EXPECT_EQ(img.format(), QImage::Format_RGB32);
        if (c.exact) {
            EXPECT_EQ(img, src);
        } else {
            const QRgb p = img.pixel(3, 3);
            EXPECT_NEAR(qRed(p), 40, 6);
            EXPECT_NEAR(qGreen(p), 120, 6);
            EXPECT_NEAR(qBlue(p), 200, 6);
        }
    }
}

TEST(LoadPicture, TransparencyShowsOverWhite) {
    QImage src(2, 1, QImage::Format_ARGB32);
    src.setPixel(0, 0, qRgba(0, 0, 0, 0));
    src.setPixel(1, 0, qRgba(10, 20, 30, 255));
    ScratchDir dir;
    ASSERT_TRUE(src.save(dir.file("alpha.png"), "PNG"));
    const QImage img = loadPicture(dir.file("alpha.png"));
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(1, 0), qRgb(10, 20, 30));
}

TEST(LoadPicture, FailuresCarryTheirNumbers) {
    QByteArray placeable = bytes({0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x40, 0x01, 0xF0, 0x00,
                                  0x60, 0x00, 0, 0, 0, 0, 0, 0});
    QByteArray wmf = bytes({0x01, 0x00, 0x09, 0x00, 0x00, 0x03, 0x20, 0, 0, 0, 0x01, 0x00, 0x05,
                            0, 0, 0, 0, 0});
    QByteArray emf = bytes({0x01, 0, 0, 0, 0x6C, 0, 0, 0});
    emf.append(QByteArray(32, '\0'));
    emf.append(" EMF");
    emf.append(QByteArray(64, '\0'));
    const QByteArray truncatedBmp = paletteBmp(5, 2, 8, 0, {c0}, QByteArray()).left(30);

    struct Case {
        const char* name;
        QByteArray content;
        int error;
    };
    const Case cases[] = {
        {"placeable.wmf", placeable, err::kInvalidPicture},
        {"plain.wmf", wmf, err::kInvalidPicture},
        {"enhanced.emf", emf, err::kInvalidPicture},
        {"text.bmp", "this is not a picture", err::kInvalidPicture},
        {"empty.jpg", QByteArray(), err::kInvalidPicture},
        {"truncated.bmp", truncatedBmp, err::kInvalidPicture},
    };
    ScratchDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(dir.file(c.name), c.content);
        EXPECT_EQ(errorNumberOf([&] { loadPicture(dir.file(c.name)); }), c.error);
    }
    EXPECT_EQ(errorNumberOf([&] { loadPicture(dir.file("missing.bmp")); }), err::kFileNotFound);
    EXPECT_EQ(errorNumberOf([&] { loadPicture(dir.file("no/such/folder.bmp")); }), err::kFileNotFound);
    EXPECT_EQ(errorNumberOf([&] { loadPicture(QString()); }), err::kFileNotFound);
    EXPECT_EQ(errorNumberOf([&] { loadPicture(dir.path()); }), err::kPathFileAccessError);
}

// ----------------------------------------------------------------- saving

TEST(SavePicture, TwentyFourBitBottomUpBmp) {
    ScratchDir dir;
    const QImage src = pattern(3, 2); // 3 pixels = 9 bytes a row, padded to 12
    savePictureBmp(src, dir.file("out.bmp"));
    const QByteArray b = readBytes(dir.file("out.bmp"));
    ASSERT_EQ(b.size(), 54 + 12 * 2);
    EXPECT_EQ(b.left(2), QByteArray("BM"));
    EXPECT_EQ(get32(b, 2), 54u + 24u);   // file size
    EXPECT_EQ(get32(b, 10), 54u);        // pixel data offset
    EXPECT_EQ(get32(b, 18), 3u);         // width
    EXPECT_EQ(get32(b, 22), 2u);         // height, positive: bottom row first
    EXPECT_EQ(get32(b, 28) & 0xFFFF, 24u); // bits a pixel
    EXPECT_EQ(get32(b, 30), 0u);         // no compression
    // The first pixel stored is the bottom-left one, blue first.
    const QRgb bl = src.pixel(0, 1);
    EXPECT_EQ(std::uint8_t(b[54]), qBlue(bl));
    EXPECT_EQ(std::uint8_t(b[55]), qGreen(bl));
    EXPECT_EQ(std::uint8_t(b[56]), qRed(bl));
    EXPECT_EQ(loadPicture(dir.file("out.bmp")), src);
}

TEST(SavePicture, ReplacesAnEarlierFile) {
    ScratchDir dir;
    writeBytes(dir.file("p.bmp"), QByteArray(1000, 'x'));
    const QImage src = pattern(4, 4);
    savePictureBmp(src, dir.file("p.bmp"));
    EXPECT_EQ(loadPicture(dir.file("p.bmp")), src);
    EXPECT_EQ(readBytes(dir.file("p.bmp")).size(), 54 + 12 * 4);
}

TEST(SavePicture, FailuresCarryTheirNumbers) {
    ScratchDir dir;
    const QImage img = pattern(2, 2);
    EXPECT_EQ(errorNumberOf([&] { savePictureBmp(img, dir.file("no/such/p.bmp")); }), err::kPathNotFound);
    EXPECT_EQ(errorNumberOf([&] { savePictureBmp(img, dir.path()); }), err::kPathFileAccessError);
    EXPECT_EQ(errorNumberOf([&] { savePictureBmp(img, QString()); }), err::kPathFileAccessError);
    EXPECT_EQ(errorNumberOf([&] { savePictureBmp(QImage(), dir.file("null.bmp")); }), err::kInvalidPicture);
    EXPECT_FALSE(QFile::exists(dir.file("null.bmp")));
}

// -------------------------------------------------------------- clipboard

TEST(Clipboard, PictureRoundTrip) {
    QClipboard* cb = QGuiApplication::clipboard();
    ASSERT_NE(cb, nullptr);
    const QImage src = pattern(5, 4);
    cb->setImage(src);
    if (cb->image().isNull()) GTEST_SKIP() << "this platform keeps no clipboard";
    EXPECT_TRUE(clipboardHasPicture());
    const QImage got = clipboardPicture();
    EXPECT_EQ(got.format(), QImage::Format_RGB32);
    EXPECT_EQ(got, src);

    cb->setText(QStringLiteral("text only"));
    EXPECT_FALSE(clipboardHasPicture());
    EXPECT_TRUE(clipboardPicture().isNull());
    cb->clear();
    EXPECT_FALSE(clipboardHasPicture());
}

TEST(LoadPicture, NeverWaitsOnAFifoNorDecodesAHugePicture) {
    ScratchDir dir;
    const QString fifo = dir.file("foto.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    EXPECT_EQ(errorNumberOf([&] { loadPicture(fifo); }), err::kPathFileAccessError);
    EXPECT_EQ(errorNumberOf([&] { loadPicture("/dev/zero"); }), err::kPathFileAccessError);
    // A 24-bit bitmap header that promises 10,000 x 10,000 pixels.
    QByteArray bmp("BM");
    const auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp.append(char((v >> (8 * i)) & 0xFF));
    };
    put32(54 + 300);
    put32(0);
    put32(54);
    put32(40);
    put32(10000);
    put32(10000);
    bmp.append(char(1)).append(char(0)).append(char(24)).append(char(0));
    for (int i = 0; i < 6; ++i) put32(0);
    bmp.append(300, '\x7f');
    writeBytes(dir.file("enorme.bmp"), bmp);
    EXPECT_EQ(errorNumberOf([&] { loadPicture(dir.file("enorme.bmp")); }), err::kOutOfMemory) << "too large";
    // A file of 7 GB (sparse) is too large before a byte of it is read.
    QFile grande(dir.file("grande.png"));
    ASSERT_TRUE(grande.open(QIODevice::WriteOnly));
    if (!grande.resize(qint64(7) << 30)) GTEST_SKIP() << "no sparse files here";
    grande.close();
    EXPECT_EQ(errorNumberOf([&] { loadPicture(dir.file("grande.png")); }), err::kOutOfMemory);
}
