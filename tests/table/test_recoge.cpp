// The gathering of misplaced pieces: the jigsaw's inward band on the visible
// table (tips panel shown or hidden, the table scrolled), one recorded move
// per piece that steps back, the stop between two pieces, a reorder in a
// pause, and Tangram pieces that end on no other piece.
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/PreparaMesa.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "platform/sound.h"
#include "resources/resources.h"
#include "table/Desolapa.h"
#include "table/RecogePiezas.h"
#include "tests/imaging/puzzle_fixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace {

class Recoge : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::Reinicia();
        mesa.Load();
        teselaro::initResources();
        plat::setSoundPlayer(&sonidos);
        sonidos.clear();
        eventos = 0;
        auto& g = PuzzGbl;
        g.SonidoActivo = true;
        g.VelocidadJuego = 100; // no pause takes time
        RegistraEventosRecogida([this] {
            ++eventos;
            if (alEjecutarEventos) alEjecutarEventos(eventos);
        });
    }
    void TearDown() override {
        RegistraEventosRecogida({});
        plat::setSoundPlayer(nullptr);
        mesa.reset();
        PuzzGbl.reset();
    }
    // A 3 x 3 jigsaw of 200-pixel rectangles on a 1024 x 768 table, pieces
    // 1 to 5 at home and 6 to 9 away from it along the bottom.
    static void rompecabezas() {
        puzzle_test::PonMesa(1024, 768);
        puzzle_test::Puzzle(0, 3, 600, 600);
        PreparaPiezasMoviles(true);
        auto& g = PuzzGbl;
        for (int i = 1; i <= g.NroPiezas; ++i) {
            auto& r = g.Piezas[std::size_t(i)];
            r.Giro = r.GiroDestino = 0;
            r.X = r.XDestino;
            r.Y = r.YDestino;
            if (i >= 6) {
                r.X = std::int16_t(100 * (i - 6) + 20);
                r.Y = 500;
            }
        }
        g.OrdenPiezas = {0, 7, 1, 9, 2, 3, 6, 4, 5, 8};
        RedibujaImagen(1);
    }
    static void recoge() {
        PuzzGbl.RecogiendoPiezas = true;
        RecogePiezas();
    }
    int sonidosRecogida() const {
        int n = 0;
        for (const auto& c : sonidos.calls())
            n += c.kind == plat::RecordingSoundPlayer::Call::Kind::Play && c.clip == teselaro::soundResource(52);
        return n;
    }

    plat::RecordingSoundPlayer sonidos;
    int eventos = 0;
    std::function<void(int)> alEjecutarEventos;
};

TEST_F(Recoge, WithEveryPieceInPlaceNothingMovesAndTheFlagEndsCleared) {
    rompecabezas();
    auto& g = PuzzGbl;
    for (int i = 6; i <= 9; ++i) {
        g.Piezas[std::size_t(i)].X = g.Piezas[std::size_t(i)].XDestino;
        g.Piezas[std::size_t(i)].Y = g.Piezas[std::size_t(i)].YDestino;
    }
    recoge();
    EXPECT_EQ(g.UltimoMovGrabado, 0);
    EXPECT_FALSE(g.RecogiendoPiezas);
    EXPECT_EQ(mesa.Pic_Trabajo.mousePointer(), 0);
    EXPECT_EQ(sonidosRecogida(), 0);
}

TEST_F(Recoge, FourMisplacedJigsawPiecesLineUpInTheBandOfTheVisibleTable) {
    // Four misplaced: 5 columns, scale 883 / 5 / 200 = 0.883, steps of 176.
    struct Caso {
        const char* nombre;
        std::function<void()> prepara;
        std::vector<std::pair<int, int>> lugares; // of 7, 9, 6, 8 (drawing order)
        int arriba, abajo;                         // the visible rows
    } casos[] = {
        {"tips hidden", [] {}, {{683, 5}, {683, 181}, {683, 357}, {683, 533}}, 0, 768},
        {"tips shown, top at 500",
         [] {
             PuzzGbl.MostrarSugerencias = true;
             mesa.Pic_Sugerencia.move(10, 500, 600, 80);
         },
         // The third would end below the panel: a row starts along its top.
         {{683, 5}, {683, 181}, {507, 300}, {331, 300}},
         0,
         500},
        {"tips shown but hidden again", [] { mesa.Pic_Sugerencia.move(10, 500, 600, 80); },
         {{683, 5}, {683, 181}, {683, 357}, {683, 533}}, 0, 768},
        {"scrolled down by 400",
         [] {
             mesa.Pic_Trabajo.setSize(1024, 1500);
             mesa.Pic_Imagen.setSize(1024, 1500);
             mesa.Pic_Fondo.setSize(1024, 1500);
             auto& ver = mesa.BarraVer;
             ver.Move(1007, 0, 17, 768);
             ver.setMax(732);
             ver.setVisible(true);
             ver.setValue(400);
         },
         {{683, 405}, {683, 581}, {683, 757}, {683, 933}},
         400,
         1168},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        rompecabezas();
        auto& g = PuzzGbl;
        ASSERT_EQ(g.LadoZonaPieza, 200);
        ASSERT_EQ(mesa.Pic_Botonera.left(), 883);
        c.prepara();
        std::vector<RegistroPieza> antes(g.Piezas.begin(), g.Piezas.end());
        recoge();
        const int orden[4] = {7, 9, 6, 8};
        ASSERT_EQ(g.UltimoMovGrabado, 4);
        for (int k = 0; k < 4; ++k) {
            const auto& r = g.Piezas[std::size_t(orden[k])];
            EXPECT_EQ(r.X, c.lugares[std::size_t(k)].first) << orden[k];
            EXPECT_EQ(r.Y, c.lugares[std::size_t(k)].second) << orden[k];
            EXPECT_GE(r.Y - g.MargenPiezaY, c.arriba);
            EXPECT_LE(r.Y - g.MargenPiezaY + AltoPiezaGirada(std::int16_t(orden[k]), r.Giro, r.Volteo), c.abajo);
            const auto& m = g.MovGrabados[std::size_t(k + 1)];
            EXPECT_EQ(m.Pieza, orden[k]);
            EXPECT_EQ(m.XAntes, antes[std::size_t(orden[k])].X);
            EXPECT_EQ(m.XDespues, r.X);
        }
        for (int i = 1; i <= 5; ++i) EXPECT_TRUE(PiezaBienColocada(std::int16_t(i))) << "never moved: " << i;
        EXPECT_EQ(sonidosRecogida(), 4);
        EXPECT_EQ(eventos, 4) << "events run after every piece visited";
        EXPECT_FALSE(g.RecogiendoPiezas);
        EXPECT_FALSE(g.ArrastrandoPieza);
        // Stepped back move by move, every piece is where it was.
        for (int k = 0; k < 4; ++k) GrabadoraPaso(1);
        for (int i = 1; i <= 9; ++i) {
            EXPECT_EQ(g.Piezas[std::size_t(i)].X, antes[std::size_t(i)].X) << i;
            EXPECT_EQ(g.Piezas[std::size_t(i)].Y, antes[std::size_t(i)].Y) << i;
        }
        TearDown();
    }
}

TEST_F(Recoge, AFlagClearedBetweenTwoPiecesStopsAfterTheCurrentOne) {
    rompecabezas();
    alEjecutarEventos = [](int) { PuzzGbl.RecogiendoPiezas = false; };
    recoge();
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 1);
    EXPECT_EQ(PuzzGbl.MovGrabados[1].Pieza, 7);
    EXPECT_EQ(eventos, 1);
    EXPECT_FALSE(PuzzGbl.RecogiendoPiezas);
}

TEST_F(Recoge, APieceBroughtToTheFrontInAPauseIsNeitherSkippedNorMovedTwice) {
    rompecabezas();
    auto& g = PuzzGbl;
    // A right press turns the back piece between two pieces: it comes to the front.
    alEjecutarEventos = [](int n) {
        if (n == 1) PasaAlFrente(PuzzGbl.NroPiezas);
    };
    recoge();
    ASSERT_EQ(g.UltimoMovGrabado, 4);
    std::multiset<int> movidas;
    for (int k = 1; k <= 4; ++k) movidas.insert(g.MovGrabados[std::size_t(k)].Pieza);
    EXPECT_EQ(movidas, (std::multiset<int>{6, 7, 8, 9}));
}

TEST_F(Recoge, TangramPiecesGatheredOverAPieceInPlaceArePushedOffIt) {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 2;
    g.AnchoMesa = 1024;
    g.AltoMesa = 768;
    g.OrigenY = 10;
    g.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
    g.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
    g.TAN_LadoPiezas = {0, 177, 177, 125, 89, 89, 89, 63};
    g.TAN_Gemela = {0, 2, 1, 0, 5, 4, 0, 0};
    for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) {
        s->setSize(1024, 768);
        s->setBackColor(0x808080);
    }
    mesa.Pic_Bitmap.setSize(1024, 768);
    mesa.Pic_Bitmap.setBackColor(0x3366CC);
    mesa.Pic_Botonera.move(883, 0, 141, 431);
    g.NroPiezas = 7;
    g.Piezas.assign(8, RegistroPieza{});
    g.OrdenPiezas = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int i = 1; i <= 7; ++i) {
        auto& r = g.Piezas[std::size_t(i)];
        r.X = std::int16_t(140 * i - 130);
        r.Y = 600;
        r.XDestino = 300;
        r.YDestino = 300;
    }
    // The large triangle 1 lies in its place right where the band begins.
    g.Piezas[1].X = g.Piezas[1].XDestino = 883 - 20 - 125;
    g.Piezas[1].Y = g.Piezas[1].YDestino = 10;
    RedibujaImagen(1);
    recoge();
    EXPECT_EQ(g.UltimoMovGrabado, 6);
    EXPECT_EQ(g.Piezas[1].X, 738);
    EXPECT_EQ(g.Piezas[1].Y, 10);
    EXPECT_EQ(eventos, 7) << "events run after every piece visited";
    auto poligono = [&](int p) {
        const auto& r = g.Piezas[std::size_t(p)];
        return PoligonoTangram(std::int16_t(p), r.X, r.Y, r.Giro, r.Volteo);
    };
    for (int a = 1; a <= 7; ++a)
        for (int b = a + 1; b <= 7; ++b)
            EXPECT_FALSE(PoligonosSeSolapan(poligono(a), poligono(b))) << a << " on " << b;
    for (int i = 2; i <= 7; ++i) {
        const auto& r = g.Piezas[std::size_t(i)];
        EXPECT_GE(r.X, 0);
        EXPECT_LE(r.X + AnchoPiezaGirada(std::int16_t(i), r.Giro, r.Volteo), 883) << i;
    }
}

TEST_F(Recoge, TheVisibleHalvesOfTrianglesLineUpInTheBand) {
    puzzle_test::PonMesa(1024, 768);
    puzzle_test::Puzzle(3, 3, 600, 480);
    PreparaPiezasMoviles(true);
    auto& g = PuzzGbl;
    // The four triangles of the first cell away from home, the rest in place.
    for (int i = 1; i <= g.NroPiezas; ++i) {
        auto& r = g.Piezas[std::size_t(i)];
        r.Giro = r.GiroDestino = 0;
        r.X = i <= 4 ? std::int16_t(100 * i) : r.XDestino;
        r.Y = i <= 4 ? std::int16_t(550) : r.YDestino;
    }
    for (int i = 1; i <= g.NroPiezas; ++i) g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
    RedibujaImagen(1);
    recoge();
    ASSERT_EQ(g.UltimoMovGrabado, 4);
    const int x = int(plat::roundHalfEven(883.0 - g.LadoZonaPieza));
    int arriba = -1;
    for (int p = 1; p <= 4; ++p) {
        SCOPED_TRACE(p);
        CalculaLimitesMascara(std::int16_t(p)); // where its visible part now is
        EXPECT_EQ(g.MascaraPosX, x);
        if (p == 1) {
            EXPECT_EQ(g.MascaraPosY, 5);
        }
        EXPECT_GT(g.MascaraPosY, arriba) << "down the column, in drawing order";
        arriba = g.MascaraPosY;
    }
}

} // namespace
