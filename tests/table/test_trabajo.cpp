// The table surface: hover and hit test, the press in every game, the
// rotation loop, the drag's edge scrolling, the click and double click, the
// release and the command panel's tab.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/ImagenPieza.h"
#include "model/Juego.h"
#include "platform/sound.h"
#include "platform/ui/events.h"
#include "platform/ui/mouse.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/Soltar.h"
#include "table/Trabajo.h"
#include "table/VentanaMesa.h"
#include "tests/imaging/puzzle_fixtures.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct MensajeVisto {
    QString titulo;
    int lineas = 0, ayuda = 0;
};

class TrabajoTest : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        mesa.Load();
        ReiniciaProcTrabajo();
        teselaro::initResources();
        plat::setSoundPlayer(&sonidos);
        PuzzGbl.SonidoActivo = true;
        PuzzGbl.VelocidadJuego = 100; // pauses take no time
        PuzzGbl.AnchoMesa = 1024;
        PuzzGbl.AltoMesa = 768;
        PuzzGbl.GiroPermitido = true;
        RegistraPresentadorMensaje([this](const QString& titulo, const QString&) {
            mensajes.push_back({titulo, PuzzGbl.NroLineasMensaje, PuzzGbl.AyudaMensaje});
            PuzzGbl.RespuestaMensaje = true;
        });
        for (plat::Surface* s : {&mesa.Pic_Trabajo, &mesa.Pic_Imagen, &mesa.Pic_Fondo}) s->setSize(200, 160);
        auto& p = ProcTrabajo();
        p.botonDerechoAbajo = [] { return true; };
        p.conFoco = [] { return true; };
        p.ejecutaEventos = [this] {
            ++eventos;
            if (alEjecutarEventos) alEjecutarEventos(eventos);
            return true;
        };
    }
    void TearDown() override {
        plat::setSoundPlayer(nullptr);
        RegistraPresentadorMensaje(nullptr);
        RegistraProcedimientosPanel({});
        ReiniciaProcTrabajo();
        mesa.reset();
        PuzzGbl.reset();
    }

    static RegistroPieza en(int x, int y, int xDestino = 0, int yDestino = 0) {
        RegistroPieza r;
        r.X = std::int16_t(x), r.Y = std::int16_t(y);
        r.XDestino = std::int16_t(xDestino), r.YDestino = std::int16_t(yDestino);
        return r;
    }
    // A 2 x 2 jigsaw of rectangles, 10 x 10 pieces; each box is `caja` wide
    // and high, so a box larger than the piece has a transparent band at its
    // right and bottom.
    static void rompecabezas(int caja = 10) {
        auto& g = PuzzGbl;
        g.TipoJuego = 21;
        g.GiroPermitido = true;
        g.FormaPieza = 0;
        g.AnchoPieza = g.AltoPieza = 10;
        g.AnchoPiezaBase = g.AltoPiezaBase = std::int16_t(caja);
        mesa.Pic_Bitmap.setSize(40, 40);
        puzzle_test::PiezasEnOrden(4);
        for (int i = 1; i <= 4; ++i) g.Piezas[std::size_t(i)] = en(100, 100, (i - 1) % 2 * 10, (i - 1) / 2 * 10);
    }
    // A 3 x 3 sliding board with its hole in the middle: pieces below, right
    // of, above and left of the hole, and one in a corner.
    static void deslizantes() {
        auto& g = PuzzGbl;
        g.TipoJuego = 22;
        g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = 10;
        mesa.Pic_Bitmap.setSize(30, 30);
        puzzle_test::PiezasEnOrden(5);
        g.Piezas[1] = en(10, 20);
        g.Piezas[2] = en(20, 10);
        g.Piezas[3] = en(10, 0);
        g.Piezas[4] = en(0, 10);
        g.Piezas[5] = en(0, 0);
        g.AgujeroX = g.AgujeroY = 10;
    }
    // Six Taipei tiles: 1, 2, 3 side by side on row 1 (2 is blocked), 6 on
    // top of 2 and shifted up-left, 4 (the kind of 1) and 5 (another kind)
    // alone on row 3.
    static void taipei() {
        auto& g = PuzzGbl;
        g.TipoJuego = 25;
        g.AnchoPieza = 28, g.AltoPieza = 38;
        puzzle_test::PiezasEnOrden(6);
        auto ficha = [&](int i, int fila, int columna, int nivel, int clase) {
            RegistroPieza r = en(columna * 30 - (nivel - 1) * 4, fila * 40 - (nivel - 1) * 4);
            r.Fila = std::int16_t(fila), r.Columna = std::int16_t(columna), r.Nivel = std::int16_t(nivel);
            r.Estado = 1, r.Clase = std::int16_t(clase), r.Palo = 1, r.Valor = 1;
            g.Piezas[std::size_t(i)] = r;
            g.TAI_Tablero[std::size_t(fila)][std::size_t(columna)].Ficha[std::size_t(nivel)] = std::int16_t(i);
        };
        ficha(1, 1, 1, 1, 1);
        ficha(2, 1, 2, 1, 2);
        ficha(3, 1, 3, 1, 3);
        ficha(4, 3, 1, 1, 1);
        ficha(5, 3, 3, 1, 3);
        ficha(6, 1, 2, 2, 4);
        g.OrdenPiezas = {0, 6, 1, 2, 3, 4, 5};
    }

    // The sounds played, by number.
    std::vector<int> sonidosOidos() const {
        std::vector<int> ids;
        for (const auto& c : sonidos.calls())
            if (c.kind == plat::RecordingSoundPlayer::Call::Kind::Play)
                for (int id : {6, 7, 50, 53})
                    if (c.clip == teselaro::soundResource(id)) ids.push_back(id);
        return ids;
    }
    // Steps of the rotation loop: each one plays sound 6.
    int pasosGiro() const {
        const auto ids = sonidosOidos();
        return int(std::count(ids.begin(), ids.end(), 6));
    }
    static void pulsa(int boton, double x, double y) { Pic_Trabajo_MouseDown(std::int16_t(boton), 0, x, y); }
    static void mueve(double x, double y) { Pic_Trabajo_MouseMove(0, 0, x, y); }

    plat::RecordingSoundPlayer sonidos;
    std::vector<MensajeVisto> mensajes;
    int eventos = 0;
    std::function<void(int)> alEjecutarEventos;
};

// ------------------------------------------------------------------ hit test

TEST_F(TrabajoTest, TheBoxHoldsItsLastPixelAndNotTheNext) {
    rompecabezas();
    PuzzGbl.Piezas[1] = en(20, 30);
    struct Caso {
        double x, y;
        std::int16_t pieza;
    } casos[] = {{20, 30, 1}, {29, 39, 1}, {30, 35, 0}, {25, 40, 0}, {19.6, 35, 0}, {29.4, 35, 0}, {29, 39.2, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        mueve(c.x, c.y);
        EXPECT_EQ(PuzzGbl.PiezaSeleccionada, c.pieza);
    }
}

TEST_F(TrabajoTest, ThePointerOverATransparentPartOfTheFrontBoxFindsThePieceBehind) {
    rompecabezas(16); // black 10 x 10, then a transparent band of 6
    PuzzGbl.Piezas[1] = en(20, 20);
    PuzzGbl.Piezas[2] = en(30, 20, 30, 20); // behind, in its place
    mueve(32, 22);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 2);
    EXPECT_EQ(PuzzGbl.CursorActual, 21) << "a jigsaw piece in its place shows the green hand";
    mueve(22, 22);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 1);
    EXPECT_EQ(PuzzGbl.CursorActual, 22) << "out of its place: the red hand";
    // A piece turned over between two hovers is imaged afresh.
    PuzzGbl.Piezas[1].Volteo = 1;
    PuzzGbl.PiezaAnterior = 1;
    mueve(22, 22);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 1);
}

TEST_F(TrabajoTest, ASetUpForgetsThePointedPieceAndTheMasksKeptForTheHover) {
    rompecabezas();
    PuzzGbl.Piezas[1] = en(20, 20);
    mueve(27, 27);
    ASSERT_EQ(PuzzGbl.PiezaSeleccionada, 1);
    // The same piece number in a puzzle of smaller pieces: (27, 27) is now
    // in the transparent part of its box.
    PuzzGbl.AnchoPieza = PuzzGbl.AltoPieza = 5;
    PreparaJuego(false);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 0);
    mueve(27, 27);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 0);
    mueve(22, 22);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 1);
}

TEST_F(TrabajoTest, SlidingPointersFollowTheWayToTheHole) {
    deslizantes();
    struct Caso {
        double x, y;
        std::int16_t pieza, cursor;
    } casos[] = {{15, 25, 1, 25}, {25, 15, 2, 28}, {15, 5, 3, 27}, {5, 15, 4, 26}, {5, 5, 5, 12}, {15, 15, 0, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pieza);
        mueve(c.x, c.y);
        EXPECT_EQ(PuzzGbl.PiezaSeleccionada, c.pieza);
        EXPECT_EQ(PuzzGbl.CursorActual, c.cursor);
        EXPECT_EQ(PuzzGbl.PunteroRaton, c.cursor);
    }
    PuzzGbl.ColocacionManual = true;
    mueve(5, 5);
    EXPECT_EQ(PuzzGbl.CursorActual, 15);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 5);
}

TEST_F(TrabajoTest, CoveredAndRemovedTaipeiTilesAreNotFoundAtAnyLevel) {
    taipei();
    mueve(86, 76); // on 2, outside 6
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 0) << "2 lies under 6";
    mueve(60, 40); // on both: 6 is in front
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 6);
    EXPECT_EQ(PuzzGbl.CursorActual, 21);
    PuzzGbl.Piezas[6].Estado = 0;
    mueve(86, 76);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 2);
    EXPECT_EQ(PuzzGbl.CursorActual, 22) << "blocked by 1 and 3";
    PuzzGbl.Piezas[1].Estado = 0;
    mueve(35, 45);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 0) << "a removed tile is passed over";

    // The same two tiles on levels 4 and 5: the covered one is skipped too.
    taipei();
    auto& g = PuzzGbl;
    auto& casilla = g.TAI_Tablero[1][2];
    casilla.Ficha = {0, 0, 0, 0, 2, 6};
    g.Piezas[2].Nivel = 4;
    g.Piezas[6].Nivel = 5;
    mueve(86, 76);
    EXPECT_EQ(g.PiezaSeleccionada, 0);
}

TEST_F(TrabajoTest, TheTutorsPointerShowsOnlyOverPiecesOutOfPlace) {
    rompecabezas();
    PuzzGbl.Piezas[1] = en(20, 20, 20, 20);
    PuzzGbl.Piezas[2] = en(50, 20);
    PuzzGbl.TutorActivo = true;
    PuzzGbl.PasaAlHistorico = true;
    mueve(25, 25);
    EXPECT_EQ(PuzzGbl.CursorActual, 0);
    mueve(55, 25);
    EXPECT_EQ(PuzzGbl.CursorActual, 24);
    const auto antes = PuzzGbl.Piezas;
    pulsa(1, 55, 25);
    // The tutor showed piece 2's home: it costs the history, moves nothing.
    EXPECT_FALSE(PuzzGbl.PasaAlHistorico);
    EXPECT_EQ(PuzzGbl.Piezas, antes);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 0);
    EXPECT_FALSE(PuzzGbl.TutorActivo);
    EXPECT_FALSE(PuzzGbl.ArrastrandoPieza);
}

// ------------------------------------------------------------------ the press

TEST_F(TrabajoTest, ALeftPressLiftsTheFreePieceAndTheReleaseLandsIt) {
    rompecabezas();
    PuzzGbl.Piezas[1] = en(20, 20);
    PuzzGbl.Piezas[2] = en(50, 20);
    mueve(52, 22);
    pulsa(1, 52.5, 22.5);
    EXPECT_EQ(PuzzGbl.RatonX, 52);
    EXPECT_EQ(PuzzGbl.RatonY, 22);
    EXPECT_TRUE(PuzzGbl.ArrastrandoPieza);
    EXPECT_EQ(PuzzGbl.OrdenPiezas[1], 2);
    EXPECT_EQ(sonidosOidos(), std::vector<int>{50});
    EXPECT_EQ(mesa.Pic_Trabajo.customCursor(), QStringLiteral("MANOCERRADA"));
    mueve(62.5, 30);
    EXPECT_EQ(PuzzGbl.Piezas[2].X, 60);
    EXPECT_EQ(PuzzGbl.Piezas[2].Y, 28);
    // Landed away from the pointer (as a drop may place it), the pointer over
    // the empty table goes back to the arrow.
    mueve(150, 150);
    PuzzGbl.Piezas[2].X = 100;
    Pic_Trabajo_MouseUp(1, 0, 150, 150);
    EXPECT_FALSE(PuzzGbl.ArrastrandoPieza);
    ASSERT_EQ(PuzzGbl.UltimoMovGrabado, 1);
    const auto& m = PuzzGbl.MovGrabados[1];
    EXPECT_EQ(m.Pieza, 2);
    EXPECT_EQ(m.XAntes, 50);
    EXPECT_EQ(m.XDespues, 100);
    EXPECT_EQ(mesa.Pic_Trabajo.mousePointer(), 0);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 0);
}

TEST_F(TrabajoTest, ASlidingPieceNextToTheHoleSlidesAndOneElsewhereDoesNot) {
    deslizantes();
    mueve(5, 5);
    pulsa(1, 5, 5);
    EXPECT_EQ(PuzzGbl.Piezas[5].X, 0);
    EXPECT_TRUE(sonidosOidos().empty());
    mueve(15, 25);
    pulsa(1, 15, 25);
    EXPECT_EQ(PuzzGbl.Piezas[1].X, 10);
    EXPECT_EQ(PuzzGbl.Piezas[1].Y, 10);
    EXPECT_EQ(PuzzGbl.AgujeroY, 20);
    EXPECT_EQ(sonidosOidos(), std::vector<int>{53});
    EXPECT_TRUE(PuzzGbl.ArrastrandoPieza);
    Pic_Trabajo_MouseUp(1, 0, 15, 25);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 1);
    EXPECT_FALSE(PuzzGbl.ArrastrandoPieza);
}

TEST_F(TrabajoTest, TaipeiSelectionsPairsAndMistakes) {
    struct Caso {
        const char* nombre;
        std::vector<std::pair<double, double>> pulsaciones;
        std::vector<std::int16_t> estados; // tiles 1..6 after
        QStringList titulos;
        std::vector<int> sonidos;
        bool pareja;
    } casos[] = {
        {"one free tile", {{35, 45}}, {2, 1, 1, 1, 1, 1}, {}, {6}, false},
        {"selected twice", {{35, 45}, {35, 45}}, {1, 1, 1, 1, 1, 1}, {}, {6, 7}, false},
        {"a pair", {{35, 45}, {35, 125}}, {0, 1, 1, 0, 1, 1}, {}, {6, 6}, true},
        {"another kind", {{35, 45}, {95, 125}}, {2, 1, 1, 1, 1, 1}, {"Error de pareja"}, {6, 6}, false},
        {"blocked", {{86, 76}}, {1, 1, 1, 1, 1, 0}, {"Error de selección"}, {6}, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        PuzzGbl.reset();
        PuzzGbl.SonidoActivo = true;
        PuzzGbl.VelocidadJuego = 100;
        taipei();
        if (std::string(c.nombre) == "blocked") PuzzGbl.Piezas[6].Estado = 0;
        sonidos.clear();
        mensajes.clear();
        for (auto [x, y] : c.pulsaciones) {
            mueve(x, y);
            pulsa(1, x, y);
        }
        std::vector<std::int16_t> estados;
        for (int i = 1; i <= 6; ++i) estados.push_back(PuzzGbl.Piezas[std::size_t(i)].Estado);
        EXPECT_EQ(estados, c.estados);
        QStringList titulos;
        for (const auto& m : mensajes) titulos << m.titulo;
        EXPECT_EQ(titulos, c.titulos);
        for (const auto& m : mensajes) EXPECT_EQ(m.ayuda, 3050);
        EXPECT_EQ(sonidosOidos(), c.sonidos);
        EXPECT_EQ(PuzzGbl.ArrastrandoPieza, c.pareja);
        if (c.pareja) {
            Pic_Trabajo_MouseUp(1, 0, 35, 125);
            ASSERT_EQ(PuzzGbl.UltimoMovGrabado, 1);
            EXPECT_EQ(PuzzGbl.MovGrabados[1], (RegistroMovimiento{0, 1, 4, 0, 0, 0, 0, 0, 0}));
        }
    }
}

// What a press does under each busy flag: whether a piece is lifted (left)
// or turned (right), and what is said.
TEST_F(TrabajoTest, BusyStatesRefuseThePressesThatWouldSpoilThem) {
    struct Caso {
        const char* nombre;
        std::function<void()> prepara;
        int boton;
        bool actua;
        const char* mensaje;
    } casos[] = {
        {"plain left", [] {}, 1, true, nullptr},
        {"plain right", [] {}, 2, true, nullptr},
        {"solver moving, left", [] { PuzzGbl.EjecutandoSolucion = true; }, 1, false, nullptr},
        {"shuffling, left", [] { PuzzGbl.Barajando = true; }, 1, false, nullptr},
        {"shuffling, right", [] { PuzzGbl.Barajando = true; }, 2, false, nullptr},
        {"right/wrong shown, right", [] { PuzzGbl.MostrarBienoMal = true; }, 2, false, nullptr},
        {"right/wrong shown, left, display stays", [] { PuzzGbl.MostrarBienoMal = true; }, 1, false, nullptr},
        {"finished, left", [] { PuzzGbl.MostrandoModelo = true; }, 1, false, "Puzzle resuelto"},
        {"finished, right", [] { PuzzGbl.MostrandoModelo = true; }, 2, false, "Puzzle resuelto"},
        {"recorder on, left", [] { PuzzGbl.GrabadoraEncendida = true; }, 1, false, nullptr},
        {"recorder on, right", [] { PuzzGbl.GrabadoraEncendida = true; }, 2, false, nullptr},
        {"no rotation, right", [] { PuzzGbl.GiroPermitido = false; }, 2, false, nullptr},
        {"no rotation, solver's turn",
         [] {
             PuzzGbl.GiroPermitido = false;
             PuzzGbl.ResolviendoAuto = PuzzGbl.GiroSimulado = true;
         },
         2, true, nullptr},
        {"turning already", [] { PuzzGbl.GirandoPieza = true; }, 1, false, nullptr},
        {"dropping", [] { PuzzGbl.SoltandoPieza = true; }, 1, false, nullptr},
        {"piece number out of range", [] { PuzzGbl.PiezaSeleccionada = 9; }, 1, false, nullptr},
        {"gathering, left", [] { PuzzGbl.RecogiendoPiezas = true; }, 1, false, nullptr},
        {"gathering, right, stale selection",
         [] {
             PuzzGbl.RecogiendoPiezas = true;
             PuzzGbl.PiezaSeleccionada = 0;
         },
         2, true, nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        PuzzGbl.reset();
        PuzzGbl.VelocidadJuego = 100;
        PuzzGbl.SonidoActivo = true;
        sonidos.clear();
        mensajes.clear();
        eventos = 0;
        alEjecutarEventos = [](int) { Pic_Trabajo_Click(); };
        rompecabezas();
        PuzzGbl.Piezas[1] = en(20, 20);
        mueve(25, 25);
        ASSERT_EQ(PuzzGbl.PiezaSeleccionada, 1);
        c.prepara();
        pulsa(c.boton, 25, 25);
        const bool actuo = c.boton == 1 ? PuzzGbl.ArrastrandoPieza : pasosGiro() > 0;
        EXPECT_EQ(actuo, c.actua);
        if (c.mensaje) {
            ASSERT_EQ(mensajes.size(), 1u);
            EXPECT_EQ(mensajes[0].titulo, QString::fromUtf8(c.mensaje));
            EXPECT_EQ(mensajes[0].lineas, 3);
            EXPECT_EQ(mensajes[0].ayuda, 2200);
        } else {
            EXPECT_TRUE(mensajes.empty());
        }
    }
}

TEST_F(TrabajoTest, SwitchingTheRightWrongDisplayOffFindsThePieceUnderThePressAfresh) {
    rompecabezas();
    PuzzGbl.Piezas[1] = en(20, 20);
    PuzzGbl.Piezas[2] = en(60, 20);
    std::vector<int> botones;
    ProcedimientosPanel p;
    p.botonMouseDown = [&](std::int16_t i, std::int16_t, std::int16_t, double, double) {
        botones.push_back(i);
        if (i == 10) PuzzGbl.MostrarBienoMal = false;
    };
    RegistraProcedimientosPanel(p);
    mueve(25, 25);
    PuzzGbl.MostrarBienoMal = true;
    mueve(65, 25); // the hover is suspended: 1 stays selected
    ASSERT_EQ(PuzzGbl.PiezaSeleccionada, 1);
    pulsa(1, 65, 25);
    EXPECT_EQ(botones, std::vector<int>{10});
    EXPECT_TRUE(PuzzGbl.ArrastrandoPieza);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 2);
    EXPECT_EQ(PuzzGbl.OrdenPiezas[1], 2);
}

TEST_F(TrabajoTest, APressAfterALostReleaseLandsTheHeldPieceFirst) {
    rompecabezas();
    PuzzGbl.Piezas[1] = en(20, 20);
    PuzzGbl.Piezas[2] = en(60, 20);
    mueve(25, 25);
    pulsa(1, 25, 25);
    mueve(35, 25);
    // The release never came; the next press is over piece 2.
    pulsa(1, 65, 25);
    ASSERT_EQ(PuzzGbl.UltimoMovGrabado, 1);
    EXPECT_EQ(PuzzGbl.MovGrabados[1].Pieza, 1);
    EXPECT_EQ(PuzzGbl.MovGrabados[1].XDespues, 30);
    EXPECT_EQ(PuzzGbl.OrdenPiezas[1], 2) << "the new press lifts the piece under it";
    EXPECT_TRUE(PuzzGbl.ArrastrandoPieza);
}

// ------------------------------------------------------------- rotation loop

TEST_F(TrabajoTest, TheRotationLoopTurnsUntilTheClickAndRecordsOneMove) {
    rompecabezas();
    PuzzGbl.Piezas[1] = en(20, 20);
    mueve(25, 25);
    alEjecutarEventos = [](int n) {
        if (n == 3) Pic_Trabajo_Click();
    };
    pulsa(2, 25, 25);
    EXPECT_EQ(PuzzGbl.Piezas[1].Giro, 3);
    EXPECT_FALSE(PuzzGbl.GirandoPieza);
    ASSERT_EQ(PuzzGbl.UltimoMovGrabado, 1);
    EXPECT_EQ(PuzzGbl.MovGrabados[1], (RegistroMovimiento{1, 20, 20, 0, 0, 20, 20, 3, 0}));
    EXPECT_EQ(sonidosOidos(), (std::vector<int>{6, 6, 6}));
    EXPECT_EQ(mesa.llamadasBoton(), 0);
    EXPECT_FALSE(mesa.Pic_SelOpciones.visible()) << "a right click on a piece opens no panel";
}

TEST_F(TrabajoTest, TheRotationLoopEndsWhenItsEndingClickCannotCome) {
    struct Caso {
        const char* nombre;
        std::function<void(plat::MouseAdapter&)> alPrimerPaso;
    } casos[] = {
        {"right click through the adapter", [](plat::MouseAdapter& a) { a.release(2, 0, 25, 25); }},
        {"release outside the table", [](plat::MouseAdapter& a) { a.release(2, 0, -300, 900); }},
        {"button found up", [](plat::MouseAdapter&) { ProcTrabajo().botonDerechoAbajo = [] { return false; }; }},
        {"focus lost", [](plat::MouseAdapter&) { ProcTrabajo().conFoco = [] { return false; }; }},
        {"events cannot run", [](plat::MouseAdapter&) { ProcTrabajo().ejecutaEventos = [] { return false; }; }},
        {"piece gone", [](plat::MouseAdapter&) { PuzzGbl.NroPiezas = 0; }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        PuzzGbl.reset();
        PuzzGbl.VelocidadJuego = 100;
        SetUp();
        eventos = 0;
        rompecabezas();
        PuzzGbl.Piezas[1] = en(20, 20);
        const plat::MouseHandlers h = ManejadoresTrabajo();
        plat::MouseAdapter adaptador(h);
        adaptador.move(0, 0, 25, 25);
        alEjecutarEventos = [&](int n) {
            if (n == 1) c.alPrimerPaso(adaptador);
            if (n > 5) Pic_Trabajo_Click(); // the test's own safety stop
        };
        c.alPrimerPaso(adaptador); // a case that changes a hook does it before the press
        if (std::string(c.nombre) == "piece gone") {
            PuzzGbl.NroPiezas = 1;
            alEjecutarEventos = [](int) { PuzzGbl.NroPiezas = 0; };
        }
        sonidos.clear();
        adaptador.press(2, 0, 25, 25);
        EXPECT_EQ(pasosGiro(), 1);
        EXPECT_FALSE(PuzzGbl.GirandoPieza);
        EXPECT_LE(eventos, 1);
        TearDown();
    }
}

TEST_F(TrabajoTest, TheSolverTurnsOneStepPerPressAndTheXPentominoNeverTurns) {
    rompecabezas();
    PuzzGbl.Piezas[1] = en(20, 20);
    PuzzGbl.PiezaSeleccionada = 1;
    PuzzGbl.ResolviendoAuto = PuzzGbl.GiroSimulado = true;
    PuzzGbl.Piezas[1].GiroDestino = 2;
    pulsa(2, 0, 0);
    EXPECT_EQ(pasosGiro(), 1);
    EXPECT_EQ(PuzzGbl.Piezas[1].Giro, 2) << "the solver's press turns straight to the home rotation";
    EXPECT_EQ(eventos, 0);

    PuzzGbl.ResolviendoAuto = PuzzGbl.GiroSimulado = false;
    PuzzGbl.TipoJuego = 24;
    PuzzGbl.PEN_TablaPiezas[1].Rotaciones = 1; // the X
    PuzzGbl.PiezaSeleccionada = 1;
    sonidos.clear();
    pulsa(2, 25, 25);
    EXPECT_EQ(pasosGiro(), 0);
    PuzzGbl.PEN_TablaPiezas[1].Rotaciones = 4;
    alEjecutarEventos = [](int) { Pic_Trabajo_Click(); };
    pulsa(2, 25, 25);
    EXPECT_EQ(pasosGiro(), 1);
}

// ------------------------------------------------------------ click, double

TEST_F(TrabajoTest, ARightClickOnTheEmptyTableOpensTheOptionPanelUnlessBusy) {
    struct Caso {
        const char* nombre;
        std::function<void()> prepara;
        bool abre, fila4;
    } casos[] = {
        {"plain", [] {}, true, false},
        {"Tangram design", [] { PuzzGbl.TipoJuego = 23, PuzzGbl.TAN_ModoJuego = 1; }, true, true},
        {"Tangram solving", [] { PuzzGbl.TipoJuego = 23, PuzzGbl.TAN_ModoJuego = 2; }, true, false},
        {"recorder on", [] { PuzzGbl.GrabadoraEncendida = true; }, false, false},
        {"over a piece", [] { PuzzGbl.PiezaSeleccionada = 1; }, false, false},
        {"left click", [] { PuzzGbl.BotonRaton = 1; }, false, false},
        {"solving", [] { PuzzGbl.ResolviendoAuto = true; }, false, false},
        {"solver moving", [] { PuzzGbl.EjecutandoSolucion = true; }, false, false},
        {"gathering", [] { PuzzGbl.RecogiendoPiezas = true; }, false, false},
        {"shuffling", [] { PuzzGbl.Barajando = true; }, false, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        PuzzGbl.reset();
        PuzzGbl.TipoJuego = 21;
        PuzzGbl.BotonRaton = 2;
        mesa.Pic_SelOpciones.setVisible(false);
        c.prepara();
        Pic_Trabajo_Click();
        EXPECT_EQ(mesa.Pic_SelOpciones.visible(), c.abre);
        if (c.abre) {
            EXPECT_TRUE(PuzzGbl.OpcionesSelecActivas[1] && PuzzGbl.OpcionesSelecActivas[2] &&
                        PuzzGbl.OpcionesSelecActivas[3]);
            EXPECT_EQ(PuzzGbl.OpcionesSelecActivas[4], c.fila4);
        }
        EXPECT_FALSE(PuzzGbl.GirandoPieza);
    }
}

TEST_F(TrabajoTest, ADoubleClickTurnsOverOnlyThePieceItsFirstPressLifted) {
    struct Caso {
        const char* nombre;
        std::int16_t juego, pieza, caras;
        std::function<void()> antes; // after the first click, before the double click
        bool voltea;
    } casos[] = {
        {"parallelogram", 23, 7, 0, [] {}, true},
        {"Tangram triangle", 23, 3, 0, [] {}, false},
        {"F pentomino", 24, 2, 2, [] {}, true},
        {"I pentomino", 24, 2, 1, [] {}, false},
        {"jigsaw", 21, 2, 2, [] {}, false},
        {"recorder switched on", 23, 7, 0, [] { PuzzGbl.GrabadoraEncendida = true; }, false},
        {"finished", 23, 7, 0, [] { PuzzGbl.MostrandoModelo = true; }, false},
        {"right/wrong shown", 23, 7, 0, [] { PuzzGbl.MostrarBienoMal = true; }, false},
        {"another piece selected since", 23, 7, 0, [] { PuzzGbl.PiezaSeleccionada = 3; }, false},
        {"turning", 23, 7, 0, [] { PuzzGbl.GirandoPieza = true; }, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        PuzzGbl.reset();
        ReiniciaProcTrabajo();
        PuzzGbl.VelocidadJuego = 100;
        puzzle_test::PiezasEnOrden(8);
        PuzzGbl.Piezas[1].XDestino = 50; // one piece away from home: the drop ends no puzzle
        PuzzGbl.TipoJuego = c.juego;
        PuzzGbl.PEN_TablaPiezas[2].Caras = c.caras;
        PuzzGbl.PiezaSeleccionada = c.pieza;
        PuzzGbl.Piezas[std::size_t(c.pieza)] = en(20, 20);
        pulsa(1, 25, 25); // the first click lifts and drops it
        Pic_Trabajo_MouseUp(1, 0, 25, 25);
        PuzzGbl.PiezaSeleccionada = c.pieza; // what the hover finds again
        c.antes();
        Pic_Trabajo_DblClick();
        EXPECT_EQ(PuzzGbl.Piezas[std::size_t(c.pieza)].Volteo, c.voltea ? 1 : 0);
    }
}

// ------------------------------------------------------------ drag scrolling

TEST_F(TrabajoTest, DraggingAJigsawPieceToAnEdgeScrollsOneLargeChangePerMove) {
    struct Caso {
        const char* nombre;
        std::int16_t juego;
        double x, y;
        int hor, ver; // values after
    } casos[] = {
        {"top row", 21, 300, 100, 100, 50},
        {"top row of an unscrolled table", 21, 300, 0, 100, 100},
        {"bottom, past the visible area", 21, 300, 100 + 768 - 16 + 0.5, 100, 150},
        {"left column", 21, 100, 300, 50, 100},
        {"right, past the visible area", 21, 100 + 1024 - 16 + 0.5, 300, 150, 100},
        {"inside", 21, 300, 300, 100, 100},
        {"Tangram does not scroll", 23, 300, 100, 100, 100},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        PuzzGbl.reset();
        PuzzGbl.AnchoMesa = 1024, PuzzGbl.AltoMesa = 768;
        puzzle_test::PiezasEnOrden(1);
        PuzzGbl.TipoJuego = c.juego;
        PuzzGbl.Piezas[1] = en(300, 300);
        mesa.Pic_Trabajo.setSize(2000, 1500);
        mesa.Pic_Imagen.setSize(2000, 1500);
        for (auto* b : {&mesa.BarraHor, &mesa.BarraVer}) {
            b->setMax(200);
            b->setLargeChange(50);
            b->setVisible(true);
            b->setValue(c.juego == 21 && std::string(c.nombre).find("unscrolled") != std::string::npos ? 0 : 100);
        }
        mesa.BarraHor.Move(0, 768 - 16, 1024 - 16, 16);
        mesa.BarraVer.Move(1024 - 16, 0, 16, 768 - 16);
        const int verAntes = mesa.BarraVer.Value();
        PuzzGbl.ArrastrandoPieza = true;
        PuzzGbl.PiezaSeleccionada = 1;
        PuzzGbl.TrabajoNuevoX = 300, PuzzGbl.TrabajoNuevoY = 300;
        mueve(c.x, c.y);
        EXPECT_EQ(mesa.BarraHor.Value(), verAntes == 0 ? 0 : c.hor);
        EXPECT_EQ(mesa.BarraVer.Value(), verAntes == 0 ? 0 : c.ver);
        EXPECT_EQ(mesa.Pic_Trabajo.top(), -mesa.BarraVer.Value());
    }
    // Clamped at the ends.
    mesa.BarraVer.setValue(30);
    PuzzGbl.TipoJuego = 21;
    mueve(300, 30);
    EXPECT_EQ(mesa.BarraVer.Value(), 0);
    mesa.BarraVer.setValue(180);
    mueve(300, 180 + 768 - 16 + 1);
    EXPECT_EQ(mesa.BarraVer.Value(), 200);
}

// ------------------------------------------------------------------ the tab

TEST_F(TrabajoTest, TheTabSlidesThePanelOutToTheLastColumnAndBack) {
    DibujaBotonera();
    auto& panel = mesa.Pic_Botonera;
    auto& tab = mesa.Pic_EsconderBot;
    panel.move(1024 - 141, 0, 141, 600);
    tab.move(panel.left() - 9, 0, 9, 33);
    mesa.Pic_BmpVario.filledBox(98, 30, 106, 62, 0x111111);
    mesa.Pic_BmpVario.filledBox(108, 30, 116, 62, 0x222222);
    PuzzGbl.BotoneraOculta = true;
    std::vector<int> lefts;
    panel.onChanged = [&] { lefts.push_back(panel.left()); };

    Pic_EsconderBot_MouseDown(1, 0, 3, 3);
    EXPECT_EQ(panel.left(), 1024 - 1);
    EXPECT_EQ(tab.left(), 1024 - 1 - 9);
    EXPECT_FALSE(PuzzGbl.BotoneraOculta);
    EXPECT_EQ(tab.point(4, 4), 0x222222u);
    EXPECT_EQ(sonidosOidos(), std::vector<int>{6});
    ASSERT_FALSE(lefts.empty());
    EXPECT_EQ(*std::max_element(lefts.begin(), lefts.end()), 1024 - 1) << "never past the last column";
    panel.onChanged = nullptr;

    Pic_EsconderBot_MouseDown(1, 0, 3, 3);
    EXPECT_EQ(panel.left(), 1024 - 141);
    EXPECT_EQ(tab.left(), 1024 - 141 - 9);
    EXPECT_TRUE(PuzzGbl.BotoneraOculta);
    EXPECT_EQ(tab.point(4, 4), 0x111111u);
}

// ------------------------------------------------------- through the window

// The table's and the tab's views hand Qt's mouse events to the handlers.
class TrabajoVentanaTest : public TrabajoTest {
protected:
    void SetUp() override {
        TrabajoTest::SetUp();
        ventana = InstalaMesa();
        ASSERT_NE(ventana, nullptr);
        mesa.Move(0, 0, 800, 600);
        mesa.Show();
        plat::doEvents();
        mesa.Pic_Trabajo.move(0, 0);
    }
    void TearDown() override {
        DesinstalaMesa();
        mesa.ponCreadorVentana(nullptr);
        TrabajoTest::TearDown();
    }
    static void envia(QWidget* w, QEvent::Type t, QPointF at, Qt::MouseButton b, Qt::MouseButtons held) {
        QMouseEvent e(t, at, w->mapToGlobal(at), b, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    VentanaMesa* ventana = nullptr;
};

TEST_F(TrabajoVentanaTest, AClickAndADoubleClickOnTheTableLiftAndLandThePiece) {
    rompecabezas();
    PuzzGbl.Piezas[1] = en(20, 20);
    auto* v = ventana->vista(mesa.Pic_Trabajo);
    ASSERT_NE(v, nullptr);
    envia(v, QEvent::MouseMove, {25, 25}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(PuzzGbl.PiezaSeleccionada, 1);
    envia(v, QEvent::MouseButtonPress, {25, 25}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(PuzzGbl.ArrastrandoPieza);
    envia(v, QEvent::MouseMove, {35, 28}, Qt::NoButton, Qt::LeftButton);
    envia(v, QEvent::MouseButtonRelease, {35, 28}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(PuzzGbl.ArrastrandoPieza);
    EXPECT_EQ(PuzzGbl.Piezas[1].X, 30);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 1);
    // The second press of a double click lifts nothing; its release lands nothing twice.
    envia(v, QEvent::MouseButtonDblClick, {35, 28}, Qt::LeftButton, Qt::LeftButton);
    envia(v, QEvent::MouseButtonRelease, {35, 28}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(PuzzGbl.ArrastrandoPieza);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 1);
}

TEST_F(TrabajoVentanaTest, APressOnTheTabSlidesThePanel) {
    DibujaBotonera();
    ASSERT_EQ(mesa.Pic_Botonera.left(), 1024 - 141);
    auto* v = ventana->vista(mesa.Pic_EsconderBot);
    ASSERT_NE(v, nullptr);
    envia(v, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
    envia(v, QEvent::MouseButtonRelease, {3, 3}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(mesa.Pic_Botonera.left(), 1024 - 1);
}

} // namespace
