// The pentomino boards and solutions we ship, as the build lays them out: each
// board is read by the game's own reader, and every stored solution covers its
// board exactly with the twelve pieces, once each, in orientations the player
// can reach, with no solution stored twice; the classic rectangles hold their
// known totals.
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "model/Pentominos.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

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

} // namespace
