// The Tangram table's set-up: the figure to solve on the table or a plain one
// to design on, the board picture, the panels, and the deal of a new puzzle or
// the rebuild of one just loaded.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "table/mesa.h"
#include "model/Geometria.h"
#include "model/Juego.h"
#include "model/Tangram.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using imaging_test::Reinicia;

constexpr plat::Color kFondo = 0x800000, kPieza = 0x008000, kLineas = 0xFFFFFF;

// The figure of a house, roof above, stored at the origin of an 800 wide
// table (20, 20): pieces 1..7 as x, y, rotation, flip.
const std::vector<std::array<int, 4>> kCasa = {
    {}, {20, 20, 3, 0}, {144, 20, 5, 0}, {82, 144, 4, 0}, {82, 144, 5, 0}, {145, 206, 3, 0}, {82, 206, 0, 0},
    {145, 143, 3, 1}};

// How many times the command panel was drawn (the table window's own drawing,
// stood in for by a double that only places the panel).
int g_paneles = 0;

class PreparaTangramTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        g_paneles = 0;
        ProcedimientosPanel p;
        p.dibujaBotonera = [] {
            ++g_paneles;
            mesa.Pic_Botonera.move(800 - kAnchoBotonera, 0, kAnchoBotonera, 431);
        };
        RegistraProcedimientosPanel(p);
        InicializaTablas();
        auto& g = PuzzGbl;
        g.TipoJuego = 23;
        g.AnchoMesa = 800;
        g.AltoMesa = 600;
        g.ColorFondo = std::int32_t(kFondo);
        g.ColorPieza = std::int32_t(kPieza);
        g.ColorLineas = std::int32_t(kLineas);
        mesa.Pic_Botonera.move(800 - kAnchoBotonera, 0, kAnchoBotonera, 431);
        mesa.BarraHor.setVisible(true);
        mesa.BarraHor.setMax(100);
        mesa.BarraHor.setValue(30);
        mesa.BarraVer.setVisible(true);
        mesa.BarraVer.setMax(100);
        mesa.BarraVer.setValue(40);
        mesa.Pic_Muestra.setVisible(true);
        mesa.Pic_Cuadrito.setVisible(true);
    }
    void TearDown() override {
        RegistraProcedimientosPanel({});
        Reinicia();
    }

    static void PonCasa() {
        auto& g = PuzzGbl;
        g.Piezas.assign(8, RegistroPieza{});
        g.OrdenPiezas = {0, 1, 2, 3, 4, 5, 6, 7};
        for (int p = 1; p <= 7; ++p) {
            auto& r = g.Piezas[std::size_t(p)];
            r.XDestino = std::int16_t(kCasa[std::size_t(p)][0]);
            r.YDestino = std::int16_t(kCasa[std::size_t(p)][1]);
            r.GiroDestino = std::int16_t(kCasa[std::size_t(p)][2]);
            r.VolteoDestino = std::int16_t(kCasa[std::size_t(p)][3]);
        }
    }
    static std::vector<RegistroPieza> Piezas() { return PuzzGbl.Piezas; }
};

// A point inside piece p's home.
QPoint DentroDeCasa(int p) {
    const auto& g = PuzzGbl;
    const auto& r = g.Piezas[std::size_t(p)];
    TAN_PuntoEtiqueta(std::int16_t(p), r.GiroDestino, r.VolteoDestino);
    return {r.XDestino + g.TAN_DesplX, r.YDestino + g.TAN_DesplY};
}

void EsperaPanelesListos() {
    const auto& g = PuzzGbl;
    EXPECT_FALSE(mesa.BarraHor.Visible());
    EXPECT_EQ(mesa.BarraHor.Value(), 0);
    EXPECT_EQ(mesa.BarraHor.Top(), 600);
    EXPECT_FALSE(mesa.BarraVer.Visible());
    EXPECT_EQ(mesa.BarraVer.Value(), 0);
    EXPECT_EQ(mesa.BarraVer.Left(), 800);
    EXPECT_FALSE(mesa.Pic_Muestra.visible());
    EXPECT_FALSE(mesa.Pic_Cuadrito.visible());
    // Every piece takes its colour from the board picture, at any home.
    const plat::Surface& b = mesa.Pic_Bitmap;
    EXPECT_EQ(b.scaleWidth(), 800);
    EXPECT_EQ(b.scaleHeight(), 600);
    EXPECT_EQ(testing_support::countColor(b, kPieza), 800 * 600);
    EXPECT_EQ(mesa.Pic_Trabajo.scaleWidth(), 800);
    EXPECT_EQ(mesa.Pic_Fondo.scaleHeight(), 600);
    EXPECT_EQ(mesa.Pic_PiezaImagen.foreColor(), kLineas);
    EXPECT_EQ(g.MargenPiezaX, 0);
    EXPECT_EQ(g.MargenPiezaY, 0);
    EXPECT_EQ(g.LadoZonaPieza, 125);
    EXPECT_GE(g_paneles, 1);
}

TEST_F(PreparaTangramTest, ANewPuzzleToSolveShowsTheFigureAndDealsThePiecesBesideIt) {
    auto& g = PuzzGbl;
    g.TAN_ModoJuego = 2;
    PonCasa();
    g.MovActual = 5;
    const auto pinturas = mesa.pinturasTrabajo();
    PreparaJuego(true);

    EsperaPanelesListos();
    // The clean table holds the figure; the table under the pieces is it too.
    const plat::Surface& fondo = mesa.Pic_Fondo;
    for (int p = 1; p <= 7; ++p) {
        const QPoint q = DentroDeCasa(p);
        EXPECT_EQ(fondo.point(q.x(), q.y()), kLineas) << "home of piece " << p;
    }
    EXPECT_EQ(fondo.point(5, 5), kFondo);
    EXPECT_EQ(fondo.point(300, 300), kFondo);
    EXPECT_EQ(mesa.Pic_Imagen.picture(), fondo.image());
    // The homes are kept; the pieces stand in their column, the recorder empty.
    for (int p = 1; p <= 7; ++p) {
        const auto& r = g.Piezas[std::size_t(p)];
        EXPECT_EQ(r.XDestino, kCasa[std::size_t(p)][0]);
        EXPECT_EQ(r.GiroDestino, kCasa[std::size_t(p)][2]);
        EXPECT_EQ(r.X, 800 - kAnchoBotonera - 20 - AnchoPiezaGirada(std::int16_t(p), 0, 0)) << p;
        EXPECT_EQ(r.Giro, 0);
    }
    EXPECT_EQ(g.MovActual, 0);
    EXPECT_EQ(g.UltimoMovGrabado, 0);
    // The deal is shown piece by piece.
    EXPECT_GE(mesa.pinturasTrabajo() - pinturas, 7u);
}

TEST_F(PreparaTangramTest, ANewDesignStartsOnAPlainTableWithoutHomes) {
    auto& g = PuzzGbl;
    g.TAN_ModoJuego = 1;
    PonCasa();
    PreparaJuego(true);

    EsperaPanelesListos();
    EXPECT_EQ(testing_support::countColor(mesa.Pic_Fondo, kFondo), 800 * 600);
    ASSERT_EQ(g.Piezas.size(), 8u);
    for (int p = 1; p <= 7; ++p) {
        const auto& r = g.Piezas[std::size_t(p)];
        EXPECT_EQ(std::make_tuple(r.XDestino, r.YDestino, r.GiroDestino, r.VolteoDestino), std::make_tuple(0, 0, 0, 0));
        EXPECT_EQ(r.X, 800 - kAnchoBotonera - 20 - AnchoPiezaGirada(std::int16_t(p), 0, 0)) << p;
    }
    EXPECT_EQ(g.OrdenPiezas, (std::vector<std::int16_t>{0, 1, 2, 3, 4, 5, 6, 7}));
}

// A puzzle just loaded keeps its pieces and moves; only the table is set up.
TEST_F(PreparaTangramTest, ARebuildKeepsThePiecesWhereTheyWere) {
    for (int modo : {1, 2}) {
        SCOPED_TRACE(modo);
        auto& g = PuzzGbl;
        g.TAN_ModoJuego = std::int16_t(modo);
        PonCasa();
        for (int p = 1; p <= 7; ++p) {
            g.Piezas[std::size_t(p)].X = std::int16_t(300 + p);
            g.Piezas[std::size_t(p)].Y = std::int16_t(10 * p);
            g.Piezas[std::size_t(p)].Giro = std::int16_t(p % 8);
        }
        g.OrdenPiezas = {0, 3, 1, 2, 7, 6, 5, 4};
        const auto antes = Piezas();
        const auto orden = g.OrdenPiezas;
        g.MovActual = 3;
        g.UltimoMovGrabado = 9;
        const auto pinturas = mesa.pinturasTrabajo();
        PreparaJuego(false);

        EsperaPanelesListos();
        EXPECT_EQ(Piezas(), antes);
        EXPECT_EQ(g.OrdenPiezas, orden);
        EXPECT_EQ(g.MovActual, 3);
        EXPECT_EQ(g.UltimoMovGrabado, 3);
        EXPECT_LT(mesa.pinturasTrabajo() - pinturas, 7u); // drawn at once, not dealt
        const QPoint q = DentroDeCasa(1);
        EXPECT_EQ(mesa.Pic_Fondo.point(q.x(), q.y()), modo == 2 ? kLineas : kFondo);
    }
}

// The piece array and the drawing order that another game left behind are
// brought to the seven pieces before the deal, the homes of the model kept.
TEST_F(PreparaTangramTest, ANewPuzzleToSolveDealsWhateverSizeTheArraysHad) {
    for (std::size_t tamano : {std::size_t(5), std::size_t(26)}) {
        SCOPED_TRACE(tamano);
        auto& g = PuzzGbl;
        g.TAN_ModoJuego = 2;
        PonCasa();
        const auto casas = Piezas();
        g.Piezas.resize(tamano);
        g.OrdenPiezas.assign(tamano, 0);
        PreparaJuego(true);
        ASSERT_EQ(g.Piezas.size(), 8u);
        EXPECT_EQ(g.OrdenPiezas, (std::vector<std::int16_t>{0, 1, 2, 3, 4, 5, 6, 7}));
        for (int p = 1; p <= 7; ++p) {
            const auto& r = g.Piezas[std::size_t(p)];
            if (std::size_t(p) < tamano) {
                EXPECT_EQ(r.XDestino, casas[std::size_t(p)].XDestino) << p;
            }
            EXPECT_EQ(r.X, 800 - kAnchoBotonera - 20 - AnchoPiezaGirada(std::int16_t(p), 0, 0)) << p;
        }
    }
}

} // namespace
