// The pentomino game: the shapes in their eight orientations, the piece
// sizes, the board and solution reader, the homes from a stored solution, the
// table set-up for a new and a loaded puzzle, and the first start of the game.
#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/EstadoPuzzle.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Pentominos.h"
#include "platform/files.h"
#include "platform/random.h"
#include "tests/imaging/imaging_fixtures.h"
#include "tests/model/pentomino_fixtures.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

namespace {

namespace pp = pentominos_prueba;

class PentominosTest : public ::testing::Test {
protected:
    void SetUp() override {
        imaging_test::Reinicia();
        InicializaTablas();
        PuzzGbl.RutaArchivo = carpeta.path() + "Archivo/";
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        InstalaServiciosEstadoPuzzle({});
        imaging_test::Reinicia();
    }
    QString archivo() const { return carpeta.path() + "Archivo/"; }
    // The state format installed, every message's text kept in textos and
    // accepted.
    static void RecogeTextos(QStringList& textos) {
        RegistraPresentadorMensaje([&textos](const QString&, const QString& texto) {
            textos << texto;
            PuzzGbl.RespuestaMensaje = true;
        });
        InstalaEstadoPuzzle();
    }

    // The game on an 800 x 600 table with its command panel at the right
    // edge: cells of 31 from (15, 15).
    static void Mesa() {
        auto& g = PuzzGbl;
        g.TipoJuego = 24;
        g.AnchoMesa = 800;
        g.AltoMesa = 600;
        mesa.Pic_Botonera.move(800 - 141, 0, 141, 431);
        g.ColorFondo = 0x800000;
        g.ColorPieza = 0x8000;
        g.ColorLineas = 0xFFFFFF;
    }
    static constexpr int kLado = 31, kOrigen = 15;

    testing_support::ScratchDir carpeta;
};

// The cells of PEN_PiezaGirada, sorted.
std::vector<std::pair<int, int>> Celdas() {
    const auto& t = PuzzGbl.PEN_PiezaGirada;
    std::vector<std::pair<int, int>> c;
    for (std::size_t k = 1; k <= 5; ++k) c.emplace_back(t.X[k], t.Y[k]);
    std::sort(c.begin(), c.end());
    return c;
}

// PEN_PiezaGirada drawn in its box: '#' a cell, '.' none.
QStringList Dibujo() {
    const auto& t = PuzzGbl.PEN_PiezaGirada;
    QStringList filas(t.Alto, QString(t.Alto > 0 ? t.Ancho : 0, u'.'));
    for (std::size_t k = 1; k <= 5; ++k)
        if (t.Y[k] >= 0 && t.Y[k] < t.Alto && t.X[k] >= 0 && t.X[k] < t.Ancho) filas[t.Y[k]][t.X[k]] = u'#';
    return filas;
}

// ------------------------------------------------------------------ shapes

TEST_F(PentominosTest, EachShapeHasItsDistinctOrientationsAndThePlayerReachesEachOnce) {
    const struct {
        int pieza;
        const char* letra;
        std::size_t distintas;
    } casos[] = {{1, "F", 8}, {2, "I", 2},  {3, "L", 8}, {4, "N", 8},  {5, "P", 8},  {6, "T", 4},
                 {7, "U", 4}, {8, "V", 4},  {9, "W", 4}, {10, "X", 1}, {11, "Y", 8}, {12, "Z", 4}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.letra);
        const PEN_RegistroForma& f = PuzzGbl.PEN_TablaPiezas[std::size_t(c.pieza)];
        EXPECT_EQ(f.Letra, QString::fromLatin1(c.letra));
        std::set<std::vector<std::pair<int, int>>> todas, alcanzables;
        for (int volteo = 0; volteo <= 1; ++volteo)
            for (int giro = 0; giro <= 3; ++giro) {
                PEN_TransformaPieza(std::int16_t(c.pieza), std::int16_t(giro), std::int16_t(volteo));
                const auto celdas = Celdas();
                const auto& t = PuzzGbl.PEN_PiezaGirada;
                // Five cells filling a box that starts at (0, 0), turned with the piece.
                EXPECT_EQ(std::set(celdas.begin(), celdas.end()).size(), 5u);
                int maxX = 0, maxY = 0, minX = 9, minY = 9;
                for (auto [x, y] : celdas) {
                    maxX = std::max(maxX, x), maxY = std::max(maxY, y);
                    minX = std::min(minX, x), minY = std::min(minY, y);
                }
                EXPECT_EQ(minX, 0);
                EXPECT_EQ(minY, 0);
                EXPECT_EQ(t.Ancho, maxX + 1);
                EXPECT_EQ(t.Alto, maxY + 1);
                EXPECT_EQ(t.Ancho, giro % 2 == 0 ? f.Ancho : f.Alto);
                todas.insert(celdas);
                if (giro < f.Rotaciones && volteo < f.Caras) {
                    EXPECT_TRUE(alcanzables.insert(celdas).second) << "giro " << giro << " volteo " << volteo;
                }
            }
        EXPECT_EQ(todas.size(), c.distintas);
        EXPECT_EQ(alcanzables, todas);
    }
}

TEST_F(PentominosTest, TurnsAreClockwiseAndTheFlipMirrorsTheTurnedShape) {
    const struct {
        int pieza, giro, volteo;
        QStringList dibujo;
    } casos[] = {
        {1, 0, 0, {".##", "##.", ".#."}}, // F as stored
        {1, 1, 0, {".#.", "###", "..#"}}, // a quarter turn clockwise
        {1, 2, 0, {".#.", ".##", "##."}},
        {1, 0, 1, {"##.", ".##", ".#."}}, // mirrored left to right
        {1, 1, 1, {"..#", "###", ".#."}}, // turned, then mirrored top to bottom
        {2, 1, 0, {"#####"}},
        {3, 1, 0, {"####", "#..."}},
        {3, 3, 1, {"####", "...#"}},
        {1, 5, 0, {".#.", "###", "..#"}}, // five quarter turns are one
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.pieza << " " << c.giro << " " << c.volteo);
        PEN_TransformaPieza(std::int16_t(c.pieza), std::int16_t(c.giro), std::int16_t(c.volteo));
        EXPECT_EQ(Dibujo(), c.dibujo);
    }
    // F turned once, cell by cell as the shape lists them.
    PEN_TransformaPieza(1, 1, 0);
    const auto& t = PuzzGbl.PEN_PiezaGirada;
    EXPECT_EQ((std::vector<int>{t.X[1], t.Y[1], t.X[2], t.Y[2], t.X[3], t.Y[3], t.X[4], t.Y[4], t.X[5], t.Y[5]}),
              (std::vector<int>{1, 0, 2, 1, 1, 1, 0, 1, 2, 2}));
    // A piece number outside 1..12 leaves the last shape.
    for (std::int16_t fuera : {0, 13, -1}) {
        PEN_TransformaPieza(fuera, 0, 0);
        EXPECT_EQ(Dibujo(), QStringList({".#.", "###", "..#"}));
    }
}

TEST_F(PentominosTest, APiecesPictureIsItsBoxOfCellsAndOnePixel) {
    const struct {
        int pieza, giro, lado, ancho, alto;
    } casos[] = {
        {2, 1, 20, 101, 21}, {2, 0, 20, 21, 101}, {3, 0, 10, 21, 41}, {3, 3, 10, 41, 21},
        {10, 2, 31, 94, 94}, {7, 1, 31, 63, 94},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.pieza << " " << c.giro);
        PuzzGbl.LadoCelda = std::int16_t(c.lado);
        PEN_TamanoPieza(std::int16_t(c.pieza), std::int16_t(c.giro));
        EXPECT_EQ(PuzzGbl.AnchoPiezaBase, c.ancho);
        EXPECT_EQ(PuzzGbl.AltoPiezaBase, c.alto);
    }
    // The table asks through the per-game box, which leaves the size behind.
    PuzzGbl.TipoJuego = 24;
    PuzzGbl.NroPiezas = 12;
    PuzzGbl.Piezas.assign(13, RegistroPieza{});
    PuzzGbl.LadoCelda = 20;
    EXPECT_EQ(AnchoPiezaGirada(2, 1, 0), 101);
    EXPECT_EQ(AltoPiezaGirada(2, 1, 1), 21);
    for (std::int16_t fuera : {0, 13}) {
        PEN_TamanoPieza(fuera, 0);
        EXPECT_EQ(PuzzGbl.AnchoPiezaBase, 101); // left as it was
    }
}

// ------------------------------------------------------------------ reader

TEST_F(PentominosTest, ABoardIsReadWithItsSolutionsInFileOrder) {
    // Model 3's lines mixed with model 1's; model 1 has one line more than
    // its count.
    pp::Escribe(archivo(),
                {pp::Registro("Rectángulo 6 x 10", 6, 10, 2, pp::Rectangulo(6, 10)), pp::RegistroVacio(),
                 pp::Registro("Otro 6 x 10", 6, 10, 3, pp::Rectangulo(6, 10))},
                {pp::Linea(3, pp::Inventada(7)), pp::Linea(1, pp::Inventada(1)), pp::Linea(3, pp::Inventada(5)),
                 pp::Linea(1, pp::Inventada(2)), pp::Linea(3, pp::Inventada(6)), pp::Linea(1, pp::Inventada(3))});
    auto& g = PuzzGbl;
    ASSERT_TRUE(PEN_LeeModelo(1));
    EXPECT_EQ(g.FilasTablero, 6);
    EXPECT_EQ(g.ColumnasTablero, 10);
    EXPECT_EQ(g.PEN_NumSoluciones, 2);
    ASSERT_EQ(g.PEN_Soluciones.size(), 3u);
    EXPECT_EQ(g.PEN_Soluciones[1], pp::Inventada(1));
    EXPECT_EQ(g.PEN_Soluciones[2], pp::Inventada(2));
    int celdas = 0;
    for (int r = 1; r <= 16; ++r)
        for (int c = 1; c <= 22; ++c) {
            celdas += g.PEN_Modelo[r][c];
            EXPECT_EQ(g.PEN_Modelo[r][c], r <= 6 && c <= 10) << r << "," << c;
        }
    EXPECT_EQ(celdas, 60);

    ASSERT_TRUE(PEN_LeeModelo(3));
    EXPECT_EQ(g.PEN_NumSoluciones, 3);
    ASSERT_EQ(g.PEN_Soluciones.size(), 4u);
    EXPECT_EQ(g.PEN_Soluciones[1], pp::Inventada(7));
    EXPECT_EQ(g.PEN_Soluciones[2], pp::Inventada(5));
    EXPECT_EQ(g.PEN_Soluciones[3], pp::Inventada(6));
}

// What is in force when a board is refused: compared field by field.
struct EnVigor {
    std::int16_t filas, columnas, numSoluciones, actual;
    std::array<std::array<bool, 23>, 17> modelo;
    std::vector<PEN_RegistroSolucion> soluciones;
    bool operator==(const EnVigor&) const = default;
};
EnVigor TableroEnVigor() {
    const auto& g = PuzzGbl;
    return {g.FilasTablero, g.ColumnasTablero, g.PEN_NumSoluciones, g.PEN_SolucionActual, g.PEN_Modelo,
            g.PEN_Soluciones};
}

TEST_F(PentominosTest, WhatCannotBeReadIsRefusedWithItsReasonAndTheBoardInForceStays) {
    pp::Escribe(archivo(), {pp::Registro("Rectángulo 6 x 10", 6, 10, 2, pp::Rectangulo(6, 10)), pp::RegistroVacio()},
                {pp::Linea(1, pp::Inventada(1)), pp::Linea(1, pp::Inventada(2)), pp::Linea(2, pp::Inventada(3))});
    const struct {
        const char* nombre;
        std::int16_t nro;
        std::function<void(const QString&)> estropea;
        const char* motivo;
    } casos[] = {
        {"an empty slot", 2, [](const QString&) {}, "el archivo ModPen.mlp no contiene el modelo número 2"},
        {"a number past the end", 3, [](const QString&) {}, "el archivo ModPen.mlp no contiene el modelo número 3"},
        {"model 0", 0, [](const QString&) {}, "no contiene el modelo número 0"},
        {"no board file", 1, [](const QString& a) { QFile::remove(a + "ModPen.mlp"); },
         "el archivo ModPen.mlp no se encuentra"},
        {"no solutions file", 1, [](const QString& a) { QFile::remove(a + "SolPen.mlp"); },
         "el archivo SolPen.mlp no se encuentra"},
    };
    auto& g = PuzzGbl;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        pp::Escribe(archivo(), {pp::Registro("Rectángulo 6 x 10", 6, 10, 2, pp::Rectangulo(6, 10)), pp::RegistroVacio()},
                    {pp::Linea(1, pp::Inventada(1)), pp::Linea(1, pp::Inventada(2)), pp::Linea(2, pp::Inventada(3))});
        ASSERT_TRUE(PEN_LeeModelo(1)); // a board in force first
        g.PEN_SolucionActual = 2;
        const EnVigor antes = TableroEnVigor();
        c.estropea(archivo());
        QString motivo;
        EXPECT_FALSE(PEN_LeeModelo(c.nro, &motivo));
        EXPECT_TRUE(motivo.contains(QString::fromUtf8(c.motivo))) << motivo.toStdString();
        EXPECT_EQ(PEN_AnalizaModelo(c.nro).motivo, motivo);
        EXPECT_TRUE(TableroEnVigor() == antes);
    }
}

TEST_F(PentominosTest, ADamagedBoardRecordIsRefused) {
    const QStringList rect = pp::Rectangulo(6, 10);
    QString celdaMala = pp::Registro("Mala", 6, 10, 1, rect);
    celdaMala[33 + 22 * 3 + 4] = u'x';
    QStringList fila7 = rect, columna11 = rect, cincuentaYNueve = rect;
    fila7 << "..#";            // a cell at row 7 of a 6 x 10
    columna11[2] += "#";       // one at column 11
    cincuentaYNueve[5][9] = u'.';
    const struct {
        const char* nombre;
        QString registro;
    } casos[] = {
        {"a cell at row 7", pp::Registro("Mala", 6, 10, 1, fila7)},
        {"a cell at column 11", pp::Registro("Mala", 6, 10, 1, columna11)},
        {"59 cells", pp::Registro("Mala", 6, 10, 1, cincuentaYNueve)},
        {"a line of 451 characters", pp::Registro("Mala", 6, 10, 1, rect).left(449) + "\r\n"},
        {"rows not a number", pp::Registro("Mala", "6x", "10", "0001", rect)},
        {"blank columns", pp::Registro("Mala", "06", "  ", "0001", rect)},
        {"count not a number", pp::Registro("Mala", "06", "10", "00-1", rect)},
        {"no rows", pp::Registro("Mala", "00", "10", "0001", rect)},
        {"17 rows", pp::Registro("Mala", "17", "10", "0001", rect)},
        {"23 columns", pp::Registro("Mala", "06", "23", "0001", rect)},
        {"a cell that is no digit", celdaMala},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        // Board 2 is in force; board 1 is the damaged one.
        pp::Escribe(archivo(), {c.registro, pp::Registro("Buena", 6, 10, 1, rect)},
                    {pp::Linea(1, pp::Inventada(1)), pp::Linea(2, pp::Inventada(4))});
        ASSERT_TRUE(PEN_LeeModelo(2));
        PuzzGbl.PEN_SolucionActual = 1;
        const EnVigor antes = TableroEnVigor();
        QString motivo;
        EXPECT_FALSE(PEN_LeeModelo(1, &motivo));
        EXPECT_TRUE(motivo.startsWith(QString::fromUtf8("el modelo número 1 del archivo ModPen.mlp está dañado: ")))
            << motivo.toStdString();
        EXPECT_TRUE(TableroEnVigor() == antes);
    }
    // Blanks around a number are only padding.
    pp::Escribe(archivo(), {pp::Registro("Buena", " 6", "10", "  1 ", rect)}, {pp::Linea(1, pp::Inventada(1))});
    EXPECT_TRUE(PEN_LeeModelo(1));
    EXPECT_EQ(PuzzGbl.FilasTablero, 6);
}

TEST_F(PentominosTest, SolutionLinesTheTableCannotMatchAreLeftOutAndTheCountFollowsTheLinesFound) {
    auto cambia = [](QString l, int columna, const QString& texto) { return l.replace(columna - 1, texto.size(), texto); };
    const QString buena = pp::Linea(1, pp::Inventada(1));
    const PEN_RegistroSolucion s = pp::Inventada(1);
    const auto campo = [](int p) { return 6 * p - 3; }; // first column of piece p
    const QStringList lineas = {
        buena,
        cambia(buena, campo(5), "1x"),                        // a row that is no number
        cambia(buena, campo(10) + 4, "2"),                    // X at rotation 2: it has one
        cambia(buena, campo(2) + 5, "1"),                     // I with flip 1: it has one face
        cambia(buena, campo(3) + 4, "4"),                     // a rotation of 4
        cambia(buena, campo(4) + 5, "2"),                     // a flip of 2
        cambia(buena, campo(1), QString("%1").arg(s.Fila[1] + 3, 2, 10, QChar('0'))), // cells below row 6
        cambia(buena, campo(6) + 2, "23"),                    // column 23
        cambia(buena, campo(1), "00"),                        // row 0
        cambia(buena, campo(3) + 4, QString::number((s.Giro[3] + 1) % 4)), // L turned: the cover breaks
        buena.left(60),                                       // cut short
        cambia(buena, 1, "01").left(74),                      // without the two unread columns
        pp::Linea(1, pp::Inventada(2)),
    };
    pp::Escribe(archivo(), {pp::Registro("Rectángulo 6 x 10", 6, 10, 12, pp::Rectangulo(6, 10))}, lineas);
    auto& g = PuzzGbl;
    EXPECT_TRUE(PEN_LeeModelo(1));
    ASSERT_EQ(g.PEN_NumSoluciones, 3);
    ASSERT_EQ(g.PEN_Soluciones.size(), 4u);
    EXPECT_EQ(g.PEN_Soluciones[1], pp::Inventada(1));
    EXPECT_EQ(g.PEN_Soluciones[2], pp::Inventada(1));
    EXPECT_EQ(g.PEN_Soluciones[3], pp::Inventada(2));

    // Only lines the table cannot match: the board itself is refused.
    pp::Escribe(archivo(), {pp::Registro("Rectángulo 6 x 10", 6, 10, 3, pp::Rectangulo(6, 10))},
                {lineas[2], lineas[3], lineas[9]});
    const EnVigor antes = TableroEnVigor();
    QString motivo;
    EXPECT_FALSE(PEN_LeeModelo(1, &motivo));
    EXPECT_EQ(motivo, QString::fromUtf8("el archivo SolPen.mlp no contiene ninguna solución válida del modelo número 1"));
    EXPECT_TRUE(TableroEnVigor() == antes);
}

TEST_F(PentominosTest, ABoardWithoutStoredSolutionsCannotBePlayed) {
    auto& g = PuzzGbl;
    pp::Escribe(archivo(), {pp::Registro("Sin soluciones", 6, 10, 0, pp::Rectangulo(6, 10))},
                {pp::Linea(1, pp::Inventada(1))});
    EXPECT_FALSE(PEN_LeeModelo(1));
    EXPECT_EQ(g.FilasTablero, 0); // nothing of it is put in force
    EXPECT_EQ(g.PEN_NumSoluciones, 0);
    EXPECT_FALSE(PEN_HayTablero());

    pp::Escribe(archivo(), {pp::Registro("Sin archivo", 6, 10, 3, pp::Rectangulo(6, 10))}, {});
    QFile::remove(archivo() + "SolPen.mlp");
    EXPECT_FALSE(PEN_LeeModelo(1));
    EXPECT_EQ(g.PEN_NumSoluciones, 0);
    EXPECT_EQ(g.PEN_Soluciones.size(), 1u);
}

TEST_F(PentominosTest, BoardsKeepTheirNumbersWhateverTheLineEndsAndADamagedLineBeforeThem) {
    // LF-only board lines, board 2 cut short; the solutions with bare LF and
    // the file's name in another spelling.
    QString tableros;
    for (const QString& r : {pp::Registro("Uno", 6, 10, 1, pp::Rectangulo(6, 10)),
                             pp::Registro("Corto", 6, 10, 1, pp::Rectangulo(6, 10)).left(300) + "\r\n",
                             pp::Registro("Tres", 6, 10, 2, pp::Rectangulo(6, 10))})
        tableros += r.chopped(2) + "\n";
    QDir().mkpath(archivo());
    plat::writeFile(archivo() + "ModPen.mlp", plat::toCp1252(tableros));
    QFile::remove(archivo() + "SolPen.mlp");
    plat::writeFile(archivo() + "solpen.MLP",
                    plat::toCp1252(pp::Linea(1, pp::Inventada(3)) + "\n" + pp::Linea(3, pp::Inventada(4)) + "\n" +
                                   pp::Linea(3, pp::Inventada(5))));
    auto& g = PuzzGbl;
    ASSERT_TRUE(PEN_LeeModelo(3));
    EXPECT_EQ(g.FilasTablero, 6);
    EXPECT_EQ(g.ColumnasTablero, 10);
    ASSERT_EQ(g.PEN_NumSoluciones, 2);
    EXPECT_EQ(g.PEN_Soluciones[1], pp::Inventada(4));
    EXPECT_EQ(g.PEN_Soluciones[2], pp::Inventada(5));
    QString motivo;
    EXPECT_FALSE(PEN_LeeModelo(2, &motivo));
    EXPECT_TRUE(motivo.contains(QString::fromUtf8("está dañado"))) << motivo.toStdString();
    ASSERT_TRUE(PEN_LeeModelo(1));
    EXPECT_EQ(g.PEN_Soluciones[1], pp::Inventada(3));
}

// ------------------------------------------------------------------ homes

TEST_F(PentominosTest, TheHomesFollowTheCurrentSolution) {
    auto& g = PuzzGbl;
    g.LadoCelda = 20;
    g.OrigenX = 10;
    g.OrigenY = 12;
    g.NroPiezas = 12;
    g.Piezas.assign(13, RegistroPieza{});
    g.PEN_NumSoluciones = 2;
    g.PEN_Soluciones = {PEN_RegistroSolucion{}, pp::Inventada(1), pp::Inventada(2)};
    g.PEN_SolucionActual = 2;
    PEN_FijaSolucion();
    const PEN_RegistroSolucion s = pp::Inventada(2);
    for (int p = 1; p <= 12; ++p) {
        SCOPED_TRACE(p);
        const RegistroPieza& pz = g.Piezas[std::size_t(p)];
        EXPECT_EQ(pz.XDestino, 10 + (s.Columna[p] - 1) * 20);
        EXPECT_EQ(pz.YDestino, 12 + (s.Fila[p] - 1) * 20);
        EXPECT_EQ(pz.GiroDestino, s.Giro[p]);
        EXPECT_EQ(pz.VolteoDestino, s.Volteo[p]);
        EXPECT_EQ(pz.X, 0); // where the piece is stays
    }
    // No such solution, or fewer pieces than twelve: nothing beyond them changes.
    const auto antes = g.Piezas;
    for (std::int16_t fuera : {0, 3, -2}) {
        g.PEN_SolucionActual = fuera;
        PEN_FijaSolucion();
        EXPECT_EQ(g.Piezas, antes);
    }
    g.Piezas.assign(4, RegistroPieza{});
    g.PEN_SolucionActual = 1;
    PEN_FijaSolucion();
    EXPECT_EQ(g.Piezas[3].XDestino, 10 + (pp::Inventada(1).Columna[3] - 1) * 20);
}

// ------------------------------------------------------------------ set-up

TEST_F(PentominosTest, ANewPuzzleDrawsTheBoardTakesAStoredSolutionAtRandomAndDealsThePieces) {
    pp::EscribeRectangulo(archivo(), 2);
    auto& g = PuzzGbl;
    std::set<int> elegidas;
    for (std::uint32_t semilla : {1u, 77u, 4242u, 90001u, 123456u, 777777u, 3141592u, 16000000u}) {
        SCOPED_TRACE(semilla);
        imaging_test::Reinicia();
        InicializaTablas();
        g.RutaArchivo = archivo();
        Mesa();
        g.MovActual = g.UltimoMovGrabado = 5;
        g.Piezas.assign(26, RegistroPieza{}); // the pieces of another game
        ASSERT_TRUE(PEN_LeeModelo(1));
        plat::randomGenerator().setState(semilla);
        const auto pinturas = mesa.pinturasTrabajo();
        PreparaJuego(true);

        ASSERT_EQ(g.LadoCelda, kLado);
        ASSERT_EQ(g.OrigenX, kOrigen);
        EXPECT_EQ(g.PEN_SolucionActual, plat::RandomGenerator(semilla).nextInt(2));
        elegidas.insert(g.PEN_SolucionActual);
        const PEN_RegistroSolucion& s = g.PEN_Soluciones[std::size_t(g.PEN_SolucionActual)];
        ASSERT_EQ(g.NroPiezas, 12);
        ASSERT_EQ(g.Piezas.size(), 13u);
        for (int p = 1; p <= 12; ++p) {
            const RegistroPieza& pz = g.Piezas[std::size_t(p)];
            EXPECT_EQ(pz.XDestino, kOrigen + (s.Columna[p] - 1) * kLado);
            EXPECT_EQ(pz.YDestino, kOrigen + (s.Fila[p] - 1) * kLado);
            EXPECT_EQ(pz.GiroDestino, s.Giro[p]);
            EXPECT_EQ(pz.Giro, 0);
            EXPECT_EQ(pz.Volteo, 0);
            EXPECT_GT(pz.X, kOrigen + 10 * kLado); // laid out right of the board
            EXPECT_EQ(g.OrdenPiezas[std::size_t(p)], p);
        }
        // The deal restarted the recorder.
        EXPECT_EQ(g.MovActual, 0);
        EXPECT_EQ(g.UltimoMovGrabado, 0);
        // The board was drawn, then the deal shown piece by piece.
        EXPECT_GE(mesa.pinturasTrabajo() - pinturas, 12u);
    }
    EXPECT_EQ(elegidas, (std::set<int>{1, 2}));

    // The empty table: the board's cells grey with light outlines that
    // neighbours share, on the table's colour.
    const plat::Surface& fondo = mesa.Pic_Fondo;
    EXPECT_EQ(fondo.width(), 800);
    EXPECT_EQ(fondo.point(kOrigen + kLado / 2, kOrigen + kLado / 2), 0x808080u);
    EXPECT_EQ(fondo.point(kOrigen + 9 * kLado + kLado / 2, kOrigen + 5 * kLado + kLado / 2), 0x808080u);
    EXPECT_EQ(fondo.point(kOrigen, kOrigen + 7), 0xE0E0E0u);
    EXPECT_EQ(fondo.point(kOrigen + kLado, kOrigen + 7), 0xE0E0E0u);
    EXPECT_EQ(fondo.point(kOrigen + 10 * kLado, kOrigen + 7), 0xE0E0E0u);
    EXPECT_EQ(fondo.point(kOrigen + 10 * kLado + 2, kOrigen + 7), 0x800000u);
    EXPECT_EQ(fondo.point(kOrigen + 7, kOrigen + 6 * kLado + 2), 0x800000u);
    EXPECT_EQ(g.LadoZonaPieza, 5 * kLado);
    EXPECT_EQ(g.MargenPiezaX, 0);
    EXPECT_FALSE(mesa.BarraHor.Visible());
    EXPECT_EQ(mesa.BarraHor.Top(), 600);
    EXPECT_FALSE(mesa.BarraVer.Visible());
    EXPECT_EQ(mesa.BarraVer.Left(), 800);
    EXPECT_FALSE(mesa.Pic_Muestra.visible());
}

TEST_F(PentominosTest, ALoadedPuzzleKeepsItsPiecesAndTakesTheHomesOfItsSolution) {
    pp::EscribeRectangulo(archivo(), 2);
    auto& g = PuzzGbl;
    const struct {
        std::int16_t guardada, sigue;
    } casos[] = {{2, 2}, {1, 1}, {7, 1}, {0, 1}}; // one the board has not: the first
    for (const auto& c : casos) {
        SCOPED_TRACE(c.guardada);
        Mesa();
        ASSERT_TRUE(PEN_LeeModelo(1));
        g.NroPiezas = 12;
        g.Piezas.assign(13, RegistroPieza{});
        g.OrdenPiezas.assign(13, 0);
        for (int p = 1; p <= 12; ++p) {
            g.Piezas[std::size_t(p)] = {std::int16_t(400 + p), std::int16_t(20 * p), 1, 1, 0, 0, 0, 0};
            g.OrdenPiezas[std::size_t(p)] = std::int16_t(13 - p);
        }
        const auto orden = g.OrdenPiezas;
        g.PEN_SolucionActual = c.guardada;
        g.MovActual = 3;
        g.UltimoMovGrabado = 9;
        const auto pinturas = mesa.pinturasTrabajo();
        PreparaJuego(false);
        EXPECT_EQ(g.PEN_SolucionActual, c.sigue);
        const PEN_RegistroSolucion s = pp::Inventada(c.sigue);
        for (int p = 1; p <= 12; ++p) {
            const RegistroPieza& pz = g.Piezas[std::size_t(p)];
            EXPECT_EQ(pz.X, 400 + p);
            EXPECT_EQ(pz.Y, 20 * p);
            EXPECT_EQ(pz.Giro, 1);
            EXPECT_EQ(pz.XDestino, kOrigen + (s.Columna[p] - 1) * kLado);
            EXPECT_EQ(pz.VolteoDestino, s.Volteo[p]);
        }
        EXPECT_EQ(g.OrdenPiezas, orden);
        EXPECT_EQ(g.UltimoMovGrabado, 3);
        EXPECT_EQ(g.MovActual, 3);
        EXPECT_LT(mesa.pinturasTrabajo() - pinturas, 12u); // no deal
    }
}

TEST_F(PentominosTest, WithoutABoardThatCanBePlayedTheTableIsEmpty) {
    auto& g = PuzzGbl;
    Mesa();
    g.PEN_SolucionActual = 4;
    g.Piezas.assign(26, RegistroPieza{});
    PEN_VaciaModelo();
    PreparaJuego(true);
    EXPECT_EQ(g.PEN_SolucionActual, 0);
    EXPECT_EQ(g.NroPiezas, 0);
    EXPECT_EQ(g.Piezas.size(), 1u);
    EXPECT_EQ(g.OrdenPiezas.size(), 1u);
    EXPECT_EQ(mesa.Pic_Fondo.point(kOrigen + 5, kOrigen + 5), 0x800000u); // no grey cell
    ActualizaInfoPiezas();
    EXPECT_EQ(g.NroPiezasColocadas, 0);
}

// The first start of the game: no state file yet.
TEST_F(PentominosTest, WithoutAStateFileTheGameReadsItsBoardDealsWritesTheFileAndReadsItBack) {
    pp::EscribeRectangulo(archivo(), 4);
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    g.RutaImagenes = carpeta.path() + "Imagenes/";
    Mesa();
    g.NroModelo = 9; // left by another game: the defaults take board 1
    QStringList textos;
    RecogeTextos(textos);
    const QString ruta = RutaEstadoJuego(24);
    plat::randomGenerator().setState(4711);
    LeePuzzleJuego(ruta);
    ASSERT_EQ(textos.size(), 1);
    EXPECT_TRUE(textos[0].contains(QStringLiteral("crearlo"))) << textos[0].toStdString();
    EXPECT_TRUE(QFileInfo::exists(ruta));
    EXPECT_EQ(g.NroModelo, 1);
    EXPECT_EQ(g.FilasTablero, 6);
    EXPECT_EQ(g.ColumnasTablero, 10);
    EXPECT_EQ(g.PEN_NumSoluciones, 4);
    EXPECT_GE(g.PEN_SolucionActual, 1);
    EXPECT_EQ(g.LadoCelda, kLado);
    ASSERT_EQ(g.Piezas.size(), 13u);
    int enCasa = 0;
    for (int p = 1; p <= 12; ++p) enCasa += PiezaBienColocada(std::int16_t(p));
    EXPECT_EQ(enCasa, 0);
    EXPECT_EQ(g.Piezas[1].XDestino,
              kOrigen + (pp::Inventada(g.PEN_SolucionActual).Columna[1] - 1) * kLado);
    const auto repartidas = g.Piezas;
    const auto solucion = g.PEN_SolucionActual;
    const QImage tablero = mesa.Pic_Fondo.image().copy();
    const QByteArray escrito = plat::readFile(ruta);

    // The next start reads the same puzzle back, on the same board.
    textos.clear();
    g.Piezas.assign(1, RegistroPieza{});
    g.PEN_SolucionActual = 0;
    g.FilasTablero = g.ColumnasTablero = 0;
    mesa.Pic_Fondo.cls();
    LeePuzzleJuego(ruta);
    EXPECT_TRUE(textos.isEmpty()) << textos.value(0).toStdString();
    EXPECT_EQ(g.Piezas, repartidas);
    EXPECT_EQ(g.PEN_SolucionActual, solucion);
    EXPECT_EQ(g.FilasTablero, 6);
    EXPECT_EQ(mesa.Pic_Fondo.image(), tablero);
    EXPECT_TRUE(GuardaPuzzleJuego());
    EXPECT_EQ(plat::readFile(ruta), escrito);
}

// A sound state of the game refused only because its board or its
// solutions cannot be used is the model's fault, not the state's: the state
// file stays byte for byte, nothing is copied aside or written over, the
// message names the model file and what is wrong, and once the model file is
// mended the next read brings the puzzle back.
TEST_F(PentominosTest, AStateRefusedForItsModelIsKeptAndComesBackOnceTheModelIsMended) {
    pp::EscribeRectangulo(archivo(), 4);
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    g.RutaImagenes = carpeta.path() + "Imagenes/";
    Mesa();
    QStringList textos;
    RecogeTextos(textos);
    const QString ruta = RutaEstadoJuego(24);
    plat::randomGenerator().setState(99);
    LeePuzzleJuego(ruta); // the first start writes a dealt puzzle
    const auto repartidas = g.Piezas;
    const QByteArray estado = plat::readFile(ruta);
    const QByteArray tableros = plat::readFile(archivo() + "ModPen.mlp");
    const QByteArray soluciones = plat::readFile(archivo() + "SolPen.mlp");
    const QString modPen = archivo() + "ModPen.mlp", solPen = archivo() + "SolPen.mlp";

    const QString ninguno = QString::fromUtf8("No hay ningún modelo de pentominós utilizable en ModPen.mlp.");
    const QString sinArchivo = QString::fromUtf8("No se puede usar ningún modelo de pentominós porque ");
    const struct {
        const char* que;
        std::function<void()> dana;
        const char* dicho;  // what the message says is wrong
        QString sinTablero; // what the run without a board is told
    } casos[] = {
        {"board file missing", [&] { QFile::remove(modPen); }, "el archivo ModPen.mlp no se encuentra",
         sinArchivo + "el archivo ModPen.mlp no se encuentra."},
        {"board file empty", [&] { plat::writeFile(modPen, ""); }, "el archivo ModPen.mlp no contiene el modelo número 1",
         ninguno},
        {"board file a folder",
         [&] {
             QFile::remove(modPen);
             QDir().mkpath(modPen);
         },
         "el archivo ModPen.mlp no se ha podido leer (error 75)",
         sinArchivo + "el archivo ModPen.mlp no se ha podido leer (error 75)."},
        {"board an empty slot", [&] { plat::writeFile(modPen, plat::toCp1252(pp::RegistroVacio())); },
         "el archivo ModPen.mlp no contiene el modelo número 1", ninguno},
        {"board record damaged",
         [&] {
             QByteArray b = tableros;
             b[25] = 'x'; // the rows are no number
             plat::writeFile(modPen, b);
         },
         "el modelo número 1 del archivo ModPen.mlp está dañado", ninguno},
        {"solutions missing", [&] { QFile::remove(solPen); }, "el archivo SolPen.mlp no se encuentra",
         sinArchivo + "el archivo SolPen.mlp no se encuentra."},
        {"solutions a folder",
         [&] {
             QFile::remove(solPen);
             QDir().mkpath(solPen);
         },
         "el archivo SolPen.mlp no se ha podido leer (error 75)",
         sinArchivo + "el archivo SolPen.mlp no se ha podido leer (error 75)."},
        {"solutions of another board only",
         [&] { plat::writeFile(solPen, plat::toCp1252(pp::Linea(2, pp::Inventada(1)) + "\r\n")); },
         "el archivo SolPen.mlp no contiene ninguna solución del modelo número 1", ninguno},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        c.dana();
        textos.clear();
        g.Piezas.assign(1, RegistroPieza{});
        LeePuzzleJuego(ruta);
        // Then the run goes on without a board: none of the file can be played.
        ASSERT_EQ(textos.size(), 2);
        EXPECT_EQ(textos[1], c.sinTablero);
        EXPECT_TRUE(textos[0].contains(QString::fromUtf8(c.dicho))) << textos[0].toStdString();
        EXPECT_TRUE(textos[0].contains("Tsl2434.ini se conserva")) << textos[0].toStdString();
        EXPECT_TRUE(textos[0].contains(QString::fromUtf8("cuando el archivo de modelos esté en orden")))
            << textos[0].toStdString();
        EXPECT_EQ(g.EstadoConservado, 24);
        // Neither copied aside nor replaced, now or at the exit's write.
        EXPECT_FALSE(QFileInfo::exists(ruta + ".bak"));
        EXPECT_EQ(plat::readFile(ruta), estado);
        EXPECT_TRUE(GuardaPuzzleJuego());
        EXPECT_EQ(plat::readFile(ruta), estado);

        // The model file mended: the kept puzzle comes back.
        QDir(modPen).removeRecursively();
        QDir(solPen).removeRecursively();
        plat::writeFile(modPen, tableros);
        plat::writeFile(solPen, soluciones);
        textos.clear();
        LeePuzzleJuego(ruta);
        EXPECT_TRUE(textos.isEmpty()) << textos.value(0).toStdString();
        EXPECT_EQ(g.EstadoConservado, 0);
        EXPECT_EQ(g.Piezas, repartidas);
        EXPECT_EQ(g.PEN_NumSoluciones, 4);
    }
}

// While a state is kept for its board's sake the run goes on with a board it
// can play: the lowest-numbered usable one, named, as a fresh game takes it,
// and the kept file stays as it is.
TEST_F(PentominosTest, WhileAStateIsKeptTheGamePlaysTheFirstUsableBoard) {
    pp::EscribeRectangulo(archivo(), 4);
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    g.RutaImagenes = carpeta.path() + "Imagenes/";
    Mesa();
    QStringList textos;
    RecogeTextos(textos);
    const QString ruta = RutaEstadoJuego(24);
    plat::randomGenerator().setState(7);
    LeePuzzleJuego(ruta); // the first start writes a puzzle on board 1
    ASSERT_EQ(g.NroModelo, 1);
    const QByteArray estado = plat::readFile(ruta);

    // Board 1 gone from the file; board 2 is another 6 x 10 with three solutions.
    QStringList lineas;
    for (int k = 1; k <= 3; ++k) lineas << pp::Linea(2, pp::Solucion(k));
    pp::Escribe(archivo(),
                {pp::RegistroVacio(), pp::Registro(QString::fromUtf8("Otro rectángulo"), 6, 10, 3, pp::Rectangulo(6, 10))},
                lineas);
    textos.clear();
    LeePuzzleJuego(ruta);
    ASSERT_FALSE(textos.isEmpty());
    EXPECT_TRUE(textos[0].contains("Tsl2434.ini se conserva")) << textos[0].toStdString();
    EXPECT_EQ(g.EstadoConservado, 24);
    EXPECT_EQ(g.NroModelo, 2);
    EXPECT_EQ(g.NombreModelo, QString::fromUtf8("Otro rectángulo"));
    EXPECT_EQ(g.PEN_NumSoluciones, 3);
    EXPECT_EQ(g.NroPiezas, 12);
    EXPECT_EQ(plat::readFile(ruta), estado);
    EXPECT_TRUE(GuardaPuzzleJuego());
    EXPECT_EQ(plat::readFile(ruta), estado);
}

// A state kept for its board stays as it is only until the player starts
// something in the game: then it is moved to its ".bak" byte for byte, the
// player is told where, the play is saved at the exit and is there at the
// next start.
TEST_F(PentominosTest, AKeptStateGivesWayToThePlayersFirstDealLoadOrMove) {
    pp::EscribeRectangulo(archivo(), 4);
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    g.RutaImagenes = carpeta.path() + "Imagenes/";
    QStringList textos;
    RecogeTextos(textos);
    const QString ruta = RutaEstadoJuego(24);
    const QString guardado = archivo() + "Guardado.puz";
    QStringList lineas;
    for (int k = 1; k <= 3; ++k) lineas << pp::Linea(2, pp::Solucion(k));
    enum class Juega { Nada, Carga, Mueve, Reparte };
    for (const Juega juega : {Juega::Nada, Juega::Carga, Juega::Mueve, Juega::Reparte}) {
        SCOPED_TRACE(int(juega));
        for (const char* viejo : {".bak", ".bak2", ".bak3", ".bak4", ".bak5"}) QFile::remove(ruta + viejo);
        QFile::remove(ruta);
        g.EstadoConservado = 0; // a new run
        pp::EscribeRectangulo(archivo(), 4);
        Mesa();
        plat::randomGenerator().setState(7);
        LeePuzzleJuego(ruta); // the first start writes a puzzle on board 1
        ASSERT_EQ(g.NroModelo, 1);
        const QByteArray estado = plat::readFile(ruta);
        // Board 1 gone: the state is kept, board 2 is played.
        pp::Escribe(archivo(),
                    {pp::RegistroVacio(), pp::Registro(QString::fromUtf8("Otro"), 6, 10, 3, pp::Rectangulo(6, 10))},
                    lineas);
        textos.clear();
        LeePuzzleJuego(ruta);
        ASSERT_EQ(g.EstadoConservado, 24);
        ASSERT_EQ(g.NroModelo, 2);
        ASSERT_TRUE(GuardaPuzzleArchivo(guardado)); // a saved puzzle on board 2
        textos.clear();

        switch (juega) {
        case Juega::Nada: break;
        case Juega::Carga: LeePuzzleJuego(guardado); break;
        case Juega::Mueve: break;
        case Juega::Reparte: PreparaJuego(true); break;
        }
        if (juega == Juega::Carga || juega == Juega::Mueve) {
            const RegistroPieza p = g.Piezas[3];
            // Piece 3 brought to the front, as the pick-up does.
            std::iter_swap(g.OrdenPiezas.begin() + 1,
                           std::find(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end(), std::int16_t(3)));
            GrabaMovimiento(p.X, p.Y, p.Giro, p.Volteo, std::int16_t(p.X + 31), p.Y, p.Giro, p.Volteo);
            g.Piezas[3].X = std::int16_t(p.X + 31);
        }
        // A load then a move tell it once.
        const std::vector<RegistroPieza> finales = g.Piezas;
        const std::int16_t movimientosFinales = g.MovActual;
        ASSERT_TRUE(GuardaPuzzleJuego()); // the exit

        if (juega == Juega::Nada) {
            EXPECT_TRUE(textos.isEmpty()) << textos.value(0).toStdString();
            EXPECT_EQ(plat::readFile(ruta), estado);
            EXPECT_FALSE(QFileInfo::exists(ruta + ".bak"));
            EXPECT_EQ(g.EstadoConservado, 24);
            continue;
        }
        ASSERT_EQ(textos.size(), 1) << textos.join(" | ").toStdString();
        EXPECT_TRUE(textos[0].contains(QString::fromUtf8("se ha apartado como ") + ruta + ".bak"))
            << textos[0].toStdString();
        EXPECT_EQ(plat::readFile(ruta + ".bak"), estado);
        EXPECT_EQ(g.EstadoConservado, 0);
        EXPECT_NE(plat::readFile(ruta), estado);

        // The next start: the play is there, nothing said.
        textos.clear();
        g.Piezas.assign(1, RegistroPieza{});
        LeePuzzleJuego(ruta);
        EXPECT_TRUE(textos.isEmpty()) << textos.value(0).toStdString();
        EXPECT_EQ(g.MovActual, movimientosFinales);
        EXPECT_EQ(g.Piezas, finales);
    }
}

// The solutions file read with any of the line ends the program accepts.
TEST_F(PentominosTest, SolutionsAreReadWhateverTheirLineEnds) {
    for (const char* fin : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(fin)));
        pp::EscribeRectangulo(archivo(), 3);
        QString sol;
        for (int k = 1; k <= 3; ++k) sol += pp::Linea(1, pp::Inventada(k)) + QString::fromLatin1(fin);
        plat::writeFile(archivo() + "SolPen.mlp", plat::toCp1252(sol));
        ASSERT_TRUE(PEN_LeeModelo(1));
        EXPECT_EQ(PuzzGbl.PEN_NumSoluciones, 3);
        EXPECT_EQ(PuzzGbl.PEN_Soluciones[3].Columna[5], pp::Inventada(3).Columna[5]);
    }
}

// A fresh game whose board is not usable takes the lowest-numbered usable
// one, with its name trimmed, and sizes everything by it, whatever the game
// before left behind.
TEST_F(PentominosTest, AFreshGameTakesTheLowestUsableBoardAndItsName) {
    QStringList cincuentaYNueve = pp::Rectangulo(6, 10);
    cincuentaYNueve[0][0] = u'.';
    const struct {
        const char* que;
        QString primero;
        std::int16_t pedido;
    } casos[] = {
        {"board 1 blank", pp::RegistroVacio(), 1},
        {"board 1 of 59 cells", pp::Registro("Roto", 6, 10, 1, cincuentaYNueve), 1},
        {"board 1 without solution lines", pp::Registro("Sin líneas", 6, 10, 2, pp::Rectangulo(6, 10)), 1},
        {"a number past the end", pp::RegistroVacio(), 7},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.que);
        pp::Escribe(archivo(), {c.primero, pp::Registro("  Segundo", 6, 10, 2, pp::Rectangulo(6, 10))},
                    {pp::Linea(2, pp::Inventada(1)), pp::Linea(2, pp::Inventada(2))});
        auto& g = PuzzGbl;
        g.RutaPrograma = carpeta.path();
        Mesa();
        // What another game left.
        g.LadoCelda = 3;
        g.FilasTablero = 16;
        g.ColumnasTablero = 22;
        g.NombreModelo = "Otro";
        g.NroModelo = c.pedido;
        QFile::remove(RutaEstadoJuego(24));
        QStringList textos;
        RegistraPresentadorMensaje([&textos](const QString&, const QString& texto) { textos << texto; });
        InstalaEstadoPuzzle();
        LeePuzzleJuego(RutaEstadoJuego(24));
        ASSERT_EQ(textos.size(), 1) << textos.join(" | ").toStdString();
        EXPECT_TRUE(textos[0].contains("crearlo"));
        EXPECT_EQ(g.NroModelo, 2);
        EXPECT_EQ(g.NombreModelo, "Segundo");
        EXPECT_EQ(g.FilasTablero, 6);
        EXPECT_EQ(g.PEN_NumSoluciones, 2);
        EXPECT_EQ(g.LadoCelda, kLado);
        EXPECT_EQ(g.NroPiezas, 12);
        EXPECT_GE(g.PEN_SolucionActual, 1);
        PEN_TamanoPieza(2, 0);
        EXPECT_EQ(g.AltoPiezaBase, 5 * kLado + 1);
        EXPECT_TRUE(QFileInfo::exists(RutaEstadoJuego(24)));
    }
}

// With no usable board at all the player is told, the table stays empty and
// no state is written that the next start would refuse as damaged.
TEST_F(PentominosTest, WithoutAnyUsableBoardTheTableIsEmptyAndTheNextStartFindsNoDamagedFile) {
    QStringList cincuentaYNueve = pp::Rectangulo(6, 10);
    cincuentaYNueve[5][9] = u'.';
    pp::Escribe(archivo(), {pp::RegistroVacio(), pp::Registro("Roto", 6, 10, 1, cincuentaYNueve)},
                {pp::Linea(2, pp::Inventada(1))});
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta.path();
    Mesa();
    QStringList textos;
    RegistraPresentadorMensaje([&textos](const QString&, const QString& texto) { textos << texto; });
    InstalaEstadoPuzzle();
    const QString ruta = RutaEstadoJuego(24);
    const QString sinModelo = QString::fromUtf8("No hay ningún modelo de pentominós utilizable en ModPen.mlp.");
    for (const char* antes : {"", "damaged"}) {
        SCOPED_TRACE(antes);
        QFile::remove(ruta);
        if (*antes) plat::writeFile(ruta, "not a state\r\n");
        for (int arranque = 1; arranque <= 2; ++arranque) {
            SCOPED_TRACE(arranque);
            textos.clear();
            LeePuzzleJuego(ruta);
            ASSERT_EQ(textos.size(), 2) << textos.join(" | ").toStdString();
            EXPECT_EQ(textos[0].contains(QString::fromUtf8("dañado")), *antes && arranque == 1) << textos[0].toStdString();
            EXPECT_EQ(textos[1], sinModelo);
            EXPECT_EQ(g.NroPiezas, 0);
            EXPECT_EQ(g.Piezas.size(), 1u);
            EXPECT_EQ(g.PEN_NumSoluciones, 0);
            EXPECT_EQ(g.FilasTablero, 0);
            EXPECT_TRUE(g.NombreModelo.isEmpty());
            EXPECT_EQ(mesa.Pic_Fondo.point(g.OrigenX + 5, g.OrigenY + 5), 0x800000u);
            EXPECT_FALSE(QFileInfo::exists(ruta));
            // Nor at the exit: nothing to keep, and that is no failure.
            EXPECT_TRUE(GuardaPuzzleJuego());
            EXPECT_FALSE(QFileInfo::exists(ruta));
        }
    }
}

} // namespace
