// The chronometer: counting ticks, the time text, the switch's picture,
// press and hover, and the table's timer.
#include "botonera_fakes.h"

#include "core/Duracion.h"
#include "model/Partida.h"
#include "table/Opciones.h"

#include <QDialog>

#include <functional>

namespace {

using namespace botonera_pruebas;

TEST(Duracion, HoursMinutesSecondsWhateverTheLength) {
    const struct {
        std::int64_t segundos;
        const char* texto;
    } casos[] = {
        {0, "0:00:00"},       {3, "0:00:03"},        {59, "0:00:59"},          {60, "0:01:00"},
        {3599, "0:59:59"},    {86399, "23:59:59"},   {86400, "24:00:00"},      {90061, "25:01:01"},
        {-5, "-0:00:05"},     {2147483647, "596523:14:07"}, {-2147483648LL, "-596523:14:08"},
    };
    for (const auto& c : casos) EXPECT_EQ(TextoDuracion(c.segundos).toStdString(), c.texto) << c.segundos;
}

using CronometroTest = PanelTest;

TEST_F(CronometroTest, CountsTicksOnlyWhileRunning) {
    MarchaCronometro(1);
    for (int i = 0; i < 3; ++i) CronoAvanzaSegundo();
    EXPECT_EQ(PuzzGbl.SegundosCronometro, 3);
    MarchaCronometro(2);
    CronoAvanzaSegundo();
    EXPECT_EQ(PuzzGbl.SegundosCronometro, 3);
    // The display shows what was counted; the same text drawn by hand matches.
    MarchaCronometro(1);
    PuzzGbl.SegundosCronometro = 90060;
    CronoAvanzaSegundo();
    const QImage visto = mesa.Pic_CroTime.image();
    DibujaVisor(mesa.Pic_CroTime, QStringLiteral("25:01:01"), 2);
    EXPECT_EQ(visto, mesa.Pic_CroTime.image());
}

// The settings, statistics and history windows pause the chronometer; the
// load and save window and the program's messages (the welcome, Taipei's
// refusals) leave it counting.
TEST_F(CronometroTest, SecondsCountOnlyUnderTheWindowsThatDoNotPauseIt) {
    // A modal window that stays open for three ticks of the table's timer.
    const auto abierta = [] {
        QDialog modal;
        modal.setModal(true);
        modal.show();
        for (int i = 0; i < 3; ++i) Timer1().tick();
        modal.hide();
    };
    const struct {
        const char* nombre;
        std::function<void()> abre;
        int segundos;
    } casos[] = {
        {"settings", [] { pulsa(2); }, 0},
        {"statistics", [] { pulsa(4); }, 0},
        {"history", [] { pulsa(5); }, 0},
        {"load and save",
         [] {
             PuzzGbl.OpcionesSelecActivas.fill(true);
             PuzzGbl.OpcionSenalada = 2;
             Pic_SelOpciones_MouseUp(1, 0, 20, 30);
         },
         3},
        {"message", [] { Mensaje(QStringLiteral("Error de selección"), QStringLiteral("x"), 1, 1); }, 3},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        auto& l = Lanzador();
        l.personal = l.estadis = l.historic = l.cargua = abierta;
        RegistraPresentadorMensaje([&](const QString&, const QString&) { abierta(); });
        MarchaCronometro(1);
        c.abre();
        EXPECT_EQ(PuzzGbl.SegundosCronometro, c.segundos);
        EXPECT_TRUE(PuzzGbl.CronometroEnMarcha);
        TearDown();
    }
}

TEST_F(CronometroTest, ANewDealShowsNoTimeAtOnce) {
    MarchaCronometro(1);
    PuzzGbl.SegundosCronometro = 34;
    MuestraTiempoCrono();
    IniciaGrabadora(); // the end of every deal
    const QImage visto = mesa.Pic_CroTime.image();
    DibujaVisor(mesa.Pic_CroTime, QStringLiteral("0:00:00"), 2);
    EXPECT_EQ(visto, mesa.Pic_CroTime.image());
}

TEST_F(CronometroTest, TheSwitchShowsItsStateOneToOneInsideItsFrame) {
    // Distinct columns on the sheet so that a stretched copy would show.
    for (int x = 0; x < 78; ++x)
        for (int y = 30; y < 43; ++y) mesa.Pic_BmpVario.plot(x, y, plat::Color(0x010000 * x + y));
    for (int modo : {1, 2}) {
        SCOPED_TRACE(modo);
        MarchaCronometro(std::int16_t(modo));
        const int origen = modo == 1 ? 39 : 0;
        for (int dx : {0, 20, 38})
            for (int dy : {0, 12})
                EXPECT_EQ(mesa.Pic_Cronome.point(10 + dx, 4 + dy), plat::Color(0x010000 * (origen + dx) + 30 + dy))
                    << dx << "," << dy;
        EXPECT_EQ(mesa.Pic_Cronome.point(0, 0), 0x000000u);
        EXPECT_EQ(mesa.Pic_Cronome.point(57, 42), 0x000000u);
        EXPECT_EQ(mesa.Pic_Cronome.point(56, 41), 0x808080u);
        EXPECT_EQ(mesa.Pic_Cronome.point(30, 1), 0xE0E0E0u);
        EXPECT_EQ(mesa.Pic_Cronome.point(1, 30), 0xE0E0E0u);
    }
}

TEST_F(CronometroTest, APressTogglesOnlyOverTheSwitch) {
    MarchaCronometro(1);
    const struct {
        double x, y;
        bool conmuta;
    } casos[] = {{9, 10, false}, {10, 4, true}, {48, 16, true}, {49, 10, false}, {30, 3, false}, {30, 17, false}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const bool antes = PuzzGbl.CronometroEnMarcha;
        Pic_Cronome_MouseDown(1, 0, c.x, c.y);
        EXPECT_EQ(PuzzGbl.CronometroEnMarcha, c.conmuta ? !antes : antes);
    }
}

TEST_F(CronometroTest, TheTipChangesOnlyWithTheHoverCode) {
    MarchaCronometro(1);
    PuzzGbl.CronoSenalado = -1;
    Pic_Cronome_MouseMove(0, 0, 20, 10);
    EXPECT_EQ(mesa.Pic_Cronome.toolTip(), QString::fromUtf8(" Parar el cronómetro "));
    EXPECT_EQ(PuzzGbl.CursorCrono, 23);
    Pic_Cronome_MouseDown(1, 0, 20, 10);
    Pic_Cronome_MouseMove(0, 0, 21, 10);
    EXPECT_EQ(mesa.Pic_Cronome.toolTip(), QString::fromUtf8(" Parar el cronómetro ")) << "same code, same tip";
    Pic_Cronome_MouseMove(0, 0, 2, 30);
    EXPECT_EQ(mesa.Pic_Cronome.toolTip(), QString());
    EXPECT_EQ(mesa.Pic_Cronome.mousePointer(), 0);
    Pic_Cronome_MouseMove(0, 0, 20, 10);
    EXPECT_EQ(mesa.Pic_Cronome.toolTip(), QString::fromUtf8(" Activar el cronómetro "));
}

TEST_F(CronometroTest, TheTimerCountsThenHandsOn) {
    MarchaCronometro(1);
    QStringList orden;
    AlTimer1 = [&] { orden << QString::number(PuzzGbl.SegundosCronometro); };
    Timer1().tick();
    Timer1().tick();
    EXPECT_EQ(orden, QStringList({"1", "2"}));
}

TEST_F(CronometroTest, TheRedrawnPanelShowsTheTimeWithoutCounting) {
    MarchaCronometro(1);
    PuzzGbl.SegundosCronometro = 3;
    DibujaBotonera();
    EXPECT_EQ(PuzzGbl.SegundosCronometro, 3);
    const QImage visto = mesa.Pic_CroTime.image();
    DibujaVisor(mesa.Pic_CroTime, QStringLiteral("0:00:03"), 2);
    EXPECT_EQ(visto, mesa.Pic_CroTime.image());
}

} // namespace
