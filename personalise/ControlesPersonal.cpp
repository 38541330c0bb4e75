// The handlers of the settings window's owner-drawn controls: switches,
// palettes, sliders, push buttons, selectors, the zoom spin box and the
// piece-shape buttons. Every one edits its setting at once; only a change of
// game acts on the puzzle before the window closes.
#include "personalise/personal.h"

#include "core/Configuracion.h"
#include "core/Controles.h"
#include "core/Pasos.h"
#include "core/PuzzGbl.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "model/EncajeImagen.h"
#include "model/EstadoPuzzle.h"
#include "platform/blit.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/picture.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

using pasos::Paso;

namespace {

constexpr int kSonidoPulsado = 6, kSonidoEncaje = 51;
constexpr int kCursorDefecto = 0, kCursorIndice = 23, kCursorManoCerrada = 29;

const QString& TituloJuegoActual() {
    static const QString t = QStringLiteral("Lista 'JUEGO ACTUAL'");
    return t;
}

bool EsInterruptorDeJuego(int i) { return i >= 21 && i <= 25; }

// The setting a switch 11-16 edits, or nullptr.
bool* AjusteInterruptor(int i) {
    auto& g = PuzzGbl;
    switch (i) {
    case 11: return &g.SonidoActivo;
    case 12: return &g.GiroPermitido;
    case 13: return &g.DibujarBorde;
    case 14: return &g.AtraccionPiezas;
    case 15: return &g.MostrarSugerencias;
    case 16: return &g.PiezasUnColor;
    default: return nullptr;
    }
}

// The setting a selector edits, or nullptr.
std::int16_t* AjusteSelector(int i) {
    auto& g = PuzzGbl;
    switch (i) {
    case 1: return &g.TAN_ModoJuego;
    case 2: return &g.TipoRotulo;
    case 5: return &g.ListaMovimientos;
    case 6: return &g.MaterialPiezas;
    default: return nullptr;
    }
}

} // namespace

// ---------------------------------------------------------------- switches

void Personal::Pic_Buleano_MouseDown(std::int16_t indice, std::int16_t, std::int16_t, double, double) {
    auto& g = PuzzGbl;
    plat::Surface* s = Control(indice);
    if (!s) return;
    if (bool* ajuste = AjusteInterruptor(indice)) {
        // The click first: switching the sound on is silent, off clicks.
        Sonido(0, kSonidoPulsado);
        *ajuste = !*ajuste;
        DibujaBuleano(*s, indice, *ajuste);
        return;
    }
    if (!EsInterruptorDeJuego(indice)) return;
    Sonido(0, kSonidoPulsado);
    if (indice == g.TipoJuego) {
        DibujaBuleano(*s, indice, true);
        return;
    }
    cambiaJuego(indice);
}

void Personal::cambiaJuego(std::int16_t juego) {
    auto& g = PuzzGbl;
    plat::Surface& pulsado = Pic_Buleano(juego);
    const std::int16_t actual = g.TipoJuego;
    auto comoAntes = [&] {
        DibujaBuleano(pulsado, juego, false);
        Sonido(0, kSonidoPulsado);
        plat::Surface* enVigor = EsInterruptorDeJuego(actual) ? Control(actual) : nullptr;
        if (enVigor) DibujaBuleano(*enVigor, actual, true);
    };
    DibujaBuleano(pulsado, juego, true);
    Sonido(0, kSonidoPulsado);
    Mensaje(TituloJuegoActual(),
            QString::fromUtf8("Cuando se modifica  el  valor de esta lista, finaliza el  juego actual  y  se  inicia  "
                              "la modalidad de juego seleccionada. Si pulsa el botón  Aceptar  comenzará el nuevo "
                              "juego. Si pulsa el  botón  Cancelar  no  se modificará ningún valor y continuará el "
                              "juego actual."),
            6, 2, ayuda::kCambioJuego);
    Refresh();
    if (!g.RespuestaMensaje) {
        comoAntes();
        return;
    }

    // The game left keeps what it had when the window opened: the opening's
    // state, settings included, is what its state file receives. The edits
    // are kept aside in case that file cannot be written.
    std::optional<EstadoPartida> editado;
    Paso([&] { editado = EstadoActual(); });
    EstadoPartida inicial = EstadoInicial;
    bool restaurado = false;
    Paso([&] {
        if (!ValidaEstadoPartida(inicial, ContextoActual(actual)).isEmpty()) return;
        g.LeyendoInstantanea = true;
        AplicaEstadoPartida(inicial, &Pic_FonTamModiMem);
        restaurado = true;
    });
    g.LeyendoInstantanea = false;

    bool escrito = false;
    Paso([&] { escrito = GuardaPuzzleJuego(); });
    if (!escrito) {
        if (restaurado && editado) {
            g.LeyendoInstantanea = true;
            Paso([&] { AplicaEstadoPartida(*editado, &Pic_FonTamModiMem); });
            g.LeyendoInstantanea = false;
        }
        Mensaje(TituloJuegoActual(),
                QStringLiteral("No se ha podido guardar el estado del juego actual en ") + RutaEstadoJuego(actual) +
                    QStringLiteral(". Se continúa con el juego actual."),
                2, 1);
        Refresh();
        comoAntes();
        return;
    }

    g.TipoJuego = juego;
    bool global = false;
    Paso([&] { global = GuardaConfiguracion(); });
    if (!global) {
        Mensaje(TituloJuegoActual(),
                QStringLiteral("No se ha podido guardar la configuración en ") +
                    plat::findFileCaseInsensitive(g.RutaPrograma, QStringLiteral("Tsl34.ini")) +
                    QStringLiteral(". El juego elegido se usará hasta que salga del programa."),
                2, 1);
    }
    if (!g.MostrarSugerencias) mesa.Pic_Sugerencia.setVisible(false);
    g.ZoomImagen = g.TipoJuego == 21 ? g.ZoomImagen : std::int16_t(100);
    Paso([] {
        const QString ruta = RutaInstantanea();
        if (QFile::exists(ruta)) plat::removeFile(ruta);
    });
    Unload();
}

// ---------------------------------------------------------------- palettes

void Personal::eligeColor(plat::Surface& paleta, plat::Surface& muestra, std::int32_t& color, double x, double y) {
    Sonido(0, kSonidoPulsado);
    // The squares cover 180 x 30 of the palette; over its margin the
    // nearest square is taken, never the margin's grey.
    const int px = std::clamp(plat::cint(x), 0, 179), py = std::clamp(plat::cint(y), 0, 29);
    const plat::Color c = paleta.point(px, py);
    if (c < 0) return;
    color = std::int32_t(c);
    muestra.setBackColor(c);
    muestra.refresh();
    CalculaColoresDerivados();
}

void Personal::Pic_ColFonSel_MouseDown(std::int16_t, std::int16_t, double x, double y) {
    eligeColor(Pic_ColFonSel, Pic_ColFonMue, PuzzGbl.ColorFondo, x, y);
}

void Personal::Pic_ColPzaSel_MouseDown(std::int16_t, std::int16_t, double x, double y) {
    eligeColor(Pic_ColPzaSel, Pic_ColPzaMue, PuzzGbl.ColorPieza, x, y);
}

// ---------------------------------------------------------------- sliders

void Personal::Pic_Potenciometro_MouseDown(std::int16_t indice, std::int16_t, std::int16_t, double x, double) {
    plat::Surface* s = Control(indice);
    if (!s || (indice != 51 && indice != 52)) return;
    if (s->mousePointer() == kCursorDefecto) return; // not over the knob
    PuzzGbl.XAgarrePotenciometro = std::int16_t(plat::cint(x));
    PonCursor(*s, kCursorManoCerrada);
}

void Personal::Pic_Potenciometro_MouseMove(std::int16_t indice, std::int16_t boton, std::int16_t, double x, double y) {
    auto& g = PuzzGbl;
    plat::Surface* s = Control(indice);
    if (!s) return;
    const bool pulsado = (boton & 1) != 0;
    if (indice == 51) MuevePotenciometro(*s, g.VelocidadJuego, plat::cint16(x), plat::cint16(y), pulsado);
    if (indice == 52) MuevePotenciometro(*s, g.FactorAtraccion, plat::cint16(x), plat::cint16(y), pulsado);
}

void Personal::Pic_Potenciometro_MouseUp(std::int16_t indice, std::int16_t, std::int16_t, double, double) {
    if (plat::Surface* s = Control(indice); s && (indice == 51 || indice == 52)) PonCursor(*s, kCursorDefecto);
}

// ---------------------------------------------------------------- push buttons

void Personal::Pic_Pulsador_MouseDown(std::int16_t indice, std::int16_t, std::int16_t, double, double) {
    if (indice != 31 && indice != 32) return;
    plat::Surface& s = Pic_Pulsador(indice);
    DibujaPulsador(s, indice, true, true);
    if (indice == 31) {
        Paso([this] { pegaPortapapeles(); });
        // The pause at the neutral speed, whatever the game's.
        auto& g = PuzzGbl;
        const std::int16_t velocidad = g.VelocidadJuego;
        g.VelocidadJuego = 50;
        RetardoControl(200);
        g.VelocidadJuego = velocidad;
    } else {
        Paso([this] { pruebaAtraccion(); });
    }
    if (!Descargada()) DibujaPulsador(s, indice, false, true);
}

void Personal::pegaPortapapeles() {
    if (!plat::clipboardHasPicture()) return;
    const QImage imagen = plat::clipboardPicture();
    if (imagen.isNull()) return;
    const QString ruta = GuardaImagenPortapapeles(imagen);
    // Nothing written (the player was told): nothing is selected either.
    if (ruta.isEmpty()) return;
    const QString nombre = QFileInfo(ruta).fileName();
    for (int i = 0; i < File1.ListCount(); ++i)
        if (File1.List(i).compare(nombre, Qt::CaseInsensitive) == 0) {
            if (File1.ListIndex() == i) File1_Click();
            else File1.setListIndex(i);
            return;
        }
}

void Personal::pruebaAtraccion() {
    auto& g = PuzzGbl;
    auto muestra = [this] {
        Pic_Prueba.refresh();
        Pic_PruebaPeq.refresh();
    };
    g.PosAnteriorX = 53;
    g.PosAnteriorY = 45;
    Pic_PruebaPeq.move(53, 45);
    // The slow approach is the shorter the stronger the attraction; the snap
    // takes the rest of the 41 steps to (94, 4).
    const int factor = std::clamp<int>(g.FactorAtraccion, 0, 100);
    const bool pentominos = g.TipoJuego == 24;
    int k = (pentominos ? 13 : 26) * (100 - factor) / 100;
    if (pentominos) k += 13;
    for (int i = 1; i <= k + 15; ++i) {
        Pic_Prueba.refresh();
        Pic_PruebaPeq.move(53 + i, 45 - i);
        Pic_PruebaPeq.refresh();
        RetardoControl(22);
    }
    for (int n = 0; n < 6; ++n) {
        Pic_PruebaPeq.setVisible(false);
        muestra();
        RetardoControl(45);
        Pic_PruebaPeq.setVisible(true);
        muestra();
        RetardoControl(140);
    }
    for (int i = k + 1; i <= 26; ++i) {
        Pic_PruebaPeq.move(68 + i, 30 - i);
        muestra();
        RetardoControl(4);
    }
    Sonido(1, kSonidoEncaje);
    RetardoControl(200);
}

// ---------------------------------------------------------------- selectors

void Personal::Pic_Selector_MouseDown(std::int16_t indice, std::int16_t, std::int16_t, double x, double y) {
    std::int16_t* ajuste = AjusteSelector(indice);
    if (!ajuste) return;
    if (!(x >= 4 && x <= 33 && y >= 14 && y <= 34)) return;
    AvanzaSelector(Pic_Selector(indice), indice, *ajuste);
    if (indice == 1) {
        // The layout and the mode's own changes select a model: no click.
        CambiandoModoTangram = true;
        Paso([this] { ColocaControles(); });
        Paso([this] { TAN_ActSegunModo(); });
        CambiandoModoTangram = false;
        Refresh();
    } else if (indice == 2) {
        CambiandoSelector = true;
        Paso([this] { ColocaControles(); });
        CambiandoSelector = false;
        Refresh();
    }
}

void Personal::Pic_Selector_MouseMove(std::int16_t indice, std::int16_t, std::int16_t, double x, double y) {
    if (!AjusteSelector(indice)) return;
    CursorSelector(Pic_Selector(indice), plat::cint16(x), plat::cint16(y));
}

// ---------------------------------------------------------------- zoom spin box

void Personal::Pic_Spin_MouseDown(std::int16_t indice, std::int16_t, std::int16_t, double, double y) {
    auto& g = PuzzGbl;
    if (indice != 41 || g.CursorActual != kCursorIndice) return;
    float valor = float(g.ZoomImagen);
    const std::weak_ptr<const void> vida = Pic_Spin(41).lifetime();
    PulsaSpin(Pic_Spin(41), Tex_Spin41, 41, valor, plat::cint16(y));
    // The window may have gone while the repetition let events run.
    if (vida.expired() || Descargada()) return;
    Paso([this] { ImagenCambia(); });
    Paso([this] { CargaLisNroPiezas(); });
}

void Personal::Pic_Spin_MouseMove(std::int16_t indice, std::int16_t, std::int16_t, double x, double y) {
    if (indice != 41) return;
    CursorSpin(Pic_Spin(41), plat::cint16(x), plat::cint16(y));
}

void Personal::Pic_Spin_MouseUp(std::int16_t, std::int16_t, std::int16_t, double, double) {
    PuzzGbl.RepeticionSpin = false;
}

void Personal::Tex_Spin_LostFocus(std::int16_t indice) {
    auto& g = PuzzGbl;
    if (g.RepeticionSpin || indice != 41) return;
    if (plat::val(Tex_Spin41.text()) == double(g.ZoomImagen)) return;
    const std::int16_t antes = g.ZoomImagen;
    ValidaSpin(Tex_Spin41, 41);
    // An accepted zoom shows at once, as the arrows show theirs: the picture,
    // its size and the counts all follow the new zoom.
    if (g.ZoomImagen == antes) return;
    Paso([this] { ImagenCambia(); });
    Paso([this] { CargaLisNroPiezas(); });
}

void Personal::Tex_Spin_KeyPress(std::int16_t indice, int& tecla) {
    if (tecla != 13 || indice != 41) return;
    tecla = 0;
    Tex_Spin_LostFocus(indice);
}

// ---------------------------------------------------------------- piece shapes

void Personal::Pic_TipPuz_MouseDown(std::int16_t indice, std::int16_t, std::int16_t, double, double) {
    auto& g = PuzzGbl;
    // A shape the picture does not allow takes no press.
    if (indice < 0 || indice > 7 || !TipPuzActivo[std::size_t(indice)]) return;
    if (indice != g.FormaPieza) Sonido(0, kSonidoPulsado);
    CambiandoFormaPieza = true;
    g.FormaPieza = indice;
    g.PiezasCasilla = std::int16_t(encaje::PiezasPorCasilla(indice));
    for (int j = 0; j < 8; ++j) {
        plat::Surface& b = Pic_TipPuz(j);
        Paso([&] { plat::bitBlt(b, 0, 0, 29, 29, mesa.Pic_BmpVario, 30 * j, 0, plat::rop::kSrcCopy); });
        b.refresh();
    }
    plat::Surface& elegido = Pic_TipPuz(indice);
    Rec_MarcaTip.move(elegido.left() - 3, elegido.top() - 3, 35, 35);
    Rec_MarcaTip.setVisible(true);
    elegido.setMousePointer(kCursorDefecto);
    if (!CambiandoNroPiezas) Paso([this] { CargaLisNroPiezas(); });
    CambiandoFormaPieza = false;
}

void Personal::Pic_TipPuz_MouseMove(std::int16_t indice, std::int16_t, std::int16_t, double, double) {
    if (indice < 0 || indice > 7 || indice == PuzzGbl.FormaPieza || !TipPuzActivo[std::size_t(indice)]) return;
    plat::Surface& b = Pic_TipPuz(indice);
    if (b.mousePointer() == kCursorDefecto) PonCursor(b, kCursorIndice);
}
