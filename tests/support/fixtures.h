// Helpers shared by the tests: pictures drawn as text, the sample pictures
// folder, run-time error numbers, sounds played, whole files and a scratch
// folder.
#pragma once

#include "platform/errors.h"
#include "platform/sound.h"
#include "platform/surface.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>
#include <vector>

// Texts in failure messages read as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace testing_support {

// Renders a surface as rows of characters, one per pixel: '#' for black,
// '.' for white, '?' for anything else (or the character the legend gives).
QStringList asciiArt(const plat::Surface& s);
QStringList asciiArt(const plat::Surface& s, int x, int y, int w, int h);

// Counts the pixels of one colour.
int countColor(const plat::Surface& s, plat::Color c);

// The run-time error number f throws, 0 when it throws none.
template <typename F>
int errorNumberOf(F&& f) {
    try {
        f();
    } catch (const plat::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

// The sample pictures laid out beside the program (bin/Imagenes in the build
// tree), looked for from the test's folder upwards. The path ends in "/";
// empty when there is none.
QString samplePicturesFolder();

// How many times the recording player played the clip.
int timesPlayed(const plat::RecordingSoundPlayer& player, const QByteArray& clip);

// The whole content of a file written (a failure fails the test) and read
// back (empty when the file cannot be read).
void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

// The start of a PNG file whose header says ancho x alto pixels: a reader
// that trusts the header would ask for that much memory.
QByteArray pngHeaderOnly(int ancho, int alto);

// The ways a file the program reads can be there and still not be read, and
// its absence: what the file's reader then says after "el archivo X ".
struct ArchivoIlegible {
    enum class Dano { Carpeta, Fifo, Enorme, SinPermiso, SinPermisoReal, Falta };
    const char* caso;
    Dano dano;
    const char* dicho;
};
// A folder, a FIFO (whose reader must not wait for a writer), a file over
// the bound of data files, a file without read permission as the file layer
// refuses it (for root too) and as its mode does, and no file.
const std::vector<ArchivoIlegible>& ArchivosIlegibles();

// Puts the damage in place of the file at `ruta` (whatever stood there is
// removed) for as long as it lives, then takes it away; aplicado() is false
// when it cannot be made here (a mode that does not bind root).
class ArchivoDanado {
public:
    ArchivoDanado(const QString& ruta, ArchivoIlegible::Dano dano);
    ~ArchivoDanado();
    ArchivoDanado(const ArchivoDanado&) = delete;
    ArchivoDanado& operator=(const ArchivoDanado&) = delete;
    bool aplicado() const { return aplicado_; }

private:
    QString ruta_;
    bool aplicado_ = true;
    bool rechazado_ = false; // the file layer's refusal is in force
};

// A fresh folder, removed at the end of the test; path() ends in "/".
class ScratchDir {
public:
    ScratchDir();
    QString path() const;
    QString file(const QString& name) const { return path() + name; }

private:
    QTemporaryDir dir_;
};

} // namespace testing_support
