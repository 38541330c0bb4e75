// The jigsaw's piece masks: how the pieces of every shape share the board,
// the straightened sides on the picture's edge, the triangle of each piece
// number, and the masks kept per class of piece.
#include "imaging/GeometriaCorte.h"
#include "imaging/ImagenPieza.h"
#include "imaging/PiezasMoviles.h"
#include "imaging/PreparaMesa.h"
#include "tests/imaging/puzzle_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace puzzle_test;

namespace {

class MascaraPuzzleTest : public ::testing::Test {
protected:
    void SetUp() override {
        Reinicia();
        PonMesa(1280, 1024);
    }
    void TearDown() override { Reinicia(); }
};

// A jigsaw set up for real, every piece at home and unturned.
void Prepara(int forma, int lado, int ancho, int alto) {
    Puzzle(forma, lado, ancho, alto);
    PreparaPiezasMoviles(true);
    for (auto& p : PuzzGbl.Piezas) p.Giro = 0;
}

// Chebyshev distance from (x, y) to the nearest corner of a cell.
double DistanciaEsquina(int x, int y) {
    const auto& g = PuzzGbl;
    const double cx = std::round(double(x) / g.AnchoPieza) * g.AnchoPieza;
    const double cy = std::round(double(y) / g.AltoPieza) * g.AltoPieza;
    return std::max(std::fabs(x + 0.5 - cx), std::fabs(y + 0.5 - cy));
}

// Distance from (x, y) to the middle of the nearest cell side (the knobs'
// place), in lengths of that side.
double DistanciaNudo(int x, int y) {
    const auto& g = PuzzGbl;
    const int w = g.AnchoPieza, h = g.AltoPieza;
    double d = 1e9;
    for (int k = 0; k <= g.PiezasLado; ++k) {
        // Horizontal sides at y = k h, vertical sides at x = k w.
        const double mx = (std::floor(double(x) / w) + 0.5) * w;
        d = std::min(d, std::hypot(x - mx, y - double(k) * h) / w);
        const double my = (std::floor(double(y) / h) + 0.5) * h;
        d = std::min(d, std::hypot(x - double(k) * w, y - my) / h);
    }
    return d;
}

// Whether a pixel of the cut lines (black on white) is at (x, y) or next to it.
bool JuntoACorte(const QImage& cortes, int x, int y) {
    for (int j = std::max(0, y - 1); j <= std::min(cortes.height() - 1, y + 1); ++j)
        for (int i = std::max(0, x - 1); i <= std::min(cortes.width() - 1, x + 1); ++i)
            if ((cortes.pixel(i, j) & 0xFFFFFFu) == 0) return true;
    return false;
}

struct Reparto {
    std::string nombre;
    int lado, ancho, alto;
};

// Pictures of 4 : 3, wide (2.7 : 1), tall, and very wide (3.4 : 1).
const Reparto kRepartos[] = {
    {"cuatroTercios", 4, 320, 240},
    {"ancho", 3, 640, 240},
    {"alto", 3, 240, 400},
    {"muyAncho", 6, 1024, 300},
};

class Teselado : public MascaraPuzzleTest, public ::testing::WithParamInterface<std::tuple<int, Reparto>> {};

// Every board pixel lies in one piece's mask at home, within what each shape
// intends:
// - rectangles and the figures in frames (0, 4 to 7) tile exactly;
// - triangles (3) leave no gap and share pixels only on or next to the cut
//   lines of the diagonals, where both neighbours reach;
// - curved pieces (1) leave no gap; two pieces overlap only near a cell's
//   corner, where the half ellipses end and two of them run a little past it;
// - irregular pieces (2) leave no gap, though their knobs do not fit exactly
//   (sockets are 0.12 of the side wide in radius, tabs 0.115, and the necks
//   differ); they share their side lines where the rasterised tabs did not
//   need the one-pixel seam correction, and overlaps lie on or next to the
//   cut lines, around the middle of a side, or near a corner, and are few.
// No mask reaches beyond the picture's edge.
TEST_P(Teselado, NeighbouringMasksShareTheBoardAsTheShapeIntends) {
    const auto [forma, r] = GetParam();
    Prepara(forma, r.lado, r.ancho, r.alto);
    const auto& g = PuzzGbl;
    const int w = g.AnchoImagen, h = g.AltoImagen;
    int fuera = 0;
    const auto n = Cobertura(fuera);
    EXPECT_EQ(fuera, 0);
    const QImage cortes = Cortes();
    const double esquina = 0.06 * std::max(g.AnchoPieza, g.AltoPieza) + 2;
    int distintos = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int k = n[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            if (k == 1) continue;
            ++distintos;
            const bool enCorte = JuntoACorte(cortes, x, y);
            switch (forma) {
            case 1:
                ASSERT_GE(k, 1) << "gap at " << x << "," << y;
                ASSERT_LE(DistanciaEsquina(x, y), esquina) << x << "," << y;
                break;
            case 2:
                // A board pixel in no piece is a hole the pointer falls through.
                ASSERT_GE(k, 1) << "gap at " << x << "," << y;
                ASSERT_TRUE(enCorte || DistanciaNudo(x, y) <= 0.25 || DistanciaEsquina(x, y) <= esquina)
                    << k << " at " << x << "," << y;
                break;
            case 3:
                ASSERT_EQ(k, 2) << x << "," << y;
                ASSERT_TRUE(enCorte) << x << "," << y;
                break;
            default: FAIL() << k << " masks at " << x << "," << y;
            }
        }
    if (forma == 2) {
        EXPECT_LT(distintos, w * h / 25);
    }
}

INSTANTIATE_TEST_SUITE_P(Formas, Teselado, ::testing::Combine(::testing::Range(0, 8), ::testing::ValuesIn(kRepartos)),
                         [](const auto& info) {
                             return "forma" + std::to_string(std::get<0>(info.param)) + "_" +
                                    std::get<1>(info.param).nombre;
                         });

// Every cell size the triangles allow (odd widths, even heights, 50 to 140
// pixels): the four triangles of a cell cover it whole, and they share only
// pixels on or next to the cell's cut lines, where their outlines run along
// the cut (three meet near the centre, where the diagonals cross). The masks
// alone, drawn as the imaging draws them, one cell at a time.
TEST_F(MascaraPuzzleTest, TheFourTrianglesCoverEveryAllowedCellExactly) {
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.FormaPieza = 3;
    g.PiezasLado = 1;
    g.MargenPiezaX = g.MargenPiezaY = 0;
    plat::Surface& m = mesa.Pic_PiezaMascara;
    m.setBackColor(0xFFFFFF);
    m.setForeColor(0x000000);
    m.setFillColor(0x000000);
    m.setFillStyle(plat::FillStyle::Solid);
    plat::Surface cortes(QStringLiteral("cortes"), 1, 1);
    cortes.setBackColor(0xFFFFFF);
    cortes.setForeColor(0x000000);
    std::vector<std::uint8_t> n;
    int celdas = 0, huecos = 0, fueraDeCorte = 0;
    for (int w = 51; w <= 139; w += 2)
        for (int h = 50; h <= 140; h += 2) {
            g.AnchoPieza = g.AnchoPiezaBase = g.AnchoImagen = std::int16_t(w);
            g.AltoPieza = g.AltoPiezaBase = g.AltoImagen = std::int16_t(h);
            n.assign(std::size_t(w) * std::size_t(h), 0);
            for (int pieza = 4; pieza < 8; ++pieza) {
                m.setSize(w, h);
                m.clearPicture();
                DibujaMascaraPuzzle(std::int16_t(pieza));
                const QImage& img = m.image();
                for (int y = 0; y < h; ++y) {
                    const auto* fila = reinterpret_cast<const QRgb*>(img.constScanLine(y));
                    for (int x = 0; x < w; ++x)
                        if ((fila[x] & 0xFFFFFFu) == 0) ++n[std::size_t(y) * std::size_t(w) + std::size_t(x)];
                }
            }
            cortes.setSize(w, h);
            cortes.clearPicture();
            DibujaCortesPiezas(cortes);
            const QImage& c = cortes.image();
            ++celdas;
            int huecosCelda = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const int k = n[std::size_t(y) * std::size_t(w) + std::size_t(x)];
                    if (k == 0) ++huecosCelda;
                    if (k >= 2 && !JuntoACorte(c, x, y)) ++fueraDeCorte;
                }
            if (huecosCelda != 0 && huecos == 0) ADD_FAILURE() << "first holed cell " << w << "x" << h;
            huecos += huecosCelda;
        }
    EXPECT_EQ(celdas, 45 * 46);
    EXPECT_EQ(huecos, 0);
    EXPECT_EQ(fueraDeCorte, 0);
}

// The smallest cells, few and many per side: every board pixel lies in a
// piece at home, and no mask reaches beyond the board.
TEST_F(MascaraPuzzleTest, SmallCellsAtHomeLeaveNoHole) {
    for (int forma : {1, 2})
        for (int lado : {3, 20}) {
            SCOPED_TRACE(testing::Message() << "shape " << forma << ", " << lado << " per side");
            Prepara(forma, lado, 25 * lado, 25 * lado);
            const auto& g = PuzzGbl;
            ASSERT_EQ(g.AnchoPieza, 25);
            int fuera = 0;
            const auto n = Cobertura(fuera);
            EXPECT_EQ(fuera, 0);
            int huecos = 0;
            for (int y = 0; y < g.AltoImagen; ++y)
                for (int x = 0; x < g.AnchoImagen; ++x) {
                    if (n[std::size_t(y) * std::size_t(g.AnchoImagen) + std::size_t(x)] != 0) continue;
                    ++huecos;
                    ADD_FAILURE() << "hole at " << x << "," << y;
                    if (huecos > 5) return;
                }
        }
}

// The extent a triangle's mask really covers is half its cell: the top and
// bottom ones the upper and lower half, the side ones the left and right.
TEST_F(MascaraPuzzleTest, ATrianglesExtentIsTheHalfOfItsCellOnItsSide) {
    Prepara(3, 5, 640, 480);
    auto& g = PuzzGbl;
    ASSERT_EQ(g.AnchoPieza, 127);
    ASSERT_EQ(g.AltoPieza, 96);
    const struct {
        int pieza, x, y, ancho, alto;
    } casos[] = {
        {4, 100, 200, 127, 48}, // top
        {1, 164, 200, 64, 96},  // right: 63.5 rounds to 64
        {2, 100, 248, 127, 48}, // bottom
        {3, 100, 200, 64, 96},  // left
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pieza);
        auto& p = g.Piezas[std::size_t(c.pieza)];
        p.X = 100;
        p.Y = 200;
        p.Giro = 0;
        CalculaLimitesMascara(std::int16_t(c.pieza));
        EXPECT_EQ(g.MascaraPosX, c.x);
        EXPECT_EQ(g.MascaraPosY, c.y);
        EXPECT_EQ(g.MascaraAncho, c.ancho);
        EXPECT_EQ(g.MascaraAlto, c.alto);
    }
}

// Pieces on the picture's edge: the side there is a straight line along the
// cell, closed and filled, and nothing of the template's margin is kept.
TEST_F(MascaraPuzzleTest, SidesOnThePicturesEdgeAreStraight) {
    for (int forma : {1, 2}) {
        for (const Reparto& r : {kRepartos[0], kRepartos[3]}) {
            SCOPED_TRACE(forma);
            SCOPED_TRACE(r.nombre);
            Prepara(forma, r.lado, r.ancho, r.alto);
            const auto& g = PuzzGbl;
            const int w = g.AnchoPieza, h = g.AltoPieza, mx = g.MargenPiezaX, my = g.MargenPiezaY;
            const plat::Surface& m = mesa.Pic_PiezaMascara;
            int lados = 0;
            for (int i = 1; i <= g.NroPiezas; ++i) {
                const auto& p = g.Piezas[std::size_t(i)];
                GeneraImagenPieza(std::int16_t(i));
                auto recta = [&](int x0, int y0, int dx, int dy, int largo) {
                    for (int k = 0; k < largo; ++k) {
                        ASSERT_EQ(m.point(x0 + k * dx, y0 + k * dy), 0u) << i << " " << k;
                    }
                    ++lados;
                };
                auto vacia = [&](int x0, int y0, int ancho, int alto) {
                    for (int y = y0; y < y0 + alto; ++y)
                        for (int x = x0; x < x0 + ancho; ++x) {
                            ASSERT_EQ(m.point(x, y), 0xFFFFFFu) << i;
                        }
                };
                if (p.XDestino == 0) {
                    recta(mx, my, 0, 1, h);
                    vacia(0, 0, mx, m.scaleHeight());
                }
                if (p.XDestino + w == g.AnchoImagen) {
                    recta(mx + w - 1, my, 0, 1, h);
                    vacia(mx + w, 0, m.scaleWidth() - mx - w, m.scaleHeight());
                }
                if (p.YDestino == 0) {
                    recta(mx, my, 1, 0, w);
                    vacia(0, 0, m.scaleWidth(), my);
                }
                if (p.YDestino + h == g.AltoImagen) {
                    recta(mx, my + h - 1, 1, 0, w);
                    vacia(0, my + h, m.scaleWidth(), m.scaleHeight() - my - h);
                }
            }
            EXPECT_EQ(lados, 4 * r.lado) << "every side on the edge, corners twice";
        }
    }
}

// An inner piece of the curved and irregular shapes is its class's template.
TEST_F(MascaraPuzzleTest, AnInnerPieceIsTheTemplateOfItsChessboardClass) {
    for (int forma : {1, 2}) {
        SCOPED_TRACE(forma);
        Prepara(forma, 4, 320, 240);
        const auto& g = PuzzGbl;
        const int ab = g.AnchoPiezaBase, hb = g.AltoPiezaBase;
        const QImage& t = mesa.Pic_Temporal.image();
        // Cells (1, 1) and (2, 1): one of each class.
        for (int celda : {5, 6}) {
            GeneraImagenPieza(std::int16_t(celda + 1));
            const int clase = (celda % 4 + celda / 4) % 2; // column and row alike: template 1
            EXPECT_EQ(mesa.Pic_PiezaMascara.image(), t.copy(clase * ab, 0, ab, hb)) << celda;
        }
    }
}

TEST_F(MascaraPuzzleTest, TheTriangleFollowsThePieceNumberWhateverItsCell) {
    Prepara(3, 3, 300, 240);
    const auto& g = PuzzGbl;
    const int w = g.AnchoPieza, h = g.AltoPieza;
    const plat::Surface& m = mesa.Pic_PiezaMascara;
    // Inside each side's triangle, near its side: top, right, bottom, left.
    const int dentro[4][2] = {{w / 2, 2}, {w - 3, h / 2}, {w / 2, h - 3}, {2, h / 2}};
    for (int i = 1; i <= g.NroPiezas; ++i) {
        GeneraImagenPieza(std::int16_t(i));
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(m.point(dentro[k][0], dentro[k][1]), k == i % 4 ? 0u : 0xFFFFFFu) << i << " side " << k;
        }
    }
}

// A piece's kept mask is the one its shape draws, in every turn, through a
// change of the cut, of the geometry and of the templates.
TEST_F(MascaraPuzzleTest, AKeptMaskIsTheMaskTheShapeDraws) {
    const struct {
        int forma, lado, ancho, alto;
    } casos[] = {{2, 4, 320, 240}, {2, 5, 320, 240}, {1, 4, 320, 240}, {3, 4, 320, 240},
                 {7, 4, 320, 240}, {6, 4, 400, 240}, {0, 4, 400, 240}, {5, 3, 400, 240}};
    plat::Surface& m = mesa.Pic_PiezaMascara;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.forma);
        Prepara(c.forma, c.lado, c.ancho, c.alto);
        auto& g = PuzzGbl;
        for (int vuelta = 0; vuelta < 2; ++vuelta) {
            for (int i = 1; i <= g.NroPiezas; ++i) {
                // Every turn, in an order that changes between rounds.
                const auto giro = std::int16_t((i + vuelta) % 4);
                g.Piezas[std::size_t(i)].Giro = giro;
                GeneraImagenPieza(std::int16_t(i));
                const QImage guardada = m.image().copy();
                m.setSize(g.AnchoPiezaBase, g.AltoPiezaBase);
                m.clearPicture();
                DibujaMascaraPuzzle(std::int16_t(i));
                GiraImagen(m, giro);
                ASSERT_EQ(guardada, m.image()) << "piece " << i << " turn " << giro << " round " << vuelta;
            }
            // The templates drawn again, as another set-up would.
            DibujaPlantillasPiezas();
        }
    }
}

// The written proportions hold for cells near square; on cells far from square
// the curved and irregular sides are pressed so that opposite sides never
// meet: the templates stay whole pieces, filled in the middle.
TEST_F(MascaraPuzzleTest, OnCellsFarFromSquareTheSidesArePressedAndPiecesStayWhole) {
    const struct {
        int forma, lado, ancho, alto;
        bool prensado;
    } casos[] = {{1, 4, 320, 240, false}, {1, 5, 1000, 400, false}, {1, 3, 1024, 300, true}, {1, 3, 1024, 240, true},
                 {2, 4, 320, 240, false}, {2, 3, 640, 360, false}, {2, 3, 1024, 400, true}, {2, 4, 320, 768, true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.forma << " " << c.ancho << "x" << c.alto);
        Puzzle(c.forma, c.lado, c.ancho, c.alto);
        DibujaPlantillasPiezas();
        const auto& g = PuzzGbl;
        const int ap = g.AnchoPieza, ah = g.AltoPieza;
        if (c.forma == 1) {
            EXPECT_EQ(g.CorteProporcion1 != 0.3f, c.prensado);
            EXPECT_EQ(g.CorteProporcion2, 3.0f);
        } else {
            const bool ancho = ap > ah;
            const int margen = ancho ? g.MargenPiezaY : g.MargenPiezaX;
            EXPECT_EQ(margen != plat::cint(0.205 * (ancho ? ap : ah)), c.prensado);
        }
        // Both templates are filled around their cell's centre.
        const plat::Surface& t = mesa.Pic_Temporal;
        for (int plantilla = 0; plantilla < 2; ++plantilla) {
            const int cx = plantilla * g.AnchoPiezaBase + g.MargenPiezaX + ap / 2;
            const int cy = g.MargenPiezaY + ah / 2;
            for (int d = -1; d <= 1; ++d) {
                EXPECT_EQ(t.point(cx, cy + d), 0u) << plantilla;
            }
        }
    }
}

} // namespace
