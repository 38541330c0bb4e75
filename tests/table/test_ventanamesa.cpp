// The game table window attached to the table: views of the surfaces, window
// operations, synchronous repaint, scroll bars and the close request.
#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "platform/ui/events.h"
#include "platform/ui/fullscreen.h"
#include "table/VentanaMesa.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

class VentanaMesaTest : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        AlCerrarMesa = nullptr;
        ventana = InstalaMesa();
        ASSERT_NE(ventana, nullptr);
        mesa.Load();
    }
    void TearDown() override {
        AlCerrarMesa = nullptr;
        DesinstalaMesa();
        mesa.ponCreadorVentana(nullptr);
        mesa.reset();
    }
    void muestra() {
        mesa.Move(0, 0, 800, 600);
        mesa.Show();
        plat::doEvents(); // the first exposure
    }
    VentanaMesa* ventana = nullptr;
};

TEST_F(VentanaMesaTest, AttachesOnceWithAViewForEveryShownSurface) {
    EXPECT_EQ(InstalaMesa(), ventana);
    EXPECT_EQ(VentanaMesa::instancia(), ventana);
    EXPECT_TRUE(mesa.tieneVentana());
    EXPECT_EQ(mesa.hWnd(), static_cast<QWidget*>(ventana));
    EXPECT_TRUE(ventana->isWindow());
    EXPECT_TRUE(ventana->windowFlags() & Qt::FramelessWindowHint);

    for (plat::Surface* s : {&mesa.Pic_Trabajo, &mesa.Pic_Botonera, &mesa.Pic_Grabadora, &mesa.Pic_Sugerencia,
                             &mesa.Pic_Muestra, &mesa.Pic_InfoColo, &mesa.Pic_Cuadrito}) {
        ASSERT_NE(ventana->vista(*s), nullptr) << s->name().toStdString();
        EXPECT_EQ(ventana->vista(*s)->surface(), s);
    }
    for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Bitmap, &mesa.Pic_FonTamReal,
                             &mesa.Pic_FonTamModi, &mesa.Pic_PiezaMascara, &mesa.Pic_PiezaImagen,
                             &mesa.Pic_PiezaFinal, &mesa.Pic_PiezaColor, &mesa.Pic_Temporal, &mesa.Pic_BmpVario,
                             &mesa.Pic_BmpTaipei, &mesa.Pic_BmpBoton, &mesa.Pic_BmpContr})
        EXPECT_EQ(ventana->vista(*s), nullptr) << s->name().toStdString();

    EXPECT_EQ(ventana->vista(mesa.Pic_InfoColo)->parentWidget(), ventana->vista(mesa.Pic_Botonera))
        << "the counter lies on the command panel";
}

// Children are stacked in the order of children(): the table must be first.
TEST_F(VentanaMesaTest, TheTableLiesBelowEverythingElse) {
    auto* extra = ventana->agregaVista(mesa.Pic_Imagen); // a view added later
    QWidget* tabla = ventana->vista(mesa.Pic_Trabajo);
    const QObjectList hijos = ventana->children();
    QList<QWidget*> widgets;
    for (QObject* o : hijos)
        if (auto* w = qobject_cast<QWidget*>(o)) widgets << w;
    ASSERT_FALSE(widgets.isEmpty());
    EXPECT_EQ(widgets.first(), tabla);
    EXPECT_GT(widgets.indexOf(ventana->barraHor()), widgets.indexOf(ventana->vista(mesa.Pic_Botonera)));
    EXPECT_GT(widgets.indexOf(ventana->vista(mesa.Pic_Cuadrito)), widgets.indexOf(ventana->barraVer()));
    EXPECT_EQ(widgets.last(), extra);
    EXPECT_EQ(ventana->agregaVista(mesa.Pic_Imagen), extra) << "one view per surface";
}

TEST_F(VentanaMesaTest, MovesSizesAndShows) {
    const QSize pantalla = plat::screenSize();
    mesa.Move(0, 0, pantalla.width() + 2, pantalla.height() + 2);
    EXPECT_EQ(ventana->geometry(), QRect(0, 0, pantalla.width() + 2, pantalla.height() + 2));
    EXPECT_FALSE(ventana->isVisible());
    mesa.Show();
    EXPECT_TRUE(ventana->isVisible());
    EXPECT_EQ(ventana->geometry(), QRect(0, 0, pantalla.width() + 2, pantalla.height() + 2));
    mesa.Move(5, 6, 300, 200);
    EXPECT_EQ(ventana->geometry(), QRect(5, 6, 300, 200));
}

// The window's pointer shows over the window and over every control whose own
// pointer is the default; a control with a pointer of its own keeps it.
TEST_F(VentanaMesaTest, PointerReachesTheWindowAndTheControlsWithoutOneOfTheirOwn) {
    QWidget* tabla = ventana->vista(mesa.Pic_Trabajo);
    QWidget* panel = ventana->vista(mesa.Pic_Botonera);
    mesa.Pic_Botonera.setMousePointer(15);
    const struct {
        int codigo;
        Qt::CursorShape forma;
    } casos[] = {{11, Qt::WaitCursor}, {12, Qt::ForbiddenCursor}, {0, Qt::ArrowCursor}, {11, Qt::WaitCursor}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        mesa.setMousePointer(c.codigo);
        EXPECT_EQ(mesa.MousePointer(), c.codigo);
        EXPECT_EQ(ventana->cursor().shape(), c.forma);
        EXPECT_EQ(tabla->cursor().shape(), c.forma);
        EXPECT_EQ(panel->cursor().shape(), Qt::SizeAllCursor);
    }
    // With the hourglass on, a control that gives up its own pointer shows it.
    mesa.Pic_Botonera.setMousePointer(0);
    EXPECT_EQ(panel->cursor().shape(), Qt::WaitCursor);
    mesa.Pic_Trabajo.setMousePointer(12);
    EXPECT_EQ(tabla->cursor().shape(), Qt::ForbiddenCursor);
    mesa.setMousePointer(0);
    EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(tabla->cursor().shape(), Qt::ForbiddenCursor);
}

// A window made after the table was placed and shown takes those values.
TEST_F(VentanaMesaTest, AWindowMadeLateTakesWhatTheTableWasGiven) {
    DesinstalaMesa();
    mesa.Move(0, 0, 640, 480);
    mesa.setMousePointer(11);
    mesa.Show();
    RegistraVentanaMesa();
    mesa.Load(); // makes the window
    ventana = VentanaMesa::instancia();
    ASSERT_NE(ventana, nullptr);
    EXPECT_EQ(ventana->geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(ventana->cursor().shape(), Qt::WaitCursor);
    EXPECT_TRUE(ventana->isVisible());
}

TEST_F(VentanaMesaTest, RefreshPaintsTheWindowAndItsControlsBeforeReturning) {
    mesa.Pic_Trabajo.move(0, 0, 600, 500);
    muestra();
    plat::SurfaceView* tabla = ventana->vista(mesa.Pic_Trabajo);
    plat::SurfaceView* panel = ventana->vista(mesa.Pic_Botonera);
    plat::SurfaceView* contador = ventana->vista(mesa.Pic_InfoColo);
    const int t0 = tabla->paintCount(), p0 = panel->paintCount(), c0 = contador->paintCount();
    mesa.Refresh();
    EXPECT_GT(tabla->paintCount(), t0);
    EXPECT_GT(panel->paintCount(), p0);
    EXPECT_GT(contador->paintCount(), c0) << "a control inside a control is painted too";

    const int t1 = tabla->paintCount();
    mesa.Pic_Trabajo_Paint();
    EXPECT_EQ(tabla->paintCount(), t1 + 1) << "the table repaint shows at once";
}

TEST_F(VentanaMesaTest, ScrollBarsFollowTheTableAndTheTableFollowsThem) {
    muestra();
    mesa.Pic_Trabajo.move(0, 0, 1200, 900);
    QScrollBar* hor = ventana->barraHor();
    BarraDesplazamiento& barra = mesa.BarraHor;
    int cambios = 0;
    const auto propio = barra.onChange;
    barra.onChange = [&] {
        ++cambios;
        propio();
    };

    barra.Move(0, 584, 784, 16);
    barra.setMax(400);
    barra.setLargeChange(50);
    barra.setSmallChange(5);
    barra.setVisible(true);
    barra.setValue(120);
    EXPECT_EQ(hor->geometry(), QRect(0, 584, 784, 16));
    EXPECT_EQ(hor->maximum(), 400);
    EXPECT_EQ(hor->pageStep(), 50);
    EXPECT_EQ(hor->singleStep(), 5);
    EXPECT_TRUE(hor->isVisible());
    EXPECT_EQ(hor->value(), 120);
    EXPECT_EQ(cambios, 1) << "the widget's echo is not a second change";
    EXPECT_EQ(mesa.Pic_Trabajo.left(), -120);

    hor->setValue(300);
    EXPECT_EQ(barra.Value(), 300);
    EXPECT_EQ(cambios, 2);
    EXPECT_EQ(mesa.Pic_Trabajo.left(), -300);
    EXPECT_EQ(ventana->vista(mesa.Pic_Trabajo)->x(), -300);
    hor->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(barra.Value(), 350);

    barra.setMax(200);
    EXPECT_EQ(hor->value(), 200);
    EXPECT_EQ(hor->maximum(), 200);
    barra.setVisible(false);
    EXPECT_FALSE(hor->isVisible());
    barra.onChange = propio;

    // A range whose minimum is the larger end runs the other way.
    BarraDesplazamiento& ver = mesa.BarraVer;
    ver.setMin(100);
    ver.setMax(0);
    ver.setValue(30);
    EXPECT_TRUE(ventana->barraVer()->invertedAppearance());
    EXPECT_EQ(ventana->barraVer()->minimum(), 0);
    EXPECT_EQ(ventana->barraVer()->maximum(), 100);
    EXPECT_EQ(ventana->barraVer()->value(), 30);
    EXPECT_EQ(mesa.Pic_Trabajo.top(), -30);
}

TEST_F(VentanaMesaTest, CloseRequestAsksTheHookAndMayBeRefused) {
    muestra();
    int preguntas = 0;
    bool respuesta = false;
    AlCerrarMesa = [&] {
        ++preguntas;
        return respuesta;
    };

    EXPECT_FALSE(ventana->close());
    EXPECT_EQ(preguntas, 1);
    EXPECT_TRUE(ventana->isVisible());
    EXPECT_TRUE(mesa.Visible());
    EXPECT_TRUE(mesa.Loaded());

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(ventana, &escape);
    EXPECT_EQ(preguntas, 2) << "Escape is a close request too";
    EXPECT_TRUE(ventana->isVisible());

    respuesta = true;
    EXPECT_TRUE(ventana->close());
    EXPECT_EQ(preguntas, 3);
    EXPECT_FALSE(ventana->isVisible());
    EXPECT_FALSE(mesa.Visible());
    EXPECT_FALSE(mesa.Loaded());
}

TEST_F(VentanaMesaTest, UnloadClosesWithoutAsking) {
    muestra();
    int preguntas = 0;
    AlCerrarMesa = [&] {
        ++preguntas;
        return false;
    };
    mesa.Unload();
    EXPECT_EQ(preguntas, 0);
    EXPECT_FALSE(ventana->isVisible());
    EXPECT_FALSE(mesa.Loaded());

    // The hook of the exit question may unload the table itself.
    mesa.Load();
    mesa.Show();
    AlCerrarMesa = [&] {
        ++preguntas;
        mesa.Unload();
        return true;
    };
    EXPECT_TRUE(ventana->close());
    EXPECT_EQ(preguntas, 1);
    EXPECT_FALSE(ventana->isVisible());
    EXPECT_FALSE(mesa.Loaded());
}

} // namespace
