// Pieces: the orientation and placement tests, a piece's box per game, the
// visible part of a triangle's mask, lifting a piece off the table, the
// counter of pieces in place with the pentomino solution switch, and the
// per-game set-up.
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/Juego.h"
#include "model/LimitesMascara.h"
#include "model/Pentominos.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>

// Pictures as rows of letters in failure messages.
void PrintTo(const QStringList& filas, std::ostream* os) { *os << "\n" << filas.join("\n").toStdString(); }

using plat::Color;
using plat::Surface;

namespace {

constexpr Color kRojo = 0x0000FF, kAzul = 0xFF0000, kVerde = 0x00FF00;

class PiezasTest : public ::testing::Test {
protected:
    void SetUp() override { limpia(); }
    void TearDown() override { limpia(); }
    static void limpia() {
        mesa.Pic_Trabajo.onRefresh = nullptr;
        mesa.reset();
        PuzzGbl.reset();
    }
    static void piezas(std::int16_t n) {
        PuzzGbl.NroPiezas = n;
        PuzzGbl.Piezas.assign(n + 1, RegistroPieza{});
        PuzzGbl.OrdenPiezas.assign(n + 1, 0);
        for (std::int16_t i = 1; i <= n; ++i) PuzzGbl.OrdenPiezas[i] = i;
    }
};

// A surface as rows of letters: R red, B blue, G green, '.' white, '?' other.
QStringList dibujo(const Surface& s) {
    const std::map<Color, QChar> letras{{kRojo, 'R'}, {kAzul, 'B'}, {kVerde, 'G'}, {plat::kWhite, '.'}};
    QStringList filas;
    for (int y = 0; y < s.scaleHeight(); ++y) {
        QString fila;
        for (int x = 0; x < s.scaleWidth(); ++x) {
            const auto it = letras.find(s.point(x, y));
            fila += it == letras.end() ? QChar('?') : it->second;
        }
        filas << fila;
    }
    return filas;
}

// ------------------------------------------------------- orientation, placement

struct CasoColocacion {
    const char* nombre;
    std::int16_t juego, pieza;
    RegistroPieza registro;
    bool orientada, colocada;
};

RegistroPieza en(std::int16_t giro, std::int16_t giroDestino, std::int16_t volteo = 0, std::int16_t volteoDestino = 0,
                 std::int16_t dx = 0, std::int16_t estado = 1) {
    RegistroPieza p;
    p.X = std::int16_t(40 + dx);
    p.Y = 30;
    p.XDestino = 40;
    p.YDestino = 30;
    p.Giro = giro;
    p.GiroDestino = giroDestino;
    p.Volteo = volteo;
    p.VolteoDestino = volteoDestino;
    p.Estado = estado;
    return p;
}

TEST_F(PiezasTest, OrientationAndPlacementFollowEachGamesRule) {
    const CasoColocacion casos[] = {
        {"jigsaw, same turn", 21, 3, en(1, 1), true, true},
        {"jigsaw, other turn", 21, 3, en(2, 1), false, false},
        {"jigsaw, one pixel off home", 21, 3, en(1, 1, 0, 0, 1), true, false},
        {"sliding ignores the turn", 22, 3, en(3, 0), true, true},
        {"sliding off home", 22, 3, en(0, 0, 0, 0, -1), true, false},
        {"Tangram triangle at +4", 23, 1, en(5, 1), false, false},
        {"Tangram triangle at its turn", 23, 5, en(6, 6), true, true},
        {"Tangram square at +2", 23, 6, en(3, 1), true, true},
        {"Tangram square at +4", 23, 6, en(5, 1), true, true},
        {"Tangram square at +6", 23, 6, en(7, 1), true, true},
        {"Tangram square at +1", 23, 6, en(2, 1), false, false},
        {"Tangram parallelogram at +4, same flip", 23, 7, en(6, 2, 1, 1), true, true},
        {"Tangram parallelogram at +4, other flip", 23, 7, en(6, 2, 0, 1), false, false},
        {"Tangram parallelogram at +2", 23, 7, en(4, 2, 1, 1), false, false},
        {"pentomino, same turn and flip", 24, 3, en(2, 2, 1, 1), true, true},
        {"pentomino, other flip", 24, 3, en(2, 2, 0, 1), false, false},
        {"Taipei tile removed", 25, 3, en(0, 0, 0, 0, 9, 0), false, true},
        {"Taipei tile on the board at home", 25, 3, en(0, 0, 0, 0, 0, 1), false, false},
        {"Taipei tile selected", 25, 3, en(0, 0, 0, 0, 0, 2), false, false},
        {"unknown game, at home", 26, 3, en(0, 0), false, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        PuzzGbl.reset();
        piezas(7);
        PuzzGbl.TipoJuego = c.juego;
        PuzzGbl.Piezas[c.pieza] = c.registro;
        EXPECT_EQ(OrientacionCorrecta(c.pieza), c.orientada);
        EXPECT_EQ(PiezaBienColocada(c.pieza), c.colocada);
    }
}

TEST_F(PiezasTest, PieceNumbersOutsideThePuzzleAreNeverInPlace) {
    piezas(3);
    PuzzGbl.TipoJuego = 22; // any piece at its home is in place
    PuzzGbl.Piezas.resize(10); // more records than pieces
    for (std::int16_t p : {std::int16_t(0), std::int16_t(-1), std::int16_t(4), std::int16_t(9), std::int16_t(32767)}) {
        SCOPED_TRACE(p);
        EXPECT_FALSE(OrientacionCorrecta(p));
        EXPECT_FALSE(PiezaBienColocada(p));
        EXPECT_EQ(AnchoPiezaGirada(p, 0, 0), 0);
        EXPECT_EQ(AltoPiezaGirada(p, 0, 0), 0);
    }
    // More pieces than records: the numbers past the array do nothing either.
    PuzzGbl.NroPiezas = 20;
    EXPECT_FALSE(PiezaBienColocada(15));
    EXPECT_EQ(AnchoPiezaGirada(15, 0, 0), 0);
}

// -------------------------------------------------------------- piece boxes

struct CasoCaja {
    const char* nombre;
    std::int16_t juego, pieza, giro, volteo;
    int ancho, alto;
};

TEST_F(PiezasTest, BoxOfAPieceForAnOrientation) {
    InicializaTablas(); // the pentomino shapes
    const CasoCaja casos[] = {
        {"jigsaw unturned", 21, 1, 0, 0, 30, 20},
        {"jigsaw a quarter", 21, 1, 1, 0, 20, 30},
        {"jigsaw a half", 21, 1, 2, 0, 30, 20},
        {"jigsaw three quarters", 21, 1, 3, 0, 20, 30},
        {"sliding, whatever the turn", 22, 1, 1, 0, 30, 20},
        {"Tangram: the size routine's box", 23, 7, 0, 0, 132, 44},
        {"pentomino I turned a quarter", 24, 2, 1, 0, 5 * 10 + 1, 1 * 10 + 1},
        {"pentomino I unturned", 24, 2, 0, 1, 1 * 10 + 1, 5 * 10 + 1},
        {"Taipei: one cell", 25, 1, 3, 1, 50, 67},
        {"unknown game", 20, 1, 0, 0, 0, 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        piezas(12);
        PuzzGbl.TipoJuego = c.juego;
        PuzzGbl.AnchoPiezaBase = 30;
        PuzzGbl.AltoPiezaBase = 20;
        PuzzGbl.AnchoPieza = 50;
        PuzzGbl.AltoPieza = 67;
        PuzzGbl.LadoCelda = 10;
        PuzzGbl.TAN_AnchoPiezas = {0, 125, 125, 89, 63, 63, 63, 132};
        PuzzGbl.TAN_AltoPiezas = {0, 125, 125, 89, 63, 63, 63, 44};
        EXPECT_EQ(AnchoPiezaGirada(c.pieza, c.giro, c.volteo), c.ancho);
        EXPECT_EQ(AltoPiezaGirada(c.pieza, c.giro, c.volteo), c.alto);
        if (c.juego == 23 || c.juego == 24) {
            // The size routine leaves the box in the base size.
            EXPECT_EQ(PuzzGbl.AnchoPiezaBase, c.ancho);
            EXPECT_EQ(PuzzGbl.AltoPiezaBase, c.alto);
        }
    }
}

// ------------------------------------------------------------- mask extents

// The four triangles into which the diagonals cut one cell 9 pixels wide and
// 8 high.
const QStringList kTrianguloArriba{"#########", ".#######.", "..#####..", "...###...",
                                   ".........", ".........", ".........", "........."};
const QStringList kTrianguloAbajo{".........", ".........", ".........", ".........",
                                  "...###...", "..#####..", ".#######.", "#########"};
const QStringList kTrianguloIzquierda{"#........", "##.......", "###......", "####.....",
                                      "####.....", "###......", "##.......", "#........"};
const QStringList kTrianguloDerecha{"........#", ".......##", "......###", ".....####",
                                    ".....####", "......###", ".......##", "........#"};

void ponMascara(const QStringList& filas) {
    auto& m = mesa.Pic_PiezaMascara;
    m.setSize(int(filas[0].size()), int(filas.size()));
    m.clearPicture();
    for (int y = 0; y < filas.size(); ++y)
        for (int x = 0; x < filas[y].size(); ++x)
            if (filas[y][x] == '#') m.pset(x, y, plat::kBlack);
}

struct CasoMascara {
    const char* nombre;
    const QStringList* mascara;
    int ancho, alto;                    // the piece's box
    int posX, posY, anchoFin, altoFin; // what is left of it
};

TEST_F(PiezasTest, TriangleMasksKeepTheirHalfOfTheBox) {
    const CasoMascara casos[] = {
        {"top, even height", &kTrianguloArriba, 9, 8, 100, 200, 9, 4},
        {"top, 127 halves up to even", &kTrianguloArriba, 9, 127, 100, 200, 9, 64},
        {"bottom, shifted down", &kTrianguloAbajo, 9, 8, 100, 204, 9, 4},
        {"bottom, 125 halves down to even", &kTrianguloAbajo, 9, 125, 100, 262, 9, 62},
        {"left, odd width", &kTrianguloIzquierda, 9, 8, 100, 200, 4, 8},
        {"left, 127", &kTrianguloIzquierda, 127, 8, 100, 200, 64, 8},
        {"right, shifted", &kTrianguloDerecha, 9, 8, 104, 200, 4, 8},
        {"right, 125", &kTrianguloDerecha, 125, 8, 162, 200, 62, 8},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        ponMascara(*c.mascara);
        PuzzGbl.MascaraPosX = 100;
        PuzzGbl.MascaraPosY = 200;
        PuzzGbl.MascaraAncho = c.ancho;
        PuzzGbl.MascaraAlto = c.alto;
        AjustaLimitesMascara(mesa.Pic_PiezaMascara);
        EXPECT_EQ(PuzzGbl.MascaraPosX, c.posX);
        EXPECT_EQ(PuzzGbl.MascaraPosY, c.posY);
        EXPECT_EQ(PuzzGbl.MascaraAncho, c.anchoFin);
        EXPECT_EQ(PuzzGbl.MascaraAlto, c.altoFin);
    }
}

TEST_F(PiezasTest, MaskExtentsStartFromTheTurnedBoxAndSmallMasksKeepIt) {
    piezas(2);
    PuzzGbl.TipoJuego = 21;
    PuzzGbl.AnchoPiezaBase = 9;
    PuzzGbl.AltoPiezaBase = 2;
    auto& p = PuzzGbl.Piezas[2];
    p.X = 15;
    p.Y = 25;
    p.Giro = 1; // a quarter turn: 2 wide, 9 high, too narrow to read
    CalculaLimitesMascara(2);
    EXPECT_EQ(PuzzGbl.MascaraPosX, 15);
    EXPECT_EQ(PuzzGbl.MascaraPosY, 25);
    EXPECT_EQ(PuzzGbl.MascaraAncho, 2);
    EXPECT_EQ(PuzzGbl.MascaraAlto, 9);

    // A number outside the puzzle changes nothing.
    PuzzGbl.MascaraPosX = PuzzGbl.MascaraPosY = PuzzGbl.MascaraAncho = PuzzGbl.MascaraAlto = 7;
    for (std::int16_t malo : {std::int16_t(0), std::int16_t(3)}) {
        CalculaLimitesMascara(malo);
        EXPECT_EQ(PuzzGbl.MascaraPosX, 7);
        EXPECT_EQ(PuzzGbl.MascaraPosY, 7);
        EXPECT_EQ(PuzzGbl.MascaraAncho, 7);
        EXPECT_EQ(PuzzGbl.MascaraAlto, 7);
    }
}

// ------------------------------------------------------------ lifting a piece

// Two 4 x 4 pieces, red (1, in front) and blue (2, behind), overlapping on a
// green 10 x 7 table: blue at (2, 1), red at (3, 3).
class CogePiezaTest : public PiezasTest {
protected:
    void SetUp() override {
        PiezasTest::SetUp();
        piezas(2);
        PuzzGbl.TipoJuego = 21;
        PuzzGbl.AnchoPiezaBase = PuzzGbl.AltoPiezaBase = 4;
        PuzzGbl.AnchoPieza = PuzzGbl.AltoPieza = 4; // shape 0: the whole cell
        auto& b = mesa.Pic_Bitmap;
        b.setSize(8, 4);
        b.filledBox(0, 0, 3, 3, kRojo);
        b.filledBox(4, 0, 7, 3, kAzul);
        PuzzGbl.Piezas[1] = colocada(0, 3, 3);
        PuzzGbl.Piezas[2] = colocada(4, 2, 1);
        for (Surface* s : {&mesa.Pic_Fondo, &mesa.Pic_Imagen, &mesa.Pic_Trabajo}) {
            s->setSize(10, 7);
            s->filledBox(0, 0, 9, 6, kVerde);
        }
        for (std::int16_t p : {std::int16_t(2), std::int16_t(1)}) { // back to front
            GeneraImagenPieza(p);
            DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
        }
        mesa.Pic_Trabajo_Paint();
    }
    static RegistroPieza colocada(std::int16_t xDestino, std::int16_t x, std::int16_t y) {
        RegistroPieza p;
        p.XDestino = xDestino;
        p.X = x;
        p.Y = y;
        return p;
    }
};

TEST_F(CogePiezaTest, TheTableShowsTheLiftedPieceAndTheBackBufferWhatLayUnderIt) {
    ASSERT_EQ(dibujo(mesa.Pic_Imagen), (QStringList{"GGGGGGGGGG", "GGBBBBGGGG", "GGBBBBGGGG", "GGBRRRRGGG",
                                                     "GGBRRRRGGG", "GGGRRRRGGG", "GGGRRRRGGG"}));
    QStringList mostrado;
    mesa.Pic_Trabajo.onRefresh = [&] { mostrado = dibujo(mesa.Pic_Trabajo); };

    CogePieza(5, 6, 2);

    // Shown at once, before the back buffer is touched: the lifted piece on top.
    EXPECT_EQ(mostrado, (QStringList{"GGGGGGGGGG", "GGBBBBGGGG", "GGBBBBGGGG", "GGBBBBRGGG", "GGBBBBRGGG",
                                     "GGGRRRRGGG", "GGGRRRRGGG"}));
    EXPECT_EQ(dibujo(mesa.Pic_Trabajo), mostrado);
    EXPECT_EQ(dibujo(mesa.Pic_Imagen), (QStringList{"GGGGGGGGGG", "GGGGGGGGGG", "GGGGGGGGGG", "GGGRRRRGGG",
                                                     "GGGRRRRGGG", "GGGRRRRGGG", "GGGRRRRGGG"}));
    // Ready to be dragged: its record, mask and image again, the pointer.
    EXPECT_EQ(PuzzGbl.PiezaActual, PuzzGbl.Piezas[2]);
    EXPECT_EQ(mesa.Pic_PiezaImagen.point(0, 0), kAzul);
    EXPECT_EQ(PuzzGbl.TrabajoNuevoX, 5);
    EXPECT_EQ(PuzzGbl.TrabajoNuevoY, 6);
    EXPECT_TRUE(PuzzGbl.ArrastrandoPieza);
}

TEST_F(CogePiezaTest, APieceNumberOutsideThePuzzleLiftsNothing) {
    const QStringList antes = dibujo(mesa.Pic_Imagen);
    int refrescos = 0;
    mesa.Pic_Trabajo.onRefresh = [&] { ++refrescos; };
    CogePieza(5, 6, 3);
    CogePieza(5, 6, 0);
    EXPECT_EQ(refrescos, 0);
    EXPECT_EQ(dibujo(mesa.Pic_Imagen), antes);
    EXPECT_FALSE(PuzzGbl.ArrastrandoPieza);
    EXPECT_EQ(PuzzGbl.TrabajoNuevoX, 0);
}

// ------------------------------------------------------------ the counter

// What the counter display looks like with that text.
QImage visor(const QString& texto) {
    Surface ref(QStringLiteral("ref"), mesa.Pic_InfoColo.width(), mesa.Pic_InfoColo.height());
    ref.setFont(mesa.Pic_InfoColo.font());
    ref.setTextAntialias(mesa.Pic_InfoColo.textAntialias());
    DibujaVisor(ref, texto, 1);
    return ref.image();
}

struct CasoContador {
    const char* nombre;
    std::int16_t juego, modoTangram, piezas, colocadas;
    const char* texto; // nullptr: the display keeps what it showed
};

TEST_F(PiezasTest, TheCounterShowsPiecesInPlaceOrPairsRemoved) {
    const CasoContador casos[] = {
        {"jigsaw", 21, 2, 25, 3, "3 / 25"},
        {"sliding, none in place", 22, 2, 8, 0, "0 / 8"},
        {"Taipei counts pairs of 72", 25, 2, 144, 24, "12 / 72"},
        {"Tangram solving", 23, 2, 7, 7, "7 / 7"},
        {"Tangram design mode leaves the display", 23, 1, 7, 2, nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        PuzzGbl.reset();
        mesa.reset();
        piezas(c.piezas);
        PuzzGbl.TipoJuego = c.juego;
        PuzzGbl.TAN_ModoJuego = c.modoTangram;
        for (int i = 1; i <= c.piezas; ++i) {
            auto& p = PuzzGbl.Piezas[i];
            p.Estado = 1;
            if (i <= c.colocadas) p.Estado = 0; // removed (Taipei)
            else p.X = 1;                       // off its home (the others)
        }
        mesa.Pic_InfoColo.filledBox(0, 0, 100, 100, kRojo);
        const QImage antes = mesa.Pic_InfoColo.image();

        ActualizaInfoPiezas();

        EXPECT_EQ(PuzzGbl.NroPiezasColocadas, c.colocadas);
        if (c.texto) EXPECT_EQ(mesa.Pic_InfoColo.image(), visor(QString::fromLatin1(c.texto)));
        else EXPECT_EQ(mesa.Pic_InfoColo.image(), antes);
    }
}

// ------------------------------------------------- pentomino solution switch

// Three stored solutions of a board with cells of 10 pixels from (5, 5):
// solution k puts pentomino p at row k, column p, unturned.
class SolucionesTest : public PiezasTest {
protected:
    void SetUp() override {
        PiezasTest::SetUp();
        piezas(12);
        PuzzGbl.TipoJuego = 24;
        PuzzGbl.LadoCelda = 10;
        PuzzGbl.OrigenX = PuzzGbl.OrigenY = 5;
        PuzzGbl.PEN_NumSoluciones = 3;
        PuzzGbl.PEN_Soluciones.assign(4, PEN_RegistroSolucion{});
        for (int k = 1; k <= 3; ++k)
            for (int p = 1; p <= 12; ++p) {
                PuzzGbl.PEN_Soluciones[k].Fila[p] = std::int16_t(k);
                PuzzGbl.PEN_Soluciones[k].Columna[p] = std::int16_t(p);
            }
        PuzzGbl.PEN_SolucionActual = 1;
        PEN_FijaSolucion();
        for (int p = 1; p <= 12; ++p) PuzzGbl.Piezas[p].X = PuzzGbl.Piezas[p].Y = 400; // off the board
    }
    // Places pieces first..last where solution k has them.
    static void ponSegun(int k, int primera, int ultima) {
        for (int p = primera; p <= ultima; ++p) {
            PuzzGbl.Piezas[p].X = std::int16_t(5 + (p - 1) * 10);
            PuzzGbl.Piezas[p].Y = std::int16_t(5 + (k - 1) * 10);
        }
    }
    static std::array<int, 3> coincidencias() {
        const auto& s = PuzzGbl.PEN_Soluciones;
        return {s[1].Coincidencias, s[2].Coincidencias, s[3].Coincidencias};
    }
};

TEST_F(SolucionesTest, ATieKeepsTheCurrentSolution) {
    ponSegun(1, 1, 4);
    ponSegun(2, 5, 8);
    ponSegun(3, 9, 12);
    ActualizaInfoPiezas();
    EXPECT_EQ(coincidencias(), (std::array<int, 3>{4, 4, 4}));
    EXPECT_EQ(PuzzGbl.PEN_SolucionActual, 1);
    EXPECT_EQ(PuzzGbl.NroPiezasColocadas, 4);
    EXPECT_EQ(PuzzGbl.Piezas[1].YDestino, 5);
}

TEST_F(SolucionesTest, AStrictlyBetterMatchTakesTheHighestNumberedBest) {
    ponSegun(1, 1, 2);
    ponSegun(2, 3, 7);
    ponSegun(3, 8, 12);
    ActualizaInfoPiezas();
    EXPECT_EQ(coincidencias(), (std::array<int, 3>{2, 5, 5}));
    EXPECT_EQ(PuzzGbl.PEN_SolucionActual, 3);
    // The homes follow solution 3, and the count is made against them.
    EXPECT_EQ(PuzzGbl.Piezas[1].YDestino, 25);
    EXPECT_EQ(PuzzGbl.NroPiezasColocadas, 5);
    EXPECT_EQ(mesa.Pic_InfoColo.image(), visor(QStringLiteral("5 / 12")));
}

TEST_F(SolucionesTest, CompletingAnotherSolutionIsCountedInTheSameCall) {
    ponSegun(2, 1, 12);
    ActualizaInfoPiezas();
    EXPECT_EQ(PuzzGbl.PEN_SolucionActual, 2);
    EXPECT_EQ(PuzzGbl.NroPiezasColocadas, 12);
    EXPECT_EQ(mesa.Pic_InfoColo.image(), visor(QStringLiteral("12 / 12")));
}

TEST_F(SolucionesTest, NoUsableSolutionLeavesTheHomes) {
    ponSegun(2, 1, 12);
    const auto homes = PuzzGbl.Piezas;
    struct {
        const char* nombre;
        std::int16_t soluciones, actual;
        std::size_t registros;
    } casos[] = {
        {"no stored solutions", 0, 1, 1},
        {"current solution past the count", 3, 4, 4},
        {"current solution 0", 3, 0, 4},
        {"count past the stored records", 5, 1, 4},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        PuzzGbl.Piezas = homes;
        PuzzGbl.PEN_NumSoluciones = c.soluciones;
        PuzzGbl.PEN_SolucionActual = c.actual;
        PuzzGbl.PEN_Soluciones.resize(c.registros);
        ActualizaInfoPiezas();
        EXPECT_EQ(PuzzGbl.PEN_SolucionActual, c.actual);
        EXPECT_EQ(PuzzGbl.Piezas, homes);
        EXPECT_EQ(PuzzGbl.NroPiezasColocadas, 0);
    }
}

// ------------------------------------------------------------ set-up dispatch

TEST_F(PiezasTest, PreparaJuegoWorksOutTheGeometryAndCallsTheGamesSetUp) {
    const struct {
        std::int16_t juego;
        bool nuevo;
        bool juegoConocido;
    } casos[] = {
        {21, true, true},  {22, false, true}, {23, true, true},
        {24, false, true}, {25, false, true}, {26, true, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.juego);
        mesa.reset();
        PuzzGbl.reset();
        PuzzGbl.TipoJuego = c.juego;
        PuzzGbl.AnchoMesa = 800;
        PuzzGbl.AltoMesa = 600;
        PuzzGbl.PiezasLado = 4;
        PuzzGbl.PiezasCasilla = 1;
        PuzzGbl.ZoomImagen = 100;
        PuzzGbl.AnchoBmp = PuzzGbl.AltoBmp = 400;
        PuzzGbl.TAN_ModoJuego = 1;
        PuzzGbl.FilasTablero = PuzzGbl.ColumnasTablero = PuzzGbl.TAI_NroNiveles = 6;
        // A pentomino board with a stored solution in force (without one the
        // table stays empty).
        PuzzGbl.PEN_NumSoluciones = 1;
        PuzzGbl.PEN_Soluciones.assign(2, PEN_RegistroSolucion{});
        PuzzGbl.MovActual = 40000;
        PuzzGbl.UltimoMovGrabado = 40002;
        PuzzGbl.NroPiezas = -5;

        PreparaJuego(c.nuevo);

        EXPECT_EQ(PuzzGbl.EstadoListaMov, 2);
        // Every game's set-up lays out the board picture; nothing else does.
        if (c.juegoConocido) {
            EXPECT_GT(mesa.Pic_Bitmap.width(), 0);
            // The recorder ends at the current move (a new jigsaw or Tangram
            // deal starts it afresh).
            EXPECT_EQ(PuzzGbl.UltimoMovGrabado, PuzzGbl.MovActual);
            if (c.juego != 21 && c.juego != 23) {
                EXPECT_EQ(PuzzGbl.MovActual, 40000);
            }
            EXPECT_GT(PuzzGbl.NroPiezas, 0); // the geometry ran first
        } else {
            EXPECT_EQ(mesa.Pic_Bitmap.width(), 0); // no set-up follows
            EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 40002);
            EXPECT_EQ(PuzzGbl.NroPiezas, -5);
        }
    }
}

} // namespace
