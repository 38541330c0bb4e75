#include "tests/support/fixtures.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "platform/files.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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

const std::vector<ArchivoIlegible>& ArchivosIlegibles() {
    using D = ArchivoIlegible::Dano;
    static const std::vector<ArchivoIlegible> casos = {
        {"a folder", D::Carpeta, "no se ha podido leer (error 75)"},
        {"a FIFO", D::Fifo, "no se ha podido leer (error 75)"},
        {"too large", D::Enorme, "no se ha podido leer (error 75)"},
        {"no read permission (the file layer)", D::SinPermiso, "no se ha podido leer (error 75)"},
        {"no read permission (its mode)", D::SinPermisoReal, "no se ha podido leer (error 75)"},
        {"missing", D::Falta, "no se encuentra"},
    };
    return casos;
}

namespace {
void Quita(const QString& ruta) {
    const QFileInfo fi(ruta);
    if (fi.isDir() && !fi.isSymLink()) QDir(ruta).removeRecursively();
    else QFile::remove(ruta);
}
} // namespace

ArchivoDanado::ArchivoDanado(const QString& ruta, ArchivoIlegible::Dano dano) : ruta_(ruta) {
    using D = ArchivoIlegible::Dano;
    const QByteArray nativa = QFile::encodeName(ruta);
    if (dano == D::SinPermisoReal && ::geteuid() == 0) {
        aplicado_ = false; // the superuser reads a file of mode 000
        return;
    }
    Quita(ruta);
    switch (dano) {
    case D::Carpeta: EXPECT_TRUE(QDir().mkpath(ruta)); break;
    case D::Fifo: EXPECT_EQ(::mkfifo(nativa.constData(), 0644), 0); break;
    case D::Enorme: {
        // Sparse: nothing of it is written, and nothing need be read.
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(plat::kMaxDataFile + 1));
        break;
    }
    case D::SinPermiso:
        writeBytes(ruta, "x\r\n");
        plat::setReadFaultForTests(plat::ReadFault{ruta, EACCES});
        rechazado_ = true;
        break;
    case D::SinPermisoReal:
        writeBytes(ruta, "x\r\n");
        EXPECT_EQ(::chmod(nativa.constData(), 0), 0);
        break;
    case D::Falta: break;
    }
}

ArchivoDanado::~ArchivoDanado() {
    if (rechazado_) plat::setReadFaultForTests(std::nullopt);
    if (aplicado_) Quita(ruta_);
}

ScratchDir::ScratchDir() { dir_.setAutoRemove(true); }

QString ScratchDir::path() const { return dir_.path() + "/"; }

} // namespace testing_support
