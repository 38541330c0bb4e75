// Turning a piece one step and turning it over: the next rotation, the
// shifts that keep a turned piece where it was in every game, the solver's
// road, the flip's rotations, sound, count, record and end of the puzzle.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "core/mesa.h"
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
    static void piezas(int n) {
        auto& g = PuzzGbl;
        g.NroPiezas = std::int16_t(n);
        g.Piezas.assign(std::size_t(n) + 1, RegistroPieza{});
        g.OrdenPiezas.assign(std::size_t(n) + 1, 0);
        for (int i = 1; i <= n; ++i) g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
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
        piezas(2);
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
} // namespace
