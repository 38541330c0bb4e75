// Tangram pieces never cover each other: the ranking and choice of pushes,
// the un-overlap on small polygons and on the seven real pieces, the gluing,
// and both on the table with their redraw.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "model/Tangram.h"
#include "table/Desolapa.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A square of side s whose pixels are x .. x + s - 1, y .. y + s - 1.
Poligono C(int x, int y, int s) { return {{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}}; }

LimitesMesa Mesa(int ancho, int alto) {
    LimitesMesa l;
    l.ancho = ancho;
    l.alto = alto;
    return l;
}

bool CubreAlguna(const Poligono& p, QPoint d, const std::vector<Poligono>& otras) {
    Poligono m = p;
    for (QPoint& q : m) q += d;
    for (const Poligono& o : otras)
        if (PoligonosSeSolapan(m, o)) return true;
    return false;
}

// ------------------------------------------------------------ ranking, choice

TEST(Empujes, EqualDistancesRankInAscendingDirection) {
    const std::vector<Empuje> empujes{{11, 0}, {7, 1}, {4, 2}, {7, 3}, {11, 4}, {21, 5}, {18, 6}, {21, 7}};
    EXPECT_EQ(ClasificaEmpujes(empujes),
              (std::vector<Empuje>{{4, 2}, {7, 1}, {7, 3}, {11, 0}, {11, 4}, {18, 6}, {21, 5}, {21, 7}}));
    // Distances past three digits still rank by their value.
    EXPECT_EQ(ClasificaEmpujes({{1000, 0}, {999, 1}}), (std::vector<Empuje>{{999, 1}, {1000, 0}}));
}

TEST(Empujes, ThePushOfEachDirection) {
    // Straight D pixels; diagonal D \ 2 across and the rest along y.
    const QPoint esperado[] = {{0, -7}, {3, -4}, {7, 0}, {3, 4}, {0, 7}, {-3, 4}, {-7, 0}, {-3, -4}};
    for (int d = 0; d <= 7; ++d) {
        EXPECT_EQ(EmpujeDe(d, 7), esperado[d]) << d;
        EXPECT_EQ(DireccionOpuesta(DireccionOpuesta(d)), d);
        EXPECT_EQ(PasoDireccion(DireccionOpuesta(d)), -PasoDireccion(d));
    }
}

struct CasoEleccion {
    const char* que;
    int solapes, previa;
    std::vector<int> rechazadas; // directions refused
    std::optional<int> rango;
};

TEST(Empujes, TheChoiceOfRank) {
    const std::vector<Empuje> r{{2, 2}, {3, 0}, {3, 4}, {5, 6}, {7, 1}, {9, 3}, {9, 5}, {11, 7}};
    const int libre = kDireccionLibre;
    const CasoEleccion casos[] = {
        {"the shortest", 1, libre, {}, 0},
        {"straight back along the previous push", 2, 6, {}, 1},
        {"the opposite rule only looks at the rank it stands on", 2, 2, {}, 0},
        {"refused: the next", 1, libre, {2}, 1},
        {"refused, then the opposite of the previous", 2, 4, {2}, 2},
        {"sixth overlap: 6 further", 6, libre, {}, 6},
        {"seventh overlap: Mod 7 is 0", 7, libre, {}, 0},
        {"ninth overlap: 2 further, and 2 more after a refusal", 9, libre, {4}, 5},
        {"thirteenth overlap: past the eighth it wraps", 13, libre, {5}, 7 + 6 - 8},
        {"every rank refused", 1, libre, {0, 1, 2, 3, 4, 5, 6, 7}, std::nullopt},
        {"the eighth rank is the last tried", 2, libre, {2, 0, 4, 6, 1, 3, 5}, 7},
        {"past the eighth rank counts as refused", 2, 3, {2, 0, 4, 6, 1, 3, 5}, std::nullopt},
        // Mod 7 = 1 visits every other rank only: without a bound it would try them for ever.
        {"eighth overlap, the ranks it visits refused", 8, libre, {0, 6, 3, 7}, std::nullopt},
        {"eighth overlap, one of them accepted", 8, libre, {0, 6, 3}, 7},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        int pruebas = 0;
        const auto rango = EligeRango(r, c.solapes, c.previa, [&](const Empuje& e) {
            ++pruebas;
            return std::find(c.rechazadas.begin(), c.rechazadas.end(), e.direccion) == c.rechazadas.end();
        });
        EXPECT_EQ(rango, c.rango);
        EXPECT_LE(pruebas, kMaxRechazos);
    }
}

// ------------------------------------------------------- un-overlap, polygons

TEST(Desolape, APieceLyingFreeStays) {
    const auto res = DesolapaPoligono(C(200, 200, 10), {200, 200}, 10, 10, {C(100, 100, 10), C(210, 200, 10)},
                                      Mesa(1000, 1000));
    EXPECT_EQ(res.desplazamiento, QPoint(0, 0));
    EXPECT_EQ(res.solapes, 0);
    for (auto d : res.direcciones) EXPECT_EQ(d, kDireccionLibre);
    EXPECT_FALSE(res.tope);
}

TEST(Desolape, PushedOnePixelPastTheFirstFreeShift) {
    // Three columns over the other piece: free after 3 pixels to the right.
    const auto res = DesolapaPoligono(C(107, 100, 10), {107, 100}, 10, 10, {C(100, 100, 10)}, Mesa(1000, 1000));
    EXPECT_EQ(res.desplazamiento, QPoint(4, 0));
    EXPECT_EQ(res.solapes, 1);
    EXPECT_EQ(res.direcciones[1], 2);
    EXPECT_EQ(res.direcciones[2], kDireccionLibre);
    EXPECT_EQ(res.clasificacion,
              (std::vector<Empuje>{{4, 2}, {7, 1}, {7, 3}, {11, 0}, {11, 4}, {18, 6}, {21, 5}, {21, 7}}));
}

TEST(Desolape, TheBestPushRefusedByTheEdgeOrThePanelGivesWayToTheNext) {
    // The table's right edge leaves no room for 4 to the right: the diagonal
    // goes 3 across and 4 up.
    auto res = DesolapaPoligono(C(107, 100, 10), {107, 100}, 10, 10, {C(100, 100, 10)}, Mesa(120, 1000));
    EXPECT_EQ(res.desplazamiento, QPoint(3, -4));
    EXPECT_EQ(res.direcciones[1], 1);
    // The command panel from x 115 down to 500 takes every push that keeps x
    // past 105: only the left one remains.
    LimitesMesa conPanel = Mesa(1000, 1000);
    conPanel.conBotonera = true;
    conPanel.botoneraIzquierda = 115;
    conPanel.botoneraAlto = 500;
    res = DesolapaPoligono(C(107, 100, 10), {107, 100}, 10, 10, {C(100, 100, 10)}, conPanel);
    EXPECT_EQ(res.desplazamiento, QPoint(-18, 0));
    // Below the panel it is no hindrance.
    res = DesolapaPoligono(C(107, 600, 10), {107, 600}, 10, 10, {C(100, 600, 10)}, conPanel);
    EXPECT_EQ(res.desplazamiento, QPoint(4, 0));
}

TEST(Desolape, CoveringTwoPiecesPushesOutOfTheLowerFirstThenTheOther) {
    // Out of the first to the right, which still leaves it on the second one's
    // top rows; then up out of that one.
    const auto res = DesolapaPoligono(C(105, 100, 10), {105, 100}, 10, 10, {C(100, 100, 10), C(105, 108, 10)},
                                      Mesa(1000, 1000));
    EXPECT_EQ(res.desplazamiento, QPoint(6, -3));
    EXPECT_EQ(res.solapes, 2);
    EXPECT_EQ(res.direcciones[1], 2);
    EXPECT_EQ(res.direcciones[2], 0);
    EXPECT_FALSE(CubreAlguna(C(105, 100, 10), res.desplazamiento, {C(100, 100, 10), C(105, 108, 10)}));
}

TEST(Desolape, APushStraightBackIsPassedOverForTheNext) {
    // Out of the first to the right and into the second, whose best push is
    // back to the left: the next in rank, up, is taken.
    const std::vector<Poligono> otras{C(100, 100, 10), C(113, 100, 10)};
    const auto res = DesolapaPoligono(C(107, 100, 10), {107, 100}, 10, 10, otras, Mesa(1000, 1000));
    EXPECT_EQ(res.clasificacion.front(), (Empuje{9, 6}));
    EXPECT_EQ(res.desplazamiento, QPoint(4, -11));
    EXPECT_EQ(res.solapes, 2);
    EXPECT_EQ(res.direcciones[2], 0);
    EXPECT_FALSE(CubreAlguna(C(107, 100, 10), res.desplazamiento, otras));
}

TEST(Desolape, BoxedInItStopsWhereItIs) {
    // The table is one row of two pieces: every push leaves it.
    const auto res = DesolapaPoligono(C(5, 0, 10), {5, 0}, 10, 10, {C(0, 0, 10)}, Mesa(20, 10));
    EXPECT_EQ(res.desplazamiento, QPoint(0, 0));
    EXPECT_EQ(res.solapes, 1);
    EXPECT_TRUE(res.tope);
    EXPECT_EQ(res.direcciones[1], kDireccionLibre);
}

// The seven pieces with their real sizes.
class PiezasReales : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        PuzzGbl.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
        PuzzGbl.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
        PuzzGbl.TAN_LadoPiezas = {0, 177, 177, 125, 89, 89, 89, 63};
    }
    void TearDown() override { PuzzGbl.reset(); }
};

struct Caidas {
    int topes = 0, empujadas = 0, solapes = 0, todosLosEmpujes = 0;
};

// `n` drops of one piece, chosen at random, among the other six laid at
// random (where they cover none of the others) on a table of ancho x alto.
Caidas SueltaAlAzar(unsigned semilla, int n, int ancho, int alto) {
    std::mt19937 rng(semilla);
    auto azar = [&rng](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    const LimitesMesa mesa = Mesa(ancho, alto);
    Caidas c;
    for (int caso = 0; caso < n; ++caso) {
        std::vector<Poligono> otras;
        const int cayo = azar(1, 7);
        for (int p = 1; p <= 7; ++p) {
            if (p == cayo) continue;
            for (int intento = 0; intento < 300; ++intento) {
                const auto giro = std::int16_t(azar(0, 7)), volteo = std::int16_t(p == 7 ? azar(0, 1) : 0);
                TAN_TamanoPieza(std::int16_t(p), giro, volteo);
                const int x = azar(0, ancho - PuzzGbl.AnchoPiezaBase), y = azar(0, alto - PuzzGbl.AltoPiezaBase);
                Poligono pol = PoligonoTangram(std::int16_t(p), x, y, giro, volteo);
                bool libre = true;
                for (const Poligono& o : otras) libre = libre && !PoligonosSeSolapan(pol, o);
                if (libre) {
                    otras.push_back(pol);
                    break;
                }
            }
        }
        const auto giro = std::int16_t(azar(0, 7)), volteo = std::int16_t(cayo == 7 ? azar(0, 1) : 0);
        TAN_TamanoPieza(std::int16_t(cayo), giro, volteo);
        const int w = PuzzGbl.AnchoPiezaBase, h = PuzzGbl.AltoPiezaBase;
        const QPoint lugar(azar(0, ancho - w), azar(0, alto - h));
        const Poligono pieza = PoligonoTangram(std::int16_t(cayo), lugar.x(), lugar.y(), giro, volteo);
        const auto res = DesolapaPoligono(pieza, lugar, w, h, otras, mesa);
        SCOPED_TRACE(testing::Message() << "drop " << caso);
        // Free, or stopped by a bound while still covering a piece.
        EXPECT_EQ(CubreAlguna(pieza, res.desplazamiento, otras), res.tope);
        const QPoint fin = lugar + res.desplazamiento;
        EXPECT_TRUE(LugarAdmisible(fin.x(), fin.y(), w, h, mesa)) << fin.x() << "," << fin.y();
        EXPECT_LE(res.solapes, kMaxEmpujes);
        c.topes += res.tope;
        c.empujadas += res.desplazamiento != QPoint(0, 0);
        c.solapes += res.solapes;
        c.todosLosEmpujes += res.solapes == kMaxEmpujes;
    }
    return c;
}

TEST_F(PiezasReales, RandomDropsEndAndLeaveThePieceFreeUnlessABoundStoppedThem) {
    // Room enough: every drop ends free, some after several pushes.
    const Caidas holgada = SueltaAlAzar(7, 150, 800, 600);
    EXPECT_EQ(holgada.topes, 0);
    EXPECT_GT(holgada.empujadas, 30);
    EXPECT_GT(holgada.solapes, holgada.empujadas);
    // Seven pieces crowded on 250 x 250: pushes go back and forth and some
    // drops are boxed in; both bounds end them.
    const Caidas apretada = SueltaAlAzar(11, 300, 250, 250);
    EXPECT_GT(apretada.topes, apretada.todosLosEmpujes);
    EXPECT_GT(apretada.todosLosEmpujes, 0);
}

// ------------------------------------------------------------------- gluing

TEST(Pegado, TheShiftOfTheFirstTouchLessTwo) {
    // A 20-pixel square g pixels right of another: it first overlaps at a
    // shift of g + 1.
    const struct {
        int hueco;
        QPoint esperado;
    } casos[] = {{1, {0, 0}}, {4, {-3, 0}}, {6, {-5, 0}}, {7, {0, 0}}, {20, {0, 0}}};
    for (const auto& c : casos) {
        const int x = 120 + c.hueco;
        EXPECT_EQ(PegaPoligono(C(x, 100, 20), {x + 10, 110}, {{C(100, 100, 20), {110, 110}}}), c.esperado) << c.hueco;
    }
}

TEST(Pegado, DiagonalNeighboursMoveAlongTheDiagonal) {
    // Corner to corner, 4 pixels apart each way: both coordinates change by 3.
    EXPECT_EQ(PegaPoligono(C(124, 124, 20), {134, 134}, {{C(100, 100, 20), {110, 110}}}), QPoint(-3, -3));
    // Up to r = 0.35 it is diagonal: points 20 across and 10 up, then 27 and
    // 13 (0.35 exactly); 20 and 9 are straight.
    EXPECT_EQ(PegaPoligono(C(124, 104, 20), {134, 114}, {{C(100, 100, 20), {114, 104}}}), QPoint(-3, -3));
    EXPECT_EQ(PegaPoligono(C(124, 104, 20), {134, 114}, {{C(100, 100, 20), {107, 101}}}), QPoint(-3, -3));
    EXPECT_EQ(PegaPoligono(C(124, 104, 20), {134, 114}, {{C(100, 100, 20), {114, 105}}}), QPoint(-3, 0));
}

TEST(Pegado, TheNearestTouchWinsThenTheLowestPiece) {
    const Vecina izquierda{C(100, 100, 20), {110, 110}}; // touched at 5
    const Vecina derecha{C(148, 100, 20), {158, 110}};   // touched at 5
    const Vecina abajo{C(124, 123, 20), {134, 133}};     // touched at 4
    EXPECT_EQ(PegaPoligono(C(124, 100, 20), {134, 110}, {izquierda, derecha}), QPoint(-3, 0));
    EXPECT_EQ(PegaPoligono(C(124, 100, 20), {134, 110}, {derecha, izquierda}), QPoint(3, 0));
    EXPECT_EQ(PegaPoligono(C(124, 100, 20), {134, 110}, {izquierda, derecha, abajo}), QPoint(0, 2));
}

TEST(Pegado, ANeighbourWhoseInsidePointIsThePiecesOwnIsPassedOver) {
    // The first neighbour's point coincides with the piece's: no direction to
    // it (any direction taken, up-left, would touch it at 4), and the search
    // goes on with the next.
    const Vecina mismoPunto{C(77, 77, 20), {110, 110}};
    const Vecina abajo{C(100, 124, 20), {110, 134}};
    EXPECT_EQ(PegaPoligono(C(100, 100, 20), {110, 110}, {mismoPunto, abajo}), QPoint(0, 3));
    EXPECT_EQ(PegaPoligono(C(100, 100, 20), {110, 110}, {mismoPunto}), QPoint(0, 0));
}

TEST(Pegado, APullOntoAThirdPieceIsNotMade) {
    // Pulled 5 pixels right against the square at 126, the piece would land on
    // the sliver at columns 121 and 122, which lies above it (so the pull
    // towards the sliver, straight up, never touches it).
    const Vecina derecha{C(126, 100, 20), {136, 110}};
    const Vecina astilla{{{121, 80}, {123, 80}, {123, 103}, {121, 103}}, {122, 60}};
    EXPECT_EQ(PegaPoligono(C(100, 100, 20), {110, 110}, {derecha}), QPoint(5, 0));
    EXPECT_EQ(PegaPoligono(C(100, 100, 20), {110, 110}, {derecha, astilla}), QPoint(0, 0));
}

} // namespace
