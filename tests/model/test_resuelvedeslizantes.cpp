// The sliding solver against a plain, slow search kept here: the same states
// in the same order, on small boards; and the limits of the search.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "model/Deslizantes.h"
#include "model/DeslizantesReglas.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "platform/clock.h"
#include "tests/imaging/imaging_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <unordered_set>
#include <vector>

using namespace imaging_test;

namespace {

constexpr int kLado = 20, kOrigen = 6;

int X(int columna) { return kOrigen + columna * kLado; }

void Tablero(int n) {
    auto& g = PuzzGbl;
    g.TipoJuego = 22;
    g.PiezasLado = std::int16_t(n);
    g.AnchoPieza = g.AltoPieza = kLado;
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

// Puts the pieces on the cells given row by row (0 the hole).
void Coloca(int n, const std::vector<int>& celdas) {
    Tablero(n);
    auto& g = PuzzGbl;
    for (int c = 0; c < n * n; ++c) {
        const auto x = std::int16_t(X(c % n)), y = std::int16_t(X(c / n));
        if (celdas[std::size_t(c)] == 0) {
            g.AgujeroX = x;
            g.AgujeroY = y;
        } else {
            g.Piezas[std::size_t(celdas[std::size_t(c)])].X = x;
            g.Piezas[std::size_t(celdas[std::size_t(c)])].Y = y;
        }
    }
}

// A random solvable arrangement.
void Aleatorio(int n, std::mt19937& rng) {
    std::vector<int> celdas(std::size_t(n * n));
    for (int c = 0; c < n * n; ++c) celdas[std::size_t(c)] = c + 1 == n * n ? 0 : c + 1;
    std::shuffle(celdas.begin(), celdas.end(), rng);
    Coloca(n, celdas);
    if (!EsResoluble()) {
        auto& g = PuzzGbl;
        std::swap(g.Piezas[1].X, g.Piezas[2].X);
        std::swap(g.Piezas[1].Y, g.Piezas[2].Y);
    }
    ASSERT_TRUE(EsResoluble());
}

void Desliza(int p) {
    auto& g = PuzzGbl;
    std::swap(g.Piezas[std::size_t(p)].X, g.AgujeroX);
    std::swap(g.Piezas[std::size_t(p)].Y, g.AgujeroY);
}

bool Resuelto() {
    for (int i = 1; i <= PuzzGbl.NroPiezas; ++i)
        if (!PiezaBienColocada(std::int16_t(i))) return false;
    return true;
}

// The search as plainly as it can be put: whole boards per state, text keys
// compared with every stored key, a linear scan for the open state of lowest
// score (the oldest on a tie), and the board itself moved and put back.
std::vector<int> BusquedaLiteral() {
    auto& g = PuzzGbl;
    struct E {
        std::vector<RegistroPieza> piezas;
        int movida = 0, hx = 0, hy = 0, puntuacion = 0, heuristica = 0, coste = 0;
        QString clave;
        int padre = 0, situacion = 0;
    };
    const auto guardadas = g.Piezas;
    const int gx = g.AgujeroX, gy = g.AgujeroY;
    int objetivo = 0;
    for (int i = 1; i <= g.NroPiezas && objetivo == 0; ++i)
        if (!PiezaBienColocada(std::int16_t(i))) objetivo = i;
    if (objetivo == 0) return {};
    const bool sinCoste = g.PiezasLado >= 5 && g.NroPiezas + 1 - objetivo < 2 * g.PiezasLado;
    auto clave = [&] {
        QString k = QString::asprintf("%02d", int(CasillaEnPunto(g.AgujeroX, g.AgujeroY)));
        for (int i = 1; i <= objetivo; ++i)
            k += QString::asprintf("%02d", int(CasillaEnPunto(g.Piezas[std::size_t(i)].X, g.Piezas[std::size_t(i)].Y)));
        return k;
    };
    std::vector<E> e(2);
    e[1] = {g.Piezas, 0, g.AgujeroX, g.AgujeroY, 0, 0, 0, clave(), 0, 2};
    int cuenta = 1;
    for (;;) {
        int mejor = 0, mejorPuntuacion = INT_MAX;
        for (int i = cuenta; i >= 1; --i)
            if (e[std::size_t(i)].situacion == 2 && e[std::size_t(i)].puntuacion <= mejorPuntuacion) {
                mejor = i;
                mejorPuntuacion = e[std::size_t(i)].puntuacion;
            }
        if (mejor == 0) break;
        auto pon = [&] {
            g.Piezas = e[std::size_t(mejor)].piezas;
            g.AgujeroX = std::int16_t(e[std::size_t(mejor)].hx);
            g.AgujeroY = std::int16_t(e[std::size_t(mejor)].hy);
        };
        pon();
        BuscaPiezasMovibles();
        const auto movibles = g.PiezasMovibles;
        const int num = g.NumMovibles;
        for (int k = 1; k <= num; ++k) {
            const int p = movibles[std::size_t(k)];
            ++cuenta;
            const auto& pz = g.Piezas[std::size_t(p)];
            const auto& t = g.Piezas[std::size_t(objetivo)];
            const int d = sinCoste ? 0 : DistanciaCasillas(pz.X, pz.Y, t.X, t.Y);
            Desliza(p);
            const QString kc = clave();
            bool rechazado = mejor != 1 && p == e[std::size_t(mejor)].movida;
            for (int i = 1; i < cuenta && !rechazado; ++i)
                if (e[std::size_t(i)].clave == kc) rechazado = true;
            if (rechazado) {
                --cuenta;
            } else {
                int h = 0;
                for (int i = 1; i <= objetivo; ++i) {
                    const auto& q = g.Piezas[std::size_t(i)];
                    h += DistanciaCasillas(q.X, q.Y, q.XDestino, q.YDestino);
                }
                const int coste = e[std::size_t(mejor)].coste + d;
                e.push_back({g.Piezas, p, g.AgujeroX, g.AgujeroY, 3 * h + coste, h, coste, kc, mejor, 2});
                if (h == 0) {
                    std::vector<int> camino;
                    for (int i = cuenta; i > 1; i = e[std::size_t(i)].padre) camino.push_back(e[std::size_t(i)].movida);
                    g.Piezas = guardadas;
                    g.AgujeroX = std::int16_t(gx);
                    g.AgujeroY = std::int16_t(gy);
                    return camino;
                }
            }
            pon();
        }
        e[std::size_t(mejor)].situacion = 1;
    }
    g.Piezas = guardadas;
    g.AgujeroX = std::int16_t(gx);
    g.AgujeroY = std::int16_t(gy);
    return {};
}

std::vector<int> Camino() {
    std::vector<int> c;
    for (int i = 1; i <= PuzzGbl.NumPasosSolucion; ++i) c.push_back(PuzzGbl.CaminoSolucion[std::size_t(i)]);
    return c;
}

class ResuelveDeslizantesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
    }
    void TearDown() override {
        RegistraEventosSolucion(nullptr);
        Reinicia();
    }
};

TEST_F(ResuelveDeslizantesTest, RepeatedCallsSolveWithLegalSlidesAndTheSlowSearchsPaths) {
    std::mt19937 rng(2024);
    for (int n : {3, 4}) {
        for (int tablero = 0; tablero < (n == 3 ? 12 : 4); ++tablero) {
            SCOPED_TRACE(testing::Message() << n << " x " << n << " board " << tablero);
            Aleatorio(n, rng);
            for (int llamada = 0; llamada < 40 && !Resuelto(); ++llamada) {
                const auto antes = PuzzGbl.Piezas;
                const int hx = PuzzGbl.AgujeroX, hy = PuzzGbl.AgujeroY;
                const std::vector<int> literal = BusquedaLiteral();
                ResuelveDeslizantes();
                EXPECT_EQ(PuzzGbl.Piezas, antes);
                EXPECT_EQ(PuzzGbl.AgujeroX, hx);
                EXPECT_EQ(PuzzGbl.AgujeroY, hy);
                ASSERT_GT(PuzzGbl.NumPasosSolucion, 0);
                EXPECT_FALSE(PuzzGbl.SinCaminoSolucion);
                ASSERT_EQ(Camino(), literal);
                int objetivo = 1;
                while (PiezaBienColocada(std::int16_t(objetivo))) ++objetivo;
                for (int i = PuzzGbl.NumPasosSolucion; i >= 1; --i) {
                    const int p = PuzzGbl.CaminoSolucion[std::size_t(i)];
                    DireccionDeslizamiento(std::int16_t(p));
                    ASSERT_NE(PuzzGbl.DireccionDeslizar, 0) << "piece " << p << " is not next to the hole";
                    Desliza(p);
                }
                for (int i = 1; i <= objetivo; ++i) EXPECT_TRUE(PiezaBienColocada(std::int16_t(i))) << i;
            }
            EXPECT_TRUE(Resuelto());
        }
    }
}

TEST_F(ResuelveDeslizantesTest, FiveByFiveBoardsTakeTheSlowSearchsPathsWithFreeStepsAtTheEnd) {
    // From row 4 on every step costs 0: the later calls check that switch.
    std::mt19937 rng(515);
    for (int tablero = 0; tablero < 3; ++tablero) {
        SCOPED_TRACE(tablero);
        Aleatorio(5, rng);
        for (int llamada = 0; llamada < 40 && !Resuelto(); ++llamada) {
            const std::vector<int> literal = BusquedaLiteral();
            ResuelveDeslizantes();
            ASSERT_GT(PuzzGbl.NumPasosSolucion, 0);
            ASSERT_EQ(Camino(), literal) << "call " << llamada;
            for (int i = PuzzGbl.NumPasosSolucion; i >= 1; --i) Desliza(PuzzGbl.CaminoSolucion[std::size_t(i)]);
        }
        EXPECT_TRUE(Resuelto());
    }
}

TEST_F(ResuelveDeslizantesTest, OneSlideFromHomeGivesOneStep) {
    Tablero(4);
    Desliza(15);
    ResuelveDeslizantes();
    ASSERT_EQ(PuzzGbl.NumPasosSolucion, 1);
    EXPECT_EQ(PuzzGbl.CaminoSolucion[1], 15);
}

TEST_F(ResuelveDeslizantesTest, ASolvedBoardGivesAnEmptyPathAtOnce) {
    Tablero(3);
    ResuelveDeslizantes();
    EXPECT_EQ(PuzzGbl.NumPasosSolucion, 0);
    EXPECT_FALSE(PuzzGbl.SinCaminoSolucion);
    EXPECT_EQ(UltimaBusqueda().estados, 0);
}

TEST_F(ResuelveDeslizantesTest, AnUnsolvableBoardEndsWithoutAPath) {
    // 4 x 4: the search for the last pieces runs into the bound on states.
    Tablero(4);
    std::swap(PuzzGbl.Piezas[14].X, PuzzGbl.Piezas[15].X);
    ResuelveDeslizantes();
    EXPECT_EQ(PuzzGbl.NumPasosSolucion, 0);
    EXPECT_TRUE(PuzzGbl.SinCaminoSolucion);
    EXPECT_TRUE(UltimaBusqueda().tope);
    EXPECT_EQ(UltimaBusqueda().estados, kMaxEstadosBusqueda);
    // 2 x 2: every state is expanded and none is left open.
    Coloca(2, {1, 3, 2, 0});
    ResuelveDeslizantes();
    EXPECT_EQ(PuzzGbl.NumPasosSolucion, 0);
    EXPECT_TRUE(PuzzGbl.SinCaminoSolucion);
    EXPECT_FALSE(UltimaBusqueda().tope);
    EXPECT_GT(UltimaBusqueda().estados, 1);
}

TEST_F(ResuelveDeslizantesTest, ABoardOffTheGridIsNotSearched) {
    Tablero(3);
    PuzzGbl.Piezas[4].X = PuzzGbl.Piezas[5].X; // two pieces on one cell
    const auto antes = PuzzGbl.Piezas;
    ResuelveDeslizantes();
    EXPECT_EQ(PuzzGbl.NumPasosSolucion, 0);
    EXPECT_TRUE(PuzzGbl.SinCaminoSolucion);
    EXPECT_EQ(PuzzGbl.Piezas, antes);
}

TEST_F(ResuelveDeslizantesTest, EventsDuringTheSearchSeeTheBoardUntouched) {
    Tablero(4);
    std::swap(PuzzGbl.Piezas[14].X, PuzzGbl.Piezas[15].X); // a long search
    const auto antes = PuzzGbl.Piezas;
    const int hx = PuzzGbl.AgujeroX;
    std::int64_t reloj = 0;
    plat::ScopedClockSource fuente([&reloj] { return reloj += 7; });
    int vistas = 0, cambiadas = 0;
    RegistraEventosSolucion([&] {
        ++vistas;
        if (!PuzzGbl.BuscandoSolucion || PuzzGbl.Piezas != antes || PuzzGbl.AgujeroX != hx) ++cambiadas;
        ResuelveDeslizantes(); // a second search asked meanwhile is refused
    });
    ResuelveDeslizantes();
    EXPECT_GT(vistas, 10);
    EXPECT_EQ(cambiadas, 0);
    EXPECT_FALSE(PuzzGbl.BuscandoSolucion);
    EXPECT_EQ(PuzzGbl.Piezas, antes);
}

} // namespace
