// A whole jigsaw of every shape played through the table's own handlers: each
// piece pressed where its mask is, turned with the right button when it lies
// turned, dragged home and released, until the end message; the pieces at
// home cover the board with the picture they were cut from, and the finished
// picture is the puzzle's picture.
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/Juego.h"
#include "resources/resources.h"
#include "table/Soltar.h"
#include "table/Trabajo.h"
#include "tests/imaging/puzzle_fixtures.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <limits>

namespace {

using namespace puzzle_test;

struct Jugada {
    int forma;
    bool borde;
};
void PrintTo(const Jugada& j, std::ostream* os) { *os << "shape " << j.forma << (j.borde ? ", borders" : ", no borders"); }

class PartidaJigsaw : public ::testing::TestWithParam<Jugada> {
protected:
    void SetUp() override {
        Reinicia();
        ReiniciaProcTrabajo();
        mesa.Load();
        teselaro::initResources();
        PuzzGbl.RutaPrograma = dir.path();
        auto& p = ProcTrabajo();
        // A right press turns once: the button is let go after the first step.
        p.botonDerechoAbajo = [] { return true; };
        p.conFoco = [] { return true; };
        p.ejecutaEventos = [] {
            Pic_Trabajo_Click();
            return true;
        };
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            textos << texto;
            if (texto == QStringLiteral("Ha conseguido resolver el puzzle")) {
                const auto& g = PuzzGbl;
                final = mesa.Pic_Imagen.image().copy(0, 0, g.AnchoImagen, g.AltoImagen);
            }
            (void)titulo;
            PuzzGbl.RespuestaMensaje = false;
        });
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        ReiniciaProcTrabajo();
        Reinicia();
    }

    // A table point inside the piece's mask where it lies now, as near the
    // middle of its picture as the mask allows.
    static QPointF PuntoDe(std::int16_t pieza) {
        const auto& g = PuzzGbl;
        GeneraImagenPieza(pieza);
        const plat::Surface& m = mesa.Pic_PiezaMascara;
        const int w = m.scaleWidth(), h = m.scaleHeight();
        double mejor = std::numeric_limits<double>::max();
        QPoint punto(-1, -1);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (m.point(x, y) != 0) continue;
                const double d = std::hypot(x - w / 2.0, y - h / 2.0);
                if (d < mejor) mejor = d, punto = QPoint(x, y);
            }
        const auto& p = g.Piezas[std::size_t(pieza)];
        return QPointF(p.X - g.MargenPiezaX + punto.x(), p.Y - g.MargenPiezaY + punto.y());
    }

    testing_support::ScratchDir dir;
    QStringList textos;
    QImage final;
};

TEST_P(PartidaJigsaw, EveryPieceCarriedHomeEndsThePuzzleOnce) {
    const Jugada j = GetParam();
    PonMesa(1280, 1024);
    Puzzle(j.forma, 3, 320, 240);
    auto& g = PuzzGbl;
    g.DibujarBorde = j.borde;
    g.GiroPermitido = true;
    g.AtraccionPiezas = true;
    g.FactorAtraccion = 20;
    g.SonidoActivo = false;
    g.PasaAlHistorico = true;
    PreparaJuego(true);
    const int n = g.NroPiezas;
    ASSERT_EQ(n, 9 * kPiezasPorCasilla[j.forma]);
    // The loose pieces lie apart, right of the board; the first one and every
    // fourth after it are a quarter turn off their home turn, the others as
    // they lie at home.
    const int paso = g.LadoZonaPieza + 8;
    const int columnas = (mesa.Pic_Botonera.left() - g.AnchoImagen - 60) / paso;
    ASSERT_GE(columnas, 3);
    for (int i = 1; i <= n; ++i) {
        auto& p = g.Piezas[std::size_t(i)];
        p.Giro = std::int16_t(i % 4 == 1 ? (p.GiroDestino + 1) % 4 : p.GiroDestino);
        p.X = std::int16_t(g.AnchoImagen + 40 + g.MargenPiezaX + (i - 1) % columnas * paso);
        p.Y = std::int16_t(20 + g.MargenPiezaY + (i - 1) / columnas * paso);
    }
    RedibujaImagen(1);
    ActualizaInfoPiezas();
    ASSERT_EQ(g.NroPiezasColocadas, 0);

    int giros = 0;
    for (std::int16_t i = 1; i <= n; ++i) {
        SCOPED_TRACE(i);
        const auto& p = g.Piezas[std::size_t(i)];
        // Turned with the right button until it lies as at home.
        for (int k = 0; k < 4 && p.Giro != p.GiroDestino; ++k) {
            const QPointF c = PuntoDe(i);
            Pic_Trabajo_MouseMove(0, 0, c.x(), c.y());
            ASSERT_EQ(g.PiezaSeleccionada, i) << "the pointer finds the piece to turn";
            Pic_Trabajo_MouseDown(2, 0, c.x(), c.y());
            Pic_Trabajo_MouseUp(2, 0, c.x(), c.y());
            ++giros;
        }
        ASSERT_EQ(p.Giro, p.GiroDestino);
        const QPointF a = PuntoDe(i);
        const QPointF b = a + QPointF(p.XDestino - p.X, p.YDestino - p.Y);
        Pic_Trabajo_MouseMove(0, 0, a.x(), a.y());
        ASSERT_EQ(g.PiezaSeleccionada, i) << "the pointer finds the piece";
        Pic_Trabajo_MouseDown(1, 0, a.x(), a.y());
        ASSERT_TRUE(g.ArrastrandoPieza);
        Pic_Trabajo_MouseMove(1, 0, (a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
        Pic_Trabajo_MouseMove(1, 0, b.x(), b.y());
        Pic_Trabajo_MouseUp(1, 0, b.x(), b.y());
        Pic_Trabajo_Click();
        ASSERT_EQ(p.X, p.XDestino);
        ASSERT_EQ(p.Y, p.YDestino);
        ASSERT_EQ(g.NroPiezasColocadas, i);
    }
    EXPECT_EQ(textos.count(QStringLiteral("Ha conseguido resolver el puzzle")), 1) << textos.join(" | ").toStdString();
    EXPECT_EQ(g.UltimoMovGrabado, n + giros);
    EXPECT_GE(giros, 1);
    ASSERT_FALSE(final.isNull());
    EXPECT_EQ(final, mesa.Pic_FonTamModi.image().copy(0, 0, g.AnchoImagen, g.AltoImagen));
    // The pieces drawn at home, without the finished picture over them, show
    // the board picture whole: no table shows between them.
    RedibujaImagen(1);
    const QImage tablero = mesa.Pic_Imagen.image(), picture = mesa.Pic_Bitmap.image();
    int distintos = 0;
    for (int y = 0; y < g.AltoImagen; ++y)
        for (int x = 0; x < g.AnchoImagen; ++x)
            if ((tablero.pixel(x, y) & 0xFFFFFFu) != (picture.pixel(x, y) & 0xFFFFFFu) && ++distintos <= 5)
                ADD_FAILURE() << "the table shows at " << x << "," << y << ": " << std::hex
                              << (tablero.pixel(x, y) & 0xFFFFFFu);
    EXPECT_EQ(distintos, 0);
}

INSTANTIATE_TEST_SUITE_P(Formas, PartidaJigsaw,
                         ::testing::Values(Jugada{0, true}, Jugada{1, true}, Jugada{2, true}, Jugada{3, true},
                                           Jugada{4, true}, Jugada{5, false}, Jugada{6, true}, Jugada{7, false},
                                           Jugada{2, false}, Jugada{1, false}),
                         [](const auto& info) {
                             return "forma" + std::to_string(info.param.forma) + (info.param.borde ? "_borde" : "_sinBorde");
                         });

} // namespace
