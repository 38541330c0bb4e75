// Drawing pieces on the table: the masked drawing, erasing under a clip,
// dragging on the visible table, the animated slide, full redraws in their
// three orders, the drawing order, the preview's place and the finished picture.
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/Juego.h"
#include "platform/clock.h"
#include "tests/imaging/imaging_fixtures.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace imaging_test;
using plat::Surface;

namespace {

constexpr int kAnchoMesa = 160, kAltoMesa = 120;

class DibujoTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        PreparaLaminas();
        PreparaTablero();
        // The empty table: a pattern of its own, kept as the back buffer's picture.
        QImage vacia(kAnchoMesa, kAltoMesa, QImage::Format_RGB32);
        for (int y = 0; y < kAltoMesa; ++y)
            for (int x = 0; x < kAnchoMesa; ++x) vacia.setPixel(x, y, qRgb(x, y, (x ^ y) & 0xFF));
        for (Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) {
            s->setSize(kAnchoMesa, kAltoMesa);
            s->setPicture(vacia);
        }
        mesa.Pic_Trabajo.onRefresh = [this] {
            ++presentaciones;
            posiciones.push_back({PuzzGbl.Piezas.size() > 1 ? PuzzGbl.Piezas[1].X : 0,
                                  PuzzGbl.Piezas.size() > 1 ? PuzzGbl.Piezas[1].Y : 0});
            imaginadas.push_back(PuzzGbl.PiezaAnterior);
        };
    }
    void TearDown() override {
        mesa.Pic_Trabajo.onRefresh = nullptr;
        Reinicia();
    }

    // Jigsaw pieces of shape 0 with a margin, so that each box has uncovered parts.
    void Puzzle(int n) {
        auto& g = PuzzGbl;
        g.TipoJuego = 21;
        g.AnchoPieza = 20;
        g.AltoPieza = 14;
        g.MargenPiezaX = g.MargenPiezaY = 3;
        g.AnchoPiezaBase = 26;
        g.AltoPiezaBase = 20;
        PonPiezas(n);
        for (int i = 1; i <= n; ++i) {
            auto& p = g.Piezas[std::size_t(i)];
            p.XDestino = std::int16_t(3 + 20 * (i % 8));
            p.YDestino = std::int16_t(3 + 14 * (i / 8));
        }
    }

    int presentaciones = 0;
    std::vector<std::pair<int, int>> posiciones;
    std::vector<int> imaginadas;
};

// What the table shows: the back buffer with the piece drawn over it.
QImage FondoConPieza(std::int16_t p) {
    Surface s;
    s.setImage(mesa.Pic_Imagen.image());
    GeneraImagenPieza(p);
    DibujaPiezaEnImagen(s, p);
    return s.image();
}

// ---------------------------------------------------------------- masked drawing

struct Lugar {
    int x, y;
};

class DibujoEnmascarado : public DibujoTest, public ::testing::WithParamInterface<Lugar> {};

TEST_P(DibujoEnmascarado, PieceOverBackgroundNothingOutside) {
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = 60;
    g.DibujarBorde = true;
    PonPiezas(1);
    g.Piezas[1].XDestino = 7;
    g.Piezas[1].YDestino = 9;
    g.Piezas[1].X = std::int16_t(GetParam().x);
    g.Piezas[1].Y = std::int16_t(GetParam().y);
    GeneraImagenPieza(1);
    const QImage antes = mesa.Pic_Imagen.image();
    DibujaPiezaEnImagen(mesa.Pic_Imagen, 1);
    const QImage& despues = mesa.Pic_Imagen.image();
    for (int y = 0; y < kAltoMesa; ++y)
        for (int x = 0; x < kAnchoMesa; ++x) {
            const int px = x - GetParam().x, py = y - GetParam().y;
            const bool dentro = px >= 0 && py >= 0 && px < 60 && py < 60 &&
                                mesa.Pic_PiezaMascara.point(px, py) == 0;
            const QRgb esperado = dentro ? mesa.Pic_PiezaImagen.image().pixel(px, py) : antes.pixel(x, y);
            ASSERT_EQ(despues.pixel(x, y), esperado) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Places, DibujoEnmascarado,
                         ::testing::Values(Lugar{10, 10}, Lugar{-25, 5}, Lugar{130, 90}, Lugar{-100, -100},
                                           Lugar{400, 10}));

// ---------------------------------------------------------------- erase

TEST_F(DibujoTest, ErasingEqualsARedrawWithoutThePiece) {
    std::mt19937 rng(99);
    for (int n = 3; n <= 6; ++n) {
        for (int ronda = 0; ronda < 4; ++ronda) {
            Puzzle(n);
            auto& g = PuzzGbl;
            for (int i = 1; i <= n; ++i) {
                auto& p = g.Piezas[std::size_t(i)];
                p.X = std::int16_t(30 + int(rng() % 30));
                p.Y = std::int16_t(20 + int(rng() % 30));
                p.Giro = std::int16_t(rng() % 4);
            }
            std::shuffle(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end(), rng);
            const std::int16_t quitada = std::int16_t(1 + rng() % unsigned(n));
            RedibujaImagen(2);
            BorraPiezaDeImagen(quitada);
            const QImage borrada = mesa.Pic_Imagen.image();
            EXPECT_FALSE(mesa.Pic_Imagen.hasClipRegion());
            g.Piezas[quitada].X = -1000;
            RedibujaImagen(2);
            ASSERT_EQ(borrada, mesa.Pic_Imagen.image()) << n << " pieces, piece " << quitada;
        }
    }
}

TEST_F(DibujoTest, ErasingALonePieceRebuildsNoOther) {
    Puzzle(3);
    auto& g = PuzzGbl;
    g.Piezas[1].X = 10, g.Piezas[1].Y = 10;
    g.Piezas[2].X = 80, g.Piezas[2].Y = 10;
    g.Piezas[3].X = 10, g.Piezas[3].Y = 70;
    RedibujaImagen(2);
    g.PiezaAnterior = 0;
    BorraPiezaDeImagen(2);
    EXPECT_EQ(g.PiezaAnterior, 0);
    for (int y = 10 - 3; y < 10 - 3 + 20; ++y)
        for (int x = 80 - 3; x < 80 - 3 + 26; ++x)
            ASSERT_EQ(mesa.Pic_Imagen.point(x, y), mesa.Pic_Fondo.point(x, y));
}

// ---------------------------------------------------------------- drag

TEST_F(DibujoTest, AfterEveryDragStepTheTableIsTheBackBufferPlusThePiece) {
    Puzzle(4);
    auto& g = PuzzGbl;
    for (int i = 1; i <= 4; ++i) {
        g.Piezas[std::size_t(i)].X = std::int16_t(20 + 12 * i);
        g.Piezas[std::size_t(i)].Y = std::int16_t(30 + 5 * i);
    }
    g.Piezas[2].Giro = 1;
    RedibujaImagen(1);
    CogePieza(50, 50, 2);
    const QImage fondo = mesa.Pic_Imagen.image();
    const Lugar pasos[] = {{50, 50}, {51, 50}, {51, 51}, {60, 58}, {150, 110}, {-30, -40}, {5, 5}, {5, 90}};
    for (const Lugar& p : pasos) {
        ActualizaTrabajo(std::int16_t(p.x), std::int16_t(p.y), 2);
        ASSERT_EQ(mesa.Pic_Imagen.image(), fondo) << "the back buffer is left alone";
        ASSERT_EQ(mesa.Pic_Trabajo.image(), FondoConPieza(2)) << p.x << "," << p.y;
        EXPECT_EQ(g.TrabajoNuevoX, p.x);
        EXPECT_EQ(g.TrabajoNuevoY, p.y);
    }
    EXPECT_EQ(g.Piezas[2].X, 44 + 5 - 50);
    EXPECT_EQ(g.Piezas[2].Y, 40 + 90 - 50);
}

TEST_F(DibujoTest, ADragBeyondSixteenBitsIsNotTaken) {
    Puzzle(1);
    auto& g = PuzzGbl;
    g.Piezas[1].X = 32000;
    g.TrabajoNuevoX = 0;
    ActualizaTrabajo(1000, 0, 1);
    EXPECT_EQ(g.Piezas[1].X, 32000);
}

// ---------------------------------------------------------------- animated move

class Animado : public DibujoTest {
protected:
    void SetUp() override {
        DibujoTest::SetUp();
        Puzzle(2);
        PuzzGbl.Piezas[2].X = 100;
        PuzzGbl.Piezas[2].Y = 80;
    }
    // A clock that moves on by itself as it is read.
    plat::ScopedClockSource reloj{[t = std::int64_t(1000)]() mutable { return t += 1; }};
};

struct CasoAnimado {
    Lugar pieza, desde, hasta;
    std::vector<std::pair<int, int>> pasos;
};

class AnimadoCasos : public Animado, public ::testing::WithParamInterface<CasoAnimado> {};

TEST_P(AnimadoCasos, StepsOfFourteenCutAtTheEnd) {
    const CasoAnimado& c = GetParam();
    auto& g = PuzzGbl;
    g.Piezas[1].X = std::int16_t(c.pieza.x);
    g.Piezas[1].Y = std::int16_t(c.pieza.y);
    RedibujaImagen(1);
    presentaciones = 0;
    posiciones.clear();
    MuevePiezaAnimada(std::int16_t(c.desde.x), std::int16_t(c.desde.y), std::int16_t(c.hasta.x),
                      std::int16_t(c.hasta.y), 1);
    // One present per step, each showing the piece at its new place.
    std::vector<std::pair<int, int>> vistos;
    for (auto p : posiciones)
        if (p != std::pair{c.pieza.x, c.pieza.y}) vistos.push_back(p);
    EXPECT_EQ(vistos, c.pasos);
    EXPECT_EQ(g.Piezas[1].X, c.hasta.x);
    EXPECT_EQ(g.Piezas[1].Y, c.hasta.y);
    EXPECT_EQ(mesa.Pic_Trabajo.image(), mesa.Pic_Imagen.image()) << "the piece is back in the back buffer";
    const QImage final = mesa.Pic_Imagen.image();
    RedibujaImagen(2);
    EXPECT_EQ(final, mesa.Pic_Imagen.image());
}

INSTANTIATE_TEST_SUITE_P(
    Slides, AnimadoCasos,
    ::testing::Values(CasoAnimado{{10, 10}, {10, 10}, {40, 10}, {{24, 10}, {38, 10}, {40, 10}}},
                      CasoAnimado{{40, 10}, {40, 10}, {10, 10}, {{26, 10}, {12, 10}, {10, 10}}},
                      CasoAnimado{{10, 10}, {10, 10}, {40, 24}, {{24, 24}, {38, 24}, {40, 24}}},
                      CasoAnimado{{10, 10}, {10, 10}, {10, 10}, {}},
                      // a move recorded out of step: the piece is elsewhere than its start
                      CasoAnimado{{50, 10}, {10, 10}, {10, 30}, {{36, 24}, {22, 30}, {10, 30}}}));

// ---------------------------------------------------------------- full redraw

TEST_F(DibujoTest, TaipeiRedrawByRowsColumnsAndLevels) {
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    g.AnchoPiezaBase = 56;
    g.AltoPiezaBase = 73;
    g.AnchoPieza = 50;
    g.AltoPieza = 66;
    PonPiezas(7);
    g.FilasTablero = 2;
    g.ColumnasTablero = 3;
    auto pon = [&](int t, int f, int c, int k) {
        auto& casilla = g.TAI_Tablero[std::size_t(f)][std::size_t(c)];
        casilla.Ficha[std::size_t(k)] = std::int16_t(t);
        casilla.Altura = std::max<std::int16_t>(casilla.Altura, std::int16_t(k));
        auto& p = g.Piezas[std::size_t(t)];
        p.Fila = std::int16_t(f), p.Columna = std::int16_t(c), p.Nivel = std::int16_t(k), p.Estado = 1;
        p.X = std::int16_t(20 * c - 6 * k), p.Y = std::int16_t(10 * f - 6 * k);
    };
    pon(1, 1, 2, 1), pon(2, 1, 2, 2), pon(3, 1, 2, 3), pon(4, 1, 1, 1), pon(5, 1, 3, 1), pon(6, 2, 1, 1),
        pon(7, 2, 2, 1);
    g.Piezas[5].Estado = 0;
    RedibujaImagen(0);
    EXPECT_EQ(imaginadas, (std::vector<int>{4, 1, 2, 3, 6, 7}));
    EXPECT_EQ(g.NroPiezasColocadas, 1);
    presentaciones = 0;
    RedibujaImagen(1);
    EXPECT_EQ(presentaciones, 1);
    const QImage una = mesa.Pic_Imagen.image();
    presentaciones = 0;
    RedibujaImagen(2);
    EXPECT_EQ(presentaciones, 0);
    EXPECT_EQ(una, mesa.Pic_Imagen.image());

    // Data that points outside the board and the tiles is skipped.
    g.TAI_Tablero[1][1].Altura = 9;
    g.TAI_Tablero[1][1].Ficha[2] = 200;
    g.TAI_Tablero[1][1].Ficha[3] = -4;
    g.FilasTablero = 40;
    g.ColumnasTablero = 99;
    imaginadas.clear();
    RedibujaImagen(0);
    EXPECT_EQ(imaginadas, (std::vector<int>{4, 1, 2, 3, 6, 7}));
}

TEST_F(DibujoTest, SlidingRedrawsForwardsOthersBackwards) {
    for (int juego : {22, 21}) {
        Puzzle(3);
        auto& g = PuzzGbl;
        g.TipoJuego = std::int16_t(juego);
        g.OrdenPiezas = {0, 3, 1, 2};
        imaginadas.clear();
        RedibujaImagen(0);
        EXPECT_EQ(imaginadas, juego == 22 ? (std::vector<int>{3, 1, 2}) : (std::vector<int>{2, 1, 3}));
        g.OrdenPiezas = {0, 3, 0, 77};
        imaginadas.clear();
        RedibujaImagen(0);
        EXPECT_EQ(imaginadas, (std::vector<int>{3}));
    }
}

// ---------------------------------------------------------------- drawing order

struct CasoOrden {
    int posicion;
    std::vector<std::int16_t> despues;
};

class OrdenCasos : public DibujoTest, public ::testing::WithParamInterface<CasoOrden> {};

TEST_P(OrdenCasos, PasaAlFrente) {
    PonPiezas(5);
    PuzzGbl.OrdenPiezas = {0, 5, 3, 1, 4, 2};
    PasaAlFrente(std::int16_t(GetParam().posicion));
    EXPECT_EQ(PuzzGbl.OrdenPiezas, GetParam().despues);
}

INSTANTIATE_TEST_SUITE_P(Order, OrdenCasos,
                         ::testing::Values(CasoOrden{3, {0, 1, 5, 3, 4, 2}}, CasoOrden{1, {0, 5, 3, 1, 4, 2}},
                                           CasoOrden{5, {0, 2, 5, 3, 1, 4}}, CasoOrden{2, {0, 3, 5, 1, 4, 2}},
                                           // not a place in the list
                                           CasoOrden{0, {0, 5, 3, 1, 4, 2}}, CasoOrden{6, {0, 5, 3, 1, 4, 2}},
                                           CasoOrden{-1, {0, 5, 3, 1, 4, 2}}));

TEST_F(DibujoTest, AnUnlistedPieceHasNoPlaceAndBringsNothingForward) {
    PonPiezas(4);
    PuzzGbl.OrdenPiezas = {0, 4, 2, 1, 3};
    EXPECT_EQ(PosicionEnOrden(1), 3);
    EXPECT_EQ(PosicionEnOrden(4), 1);
    EXPECT_EQ(PosicionEnOrden(9), 0);
    EXPECT_EQ(PosicionEnOrden(0), 0);
    PasaAlFrente(PosicionEnOrden(9));
    EXPECT_EQ(PuzzGbl.OrdenPiezas, (std::vector<std::int16_t>{0, 4, 2, 1, 3}));
}

// ---------------------------------------------------------------- preview placement

struct CasoMuestra {
    std::string nombre;
    bool barra;
    int grabadoraX, grabadoraY;
    int x, y;
};

class MuestraCasos : public DibujoTest, public ::testing::WithParamInterface<CasoMuestra> {};

TEST_P(MuestraCasos, BesideTheRecorder) {
    const CasoMuestra& c = GetParam();
    PuzzGbl.AnchoMesa = 800;
    PuzzGbl.AltoMesa = 600;
    mesa.Pic_Muestra.move(5, 5, 200, 150);
    mesa.Pic_Grabadora.move(c.grabadoraX, c.grabadoraY, 200, 100);
    mesa.BarraVer.setVisible(c.barra);
    ColocaMuestra();
    EXPECT_EQ(PuzzGbl.MuestraX, c.x);
    EXPECT_EQ(PuzzGbl.MuestraY, c.y);
    EXPECT_EQ(mesa.Pic_Muestra.left(), c.x);
    EXPECT_EQ(mesa.Pic_Muestra.top(), c.y);
    EXPECT_EQ(mesa.Pic_Muestra.width(), 200);
    EXPECT_EQ(mesa.Pic_Muestra.height(), 150);
}

INSTANTIATE_TEST_SUITE_P(Preview, MuestraCasos,
                         // The command panel takes x 659 to 800 down to y 431: a preview
                         // that would reach under it stands at its left (659 - 200).
                         ::testing::Values(CasoMuestra{"barHidden", false, 300, 400, 459, 250},
                                           CasoMuestra{"barShown", true, 300, 400, 459, 250},
                                           CasoMuestra{"aboveTheTopOverlapping", false, 300, 100, 100, 397},
                                           CasoMuestra{"aboveTheTopClear", false, 700, 100, 459, 397},
                                           CasoMuestra{"belowThePanel", false, 300, 600, 600, 450}),
                         [](const auto& info) { return info.param.nombre; });

// ---------------------------------------------------------------- finished picture

TEST_F(DibujoTest, JigsawFinishedPictureAndBack) {
    Puzzle(2);
    auto& g = PuzzGbl;
    g.AnchoImagen = 50;
    g.AltoImagen = 40;
    mesa.Pic_FonTamModi.setSize(80, 80);
    mesa.Pic_FonTamModi.setBackColor(0x0000FF);
    mesa.Pic_Bitmap.setBackColor(0x00FF00);
    mesa.Pic_Bitmap.clearPicture();
    MuestraModelo();
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_EQ(presentaciones, 1);
    EXPECT_EQ(mesa.Pic_Trabajo.point(49, 39), 0x0000FFu);
    EXPECT_NE(mesa.Pic_Trabajo.point(50, 39), 0x0000FFu);
    OcultaModelo();
    EXPECT_FALSE(g.MostrandoModelo);
    EXPECT_EQ(presentaciones, 2);
    EXPECT_EQ(mesa.Pic_Trabajo.point(0, 0), 0x00FF00u);
}

TEST_F(DibujoTest, TangramShowsItsBordersOnceOtherGamesOnlyTheFlag) {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    PonPiezas(7);
    MuestraModelo();
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_FALSE(g.DibujarBorde);
    EXPECT_EQ(presentaciones, 2); // the redraw, then the repaint
    OcultaModelo();
    EXPECT_EQ(presentaciones, 3);
    g.TipoJuego = 25;
    MuestraModelo();
    OcultaModelo();
    EXPECT_EQ(presentaciones, 4);
    EXPECT_FALSE(g.MostrandoModelo);
}

} // namespace
