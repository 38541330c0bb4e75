// The resources made at build time: the embedded sounds, cursors and icon, and
// the sample pictures laid out beside the program.
#include "resources/resources.h"
#include "tests/support/fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTransform>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite() { teselaro::initResources(); }
};

// ------------------------------------------------------------------ sounds

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t le32(const QByteArray& b, qsizetype at) {
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
int le16(const QByteArray& b, qsizetype at) {
    return int(std::uint8_t(b[at])) | int(std::uint8_t(b[at + 1])) << 8;
}

// Reads a RIFF/WAVE file chunk by chunk; an error text when it is not one.
std::optional<Wav> readWav(const QByteArray& b, std::string* error) {
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") {
        *error = "no RIFF/WAVE header";
        return std::nullopt;
    }
    if (le32(b, 4) != std::uint32_t(b.size() - 8)) {
        *error = "the RIFF size does not match the file";
        return std::nullopt;
    }
    Wav wav;
    bool fmt = false, data = false;
    for (qsizetype at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const std::uint32_t size = le32(b, at + 4);
        if (at + 8 + qsizetype(size) > b.size()) {
            *error = "a chunk runs past the end";
            return std::nullopt;
        }
        if (id == "fmt " && size >= 16) {
            wav.format = le16(b, at + 8);
            wav.channels = le16(b, at + 10);
            wav.rate = int(le32(b, at + 12));
            wav.bits = le16(b, at + 22);
            if (le32(b, at + 16) != std::uint32_t(wav.rate * wav.channels * wav.bits / 8) ||
                le16(b, at + 20) != wav.channels * wav.bits / 8) {
                *error = "inconsistent byte rate or frame size";
                return std::nullopt;
            }
            fmt = true;
        } else if (id == "data") {
            for (qsizetype i = 0; i + 1 < qsizetype(size); i += 2)
                wav.samples.push_back(std::int16_t(le16(b, at + 8 + i)));
            data = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!fmt || !data) {
        *error = "no fmt or no data chunk";
        return std::nullopt;
    }
    return wav;
}

struct SoundCase {
    int id;
    int minMs, maxMs;
};

void PrintTo(const SoundCase& c, std::ostream* os) {
    *os << "sound " << c.id;
}

class Sounds : public Resources, public ::testing::WithParamInterface<SoundCase> {};

TEST_P(Sounds, IsAQuietCleanPcmFileOfItsLength) {
    const SoundCase c = GetParam();
    const QByteArray bytes = teselaro::soundResource(c.id);
    ASSERT_FALSE(bytes.isEmpty()) << "sound " << c.id << " is missing";
    std::string error;
    const std::optional<Wav> wav = readWav(bytes, &error);
    ASSERT_TRUE(wav) << error;
    EXPECT_EQ(wav->format, 1);  // PCM
    EXPECT_EQ(wav->channels, 1);
    EXPECT_EQ(wav->rate, 22050);
    EXPECT_EQ(wav->bits, 16);
    ASSERT_FALSE(wav->samples.empty());

    const double ms = 1000.0 * double(wav->samples.size()) / wav->rate;
    EXPECT_GE(ms, c.minMs);
    EXPECT_LE(ms, c.maxMs);

    int peak = 0;
    for (std::int16_t s : wav->samples) peak = std::max(peak, std::abs(int(s)));
    const double peakDb = 20.0 * std::log10(peak / 32768.0);
    EXPECT_LE(peakDb, -3.0) << "too loud";
    EXPECT_GE(peakDb, -20.0) << "too faint to hear";
    // Faded in and out: no click at either end.
    EXPECT_LT(std::abs(int(wav->samples.front())), 300);
    EXPECT_LT(std::abs(int(wav->samples.back())), 300);
}

INSTANTIATE_TEST_SUITE_P(EverySound, Sounds,
                         ::testing::Values(SoundCase{6, 90, 120}, SoundCase{7, 90, 120}, SoundCase{9, 90, 150},
                                           SoundCase{11, 150, 400}, SoundCase{14, 800, 2000},
                                           SoundCase{50, 20, 150}, SoundCase{51, 80, 250},
                                           SoundCase{52, 60, 250}, SoundCase{53, 60, 200},
                                           SoundCase{55, 80, 300}),
                         [](const auto& info) { return "Sound" + std::to_string(info.param.id); });

TEST_F(Resources, SoundResourceIsEmptyForAnIdWithoutSound) {
    for (int id : {0, -1, 8, 54, 1000}) EXPECT_TRUE(teselaro::soundResource(id).isEmpty()) << id;
}

TEST_F(Resources, SoundResourceIsTheEmbeddedFile) {
    QFile f(QStringLiteral(":/sounds/51.wav"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(teselaro::soundResource(51), f.readAll());
}

// ------------------------------------------------------------------ cursors

const char* const kCursors[] = {"MANOABIERTA", "MANOVERDE", "MANOROJA",    "MANOINDICE",
                                "FLECHANOR",   "FLECHAEST", "FLECHASUR",   "FLECHAOES",
                                "MANOCERRADA", "PUNTUTOR",  "CRUZFLECHAS", "PROHIBIDO"};

QHash<QString, QPoint> hotspots() {
    QHash<QString, QPoint> out;
    QFile f(QStringLiteral(":/cursors/hotspots.txt"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return out;
    while (!f.atEnd()) {
        const QStringList parts = QString::fromUtf8(f.readLine()).simplified().split(' ', Qt::SkipEmptyParts);
        if (parts.size() == 3) out.insert(parts[0], QPoint(parts[1].toInt(), parts[2].toInt()));
        else if (!parts.isEmpty()) out.insert(QStringLiteral("<bad line>"), {});
    }
    return out;
}

QImage cursor(const char* name) {
    return QImage(QStringLiteral(":/cursors/%1.png").arg(QLatin1String(name)))
        .convertToFormat(QImage::Format_ARGB32);
}

TEST_F(Resources, HotspotListNamesEveryCursorOnce) {
    QSet<QString> expected;
    for (const char* name : kCursors) expected.insert(QLatin1String(name));
    const QHash<QString, QPoint> spots = hotspots();
    EXPECT_EQ(QSet<QString>(spots.keyBegin(), spots.keyEnd()), expected);
}

class Cursors : public Resources, public ::testing::WithParamInterface<const char*> {};

TEST_P(Cursors, IsASmallTransparentPictureWithItsHotspotOnTheDrawing) {
    const QImage image = cursor(GetParam());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(32, 32));
    int clear = 0, solid = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(image.pixel(x, y));
            clear += a == 0;
            solid += a == 255;
        }
    EXPECT_GT(clear, 100);
    EXPECT_GT(solid, 60);

    const QHash<QString, QPoint> spots = hotspots();
    ASSERT_TRUE(spots.contains(QLatin1String(GetParam())));
    const QPoint hot = spots.value(QLatin1String(GetParam()));
    ASSERT_TRUE(image.rect().contains(hot)) << hot.x() << "," << hot.y();
    // The hotspot lies on the drawing (or touches it), not out in the clear.
    bool near = false;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint p = hot + QPoint(dx, dy);
            near |= image.rect().contains(p) && qAlpha(image.pixel(p)) >= 128;
        }
    EXPECT_TRUE(near) << "hotspot " << hot.x() << "," << hot.y();
}

INSTANTIATE_TEST_SUITE_P(EveryCursor, Cursors, ::testing::ValuesIn(kCursors),
                         [](const auto& info) { return std::string(info.param); });

// Pixels of the drawing where one channel clearly leads the other two.
int dominated(const QImage& image, int channel) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 255) continue;
            const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
            n += c[channel] > c[(channel + 1) % 3] + 60 && c[channel] > c[(channel + 2) % 3] + 60;
        }
    return n;
}

TEST_F(Resources, TintedHandsShowTheirColour) {
    const QImage plain = cursor("MANOABIERTA"), green = cursor("MANOVERDE"), red = cursor("MANOROJA");
    EXPECT_GT(dominated(green, 1), 60);
    EXPECT_GT(dominated(red, 0), 60);
    EXPECT_LT(dominated(plain, 0) + dominated(plain, 1), 5);
    EXPECT_LT(dominated(green, 0), 5);
    EXPECT_LT(dominated(red, 1), 5);
}

// Number of drawn pixels in row y.
int rowWidth(const QImage& image, int y) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) >= 128;
    return n;
}

TEST_F(Resources, ArrowsPointTheirWay) {
    // Turned back to point up, each arrow is narrow at its top end (the tip)
    // and wide at its bottom end (the tail of the shaft).
    const struct {
        const char* name;
        int clockwiseTurns;
    } arrows[] = {{"FLECHANOR", 0}, {"FLECHAEST", 1}, {"FLECHASUR", 2}, {"FLECHAOES", 3}};
    for (const auto& a : arrows) {
        SCOPED_TRACE(a.name);
        const QImage up = cursor(a.name).transformed(QTransform().rotate(-90.0 * a.clockwiseTurns));
        int top = -1, bottom = -1;
        for (int y = 0; y < up.height(); ++y) {
            if (rowWidth(up, y) == 0) continue;
            if (top < 0) top = y;
            bottom = y;
        }
        ASSERT_GE(top, 0);
        EXPECT_LT(rowWidth(up, top + 2), rowWidth(up, bottom - 2));
    }
}

TEST_F(Resources, ProgramIconLoads) {
    const QImage icon(QStringLiteral(":/icons/teselaro.png"));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(64, 64));
    EXPECT_TRUE(icon.hasAlphaChannel());
    int solid = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) solid += qAlpha(icon.pixel(x, y)) == 255;
    EXPECT_GT(solid, 64 * 64 / 3);
}

// ---------------------------------------------------------- sample pictures

TEST(SamplePictures, AreVariedPicturesOfUsableSize) {
    const QString folder = testing_support::samplePicturesFolder();
    ASSERT_FALSE(folder.isEmpty()) << "no bin/Imagenes above " << QCoreApplication::applicationDirPath().toStdString();
    const QFileInfoList files = QDir(folder).entryInfoList(
        {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.bmp"), QStringLiteral("*.rle")},
        QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 12);
    int jpeg = 0;
    qint64 total = 0;
    QSet<QString> kinds;
    for (const QFileInfo& info : files) {
        SCOPED_TRACE(info.fileName().toStdString());
        total += info.size();
        kinds.insert(info.suffix().toLower());
        jpeg += info.suffix().toLower() == "jpg";
        EXPECT_FALSE(info.fileName().contains(' '));
        // Read by content, as the program reads them (an .rle is a run-length bitmap).
        QFile file(info.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (info.suffix().toLower() == "rle") {
            ASSERT_GE(bytes.size(), 54);
            EXPECT_TRUE(bytes.startsWith("BM"));
            EXPECT_EQ(bytes[28], 8) << "8 bits a pixel";
            EXPECT_EQ(bytes[30], 1) << "compressed by runs";
        }
        const QImage image = QImage::fromData(bytes);
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(image.width(), 320);
        EXPECT_LE(image.width(), 1024);
        EXPECT_GE(image.height(), 240);
        EXPECT_LE(image.height(), 768);

        // Busy enough to tell pieces apart: many colours, and parts of the
        // picture that differ from one another.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y) & 0xF0F0F0);
        EXPECT_GT(colours.size(), 150);
        // Cut into 8 x 6 pieces, a good share of them differ in colour.
        std::vector<QColor> distinct;
        for (int ty = 0; ty < 6; ++ty)
            for (int tx = 0; tx < 8; ++tx) {
                double r = 0, g = 0, b = 0;
                int n = 0;
                for (int y = ty * image.height() / 6; y < (ty + 1) * image.height() / 6; y += 2)
                    for (int x = tx * image.width() / 8; x < (tx + 1) * image.width() / 8; x += 2, ++n) {
                        const QRgb p = image.pixel(x, y);
                        r += qRed(p);
                        g += qGreen(p);
                        b += qBlue(p);
                    }
                const QColor mean(int(r / n), int(g / n), int(b / n));
                const bool seen = std::any_of(distinct.begin(), distinct.end(), [&](const QColor& c) {
                    return std::hypot(c.red() - mean.red(), c.green() - mean.green(), c.blue() - mean.blue()) < 12;
                });
                if (!seen) distinct.push_back(mean);
            }
        EXPECT_GE(distinct.size(), 12u);
        // Detailed at every scale: hardly any 25 x 25 patch (the smallest
        // piece) is one flat colour.
        int planos = 0, bloques = 0;
        for (int by = 0; by + 25 <= image.height(); by += 25)
            for (int bx = 0; bx + 25 <= image.width(); bx += 25, ++bloques) {
                int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
                for (int y = by; y < by + 25; ++y)
                    for (int x = bx; x < bx + 25; ++x) {
                        const QRgb p = image.pixel(x, y);
                        const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
                        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], c[k]), hi[k] = std::max(hi[k], c[k]);
                    }
                planos += std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]}) <= 12;
            }
        EXPECT_LE(planos * 50, bloques) << planos << " flat patches of " << bloques;
    }
    EXPECT_GT(jpeg * 2, int(files.size())) << "most are JPEG";
    EXPECT_TRUE(kinds.contains("jpg") || kinds.contains("jpeg"));
    EXPECT_TRUE(kinds.contains("bmp"));
    EXPECT_TRUE(kinds.contains("rle"));
    EXPECT_LT(total, 3 * 1024 * 1024);
}

} // namespace
