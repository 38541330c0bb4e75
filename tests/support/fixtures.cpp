#include "tests/support/fixtures.h"

#include <QCoreApplication>
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

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ScratchDir::ScratchDir() { dir_.setAutoRemove(true); }

QString ScratchDir::path() const { return dir_.path() + "/"; }

} // namespace testing_support
