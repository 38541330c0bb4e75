// The right-or-wrong display: every piece flat green in its place and flat
// red elsewhere in every game, the table as before once it is off, and the
// roads that switch it off first (a new set-up, a recorder step, a press).
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "imaging/PiezasBienMal.h"
#include "imaging/PreparaMesa.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/Trabajo.h"
#include "tests/imaging/puzzle_fixtures.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class BienMal : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::Reinicia();
        mesa.Load();
        teselaro::initResources();
        ReiniciaLanzador();
        auto& g = PuzzGbl;
        g.VelocidadJuego = 100;
        g.AnchoMesa = 1024;
        g.AltoMesa = 768;
        for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) {
            s->setSize(1024, 768);
            s->setBackColor(0x808080);
        }
    }
    void TearDown() override {
        RegistraProcedimientosPanel({});
        ReiniciaLanzador();
        ReiniciaProcTrabajo();
        mesa.reset();
        PuzzGbl.reset();
    }
    // A 3 x 3 jigsaw of 100-pixel rectangles, every piece on its home; pieces
    // 2 and 7 half turned there (out of place).
    static void rompecabezas() {
        puzzle_test::PonMesa(1024, 768);
        puzzle_test::Puzzle(0, 3, 300, 300);
        PreparaPiezasMoviles(true);
        auto& g = PuzzGbl;
        g.DibujarBorde = false;
        for (int i = 1; i <= g.NroPiezas; ++i) {
            auto& r = g.Piezas[std::size_t(i)];
            r.X = r.XDestino;
            r.Y = r.YDestino;
            r.Giro = r.GiroDestino = 0;
        }
        g.Piezas[2].Giro = g.Piezas[7].Giro = 2;
    }
    // A 3 x 3 sliding board of 40-pixel cells, the hole in the last cell;
    // tiles 4 and 5 exchanged.
    static void deslizantes() {
        auto& g = PuzzGbl;
        g.TipoJuego = 22;
        g.PiezasLado = 3;
        g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = 40;
        mesa.Pic_Bitmap.setSize(120, 120);
        mesa.Pic_Bitmap.setPicture(imaging_test::Ruido(120, 120, 5, 0x7F7F7Fu));
        puzzle_test::PiezasEnOrden(8);
        for (int i = 1; i <= 8; ++i) {
            auto& r = g.Piezas[std::size_t(i)];
            r.X = r.XDestino = std::int16_t(40 * ((i - 1) % 3));
            r.Y = r.YDestino = std::int16_t(40 * ((i - 1) / 3));
        }
        std::swap(g.Piezas[4].X, g.Piezas[5].X);
        g.AgujeroX = g.AgujeroY = 80;
    }
    // The seven Tangram pieces of a figure being solved laid apart, the
    // medium triangle away from its home.
    static void tangram() {
        auto& g = PuzzGbl;
        g.TipoJuego = 23;
        g.TAN_ModoJuego = 2;
        g.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
        g.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
        g.TAN_LadoPiezas = {0, 177, 177, 125, 89, 89, 89, 63};
        puzzle_test::PiezasEnOrden(7);
        for (int i = 1; i <= 7; ++i) {
            auto& r = g.Piezas[std::size_t(i)];
            r.X = r.XDestino = std::int16_t(140 * i - 130);
            r.Y = r.YDestino = 600;
        }
        g.Piezas[3].Y = 300;
        mesa.Pic_Bitmap.setSize(1024, 768);
        mesa.Pic_Bitmap.setPicture(imaging_test::Ruido(1024, 768, 9, 0x7F7F7Fu));
    }
    // The twelve pentominoes laid apart on 20-pixel cells, at home but the U.
    static void pentominos() {
        InicializaTablas();
        auto& g = PuzzGbl;
        g.TipoJuego = 24;
        g.LadoCelda = 20;
        g.DibujarBorde = false;
        mesa.Pic_Bitmap.setSize(1024, 768);
        puzzle_test::PiezasEnOrden(12);
        for (int i = 1; i <= 12; ++i) {
            auto& r = g.Piezas[std::size_t(i)];
            r.X = r.XDestino = std::int16_t(10 + 120 * ((i - 1) % 6));
            r.Y = r.YDestino = std::int16_t(10 + 120 * ((i - 1) / 6));
        }
        g.Piezas[7].X = 500;
        g.Piezas[7].Y = 500;
    }

    // Pixels of the table under some piece's mask that are not that piece's
    // colour of the display; `vistos` counts the pixels looked at.
    static int coloresErroneos(int& vistos) {
        auto& g = PuzzGbl;
        int errores = 0;
        vistos = 0;
        for (int k = 1; k <= g.NroPiezas; ++k) {
            const auto p = std::int16_t(k);
            GeneraImagenPieza(p);
            const QImage m = mesa.Pic_PiezaMascara.image().copy();
            const auto& r = g.Piezas[std::size_t(k)];
            const plat::Color esperado = PiezaBienColocada(p) ? kColorBien : kColorMal;
            for (int y = 0; y < m.height(); ++y)
                for (int x = 0; x < m.width(); ++x) {
                    if ((m.pixel(x, y) & 0xFFFFFFu) != 0) continue;
                    ++vistos;
                    if (mesa.Pic_Trabajo.point(r.X - g.MargenPiezaX + x, r.Y - g.MargenPiezaY + y) != esperado)
                        ++errores;
                }
        }
        return errores;
    }
};

TEST_F(BienMal, EveryPieceIsFlatGreenOrRedAndTheTableComesBackWhenSwitchedOff) {
    struct Caso {
        const char* juego;
        std::function<void()> prepara;
    } casos[] = {
        {"jigsaw", rompecabezas},
        {"sliding tiles", deslizantes},
        {"Tangram", tangram},
        {"pentominoes", pentominos},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.juego);
        SetUp();
        c.prepara();
        RedibujaImagen(1);
        const QImage antes = mesa.Pic_Trabajo.image().copy();
        PuzzGbl.MostrarBienoMal = true;
        MostrarPiezasBienoMal();
        int vistos = 0;
        EXPECT_EQ(coloresErroneos(vistos), 0);
        EXPECT_GT(vistos, 1000);
        EXPECT_EQ(mesa.Pic_PiezaColor.width(), mesa.Pic_Bitmap.width());
        EXPECT_EQ(mesa.Pic_PiezaColor.height(), mesa.Pic_Bitmap.height());
        PuzzGbl.MostrarBienoMal = false;
        MostrarPiezasBienoMal();
        EXPECT_TRUE(mesa.Pic_Trabajo.image() == antes) << "every piece has its picture back";
        TearDown();
    }
}

TEST_F(BienMal, ANewSetUpOrARecorderStepSwitchesTheDisplayOffFirst) {
    rompecabezas();
    RedibujaImagen(1);
    auto& g = PuzzGbl;
    // A move to step back: piece 2 was turned from 0 to 2.
    g.OrdenPiezas.erase(std::find(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end(), std::int16_t(2)));
    g.OrdenPiezas.insert(g.OrdenPiezas.begin() + 1, std::int16_t(2));
    GrabaMovimiento(g.Piezas[2].X, g.Piezas[2].Y, 0, 0, g.Piezas[2].X, g.Piezas[2].Y, 2, 0);
    g.MostrarBienoMal = true;
    MostrarPiezasBienoMal();
    GrabadoraPaso(1);
    EXPECT_FALSE(g.MostrarBienoMal);
    EXPECT_EQ(g.Piezas[2].Giro, 0);
    const QImage tras = mesa.Pic_Trabajo.image().copy();
    RedibujaImagen(1);
    EXPECT_TRUE(mesa.Pic_Trabajo.image() == tras) << "no piece is left in a flat colour";

    g.MostrarBienoMal = true;
    PreparaJuego(false);
    EXPECT_FALSE(g.MostrarBienoMal);
}

TEST_F(BienMal, CommandTenSwitchesItAndARightPressOnTheTableSwitchesItOff) {
    rompecabezas();
    RegistraBotonera();
    RedibujaImagen(1);
    const QImage antes = mesa.Pic_Trabajo.image().copy();
    auto& g = PuzzGbl;
    mesa.Pic_Boton_MouseDown(10, 1, 0, 0, 0);
    ASSERT_TRUE(g.MostrarBienoMal);
    int vistos = 0;
    EXPECT_EQ(coloresErroneos(vistos), 0);
    g.GiroPermitido = true;
    g.PiezaSeleccionada = 0;
    Pic_Trabajo_MouseDown(2, 0, 700, 600); // on the bare table: nothing turns
    EXPECT_FALSE(g.MostrarBienoMal);
    EXPECT_TRUE(mesa.Pic_Trabajo.image() == antes);
}

} // namespace
