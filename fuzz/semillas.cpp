// Writes the fuzzers' seeds, one subfolder per fuzzer, each file as the
// program itself writes it: one accepted state of each game and a settings
// line (estado/), the same states as saved puzzles (partida/), history lines
// (historico/), pictures and metafiles, whole and damaged (imagen/), and the first records of the model files
// the build writes, each behind the two bytes that choose the reader and the
// model (modelos/).
#include "core/Configuracion.h"
#include "fuzz/Partidas.h"
#include "model/EstadoPuzzle.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "tools/resgen/metarchivos.h"
#include "records/Historico.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

bool SemillasPartida(const QString& carpeta) {
    int n = 0;
    for (EstadoPartida e : PartidasDePrueba()) {
        if (!ValidaEstadoPartida(e, ContextoDePrueba()).isEmpty()) return false;
        plat::writeFile(carpeta + QStringLiteral("partida%1.puz").arg(++n), ComponeArchivoEstado(ComponeLineas(e)));
    }
    return true;
}

// Reader 0 Tangram, 1 pentomino boards, 2 Taipei layouts, 3 a board and its
// solutions; the model number is the second byte less 8.
bool SemillasModelos(const QString& carpeta) {
    const QString origen = QStringLiteral(TESELARO_ARCHIVO);
    struct Semilla {
        int lector;
        const char* archivo;
        int largo; // bytes kept: a few records
    } semillas[] = {
        {0, "ModTan.mlp", 126 * 6}, {1, "ModPen.mlp", 452 * 3}, {2, "ModTai.mlp", 452 * 3}};
    int n = 0;
    for (const Semilla& s : semillas) {
        QByteArray datos;
        try {
            datos = plat::readFile(origen + QString::fromLatin1(s.archivo)).left(s.largo);
        } catch (const plat::RuntimeError&) {
            std::fprintf(stderr, "%s is missing in %s\n", s.archivo, qPrintable(origen));
            return false;
        }
        for (int nro : {1, 2})
            plat::writeFile(carpeta + QStringLiteral("modelo%1").arg(++n),
                            QByteArray(1, char(s.lector)) + char(nro + 8) + datos);
    }
    // Board 1 and its first solutions.
    try {
        const QByteArray tablero = plat::readFile(origen + QStringLiteral("ModPen.mlp")).left(452);
        QByteArray soluciones;
        for (const QByteArray& l : plat::splitLines(plat::readFile(origen + QStringLiteral("SolPen.mlp")))) {
            if (!l.startsWith("01")) continue;
            soluciones += l + "\r\n";
            if (soluciones.size() > 40 * 78) break;
        }
        plat::writeFile(carpeta + QStringLiteral("modelo%1").arg(++n), QByteArray("\3\11") + tablero + soluciones);
    } catch (const plat::RuntimeError&) {
        return false;
    }
    return true;
}

bool SemillasEstado(const QString& carpeta) {
    int n = 0;
    for (EstadoPartida e : PartidasDePrueba()) {
        if (!ValidaEstadoPartida(e, ContextoDePrueba()).isEmpty()) {
            std::fprintf(stderr, "seed %d is refused\n", n);
            return false;
        }
        plat::writeFile(carpeta + QStringLiteral("estado%1.ini").arg(++n), ComponeArchivoEstado(ComponeLineas(e)));
    }
    plat::writeFile(carpeta + QStringLiteral("ajustes.ini"),
                    ComponeArchivoEstado({ComponeLineaConfiguracion({22, true, 50, false, 2})}));
    return true;
}

void SemillasHistorico(const QString& carpeta) {
    RegistroHistorico r;
    r.Fecha = QStringLiteral("10/12/2026");
    r.Hora = QStringLiteral("19:30:05");
    r.TipoJuego = 21;
    r.ArchivoImagen = QStringLiteral("paisaje.jpg");
    r.CarpetaImagen = QStringLiteral("/home/jugador/Imágenes/");
    r.AnchoBmp = 800, r.AltoBmp = 600, r.ZoomImagen = 100, r.AnchoImagen = 800, r.AltoImagen = 600;
    r.PiezasLado = 5, r.PiezasCasilla = 1, r.FormaPieza = 2, r.NroPiezas = 25, r.AnchoPieza = 160, r.AltoPieza = 120;
    r.GradoDificultad = 49.8207f, r.SegundosCronometro = 3725, r.FactorAtraccion = 20, r.TipoRotulo = 1;
    r.NombreJugador = QStringLiteral("MiNombre ");
    QStringList lineas{LineaHistorico(r)};
    r.TipoJuego = 24, r.NombreModelo = QStringLiteral("Rectángulo 6 x 10"), r.PEN_NumSoluciones = 9356;
    lineas << LineaHistorico(r);
    r.TipoJuego = 25, r.NombreModelo = QStringLiteral("Tortuga"), r.TAI_NroFilas = 8, r.TAI_NroColumnas = 15;
    r.TAI_NroNiveles = 5;
    lineas << LineaHistorico(r);
    plat::writeLines(carpeta + QStringLiteral("historico.his"), lineas);
}

void SemillasImagen(const QString& carpeta) {
    QImage img(17, 9, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(img.rect(), QColor(30, 90, 160));
    p.setPen(Qt::yellow);
    p.drawLine(0, 0, 16, 8);
    p.end();
    plat::savePictureBmp(img, carpeta + QStringLiteral("imagen.bmp"));
    for (const char* formato : {"JPG", "PNG"}) {
        QByteArray bytes;
        QBuffer b(&bytes);
        b.open(QIODevice::WriteOnly);
        img.save(&b, formato);
        plat::writeFile(carpeta + QStringLiteral("imagen.") + QString::fromLatin1(formato).toLower(), bytes);
    }
    // An 8-bit bitmap with run lengths: 4 x 2, two runs a row.
    const QByteArray rle = QByteArray::fromHex(
        "424d" "5a000000" "00000000" "3e000000"
        "28000000" "04000000" "02000000" "0100" "0800" "01000000" "0c000000" "130b0000" "130b0000" "02000000" "00000000"
        "00000000" "ffffff00"
        "0200" "0201" "0000"
        "0201" "0200" "0001");
    plat::writeFile(carpeta + QStringLiteral("imagen.rle"), rle);
    // The sample metafiles, the partly see-through one, and their damaged copies.
    plat::writeFile(carpeta + QStringLiteral("figuras.wmf"), metarchivos::Wmf());
    plat::writeFile(carpeta + QStringLiteral("figuras.emf"), metarchivos::Emf());
    plat::writeFile(carpeta + QStringLiteral("veladuras.emf"), metarchivos::EmfVeladuras());
    int n = 0;
    for (const auto& d : metarchivos::Danados())
        plat::writeFile(carpeta + QStringLiteral("danado%1.%2").arg(++n).arg(QString::fromLatin1(d.nombre).left(3)),
                        d.bytes);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s folder\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    PreparaMesaDePrueba();
    const QString carpeta = plat::asFolder(QString::fromLocal8Bit(argv[1]));
    for (const char* sub : {"estado", "partida", "historico", "imagen", "modelos"})
        QDir().mkpath(carpeta + QString::fromLatin1(sub));
    if (!SemillasEstado(carpeta + QStringLiteral("estado/"))) return 1;
    if (!SemillasPartida(carpeta + QStringLiteral("partida/"))) return 1;
    if (!SemillasModelos(carpeta + QStringLiteral("modelos/"))) return 1;
    SemillasHistorico(carpeta + QStringLiteral("historico/"));
    SemillasImagen(carpeta + QStringLiteral("imagen/"));
    return 0;
}
