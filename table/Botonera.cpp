#include "table/Botonera.h"
#include "table/Opciones.h"

#include "core/Configuracion.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "core/ui/Arranque.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "imaging/PiezasBienMal.h"
#include "model/EstadoPuzzle.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "model/Taipei.h"
#include "platform/blit.h"
#include "platform/numbers.h"
#include "platform/files.h"
#include "platform/ui/events.h"
#include "platform/ui/helpviewer.h"
#include "table/Cronometro.h"
#include "table/Soltar.h"
#include "table/VentanaMesa.h"
#include "core/TemasAyuda.h"

#include <QCoreApplication>
#include <QTimer>

#include <deque>

namespace {

// A failing statement is passed over and the next one runs.
using pasos::Paso;

constexpr int kAltoPanel = 431;
constexpr int kLadoBoton = 48, kPasoLamina = 49;
constexpr plat::Color kColorOscuro = 0x042484, kColorClaro = 0x7C9CFC;

struct Boton {
    int x, y;
    const char* texto;
};
const Boton kBotones[13] = {
    {0, 0, ""},
    {15, 194, " Barajar las piezas "},
    {15, 10, " Personalizar "},
    {15, 68, " Tutor de juego "},
    {78, 68, " Estadísticas "},
    {15, 126, " Histórico de puzzles resueltos "},
    {78, 10, " Ayuda de la aplicación "},
    {78, 126, " Salir de la aplicación "},
    {78, 194, " Mostrar modelo "},
    {15, 310, " Mostrar piezas ocultas "},
    {78, 252, " Mostrar piezas colocadas "},
    {15, 252, " Ordenar las piezas "},
    {78, 310, " Resolver el puzzle "},
};

bool indiceValido(int i) { return i >= 1 && i <= 12; }

LanzadorVentanas lanzadorInicial() {
    LanzadorVentanas l;
    l.ayuda = [] { plat::showHelp(ayuda::kIndice); };
    l.mostrarPiezasBienoMal = MostrarPiezasBienoMal;
    l.ocultaOpciones = OcultaOpcionesSelec;
    // Every loop sees SaliendoPrograma and returns; the main loop then ends.
    l.terminaPrograma = FinalizaPrograma;
    return l;
}

LanzadorVentanas& lanzador() {
    static LanzadorVentanas l = lanzadorInicial();
    return l;
}

// Runs a part of the table or a window the launcher holds (every one is
// installed by the program; a test may leave some out).
void lanza(const std::function<void()>& parte) {
    if (parte) parte();
}

bool puzzleCompleto() { return PuzzGbl.NroPiezas > 0 && PuzzGbl.NroPiezasColocadas >= PuzzGbl.NroPiezas; }

bool enModoDiseno() { return PuzzGbl.TipoJuego == 23 && PuzzGbl.TAN_ModoJuego == 1; }

// ---------------------------------------------------------------- commands

void comandoNuevo() {
    auto& g = PuzzGbl;
    g.RespuestaMensaje = true;
    if (g.TipoJuego == 23 && g.TAN_ModoJuego == 2)
        Mensaje(QStringLiteral("Barajar las piezas del Tangram"),
                QString::fromUtf8(
                    "Si pulsa este botón cuando  está resolviendo un modelo,  se  despejará la mesa de juego y podrá "
                    "crear sus propios diseños,  por lo que finalizará la resolución del modelo actual y se "
                    "mezclarán  las  piezas.  Pulse  el  botón Aceptar para mezclar las piezas. Si pulsa el botón  "
                    "Cancelar  podrá continuar resolviendo el modelo actual."),
                8, 2, ayuda::kBarajarTangram);
    if (!g.RespuestaMensaje) return;
    if (g.TipoJuego == 23) g.TAN_ModoJuego = 1;
    if (g.TipoJuego != 22) {
        Paso([] { PreparaJuego(true); });
    } else {
        // The walk moves the tiles of the finished board at once: the puzzle
        // is no longer shown solved, and the buttons that only a solved board
        // refuses take their presses for when the walk is over.
        if (g.MostrandoModelo) Paso([] { OcultaModelo(); });
        Paso([] { BarajaPiezas(); });
        g.UltimoMovGrabado = g.MovActual;
        Paso([] { DibujaGrabadora(); });
    }
}

void comandoPersonalizar() {
    auto& g = PuzzGbl;
    if (lanzador().personalAbierta && lanzador().personalAbierta()) return;
    g.TipoJuegoInicial = g.TipoJuego;
    PausaCronometro pausa;
    g.ReiniciarPuzzle = false;
    g.CambioCosmetico = false;
    Paso([] { lanza(lanzador().personal); });
    Paso([] { mesa.Pic_Botonera.refresh(); });
    mesa.setMousePointer(11);
    if (g.TipoJuego == g.TipoJuegoInicial) {
        if (g.ReiniciarPuzzle) {
            Paso([] { PreparaJuego(true); });
            if (g.TipoJuego == 22) Paso([] { RedibujaImagen(1); });
        } else if (g.CambioCosmetico) {
            Paso([] { PreparaJuego(false); });
            Paso([] { RedibujaImagen(PuzzGbl.TipoJuego == 22 ? 1 : 0); });
        }
    } else {
        Paso([] { LeePuzzleJuego(RutaEstadoJuego(PuzzGbl.TipoJuego)); });
        Paso([] {
            std::int16_t nro = PuzzGbl.TipoJuego;
            MuestraSugerencia(nro);
        });
    }
    mesa.setMousePointer(0);
    pausa.restaura();
}

void comandoTutor() {
    auto& g = PuzzGbl;
    PausaCronometro pausa;
    switch (g.TipoJuego) {
    case 22:
        g.PasaAlHistorico = false;
        Paso([] { lanza(lanzador().resuelvePuzzle); });
        // A puzzle the tutor's path completed keeps its time stopped.
        if (puzzleCompleto()) pausa.descarta();
        break;
    case 25:
        g.PasaAlHistorico = false;
        // The pair shown keeps the board clearable where the search can
        // tell within its limit (up to 3 seconds, under the hourglass).
        mesa.setMousePointer(11);
        Paso([] { TAI_SugiereParejaConSalida(); });
        mesa.setMousePointer(0);
        if (g.TAI_ParejaSugerida[1] != 0 || g.TAI_ParejaSugerida[2] != 0) {
            Paso([] { lanza(lanzador().tutorIndicando); });
        } else {
            AvisaTaipeiSinSalida();
        }
        break;
    default:
        g.TutorActivo = true;
        Paso([] {
            std::int16_t nro = 9;
            MuestraSugerencia(nro);
        });
        break;
    }
}

void comandoVentana(const std::function<void()>& ventana) {
    PausaCronometro pausa;
    Paso([&] { lanza(ventana); });
}

void comandoSalir() {
    auto& g = PuzzGbl;
    if (g.GrabadoraEncendida) {
        Mensaje(QStringLiteral("Salir del programa"),
                QString::fromUtf8("Tiene que apagar la Grabadora de movimientos antes de poder salir del programa."), 2,
                1);
        return;
    }
    PausaCronometro pausa;
    Mensaje(QStringLiteral("Salir de TESELARO"), QString::fromUtf8("¿Desea abandonar el programa?"), 1, 2);
    if (!g.RespuestaMensaje) return; // the pause restores
    if (!GuardaEstadoPrograma()) {
        Mensaje(QStringLiteral("Salir del programa"),
                QString::fromUtf8("No se ha podido guardar el estado del programa. ¿Desea salir de todos modos?"),
                2, 2);
        if (!g.RespuestaMensaje) return;
    }
    pausa.descarta();
    g.SaliendoPrograma = true;
    g.ResolviendoAuto = false;
    g.RecogiendoPiezas = false;
    g.RetrocesoContinuo = false;
    g.AvanceContinuo = false;
    if (const auto termina = lanzador().terminaPrograma) termina();
}

void comandoMuestra() {
    auto& g = PuzzGbl;
    Retardo(5);
    g.MuestraVisible = !g.MuestraVisible;
    if (g.MuestraVisible) Paso([] { ColocaMuestra(); });
    mesa.Pic_Muestra.setVisible(g.MuestraVisible);
    mesa.Refresh(); // shown before the wait, which runs no events
    Retardo(35);
}

// What lies over the table besides the command panel, in table pixels: the
// recorder panel (on the window), and the model preview and the tips panel
// (on the table) where they are shown.
std::vector<CajaEnMesa> tapasDeLaMesa() {
    std::vector<CajaEnMesa> tapas;
    const plat::Surface& grabadora = mesa.Pic_Grabadora;
    if (grabadora.visible())
        tapas.push_back({grabadora.left() + mesa.BarraHor.Value(), grabadora.top() + mesa.BarraVer.Value(),
                         grabadora.width(), grabadora.height()});
    for (const plat::Surface* s : {&mesa.Pic_Muestra, &mesa.Pic_Sugerencia})
        if (s->visible()) tapas.push_back({s->left(), s->top(), s->width(), s->height()});
    return tapas;
}

// A loose piece of the jigsaw, Tangram or pentominoes of which no point shows
// on the visible table, because the panels or the preview cover it or it lies
// past the edge, goes to the nearest free place in sight; true when one moved.
// Sliding and Taipei tiles keep to their boards' cells.
bool sacaPiezasTapadas() {
    auto& g = PuzzGbl;
    if (!PiezasSueltasEnMesa()) return false;
    const ZonaAlcance zona = ZonaAlcanceActual();
    const std::vector<CajaEnMesa> tapas = tapasDeLaMesa();
    bool movida = false;
    for (int p = 1; p <= g.NroPiezas && std::size_t(p) < g.Piezas.size(); ++p) {
        const auto pieza = std::int16_t(p);
        if (PiezaBienColocada(pieza)) continue;
        const CajaEnMesa caja = CajaEnMesaDePieza(pieza);
        if (caja.w <= 0 || caja.h <= 0 || CajaALaVista(caja, zona, tapas)) continue;
        PonPiezaEnCaja(pieza, LugarLibreALaVista(caja, zona, tapas).value_or(DentroDeLaMesa(caja, zona)));
        movida = true;
    }
    return movida;
}

void comandoPiezasOcultas() {
    auto& g = PuzzGbl;
    mesa.setMousePointer(11);
    if (sacaPiezasTapadas()) {
        Paso([] { RedibujaImagen(1); });
        // The recorder panel shows the table through its rounded corners:
        // a piece taken from under it must not stay in sight there.
        Paso([] { DibujaGrabadora(); });
    }
    for (int i = 1; i <= g.NroPiezas && i < int(g.OrdenPiezas.size()); ++i) {
        Paso([&] {
            const std::int16_t p = g.OrdenPiezas[std::size_t(i)];
            if (p < 1 || std::size_t(p) >= g.Piezas.size()) return;
            if (!PiezaBienColocada(p)) {
                PasaAlFrente(std::int16_t(i));
                GeneraImagenPieza(p);
                DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
            }
            const auto& pz = g.Piezas[std::size_t(p)];
            const int w = AnchoPiezaGirada(p, pz.Giro, pz.Volteo);
            const int h = AltoPiezaGirada(p, pz.Giro, pz.Volteo);
            // The piece's whole box, its margins (where the tabs lie) included.
            const int x = pz.X - g.MargenPiezaX, y = pz.Y - g.MargenPiezaY;
            plat::bitBlt(mesa.Pic_Trabajo, x, y, w, h, mesa.Pic_Imagen, x, y, plat::rop::kSrcCopy);
            mesa.Pic_Trabajo.refresh();
        });
        Retardo(15);
    }
    mesa.setMousePointer(0);
}

void comandoBienoMal() {
    PuzzGbl.MostrarBienoMal = !PuzzGbl.MostrarBienoMal;
    Paso([] { lanza(lanzador().mostrarPiezasBienoMal); });
}

void comandoOrdenar() {
    auto& g = PuzzGbl;
    mesa.setMousePointer(11);
    PausaCronometro pausa;
    if (g.TipoJuego == 22) {
        g.RespuestaMensaje = true;
        mesa.setMousePointer(0);
        if (!g.ColocacionManual) {
            Mensaje(QStringLiteral("Ordenar las piezas manualmente"),
                    QString::fromUtf8(
                        "Si pulsa este botón para colocar manualmente las  piezas,  cuando  finalize  ese  proceso "
                        "comenzará  la  resolución del puzzle con las piezas en la posición  que  Usted  prefiera. "
                        "Pulse  el  botón  Aceptar  para  colocar las piezas como desee y comenzar un nuevo puzzle. "
                        "Si pulsa el botón  Cancelar  podrá continuar resolviendo el puzzle actual."),
                    8, 2, ayuda::kOrdenarPiezas);
        } else if (EsResoluble()) {
            Paso([] { CalculaDificultad(); });
            Paso([] { IniciaGrabadora(); });
            // The moves of the arrangement are gone from the list: the
            // recorder steps over none of them.
            g.UltimoMovGrabado = g.MovActual;
            Paso([] { DibujaGrabadora(); });
        } else {
            Mensaje(QString::fromUtf8("Configuración sin solución"),
                    QString::fromUtf8(
                        "Este puzzle no tiene ninguna solución con la configuración  de  piezas  actual.  Pulse el "
                        "botón  Aceptar  para  que el programa baraje automáticamente  las  piezas  y  obtenga una "
                        "configuración  soluble.  Si  pulsa  el botón Cancelar podrá seguir ordenando  las  piezas "
                        "hasta obtener una  configuración que permita su solución."),
                    8, 2, ayuda::kReglasDeslizantes);
            if (g.RespuestaMensaje) {
                Paso([] { mesa.Refresh(); });
                Paso([] { BarajaDeslizantes(); });
                Paso([] { RedibujaImagen(0); });
            }
        }
        if (g.RespuestaMensaje) g.ColocacionManual = !g.ColocacionManual;
    } else {
        g.RecogiendoPiezas = !g.RecogiendoPiezas;
        if (g.RecogiendoPiezas) Paso([] { RecogePiezas(); });
    }
    pausa.restaura();
    mesa.setMousePointer(0);
}

void comandoResolver() {
    auto& g = PuzzGbl;
    if (g.ResolviendoAuto) {
        g.PiezaSeleccionada = 0;
        g.ResolviendoAuto = false;
        return;
    }
    g.ResolviendoAuto = true;
    mesa.setMousePointer(11);
    PausaCronometro pausa;
    Paso([] { lanza(lanzador().resuelvePuzzle); });
    // A puzzle the run completed keeps its time stopped.
    if (puzzleCompleto()) pausa.descarta();
    pausa.restaura();
    mesa.setMousePointer(0);
}

void ejecutaComando(int c) {
    switch (c) {
    case 1: comandoNuevo(); break;
    case 2: comandoPersonalizar(); break;
    case 3: comandoTutor(); break;
    case 4: comandoVentana(lanzador().estadis); break;
    case 5: comandoVentana(lanzador().historic); break;
    case 6: comandoVentana(lanzador().ayuda); break;
    case 7: comandoSalir(); break;
    case 8: comandoMuestra(); break;
    case 9: comandoPiezasOcultas(); break;
    case 10: comandoBienoMal(); break;
    case 11: comandoOrdenar(); break;
    case 12: comandoResolver(); break;
    default: break;
    }
}

// Whether command c is the one that stops the long loop running: 11 while
// gathering (in the sliding game 11 arranges the tiles and gathers nothing),
// 12 while solving.
bool detieneElBucle(int c) {
    const auto& g = PuzzGbl;
    if (!plat::longActionRunning()) return false;
    return (c == 11 && g.TipoJuego != 22 && g.RecogiendoPiezas) || (c == 12 && g.ResolviendoAuto);
}

// Whether a press of the button, now, waits for the long loop running to
// return: all but the windows that show without changing the puzzle (4, 5,
// 6) and the press that stops the loop itself.
bool esperaAlBucle(int c) {
    if (!plat::longActionRunning()) return false;
    if (c == 4 || c == 5 || c == 6) return false;
    return !detieneElBucle(c);
}

// The pointer of a button whose press waits: the arrow with the hourglass,
// and the tooltip says when the command runs.
constexpr std::int16_t kPunteroEspera = 13;

QString textoEspera(int indice) {
    return QStringLiteral(" ") + TextoBoton(PuzzGbl.TipoJuego, indice).trimmed() +
           QString::fromUtf8(": se hará al terminar la acción en curso ");
}

// A button that showed the wait shows its own pointer and tooltip again.
void quitaEspera(int indice) {
    auto& b = mesa.Pic_Boton(indice);
    PonCursor(b, 23);
    b.setToolTip(TextoBoton(PuzzGbl.TipoJuego, indice));
}

// Whether the watcher below is on its way: one serves every button that
// shows the wait.
bool vigilandoEspera = false;

// Once the loop has returned, the buttons that showed the wait show their
// own pointer and tooltip again.
void vigilaFinDeEspera() {
    if (plat::longActionRunning()) {
        QTimer::singleShot(20, [] { vigilaFinDeEspera(); });
        return;
    }
    vigilandoEspera = false;
    for (int i = 1; i <= 12; ++i)
        if (mesa.Pic_Boton(i).mousePointer() == kPunteroEspera) quitaEspera(i);
}

// A button whose press waits for the loop says so until the loop returns.
void muestraEspera(int indice) {
    auto& b = mesa.Pic_Boton(indice);
    PonCursor(b, kPunteroEspera);
    b.setToolTip(textoEspera(indice));
    if (vigilandoEspera) return;
    vigilandoEspera = true;
    QTimer::singleShot(20, [] { vigilaFinDeEspera(); });
}

// Commands pressed while a loop that runs events was going; they run once the
// loop has returned, in the order they came.
std::deque<int> pendientes;

void procesaPendientes() {
    if (plat::longActionRunning()) {
        QTimer::singleShot(20, [] { procesaPendientes(); });
        return;
    }
    while (!pendientes.empty()) {
        const int c = pendientes.front();
        pendientes.pop_front();
        if (PuzzGbl.SaliendoPrograma) continue;
        ejecutaComando(c);
    }
}

void difiere(int c) {
    pendientes.push_back(c);
    if (pendientes.size() == 1) QTimer::singleShot(0, [] { procesaPendientes(); });
}

} // namespace

// ----------------------------------------------------------------- tables

EstadoBotones EstadoBotonesActual() {
    const auto& g = PuzzGbl;
    return EstadoBotones{g.TipoJuego, g.TAN_ModoJuego, g.TipoRotulo, g.GrabadoraEncendida, g.MostrandoModelo};
}

bool BotonInactivo(const EstadoBotones& e, int indice) {
    const bool diseno = e.juego == 23 && e.modoTangram == 1;
    switch (indice) {
    case 1:
    case 2:
    case 4: return e.grabadora;
    case 3:
    case 10:
    case 12: return e.mostrandoModelo || e.grabadora || diseno;
    case 8: return (e.juego == 22 && e.tipoRotulo != 1) || e.juego == 23 || e.juego == 24 || e.juego == 25;
    case 9:
    case 11: return e.mostrandoModelo || e.grabadora || e.juego == 25;
    default: return false;
    }
}

std::int16_t CursorBoton(const EstadoBotones& e, int indice) { return BotonInactivo(e, indice) ? 12 : 23; }

bool BotonVisible(std::int16_t juego, int indice) {
    switch (indice) {
    case 8: return !(juego == 23 || juego == 24 || juego == 25);
    case 9: return !(juego == 22 || juego == 23 || juego == 25);
    case 11: return juego != 25;
    default: return indiceValido(indice);
    }
}

QString TextoBoton(std::int16_t juego, int indice) {
    if (!indiceValido(indice)) return QString();
    if (indice == 10 && juego == 25) return QStringLiteral(" Mostrar piezas libres ");
    return QString::fromUtf8(kBotones[indice].texto);
}

int PosicionBotonX(int indice) { return indiceValido(indice) ? kBotones[indice].x : 0; }
int PosicionBotonY(int indice) { return indiceValido(indice) ? kBotones[indice].y : 0; }

// --------------------------------------------------------------- launcher

LanzadorVentanas& Lanzador() { return lanzador(); }
void ReiniciaLanzador() { lanzador() = lanzadorInicial(); }

// ------------------------------------------------------------------ pause

PausaCronometro::PausaCronometro() : antes_(PuzzGbl.CronometroEnMarcha) { MarchaCronometro(2); }

PausaCronometro::~PausaCronometro() { Paso([this] { restaura(); }); }

void PausaCronometro::restaura() {
    if (!activa_) return;
    activa_ = false;
    // A puzzle finished meanwhile (solved, or a solved one loaded by a change
    // of game) counts no more time.
    MarchaCronometro(antes_ && !PuzzGbl.MostrandoModelo ? 1 : 2);
}

// ------------------------------------------------------------------ panel

bool BotoneraEnMesa() { return mesa.Pic_Botonera.visible() && mesa.Pic_Botonera.left() > 0; }

void PonBanderaPestana() {
    plat::bitBlt(mesa.Pic_EsconderBot, 0, 0, kAnchoPestana, kAltoPestana, mesa.Pic_BmpVario,
                 PuzzGbl.BotoneraOculta ? 98 : 108, 30, plat::rop::kSrcCopy);
}

void DibujaBotoneraPanel() {
    auto& g = PuzzGbl;
    auto& panel = mesa.Pic_Botonera;
    Paso([&] {
        panel.cls();
        panel.move(g.AnchoMesa - kAnchoBotonera, 0, kAnchoBotonera, kAltoPanel);
    });
    Paso([&] {
        const int w = panel.scaleWidth(), h = panel.scaleHeight();
        panel.box(0, 0, w - 1, h - 1, kColorOscuro);
        panel.line(0, 0, w, 0, kColorClaro);
        panel.line(0, 0, 0, h, kColorClaro);
    });
    Paso([&] {
        // The tab's flag reads "shown: the next press hides the panel".
        auto& tab = mesa.Pic_EsconderBot;
        tab.move(panel.left() - kAnchoPestana, 0, kAnchoPestana, kAltoPestana);
        g.BotoneraOculta = true;
        PonBanderaPestana();
        PonCursor(tab, 23);
        tab.refresh();
    });
    for (int i = 1; i <= 12; ++i) {
        g.BotonX[std::size_t(i)] = std::int16_t(kBotones[i].x);
        g.BotonY[std::size_t(i)] = std::int16_t(kBotones[i].y);
    }
    for (int i = 1; i <= 12; ++i)
        Paso([&] {
            auto& b = mesa.Pic_Boton(i);
            b.move(g.BotonX[std::size_t(i)], g.BotonY[std::size_t(i)], kLadoBoton, kLadoBoton);
            b.setVisible(BotonVisible(g.TipoJuego, i));
        });
    Paso([&] {
        const int w = panel.scaleWidth();
        const int y1 = g.BotonY[7] + kLadoBoton + 9;
        const int y2 = g.BotonY[12] + kLadoBoton + 9;
        for (const int y : {y1, y2}) {
            panel.line(0, y, w, y, kColorOscuro);
            panel.line(0, y + 1, w - 1, y + 1, kColorClaro);
        }
        g.HuecoY = std::int16_t(y2);
    });
    for (int i = 1; i <= 12; ++i)
        Paso([&] {
            auto& b = mesa.Pic_Boton(i);
            plat::bitBlt(b, 0, 0, kLadoBoton, kLadoBoton, mesa.Pic_BmpBoton, (i - 1) * kPasoLamina, 0,
                         plat::rop::kSrcCopy);
            PonCursor(b, 23);
            g.BotonCursor[std::size_t(i)] = 23;
            b.refresh();
        });
    for (int i = 1; i <= 12; ++i) mesa.Pic_Boton(i).setToolTip(TextoBoton(g.TipoJuego, i));
    Paso([&] {
        if (enModoDiseno()) {
            mesa.Pic_Cronome.setVisible(false);
            return;
        }
        mesa.Pic_Cronome.move(10, g.HuecoY + 11);
        mesa.Pic_Cronome.setVisible(true);
        MuestraTiempoCrono();
    });
    Paso([&] {
        if (enModoDiseno()) {
            mesa.Pic_InfoColo.setVisible(false);
            return;
        }
        mesa.Pic_InfoColo.move(73, g.HuecoY + 20, 58, 25);
        mesa.Pic_InfoColo.setVisible(true);
        ActualizaInfoPiezas();
    });
    Paso([&] { panel.refresh(); });
}

void Pic_Boton_MouseMove(std::int16_t indice, std::int16_t, std::int16_t, double, double) {
    if (!indiceValido(indice)) return;
    auto& g = PuzzGbl;
    auto& b = mesa.Pic_Boton(indice);
    const bool inactivo = BotonInactivo(EstadoBotonesActual(), indice);
    if (g.BotonCursor[std::size_t(indice)] == 12 && !inactivo) {
        PonCursor(b, 23);
        g.BotonCursor[std::size_t(indice)] = 23;
    }
    if (inactivo && b.mousePointer() != 12) {
        PonCursor(b, 12);
        g.BotonCursor[std::size_t(indice)] = 12;
    }
    if (inactivo) return;
    // An active button pressed inside a long loop acts when the loop is over:
    // its pointer and tooltip say so meanwhile.
    const bool espera = esperaAlBucle(indice);
    if (espera && b.mousePointer() != kPunteroEspera) muestraEspera(indice);
    else if (!espera && b.mousePointer() == kPunteroEspera) quitaEspera(indice);
}

void EjecutaBoton(std::int16_t indice, std::int16_t, std::int16_t, double, double) {
    auto& g = PuzzGbl;
    Paso([] {
        if (const auto oculta = lanzador().ocultaOpciones) oculta();
    });
    if (!indiceValido(indice) || g.BotonCursor[std::size_t(indice)] == 12) return;
    g.TutorActivo = false;
    Sonido(0, 9);
    if (indice != 10 && g.MostrarBienoMal) {
        g.MostrarBienoMal = false;
        Paso([] {
            if (const auto muestra = lanzador().mostrarPiezasBienoMal) muestra();
        });
    }
    if (indice != 12) g.ResolviendoAuto = false;
    if (indice != 11) g.RecogiendoPiezas = false;
    int comando = indice;
    if (indice != 11 && g.ColocacionManual) {
        if (EsResoluble()) {
            // Only the arrangement's own button starts a puzzle from it; any
            // other leaves the time and the moves as they are.
            g.ColocacionManual = false;
        } else if (indice != 6 && indice != 8) {
            comando = 11;
        }
    }
    if (esperaAlBucle(comando)) {
        difiere(comando);
        return;
    }
    if (detieneElBucle(comando)) {
        // The loop sees its flag cleared and returns; the press is done. The
        // other flag was cleared above.
        if (comando == 12) g.PiezaSeleccionada = 0;
        g.RecogiendoPiezas = false;
        g.ResolviendoAuto = false;
        return;
    }
    ejecutaComando(comando);
}

void Form_Load() {
    PuzzGbl.RetrocesoContinuo = false;
    PuzzGbl.AvanceContinuo = false;
}


bool CierreVentanaMesa() {
    mesa.Pic_Boton_MouseDown(7, 1, 0, 0, 0);
    return PuzzGbl.SaliendoPrograma;
}

void RegistraBotonera() {
    ProcedimientosPanel p;
    // The time is shown with the switch, so that a deal, which sets it to
    // nought and starts the chronometer, shows 0:00:00 at once.
    p.marchaCronometro = [](std::int16_t) {
        DibujaInterruptorCrono();
        MuestraTiempoCrono();
    };
    p.dibujaBotonera = [] { DibujaBotoneraPanel(); };
    p.botonMouseDown = [](std::int16_t i, std::int16_t b, std::int16_t s, double x, double y) {
        EjecutaBoton(i, b, s, x, y);
    };
    p.formLoad = [] { Form_Load(); };
    RegistraProcedimientosPanel(std::move(p));
}

void InstalaBotonera() {
    RegistraBotonera();
    Timer1().setInterval(1000);
    Timer1().setEnabled(true);
    // No tick once the program is ending.
    if (auto* app = QCoreApplication::instance())
        QObject::connect(app, &QCoreApplication::aboutToQuit, [] { Timer1().setEnabled(false); });
}

void ConectaVistasBotonera(VentanaMesa& ventana) {
    for (int i = 1; i <= 12; ++i) {
        if (auto* v = ventana.vista(mesa.Pic_Boton(i))) {
            const auto indice = std::int16_t(i);
            v->mouse.onMouseDown = [indice](int b, int s, double x, double y) {
                mesa.Pic_Boton_MouseDown(indice, std::int16_t(b), std::int16_t(s), x, y);
            };
            v->mouse.onMouseMove = [indice](int b, int s, double x, double y) {
                Pic_Boton_MouseMove(indice, std::int16_t(b), std::int16_t(s), x, y);
            };
        }
    }
    if (auto* v = ventana.vista(mesa.Pic_Cronome)) {
        v->mouse.onMouseDown = [](int b, int s, double x, double y) {
            Pic_Cronome_MouseDown(std::int16_t(b), std::int16_t(s), x, y);
        };
        v->mouse.onMouseMove = [](int b, int s, double x, double y) {
            Pic_Cronome_MouseMove(std::int16_t(b), std::int16_t(s), x, y);
        };
    }
}
