// The move recorder: recording, growth of the list, stepping back and forward
// on a sliding board, a jigsaw and a Taipei board, and review on and off.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/Grabadora.h"
#include "model/Partida.h"
#include "platform/clock.h"
#include "tests/imaging/imaging_fixtures.h"

#include <gtest/gtest.h>

#include <vector>

using namespace imaging_test;

namespace {

constexpr int kLado = 30, kOrigen = 5;

class GrabadoraTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        PreparaLaminas();
        PreparaTablero();
        for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) s->setSize(160, 120);
        PuzzGbl.VelocidadJuego = 100;
    }
    void TearDown() override { Reinicia(); }

    // A solved 3 x 3 sliding board, hole in the last cell.
    static void Deslizante() {
        auto& g = PuzzGbl;
        g.TipoJuego = 22;
        g.PiezasLado = 3;
        g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = kLado;
        g.OrigenX = g.OrigenY = kOrigen;
        g.AnchoImagen = g.AltoImagen = 3 * kLado;
        PonPiezas(8);
        for (int i = 1; i <= 8; ++i) {
            auto& p = g.Piezas[std::size_t(i)];
            p.X = p.XDestino = std::int16_t(kOrigen + (i - 1) % 3 * kLado);
            p.Y = p.YDestino = std::int16_t(kOrigen + (i - 1) / 3 * kLado);
        }
        g.AgujeroX = g.AgujeroY = std::int16_t(kOrigen + 2 * kLado);
        IniciaGrabadora();
        g.UltimoMovGrabado = g.MovActual;
        RedibujaImagen(1);
    }

    // What the table does for a slide: the piece to the front, into the hole, recorded.
    static void Desliza(std::int16_t p) {
        auto& g = PuzzGbl;
        auto& pieza = g.Piezas[std::size_t(p)];
        const std::int16_t x = pieza.X, y = pieza.Y;
        PasaAlFrente(PosicionEnOrden(p));
        pieza.X = g.AgujeroX;
        pieza.Y = g.AgujeroY;
        g.AgujeroX = x;
        g.AgujeroY = y;
        GrabaMovimiento(x, y, 0, 0, pieza.X, pieza.Y, 0, 0);
    }

    struct Foto {
        std::vector<RegistroPieza> piezas;
        std::vector<std::int16_t> orden;
        std::int16_t agujeroX, agujeroY;
        bool operator==(const Foto&) const = default;
    };
    static Foto Toma() {
        const auto& g = PuzzGbl;
        return {g.Piezas, g.OrdenPiezas, g.AgujeroX, g.AgujeroY};
    }
};

// ------------------------------------------------------------- recording

TEST_F(GrabadoraTest, AMoveThatChangesNothingIsNotRecorded) {
    Deslizante();
    // Each value in turn differs; the last case changes none.
    for (int campo = 0; campo <= 4; ++campo) {
        SCOPED_TRACE(campo);
        std::int16_t d[4] = {10, 20, 1, 0};
        if (campo < 4) d[campo] = std::int16_t(d[campo] + 1);
        const std::int32_t antes = PuzzGbl.MovActual;
        GrabaMovimiento(10, 20, 1, 0, d[0], d[1], d[2], d[3]);
        EXPECT_EQ(PuzzGbl.MovActual, antes + (campo < 4 ? 1 : 0));
        EXPECT_EQ(PuzzGbl.UltimoMovGrabado, PuzzGbl.MovActual);
    }
}

TEST_F(GrabadoraTest, TheMoveNamesTheFrontPieceAndTaipeiNone) {
    Deslizante();
    PasaAlFrente(PosicionEnOrden(6));
    GrabaMovimiento(1, 2, 3, 4, 5, 6, 7, 8);
    EXPECT_EQ(PuzzGbl.MovGrabados[1], (RegistroMovimiento{6, 1, 2, 3, 4, 5, 6, 7, 8}));
    PuzzGbl.TipoJuego = 25;
    GrabaMovimiento(17, 40, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(PuzzGbl.MovGrabados[2], (RegistroMovimiento{0, 17, 40, 0, 0, 0, 0, 0, 0}));
}

TEST_F(GrabadoraTest, TheListGrowsByAHundredAndKeepsItsMoves) {
    Deslizante();
    ASSERT_EQ(PuzzGbl.MovGrabados.size(), 101u);
    for (int i = 1; i <= 250; ++i) {
        GrabaMovimiento(std::int16_t(i), 0, 0, 0, std::int16_t(i + 1), 0, 0, 0);
        if (i == 99) {
            EXPECT_EQ(PuzzGbl.MovGrabados.size(), 101u);
        }
        if (i == 100) {
            EXPECT_EQ(PuzzGbl.MovGrabados.size(), 201u);
        }
    }
    EXPECT_EQ(PuzzGbl.MovActual, 250);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 250);
    for (int i = 1; i <= 250; ++i) ASSERT_EQ(PuzzGbl.MovGrabados[std::size_t(i)].XAntes, i);

    // A loaded state keeps exactly its moves; the next move makes room for a hundred more.
    PuzzGbl.MovGrabados.assign(8, RegistroMovimiento{});
    PuzzGbl.MovActual = PuzzGbl.UltimoMovGrabado = 7;
    GrabaMovimiento(1, 1, 0, 0, 2, 2, 0, 0);
    EXPECT_EQ(PuzzGbl.MovGrabados.size(), 108u);
    EXPECT_EQ(PuzzGbl.MovGrabados[8].XDespues, 2);
}

TEST_F(GrabadoraTest, CountersGoPastSixteenBits) {
    Deslizante();
    for (int i = 1; i <= 40000; ++i) GrabaMovimiento(0, 0, 0, 0, 1, std::int16_t(i % 2), 0, 0);
    EXPECT_EQ(PuzzGbl.MovActual, 40000);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 40000);
}

TEST_F(GrabadoraTest, TheStartOfAPuzzleEmptiesTheListAndStartsTheClock) {
    auto& g = PuzzGbl;
    g.PasaAlHistorico = false;
    g.MostrandoModelo = true;
    g.SegundosCronometro = 77;
    g.MovActual = g.UltimoMovGrabado = 300;
    g.MovGrabados.assign(400, RegistroMovimiento{1});
    MarchaCronometro(2);
    IniciaGrabadora();
    EXPECT_TRUE(g.PasaAlHistorico);
    EXPECT_FALSE(g.MostrandoModelo);
    EXPECT_EQ(g.SegundosCronometro, 0);
    EXPECT_EQ(g.MovActual, 0);
    EXPECT_EQ(g.MovGrabados, std::vector<RegistroMovimiento>(101));
    EXPECT_TRUE(g.CronometroEnMarcha);
}

// ------------------------------------------------------------- stepping

TEST_F(GrabadoraTest, SlidingMovesBackAndForwardRestoreTheBoard) {
    Deslizante();
    const Foto inicio = Toma();
    Desliza(8);
    Desliza(5);
    Desliza(4);
    const Foto fin = Toma();
    ASSERT_EQ(PuzzGbl.MovActual, 3);
    for (int i = 0; i < 3; ++i) GrabadoraPaso(1);
    EXPECT_EQ(PuzzGbl.MovActual, 0);
    Foto atras = Toma();
    atras.orden = inicio.orden;
    EXPECT_EQ(atras, inicio);
    EXPECT_TRUE(PuzzGbl.MostrandoModelo) << "back at the solved board";
    GrabadoraPaso(0);
    EXPECT_FALSE(PuzzGbl.MostrandoModelo);
    GrabadoraPaso(0);
    GrabadoraPaso(0);
    EXPECT_EQ(PuzzGbl.MovActual, 3);
    EXPECT_EQ(Toma(), fin);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 3) << "stepping never shortens the list";
}

TEST_F(GrabadoraTest, ATurnIsUndoneWithoutAnimationOrNewOrder) {
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = 20;
    g.AnchoImagen = g.AltoImagen = 40;
    PonPiezas(2);
    g.Piezas[1] = {.X = 60, .Y = 10, .XDestino = 0, .YDestino = 0};
    g.Piezas[2] = {.X = 100, .Y = 50, .XDestino = 20, .YDestino = 0};
    IniciaGrabadora();
    RedibujaImagen(1);
    const Foto inicio = Toma();
    // Piece 1 dropped elsewhere, piece 2 turned where it lies, piece 1 moved again.
    PasaAlFrente(PosicionEnOrden(1));
    g.Piezas[1].X = 80;
    GrabaMovimiento(60, 10, 0, 0, 80, 10, 0, 0);
    PasaAlFrente(PosicionEnOrden(2));
    g.Piezas[2].Giro = 1;
    GrabaMovimiento(100, 50, 0, 0, 100, 50, 1, 0);
    PasaAlFrente(PosicionEnOrden(1));
    g.Piezas[1].Y = 70;
    GrabaMovimiento(80, 10, 0, 0, 80, 70, 0, 0);
    const Foto fin = Toma();

    int vistas = 0;
    mesa.Pic_Trabajo.onRefresh = [&] { ++vistas; };
    g.OrdenPiezas = {0, 2, 1};
    GrabadoraPaso(1); // piece 1 back up 60 pixels, animated, to the front
    EXPECT_EQ(g.OrdenPiezas[1], 1);
    EXPECT_GT(vistas, 3);
    vistas = 0;
    g.OrdenPiezas = {0, 2, 1};
    GrabadoraPaso(1); // the turn: one repaint, the order kept
    mesa.Pic_Trabajo.onRefresh = nullptr;
    EXPECT_EQ(vistas, 1);
    EXPECT_EQ(g.OrdenPiezas, (std::vector<std::int16_t>{0, 2, 1}));
    EXPECT_EQ(g.Piezas[2].Giro, 0);
    GrabadoraPaso(1);
    Foto atras = Toma();
    atras.orden = inicio.orden;
    EXPECT_EQ(atras, inicio);
    for (int i = 0; i < 3; ++i) GrabadoraPaso(0);
    EXPECT_EQ(Toma().piezas, fin.piezas);
}

TEST_F(GrabadoraTest, AMoveAfterSteppingBackDropsTheRest) {
    Deslizante();
    Desliza(8);
    Desliza(5);
    Desliza(4);
    GrabadoraPaso(1);
    GrabadoraPaso(1);
    Desliza(7);
    EXPECT_EQ(PuzzGbl.MovActual, 2);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 2);
    EXPECT_EQ(PuzzGbl.MovGrabados[2].Pieza, 7);
    GrabadoraPaso(0); // nothing to redo
    EXPECT_EQ(PuzzGbl.MovActual, 2);
}

TEST_F(GrabadoraTest, StepsOutsideTheListAndUnknownPiecesChangeNothing) {
    Deslizante();
    Desliza(8);
    const Foto foto = Toma();
    PuzzGbl.MovActual = 0;
    GrabadoraPaso(1); // before the first move
    EXPECT_EQ(PuzzGbl.MovActual, 0);
    PuzzGbl.MovActual = 1;
    PuzzGbl.UltimoMovGrabado = 500; // more than the list holds
    PuzzGbl.MovActual = 400;
    GrabadoraPaso(0);
    GrabadoraPaso(1);
    EXPECT_EQ(PuzzGbl.MovActual, 400);
    EXPECT_EQ(Toma(), foto);
    // A move naming no piece of this board moves the counter only.
    PuzzGbl.MovActual = PuzzGbl.UltimoMovGrabado = 1;
    for (std::int16_t p : {std::int16_t(0), std::int16_t(9), std::int16_t(-3)}) {
        PuzzGbl.MovGrabados[1].Pieza = p;
        GrabadoraPaso(1);
        EXPECT_EQ(PuzzGbl.MovActual, 0);
        GrabadoraPaso(0);
        EXPECT_EQ(PuzzGbl.MovActual, 1);
        EXPECT_EQ(Toma(), foto);
    }
}

TEST_F(GrabadoraTest, ATaipeiPairComesBackAndGoesAgain) {
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    PonPiezas(144);
    for (int t = 1; t <= 144; ++t) g.Piezas[std::size_t(t)].Estado = 1;
    IniciaGrabadora();
    g.Piezas[5].Estado = g.Piezas[130].Estado = 0;
    GrabaMovimiento(5, 130, 0, 0, 0, 0, 0, 0);
    GrabadoraPaso(1);
    EXPECT_EQ(g.Piezas[5].Estado, 1);
    EXPECT_EQ(g.Piezas[130].Estado, 1);
    GrabadoraPaso(0);
    EXPECT_EQ(g.Piezas[5].Estado, 0);
    EXPECT_EQ(g.Piezas[130].Estado, 0);
    // A pair naming no tile is skipped.
    g.MovGrabados[1].YAntes = 145;
    GrabadoraPaso(1);
    EXPECT_EQ(g.Piezas[5].Estado, 0);
    EXPECT_EQ(g.MovActual, 0);
}

// ------------------------------------------------------------- review

TEST_F(GrabadoraTest, ReviewOffReplaysTheStepsBackAndRestoresTheClock) {
    for (bool enMarcha : {true, false}) {
        SCOPED_TRACE(enMarcha);
        Deslizante();
        Desliza(8);
        Desliza(5);
        Desliza(4);
        const Foto fin = Toma();
        MarchaCronometro(enMarcha ? 1 : 2);
        PuzzGbl.EstadoListaMov = 1;
        EnciendeGrabadora();
        EXPECT_EQ(PuzzGbl.EstadoListaMov, 2);
        EXPECT_TRUE(PuzzGbl.GrabadoraEncendida);
        EXPECT_FALSE(PuzzGbl.CronometroEnMarcha);
        EXPECT_EQ(Toma(), fin) << "switching on moves nothing";
        for (int i = 0; i < 3; ++i) GrabadoraPaso(1);
        int pasos = 0;
        std::int16_t operacion = 0;
        mesa.Pic_Trabajo.onRefresh = [&] { operacion = PuzzGbl.OperacionGrabadora; };
        const std::int32_t antes = PuzzGbl.MovActual;
        mesa.Pic_Grabadora.setMousePointer(11);
        ApagaGrabadora();
        pasos = PuzzGbl.MovActual - antes;
        mesa.Pic_Trabajo.onRefresh = nullptr;
        EXPECT_EQ(pasos, 3);
        EXPECT_EQ(operacion, 11);
        EXPECT_EQ(PuzzGbl.OperacionGrabadora, 0);
        EXPECT_FALSE(PuzzGbl.GrabadoraEncendida);
        EXPECT_EQ(PuzzGbl.CronometroEnMarcha, enMarcha);
        EXPECT_EQ(mesa.Pic_Grabadora.mousePointer(), 0);
        EXPECT_EQ(Toma(), fin);
    }
}

TEST_F(GrabadoraTest, ReviewOnCutsTheListAtTheCurrentMove) {
    Deslizante();
    Desliza(8);
    Desliza(5);
    PuzzGbl.MovActual = 1;
    EnciendeGrabadora();
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 1);
    EXPECT_EQ(PuzzGbl.EstadoListaMov, 0) << "only a hidden list is shown";
}

} // namespace
