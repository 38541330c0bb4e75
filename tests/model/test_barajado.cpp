// Dealing a new puzzle: the frame round every game, the jigsaw scatter, the
// Tangram and pentomino columns and the Taipei deal.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/Barajado.h"
#include "model/EstadoPuzzle.h"
#include "model/Partida.h"
#include "model/Taipei.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/support/alcance.h"
#include "tests/support/grado.h"

#include "imaging/Dibujo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace imaging_test;

namespace {

constexpr int kAncho = 800, kAlto = 600, kPanel = 141;

class BarajadoTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) s->setSize(kAncho, kAlto);
        mesa.Pic_Botonera.move(kAncho - kPanel, 0, kPanel, 420);
        mesa.Pic_Sugerencia.move(0, 520, 300, 80);
        PuzzGbl.VelocidadJuego = 100;
        RegistraPresentadorMensaje([this](const QString& titulo, const QString&) { mensajes.push_back(titulo); });
    }
    void TearDown() override {
        RegistraPresentadorMensaje(nullptr);
        Reinicia();
    }
    // Reading the puzzle back (a restart, a load) leaves every dealt piece
    // where the deal put it: none is dealt where the reader would move it.
    static void EsperaQueLaLecturaLasDeje(int piezas) {
        const auto repartidas = PuzzGbl.Piezas;
        AcercaPiezasSueltas();
        for (int i = 1; i <= piezas; ++i) {
            const auto& p = PuzzGbl.Piezas[std::size_t(i)];
            const auto& antes = repartidas[std::size_t(i)];
            EXPECT_EQ(std::pair(int(p.X), int(p.Y)), std::pair(int(antes.X), int(antes.Y))) << "piece " << i;
        }
    }
    // A jigsaw of 50-pixel square pieces, a board of 3 x 2 of them, on the
    // whole 800 x 600 table.
    static void TableroDePiezasDe50() {
        auto& g = PuzzGbl;
        g.TipoJuego = 21;
        g.AnchoMesa = kAncho;
        g.AltoMesa = kAlto;
        g.AnchoPieza = g.AltoPieza = 50;
        g.AnchoPiezaBase = g.AltoPiezaBase = 50;
        g.AnchoImagen = 150;
        g.AltoImagen = 100;
    }
    // A work table of 800 x 1000 under a window of 800 x 600 with both
    // scroll bars shown, as a large picture lays it out.
    static void MesaDesplazable() {
        mesa.Pic_Trabajo.setSize(kAncho, 1000);
        mesa.BarraHor.Move(0, 584, 784, 16);
        mesa.BarraHor.setMax(16);
        mesa.BarraHor.setVisible(true);
        mesa.BarraVer.Move(784, 420, 16, 164);
        mesa.BarraVer.setMax(416);
        mesa.BarraVer.setVisible(true);
    }
    std::vector<QString> mensajes;
};

// ------------------------------------------------------------------ jigsaw

struct Forma {
    std::string nombre;
    int ancho, alto, margen;
};

class Dispersion : public BarajadoTest, public ::testing::WithParamInterface<Forma> {};

TEST_P(Dispersion, NoPieceAcrossTheBoardEdgesOrUnderThePanels) {
    const Forma& f = GetParam();
    auto& g = PuzzGbl;
    for (bool sugerencias : {false, true}) {
        for (int semilla = 1; semilla <= 100; ++semilla) {
            SCOPED_TRACE(testing::Message() << "seed " << semilla << " tips " << sugerencias);
            std::vector<RegistroPieza> conGiro;
            for (bool giro : {true, false}) {
                Reinicia();
                SetUp();
                g.TipoJuego = 21;
                g.AnchoMesa = kAncho;
                g.AltoMesa = kAlto;
                g.AnchoPieza = std::int16_t(f.ancho);
                g.AltoPieza = std::int16_t(f.alto);
                g.MargenPiezaX = g.MargenPiezaY = std::int16_t(f.margen);
                g.AnchoPiezaBase = std::int16_t(f.ancho + 2 * f.margen);
                g.AltoPiezaBase = std::int16_t(f.alto + 2 * f.margen);
                g.AnchoImagen = std::int16_t(3 * f.ancho);
                g.AltoImagen = std::int16_t(2 * f.alto);
                g.GiroPermitido = giro;
                g.MostrarSugerencias = sugerencias;
                PonPiezas(6);
                plat::ScopedClockSource reloj{[semilla] { return std::int64_t(semilla) * 7777; }};
                plat::randomGenerator().setState(plat::RandomGenerator::kInitialState);
                const auto pinturas = mesa.pinturasTrabajo();
                BarajaPiezas();
                std::set<int> orden(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end());
                EXPECT_EQ(orden, (std::set<int>{1, 2, 3, 4, 5, 6}));
                for (int i = 1; i <= 6; ++i) {
                    const auto& p = g.Piezas[std::size_t(i)];
                    const int x0 = p.X - f.margen, x1 = p.X + f.ancho + f.margen;
                    const int y0 = p.Y - f.margen, y1 = p.Y + f.alto + f.margen;
                    EXPECT_FALSE(x0 <= g.AnchoImagen && x1 >= g.AnchoImagen) << "piece " << i;
                    EXPECT_FALSE(y0 <= g.AltoImagen && y1 >= g.AltoImagen) << "piece " << i;
                    const double cx = p.X + f.ancho / 2.0, cy = p.Y + f.alto / 2.0;
                    EXPECT_FALSE(cx > kAncho - kPanel && cy < 420) << "under the command panel";
                    if (sugerencias) {
                        EXPECT_FALSE(cx < 300 && cy > 520) << "under the tips panel";
                    }
                    EXPECT_GE(p.X, 1);
                    EXPECT_LE(p.X, kAncho - f.ancho);
                    EXPECT_GE(p.Y, 1);
                    EXPECT_LE(p.Y, kAlto - f.alto);
                    if (!giro) {
                        EXPECT_EQ(p.Giro, 0);
                    }
                    EXPECT_TRUE(p.Giro >= 0 && p.Giro <= 3);
                }
                EsperaQueLaLecturaLasDeje(6);
                if (giro) {
                    conGiro = g.Piezas;
                } else {
                    for (int i = 1; i <= 6; ++i) {
                        EXPECT_EQ(g.Piezas[std::size_t(i)].X, conGiro[std::size_t(i)].X);
                        EXPECT_EQ(g.Piezas[std::size_t(i)].Y, conGiro[std::size_t(i)].Y);
                    }
                }
                EXPECT_FALSE(g.Barajando);
                EXPECT_EQ(mesa.Pic_Trabajo.mousePointer(), 0);
                // The dealt pieces were shown one by one.
                EXPECT_GE(mesa.pinturasTrabajo() - pinturas, 6u);
                EXPECT_EQ(g.MovActual, 0);
                EXPECT_TRUE(g.CronometroEnMarcha);
            }
        }
    }
}

TEST_F(BarajadoTest, NoPieceCentreFallsUnderTheRecorderOrTheShownPreview) {
    // A 200 x 150 preview, placed above the recorder panel at the lower right.
    auto& g = PuzzGbl;
    for (int semilla = 1; semilla <= 100; ++semilla) {
        SCOPED_TRACE(semilla);
        Reinicia();
        SetUp();
        TableroDePiezasDe50();
        g.MuestraVisible = true;
        mesa.Pic_Grabadora.move(kAncho - 200, kAlto - 100, 200, 100);
        mesa.Pic_Grabadora.setVisible(true);
        mesa.Pic_Muestra.move(0, 0, 200, 150);
        PonPiezas(9);
        plat::ScopedClockSource reloj{[semilla] { return std::int64_t(semilla) * 7777; }};
        plat::randomGenerator().setState(plat::RandomGenerator::kInitialState);
        BarajaPiezas();
        const auto muestra = LugarMuestra();
        ASSERT_TRUE(muestra);
        ASSERT_EQ(std::pair(int(muestra->x), int(muestra->y)), std::pair(kAncho - kPanel - 200, kAlto - 100 - 150));
        for (int i = 1; i <= 9; ++i) {
            const auto& p = g.Piezas[std::size_t(i)];
            const double cx = p.X + 25.0, cy = p.Y + 25.0;
            EXPECT_FALSE(cx > kAncho - 200 && cy > kAlto - 100) << "piece " << i << " under the recorder";
            EXPECT_FALSE(cx > muestra->x && cx < muestra->x + 200 && cy > muestra->y && cy < muestra->y + 150)
                << "piece " << i << " under the preview";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, Dispersion,
                         ::testing::Values(Forma{"square", 60, 60, 0}, Forma{"tabbed", 50, 40, 12},
                                           Forma{"narrow", 24, 70, 6}),
                         [](const auto& info) { return info.param.nombre; });

TEST_F(BarajadoTest, OnAScrollingTableThePiecesSpreadWithinReachAndNoCentreFallsUnderTheTipsPanel) {
    auto& g = PuzzGbl;
    for (int desplazamiento : {0, 200}) {
        // Pieces dealt where the table at this scroll does not show them.
        int fueraDeLaVista = 0;
        for (int semilla = 1; semilla <= 40; ++semilla) {
            SCOPED_TRACE(testing::Message() << "scroll " << desplazamiento << " seed " << semilla);
            Reinicia();
            SetUp();
            // A work table of 800 x 1000 under a window of 800 x 600 with both
            // scroll bars shown, as a large picture lays it out, scrolled
            // down; the tips panel placed as it places itself.
            MesaDesplazable();
            g.MostrarSugerencias = true;
            mesa.BarraVer.setValue(desplazamiento);
            std::int16_t nro = 2;
            MuestraSugerencia(nro);
            const int izq = mesa.Pic_Sugerencia.left(), arriba = mesa.Pic_Sugerencia.top();
            ASSERT_EQ(arriba, 584 - 64 + desplazamiento);
            TableroDePiezasDe50();
            PonPiezas(20);
            plat::ScopedClockSource reloj{[semilla] { return std::int64_t(semilla) * 7919; }};
            BarajaPiezas();
            for (int i = 1; i <= 20; ++i) {
                const auto& p = g.Piezas[std::size_t(i)];
                const double cx = p.X + 25.0, cy = p.Y + 25.0;
                EXPECT_FALSE(cx > izq && cx < izq + 423 && cy > arriba) << "piece " << i << " at " << p.X << "," << p.Y;
                // Anywhere on the work table the bars can bring into sight
                // clear of the command panel, and only there.
                EXPECT_TRUE(testing_support::AlAlcanceDeLasBarras(p.X, p.Y, 50, 50))
                    << "piece " << i << " out of reach at " << p.X << "," << p.Y;
                if (p.Y < desplazamiento || p.Y + 50 > desplazamiento + 584) ++fueraDeLaVista;
            }
            EsperaQueLaLecturaLasDeje(20);
        }
        EXPECT_GT(fueraDeLaVista, 0) << "the deal kept to the part of the table in sight";
    }
}

TEST_F(BarajadoTest, OnAScrollingTableNoPieceCentreFallsWhereTheRecorderHidesTheTableAtEveryScroll) {
    auto& g = PuzzGbl;
    for (int semilla = 1; semilla <= 40; ++semilla) {
        SCOPED_TRACE(semilla);
        Reinicia();
        SetUp();
        // A work table of 800 x 1000 under a window of 800 x 600 with both
        // bars shown, and the recorder panel at the window's lower right
        // above them: scrolled to the end of both bars it covers the work
        // table from (634, 903) to its corner, and no scroll shows that part.
        MesaDesplazable();
        mesa.Pic_Grabadora.move(784 - 166, 584 - 97, 166, 97);
        mesa.Pic_Grabadora.setVisible(true);
        TableroDePiezasDe50();
        PonPiezas(20);
        plat::ScopedClockSource reloj{[semilla] { return std::int64_t(semilla) * 7919; }};
        BarajaPiezas();
        for (int i = 1; i <= 20; ++i) {
            const auto& p = g.Piezas[std::size_t(i)];
            const double cx = p.X + 25.0, cy = p.Y + 25.0;
            EXPECT_FALSE(cx > 634 && cy > 903) << "piece " << i << " at " << p.X << "," << p.Y;
            // Nor under the panel where the table is scrolled now.
            EXPECT_FALSE(cx > 618 && cx < 784 && cy > 487 && cy < 584) << "piece " << i << " at " << p.X << "," << p.Y;
        }
        EsperaQueLaLecturaLasDeje(20);
    }
}

// ----------------------------------------------------- Tangram, pentominoes

TEST_F(BarajadoTest, TangramPiecesStandInOneColumnLeftOfThePanel) {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.OrigenY = 20;
    PonPiezas(7);
    g.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
    g.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
    g.TAN_LadoPiezas = {0, 177, 177, 125, 89, 89, 89, 63};
    for (int i = 1; i <= 7; ++i) {
        g.Piezas[std::size_t(i)].Giro = 2;
        g.Piezas[std::size_t(i)].Volteo = 1;
    }
    g.OrdenPiezas = {0, 7, 6, 5, 4, 3, 2, 1};
    BarajaPiezas();
    std::vector<std::pair<int, int>> lugares;
    for (int i = 1; i <= 7; ++i) {
        lugares.emplace_back(g.Piezas[std::size_t(i)].X, g.Piezas[std::size_t(i)].Y);
        EXPECT_EQ(g.Piezas[std::size_t(i)].Giro, 0);
        EXPECT_EQ(g.Piezas[std::size_t(i)].Volteo, 0);
    }
    EXPECT_EQ(lugares, (std::vector<std::pair<int, int>>{
                           // Upright, the triangles lie on their long side: 177 x 89, 125 x 63, 89 x 45.
                           {462, 20}, {462, 129}, {514, 238}, {550, 321}, {550, 386}, {576, 451}, {507, 534}}));
    EXPECT_EQ(g.OrdenPiezas, (std::vector<std::int16_t>{0, 1, 2, 3, 4, 5, 6, 7}));
}

class PentominosTest : public BarajadoTest {
protected:
    // The twelve boxes (columns by rows of cells) of F I L N P T U V W X Y Z.
    void Piezas() {
        auto& g = PuzzGbl;
        g.TipoJuego = 24;
        g.LadoCelda = 20;
        g.OrigenX = g.OrigenY = 20;
        PonPiezas(12);
        const int cajas[13][2] = {{0, 0}, {3, 3}, {1, 5}, {2, 4}, {2, 4}, {2, 3}, {3, 3},
                                  {3, 2}, {3, 3}, {3, 3}, {3, 3}, {2, 4}, {3, 3}};
        for (int i = 1; i <= 12; ++i) {
            g.PEN_TablaPiezas[std::size_t(i)].Ancho = std::int16_t(cajas[i][0]);
            g.PEN_TablaPiezas[std::size_t(i)].Alto = std::int16_t(cajas[i][1]);
        }
    }
    std::vector<std::pair<int, int>> Lugares() const {
        std::vector<std::pair<int, int>> l;
        for (int i = 1; i <= 12; ++i) l.emplace_back(PuzzGbl.Piezas[std::size_t(i)].X, PuzzGbl.Piezas[std::size_t(i)].Y);
        return l;
    }
};

TEST_F(PentominosTest, ColumnsFillFromThePanelLeftwards) {
    Piezas();
    PuzzGbl.AnchoImagen = 240;
    PuzzGbl.AltoImagen = 100;
    BarajaPiezas();
    EXPECT_EQ(Lugares(), (std::vector<std::pair<int, int>>{{584, 10}, {584, 86}, {584, 202}, {584, 298},
                                                           {584, 394}, {584, 470}, {584, 546}, {509, 10},
                                                           {509, 86}, {509, 162}, {509, 238}, {509, 334}}));
}

TEST_F(PentominosTest, ABoardTooWideSendsEveryColumnBelowIt) {
    Piezas();
    PuzzGbl.AnchoImagen = 600;
    PuzzGbl.AltoImagen = 60;
    BarajaPiezas();
    EXPECT_EQ(Lugares(), (std::vector<std::pair<int, int>>{{584, 95}, {584, 171}, {584, 287}, {584, 383},
                                                           {584, 479}, {509, 95}, {509, 171}, {509, 227},
                                                           {509, 303}, {509, 379}, {509, 455}, {434, 95}}));
}

TEST_F(PentominosTest, ATallWideBoardKeepsEveryPieceOnTheTable) {
    Piezas();
    PuzzGbl.AnchoImagen = 600;
    PuzzGbl.AltoImagen = 560;
    BarajaPiezas();
    for (int i = 1; i <= 12; ++i) {
        const auto& p = PuzzGbl.Piezas[std::size_t(i)];
        const auto& f = PuzzGbl.PEN_TablaPiezas[std::size_t(i)];
        SCOPED_TRACE(i);
        EXPECT_GE(p.X, 0);
        EXPECT_GE(p.Y, 0);
        EXPECT_LE(p.X + f.Ancho * 20 + 1, kAncho);
        EXPECT_LE(p.Y + f.Alto * 20 + 1, kAlto);
    }
}

// ------------------------------------------------------------------ Taipei

// Stack heights by row, one digit per column.
using Disposicion = std::vector<std::string>;

void PonTaipei(const Disposicion& d, int niveles = 5) {
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    g.TAI_NroNiveles = std::int16_t(niveles);
    g.AnchoPieza = 46;
    g.AltoPieza = 62;
    g.OrigenX = 10;
    g.OrigenY = 12;
    g.FilasTablero = std::int16_t(d.size());
    g.ColumnasTablero = std::int16_t(d.empty() ? 0 : d[0].size());
    g.TAI_Tablero = {};
    for (std::size_t f = 0; f < d.size(); ++f)
        for (std::size_t c = 0; c < d[f].size(); ++c)
            g.TAI_Tablero[f + 1][c + 1].Altura = std::int16_t(d[f][c] - '0');
    PonPiezas(144);
    for (int t = 1; t <= 144; ++t) g.Piezas[std::size_t(t)].Id = std::int16_t(((t - 1) / 4 + 1) * 10 + (t - 1) % 4 + 1);
}

const std::map<std::string, Disposicion>& Disposiciones() {
    static const std::map<std::string, Disposicion> d = {
        {"flat", Disposicion(12, std::string(12, '1'))},
        {"pyramid", {"1111111111", "1222222221", "1223333221", "1223333221", "1223333221", "1223333221",
                     "1222222221", "1111111111"}},
        {"towers", Disposicion(6, "444444")},
        {"twoRows", {"444444444444444444", "444444444444444444"}},
    };
    return d;
}

int Suma(const Disposicion& d) {
    int s = 0;
    for (const auto& fila : d)
        for (char c : fila) s += c - '0';
    return s;
}

// The pairs in TAI_Reparto can be taken from the last to the first.
void CompruebaRetirada() {
    auto& g = PuzzGbl;
    for (int n = 72; n >= 1; --n) {
        const std::int16_t a = g.TAI_Reparto[std::size_t(n)][1], b = g.TAI_Reparto[std::size_t(n)][2];
        ASSERT_TRUE(TAI_FichaLibre(a)) << "pair " << n;
        ASSERT_TRUE(TAI_FichaLibre(b)) << "pair " << n;
        g.Piezas[std::size_t(a)].Estado = g.Piezas[std::size_t(b)].Estado = 0;
    }
}

void CompruebaReparto() {
    auto& g = PuzzGbl;
    std::map<int, int> parejasPorClase;
    std::set<int> fichas;
    for (int n = 1; n <= 72; ++n) {
        const int a = g.TAI_Reparto[std::size_t(n)][1], b = g.TAI_Reparto[std::size_t(n)][2];
        ASSERT_TRUE(a >= 1 && a <= 144 && b >= 1 && b <= 144);
        EXPECT_EQ(g.Piezas[std::size_t(a)].Id / 10, g.Piezas[std::size_t(b)].Id / 10);
        EXPECT_NE(a, b);
        ++parejasPorClase[g.Piezas[std::size_t(a)].Id / 10];
        fichas.insert(a);
        fichas.insert(b);
    }
    EXPECT_EQ(fichas.size(), 144u);
    for (const auto& [clase, n] : parejasPorClase) EXPECT_EQ(n, 2) << "kind " << clase;
    for (int t = 1; t <= 144; ++t) {
        const auto& p = g.Piezas[std::size_t(t)];
        ASSERT_EQ(p.Estado, 1);
        ASSERT_EQ(g.TAI_Tablero[std::size_t(p.Fila)][std::size_t(p.Columna)].Ficha[std::size_t(p.Nivel)], t);
        EXPECT_EQ(p.X, (p.Columna - 1) * 46 + 10 + (g.TAI_NroNiveles - p.Nivel) * 6);
        EXPECT_EQ(p.Y, (p.Fila - 1) * 62 + 12 + (g.TAI_NroNiveles - p.Nivel) * 6);
        EXPECT_EQ(g.OrdenPiezas[std::size_t(t)], t);
    }
}

TEST_F(BarajadoTest, TaipeiDealsCanAlwaysBeCleared) {
    for (const auto& [nombre, d] : Disposiciones()) {
        ASSERT_EQ(Suma(d), 144) << nombre;
        for (std::uint32_t semilla = 1; semilla <= 200; ++semilla) {
            SCOPED_TRACE(testing::Message() << nombre << " seed " << semilla);
            PonTaipei(d);
            plat::randomGenerator().setState(semilla * 2654435761u);
            ASSERT_TRUE(TAI_Reparte());
            ASSERT_FALSE(UltimoReparto().porOrden);
            CompruebaReparto();
            CompruebaRetirada();
            if (HasFatalFailure()) return;
        }
    }
    EXPECT_TRUE(mensajes.empty());
}

TEST_F(BarajadoTest, ATaipeiLayoutThatCannotHoldTheTilesIsRefused) {
    Disposicion corta = Disposicion(12, std::string(12, '1'));
    corta[11][11] = '0'; // 143 slots
    Disposicion alta = Disposicion(12, std::string(12, '1'));
    alta[0][0] = '3', alta[0][1] = '0', alta[0][2] = '0'; // 144, one stack above the level count
    const struct {
        const char* nombre;
        Disposicion d;
        int niveles;
    } casos[] = {{"143 slots", corta, 5}, {"too high", alta, 2}, {"six levels", Disposicion(12, std::string(12, '1')), 6}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        mensajes.clear();
        PonTaipei(c.d, c.niveles);
        EXPECT_FALSE(TAI_Reparte());
        EXPECT_EQ(mensajes.size(), 1u);
        for (int t = 1; t <= 144; ++t) ASSERT_EQ(PuzzGbl.Piezas[std::size_t(t)].Estado, 0);
    }
    // Through the whole deal: refused, and the frame still ends.
    PonTaipei(corta);
    BarajaPiezas();
    EXPECT_FALSE(PuzzGbl.Barajando);
    EXPECT_EQ(PuzzGbl.MovActual, 0);
}

TEST_F(BarajadoTest, ALayoutForcingRestartsEnds) {
    // Two long rows: the last pairs often find no place, and the attempt starts again.
    int reinicios = 0;
    for (std::uint32_t semilla = 1; semilla <= 10; ++semilla) {
        SCOPED_TRACE(semilla);
        PonTaipei(Disposiciones().at("twoRows"));
        plat::randomGenerator().setState(semilla * 99991u);
        ASSERT_TRUE(TAI_Reparte());
        reinicios += UltimoReparto().reinicios;
        EXPECT_FALSE(UltimoReparto().porOrden);
        CompruebaReparto();
        CompruebaRetirada();
    }
    EXPECT_GT(reinicios, 0);
}

// When the random deal gives up, the deal is built from an order in which
// the places come off two at a time: it still clears from pair 72 to pair 1,
// and nothing is said.
TEST_F(BarajadoTest, WhenTheRandomDealGivesUpTheDealIsBuiltFromARemovalOrder) {
    int porOrden = 0;
    for (std::uint32_t semilla = 1; semilla <= 20; ++semilla) {
        SCOPED_TRACE(semilla);
        mensajes.clear();
        PonTaipei(Disposiciones().at("twoRows"));
        plat::randomGenerator().setState(semilla * 99991u);
        ASSERT_TRUE(TAI_Reparte(1));
        EXPECT_TRUE(mensajes.empty());
        CompruebaReparto();
        CompruebaRetirada();
        if (UltimoReparto().porOrden) ++porOrden;
    }
    EXPECT_GT(porOrden, 0);
}

TEST_F(BarajadoTest, TheDealFromARemovalOrderClearsOnEveryLayout) {
    for (const auto& [nombre, d] : Disposiciones()) {
        for (std::uint32_t semilla = 1; semilla <= 20; ++semilla) {
            SCOPED_TRACE(testing::Message() << nombre << " seed " << semilla);
            PonTaipei(d);
            plat::randomGenerator().setState(semilla * 2654435761u);
            ASSERT_TRUE(TAI_ReparteDesdeOrden());
            EXPECT_TRUE(UltimoReparto().porOrden);
            CompruebaReparto();
            CompruebaRetirada();
            if (HasFatalFailure()) return;
        }
    }
    EXPECT_TRUE(mensajes.empty());
}

TEST_F(BarajadoTest, TheDealFromARemovalOrderRefusesALayoutThatCannotHoldTheTiles) {
    Disposicion corta = Disposicion(12, std::string(12, '1'));
    corta[0][0] = '0';
    PonTaipei(corta);
    EXPECT_FALSE(TAI_ReparteDesdeOrden());
    EXPECT_EQ(mensajes.size(), 1u);
    for (int t = 1; t <= 144; ++t) ASSERT_EQ(PuzzGbl.Piezas[std::size_t(t)].Estado, 0);
}

TEST_F(BarajadoTest, AJigsawTableTooSmallForTheRulesStillGetsItsPieces) {
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.AnchoPieza = g.AltoPieza = 60;
    g.AnchoImagen = g.AltoImagen = 30; // every place lies across the board's edges
    mesa.Pic_Trabajo.setSize(50, 50);
    PonPiezas(2);
    BarajaPiezas();
    EXPECT_FALSE(g.Barajando);
    EXPECT_EQ(g.MovActual, 0);
}

TEST_F(BarajadoTest, TheTaipeiFrameRedrawsTileByTile) {
    PreparaLaminas();
    PonTaipei(Disposiciones().at("flat"));
    testing_support::BorraGrado();
    const auto pinturas = mesa.pinturasTrabajo();
    BarajaPiezas();
    EXPECT_GE(mesa.pinturasTrabajo() - pinturas, std::uint64_t(PuzzGbl.NroPiezas));
    EXPECT_TRUE(testing_support::GradoDelPuzzle());
    CompruebaReparto();
}

} // namespace
