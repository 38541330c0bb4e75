// The settings window's control handlers without widgets: switches (the
// change of game among them), selectors, palettes, the zoom typed in, the
// shape buttons and the attraction test.
#include "personalise/personal.h"

#include "core/Configuracion.h"
#include "core/Controles.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/EstadoPuzzle.h"
#include "resources/resources.h"
#include "tests/imaging/puzzle_fixtures.h"
#include "tests/personalise/ventana_fixture.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>

#include <deque>
#include <gtest/gtest.h>

namespace {

class ControlesPersonalTest : public ::testing::Test {
protected:
    void SetUp() override {
        teselaro::initResources();
        puzzle_test::PreparaProgramaEn(carpeta.path());
        auto& g = PuzzGbl;
        g.SaltoLinea = QStringLiteral("\r\n");
        g.ListaMovimientos = 1;
        g.MaterialPiezas = 1;
        g.TAN_ModoJuego = 2;
        g.TipoRotulo = 2;
        g.NroPiezas = 15;
        puzzle_test::PonMesa(1024, 768);
        // Sounds reach the recording player; pauses are noted, not waited.
        RegistraServiciosControles({[this](int, int id) { sonidosControles.push_back(id); },
                                    [this](int ms) {
                                        pausas.push_back({ms, ventana ? ventana->Pic_PruebaPeq.left() : 0,
                                                          ventana ? ventana->Pic_PruebaPeq.top() : 0,
                                                          ventana ? ventana->Pic_PruebaPeq.visible() : false});
                                    },
                                    {}, {}});
        plat::setSoundPlayer(&grabadora);
        RegistraPresentadorMensaje([this](const QString& t, const QString& texto) {
            titulos << t;
            textos << texto;
            bool si = true;
            if (!respuestas.empty()) {
                si = respuestas.front();
                respuestas.pop_front();
            }
            PuzzGbl.RespuestaMensaje = PuzzGbl.TipoMensaje == 1 || si;
        });
        InstalaEstadoPuzzle();
    }
    void TearDown() override {
        ventana = nullptr;
        DestruyeVentanaPersonal();
        plat::setSoundPlayer(nullptr);
        RegistraPresentadorMensaje(nullptr);
        RegistraServiciosControles({});
        puzzle_test::Reinicia();
    }
    Personal& Abre(std::int16_t juego) {
        PuzzGbl.TipoJuego = juego;
        PuzzGbl.TipoJuegoInicial = juego;
        Personal& p = CreaVentanaPersonal();
        titulos.clear();
        textos.clear();
        p.Form_Load();
        ventana = &p;
        pausas.clear();
        alAbrir = titulos.join("|") + ": " + textos.join("|");
        titulos.clear();
        textos.clear();
        sonidosControles.clear();
        return p;
    }
    int VecesSonido(int id) const { return testing_support::timesPlayed(grabadora, teselaro::soundResource(id)); }

    struct Pausa {
        int ms, x, y;
        bool visible;
    };
    testing_support::ScratchDir carpeta;
    plat::RecordingSoundPlayer grabadora;
    Personal* ventana = nullptr;
    std::vector<Pausa> pausas;
    std::vector<int> sonidosControles;
    QStringList titulos, textos;
    QString alAbrir; // what the opening told, titles then texts
    std::deque<bool> respuestas;
};

// ---------------------------------------------------------------- attraction test

TEST_F(ControlesPersonalTest, TheAttractionTestApproachesBlinksAndSnapsToItsPlace) {
    const struct {
        std::int16_t juego, factor;
        int k;
    } casos[] = {{21, 0, 26}, {21, 50, 13}, {21, 100, 0}, {24, 0, 26}, {24, 100, 13}, {24, 50, 19}};
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "game " << c.juego << " factor " << c.factor);
        PuzzGbl.FactorAtraccion = c.factor;
        PuzzGbl.SonidoActivo = true;
        Personal& p = Abre(c.juego);
        grabadora.clear();
        p.Pic_Pulsador_MouseDown(32, 1, 0, 10, 10);

        std::vector<Pausa> aproximacion, parpadeo, encaje;
        for (const Pausa& q : pausas) {
            if (q.ms == 22) aproximacion.push_back(q);
            if (q.ms == 45 || q.ms == 140) parpadeo.push_back(q);
            if (q.ms == 4) encaje.push_back(q);
        }
        ASSERT_EQ(int(aproximacion.size()), c.k + 15);
        for (int i = 1; i <= c.k + 15; ++i) {
            EXPECT_EQ(aproximacion[i - 1].x, 53 + i);
            EXPECT_EQ(aproximacion[i - 1].y, 45 - i);
        }
        ASSERT_EQ(parpadeo.size(), 12u);
        for (std::size_t n = 0; n < 12; ++n) {
            EXPECT_EQ(parpadeo[n].visible, n % 2 == 1) << n;
            EXPECT_EQ(parpadeo[n].x, 68 + c.k);
        }
        ASSERT_EQ(int(encaje.size()), 26 - c.k);
        for (int i = c.k + 1; i <= 26; ++i) {
            EXPECT_EQ(encaje[i - c.k - 1].x, 68 + i);
            EXPECT_EQ(encaje[i - c.k - 1].y, 30 - i);
        }
        EXPECT_EQ(p.Pic_PruebaPeq.left(), 94);
        EXPECT_EQ(p.Pic_PruebaPeq.top(), 4);
        EXPECT_TRUE(p.Pic_PruebaPeq.visible());
        EXPECT_EQ(PuzzGbl.PosAnteriorX, 53);
        EXPECT_EQ(PuzzGbl.PosAnteriorY, 45);
        EXPECT_EQ(VecesSonido(51), 1);
        EXPECT_EQ(sonidosControles, (std::vector<int>{6, 7})) << "the button pressed, then released";
        ventana = nullptr;
        DestruyeVentanaPersonal();
    }
}

TEST_F(ControlesPersonalTest, PasteWithoutAClipboardPictureOnlyPausesAtTheNeutralSpeed) {
    Personal& p = Abre(21);
    int velocidadEnPausa = -1;
    RegistraServiciosControles({[](int, int) {}, [&](int ms) {
                                    if (ms == 200) velocidadEnPausa = PuzzGbl.VelocidadJuego;
                                },
                                {}, {}});
    p.Pic_Pulsador_MouseDown(31, 1, 0, 5, 5);
    EXPECT_EQ(velocidadEnPausa, 50);
    EXPECT_EQ(PuzzGbl.VelocidadJuego, 100);
    EXPECT_EQ(p.File1.ListIndex(), -1) << "nothing written, nothing selected";
}

// ---------------------------------------------------------------- switches

TEST_F(ControlesPersonalTest, TheSoundSwitchIsSilentSwitchingOnAndClicksSwitchingOff) {
    PuzzGbl.SonidoActivo = false;
    Personal& p = Abre(23);
    grabadora.clear();
    p.Pic_Buleano_MouseDown(11, 1, 0, 5, 5);
    EXPECT_TRUE(PuzzGbl.SonidoActivo);
    EXPECT_EQ(VecesSonido(6), 0);
    p.Pic_Buleano_MouseDown(11, 1, 0, 5, 5);
    EXPECT_FALSE(PuzzGbl.SonidoActivo);
    EXPECT_EQ(VecesSonido(6), 1);
    // The others toggle their own setting, nothing else.
    const bool borde = PuzzGbl.DibujarBorde;
    p.Pic_Buleano_MouseDown(13, 1, 0, 5, 5);
    EXPECT_NE(PuzzGbl.DibujarBorde, borde);
    EXPECT_FALSE(p.Descargada());
}

TEST_F(ControlesPersonalTest, TheSwitchOfTheGameInForceAsksNothing) {
    Personal& p = Abre(23);
    p.Pic_Buleano_MouseDown(23, 1, 0, 5, 5);
    EXPECT_TRUE(titulos.isEmpty());
    EXPECT_EQ(PuzzGbl.TipoJuego, 23);
    EXPECT_FALSE(p.Descargada());
}

class CambioJuegoTest : public ControlesPersonalTest {
protected:
    void SetUp() override {
        ControlesPersonalTest::SetUp();
        auto& g = PuzzGbl;
        // Two games with their state files; the sliding one is in force.
        g.TipoJuego = 24;
        LeePuzzleJuego(RutaEstadoJuego(24));
        g.TipoJuego = 22;
        LeePuzzleJuego(RutaEstadoJuego(22));
        g.DibujarBorde = true;
        ASSERT_TRUE(GuardaPuzzleJuego());
        estado22 = RutaEstadoJuego(22);
        estado24 = testing_support::readBytes(RutaEstadoJuego(24));
    }
    // The window opened, a per-game and three global settings changed,
    // and switch 24 pressed.
    Personal& CambiaA24() {
        Personal& p = Abre(22);
        QFile::remove(estado22);
        QFile::remove(PuzzGbl.RutaPrograma + "Tsl34.ini");
        p.Pic_Buleano_MouseDown(13, 1, 0, 5, 5); // the border off
        p.Pic_Buleano_MouseDown(11, 1, 0, 5, 5); // the sound on
        PuzzGbl.VelocidadJuego = 30;
        PuzzGbl.ListaMovimientos = 2;
        titulos.clear();
        p.Pic_Buleano_MouseDown(24, 1, 0, 5, 5);
        return p;
    }
    QString estado22;
    QByteArray estado24;
};

TEST_F(CambioJuegoTest, AcceptWritesTheGameLeftAsItWasAndTheNewGameWithTheGlobalSettings) {
    Personal& p = CambiaA24();
    ASSERT_EQ(titulos, QStringList{QStringLiteral("Lista 'JUEGO ACTUAL'")});
    EXPECT_EQ(PuzzGbl.NroLineasMensaje, 6);
    EXPECT_EQ(PuzzGbl.AyudaMensaje, 2112);
    EXPECT_TRUE(p.Descargada());
    EXPECT_EQ(PuzzGbl.TipoJuego, 24);

    // The sliding game's state file holds its opening settings.
    const LecturaPartida l = CargaDatosPuzzle(testing_support::readBytes(estado22));
    ASSERT_TRUE(l.estado.has_value()) << l.motivo.toStdString();
    EXPECT_EQ(l.estado->c.TipoJuego, 22);
    EXPECT_TRUE(l.estado->c.DibujarBorde);
    EXPECT_EQ(testing_support::readBytes(RutaEstadoJuego(24)), estado24) << "the new game's state is its own";

    // The global settings: the new game, the sound, speed and list as now.
    auto& g = PuzzGbl;
    g.TipoJuego = 21;
    g.SonidoActivo = false;
    g.VelocidadJuego = 90;
    g.ListaMovimientos = 1;
    LeeConfiguracion();
    EXPECT_EQ(g.TipoJuego, 24);
    EXPECT_TRUE(g.SonidoActivo);
    EXPECT_EQ(g.VelocidadJuego, 30);
    EXPECT_EQ(g.ListaMovimientos, 2);
    EXPECT_FALSE(QFile::exists(Personal::RutaInstantanea()));
}

TEST_F(CambioJuegoTest, CancelWritesNothingAndKeepsTheWindow) {
    respuestas = {false};
    Personal& p = CambiaA24();
    EXPECT_EQ(titulos.size(), 1);
    EXPECT_FALSE(p.Descargada());
    EXPECT_EQ(PuzzGbl.TipoJuego, 22);
    EXPECT_FALSE(PuzzGbl.DibujarBorde) << "the window's edits stay";
    EXPECT_FALSE(QFile::exists(estado22));
    EXPECT_FALSE(QFile::exists(PuzzGbl.RutaPrograma + "Tsl34.ini"));
}

TEST_F(CambioJuegoTest, AStateThatCannotBeWrittenIsToldAndKeepsWindowAndGame) {
    Personal& p = Abre(22);
    QFile::remove(estado22);
    ASSERT_TRUE(QDir().mkpath(estado22)); // a folder where the file should go
    QFile::remove(PuzzGbl.RutaPrograma + "Tsl34.ini");
    p.Pic_Buleano_MouseDown(13, 1, 0, 5, 5);
    titulos.clear();
    p.Pic_Buleano_MouseDown(24, 1, 0, 5, 5);
    ASSERT_EQ(titulos.size(), 2);
    EXPECT_EQ(titulos[1], QStringLiteral("Lista 'JUEGO ACTUAL'"));
    EXPECT_TRUE(textos[1].startsWith(QStringLiteral("No se ha podido guardar el estado del juego actual en ")));
    EXPECT_TRUE(textos[1].endsWith(QStringLiteral(". Se continúa con el juego actual.")));
    EXPECT_FALSE(p.Descargada());
    EXPECT_EQ(PuzzGbl.TipoJuego, 22);
    EXPECT_FALSE(PuzzGbl.DibujarBorde) << "the edits made in the window are back";
    EXPECT_FALSE(QFile::exists(PuzzGbl.RutaPrograma + "Tsl34.ini"));
}

// ---------------------------------------------------------------- selectors

TEST_F(ControlesPersonalTest, ASelectorCountsOnlyAPressOnItsButton) {
    const struct {
        double x, y;
        bool avanza;
    } casos[] = {{3, 20, false}, {4, 20, true},  {33, 20, true},  {34, 20, false},
                 {20, 13, false}, {20, 14, true}, {20, 34, true}, {20, 35, false}};
    Personal& p = Abre(23);
    for (const auto& c : casos) {
        PuzzGbl.ListaMovimientos = 1;
        p.Pic_Selector_MouseDown(5, 1, 0, c.x, c.y);
        EXPECT_EQ(PuzzGbl.ListaMovimientos, c.avanza ? 2 : 1) << c.x << ", " << c.y;
    }
    PuzzGbl.MaterialPiezas = 2;
    p.Pic_Selector_MouseDown(6, 1, 0, 10, 20);
    EXPECT_EQ(PuzzGbl.MaterialPiezas, 1) << "back to the first after the last";
}

// The current figure is not in the list (its record is not in the file, or
// cannot be read): the window chooses nothing by itself, and leaving it
// untouched asks nothing and keeps the model and the puzzle as played.
TEST_F(ControlesPersonalTest, AnUnlistedCurrentModelIsNotReplacedByTheFirstOne) {
    const QString ruta = PuzzGbl.RutaArchivo + "ModTan.mlp";
    ASSERT_TRUE(QFile::copy(QStringLiteral(TESELARO_BINARY_DIR "/generated/Archivo/ModTan.mlp"), ruta));
    const QByteArray figuras = testing_support::readBytes(ruta);
    const int cuenta = int(figuras.size() / 126);
    int conNombre = 0; // records 1 .. cuenta that a list shows
    for (int n = 0; n < cuenta; ++n) conNombre += !figuras.mid(n * 126, 25).trimmed().isEmpty();
    ASSERT_GE(conNombre, 2);
    QByteArray nulEnNombre = figuras;
    nulEnNombre.insert(2, '\0');
    const struct {
        const char* caso;
        QByteArray archivo;
        std::int16_t actual;
    } casos[] = {
        {"not in the file", figuras, std::int16_t(cuenta + 3)},
        {"a BOM before its record", "\xEF\xBB\xBF" + figuras, 1},
        {"a NUL in its name", nulEnNombre, 1},
    };
    auto& g = PuzzGbl;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        // The first start of the game deals figure 1; one piece is moved off
        // where it was dealt.
        testing_support::writeBytes(ruta, figuras);
        g.TipoJuego = 23;
        g.TAN_ModoJuego = 2;
        g.NroModelo = 1;
        QFile::remove(RutaEstadoJuego(23));
        g.SeleccionValida = false; // as the program starts
        LeePuzzleJuego(RutaEstadoJuego(23));
        ASSERT_EQ(g.NroModelo, 1);
        g.Piezas[1].X = std::int16_t(g.Piezas[1].X + 7);
        g.NroModelo = c.actual;
        const auto piezas = g.Piezas;
        testing_support::writeBytes(ruta, c.archivo);

        Personal& p = Abre(23);
        EXPECT_EQ(p.Lis_Modelos.ListCount(), c.actual > cuenta ? conNombre : conNombre - 1);
        EXPECT_EQ(p.Lis_Modelos.ListIndex(), -1);
        EXPECT_EQ(g.NroModelo, c.actual);
        p.Pic_BotSalir_Click();
        EXPECT_TRUE(textos.isEmpty()) << textos.join("|").toStdString();
        EXPECT_EQ(g.NroModelo, c.actual);
        EXPECT_FALSE(g.ReiniciarPuzzle);
        EXPECT_EQ(g.Piezas, piezas);
        ventana = nullptr;
        DestruyeVentanaPersonal();
    }
}

// A model file that is there and cannot be read, or is missing, is told as
// the window lays out its list, by the file's name and what kept it from
// being read; the list stays empty and nothing is chosen or asked. A
// Tangram being designed has no use for the list and says nothing.
TEST_F(ControlesPersonalTest, AModelFileThatCannotBeReadIsToldWhenTheListIsLaidOut) {
    const struct {
        std::int16_t juego;
        const char* archivo;
        const char* titulo;
    } juegos[] = {{23, "ModTan.mlp", "Modelos de Tangram"},
                  {24, "ModPen.mlp", "Modelos de pentominós"},
                  {25, "ModTai.mlp", "Modelos de Taipei"}};
    auto& g = PuzzGbl;
    for (const auto& j : juegos)
        for (const auto& c : testing_support::ArchivosIlegibles()) {
            SCOPED_TRACE(std::string(j.archivo) + ", " + c.caso);
            testing_support::ArchivoDanado modelos(g.RutaArchivo + j.archivo, c.dano);
            if (!modelos.aplicado()) continue;
            g.TAN_ModoJuego = 2;
            g.NroModelo = 1;
            Personal& p = Abre(j.juego);
            EXPECT_EQ(alAbrir, QString::fromUtf8(j.titulo) + ": " +
                                   QString::fromUtf8("No se pueden mostrar los modelos porque el archivo ") + j.archivo +
                                   " " + c.dicho + ".");
            EXPECT_EQ(p.Lis_Modelos.ListCount(), 0);
            EXPECT_EQ(p.Lis_Modelos.ListIndex(), -1);
            p.Pic_BotSalir_Click();
            EXPECT_FALSE(textos.join("|").contains("Ha cambiado el modelo")) << textos.join("|").toStdString();
            EXPECT_EQ(g.NroModelo, 1);
            ventana = nullptr;
            DestruyeVentanaPersonal();
            if (j.juego != 23) continue;
            g.TAN_ModoJuego = 1;
            Abre(23);
            EXPECT_EQ(alAbrir, ": ") << "designing, the list is not used";
            ventana = nullptr;
            DestruyeVentanaPersonal();
        }
}

TEST_F(ControlesPersonalTest, TheTangramModeSelectorLaysTheWindowOutForTheNewMode) {
    const QString casa = QStringLiteral("Casa").leftJustified(25, u' ') + QString(99, u'0') + "\r\n";
    testing_support::writeBytes(PuzzGbl.RutaArchivo + "ModTan.mlp", casa.toLatin1());
    PuzzGbl.SonidoActivo = true;
    Personal& p = Abre(23);
    grabadora.clear();
    ASSERT_TRUE(p.Pic_FactorPegado.visible());
    p.Pic_Selector_MouseDown(1, 1, 0, 10, 20);
    EXPECT_EQ(PuzzGbl.TAN_ModoJuego, 1);
    EXPECT_FALSE(p.Pic_FactorPegado.visible());
    EXPECT_FALSE(p.Lis_Modelos.enabled());
    EXPECT_FALSE(p.CambiandoModoTangram);
    p.Pic_Selector_MouseDown(1, 1, 0, 10, 20);
    EXPECT_EQ(PuzzGbl.TAN_ModoJuego, 2);
    EXPECT_TRUE(p.Pic_FactorPegado.visible());
    EXPECT_TRUE(p.Lis_Modelos.enabled());
    EXPECT_EQ(p.Lis_Modelos.ListIndex(), 0);
    EXPECT_EQ(VecesSonido(6), 0) << "the model the mode selects is chosen without a click";
    EXPECT_EQ(sonidosControles, (std::vector<int>{6, 7, 6, 7})) << "the selector's own sounds";
}

TEST_F(ControlesPersonalTest, TheSlidingBackgroundSelectorLaysTheWindowOutAgain) {
    PuzzGbl.TipoRotulo = 2;
    Personal& p = Abre(22);
    ASSERT_FALSE(p.Drive1.enabled());
    p.Pic_Selector_MouseDown(2, 1, 0, 10, 20);
    EXPECT_EQ(PuzzGbl.TipoRotulo, 3);
    p.Pic_Selector_MouseDown(2, 1, 0, 10, 20);
    EXPECT_EQ(PuzzGbl.TipoRotulo, 1);
    EXPECT_TRUE(p.Drive1.enabled()) << "a picture background offers the picture lists";
    EXPECT_FALSE(p.CambiandoSelector);
}

// ---------------------------------------------------------------- palettes

TEST_F(ControlesPersonalTest, APaletteGivesTheSquareUnderThePointerOrTheNearestOverItsMargin) {
    // Inside, on the last square, and over the right and bottom margins.
    const struct {
        double x, y;
    } casos[] = {{2, 2}, {178, 28}, {182, 32}, {183, 1}, {1, 33}, {60.4, 10.6}};
    Personal& p = Abre(22);
    for (const auto& c : casos) {
        const plat::Color esperado = p.Pic_ColFonSel.point(std::min(c.x, 179.0), std::min(c.y, 29.0));
        p.Pic_ColFonSel_MouseDown(1, 0, c.x, c.y);
        EXPECT_EQ(PuzzGbl.ColorFondo, esperado) << c.x << ", " << c.y;
        EXPECT_NE(PuzzGbl.ColorFondo, 0xC0C0C0) << "never the margin's grey";
        EXPECT_EQ(p.Pic_ColFonMue.backColor(), esperado);
    }
    p.Pic_ColPzaSel_MouseDown(1, 0, 2, 2);
    EXPECT_EQ(PuzzGbl.ColorPieza, 0xFFFFFF);
    EXPECT_EQ(p.Pic_ColPzaMue.backColor(), 0xFFFFFF);
}

// ---------------------------------------------------------------- zoom typed

// The two roads that take a typed zoom: the box loses the focus, or Enter
// is pressed in it.
const struct CaminoZoom {
    const char* nombre;
    void (*toma)(Personal& p);
} kCaminosZoom[] = {
    {"the focus leaves", [](Personal& p) { p.Tex_Spin_LostFocus(41); }},
    {"Enter", [](Personal& p) {
         int tecla = 13;
         p.Tex_Spin_KeyPress(41, tecla);
         EXPECT_EQ(tecla, 0) << "Enter goes no further";
     }},
};

TEST_F(ControlesPersonalTest, AZoomTypedIsHeldToItsLimitsAndAcceptedWhenThePictureFits) {
    for (const CaminoZoom& camino : kCaminosZoom) {
        SCOPED_TRACE(camino.nombre);
        mesa.Pic_FonTamReal.setSize(400, 300);
        PuzzGbl.ZoomImagen = 100;
        Personal& p = Abre(21);
        p.Tex_Spin41.typed(QStringLiteral("123"));
        camino.toma(p);
        EXPECT_EQ(PuzzGbl.ZoomImagen, 123);
        EXPECT_TRUE(titulos.isEmpty());

        // Held to 995: refused for this picture, the spin shows the zoom kept.
        p.Tex_Spin41.typed(QStringLiteral("2000"));
        camino.toma(p);
        EXPECT_EQ(PuzzGbl.ZoomImagen, 123) << "995 % of 400 x 300 is beyond the limits";
        EXPECT_EQ(p.Tex_Spin41.text().trimmed(), QStringLiteral("123"));
        EXPECT_EQ(titulos, QStringList{QStringLiteral("Imagen fuera de límites")});
        // Taken once: the box shows the zoom in force, and the focus leaving
        // afterwards says nothing again.
        p.Tex_Spin_LostFocus(41);
        EXPECT_EQ(titulos.size(), 1);
        // A picture of 100 x 75 takes 995 % (995 x 746).
        mesa.Pic_FonTamReal.setSize(100, 75);
        p.Tex_Spin41.typed(QStringLiteral("2000"));
        camino.toma(p);
        EXPECT_EQ(PuzzGbl.ZoomImagen, 995);
        EXPECT_EQ(p.Tex_Spin41.text().trimmed(), QStringLiteral("995"));

        // While a repetition runs, or with the value unchanged, nothing is done.
        titulos.clear();
        p.Tex_Spin41.typed(QStringLiteral("150"));
        PuzzGbl.RepeticionSpin = true;
        camino.toma(p);
        PuzzGbl.RepeticionSpin = false;
        EXPECT_EQ(PuzzGbl.ZoomImagen, 995);
        TearDown(); // a fresh window for the next road
        SetUp();
    }
}

TEST_F(ControlesPersonalTest, KeysOtherThanEnterAreTypedInTheZoomBox) {
    mesa.Pic_FonTamReal.setSize(400, 300);
    PuzzGbl.ZoomImagen = 100;
    Personal& p = Abre(21);
    p.Tex_Spin41.typed(QStringLiteral("123"));
    for (int tecla : {int('5'), 8, 9, 27}) {
        int t = tecla;
        p.Tex_Spin_KeyPress(41, t);
        EXPECT_EQ(t, tecla);
    }
    EXPECT_EQ(PuzzGbl.ZoomImagen, 100) << "only Enter takes the value";
}

TEST_F(ControlesPersonalTest, TheSpinArrowsStepTheZoomOnlyUnderThePointingHand) {
    mesa.Pic_FonTamReal.setSize(400, 300);
    PuzzGbl.ZoomImagen = 100;
    Personal& p = Abre(21);
    PuzzGbl.CursorActual = 0;
    p.Pic_Spin_MouseDown(41, 1, 0, 140, 8);
    EXPECT_EQ(PuzzGbl.ZoomImagen, 100) << "off the arrows nothing happens";
    p.Pic_Spin_MouseMove(41, 0, 0, 140, 8);
    ASSERT_EQ(PuzzGbl.CursorActual, 23);
    p.Pic_Spin_MouseDown(41, 1, 0, 140, 8);
    EXPECT_EQ(PuzzGbl.ZoomImagen, 105);
    p.Pic_Spin_MouseMove(41, 0, 0, 140, 22);
    p.Pic_Spin_MouseDown(41, 1, 0, 140, 22);
    EXPECT_EQ(PuzzGbl.ZoomImagen, 100);
    p.Pic_Spin_MouseUp(41, 1, 0, 140, 22);
    EXPECT_FALSE(PuzzGbl.RepeticionSpin);
}

// ---------------------------------------------------------------- shapes and sliders

TEST_F(ControlesPersonalTest, AShapeButtonSetsTheShapeAndFramesIt) {
    PuzzGbl.FormaPieza = 0;
    PuzzGbl.SonidoActivo = true;
    Personal& p = Abre(21);
    grabadora.clear();
    const int casillas[8] = {1, 1, 1, 4, 2, 2, 2, 2};
    for (std::int16_t k : {3, 5, 0, 7}) {
        p.Pic_TipPuz_MouseDown(k, 1, 0, 5, 5);
        EXPECT_EQ(PuzzGbl.FormaPieza, k);
        EXPECT_EQ(PuzzGbl.PiezasCasilla, casillas[k]);
        EXPECT_EQ(p.Rec_MarcaTip.left(), p.Pic_TipPuz(k).left() - 3);
        EXPECT_EQ(p.Rec_MarcaTip.top(), p.Pic_TipPuz(k).top() - 3);
        EXPECT_FALSE(p.CambiandoFormaPieza);
    }
    EXPECT_EQ(VecesSonido(6), 4);
    p.Pic_TipPuz_MouseDown(7, 1, 0, 5, 5);
    EXPECT_EQ(VecesSonido(6), 4) << "the current shape again: no click";
}

TEST_F(ControlesPersonalTest, ASliderKnobIsTakenOnlyUnderTheHandAndFollowsThePointer) {
    PuzzGbl.FactorAtraccion = 40;
    Personal& p = Abre(21);
    plat::Surface& s = p.Pic_Potenciometro(52);
    p.Pic_Potenciometro_MouseDown(52, 1, 0, 50, 25);
    EXPECT_NE(PuzzGbl.CursorActual, 29) << "off the knob nothing is taken";
    p.Pic_Potenciometro_MouseMove(52, 0, 0, 54, 25); // the open hand over the knob
    p.Pic_Potenciometro_MouseDown(52, 1, 0, 54, 25);
    EXPECT_EQ(PuzzGbl.CursorActual, 29);
    EXPECT_EQ(PuzzGbl.XAgarrePotenciometro, 54);
    p.Pic_Potenciometro_MouseMove(52, 1, 0, 64, 25);
    EXPECT_EQ(PuzzGbl.FactorAtraccion, 50);
    p.Pic_Potenciometro_MouseUp(52, 1, 0, 64, 25);
    EXPECT_EQ(s.mousePointer(), 0);
}

} // namespace
