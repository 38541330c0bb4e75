// The difficulty degree: hand-worked cases of every game's formula, read as
// the state file keeps them (four decimals), the limits of 0.1 and 99.9, the
// Tangram figure measured on a drawing of its own, and the degree of fresh
// deals.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/EstadoPuzzle.h"
#include "model/Geometria.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Taipei.h"
#include "model/Tangram.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/random.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/model/pentomino_fixtures.h"
#include "tests/support/fixtures.h"

#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The degree as the state header writes it.
std::string Grado() {
    return plat::format(PuzzGbl.GradoDificultad, QStringLiteral("00.0000"), plat::kFileSeparators).toStdString();
}

class DificultadTest : public ::testing::Test {
protected:
    void SetUp() override {
        imaging_test::Reinicia();
        InicializaTablas();
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        InstalaServiciosEstadoPuzzle({});
        imaging_test::Reinicia();
    }
};

// ------------------------------------------------------------------ jigsaw

struct CasoMoviles {
    const char* caso;
    int ancho, alto, porCasilla, piezas, atraccion;
    bool giro;
    int forma;
    const char* grado;
};

TEST_F(DificultadTest, JigsawBySizeCountAttractionRotationAndShape) {
    const CasoMoviles casos[] = {
        {"9 pieces of 312 px, full attraction", 24, 13, 1, 9, 100, false, 0, "15.0000"},
        {"25 rectangles of 128 x 96, turning", 128, 96, 1, 25, 20, true, 0, "49.8207"},
        {"50 stars, two to a cell", 128, 96, 2, 50, 20, true, 7, "63.3588"},
        {"no pieces per cell: no size term", 128, 96, 0, 25, 20, true, 0, "44.1285"},
        {"huge pieces grade below 0", 1000, 1000, 1, 9, 100, false, 0, "00.1000"},
        {"900 small stars grade past 100", 10, 10, 1, 900, 0, true, 7, "99.9000"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        auto& g = PuzzGbl;
        g.TipoJuego = 21;
        g.AnchoPieza = std::int16_t(c.ancho);
        g.AltoPieza = std::int16_t(c.alto);
        g.PiezasCasilla = std::int16_t(c.porCasilla);
        g.NroPiezas = std::int16_t(c.piezas);
        g.FactorAtraccion = std::int16_t(c.atraccion);
        g.GiroPermitido = c.giro;
        g.FormaPieza = std::int16_t(c.forma);
        CalculaDificultad();
        EXPECT_EQ(Grado(), c.grado);
    }
}

// ---------------------------------------------------------------- sliding

// An N x N board of cells of 40 from (10, 10), every piece home.
void TableroResuelto(int n, int rotulo) {
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.PiezasLado = std::int16_t(n);
    g.NroPiezas = std::int16_t(n * n - 1);
    g.AnchoPieza = g.AltoPieza = 40;
    g.OrigenX = g.OrigenY = 10;
    g.TipoRotulo = std::int16_t(rotulo);
    g.Piezas.assign(std::size_t(n * n), RegistroPieza{});
    for (int i = 1; i < n * n; ++i) {
        auto& p = g.Piezas[std::size_t(i)];
        p.X = p.XDestino = std::int16_t(10 + ((i - 1) % n) * 40);
        p.Y = p.YDestino = std::int16_t(10 + ((i - 1) / n) * 40);
    }
}

void Intercambia(int a, int b) {
    auto& pa = PuzzGbl.Piezas[std::size_t(a)];
    auto& pb = PuzzGbl.Piezas[std::size_t(b)];
    std::swap(pa.X, pb.X);
    std::swap(pa.Y, pb.Y);
}

TEST_F(DificultadTest, SlidingByDisorderCountAndBackground) {
    struct Caso {
        const char* caso;
        int lado, rotulo;
        std::vector<std::pair<int, int>> cambios;
        const char* grado;
    };
    const Caso casos[] = {
        {"solved 3 x 3 with numbers", 3, 2, {}, "06.6667"},
        // 1 and 24 are 7 cells apart, 5 and 21 eight, 2 and 22 four, 3 and 8 one: 40.
        {"5 x 5 with numbers, 40 cells out", 5, 2, {{1, 24}, {5, 21}, {2, 22}, {3, 8}}, "25.9788"},
        {"solved 4 x 4 with letters", 4, 3, {}, "14.9074"},
        {"an unknown background adds nothing", 4, 9, {}, "03.2407"},
        {"a size past the table: no disorder term", 10, 1, {{1, 99}}, "75.4630"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TableroResuelto(c.lado, c.rotulo);
        for (const auto& [a, b] : c.cambios) Intercambia(a, b);
        CalculaDificultad();
        EXPECT_EQ(Grado(), c.grado);
    }
}

// ---------------------------------------------------------------- Tangram

// The square of the model file: the seven pieces as they come in their box,
// their homes from (20, 20).
constexpr int kCuadrado[8][4] = {{0, 0, 0, 0},    {20, 20, 4, 0},   {20, 20, 2, 0},  {108, 108, 3, 0},
                                 {108, 64, 6, 0}, {20, 152, 0, 0},  {64, 108, 1, 0}, {153, 20, 2, 0}};

void Cuadrado() {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 2;
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    g.ColorFondo = 0x800000;
    g.ColorLineas = 0xFFFFFF;
    g.FactorAtraccion = 20;
    g.Piezas.assign(8, RegistroPieza{});
    for (int p = 1; p <= 7; ++p) {
        auto& r = g.Piezas[std::size_t(p)];
        r.XDestino = std::int16_t(kCuadrado[p][0]);
        r.YDestino = std::int16_t(kCuadrado[p][1]);
        r.GiroDestino = std::int16_t(kCuadrado[p][2]);
        r.VolteoDestino = std::int16_t(kCuadrado[p][3]);
    }
    ASSERT_TRUE(CalculaGeometriaPuzzle());
}

// The square fills its 177 x 177 box: 89 x 89 samples of 4 pixels make
// 31,684, above the box's 31,329, so the figure term is 101.1331.
TEST_F(DificultadTest, TangramSquareFillingItsBoxWhateverTheSettingsPictureHolds) {
    Cuadrado();
    auto& g = PuzzGbl;
    ASSERT_EQ(g.AnchoImagen, 177);
    ASSERT_EQ(g.AltoImagen, 177);
    ASSERT_EQ(g.OrigenX, 20);

    CalculaDificultad();
    EXPECT_EQ(Grado(), "90.5666");

    // The picture surface of the settings window plays no part.
    QImage ruido(g.AnchoImagen + 40, g.AltoImagen + 40, QImage::Format_RGB32);
    plat::randomGenerator().setState(5);
    for (int y = 0; y < ruido.height(); ++y)
        for (int x = 0; x < ruido.width(); ++x)
            ruido.setPixel(x, y, plat::toQRgb(plat::rndInt(2) == 1 ? g.ColorLineas : g.ColorFondo));
    mesa.Pic_FonTamReal.setImage(ruido);
    g.GradoDificultad = 0;
    CalculaDificultad();
    EXPECT_EQ(Grado(), "90.5666");
    mesa.Pic_FonTamReal.setImage(QImage());
    g.GradoDificultad = 0;
    CalculaDificultad();
    EXPECT_EQ(Grado(), "90.5666");
}

TEST_F(DificultadTest, TangramFiguresDifferAndGradingLeavesThePieceGeometry) {
    Cuadrado();
    auto& g = PuzzGbl;
    CalculaDificultad();
    const double cuadrado = g.GradoDificultad;
    // Piece 7 away from the square: the box widens by the piece it leaves
    // empty, and less of it is figure.
    g.Piezas[7].XDestino = 300;
    ASSERT_TRUE(CalculaGeometriaPuzzle());
    TAN_TamanoPieza(3, 1, 0);
    const auto base = std::pair(g.AnchoPiezaBase, g.AltoPiezaBase);
    const auto vertices = g.TAN_VerticeX;
    CalculaDificultad();
    EXPECT_LT(g.GradoDificultad, cuadrado);
    EXPECT_GT(g.GradoDificultad, 40.0); // the attraction term alone gives 40
    EXPECT_EQ(std::pair(g.AnchoPiezaBase, g.AltoPiezaBase), base);
    EXPECT_EQ(g.TAN_VerticeX, vertices);
}

TEST_F(DificultadTest, TangramWithoutABoardOrInDesignMode) {
    Cuadrado();
    auto& g = PuzzGbl;
    g.AnchoImagen = 0; // an empty box: the figure term stays 0
    CalculaDificultad();
    EXPECT_EQ(Grado(), "40.0000");
    // A design has no figure: the degree is not worked out.
    g.TAN_ModoJuego = 1;
    g.GradoDificultad = 12.5;
    CalculaDificultad();
    EXPECT_EQ(Grado(), "12.5000");
}

// ------------------------------------------------------------ pentominoes

TEST_F(DificultadTest, PentominoesBySolutionsAndBoardShape) {
    struct Caso {
        int filas, columnas, soluciones;
        const char* grado;
    };
    const Caso casos[] = {
        {6, 10, 9356, "17.9289"}, {8, 8, 520, "95.5879"}, {3, 20, 8, "82.0711"},
        {10, 6, 9356, "17.9289"}, // either way round
        {0, 0, 9356, "00.0342"},  // no sides: no shape term
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.filas << " x " << c.columnas);
        auto& g = PuzzGbl;
        g.TipoJuego = 24;
        g.FilasTablero = std::int16_t(c.filas);
        g.ColumnasTablero = std::int16_t(c.columnas);
        g.PEN_NumSoluciones = std::int16_t(c.soluciones);
        CalculaDificultad();
        EXPECT_EQ(Grado(), c.grado);
    }
}

// ------------------------------------------------------------------ Taipei

// One level of tiles 1..144 on the board, in row order, `paso` columns
// apart, `porFila` to a row.
void Taipei(int porFila, int paso) {
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    g.NroPiezas = 144;
    g.Piezas.assign(145, RegistroPieza{});
    g.OrdenPiezas.assign(145, 0);
    TAI_AsignaPalos();
    g.TAI_Tablero = {};
    g.TAI_NroNiveles = 1;
    g.FilasTablero = std::int16_t((144 + porFila - 1) / porFila);
    g.ColumnasTablero = std::int16_t((porFila - 1) * paso + 1);
    for (int t = 1; t <= 144; ++t) {
        const int fila = (t - 1) / porFila + 1, columna = ((t - 1) % porFila) * paso + 1;
        auto& p = g.Piezas[std::size_t(t)];
        p.Fila = std::int16_t(fila);
        p.Columna = std::int16_t(columna);
        p.Nivel = 1;
        p.Estado = 1;
        auto& celda = g.TAI_Tablero[std::size_t(fila)][std::size_t(columna)];
        celda.Altura = 1;
        celda.Ficha[1] = std::int16_t(t);
    }
}

TEST_F(DificultadTest, TaipeiByPairingSpreadAndFreeTiles) {
    // 12 rows of 12: 24 free tiles, blocking values 0..5 from the ends in;
    // the pairings add up to 94 against a spread of 432.
    Taipei(12, 1);
    CalculaDificultad();
    EXPECT_EQ(Grado(), "21.9907");
    // Every tile alone in its row: all free, all blocking values 0, so no
    // spread and no pairing term; the freedom term alone is 188.9.
    Taipei(11, 2);
    CalculaDificultad();
    EXPECT_EQ(Grado(), "94.4444");
}

TEST_F(DificultadTest, AnotherGameGrades01) {
    PuzzGbl.TipoJuego = 20;
    PuzzGbl.GradoDificultad = 50;
    CalculaDificultad();
    EXPECT_EQ(Grado(), "00.1000");
}

// ------------------------------------------------------------ fresh deals

// A first start of the pentominoes right after a Taipei game: the dealt
// board gets its own degree, which the new state file keeps.
TEST_F(DificultadTest, APentominoGameStartedWithoutAStateFileGetsItsOwnDegree) {
    testing_support::ScratchDir carpeta;
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    g.RutaArchivo = carpeta.path() + "Archivo/";
    g.RutaImagenes = carpeta.path() + "Imagenes/";
    pentominos_prueba::EscribeRectangulo(g.RutaArchivo, 4);
    g.TipoJuego = 24;
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    mesa.Pic_Botonera.move(800 - 141, 0, 141, 431);
    g.GradoDificultad = 37.25; // the Taipei game's
    RegistraPresentadorMensaje([](const QString&, const QString&) { PuzzGbl.RespuestaMensaje = true; });
    InstalaEstadoPuzzle();
    const QString ruta = RutaEstadoJuego(24);
    LeePuzzleJuego(ruta);
    ASSERT_TRUE(QFileInfo::exists(ruta));
    ASSERT_EQ(g.FilasTablero, 6);
    ASSERT_EQ(g.PEN_NumSoluciones, 4);
    // 4 solutions give 100, a 6 x 10 board 89.4737.
    EXPECT_EQ(Grado(), "97.8947");
    const QStringList lineas = LeeLineasEstado(plat::readFile(ruta));
    ASSERT_GE(lineas.size(), 5);
    EXPECT_EQ(lineas[4].mid(124, 7), QStringLiteral("97.8947"));
}

TEST_F(DificultadTest, EveryDealIsGraded) {
    auto& g = PuzzGbl;
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
    mesa.Pic_Trabajo.setSize(800, 600);
    mesa.Pic_Botonera.move(800 - 141, 0, 141, 431);

    g.TipoJuego = 21;
    g.NroPiezas = 25;
    g.Piezas.assign(26, RegistroPieza{});
    g.OrdenPiezas.assign(26, 0);
    for (int i = 1; i <= 25; ++i) g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
    g.AnchoPieza = 128;
    g.AltoPieza = 96;
    g.AnchoImagen = 640;
    g.AltoImagen = 480;
    g.PiezasCasilla = 1;
    g.FactorAtraccion = 20;
    g.GiroPermitido = true;
    g.GradoDificultad = 0;
    BarajaPiezas();
    EXPECT_EQ(Grado(), "49.8207");

    Cuadrado();
    g.GradoDificultad = 0;
    BarajaPiezas();
    EXPECT_EQ(Grado(), "90.5666");
}

} // namespace
