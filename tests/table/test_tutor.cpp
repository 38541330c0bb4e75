// The tutor on the table: the jigsaw's inverted home cell, the pentominoes'
// home squares, the Tangram's gap, the Taipei pair's blinks; pieces, order
// and moves untouched, a covered piece left covered, the puzzle out of the
// history; and the command panel's road to it in every game.
#include "tests/table/juegos_fixtures.h"

#include "table/Tutor.h"
#include "model/Taipei.h"

#include <array>

namespace {

using namespace juegos_prueba;

class Tutor : public MesaJuegos {};

QRgb complemento(QRgb c) { return 0xFF000000u | (~c & 0xFFFFFFu); }

// Whether every pixel of the box in `a` is the complement of that in `b`.
bool invertida(const QImage& a, const QImage& b, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (a.pixel(x, y) != complemento(b.pixel(x, y))) return false;
    return true;
}

TEST_F(Tutor, TheJigsawHomeCellBlinksInvertedAndThePieceStaysBehindTheOneInFront) {
    rompecabezas();
    auto& g = PuzzGbl;
    // 4 lies away from home, half under 3, which lies in front of it.
    g.Piezas[4].X = 600;
    g.Piezas[4].Y = 300;
    g.Piezas[3].X = 700;
    g.Piezas[3].Y = 350;
    g.OrdenPiezas = {0, 3, 1, 2, 4};
    RedibujaImagen(1);
    const QImage antes = mesa.Pic_Imagen.image();
    const auto piezasAntes = g.Piezas;
    const auto ordenAntes = g.OrdenPiezas;
    g.PasaAlHistorico = true;
    g.TutorActivo = true;
    g.PiezaSeleccionada = 4;

    TutorIndicando();

    const auto blinks = de(55);
    ASSERT_EQ(blinks.size(), 3u);
    const auto& r = g.Piezas[4];
    for (const auto& c : blinks) {
        EXPECT_TRUE(invertida(c.trabajo, c.imagen, r.XDestino, r.YDestino, r.XDestino + g.AnchoPieza,
                              r.YDestino + g.AltoPieza));
        // Outside the cell the table is the back buffer, the piece erased from it.
        EXPECT_EQ(c.trabajo.pixel(650, 320), c.imagen.pixel(650, 320));
        EXPECT_NE(c.imagen.pixel(650, 320), antes.pixel(650, 320)) << "the piece is off the back buffer";
    }
    EXPECT_EQ(mesa.Pic_Imagen.image(), antes) << "the piece drawn back behind the one in front";
    EXPECT_EQ(mesa.Pic_Trabajo.image(), antes) << "no trace of the inverted cell";
    EXPECT_EQ(mesa.Pic_Trabajo.drawMode(), plat::drawmode::kCopyPen);
    EXPECT_EQ(g.Piezas, piezasAntes);
    EXPECT_EQ(g.OrdenPiezas, ordenAntes);
    EXPECT_EQ(g.UltimoMovGrabado, 0);
    EXPECT_FALSE(g.PasaAlHistorico);
    EXPECT_FALSE(g.TutorActivo);
    for (const auto& c : sonidos.calls()) {
        if (c.clip == teselaro::soundResource(55)) {
            EXPECT_TRUE(c.waited);
        }
    }
}

TEST_F(Tutor, PentominoHomeSquaresBlinkInTheShapesOrTheCommonColour) {
    for (bool unColor : {false, true}) {
        SCOPED_TRACE(unColor);
        SetUp();
        pentominos();
        auto& g = PuzzGbl;
        g.PiezasUnColor = unColor;
        g.ColorPieza = 0x123456;
        // The L (3) turned once at home, lying elsewhere face up.
        auto& r = g.Piezas[3];
        r.GiroDestino = 1;
        r.X = 500;
        r.Y = 500;
        RedibujaImagen(1);
        const QImage antes = mesa.Pic_Imagen.image();
        g.PiezaSeleccionada = 3;
        TutorIndicando();
        const plat::Color esperado = unColor ? plat::Color(0x123456) : g.PEN_TablaPiezas[3].Color;
        PEN_TransformaPieza(3, 1, 0);
        const auto celdas = g.PEN_PiezaGirada;
        const auto blinks = de(55);
        ASSERT_EQ(blinks.size(), 3u);
        plat::Surface vista;
        for (const auto& c : blinks) {
            vista.setSize(c.trabajo.width(), c.trabajo.height());
            vista.setPicture(c.trabajo);
            for (int k = 1; k <= 5; ++k)
                EXPECT_EQ(vista.point(r.XDestino + celdas.X[std::size_t(k)] * 20 + 10,
                                      r.YDestino + celdas.Y[std::size_t(k)] * 20 + 10),
                          esperado)
                    << "cell " << k;
            EXPECT_EQ(c.trabajo.pixel(510, 510), c.imagen.pixel(510, 510)) << "the piece is erased";
        }
        EXPECT_EQ(mesa.Pic_Trabajo.image(), antes);
        EXPECT_EQ(r.X, 500);
        EXPECT_EQ(r.Giro, 0);
        EXPECT_FALSE(g.PasaAlHistorico);
        TearDown();
    }
}

TEST_F(Tutor, TheTangramHomeShowsAsAGapInTheTableColour) {
    tangram();
    auto& g = PuzzGbl;
    // The square (6) lies away from its home.
    g.Piezas[6].X = 300;
    g.Piezas[6].Y = 300;
    RedibujaImagen(1);
    const QImage antes = mesa.Pic_Imagen.image();
    TAN_PuntoEtiqueta(6, 0, 0);
    const int px = g.Piezas[6].XDestino - g.MargenPiezaX + g.TAN_DesplX;
    const int py = g.Piezas[6].YDestino - g.MargenPiezaY + g.TAN_DesplY;
    g.PiezaSeleccionada = 6;
    TutorIndicando();
    const auto blinks = de(55);
    ASSERT_EQ(blinks.size(), 3u);
    plat::Surface vista;
    for (const auto& c : blinks) {
        vista.setSize(c.trabajo.width(), c.trabajo.height());
        vista.setPicture(c.trabajo);
        EXPECT_EQ(vista.point(px, py), plat::Color(g.ColorFondo));
    }
    EXPECT_EQ(mesa.Pic_Trabajo.image(), antes);
    EXPECT_EQ(g.Piezas[6].X, 300);
    EXPECT_FALSE(g.PasaAlHistorico);
}

TEST_F(Tutor, ATaipeiPairBlinksSixTimesAndThePlayersSelectionIsLost) {
    taipei();
    auto& g = PuzzGbl;
    TAI_BuscaPareja();
    const std::int16_t a = g.TAI_ParejaSugerida[1], b = g.TAI_ParejaSugerida[2];
    ASSERT_NE(a, 0);
    // Another free tile selected by the player.
    std::int16_t otra = 0;
    for (std::int16_t t = 1; t <= 144 && otra == 0; ++t)
        if (t != a && t != b && TAI_FichaLibre(t)) otra = t;
    ASSERT_NE(otra, 0);
    g.Piezas[std::size_t(otra)].Estado = 2;
    std::vector<std::vector<int>> estados;
    sonidos.setWaitFunction([&](int) {
        estados.push_back({g.Piezas[std::size_t(a)].Estado, g.Piezas[std::size_t(b)].Estado,
                           g.Piezas[std::size_t(otra)].Estado});
    });
    TutorIndicando();
    EXPECT_EQ(veces(55), 6);
    EXPECT_EQ(estados, (std::vector<std::vector<int>>{
                           {2, 2, 1}, {1, 1, 1}, {2, 2, 1}, {1, 1, 1}, {2, 2, 1}, {1, 1, 1}}));
    EXPECT_EQ(g.Piezas[std::size_t(a)].Estado, 1);
    EXPECT_EQ(g.Piezas[std::size_t(otra)].Estado, 1);
    EXPECT_EQ(g.UltimoMovGrabado, 0);
    EXPECT_FALSE(g.PasaAlHistorico);
}

TEST_F(Tutor, ABadPieceOrTheSlidingGameShowsNothingButStillCosts) {
    struct Caso {
        const char* nombre;
        std::function<void()> prepara;
    } casos[] = {
        {"jigsaw, no piece", [] { PuzzGbl.PiezaSeleccionada = 0; }},
        {"jigsaw, past the last", [] { PuzzGbl.PiezaSeleccionada = 5; }},
        {"sliding", [] {
             PuzzGbl.TipoJuego = 22;
             PuzzGbl.PiezaSeleccionada = 1;
         }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        rompecabezas();
        c.prepara();
        const QImage antes = mesa.Pic_Trabajo.image();
        PuzzGbl.PasaAlHistorico = true;
        PuzzGbl.TutorActivo = true;
        TutorIndicando();
        EXPECT_EQ(veces(55), 0);
        EXPECT_EQ(mesa.Pic_Trabajo.image(), antes);
        EXPECT_FALSE(PuzzGbl.PasaAlHistorico);
        EXPECT_FALSE(PuzzGbl.TutorActivo);
        TearDown();
    }
}

TEST_F(Tutor, TheTutorButtonReachesItInEveryGameThatBlinks) {
    struct Caso {
        const char* nombre;
        int juego;
        int blinks;
    } casos[] = {{"jigsaw", 21, 3}, {"Tangram", 23, 3}, {"pentominoes", 24, 3}, {"Taipei", 25, 6}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        SetUp();
        auto& g = PuzzGbl;
        std::int16_t p = 1;
        double x = 0, y = 0;
        switch (c.juego) {
        case 21: rompecabezas(); break;
        case 23: tangram(); break;
        case 24: pentominos(); break;
        default: taipei(); break;
        }
        if (c.juego != 25) {
            auto& r = g.Piezas[std::size_t(p)];
            r.X = 400;
            r.Y = 450;
            RedibujaImagen(1);
            ActualizaInfoPiezas();
            x = r.X - g.MargenPiezaX + AnchoPiezaGirada(p, r.Giro, r.Volteo) / 2;
            y = r.Y - g.MargenPiezaY + AltoPiezaGirada(p, r.Giro, r.Volteo) / 2;
            if (c.juego == 23) {
                TAN_PuntoEtiqueta(1, 0, 0);
                x = r.X - g.MargenPiezaX + g.TAN_DesplX;
                y = r.Y - g.MargenPiezaY + g.TAN_DesplY;
            }
        }
        g.CronometroEnMarcha = true;
        g.PasaAlHistorico = true;
        pulsa(3);
        EXPECT_TRUE(mensajes.empty()) << (mensajes.empty() ? "" : mensajes[0].texto.toStdString());
        if (c.juego != 25) {
            EXPECT_TRUE(g.TutorActivo);
            EXPECT_EQ(veces(55), 0);
            Pic_Trabajo_MouseMove(0, 0, x, y);
            EXPECT_EQ(g.CursorActual, 24);
            Pic_Trabajo_MouseDown(1, 0, x, y);
            Pic_Trabajo_MouseUp(1, 0, x, y);
        }
        EXPECT_EQ(veces(55), c.blinks);
        EXPECT_FALSE(g.TutorActivo);
        EXPECT_FALSE(g.PasaAlHistorico);
        EXPECT_EQ(g.UltimoMovGrabado, 0) << "the press that called it moved nothing";
        EXPECT_FALSE(g.ArrastrandoPieza);
        EXPECT_TRUE(g.CronometroEnMarcha);
        TearDown();
    }
}

// Taipei after pairs of the player's own, taken as the hint offers them
// until the hint's next pair would leave a board that cannot be cleared:
// the tutor button blinks a pair after which it still can, and says nothing.
TEST_F(Tutor, TheTaipeiTutorAfterThePlayersPairsShowsAPairThatKeepsTheBoardClearable) {
    taipei();
    auto& g = PuzzGbl;
    double ahora = 0;
    RegistraRelojSolucionTaipei([&ahora] { return ahora += 1e-4; }); // some 30,000 readings a search
    std::array<std::int16_t, 3> esperada{};
    for (int n = 0; n < 71; ++n) {
        TAI_BuscaPareja();
        const auto pista = g.TAI_ParejaSugerida;
        ASSERT_NE(pista[1], 0) << "the hint ran out of pairs after " << n;
        ahora = 0;
        TAI_SugiereParejaConSalida();
        if (g.TAI_ParejaSugerida != pista) {
            esperada = g.TAI_ParejaSugerida;
            break;
        }
        for (int m = 1; m <= 2; ++m) g.Piezas[std::size_t(pista[std::size_t(m)])].Estado = 0;
    }
    ASSERT_NE(esperada[1], 0) << "the hint never led into a dead end";
    std::vector<std::int16_t> parpadea;
    sonidos.setWaitFunction([&](int) {
        if (!parpadea.empty()) return;
        for (std::int16_t t = 1; t <= 144; ++t)
            if (g.Piezas[std::size_t(t)].Estado == 2) parpadea.push_back(t);
    });
    ahora = 0;
    pulsa(3);
    EXPECT_TRUE(mensajes.empty());
    EXPECT_EQ(parpadea, (std::vector<std::int16_t>{esperada[1], esperada[2]}));
    EXPECT_EQ(mesa.MousePointer(), 0);
    // Taken, it leaves a board the search clears.
    for (int m = 1; m <= 2; ++m) g.Piezas[std::size_t(esperada[std::size_t(m)])].Estado = 0;
    ahora = 0;
    TAI_BuscaSolucion();
    EXPECT_TRUE(g.TAI_SolucionHallada);
    RegistraRelojSolucionTaipei({});
}

// Taipei with no free pair left: the tutor blinks nothing and says so, and
// still costs the puzzle its place in the history.
TEST_F(Tutor, ATaipeiBoardWithoutAFreePairIsToldSo) {
    taipei();
    auto& g = PuzzGbl;
    // Three tiles of three kinds left, nothing else.
    for (int t = 1; t <= 144; ++t) g.Piezas[std::size_t(t)].Estado = 0;
    for (int t : {1, 2, 3}) g.Piezas[std::size_t(t)].Estado = 1; // three kinds, one tile each
    g.PasaAlHistorico = true;
    pulsa(3);
    ASSERT_EQ(mensajes.size(), 1u);
    EXPECT_EQ(mensajes[0].titulo, QString::fromUtf8("Puzzle sin solución"));
    EXPECT_EQ(mensajes[0].texto,
              QString::fromUtf8("La situación actual del puzzle no le permite emparejar ninguna de las piezas libres,  "
                                "por tanto, no puede continuar resolviéndolo.  Si lo  desea  puede  utilizar  la  "
                                "Grabadora de movimientos y  retroceder para encontrar una solución por otra vía."));
    EXPECT_EQ(veces(55), 0) << "nothing blinks";
    EXPECT_FALSE(g.PasaAlHistorico);
    for (int t : {1, 2, 3}) EXPECT_EQ(g.Piezas[std::size_t(t)].Estado, 1);
}

} // namespace
