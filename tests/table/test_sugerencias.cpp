// The tips panel on the table: its timer steps on a fake clock and generator,
// what it prints and where it lies however the table is scrolled, its close
// button and its link, and the drops that keep pieces off it.
#include "botonera_fakes.h"

#include "core/Pantalla.h"
#include "core/Sugerencias.h"
#include "core/Tablas.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "platform/ui/helpviewer.h"
#include "resources/resources.h"
#include "table/PanelSugerencias.h"
#include "table/Soltar.h"
#include "table/VentanaMesa.h"

#include <QDialog>
#include <QFile>

#include <cstdint>
#include <set>

namespace {

using namespace botonera_pruebas;

class GrabaSonidos : public plat::SoundPlayer {
public:
    void play(const QByteArray& datos, bool) override { oidos.push_back(datos); }
    void stop() override {}
    std::vector<QByteArray> oidos;
};

QByteArray sonido(int id) {
    QFile f(QStringLiteral(":/sounds/%1.wav").arg(id));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

constexpr int kAnchoMesa = 1024, kAltoMesa = 768;

class SugerenciasTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        teselaro::initResources();
        FijaTamanoPantalla(QSize(kAnchoMesa, kAltoMesa));
        InicializaTablas();
        mesa.Load();
        PuzzGbl.AnchoMesa = kAnchoMesa;
        PuzzGbl.AltoMesa = kAltoMesa;
        mesa.Pic_Trabajo.setSize(2000, 1500);
        // The bars of a table larger than the window.
        mesa.BarraHor.Move(0, std::int16_t(kAltoMesa - 16), std::int16_t(kAnchoMesa - 16), 16);
        mesa.BarraVer.Move(std::int16_t(kAnchoMesa - 16), 431, 16, std::int16_t(kAltoMesa - 16 - 431));
        mesa.BarraHor.setMax(2000 - kAnchoMesa);
        mesa.BarraVer.setMax(1500 - kAltoMesa);
        mesa.BarraHor.setVisible(true);
        mesa.BarraVer.setVisible(true);
        RelojSugerencias() = [this] { return ahora; };
        AzarSugerencias() = [this] { return azar.next(); };
        AlTimer1 = PasoSugerencias;
        plat::setSoundPlayer(&sonidos);
        PuzzGbl.SonidoActivo = true;
        PuzzGbl.MostrarSugerencias = true;
        PuzzGbl.ListaMovimientos = 1;
        PuzzGbl.TiempoSugerencia = ahora - 15000;
    }
    void TearDown() override {
        plat::setSoundPlayer(nullptr);
        ReiniciaRelojYAzarSugerencias();
        VisorAyudaSugerencias() = [](int tema) { plat::showHelp(tema); };
        FijaTamanoPantalla(QSize());
        PanelTest::TearDown();
    }
    static void muestra(int n) {
        std::int16_t nro = std::int16_t(n);
        MuestraSugerencia(nro);
    }

    std::int64_t ahora = 1'000'000;
    plat::RandomGenerator azar;
    GrabaSonidos sonidos;
};

// ---- the timer ---------------------------------------------------------------

TEST_F(SugerenciasTest, ANewTipOnlyOnceMoreThanFiveSecondsHavePassed) {
    for (const std::int64_t inicio : {std::int64_t(0), std::int64_t(3000), (std::int64_t(1) << 31) - 2500,
                                      (std::int64_t(1) << 32) - 2500, (std::int64_t(1) << 32) + 7}) {
        SCOPED_TRACE(inicio);
        ahora = inicio;
        PuzzGbl.TiempoSugerencia = inicio - 15000; // as the start-up leaves it
        Timer1().tick();
        EXPECT_EQ(PuzzGbl.TiempoSugerencia, inicio) << "the first tick shows a tip";
        EXPECT_TRUE(mesa.Pic_Sugerencia.visible());
        const std::int16_t primero = PuzzGbl.NroSugerencia;

        ahora = inicio + 5000;
        PuzzGbl.NroSugerencia = primero;
        Timer1().tick();
        EXPECT_EQ(PuzzGbl.TiempoSugerencia, inicio) << "5000 ms are not more than 5000";
        EXPECT_EQ(PuzzGbl.NroSugerencia, primero);

        ahora = inicio + 5001;
        Timer1().tick();
        EXPECT_EQ(PuzzGbl.TiempoSugerencia, inicio + 5001);
    }
}

TEST_F(SugerenciasTest, TheTutorsTipGivesWayOnceTheTutorIsUsed) {
    PuzzGbl.TutorActivo = true;
    muestra(9);
    ahora += 10000;
    // While the tutor waits, the rotation may replace its tip after 5 s.
    PuzzGbl.TiempoSugerencia = ahora;
    Timer1().tick();
    EXPECT_EQ(PuzzGbl.NroSugerencia, 9);
    PuzzGbl.TutorActivo = false;
    ahora += 1000;
    Timer1().tick();
    EXPECT_EQ(PuzzGbl.NroSugerencia, 2);
    EXPECT_EQ(PuzzGbl.TiempoSugerencia, ahora) << "tip 2 also stays 5 s";
}

TEST_F(SugerenciasTest, ThePreviewsTipGivesWayOnceThePreviewShows) {
    muestra(28);
    ahora += 1000;
    Timer1().tick();
    EXPECT_EQ(PuzzGbl.NroSugerencia, 28);
    PuzzGbl.MuestraVisible = true;
    ahora += 1000;
    Timer1().tick();
    EXPECT_EQ(PuzzGbl.NroSugerencia, 1);
    EXPECT_EQ(PuzzGbl.TiempoSugerencia, ahora);
}

TEST_F(SugerenciasTest, TipsOffTheChronometerRunsAndThePanelStaysAsItWas) {
    PuzzGbl.MostrarSugerencias = false;
    MarchaCronometro(1);
    const QImage antes = mesa.Pic_Sugerencia.image();
    const std::int64_t tiempo = PuzzGbl.TiempoSugerencia;
    for (int i = 0; i < 3; ++i) {
        ahora += 6000;
        Timer1().tick();
    }
    EXPECT_EQ(PuzzGbl.SegundosCronometro, 3);
    EXPECT_FALSE(mesa.Pic_Sugerencia.visible());
    EXPECT_EQ(mesa.Pic_Sugerencia.image(), antes);
    EXPECT_EQ(PuzzGbl.TiempoSugerencia, tiempo);
    EXPECT_EQ(PuzzGbl.NroSugerencia, 2);
}

TEST_F(SugerenciasTest, ARunOfTicksShowsOnlyTipsThatSuitAtMostEveryFiveSeconds) {
    // Pentominoes in several colours, none in place, no borders, no
    // rotation, the move list always shown: the tips that suit, worked out
    // by hand from the rules (60 and 65 stand for the game's own, 24).
    PuzzGbl.TipoJuego = 24;
    PuzzGbl.NroPiezas = 12;
    PuzzGbl.NroPiezasColocadas = 0;
    PuzzGbl.DibujarBorde = false;
    PuzzGbl.GiroPermitido = false;
    PuzzGbl.PiezasUnColor = false;
    const std::set<int> convienen{1, 2, 5, 6, 7, 15, 24, 29, 32, 46, 48, 50, 51, 55};
    std::set<int> vistas;
    std::int64_t ultimo = PuzzGbl.TiempoSugerencia;
    for (int s = 0; s < 600; ++s) {
        ahora += 1000;
        Timer1().tick();
        if (PuzzGbl.TiempoSugerencia != ultimo) {
            EXPECT_GT(PuzzGbl.TiempoSugerencia - ultimo, 5000);
            ultimo = PuzzGbl.TiempoSugerencia;
            const int n = PuzzGbl.NroSugerencia;
            EXPECT_TRUE(convienen.count(n)) << n;
            vistas.insert(n);
        }
    }
    EXPECT_EQ(vistas, convienen) << "every tip that suits comes up in a long run";
}

TEST_F(SugerenciasTest, TipsGoOnWhileAModalWindowIsOpen) {
    QDialog modal;
    modal.setModal(true);
    modal.show();
    ahora += 6000;
    Timer1().tick();
    EXPECT_EQ(PuzzGbl.TiempoSugerencia, ahora);
    modal.hide();
}

// ---- the panel ---------------------------------------------------------------

bool azulado(plat::Color c) {
    const int r = int(c & 0xFF), g = int((c >> 8) & 0xFF), b = int((c >> 16) & 0xFF);
    return b > r + 60 && b > g + 60;
}

TEST_F(SugerenciasTest, EveryTipPrintsItsThreeLinesInBlue) {
    for (int n = 0; n <= 70; ++n) {
        const Sugerencia& tip = PuzzGbl.Sugerencias[std::size_t(n)];
        if (tip.Texto.isEmpty()) continue;
        SCOPED_TRACE(n);
        muestra(n);
        EXPECT_EQ(PuzzGbl.NroSugerencia, n);
        EXPECT_EQ(PuzzGbl.AyudaSugerencia, tip.IdAyuda);
        EXPECT_EQ(PuzzGbl.TiempoSugerencia, ahora);
        const plat::Surface& p = mesa.Pic_Sugerencia;
        // Each band holds blue ink exactly where its line has text.
        for (const LineaSugerencia& l : LineasSugerencia(tip.Texto)) {
            int tinta = 0;
            for (int y = l.y; y < l.y + 11; ++y)
                for (int x = l.x; x < kAnchoPanelSugerencia - 4; ++x) tinta += azulado(p.point(x, y));
            EXPECT_EQ(tinta > 0, !l.texto.trimmed().isEmpty()) << l.texto.toStdString();
        }
        ++ahora;
    }
}

TEST_F(SugerenciasTest, ThePrintedLinesAreTheTipsSlicesAtTheirPlaces) {
    // The text area of the panel matches the three slices printed by hand
    // in the same font and colour on a blank of the same back colour.
    for (int n = 0; n <= 70; ++n) {
        const Sugerencia& tip = PuzzGbl.Sugerencias[std::size_t(n)];
        if (tip.Texto.isEmpty()) continue;
        SCOPED_TRACE(n);
        muestra(n);
        const plat::Surface& p = mesa.Pic_Sugerencia;
        plat::Surface ref(QStringLiteral("ref"), 423, 64);
        ref.setBackColor(p.backColor());
        ref.setFont(p.font());
        ref.setForeColor(0xFF0000);
        for (int k = 0; k < 3; ++k) {
            ref.setCurrent(3, 24 + 11 * k);
            ref.print(tip.Texto.mid(60 * k, 59));
        }
        EXPECT_EQ(p.font().name, QStringLiteral("Liberation Mono"));
        int distintos = 0;
        for (int y = 22; y < 62; ++y)
            for (int x = 1; x < 422; ++x) distintos += p.point(x, y) != ref.point(x, y);
        EXPECT_EQ(distintos, 0);
    }
}

TEST_F(SugerenciasTest, LinkAndCloseButtonStandInThePanel) {
    muestra(3);
    EXPECT_EQ(mesa.Pic_Sugerencia.width(), 423);
    EXPECT_EQ(mesa.Pic_Sugerencia.height(), 64);
    EXPECT_EQ(mesa.Pic_Sugerencia.mousePointer(), 0);
    const plat::Surface& e = mesa.Pic_SugeMasAyuda;
    EXPECT_EQ((std::array{e.left(), e.top(), e.width(), e.height()}), (std::array{5, 3, 55, 19}));
    EXPECT_TRUE(e.font().underline);
    EXPECT_EQ(e.customCursor(), NombreCursor(23));
    int tinta = 0;
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 55; ++x) tinta += azulado(e.point(x, y));
    EXPECT_GT(tinta, 0) << "\"más ayuda\" is printed";
    const plat::Surface& c = mesa.Pic_SugeBotCerrar;
    EXPECT_EQ((std::array{c.left(), c.top(), c.width(), c.height()}), (std::array{398, 2, 19, 19}));
    EXPECT_EQ(c.customCursor(), NombreCursor(23));
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 19; ++x) ASSERT_EQ(c.point(x, y), mesa.Pic_BmpVario.point(78 + x, 30 + y)) << x << "," << y;
    EXPECT_FALSE(mesa.Pic_Sugerencia.font().underline);
}

TEST_F(SugerenciasTest, ANumberOutsideTheTableOrTipsOffDoesNothing) {
    muestra(5);
    const std::int64_t t = PuzzGbl.TiempoSugerencia;
    ahora += 10;
    for (int n : {-1, 71, 200}) {
        std::int16_t nro = std::int16_t(n);
        MuestraSugerencia(nro);
    }
    EXPECT_EQ(PuzzGbl.NroSugerencia, 5);
    EXPECT_EQ(PuzzGbl.TiempoSugerencia, t);
    PuzzGbl.MostrarSugerencias = false;
    muestra(7);
    EXPECT_EQ(PuzzGbl.NroSugerencia, 5);
}

TEST_F(SugerenciasTest, ScrolledEitherWayThePanelSitsAtTheVisibleLowerLeft) {
    muestra(2);
    const struct {
        int hor, ver;
    } casos[] = {{0, 0}, {0, 200}, {300, 0}, {300, 200}, {976, 732}, {0, 0}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.hor << ", " << c.ver);
        mesa.BarraHor.setValue(c.hor);
        mesa.BarraVer.setValue(c.ver);
        EXPECT_EQ(mesa.Pic_Sugerencia.left(), c.hor);
        EXPECT_EQ(mesa.Pic_Sugerencia.top(), kAltoMesa - 16 - 64 + c.ver);
        EXPECT_EQ(PuzzGbl.NroSugerencia, 2) << "the tip shown stays";
    }
}

TEST_F(SugerenciasTest, BeforeAnyTipARe_ShowShowsTipTwoNotTheWarning) {
    PuzzGbl.reset();
    EXPECT_EQ(PuzzGbl.NroSugerencia, 2);
    InicializaTablas();
    PuzzGbl.MostrarSugerencias = true;
    mesa.BarraVer.setValue(100);
    EXPECT_EQ(PuzzGbl.NroSugerencia, 2);
    EXPECT_EQ(PuzzGbl.AyudaSugerencia, 2111);
    // So one press of the close button warns and does not close.
    Pic_SugeBotCerrar_MouseDown(1, 0, 5, 5);
    EXPECT_TRUE(PuzzGbl.MostrarSugerencias);
    EXPECT_EQ(PuzzGbl.NroSugerencia, 0);
}

// ---- the handlers --------------------------------------------------------------

TEST_F(SugerenciasTest, TheFirstClosePressWarnsTheSecondCloses) {
    muestra(30);
    Pic_SugeBotCerrar_MouseDown(1, 0, 5, 5);
    EXPECT_EQ(PuzzGbl.NroSugerencia, 0);
    EXPECT_EQ(PuzzGbl.AyudaSugerencia, 2128);
    EXPECT_TRUE(PuzzGbl.MostrarSugerencias);
    EXPECT_TRUE(mesa.Pic_Sugerencia.visible());
    Pic_SugeBotCerrar_MouseDown(1, 0, 5, 5);
    EXPECT_FALSE(PuzzGbl.MostrarSugerencias);
    EXPECT_FALSE(mesa.Pic_Sugerencia.visible());
    ASSERT_EQ(sonidos.oidos.size(), 2u);
    EXPECT_EQ(sonidos.oidos[0], sonido(6));
    EXPECT_EQ(sonidos.oidos[1], sonido(6));
    // Closed, the timer shows nothing more.
    ahora += 60000;
    Timer1().tick();
    EXPECT_FALSE(mesa.Pic_Sugerencia.visible());
}

TEST_F(SugerenciasTest, WithoutASecondPressTheRotationReplacesTheWarning) {
    muestra(30);
    Pic_SugeBotCerrar_MouseDown(1, 0, 5, 5);
    ahora += 5001;
    Timer1().tick();
    EXPECT_NE(PuzzGbl.NroSugerencia, 0);
    Pic_SugeBotCerrar_MouseDown(1, 0, 5, 5);
    EXPECT_TRUE(PuzzGbl.MostrarSugerencias) << "a press on another tip warns again";
}

TEST_F(SugerenciasTest, TheLinkOpensTheTipsTopic) {
    std::vector<int> temas;
    VisorAyudaSugerencias() = [&](int tema) { temas.push_back(tema); };
    muestra(44);
    Pic_SugeMasAyuda_MouseDown(1, 0, 5, 5);
    muestra(65);
    Pic_SugeMasAyuda_MouseDown(1, 0, 5, 5);
    EXPECT_EQ(temas, (std::vector<int>{2120, 4040}));
    ASSERT_EQ(sonidos.oidos.size(), 2u);
    EXPECT_EQ(sonidos.oidos[0], sonido(7));
    EXPECT_TRUE(PuzzGbl.MostrarSugerencias) << "play goes on";
}

TEST_F(SugerenciasTest, OverThePanelTheTablesPointerGoesBackToTheDefault) {
    PonCursor(mesa.Pic_Trabajo, 21);
    PuzzGbl.PunteroRaton = 21;
    Pic_Sugerencia_MouseMove(0, 0, 10, 10);
    EXPECT_EQ(mesa.Pic_Trabajo.mousePointer(), 0);
    EXPECT_EQ(PuzzGbl.PunteroRaton, 0);
}

// ---- pieces kept off the panel ----------------------------------------------------

TEST_F(SugerenciasTest, APushedBackPieceNeverEndsUnderThePanel) {
    muestra(2);
    for (int ver : {0, 200}) {
        for (int hor : {0, 300}) {
            mesa.BarraVer.setValue(ver);
            mesa.BarraHor.setValue(hor);
            ZonaVisible z;
            z.barraHorArriba = mesa.BarraHor.Top();
            z.barraVerIzquierda = mesa.BarraVer.Left();
            z.valorVer = ver;
            z.valorHor = hor;
            z.botoneraIzquierda = kAnchoMesa - 141;
            z.botoneraAlto = 431;
            z.sugerenciasVisibles = true;
            z.sugerenciaIzquierda = mesa.Pic_Sugerencia.left();
            z.sugerenciaAncho = mesa.Pic_Sugerencia.width();
            z.sugerenciaArriba = mesa.Pic_Sugerencia.top();
            const int izq = mesa.Pic_Sugerencia.left(), arriba = mesa.Pic_Sugerencia.top();
            for (int x = hor - 100; x < hor + 600; x += 37)
                for (int y = ver + 400; y < ver + 900; y += 29) {
                    SCOPED_TRACE(testing::Message() << "scroll " << hor << "," << ver << " drop " << x << "," << y);
                    const Posicion p = EmpujaDentro(x, y, 60, 50, 0, 0, z);
                    const double cx = p.x + 30.0, cy = p.y + 25.0;
                    EXPECT_FALSE(cx > izq && cx < izq + 423 && cy > arriba) << "under the tips panel";
                    EXPECT_GE(cx, hor);
                    EXPECT_GE(cy, ver);
                    EXPECT_LE(cy, ver + kAltoMesa - 16);
                }
        }
    }
}

// ---- on the window -----------------------------------------------------------------

TEST_F(SugerenciasTest, OnTheWindowThePanelLiesOnTheTable) {
    VentanaMesa* ventana = InstalaMesa();
    ConectaVistasSugerencias(*ventana);
    auto* tabla = ventana->vista(mesa.Pic_Trabajo);
    auto* panel = ventana->vista(mesa.Pic_Sugerencia);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->parentWidget(), tabla);
    EXPECT_EQ(ventana->vista(mesa.Pic_SugeMasAyuda)->parentWidget(), panel);
    EXPECT_EQ(ventana->vista(mesa.Pic_SugeBotCerrar)->parentWidget(), panel);
    muestra(2);
    mesa.BarraVer.setValue(200);
    mesa.BarraHor.setValue(300);
    // In window pixels the panel stands just above the horizontal bar, at the left.
    EXPECT_EQ(panel->mapTo(ventana, QPoint(0, 0)), QPoint(0, kAltoMesa - 16 - 64));
    DesinstalaMesa();
}

} // namespace
