// The settings window's widgets hand each control's mouse to its handler.
#include "personalise/VentanaPersonal.h"

#include "core/Controles.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/EstadoPuzzle.h"
#include "personalise/personal.h"
#include "platform/ui/surfaceview.h"
#include "platform/ui/textboxview.h"
#include "tests/imaging/puzzle_fixtures.h"
#include "tests/personalise/ventana_fixture.h"
#include "tests/support/fixtures.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

class VentanaPersonalTest : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::PreparaProgramaEn(carpeta.path());
        auto& g = PuzzGbl;
        g.ListaMovimientos = 1;
        g.TAN_ModoJuego = 2;
        g.TipoRotulo = 2;
        puzzle_test::PonMesa(1024, 768);
        RegistraServiciosControles({[](int, int) {}, [](int) {}, {}, {}});
        RegistraPresentadorMensaje([](const QString&, const QString&) { PuzzGbl.RespuestaMensaje = false; });
        InstalaEstadoPuzzle();
    }
    void TearDown() override {
        DestruyeVentanaPersonal();
        RegistraPresentadorMensaje(nullptr);
        RegistraServiciosControles({});
        puzzle_test::Reinicia();
    }
    static plat::SurfaceView* Vista(QWidget& w, const plat::Surface* s) {
        for (auto* v : w.findChildren<plat::SurfaceView*>())
            if (v->surface() == s) return v;
        return nullptr;
    }
    static void Pulsa(QWidget* v, QPointF punto) {
        QMouseEvent abajo(QEvent::MouseButtonPress, punto, v->mapToGlobal(punto), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(v, &abajo);
        QMouseEvent arriba(QEvent::MouseButtonRelease, punto, v->mapToGlobal(punto), Qt::LeftButton, Qt::NoButton,
                           Qt::NoModifier);
        QApplication::sendEvent(v, &arriba);
    }
    testing_support::ScratchDir carpeta;
};

TEST_F(VentanaPersonalTest, APressOnAControlsViewReachesItsHandler) {
    PuzzGbl.TipoJuego = 21;
    PuzzGbl.SonidoActivo = false;
    PuzzGbl.FormaPieza = 0;
    Personal& p = CreaVentanaPersonal();
    {
        VentanaPersonal ventana(p);
        p.Form_Load();
        Pulsa(Vista(ventana, p.Control(11)), QPointF(10, 10));
        EXPECT_TRUE(PuzzGbl.SonidoActivo) << "switch 11";
        PuzzGbl.ListaMovimientos = 1;
        Pulsa(Vista(ventana, p.Control(5)), QPointF(10, 20));
        EXPECT_EQ(PuzzGbl.ListaMovimientos, 2) << "selector 5";
        Pulsa(Vista(ventana, &p.Pic_TipPuz(2)), QPointF(5, 5));
        EXPECT_EQ(PuzzGbl.FormaPieza, 2) << "a shape button";
        p.TipPuzActivo[3] = false;
        Pulsa(Vista(ventana, &p.Pic_TipPuz(3)), QPointF(5, 5));
        EXPECT_EQ(PuzzGbl.FormaPieza, 2) << "a shape the picture does not allow takes no press";
        Pulsa(Vista(ventana, &p.Pic_ColFonSel), QPointF(2, 2));
        EXPECT_EQ(PuzzGbl.ColorFondo, 0xFFFFFF) << "the background palette";
        PuzzGbl.TipoJuegoInicial = 21;
        Pulsa(Vista(ventana, p.Control(23)), QPointF(10, 10));
        EXPECT_EQ(PuzzGbl.TipoJuego, 21) << "the game question answered Cancelar";
        EXPECT_TRUE(static_cast<bool>(p.Tex_Spin41.onLostFocus));
        EXPECT_TRUE(static_cast<bool>(p.Lis_Modelos.onKeyPress));
    }
    EXPECT_FALSE(static_cast<bool>(p.Tex_Spin41.onLostFocus)) << "the widgets gone, nothing points at them";
    EXPECT_FALSE(static_cast<bool>(p.Lis_Modelos.onKeyPress));
}

TEST_F(VentanaPersonalTest, EnterTypedInTheZoomBoxTakesTheZoom) {
    PuzzGbl.TipoJuego = 21;
    PuzzGbl.ZoomImagen = 100;
    Personal& p = CreaVentanaPersonal();
    VentanaPersonal ventana(p);
    p.Form_Load();
    plat::TextBoxView* caja = nullptr;
    for (auto* v : ventana.findChildren<plat::TextBoxView*>())
        if (v->box() == &p.Tex_Spin41) caja = v;
    ASSERT_NE(caja, nullptr);
    caja->selectAll();
    auto tecla = [&](int k, const QString& texto) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, texto);
        QApplication::sendEvent(caja, &e);
    };
    for (QChar c : QStringLiteral("120")) tecla(Qt::Key_0 + (c.unicode() - '0'), QString(c));
    EXPECT_EQ(p.Tex_Spin41.text(), QStringLiteral("120"));
    EXPECT_EQ(PuzzGbl.ZoomImagen, 100) << "typing alone takes nothing";
    tecla(Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(PuzzGbl.ZoomImagen, 120);
    caja->selectAll();
    for (QChar c : QStringLiteral("130")) tecla(Qt::Key_0 + (c.unicode() - '0'), QString(c));
    tecla(Qt::Key_Enter, QStringLiteral("\r")); // the keypad's
    EXPECT_EQ(PuzzGbl.ZoomImagen, 130);
}

} // namespace
