// The sliding board's rules: cells, directions, the movable pieces, the parity
// test, the shuffle by exchanges and the random walk of the shuffle button.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/Barajado.h"
#include "model/DeslizantesReglas.h"
#include "model/Partida.h"
#include "platform/random.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/support/grado.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <utility>
#include <vector>

using namespace imaging_test;

namespace {

constexpr int kLado = 20, kOrigen = 4;

class DeslizantesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        PreparaTablero();
        for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) s->setSize(200, 200);
        PuzzGbl.VelocidadJuego = 100;
    }
    void TearDown() override {
        RegistraEventosBarajado(nullptr);
        Reinicia();
    }
};

int X(int columna) { return kOrigen + columna * kLado; }

// The solved N x N board, hole in the last cell.
void Tablero(int n) {
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.PiezasLado = std::int16_t(n);
    g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = kLado;
    g.OrigenX = g.OrigenY = kOrigen;
    g.AnchoImagen = g.AltoImagen = std::int16_t(n * kLado);
    PonPiezas(n * n - 1);
    for (int i = 1; i < n * n; ++i) {
        auto& p = g.Piezas[std::size_t(i)];
        p.X = p.XDestino = std::int16_t(X((i - 1) % n));
        p.Y = p.YDestino = std::int16_t(X((i - 1) / n));
    }
    g.AgujeroX = g.AgujeroY = std::int16_t(X(n - 1));
}

void Intercambia(int a, int b) {
    auto& g = PuzzGbl;
    std::swap(g.Piezas[std::size_t(a)].X, g.Piezas[std::size_t(b)].X);
    std::swap(g.Piezas[std::size_t(a)].Y, g.Piezas[std::size_t(b)].Y);
}

// Slides the piece into the hole, whatever its place.
void Desliza(int p) {
    auto& g = PuzzGbl;
    auto& pieza = g.Piezas[std::size_t(p)];
    std::swap(pieza.X, g.AgujeroX);
    std::swap(pieza.Y, g.AgujeroY);
}

// Each piece and the hole on a cell of their own.
bool EsPermutacion() {
    const auto& g = PuzzGbl;
    std::set<int> celdas{CasillaEnPunto(g.AgujeroX, g.AgujeroY)};
    for (int i = 1; i <= g.NroPiezas; ++i)
        celdas.insert(CasillaEnPunto(g.Piezas[std::size_t(i)].X, g.Piezas[std::size_t(i)].Y));
    return int(celdas.size()) == g.NroPiezas + 1 && *celdas.begin() == 1 && *celdas.rbegin() == g.NroPiezas + 1;
}

// ------------------------------------------------------------- cells

TEST_F(DeslizantesTest, CellsCountRowByRowFromTheTopLeft) {
    for (int n = 3; n <= 8; ++n) {
        Tablero(n);
        EXPECT_EQ(CasillaEnPunto(std::int16_t(X(0)), std::int16_t(X(0))), 1);
        EXPECT_EQ(CasillaEnPunto(std::int16_t(X(n - 1)), std::int16_t(X(n - 1))), n * n);
        EXPECT_EQ(CasillaEnPunto(std::int16_t(X(2)), std::int16_t(X(1))), n + 3);
        EXPECT_EQ(DistanciaCasillas(std::int16_t(X(0)), std::int16_t(X(2)), std::int16_t(X(2)), std::int16_t(X(1))), 3);
    }
}

TEST_F(DeslizantesTest, DirectionsTowardsTheHole) {
    Tablero(3);
    auto& g = PuzzGbl;
    g.AgujeroX = g.AgujeroY = std::int16_t(X(1)); // the centre; piece 5 goes to the corner
    g.Piezas[5].X = g.Piezas[5].Y = std::int16_t(X(2));
    const struct {
        int pieza, direccion;
    } casos[] = {{2, 3}, {4, 2}, {6, 4}, {8, 1}, {1, 0}, {5, 0}, {9, 0}, {0, 0}};
    for (const auto& c : casos) {
        g.DireccionDeslizar = 7;
        DireccionDeslizamiento(std::int16_t(c.pieza));
        EXPECT_EQ(g.DireccionDeslizar, c.direccion) << c.pieza;
    }
    BuscaPiezasMovibles();
    EXPECT_EQ(g.NumMovibles, 4);
    EXPECT_EQ(g.PiezasMovibles, (std::array<std::int16_t, 5>{0, 2, 4, 6, 8}));
}

TEST_F(DeslizantesTest, MovablePiecesInACornerOnAnEdgeAndInside) {
    Tablero(4);
    auto& g = PuzzGbl;
    BuscaPiezasMovibles();
    EXPECT_EQ(g.NumMovibles, 2);
    EXPECT_EQ(g.PiezasMovibles[1], 12);
    EXPECT_EQ(g.PiezasMovibles[2], 15);
    Desliza(15);
    BuscaPiezasMovibles();
    EXPECT_EQ(g.NumMovibles, 3);
    Desliza(11);
    BuscaPiezasMovibles();
    EXPECT_EQ(g.NumMovibles, 4);
}

// ------------------------------------------------------------- parity

TEST_F(DeslizantesTest, OneExchangeMakesABoardUnsolvableTwoDoNot) {
    for (int n = 3; n <= 8; ++n) {
        SCOPED_TRACE(n);
        Tablero(n);
        EXPECT_TRUE(EsResoluble());
        Intercambia(1, 2);
        EXPECT_FALSE(EsResoluble());
        Intercambia(3, n * n - 1);
        EXPECT_TRUE(EsResoluble());
        // Slides keep the parity, whether the hole changes row or not.
        Tablero(n);
        Desliza(n * n - n); // up: the hole moves one row up
        EXPECT_TRUE(EsResoluble());
        Desliza(n * n - n - 1); // left
        EXPECT_TRUE(EsResoluble());
        Intercambia(1, 2);
        EXPECT_FALSE(EsResoluble());
    }
}

TEST_F(DeslizantesTest, ParityAgreesWithEveryPositionReachableOnThreeByThree) {
    // Every position reachable from the solved board by slides, breadth first.
    auto codigo = [](const std::array<int, 9>& t) {
        int c = 0;
        for (int v : t) c = c * 9 + v;
        return c;
    };
    std::array<int, 9> resuelto{1, 2, 3, 4, 5, 6, 7, 8, 0};
    std::vector<bool> alcanzable(387420489, false); // 9 to the 9th codes
    std::vector<std::array<int, 9>> cola{resuelto};
    alcanzable[std::size_t(codigo(resuelto))] = true;
    for (std::size_t k = 0; k < cola.size(); ++k) {
        const auto t = cola[k];
        const int h = int(std::find(t.begin(), t.end(), 0) - t.begin());
        for (int d : {-3, 3, -1, 1}) {
            const int c = h + d;
            if (c < 0 || c > 8 || ((d == 1 || d == -1) && c / 3 != h / 3)) continue;
            auto u = t;
            std::swap(u[std::size_t(h)], u[std::size_t(c)]);
            if (!alcanzable[std::size_t(codigo(u))]) {
                alcanzable[std::size_t(codigo(u))] = true;
                cola.push_back(u);
            }
        }
    }
    EXPECT_EQ(cola.size(), 181440u);
    Tablero(3);
    auto& g = PuzzGbl;
    std::array<int, 9> t{0, 1, 2, 3, 4, 5, 6, 7, 8};
    int desacuerdos = 0;
    do {
        for (int c = 0; c < 9; ++c) {
            const auto x = std::int16_t(X(c % 3)), y = std::int16_t(X(c / 3));
            if (t[std::size_t(c)] == 0) {
                g.AgujeroX = x;
                g.AgujeroY = y;
            } else {
                g.Piezas[std::size_t(t[std::size_t(c)])].X = x;
                g.Piezas[std::size_t(t[std::size_t(c)])].Y = y;
            }
        }
        if (EsResoluble() != alcanzable[std::size_t(codigo(t))]) ++desacuerdos;
    } while (std::next_permutation(t.begin(), t.end()));
    EXPECT_EQ(desacuerdos, 0);
}

TEST_F(DeslizantesTest, ABoardOffTheGridIsNeverSolvable) {
    const struct {
        const char* caso;
        int pieza, x, y;
    } casos[] = {
        {"two pieces on one cell", 4, X(1), X(1)},
        {"right of the board", 3, X(3), X(0)},
        {"above the board", 2, X(1), X(-1)},
        {"far away", 1, 30000, -30000},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Tablero(3);
        Intercambia(1, 2);
        Intercambia(1, 3); // a solvable board
        ASSERT_TRUE(EsResoluble());
        PuzzGbl.Piezas[std::size_t(c.pieza)].X = std::int16_t(c.x);
        PuzzGbl.Piezas[std::size_t(c.pieza)].Y = std::int16_t(c.y);
        EXPECT_FALSE(EsResoluble());
    }
    Tablero(3);
    PuzzGbl.AgujeroX = std::int16_t(X(0)); // the hole on piece 7's cell
    EXPECT_FALSE(EsResoluble());
}

// ------------------------------------------------------- exchange shuffle

TEST_F(DeslizantesTest, ExchangesEndSolvableWithTheHoleKept) {
    for (int n : {3, 4, 7, 8}) {
        for (std::uint32_t semilla = 1; semilla <= 40; ++semilla) {
            SCOPED_TRACE(testing::Message() << n << " seed " << semilla);
            Tablero(n);
            if (semilla % 2) Intercambia(1, 2); // an unsolvable start too
            plat::randomGenerator().setState(semilla * 7919u);
            PuzzGbl.MovActual = 9;
            testing_support::BorraGrado();
            BarajaDeslizantes();
            EXPECT_TRUE(EsResoluble());
            EXPECT_TRUE(EsPermutacion());
            EXPECT_EQ(PuzzGbl.AgujeroX, X(n - 1));
            EXPECT_EQ(PuzzGbl.AgujeroY, X(n - 1));
            EXPECT_EQ(PuzzGbl.MovActual, 0);
            EXPECT_TRUE(testing_support::GradoDelPuzzle());
        }
    }
}

TEST_F(DeslizantesTest, ABoardWithTwoPiecesOnOneCellIsRebuiltBeforeShuffling) {
    Tablero(3);
    PuzzGbl.Piezas[4].X = PuzzGbl.Piezas[5].X; // pieces 4 and 5 on one cell
    BarajaDeslizantes();
    EXPECT_TRUE(EsPermutacion());
    EXPECT_TRUE(EsResoluble());
}

// ------------------------------------------------------------- the walk

struct Camino {
    std::vector<std::pair<int, int>> huecos; // the hole after each move but the last
    int barajandoVistos = 0;
};

Camino Recorre(std::function<void(int)> entreMovimientos = nullptr) {
    Camino c;
    RegistraEventosBarajado([&c, entreMovimientos] {
        c.huecos.emplace_back(PuzzGbl.AgujeroX, PuzzGbl.AgujeroY);
        // Between moves: the walk is marked, the pointer is the hourglass, the clock stopped.
        if (PuzzGbl.Barajando && PuzzGbl.CaminoDeslizante && mesa.Pic_Trabajo.mousePointer() == 11 &&
            !PuzzGbl.CronometroEnMarcha)
            ++c.barajandoVistos;
        if (entreMovimientos) entreMovimientos(int(c.huecos.size()));
    });
    BarajaPiezas();
    return c;
}

TEST_F(DeslizantesTest, TheWalkMakesExactlyFourMovesPerPieceNeverUndoingOne) {
    for (int n : {3, 4}) {
        for (std::uint32_t semilla = 1; semilla <= 5; ++semilla) {
            SCOPED_TRACE(testing::Message() << n << " seed " << semilla);
            Tablero(n);
            plat::randomGenerator().setState(semilla * 104729u);
            testing_support::BorraGrado();
            const Camino c = Recorre();
            const int movimientos = 4 * (n * n - 1);
            ASSERT_EQ(int(c.huecos.size()), movimientos - 1);
            EXPECT_EQ(c.barajandoVistos, movimientos - 1);
            std::pair<int, int> antes{X(n - 1), X(n - 1)};
            for (std::size_t k = 0; k < c.huecos.size(); ++k) {
                if (k >= 1) {
                    EXPECT_NE(c.huecos[k], k >= 2 ? c.huecos[k - 2] : antes) << "move " << k + 1 << " undoes the last";
                }
            }
            EXPECT_TRUE(EsResoluble());
            EXPECT_TRUE(EsPermutacion());
            EXPECT_FALSE(PuzzGbl.Barajando);
            EXPECT_EQ(mesa.Pic_Trabajo.mousePointer(), 0);
            EXPECT_EQ(PuzzGbl.MovActual, 0);
            EXPECT_TRUE(testing_support::GradoDelPuzzle()) << "the walked board is graded";
        }
    }
}

TEST_F(DeslizantesTest, AnUnsolvableStartEndsSolvable) {
    Tablero(3);
    Intercambia(1, 2);
    plat::randomGenerator().setState(4242);
    Recorre();
    EXPECT_TRUE(EsResoluble());
    EXPECT_TRUE(EsPermutacion());
    EXPECT_FALSE(PuzzGbl.Barajando);
}

TEST_F(DeslizantesTest, PressesDuringTheWalkChangeNothing) {
    Tablero(3);
    plat::randomGenerator().setState(99);
    // The shuffle pressed again between two moves starts no second walk.
    const Camino c = Recorre([](int k) {
        if (k == 5) BarajaPiezas();
    });
    EXPECT_EQ(int(c.huecos.size()), 4 * 8 - 1);
    EXPECT_TRUE(EsResoluble());

    // Should the board lose its parity meanwhile (a tile moved from afar
    // swaps two places), the walk still ends, on a solvable board.
    Tablero(3);
    plat::randomGenerator().setState(99);
    const Camino d = Recorre([](int k) {
        if (k == 3) Intercambia(1, 2);
    });
    EXPECT_LE(int(d.huecos.size()), 4 * 8 - 1);
    EXPECT_TRUE(EsResoluble());
    EXPECT_TRUE(EsPermutacion());
    EXPECT_FALSE(PuzzGbl.Barajando);
}

} // namespace
