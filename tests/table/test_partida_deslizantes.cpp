// A sliding game played to its end through the table's own handlers: the
// pointer shows the way to the hole, the press slides the tile with its sound,
// the release records the move and counts, and the last slide ends the puzzle.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/Soltar.h"
#include "table/Trabajo.h"
#include "tests/support/fixtures.h"

#include "tests/table/partida_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class PartidaDeslizantes : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::PreparaMesaDePartida();
        plat::setSoundPlayer(&sonidos);
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            mensajes << titulo + " / " + texto;
            PuzzGbl.RespuestaMensaje = true;
        });
        auto& g = PuzzGbl;
        g.RutaPrograma = carpeta.path();
        g.SonidoActivo = true;
        g.VelocidadJuego = 100; // pauses take no time
        g.AnchoMesa = 800;
        g.AltoMesa = 600;
        g.TipoJuego = 22;
        g.PiezasLado = 3;
        g.TipoRotulo = 2;
        g.PasaAlHistorico = true;
        plat::randomGenerator().setState(2024);
        PreparaJuego(true);
    }
    void TearDown() override {
        plat::setSoundPlayer(nullptr);
        RegistraPresentadorMensaje(nullptr);
        RegistraProcedimientosPanel({});
        ReiniciaProcTrabajo();
        ReiniciaLanzador();
        mesa.reset();
        PuzzGbl.reset();
    }

    // The board two slides short of solved: piece 5 below its cell (on 8's),
    // piece 8 right of its own (on the last cell), the hole on 5's cell.
    static void casiResuelto() {
        auto& g = PuzzGbl;
        for (int i = 1; i <= 8; ++i) {
            auto& p = g.Piezas[std::size_t(i)];
            p.X = p.XDestino;
            p.Y = p.YDestino;
        }
        auto& p5 = g.Piezas[5];
        auto& p8 = g.Piezas[8];
        g.AgujeroX = p5.XDestino;
        g.AgujeroY = p5.YDestino;
        p5.X = p8.XDestino;
        p5.Y = p8.YDestino;
        p8.X = std::int16_t(p8.XDestino + g.AnchoPieza);
        ASSERT_TRUE(EsResoluble());
        RedibujaImagen(2);
    }
    int sonidos53() const { return testing_support::timesPlayed(sonidos, teselaro::soundResource(53)); }
    // Points at the middle of piece p, presses and lets go there.
    static std::int16_t juega(int p) {
        const auto& r = PuzzGbl.Piezas[std::size_t(p)];
        const double x = r.X + PuzzGbl.AnchoPieza / 2.0, y = r.Y + PuzzGbl.AltoPieza / 2.0;
        Pic_Trabajo_MouseMove(0, 0, x, y);
        const std::int16_t cursor = PuzzGbl.CursorActual;
        Pic_Trabajo_MouseDown(1, 0, x, y);
        Pic_Trabajo_MouseUp(1, 0, x, y);
        return cursor;
    }

    testing_support::ScratchDir carpeta;
    plat::RecordingSoundPlayer sonidos;
    QStringList mensajes;
};

TEST_F(PartidaDeslizantes, TheLastSlideThroughTheTableEndsThePuzzle) {
    casiResuelto();
    auto& g = PuzzGbl;
    EXPECT_EQ(g.NroPiezasColocadas, 6);

    // A piece not next to the hole shows the no-drop sign and does not move.
    const auto antes = g.Piezas;
    EXPECT_EQ(juega(1), 12);
    EXPECT_EQ(g.Piezas, antes);
    EXPECT_EQ(g.UltimoMovGrabado, 0);

    const std::int16_t x5 = g.Piezas[5].X, y5 = g.Piezas[5].Y;
    EXPECT_EQ(juega(5), 25) << "up";
    EXPECT_EQ(g.Piezas[5].X, g.Piezas[5].XDestino);
    EXPECT_EQ(g.Piezas[5].Y, g.Piezas[5].YDestino);
    EXPECT_EQ(std::pair(g.AgujeroX, g.AgujeroY), std::pair(x5, y5));
    EXPECT_EQ(sonidos53(), 1);
    EXPECT_EQ(g.UltimoMovGrabado, 1);
    EXPECT_EQ(g.MovGrabados[1].Pieza, 5);
    EXPECT_EQ(g.MovGrabados[1].XAntes, x5);
    EXPECT_EQ(g.MovGrabados[1].YAntes, y5);
    EXPECT_EQ(g.NroPiezasColocadas, 7);
    EXPECT_TRUE(g.CronometroEnMarcha) << "the first press starts the chronometer";
    EXPECT_TRUE(mensajes.isEmpty());
    EXPECT_FALSE(g.ArrastrandoPieza);

    EXPECT_EQ(juega(8), 28) << "left";
    EXPECT_EQ(sonidos53(), 2);
    EXPECT_EQ(g.UltimoMovGrabado, 2);
    EXPECT_EQ(g.NroPiezasColocadas, 8);
    EXPECT_TRUE(g.MostrandoModelo);
    EXPECT_FALSE(g.CronometroEnMarcha);
    EXPECT_EQ(mensajes, (QStringList{"TESELARO / Ha conseguido resolver el puzzle",
                                     QString::fromUtf8("Histórico de puzzles resueltos / "
                                                       "¿Se actualiza el Histórico de puzzles?")}));
    EXPECT_TRUE(QFile::exists(carpeta.file("Tesel34.his")));
    EXPECT_FALSE(g.PasaAlHistorico);

    // The finished board answers a press on a tile and moves nothing.
    const auto fin = g.Piezas;
    mensajes.clear();
    juega(2);
    EXPECT_EQ(g.Piezas, fin);
    ASSERT_EQ(mensajes.size(), 1);
    EXPECT_TRUE(mensajes[0].startsWith("Puzzle resuelto")) << mensajes[0].toStdString();
}

TEST_F(PartidaDeslizantes, ShufflingASolvedBoardCountsTheTilesInPlaceAgain) {
    casiResuelto();
    juega(5);
    juega(8);
    auto& g = PuzzGbl;
    ASSERT_EQ(g.NroPiezasColocadas, 8);
    mesa.Pic_Boton_MouseDown(1, 1, 0, 20, 20);
    int enSuSitio = 0;
    for (int p = 1; p <= 8; ++p) enSuSitio += PiezaBienColocada(std::int16_t(p));
    EXPECT_LT(enSuSitio, 8) << "the board was not shuffled";
    EXPECT_EQ(g.NroPiezasColocadas, enSuSitio);
}

} // namespace
