// The game table without its window: start state of its surfaces, the repaint
// of the table from the back buffer, the sorted list, the scroll bars, the
// window operations and the panel procedures.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "table/mesa.h"
#include "platform/errors.h"
#include "platform/region.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

using plat::FillStyle;
using plat::Surface;
using testing_support::countColor;

namespace {

class MesaTest : public ::testing::Test {
protected:
    void SetUp() override {
        mesa.desconectaVentana();
        mesa.ponCreadorVentana(nullptr);
        mesa.reset();
        PuzzGbl.reset();
    }
    void TearDown() override {
        mesa.desconectaVentana();
        mesa.ponCreadorVentana(nullptr);
        mesa.reset();
        PuzzGbl.reset();
    }
};

// ------------------------------------------------------------ start state

struct EstadoEsperado {
    Surface Mesa::*superficie;
    bool visible;
    FillStyle fill;
    int width = -1, height = -1; // -1: not fixed
};

const EstadoEsperado kEstados[] = {
    {&Mesa::Pic_Trabajo, true, FillStyle::Transparent},
    {&Mesa::Pic_Imagen, false, FillStyle::Solid},
    {&Mesa::Pic_Fondo, false, FillStyle::Transparent},
    {&Mesa::Pic_Bitmap, false, FillStyle::Transparent},
    {&Mesa::Pic_FonTamReal, false, FillStyle::Transparent},
    {&Mesa::Pic_FonTamModi, false, FillStyle::Solid},
    {&Mesa::Pic_PiezaMascara, false, FillStyle::Solid},
    {&Mesa::Pic_PiezaImagen, false, FillStyle::Transparent},
    {&Mesa::Pic_PiezaFinal, false, FillStyle::Transparent},
    {&Mesa::Pic_PiezaColor, false, FillStyle::Transparent},
    {&Mesa::Pic_Temporal, false, FillStyle::Solid},
    {&Mesa::Pic_BmpVario, false, FillStyle::Transparent, 524, 73},
    {&Mesa::Pic_BmpTaipei, false, FillStyle::Transparent, 378, 290},
    {&Mesa::Pic_BmpBoton, false, FillStyle::Transparent, 588, 98},
    {&Mesa::Pic_BmpContr, false, FillStyle::Transparent, 138, 200},
    {&Mesa::Pic_BmpGraba, false, FillStyle::Transparent, 166, 223},
    {&Mesa::Pic_Muestra, false, FillStyle::Transparent},
    {&Mesa::Pic_Grabadora, false, FillStyle::Transparent},
    {&Mesa::Pic_Botonera, true, FillStyle::Transparent, 141, 431},
    {&Mesa::Pic_Sugerencia, false, FillStyle::Transparent},
    {&Mesa::Pic_InfoColo, true, FillStyle::Transparent},
    {&Mesa::Pic_Cuadrito, false, FillStyle::Transparent},
    {&Mesa::Pic_SelOpciones, false, FillStyle::Transparent, 150, 58},
};

// Every surface draws in black, one pixel wide, on white, copies its pen, has
// no picture, clip or border and shows all its pixels white.
void esperaInicio(const char* cuando) {
    ASSERT_EQ(mesa.superficies().size(), std::size(kEstados));
    for (const auto& e : kEstados) {
        const Surface& s = mesa.*e.superficie;
        SCOPED_TRACE(QStringLiteral("%1, %2").arg(QLatin1String(cuando), s.name()).toStdString());
        EXPECT_EQ(s.visible(), e.visible);
        EXPECT_EQ(s.fillStyle(), e.fill);
        EXPECT_EQ(s.backColor(), plat::kWhite);
        EXPECT_EQ(s.foreColor(), plat::kBlack);
        EXPECT_EQ(s.fillColor(), plat::kBlack);
        EXPECT_EQ(s.drawWidth(), 1);
        EXPECT_EQ(s.drawMode(), plat::drawmode::kCopyPen);
        EXPECT_EQ(s.border(), 0);
        EXPECT_EQ(s.mousePointer(), 0);
        EXPECT_FALSE(s.hasPicture());
        EXPECT_FALSE(s.hasClipRegion());
        EXPECT_EQ(s.currentX(), 0);
        EXPECT_EQ(s.currentY(), 0);
        EXPECT_EQ(s.font(), plat::Font{});
        if (e.width >= 0) {
            EXPECT_EQ(s.scaleWidth(), e.width);
            EXPECT_EQ(s.scaleHeight(), e.height);
        }
        EXPECT_EQ(countColor(s, plat::kWhite), s.scaleWidth() * s.scaleHeight());
    }
    EXPECT_EQ(mesa.Lis_Ordenar.ListCount(), 0);
    EXPECT_EQ(mesa.Lis_Ordenar.NewIndex(), -1);
    for (const BarraDesplazamiento* b : {&mesa.BarraHor, &mesa.BarraVer}) {
        EXPECT_FALSE(b->Visible());
        EXPECT_EQ(b->Value(), 0);
        EXPECT_EQ(b->Min(), 0);
        EXPECT_EQ(b->Max(), 32767);
        EXPECT_EQ(b->LargeChange(), 1);
        EXPECT_EQ(b->SmallChange(), 1);
    }
    EXPECT_EQ(mesa.MousePointer(), 0);
    EXPECT_FALSE(mesa.Visible());
    EXPECT_EQ(mesa.llamadasBoton(), 0);
}

// Changes everything a puzzle set-up may change.
void ensucia() {
    plat::Region r;
    for (Surface* s : mesa.superficies()) {
        s->move(3, 4, 30, 20);
        s->setBorder(2);
        s->setBackColor(0x123456);
        s->setForeColor(0x00FF00);
        s->setFillColor(0x0000FF);
        s->setFillStyle(s->fillStyle() == FillStyle::Solid ? FillStyle::Transparent : FillStyle::Solid);
        s->setDrawWidth(3);
        s->setDrawMode(plat::drawmode::kXorPen);
        s->setMousePointer(11);
        s->font().size = 20;
        s->box(1, 1, 8, 8);
        s->keepImageAsPicture();
        s->setCurrent(5, 5);
        s->selectClipRegion(&r);
        s->setVisible(!s->visible());
    }
    mesa.Lis_Ordenar.AddItem(QStringLiteral("x"));
    mesa.BarraHor.setVisible(true);
    mesa.BarraHor.setMax(100);
    mesa.BarraHor.setValue(50);
    mesa.BarraVer.setMin(-5);
    mesa.BarraVer.setLargeChange(30);
    mesa.Move(1, 2, 3, 4);
    mesa.Show();
    mesa.setMousePointer(12);
    mesa.Pic_Boton_MouseDown(2, 0, 0, 0, 0);
}

TEST_F(MesaTest, EverySurfaceStartsInItsStateAndResetBringsItBack) {
    esperaInicio("at start");
    mesa.Load();
    esperaInicio("after Load");
    ensucia();
    mesa.reset();
    esperaInicio("after reset");
    EXPECT_EQ(mesa.Pic_Trabajo.left(), 0) << "the scroll bar's return to 0 moves the table back";
}

// Load keeps what was drawn since; only a Load after Unload starts afresh.
TEST_F(MesaTest, LoadIsIdempotentUntilUnload) {
    mesa.Load();
    mesa.Pic_Imagen.move(0, 0, 10, 10);
    mesa.Pic_Imagen.filledBox(0, 0, 9, 9, 0x0000FF);
    mesa.Load();
    EXPECT_TRUE(mesa.Loaded());
    EXPECT_EQ(countColor(mesa.Pic_Imagen, 0x0000FF), 100);
    mesa.Unload();
    EXPECT_FALSE(mesa.Loaded());
    mesa.Load();
    EXPECT_EQ(mesa.Pic_Imagen.scaleWidth(), 0);
    EXPECT_EQ(mesa.Pic_Imagen.fillStyle(), FillStyle::Solid);
}

// ------------------------------------------------------------ repaint

TEST_F(MesaTest, PaintCopiesTheBackBufferOntoTheTable) {
    auto codigo = [](int x, int y) { return plat::rgb(x * 4, y * 5, (x * 7 + y * 3) & 0xFF); };
    Surface& img = mesa.Pic_Imagen;
    img.move(0, 0, 50, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) img.plot(x, y, codigo(x, y));

    Surface& t = mesa.Pic_Trabajo;
    t.move(-7, -3, 31, 23); // scrolled: the copy is in the surfaces' own pixels
    t.image().fill(qRgb(1, 2, 3));
    int refrescos = 0;
    t.onRefresh = [&] { ++refrescos; };

    mesa.Pic_Trabajo_Paint();
    t.onRefresh = nullptr;

    EXPECT_EQ(refrescos, 1) << "the table is shown at once";
    int distintos = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 31; ++x) distintos += t.point(x, y) != codigo(x, y);
    EXPECT_EQ(distintos, 0);
    EXPECT_EQ(img.point(49, 39), codigo(49, 39)) << "the back buffer is untouched";
}

// ------------------------------------------------------------ sorted list

struct CasoLista {
    const char* nombre;
    std::vector<const char*> entrada;
    std::vector<const char*> orden;
};

TEST_F(MesaTest, SortedListOrdersWithoutRegardToCaseAndKeepsTiesInArrivalOrder) {
    const CasoLista casos[] = {
        {"case ignored, capital first", {"b", "A", "a"}, {"A", "a", "b"}},
        {"case ignored, small first", {"a", "b", "A"}, {"a", "A", "b"}},
        {"capitals do not sort first", {"B", "a", "C"}, {"a", "B", "C"}},
        {"fixed-width numbers", {"  10", "   9", " 100", "   9"}, {"   9", "   9", "  10", " 100"}},
        {"prefix first", {"abc", "ab", "ABD", "a"}, {"a", "ab", "abc", "ABD"}},
        {"empty text", {"z", "", "m"}, {"", "m", "z"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        ListaOrdenada& l = mesa.Lis_Ordenar;
        l.Clear();
        // Each item carries its arrival number, so ties show their order.
        for (std::size_t i = 0; i < c.entrada.size(); ++i) {
            l.AddItem(QString::fromLatin1(c.entrada[i]));
            ASSERT_EQ(l.List(l.NewIndex()), QString::fromLatin1(c.entrada[i]));
            l.setItemData(l.NewIndex(), std::int32_t(i + 1) * 1000);
        }
        ASSERT_EQ(l.ListCount(), std::int16_t(c.orden.size()));
        for (std::size_t i = 0; i < c.orden.size(); ++i) {
            EXPECT_EQ(l.List(int(i)), QString::fromLatin1(c.orden[i])) << "item " << i;
            // The data is the one given with this very text.
            const int llegada = l.ItemData(int(i)) / 1000 - 1;
            EXPECT_EQ(QString::fromLatin1(c.entrada[std::size_t(llegada)]), l.List(int(i)));
        }
        // Equal texts: earlier arrival first.
        for (int i = 1; i < l.ListCount(); ++i)
            if (QString::compare(l.List(i - 1), l.List(i), Qt::CaseInsensitive) == 0) {
                EXPECT_LT(l.ItemData(i - 1), l.ItemData(i)) << "tie at " << i;
            }
    }
}

TEST_F(MesaTest, SortedListDataFollowsItsItemAndBadIndexIsAnError) {
    ListaOrdenada& l = mesa.Lis_Ordenar;
    l.AddItem(QStringLiteral("m"));
    l.setItemData(l.NewIndex(), 13);
    l.AddItem(QStringLiteral("c"));
    EXPECT_EQ(l.NewIndex(), 0);
    EXPECT_EQ(l.ItemData(0), 0) << "a new item has no data";
    EXPECT_EQ(l.ItemData(1), 13) << "the data moved down with its item";

    for (int bad : {-1, 2, 500}) {
        SCOPED_TRACE(bad);
        for (auto intento : std::initializer_list<std::function<void()>>{
                 [&] { (void)l.List(bad); }, [&] { (void)l.ItemData(bad); }, [&] { l.setItemData(bad, 1); }}) {
            try {
                intento();
                ADD_FAILURE() << "no error";
            } catch (const plat::RuntimeError& e) {
                EXPECT_EQ(e.number(), 381);
            }
        }
    }
    EXPECT_EQ(l.ItemData(1), 13) << "a refused write changes nothing";

    l.Clear();
    EXPECT_EQ(l.ListCount(), 0);
    EXPECT_EQ(l.NewIndex(), -1);
}

// ------------------------------------------------------------ scroll bars

struct CasoBarra {
    const char* nombre;
    int min, max, valor, esperado;
};

TEST_F(MesaTest, ScrollBarHoldsItsValueToTheRange) {
    const CasoBarra casos[] = {
        {"inside", 0, 100, 40, 40},
        {"above", 0, 100, 101, 100},
        {"below", 0, 100, -1, 0},
        {"far above a 16-bit value", 0, 500, 70000, 500},
        {"far below", -20, 500, -70000, -20},
        {"reversed range, above both", 10, 0, 20, 10},
        {"reversed range, below both", 10, 0, -3, 0},
        {"reversed range, inside", 10, 0, 4, 4},
        {"empty range", 7, 7, 0, 7},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        BarraDesplazamiento b;
        b.setMax(std::int16_t(c.max));
        b.setMin(std::int16_t(c.min));
        b.setValue(c.valor);
        EXPECT_EQ(b.Value(), c.esperado);
    }
}

TEST_F(MesaTest, ScrollBarReportsChangesOfValueAndEveryChangeToItsView) {
    BarraDesplazamiento b;
    int cambios = 0, vista = 0;
    b.onChange = [&] { ++cambios; };
    b.onVista = [&] { ++vista; };

    b.setMax(200);
    EXPECT_EQ(cambios, 0) << "the value stayed";
    EXPECT_EQ(vista, 1);
    b.setValue(150);
    EXPECT_EQ(cambios, 1);
    b.setValue(150);
    EXPECT_EQ(cambios, 1) << "the same value is no change";
    b.setMax(100);
    EXPECT_EQ(b.Value(), 100);
    EXPECT_EQ(cambios, 2) << "a narrower range that pulls the value is a change";
    b.setMin(120);
    EXPECT_EQ(b.Value(), 100) << "reversed range 120..100 still holds 100";
    EXPECT_EQ(cambios, 2);

    const int antes = vista;
    b.Move(0, 584, 784, 16);
    b.setVisible(true);
    b.setLargeChange(0);
    b.setSmallChange(-4);
    EXPECT_EQ(vista, antes + 4);
    EXPECT_EQ(b.LargeChange(), 1);
    EXPECT_EQ(b.SmallChange(), 1);
    EXPECT_EQ(b.Top(), 584);
    EXPECT_EQ(b.Width(), 784);
    EXPECT_EQ(cambios, 2);
}

TEST_F(MesaTest, ScrollingMovesTheTableUnderTheWindow) {
    mesa.Pic_Trabajo.move(0, 0, 1200, 900);
    mesa.BarraHor.setMax(400);
    mesa.BarraVer.setMax(300);
    mesa.BarraHor.setValue(250);
    mesa.BarraVer.setValue(120);
    EXPECT_EQ(mesa.Pic_Trabajo.left(), -250);
    EXPECT_EQ(mesa.Pic_Trabajo.top(), -120);
    mesa.BarraHor.setMax(100);
    EXPECT_EQ(mesa.Pic_Trabajo.left(), -100);
    EXPECT_EQ(mesa.Pic_Trabajo.scaleWidth(), 1200);
}

// ------------------------------------------------------------ window operations

TEST_F(MesaTest, WindowOperationsKeepTheirValuesWithoutAWindow) {
    mesa.Load();
    mesa.Move(0, 0, 802, 602);
    mesa.setMousePointer(11);
    mesa.Show();
    mesa.Refresh();
    EXPECT_EQ(mesa.Width(), 802);
    EXPECT_EQ(mesa.Height(), 602);
    EXPECT_EQ(mesa.MousePointer(), 11);
    EXPECT_TRUE(mesa.Visible());
    EXPECT_EQ(mesa.hWnd(), nullptr);
    mesa.Unload();
    EXPECT_FALSE(mesa.Visible());
}

TEST_F(MesaTest, WindowOperationsReachTheAttachedWindow) {
    QStringList log;
    int ventana = 0;
    EnlaceVentanaMesa e;
    e.mover = [&](int l, int t, int w, int h) { log << QStringLiteral("move %1 %2 %3 %4").arg(l).arg(t).arg(w).arg(h); };
    e.mostrar = [&] { log << "show"; };
    e.ponPuntero = [&](int c) { log << QStringLiteral("pointer %1").arg(c); };
    e.refrescar = [&] { log << "refresh"; };
    e.descargar = [&] { log << "unload"; };
    e.manejador = [&]() -> void* { return &ventana; };

    int creados = 0;
    mesa.ponCreadorVentana([&] {
        ++creados;
        mesa.conectaVentana(e);
    });
    mesa.Load();
    mesa.Load();
    EXPECT_EQ(creados, 1) << "the window is made once";

    mesa.Move(0, 0, -5, 602);
    mesa.setMousePointer(0);
    mesa.Show();
    mesa.setMousePointer(12);
    mesa.Refresh();
    EXPECT_EQ(mesa.hWnd(), &ventana);
    mesa.Unload();
    EXPECT_EQ(log, QStringList({"move 0 0 0 602", "pointer 0", "show", "pointer 12", "refresh", "unload"}));
    EXPECT_FALSE(mesa.Loaded());

    mesa.desconectaVentana();
    mesa.ponCreadorVentana(nullptr);
    mesa.Refresh();
    EXPECT_EQ(log.size(), 6) << "a detached window hears nothing";
}

// ------------------------------------------------------------ panel procedures

TEST_F(MesaTest, ChronometerRunsExactlyForModeOne) {
    const struct {
        std::int16_t modo;
        bool enMarcha;
    } casos[] = {{1, true}, {2, false}, {0, false}, {-1, false}, {3, false}};
    for (bool antes : {false, true}) {
        for (const auto& c : casos) {
            SCOPED_TRACE(testing::Message() << "from " << antes << " with " << c.modo);
            PuzzGbl.CronometroEnMarcha = antes;
            MarchaCronometro(c.modo);
            EXPECT_EQ(PuzzGbl.CronometroEnMarcha, c.enMarcha);
        }
    }
}

TEST_F(MesaTest, CommandPanelStandsAgainstTheRightEdge) {
    PuzzGbl.AnchoMesa = 1024;
    mesa.Pic_Botonera.move(0, 50, 10, 10);
    DibujaBotonera();
    EXPECT_EQ(mesa.Pic_Botonera.left(), 1024 - 141);
    EXPECT_EQ(mesa.Pic_Botonera.top(), 0);
    EXPECT_EQ(mesa.Pic_Botonera.width(), 141);
    EXPECT_EQ(mesa.Pic_Botonera.height(), 431);

    std::int16_t nro = 4;
    DibujaGrabadora();
    MuestraSugerencia(nro);
    EXPECT_EQ(nro, 4);
}

TEST_F(MesaTest, CommandButtonCallIsNoted) {
    mesa.Pic_Boton_MouseDown(2, 0, 0, 0, 0);
    mesa.Pic_Boton_MouseDown(11, 1, 2, 3.5, 4);
    EXPECT_EQ(mesa.llamadasBoton(), 2);
    const auto& u = mesa.ultimaLlamadaBoton();
    EXPECT_EQ(u.indice, 11);
    EXPECT_EQ(u.boton, 1);
    EXPECT_EQ(u.shift, 2);
    EXPECT_EQ(u.x, 3.5);
    EXPECT_EQ(u.y, 4);
}

} // namespace
