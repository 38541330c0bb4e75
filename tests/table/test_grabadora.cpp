// The move recorder panel: the move texts, where the panel goes and how its
// list is laid out, what its buttons answer and when, where each part of the
// sheet lands, the continuous runs and the list scrolling through the loop's
// events, and the model preview's drag.
#include "tests/support/fixtures.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "platform/blit.h"
#include "platform/ui/events.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/PanelGrabadora.h"

#include <QImage>

#include <gtest/gtest.h>

#include <utility>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kAncho = 1024, kAlto = 768;
constexpr plat::Color kMesa = 0x336699;

class GrabadoraTest : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        ReiniciaLanzador();
        RegistraProcedimientosPanel({});
        teselaro::initResources();
        InicializaTablas();
        mesa.Load();
        RegistraGrabadora();
        auto& g = PuzzGbl;
        g.VelocidadJuego = 100; // pauses take no time
        g.AnchoMesa = kAncho;
        g.AltoMesa = kAlto;
        g.TipoJuego = 21;
        g.TAN_ModoJuego = 2;
        g.ListaMovimientos = 1;
        g.EstadoListaMov = 2;
        mesa.Pic_Imagen.move(0, 0, 2000, 1500);
        mesa.Pic_Imagen.setBackColor(kMesa);
        mesa.Pic_Trabajo.move(0, 0, 2000, 1500);
        mesa.Pic_Trabajo_Paint();
        mesa.Pic_Botonera.move(kAncho - 141, 0, 141, 431);
        barras(false);
    }
    void TearDown() override {
        RegistraDibujoGrabadora(nullptr);
        RegistraGrabadora();
        RegistraDibujoGrabadora(nullptr);
        ReiniciaLanzador();
        mesa.reset();
        PuzzGbl.reset();
    }
    // The bars of a table larger than the window, or both moved past it.
    static void barras(bool visibles) {
        auto& hor = mesa.BarraHor;
        auto& ver = mesa.BarraVer;
        if (visibles) {
            hor.Move(0, kAlto - 16, kAncho - 16, 16);
            ver.Move(kAncho - 16, 431, 16, kAlto - 16 - 431);
            hor.setMax(1000);
            ver.setMax(800);
        } else {
            hor.Move(0, kAlto, hor.Width(), 16);
            ver.Move(kAncho, 0, 16, ver.Height());
        }
        hor.setVisible(visibles);
        ver.setVisible(visibles);
    }
    // n recorded moves of nothing on the table: the recorder's counters only.
    static void movimientos(int n, int actual) {
        auto& g = PuzzGbl;
        g.MovGrabados.assign(std::size_t(n) + 101, RegistroMovimiento{});
        for (int i = 1; i <= n; ++i) g.MovGrabados[std::size_t(i)] = RegistroMovimiento{0, 1, 2, 0, 0, 3, 4, 0, 0};
        g.UltimoMovGrabado = n;
        g.MovActual = actual;
    }
    static int altoPanel() { return mesa.Pic_Grabadora.height(); }
    // The centre of a round button by its left edge.
    static void pulsa(int x) {
        Pic_Grabadora_MouseMove(0, 0, x + 10, altoPanel() - 19);
        Pic_Grabadora_MouseDown(1, 0, x + 10, altoPanel() - 19);
        Pic_Grabadora_MouseUp(1, 0, x + 10, altoPanel() - 19);
    }
};

constexpr int kEncender = 8, kRetroceso = 39, kRetroceder = 62, kAvanzar = 85, kAvance = 108, kRestaurar = 137;

// ---------------------------------------------------------------- move texts

struct CasoTexto {
    std::string nombre;
    std::int16_t juego;
    std::int32_t i;
    RegistroMovimiento m;
    QString esperado;
    std::int16_t rotulo = 1;
};

class TextoMovimientoTest : public GrabadoraTest, public ::testing::WithParamInterface<CasoTexto> {};

TEST_P(TextoMovimientoTest, AsListed) {
    const CasoTexto& c = GetParam();
    auto& g = PuzzGbl;
    g.TipoJuego = c.juego;
    g.TipoRotulo = c.rotulo;
    g.NroPiezas = c.juego == 25 ? 144 : 24;
    g.Piezas.assign(std::size_t(g.NroPiezas) + 1, RegistroPieza{});
    // Taipei tiles: 1 bamboo 7, 2 north wind, 3 spring, 4 autumn, 5 chrysanthemum, 6 orchid.
    const std::int16_t palos[] = {0, 1, 4, 6, 6, 7, 7}, valores[] = {0, 7, 1, 1, 3, 4, 1};
    for (int t = 1; t <= 6; ++t) {
        g.Piezas[std::size_t(t)].Palo = palos[t];
        g.Piezas[std::size_t(t)].Valor = valores[t];
    }
    g.Piezas[7].Palo = 9; // no suit
    // The sliding board: 5 x 5 cells of 100 pixels.
    g.PiezasLado = 5;
    g.AnchoPieza = g.AltoPieza = 100;
    EXPECT_EQ(TextoMovimiento(c.i, c.m), c.esperado);
}

RegistroMovimiento mov(std::int16_t pieza, std::int16_t xa, std::int16_t ya, std::int16_t ga, std::int16_t va,
                       std::int16_t xd, std::int16_t yd, std::int16_t gd, std::int16_t vd) {
    return {pieza, xa, ya, ga, va, xd, yd, gd, vd};
}

INSTANTIATE_TEST_SUITE_P(
    Recorder, TextoMovimientoTest,
    ::testing::Values(
        CasoTexto{"jigsawMove", 21, 7, mov(12, 0, 0, 0, 0, 5, 40, 0, 0), QStringLiteral("  7 -  12  5,40")},
        CasoTexto{"jigsawFourDigits", 21, 1234, mov(3, 0, 0, 0, 0, 1234, 5678, 0, 0),
                  QStringLiteral("1234 -   3 1234,5678")},
        CasoTexto{"jigsawTurn", 21, 2, mov(3, 9, 9, 0, 0, 9, 9, 1, 0), QStringLiteral("  2 -   3 Giro")},
        CasoTexto{"pentominoFlip", 24, 3, mov(1, 9, 9, 0, 0, 9, 9, 0, 1), QStringLiteral("  3 - F Volteo")},
        CasoTexto{"pentominoMove", 24, 4, mov(12, 0, 0, 0, 0, 60, 80, 0, 0), QStringLiteral("  4 - Z 60,80")},
        CasoTexto{"tangramFirst", 23, 5, mov(1, 0, 0, 0, 0, 7, 8, 0, 0), QStringLiteral("  5- TG1  7, 8")},
        CasoTexto{"tangramLast", 23, 6, mov(7, 0, 0, 2, 0, 0, 0, 3, 0), QStringLiteral("  6- Par Giro")},
        CasoTexto{"slidingNumber", 22, 8, mov(15, 0, 0, 0, 0, 300, 100, 0, 0), QStringLiteral("  8 - 15 -> (2,4)")},
        CasoTexto{"slidingLetter", 22, 9, mov(15, 0, 0, 0, 0, 0, 400, 0, 0), QString::fromUtf8("  9 - Ñ -> (5,1)"),
                  3},
        CasoTexto{"taipeiBamboo", 25, 10, mov(0, 1, 1, 0, 0, 0, 0, 0, 0), QString::fromUtf8("10- Bambú 7")},
        CasoTexto{"taipeiWind", 25, 11, mov(0, 2, 2, 0, 0, 0, 0, 0, 0), QStringLiteral("11- Viento Norte")},
        CasoTexto{"taipeiSeasons", 25, 12, mov(0, 3, 4, 0, 0, 0, 0, 0, 0), QString::fromUtf8("12- Primaver/Otoño")},
        CasoTexto{"taipeiFlowers", 25, 13, mov(0, 5, 6, 0, 0, 0, 0, 0, 0), QString::fromUtf8("13- Crisan/Orquíd")},
        CasoTexto{"taipeiBadTile", 25, 14, mov(0, 200, 3, 0, 0, 0, 0, 0, 0), QStringLiteral("14- 200/  3")},
        CasoTexto{"taipeiNoSuit", 25, 15, mov(0, 7, 7, 0, 0, 0, 0, 0, 0), QStringLiteral("15-   7/  7")},
        CasoTexto{"pentominoBadPiece", 24, 16, mov(13, 0, 0, 0, 0, 1, 1, 0, 0), QStringLiteral(" 16 -  13")},
        CasoTexto{"slidingBadPiece", 22, 17, mov(0, 0, 0, 0, 0, 1, 1, 0, 0), QStringLiteral(" 17 -   0")}),
    [](const auto& info) { return info.param.nombre; });

// ---------------------------------------------------------------- layout

struct CasoLugar {
    std::string nombre;
    bool encendida;
    std::int16_t listaAjuste, estado; // ListaMovimientos, EstadoListaMov before
    std::int32_t ultimo, actual;
    int barra; // 0 hidden, 1 shown, 2 never placed
    std::int16_t estadoTras;
    std::int32_t lineas, alto, primera;
    int alto_mesa = kAlto;
};

class LugarTest : public GrabadoraTest, public ::testing::WithParamInterface<CasoLugar> {};

TEST_P(LugarTest, LinesAndPlace) {
    const CasoLugar& c = GetParam();
    auto& g = PuzzGbl;
    g.AltoMesa = std::int16_t(c.alto_mesa);
    barras(c.barra == 1);
    if (c.barra == 2) {
        mesa.BarraHor.Move(0, 0, 0, 16);
        mesa.BarraVer.Move(0, 0, 16, 0);
    }
    g.GrabadoraEncendida = c.encendida;
    g.ListaMovimientos = c.listaAjuste;
    g.EstadoListaMov = c.estado;
    movimientos(0, 0);
    g.UltimoMovGrabado = c.ultimo;
    g.MovActual = c.actual;
    DibujaGrabadora();
    EXPECT_EQ(g.EstadoListaMov, c.estadoTras);
    EXPECT_EQ(g.LineasListaMov, c.lineas);
    EXPECT_EQ(altoPanel(), c.alto);
    EXPECT_EQ(g.PrimeraLineaGrab, c.primera);
    const int derecha = c.barra == 1 ? kAncho - 16 : kAncho;
    const int suelo = c.barra == 1 ? c.alto_mesa - 16 : c.alto_mesa;
    EXPECT_EQ(mesa.Pic_Grabadora.left(), derecha - 166);
    EXPECT_EQ(mesa.Pic_Grabadora.top(), std::max(0, suelo - c.alto));
    EXPECT_GE(mesa.Pic_Grabadora.top(), 0);
    EXPECT_LE(mesa.Pic_Grabadora.top() + altoPanel(), std::max(suelo, c.alto));
    EXPECT_EQ(mesa.Pic_Grabadora.width(), 166);
    EXPECT_TRUE(mesa.Pic_Grabadora.visible());
}

INSTANTIATE_TEST_SUITE_P(
    Recorder, LugarTest,
    ::testing::Values(
        // Recorder off: the list shows the last moves.
        CasoLugar{"offNoMoves", false, 1, 2, 0, 0, 0, 2, 5, 97, 1},
        CasoLugar{"offHiddenStaysHiddenWithoutMoves", false, 1, 1, 0, 0, 0, 1, 0, 37, 1},
        CasoLugar{"offHiddenShownOnceMovesExist", false, 1, 1, 1, 1, 0, 2, 5, 97, 1},
        CasoLugar{"offOnlyWhileOnHides", false, 2, 3, 6, 6, 1, 1, 0, 37, 7},
        CasoLugar{"offFourExtended", false, 1, 3, 4, 4, 0, 3, 4, 86, 1},
        CasoLugar{"offFiveCompressed", false, 1, 2, 5, 5, 1, 2, 5, 97, 1},
        CasoLugar{"offSixCompressed", false, 1, 2, 6, 6, 0, 2, 5, 97, 2},
        CasoLugar{"off3000Extended", false, 1, 3, 3000, 3000, 0, 3, 66, 768, 2935},
        CasoLugar{"off3000ExtendedBarShown", false, 1, 3, 3000, 3000, 1, 3, 64, 746, 2937},
        CasoLugar{"off40000ExtendedNeverPlaced", false, 1, 3, 40000, 40000, 2, 3, 66, 768, 39935},
        // Recorder on: the current move stays in sight.
        CasoLugar{"onHiddenBecomesCompressed", true, 2, 1, 4, 2, 0, 2, 5, 97, 1},
        CasoLugar{"onFourAtTheEnd", true, 1, 2, 4, 4, 0, 2, 5, 97, 1},
        CasoLugar{"onSixAtTheEnd", true, 1, 2, 6, 6, 0, 2, 5, 97, 2},
        CasoLugar{"onSixBackToOne", true, 1, 2, 6, 1, 1, 2, 5, 97, 1},
        CasoLugar{"onSixAllUndone", true, 1, 2, 6, 0, 0, 2, 5, 97, 1},
        CasoLugar{"on3000BelowTheWindow", true, 1, 2, 3000, 100, 1, 2, 5, 97, 100},
        CasoLugar{"on3000InsideTheWindow", true, 1, 2, 3000, 2998, 0, 2, 5, 97, 2996},
        CasoLugar{"on40000ExtendedAbove", true, 1, 3, 40000, 40000, 2, 3, 66, 768, 39935},
        CasoLugar{"on40000ExtendedBelow", true, 1, 3, 40000, 12, 1, 3, 64, 746, 12},
        CasoLugar{"onSixExtended", true, 1, 3, 6, 3, 0, 3, 6, 108, 1},
        // A table lower than the compressed panel: the panel keeps its top at 0.
        CasoLugar{"lowTable", false, 1, 2, 6, 6, 0, 2, 5, 97, 2, 60},
        CasoLugar{"lowTableExtended", false, 1, 3, 6, 6, 0, 3, 1, 53, 6, 60}),
    [](const auto& info) { return info.param.nombre; });

TEST_F(GrabadoraTest, TangramDesignHidesThePanel) {
    DibujaGrabadora();
    ASSERT_TRUE(mesa.Pic_Grabadora.visible());
    PuzzGbl.TipoJuego = 23;
    PuzzGbl.TAN_ModoJuego = 1;
    DibujaGrabadora();
    EXPECT_FALSE(mesa.Pic_Grabadora.visible());
}

// ---------------------------------------------------------------- hover

TEST_F(GrabadoraTest, RoundButtonsHitOnlyInsideTheirDiscs) {
    auto& g = PuzzGbl;
    movimientos(10, 5);
    g.GrabadoraEncendida = true;
    DibujaGrabadora();
    const int h = altoPanel();
    const struct {
        int x;
        const char* texto;
    } botones[] = {{kEncender, " Encender/Apagar Grabadora "}, {kRetroceso, " Retroceso continuo "},
                   {kRetroceder, " Retroceder 1 movimiento "},  {kAvanzar, " Avanzar 1 movimiento "},
                   {kAvance, " Avance continuo "},               {kRestaurar, " Restaurar puzzle "}};
    for (const auto& b : botones) {
        SCOPED_TRACE(b.x);
        Pic_Grabadora_MouseMove(0, 0, b.x + 10, h - 19);
        EXPECT_EQ(g.ZonaGrabadora, 23);
        EXPECT_EQ(mesa.Pic_Grabadora.customCursor(), NombreCursor(23));
        EXPECT_EQ(mesa.Pic_Grabadora.toolTip(), QString::fromLatin1(b.texto));
        EXPECT_EQ(g.CursorActual, -1);
        // The cell's corner, the row below the strip: nothing.
        for (const auto& [x, y] : {std::pair{b.x, h - 29}, {b.x + 20, h - 9}, {b.x + 10, h - 8}}) {
            Pic_Grabadora_MouseMove(0, 0, x, y);
            EXPECT_EQ(g.ZonaGrabadora, 0) << x << "," << y;
            EXPECT_EQ(mesa.Pic_Grabadora.mousePointer(), 0);
            EXPECT_EQ(mesa.Pic_Grabadora.toolTip(), QString());
        }
    }
    // Past the sheet: no hit and no failure.
    Pic_Grabadora_MouseMove(0, 0, 500, 900);
    Pic_Grabadora_MouseMove(0, 0, -5, -300);
    EXPECT_EQ(g.ZonaGrabadora, 0);
}

TEST_F(GrabadoraTest, ListButtonsByTheirRectangles) {
    auto& g = PuzzGbl;
    movimientos(30, 30);
    g.GrabadoraEncendida = true;
    g.MovActual = 12;
    DibujaGrabadora(); // compressed, lines 8..12
    const int h = altoPanel();
    Pic_Grabadora_MouseMove(0, 0, 147, h - 60);
    EXPECT_EQ(mesa.Pic_Grabadora.toolTip(), QStringLiteral(" Movimientos anteriores "));
    Pic_Grabadora_MouseMove(0, 0, 147, h - 45);
    EXPECT_EQ(mesa.Pic_Grabadora.toolTip(), QStringLiteral(" Movimientos posteriores "));
    Pic_Grabadora_MouseMove(0, 0, 147, 10);
    EXPECT_EQ(mesa.Pic_Grabadora.toolTip(), QStringLiteral(" Extender la lista "));
    Pic_Grabadora_MouseMove(0, 0, 147, 10);
    Pic_Grabadora_MouseDown(1, 0, 147, 10);
    EXPECT_EQ(g.EstadoListaMov, 3);
    Pic_Grabadora_MouseMove(0, 0, 147, 10);
    EXPECT_EQ(mesa.Pic_Grabadora.toolTip(), QStringLiteral(" Comprimir la lista "));
    Pic_Grabadora_MouseMove(0, 0, 139, 10);
    EXPECT_EQ(g.ZonaGrabadora, 0);
}

struct CasoActivo {
    std::string nombre;
    bool encendida;
    std::int32_t actual;
    bool retroceso, avance, ocupada;
    // on/off, continuous back, back, forward, continuous forward, restore
    std::array<bool, 6> activos;
};

class ActivoTest : public GrabadoraTest, public ::testing::WithParamInterface<CasoActivo> {};

TEST_P(ActivoTest, TransportButtons) {
    const CasoActivo& c = GetParam();
    auto& g = PuzzGbl;
    movimientos(4, c.actual);
    g.GrabadoraEncendida = c.encendida;
    g.RetrocesoContinuo = c.retroceso;
    g.AvanceContinuo = c.avance;
    g.EjecutandoSolucion = c.ocupada;
    const BotonGrabadora botones[] = {BotonGrabadora::Encender, BotonGrabadora::RetrocesoContinuo,
                                      BotonGrabadora::Retroceder, BotonGrabadora::Avanzar,
                                      BotonGrabadora::AvanceContinuo, BotonGrabadora::Restaurar};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(ZonaActiva(botones[k]), c.activos[std::size_t(k)]) << k;
}

INSTANTIATE_TEST_SUITE_P(
    Recorder, ActivoTest,
    ::testing::Values(CasoActivo{"off", false, 4, false, false, false, {true, false, false, false, false, false}},
                      CasoActivo{"onAtTheEnd", true, 4, false, false, false, {true, true, true, false, false, false}},
                      CasoActivo{"onMidway", true, 2, false, false, false, {true, true, true, true, true, true}},
                      CasoActivo{"onAtTheStart", true, 0, false, false, false, {true, false, false, true, true, true}},
                      CasoActivo{"backRunning", true, 2, true, false, false, {true, true, false, false, false, false}},
                      CasoActivo{"forwardRunning", true, 2, false, true, false, {true, false, false, false, true, false}},
                      CasoActivo{"solverMoving", true, 2, false, false, true, {false, false, false, false, false, false}}),
    [](const auto& info) { return info.param.nombre; });

TEST_F(GrabadoraTest, NothingAnswersWhileTheTableIsBusy) {
    auto& g = PuzzGbl;
    movimientos(4, 4);
    DibujaGrabadora();
    for (bool* bandera : {&g.EjecutandoSolucion, &g.RecogiendoPiezas, &g.Barajando}) {
        *bandera = true;
        pulsa(kEncender);
        EXPECT_FALSE(g.GrabadoraEncendida);
        Pic_Grabadora_MouseMove(0, 0, 147, 10);
        EXPECT_EQ(g.ZonaGrabadora, 0);
        *bandera = false;
    }
    pulsa(kEncender);
    EXPECT_TRUE(g.GrabadoraEncendida);
}

// ---------------------------------------------------------------- drawing

// A sheet whose every pixel names its own place: red x, green y, blue 0x80;
// the masks black, so that every masked part shows its picture as it is.
QImage hojaCodificada() {
    QImage img(166, 223, QImage::Format_RGB32);
    for (int y = 0; y < 223; ++y)
        for (int x = 0; x < 166; ++x) {
            const bool mascara = (y >= 56 && y < 62) || (y >= 74 && y < 111);
            img.setPixel(x, y, mascara ? qRgb(0, 0, 0) : qRgb(x, y, 0x80));
        }
    return img;
}

plat::Color codigo(int x, int y) { return plat::Color(0x800000 | (y << 8) | x); }

TEST_F(GrabadoraTest, PartsLandWhereEachModeWantsThem) {
    auto& g = PuzzGbl;
    mesa.Pic_BmpGraba.setPicture(hojaCodificada());
    const plat::Surface& p = mesa.Pic_Grabadora;
    // Mode 1: the body alone, the strip in it.
    g.ListaMovimientos = 2;
    DibujaGrabadora();
    ASSERT_EQ(altoPanel(), 37);
    EXPECT_EQ(p.point(0, 0), codigo(0, 18));
    EXPECT_EQ(p.point(165, 36), codigo(165, 54));
    EXPECT_EQ(p.point(7, 8), codigo(7, 26));
    EXPECT_EQ(p.point(8, 8), codigo(8, 112));
    EXPECT_EQ(p.point(157, 28), codigo(157, 132));
    EXPECT_EQ(p.point(158, 28), codigo(158, 46));

    // Mode 2 with the recorder on and one step forward shown pressed.
    g.ListaMovimientos = 1;
    movimientos(8, 3);
    g.GrabadoraEncendida = true;
    g.PulsadoAvanzar = true;
    g.PulsadoRestaurar = true; // only the first pressed one shows
    DibujaGrabadora();
    const int h = altoPanel();
    ASSERT_EQ(h, 97);
    for (int y = 0; y < 6; ++y) EXPECT_EQ(p.point(160, y), codigo(160, y)) << y;
    for (int y = 6; y <= h - 15; ++y) EXPECT_EQ(p.point(160, y), codigo(160, 6 + (y - 6) % 11)) << y;
    for (int y = h - 14; y < h; ++y) EXPECT_EQ(p.point(160, y), codigo(160, 18 + y - (h - 37))) << y;
    EXPECT_EQ(p.point(kEncender + 3, h - 29 + 4), codigo(kEncender + 3, 134 + 4));
    EXPECT_EQ(p.point(kRetroceder + 3, h - 29 + 4), codigo(kRetroceder + 3, 112 + 4));
    EXPECT_EQ(p.point(kAvanzar + 3, h - 29 + 4), codigo(kAvanzar + 3, 134 + 4));
    EXPECT_EQ(p.point(kRestaurar + 3, h - 29 + 4), codigo(kRestaurar + 3, 112 + 4));
    EXPECT_EQ(p.point(140, h - 67), codigo(8, 156));
    EXPECT_EQ(p.point(154, h - 38), codigo(38, 168));
    EXPECT_EQ(p.point(139, 2), codigo(40, 156)); // the plus: more than five moves
    // The frame and its box.
    const int t = h - 40;
    EXPECT_EQ(p.point(5, 5), 0x042484u);
    EXPECT_EQ(p.point(5, t + 7), 0x042484u);
    EXPECT_EQ(p.point(133, t + 7), 0x7C9CFCu);
    EXPECT_EQ(p.point(133, 6), 0x7C9CFCu);
    EXPECT_EQ(p.point(6, t + 6), 0x4871CFu);
    EXPECT_EQ(p.point(132, t + 6), 0x4871CFu);

    // Mode 3: the minus, lines past the last move left empty.
    g.EstadoListaMov = 3;
    g.PulsadoAvanzar = g.PulsadoRestaurar = false;
    DibujaGrabadora();
    EXPECT_EQ(altoPanel(), 8 * 11 + 42);
    EXPECT_EQ(p.point(139, 2), codigo(58, 156));
    EXPECT_EQ(p.point(kAvanzar + 3, altoPanel() - 29 + 4), codigo(kAvanzar + 3, 112 + 4));
}

TEST_F(GrabadoraTest, UndoneMovesInDarkRedDoneOnesInYellow) {
    auto& g = PuzzGbl;
    movimientos(5, 2);
    g.GrabadoraEncendida = true;
    DibujaGrabadora();
    const plat::Surface& p = mesa.Pic_Grabadora;
    // Letters drawn smooth: yellow raises green above the box's, dark red
    // sinks it far below.
    auto cuenta = [&](int k, plat::Color c) {
        int n = 0;
        for (int y = 6 + 11 * k; y < 16 + 11 * k; ++y)
            for (int x = 7; x < 132; ++x) {
                const int verde = (p.point(x, y) >> 8) & 0xFF;
                n += c == 0x00FFFF ? verde > 0xC0 : verde < 0x30;
            }
        return n;
    };
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        const bool hecho = k + 1 <= 2;
        EXPECT_GT(cuenta(k, hecho ? 0x00FFFF : 0x000080), 10);
        EXPECT_EQ(cuenta(k, hecho ? 0x000080 : 0x00FFFF), 0);
    }
    // Off: every line yellow.
    g.GrabadoraEncendida = false;
    g.MovActual = 5;
    DibujaGrabadora();
    for (int k = 0; k < 5; ++k) EXPECT_EQ(cuenta(k, 0x000080), 0) << k;
}

TEST_F(GrabadoraTest, TheTableShowsAroundTheRoundedOutline) {
    auto& g = PuzzGbl;
    barras(true);
    mesa.BarraHor.setValue(300);
    mesa.BarraVer.setValue(200);
    // A mark on the back buffer under the panel's top-left corner, scrolled.
    mesa.Pic_Imagen.pset(842 + 300, 655 + 200, 0x00FF00);
    DibujaGrabadora();
    ASSERT_EQ(mesa.Pic_Grabadora.left(), 842);
    ASSERT_EQ(mesa.Pic_Grabadora.top(), 655);
    EXPECT_EQ(mesa.Pic_Grabadora.point(0, 0), 0x00FF00u);
    EXPECT_EQ(mesa.Pic_Grabadora.point(165, 96), kMesa);
    EXPECT_NE(mesa.Pic_Grabadora.point(83, 50), kMesa);
    // The command panel's corner patch, while the command panel is shown.
    g.AltoMesa = 300;
    barras(false);
    mesa.Pic_Botonera.setBackColor(0x0000AA);
    g.BotoneraOculta = true;
    DibujaGrabadora();
    ASSERT_LT(mesa.Pic_Grabadora.top(), 431);
    // Behind the rounded corner only.
    EXPECT_EQ(mesa.Pic_Grabadora.point(165, 0), 0x0000AAu);
    EXPECT_NE(mesa.Pic_Grabadora.point(160, 5), 0x0000AAu);
    g.BotoneraOculta = false;
    DibujaGrabadora();
    EXPECT_EQ(mesa.Pic_Grabadora.point(165, 0), kMesa);
}

// ---------------------------------------------------------------- runs

class CorridaTest : public GrabadoraTest {
protected:
    void SetUp() override {
        GrabadoraTest::SetUp();
        movimientos(20, 20);
        DibujaGrabadora();
        pulsa(kEncender);
        ASSERT_TRUE(PuzzGbl.GrabadoraEncendida);
        ProcGrabadora().ejecutaEventos = [this] {
            ++vueltas;
            if (alDar) alDar(vueltas);
            return true;
        };
    }
    int vueltas = 0;
    std::function<void(int)> alDar;
};

TEST_F(CorridaTest, ASecondPressEndsTheRun) {
    alDar = [](int n) {
        if (n == 3) pulsa(kRetroceso);
    };
    pulsa(kRetroceso);
    EXPECT_EQ(PuzzGbl.MovActual, 17);
    EXPECT_FALSE(PuzzGbl.RetrocesoContinuo);
    EXPECT_TRUE(PuzzGbl.GrabadoraEncendida);
    // Forward runs to the end by itself.
    alDar = nullptr;
    pulsa(kAvance);
    EXPECT_EQ(PuzzGbl.MovActual, 20);
    EXPECT_FALSE(PuzzGbl.AvanceContinuo);
}

TEST_F(CorridaTest, SwitchingOffInsideABackRunReplaysEverything) {
    alDar = [](int n) {
        if (n == 4) pulsa(kEncender);
    };
    pulsa(kRetroceso);
    EXPECT_FALSE(PuzzGbl.GrabadoraEncendida);
    EXPECT_EQ(PuzzGbl.MovActual, 20);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 20);
    EXPECT_FALSE(PuzzGbl.RetrocesoContinuo);
    EXPECT_EQ(vueltas, 4);
}

TEST_F(CorridaTest, RestoreDropsTheUndoneMoves) {
    pulsa(kRetroceder);
    pulsa(kRetroceder);
    EXPECT_EQ(PuzzGbl.MovActual, 18);
    pulsa(kAvanzar);
    EXPECT_EQ(PuzzGbl.MovActual, 19);
    pulsa(kRestaurar);
    EXPECT_FALSE(PuzzGbl.GrabadoraEncendida);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 19);
    EXPECT_EQ(PuzzGbl.MovActual, 19);
    EXPECT_FALSE(PuzzGbl.PulsadoRestaurar);
    EXPECT_EQ(vueltas, 0);
}

TEST_F(CorridaTest, NoRunStartsInsideAListScroll) {
    auto& g = PuzzGbl;
    // Presses whose releases come only after the scroll.
    alDar = [](int n) {
        if (n == 2) {
            for (int x : {kRetroceso, kAvance}) {
                Pic_Grabadora_MouseMove(0, 0, x + 10, altoPanel() - 19);
                Pic_Grabadora_MouseDown(1, 0, x + 10, altoPanel() - 19);
            }
        }
    };
    const int h = altoPanel();
    ASSERT_EQ(g.PrimeraLineaGrab, 16);
    Pic_Grabadora_MouseMove(0, 0, 147, h - 60);
    Pic_Grabadora_MouseDown(1, 0, 147, h - 60);
    EXPECT_EQ(g.PrimeraLineaGrab, 1);
    EXPECT_EQ(vueltas, 15);
    EXPECT_EQ(g.MovActual, 20);
    EXPECT_FALSE(g.RetrocesoContinuo);
    EXPECT_FALSE(g.AvanceContinuo);
}

TEST_F(CorridaTest, AReleaseEndsTheListScroll) {
    auto& g = PuzzGbl;
    alDar = [](int n) {
        if (n == 3) Pic_Grabadora_MouseUp(1, 0, 0, 0);
    };
    const int h = altoPanel();
    Pic_Grabadora_MouseMove(0, 0, 147, h - 60);
    Pic_Grabadora_MouseDown(1, 0, 147, h - 60);
    EXPECT_EQ(g.PrimeraLineaGrab, 13);
    EXPECT_FALSE(g.ListaMovAnterior);
}

// ---------------------------------------------------------------- preview

class MuestraTest : public GrabadoraTest {
protected:
    void SetUp() override {
        GrabadoraTest::SetUp();
        barras(true);
        plat::Surface& im = mesa.Pic_Imagen;
        for (int y = 0; y < 1500; y += 7) im.line(0, y, 2000, y + 30, 0x00AA00 + y);
        mesa.Pic_Trabajo_Paint();
        DibujaGrabadora(); // compressed at (842, 655)
        mesa.Pic_Muestra.move(100, 100, 200, 150);
        mesa.Pic_Muestra.setVisible(true);
        PuzzGbl.ColorLineas = 0x00FFFF;
    }
    // A left drag that grabs the preview at (10, 10) and lets go with its
    // left at (x, y) of the table.
    static void arrastra(int x, int y) {
        const plat::Surface& m = mesa.Pic_Muestra;
        Pic_Muestra_MouseDown(1, 0, 10, 10);
        Pic_Muestra_MouseMove(1, 0, x - m.left() + 10, y - m.top() + 10);
        Pic_Muestra_MouseUp(1, 0, x - m.left() + 10, y - m.top() + 10);
    }
};

struct CasoMuestra {
    std::string nombre;
    int hv, vv; // scroll values
    int x0, y0; // the preview before
    int x, y;   // where it is dragged
    int fx, fy; // where it ends
};

class MuestraCasos : public MuestraTest, public ::testing::WithParamInterface<CasoMuestra> {};

TEST_P(MuestraCasos, DroppedAt) {
    const CasoMuestra& c = GetParam();
    mesa.BarraHor.setValue(c.hv);
    mesa.BarraVer.setValue(c.vv);
    mesa.Pic_Muestra.move(c.x0, c.y0);
    mesa.Pic_Trabajo_Paint();
    const QImage antes = mesa.Pic_Trabajo.image().copy();
    arrastra(c.x, c.y);
    EXPECT_EQ(mesa.Pic_Muestra.left(), c.fx);
    EXPECT_EQ(mesa.Pic_Muestra.top(), c.fy);
    EXPECT_EQ(PuzzGbl.MuestraX, c.fx);
    EXPECT_EQ(PuzzGbl.MuestraY, c.fy);
    EXPECT_TRUE(mesa.Pic_Trabajo.image() == antes);
    EXPECT_EQ(mesa.Pic_Trabajo.drawMode(), plat::drawmode::kCopyPen);
    EXPECT_EQ(mesa.Pic_Muestra.mousePointer(), 0);
    EXPECT_FALSE(ArrastrandoMuestra());
}

INSTANTIATE_TEST_SUITE_P(
    Preview, MuestraCasos,
    ::testing::Values(CasoMuestra{"freely", 0, 0, 100, 100, 300, 500, 300, 500},
                      CasoMuestra{"pastTheLeftKeepsTheColumn", 0, 0, 100, 100, -50, 150, 100, 150},
                      CasoMuestra{"pastTheRightKeepsTheColumn", 0, 0, 100, 100, 809, 150, 100, 150},
                      CasoMuestra{"toTheRightEdge", 0, 0, 100, 500, 808, 500, 808, 500},
                      CasoMuestra{"pastTheTopKeepsTheRow", 0, 0, 100, 100, 200, -1, 200, 100},
                      CasoMuestra{"pastTheBottomKeepsTheRow", 0, 0, 100, 100, 200, 603, 200, 100},
                      CasoMuestra{"overTheRecorderRefused", 0, 0, 100, 100, 700, 550, 100, 100},
                      CasoMuestra{"besideTheRecorder", 0, 0, 100, 100, 642, 550, 642, 550},
                      CasoMuestra{"nearTheCommandPanel", 0, 0, 100, 100, 800, 100, 683, 100},
                      CasoMuestra{"belowTheCommandPanel", 0, 0, 100, 100, 800, 431, 800, 431},
                      CasoMuestra{"scrolledPastTheLeft", 300, 200, 400, 300, 250, 400, 400, 400},
                      CasoMuestra{"scrolledNearTheCommandPanel", 300, 200, 400, 300, 1000, 300, 983, 300},
                      CasoMuestra{"scrolledOverTheRecorder", 300, 200, 400, 300, 1000, 750, 400, 300},
                      CasoMuestra{"scrolledBeside", 300, 200, 400, 300, 900, 750, 900, 750}),
    [](const auto& info) { return info.param.nombre; });

TEST_F(MuestraTest, TheFrameFollowsOnTheTableOnly) {
    const QImage antes = mesa.Pic_Trabajo.image().copy();
    const QImage atras = mesa.Pic_Imagen.image().copy();
    Pic_Muestra_MouseDown(1, 0, 10, 10);
    EXPECT_EQ(mesa.Pic_Muestra.mousePointer(), 15);
    Pic_Muestra_MouseMove(1, 0, 60, 40);
    // An inverted outline from (149, 129) to (351, 281), and nothing else.
    int cambiados = 0;
    const QImage& ahora = mesa.Pic_Trabajo.image();
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 500; ++x)
            if (ahora.pixel(x, y) != antes.pixel(x, y)) {
                ++cambiados;
                EXPECT_EQ(ahora.pixel(x, y) & 0xFFFFFF, ~antes.pixel(x, y) & 0xFFFFFF);
            }
    EXPECT_EQ(cambiados, 2 * 203 + 2 * 151);
    EXPECT_NE(ahora.pixel(149, 129), antes.pixel(149, 129));
    EXPECT_NE(ahora.pixel(351, 281), antes.pixel(351, 281));
    EXPECT_TRUE(mesa.Pic_Imagen.image() == atras);
    EXPECT_EQ(mesa.Pic_Muestra.left(), 100); // the preview moves only at the release
    Pic_Muestra_MouseUp(1, 0, 60, 40);
    EXPECT_EQ(mesa.Pic_Muestra.left(), 150);
    EXPECT_TRUE(mesa.Pic_Trabajo.image() == antes);
    Pic_Muestra_MouseMove(0, 0, 5, 5);
    EXPECT_EQ(mesa.Pic_Muestra.customCursor(), NombreCursor(20));
}

TEST_F(MuestraTest, ARepaintMidDragLeavesNoStrayFrame) {
    const QImage antes = mesa.Pic_Trabajo.image().copy();
    Pic_Muestra_MouseDown(1, 0, 10, 10);
    Pic_Muestra_MouseMove(1, 0, 60, 40);
    mesa.Pic_Trabajo_Paint();
    Pic_Muestra_MouseMove(1, 0, 90, 70);
    Pic_Muestra_MouseUp(1, 0, 90, 70);
    EXPECT_EQ(mesa.Pic_Muestra.left(), 180);
    EXPECT_TRUE(mesa.Pic_Trabajo.image() == antes);
}

TEST_F(MuestraTest, ALostReleaseErasesTheFrameAndKeepsThePreview) {
    const QImage antes = mesa.Pic_Trabajo.image().copy();
    Pic_Muestra_MouseDown(1, 0, 10, 10);
    Pic_Muestra_MouseMove(1, 0, 60, 40);
    Pic_Muestra_MouseMove(0, 0, 70, 50); // the button came up elsewhere
    EXPECT_FALSE(ArrastrandoMuestra());
    EXPECT_TRUE(mesa.Pic_Trabajo.image() == antes);
    EXPECT_EQ(mesa.Pic_Muestra.left(), 100);
    EXPECT_EQ(PuzzGbl.MuestraX, 100);
    // A new press after a lost release starts afresh.
    Pic_Muestra_MouseDown(1, 0, 10, 10);
    Pic_Muestra_MouseDown(1, 0, 10, 10);
    Pic_Muestra_MouseUp(1, 0, 10, 10);
    EXPECT_TRUE(mesa.Pic_Trabajo.image() == antes);
}

TEST_F(MuestraTest, RightDragsAndBusyTablesDoNothing) {
    const QImage antes = mesa.Pic_Trabajo.image().copy();
    Pic_Muestra_MouseDown(2, 0, 10, 10);
    Pic_Muestra_MouseMove(2, 0, 60, 40);
    Pic_Muestra_MouseUp(2, 0, 60, 40);
    EXPECT_EQ(mesa.Pic_Muestra.left(), 100);
    EXPECT_TRUE(mesa.Pic_Trabajo.image() == antes);
    auto& g = PuzzGbl;
    for (bool* bandera : {&g.EjecutandoSolucion, &g.RecogiendoPiezas, &g.Barajando, &g.RetrocesoContinuo,
                          &g.AvanceContinuo, &g.GirandoPieza}) {
        *bandera = true;
        arrastra(300, 300);
        EXPECT_EQ(mesa.Pic_Muestra.left(), 100);
        EXPECT_TRUE(mesa.Pic_Trabajo.image() == antes);
        *bandera = false;
    }
    {
        const plat::LongAction bucle;
        arrastra(300, 300);
        EXPECT_EQ(mesa.Pic_Muestra.left(), 100);
    }
    arrastra(300, 300);
    EXPECT_EQ(mesa.Pic_Muestra.left(), 300);
}

TEST_F(MuestraTest, ScrollingKeepsThePanelOnTheTableBelowIt) {
    mesa.Pic_Imagen.pset(842 + 250, 655 + 100, 0x0000EE);
    mesa.BarraHor.setValue(250);
    mesa.BarraVer.setValue(100);
    EXPECT_EQ(mesa.Pic_Grabadora.point(0, 0), 0x0000EEu);
}

TEST_F(MuestraTest, PlacedAboveThePanelOnTheScrolledTable) {
    mesa.BarraHor.setValue(250);
    mesa.BarraVer.setValue(100);
    ColocaMuestra();
    EXPECT_EQ(PuzzGbl.MuestraX, 1024 - 200 - 16 + 250);
    EXPECT_EQ(PuzzGbl.MuestraY, 655 - 150 + 100);
    // An overlap found by the panel's drawing puts the preview back there.
    mesa.Pic_Muestra.move(900 + 250, 600 + 100);
    DibujaGrabadora();
    EXPECT_EQ(mesa.Pic_Muestra.left(), 1024 - 200 - 16 + 250);
    EXPECT_EQ(mesa.Pic_Muestra.top(), 655 - 150 + 100);
}


TEST_F(MuestraTest, ALargePreviewStandsBesideTheCommandPanelAndFollowsTheList) {
    // Half of a 1024 x 768 picture: above the recorder panel it would reach
    // under the command panel (left 883, 431 high).
    mesa.Pic_Muestra.move(0, 0, 512, 384);
    auto& g = PuzzGbl;
    ColocaMuestra();
    const int x = 883 - 512, y = 655 - 384;
    EXPECT_EQ(std::pair(mesa.Pic_Muestra.left(), mesa.Pic_Muestra.top()), std::pair(x, y));
    // The list extended: the preview goes up with the panel, still beside
    // the command panel; the list closed: back to its place.
    g.UltimoMovGrabado = g.MovActual = 12;
    g.EstadoListaMov = 3;
    DibujaGrabadora();
    EXPECT_LT(mesa.Pic_Muestra.top(), y);
    EXPECT_LE(mesa.Pic_Muestra.left() + 512, 883);
    EXPECT_LE(mesa.Pic_Muestra.top() + 384, mesa.Pic_Grabadora.top() + 1);
    g.EstadoListaMov = 2;
    DibujaGrabadora();
    EXPECT_EQ(std::pair(mesa.Pic_Muestra.left(), mesa.Pic_Muestra.top()), std::pair(x, y));
    // One the player dropped elsewhere stays there.
    mesa.Pic_Muestra.move(0, 0, 200, 150);
    arrastra(300, 300);
    DibujaGrabadora();
    EXPECT_EQ(std::pair(mesa.Pic_Muestra.left(), mesa.Pic_Muestra.top()), std::pair(300, 300));
}

} // namespace
