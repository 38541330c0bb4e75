// The history and statistics windows, headless: size and place, the sort
// keys, paging at both ends, the missing file, the name box, the keys that
// must not close them, help, and the command panel's launcher.
#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "platform/files.h"
#include "platform/ui/helpviewer.h"
#include "platform/ui/textboxview.h"
#include "records/estadis.h"
#include "records/historic.h"
#include "table/Botonera.h"
#include "tests/support/fixtures.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <vector>

namespace {

using testing_support::ScratchDir;

QString linea(int juego, double grado, const char* fecha) {
    RegistroHistorico r;
    r.Fecha = QString::fromUtf8(fecha);
    r.Hora = QStringLiteral("10:00:00");
    r.TipoJuego = std::int16_t(juego);
    r.NroPiezas = 16;
    r.ZoomImagen = 100;
    r.GradoDificultad = float(grado);
    r.NombreJugador = QStringLiteral("Ana      ");
    return LineaHistorico(r);
}

class Ventanas : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        InicializaTablas();
        PuzzGbl.RutaPrograma = dir.path();
        PuzzGbl.VelocidadJuego = 100; // pauses take no time
        FijaTamanoPantalla(QSize(1024, 768));
        RegistraPresentadorMensaje([this](const QString& titulo, const QString& texto) {
            (void)titulo;
            textos.push_back(texto);
            PuzzGbl.RespuestaMensaje = true;
        });
    }
    void TearDown() override {
        RegistraPresentadorMensaje({});
        FijaTamanoPantalla(QSize());
        ReiniciaLanzador();
        PuzzGbl.reset();
    }
    void escribe(int registros, int juego = 21) {
        QStringList l;
        l << linea(25, 10, "otro");
        for (int i = 0; i < registros; ++i) l << linea(juego, 50, QString::number(i).toLatin1().constData());
        plat::writeLines(dir.file(QStringLiteral("Tesel34.his")), l);
    }
    static void tecla(QWidget* w, int key, const QString& texto = QString()) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, texto);
        QApplication::sendEvent(w, &e);
    }
    // A press on strip button k (1..4) after the pointer came to it.
    static void pagina(historic& h, int k, bool mover = true) {
        const double x = 1 + (k - 1) * 29 + 10;
        if (mover) h.Pic_BotAdeAtr_MouseMove(0, 0, x, 12);
        h.Pic_BotAdeAtr_MouseDown(1, 0, x, 12);
    }

    ScratchDir dir;
    QStringList textos;
};

// ---------------------------------------------------------------- history

TEST_F(Ventanas, HistorySizeByGameCentred) {
    escribe(2);
    const std::pair<int, int> altos[] = {{21, 498}, {22, 423}, {23, 378}, {24, 378}, {25, 403}};
    for (auto [juego, alto] : altos) {
        PuzzGbl.TipoJuego = std::int16_t(juego);
        historic h;
        h.Form_Load();
        EXPECT_EQ(h.width(), 620) << juego;
        EXPECT_EQ(h.height(), alto) << juego;
        EXPECT_EQ(h.x(), (1024 - 620) / 2) << juego;
        EXPECT_EQ(h.y(), (768 - alto) / 2) << juego;
        EXPECT_EQ(h.Pic_BotAdeAtr.left(), 310 - 53);
        EXPECT_EQ(h.Pic_BotAdeAtr.top(), alto - 60);
        EXPECT_EQ(h.Pic_BotSalir.left(), 620 - 68);
    }
}

TEST_F(Ventanas, PagingStaysInTheListAtBothEnds) {
    escribe(3);
    PuzzGbl.TipoJuego = 21;
    historic h;
    h.Form_Load();
    ASSERT_EQ(h.lista().UltimoHistorico, 2);
    EXPECT_EQ(h.PosicionLista, 0);
    // At the first record the backward buttons refuse.
    h.Pic_BotAdeAtr_MouseMove(0, 0, 40, 12);
    EXPECT_EQ(h.BotonPagina, 2);
    EXPECT_EQ(h.CursorPaginas, 12);
    EXPECT_EQ(h.Pic_BotAdeAtr.toolTip(), QString::fromUtf8(" Retroceder una página "));
    // Forward, and on pressing without moving the pointer again.
    pagina(h, 3);
    EXPECT_EQ(h.PosicionLista, 1);
    for (int i = 0; i < 4; ++i) pagina(h, 3, false);
    EXPECT_EQ(h.PosicionLista, 2);
    EXPECT_EQ(h.CursorPaginas, 12); // the last record: no further
    EXPECT_EQ(h.pagina().lineas.front().valor, "3");
    pagina(h, 1);
    EXPECT_EQ(h.PosicionLista, 0);
    for (int i = 0; i < 3; ++i) pagina(h, 2, false);
    EXPECT_EQ(h.PosicionLista, 0);
    pagina(h, 4);
    EXPECT_EQ(h.PosicionLista, 2);
    pagina(h, 2);
    EXPECT_EQ(h.PosicionLista, 1);
    // Off the buttons: the default pointer and no tooltip.
    h.Pic_BotAdeAtr_MouseMove(0, 0, 27, 12);
    EXPECT_EQ(h.BotonPagina, 0);
    EXPECT_EQ(h.CursorPaginas, 0);
    EXPECT_EQ(h.Pic_BotAdeAtr.toolTip(), QString());
}

TEST_F(Ventanas, OneRecordDisablesEveryStripButton) {
    escribe(1);
    PuzzGbl.TipoJuego = 21;
    historic h;
    h.Form_Load();
    EXPECT_EQ(h.Pic_BotAdeAtr.toolTip(), QString());
    for (int k = 1; k <= 4; ++k) {
        h.Pic_BotAdeAtr_MouseMove(0, 0, 1 + (k - 1) * 29 + 5, 5);
        EXPECT_EQ(h.CursorPaginas, 12) << k;
        h.Pic_BotAdeAtr_MouseDown(1, 0, 0, 0);
        EXPECT_EQ(h.PosicionLista, 0) << k;
    }
}

TEST_F(Ventanas, MissingFileShowsTheMessageThenAnEmptyPage) {
    PuzzGbl.TipoJuego = 22;
    historic h;
    h.Form_Load();
    ASSERT_EQ(textos.size(), 1u);
    EXPECT_TRUE(textos[0].startsWith(QString::fromUtf8("No se encuentra el fichero Histórico.")));
    EXPECT_EQ(h.lista().UltimoHistorico, -1);
    EXPECT_TRUE(h.Texto.visible());
    EXPECT_EQ(h.Texto.height(), 423 - 135);
    for (int k = 1; k <= 4; ++k) {
        pagina(h, k);
        EXPECT_EQ(h.CursorPaginas, 12) << k;
        EXPECT_EQ(h.PosicionLista, 0) << k;
    }
}

TEST_F(Ventanas, AClickOnASortKeyReadsAgainInItsOrder) {
    QStringList l{linea(21, 20, "facil"), linea(21, 80, "dificil")};
    plat::writeLines(dir.file(QStringLiteral("Tesel34.his")), l);
    PuzzGbl.TipoJuego = 21;
    historic h;
    h.Form.setTextAntialias(false);
    h.Form_Load();
    EXPECT_EQ(h.pagina().lineas[1].valor.trimmed(), "facil");
    // Key 1 is current: no yellow caption on it; the others have one.
    const auto amarillos = [&](int k) {
        int n = 0;
        for (int y = h.TeclaY[std::size_t(k)]; y < h.TeclaY[std::size_t(k)] + 26; ++y)
            for (int x = 30; x < 160; ++x) n += h.Form.point(x, y) == 0x00FFFF;
        return n;
    };
    EXPECT_EQ(amarillos(1), 0);
    EXPECT_GT(amarillos(4), 0);
    pagina(h, 3);
    ASSERT_EQ(h.PosicionLista, 1);
    // Off the keys a press does nothing.
    h.Form_MouseMove(0, 0, 300, 300);
    EXPECT_EQ(h.Form.mousePointer(), 0);
    h.Form_MouseDown(1, 0, 300, 300);
    EXPECT_EQ(h.PosicionLista, 1);
    // Key 4 (hardest first): the first record again, the hard one.
    h.Form_MouseMove(0, 0, 30 + 129, 150 + 25);
    EXPECT_EQ(h.TeclaOrden, 4);
    EXPECT_NE(h.Form.mousePointer(), 0); // the pointing hand
    EXPECT_EQ(PuzzGbl.CursorActual, 23);
    h.Form_MouseDown(1, 0, 30 + 129, 150 + 25);
    EXPECT_EQ(h.PosicionLista, 0);
    EXPECT_EQ(h.pagina().lineas[1].valor.trimmed(), "dificil");
    EXPECT_EQ(amarillos(4), 0);
    EXPECT_GT(amarillos(1), 0);
    // The file went meanwhile: the old records are not shown any more.
    plat::removeFile(dir.file(QStringLiteral("Tesel34.his")));
    h.Form_MouseMove(0, 0, 35, 75);
    h.Form_MouseDown(1, 0, 35, 75);
    EXPECT_TRUE(h.lista().Lis_Ordenar.empty());
    EXPECT_TRUE(h.pagina().lineas.empty());
}

TEST_F(Ventanas, HistoryKeysAndCloseRequestsDoNotCloseIt) {
    escribe(1);
    PuzzGbl.TipoJuego = 21;
    historic h;
    h.Form_Load();
    h.show();
    tecla(&h, Qt::Key_Escape);
    tecla(&h, Qt::Key_Return);
    h.reject();
    EXPECT_TRUE(h.isVisible());
    h.Pic_BotSalir_Click();
    EXPECT_TRUE(h.cerrada());
    EXPECT_FALSE(h.isVisible());
}

// ---------------------------------------------------------------- statistics

TEST_F(Ventanas, StatisticsSizeAndButtons) {
    auto& g = PuzzGbl;
    g.TipoJuego = 25;
    g.NroPiezas = 144;
    g.Piezas.assign(145, RegistroPieza{.Estado = 1});
    g.NombreJugador = QStringLiteral("Bea");
    estadis e;
    e.Form_Load();
    EXPECT_EQ(e.informe().alto, 285);
    EXPECT_EQ(e.width(), 420);
    EXPECT_EQ(e.height(), 285 + 88);
    EXPECT_EQ(e.x(), (1024 - 420) / 2);
    EXPECT_EQ(e.y(), (768 - 373) / 2);
    EXPECT_EQ(e.Texto.left(), 10);
    EXPECT_EQ(e.Texto.width(), 398);
    EXPECT_EQ(e.Texto.height(), 285);
    EXPECT_EQ(e.Pic_BotAyuda.left(), 15);
    EXPECT_EQ(e.Pic_BotSalir.left(), 420 - 63);
    EXPECT_EQ(e.height() - (e.Pic_BotAyuda.top() + 48), 14);
    EXPECT_EQ(e.height() - (e.Pic_BotSalir.top() + 48), 14);
    EXPECT_EQ(e.Tex_Nombre.left(), 178);
    EXPECT_EQ(e.Tex_Nombre.top(), 260 - 5);
    EXPECT_EQ(e.Tex_Nombre.text(), "Bea      ");
}

TEST_F(Ventanas, TheNameBoxKeepsNineCharactersTheFileCanHold) {
    PuzzGbl.TipoJuego = 21;
    PuzzGbl.NombreJugador = QStringLiteral("Ana");
    estadis e;
    e.Form_Load();
    e.show();
    QLineEdit* v = e.vistaNombre();
    // The whole name is selected at the opening: the first key replaces it.
    tecla(v, Qt::Key_Backspace);
    EXPECT_EQ(PuzzGbl.NombreJugador, QString(9, QChar(u' ')));
    for (const char* c : {"Í", "ñ", "i", "g", "o"}) tecla(v, 0, QString::fromUtf8(c));
    tecla(v, 0, QString::fromUtf8("Ω")); // not in the code page
    tecla(v, 0, QString::fromUtf8("€"));
    EXPECT_EQ(PuzzGbl.NombreJugador, QString::fromUtf8("Íñigo€   "));
    for (const char* c : {"a", "b", "c", "d", "e"}) tecla(v, 0, QString::fromUtf8(c));
    EXPECT_EQ(PuzzGbl.NombreJugador, QString::fromUtf8("Íñigo€abc"));
    // Enter and Esc leave the window open.
    tecla(v, Qt::Key_Return);
    tecla(&e, Qt::Key_Escape);
    tecla(&e, Qt::Key_Enter);
    e.reject();
    EXPECT_TRUE(e.isVisible());
    EXPECT_FALSE(e.cerrada());
    e.Pic_BotSalir_Click();
    EXPECT_TRUE(e.cerrada());
    EXPECT_EQ(PuzzGbl.NombreJugador, QString::fromUtf8("Íñigo€abc"));
}

TEST_F(Ventanas, HelpByEitherButton) {
    plat::setHelpFolder(QStringLiteral(TESELARO_SOURCE_DIR "/resources/help/"));
    PuzzGbl.TipoJuego = 24;
    estadis e;
    e.Form_Load();
    e.Pic_BotAyuda_MouseDown(2, 0, 5, 5);
    ASSERT_NE(plat::HelpViewer::existing(), nullptr);
    EXPECT_EQ(plat::HelpViewer::existing()->currentTopic(), 2151);
    EXPECT_FALSE(e.cerrada());
    escribe(1, 24);
    historic h;
    h.Form_Load();
    h.Pic_BotAyuda_Click();
    EXPECT_EQ(plat::HelpViewer::existing()->currentTopic(), 2161);
    plat::HelpViewer::existing()->hide();
}

TEST_F(Ventanas, CommandsFourAndFiveHaveTheirWindows) {
    ReiniciaLanzador();
    EXPECT_FALSE(Lanzador().estadis);
    InstalaVentanasRegistros();
    EXPECT_TRUE(Lanzador().estadis);
    EXPECT_TRUE(Lanzador().historic);
}

} // namespace
