// The Taipei tiles and rules: suits and kinds, the free-tile rule, the
// blocking measures, the hint and the solver.
#include "core/PuzzGbl.h"
#include "model/Barajado.h"
#include "model/Taipei.h"
#include "platform/random.h"
#include "tools/modtai/disposiciones.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

// A row of three stacks: tile 1 at (3, c), tile 2 on its left, tile 3 on its
// right, tile 4 on top of tile 1.
struct CasoLibre {
    std::string nombre;
    int columna;
    bool izquierda, derecha, encima; // present and not removed
    bool libre;
};

class FichaLibreCasos : public ::testing::TestWithParam<CasoLibre> {
protected:
    void SetUp() override { PuzzGbl.reset(); }
    void TearDown() override { PuzzGbl.reset(); }
};

TEST_P(FichaLibreCasos, NothingOnItAndASideGone) {
    const CasoLibre& c = GetParam();
    auto& g = PuzzGbl;
    g.NroPiezas = 144;
    g.Piezas.assign(145, RegistroPieza{});
    auto pon = [&](int t, int col, int nivel, bool vivo) {
        if (col < 1 || col > 22) return;
        auto& p = g.Piezas[std::size_t(t)];
        p.Fila = 3, p.Columna = std::int16_t(col), p.Nivel = std::int16_t(nivel);
        p.Estado = vivo ? 1 : 0;
        g.TAI_Tablero[3][std::size_t(col)].Ficha[std::size_t(nivel)] = std::int16_t(t);
    };
    pon(1, c.columna, 1, true);
    pon(2, c.columna - 1, 1, c.izquierda);
    pon(3, c.columna + 1, 1, c.derecha);
    pon(4, c.columna, 2, c.encima);
    EXPECT_EQ(TAI_FichaLibre(1), c.libre);
}

INSTANTIATE_TEST_SUITE_P(
    Board, FichaLibreCasos,
    ::testing::Values(CasoLibre{"bothSides", 5, true, true, false, false},
                      CasoLibre{"leftGone", 5, false, true, false, true},
                      CasoLibre{"rightGone", 5, true, false, false, true},
                      CasoLibre{"coveredTile", 5, false, false, true, false},
                      CasoLibre{"coverRemoved", 5, true, false, false, true},
                      CasoLibre{"firstColumn", 1, true, true, false, true},
                      CasoLibre{"lastColumn", 22, true, true, false, true}),
    [](const auto& info) { return info.param.nombre; });

TEST(FichaLibre, RemovedUnknownOrMisplacedTilesAreNotFree) {
    PuzzGbl.reset();
    auto& g = PuzzGbl;
    g.NroPiezas = 144;
    g.Piezas.assign(145, RegistroPieza{});
    g.Piezas[7] = RegistroPieza{};
    g.Piezas[7].Estado = 0;
    g.Piezas[7].Fila = 1, g.Piezas[7].Columna = 1, g.Piezas[7].Nivel = 1;
    EXPECT_FALSE(TAI_FichaLibre(7));
    for (int t : {0, -1, 145, 300}) EXPECT_FALSE(TAI_FichaLibre(std::int16_t(t))) << t;
    // A tile whose place lies off the board, or on level 6 and above.
    for (auto [f, c, n] : {std::tuple{0, 3, 1}, {17, 3, 1}, {3, 0, 1}, {3, 23, 1}, {3, 3, 6}, {3, 3, 0}}) {
        g.Piezas[8].Estado = 1;
        g.Piezas[8].Fila = std::int16_t(f), g.Piezas[8].Columna = std::int16_t(c), g.Piezas[8].Nivel = std::int16_t(n);
        EXPECT_FALSE(TAI_FichaLibre(8)) << f << "," << c << "," << n;
    }
    PuzzGbl.reset();
}

// ---------------------------------------------------------------- tiles

struct CasoFicha {
    int ficha, palo, valor, clase, copia;
};

TEST(AsignaPalos, SuitValueKindCopyAndIdFollowFromTheNumber) {
    PuzzGbl.reset();
    PuzzGbl.Piezas.assign(145, RegistroPieza{});
    TAI_AsignaPalos();
    const CasoFicha casos[] = {
        {1, 1, 1, 1, 1},     {9, 1, 9, 9, 1},     {10, 1, 1, 1, 2},    {36, 1, 9, 9, 4},   {37, 2, 1, 10, 1},
        {72, 2, 9, 18, 4},   {73, 3, 1, 19, 1},   {108, 3, 9, 27, 4},  {109, 4, 1, 28, 1}, {112, 4, 4, 31, 1},
        {113, 4, 1, 28, 2},  {124, 4, 4, 31, 4},  {125, 5, 1, 32, 1},  {127, 5, 3, 34, 1}, {136, 5, 3, 34, 4},
        {137, 6, 1, 35, 1},  {140, 6, 4, 35, 4},  {141, 7, 1, 36, 1},  {144, 7, 4, 36, 4},
    };
    for (const auto& c : casos) {
        const RegistroPieza& p = PuzzGbl.Piezas[std::size_t(c.ficha)];
        EXPECT_EQ(p.Palo, c.palo) << c.ficha;
        EXPECT_EQ(p.Valor, c.valor) << c.ficha;
        EXPECT_EQ(p.Clase, c.clase) << c.ficha;
        EXPECT_EQ(p.Copia, c.copia) << c.ficha;
        EXPECT_EQ(p.Id, c.clase * 10 + c.copia) << c.ficha;
    }
    // Every kind has its four copies once, and ids are unique.
    std::map<int, std::set<int>> copias;
    std::set<int> ids;
    for (int t = 1; t <= 144; ++t) {
        copias[PuzzGbl.Piezas[std::size_t(t)].Clase].insert(PuzzGbl.Piezas[std::size_t(t)].Copia);
        ids.insert(PuzzGbl.Piezas[std::size_t(t)].Id);
    }
    EXPECT_EQ(copias.size(), 36u);
    for (const auto& [clase, c] : copias) EXPECT_EQ(c, (std::set<int>{1, 2, 3, 4})) << clase;
    EXPECT_EQ(ids.size(), 144u);
    EXPECT_EQ(PuzzGbl.Piezas[0], RegistroPieza{});
    PuzzGbl.reset();
}

TEST(AsignaPalos, TheLookupByIdFindsTheTile) {
    PuzzGbl.reset();
    PuzzGbl.Piezas.assign(145, RegistroPieza{});
    TAI_AsignaPalos();
    EXPECT_EQ(TAI_BuscaFichaPorId(101), 37);
    EXPECT_EQ(TAI_BuscaFichaPorId(364), 144);
    EXPECT_EQ(TAI_BuscaFichaPorId(11), 1);
    for (int id : {0, 10, 15, 365, -11}) EXPECT_EQ(TAI_BuscaFichaPorId(std::int16_t(id)), 0) << id;
    // A piece array of another game: only the tiles it holds.
    PuzzGbl.Piezas.resize(10);
    TAI_AsignaPalos();
    EXPECT_EQ(TAI_BuscaFichaPorId(91), 9);
    EXPECT_EQ(TAI_BuscaFichaPorId(364), 0);
    PuzzGbl.reset();
}

// ---------------------------------------------------------------- a small board

// A board of 144 tiles, every one removed and off the board, with suits;
// Pon lays a tile on the board.
class Tablero : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        auto& g = PuzzGbl;
        g.NroPiezas = 144;
        g.Piezas.assign(145, RegistroPieza{});
        TAI_AsignaPalos();
    }
    void TearDown() override {
        RegistraRelojSolucionTaipei({});
        PuzzGbl.reset();
    }
    static void Pon(int t, int fila, int columna, int nivel) {
        auto& g = PuzzGbl;
        auto& p = g.Piezas[std::size_t(t)];
        p.Fila = std::int16_t(fila), p.Columna = std::int16_t(columna), p.Nivel = std::int16_t(nivel);
        p.Estado = 1;
        auto& celda = g.TAI_Tablero[std::size_t(fila)][std::size_t(columna)];
        celda.Ficha[std::size_t(nivel)] = std::int16_t(t);
        celda.Altura = std::max<std::int16_t>(celda.Altura, std::int16_t(nivel));
    }
    // The tile of kind k, copy c.
    static int F(int k, int c) { return TAI_BuscaFichaPorId(std::int16_t(k * 10 + c)); }
    // Tiles given as kind, copy, row, column, level.
    static void Pon(const std::vector<std::array<int, 5>>& fichas) {
        for (const auto& f : fichas) Pon(F(f[0], f[1]), f[2], f[3], f[4]);
    }
    // A fresh deal of layout d from the generator state given, with the
    // deal's pairs from 72 down taken until `parejas` pairs are left.
    void Reparte(const modtai::Disposicion& d, std::uint32_t estado, int parejas) {
        Tablero::SetUp();
        auto& g = PuzzGbl;
        g.TAI_NroNiveles = std::int16_t(modtai::Niveles(d));
        g.FilasTablero = std::int16_t(modtai::Filas(d));
        g.ColumnasTablero = std::int16_t(modtai::Columnas(d));
        for (int r = 1; r <= g.FilasTablero; ++r)
            for (int c = 1; c <= g.ColumnasTablero; ++c)
                g.TAI_Tablero[r][c].Altura = std::int16_t(d.filas[std::size_t(r - 1)][std::size_t(c - 1)] - '0');
        g.OrdenPiezas.assign(145, 0);
        plat::randomGenerator().setState(estado);
        ASSERT_TRUE(TAI_Reparte());
        for (int n = 72; n > parejas; --n)
            for (int m = 1; m <= 2; ++m)
                g.Piezas[std::size_t(g.TAI_Reparto[std::size_t(n)][std::size_t(m)])].Estado = 0;
    }
};

// Row 2: tiles 1, 2, 3, 4 in columns 1 to 4, and 5 on top of tile 2.
//   above:   A = 0, 1, 0, 0, 0 (tile 5 lies on tile 2)
//   blocking: the cheaper side of each row run, counting the tiles of the
//   run (1 each) and what lies on them.
TEST_F(Tablero, BlockingMeasuresOfARowWithOneTileOnTop) {
    for (int c = 1; c <= 4; ++c) Pon(c, 2, c, 1);
    Pon(5, 2, 2, 2);
    TAI_CalculaBloqueos();
    const auto& g = PuzzGbl;
    const int bloqueo[] = {0, 0, 2, 1, 0, 0};
    for (int t = 1; t <= 5; ++t) EXPECT_EQ(g.TAI_Bloqueo[std::size_t(t)], bloqueo[t]) << "tile " << t;
    // Free: 1 (left edge), 4 (right edge) and 5 (alone on its level). Tile 1
    // looks right over half its run (tiles 2 and 3), tile 4 left (3 and 2);
    // tile 5 weighs what lies under it.
    const int peso[] = {0, 3, 0, 0, 3, 2};
    for (int t = 1; t <= 5; ++t) EXPECT_EQ(g.TAI_PesoBloqueo[std::size_t(t)], peso[t]) << "tile " << t;

    // A removed tile still counts in the measures, but has no weight.
    PuzzGbl.Piezas[5].Estado = 0;
    TAI_CalculaBloqueos();
    for (int t = 1; t <= 5; ++t) EXPECT_EQ(g.TAI_Bloqueo[std::size_t(t)], bloqueo[t]) << "tile " << t;
    EXPECT_EQ(g.TAI_PesoBloqueo[5], 0);
    EXPECT_EQ(g.TAI_PesoBloqueo[1], 3);
    // With tile 1 gone, tile 2 is free and looks right over tile 3.
    PuzzGbl.Piezas[1].Estado = 0;
    TAI_CalculaBloqueos();
    EXPECT_EQ(g.TAI_PesoBloqueo[2], 1);
}

TEST_F(Tablero, TheMeasuresIgnoreWhatIsNotATile) {
    Pon(1, 1, 1, 1);
    PuzzGbl.TAI_Tablero[1][2].Ficha[1] = 300;
    PuzzGbl.TAI_Tablero[1][2].Altura = 9;
    PuzzGbl.TAI_Tablero[1][3].Ficha[1] = -2;
    TAI_CalculaBloqueos();
    EXPECT_EQ(PuzzGbl.TAI_Bloqueo[1], 0);
    EXPECT_EQ(PuzzGbl.TAI_PesoBloqueo[1], 0);
}

struct CasoPareja {
    std::string nombre;
    std::vector<std::array<int, 4>> fichas; // kind, copy, row, column (level 1, or 2 when column is negative)
    int primera, segunda;                   // kind and copy of the two suggested, as kind * 10 + copy
};

class Pareja : public Tablero, public ::testing::WithParamInterface<CasoPareja> {};

TEST_P(Pareja, TheHeaviestFreePairOfOneKind) {
    const CasoPareja& c = GetParam();
    for (const auto& f : c.fichas) Pon(F(f[0], f[1]), f[2], std::abs(f[3]), f[3] < 0 ? 2 : 1);
    TAI_BuscaPareja();
    const auto& s = PuzzGbl.TAI_ParejaSugerida;
    const int a = c.primera ? F(c.primera / 10, c.primera % 10) : 0;
    const int b = c.segunda ? F(c.segunda / 10, c.segunda % 10) : 0;
    EXPECT_EQ(s[1], std::min(a, b));
    EXPECT_EQ(s[2], std::max(a, b));
}

INSTANTIATE_TEST_SUITE_P(
    Hint, Pareja,
    ::testing::Values(
        // The last two tiles, side by side: their weight is 0, and still they are the pair.
        CasoPareja{"lastTwo", {{7, 1, 3, 5}, {7, 3, 3, 6}}, 71, 73},
        // Row 2 as in the blocking test: the left tile and the one on top of
        // kind 4 (weight 3 + 2) win over a pair of kind 2 (3 + 0) found first.
        CasoPareja{"heaviest",
                   {{4, 1, 2, 1}, {3, 1, 2, 2}, {3, 2, 2, 3}, {2, 1, 2, 4}, {4, 2, 2, -2}, {2, 2, 5, 9}},
                   41, 42},
        // Equal weights: the pair whose first tile has the lower number.
        CasoPareja{"firstAmongEquals", {{30, 1, 1, 1}, {30, 2, 9, 1}, {5, 3, 4, 4}, {5, 4, 6, 6}}, 53, 54},
        // Blocked and covered tiles make no pair.
        CasoPareja{"blocked", {{1, 1, 1, 1}, {9, 1, 1, 2}, {2, 1, 1, 3}, {9, 2, 3, 5}, {3, 1, 3, -5}}, 0, 0},
        CasoPareja{"differentKinds", {{1, 1, 1, 1}, {2, 1, 1, 5}, {3, 1, 1, 9}}, 0, 0}),
    [](const auto& info) { return info.param.nombre; });

// ---------------------------------------------------------------- solver

// Kind 1 on the board with two pairs of kinds 5 and 6 (their other copies
// removed), everything else removed: copies 1 and 4 of kind 1 on top of
// stacks of a kind-5 and a kind-6 tile, copy 3 on top of copy 2. The pair
// (1, 4) lies highest, but would leave 3 on 2 to go together: the search
// never tries it and takes (1, 3), then (2, 4), then kinds 6 and 5.
class Solucion : public Tablero {
protected:
    void SetUp() override {
        Tablero::SetUp();
        Pon({{5, 1, 1, 1, 1}, {6, 1, 1, 1, 2}, {1, 1, 1, 1, 3}, {1, 2, 1, 5, 1},
             {1, 3, 1, 5, 2}, {5, 2, 1, 9, 1}, {6, 2, 1, 9, 2}, {1, 4, 1, 9, 3}});
        antes = PuzzGbl.Piezas;
    }
    // The clock: each reading moves it on by paso seconds.
    void Reloj(double paso) {
        ahora = 0;
        RegistraRelojSolucionTaipei([this, paso] { return ahora += paso; });
    }
    std::vector<RegistroPieza> antes;
    double ahora = 0;
};

TEST_F(Solucion, APairingThatLeavesTwoInOneStackIsNeverTried) {
    Reloj(0);
    TAI_BuscaSolucion();
    const auto& g = PuzzGbl;
    ASSERT_TRUE(g.TAI_SolucionHallada);
    const int esperada[][2] = {{F(1, 1), F(1, 3)}, {F(1, 2), F(1, 4)}, {F(6, 1), F(6, 2)}, {F(5, 1), F(5, 2)}};
    for (int d = 1; d <= 4; ++d) {
        EXPECT_EQ(g.TAI_TablaBusqueda[std::size_t(d)][1], esperada[d - 1][0]) << "step " << d;
        EXPECT_EQ(g.TAI_TablaBusqueda[std::size_t(d)][2], esperada[d - 1][1]) << "step " << d;
    }
    EXPECT_EQ(UltimaSolucionTaipei().retrocesos, 0);
    EXPECT_EQ(UltimaSolucionTaipei().parejas, 4);
    EXPECT_EQ(g.Piezas, antes);
}

// A search that steps back is stopped past the limit, at a back-step or at
// the next position it weighs after one; one that never steps back is not.
TEST_F(Solucion, TheLimitStopsOnlyASearchThatStepsBack) {
    // A full deal whose search steps back a few times only and clears it
    // (the first of the layouts and generator states tried).
    bool hallado = false;
    const modtai::Disposicion* disposicion = nullptr;
    std::uint32_t estado = 0;
    for (const auto& d : modtai::Disposiciones()) {
        for (std::uint32_t s = 1; s <= 10 && !hallado; ++s) {
            Reparte(d, s * 2654435761u, 72);
            Reloj(1e-4); // some 30,000 readings at most
            TAI_BuscaSolucion();
            const long long r = UltimaSolucionTaipei().retrocesos;
            hallado = PuzzGbl.TAI_SolucionHallada && r >= 1 && r <= 5;
            disposicion = &d, estado = s * 2654435761u;
        }
        if (hallado) break;
    }
    ASSERT_TRUE(hallado) << "no deal tried steps back a few times";
    // Half a second a reading: the eighth reading is past the limit, and it
    // comes before the search clears the board, whether or not it steps
    // back again.
    Reparte(*disposicion, estado, 72);
    antes = PuzzGbl.Piezas;
    Reloj(0.5);
    TAI_BuscaSolucion();
    EXPECT_FALSE(PuzzGbl.TAI_SolucionHallada);
    EXPECT_TRUE(UltimaSolucionTaipei().agotado);
    EXPECT_DOUBLE_EQ(ahora, 4.0);
    EXPECT_EQ(PuzzGbl.Piezas, antes);
    // A search that never steps back is never stopped: the four copies on
    // cells of their own.
    Tablero::SetUp();
    Pon(F(1, 1), 1, 1, 1);
    Pon(F(1, 4), 1, 5, 1);
    Pon(F(1, 2), 3, 1, 1);
    Pon(F(1, 3), 3, 5, 1);
    Reloj(100);
    TAI_BuscaSolucion();
    EXPECT_TRUE(PuzzGbl.TAI_SolucionHallada);
    EXPECT_EQ(UltimaSolucionTaipei().retrocesos, 0);
}

TEST_F(Solucion, WithoutAPairOrWithoutTilesThereIsNoSolution) {
    Reloj(0);
    // Copy 3 on copy 2 and nothing else left: no pair is free.
    for (int t : {F(1, 1), F(1, 4), F(5, 1), F(5, 2), F(6, 1), F(6, 2)}) PuzzGbl.Piezas[std::size_t(t)].Estado = 0;
    antes = PuzzGbl.Piezas;
    TAI_BuscaSolucion();
    EXPECT_FALSE(PuzzGbl.TAI_SolucionHallada);
    EXPECT_EQ(UltimaSolucionTaipei().retrocesos, 1);
    EXPECT_FALSE(UltimaSolucionTaipei().agotado);
    EXPECT_EQ(PuzzGbl.Piezas, antes);
    // An empty table.
    for (int c : {2, 3}) PuzzGbl.Piezas[std::size_t(F(1, c))].Estado = 0;
    TAI_BuscaSolucion();
    EXPECT_FALSE(PuzzGbl.TAI_SolucionHallada);
    // No Taipei tiles at all.
    PuzzGbl.Piezas.resize(25);
    TAI_BuscaSolucion();
    EXPECT_FALSE(PuzzGbl.TAI_SolucionHallada);
}

// The tutor's pair on the board above: the hint takes (1, 4), which lie
// highest, but that leaves 3 on 2; the tutor's is the first pair of a
// clearing. With kind 1's copies side by side instead, the hint's own pair
// leads to a clearing and stands.
TEST_F(Solucion, TheTutorsPairKeepsTheBoardClearable) {
    Reloj(1e-4);
    TAI_BuscaPareja();
    ASSERT_EQ(PuzzGbl.TAI_ParejaSugerida[1], F(1, 1));
    ASSERT_EQ(PuzzGbl.TAI_ParejaSugerida[2], F(1, 4));
    PuzzGbl.Piezas[std::size_t(F(1, 4))].Estado = 2; // selected by the player
    antes = PuzzGbl.Piezas;
    TAI_SugiereParejaConSalida();
    EXPECT_EQ(PuzzGbl.Piezas, antes);
    EXPECT_EQ(PuzzGbl.TAI_ParejaSugerida[1], F(1, 1));
    EXPECT_EQ(PuzzGbl.TAI_ParejaSugerida[2], F(1, 3));

    Tablero::SetUp();
    Pon({{1, 1, 1, 1, 2}, {5, 1, 1, 1, 1}, {1, 2, 1, 5, 1}, {1, 3, 3, 5, 1}, {1, 4, 1, 9, 2}, {5, 2, 1, 9, 1}});
    TAI_BuscaPareja();
    const auto pista = PuzzGbl.TAI_ParejaSugerida;
    TAI_SugiereParejaConSalida();
    EXPECT_EQ(PuzzGbl.TAI_ParejaSugerida, pista);
    // No free pair: nothing suggested.
    for (int c : {1, 2, 3, 4}) PuzzGbl.Piezas[std::size_t(F(1, c))].Estado = 0;
    PuzzGbl.TAI_Tablero[1][1].Ficha[2] = 0;
    Pon(F(5, 2), 1, 1, 2);
    PuzzGbl.Piezas[std::size_t(F(5, 2))].Estado = 1;
    TAI_SugiereParejaConSalida();
    EXPECT_EQ(PuzzGbl.TAI_ParejaSugerida[1], 0);
    EXPECT_EQ(PuzzGbl.TAI_ParejaSugerida[2], 0);
}

// A pair already removed fixes the kind's pairing: with copies 1 and 2 gone,
// only (3, 4) may follow, and once both pairs are gone the kind is done.
TEST_F(Solucion, PairsAlreadyRemovedFixTheKindsPairing) {
    Reloj(0);
    Pon(F(2, 1), 4, 1, 1);
    Pon(F(2, 2), 4, 3, 1);
    Pon(F(2, 3), 4, 5, 1);
    Pon(F(2, 4), 4, 7, 1);
    for (int c : {1, 2}) PuzzGbl.Piezas[std::size_t(F(2, c))].Estado = 0;
    antes = PuzzGbl.Piezas;
    TAI_BuscaSolucion();
    ASSERT_TRUE(PuzzGbl.TAI_SolucionHallada);
    const auto& t = PuzzGbl.TAI_TablaBusqueda;
    int deLaClase = 0;
    for (int d = 1; d <= 5; ++d)
        if (PuzzGbl.Piezas[std::size_t(t[std::size_t(d)][1])].Clase == 2) {
            ++deLaClase;
            EXPECT_EQ(t[std::size_t(d)][1], F(2, 3));
            EXPECT_EQ(t[std::size_t(d)][2], F(2, 4));
        }
    EXPECT_EQ(deLaClase, 1);
    EXPECT_EQ(t[6][1], 0);
    EXPECT_FALSE(PuzzGbl.TAI_Clases[2].ClaseEnJuego);
    EXPECT_EQ(PuzzGbl.Piezas, antes);
}

// Small positions with known answers, each answered exactly and at once:
// the tiles as kind, copy, row, column, level (the other copies of a kind
// given fewer than four are removed).
struct CasoPosicion {
    std::string nombre;
    std::vector<std::array<int, 5>> fichas;
    bool salida;
};

class Posicion : public Tablero, public ::testing::WithParamInterface<CasoPosicion> {};

TEST_P(Posicion, TheSearchAnswersExactly) {
    const CasoPosicion& c = GetParam();
    std::set<int> clases;
    for (const auto& f : c.fichas) clases.insert(f[0]);
    Pon(c.fichas);
    const auto antes = PuzzGbl.Piezas;
    double ahora = 0;
    RegistraRelojSolucionTaipei([&ahora] { return ahora += 1e-4; });
    TAI_BuscaSolucion();
    EXPECT_EQ(PuzzGbl.Piezas, antes);
    EXPECT_FALSE(UltimaSolucionTaipei().agotado);
    ASSERT_EQ(PuzzGbl.TAI_SolucionHallada, c.salida);
    if (!c.salida) {
        // Seen at once, before any pair is taken.
        EXPECT_EQ(UltimaSolucionTaipei().parejas, 0);
        return;
    }
    // The order found empties the board under the free-tile rule.
    for (std::size_t d = 1; d <= c.fichas.size() / 2; ++d) {
        const std::int16_t a = PuzzGbl.TAI_TablaBusqueda[d][1], b = PuzzGbl.TAI_TablaBusqueda[d][2];
        ASSERT_TRUE(TAI_FichaLibre(a) && TAI_FichaLibre(b)) << "step " << d;
        ASSERT_EQ(PuzzGbl.Piezas[std::size_t(a)].Clase, PuzzGbl.Piezas[std::size_t(b)].Clase);
        PuzzGbl.Piezas[std::size_t(a)].Estado = PuzzGbl.Piezas[std::size_t(b)].Estado = 0;
    }
    for (int t = 1; t <= 144; ++t) EXPECT_EQ(PuzzGbl.Piezas[std::size_t(t)].Estado, 0) << t;
}

INSTANTIATE_TEST_SUITE_P(
    Solver, Posicion,
    ::testing::Values(
        // One order only: kind 2 on kind 1 on kind 3, three times over, in
        // stacks apart; then kind 4 whose copies lie in a row and open from
        // its ends.
        CasoPosicion{"onlyOneOrder",
                     {{3, 1, 1, 1, 1}, {1, 1, 1, 1, 2}, {2, 1, 1, 1, 3},
                      {3, 2, 1, 5, 1}, {1, 2, 1, 5, 2}, {2, 2, 1, 5, 3},
                      {4, 1, 3, 1, 1}, {4, 2, 3, 2, 1}, {4, 3, 3, 3, 1}, {4, 4, 3, 4, 1}},
                     true},
        // Kind 1's last two tiles in one stack.
        CasoPosicion{"lastPairInOneStack", {{1, 1, 2, 2, 1}, {1, 2, 2, 2, 2}, {7, 1, 5, 5, 1}, {7, 2, 5, 9, 1}}, false},
        // Three of kind 1's four tiles in one stack: every way into pairs
        // puts two of them together; the fourth lies free.
        CasoPosicion{"threeOfAKindInOneStack",
                     {{1, 1, 2, 2, 1}, {1, 2, 2, 2, 2}, {1, 3, 2, 2, 3}, {1, 4, 2, 6, 1}},
                     false},
        // Kinds 1 and 2 split across two stacks that block each other: 2 on
        // 1 in one, 1 on 2 in the other; kinds 3 to 6 lie free on their own.
        CasoPosicion{"twoKindsLockedInTwoStacks",
                     {{1, 1, 1, 1, 1}, {2, 1, 1, 1, 2}, {2, 2, 1, 3, 1}, {1, 2, 1, 3, 2},
                      {3, 1, 3, 1, 1}, {3, 2, 3, 3, 1}, {4, 1, 5, 1, 1}, {4, 2, 5, 3, 1}},
                     false},
        // The same two stacks with kind 2's tiles on top in both: 2, then 1.
        CasoPosicion{"twoKindsInTwoStacksInOrder",
                     {{1, 1, 1, 1, 1}, {2, 1, 1, 1, 2}, {1, 2, 1, 3, 1}, {2, 2, 1, 3, 2}},
                     true},
        // Kind 1 at both ends of a row with kind 2 between them, and kind
        // 2's other tile on top of one end: 1 waits for 2, 2 waits for 1.
        CasoPosicion{"aRowLockedByItsOwnEnds",
                     {{1, 1, 2, 1, 1}, {2, 1, 2, 2, 1}, {1, 2, 2, 3, 1}, {2, 2, 2, 1, 2}},
                     false},
        // The same row with kind 2's other tile apart: 1, then 2.
        CasoPosicion{"aRowOpenFromItsEnds",
                     {{1, 1, 2, 1, 1}, {2, 1, 2, 2, 1}, {1, 2, 2, 3, 1}, {2, 2, 5, 7, 1}},
                     true},
        // A row of three on the second level, kind 3 in the middle: kind 1
        // on its left goes with a tile under kind 3, kind 2 on its right with
        // a tile under kind 1, so kind 3 waits for a side that waits for it.
        // Kind 5 lies free on its own.
        CasoPosicion{"aTileLockedBetweenTilesThatWaitForIt",
                     {{2, 2, 1, 1, 1}, {1, 1, 1, 1, 2}, {1, 2, 1, 2, 1}, {3, 1, 1, 2, 2},
                      {4, 1, 1, 3, 1}, {2, 1, 1, 3, 2}, {3, 2, 3, 5, 1}, {4, 2, 3, 8, 1},
                      {5, 1, 5, 1, 1}, {5, 2, 5, 5, 1}},
                     false},
        // Kinds 1 to 3 in stacks on two rows of four: whichever of their
        // pairs went first, a tile of theirs would still lie on it or on both
        // its sides, though each kind alone has a way into pairs; kinds 4
        // and 5 lie free in rows of their own.
        CasoPosicion{"threeKindsThatLockOneAnother",
                     {{1, 1, 1, 1, 1}, {1, 2, 2, 2, 1}, {1, 3, 1, 4, 1}, {1, 4, 2, 4, 1},
                      {2, 1, 1, 3, 1}, {2, 2, 2, 4, 2}, {2, 3, 1, 1, 2}, {2, 4, 1, 3, 2},
                      {3, 1, 1, 3, 3}, {3, 2, 1, 2, 1}, {3, 3, 1, 2, 2}, {3, 4, 1, 1, 3},
                      {4, 1, 5, 1, 1}, {4, 2, 5, 3, 1}, {4, 3, 5, 5, 1}, {4, 4, 5, 7, 1},
                      {5, 1, 7, 1, 1}, {5, 2, 7, 3, 1}, {5, 3, 7, 5, 1}, {5, 4, 7, 7, 1}},
                     false},
        // Three of kind 1 free, the fourth under kind 2, whose other tile
        // lies under one of the three: that one must go before the fourth
        // can, so it may not be the one kept for it.
        CasoPosicion{"threeFreeAndTheOneToKeep",
                     {{1, 1, 1, 1, 1}, {2, 1, 1, 1, 2}, {2, 2, 3, 1, 1}, {1, 2, 3, 1, 2},
                      {1, 3, 5, 1, 1}, {1, 4, 5, 5, 1}},
                     true}),
    [](const auto& info) { return info.param.nombre; });

// Dealt boards of the turtle with the last 36 pairs of the deal taken: the
// sequences found empty the board pair by pair, each pair free and of one
// kind when its turn comes. The clock moves 1 ms a reading: a search steps
// back at most some 3,000 times.
TEST_F(Tablero, SequencesFoundOnDealtBoardsEmptyThem) {
    const auto& d = modtai::Disposiciones()[0];
    auto& g = PuzzGbl;
    double ahora = 0;
    RegistraRelojSolucionTaipei([&ahora] { return ahora += 0.001; });
    int halladas = 0;
    for (std::uint32_t semilla = 1; semilla <= 12; ++semilla) {
        SCOPED_TRACE(semilla);
        Reparte(d, semilla * 40503u, 36);
        const auto antes = g.Piezas;
        TAI_BuscaSolucion();
        ASSERT_EQ(g.Piezas, antes);
        if (!g.TAI_SolucionHallada) {
            EXPECT_TRUE(UltimaSolucionTaipei().agotado);
            continue;
        }
        ++halladas;
        for (int paso = 1; paso <= 36; ++paso) {
            const auto& par = g.TAI_TablaBusqueda[std::size_t(paso)];
            const std::int16_t a = par[1], b = par[2];
            ASSERT_TRUE(TAI_FichaLibre(a) && TAI_FichaLibre(b)) << "step " << paso;
            ASSERT_EQ(g.Piezas[std::size_t(a)].Clase, g.Piezas[std::size_t(b)].Clase);
            g.Piezas[std::size_t(a)].Estado = g.Piezas[std::size_t(b)].Estado = 0;
        }
        for (int t = 1; t <= 144; ++t) ASSERT_EQ(g.Piezas[std::size_t(t)].Estado, 0);
    }
    EXPECT_GE(halladas, 6);
}

// Small random positions (three or four kinds, stacks of up to three in two
// rows of five): the search answers each exactly as a plain search of every
// order of free pairs does, whichever way it weighs the positions (as it
// chooses, or every one without probing, probing one deep or two deep).
class Sorteadas : public Tablero, public testing::WithParamInterface<int> {
protected:
    void TearDown() override {
        FuerzaSondeoTaipei(-1);
        Tablero::TearDown();
    }
    // Whether the tiles on the board can be cleared, trying every free pair
    // (tiles the bits of `quitadas` name are gone).
    bool Despejable(const std::vector<int>& fichas, std::uint32_t quitadas, std::set<std::uint32_t>& vistas) {
        if (quitadas + 1 == (std::uint32_t(1) << fichas.size())) return true;
        if (!vistas.insert(quitadas).second) return false;
        auto& g = PuzzGbl;
        for (std::size_t i = 0; i < fichas.size(); ++i) g.Piezas[std::size_t(fichas[i])].Estado = (quitadas >> i & 1) ? 0 : 1;
        std::vector<std::pair<std::size_t, std::size_t>> pares;
        for (std::size_t i = 0; i < fichas.size(); ++i)
            for (std::size_t j = i + 1; j < fichas.size(); ++j)
                if (!(quitadas >> i & 1) && !(quitadas >> j & 1) &&
                    g.Piezas[std::size_t(fichas[i])].Clase == g.Piezas[std::size_t(fichas[j])].Clase &&
                    TAI_FichaLibre(std::int16_t(fichas[i])) && TAI_FichaLibre(std::int16_t(fichas[j])))
                    pares.emplace_back(i, j);
        for (const auto& [i, j] : pares)
            if (Despejable(fichas, quitadas | (1u << i) | (1u << j), vistas)) return true;
        return false;
    }
};

TEST_P(Sorteadas, TheSearchAnswersAsEveryOrderTriedDoes) {
    auto& g = PuzzGbl;
    FuerzaSondeoTaipei(GetParam());
    std::mt19937 azar(20261211);
    double ahora = 0;
    RegistraRelojSolucionTaipei([&ahora] { return ahora += 1e-4; });
    int conSalida = 0, sinSalida = 0;
    for (int caso = 0; caso < 3000; ++caso) {
        Tablero::SetUp();
        const int clases = 3 + int(azar() % 2);
        std::vector<int> fichas;
        std::array<std::array<int, 6>, 3> altura{};
        for (int k = 1; k <= clases; ++k)
            for (int c = 1; c <= 4; ++c) {
                int r = 0, col = 0;
                do r = 1 + int(azar() % 2), col = 1 + int(azar() % 5);
                while (altura[std::size_t(r)][std::size_t(col)] == 3);
                const int nivel = ++altura[std::size_t(r)][std::size_t(col)];
                Pon(F(k, c), r, col, nivel);
                fichas.push_back(F(k, c));
            }
        const auto antes = g.Piezas;
        std::set<std::uint32_t> vistas;
        const bool esperada = Despejable(fichas, 0, vistas);
        g.Piezas = antes;
        ahora = 0;
        TAI_BuscaSolucion();
        ASSERT_FALSE(UltimaSolucionTaipei().agotado) << "case " << caso;
        ASSERT_EQ(g.TAI_SolucionHallada, esperada) << "case " << caso;
        (esperada ? conSalida : sinSalida) += 1;
    }
    // Both answers are common among these positions.
    EXPECT_GT(conSalida, 300);
    EXPECT_GT(sinSalida, 300);
}

INSTANTIATE_TEST_SUITE_P(Sondeo, Sorteadas, testing::Values(-1, 0, 1, 2), [](const testing::TestParamInfo<int>& i) {
    return i.param < 0 ? std::string("asTheSearchChooses") : "probing" + std::to_string(i.param) + "Deep";
});

// A position with no way out whose dead end lies behind every order of four
// free kinds: kinds 1 and 2 lock each other (each one's last pair has a tile
// under a tile of the other), kinds 3 to 6 lie free on cells of their own.
// The lock is seen at once, with or without the positions that failed
// remembered: the search answers without reaching the limit.
TEST_F(Tablero, APositionWithoutSolutionIsExhaustedBeforeTheLimit) {
    Pon(F(1, 1), 1, 1, 1);
    Pon(F(2, 1), 1, 1, 2);
    Pon(F(2, 2), 1, 3, 1);
    Pon(F(1, 2), 1, 3, 2);
    for (int k = 3; k <= 6; ++k)
        for (int c = 1; c <= 4; ++c) Pon(F(k, c), 2 * k - 3, 2 * c - 1, 1);
    PuzzGbl.Piezas[std::size_t(F(3, 2))].Estado = 2; // a tile the player has selected
    const auto antes = PuzzGbl.Piezas;
    double ahora = 0;
    RegistraRelojSolucionTaipei([&ahora] { return ahora += 1e-5; }); // some 300,000 back-steps
    for (bool recuerda : {true, false}) {
        SCOPED_TRACE(recuerda);
        ahora = 0;
        TAI_BuscaSolucion(recuerda);
        EXPECT_FALSE(PuzzGbl.TAI_SolucionHallada);
        EXPECT_FALSE(UltimaSolucionTaipei().agotado);
        EXPECT_LT(UltimaSolucionTaipei().retrocesos, 10);
        EXPECT_EQ(PuzzGbl.Piezas, antes);
    }
}

// On dealt boards of every carried layout, full and with 20 pairs left, the
// search finds the same sequence with and without the positions that failed,
// and no later; every tile's state is as it was after either.
TEST_F(Tablero, RememberingFailedPositionsFindsTheSameSequence) {
    auto& g = PuzzGbl;
    double ahora = 0;
    RegistraRelojSolucionTaipei([&ahora] { return ahora += 1e-4; }); // some 30,000 back-steps
    int iguales = 0;
    for (const auto& d : modtai::Disposiciones()) {
        for (int quedan : {72, 20}) {
            for (std::uint32_t semilla = 1; semilla <= 2; ++semilla) {
                SCOPED_TRACE(testing::Message() << d.nombre.toStdString() << " pairs " << quedan << " seed " << semilla);
                Reparte(d, semilla * 7919u, quedan);
                const auto antes = g.Piezas;
                ahora = 0;
                TAI_BuscaSolucion(false);
                ASSERT_EQ(g.Piezas, antes);
                const bool hallada = g.TAI_SolucionHallada;
                const auto tabla = g.TAI_TablaBusqueda;
                const auto sin = UltimaSolucionTaipei();
                ahora = 0;
                TAI_BuscaSolucion(true);
                ASSERT_EQ(g.Piezas, antes);
                const auto con = UltimaSolucionTaipei();
                if (hallada) {
                    ASSERT_TRUE(g.TAI_SolucionHallada);
                    EXPECT_EQ(g.TAI_TablaBusqueda, tabla);
                    EXPECT_LE(con.retrocesos, sin.retrocesos);
                    ++iguales;
                } else if (g.TAI_SolucionHallada) {
                    EXPECT_TRUE(sin.agotado) << "found only with the failed positions remembered";
                }
                EXPECT_LT(con.bytesFallidas, std::size_t(64) << 20);
            }
        }
    }
    EXPECT_GT(iguales, 12);
}

} // namespace
