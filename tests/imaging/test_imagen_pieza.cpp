// The mask and image of a piece for every game: sizes, the mask and image
// convention, where the pixels come from, the sliding-tile octagon and bevel,
// the Taipei bodies and faces, pentomino colours and the jigsaw turns.
#include "imaging/ImagenPieza.h"
#include "platform/region.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace imaging_test;
using plat::Color;
using plat::Surface;

namespace {

Surface& M() { return mesa.Pic_PiezaMascara; }
Surface& I() { return mesa.Pic_PiezaImagen; }

// The mask is black or white only, and the image is black wherever the mask is white.
void CompruebaConvenio() {
    ASSERT_EQ(M().scaleWidth(), I().scaleWidth());
    ASSERT_EQ(M().scaleHeight(), I().scaleHeight());
    for (int y = 0; y < M().scaleHeight(); ++y)
        for (int x = 0; x < M().scaleWidth(); ++x) {
            const Color m = M().point(x, y);
            ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << x << "," << y;
            if (m == 0xFFFFFF) {
                ASSERT_EQ(I().point(x, y), 0u) << x << "," << y;
            }
        }
}

class ImagenPiezaTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        PreparaLaminas();
        PreparaTablero();
        PonPiezas(4);
    }
    void TearDown() override { Reinicia(); }
};

// ---------------------------------------------------------------- jigsaw

struct CasoPuzzle {
    std::string nombre;
    int forma, giro, margen;
    bool bienMal;
};

class PuzzleCasos : public ImagenPiezaTest, public ::testing::WithParamInterface<CasoPuzzle> {};

TEST_P(PuzzleCasos, HomeCropTurnedAndMasked) {
    const CasoPuzzle c = GetParam();
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.FormaPieza = std::int16_t(c.forma);
    g.AnchoPieza = 20;
    g.AltoPieza = 14;
    g.MargenPiezaX = g.MargenPiezaY = std::int16_t(c.margen);
    g.AnchoPiezaBase = std::int16_t(20 + 2 * c.margen);
    g.AltoPiezaBase = std::int16_t(14 + 2 * c.margen);
    g.MostrarBienoMal = c.bienMal;
    auto& p = g.Piezas[3];
    p.XDestino = 60;
    p.YDestino = 42;
    p.X = 170; // wherever it lies now
    p.Y = 5;
    p.Giro = std::int16_t(c.giro);
    GeneraImagenPieza(3);

    const int W = g.AnchoPiezaBase, H = g.AltoPiezaBase;
    const bool cuarto = c.giro == 1 || c.giro == 3;
    ASSERT_EQ(M().scaleWidth(), cuarto ? H : W);
    ASSERT_EQ(M().scaleHeight(), cuarto ? W : H);
    CompruebaConvenio();
    EXPECT_EQ(g.PiezaAnterior, 3);
    EXPECT_EQ(g.GiroAnterior, c.giro);
    EXPECT_EQ(g.PiezaActual, g.Piezas[3]);

    const Surface& fuente = c.bienMal ? mesa.Pic_PiezaColor : mesa.Pic_Bitmap;
    const bool gira = c.giro >= 1 && c.giro <= 3;
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            int x = X, y = Y;
            if (gira && c.giro == 1) x = H - 1 - Y, y = X;
            if (gira && c.giro == 2) x = W - 1 - X, y = H - 1 - Y;
            if (gira && c.giro == 3) x = Y, y = W - 1 - X;
            const bool dentro = c.forma == 0 && X < 20 && Y < 14;
            ASSERT_EQ(M().point(x, y), dentro ? 0u : 0xFFFFFFu) << X << "," << Y;
            const Color esperado = dentro ? fuente.point(60 - c.margen + X, 42 - c.margen + Y) : 0u;
            ASSERT_EQ(I().point(x, y), esperado) << X << "," << Y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Jigsaw, PuzzleCasos,
    ::testing::Values(CasoPuzzle{"plain", 0, 0, 0, false}, CasoPuzzle{"quarter", 0, 1, 0, false},
                      CasoPuzzle{"half", 0, 2, 0, false}, CasoPuzzle{"threeQuarters", 0, 3, 3, false},
                      CasoPuzzle{"rightOrWrong", 0, 1, 0, true}, CasoPuzzle{"codeFourNotTurned", 0, 4, 0, false},
                      CasoPuzzle{"codeMinusOneNotTurned", 0, -1, 2, false},
                      CasoPuzzle{"shapeNegative", -1, 1, 2, false}, CasoPuzzle{"shapeUnknown", 9, 0, 0, false}),
    [](const auto& info) { return info.param.nombre; });

// ---------------------------------------------------------------- sliding

struct CasoDeslizante {
    int ancho;
    bool borde;
};

class DeslizanteCasos : public ImagenPiezaTest, public ::testing::WithParamInterface<CasoDeslizante> {};

TEST_P(DeslizanteCasos, BoxOrOctagonCutByAThirtieth) {
    const auto [w, borde] = GetParam();
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = std::int16_t(w);
    g.DibujarBorde = borde;
    g.ColorPiezaClaro = 0xA0FFFF;
    g.ColorPiezaOscuro = 0x404000;
    g.Piezas[2].XDestino = 30;
    g.Piezas[2].YDestino = 10;
    GeneraImagenPieza(2);
    ASSERT_EQ(M().scaleWidth(), w);
    ASSERT_EQ(M().scaleHeight(), w);
    CompruebaConvenio();
    const int r = borde ? w / 30 : 0;
    // Each corner loses the triangle of pixels nearer than r to it.
    for (int y = 0; y < w; ++y)
        for (int x = 0; x < w; ++x) {
            const int a = std::min(x, w - 1 - x), b = std::min(y, w - 1 - y);
            ASSERT_EQ(M().point(x, y), a + b < r ? 0xFFFFFFu : 0u) << x << "," << y;
        }
    if (!borde) {
        for (int y = 0; y < w; ++y)
            for (int x = 0; x < w; ++x) ASSERT_EQ(I().point(x, y), mesa.Pic_Bitmap.point(30 + x, 10 + y));
    }
}

INSTANTIATE_TEST_SUITE_P(Sliding, DeslizanteCasos,
                         ::testing::Values(CasoDeslizante{29, false}, CasoDeslizante{29, true},
                                           CasoDeslizante{30, false}, CasoDeslizante{30, true},
                                           CasoDeslizante{60, false}, CasoDeslizante{60, true}));

TEST_F(ImagenPiezaTest, SlidingBevelOfAThirtyPixelTile) {
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = 30;
    g.DibujarBorde = true;
    g.ColorPiezaClaro = 0xA0FFFF;
    g.ColorPiezaOscuro = 0x404000;
    GeneraImagenPieza(1);
    // L light, D dark, B the board picture, K black (outside the tile).
    struct Punto {
        int x, y;
        char que;
    };
    const Punto puntos[] = {
        {0, 0, 'K'},   {29, 0, 'K'},  {0, 29, 'K'},  {29, 29, 'K'}, // corners cut
        {0, 10, 'B'},  {1, 10, 'L'},  {2, 10, 'L'},  {3, 10, 'B'},  // left, two wide
        {10, 0, 'B'},  {10, 1, 'L'},  {10, 2, 'L'},  {10, 3, 'B'},  // top
        {29, 10, 'D'}, {28, 10, 'B'}, {10, 29, 'D'}, {10, 28, 'B'}, // right, bottom
        {29, 1, 'D'},  {1, 29, 'D'},  {29, 2, 'L'},  {2, 28, 'L'},  // the two dark dots, the light ends
        {15, 15, 'B'},
    };
    for (const Punto& p : puntos) {
        const Color esperado = p.que == 'L'   ? g.ColorPiezaClaro
                               : p.que == 'D' ? g.ColorPiezaOscuro
                               : p.que == 'K' ? 0u
                                              : mesa.Pic_Bitmap.point(p.x, p.y);
        EXPECT_EQ(I().point(p.x, p.y), esperado) << p.x << "," << p.y << " " << p.que;
    }
    // The surface keeps the last width and colour set.
    EXPECT_EQ(I().drawWidth(), 1);
    EXPECT_EQ(I().foreColor(), g.ColorPiezaOscuro);
}

// ---------------------------------------------------------------- Taipei

struct CasoTaipei {
    int estado, material;
    bool bienMal, libre;
};

class TaipeiCasos : public ImagenPiezaTest, public ::testing::WithParamInterface<CasoTaipei> {};

TEST_P(TaipeiCasos, BodyByDisplayMaterialAndSelectionFaceUnlessRemoved) {
    const CasoTaipei c = GetParam();
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    PonPiezas(3);
    g.AnchoPiezaBase = 56;
    g.AltoPiezaBase = 73;
    g.AnchoPieza = 50;
    g.AltoPieza = 66;
    g.MaterialPiezas = std::int16_t(c.material);
    g.MostrarBienoMal = c.bienMal;
    // Tile 1 between tiles 2 and 3 on row 2; it is free when tile 3 has gone.
    for (int t = 1; t <= 3; ++t) {
        auto& p = g.Piezas[std::size_t(t)];
        p.Fila = 2;
        p.Columna = std::int16_t(t == 1 ? 5 : t == 2 ? 4 : 6);
        p.Nivel = 1;
        p.Estado = 1;
        g.TAI_Tablero[2][std::size_t(p.Columna)].Altura = 1;
        g.TAI_Tablero[2][std::size_t(p.Columna)].Ficha[1] = std::int16_t(t);
    }
    if (c.libre) g.Piezas[3].Estado = 0;
    g.Piezas[1].Estado = std::int16_t(c.estado);
    g.Piezas[1].Palo = 5;
    g.Piezas[1].Valor = 3; // "Rojo": column 7, row 4
    GeneraImagenPieza(1);

    ASSERT_EQ(M().scaleWidth(), 56);
    ASSERT_EQ(M().scaleHeight(), 73);
    CompruebaConvenio();
    int cuerpo;
    if (c.bienMal)
        cuerpo = (c.estado != 0 && !c.libre) ? 411 : 354;
    else
        cuerpo = ((c.material == 2) != (c.estado == 2)) ? 468 : 240;
    EXPECT_EQ(I().point(1, 1), Cuerpo(cuerpo));
    const bool cara = c.estado == 1 || c.estado == 2;
    EXPECT_EQ(I().point(10, 10), cara ? Cara(7, 4) : Cuerpo(cuerpo));
    EXPECT_EQ(I().point(44, 61), cara ? 0xFFFFFFu : Cuerpo(cuerpo));
    // 0x8EBBCD: red 0xCD, green 0xBB, blue 0x8E.
    EXPECT_EQ(qRed(I().image().pixel(3, 61)), cara ? 0xCD : int(Cuerpo(cuerpo) & 0xFF));
    EXPECT_EQ(qBlue(I().image().pixel(3, 61)), cara ? 0x8E : int((Cuerpo(cuerpo) >> 16) & 0xFF));
    EXPECT_EQ(I().point(55, 72), 0u);
}

std::vector<CasoTaipei> TodosTaipei() {
    std::vector<CasoTaipei> v;
    for (int e : {0, 1, 2})
        for (int m : {1, 2, 7})
            for (bool bm : {false, true})
                for (bool libre : {false, true}) v.push_back({e, m, bm, libre});
    return v;
}

INSTANTIATE_TEST_SUITE_P(Taipei, TaipeiCasos, ::testing::ValuesIn(TodosTaipei()));

struct CasoCara {
    int palo, valor, columna, fila; // columna 0: no face
};

class CarasTaipei : public ImagenPiezaTest, public ::testing::WithParamInterface<CasoCara> {};

TEST_P(CarasTaipei, SuitAndValuePickTheCell) {
    const CasoCara c = GetParam();
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    g.AnchoPiezaBase = 56;
    g.AltoPiezaBase = 73;
    g.Piezas[1].Estado = 1;
    g.Piezas[1].Palo = std::int16_t(c.palo);
    g.Piezas[1].Valor = std::int16_t(c.valor);
    GeneraImagenPieza(1);
    EXPECT_EQ(I().point(20, 30), c.columna ? Cara(c.columna, c.fila) : Cuerpo(240));
    EXPECT_EQ(I().point(44, 61), c.columna ? 0xFFFFFFu : Cuerpo(240));
}

INSTANTIATE_TEST_SUITE_P(Faces, CarasTaipei,
                         ::testing::Values(CasoCara{1, 1, 1, 1}, CasoCara{1, 9, 9, 1}, CasoCara{2, 4, 4, 2},
                                           CasoCara{3, 9, 9, 3}, CasoCara{4, 4, 4, 4}, CasoCara{5, 1, 5, 4},
                                           CasoCara{6, 4, 4, 5}, CasoCara{7, 4, 8, 5}, CasoCara{7, 1, 5, 5},
                                           // no such face
                                           CasoCara{5, 4, 0, 0}, CasoCara{4, 5, 0, 0}, CasoCara{1, 10, 0, 0},
                                           CasoCara{1, 0, 0, 0}, CasoCara{0, 1, 0, 0}, CasoCara{8, 1, 0, 0},
                                           CasoCara{-3, 2, 0, 0}));

// ---------------------------------------------------------------- pentominoes and Tangram

void PonPentominoP() {
    auto& g = PuzzGbl;
    g.TipoJuego = 24;
    g.LadoCelda = 10;
    auto& f = g.PEN_TablaPiezas[2]; // a 3 x 2 box of 10-pixel cells: 31 x 21
    f.Ancho = 3;
    f.Alto = 2;
    const int xs[] = {0, 0, 1, 2, 0, 1}, ys[] = {0, 0, 0, 0, 1, 1};
    for (int k = 1; k <= 5; ++k) {
        f.CeldaX[std::size_t(k)] = std::int16_t(xs[k]);
        f.CeldaY[std::size_t(k)] = std::int16_t(ys[k]);
    }
}

TEST_F(ImagenPiezaTest, PentominoShownWrongIsPureRed) {
    PonPentominoP();
    auto& g = PuzzGbl;
    g.MostrarBienoMal = true;
    g.Piezas[2].X = 5; // not at home
    GeneraImagenPieza(2);
    ASSERT_EQ(M().scaleWidth(), 31);
    ASSERT_EQ(M().scaleHeight(), 21);
    CompruebaConvenio();
    EXPECT_EQ(M().point(25, 15), 0xFFFFFFu); // the missing cell
    const int dentro = testing_support::countColor(M(), 0);
    EXPECT_EQ(testing_support::countColor(I(), 0x0000FF), dentro);
    EXPECT_EQ(testing_support::countColor(I(), 0), 31 * 21 - dentro);
}

TEST_F(ImagenPiezaTest, PentominoInOneColourWithGreyOutlines) {
    PonPentominoP();
    auto& g = PuzzGbl;
    g.PiezasUnColor = true;
    g.DibujarBorde = true;
    g.ColorPieza = 0x3366CC;
    GeneraImagenPieza(2);
    CompruebaConvenio();
    for (auto [x, y] : {std::pair{5, 5}, {15, 5}, {25, 5}, {5, 15}, {15, 15}})
        EXPECT_EQ(I().point(x, y), 0x3366CCu) << x << "," << y;
    for (auto [x, y] : {std::pair{0, 0}, {10, 5}, {30, 3}, {5, 20}, {20, 15}})
        EXPECT_EQ(I().point(x, y), 0x808080u) << x << "," << y;
}

TEST_F(ImagenPiezaTest, PentominoOwnShapeColour) {
    PonPentominoP();
    PuzzGbl.PEN_TablaPiezas[2].Color = 0x10A0F0;
    GeneraImagenPieza(2);
    EXPECT_EQ(I().point(5, 5), 0x10A0F0u);
    EXPECT_EQ(I().point(0, 0), 0x10A0F0u); // outline in the fill colour without borders
}

// The Tangram tables: pieces 1 to 7 of a puzzle.
void PonTangram() {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    PonPiezas(7);
    g.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
    g.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
    g.TAN_LadoPiezas = {0, 177, 177, 125, 89, 89, 89, 63};
}

TEST_F(ImagenPiezaTest, TangramTriangleFromItsVertices) {
    auto& g = PuzzGbl;
    PonTangram();
    // Small triangle 4 turned an eighth: 63 x 63, right angle top-right.
    g.Piezas[4].Giro = 1;
    g.Piezas[4].XDestino = 100;
    g.Piezas[4].YDestino = 50;
    g.DibujarBorde = true;
    I().setForeColor(0x0000AA); // what the Tangram set-up leaves there
    GeneraImagenPieza(4);
    ASSERT_EQ(M().scaleWidth(), 63);
    ASSERT_EQ(M().scaleHeight(), 63);
    CompruebaConvenio();
    EXPECT_EQ(M().point(50, 10), 0u);
    EXPECT_EQ(M().point(10, 50), 0xFFFFFFu);
    EXPECT_EQ(I().point(50, 10), mesa.Pic_Bitmap.point(150, 60));
    EXPECT_EQ(I().point(30, 0), 0x0000AAu);  // top side
    EXPECT_EQ(I().point(62, 30), 0x0000AAu); // right side
    EXPECT_EQ(I().point(30, 30), 0x0000AAu); // on the long side
}

// Every orientation of every piece: the mask holds the whole polygon, and the
// fill stays inside the outline (the box's corners off the polygon stay white).
TEST_F(ImagenPiezaTest, EveryTangramOrientationMasksItsPolygonOnly) {
    auto& g = PuzzGbl;
    PonTangram();
    for (int p = 1; p <= 7; ++p) {
        for (int volteo = 0; volteo <= (p == 7 ? 1 : 0); ++volteo) {
            for (int giro = 0; giro <= 7; ++giro) {
                SCOPED_TRACE(testing::Message() << "piece " << p << " rotation " << giro << " flip " << volteo);
                g.Piezas[std::size_t(p)].Giro = std::int16_t(giro);
                g.Piezas[std::size_t(p)].Volteo = std::int16_t(volteo);
                GeneraImagenPieza(std::int16_t(p));
                const int w = M().scaleWidth(), h = M().scaleHeight();
                std::vector<QPoint> vertices;
                for (int k = 1; k <= (p <= 5 ? 3 : 4); ++k)
                    vertices.emplace_back(g.TAN_VerticeX[std::size_t(p)][std::size_t(k)],
                                          g.TAN_VerticeY[std::size_t(p)][std::size_t(k)]);
                const auto region = plat::Region::polygon(vertices);
                int fuera = 0;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        if (region.contains(x, y) && M().point(x, y) != 0u) ++fuera;
                EXPECT_EQ(fuera, 0);
                for (const QPoint& esquina : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)}) {
                    const bool vertice = std::find(vertices.begin(), vertices.end(), esquina) != vertices.end();
                    EXPECT_EQ(M().point(esquina.x(), esquina.y()), vertice ? 0u : 0xFFFFFFu)
                        << esquina.x() << "," << esquina.y();
                }
            }
        }
    }
}

// ---------------------------------------------------------------- bad input

TEST_F(ImagenPiezaTest, ABadPieceNumberChangesNothing) {
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = 20;
    GeneraImagenPieza(1);
    const QImage mascara = M().image(), imagen = I().image();
    const RegistroPieza actual = g.PiezaActual;
    g.Piezas[2].X = 99;
    for (int p : {0, -1, 5, 32767}) {
        GeneraImagenPieza(std::int16_t(p));
        EXPECT_EQ(M().image(), mascara);
        EXPECT_EQ(I().image(), imagen);
        EXPECT_EQ(g.PiezaActual, actual);
        EXPECT_EQ(g.PiezaAnterior, 1);
    }
}

} // namespace
