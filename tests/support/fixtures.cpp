#include "tests/support/fixtures.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace testing_support {

QStringList asciiArt(const plat::Surface& s, int x0, int y0, int w, int h) {
    QStringList rows;
    for (int y = y0; y < y0 + h; ++y) {
        QString row;
        for (int x = x0; x < x0 + w; ++x) {
            const plat::Color c = s.point(x, y);
            row += c == plat::kBlack ? QChar('#') : c == plat::kWhite ? QChar('.') : QChar('?');
        }
        rows << row;
    }
    return rows;
}

QStringList asciiArt(const plat::Surface& s) { return asciiArt(s, 0, 0, s.scaleWidth(), s.scaleHeight()); }

int countColor(const plat::Surface& s, plat::Color c) {
    int n = 0;
    for (int y = 0; y < s.scaleHeight(); ++y)
        for (int x = 0; x < s.scaleWidth(); ++x)
            if (s.point(x, y) == c) ++n;
    return n;
}

QString samplePicturesFolder() {
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 4; ++up) {
        if (dir.exists(QStringLiteral("bin/Imagenes"))) return dir.filePath(QStringLiteral("bin/Imagenes")) + "/";
        if (!dir.cdUp()) break;
    }
    return {};
}

int timesPlayed(const plat::RecordingSoundPlayer& player, const QByteArray& clip) {
    int n = 0;
    for (const auto& c : player.calls())
        n += c.kind == plat::RecordingSoundPlayer::Call::Kind::Play && c.clip == clip;
    return n;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size()) << path.toStdString();
}

QByteArray pngHeaderOnly(int ancho, int alto) {
    // A real one-pixel PNG whose header is then made to say ancho x alto.
    QImage uno(1, 1, QImage::Format_RGB32);
    uno.fill(Qt::white);
    QByteArray png;
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    uno.save(&b, "PNG");
    auto be32 = [&](qsizetype en, quint32 v) {
        for (int i = 0; i < 4; ++i) png[en + i] = char((v >> (8 * (3 - i))) & 0xFF);
    };
    be32(16, quint32(ancho));
    be32(20, quint32(alto));
    quint32 crc = 0xFFFFFFFFu; // over the chunk's type and data, bytes 12 to 28
    for (qsizetype i = 12; i < 29; ++i) {
        crc ^= quint8(png[i]);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    be32(29, ~crc);
    return png;
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ScratchDir::ScratchDir() { dir_.setAutoRemove(true); }

QString ScratchDir::path() const { return dir_.path() + "/"; }

} // namespace testing_support
