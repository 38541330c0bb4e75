// The command panel: which buttons act and show per game, its layout, the
// pause of the chronometer around commands, the exit, the manual arrangement
// of the sliding game and the hidden pieces.
#include "botonera_fakes.h"

#include "model/EstadoPuzzle.h"
#include "model/Partida.h"
#include "platform/files.h"
#include "platform/ui/events.h"
#include "resources/resources.h"
#include "table/VentanaMesa.h"
#include "tests/support/fixtures.h"
#include "tests/support/grado.h"

#include <QFile>
#include <QDir>

#include <cerrno>
#include <optional>
#include <utility>

namespace {

using namespace botonera_pruebas;

// ------------------------------------------------------------ active matrix

TEST(BotoneraTabla, WhichButtonsActInEveryState) {
    // One letter per button 1..12: A active (pointing hand), I inactive (no-drop).
    const struct {
        EstadoBotones e;
        const char* esperado;
    } casos[] = {
        {{21, 2, 1, false, false}, "AAAAAAAAAAAA"},
        {{21, 2, 1, true, false}, "IIIIAAAAIIII"},
        {{21, 2, 1, false, true}, "AAIAAAAAIIII"},
        {{22, 2, 1, false, false}, "AAAAAAAAAAAA"},
        {{22, 2, 2, false, false}, "AAAAAAAIAAAA"},
        {{22, 2, 3, true, true}, "IIIIAAAIIIII"},
        {{23, 1, 1, false, false}, "AAIAAAAIAIAI"},
        {{23, 2, 1, false, false}, "AAAAAAAIAAAA"},
        {{24, 1, 1, false, false}, "AAAAAAAIAAAA"},
        {{25, 2, 1, false, false}, "AAAAAAAIIAIA"},
        {{25, 2, 1, false, true}, "AAIAAAAIIIII"},
    };
    for (const auto& c : casos) {
        QString visto;
        for (int i = 1; i <= 12; ++i) visto += CursorBoton(c.e, i) == 23 ? 'A' : 'I';
        EXPECT_EQ(visto.toStdString(), c.esperado)
            << "game " << c.e.juego << " mode " << c.e.modoTangram << " background " << c.e.tipoRotulo
            << " recorder " << c.e.grabadora << " finished " << c.e.mostrandoModelo;
    }
}

TEST_F(PanelTest, HoverFollowsTheStateAndAPressActsOnTheStoredOne) {
    PuzzGbl.GrabadoraEncendida = true;
    Pic_Boton_MouseMove(1, 0, 0, 5, 5);
    EXPECT_EQ(PuzzGbl.BotonCursor[1], 12);
    EXPECT_EQ(mesa.Pic_Boton(1).mousePointer(), 12);
    // The recorder goes off but the pointer has not moved over the button:
    // the button keeps its inactive state and the press is silent.
    PuzzGbl.GrabadoraEncendida = false;
    PuzzGbl.TutorActivo = true;
    const auto pinturas = mesa.pinturasTrabajo();
    pulsa(1);
    EXPECT_EQ(mesa.pinturasTrabajo(), pinturas) << "no deal";
    EXPECT_TRUE(PuzzGbl.TutorActivo);
    EXPECT_EQ(opcionesOcultas, 1) << "even an inactive press hides the option panel";
    EXPECT_TRUE(mensajes.empty());
    Pic_Boton_MouseMove(1, 0, 0, 5, 5);
    EXPECT_EQ(PuzzGbl.BotonCursor[1], 23);
    pulsa(1);
    EXPECT_GT(mesa.pinturasTrabajo(), pinturas) << "a new puzzle on the table";
    EXPECT_FALSE(PuzzGbl.TutorActivo);
}

// ------------------------------------------------------------------- layout

TEST_F(PanelTest, ButtonsShownAndLayoutPerGame) {
    const struct {
        std::int16_t juego, modo;
        const char* visibles; // buttons 1..12
        bool cronometro;
    } casos[] = {
        {21, 2, "111111111111", true}, {22, 2, "111111110111", true}, {23, 1, "111111100111", false},
        {23, 2, "111111100111", true}, {24, 2, "111111101111", true}, {25, 2, "111111100101", true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "game " << c.juego << " mode " << c.modo);
        PuzzGbl.TipoJuego = c.juego;
        PuzzGbl.TAN_ModoJuego = c.modo;
        for (int i = 1; i <= 12; ++i) mesa.Pic_Boton(i).setVisible(false);
        DibujaBotonera();
        QString visto;
        for (int i = 1; i <= 12; ++i) visto += mesa.Pic_Boton(i).visible() ? '1' : '0';
        EXPECT_EQ(visto.toStdString(), c.visibles);
        EXPECT_EQ(mesa.Pic_Cronome.visible(), c.cronometro);
        EXPECT_EQ(mesa.Pic_InfoColo.visible(), c.cronometro);
        EXPECT_EQ(mesa.Pic_Boton(10).toolTip(),
                  c.juego == 25 ? QString(" Mostrar piezas libres ") : QString(" Mostrar piezas colocadas "));
    }
    EXPECT_EQ(mesa.Pic_Botonera.left(), 1024 - 141);
    EXPECT_EQ(mesa.Pic_Botonera.width(), 141);
    EXPECT_EQ(mesa.Pic_Botonera.height(), 431);
    const int esperadas[13][2] = {{0, 0},   {15, 194}, {15, 10},  {15, 68},  {78, 68},  {15, 126}, {78, 10},
                                  {78, 126}, {78, 194}, {15, 310}, {78, 252}, {15, 252}, {78, 310}};
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(mesa.Pic_Boton(i).left(), esperadas[i][0]) << i;
        EXPECT_EQ(mesa.Pic_Boton(i).top(), esperadas[i][1]) << i;
        EXPECT_EQ(mesa.Pic_Boton(i).width(), 48);
        EXPECT_EQ(PuzzGbl.BotonCursor[std::size_t(i)], 23);
    }
    // The grooves and what lies below the second one.
    for (const int y : {183, 367}) {
        EXPECT_EQ(mesa.Pic_Botonera.point(70, y), 0x042484u) << y;
        EXPECT_EQ(mesa.Pic_Botonera.point(70, y + 1), 0x7C9CFCu) << y;
    }
    EXPECT_EQ(PuzzGbl.HuecoY, 367);
    PuzzGbl.TAN_ModoJuego = 2;
    DibujaBotonera();
    EXPECT_EQ(mesa.Pic_Cronome.left(), 10);
    EXPECT_EQ(mesa.Pic_Cronome.top(), 378);
    EXPECT_EQ(mesa.Pic_InfoColo.left(), 73);
    EXPECT_EQ(mesa.Pic_InfoColo.top(), 387);
    EXPECT_EQ(mesa.Pic_InfoColo.width(), 58);
    EXPECT_EQ(mesa.Pic_InfoColo.height(), 25);
    EXPECT_EQ(mesa.Pic_Boton(5).toolTip(), QString::fromUtf8(" Histórico de puzzles resueltos "));
}

TEST_F(PanelTest, ButtonFacesComeFromTheirCellsOfTheSheet) {
    for (int i = 1; i <= 12; ++i) mesa.Pic_BmpBoton.plot((i - 1) * 49 + 47, 47, plat::Color(i));
    DibujaBotonera();
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(mesa.Pic_Boton(i).point(47, 47), plat::Color(i)) << i;
}

TEST_F(PanelTest, TheProgramCarriesTwelveDistinctButtonFaces) {
    teselaro::initResources();
    mesa.Load();
    std::vector<QImage> caras;
    for (int i = 0; i < 12; ++i) {
        const QImage cara = mesa.Pic_BmpBoton.image().copy(i * 49, 0, 48, 48);
        const QColor esquina = cara.pixelColor(0, 0);
        bool lisa = true;
        for (int y = 0; y < 48 && lisa; ++y)
            for (int x = 0; x < 48 && lisa; ++x) lisa = cara.pixelColor(x, y) == esquina;
        EXPECT_FALSE(lisa) << i + 1;
        for (const QImage& otra : caras) EXPECT_NE(cara, otra) << i + 1;
        caras.push_back(cara);
    }
}

TEST_F(PanelTest, TheTabShowsThePanelAsShownAfterAHideAndANewPuzzle) {
    mesa.Pic_BmpVario.plot(98, 30, 0x123456);
    mesa.Pic_BmpVario.plot(108, 30, 0x654321);
    PuzzGbl.BotoneraOculta = false; // the panel was slid away
    DibujaBotonera(); // a new puzzle's set-up
    EXPECT_TRUE(PuzzGbl.BotoneraOculta) << "the next press of the tab hides the panel";
    EXPECT_EQ(mesa.Pic_EsconderBot.point(0, 0), 0x123456u);
    EXPECT_EQ(mesa.Pic_EsconderBot.left(), 1024 - 141 - 9);
    EXPECT_EQ(mesa.Pic_EsconderBot.width(), 9);
    EXPECT_EQ(mesa.Pic_EsconderBot.height(), 33);
}

// ------------------------------------------------------------- pause rule

TEST_F(PanelTest, AWindowCommandPausesAndRestoresTheChronometer) {
    bool corriaDentro = true;
    Lanzador().historic = [&] { corriaDentro = PuzzGbl.CronometroEnMarcha; };
    Lanzador().estadis = [&] { corriaDentro = PuzzGbl.CronometroEnMarcha; };
    for (int boton : {4, 5, 6}) {
        for (bool enMarcha : {true, false}) {
            SCOPED_TRACE(testing::Message() << "button " << boton << " running " << enMarcha);
            MarchaCronometro(enMarcha ? 1 : 2);
            corriaDentro = true;
            pulsa(boton);
            if (boton != 6) {
                EXPECT_FALSE(corriaDentro);
            }
            EXPECT_EQ(PuzzGbl.CronometroEnMarcha, enMarcha);
        }
    }
    EXPECT_EQ(ayudas, 2);
}

TEST_F(PanelTest, APuzzleFinishedDuringAWindowCommandKeepsTheChronometerStopped) {
    // The settings window changed the game to one whose last puzzle is solved.
    Lanzador().personal = [] { PuzzGbl.MostrandoModelo = true; };
    MarchaCronometro(1);
    pulsa(2);
    EXPECT_FALSE(PuzzGbl.CronometroEnMarcha);
}

TEST_F(PanelTest, NestedPausesEachRestoreTheirOwnState) {
    // The history opened from inside a running solve.
    MarchaCronometro(1);
    bool corriaTrasHistorico = true;
    Lanzador().historic = [] {};
    Lanzador().resuelvePuzzle = [&] {
        plat::LongAction bucle;
        pulsa(5);
        corriaTrasHistorico = PuzzGbl.CronometroEnMarcha;
    };
    pulsa(12);
    EXPECT_FALSE(corriaTrasHistorico) << "the solve's own pause still holds";
    EXPECT_TRUE(PuzzGbl.CronometroEnMarcha) << "running before the solve, running after it";

    // The history with the recorder on: the recorder's saved state is its own.
    PuzzGbl.GrabadoraEncendida = true;
    PuzzGbl.CronoAntesGrabadora = true;
    MarchaCronometro(2);
    pulsa(5);
    EXPECT_TRUE(PuzzGbl.CronoAntesGrabadora);
    EXPECT_FALSE(PuzzGbl.CronometroEnMarcha);
}

// --------------------------------------------------------------------- exit

TEST_F(PanelTest, ExitDeclinedRestoresAcceptedWritesSettingsFirst) {
    MarchaCronometro(1);
    respuestas = {false};
    pulsa(7);
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].titulo, "Salir de TESELARO");
    EXPECT_EQ(mensajes[0].texto, QString::fromUtf8("¿Desea abandonar el programa?"));
    EXPECT_EQ(mensajes[0].lineas, 1);
    EXPECT_EQ(mensajes[0].tipo, 2);
    EXPECT_EQ(mensajes[0].ayuda, 0);
    EXPECT_TRUE(PuzzGbl.CronometroEnMarcha);
    EXPECT_FALSE(PuzzGbl.SaliendoPrograma);
    EXPECT_EQ(finales, 0);

    EXPECT_TRUE(CierreVentanaMesa());
    EXPECT_TRUE(QFile::exists(carpeta.file("Tsl34.ini")));
    EXPECT_TRUE(PuzzGbl.SaliendoPrograma);
    EXPECT_EQ(finales, 1);
    EXPECT_EQ(mensajes.size(), 2u) << "no question after a good write";
}

TEST_F(PanelTest, AFailedWriteAsksAndCancelStays) {
    // Every write fails (a full disk), then only the settings' (a folder
    // stands where the file goes).
    for (bool discoLleno : {true, false}) {
        SCOPED_TRACE(discoLleno);
        mensajes.clear();
        MarchaCronometro(1);
        std::optional<plat::ScopedWriteFault> fallo;
        if (discoLleno) fallo.emplace(plat::WriteFault{0, ENOSPC});
        else QDir().mkpath(carpeta.file("Tsl34.ini"));
        respuestas = {true, false};
        EXPECT_FALSE(CierreVentanaMesa());
        ASSERT_EQ(mensajes.size(), 2u);
        EXPECT_EQ(mensajes[1].titulo, "Salir del programa");
        EXPECT_EQ(mensajes[1].texto,
                  QString::fromUtf8("No se ha podido guardar el estado del programa. ¿Desea salir de todos modos?"));
        EXPECT_EQ(mensajes[1].lineas, 2);
        EXPECT_EQ(mensajes[1].tipo, 2);
        EXPECT_TRUE(PuzzGbl.CronometroEnMarcha);
        EXPECT_EQ(finales, 0);
    }
    respuestas = {true, true}; // the settings still cannot be written
    EXPECT_TRUE(CierreVentanaMesa());
    EXPECT_EQ(finales, 1);
}

TEST_F(PanelTest, ExitRefusedWhileRecording) {
    PuzzGbl.GrabadoraEncendida = true;
    MarchaCronometro(2);
    EXPECT_FALSE(CierreVentanaMesa());
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].texto,
              QString::fromUtf8("Tiene que apagar la Grabadora de movimientos antes de poder salir del programa."));
    EXPECT_EQ(mensajes[0].lineas, 2);
    EXPECT_EQ(mensajes[0].tipo, 1);
    EXPECT_FALSE(QFile::exists(carpeta.file("Tsl34.ini"))) << "nothing written";
}

// ------------------------------------------------------- manual arrangement

// A 3 x 3 sliding board with pieces 1 and 2 exchanged: no slides solve it.
// `resoluble` exchanges them back.
void PonTableroSinSolucion(bool resoluble = false) {
    auto& g = PuzzGbl;
    g.PiezasLado = 3;
    g.NroPiezas = 8;
    g.AnchoPieza = g.AltoPieza = 40;
    g.OrigenX = g.OrigenY = 10;
    g.Piezas.assign(9, RegistroPieza{});
    g.OrdenPiezas.assign(9, 0);
    for (int i = 1; i <= 8; ++i) {
        auto& p = g.Piezas[std::size_t(i)];
        p.X = p.XDestino = std::int16_t(10 + (i - 1) % 3 * 40);
        p.Y = p.YDestino = std::int16_t(10 + (i - 1) / 3 * 40);
        g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
    }
    if (!resoluble) std::swap(g.Piezas[1].X, g.Piezas[2].X);
    g.AgujeroX = g.AgujeroY = 90;
}

TEST_F(PanelTest, UnsolvableArrangementLetsOnlyHelpAndPreviewThrough) {
    PuzzGbl.TipoJuego = 22;
    DibujaBotonera();
    Lanzador().personal = [] {};
    Lanzador().estadis = [] {};
    Lanzador().historic = [] {};
    PonTableroSinSolucion();
    ASSERT_FALSE(EsResoluble());
    for (int boton = 1; boton <= 12; ++boton) {
        if (boton == 11) continue;
        SCOPED_TRACE(boton);
        PuzzGbl.ColocacionManual = true;
        PuzzGbl.MuestraVisible = false;
        mensajes.clear();
        ayudas = 0;
        respuestas = {false}; // keep arranging
        pulsa(boton);
        EXPECT_TRUE(PuzzGbl.ColocacionManual);
        if (boton == 6 || boton == 8) {
            EXPECT_TRUE(mensajes.empty());
            EXPECT_EQ(boton == 6 ? ayudas : int(PuzzGbl.MuestraVisible), 1);
        } else {
            ASSERT_EQ(mensajes.size(), 1u);
            EXPECT_EQ(mensajes[0].titulo, QString::fromUtf8("Configuración sin solución"));
            EXPECT_EQ(mensajes[0].lineas, 8);
            EXPECT_EQ(mensajes[0].ayuda, 3020);
            EXPECT_FALSE(EsResoluble()) << "not shuffled";
        }
    }
    // Accepting the shuffle ends the arrangement on a solvable deal.
    respuestas = {true};
    testing_support::BorraGrado();
    const auto pinturas = mesa.pinturasTrabajo();
    pulsa(3);
    EXPECT_FALSE(PuzzGbl.ColocacionManual);
    EXPECT_TRUE(EsResoluble());
    EXPECT_EQ(PuzzGbl.AgujeroX, 90);
    EXPECT_TRUE(testing_support::GradoDelPuzzle());
    EXPECT_GE(mesa.pinturasTrabajo() - pinturas, 8u) << "the deal shown piece by piece";
}

TEST_F(PanelTest, ASolvableArrangementStartsAFreshPuzzleOnlyFromItsOwnButton) {
    // Its own button starts the puzzle from the arrangement; any other button
    // only ends the arrangement and leaves the time and the moves as they are.
    PuzzGbl.TipoJuego = 22;
    Lanzador().historic = [] {};
    const struct {
        int boton;
        bool nuevo;
    } casos[] = {{5, false}, {11, true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.boton);
        PonTableroSinSolucion(true);
        ASSERT_TRUE(EsResoluble());
        mensajes.clear();
        PuzzGbl.ColocacionManual = true;
        PuzzGbl.SegundosCronometro = 321;
        PuzzGbl.MovActual = PuzzGbl.UltimoMovGrabado = 7;
        PuzzGbl.PasaAlHistorico = false;
        testing_support::BorraGrado();
        pulsa(c.boton);
        EXPECT_FALSE(PuzzGbl.ColocacionManual);
        EXPECT_EQ(PuzzGbl.SegundosCronometro, c.nuevo ? 0 : 321);
        EXPECT_EQ(PuzzGbl.MovActual, c.nuevo ? 0 : 7);
        EXPECT_EQ(PuzzGbl.UltimoMovGrabado, c.nuevo ? 0 : 7);
        EXPECT_EQ(PuzzGbl.PasaAlHistorico, c.nuevo);
        EXPECT_EQ(testing_support::GradoDelPuzzle(), c.nuevo);
        EXPECT_TRUE(mensajes.empty());
    }
}

TEST_F(PanelTest, ArrangementStartsOnlyWhenAccepted) {
    PuzzGbl.TipoJuego = 22;
    respuestas = {false};
    pulsa(11);
    EXPECT_FALSE(PuzzGbl.ColocacionManual);
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].titulo, "Ordenar las piezas manualmente");
    EXPECT_EQ(mensajes[0].ayuda, 2184);
    pulsa(11);
    EXPECT_TRUE(PuzzGbl.ColocacionManual);
}

// ---------------------------------------------------------- settings return

TEST_F(PanelTest, SettingsReturnActsOnWhatTheWindowChanged) {
    // An empty Tangram state file in the program folder.
    testing_support::writeBytes(carpeta.file("TSL2334.INI"), QByteArray());
    const struct {
        std::int16_t juego, nuevoJuego;
        bool reiniciar, cosmetico;
        bool nuevo;          // a fresh puzzle: the moves start again
        bool redibuja;       // the table is drawn again
        const char* leido;   // the new game's state file read (and reported), or nullptr
    } casos[] = {
        // A new jigsaw deal; the rebuild of a jigsaw without dealt pieces
        // deals them too.
        {21, 21, true, false, true, true, nullptr},
        {22, 22, true, true, true, true, nullptr},
        {21, 21, false, true, true, true, nullptr},
        {22, 22, false, true, false, true, nullptr},
        {21, 21, false, false, false, false, nullptr},
        // The new game's state file is read (here: damaged, then missing), which
        // rebuilds and redraws that game's puzzle itself.
        {21, 23, true, true, true, true, "TSL2334.INI"},
        {23, 24, false, false, true, true, "Tsl2434.ini"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.juego << " to " << c.nuevoJuego);
        PuzzGbl.TipoJuego = c.juego;
        PuzzGbl.TAN_ModoJuego = 2;
        PuzzGbl.ReiniciarPuzzle = PuzzGbl.CambioCosmetico = true;
        PuzzGbl.MovActual = PuzzGbl.UltimoMovGrabado = 0;
        bool limpios = false;
        Lanzador().personal = [&] {
            limpios = !PuzzGbl.ReiniciarPuzzle && !PuzzGbl.CambioCosmetico && !PuzzGbl.CronometroEnMarcha &&
                      PuzzGbl.TipoJuegoInicial == c.juego;
            PuzzGbl.TipoJuego = c.nuevoJuego;
            PuzzGbl.ReiniciarPuzzle = c.reiniciar;
            PuzzGbl.CambioCosmetico = c.cosmetico;
            PuzzGbl.SegundosCronometro = 77;
        };
        MarchaCronometro(1);
        mensajes.clear();
        const auto pinturas = mesa.pinturasTrabajo();
        pulsa(2);
        EXPECT_TRUE(limpios);
        EXPECT_EQ(PuzzGbl.SegundosCronometro == 0, c.nuevo) << PuzzGbl.SegundosCronometro;
        EXPECT_EQ(mesa.pinturasTrabajo() > pinturas, c.redibuja);
        if (c.leido) {
            ASSERT_FALSE(mensajes.empty());
            EXPECT_TRUE(mensajes[0].texto.contains(carpeta.file(c.leido))) << mensajes[0].texto.toStdString();
        } else {
            EXPECT_TRUE(mensajes.empty()) << mensajes[0].texto.toStdString();
        }
        EXPECT_TRUE(PuzzGbl.CronometroEnMarcha);
        EXPECT_EQ(mesa.MousePointer(), 0);
    }
}

// ------------------------------------------------------------ hidden pieces

TEST_F(PanelTest, HiddenPiecesComeToTheFrontOthersKeepTheirOrder) {
    auto& g = PuzzGbl;
    g.NroPiezas = 5;
    g.AnchoPiezaBase = g.AltoPiezaBase = 4;
    g.MargenPiezaX = g.MargenPiezaY = 1;
    g.Piezas.assign(6, RegistroPieza{});
    g.OrdenPiezas = {0, 1, 2, 3, 4, 5};
    for (int p = 1; p <= 5; ++p) {
        auto& pz = g.Piezas[std::size_t(p)];
        pz.X = pz.XDestino = std::int16_t(p * 10);
        pz.Y = pz.YDestino = 5;
    }
    g.Piezas[2].X = 70; // misplaced
    g.Piezas[4].Y = 20; // misplaced
    mesa.Pic_Imagen.setSize(100, 40);
    mesa.Pic_Imagen.filledBox(0, 0, 99, 39, 0x00FF00);
    mesa.Pic_Trabajo.setSize(100, 40);
    pulsa(9);
    EXPECT_EQ(std::vector<std::int16_t>(g.OrdenPiezas.begin() + 1, g.OrdenPiezas.end()),
              (std::vector<std::int16_t>{4, 2, 1, 3, 5}));
    EXPECT_EQ(mesa.Pic_Trabajo.point(31, 6), 0x00FF00u) << "a placed piece's box is copied too";
    // A box starts a margin left of and above the piece's place: the tabs
    // there show, and nothing past the box is copied.
    EXPECT_EQ(mesa.Pic_Trabajo.point(29, 4), 0x00FF00u);
    EXPECT_NE(mesa.Pic_Trabajo.point(33, 8), 0x00FF00u);
    EXPECT_EQ(mesa.MousePointer(), 0);
}

TEST_F(PanelTest, PiecesWhollyUnderThePreviewOrTheRecorderComeOutWhereTheyCanBeTaken) {
    auto& g = PuzzGbl;
    g.AltoMesa = 768;
    g.NroPiezas = 4;
    g.AnchoPiezaBase = g.AltoPiezaBase = 40;
    g.AnchoPieza = g.AltoPieza = 30;
    g.MargenPiezaX = g.MargenPiezaY = 5;
    g.Piezas.assign(5, RegistroPieza{});
    g.OrdenPiezas = {0, 1, 2, 3, 4};
    for (int p = 1; p <= 4; ++p) {
        auto& pz = g.Piezas[std::size_t(p)];
        pz.XDestino = std::int16_t(40 * p);
        pz.YDestino = 20;
    }
    mesa.Pic_Imagen.setSize(1024, 768);
    mesa.Pic_Trabajo.setSize(1024, 768);
    g.MuestraVisible = true;
    mesa.Pic_Muestra.move(100, 300, 200, 150);
    mesa.Pic_Muestra.setVisible(true);
    mesa.Pic_Grabadora.move(560, 520, 300, 200);
    mesa.Pic_Grabadora.setVisible(true);
    const struct {
        const char* donde;
        int x, y;  // the piece's place; its box starts a margin up and left
        bool seMueve;
    } casos[] = {
        {"wholly under the preview", 180, 360, true},
        {"wholly under the recorder panel", 700, 600, true},
        {"half under the preview", 80, 310, false},
        {"in the open", 450, 200, false},
    };
    for (int p = 1; p <= 4; ++p) {
        g.Piezas[std::size_t(p)].X = std::int16_t(casos[p - 1].x);
        g.Piezas[std::size_t(p)].Y = std::int16_t(casos[p - 1].y);
    }
    const CajaEnMesa muestra{100, 300, 200, 150}, grabadora{560, 520, 300, 200};
    const plat::Surface& panel = mesa.Pic_Botonera;
    const CajaEnMesa botonera{panel.left(), panel.top(), panel.visible() ? panel.width() : 0,
                              panel.visible() ? panel.height() : 0};
    auto cruzan = [](const CajaEnMesa& a, const CajaEnMesa& b) {
        return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
    };
    pulsa(9);
    for (int p = 1; p <= 4; ++p) {
        const auto& c = casos[p - 1];
        SCOPED_TRACE(c.donde);
        const auto& pz = g.Piezas[std::size_t(p)];
        if (!c.seMueve) {
            EXPECT_EQ(std::pair(int(pz.X), int(pz.Y)), std::pair(c.x, c.y)) << "a piece in sight stays";
            continue;
        }
        const CajaEnMesa caja{pz.X - 5, pz.Y - 5, 40, 40};
        EXPECT_TRUE(caja.x >= 0 && caja.y >= 0 && caja.x + 40 <= 1024 && caja.y + 40 <= 768)
            << "at " << caja.x << ", " << caja.y;
        EXPECT_FALSE(cruzan(caja, muestra)) << "at " << caja.x << ", " << caja.y;
        EXPECT_FALSE(cruzan(caja, grabadora)) << "at " << caja.x << ", " << caja.y;
        EXPECT_FALSE(cruzan(caja, botonera)) << "at " << caja.x << ", " << caja.y;
        // Moved no further than the nearest free place calls for.
        EXPECT_LE(std::abs(pz.X - c.x) + std::abs(pz.Y - c.y), 200);
    }
    EXPECT_EQ(mesa.MousePointer(), 0);
}

// ------------------------------------------------------ presses inside loops

TEST_F(PanelTest, APressInsideALoopWaitsForTheLoopExceptTheStopPress) {
    std::uint64_t pinturas = 0;
    {
        plat::LongAction bucle;
        PuzzGbl.RecogiendoPiezas = true;
        pulsa(11);
        EXPECT_FALSE(PuzzGbl.RecogiendoPiezas);
        EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 0) << "the stop press gathers nothing";
        PuzzGbl.RecogiendoPiezas = true;
        pinturas = mesa.pinturasTrabajo();
        pulsa(1); // stops the gathering now, deals once the loop is over
        EXPECT_FALSE(PuzzGbl.RecogiendoPiezas);
        plat::doEvents();
        EXPECT_EQ(mesa.pinturasTrabajo(), pinturas) << "no deal inside the loop";
    }
    esperaQue([&] { return mesa.pinturasTrabajo() != pinturas; });
    EXPECT_GT(mesa.pinturasTrabajo(), pinturas) << "dealt once the loop was over";
}

// Inside a long loop only the loop's own button stops it, at once: 11 while
// gathering, 12 while solving. The sliding game's 11 arranges the tiles and
// the other button of the two stops nothing: they wait for the loop.
TEST_F(PanelTest, InsideALoopOnlyTheLoopsOwnButtonStopsIt) {
    struct Caso {
        const char* que;
        std::int16_t juego;
        int boton;
        bool recogiendo, resolviendo;
        bool detiene;
    };
    const Caso casos[] = {
        {"gathering, 11", 21, 11, true, false, true},
        {"solving, 12", 21, 12, false, true, true},
        {"solving in the sliding game, 12", 22, 12, false, true, true},
        {"the sliding game's 11", 22, 11, true, false, false},
        {"gathering, 12", 21, 12, true, false, false},
    };
    int resueltos = 0, ajustes = 0;
    Lanzador().resuelvePuzzle = [&] { ++resueltos; };
    Lanzador().personal = [&] { ++ajustes; };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.que);
        PuzzGbl.TipoJuego = c.juego;
        resueltos = ajustes = 0;
        mensajes.clear();
        respuestas = {false}; // no manual arrangement begins
        {
            plat::LongAction bucle;
            PuzzGbl.RecogiendoPiezas = c.recogiendo;
            PuzzGbl.ResolviendoAuto = c.resolviendo;
            PuzzGbl.PiezaSeleccionada = 3;
            mesa.setMousePointer(11); // the loop's hourglass
            pulsa(c.boton);
            EXPECT_EQ(mesa.MousePointer(), 11) << "the loop still shows the hourglass";
            if (c.detiene) {
                EXPECT_FALSE(c.boton == 11 ? PuzzGbl.RecogiendoPiezas : PuzzGbl.ResolviendoAuto)
                    << "the loop is told to stop at once";
            }
            EXPECT_EQ(PuzzGbl.PiezaSeleccionada == 0, c.detiene && c.boton == 12) << "a stopped solve lets go";
            EXPECT_EQ(resueltos, 0) << "nothing runs inside the loop";
            EXPECT_TRUE(mensajes.empty()) << "nothing runs inside the loop";
            pulsa(2); // put off after it: once it has run, so has the press before
        }
        ASSERT_TRUE(esperaQue([&] { return ajustes == 1; }));
        const bool corrioDespues = resueltos == 1 || titulos().contains("Ordenar las piezas manualmente");
        EXPECT_EQ(corrioDespues, !c.detiene);
    }
}

// Inside a long loop the pointer tells a press that waits for the loop from
// one that acts at once; once the loop is over every button shows its own.
TEST_F(PanelTest, InsideALoopThePointerSaysWhichPressesWait) {
    PuzzGbl.TipoJuego = 21;
    struct Caso {
        int boton;
        bool recogiendo;
        bool espera;
    };
    const Caso casos[] = {
        {1, false, true},  {2, false, true},  {10, false, true}, {12, false, true},
        {4, false, false}, {5, false, false}, {6, false, false}, {11, true, false}, // 11 stops the gathering
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.boton);
        const plat::Surface& b = mesa.Pic_Boton(c.boton);
        {
            plat::LongAction bucle;
            PuzzGbl.RecogiendoPiezas = c.recogiendo;
            Pic_Boton_MouseMove(std::int16_t(c.boton), 0, 0, 20, 20);
            EXPECT_EQ(b.mousePointer() == 13, c.espera);
            EXPECT_EQ(b.toolTip().contains(QString::fromUtf8("se hará al terminar")), c.espera)
                << b.toolTip().toStdString();
            EXPECT_EQ(PuzzGbl.BotonCursor[std::size_t(c.boton)], 23) << "the button still acts";
        }
        PuzzGbl.RecogiendoPiezas = false;
        // The loop is over and the pointer has not moved: the main loop gives
        // the button its own pointer and tooltip back.
        esperaQue([&] { return b.mousePointer() != 13; });
        EXPECT_EQ(b.mousePointer(), 99) << "before a move";
        EXPECT_EQ(b.customCursor(), NombreCursor(23)) << "the pointing hand, before a move";
        EXPECT_EQ(b.toolTip(), TextoBoton(21, c.boton)) << "before a move";
        Pic_Boton_MouseMove(std::int16_t(c.boton), 0, 0, 20, 20);
        EXPECT_NE(b.mousePointer(), 13);
        EXPECT_EQ(b.toolTip(), TextoBoton(21, c.boton));
    }
}

TEST_F(PanelTest, FormLoadStopsTheReplays) {
    PuzzGbl.RetrocesoContinuo = PuzzGbl.AvanceContinuo = true;
    mesa.Load();
    EXPECT_FALSE(PuzzGbl.RetrocesoContinuo);
    EXPECT_FALSE(PuzzGbl.AvanceContinuo);
}

} // namespace

namespace {

using namespace botonera_pruebas;

// The panel on the window: where its views lie and where their mouse goes.
TEST_F(PanelTest, ThePanelsViewsLieInsideItAndHandTheirMouseOn) {
    VentanaMesa* ventana = InstalaMesa();
    ASSERT_NE(ventana, nullptr);
    QWidget* panel = ventana->vista(mesa.Pic_Botonera);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(ventana->vista(mesa.Pic_Boton(i))->parentWidget(), panel) << i;
    EXPECT_EQ(ventana->vista(mesa.Pic_Cronome)->parentWidget(), panel);
    EXPECT_EQ(ventana->vista(mesa.Pic_CroTime)->parentWidget(), ventana->vista(mesa.Pic_Cronome));
    EXPECT_EQ(ventana->vista(mesa.Pic_EsconderBot)->parentWidget(), ventana);

    const int antes = mesa.llamadasBoton();
    ventana->vista(mesa.Pic_Boton(6))->mouse.onMouseDown(1, 0, 5, 5);
    EXPECT_EQ(mesa.llamadasBoton(), antes + 1);
    EXPECT_EQ(ayudas, 1);
    MarchaCronometro(1);
    ventana->vista(mesa.Pic_Cronome)->mouse.onMouseDown(1, 0, 20, 10);
    EXPECT_FALSE(PuzzGbl.CronometroEnMarcha);
    DesinstalaMesa();
}

} // namespace
