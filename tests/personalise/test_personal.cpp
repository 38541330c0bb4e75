// The settings window without widgets: its layout per game, its frames and
// palettes, the paste button, selector 2's options, and the exit roads with
// the snapshot restored from memory.
#include "personalise/personal.h"

#include "core/Configuracion.h"
#include "core/Controles.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/EstadoPuzzle.h"
#include "model/Juego.h"
#include "tests/imaging/puzzle_fixtures.h"
#include "tests/personalise/ventana_fixture.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>

#include <deque>
#include <map>
#include <gtest/gtest.h>

namespace {

class PersonalTest : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::PreparaProgramaEn(carpeta.path());
        auto& g = PuzzGbl;
        g.ListaMovimientos = 1;
        g.MaterialPiezas = 1;
        g.TAN_ModoJuego = 2;
        g.TipoRotulo = 1;
        puzzle_test::PonMesa(1024, 768);
        RegistraServiciosControles({[](int, int) {}, [](int) {}, {}, {}});
        RegistraPresentadorMensaje([this](const QString& t, const QString&) {
            titulos << t;
            bool si = true;
            if (!respuestas.empty()) {
                si = respuestas.front();
                respuestas.pop_front();
            }
            PuzzGbl.RespuestaMensaje = PuzzGbl.TipoMensaje == 1 || si;
        });
        Personal::TamanoPortapapeles = [this] { return portapapeles; };
        InstalaEstadoPuzzle();
    }
    void TearDown() override {
        DestruyeVentanaPersonal();
        RegistraPresentadorMensaje(nullptr);
        RegistraServiciosControles({});
        Personal::TamanoPortapapeles = [] { return std::optional<QSize>(); };
        puzzle_test::Reinicia();
    }
    Personal& Abre(std::int16_t juego) {
        PuzzGbl.TipoJuego = juego;
        Personal& p = CreaVentanaPersonal();
        p.Form_Load();
        return p;
    }
    // A jigsaw dealt from a picture of the samples folder.
    void Rompecabezas(int lado) {
        ASSERT_TRUE(puzzle_test::Foto(400, 300).save(PuzzGbl.RutaImagenes + "foto.bmp", "BMP"));
        auto& g = PuzzGbl;
        g.TipoJuego = 21;
        LeePuzzleJuego(RutaEstadoJuego(21)); // the defaults, dealt from the sample
        titulos.clear();
        ASSERT_TRUE(g.SeleccionValida);
        g.PiezasLado = std::int16_t(lado);
        g.NroPiezas = std::int16_t(lado * lado);
        PreparaJuego(true);
        ASSERT_EQ(g.NroPiezas, lado * lado);
    }

    testing_support::ScratchDir carpeta;
    QStringList titulos;
    std::deque<bool> respuestas;
    std::optional<QSize> portapapeles;
};

struct Posicion {
    const char* control;
    int x, y;
};

plat::Surface* Busca(Personal& p, const QString& nombre) {
    if (nombre.startsWith("c")) return p.Control(nombre.mid(1).toInt());
    for (auto& [s, padre] : p.Superficies())
        if (s->name() == nombre) return s;
    return nullptr;
}

// Shown on screen: the surface and every container up to the window.
bool Mostrada(Personal& p, plat::Surface* s) {
    while (s) {
        if (!s->visible()) return false;
        plat::Surface* padre = nullptr;
        for (auto& [h, c] : p.Superficies())
            if (h == s) padre = c;
        s = padre;
    }
    return true;
}

TEST_F(PersonalTest, EachGameLaysOutOnlyItsGroupsWhereTheTableSays) {
    const struct {
        std::int16_t juego, modo;
        int alto;
        std::vector<Posicion> visibles;
        std::vector<const char*> ocultos;
    } casos[] = {
        {21, 2, 570,
         {{"Pic_ImagenPuzz", 17, 87}, {"Pic_ZoomImagen", 17, 467}, {"Pic_TiposPuz", 300, 87}, {"Pic_NroPiezas", 300, 216},
          {"c12", 300, 389}, {"c13", 300, 432}, {"Pic_Colorfon", 300, 469}, {"Pic_FactorPegado", 521, 87},
          {"c5", 521, 290}, {"c15", 521, 348}, {"c11", 521, 387}, {"c51", 521, 426}},
         {"c1", "c2", "c6", "c14", "c16", "Pic_Colorpza"}},
        {22, 2, 525,
         {{"c2", 17, 87}, {"Pic_ImagenPuzz", 17, 137}, {"Pic_NroPiezas", 300, 87}, {"c13", 300, 255},
          {"Pic_Colorfon", 300, 322}, {"Pic_Colorpza", 300, 422}, {"c5", 521, 227}, {"c15", 521, 285},
          {"c11", 521, 324}, {"c51", 521, 363}},
         {"c1", "c6", "c12", "c14", "c16", "Pic_ZoomImagen", "Pic_TiposPuz", "Pic_FactorPegado"}},
        {23, 2, 555,
         {{"c1", 17, 87}, {"Pic_ImagenPuzz", 17, 137}, {"c13", 300, 217}, {"c14", 300, 264}, {"Pic_Colorfon", 300, 317},
          {"Pic_Colorpza", 300, 417}, {"Pic_FactorPegado", 521, 87}, {"c5", 521, 290}, {"c15", 521, 348},
          {"c11", 521, 387}, {"c51", 521, 426}},
         {"c2", "c6", "c12", "c16", "Pic_ZoomImagen", "Pic_TiposPuz", "Pic_NroPiezas"}},
        {23, 1, 555, {{"c1", 17, 87}, {"Pic_ImagenPuzz", 17, 137}, {"c14", 300, 264}}, {"Pic_FactorPegado"}},
        {24, 2, 555,
         {{"Pic_ImagenPuzz", 17, 87}, {"c13", 300, 112}, {"c14", 300, 169}, {"c16", 300, 226}, {"Pic_Colorfon", 300, 279},
          {"Pic_Colorpza", 300, 379}, {"c5", 521, 285}, {"c15", 521, 343}, {"c11", 521, 382}, {"c51", 521, 421}},
         {"c1", "c2", "c6", "c12", "Pic_FactorPegado", "Pic_NroPiezas", "Pic_ZoomImagen"}},
        {25, 2, 520,
         {{"Pic_ImagenPuzz", 17, 87}, {"c6", 300, 227}, {"Pic_Colorfon", 300, 322}, {"c5", 521, 227}, {"c15", 521, 285},
          {"c11", 521, 324}, {"c51", 521, 363}},
         {"c1", "c2", "c12", "c13", "c14", "c16", "Pic_Colorpza", "Pic_FactorPegado", "Pic_ZoomImagen"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "game " << c.juego << " mode " << c.modo);
        PuzzGbl.TAN_ModoJuego = c.modo;
        PuzzGbl.NroPiezas = 15;
        Personal& p = Abre(c.juego);
        EXPECT_EQ(p.ScaleWidth(), 685);
        EXPECT_EQ(p.ScaleHeight(), c.alto);
        EXPECT_EQ(p.Left(), (1024 - 685) / 2);
        EXPECT_EQ(p.Top(), (768 - c.alto) / 2);
        for (const Posicion& v : c.visibles) {
            plat::Surface* s = Busca(p, QString::fromLatin1(v.control));
            ASSERT_NE(s, nullptr) << v.control;
            EXPECT_TRUE(s->visible()) << v.control;
            EXPECT_EQ(s->left(), v.x) << v.control;
            EXPECT_EQ(s->top(), v.y) << v.control;
        }
        for (const char* o : c.ocultos) EXPECT_FALSE(Busca(p, QString::fromLatin1(o))->visible()) << o;
        EXPECT_EQ(p.Pic_BotSalir.left(), 685 - 68);
        EXPECT_EQ(p.Pic_BotSalir.top(), c.alto - 68);
        EXPECT_EQ(p.Pic_BotAyuda.left(), 685 - 126);
        EXPECT_EQ(p.Pic_BotAyuda.top(), c.alto - 68);

        // No two visible controls of one container overlap, and every one
        // lies inside it.
        std::map<plat::Surface*, std::vector<std::pair<QRect, plat::Surface*>>> porPadre;
        for (auto& [s, padre] : p.Superficies()) {
            // The mark frames a shape button and the bar's caption sits on
            // the bar's edge, both by design.
            if (!Mostrada(p, s) || s == &p.Rec_MarcaTip ||
                s == &p.Pic_TexJuegoActual || s->width() == 0)
                continue;
            const QRect r(s->left(), s->top(), s->width(), s->height());
            const QRect dentro = padre ? QRect(0, 0, padre->width(), padre->height()) : QRect(0, 0, 685, c.alto);
            EXPECT_TRUE(dentro.contains(r)) << s->name().toStdString();
            for (auto& [r2, s2] : porPadre[padre])
                EXPECT_FALSE(r.intersects(r2)) << s->name().toStdString() << " over " << s2->name().toStdString();
            porPadre[padre].emplace_back(r, s);
        }
        DestruyeVentanaPersonal();
    }
}

TEST_F(PersonalTest, TheFrameCaptionIsPaddedCentredAndBreaksTheLines) {
    plat::Surface s(QStringLiteral("marco"), 194, 85);
    QString t = QStringLiteral("Color de fondo");
    DibujaMarcoTitulo(s, t);
    EXPECT_EQ(t, QStringLiteral(" Color de fondo  "));
    const int ancho = s.textWidth(t);
    const int x = (194 - ancho) / 2;
    EXPECT_EQ(s.point(0, 7), 0xFFFFFFu) << "white outline";
    EXPECT_EQ(s.point(193, 84), 0x808080u) << "grey outline";
    EXPECT_EQ(s.point(x - 1, 7), 0xFFFFFFu) << "the line reaches the caption";
    EXPECT_EQ(s.point(x, 7), 0xC0C0C0u) << "the leading blank breaks it";
    EXPECT_EQ(s.point(x + ancho - 1, 7), 0xC0C0C0u) << "so do the trailing blanks";
    EXPECT_EQ(s.point(x + ancho, 7), 0xFFFFFFu);
}

TEST_F(PersonalTest, ThePaletteHoldsTheSixLevelsOfEachComponent) {
    plat::Surface s(QStringLiteral("paleta"), 184, 34);
    DibujaPaleta(s);
    EXPECT_EQ(s.point(0, 0), 0xFFFFFFu);
    EXPECT_EQ(s.point(179, 29), 0x000000u);
    const int niveles[6] = {255, 204, 153, 102, 51, 0};
    for (int b : {0, 2, 5})
        for (int c : {1, 4})
            for (int r : {0, 3, 5})
                EXPECT_EQ(s.point(30 * b + 5 * c + 2, 5 * r + 4),
                          plat::Color(niveles[c] | (niveles[r] << 8) | (niveles[b] << 16)));
}

TEST_F(PersonalTest, ThePasteButtonShowsForAClipboardPictureOfAUsableSize) {
    const struct {
        std::optional<QSize> tam;
        std::int16_t juego, rotulo;
        bool visible;
    } casos[] = {
        {QSize(33, 25), 21, 1, true},      {QSize(20480, 15360), 21, 1, true}, {QSize(32, 25), 21, 1, false},
        {QSize(33, 24), 21, 1, false},     {std::nullopt, 21, 1, false},       {QSize(640, 480), 22, 2, false},
        {QSize(640, 480), 22, 1, true},    {QSize(20481, 100), 21, 1, false},
    };
    for (const auto& c : casos) {
        portapapeles = c.tam;
        PuzzGbl.TipoRotulo = c.rotulo;
        Personal& p = Abre(c.juego);
        EXPECT_EQ(p.Pic_Pulsador(31).visible(), c.visible)
            << (c.tam ? c.tam->width() : 0) << " x " << (c.tam ? c.tam->height() : 0) << " game " << c.juego;
        DestruyeVentanaPersonal();
    }
}

TEST_F(PersonalTest, TheSlidingBackgroundOffersLettersUpTo24Pieces) {
    const struct {
        int piezas, rotulo;
        const char* numeros;
        const char* letras;
        int rotuloFinal;
    } casos[] = {
        {8, 3, "Números del  1  al  8", "Letras de la  A  a la  H", 3},
        {24, 3, "Números del  1  al  24", "Letras de la  A  a la  W", 3},
        {35, 3, "Números del  1  al  35", "", 2},
    };
    for (const auto& c : casos) {
        PuzzGbl.NroPiezas = std::int16_t(c.piezas);
        PuzzGbl.TipoRotulo = std::int16_t(c.rotulo);
        Abre(22);
        EXPECT_EQ(TextoOpcion(2, 1).trimmed(), QStringLiteral("Seleccionar una imagen"));
        EXPECT_EQ(TextoOpcion(2, 2).trimmed(), QString::fromUtf8(c.numeros));
        EXPECT_EQ(TextoOpcion(2, 3).trimmed(), QString::fromUtf8(c.letras));
        EXPECT_EQ(PuzzGbl.TipoRotulo, c.rotuloFinal);
        DestruyeVentanaPersonal();
    }
}

TEST_F(PersonalTest, AReRunFromTheCountListNeitherRefillsItNorRedrawsTheAttraction) {
    Personal& p = Abre(21);
    const int atraccion = p.dibujosAtraccion();
    // A marker item stays where a refill would empty the list.
    p.Lis_NroPiezas.AddItem(QStringLiteral("marca"));
    p.CambiandoNroPiezas = true;
    p.ColocaControles();
    p.CambiandoNroPiezas = false;
    ASSERT_GT(p.Lis_NroPiezas.ListCount(), 0);
    EXPECT_EQ(p.Lis_NroPiezas.List(p.Lis_NroPiezas.ListCount() - 1), QStringLiteral("marca"));
    EXPECT_EQ(p.dibujosAtraccion(), atraccion);
    EXPECT_TRUE(p.Pic_FactorPegado.visible());
    // Any other run refills it.
    p.ColocaControles();
    EXPECT_TRUE(p.Lis_NroPiezas.ListCount() == 0 ||
                p.Lis_NroPiezas.List(p.Lis_NroPiezas.ListCount() - 1) != QStringLiteral("marca"));
}

TEST_F(PersonalTest, WithNoUsablePictureAndAnEmptyListTheExitKeepsTheWindow) {
    PuzzGbl.SeleccionValida = false;
    Personal& p = Abre(21);
    EXPECT_FALSE(PuzzGbl.SeleccionValida);
    p.Pic_BotSalir_Click();
    EXPECT_FALSE(p.Descargada());
    EXPECT_TRUE(titulos.isEmpty());
    EXPECT_TRUE(QFile::exists(Personal::RutaInstantanea()));
}

TEST_F(PersonalTest, AFirstRunTakesTheFirstSampleAndRestartsAskingNothing) {
    ASSERT_TRUE(puzzle_test::Foto(640, 480).save(PuzzGbl.RutaImagenes + "foto.bmp", "BMP"));
    PuzzGbl.SeleccionValida = false;
    PuzzGbl.CarpetaImagen = PuzzGbl.RutaImagenes;
    PuzzGbl.PiezasLado = 5;
    Personal& p = Abre(21);
    EXPECT_TRUE(PuzzGbl.SeleccionValida);
    EXPECT_EQ(PuzzGbl.ArchivoImagen, QStringLiteral("foto.bmp"));
    p.Pic_BotSalir_Click();
    EXPECT_TRUE(p.Descargada());
    EXPECT_TRUE(PuzzGbl.ReiniciarPuzzle);
    EXPECT_TRUE(titulos.isEmpty()) << titulos.join(" | ").toStdString();
}

TEST_F(PersonalTest, ASlidingGameWithNumbersNeedsNoPicture) {
    PuzzGbl.TipoRotulo = 2;
    PuzzGbl.FicheroImagen = QStringLiteral("/a/vieja.bmp");
    PuzzGbl.ArchivoImagen = QStringLiteral("vieja.bmp");
    Personal& p = Abre(22);
    PuzzGbl.FicheroImagen = QStringLiteral("/a/rechazada.bmp");
    PuzzGbl.ArchivoImagen = QStringLiteral("rechazada.bmp");
    PuzzGbl.SeleccionValida = false;
    p.Pic_BotSalir_Click();
    EXPECT_TRUE(p.Descargada());
    EXPECT_EQ(PuzzGbl.FicheroImagen, QStringLiteral("/a/vieja.bmp"));
    EXPECT_FALSE(titulos.contains(QString::fromUtf8("Parámetros del puzzle")));
}

TEST_F(PersonalTest, AnUnfitModelCountsAsTheModelChangeCancelled) {
    PuzzGbl.NroModelo = 2;
    Personal& p = Abre(25);
    PuzzGbl.NroModelo = 7; // chosen, and too large for the table
    PuzzGbl.SeleccionValida = false;
    p.Pic_BotSalir_Click();
    EXPECT_TRUE(p.Descargada());
    EXPECT_EQ(PuzzGbl.NroModelo, 2);
    EXPECT_FALSE(titulos.contains(QStringLiteral("Nuevo modelo de Taipei")));
}

TEST_F(PersonalTest, CancelPutsThePuzzleBackFromMemoryWithTheNewLook) {
    const struct {
        const char* nombre;
        bool archivoSinPermiso, imagenBorrada;
    } casos[] = {{"plain", false, false}, {"snapshot folder missing", true, false}, {"picture deleted", false, true}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Rompecabezas(3);
        auto& g = PuzzGbl;
        g.Piezas[1].X = std::int16_t(g.Piezas[1].X + 7);
        const auto piezas = g.Piezas;
        const auto orden = g.OrdenPiezas;
        const std::int16_t movimientos = g.MovActual;
        if (c.archivoSinPermiso) g.RutaArchivo = carpeta.path() + "no-existe/";
        Personal& p = Abre(21);
        EXPECT_EQ(QFile::exists(Personal::RutaInstantanea()), !c.archivoSinPermiso);
        if (c.imagenBorrada) {
            ASSERT_TRUE(QFile::remove(g.FicheroImagen));
        }
        g.ColorFondo = 0x123456;
        g.FormaPieza = 1;
        g.PiezasLado = 4;
        respuestas = {false};
        const int pulsaciones = mesa.llamadasBoton();
        p.Pic_BotSalir_Click();
        EXPECT_TRUE(p.Descargada());
        EXPECT_EQ(titulos, QStringList{QString::fromUtf8("Parámetros del puzzle")});
        EXPECT_FALSE(g.ReiniciarPuzzle);
        EXPECT_TRUE(g.CambioCosmetico);
        EXPECT_EQ(g.FormaPieza, 0);
        EXPECT_EQ(g.PiezasLado, 3);
        EXPECT_EQ(g.NroPiezas, 9);
        EXPECT_EQ(g.ColorFondo, 0x123456);
        EXPECT_EQ(g.MovActual, movimientos);
        EXPECT_EQ(g.OrdenPiezas, orden);
        ASSERT_EQ(g.Piezas.size(), piezas.size());
        for (std::size_t i = 1; i < piezas.size(); ++i) {
            EXPECT_EQ(g.Piezas[i].X, piezas[i].X);
            EXPECT_EQ(g.Piezas[i].Y, piezas[i].Y);
        }
        EXPECT_EQ(mesa.llamadasBoton(), pulsaciones) << "no second settings window";
        EXPECT_FALSE(QFile::exists(Personal::RutaInstantanea()));
        EXPECT_EQ(mesa.Pic_FonTamModi.width(), 400);
        DestruyeVentanaPersonal();
        titulos.clear();
        g.RutaArchivo = carpeta.path() + "Archivo/";
        QFile::remove(g.RutaImagenes + "foto.bmp");
        QFile::remove(RutaEstadoJuego(21));
    }
}

TEST_F(PersonalTest, ACommandTwoPressWhileOpenIsNoSecondWindow) {
    Personal& p = Abre(24);
    EXPECT_EQ(&CreaVentanaPersonal(), &p);
    EXPECT_EQ(VentanaPersonalAbierta(), &p);
    p.Pic_BotSalir_Click();
    EXPECT_EQ(VentanaPersonalAbierta(), nullptr);
}

} // namespace
