// The table surface's events: hover, drag, press, click, double click, keys,
// and the command panel's tab.
#include "table/Trabajo.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/DeslizantesReglas.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "model/Taipei.h"
#include "platform/numbers.h"
#include "platform/ui/events.h"
#include "table/Botonera.h"
#include "table/Opciones.h"
#include "table/Soltar.h"
#include "table/Tutor.h"
#include "table/VentanaMesa.h"
#include "core/TemasAyuda.h"

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

namespace {

using namespace juego;

constexpr int kPunteroFlecha = 0, kPunteroReloj = 11;
constexpr int kCursorManoCerrada = 29, kCursorTutor = 24;

// The piece the last left press lifted; a double click acts only on it.
std::int16_t piezaLevantada = 0;
// The hover's masks, one per piece, each for the orientation and set-up it
// was built for, so that a walk through a stack builds none again.
struct MascaraGuardada {
    bool valida = false;
    std::int16_t juego = 0, giro = 0, volteo = 0;
    std::int32_t generacion = 0;
    QImage imagen;
};
std::vector<MascaraGuardada> mascaras;

bool JuegoLibre(std::int16_t juego) { return juego == kPiezasMoviles || juego == kTangram || juego == kPentominos; }

ProcedimientosTrabajo procedimientosIniciales() { return {}; }

void MensajeResuelto() {
    Mensaje(QStringLiteral("Puzzle resuelto"),
            QStringLiteral("Este puzzle ya se ha terminado de resolver. Si desea deshacerlo y volver atrás, "
                           "utilice la Grabadora de movimientos."),
            3, 1, ayuda::kPuzzleResuelto);
}

// Whether a Taipei tile lies on the board under a tile that is still there.
bool FichaCubierta(const RegistroPieza& r) {
    const auto& g = PuzzGbl;
    if (r.Fila < 1 || r.Fila >= std::int16_t(g.TAI_Tablero.size())) return false;
    const auto& fila = g.TAI_Tablero[std::size_t(r.Fila)];
    if (r.Columna < 1 || r.Columna >= std::int16_t(fila.size())) return false;
    const auto& casilla = fila[std::size_t(r.Columna)];
    const int encima = r.Nivel + 1;
    if (r.Nivel < 1 || encima >= int(casilla.Ficha.size())) return false;
    const std::int16_t f = casilla.Ficha[std::size_t(encima)];
    return pasos::PiezaValida(f) && g.Piezas[std::size_t(f)].Estado != 0;
}

// The mask pixel of piece p at the table point: black is the piece.
bool EnMascara(std::int16_t p, const RegistroPieza& r, int mx, int my) {
    auto& g = PuzzGbl;
    if (mascaras.size() <= std::size_t(p)) mascaras.resize(std::size_t(p) + 1);
    auto& c = mascaras[std::size_t(p)];
    if (!c.valida || c.juego != g.TipoJuego || c.giro != r.Giro || c.volteo != r.Volteo ||
        c.generacion != g.GeneracionMascaras) {
        GeneraImagenPieza(p);
        const plat::Surface& m = mesa.Pic_PiezaMascara;
        c = {true, g.TipoJuego, r.Giro, r.Volteo, g.GeneracionMascaras, m.image()};
    }
    if (mx < 0 || my < 0 || mx >= c.imagen.width() || my >= c.imagen.height()) return false;
    return (c.imagen.pixel(mx, my) & 0xFFFFFFu) == 0;
}

void AplicaPuntero() {
    auto& g = PuzzGbl;
    if (g.CursorActual == g.PunteroRaton) return;
    const std::int16_t codigo = g.CursorActual;
    if (codigo == kPunteroFlecha || codigo == kPunteroReloj) mesa.Pic_Trabajo.setMousePointer(codigo);
    else PonCursor(mesa.Pic_Trabajo, codigo);
    g.PunteroRaton = codigo;
}

bool ValorEnBarra(BarraDesplazamiento& b, int v) {
    const int antes = b.Value();
    b.setValue(v);
    return b.Value() != antes;
}

void AutoDesplaza(double x, double y) {
    auto& g = PuzzGbl;
    auto& hor = mesa.BarraHor;
    auto& ver = mesa.BarraVer;
    const float limiteY = float(g.AltoMesa) - float(hor.Height()) + float(ver.Value());
    const float limiteX = float(g.AnchoMesa) - float(ver.Width()) + float(hor.Value());
    if (y <= ver.Value() && y > 0) ValorEnBarra(ver, std::max(0, ver.Value() - ver.LargeChange()));
    else if (y > limiteY && y < mesa.Pic_Trabajo.scaleHeight())
        ValorEnBarra(ver, std::min<int>(ver.Max(), ver.Value() + ver.LargeChange()));
    else if (x <= hor.Value() && x > 0) ValorEnBarra(hor, std::max(0, hor.Value() - hor.LargeChange()));
    else if (x > limiteX && x < mesa.Pic_Trabajo.scaleWidth())
        ValorEnBarra(hor, std::min<int>(hor.Max(), hor.Value() + hor.LargeChange()));
}

void SeleccionTaipei(std::int16_t p) {
    auto& g = PuzzGbl;
    auto& ficha = g.Piezas[std::size_t(p)];
    if (ficha.Estado == 1) {
        ficha.Estado = 2;
        Sonido(0, 6);
    } else if (ficha.Estado == 2) {
        ficha.Estado = 1;
        Sonido(0, 7);
    } else {
        return;
    }
    RedibujaImagen(1);
    if (ficha.Estado != 2) return;
    const bool libre = TAI_FichaLibre(p);
    if (!libre)
        Mensaje(QStringLiteral("Error de selección"), QStringLiteral("La pieza seleccionada no está libre."), 1, 1, ayuda::kReglasTaipei);
    g.TAI_PiezaPareja = 0;
    for (std::int16_t i = std::min<std::int16_t>(144, g.NroPiezas); i >= 1; --i)
        if (i != p && std::size_t(i) < g.Piezas.size() && g.Piezas[std::size_t(i)].Estado == 2) {
            g.TAI_PiezaPareja = i;
            break;
        }
    bool otraClase = false;
    if (libre && g.TAI_PiezaPareja != 0 && g.Piezas[std::size_t(g.TAI_PiezaPareja)].Clase != ficha.Clase) {
        otraClase = true;
        Mensaje(QStringLiteral("Error de pareja"),
                QStringLiteral("La pieza que acaba de seleccionar no forma pareja con la que seleccionó "
                               "anteriormente."),
                2, 1, ayuda::kReglasTaipei);
    }
    if (!libre || otraClase) {
        ficha.Estado = 1;
        RedibujaImagen(1);
    } else if (g.TAI_PiezaPareja != 0) {
        ficha.Estado = 0;
        g.Piezas[std::size_t(g.TAI_PiezaPareja)].Estado = 0;
        RedibujaImagen(1);
        g.ArrastrandoPieza = true;
    }
}

void RamaIzquierda(double x, double y) {
    auto& g = PuzzGbl;
    // The tutor's path and the shuffle move tiles themselves: no press may.
    if (g.EjecutandoSolucion || g.Barajando) return;
    if (g.MostrandoModelo) {
        if (mesa.Pic_Trabajo.mousePointer() != kPunteroFlecha) MensajeResuelto();
        return;
    }
    if (g.MostrarBienoMal) {
        mesa.Pic_Boton_MouseDown(10, 0, 0, 0, 0);
        // The hover was suspended under the display: find the piece afresh.
        if (g.MostrarBienoMal) return;
        HoverTrabajo(x, y);
    }
    if (g.TipoJuego == kDeslizantes && g.ColocacionManual && g.PiezaSeleccionada == 0)
        mesa.Pic_Boton_MouseDown(11, 0, 0, 0, 0);
    const std::int16_t p = g.PiezaSeleccionada;
    if (!pasos::PiezaValida(p)) return;
    if (g.TipoJuego == kDeslizantes && g.CursorActual == 12) return;
    if (g.CursorActual == kCursorTutor) {
        TutorIndicando();
        return;
    }
    auto& r = g.Piezas[std::size_t(p)];
    g.PosAnteriorX = r.X;
    g.PosAnteriorY = r.Y;
    PasaAlFrente(PosicionEnOrden(p));
    MarchaCronometro(1);
    switch (g.TipoJuego) {
    case kDeslizantes:
        MuevePiezaAnimada(r.X, r.Y, g.AgujeroX, g.AgujeroY, p);
        Sonido(0, 53);
        g.AgujeroX = g.PosAnteriorX;
        g.AgujeroY = g.PosAnteriorY;
        g.ArrastrandoPieza = true;
        break;
    case kPiezasMoviles:
    case kTangram:
    case kPentominos:
        CogePieza(g.RatonX, g.RatonY, p);
        piezaLevantada = p;
        PonCursor(mesa.Pic_Trabajo, kCursorManoCerrada);
        Sonido(0, 50);
        // The next hover sets the pointer whatever it finds.
        g.PunteroRaton = -1;
        break;
    case kTaipei:
        SeleccionTaipei(p);
        break;
    default:
        break;
    }
}

bool PuedeGirar(std::int16_t boton) {
    const auto& g = PuzzGbl;
    const bool simulado = g.GiroSimulado && (g.ResolviendoAuto || g.EjecutandoSolucion);
    // The solver's own turns were planned with rotation; they always happen.
    if (!g.GiroPermitido && !simulado) return false;
    if (!simulado && !(boton == 2 && !g.GrabadoraEncendida && !g.ResolviendoAuto)) return false;
    if (g.MostrarBienoMal || g.Barajando) return false;
    if (!JuegoLibre(g.TipoJuego)) return false;
    const std::int16_t p = g.PiezaSeleccionada;
    if (!pasos::PiezaValida(p)) return false;
    if (g.TipoJuego == kPentominos && p < std::int16_t(g.PEN_TablaPiezas.size()) &&
        g.PEN_TablaPiezas[std::size_t(p)].Rotaciones == 1)
        return false;
    return true;
}

void BucleGiro() {
    auto& g = PuzzGbl;
    auto& proc = ProcTrabajo();
    const std::int16_t p = g.PiezaSeleccionada;
    g.GirandoPieza = true;
    plat::LongAction largo;
    const auto& r0 = g.Piezas[std::size_t(p)];
    g.PosAnteriorX = r0.X;
    g.PosAnteriorY = r0.Y;
    const std::int16_t giroAntes = r0.Giro, volteoAntes = r0.Volteo;
    while (g.GirandoPieza && g.PiezaSeleccionada != 0) {
        if (!pasos::PiezaValida(g.PiezaSeleccionada) || g.SaliendoPrograma) break;
        GiraPieza();
        Sonido(0, 6);
        Retardo(160);
        if (g.ResolviendoAuto || g.GiroSimulado) {
            g.GirandoPieza = false;
            break;
        }
        // A loop whose events cannot run, a lost click, a released button or
        // a program without the focus ends here.
        if (!(proc.ejecutaEventos ? proc.ejecutaEventos() : plat::doEvents())) break;
        if (!g.GirandoPieza) break;
        if (!(proc.botonDerechoAbajo ? proc.botonDerechoAbajo()
                                     : bool(QGuiApplication::mouseButtons() & Qt::RightButton)))
            break;
        if (!(proc.conFoco ? proc.conFoco() : QGuiApplication::applicationState() == Qt::ApplicationActive))
            break;
    }
    g.GirandoPieza = false;
    if (!pasos::PiezaValida(p)) return;
    const auto& r = g.Piezas[std::size_t(p)];
    GrabaMovimiento(g.PosAnteriorX, g.PosAnteriorY, giroAntes, volteoAntes, r.X, r.Y, r.Giro, r.Volteo);
    // A turn may complete the puzzle as a drop does; the solver ends its own run.
    if (!g.ResolviendoAuto && !g.EjecutandoSolucion && !g.MostrandoModelo) pasos::Paso([] { CuentaYTerminaPuzzle(); });
}

} // namespace

ProcedimientosTrabajo& ProcTrabajo() {
    static ProcedimientosTrabajo p = procedimientosIniciales();
    return p;
}

void ReiniciaProcTrabajo() {
    ProcTrabajo() = procedimientosIniciales();
    piezaLevantada = 0;
    OlvidaMascarasTrabajo();
}

void OlvidaMascarasTrabajo() { mascaras.clear(); }

void TutorIndicando() { TutorIndicandoMesa(); }

void MuestraOpcionesSelec() { MuestraOpcionesPanel(); }

std::int16_t RedondeaPosicion(double v) {
    if (!std::isfinite(v)) return 0;
    const double r = plat::roundHalfEven(v);
    return std::int16_t(std::clamp(r, -32768.0, 32767.0));
}

void HoverTrabajo(double x, double y) {
    auto& g = PuzzGbl;
    g.CursorActual = 0;
    g.CronoSenalado = -1;
    g.PiezaSeleccionada = 0;
    const std::int16_t n = std::min<std::int16_t>(g.NroPiezas, std::int16_t(g.OrdenPiezas.size() - 1));
    for (std::int16_t i = 1; i <= n; ++i) {
        const std::int16_t p = g.OrdenPiezas[std::size_t(i)];
        if (!pasos::PiezaValida(p)) continue;
        const RegistroPieza r = g.Piezas[std::size_t(p)];
        g.PiezaActual = r;
        const int izq = r.X - g.MargenPiezaX, arr = r.Y - g.MargenPiezaY;
        const int ancho = AnchoPiezaGirada(p, r.Giro, r.Volteo), alto = AltoPiezaGirada(p, r.Giro, r.Volteo);
        if (!(x >= izq && x <= izq + ancho - 1 && y >= arr && y <= arr + alto - 1)) continue;
        if (g.TipoJuego == kDeslizantes) {
            g.PiezaSeleccionada = p;
            if (g.ColocacionManual) {
                g.CursorActual = 15;
                continue;
            }
            DireccionDeslizamiento(p);
            static constexpr std::int16_t codigos[] = {12, 25, 26, 27, 28};
            g.CursorActual = (g.DireccionDeslizar >= 0 && g.DireccionDeslizar <= 4) ? codigos[g.DireccionDeslizar] : 12;
            break;
        }
        if (g.TipoJuego == kTaipei) {
            if (r.Estado == 0 || FichaCubierta(r)) continue;
            g.CursorActual = TAI_FichaLibre(p) ? 21 : 22;
            g.PiezaSeleccionada = p;
            break;
        }
        if (JuegoLibre(g.TipoJuego)) {
            if (!EnMascara(p, r, RedondeaPosicion(x) - izq, RedondeaPosicion(y) - arr)) continue;
            g.CursorActual = PiezaBienColocada(p) ? 21 : 22;
            if (g.TipoJuego != kPiezasMoviles) g.CursorActual = 20;
            g.PiezaSeleccionada = p;
            break;
        }
    }
    if (g.TutorActivo && g.PiezaSeleccionada != 0)
        g.CursorActual = PiezaBienColocada(g.PiezaSeleccionada) ? 0 : kCursorTutor;
    if (g.EjecutandoSolucion) g.CursorActual = kPunteroReloj;
    AplicaPuntero();
}

void PasoArrastre(double x, double y) {
    auto& g = PuzzGbl;
    ActualizaTrabajo(RedondeaPosicion(x), RedondeaPosicion(y), g.PiezaSeleccionada);
    if (g.TipoJuego == kPiezasMoviles && mesa.BarraVer.Visible()) AutoDesplaza(x, y);
}

void Pic_Trabajo_MouseMove(std::int16_t, std::int16_t, double x, double y) {
    auto& g = PuzzGbl;
    try {
        // Only a panel in sight loses its highlight: a hidden one keeps it for
        // its next opening and stays hidden.
        if (mesa.Pic_SelOpciones.visible() && g.OpcionSenalada > 0) {
            g.OpcionSenalada = 0;
            MuestraOpcionesSelec();
        }
        if (g.ArrastrandoPieza && g.PiezaSeleccionada != 0 && !g.ResolviendoAuto && !g.RecogiendoPiezas &&
            !g.SoltandoPieza && g.TipoJuego != kDeslizantes && g.TipoJuego != kTaipei)
            PasoArrastre(x, y);
        if (!g.ArrastrandoPieza && !g.GirandoPieza && !g.Barajando && !g.RecogiendoPiezas && !g.ResolviendoAuto &&
            !g.MostrarBienoMal && !g.SoltandoPieza && !g.GrabadoraEncendida)
            HoverTrabajo(x, y);
    } catch (const std::exception&) {
        // A failing step ends the handling of this move only.
    }
}

void Pic_Trabajo_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y) {
    auto& g = PuzzGbl;
    // A press that comes while a turn or a drop is handled is not a new act.
    if (g.SoltandoPieza || (g.GirandoPieza && !g.GiroSimulado)) return;
    // While the solver moves pieces only its own turning press acts; a held
    // piece of its carry is no release the player owes.
    if (g.EjecutandoSolucion && !(boton == 2 && g.GiroSimulado)) return;
    // A release that never came is delivered before the new press.
    if (g.ArrastrandoPieza && !g.ResolviendoAuto && !g.RecogiendoPiezas) Pic_Trabajo_MouseUp(boton, shift, x, y);
    g.RatonX = RedondeaPosicion(x);
    g.RatonY = RedondeaPosicion(y);
    g.BotonRaton = boton;
    if (const auto& oculta = Lanzador().ocultaOpciones) oculta();
    g.TutorActivo = false;
    if (!pasos::PiezaValida(g.PiezaSeleccionada)) g.PiezaSeleccionada = 0;
    if (boton == 1 && !g.ResolviendoAuto && !g.RecogiendoPiezas && !g.GrabadoraEncendida) {
        piezaLevantada = 0;
        RamaIzquierda(x, y);
        return;
    }
    if (boton == 2 && !g.GiroSimulado && g.MostrarBienoMal && !g.RecogiendoPiezas && !g.GrabadoraEncendida) {
        // As the left press: the display goes off first, the piece is found afresh.
        mesa.Pic_Boton_MouseDown(10, 0, 0, 0, 0);
        if (g.MostrarBienoMal) return;
        HoverTrabajo(x, y);
    }
    if (boton == 2 && !g.GiroSimulado && g.MostrandoModelo) {
        // A turn would spoil the finished picture.
        if (mesa.Pic_Trabajo.mousePointer() != kPunteroFlecha && g.PiezaSeleccionada != 0) MensajeResuelto();
        return;
    }
    // Gathering suspends the hover: the piece under the press is found afresh.
    if (g.RecogiendoPiezas && !g.GiroSimulado) {
        const bool antes = g.RecogiendoPiezas;
        g.RecogiendoPiezas = false;
        HoverTrabajo(x, y);
        g.RecogiendoPiezas = antes;
    }
    if (!PuedeGirar(boton)) return;
    BucleGiro();
    // The pointer and the selection follow the turned piece.
    if (!g.ResolviendoAuto && !g.EjecutandoSolucion) Pic_Trabajo_MouseMove(0, 0, x, y);
}

void Pic_Trabajo_Click() {
    auto& g = PuzzGbl;
    if (g.BotonRaton == 2 && !g.GrabadoraEncendida && !g.GirandoPieza && g.PiezaSeleccionada == 0 &&
        !g.ResolviendoAuto && !g.EjecutandoSolucion && !g.RecogiendoPiezas && !g.Barajando) {
        g.OpcionesSelecActivas[1] = g.OpcionesSelecActivas[2] = g.OpcionesSelecActivas[3] = true;
        g.OpcionesSelecActivas[4] = g.TipoJuego == kTangram && g.TAN_ModoJuego == 1;
        MuestraOpcionesSelec();
    }
    g.GirandoPieza = false;
}

void Pic_Trabajo_DblClick() {
    auto& g = PuzzGbl;
    const std::int16_t p = g.PiezaSeleccionada;
    const bool levantada = p != 0 && p == piezaLevantada;
    piezaLevantada = 0;
    if (g.BotonRaton != 1 || g.ResolviendoAuto || !levantada) return;
    if (g.GrabadoraEncendida || g.MostrandoModelo || g.MostrarBienoMal || g.GirandoPieza || g.RecogiendoPiezas ||
        g.Barajando || g.EjecutandoSolucion || g.SoltandoPieza || plat::longActionRunning())
        return;
    if (!pasos::PiezaValida(p)) return;
    bool voltea = false;
    if (g.TipoJuego == kTangram) voltea = p == 7;
    else if (g.TipoJuego == kPentominos)
        voltea = p < std::int16_t(g.PEN_TablaPiezas.size()) && g.PEN_TablaPiezas[std::size_t(p)].Caras == 2;
    if (voltea) VoltearPieza();
}

void Pic_Trabajo_KeyPress(int) {}

void Pic_EsconderBot_MouseDown(std::int16_t, std::int16_t, double, double) {
    auto& g = PuzzGbl;
    auto& panel = mesa.Pic_Botonera;
    auto& tab = mesa.Pic_EsconderBot;
    Sonido(0, 6);
    const int x0 = panel.left();
    const int destino = g.BotoneraOculta ? g.AnchoMesa : g.AnchoMesa - kAnchoBotonera;
    const int paso = x0 < destino ? 2 : -2;
    for (int x = x0; paso > 0 ? x <= destino : x >= destino; x += paso) {
        panel.move(x, panel.top());
        tab.move(x - tab.width(), tab.top());
    }
    g.BotoneraOculta = !g.BotoneraOculta;
    PonBanderaPestana();
    tab.refresh();
}

plat::MouseHandlers ManejadoresTrabajo() {
    auto a = [](auto f) {
        return [f](int b, int s, double x, double y) { f(std::int16_t(b), std::int16_t(s), x, y); };
    };
    plat::MouseHandlers h;
    h.onMouseDown = a(Pic_Trabajo_MouseDown);
    h.onMouseUp = a(Pic_Trabajo_MouseUp);
    h.onMouseMove = a(Pic_Trabajo_MouseMove);
    h.onClick = Pic_Trabajo_Click;
    h.onDblClick = Pic_Trabajo_DblClick;
    return h;
}

void ConectaVistasTrabajo(VentanaMesa& ventana) {
    if (auto* v = ventana.vista(mesa.Pic_Trabajo)) {
        v->mouse = ManejadoresTrabajo();
        v->onKeyPress = Pic_Trabajo_KeyPress;
    }
    if (auto* v = ventana.vista(mesa.Pic_EsconderBot))
        v->mouse.onMouseDown = [](int b, int s, double x, double y) {
            Pic_EsconderBot_MouseDown(std::int16_t(b), std::int16_t(s), x, y);
        };
}
