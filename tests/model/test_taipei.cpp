// The free-tile rule of the Taipei board.
#include "core/PuzzGbl.h"
#include "model/Taipei.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
