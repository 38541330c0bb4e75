// The history file: records written from the globals, appended line by line
// and read back field by field; the text and number forms of the line; a
// failed append that is reported and leaves the file whole.
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "records/Historico.h"
#include "tests/support/fixtures.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QTime>
#include <gtest/gtest.h>

#include <cerrno>

#include <clocale>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using testing_support::ScratchDir;

struct Visto {
    QString titulo, texto;
    int lineas, tipo;
};

class Historico : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        PuzzGbl.RutaPrograma = dir.path();
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            vistos.push_back({titulo, texto, PuzzGbl.NroLineasMensaje, PuzzGbl.TipoMensaje});
            PuzzGbl.RespuestaMensaje = true;
        });
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        PuzzGbl.reset();
    }

    static double fecha(int d, int m, int y, int hh, int mm, int ss) {
        return plat::toDateValue(QDateTime(QDate(y, m, d), QTime(hh, mm, ss)));
    }

    ScratchDir dir;
    std::vector<Visto> vistos;
};

struct Puzzle {
    std::int16_t juego;
    QString archivo, carpeta, modelo, jugador;
    double grado;
    std::int32_t segundos;
    std::int16_t soluciones, filas, columnas, niveles;
};

void ponPuzzle(const Puzzle& p) {
    auto& g = PuzzGbl;
    g.TipoJuego = p.juego;
    g.ArchivoImagen = p.archivo;
    g.CarpetaImagen = p.carpeta;
    g.NombreModelo = p.modelo;
    g.NombreJugador = p.jugador;
    g.GradoDificultad = p.grado;
    g.SegundosCronometro = p.segundos;
    g.PEN_NumSoluciones = p.soluciones;
    g.TAI_NroFilas = p.filas;
    g.TAI_NroColumnas = p.columnas;
    g.TAI_NroNiveles = p.niveles;
    g.AnchoBmp = 640;
    g.AltoBmp = 480;
    g.ZoomImagen = 100;
    g.AnchoImagen = 600;
    g.AltoImagen = 450;
    g.PiezasLado = p.juego == 21 ? 6 : 0;
    g.PiezasCasilla = 2;
    g.FormaPieza = 3;
    g.NroPiezas = p.juego == 25 ? 144 : 12;
    g.AnchoPieza = 30;
    g.AltoPieza = -4;
    g.FactorAtraccion = 20;
    g.TipoRotulo = 2;
}

TEST_F(Historico, ThreeRecordsOfDifferentGamesComeBackFieldByField) {
    const std::vector<Puzzle> puzzles{
        {21, "foto.bmp", "/home/ana/Imágenes/", "", "Ana", 12.5, 754, 0, 0, 0, 0},
        {24, "tsportap.bmp", "/tmp/a,b/", "Rectángulo 6x10", "Íñigo", 0.1, 3600, 2339, 0, 0, 0},
        {25, "niño.bmp", "/datos/señal, copia/", "Dragón", "JugadorLargo", 99.9, 70000, 0, 14, 20, 5},
    };
    const std::vector<double> fechas{fecha(5, 3, 2024, 9, 7, 2), fecha(31, 12, 2025, 23, 59, 59),
                                     fecha(1, 1, 2026, 0, 0, 0)};
    std::vector<RegistroHistorico> esperados;
    for (size_t i = 0; i < puzzles.size(); ++i) {
        ponPuzzle(puzzles[i]);
        esperados.push_back(RegistroActual(fechas[i]));
        ASSERT_TRUE(ActualizaHistorico(fechas[i]));
    }
    EXPECT_TRUE(vistos.empty());

    const QByteArray bytes = plat::readFile(dir.file("Tesel34.his"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 3);
    EXPECT_TRUE(bytes.contains(plat::toCp1252(QStringLiteral("\"/datos/señal, copia/\""))));
    const QStringList lineas = plat::readLines(dir.file("Tesel34.his"));
    ASSERT_EQ(lineas.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        RegistroHistorico leido;
        EXPECT_EQ(LeeLineaHistorico(lineas[i], leido), kCamposHistorico);
        EXPECT_EQ(leido, esperados[i]);
    }
    RegistroHistorico r;
    LeeLineaHistorico(lineas[0], r);
    EXPECT_EQ(r.Fecha, "05/03/2024");
    EXPECT_EQ(r.Hora, "09:07:02");
    EXPECT_EQ(r.NombreJugador, "Ana      ");
    EXPECT_EQ(r.TipoJuego, 21);
    EXPECT_FLOAT_EQ(r.GradoDificultad, 12.5f);
    EXPECT_EQ(r.SegundosCronometro, 754);
    LeeLineaHistorico(lineas[1], r);
    EXPECT_EQ(r.CarpetaImagen, "/tmp/a,b/");
    EXPECT_EQ(r.NombreModelo, "Rectángulo 6x10");
    EXPECT_EQ(r.PEN_NumSoluciones, 2339);
    LeeLineaHistorico(lineas[2], r);
    EXPECT_EQ(r.NombreJugador, "JugadorLa");
    EXPECT_EQ(r.TAI_NroFilas, 14);
    EXPECT_EQ(r.TAI_NroColumnas, 20);
    EXPECT_EQ(r.TAI_NroNiveles, 5);
    EXPECT_EQ(r.SegundosCronometro, 70000);
}

TEST_F(Historico, LineHasTwentySevenFieldsInFileForm) {
    ponPuzzle({22, "a.bmp", "/c/", "Casa", "Pepe", 33.3, 10, 0, 0, 0, 0});
    PuzzGbl.AltoPieza = -7;
    const QString linea = LineaHistorico(RegistroActual(fecha(2, 4, 2026, 14, 5, 6)));
    EXPECT_EQ(linea, "\"02/04/2026\",\"14:05:06\",22,\"a.bmp\",\"/c/\",\"Casa\",640,480,100,600,450,0,2,3,12,30,"
                     "-7,33.3,10,20,2,0,\"Pepe     \",0,0,0,0");
    EXPECT_EQ(CamposHistorico(linea).size(), kCamposHistorico);
}

TEST_F(Historico, DifficultyUsesPointAndSevenDigitsInAnyLocale) {
    const char* antes = std::setlocale(LC_ALL, nullptr);
    const std::string guardado = antes ? antes : "C";
    std::setlocale(LC_ALL, "es_ES.UTF-8");
    struct Caso {
        double grado;
        const char* escrito;
    };
    for (const Caso& c : {Caso{0.1, "0.1"}, Caso{99.9, "99.9"}, Caso{12.3456789, "12.34568"}, Caso{50, "50"},
                          Caso{1.0 / 3.0, "0.3333333"}, Caso{0.00001234, "0.00001234"}}) {
        SCOPED_TRACE(c.escrito);
        PuzzGbl.GradoDificultad = c.grado;
        const QStringList campos = CamposHistorico(LineaHistorico(RegistroActual(0)));
        EXPECT_EQ(campos[17], c.escrito);
    }
    std::setlocale(LC_ALL, guardado.c_str());
}

TEST_F(Historico, QuoteInsideATextIsWrittenAsApostrophe) {
    ponPuzzle({21, "la \"mejor\".bmp", "/fotos/\"x\",y/", "M", "O\"Neil", 1, 1, 0, 0, 0, 0});
    ASSERT_TRUE(ActualizaHistorico(fecha(1, 1, 2026, 1, 2, 3)));
    const QStringList lineas = plat::readLines(dir.file("Tesel34.his"));
    ASSERT_EQ(lineas.size(), 1);
    RegistroHistorico r;
    ASSERT_EQ(LeeLineaHistorico(lineas[0], r), kCamposHistorico);
    EXPECT_EQ(r.ArchivoImagen, "la 'mejor'.bmp");
    EXPECT_EQ(r.CarpetaImagen, "/fotos/'x',y/");
    EXPECT_EQ(r.NombreJugador, "O'Neil   ");
}

// A model's name as a list shows it (its 25 characters) or as a state file
// keeps it (trimmed): one spelling in the history.
TEST_F(Historico, AModelNameIsRecordedTrimmed) {
    for (const char* nombre : {"Tortuga                  ", "  Tortuga", "Tortuga"}) {
        SCOPED_TRACE(nombre);
        PuzzGbl.NombreModelo = nombre;
        EXPECT_EQ(RegistroActual(0).NombreModelo, "Tortuga");
    }
}

TEST_F(Historico, AppendKeepsTheOldBytesAsPrefix) {
    const QByteArray viejo = "\"01/01/2020\",\"10:00:00\",21,\"x\"\r\nresto sin fin de l\xednea";
    plat::writeFile(dir.file("Tesel34.his"), viejo);
    ponPuzzle({23, "b.bmp", "/c/", "", "Eva", 5, 2, 0, 0, 0, 0});
    ASSERT_TRUE(ActualizaHistorico(fecha(3, 3, 2026, 3, 3, 3)));
    const QByteArray ahora = plat::readFile(dir.file("Tesel34.his"));
    ASSERT_TRUE(ahora.startsWith(viejo));
    const QByteArray nuevo = ahora.mid(viejo.size());
    EXPECT_TRUE(nuevo.startsWith("\r\n\"03/03/2026\""));
    EXPECT_TRUE(nuevo.endsWith("\r\n"));
}

TEST_F(Historico, AnExistingFileIsFoundWhateverItsCase) {
    const QByteArray viejo = "linea\r\n";
    plat::writeFile(dir.file("TESEL34.HIS"), viejo);
    ponPuzzle({21, "a.bmp", "/c/", "", "Ana", 5, 2, 0, 0, 0, 0});
    ASSERT_TRUE(ActualizaHistorico(fecha(3, 3, 2026, 3, 3, 3)));
    EXPECT_EQ(plat::readLines(dir.file("TESEL34.HIS")).size(), 2);
    EXPECT_TRUE(plat::readFile(dir.file("TESEL34.HIS")).startsWith(viejo));
    EXPECT_FALSE(QFile::exists(dir.file("Tesel34.his")));
}

TEST_F(Historico, CharacterOutsideTheCodePageBecomesQuestionMark) {
    ponPuzzle({21, "ψ.bmp", "/c/", "", "Ana", 5, 2, 0, 0, 0, 0});
    ASSERT_TRUE(ActualizaHistorico(fecha(3, 3, 2026, 3, 3, 3)));
    RegistroHistorico r;
    LeeLineaHistorico(plat::readLines(dir.file("Tesel34.his")).value(0), r);
    EXPECT_EQ(r.ArchivoImagen, "?.bmp");
}

TEST_F(Historico, ReaderFitsFixedTextsAndStopsAtAFieldItCannotRead) {
    RegistroHistorico r;
    r.AltoBmp = 77;
    r.TAI_NroNiveles = 9;
    const int leidos =
        LeeLineaHistorico(QStringLiteral(" \"1/2/3\" , \"10:00:00:99\" ,  24 , \"f\" , \"c\" , \"m\" , 300 , x"), r);
    EXPECT_EQ(leidos, 7);
    EXPECT_EQ(r.Fecha, "1/2/3     ");
    EXPECT_EQ(r.Hora, "10:00:00");
    EXPECT_EQ(r.TipoJuego, 24);
    EXPECT_EQ(r.AnchoBmp, 300);
    EXPECT_EQ(r.AltoBmp, 77);
    EXPECT_EQ(r.TAI_NroNiveles, 9);
    EXPECT_EQ(LeeLineaHistorico(QStringLiteral("\"a\",\"b\",40000"), r), 2);
}

TEST_F(Historico, FailedAppendIsReportedAndChangesNothing) {
    PuzzGbl.RutaPrograma = dir.path() + QStringLiteral("no/existe/");
    EXPECT_FALSE(ActualizaHistorico(0));
    ASSERT_EQ(vistos.size(), 1u);
    EXPECT_EQ(vistos[0].titulo, "Histórico de puzzles resueltos");
    EXPECT_EQ(vistos[0].texto, "No se ha podido añadir este puzzle al Histórico.");
    EXPECT_EQ(vistos[0].lineas, 1);
    EXPECT_EQ(vistos[0].tipo, 1);
    EXPECT_FALSE(QFile::exists(PuzzGbl.RutaPrograma + "Tesel34.his"));
}

// A history that cannot be written is said and keeps its bytes: the write
// refused by the file layer (as a folder without write permission refuses
// it; this runs for root too) and, for a user permissions bind, a real
// read-only folder.
TEST_F(Historico, UnwritableFolderKeepsTheFile) {
    const QByteArray viejo = "linea\r\n";
    for (const bool real : {false, true}) {
        SCOPED_TRACE(real ? "read-only folder" : "refused by the file layer");
        if (real && ::geteuid() == 0) continue; // permissions do not bind the superuser
        vistos.clear();
        plat::writeFile(dir.file("Tesel34.his"), viejo);
        bool ok = true;
        if (real) {
            ASSERT_EQ(::chmod(dir.path().toLocal8Bit().constData(), 0555), 0);
            ok = ActualizaHistorico(0);
            ::chmod(dir.path().toLocal8Bit().constData(), 0755);
        } else {
            plat::ScopedWriteFault falla({0, EACCES});
            ok = ActualizaHistorico(0);
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(vistos.size(), 1u);
        EXPECT_EQ(plat::readFile(dir.file("Tesel34.his")), viejo);
    }
}

} // namespace
