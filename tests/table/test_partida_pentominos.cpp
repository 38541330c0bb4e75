// The shipped 6 x 10 rectangle played to its end through the table's own
// handlers: each piece picked up where it lies, set to the orientation of a
// stored tiling, dropped on that tiling's place; once on the homes of the
// solution dealt, once on those of its mirror image, which the homes follow.
// Either way the counter reads "12 / 12" and the end is announced once.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/Juego.h"
#include "model/Pentominos.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/Soltar.h"
#include "table/Trabajo.h"
#include "tests/support/fixtures.h"

#include <QImage>

#include "tests/table/partida_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const QString kArchivo = QStringLiteral(TESELARO_BINARY_DIR "/generated/Archivo/");
const QString kFin = QStringLiteral("TESELARO / Ha conseguido resolver el puzzle");

class PartidaPentominos : public ::testing::Test {
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
        g.RutaArchivo = kArchivo;
        g.SonidoActivo = true;
        g.VelocidadJuego = 100; // pauses take no time
        g.AnchoMesa = 800;
        g.AltoMesa = 600;
        g.TipoJuego = 24;
        g.AtraccionPiezas = true;
        g.GiroPermitido = true;
        g.NroModelo = 1;
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

    // A new puzzle on the 6 x 10 rectangle, no piece on its home.
    static void reparte(std::uint32_t semilla) {
        auto& g = PuzzGbl;
        plat::randomGenerator().setState(semilla);
        ASSERT_TRUE(PEN_LeeModelo(1));
        ASSERT_EQ(g.FilasTablero, 6);
        ASSERT_EQ(g.ColumnasTablero, 10);
        PreparaJuego(true);
        RedibujaImagen(1);
        ASSERT_EQ(g.NroPiezas, 12);
        for (int p = 1; p <= 12; ++p) ASSERT_FALSE(PiezaBienColocada(std::int16_t(p))) << "dealt in place: " << p;
    }

    // Piece p picked up at the middle of one of its cells, set to the
    // orientation of `s`, let go on its place in `s`.
    static void coloca(int p, const PEN_RegistroSolucion& s) {
        auto& g = PuzzGbl;
        const RegistroPieza r = g.Piezas[std::size_t(p)];
        PEN_TransformaPieza(std::int16_t(p), r.Giro, r.Volteo);
        const double x = r.X + g.PEN_PiezaGirada.X[1] * g.LadoCelda + g.LadoCelda / 2;
        const double y = r.Y + g.PEN_PiezaGirada.Y[1] * g.LadoCelda + g.LadoCelda / 2;
        Pic_Trabajo_MouseMove(0, 0, x, y);
        Pic_Trabajo_MouseDown(1, 0, x, y);
        ASSERT_TRUE(g.ArrastrandoPieza) << "piece " << p << " was not picked up";
        ASSERT_EQ(g.OrdenPiezas[1], p);
        auto& q = g.Piezas[std::size_t(p)];
        q.Giro = s.Giro[p];
        q.Volteo = s.Volteo[p];
        q.X = std::int16_t(g.OrigenX + (s.Columna[p] - 1) * g.LadoCelda);
        q.Y = std::int16_t(g.OrigenY + (s.Fila[p] - 1) * g.LadoCelda);
        Pic_Trabajo_MouseUp(1, 0, q.X + 1.0, q.Y + 1.0);
    }

    // Every piece onto its place in `s`, in order; the end is told only after
    // the last one.
    void colocaTodas(const PEN_RegistroSolucion& s) {
        mensajes.clear();
        for (int p = 1; p <= 12; ++p) {
            coloca(p, s);
            if (p < 12) {
                EXPECT_FALSE(mensajes.contains(kFin)) << "after piece " << p;
            }
        }
        EXPECT_EQ(mensajes.count(kFin), 1);
        EXPECT_EQ(PuzzGbl.NroPiezasColocadas, 12);
        EXPECT_EQ(mesa.Pic_InfoColo.image(), visor(QStringLiteral("12 / 12")));
        for (int p = 1; p <= 12; ++p) EXPECT_TRUE(PiezaBienColocada(std::int16_t(p))) << p;
    }

    // What the counter display looks like with that text.
    static QImage visor(const QString& texto) {
        plat::Surface ref(QStringLiteral("ref"), mesa.Pic_InfoColo.width(), mesa.Pic_InfoColo.height());
        ref.setFont(mesa.Pic_InfoColo.font());
        ref.setTextAntialias(mesa.Pic_InfoColo.textAntialias());
        DibujaVisor(ref, texto, 1);
        return ref.image();
    }

    testing_support::ScratchDir carpeta;
    plat::RecordingSoundPlayer sonidos;
    QStringList mensajes;
};

// The cells of each piece in a stored solution, sorted.
std::vector<std::vector<std::pair<int, int>>> Celdas(const PEN_RegistroSolucion& s, bool espejo) {
    std::vector<std::vector<std::pair<int, int>>> t(12);
    for (int p = 1; p <= 12; ++p) {
        PEN_TransformaPieza(std::int16_t(p), s.Giro[p], s.Volteo[p]);
        for (std::size_t k = 1; k <= 5; ++k) {
            const int c = s.Columna[p] + PuzzGbl.PEN_PiezaGirada.X[k];
            t[std::size_t(p - 1)].emplace_back(s.Fila[p] + PuzzGbl.PEN_PiezaGirada.Y[k],
                                               espejo ? PuzzGbl.ColumnasTablero + 1 - c : c);
        }
        std::sort(t[std::size_t(p - 1)].begin(), t[std::size_t(p - 1)].end());
    }
    return t;
}

TEST_F(PartidaPentominos, TheDealtSolutionIsBuiltPieceByPieceAndTheEndIsToldOnce) {
    reparte(2027);
    auto& g = PuzzGbl;
    const std::int16_t dada = g.PEN_SolucionActual;
    ASSERT_GE(dada, 1);
    colocaTodas(g.PEN_Soluciones[std::size_t(dada)]);
    EXPECT_EQ(g.PEN_SolucionActual, dada);
    EXPECT_EQ(g.UltimoMovGrabado, 12);
}

TEST_F(PartidaPentominos, TheMirrorImageOfTheDealtSolutionIsBuiltAndTheHomesFollowIt) {
    reparte(4711);
    auto& g = PuzzGbl;
    const std::int16_t dada = g.PEN_SolucionActual;
    ASSERT_GE(dada, 1);
    // The stored tiling that is the dealt one seen in a mirror.
    const auto buscada = Celdas(g.PEN_Soluciones[std::size_t(dada)], true);
    int espejo = 0;
    for (int s = 1; s <= g.PEN_NumSoluciones && espejo == 0; ++s)
        if (Celdas(g.PEN_Soluciones[std::size_t(s)], false) == buscada) espejo = s;
    ASSERT_NE(espejo, 0) << "the mirror image is not stored";
    ASSERT_NE(espejo, dada);
    // Some pieces are turned over or turned another way than in the dealt one.
    const PEN_RegistroSolucion destino = g.PEN_Soluciones[std::size_t(espejo)];
    int giradas = 0;
    for (int p = 1; p <= 12; ++p)
        giradas += destino.Giro[p] != g.Piezas[std::size_t(p)].GiroDestino ||
                   destino.Volteo[p] != g.Piezas[std::size_t(p)].VolteoDestino;
    EXPECT_GT(giradas, 0);

    colocaTodas(destino);
    EXPECT_EQ(g.PEN_SolucionActual, espejo);
    for (int p = 1; p <= 12; ++p) {
        EXPECT_EQ(g.Piezas[std::size_t(p)].XDestino, g.OrigenX + (destino.Columna[p] - 1) * g.LadoCelda) << p;
        EXPECT_EQ(g.Piezas[std::size_t(p)].VolteoDestino, destino.Volteo[p]) << p;
    }
}

} // namespace
