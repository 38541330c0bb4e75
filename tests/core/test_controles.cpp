// The owner-drawn controls on a coordinate-coded sprite sheet (each pixel
// holds its own x in red and y in green), with the sounds, pauses, event pump
// and button state faked and written to one log.
#include "core/Controles.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosPersonal.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"

#include <gtest/gtest.h>

#include <cmath>

#include <functional>
#include <memory>

namespace {

plat::Color Codigo(int x, int y) { return plat::Color(x | (y << 8)); }
int XDe(plat::Color c) { return int(c & 0xFF); }
int YDe(plat::Color c) { return int((c >> 8) & 0xFF); }

class Controles : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        InicializaTablas();
        plat::Surface& h = mesa.Pic_BmpContr;
        h.setSize(Mesa::kAnchoBmpContr, Mesa::kAltoBmpContr);
        for (int y = 0; y < h.scaleHeight(); ++y)
            for (int x = 0; x < h.scaleWidth(); ++x) h.plot(x, y, Codigo(x, y));
        ServiciosControles s;
        s.sonido = [this](int modo, int id) { log << QStringLiteral("sonido %1 %2").arg(modo).arg(id); };
        s.retardo = [this](int ms) { log << QStringLiteral("retardo %1").arg(ms); };
        s.ejecutaEventos = [this] {
            log << QStringLiteral("eventos");
            if (alEventos) alEventos();
            return true;
        };
        s.botonSujeto = [this] { return sujeto; };
        RegistraServiciosControles(s);
        RegistraPresentadorMensaje(nullptr);
        RegistraVentanaSpin({});
    }
    void TearDown() override {
        RegistraServiciosControles({});
        RegistraPresentadorMensaje(nullptr);
        RegistraVentanaSpin({});
    }

    std::unique_ptr<plat::Surface> Superficie(int w, int h) {
        auto s = std::make_unique<plat::Surface>(QStringLiteral("control"), w, h);
        s->setFont(FuenteControles());
        return s;
    }

    // What the zoom check made of the values handed to it: the zoom it took,
    // "rechazado" when it refused one, "" when it was handed none.
    QString Validado() const {
        if (!rechazos.isEmpty()) return QStringLiteral("rechazado");
        return PuzzGbl.ZoomImagen ? QString::number(PuzzGbl.ZoomImagen) : QString();
    }
    // A picture on which a zoom of z percent just fits the table's limits.
    static void AceptaZoom(int z) { mesa.Pic_FonTamReal.setSize((32000 + z - 1) / z, (24000 + z - 1) / z); }

    QStringList log;
    QStringList rechazos; // the zoom check's refusals, by their message
    std::function<void()> alEventos;
    bool sujeto = true;
};

// ---------------------------------------------------------------- push button

// The sheet column each column of a push button W wide comes from.
int ColumnaFuente(int w, int c) {
    if (c >= w - 2) return 129 + (c - (w - 2));
    if (w <= 131) return c;
    return c < 27 ? c : 127;
}

TEST_F(Controles, PushButtonTakesEachColumnFromItsSheetColumn) {
    for (int w : {94, 102, 131, 132, 171})
        for (bool pulsado : {false, true}) {
            auto s = Superficie(w, 23);
            PuzzGbl.TextosControles[90] = QString(); // no caption over the pixels
            DibujaPulsador(*s, 90, pulsado, false, 0);
            const int sy = pulsado ? 70 : 46;
            for (int c = 0; c < w; ++c)
                for (int y : {0, 11, 22}) {
                    const plat::Color p = s->point(c, y);
                    ASSERT_EQ(XDe(p), ColumnaFuente(w, c)) << "W " << w << " column " << c;
                    ASSERT_EQ(YDe(p), sy + y) << "W " << w << " column " << c;
                }
            EXPECT_EQ(PuzzGbl.AnchoControl, w);
            EXPECT_EQ(PuzzGbl.AltoControl, 23);
            EXPECT_EQ(PuzzGbl.CursorActual, 23);
        }
}

TEST_F(Controles, PushButtonSoundsAndPause) {
    const struct {
        bool pulsado, sonido;
        QStringList esperado;
    } casos[] = {
        {true, true, {"sonido 0 6", "retardo 210"}},
        {false, true, {"sonido 0 7"}},
        {true, false, {"retardo 210"}},
        {false, false, {}},
    };
    for (const auto& c : casos) {
        log.clear();
        auto s = Superficie(102, 23);
        DibujaPulsador(*s, 32, c.pulsado, c.sonido, 0);
        EXPECT_EQ(log, c.esperado) << c.pulsado << c.sonido;
    }
}

TEST_F(Controles, SwitchShowsTheLampOfItsValue) {
    for (bool v : {false, true}) {
        auto s = Superficie(194, 23);
        DibujaBuleano(*s, 11, v);
        const int lx = v ? 120 : 102;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 17; ++x) ASSERT_EQ(s->point(4 + x, 3 + y), Codigo(lx + x, 24 + y)) << x << "," << y;
        EXPECT_EQ(s->point(3, 3), 0xC0C0C0u); // the frame's background beside it
        EXPECT_EQ(PuzzGbl.CursorActual, 23);
    }
}

// ---------------------------------------------------------------- slider

class Potenciometro : public Controles {
protected:
    void SetUp() override {
        Controles::SetUp();
        s = Superficie(131, 43);
    }
    void Agarra(std::int16_t v, std::int16_t x) {
        valor = v;
        DibujaPotenciometro(*s, 51, valor);
        PuzzGbl.XAgarrePotenciometro = x;
        PonCursor(*s, 29);
    }
    std::unique_ptr<plat::Surface> s;
    std::int16_t valor = 0;
};

TEST_F(Potenciometro, DragFollowsThePointerWithinTheEnds) {
    const struct {
        int x, y;
        int valor, cursor;
    } casos[] = {
        {30, 25, 22, 29},  // 28 to the left, the pointer still on the knob
        {-100, 25, 0, 0},  // stops at 0; the pointer is off the knob, the drag ends
        {500, 25, 100, 0}, // stops at 100
        {58, 40, 50, 0},   // below the band: the drag ends where it is
        {59, 35, 51, 29},  // the band's last row still holds it
    };
    for (const auto& c : casos) {
        Agarra(50, 58);
        MuevePotenciometro(*s, valor, std::int16_t(c.x), std::int16_t(c.y));
        EXPECT_EQ(valor, c.valor) << c.x << "," << c.y;
        EXPECT_EQ(PuzzGbl.CursorActual, c.cursor) << c.x << "," << c.y;
    }
}

TEST_F(Potenciometro, HoverBandEndsAreInclusive) {
    const struct {
        int x, y, cursor;
    } casos[] = {
        {58, 17, 20}, {70, 35, 20}, {64, 26, 20}, // v + 8 .. v + 20 by 17 .. 35
        {57, 26, 0},  {71, 26, 0},  {64, 16, 0},  {64, 36, 0},
    };
    for (const auto& c : casos) {
        valor = 50;
        DibujaPotenciometro(*s, 51, valor);
        PonCursor(*s, 0);
        MuevePotenciometro(*s, valor, std::int16_t(c.x), std::int16_t(c.y));
        EXPECT_EQ(PuzzGbl.CursorActual, c.cursor) << c.x << "," << c.y;
        EXPECT_EQ(valor, 50);
    }
}

TEST_F(Potenciometro, HoverIsNotBlockedByAnotherControlsPointer) {
    valor = 50;
    DibujaPotenciometro(*s, 51, valor);
    PonCursor(*s, 0);
    PuzzGbl.CursorActual = 23; // the hand a selector's button left
    MuevePotenciometro(*s, valor, 64, 26);
    EXPECT_EQ(PuzzGbl.CursorActual, 20);
    EXPECT_EQ(valor, 50);
}

TEST_F(Potenciometro, DraggedKnobLeavesTheTrackAsAFreshDrawing) {
    Agarra(10, 20);
    MuevePotenciometro(*s, valor, 50, 25);
    ASSERT_EQ(valor, 40);
    auto fresco = Superficie(131, 43);
    DibujaPotenciometro(*fresco, 51, 40);
    EXPECT_EQ(s->image(), fresco->image());
}

TEST_F(Potenciometro, KnobDrawsNothingBelowRow35) {
    for (int v : {0, 37, 100}) {
        DibujaPotenciometro(*s, 51, std::int16_t(v));
        for (int y = 36; y <= 37; ++y)
            for (int x = v + 8; x <= v + 21; ++x) ASSERT_EQ(s->point(x, y), Codigo(x - 5, y - 15)) << v << ": " << x << "," << y;
        // Its index mark stands on the ruler's mark of the value.
        EXPECT_EQ(s->point(v + 14, 20), 0x0000FFu);
    }
}

TEST_F(Potenciometro, AMoveWithTheButtonUpEndsALostDrag) {
    Agarra(50, 58);
    MuevePotenciometro(*s, valor, 64, 25, false);
    EXPECT_EQ(valor, 50);
    EXPECT_EQ(PuzzGbl.CursorActual, 20); // back to hovering over the knob
    MuevePotenciometro(*s, valor, 30, 25, false);
    EXPECT_EQ(valor, 50);
    EXPECT_EQ(PuzzGbl.CursorActual, 0);
}

// ---------------------------------------------------------------- selector

class Selector : public Controles {
protected:
    void Opciones(int indice, std::initializer_list<const char16_t*> textos) {
        auto& o = PuzzGbl.OpcionesSelector[std::size_t(indice)];
        for (auto& t : o) t = TextoDeAncho(QString(), kAnchoOpcionSelector);
        int k = 1;
        for (const char16_t* t : textos) o[std::size_t(k++)] = TextoDeAncho(QString::fromUtf16(t), kAnchoOpcionSelector);
    }
    // The leftmost column of pure black (the option's text) in the display rows.
    static int PrimeraColumnaNegra(const plat::Surface& s) {
        for (int x = 0; x < s.scaleWidth(); ++x)
            for (int y = 15; y < 34; ++y)
                if (s.point(x, y) == 0) return x;
        return -1;
    }
};

TEST_F(Selector, StepsAndWraps) {
    const struct {
        int indice;
        std::initializer_list<const char16_t*> textos;
        int desde, hasta;
    } casos[] = {
        {30, {u"Uno", u"Dos"}, 1, 2},
        {30, {u"Uno", u"Dos"}, 2, 1},
        {30, {u"Solo"}, 1, 1},
        {30, {u"a", u"b", u"c", u"d", u"e", u"f"}, 5, 6},
        {30, {u"a", u"b", u"c", u"d", u"e", u"f"}, 6, 1},
        {30, {u"Uno", u"Dos"}, 9, 1},  // a damaged setting
        {30, {u"Uno", u"Dos"}, -4, 1},
        {30, {u"Uno", u"Dos"}, 0, 1},
    };
    for (const auto& c : casos) {
        Opciones(c.indice, c.textos);
        auto s = Superficie(256, 38);
        std::int16_t o = std::int16_t(c.desde);
        log.clear();
        AvanzaSelector(*s, std::int16_t(c.indice), o);
        EXPECT_EQ(o, c.hasta) << c.desde;
        // Every step animates and sounds, even one that stays.
        EXPECT_EQ(log, QStringList({"sonido 0 6", "retardo 280", "sonido 0 7"})) << c.desde;
    }
}

TEST_F(Selector, AnOptionOrIndexOutsideTheTablesShowsAnEmptyDisplay) {
    Opciones(30, {u"Uno"});
    auto vacio = Superficie(256, 38);
    DibujaSelector(*vacio, 30, 2); // a blank option
    for (int o : {7, 9, -1, 0}) {
        auto s = Superficie(256, 38);
        DibujaSelector(*s, 30, std::int16_t(o));
        EXPECT_EQ(s->image(), vacio->image()) << o;
    }
    EXPECT_TRUE(TextoOpcion(37, 1).isEmpty());
    EXPECT_TRUE(TextoOpcion(-1, 1).isEmpty());
    auto s = Superficie(256, 38);
    DibujaSelector(*s, 200, 1); // no caption, no option: nothing but the frame and sprites
    EXPECT_EQ(PrimeraColumnaNegra(*s), -1);
}

TEST_F(Selector, TextIsCentredWithHalvesToEven) {
    Opciones(30, {u"Hueso claro"});
    auto medida = Superficie(256, 38);
    medida->setTextAntialias(false);
    const int t = medida->textWidth(QStringLiteral("Hueso claro"));
    // Free space (W - 37) - t of 1 and of 3: half a pixel each time, which
    // goes to 0 and to 2.
    auto a = Superficie(37 + t + 1, 38), b = Superficie(37 + t + 3, 38);
    a->setTextAntialias(false);
    b->setTextAntialias(false);
    DibujaSelector(*a, 30, 1);
    DibujaSelector(*b, 30, 1);
    EXPECT_EQ(PrimeraColumnaNegra(*b) - PrimeraColumnaNegra(*a), 2);
}

TEST_F(Selector, TextWiderThanTheDisplayStartsLeftOfIt) {
    Opciones(30, {u"Un texto mucho más ancho que su visor"});
    auto s = Superficie(148, 38);
    s->setTextAntialias(false);
    DibujaSelector(*s, 30, 1);
    EXPECT_LT(PrimeraColumnaNegra(*s), 35);
}

TEST_F(Selector, HoverCursorOverTheButton) {
    const struct {
        int x, y, cursor;
    } casos[] = {{4, 14, 23}, {33, 34, 23}, {3, 20, 0}, {34, 20, 0}, {20, 13, 0}, {20, 35, 0}};
    for (const auto& c : casos) {
        auto s = Superficie(256, 38);
        CursorSelector(*s, std::int16_t(c.x), std::int16_t(c.y));
        EXPECT_EQ(s->mousePointer() == 0 ? 0 : PuzzGbl.CursorActual, c.cursor) << c.x << "," << c.y;
    }
}

// ---------------------------------------------------------------- spin control

class Spin : public Controles {
protected:
    void SetUp() override {
        Controles::SetUp();
        s = Superficie(155, 29);
        t = std::make_unique<plat::TextBox>();
        mesa.Pic_FonTamReal.setSize(100, 77); // zooms 320..995 fit
        RegistraPresentadorMensaje([this](const QString& titulo, const QString&) { rechazos << titulo; });
        alEventos = [this] { vistos << t->text(); };
    }
    // A press on the arrows (they gave the pointing hand), held until the
    // limit or until `pasos` steps have let events run.
    float Pulsa(float v, int y, int pasos = 1000) {
        DibujaSpin(*s, *t, 41, v);
        PonCursor(*s, 23);
        int n = 0;
        auto antes = alEventos;
        alEventos = [this, antes, pasos, &n] {
            antes();
            if (++n >= pasos) PuzzGbl.RepeticionSpin = false;
        };
        PulsaSpin(*s, *t, 41, v, std::int16_t(y));
        alEventos = antes;
        return v;
    }
    std::unique_ptr<plat::Surface> s;
    std::unique_ptr<plat::TextBox> t;
    QStringList vistos; // the text box at each event pause
};

TEST_F(Spin, UpAtTheMaximumMakesNoStepButStillValidates) {
    EXPECT_EQ(Pulsa(995, 5), 995.0f);
    EXPECT_TRUE(vistos.isEmpty());
    EXPECT_FALSE(log.contains("sonido 0 6"));
    EXPECT_EQ(Validado(), "995");
}

TEST_F(Spin, HeldDownStepsToTheMinimumAndStops) {
    EXPECT_EQ(Pulsa(20, 25), 5.0f);
    EXPECT_EQ(vistos, QStringList({"15", "10", "5"}));
    EXPECT_EQ(Validado(), "rechazado"); // 5 percent: too small a picture
    // Each step: pressed arrow, sound, 30, released arrow, 70, events.
    EXPECT_EQ(log.mid(0, 4), QStringList({"sonido 0 6", "retardo 30", "retardo 70", "eventos"}));
}

TEST_F(Spin, AStepPastTheLimitStopsAtIt) {
    EXPECT_EQ(Pulsa(993, 5), 995.0f);
    EXPECT_EQ(vistos, QStringList({"995"}));
}

TEST_F(Spin, UpperHalfIncludesTheMiddleRow) {
    // Inner height 29: rows 0..14 are up, 15 on down.
    EXPECT_EQ(Pulsa(100, 14, 1), 105.0f);
    EXPECT_EQ(Pulsa(100, 15, 1), 95.0f);
}

TEST_F(Spin, PressedArrowShowsDuringTheStepOnly) {
    DibujaSpin(*s, *t, 41, 100);
    PonCursor(*s, 23);
    const int w = s->scaleWidth();
    plat::Color durante = 0;
    alEventos = [&] {
        durante = s->point(w - 22, 14);
        PuzzGbl.RepeticionSpin = false;
    };
    float v = 100;
    PulsaSpin(*s, *t, 41, v, 25);
    EXPECT_EQ(durante, Codigo(66, 34)); // released again before the events run
    EXPECT_EQ(s->point(w - 22, 4), Codigo(66, 24));
}

TEST_F(Spin, APressOffTheArrowsMakesNoStepWhateverWasLeftSet) {
    AceptaZoom(100);
    DibujaSpin(*s, *t, 41, 100);
    PonCursor(*s, 0);
    PuzzGbl.RepeticionSpin = true; // left over from a lost release
    float v = 100;
    PulsaSpin(*s, *t, 41, v, 5);
    EXPECT_EQ(v, 100.0f);
    EXPECT_TRUE(vistos.isEmpty());
    EXPECT_EQ(Validado(), "100");
}

TEST_F(Spin, RepetitionEndsWhenTheButtonIsUpOrTheControlHidden) {
    sujeto = false;
    EXPECT_EQ(Pulsa(100, 5), 105.0f);
    sujeto = true;
    alEventos = [this] { s->setVisible(false); };
    EXPECT_EQ(Pulsa(100, 5), 105.0f);
    EXPECT_FALSE(PuzzGbl.RepeticionSpin);
    EXPECT_FALSE(SpinEnMarcha());
}

TEST_F(Spin, WithoutAnEventPumpEachPressMakesOneStep) {
    ServiciosControles sin;
    sin.sonido = [](int, int) {};
    sin.retardo = [](int) {};
    RegistraServiciosControles(sin);
    AceptaZoom(105);
    EXPECT_EQ(Pulsa(100, 5), 105.0f);
    EXPECT_EQ(Validado(), "105");
}

TEST_F(Spin, ClosingTheWindowMidLoopIsSafe) {
    alEventos = [this] {
        s.reset();
        t.reset();
    };
    auto spin = s.get();
    auto texto = t.get();
    DibujaSpin(*spin, *texto, 41, 100);
    PonCursor(*spin, 23);
    float v = 100;
    PulsaSpin(*spin, *texto, 41, v, 5);
    EXPECT_EQ(Validado(), "");
    EXPECT_FALSE(PuzzGbl.RepeticionSpin);
    EXPECT_FALSE(SpinEnMarcha());
}

TEST_F(Spin, APressDuringARepetitionIsIgnored) {
    auto otro = Superficie(155, 29);
    plat::TextBox otroTexto;
    int n = 0;
    alEventos = [&] {
        if (++n == 1) {
            PonCursor(*otro, 23);
            float w = 500;
            PulsaSpin(*otro, otroTexto, 41, w, 5);
            EXPECT_EQ(w, 500.0f);
        }
        if (n == 3) PuzzGbl.RepeticionSpin = false;
    };
    AceptaZoom(115); // and not 500
    DibujaSpin(*s, *t, 41, 100);
    PonCursor(*s, 23);
    float v = 100;
    PulsaSpin(*s, *t, 41, v, 5);
    EXPECT_EQ(v, 115.0f);
    EXPECT_TRUE(otroTexto.text().isEmpty());
    EXPECT_EQ(Validado(), "115");
}

TEST_F(Spin, CircularValuesPassTheLimits) {
    PuzzGbl.ParametrosSpin[40] = ParametroSpin{0.0f, 10.0f, 5.0f, QStringLiteral("&&@"), true};
    DibujaSpin(*s, *t, 40, 10);
    PonCursor(*s, 23);
    int n = 0;
    alEventos = [&] {
        if (++n == 3) PuzzGbl.RepeticionSpin = false;
    };
    float v = 10;
    PulsaSpin(*s, *t, 40, v, 5);
    EXPECT_EQ(v, 25.0f);
}

TEST_F(Spin, DrawingPlacesTheTextBoxAndFormatsTheValue) {
    DibujaSpin(*s, *t, 41, 100);
    EXPECT_EQ(t->width(), 3 * 7 + 12);
    EXPECT_EQ(t->left(), 155 - 33 - 25);
    EXPECT_EQ(t->top(), 5);
    EXPECT_EQ(t->text(), "100");
    const int w = s->scaleWidth();
    EXPECT_EQ(s->point(w - 22, 4), Codigo(66, 24));
    EXPECT_EQ(s->point(w - 22 + 16, 4 + 20), Codigo(82, 44));
}

TEST_F(Spin, NumbersAreWrittenInTheirShortestForm) {
    const struct {
        float v;
        const char* texto;
    } casos[] = {{7.3f, "7.3"}, {12.5f, "12.5"}, {995.0f, "995"}, {5.0f, "5"}, {123456.0f, "123456"},
                 {0.0001f, "0.0001"}};
    for (const auto& c : casos) EXPECT_EQ(FormateaParametro(41, c.v), QString::fromLatin1(c.texto)) << c.texto;
}

TEST_F(Spin, HoverOverTheArrows) {
    const struct {
        int x, y;
        bool mano;
    } casos[] = {{134, 4, true}, {149, 23, true}, {133, 10, false}, {150, 10, false}, {140, 3, false}, {140, 24, false}};
    for (const auto& c : casos) {
        PonCursor(*s, 0);
        PuzzGbl.RepeticionSpin = true;
        CursorSpin(*s, std::int16_t(c.x), std::int16_t(c.y));
        EXPECT_EQ(PuzzGbl.CursorActual, c.mano ? 23 : 0) << c.x << "," << c.y;
        EXPECT_EQ(PuzzGbl.RepeticionSpin, c.mano) << c.x << "," << c.y;
    }
}

TEST_F(Spin, TypedValuesAreHeldToTheLimits) {
    const struct {
        const char* tecleado;
        const char* mostrado;
        const char* valor;
    } casos[] = {
        {"2000", "995", "995"}, {"abc", "5", "5"},   {"-3", "5", "5"},         {"  40", "  40", "40"},
        {"50abc", "50ABC", "50"}, {"1e40", "995", "995"}, {"-1e400", "5", "5"}, {"1e400", "995", "995"},
        {"12.5", "12.5", "12.5"}, {"", "5", "5"},
    };
    for (const auto& c : casos) {
        // The value handed to the zoom check: a picture on which just that
        // zoom fits the table is accepted (the smallest value is refused).
        const int z = int(std::nearbyint(QString::fromLatin1(c.valor).toDouble()));
        if (z >= 12) AceptaZoom(z);
        else mesa.Pic_FonTamReal.setSize(0, 0);
        PuzzGbl.ZoomImagen = 0;
        rechazos.clear();
        t->setText(QString::fromLatin1(c.tecleado));
        ValidaSpin(*t, 41);
        EXPECT_EQ(t->text(), QString::fromLatin1(c.mostrado)) << c.tecleado;
        EXPECT_EQ(Validado(), z >= 12 ? QString::number(z) : QString("rechazado")) << c.tecleado;
    }
}

// ---------------------------------------------------------------- the zoom check

TEST_F(Spin, ZoomIsAcceptedWithinTheLimitsOnly) {
    const struct {
        int w, h;
        double zoom;
        int zoomFinal;
    } casos[] = {
        {320, 240, 100, 100}, {320, 240, 995, 150}, {103, 77, 995, 995}, // 1024.85 wide truncates to 1024
        {320, 240, 99.5, 100}, {32, 24, 995, 150},  {320, 240, 105, 105}, {1024, 768, 100.5, 100},
    };
    for (const auto& c : casos) {
        mesa.Pic_FonTamReal.setSize(c.w, c.h);
        PuzzGbl.ZoomImagen = 150;
        ValidaCambioSpin(41, c.zoom);
        EXPECT_EQ(PuzzGbl.ZoomImagen, c.zoomFinal) << c.w << "x" << c.h << " " << c.zoom;
    }
}

TEST_F(Spin, RefusedZoomTellsWhyAndShowsTheKeptZoom) {
    mesa.Pic_FonTamReal.setSize(320, 240);
    PuzzGbl.ZoomImagen = 100;
    QString titulo, texto;
    RegistraPresentadorMensaje([&](const QString& a, const QString& b) {
        titulo = a;
        texto = b;
        log << "mensaje";
    });
    int repintados = 0;
    RegistraVentanaSpin({[this](int i) { return i == 41 ? s.get() : nullptr; },
                         [this](int i) { return i == 41 ? t.get() : nullptr; }, [&] { ++repintados; }});
    t->setText(QStringLiteral("995"));
    ValidaCambioSpin(41, 995);
    EXPECT_EQ(PuzzGbl.ZoomImagen, 100);
    EXPECT_EQ(log, QStringList({"sonido 1 11", "mensaje"}));
    EXPECT_EQ(titulo, QStringLiteral("Imagen fuera de límites"));
    EXPECT_EQ(texto, QStringLiteral("Si aplica este zoom a la imagen seleccionada\r\nse superan los límites permitidos:\r\n\r\n"
                                    "      Entre 320 y 1024 píxeles de ancho\r\n      Entre 240 y  768 píxeles de alto\r\n"));
    EXPECT_EQ(PuzzGbl.NroLineasMensaje, 6);
    EXPECT_EQ(PuzzGbl.TipoMensaje, 1);
    EXPECT_EQ(PuzzGbl.AyudaMensaje, 2115);
    EXPECT_EQ(repintados, 1);
    EXPECT_EQ(t->text(), "100");
}

TEST_F(Spin, UntilTheWindowRegistersTheHolderKeepsTheZoomSpin) {
    mesa.Pic_FonTamReal.setSize(320, 240);
    PuzzGbl.ZoomImagen = 100;
    EXPECT_EQ(PicSpin(41), &PicSpinZoom());
    EXPECT_EQ(TexSpin(41), &TexSpinZoom());
    EXPECT_EQ(PicSpin(40), nullptr);
    ValidaCambioSpin(41, 995);
    EXPECT_EQ(TexSpinZoom().text(), "100");
    // Other indexes do nothing.
    log.clear();
    ValidaCambioSpin(40, 995);
    EXPECT_TRUE(log.isEmpty());
}

// ---------------------------------------------------------------- captions fit

TEST_F(Controles, EveryCaptionAndOptionFitsItsControl) {
    // Selector 2's options at their longest: 63 numbers, letters up to the 24th.
    auto& fondo = PuzzGbl.OpcionesSelector[2];
    fondo[1] = TextoDeAncho(QStringLiteral("Seleccionar una imagen"), kAnchoOpcionSelector);
    fondo[2] = TextoDeAncho(QStringLiteral("Números del  1  al  63"), kAnchoOpcionSelector);
    fondo[3] = TextoDeAncho(QStringLiteral("Letras de la  A  a la  W"), kAnchoOpcionSelector);
    auto medida = Superficie(10, 10);
    auto ancho = [&](const QString& t) { return medida->textWidth(t); };
    const struct {
        int indice, w;
    } interruptores[] = {{11, 148}, {12, 194}, {13, 194}, {14, 194}, {15, 148}, {16, 194},
                         {21, 120}, {22, 120}, {23, 120}, {24, 120}, {25, 120}};
    for (const auto& c : interruptores)
        EXPECT_LE(24 + 1 + ancho(PuzzGbl.TextosControles[c.indice]), c.w - 2) << c.indice;
    for (const auto& c : {std::pair{31, 171}, std::pair{32, 102}}) {
        const QString t = PuzzGbl.TextosControles[c.first];
        int total = 0;
        for (QChar ch : t) total += ancho(QString(ch));
        const Espaciado e = CalculaEspaciado(c.second, total, int(t.size()));
        EXPECT_GE(e.x, 2) << c.first;
        EXPECT_LE(e.x + 1 + total + e.espacio * (int(t.size()) - 1), c.second - 3) << c.first;
    }
    for (int i : {51, 52})
        EXPECT_LE(ancho(" " + SinBlancos(PuzzGbl.TextosControles[i]) + "  "), 131 - 4) << i;
    const struct {
        int indice, w;
    } selectores[] = {{1, 256}, {2, 256}, {6, 194}, {5, 148}};
    for (const auto& c : selectores) {
        EXPECT_LE(ancho(" " + SinBlancos(PuzzGbl.TextosControles[c.indice]) + "  "), c.w - 4) << c.indice;
        for (int o = 1; o <= 6; ++o) {
            const QString t = TextoOpcion(std::int16_t(c.indice), std::int16_t(o));
            if (t.isEmpty()) continue;
            // The display runs from x 35 to W - 5; the text is centred in it.
            const int x = 35 + ((c.w - 37) - ancho(t)) / 2;
            EXPECT_GE(x, 37) << c.indice << " " << t.toStdString();
            EXPECT_LE(x + ancho(t), c.w - 5) << c.indice << " " << t.toStdString();
        }
    }
    // The spin's caption ends before its text box.
    DibujaSpin(PicSpinZoom(), TexSpinZoom(), 41, 100);
    PicSpinZoom().setFont(FuenteControles());
    EXPECT_LE(3 + 1 + ancho(PuzzGbl.TextosControles[41]), TexSpinZoom().left() - 2);
}

} // namespace
