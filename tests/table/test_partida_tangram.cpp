// Every shipped Tangram figure played to its end through the table's own
// handlers: each piece picked up where it lies, set to its home's orientation,
// let go on its home; it stays there, and the last one ends the puzzle once.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/Juego.h"
#include "model/RegistrosModelo.h"
#include "model/Tangram.h"
#include "platform/files.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/Soltar.h"
#include "table/Trabajo.h"
#include "tests/support/fixtures.h"

#include <QFileInfo>

#include "tests/table/partida_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The file the build writes.
const QString kGenerado = QStringLiteral(TESELARO_MODTAN);

class PartidaTangram : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::PreparaMesaDePartida();
        plat::setSoundPlayer(&sonidos);
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            mensajes << titulo + " / " + texto;
            PuzzGbl.RespuestaMensaje = false;
        });
        auto& g = PuzzGbl;
        g.RutaPrograma = carpeta.path();
        g.RutaArchivo = QFileInfo(kGenerado).absolutePath() + u'/';
        g.SonidoActivo = true;
        g.VelocidadJuego = 100; // pauses take no time
        g.AnchoMesa = 800;
        g.AltoMesa = 600;
        g.TipoJuego = 23;
        g.TAN_ModoJuego = 2;
        g.AtraccionPiezas = true;
        g.FactorAtraccion = 20;
        g.GiroPermitido = true;
        plat::randomGenerator().setState(2027);
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

    // Piece p picked up at a point inside it, turned to its home's
    // orientation and let go on its home.
    static void colocaEnSuSitio(int p) {
        auto& g = PuzzGbl;
        const RegistroPieza r = g.Piezas[std::size_t(p)];
        TAN_PuntoEtiqueta(std::int16_t(p), r.Giro, r.Volteo);
        const double x = r.X + g.TAN_DesplX, y = r.Y + g.TAN_DesplY;
        Pic_Trabajo_MouseMove(0, 0, x, y);
        Pic_Trabajo_MouseDown(1, 0, x, y);
        ASSERT_TRUE(g.ArrastrandoPieza) << "piece " << p << " was not picked up";
        ASSERT_EQ(g.OrdenPiezas[1], p);
        auto& q = g.Piezas[std::size_t(p)];
        q.Giro = q.GiroDestino;
        q.Volteo = q.VolteoDestino;
        q.X = q.XDestino;
        q.Y = q.YDestino;
        Pic_Trabajo_MouseUp(1, 0, q.X + 1.0, q.Y + 1.0);
    }

    testing_support::ScratchDir carpeta;
    plat::RecordingSoundPlayer sonidos;
    QStringList mensajes;
};

TEST_F(PartidaTangram, EveryShippedFigureIsSolvedPieceByPieceInEitherOrder) {
    const auto modelos = RegistrosModelo(FormatoModelosTangram()).usables();
    ASSERT_GE(modelos.size(), 20u);
    const QString fin = QStringLiteral("TESELARO / Ha conseguido resolver el puzzle");
    const std::vector<int> ordenes[] = {{1, 2, 3, 4, 5, 6, 7}, {7, 6, 5, 4, 3, 2, 1}};
    for (const ModeloUsable& m : modelos) {
        for (const auto& orden : ordenes) {
            SCOPED_TRACE(testing::Message() << m.registro << " " << m.nombre.toStdString() << " from " << orden[0]);
            auto& g = PuzzGbl;
            g.NroModelo = m.registro;
            ASSERT_TRUE(TAN_LeeModelo());
            PreparaJuego(true);
            RedibujaImagen(1);
            mensajes.clear();
            for (int p = 1; p <= 7; ++p) ASSERT_FALSE(PiezaBienColocada(std::int16_t(p))) << "dealt in place: " << p;
            const auto destinos = g.Piezas;

            std::vector<int> colocadas;
            for (int p : orden) {
                colocaEnSuSitio(p);
                colocadas.push_back(p);
                for (int q : colocadas) {
                    const auto& r = g.Piezas[std::size_t(q)];
                    EXPECT_TRUE(PiezaBienColocada(std::int16_t(q))) << "piece " << q << " after dropping " << p;
                    EXPECT_EQ(r.X, r.XDestino) << q;
                    EXPECT_EQ(r.Y, r.YDestino) << q;
                }
                if (colocadas.size() < 7) {
                    EXPECT_FALSE(mensajes.contains(fin)) << "after piece " << p;
                }
            }
            EXPECT_EQ(mensajes.count(fin), 1);
            EXPECT_EQ(g.NroPiezasColocadas, 7);
            EXPECT_EQ(g.UltimoMovGrabado, 7);
            // Each home is the piece's own: no twin took another's.
            for (int p = 1; p <= 7; ++p) {
                EXPECT_EQ(g.Piezas[std::size_t(p)].XDestino, destinos[std::size_t(p)].XDestino) << p;
                EXPECT_EQ(g.Piezas[std::size_t(p)].YDestino, destinos[std::size_t(p)].YDestino) << p;
            }
        }
    }
}

} // namespace
