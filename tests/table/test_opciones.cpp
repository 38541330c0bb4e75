// The option panel: its rows and drawing per game, its place on the window,
// the hover's rows, the choice with the recorder on, and how the highlight
// and the table's pointer moves get on together.
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "table/Botonera.h"
#include "table/Opciones.h"
#include "table/Trabajo.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct MensajeVisto {
    QString titulo, texto;
    int lineas = 0, tipo = 0, ayuda = 0;
};

class OpcionesTest : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        mesa.reset();
        ReiniciaProcTrabajo();
        ReiniciaLanzador();
        InicializaTablas();
        PuzzGbl.AnchoMesa = 1024;
        PuzzGbl.AltoMesa = 768;
        PuzzGbl.TipoJuego = 21;
        mesa.Pic_Botonera.move(1024 - kAnchoBotonera, 0);
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            mensajes.push_back({titulo, texto, PuzzGbl.NroLineasMensaje, PuzzGbl.TipoMensaje, PuzzGbl.AyudaMensaje});
            PuzzGbl.RespuestaMensaje = true;
        });
        Lanzador().cargua = [this] { modos.push_back(PuzzGbl.CarGuaModo); };
    }
    void TearDown() override {
        RegistraPresentadorMensaje(nullptr);
        ReiniciaLanzador();
        ReiniciaProcTrabajo();
        mesa.reset();
        PuzzGbl.reset();
    }
    // A right click on the empty table at table point (x, y).
    static void clicDerecho(double x, double y) {
        Pic_Trabajo_MouseDown(2, 0, x, y);
        Pic_Trabajo_Click();
    }
    // Points at row `fila` of the panel and releases the button there.
    static void elige(int fila) {
        const double y = kAltoFilaOpciones * fila - 5;
        Pic_SelOpciones_MouseMove(0, 0, 20, y);
        Pic_SelOpciones_MouseUp(1, 0, 20, y);
    }
    static plat::Color pixel(int x, int y) { return mesa.Pic_SelOpciones.point(x, y); }

    std::vector<MensajeVisto> mensajes;
    std::vector<int> modos; // CarGuaModo at each opening of the load and save window
};

TEST_F(OpcionesTest, RowsHeightAndSeparatorFollowTheGame) {
    struct Caso {
        std::int16_t juego, modoTangram;
        int filas;
    } casos[] = {
        {21, 2, 3}, {22, 2, 3}, {23, 2, 3}, {23, 1, 4}, {24, 1, 3}, {25, 1, 3},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.juego << " mode " << c.modoTangram);
        PuzzGbl.TipoJuego = c.juego;
        PuzzGbl.TAN_ModoJuego = c.modoTangram;
        clicDerecho(300, 200);
        const auto& s = mesa.Pic_SelOpciones;
        ASSERT_TRUE(s.visible());
        EXPECT_EQ(s.width(), 150);
        EXPECT_EQ(s.height(), c.filas == 4 ? 76 : 58);
        EXPECT_EQ(s.customCursor(), NombreCursor(23)) << "the pointing hand";
        // The separator lies above the fourth row only: grey at y 55, white at 56.
        const bool separador = pixel(70, 55) == 0x808080 && pixel(70, 56) == 0xFFFFFF;
        EXPECT_EQ(separador, c.filas == 4);
        // The raised edge: white at the top and left, grey at the bottom and right.
        EXPECT_EQ(pixel(70, 0), 0xFFFFFFu);
        EXPECT_EQ(pixel(0, 30), 0xFFFFFFu);
        EXPECT_EQ(pixel(149, 30), 0x808080u);
        EXPECT_EQ(pixel(70, s.height() - 1), 0x808080u);
        EXPECT_EQ(pixel(145, 10), 0xC0C0C0u) << "no row is highlighted";
        Pic_Trabajo_MouseDown(1, 0, 300, 200);
        EXPECT_FALSE(s.visible()) << "any press on the table hides the panel";
    }
}

TEST_F(OpcionesTest, TheHighlightedRowIsBlueWithWhiteText) {
    clicDerecho(300, 200);
    Pic_SelOpciones_MouseMove(0, 0, 20, 20); // row 2: y 22 to 39
    EXPECT_EQ(PuzzGbl.OpcionSenalada, 2);
    EXPECT_EQ(pixel(3, 21), 0xFF0000u);
    EXPECT_EQ(pixel(146, 37), 0xFF0000u);
    EXPECT_EQ(pixel(3, 10), 0xC0C0C0u) << "row 1 is not highlighted";
    // The labels are smoothed: count the pixels near white on the blue and
    // near black on the grey.
    auto canal = [](plat::Color c, int i) { return int((c >> (8 * i)) & 0xFF); };
    int blancos = 0, negros = 0;
    for (int y = 22; y < 38; ++y)
        for (int x = 14; x < 100; ++x) {
            const plat::Color c = pixel(x, y);
            blancos += canal(c, 0) > 0xC0 && canal(c, 1) > 0xC0;
        }
    for (int y = 4; y < 20; ++y)
        for (int x = 14; x < 100; ++x) {
            const plat::Color c = pixel(x, y);
            negros += canal(c, 0) < 0x50 && canal(c, 1) < 0x50 && canal(c, 2) < 0x50;
        }
    EXPECT_GT(blancos, 20) << "the highlighted label is written in white";
    EXPECT_GT(negros, 20) << "the other labels are written in black";
}

TEST_F(OpcionesTest, ThePointerYGivesTheRow) {
    struct Caso {
        double y;
        int fila;
    } casos[] = {{-40, 0}, {0, 0}, {1, 0}, {1.5, 1}, {2, 1}, {19, 1}, {20, 2}, {37, 2}, {38, 3}, {74, 5}};
    for (const auto& c : casos) EXPECT_EQ(FilaOpcionEn(c.y), c.fila) << "y " << c.y;
}

TEST_F(OpcionesTest, ThePanelOpensAtThePointerClearOfTheCommandPanelAndTheBottom) {
    struct Caso {
        const char* nombre;
        int x, y, barraHor, barraVer;
        int izquierda, arriba;
    } casos[] = {
        {"open table", 300, 200, 0, 0, 300, 200},
        {"near the command panel", 800, 200, 0, 0, 1024 - 141 - 150, 200},
        {"near the bottom", 300, 740, 0, 0, 300, 768 - 58},
        {"scrolled", 900, 700, 400, 300, 500, 400},
        {"scrolled, near both edges", 1500, 1100, 400, 300, 1024 - 141 - 150, 768 - 58},
    };
    mesa.BarraHor.setMax(1000);
    mesa.BarraVer.setMax(1000);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        mesa.BarraHor.setValue(c.barraHor);
        mesa.BarraVer.setValue(c.barraVer);
        clicDerecho(c.x, c.y);
        EXPECT_EQ(mesa.Pic_SelOpciones.left(), c.izquierda);
        EXPECT_EQ(mesa.Pic_SelOpciones.top(), c.arriba);
    }
    // With the command panel slid away the panel may reach the right edge.
    mesa.BarraHor.setValue(0);
    mesa.BarraVer.setValue(0);
    mesa.Pic_Botonera.move(1024, 0);
    clicDerecho(800, 200);
    EXPECT_EQ(mesa.Pic_SelOpciones.left(), 800);
    clicDerecho(1000, 200);
    EXPECT_EQ(mesa.Pic_SelOpciones.left(), 1024 - 150);
}

TEST_F(OpcionesTest, EachRowOpensTheWindowInItsModeAndTheRecorderRefusesSavingAndLoading) {
    PuzzGbl.TipoJuego = 23;
    PuzzGbl.TAN_ModoJuego = 1;
    for (int fila = 1; fila <= 4; ++fila) {
        clicDerecho(300, 200);
        elige(fila);
        EXPECT_FALSE(mesa.Pic_SelOpciones.visible());
    }
    EXPECT_EQ(modos, (std::vector<int>{2, 1, 3, 4}));
    EXPECT_TRUE(mensajes.empty());

    // The recorder switched on while the panel is shown.
    modos.clear();
    for (int fila = 1; fila <= 3; ++fila) {
        clicDerecho(300, 200);
        PuzzGbl.GrabadoraEncendida = true;
        elige(fila);
        PuzzGbl.GrabadoraEncendida = false;
        EXPECT_FALSE(mesa.Pic_SelOpciones.visible());
    }
    EXPECT_EQ(modos, (std::vector<int>{3})) << "only the deletion opens the window";
    ASSERT_EQ(mensajes.size(), 2u);
    for (const auto& m : mensajes) {
        EXPECT_EQ(m.titulo, QStringLiteral("Grabadora encendida"));
        EXPECT_EQ(m.texto, QStringLiteral("Tiene que apagar la  Grabadora de jugadas antes de poder cargar o "
                                          "guardar un puzzle."));
        EXPECT_EQ(m.lineas, 2);
        EXPECT_EQ(m.tipo, 1);
        EXPECT_EQ(m.ayuda, 0);
    }
}

TEST_F(OpcionesTest, AReleaseOffTheRowsOrWithoutARowDoesNothing) {
    clicDerecho(300, 200); // three rows
    Pic_SelOpciones_MouseMove(0, 0, 20, 57); // row 4 of a three-row panel
    EXPECT_EQ(PuzzGbl.OpcionSenalada, 4);
    Pic_SelOpciones_MouseUp(1, 0, 20, 57);
    EXPECT_FALSE(mesa.Pic_SelOpciones.visible());
    EXPECT_TRUE(modos.empty());

    clicDerecho(300, 200);
    Pic_SelOpciones_MouseMove(0, 0, 20, 0); // the top edge: no row
    Pic_SelOpciones_MouseUp(2, 0, 20, 0);
    EXPECT_TRUE(mesa.Pic_SelOpciones.visible()) << "a release without a row leaves the panel open";
    EXPECT_TRUE(modos.empty());
    EXPECT_TRUE(mensajes.empty());
}

TEST_F(OpcionesTest, TheHighlightOutlivesAChoiceButATableMoveNeverBringsThePanelBack) {
    clicDerecho(300, 200);
    elige(3);
    ASSERT_EQ(modos.size(), 1u);
    EXPECT_EQ(PuzzGbl.OpcionSenalada, 3);

    // The pointer crosses the table with the panel hidden.
    Pic_Trabajo_MouseMove(0, 0, 310, 210);
    EXPECT_FALSE(mesa.Pic_SelOpciones.visible());
    EXPECT_EQ(PuzzGbl.OpcionSenalada, 3) << "the hidden panel keeps its row";

    // Reopened, it shows the last row chosen until the pointer moves on the table.
    clicDerecho(300, 200);
    EXPECT_EQ(pixel(3, 40), 0xFF0000u) << "row 3 highlighted";
    Pic_Trabajo_MouseMove(0, 0, 310, 210);
    EXPECT_TRUE(mesa.Pic_SelOpciones.visible());
    EXPECT_EQ(PuzzGbl.OpcionSenalada, 0);
    EXPECT_EQ(pixel(3, 40), 0xC0C0C0u) << "redrawn without a highlight";
}

} // namespace
