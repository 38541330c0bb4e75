// The Tangram model file: its reader, the twins' exchange of homes, every
// record of the file the build writes, and the first start of the game, which
// solves model 1 of that file.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "core/Sugerencias.h"
#include "table/mesa.h"
#include "imaging/ImagenPieza.h"
#include "model/EstadoPuzzle.h"
#include "model/Geometria.h"
#include "model/Juego.h"
#include "model/RegistrosModelo.h"
#include "model/Tangram.h"
#include "platform/files.h"
#include "platform/random.h"
#include "platform/region.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <functional>
#include <deque>
#include <vector>

namespace {

using imaging_test::Reinicia;

// The file the build writes.
const QString kGenerado = QStringLiteral(TESELARO_MODTAN);

struct Casa {
    int x, y, giro, volteo;
    bool operator==(const Casa&) const = default;
};
using Casas = std::array<Casa, 8>; // pieces 1..7

void PrintTo(const Casa& c, std::ostream* os) { *os << "(" << c.x << ", " << c.y << ", " << c.giro << ", " << c.volteo << ")"; }

Casas CasasActuales() {
    Casas c{};
    for (int p = 1; p <= 7; ++p) {
        const auto& r = PuzzGbl.Piezas[std::size_t(p)];
        c[std::size_t(p)] = {r.XDestino, r.YDestino, r.GiroDestino, r.VolteoDestino};
    }
    return c;
}

// A record as the writers make it.
QString Registro(const QString& nombre, const Casas& c) {
    QString r = nombre.leftJustified(25, u' ');
    for (int p = 1; p <= 7; ++p)
        r += QStringLiteral("%1%2%3%4")
                 .arg(c[std::size_t(p)].x, 4, 10, QChar(u'0'))
                 .arg(c[std::size_t(p)].y, 4, 10, QChar(u'0'))
                 .arg(c[std::size_t(p)].giro)
                 .arg(c[std::size_t(p)].volteo);
    return r + QString(29, u'0') + QStringLiteral("\r\n");
}

// The homes moved so that the figure's box starts at (origen, origen): the
// box of a figure starts at its leftmost x and its topmost y.
Casas AlOrigen(Casas c, int origen) {
    int x = 9999, y = 9999;
    for (int p = 1; p <= 7; ++p) x = std::min(x, c[std::size_t(p)].x), y = std::min(y, c[std::size_t(p)].y);
    for (int p = 1; p <= 7; ++p) c[std::size_t(p)].x += origen - x, c[std::size_t(p)].y += origen - y;
    return c;
}

Casas Ejemplo(int semilla) {
    Casas c{};
    for (int p = 1; p <= 7; ++p) c[std::size_t(p)] = {100 * semilla + p, 1000 + 10 * semilla + p, p % 8, p == 7 ? 1 : 0};
    return c;
}

class ModelosTangramTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        InicializaTablas();
        PuzzGbl.RutaArchivo = carpeta.path();
    }
    void TearDown() override {
        RegistraProcedimientosPanel({});
        RegistraPresentadorMensaje({});
        InstalaServiciosEstadoPuzzle({});
        Reinicia();
    }
    void Escribe(const QString& nombre, const QString& contenido) {
        plat::writeFile(carpeta.file(nombre), plat::toCp1252(contenido));
    }
    testing_support::ScratchDir carpeta;
};

// ------------------------------------------------------------------ reader

TEST_F(ModelosTangramTest, ReadsTheHomesOfTheChosenRecordAndLeavesThePlacesAlone) {
    Escribe(QStringLiteral("ModTan.mlp"), Registro(QStringLiteral("Uno"), Ejemplo(1)) +
                                              Registro(QStringLiteral("Dos"), Ejemplo(2)) +
                                              Registro(QStringLiteral("Tres"), Ejemplo(3)));
    auto& g = PuzzGbl;
    g.Piezas.assign(8, RegistroPieza{});
    for (int p = 1; p <= 7; ++p) g.Piezas[std::size_t(p)] = {.X = 7, .Y = 8, .Giro = 3, .Volteo = 1};
    g.NroModelo = 3;
    EXPECT_TRUE(TAN_LeeModelo());
    EXPECT_EQ(CasasActuales(), AlOrigen(Ejemplo(3), g.AnchoMesa / 40));
    for (int p = 1; p <= 7; ++p) {
        const auto& r = g.Piezas[std::size_t(p)];
        EXPECT_EQ(std::make_tuple(r.X, r.Y, r.Giro, r.Volteo), std::make_tuple(7, 8, 3, 1)) << p;
    }
    g.NroModelo = 1;
    g.AnchoMesa = 1024;
    EXPECT_TRUE(TAN_LeeModelo());
    EXPECT_EQ(CasasActuales(), AlOrigen(Ejemplo(1), 25));
}

// What reads as the empty model: every home at 0, 0 in the rest position.
TEST_F(ModelosTangramTest, AnEmptySlotOrNoRecordReadsAsTheEmptyModel) {
    const struct {
        const char* caso;
        const char* archivo; // nullptr: none
        std::int16_t nro;
    } casos[] = {
        {"blank name", "ModTan.mlp", 2},
        {"past the end", "ModTan.mlp", 4},
        {"number 0", "ModTan.mlp", 0},
        {"negative number", "ModTan.mlp", -3},
        {"no file", nullptr, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(carpeta.path()).removeRecursively();
        QDir().mkpath(carpeta.path());
        if (c.archivo)
            Escribe(QString::fromLatin1(c.archivo), Registro(QStringLiteral("Uno"), Ejemplo(1)) +
                                                        Registro(QString(), Ejemplo(2)) +
                                                        Registro(QStringLiteral("Tres"), Ejemplo(3)));
        PuzzGbl.Piezas.assign(8, RegistroPieza{});
        for (int p = 1; p <= 7; ++p) PuzzGbl.Piezas[std::size_t(p)] = {.XDestino = 5, .YDestino = 6, .GiroDestino = 1};
        PuzzGbl.NroModelo = c.nro;
        QString motivo;
        EXPECT_FALSE(TAN_LeeModelo(&motivo));
        EXPECT_FALSE(motivo.isEmpty());
        EXPECT_EQ(CasasActuales(), Casas{});
    }
}

TEST_F(ModelosTangramTest, TheFileIsFoundWhateverTheCaseOfItsName) {
    Escribe(QStringLiteral("MODTAN.MLP"), Registro(QStringLiteral("Uno"), Ejemplo(4)));
    PuzzGbl.NroModelo = 1;
    EXPECT_TRUE(TAN_LeeModelo());
    EXPECT_EQ(CasasActuales(), AlOrigen(Ejemplo(4), PuzzGbl.AnchoMesa / 40));
}

// The piece array holds the seven pieces afterwards, whatever it held before.
TEST_F(ModelosTangramTest, ThePieceArrayGrowsToHoldTheSevenPieces) {
    Escribe(QStringLiteral("ModTan.mlp"), Registro(QStringLiteral("Uno"), Ejemplo(1)));
    PuzzGbl.NroModelo = 1;
    PuzzGbl.Piezas.clear();
    TAN_LeeModelo();
    ASSERT_EQ(PuzzGbl.Piezas.size(), 8u);
    EXPECT_EQ(CasasActuales(), AlOrigen(Ejemplo(1), PuzzGbl.AnchoMesa / 40));
}

// A record with a field that is not digits, a rotation the pieces do not
// have or a flip other than 0 and 1 is refused whole: every home stays as it
// was, and the reason names the piece.
TEST_F(ModelosTangramTest, ARecordWithBadCodesIsRefusedAndTheHomesStay) {
    const struct {
        const char* caso;
        int pieza;
        const char* bloque;
        const char* motivo;
    } casos[] = {
        {"letters in x", 1, "ab12004500", "cifras"},
        {"a blank in y", 3, "00130 4600", "cifras"},
        {"a sign", 4, "-012004500", "cifras"},
        {"rotation 8", 2, "0012004580", "giro 8"},
        {"rotation 9", 5, "0012004590", "giro 9"},
        {"flip 2", 7, "0099009902", "volteo 2"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QString r = Registro(QStringLiteral("Raro"), Ejemplo(1));
        r.replace(25 + (c.pieza - 1) * 10, 10, QString::fromLatin1(c.bloque));
        Escribe(QStringLiteral("ModTan.mlp"), Registro(QStringLiteral("Bueno"), Ejemplo(2)) + r);
        PuzzGbl.Piezas.assign(8, RegistroPieza{});
        for (int p = 1; p <= 7; ++p) PuzzGbl.Piezas[std::size_t(p)] = {.XDestino = 5, .YDestino = 6, .GiroDestino = 1};
        const Casas antes = CasasActuales();
        PuzzGbl.NroModelo = 2;
        QString motivo;
        EXPECT_FALSE(TAN_LeeModelo(&motivo));
        EXPECT_EQ(CasasActuales(), antes);
        EXPECT_TRUE(motivo.contains(QStringLiteral("pieza %1").arg(c.pieza))) << motivo.toStdString();
        EXPECT_TRUE(motivo.contains(QString::fromLatin1(c.motivo))) << motivo.toStdString();
        // The same record, analysed alone, gives the same answer.
        EXPECT_FALSE(TAN_AnalizaRegistro(r).valido);
    }
}

// Line by line: a file with LF line ends, or one damaged (short) line, keeps
// every later figure under its number; the short line reads as an empty slot.
TEST_F(ModelosTangramTest, RecordsAreLinesWhateverTheirEnds) {
    auto linea = [](const QString& nombre, int semilla) { return Registro(nombre, Ejemplo(semilla)).chopped(2); };
    Escribe(QStringLiteral("ModTan.mlp"), linea(QStringLiteral("Uno"), 1) + QStringLiteral("\n") +
                                              linea(QStringLiteral("Dos"), 2).left(100) + QStringLiteral("\n") +
                                              linea(QStringLiteral("Tres"), 3) + QStringLiteral("\r") +
                                              linea(QStringLiteral("Cuatro"), 4));
    PuzzGbl.AnchoMesa = 800;
    for (int nro : {1, 3, 4}) {
        SCOPED_TRACE(nro);
        PuzzGbl.NroModelo = std::int16_t(nro);
        EXPECT_TRUE(TAN_LeeModelo());
        EXPECT_EQ(CasasActuales(), AlOrigen(Ejemplo(nro), 20));
    }
    PuzzGbl.NroModelo = 2;
    QString motivo;
    EXPECT_FALSE(TAN_LeeModelo(&motivo));
    EXPECT_EQ(CasasActuales(), Casas{});
    EXPECT_TRUE(motivo.contains(QString::fromUtf8("dañado"))) << motivo.toStdString();
}

// A figure stored on a table of another width (its box at 48, as at 1920
// pixels) is read onto the current board origin with the same shape.
TEST_F(ModelosTangramTest, AFigureStoredAtAnotherOriginLoadsAtTheCurrentOne) {
    const Casas guardada = AlOrigen(Ejemplo(3), 48);
    Escribe(QStringLiteral("ModTan.mlp"), Registro(QStringLiteral("Ancha"), guardada));
    PuzzGbl.NroModelo = 1;
    for (int ancho : {800, 1024, 1920}) {
        SCOPED_TRACE(ancho);
        PuzzGbl.AnchoMesa = std::int16_t(ancho);
        ASSERT_TRUE(TAN_LeeModelo());
        EXPECT_EQ(CasasActuales(), AlOrigen(guardada, ancho / 40));
        // Measured with the pieces' real sizes, the box starts at the origin.
        PuzzGbl.TipoJuego = 23;
        PuzzGbl.TAN_ModoJuego = 2;
        ASSERT_TRUE(CalculaGeometriaPuzzle());
        TAN_CalculaMarcoFigura(2);
        EXPECT_EQ(PuzzGbl.MarcoFigura.Izquierda, ancho / 40);
        EXPECT_EQ(PuzzGbl.MarcoFigura.Arriba, ancho / 40);
    }
}

// ---------------------------------------------------------------- writers

// A figure being designed: the pieces at the places of Ejemplo(semilla) on a
// table of 800 pixels (board origin 20).
void Disenando(int semilla) {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 1;
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    ASSERT_TRUE(CalculaGeometriaPuzzle());
    ASSERT_EQ(g.OrigenX, 20);
    g.Piezas.assign(8, RegistroPieza{});
    const Casas c = Ejemplo(semilla);
    for (int p = 1; p <= 7; ++p) {
        auto& r = g.Piezas[std::size_t(p)];
        r.X = std::int16_t(c[std::size_t(p)].x);
        r.Y = std::int16_t(c[std::size_t(p)].y);
        r.Giro = std::int16_t(c[std::size_t(p)].giro);
        r.Volteo = std::int16_t(c[std::size_t(p)].volteo);
    }
}

QStringList Lineas(const QString& ruta) { return plat::readLines(ruta); }

TEST_F(ModelosTangramTest, AStoredFigureTakesTheFirstBlankSlotElseComesLast) {
    const QString vacio = TAN_RegistroVacio();
    const QStringList inicial{Registro(QStringLiteral("Uno"), Ejemplo(1)), vacio,
                              Registro(QStringLiteral("Tres"), Ejemplo(3)), Registro(QStringLiteral("Cuatro"), Ejemplo(4)),
                              vacio};
    Escribe(QStringLiteral("ModTan.mlp"), inicial.join(QString()));
    const QString ruta = carpeta.file(QStringLiteral("ModTan.mlp"));
    Disenando(6);
    const auto piezas = PuzzGbl.Piezas;
    const QString treinta = QStringLiteral("  Una figura de treinta letras  ");
    const struct {
        QString nombre, guardado;
        int registro;
    } casos[] = {
        {treinta, QStringLiteral("Una figura de treinta let"), 2},
        {QStringLiteral("Uno"), QStringLiteral("Uno"), 5}, // a name already stored: a second model
        {QString::fromUtf8("  Última "), QString::fromUtf8("Última"), 6},
    };
    QStringList esperado = inicial;
    for (auto& l : esperado) l.chop(2);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.registro);
        const ResultadoEscritura r = TAN_GuardaModelo(c.nombre);
        ASSERT_TRUE(r.escrito) << r.motivo.toStdString();
        EXPECT_EQ(r.registro, c.registro);
        // The record: the name, then the pieces with the figure's box at the
        // board origin; every other record as it was.
        const QString registro = Registro(c.guardado, AlOrigen(Ejemplo(6), 20)).chopped(2);
        if (c.registro <= esperado.size()) esperado[c.registro - 1] = registro;
        else esperado << registro;
        EXPECT_EQ(Lineas(ruta), esperado);
        EXPECT_TRUE(plat::readFile(ruta).endsWith("\r\n"));
        EXPECT_EQ(PuzzGbl.Piezas, piezas); // the pieces never move
    }
    // Read back, the stored figure is the one on the table.
    PuzzGbl.NroModelo = 6;
    ASSERT_TRUE(TAN_LeeModelo());
    for (int p = 1; p <= 7; ++p) {
        const auto& r = PuzzGbl.Piezas[std::size_t(p)];
        EXPECT_EQ(r.XDestino - r.X, PuzzGbl.Piezas[1].XDestino - PuzzGbl.Piezas[1].X) << p;
        EXPECT_EQ(r.YDestino - r.Y, PuzzGbl.Piezas[1].YDestino - PuzzGbl.Piezas[1].Y) << p;
        EXPECT_EQ(r.GiroDestino, r.Giro);
        EXPECT_EQ(r.VolteoDestino, r.Volteo);
    }
    TAN_CalculaMarcoFigura(2);
    EXPECT_EQ(PuzzGbl.MarcoFigura.Izquierda, 20);
    EXPECT_EQ(PuzzGbl.MarcoFigura.Arriba, 20);
}

TEST_F(ModelosTangramTest, TheFirstStoredFigureCreatesTheFile) {
    Disenando(2);
    const ResultadoEscritura r = TAN_GuardaModelo(QStringLiteral("Primera"));
    ASSERT_TRUE(r.escrito) << r.motivo.toStdString();
    EXPECT_EQ(r.registro, 1);
    EXPECT_EQ(plat::readFile(carpeta.file(QStringLiteral("ModTan.mlp"))),
              plat::toCp1252(Registro(QStringLiteral("Primera"), AlOrigen(Ejemplo(2), 20))));
}

TEST_F(ModelosTangramTest, AStoreThatCannotBeDoneSaysWhyAndKeepsTheFile) {
    const QString contenido = Registro(QStringLiteral("Uno"), Ejemplo(1));
    const QString ruta = carpeta.file(QStringLiteral("ModTan.mlp"));
    const struct {
        const char* caso;
        QString nombre;
        std::function<void()> prepara;
    } casos[] = {
        {"no name", QStringLiteral("   "), [] {}},
        {"a name of control characters", QStringLiteral("\t\r\n"), [] {}},
        {"a piece the record cannot hold", QStringLiteral("Bien"), [] { PuzzGbl.Piezas[3].Giro = 9; }},
        {"the disk is full", QStringLiteral("Bien"), [] { plat::setWriteFaultForTests(plat::WriteFault{20, ENOSPC}); }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Escribe(QStringLiteral("ModTan.mlp"), contenido);
        Disenando(2);
        c.prepara();
        const ResultadoEscritura r = TAN_GuardaModelo(c.nombre);
        plat::setWriteFaultForTests(std::nullopt);
        EXPECT_FALSE(r.escrito);
        EXPECT_FALSE(r.motivo.isEmpty());
        EXPECT_EQ(plat::readFile(ruta), plat::toCp1252(contenido));
    }
}

TEST_F(ModelosTangramTest, ADeletedFigureBecomesAnEmptySlotAndLeavesTheList) {
    const QStringList inicial{Registro(QStringLiteral("Uno"), Ejemplo(1)), Registro(QStringLiteral("Dos"), Ejemplo(2)),
                              Registro(QStringLiteral("Tres"), Ejemplo(3))};
    Escribe(QStringLiteral("ModTan.mlp"), inicial.join(QString()));
    const QString ruta = carpeta.file(QStringLiteral("ModTan.mlp"));
    const QByteArray antes = plat::readFile(ruta);
    const ResultadoEscritura r = TAN_BorraModelo(2);
    ASSERT_TRUE(r.escrito) << r.motivo.toStdString();
    const QByteArray despues = plat::readFile(ruta);
    ASSERT_EQ(despues.size(), antes.size());
    EXPECT_EQ(despues.left(126), antes.left(126));
    EXPECT_EQ(despues.mid(126, 126), plat::toCp1252(TAN_RegistroVacio()));
    EXPECT_EQ(despues.mid(252), antes.mid(252));
    EXPECT_EQ(RegistrosModelo(FormatoModelosTangram()).usables(),
              (std::vector<ModeloUsable>{{QStringLiteral("Uno"), 1}, {QStringLiteral("Tres"), 3}}));

    for (std::int16_t nro : {std::int16_t(0), std::int16_t(4), std::int16_t(-1)}) {
        SCOPED_TRACE(nro);
        const ResultadoEscritura fuera = TAN_BorraModelo(nro);
        EXPECT_FALSE(fuera.escrito);
        EXPECT_FALSE(fuera.motivo.isEmpty());
        EXPECT_EQ(plat::readFile(ruta), despues);
    }
    {
        plat::ScopedWriteFault lleno({5, ENOSPC});
        EXPECT_FALSE(TAN_BorraModelo(1).escrito);
    }
    EXPECT_EQ(plat::readFile(ruta), despues);
    QFile::remove(ruta);
    EXPECT_FALSE(TAN_BorraModelo(1).escrito);
    EXPECT_FALSE(QFile::exists(ruta));
}

// ------------------------------------------------------ one piece taken out

// The two large triangles make a square along their common hypotenuse; taking
// one out of the drawn figure leaves exactly the other.
TEST_F(ModelosTangramTest, TakingOnePieceOutOfTheFigureLeavesTheOther) {
    auto& g = PuzzGbl;
    Disenando(1);
    g.ColorFondo = 0x000000;
    g.ColorLineas = 0xFFFFFF;
    g.Piezas.assign(8, RegistroPieza{});
    for (int p = 3; p <= 7; ++p) g.Piezas[std::size_t(p)].XDestino = std::int16_t(200 + 180 * p); // off the picture
    for (int p : {1, 2}) {
        auto& r = g.Piezas[std::size_t(p)];
        r.XDestino = r.YDestino = 20;
        r.GiroDestino = p == 1 ? 1 : 5; // right angle top-right, bottom-left
    }
    plat::Surface& s = mesa.Pic_Imagen;
    s.setSize(200, 200);
    s.setFillStyle(plat::FillStyle::Solid);
    for (int quitada : {1, 2}) {
        SCOPED_TRACE(quitada);
        const int queda = 3 - quitada;
        s.setBackColor(0x000000);
        TAN_DibujaModelo(s, std::int16_t(queda));
        const QImage sola = s.image().copy();
        s.setBackColor(0x000000);
        TAN_DibujaModelo(s, 1);
        TAN_DibujaModelo(s, 2);
        TAN_DibujaPieza(std::int16_t(quitada));
        int distintos = 0;
        QString primeros;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                if (s.image().pixel(x, y) != sola.pixel(x, y) && ++distintos <= 5)
                    primeros += QStringLiteral(" (%1,%2)").arg(x).arg(y);
        EXPECT_EQ(distintos, 0) << primeros.toStdString();
    }
}

// ----------------------------------------------------------------- twins

TEST_F(ModelosTangramTest, TwinsExchangeTheirHomesAndTheOthersKeepTheirs) {
    auto& g = PuzzGbl;
    g.Piezas.assign(8, RegistroPieza{});
    const Casas inicial = Ejemplo(5);
    for (int p = 1; p <= 7; ++p) {
        auto& r = g.Piezas[std::size_t(p)];
        r.XDestino = std::int16_t(inicial[std::size_t(p)].x);
        r.YDestino = std::int16_t(inicial[std::size_t(p)].y);
        r.GiroDestino = std::int16_t(inicial[std::size_t(p)].giro);
        r.VolteoDestino = std::int16_t(inicial[std::size_t(p)].volteo);
        r.X = std::int16_t(p);
    }
    const struct {
        std::int16_t pieza, gemela;
    } casos[] = {{1, 2}, {2, 1}, {4, 5}, {5, 4}, {3, 0}, {6, 0}, {7, 0}, {0, 0}, {8, 0}, {-1, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pieza);
        TAN_IntercambiaDestino(c.pieza);
        Casas esperado = inicial;
        if (c.gemela) std::swap(esperado[std::size_t(c.pieza)], esperado[std::size_t(c.gemela)]);
        EXPECT_EQ(CasasActuales(), esperado);
        TAN_IntercambiaDestino(c.pieza);
        EXPECT_EQ(CasasActuales(), inicial);
        for (int p = 1; p <= 7; ++p) EXPECT_EQ(g.Piezas[std::size_t(p)].X, p); // the places stay
    }
    // A twin the piece array does not hold: nothing is exchanged.
    g.Piezas.resize(5);
    TAN_IntercambiaDestino(4);
    EXPECT_EQ(g.Piezas[4].XDestino, inicial[4].x);
}

// ------------------------------------------------------- the generated file

std::vector<QPoint> Poligono(int p) {
    const auto& g = PuzzGbl;
    const auto& r = g.Piezas[std::size_t(p)];
    TAN_TamanoPieza(std::int16_t(p), r.GiroDestino, r.VolteoDestino);
    TAN_CalculaVertices(std::int16_t(p), r.GiroDestino, r.VolteoDestino);
    std::vector<QPoint> v;
    for (int k = 1; k <= (p <= 5 ? 3 : 4); ++k)
        v.emplace_back(r.XDestino + g.TAN_VerticeX[std::size_t(p)][std::size_t(k)],
                       r.YDestino + g.TAN_VerticeY[std::size_t(p)][std::size_t(k)]);
    return v;
}

// The parts of the silhouette: 4-connected sets of pixels in the line colour.
int Partes(const plat::Surface& s, plat::Color color) {
    const QImage& im = s.image();
    const int w = im.width(), h = im.height();
    std::vector<char> visto(std::size_t(w * h), 0);
    auto es = [&](int x, int y) { return plat::Color(im.pixel(x, y) & 0xFFFFFF) == color; };
    int partes = 0;
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0) {
            if (visto[std::size_t(y0 * w + x0)] || !es(x0, y0)) continue;
            ++partes;
            std::deque<QPoint> cola{QPoint(x0, y0)};
            visto[std::size_t(y0 * w + x0)] = 1;
            while (!cola.empty()) {
                const QPoint q = cola.front();
                cola.pop_front();
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint v = q + d;
                    if (v.x() < 0 || v.y() < 0 || v.x() >= w || v.y() >= h) continue;
                    char& m = visto[std::size_t(v.y() * w + v.x())];
                    if (m || !es(v.x(), v.y())) continue;
                    m = 1;
                    cola.push_back(v);
                }
            }
        }
    return partes;
}

// The pieces' sizes and the board origin of a Tangram puzzle on the smallest
// table, 800 x 600.
void GeometriaDeMesaPequena() {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 1;
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    ASSERT_TRUE(CalculaGeometriaPuzzle());
}

// The seven pieces' masks, as the table draws the pieces, each at its home:
// figure pixels white on black.
QImage UnionDeMascaras(int ancho, int alto) {
    auto& g = PuzzGbl;
    QImage u(ancho, alto, QImage::Format_RGB32);
    u.fill(0xFF000000);
    for (int p = 1; p <= 7; ++p) {
        auto& r = g.Piezas[std::size_t(p)];
        r.X = r.XDestino, r.Y = r.YDestino, r.Giro = r.GiroDestino, r.Volteo = r.VolteoDestino;
        GeneraImagenPieza(std::int16_t(p));
        const QImage& m = mesa.Pic_PiezaMascara.image();
        for (int y = 0; y < g.AltoPiezaBase; ++y)
            for (int x = 0; x < g.AnchoPiezaBase; ++x)
                if ((m.pixel(x, y) & 0xFFFFFF) == 0 && u.valid(r.X + x, r.Y + y)) u.setPixel(r.X + x, r.Y + y, 0xFFFFFFFF);
    }
    return u;
}

// Background pixels with figure pixels on both sides (across a row or a
// column), grouped where they touch: the largest group.
int MayorGrieta(const QImage& im) {
    const int w = im.width(), h = im.height();
    auto figura = [&](int x, int y) { return (im.pixel(x, y) & 0xFFFFFF) != 0; };
    std::vector<char> g(std::size_t(w * h), 0);
    for (int y = 1; y + 1 < h; ++y)
        for (int x = 1; x + 1 < w; ++x)
            if (!figura(x, y) && ((figura(x - 1, y) && figura(x + 1, y)) || (figura(x, y - 1) && figura(x, y + 1))))
                g[std::size_t(y * w + x)] = 1;
    int mayor = 0;
    for (int i = 0; i < w * h; ++i) {
        if (g[std::size_t(i)] != 1) continue;
        int n = 0;
        std::deque<int> cola{i};
        g[std::size_t(i)] = 2;
        while (!cola.empty()) {
            const int k = cola.front();
            cola.pop_front();
            ++n;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = k % w + dx, y = k / w + dy;
                    if (x < 0 || y < 0 || x >= w || y >= h || g[std::size_t(y * w + x)] != 1) continue;
                    g[std::size_t(y * w + x)] = 2;
                    cola.push_back(y * w + x);
                }
        }
        mayor = std::max(mayor, n);
    }
    return mayor;
}

TEST_F(ModelosTangramTest, EveryRecordOfTheGeneratedFileIsAFigureOfTheSevenPiecesApart) {
    QFile f(kGenerado);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "build the target modtan_data first: " << kGenerado.toStdString();
    const QString texto = plat::fromCp1252(f.readAll());
    ASSERT_EQ(texto.size() % kLargoRegistroTangram, 0);
    const int n = int(texto.size() / kLargoRegistroTangram);
    // The figures, then two empty slots for the player's own.
    constexpr int kHuecos = 2;
    EXPECT_GE(n - kHuecos, 20);
    for (int nro = n - kHuecos + 1; nro <= n; ++nro)
        EXPECT_EQ(texto.mid((nro - 1) * kLargoRegistroTangram, kLargoRegistroTangram), TAN_RegistroVacio()) << nro;

    auto& g = PuzzGbl;
    g.RutaArchivo = QFileInfo(kGenerado).absolutePath() + u'/';
    GeometriaDeMesaPequena();
    g.ColorFondo = 0x000000;
    g.ColorLineas = 0xFFFFFF;
    g.NroPiezas = 7;
    mesa.Pic_Bitmap.setSize(800, 600);
    // Where the deal puts the widest piece: the figure must leave it room;
    // and the tips panel along the bottom of the table must not cover it.
    const int columnaPiezas = 800 - kAnchoBotonera - 20 - 177;
    const int panelSugerencias = 600 - kAltoPanelSugerencia;
    QSet<QString> nombres;
    for (int nro = 1; nro <= n - kHuecos; ++nro) {
        const QString r = texto.mid((nro - 1) * kLargoRegistroTangram, kLargoRegistroTangram);
        const QString nombre = r.left(25).trimmed();
        SCOPED_TRACE(testing::Message() << nro << " " << nombre.toStdString());
        EXPECT_FALSE(nombre.isEmpty());
        EXPECT_FALSE(nombres.contains(nombre));
        nombres.insert(nombre);
        EXPECT_TRUE(r.endsWith(QStringLiteral("\r\n")));
        const QString cifras = r.mid(25, 99);
        EXPECT_TRUE(std::all_of(cifras.begin(), cifras.end(), [](QChar c) { return c.isDigit(); }));
        EXPECT_EQ(r.mid(95, 29), QString(29, u'0'));
        EXPECT_TRUE(TAN_AnalizaRegistro(r).valido);

        g.NroModelo = std::int16_t(nro);
        g.Piezas.clear();
        ASSERT_TRUE(TAN_LeeModelo());
        std::array<plat::Region, 8> zonas;
        for (int p = 1; p <= 7; ++p) zonas[std::size_t(p)] = plat::Region::polygon(Poligono(p));
        for (int p = 1; p <= 7; ++p)
            for (int q = p + 1; q <= 7; ++q) {
                plat::Region comun;
                EXPECT_EQ(plat::combine(comun, zonas[std::size_t(p)], zonas[std::size_t(q)], plat::rgn::kAnd),
                          plat::rgn::kNullRegion)
                    << "pieces " << p << " and " << q << " overlap";
            }
        TAN_CalculaMarcoFigura(2);
        const RegistroMarco m = g.MarcoFigura;
        EXPECT_EQ(m.Izquierda, g.OrigenX);
        EXPECT_EQ(m.Arriba, g.OrigenY);
        EXPECT_LT(m.Derecha, columnaPiezas);
        EXPECT_LE(m.Abajo, panelSugerencias);

        plat::Surface s(QStringLiteral("silueta"), m.Derecha + 1, m.Abajo + 1);
        s.setFillStyle(plat::FillStyle::Solid);
        TAN_DibujaModelo(s);
        EXPECT_EQ(Partes(s, 0xFFFFFF), 1) << "the silhouette falls apart";
        EXPECT_LE(MayorGrieta(s.image()), 2) << "a crack along a joint";
        // Solved, the pieces cover the silhouette exactly: nothing of it shows
        // around them, and they draw nothing outside it.
        const QImage silueta = s.image().convertToFormat(QImage::Format_RGB32);
        const QImage piezas = UnionDeMascaras(silueta.width(), silueta.height());
        int distintos = 0;
        for (int y = 0; y < silueta.height(); ++y)
            for (int x = 0; x < silueta.width(); ++x)
                if ((silueta.pixel(x, y) & 0xFFFFFF) != (piezas.pixel(x, y) & 0xFFFFFF)) ++distintos;
        EXPECT_EQ(distintos, 0) << "pixels where the silhouette and the pieces differ";
    }
}

// ------------------------------------------------------------ first start

// A first start of the game without its state file: the defaults solve model
// 1, whose figure stands on the table with the pieces loose beside it; the
// file is written, and the next start reads back the same table.
TEST_F(ModelosTangramTest, TheFirstStartSolvesModelOneAndTheNextStartReadsItBack) {
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    g.RutaArchivo = carpeta.path() + QStringLiteral("Archivo/");
    QDir().mkpath(g.RutaArchivo);
    ASSERT_TRUE(QFile::copy(kGenerado, g.RutaArchivo + QStringLiteral("ModTan.mlp")));
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    mesa.Pic_Botonera.move(800 - kAnchoBotonera, 0, kAnchoBotonera, 431);
    QStringList textos;
    RegistraPresentadorMensaje([&textos](const QString&, const QString& texto) {
        textos << texto;
        PuzzGbl.RespuestaMensaje = true;
    });
    InstalaEstadoPuzzle();
    g.TipoJuego = 23;
    const QString ruta = RutaEstadoJuego(23);
    LeePuzzleJuego(ruta);

    ASSERT_EQ(textos.size(), 1);
    EXPECT_TRUE(textos[0].contains(QStringLiteral("crearlo"))) << textos[0].toStdString();
    EXPECT_TRUE(QFileInfo::exists(ruta));
    EXPECT_EQ(g.NroModelo, 1);
    EXPECT_EQ(g.TAN_ModoJuego, 2);
    ASSERT_EQ(g.Piezas.size(), 8u);

    // The homes are model 1's, as its record holds them.
    const QString r = plat::readRecord(g.RutaArchivo + QStringLiteral("ModTan.mlp"), kLargoRegistroTangram, 1);
    for (int p = 1; p <= 7; ++p) {
        const QString b = r.mid(25 + (p - 1) * 10, 10);
        const auto& e = g.Piezas[std::size_t(p)];
        EXPECT_EQ((Casa{e.XDestino, e.YDestino, e.GiroDestino, e.VolteoDestino}),
                  (Casa{b.mid(0, 4).toInt(), b.mid(4, 4).toInt(), b.mid(8, 1).toInt(), b.mid(9, 1).toInt()}))
            << p;
    }
    // The figure on the table: the clean table shows each piece's home in the
    // line colour, and the table's colour away from the figure.
    const plat::Surface& fondo = mesa.Pic_Fondo;
    TAN_CalculaMarcoFigura(2);
    EXPECT_EQ(fondo.point(g.MarcoFigura.Derecha + 5, g.MarcoFigura.Abajo + 5), plat::Color(g.ColorFondo));
    for (int p = 1; p <= 7; ++p) {
        const auto& e = g.Piezas[std::size_t(p)];
        TAN_PuntoEtiqueta(std::int16_t(p), e.GiroDestino, e.VolteoDestino);
        EXPECT_EQ(fondo.point(e.XDestino + g.TAN_DesplX, e.YDestino + g.TAN_DesplY), plat::Color(g.ColorLineas))
            << "home of piece " << p;
    }
    // The pieces lie loose in their column, right of the figure.
    for (int p = 1; p <= 7; ++p) {
        const auto& e = g.Piezas[std::size_t(p)];
        EXPECT_GT(e.X, g.MarcoFigura.Derecha) << p;
        EXPECT_FALSE(PiezaBienColocada(std::int16_t(p))) << p;
    }
    const auto repartidas = g.Piezas;
    const QImage mesaRepartida = mesa.Pic_Imagen.image().copy();
    const QImage fondoRepartido = fondo.image().copy();

    // The next start reads the same table back.
    textos.clear();
    g.Piezas.assign(1, RegistroPieza{});
    mesa.Pic_Imagen.setBackColor(0x123456);
    LeePuzzleJuego(ruta);
    EXPECT_TRUE(textos.isEmpty()) << textos.value(0).toStdString();
    EXPECT_EQ(g.Piezas, repartidas);
    EXPECT_EQ(fondo.image(), fondoRepartido);
    EXPECT_EQ(mesa.Pic_Imagen.image(), mesaRepartida);
}

} // namespace
