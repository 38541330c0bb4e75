// Turning a piece one step and turning it over: the next rotation, the
// shifts that keep a turned piece where it was in every game, the solver's
// road, the flip's rotations, sound, count, record and end of the puzzle.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/ImagenPieza.h"
#include "imaging/PreparaMesa.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "platform/sound.h"
#include "resources/resources.h"
#include "table/Desolapa.h"
#include "table/GiraPieza.h"
#include "table/Trabajo.h"
#include "tests/imaging/puzzle_fixtures.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// ---- arithmetic --------------------------------------------------------------

TEST(GiroAritmetica, TheNextRotationWrapsFromTheLastUpAndFromBelowZero) {
    struct Caso {
        int giro, ultimo, siguiente;
    } casos[] = {{0, 3, 1}, {2, 3, 3}, {3, 3, 0}, {9, 3, 0},  {-1, 3, 0}, {6, 7, 7},
                 {7, 7, 0}, {8, 7, 0}, {0, 1, 1}, {1, 1, 0}, {3, 1, 0},  {0, 0, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.giro << " of " << c.ultimo);
        EXPECT_EQ(SiguienteGiro(std::int16_t(c.giro), std::int16_t(c.ultimo)), c.siguiente);
    }
}

TEST(GiroAritmetica, TangramTrianglesComeBackAfterEightTurns) {
    for (int lado : {63, 89, 125, 75, 1}) {
        SCOPED_TRACE(lado);
        int x = 0, y = 0;
        for (int giro = 1; giro <= 8; ++giro) {
            const Desplazamiento d = DesplazamientoTangram(lado, giro % 8);
            x += d.dx;
            y += d.dy;
        }
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 0);
    }
    // 125 x -0.1 = -12.5 goes to the even -12.
    EXPECT_EQ(DesplazamientoTangram(125, 0), (Desplazamiento{-50, -12}));
    EXPECT_EQ(DesplazamientoTangram(125, 6), (Desplazamiento{-12, 0}));
    EXPECT_EQ(DesplazamientoTangram(125, 7), (Desplazamiento{12, 50}));
}

TEST(GiroAritmetica, TheParallelogramTurnedOverTakesTheMirrorRotation) {
    const int esperado[8] = {0, 3, 2, 1, 4, 3, 6, 1};
    for (int giro = 0; giro < 8; ++giro) EXPECT_EQ(GiroParalelogramoVolteado(std::int16_t(giro)), esperado[giro]);
}

// ---- on the table ------------------------------------------------------------

class Giro : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::Reinicia();
        mesa.Load();
        teselaro::initResources();
        plat::setSoundPlayer(&sonidos);
        auto& g = PuzzGbl;
        g.SonidoActivo = true;
        g.VelocidadJuego = 100;
        g.AnchoMesa = 1024;
        g.AltoMesa = 768;
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            mensajes << titulo + " / " + texto;
            PuzzGbl.RespuestaMensaje = false;
        });
        for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) {
            s->setSize(1024, 768);
            s->setBackColor(0x808080);
        }
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        plat::setSoundPlayer(nullptr);
        ReiniciaProcTrabajo();
        mesa.reset();
        PuzzGbl.reset();
    }
    static void gira(int p) {
        PuzzGbl.PiezaSeleccionada = std::int16_t(p);
        GiraPieza();
    }
    std::vector<int> sonidosOidos() const {
        std::vector<int> ids;
        for (const auto& c : sonidos.calls())
            if (c.kind == plat::RecordingSoundPlayer::Call::Kind::Play)
                for (int id : {14, 51, 52})
                    if (c.clip == teselaro::soundResource(id)) ids.push_back(id);
        return ids;
    }
    plat::RecordingSoundPlayer sonidos;
    QStringList mensajes;
};

TEST_F(Giro, AJigsawBoxKeepsItsCentreAndFourTurnsComeBackToTheStart) {
    struct Caso {
        const char* nombre;
        int w, h;
        std::vector<std::pair<int, int>> lugares; // after each of the four turns
    } casos[] = {
        {"square", 40, 40, {{100, 100}, {100, 100}, {100, 100}, {100, 100}}},
        {"wider by an even 10", 50, 40, {{105, 95}, {100, 100}, {105, 95}, {100, 100}}},
        {"wider by an odd 11: halves to even", 51, 40, {{106, 94}, {100, 100}, {106, 94}, {100, 100}}},
        {"wider by an odd 9", 49, 40, {{104, 96}, {100, 100}, {104, 96}, {100, 100}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto& g = PuzzGbl;
        g.TipoJuego = 21;
        g.FormaPieza = 0;
        g.AnchoPieza = g.AltoPieza = 40;
        g.AnchoPiezaBase = std::int16_t(c.w);
        g.AltoPiezaBase = std::int16_t(c.h);
        mesa.Pic_Bitmap.setSize(200, 200);
        puzzle_test::PiezasEnOrden(2);
        g.Piezas[1].X = g.Piezas[1].Y = 100;
        g.Piezas[1].XDestino = 300;
        for (int i = 0; i < 4; ++i) {
            gira(1);
            EXPECT_EQ(g.Piezas[1].Giro, (i + 1) % 4);
            EXPECT_EQ(g.Piezas[1].X, c.lugares[std::size_t(i)].first) << "turn " << i + 1;
            EXPECT_EQ(g.Piezas[1].Y, c.lugares[std::size_t(i)].second) << "turn " << i + 1;
        }
    }
}

TEST_F(Giro, TriangleMasksTellTheirFourTrianglesAndComeBackAfterFourTurns) {
    puzzle_test::PonMesa(1024, 768);
    puzzle_test::Puzzle(3, 3, 300, 240);
    PreparaPiezasMoviles(true);
    auto& g = PuzzGbl;
    ASSERT_EQ(g.NroPiezas, 36);
    std::set<int> vistos;
    for (int p = 1; p <= 4; ++p) {
        g.Piezas[std::size_t(p)].Giro = 0;
        GeneraImagenPieza(std::int16_t(p));
        vistos.insert(TrianguloDeMascara(mesa.Pic_PiezaMascara));
    }
    EXPECT_EQ(vistos, (std::set<int>{1, 2, 3, 4})) << "the four pieces of one cell";
    for (int p = 1; p <= 8; ++p) {
        SCOPED_TRACE(p);
        auto& r = g.Piezas[std::size_t(p)];
        r.Giro = 0;
        const int x = r.X, y = r.Y;
        for (int i = 0; i < 4; ++i) gira(p);
        EXPECT_EQ(r.Giro, 0);
        EXPECT_EQ(r.X, x);
        EXPECT_EQ(r.Y, y);
    }
}

// Twelve pentominoes on a board of 20-pixel cells, each at its home, laid
// apart; piece numbers are the shapes F I L N P T U V W X Y Z.
class GiroPentomino : public Giro {
protected:
    void SetUp() override {
        Giro::SetUp();
        InicializaTablas();
        auto& g = PuzzGbl;
        g.TipoJuego = 24;
        g.LadoCelda = 20;
        g.GiroPermitido = true;
        mesa.Pic_Bitmap.setSize(1024, 768);
        puzzle_test::PiezasEnOrden(12);
        for (int i = 1; i <= 12; ++i) {
            auto& r = g.Piezas[std::size_t(i)];
            r.X = r.XDestino = std::int16_t(10 + 120 * ((i - 1) % 6));
            r.Y = r.YDestino = std::int16_t(10 + 120 * ((i - 1) / 6));
        }
    }
};

TEST_F(GiroPentomino, TwoAndFourRotationsAlternateOrCycleAboutTheMiddle) {
    struct Caso {
        const char* nombre;
        int pieza;
        std::vector<std::vector<int>> pasos; // giro, x, y after each turn
    } casos[] = {
        // The I: 20 x 100 and 100 x 20, its centre at (20, 60) from the corner.
        {"I, two rotations", 2, {{1, 90, 50}, {0, 130, 10}, {1, 90, 50}}},
        // The L: 40 x 80 and 80 x 40.
        {"L, four rotations", 3, {{1, 230, 30}, {2, 250, 10}, {3, 230, 30}, {0, 250, 10}}},
        // The F fills a 3 x 3 box: it turns where it is.
        {"F, a square box", 1, {{1, 10, 10}, {2, 10, 10}, {3, 10, 10}, {0, 10, 10}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        for (std::size_t i = 0; i < c.pasos.size(); ++i) {
            gira(c.pieza);
            const auto& r = PuzzGbl.Piezas[std::size_t(c.pieza)];
            EXPECT_EQ(r.Giro, c.pasos[i][0]) << "turn " << i + 1;
            EXPECT_EQ(r.X, c.pasos[i][1]) << "turn " << i + 1;
            EXPECT_EQ(r.Y, c.pasos[i][2]) << "turn " << i + 1;
        }
        TearDown();
    }
}

TEST_F(GiroPentomino, ARotationPastTheLastFromAFileWrapsToTheFirst) {
    auto& g = PuzzGbl;
    g.Piezas[2].Giro = 3; // the I has two
    gira(2);
    EXPECT_EQ(g.Piezas[2].Giro, 0);
    g.TipoJuego = 21;
    g.AnchoPiezaBase = g.AltoPiezaBase = 20;
    g.Piezas[1].Giro = 9;
    gira(1);
    EXPECT_EQ(g.Piezas[1].Giro, 0);
}

TEST_F(GiroPentomino, TheSolversPressTurnsHomeAndLeavesThePausedChronometerAlone) {
    struct Caso {
        const char* nombre;
        bool resolviendo, ejecutando;
        int giro;
        bool crono;
    } casos[] = {
        {"player", false, false, 1, true},
        {"solver's press", true, false, 3, false},
        {"solver moving pieces", false, true, 1, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        auto& g = PuzzGbl;
        g.Piezas[3].GiroDestino = 3;
        g.ResolviendoAuto = c.resolviendo;
        g.EjecutandoSolucion = c.ejecutando;
        gira(3);
        EXPECT_EQ(g.Piezas[3].Giro, c.giro);
        EXPECT_EQ(g.CronometroEnMarcha, c.crono);
        EXPECT_EQ(g.OrdenPiezas[1], 3) << "the turned piece comes to the front";
        EXPECT_EQ(g.NroPiezasColocadas, 11) << "counted after the turn, which moved it off its cells";
        TearDown();
    }
}

TEST_F(GiroPentomino, TurningTheLastPieceIntoItsCellsEndsThePuzzle) {
    auto& g = PuzzGbl;
    g.Piezas[1].Giro = 3; // the F, one turn short of its home
    g.PasaAlHistorico = false;
    auto& proc = ProcTrabajo();
    proc.botonDerechoAbajo = [] { return true; };
    proc.conFoco = [] { return true; };
    proc.ejecutaEventos = [] {
        Pic_Trabajo_Click(); // the button is let go after the first step
        return true;
    };
    g.PiezaSeleccionada = 1;
    Pic_Trabajo_MouseDown(2, 0, 30, 30);
    EXPECT_EQ(g.Piezas[1].Giro, 0);
    EXPECT_EQ(g.UltimoMovGrabado, 1);
    EXPECT_EQ(g.NroPiezasColocadas, 12);
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_TRUE(mensajes.contains(QStringLiteral("TESELARO / Ha conseguido resolver el puzzle")));
    EXPECT_FALSE(g.CronometroEnMarcha);
}

TEST_F(GiroPentomino, TurningOverIntoPlaceCountsRecordsTheTurnedPieceAndEndsThePuzzle) {
    auto& g = PuzzGbl;
    g.Piezas[12].VolteoDestino = 1; // the Z, face down at home
    g.OrdenPiezas = {0, 5, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12};
    ActualizaInfoPiezas();
    ASSERT_EQ(g.NroPiezasColocadas, 11);
    g.PiezaSeleccionada = 12;
    VoltearPieza();
    EXPECT_EQ(g.Piezas[12].Volteo, 1);
    EXPECT_EQ(g.NroPiezasColocadas, 12);
    EXPECT_EQ(sonidosOidos().front(), 51);
    ASSERT_EQ(g.UltimoMovGrabado, 1);
    EXPECT_EQ(g.MovGrabados[1], (RegistroMovimiento{12, 10 + 120 * 5, 130, 0, 0, 10 + 120 * 5, 130, 0, 1}));
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_TRUE(mensajes.contains(QStringLiteral("TESELARO / Ha conseguido resolver el puzzle")));
    // Stepping back turns it face up again.
    GrabadoraPaso(1);
    EXPECT_EQ(g.Piezas[12].Volteo, 0);
    EXPECT_EQ(g.MovActual, 0);
    EXPECT_EQ(g.NroPiezasColocadas, 11);
}

TEST_F(GiroPentomino, AFlipOutOfPlacePlaysTheOtherSoundAndEndsNothing) {
    auto& g = PuzzGbl;
    g.PiezaSeleccionada = 12;
    VoltearPieza();
    EXPECT_EQ(g.Piezas[12].Volteo, 1);
    EXPECT_EQ(sonidosOidos(), std::vector<int>{52});
    EXPECT_EQ(g.NroPiezasColocadas, 11);
    EXPECT_FALSE(g.MostrandoModelo);
    EXPECT_TRUE(mensajes.isEmpty());
    VoltearPieza();
    EXPECT_EQ(g.Piezas[12].Volteo, 0);
    EXPECT_EQ(g.UltimoMovGrabado, 2);
}

// The seven Tangram pieces of a figure being solved, each at its home, laid
// apart along the bottom of the table.
class GiroTangram : public Giro {
protected:
    void SetUp() override {
        Giro::SetUp();
        puzzle_test::TangramApartado();
    }
};

TEST_F(GiroTangram, TheParallelogramTurnedOverTwiceFromFiveIsFaceUpAtOne) {
    auto& g = PuzzGbl;
    g.Piezas[7].Giro = 5;
    g.Piezas[7].GiroDestino = 3;
    g.Piezas[7].VolteoDestino = 1;
    g.PiezaSeleccionada = 7;
    VoltearPieza();
    EXPECT_EQ(g.Piezas[7].Giro, 3);
    EXPECT_EQ(g.Piezas[7].Volteo, 1);
    EXPECT_EQ(g.Piezas[7].X, 850) << "the flip does not move the piece";
    EXPECT_EQ(g.NroPiezasColocadas, 7);
    EXPECT_TRUE(g.MostrandoModelo);
    mensajes.clear();
    g.MostrandoModelo = false;
    VoltearPieza();
    EXPECT_EQ(g.Piezas[7].Giro, 1);
    EXPECT_EQ(g.Piezas[7].Volteo, 0);
    EXPECT_EQ(g.UltimoMovGrabado, 2);
    EXPECT_TRUE(mensajes.isEmpty());
}

TEST_F(GiroTangram, ATriangleTurnsByItsTableAndComesBackAfterEightTurns) {
    auto& g = PuzzGbl;
    g.Piezas[3].Y = 300; // in the open
    for (int i = 1; i <= 8; ++i) {
        gira(3);
        EXPECT_EQ(g.Piezas[3].Giro, i % 8);
        if (i == 1) {
            EXPECT_EQ(g.Piezas[3].X, 290); // 89 x 0, 89 x 0.1 = 8.9
            EXPECT_EQ(g.Piezas[3].Y, 309);
        }
    }
    EXPECT_EQ(g.Piezas[3].X, 290);
    EXPECT_EQ(g.Piezas[3].Y, 300);
}

} // namespace
