// The puzzle geometry of every game: pieces, piece or cell size, board
// picture and its origin; what bad inputs leave behind.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "model/Juego.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

using Salida = std::int16_t PuzzGblData::*;

class GeometriaTest : public ::testing::Test {
protected:
    void SetUp() override { limpia(); }
    void TearDown() override { limpia(); }
    static void limpia() {
        mesa.reset();
        PuzzGbl.reset();
    }
};

// A table of 800 x 600 and the inputs of each game, so that a case states
// only what it changes.
void mesa800x600() {
    auto& g = PuzzGbl;
    g.AnchoMesa = 800;
    g.AltoMesa = 600;
}
void moviles(std::int32_t ancho, std::int32_t alto, std::int16_t forma, std::int16_t casilla,
             std::int16_t zoom = 100, std::int16_t lado = 5) {
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.AnchoBmp = ancho;
    g.AltoBmp = alto;
    g.FormaPieza = forma;
    g.PiezasCasilla = casilla;
    g.ZoomImagen = zoom;
    g.PiezasLado = lado;
}
void deslizantes(std::int16_t lado, std::int16_t altoMesa, std::int16_t anchoMesa = 800) {
    PuzzGbl.TipoJuego = 22;
    PuzzGbl.PiezasLado = lado;
    PuzzGbl.AltoMesa = altoMesa;
    PuzzGbl.AnchoMesa = anchoMesa;
}
// A Tangram figure in solving mode: the seven homes at (20, 30) upright, but
// the large triangle 1 turned an eighth (125 x 125) and the parallelogram
// standing (63 x 126) at (200, 200). Its box runs from (20, 30) to one pixel
// past the parallelogram: (264, 327).
void figuraTangram() {
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.TAN_ModoJuego = 2;
    g.Piezas.assign(8, RegistroPieza{});
    for (int i = 1; i <= 7; ++i) {
        g.Piezas[std::size_t(i)].XDestino = 20;
        g.Piezas[std::size_t(i)].YDestino = 30;
    }
    g.Piezas[1].GiroDestino = 1;
    g.Piezas[7].XDestino = g.Piezas[7].YDestino = 200;
    g.Piezas[7].GiroDestino = 1;
}
void tablero(std::int16_t juego, std::int16_t filas, std::int16_t columnas, std::int16_t niveles = 0) {
    PuzzGbl.TipoJuego = juego;
    PuzzGbl.FilasTablero = filas;
    PuzzGbl.ColumnasTablero = columnas;
    PuzzGbl.TAI_NroNiveles = niveles;
}

struct Caso {
    const char* nombre;
    std::function<void()> prepara;
    std::vector<std::pair<Salida, int>> esperado;
};

using G = PuzzGblData;

TEST_F(GeometriaTest, EachGameGetsItsPiecesBoardAndOrigin) {
    const Caso casos[] = {
        {"jigsaw rectangles 640 x 480, 5 per side", [] { moviles(640, 480, 0, 1); },
         {{&G::NroPiezas, 25}, {&G::AnchoPieza, 128}, {&G::AltoPieza, 96}, {&G::AnchoImagen, 640},
          {&G::AltoImagen, 480}, {&G::OrigenX, 0}, {&G::OrigenY, 0}}},
        {"jigsaw curved: both sides odd", [] { moviles(640, 480, 1, 1); },
         {{&G::AnchoPieza, 127}, {&G::AltoPieza, 95}, {&G::AnchoImagen, 635}, {&G::AltoImagen, 475}}},
        {"jigsaw triangles: odd width, an even height stays", [] { moviles(640, 480, 3, 4); },
         {{&G::NroPiezas, 100}, {&G::AnchoPieza, 127}, {&G::AltoPieza, 96}, {&G::AltoImagen, 480}}},
        {"jigsaw triangles: an odd height goes down", [] { moviles(640, 475, 3, 4); },
         {{&G::AltoPieza, 94}, {&G::AltoImagen, 470}}},
        {"jigsaw split shapes have two per cell", [] { moviles(640, 480, 5, 2); }, {{&G::NroPiezas, 50}}},
        {"jigsaw zoom floors the picture", [] { moviles(641, 481, 0, 1, 50); },
         {{&G::AnchoPieza, 64}, {&G::AltoPieza, 48}}},
        {"jigsaw zoom product past 16 bits", [] { moviles(4000, 3000, 0, 1, 100, 8); },
         {{&G::AnchoPieza, 500}, {&G::AltoPieza, 375}, {&G::AnchoImagen, 4000}}},
        {"sliding 3 per side at height 600", [] { deslizantes(3, 600); },
         {{&G::NroPiezas, 8}, {&G::AltoPieza, 107}, {&G::AnchoPieza, 107}, {&G::AltoImagen, 321},
          {&G::AnchoImagen, 321}, {&G::OrigenY, 107}, {&G::OrigenX, 169}}},
        {"sliding 4 per side at 602: 89.5 goes to 90", [] { deslizantes(4, 602); },
         {{&G::AltoPieza, 90}, {&G::AltoImagen, 360}, {&G::OrigenY, 88}}},
        {"sliding 4 per side at 608: 90.5 goes to 90", [] { deslizantes(4, 608); }, {{&G::AltoPieza, 90}}},
        {"sliding board wider than its room truncates toward zero", [] { deslizantes(8, 1000, 400); },
         {{&G::AltoPieza, 94}, {&G::AltoImagen, 752}, {&G::OrigenX, -246}}},
        {"sliding with the panel slid out keeps its origin",
         [] {
             deslizantes(3, 600);
             mesa.Pic_Botonera.move(799, 0);
         },
         {{&G::OrigenX, 169}}},
        {"Tangram design mode: the whole table",
         [] {
             mesa800x600();
             PuzzGbl.TipoJuego = 23;
             PuzzGbl.TAN_ModoJuego = 1;
         },
         {{&G::NroPiezas, 7}, {&G::AnchoImagen, 800}, {&G::AltoImagen, 600}, {&G::OrigenX, 20}, {&G::OrigenY, 20}}},
        {"Tangram solving: the figure's box",
         [] {
             mesa800x600();
             figuraTangram();
         },
         {{&G::AnchoImagen, 243}, {&G::AltoImagen, 296}, {&G::OrigenX, 20}}},
        {"pentominoes, 20 columns fit 22 in the width",
         [] {
             mesa800x600();
             tablero(24, 3, 20);
         },
         {{&G::NroPiezas, 12}, {&G::LadoCelda, 29}, {&G::AltoImagen, 87}, {&G::AnchoImagen, 580},
          {&G::OrigenX, 14}, {&G::OrigenY, 14}}},
        {"pentominoes, 10 columns still fit 17",
         [] {
             mesa800x600();
             tablero(24, 6, 10);
         },
         {{&G::LadoCelda, 31}, {&G::AltoImagen, 186}, {&G::AnchoImagen, 310}, {&G::OrigenX, 15}}},
        {"pentominoes, narrow table: the width decides",
         [] {
             PuzzGbl.AnchoMesa = 500;
             PuzzGbl.AltoMesa = 600;
             tablero(24, 6, 10);
         },
         {{&G::LadoCelda, 21}}},
        {"Taipei tiles",
         [] {
             PuzzGbl.AnchoMesa = 1024;
             PuzzGbl.AltoMesa = 768;
             tablero(25, 8, 15, 5);
         },
         {{&G::NroPiezas, 144}, {&G::AnchoPieza, 50}, {&G::AltoPieza, 67}, {&G::TAI_Relieve, 6},
          {&G::AnchoPiezaBase, 56}, {&G::AltoPiezaBase, 73}, {&G::AltoImagen, 566}, {&G::AnchoImagen, 780},
          {&G::OrigenY, 101}, {&G::OrigenX, 51}}},
        {"Taipei with the panel slid out",
         [] {
             PuzzGbl.AnchoMesa = 1024;
             PuzzGbl.AltoMesa = 768;
             tablero(25, 8, 15, 5);
             mesa.Pic_Botonera.move(1024, 0);
         },
         {{&G::OrigenX, 51}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        limpia();
        c.prepara();
        EXPECT_TRUE(CalculaGeometriaPuzzle());
        for (const auto& [salida, valor] : c.esperado) EXPECT_EQ(PuzzGbl.*salida, valor);
    }
}

TEST_F(GeometriaTest, TangramPieceTablesAndTheFigureMeasuredAtTheHomes) {
    mesa800x600();
    figuraTangram();
    ASSERT_TRUE(CalculaGeometriaPuzzle());
    using T = std::array<std::int16_t, 8>;
    EXPECT_EQ(PuzzGbl.TAN_AnchoPiezas, (T{0, 125, 125, 89, 63, 63, 63, 132}));
    EXPECT_EQ(PuzzGbl.TAN_AltoPiezas, (T{0, 125, 125, 89, 63, 63, 63, 44}));
    EXPECT_EQ(PuzzGbl.TAN_LadoPiezas, (T{0, 177, 177, 125, 89, 89, 89, 63}));
    // Measured at the homes, with these tables.
    EXPECT_EQ(PuzzGbl.MarcoFigura, (RegistroMarco{20, 30, 264, 327}));
}

// Every output at a value no game gives.
void marcaSalidas() {
    auto& g = PuzzGbl;
    for (Salida s : {&G::NroPiezas, &G::AnchoPieza, &G::AltoPieza, &G::AnchoImagen, &G::AltoImagen, &G::OrigenX,
                     &G::OrigenY, &G::LadoCelda, &G::TAI_Relieve, &G::AnchoPiezaBase, &G::AltoPiezaBase})
        g.*s = 1234;
    g.TAN_AnchoPiezas.fill(1234);
    g.TAN_AltoPiezas.fill(1234);
    g.TAN_LadoPiezas.fill(1234);
}

TEST_F(GeometriaTest, InputsThatMakeNoPuzzleChangeNothing) {
    const Caso casos[] = {
        {"no game", [] { mesa800x600(); }, {}},
        {"unknown game", [] { mesa800x600(); PuzzGbl.TipoJuego = 26; }, {}},
        {"jigsaw, no pieces per side", [] { moviles(640, 480, 0, 1, 100, 0); }, {}},
        {"jigsaw, negative pieces per side", [] { moviles(640, 480, 0, 1, 100, -5); }, {}},
        {"jigsaw, no pieces per cell", [] { moviles(640, 480, 0, 0); }, {}},
        {"jigsaw, no picture", [] { moviles(0, 0, 0, 1); }, {}},
        {"jigsaw, picture without height", [] { moviles(640, 0, 0, 1); }, {}},
        {"jigsaw, zoom 0", [] { moviles(640, 480, 0, 1, 0); }, {}},
        {"jigsaw, picture narrower than the pieces", [] { moviles(3, 480, 0, 1); }, {}},
        {"jigsaw, triangles 1 pixel high would vanish", [] { moviles(640, 5, 3, 4); }, {}},
        {"jigsaw, too many pieces for 16 bits", [] { moviles(32000, 32000, 3, 4, 100, 100); }, {}},
        {"jigsaw, board wider than 16 bits", [] { moviles(100000, 480, 0, 1); }, {}},
        {"sliding, 2 per side", [] { deslizantes(2, 600); }, {}},
        {"sliding, 9 per side", [] { deslizantes(9, 600); }, {}},
        {"sliding, no table", [] { deslizantes(3, 0); }, {}},
        {"pentominoes, no rows", [] { mesa800x600(); tablero(24, 0, 10); }, {}},
        {"pentominoes, no columns", [] { mesa800x600(); tablero(24, 6, 0); }, {}},
        {"Taipei, no rows", [] { mesa800x600(); tablero(25, 0, 15, 5); }, {}},
        {"Taipei, no columns", [] { mesa800x600(); tablero(25, 8, 0, 5); }, {}},
        {"Taipei, no levels", [] { mesa800x600(); tablero(25, 8, 15, 0); }, {}},
        {"Tangram solving, no pieces to measure",
         [] {
             mesa800x600();
             PuzzGbl.TipoJuego = 23;
             PuzzGbl.TAN_ModoJuego = 2;
         },
         {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        limpia();
        c.prepara();
        marcaSalidas();
        const PuzzGblData antes = PuzzGbl;
        EXPECT_FALSE(CalculaGeometriaPuzzle());
        for (Salida s : {&G::NroPiezas, &G::AnchoPieza, &G::AltoPieza, &G::AnchoImagen, &G::AltoImagen,
                         &G::OrigenX, &G::OrigenY, &G::LadoCelda, &G::TAI_Relieve, &G::AnchoPiezaBase,
                         &G::AltoPiezaBase})
            EXPECT_EQ(PuzzGbl.*s, antes.*s);
        EXPECT_EQ(PuzzGbl.TAN_AnchoPiezas, antes.TAN_AnchoPiezas);
        EXPECT_EQ(PuzzGbl.TAN_AltoPiezas, antes.TAN_AltoPiezas);
        EXPECT_EQ(PuzzGbl.TAN_LadoPiezas, antes.TAN_LadoPiezas);
    }
}

} // namespace
