// Solving the sliding game on the table: the run to the end with legal,
// recorded slides, the stop press, the position without a path (a message,
// no endless search), the tutor's one path, and the other games' answer.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/Deslizantes.h"
#include "model/DeslizantesReglas.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "platform/sound.h"
#include "platform/ui/events.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/ResuelveTablero.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr int kLado = 10;

struct MensajeVisto {
    QString titulo, texto;
    int ayuda = 0;
};

class ResuelveTableroTest : public ::testing::Test {
protected:
    void SetUp() override {
        mensajes.clear();
        sonidos.clear();
        pasos = incoherentes = 0;
        alPaso = nullptr;
        PuzzGbl.reset();
        mesa.reset();
        mesa.Load();
        ReiniciaLanzador();
        RegistraBotonera();
        InstalaResuelveTablero();
        teselaro::initResources();
        plat::setSoundPlayer(&sonidos);
        auto& g = PuzzGbl;
        g.SonidoActivo = true;
        g.VelocidadJuego = 100; // pauses take no time
        g.AnchoMesa = 1024;
        g.AltoMesa = 768;
        g.CronometroEnMarcha = true;
        g.PasaAlHistorico = true;
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            mensajes.push_back({titulo, texto, PuzzGbl.AyudaMensaje});
            PuzzGbl.RespuestaMensaje = true;
        });
        for (plat::Surface* s : {&mesa.Pic_Trabajo, &mesa.Pic_Imagen, &mesa.Pic_Fondo}) s->setSize(60, 60);
        mesa.Pic_Bitmap.setSize(3 * kLado, 3 * kLado);
        // After every slide: the board is checked, then the test's own step runs.
        RegistraEventosResolucion([this] {
            ++pasos;
            if (!TableroCoherente()) ++incoherentes;
            EXPECT_TRUE(plat::longActionRunning()) << "the run is marked while its events run";
            if (alPaso) alPaso(pasos);
        });
    }
    void TearDown() override {
        RegistraEventosResolucion(nullptr);
        plat::setSoundPlayer(nullptr);
        RegistraPresentadorMensaje(nullptr);
        RegistraProcedimientosPanel({});
        ReiniciaLanzador();
        mesa.reset();
        PuzzGbl.reset();
    }

    // A 3 x 3 board with the pieces on the cells given row by row (0 the hole).
    static void tablero(const std::vector<int>& celdas) {
        auto& g = PuzzGbl;
        g.TipoJuego = 22;
        g.TipoRotulo = 2;
        g.PiezasLado = 3;
        g.AnchoPieza = g.AltoPieza = g.AnchoPiezaBase = g.AltoPiezaBase = kLado;
        g.AnchoImagen = g.AltoImagen = 3 * kLado;
        g.NroPiezas = 8;
        g.Piezas.assign(9, RegistroPieza{});
        g.OrdenPiezas.assign(9, 0);
        for (int i = 1; i <= 8; ++i) {
            g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
            g.Piezas[std::size_t(i)].XDestino = std::int16_t((i - 1) % 3 * kLado);
            g.Piezas[std::size_t(i)].YDestino = std::int16_t((i - 1) / 3 * kLado);
        }
        for (int c = 0; c < 9; ++c) {
            const auto x = std::int16_t(c % 3 * kLado), y = std::int16_t(c / 3 * kLado);
            if (celdas[std::size_t(c)] == 0) {
                g.AgujeroX = x;
                g.AgujeroY = y;
            } else {
                g.Piezas[std::size_t(celdas[std::size_t(c)])].X = x;
                g.Piezas[std::size_t(celdas[std::size_t(c)])].Y = y;
            }
        }
        ActualizaInfoPiezas();
    }
    // A random solvable board.
    static void aleatorio(unsigned semilla) {
        std::mt19937 rng(semilla);
        std::vector<int> celdas{1, 2, 3, 4, 5, 6, 7, 8, 0};
        do {
            std::shuffle(celdas.begin(), celdas.end(), rng);
            tablero(celdas);
        } while (!EsResoluble() || PuzzGbl.NroPiezasColocadas == 8);
    }
    static void pulsa(int i) { mesa.Pic_Boton_MouseDown(std::int16_t(i), 1, 0, 20, 20); }
    int sonidosDeslizar() const { return testing_support::timesPlayed(sonidos, teselaro::soundResource(53)); }
    // Every recorded move takes one piece one cell, into the place the last left.
    void compruebaMovimientos() const {
        const auto& g = PuzzGbl;
        for (int i = 1; i <= g.UltimoMovGrabado; ++i) {
            const auto& m = g.MovGrabados[std::size_t(i)];
            EXPECT_EQ(DistanciaCasillas(m.XAntes, m.YAntes, m.XDespues, m.YDespues), 1) << "move " << i;
            if (i > 1) {
                const auto& a = g.MovGrabados[std::size_t(i - 1)];
                EXPECT_EQ(m.XDespues, a.XAntes) << "move " << i;
                EXPECT_EQ(m.YDespues, a.YAntes) << "move " << i;
            }
        }
    }

    plat::RecordingSoundPlayer sonidos;
    std::vector<MensajeVisto> mensajes;
    int pasos = 0, incoherentes = 0;
    std::function<void(int)> alPaso;
};

TEST_F(ResuelveTableroTest, SolvingPlaysLegalRecordedSlidesToTheSolvedBoard) {
    for (unsigned semilla : {1u, 7u, 42u, 2024u}) {
        SCOPED_TRACE(semilla);
        SetUp();
        aleatorio(semilla);
        pulsa(12);
        const auto& g = PuzzGbl;
        EXPECT_EQ(g.NroPiezasColocadas, 8);
        for (int i = 1; i <= 8; ++i) EXPECT_TRUE(PiezaBienColocada(std::int16_t(i))) << i;
        EXPECT_EQ(g.AgujeroX, 2 * kLado);
        EXPECT_EQ(g.AgujeroY, 2 * kLado);
        EXPECT_GT(pasos, 0);
        EXPECT_EQ(incoherentes, 0);
        EXPECT_EQ(g.UltimoMovGrabado, pasos) << "every slide recorded";
        EXPECT_EQ(sonidosDeslizar(), pasos);
        compruebaMovimientos();
        EXPECT_TRUE(g.MostrandoModelo);
        EXPECT_FALSE(g.ResolviendoAuto);
        EXPECT_FALSE(g.EjecutandoSolucion);
        EXPECT_FALSE(g.PasaAlHistorico);
        EXPECT_FALSE(g.ArrastrandoPieza);
        EXPECT_FALSE(g.CronometroEnMarcha) << "a puzzle the run completed keeps its time stopped";
        EXPECT_TRUE(mensajes.empty());
        TearDown();
    }
}

TEST_F(ResuelveTableroTest, TheSecondPressStopsOnceThePathInHandIsPlayed) {
    aleatorio(7);
    ResuelveDeslizantes();
    const int primerCamino = PuzzGbl.NumPasosSolucion;
    ASSERT_GT(primerCamino, 1);
    alPaso = [](int n) {
        if (n == 1) pulsa(12);
    };
    pulsa(12);
    const auto& g = PuzzGbl;
    EXPECT_EQ(pasos, primerCamino);
    EXPECT_EQ(g.UltimoMovGrabado, primerCamino);
    EXPECT_FALSE(g.ResolviendoAuto);
    EXPECT_FALSE(g.EjecutandoSolucion);
    EXPECT_FALSE(g.MostrandoModelo);
    EXPECT_TRUE(mensajes.empty());
    // The next press solves again from where it stopped.
    alPaso = nullptr;
    pulsa(12);
    EXPECT_EQ(PuzzGbl.NroPiezasColocadas, 8);
}

TEST_F(ResuelveTableroTest, APositionWithoutAPathStopsWithAMessage) {
    // 7 and 8 exchanged: no slide sequence brings them home.
    struct Caso {
        const char* nombre;
        int boton;
        QString titulo;
    };
    for (const Caso& c : {Caso{"solving", 12, QStringLiteral("Resolver el puzzle")},
                          Caso{"tutor", 3, QStringLiteral("Tutor de juego")}}) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        tablero({1, 2, 3, 4, 5, 6, 8, 7, 0});
        const auto antes = PuzzGbl.Piezas;
        pulsa(c.boton);
        const auto& g = PuzzGbl;
        ASSERT_EQ(mensajes.size(), 1u);
        EXPECT_EQ(mensajes[0].titulo, c.titulo);
        EXPECT_EQ(mensajes[0].texto, TextoSinSolucion());
        EXPECT_EQ(mensajes[0].ayuda, 3020);
        EXPECT_EQ(g.Piezas, antes);
        EXPECT_EQ(pasos, 0);
        EXPECT_EQ(g.UltimoMovGrabado, 0);
        EXPECT_FALSE(g.ResolviendoAuto);
        EXPECT_FALSE(g.EjecutandoSolucion);
        EXPECT_FALSE(g.PasaAlHistorico);
        TearDown();
    }
}

TEST_F(ResuelveTableroTest, ThePathIsCheckedAgainstTheBoardBeforeEachSlide) {
    tablero({1, 2, 3, 4, 5, 6, 7, 0, 8});
    const auto antes = PuzzGbl.Piezas;
    EXPECT_FALSE(DeslizaPiezaSolucion(1)) << "not next to the hole";
    EXPECT_FALSE(DeslizaPiezaSolucion(0));
    EXPECT_FALSE(DeslizaPiezaSolucion(9));
    EXPECT_EQ(PuzzGbl.Piezas, antes);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 0);
    EXPECT_TRUE(DeslizaPiezaSolucion(8));
    EXPECT_EQ(PuzzGbl.NroPiezasColocadas, 8);
    EXPECT_EQ(PuzzGbl.UltimoMovGrabado, 1);
}

TEST_F(ResuelveTableroTest, TheTutorPlaysOneFreshPathAndStopsThere) {
    // A board that one path does not solve: the tutor stops after it all the same.
    unsigned semilla = 42;
    std::int32_t largo = 0;
    std::vector<RegistroPieza> esperado;
    std::pair<std::int16_t, std::int16_t> hueco;
    for (;; ++semilla) {
        aleatorio(semilla);
        ResuelveDeslizantes();
        ASSERT_GT(PuzzGbl.NumPasosSolucion, 0);
        largo = PuzzGbl.NumPasosSolucion;
        // The path played by hand on a copy of the board.
        esperado = PuzzGbl.Piezas;
        hueco = {PuzzGbl.AgujeroX, PuzzGbl.AgujeroY};
        for (std::int32_t i = largo; i >= 1; --i) {
            auto& pz = esperado[std::size_t(PuzzGbl.CaminoSolucion[std::size_t(i)])];
            std::swap(pz.X, hueco.first);
            std::swap(pz.Y, hueco.second);
        }
        int enSuSitio = 0;
        for (int i = 1; i <= 8; ++i)
            enSuSitio += esperado[std::size_t(i)].X == esperado[std::size_t(i)].XDestino &&
                         esperado[std::size_t(i)].Y == esperado[std::size_t(i)].YDestino;
        if (largo > 1 && enSuSitio < 8) break;
    }
    PuzzGbl.NumPasosSolucion = 0; // the tutor searches afresh
    pulsa(3);
    const auto& g = PuzzGbl;
    EXPECT_EQ(g.Piezas, esperado);
    EXPECT_EQ(std::pair(g.AgujeroX, g.AgujeroY), hueco);
    EXPECT_EQ(g.UltimoMovGrabado, largo);
    compruebaMovimientos();
    EXPECT_EQ(sonidosDeslizar(), largo);
    EXPECT_EQ(pasos, largo) << "events run after every slide";
    EXPECT_EQ(incoherentes, 0);
    EXPECT_LT(g.NroPiezasColocadas, 8);
    EXPECT_FALSE(g.PasaAlHistorico);
    EXPECT_FALSE(g.TutorActivo);
    EXPECT_FALSE(g.ResolviendoAuto);
    EXPECT_FALSE(g.EjecutandoSolucion);
    EXPECT_FALSE(g.MostrandoModelo);
    EXPECT_TRUE(g.CronometroEnMarcha);
    EXPECT_TRUE(mensajes.empty());
}

TEST_F(ResuelveTableroTest, TheChronometerStaysStoppedAfterARunThatCompletedThePuzzle) {
    struct Caso {
        const char* nombre;
        int boton;
    } casos[] = {{"tutor", 3}, {"solving", 12}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        tablero({1, 2, 3, 4, 5, 6, 7, 0, 8}); // one slide from solved
        pulsa(c.boton);
        EXPECT_EQ(PuzzGbl.NroPiezasColocadas, 8);
        EXPECT_TRUE(PuzzGbl.MostrandoModelo);
        EXPECT_FALSE(PuzzGbl.CronometroEnMarcha);
        TearDown();
    }
}

TEST_F(ResuelveTableroTest, TheTutorAndSolvingArePluggedIn) {
    // What each installed part does shows which one it is: the pointing
    // tutor moves nothing on the sliding board, the solving plays the slide.
    ReiniciaLanzador();
    InstalaResuelveTablero();
    auto& g = PuzzGbl;
    tablero({1, 2, 3, 4, 5, 6, 7, 0, 8}); // one slide from solved
    const auto antes = g.Piezas;
    g.TutorActivo = true;
    ASSERT_TRUE(Lanzador().tutorIndicando);
    Lanzador().tutorIndicando();
    EXPECT_EQ(g.Piezas, antes);
    EXPECT_EQ(g.UltimoMovGrabado, 0);
    EXPECT_FALSE(g.TutorActivo);
    EXPECT_FALSE(g.PasaAlHistorico);

    g.ResolviendoAuto = true;
    ASSERT_TRUE(Lanzador().resuelvePuzzle);
    Lanzador().resuelvePuzzle();
    EXPECT_EQ(g.NroPiezasColocadas, 8);
    EXPECT_EQ(g.UltimoMovGrabado, 1);
    EXPECT_EQ(pasos, 1);
    EXPECT_TRUE(g.MostrandoModelo);
}

} // namespace
