// The settings window's exit decision: which questions, restart, look
// change, restore, history and zoom, for each road.
#include "core/TsComun.h"
#include "personalise/SalidaPersonal.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

namespace {

AjustesPersonal Base() {
    AjustesPersonal a;
    a.FicheroImagen = QStringLiteral("/img/a.bmp");
    a.ArchivoImagen = QStringLiteral("a.bmp");
    a.FormaPieza = 0;
    a.PiezasLado = 5;
    a.ZoomImagen = 100;
    a.GiroPermitido = true;
    a.TAN_ModoJuego = 2;
    a.TipoRotulo = 1;
    a.NroModelo = 3;
    a.ColorFondo = 0x800000;
    a.ColorPieza = 0x8000;
    a.ColorLineas = 0xFFFFFF;
    a.DibujarBorde = true;
    a.FactorAtraccion = 20;
    a.MaterialPiezas = 1;
    return a;
}

struct Caso {
    const char* nombre;
    std::int16_t juego;
    std::function<void(AjustesPersonal&)> cambia;
    bool forzado;
    std::deque<bool> respuestas;
    // expected
    std::vector<PreguntaSalida> preguntas;
    bool reiniciar, cosmetico, restaura, quitaHistorico, dificultad;
    std::int16_t zoom;
};

TEST(DecideSalida, EveryRoadGivesItsQuestionsAndFlags) {
    using P = PreguntaSalida;
    const Caso casos[] = {
        {"colour only", 21, [](auto& a) { a.ColorFondo = 0x123456; }, false, {}, {}, false, true, true, false, true, 100},
        {"nothing changed (speed, sound stay outside)", 21, [](auto&) {}, false, {}, {}, false, false, true, false, true,
         100},
        {"parameter accepted", 21, [](auto& a) { a.PiezasLado = 7; }, false, {true}, {P::Parametros}, true, false,
         false, false, true, 100},
        {"parameter cancelled keeps the opening's zoom", 21,
         [](auto& a) {
             a.FormaPieza = 3;
             a.ZoomImagen = 150;
         },
         false, {false}, {P::Parametros}, false, false, true, false, true, 100},
        {"parameter and model, both cancelled", 24,
         [](auto& a) {
             a.GiroPermitido = false;
             a.NroModelo = 9;
         },
         false, {false, false}, {P::Parametros, P::Modelo}, false, false, true, false, true, 100},
        {"parameter accepted, no model question", 25,
         [](auto& a) {
             a.FicheroImagen = "x";
             a.NroModelo = 9;
         },
         false, {true}, {P::Parametros}, true, false, false, false, false, 100},
        {"model accepted", 24, [](auto& a) { a.NroModelo = 9; }, false, {true}, {P::Modelo}, true, false, false, false,
         true, 100},
        {"Tangram design, other model: nothing asked", 23, [](auto& a) { a.NroModelo = 9; }, false, {}, {}, false,
         false, true, false, false, 100},
        {"Tangram switched to design, cancelled: no model question", 23,
         [](auto& a) {
             a.TAN_ModoJuego = 1;
             a.NroModelo = 9;
         },
         false, {false}, {P::Parametros}, false, false, true, false, true, 100},
        {"Tangram solving, other model", 23,
         [](auto& a) { a.NroModelo = 9; }, false, {}, {P::Modelo}, true, false, false, false, true, 100},
        {"attraction factor only", 21, [](auto& a) { a.FactorAtraccion = 60; }, false, {}, {}, false, true, true, true,
         true, 100},
        {"sliding game: zoom back to 100", 22, [](auto& a) { a.ZoomImagen = 150; }, false, {true}, {P::Parametros},
         true, false, false, false, true, 100},
        {"first run: restart, nothing asked", 21, [](auto& a) { a.FicheroImagen = "nueva"; }, true, {}, {}, true, false,
         false, false, true, 100},
        {"zoom accepted stays in the jigsaw", 21, [](auto& a) { a.ZoomImagen = 150; }, false, {true}, {P::Parametros},
         true, false, false, false, true, 150},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        AjustesPersonal ini = Base();
        if (c.juego == 23 && c.preguntas.empty()) ini.TAN_ModoJuego = 1; // designing at opening too
        AjustesPersonal ahora = ini;
        c.cambia(ahora);
        std::deque<bool> respuestas = c.respuestas;
        std::vector<PreguntaSalida> vistas;
        const DecisionSalida d = DecideSalida(ini, ahora, c.juego, c.forzado, [&](PreguntaSalida p) {
            vistas.push_back(p);
            const bool r = respuestas.empty() ? true : respuestas.front();
            if (!respuestas.empty()) respuestas.pop_front();
            return r;
        });
        EXPECT_EQ(vistas, c.preguntas);
        EXPECT_EQ(d.ReiniciarPuzzle, c.reiniciar);
        EXPECT_EQ(d.CambioCosmetico, c.cosmetico);
        EXPECT_EQ(d.restaura, c.restaura);
        EXPECT_EQ(d.quitaHistorico, c.quitaHistorico);
        EXPECT_EQ(d.calculaDificultad, c.dificultad);
        EXPECT_EQ(d.ZoomImagen, c.zoom);
        EXPECT_EQ(d.preguntaParametros, !vistas.empty() && vistas.front() == P::Parametros);
    }
}

TEST(DecideSalida, ThePastedPictureIsSavedOnlyForARestart) {
    AjustesPersonal ini = Base();
    AjustesPersonal ahora = ini;
    ahora.ArchivoImagen = QStringLiteral("TSPORTAP.BMP");
    ahora.FicheroImagen = QStringLiteral("/img/TSPORTAP.BMP");
    EXPECT_TRUE(DecideSalida(ini, ahora, 21, false, [](PreguntaSalida) { return true; }).guardaPortapapeles);
    EXPECT_FALSE(DecideSalida(ini, ahora, 21, false, [](PreguntaSalida) { return false; }).guardaPortapapeles);
    EXPECT_TRUE(DecideSalida(ini, ahora, 21, true, [](PreguntaSalida) { return false; }).guardaPortapapeles);
    // Only the games played on a picture hold it; the others carry the name
    // of the picture games' picture, which they must leave alone.
    const struct {
        std::int16_t juego, rotulo;
        bool guarda;
    } juegos[] = {{21, 1, true}, {22, 1, true}, {22, 2, false}, {22, 3, false}, {23, 1, false}, {24, 1, false},
                  {25, 1, false}};
    for (const auto& j : juegos) {
        AjustesPersonal otro = ahora;
        otro.TipoRotulo = j.rotulo;
        otro.NroModelo = 7;
        EXPECT_EQ(DecideSalida(ini, otro, j.juego, true, [](PreguntaSalida) { return true; }).guardaPortapapeles,
                  j.guarda)
            << "game " << j.juego << " background " << j.rotulo;
    }
    EXPECT_TRUE(EsImagenPortapapeles(QStringLiteral("tsportap.bmp")));
    EXPECT_FALSE(EsImagenPortapapeles(QStringLiteral("tsportap.bmp.jpg")));
}

TEST(DecideSalida, TaipeiAndTangramDesignAreNotGraded) {
    AjustesPersonal ini = Base();
    EXPECT_FALSE(DecideSalida(ini, ini, 25, false, [](PreguntaSalida) { return true; }).calculaDificultad);
    ini.TAN_ModoJuego = 1;
    EXPECT_FALSE(DecideSalida(ini, ini, 23, false, [](PreguntaSalida) { return true; }).calculaDificultad);
    EXPECT_TRUE(DecideSalida(ini, ini, 24, false, [](PreguntaSalida) { return true; }).calculaDificultad);
}

} // namespace
