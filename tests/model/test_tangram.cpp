// Tangram piece geometry: boxes and vertex tables per orientation, the inside
// point, the figure's box, and the figure drawn at the homes.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "model/Tangram.h"
#include "platform/region.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using plat::Color;

constexpr Color kFondo = 0x808000, kLineas = 0x0000A0, kAzul = 0xFF0000;

// The piece tables of a Tangram puzzle.
void TablasReales() {
    auto& g = PuzzGbl;
    g.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
    g.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
    g.TAN_LadoPiezas = {0, 177, 177, 125, 89, 89, 89, 63};
}

class TangramTest : public ::testing::Test {
protected:
    void SetUp() override {
        mesa.reset();
        PuzzGbl.reset();
        TablasReales();
        PuzzGbl.TipoJuego = 23;
        PuzzGbl.NroPiezas = 7;
        PuzzGbl.Piezas.assign(8, RegistroPieza{});
    }
    void TearDown() override {
        mesa.reset();
        PuzzGbl.reset();
    }
};

std::vector<QPoint> Fila(int p) {
    const auto& g = PuzzGbl;
    std::vector<QPoint> v;
    for (int k = 1; k <= (p <= 5 ? 3 : 4); ++k)
        v.emplace_back(g.TAN_VerticeX[std::size_t(p)][std::size_t(k)], g.TAN_VerticeY[std::size_t(p)][std::size_t(k)]);
    return v;
}

void Calcula(int p, int giro, int volteo) {
    const auto pz = std::int16_t(p), gi = std::int16_t(giro), vo = std::int16_t(volteo);
    TAN_TamanoPieza(pz, gi, vo);
    TAN_CalculaVertices(pz, gi, vo);
}

// ------------------------------------------------------------ boxes, vertices

struct CasoVertices {
    int pieza, giro, volteo, w, h;
    std::vector<QPoint> vertices;
};

TEST_F(TangramTest, BoxAndVerticesOfEachShape) {
    const CasoVertices casos[] = {
        {1, 0, 0, 177, 89, {{0, 88}, {88, 0}, {176, 88}}},
        {1, 1, 0, 125, 125, {{0, 0}, {124, 0}, {124, 124}}},
        {2, 2, 1, 89, 177, {{0, 0}, {88, 88}, {0, 176}}}, // the flip is ignored
        {3, 4, 0, 125, 63, {{0, 0}, {62, 62}, {124, 0}}},
        {4, 6, 0, 45, 89, {{44, 0}, {0, 44}, {44, 88}}},
        {5, 5, 0, 63, 63, {{0, 0}, {62, 62}, {0, 62}}},
        {6, 0, 0, 63, 63, {{0, 0}, {62, 0}, {62, 62}, {0, 62}}},
        {6, 1, 0, 89, 89, {{44, 0}, {88, 44}, {44, 88}, {0, 44}}},
        {6, 7, 1, 89, 89, {{44, 0}, {88, 44}, {44, 88}, {0, 44}}},
        {7, 0, 0, 132, 44, {{0, 0}, {88, 0}, {131, 43}, {43, 43}}},
        {7, 1, 0, 63, 126, {{0, 0}, {62, 62}, {62, 125}, {0, 63}}},
        {7, 2, 0, 44, 132, {{0, 43}, {43, 0}, {43, 88}, {0, 131}}},
        {7, 3, 0, 126, 63, {{62, 0}, {125, 0}, {63, 62}, {0, 62}}},
        {7, 0, 1, 132, 44, {{43, 0}, {131, 0}, {88, 43}, {0, 43}}},
        {7, 1, 1, 126, 63, {{0, 0}, {63, 0}, {125, 62}, {62, 62}}},
        {7, 2, 1, 44, 132, {{0, 0}, {43, 43}, {43, 131}, {0, 88}}},
        {7, 3, 1, 63, 126, {{62, 0}, {62, 63}, {0, 125}, {0, 62}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "piece " << c.pieza << " rotation " << c.giro << " flip " << c.volteo);
        Calcula(c.pieza, c.giro, c.volteo);
        EXPECT_EQ(PuzzGbl.AnchoPiezaBase, c.w);
        EXPECT_EQ(PuzzGbl.AltoPiezaBase, c.h);
        EXPECT_EQ(Fila(c.pieza), c.vertices);
    }
}

TEST_F(TangramTest, TheParallelogramTurnedAHalfIsTheSameTheTrianglesAreNot) {
    for (int volteo : {0, 1}) {
        for (int r = 0; r < 4; ++r) {
            SCOPED_TRACE(testing::Message() << "flip " << volteo << " rotation " << r);
            Calcula(7, r, volteo);
            const auto w = PuzzGbl.AnchoPiezaBase, h = PuzzGbl.AltoPiezaBase;
            const auto fila = Fila(7);
            Calcula(7, r + 4, volteo);
            EXPECT_EQ(PuzzGbl.AnchoPiezaBase, w);
            EXPECT_EQ(PuzzGbl.AltoPiezaBase, h);
            EXPECT_EQ(Fila(7), fila);
        }
    }
    for (int p = 1; p <= 5; ++p) {
        for (int r = 0; r < 4; ++r) {
            Calcula(p, r, 0);
            const auto fila = Fila(p);
            Calcula(p, r + 4, 0);
            EXPECT_NE(Fila(p), fila) << "piece " << p << " rotation " << r;
        }
    }
}

// Every orientation of every piece: the polygon fills its box edge to edge and
// the inside point lies inside it.
TEST_F(TangramTest, EveryOrientationFillsItsBoxAndHasItsPointInside) {
    for (int p = 1; p <= 7; ++p) {
        for (int volteo = 0; volteo <= (p == 7 ? 1 : 0); ++volteo) {
            for (int giro = 0; giro <= 7; ++giro) {
                SCOPED_TRACE(testing::Message() << "piece " << p << " rotation " << giro << " flip " << volteo);
                Calcula(p, giro, volteo);
                const int w = PuzzGbl.AnchoPiezaBase, h = PuzzGbl.AltoPiezaBase;
                PuzzGbl.AnchoPiezaBase = PuzzGbl.AltoPiezaBase = 0;
                TAN_PuntoEtiqueta(std::int16_t(p), std::int16_t(giro), std::int16_t(volteo));
                EXPECT_EQ(PuzzGbl.AnchoPiezaBase, w); // it measures the box itself
                EXPECT_EQ(PuzzGbl.AltoPiezaBase, h);
                const auto fila = Fila(p);
                int minX = w, maxX = -1, minY = h, maxY = -1;
                for (const QPoint& v : fila) {
                    minX = std::min(minX, v.x()), maxX = std::max(maxX, v.x());
                    minY = std::min(minY, v.y()), maxY = std::max(maxY, v.y());
                }
                EXPECT_EQ(minX, 0);
                EXPECT_EQ(minY, 0);
                EXPECT_EQ(maxX, w - 1);
                EXPECT_EQ(maxY, h - 1);
                const auto region = plat::Region::polygon(fila);
                EXPECT_TRUE(region.contains(PuzzGbl.TAN_DesplX, PuzzGbl.TAN_DesplY))
                    << PuzzGbl.TAN_DesplX << "," << PuzzGbl.TAN_DesplY;
            }
        }
    }
}

TEST_F(TangramTest, InsidePointsOfTheTriangleRotations) {
    // Triangle 1 (177 x 89 lying, 125 x 125 turned an eighth, 89 x 177 standing).
    const struct {
        int giro, x, y;
    } casos[] = {{0, 89, 55}, {1, 82, 41}, {2, 34, 89}, {3, 82, 82},
                 {4, 89, 34}, {5, 41, 82}, {6, 55, 89}, {7, 41, 41}};
    for (const auto& c : casos) {
        TAN_PuntoEtiqueta(1, std::int16_t(c.giro), 0);
        EXPECT_EQ(PuzzGbl.TAN_DesplX, c.x) << c.giro;
        EXPECT_EQ(PuzzGbl.TAN_DesplY, c.y) << c.giro;
    }
    // 0.62 x 45 = 27.9 and 0.38 x 45 = 17.1 for the small triangle.
    TAN_PuntoEtiqueta(4, 0, 0);
    EXPECT_EQ(PuzzGbl.TAN_DesplY, 28);
    TAN_PuntoEtiqueta(4, 4, 0);
    EXPECT_EQ(PuzzGbl.TAN_DesplY, 17);
    // Square and parallelogram: the box's middle, rounded up.
    TAN_PuntoEtiqueta(7, 1, 0);
    EXPECT_EQ(PuzzGbl.TAN_DesplX, 32);
    EXPECT_EQ(PuzzGbl.TAN_DesplY, 63);
}

TEST_F(TangramTest, NoPieceOrNoSuchOrientationLeavesEverythingAsItWas) {
    auto& g = PuzzGbl;
    const struct {
        int pieza, giro, volteo;
    } casos[] = {{0, 0, 0}, {8, 0, 0}, {-1, 1, 0}, {1, 8, 0}, {3, -1, 0}, {7, 8, 0}, {7, -4, 0}, {7, 0, 2}, {7, 1, -1}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.pieza << " " << c.giro << " " << c.volteo);
        for (auto& fila : g.TAN_VerticeX) fila.fill(77);
        for (auto& fila : g.TAN_VerticeY) fila.fill(77);
        g.TAN_DesplX = g.TAN_DesplY = 77;
        const auto vx = g.TAN_VerticeX, vy = g.TAN_VerticeY;
        TAN_CalculaVertices(std::int16_t(c.pieza), std::int16_t(c.giro), std::int16_t(c.volteo));
        TAN_PuntoEtiqueta(std::int16_t(c.pieza), std::int16_t(c.giro), std::int16_t(c.volteo));
        EXPECT_EQ(g.TAN_VerticeX, vx);
        EXPECT_EQ(g.TAN_VerticeY, vy);
        // The square's and the parallelogram's point is their box's middle, whatever the rotation.
        if (c.pieza != 7) {
            EXPECT_EQ(g.TAN_DesplX, 77);
            EXPECT_EQ(g.TAN_DesplY, 77);
        }
    }
    g.AnchoPiezaBase = g.AltoPiezaBase = 5;
    for (int p : {0, 8, -3}) TAN_TamanoPieza(std::int16_t(p), 0, 0);
    EXPECT_EQ(g.AnchoPiezaBase, 5);
    EXPECT_EQ(g.AltoPiezaBase, 5);
    // The square asks only whether the rotation is odd.
    Calcula(6, 9, 0);
    EXPECT_EQ(Fila(6), (std::vector<QPoint>{{44, 0}, {88, 44}, {44, 88}, {0, 44}}));
}

TEST_F(TangramTest, ASizeBeyondSixteenBitsIsNotTaken) {
    auto& g = PuzzGbl;
    g.TAN_LadoPiezas[7] = 20000; // twice that does not fit
    g.AnchoPiezaBase = g.AltoPiezaBase = 5;
    TAN_TamanoPieza(7, 1, 0);
    EXPECT_EQ(g.AnchoPiezaBase, 5);
    g.AnchoPiezaBase = -32768;
    g.TAN_VerticeX[6].fill(77);
    TAN_CalculaVertices(6, 0, 0); // W - 1 would not fit
    EXPECT_EQ(g.TAN_VerticeX[6][2], 77);
}

// ------------------------------------------------------------------ figure box

TEST_F(TangramTest, FigureBoxAtThePlacesOrAtTheHomes) {
    auto& g = PuzzGbl;
    // Homes all at (0, 0) upright: one pixel past the widest and tallest box.
    TAN_CalculaMarcoFigura(2);
    EXPECT_EQ(g.MarcoFigura, (RegistroMarco{0, 0, 178, 90}));
    // Present places: the parallelogram standing at (300, 400), the rest at (40, 30).
    for (int p = 1; p <= 7; ++p) {
        g.Piezas[std::size_t(p)].X = 40;
        g.Piezas[std::size_t(p)].Y = 30;
    }
    g.Piezas[7].X = 300;
    g.Piezas[7].Y = 400;
    g.Piezas[7].Giro = 1;
    g.Piezas[7].Volteo = 1; // 126 x 63
    TAN_CalculaMarcoFigura(1);
    EXPECT_EQ(g.MarcoFigura, (RegistroMarco{40, 30, 427, 464}));
    for (int modo : {0, 2, 7}) {
        TAN_CalculaMarcoFigura(std::int16_t(modo));
        EXPECT_EQ(g.MarcoFigura, (RegistroMarco{0, 0, 178, 90})) << modo;
    }
    // Pieces the array does not hold are left out; none at all gives the start values.
    g.Piezas.resize(3);
    TAN_CalculaMarcoFigura(1);
    EXPECT_EQ(g.MarcoFigura, (RegistroMarco{40, 30, 218, 120}));
    g.Piezas.resize(1);
    TAN_CalculaMarcoFigura(1);
    EXPECT_EQ(g.MarcoFigura, (RegistroMarco{9999, 9999, 0, 0}));
}

// ---------------------------------------------------------------- the figure

class FiguraTest : public TangramTest {
protected:
    void SetUp() override {
        TangramTest::SetUp();
        auto& g = PuzzGbl;
        g.ColorFondo = kFondo;
        g.ColorLineas = kLineas;
        // Seven homes apart from each other on a 400 x 300 surface.
        const struct {
            int x, y, giro, volteo;
        } homes[] = {{0, 0, 0, 0},     {0, 100, 2, 0}, {200, 0, 1, 0}, {300, 0, 3, 0},
                     {200, 100, 7, 0}, {300, 100, 1, 0}, {100, 200, 1, 1}};
        for (int p = 1; p <= 7; ++p) {
            auto& r = g.Piezas[std::size_t(p)];
            r.XDestino = std::int16_t(homes[p - 1].x);
            r.YDestino = std::int16_t(homes[p - 1].y);
            r.GiroDestino = std::int16_t(homes[p - 1].giro);
            r.VolteoDestino = std::int16_t(homes[p - 1].volteo);
        }
        s.setSize(400, 300);
        s.setBackColor(kAzul);
        s.pset(399, 299, 0x00FF00); // a mark of earlier drawing
    }
    // The inside point of piece p at its home, on the surface.
    static QPoint dentro(int p) {
        const auto& r = PuzzGbl.Piezas[std::size_t(p)];
        TAN_PuntoEtiqueta(std::int16_t(p), r.GiroDestino, r.VolteoDestino);
        return {r.XDestino + PuzzGbl.TAN_DesplX, r.YDestino + PuzzGbl.TAN_DesplY};
    }
    // How many pixels piece p alone covers.
    static int pixelesDe(int p) {
        plat::Surface sola(QString(), 400, 300);
        TAN_DibujaModelo(sola, std::int16_t(p));
        return testing_support::countColor(sola, kLineas);
    }
    plat::Surface s{QStringLiteral("muestra")};
};

TEST_F(FiguraTest, TheWholeFigureOnACleanSurface) {
    TAN_DibujaModelo(s);
    EXPECT_EQ(s.backColor(), kFondo);
    EXPECT_EQ(s.foreColor(), kLineas);
    EXPECT_EQ(s.fillColor(), kLineas);
    EXPECT_EQ(s.point(399, 299), kFondo); // cleared first
    EXPECT_EQ(testing_support::countColor(s, kAzul), 0);
    int total = 0;
    for (int p = 1; p <= 7; ++p) {
        const QPoint d = dentro(p);
        EXPECT_EQ(s.point(d.x(), d.y()), kLineas) << p;
        total += pixelesDe(p);
    }
    // Filled pieces, none spilt over the table.
    EXPECT_EQ(testing_support::countColor(s, kLineas), total);
    EXPECT_GT(total, 7 * 1500);
    // The large triangle's corners outside its polygon stay the table's.
    EXPECT_EQ(s.point(0, 0), kFondo);
    EXPECT_EQ(s.point(176, 0), kFondo);
    EXPECT_EQ(s.point(88, 0), kLineas);
}

TEST_F(FiguraTest, OnePieceIsAddedToWhatTheSurfaceShows) {
    TAN_DibujaModelo(s, 3);
    EXPECT_EQ(s.backColor(), kAzul);
    EXPECT_EQ(s.point(399, 299), 0x00FF00);
    const QPoint d3 = dentro(3), d1 = dentro(1);
    EXPECT_EQ(s.point(d3.x(), d3.y()), kLineas);
    EXPECT_EQ(s.point(d1.x(), d1.y()), kAzul);
    EXPECT_EQ(testing_support::countColor(s, kLineas), pixelesDe(3));
    // Piece 3 turned an eighth is a triangle with its right angle top-right.
    EXPECT_EQ(s.point(200, 88), kAzul);
    EXPECT_EQ(s.point(288, 88), kLineas);
}

TEST_F(FiguraTest, NoSuchPieceDrawsNothing) {
    const QImage antes = s.image();
    for (int p : {0, 8, -1}) TAN_DibujaModelo(s, std::int16_t(p));
    EXPECT_EQ(s.image(), antes);
}

TEST_F(FiguraTest, AHomeWithoutAPolygonIsPassedOverInsteadOfFloodingTheSurface) {
    PuzzGbl.Piezas[1].GiroDestino = 9; // a damaged model
    TAN_DibujaModelo(s);
    int total = 0;
    for (int p = 2; p <= 7; ++p) total += pixelesDe(p);
    EXPECT_EQ(testing_support::countColor(s, kLineas), total);
    EXPECT_EQ(s.point(399, 299), kFondo);
}

TEST_F(FiguraTest, APieceIsTakenOutOfTheFigureOnTheBackBuffer) {
    plat::Surface& imagen = mesa.Pic_Imagen;
    imagen.setSize(400, 300);
    TAN_DibujaModelo(imagen);
    const int antes = testing_support::countColor(imagen, kLineas);
    TAN_DibujaPieza(3);
    EXPECT_EQ(testing_support::countColor(imagen, kLineas), antes - pixelesDe(3));
    const QPoint d3 = dentro(3), d1 = dentro(1);
    EXPECT_EQ(imagen.point(d3.x(), d3.y()), kFondo);
    EXPECT_EQ(imagen.point(d1.x(), d1.y()), kLineas);
    EXPECT_EQ(imagen.foreColor(), kFondo);
    EXPECT_EQ(imagen.fillColor(), kFondo);
    // Taking it out twice changes nothing more.
    TAN_DibujaPieza(3);
    EXPECT_EQ(testing_support::countColor(imagen, kLineas), antes - pixelesDe(3));
}

} // namespace
