// The pentomino boards and solutions we ship, as the build lays them out: each
// board is read by the game's own reader, and every stored solution covers its
// board exactly with the twelve pieces, once each, in orientations the player
// can reach, with no solution stored twice; the classic rectangles hold their
// known totals. The files hold records of 452 bytes and lines of 76 characters,
// each ended by CR LF; the 6 x 10 solutions are closed under the board's four
// symmetries; and on an 800 x 600 table every board leaves room for the deal's
// columns of pieces.
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "table/mesa.h"
#include "model/Juego.h"
#include "model/Pentominos.h"
#include "platform/files.h"
#include "tests/imaging/imaging_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace {

const QString kArchivo = QStringLiteral(TESELARO_BINARY_DIR "/generated/Archivo/");

// The solutions of a board as one text per solution, to find repeats.
QString Clave(const PEN_RegistroSolucion& s) {
    QString t;
    for (int p = 1; p <= 12; ++p)
        t += QStringLiteral("%1,%2,%3,%4;").arg(s.Fila[p]).arg(s.Columna[p]).arg(s.Giro[p]).arg(s.Volteo[p]);
    return t;
}

TEST(ArchivosPentomino, EveryStoredSolutionCoversItsBoardExactly) {
    ASSERT_TRUE(plat::fileExists(kArchivo, QStringLiteral("ModPen.mlp"))) << "build the target modpen_archivos";
    PuzzGbl.reset();
    InicializaTablas();
    auto& g = PuzzGbl;
    g.RutaArchivo = kArchivo;
    const QStringList registros = plat::readRecords(kArchivo + QStringLiteral("ModPen.mlp"), 452);
    ASSERT_GE(registros.size(), 5);
    const QStringList lineas = plat::readLines(kArchivo + QStringLiteral("SolPen.mlp"));
    std::map<QString, int> totales;
    int leidas = 0;
    for (int nro = 1; nro <= registros.size(); ++nro) {
        const QString nombre = registros[nro - 1].left(25).trimmed();
        SCOPED_TRACE(nombre.toStdString());
        ASSERT_TRUE(PEN_LeeModelo(std::int16_t(nro)));
        EXPECT_EQ(g.PEN_NumSoluciones, registros[nro - 1].mid(29, 4).toInt()); // every line found
        leidas += g.PEN_NumSoluciones;
        totales[nombre] = g.PEN_NumSoluciones;
        int celdas = 0;
        for (int r = 1; r <= 16; ++r)
            for (int c = 1; c <= 22; ++c) {
                celdas += g.PEN_Modelo[r][c];
                if (r > g.FilasTablero || c > g.ColumnasTablero) {
                    EXPECT_FALSE(g.PEN_Modelo[r][c]);
                }
            }
        ASSERT_EQ(celdas, 60);
        std::set<QString> vistas;
        for (int s = 1; s <= g.PEN_NumSoluciones; ++s) {
            const PEN_RegistroSolucion& sol = g.PEN_Soluciones[std::size_t(s)];
            std::array<std::array<int, 23>, 17> cubierta{};
            for (int p = 1; p <= 12; ++p) {
                const PEN_RegistroForma& f = g.PEN_TablaPiezas[std::size_t(p)];
                ASSERT_LT(sol.Giro[p], f.Rotaciones) << "solution " << s << " piece " << p;
                ASSERT_LT(sol.Volteo[p], f.Caras) << "solution " << s << " piece " << p;
                PEN_TransformaPieza(std::int16_t(p), sol.Giro[p], sol.Volteo[p]);
                for (std::size_t k = 1; k <= 5; ++k) {
                    const int r = sol.Fila[p] + g.PEN_PiezaGirada.Y[k], c = sol.Columna[p] + g.PEN_PiezaGirada.X[k];
                    ASSERT_TRUE(r >= 1 && r <= 16 && c >= 1 && c <= 22 && g.PEN_Modelo[r][c])
                        << "solution " << s << " piece " << p << " off the board";
                    ++cubierta[r][c];
                }
            }
            for (int r = 1; r <= 16; ++r)
                for (int c = 1; c <= 22; ++c)
                    ASSERT_EQ(cubierta[r][c], g.PEN_Modelo[r][c] ? 1 : 0) << "solution " << s << " cell " << r << "," << c;
            EXPECT_TRUE(vistas.insert(Clave(sol)).second) << "solution " << s << " is stored twice";
        }
    }
    EXPECT_EQ(leidas, lineas.size()); // no line belongs to no board
    // Every solution, mirror images and turns of another included.
    EXPECT_EQ(totales[QString::fromUtf8("Rectángulo 6 x 10")], 9356);
    EXPECT_EQ(totales[QString::fromUtf8("Rectángulo 5 x 12")], 4040);
    EXPECT_EQ(totales[QString::fromUtf8("Rectángulo 4 x 15")], 1472);
    EXPECT_EQ(totales[QString::fromUtf8("Rectángulo 3 x 20")], 8);
    EXPECT_EQ(totales[QString::fromUtf8("Cuadrado 8 x 8 con hueco")], 520);
}

TEST(ArchivosPentomino, RecordsAndLinesHaveTheirLengthsAndEndInCrLf) {
    const struct {
        const char* archivo;
        int largo; // CR LF included
    } archivos[] = {{"ModPen.mlp", 452}, {"SolPen.mlp", 78}};
    for (const auto& a : archivos) {
        SCOPED_TRACE(a.archivo);
        const QByteArray datos = plat::readFile(kArchivo + QString::fromLatin1(a.archivo));
        ASSERT_GT(datos.size(), 0);
        ASSERT_EQ(datos.size() % a.largo, 0);
        for (qsizetype inicio = 0; inicio < datos.size(); inicio += a.largo) {
            const QByteArray r = datos.mid(inicio, a.largo);
            ASSERT_TRUE(r.endsWith("\r\n")) << "at byte " << inicio;
            ASSERT_FALSE(r.left(a.largo - 2).contains('\r') || r.left(a.largo - 2).contains('\n')) << "at byte " << inicio;
            if (a.largo == 452) {
                for (char c : r.left(a.largo - 2).mid(25)) ASSERT_TRUE(c >= '0' && c <= '9') << "at byte " << inicio;
            }
        }
    }
}

// The cells each piece covers, as one text: equal for equal tilings.
using Teselado = std::vector<std::vector<std::pair<int, int>>>;
Teselado Celdas(const PEN_RegistroSolucion& s) {
    Teselado t(12);
    for (int p = 1; p <= 12; ++p) {
        PEN_TransformaPieza(std::int16_t(p), s.Giro[p], s.Volteo[p]);
        for (std::size_t k = 1; k <= 5; ++k)
            t[std::size_t(p - 1)].emplace_back(s.Fila[p] + PuzzGbl.PEN_PiezaGirada.Y[k],
                                               s.Columna[p] + PuzzGbl.PEN_PiezaGirada.X[k]);
        std::sort(t[std::size_t(p - 1)].begin(), t[std::size_t(p - 1)].end());
    }
    return t;
}

TEST(ArchivosPentomino, TheRectangleSolutionsHoldEveryMirrorAndHalfTurnOfEachOther) {
    PuzzGbl.reset();
    InicializaTablas();
    auto& g = PuzzGbl;
    g.RutaArchivo = kArchivo;
    ASSERT_TRUE(PEN_LeeModelo(1));
    ASSERT_EQ(g.FilasTablero, 6);
    ASSERT_EQ(g.ColumnasTablero, 10);
    std::set<Teselado> todas;
    for (int s = 1; s <= g.PEN_NumSoluciones; ++s) todas.insert(Celdas(g.PEN_Soluciones[std::size_t(s)]));
    ASSERT_EQ(int(todas.size()), g.PEN_NumSoluciones);
    const int filas = g.FilasTablero, columnas = g.ColumnasTablero;
    const struct {
        const char* nombre;
        std::function<std::pair<int, int>(int, int)> mueve;
    } simetrias[] = {
        {"left to right", [&](int f, int c) { return std::pair(f, columnas + 1 - c); }},
        {"top to bottom", [&](int f, int c) { return std::pair(filas + 1 - f, c); }},
        {"half turn", [&](int f, int c) { return std::pair(filas + 1 - f, columnas + 1 - c); }},
    };
    for (const auto& m : simetrias) {
        SCOPED_TRACE(m.nombre);
        int ausentes = 0;
        for (const Teselado& t : todas) {
            Teselado imagen = t;
            for (auto& pieza : imagen) {
                for (auto& [f, c] : pieza) std::tie(f, c) = m.mueve(f, c);
                std::sort(pieza.begin(), pieza.end());
            }
            EXPECT_NE(imagen, t); // no tiling of the rectangle is its own image
            ausentes += todas.count(imagen) == 0;
        }
        EXPECT_EQ(ausentes, 0);
    }
}

// On an 800 x 600 table with the 141-pixel command panel at its right edge,
// the columns the deal stands the pieces in fit beside or below every
// shipped board: each piece inside the table where its column puts it (never
// pushed back in), off the board, clear of the panel and of every other piece.
TEST(ArchivosPentomino, OnASmallTableTheDealLeavesEveryPieceOffTheBoard) {
    const int tableros = int(plat::readRecords(kArchivo + QStringLiteral("ModPen.mlp"), 452).size());
    ASSERT_GE(tableros, 5);
    for (int nro = 1; nro <= tableros; ++nro) {
        SCOPED_TRACE(nro);
        imaging_test::Reinicia();
        InicializaTablas();
        auto& g = PuzzGbl;
        g.RutaArchivo = kArchivo;
        g.TipoJuego = 24;
        g.AnchoMesa = 800;
        g.AltoMesa = 600;
        mesa.Pic_Botonera.move(800 - 141, 0, 141, 431);
        ASSERT_TRUE(PEN_LeeModelo(std::int16_t(nro)));
        PreparaJuego(true);
        ASSERT_EQ(mesa.Pic_Trabajo.width(), 800);
        ASSERT_EQ(mesa.Pic_Trabajo.height(), 600);
        ASSERT_EQ(g.NroPiezas, 12);
        struct Caja {
            int x0, y0, x1, y1; // x1, y1 excluded
            bool corta(const Caja& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
        };
        const Caja tablero{g.OrigenX, g.OrigenY, g.OrigenX + g.AnchoImagen + 1, g.OrigenY + g.AltoImagen + 1};
        const Caja panel{800 - 141, 0, 800, 431};
        std::vector<Caja> cajas;
        for (int p = 1; p <= 12; ++p) {
            SCOPED_TRACE(p);
            const RegistroPieza& r = g.Piezas[std::size_t(p)];
            const Caja c{r.X, r.Y, r.X + AnchoPiezaGirada(std::int16_t(p), 0, 0),
                         r.Y + AltoPiezaGirada(std::int16_t(p), 0, 0)};
            // Where the clamp would have put a piece left outside: at an edge.
            EXPECT_GT(c.x0, 0);
            EXPECT_GE(c.y0, 10);
            EXPECT_LT(c.y1, 600);
            EXPECT_FALSE(c.corta(tablero));
            EXPECT_FALSE(c.corta(panel));
            for (const Caja& o : cajas) EXPECT_FALSE(c.corta(o));
            cajas.push_back(c);
        }
    }
}

} // namespace
