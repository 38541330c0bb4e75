// The move recorder panel and the model preview's drag.
#include "table/PanelGrabadora.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/DeslizantesReglas.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Pasos.h"
#include "model/Taipei.h"
#include "platform/blit.h"
#include "platform/ui/events.h"
#include "table/Botonera.h"
#include "table/Trabajo.h"
#include "table/VentanaMesa.h"

#include <algorithm>
#include <vector>

namespace {

using namespace juego;
using plat::Surface;
namespace rop = plat::rop;

constexpr int kSonidoPulsado = 6, kSonidoSoltado = 7;
constexpr int kPunteroMano = 23;
constexpr int kCursorMover = 15, kCursorManoAbierta = 20;

// Sheet cells (x, y).
constexpr int kBordeY = 0, kFranjaY = 6, kCuerpoY = 18, kMascaraBordeY = 56, kMascaraCuerpoY = 74;
constexpr int kAltoBorde = 6, kAltoFranja = 11;
constexpr int kBotonesArribaY = 112, kBotonesPulsadosY = 134, kMascaraBotonesY = 184;
constexpr int kFlechasY = 156, kFlechasPulsadasY = 170;
constexpr int kFlechaArribaX = 8, kFlechaAbajoX = 24, kMasX = 40, kMenosX = 58;
constexpr int kAnchoFlecha = 15, kAltoFlecha = 13, kAnchoMas = 17, kAltoMas = 15;
constexpr int kLadoBoton = 21;
// The round buttons' left edges, on the sheet and on the panel alike.
constexpr int kEncenderX = 8, kRetrocesoX = 39, kRetrocederX = 62, kAvanzarX = 85, kAvanceX = 108,
              kRestaurarX = 137;
constexpr plat::Color kRojoMascara = 0x0000FF;

// The list's frame and its text.
constexpr plat::Color kMarcoClaro = 0x7C9CFC, kMarcoOscuro = 0x042484, kFondoLista = 0x4871CF;
constexpr plat::Color kTextoHecho = 0x00FFFF, kTextoDeshecho = 0x000080;
constexpr int kAltoLinea = 11, kAltoFijo = 42, kLineasComprimidas = 5;

ProcedimientosGrabadora procedimientosIniciales() { return {}; }

bool ejecutaEventos() {
    const auto& f = ProcGrabadora().ejecutaEventos;
    return f ? f() : plat::doEvents();
}

QString N(long long v, int ancho) { return QString::number(v).rightJustified(ancho, u' '); }

// Masked copy: the mask with AND, then the picture with XOR.
void copiaEnmascarada(Surface& destino, int x, int y, int w, int h, int mascaraY, int dibujoY) {
    const Surface& hoja = mesa.Pic_BmpGraba;
    plat::bitBlt(destino, x, y, w, h, hoja, 0, mascaraY, rop::kSrcAnd);
    plat::bitBlt(destino, x, y, w, h, hoja, 0, dibujoY, rop::kSrcInvert);
}

void copia(Surface& destino, int x, int y, int w, int h, int hx, int hy) {
    plat::bitBlt(destino, x, y, w, h, mesa.Pic_BmpGraba, hx, hy, rop::kSrcCopy);
}

// The long loops of the solver, the gathering and the shuffle let events run;
// the panel does not answer inside them, nor inside a turn of a piece.
bool MesaOcupada() {
    const auto& g = PuzzGbl;
    return g.EjecutandoSolucion || g.RecogiendoPiezas || g.Barajando || g.BuscandoSolucion || g.GirandoPieza;
}

bool CorridaContinua() { return PuzzGbl.RetrocesoContinuo || PuzzGbl.AvanceContinuo; }

// ---- move texts ----

QString Cola(const RegistroMovimiento& m) {
    if (m.GiroAntes != m.GiroDespues) return QStringLiteral(" Giro");
    if (m.VolteoAntes != m.VolteoDespues) return QStringLiteral(" Volteo");
    return QStringLiteral(" ") + N(m.XDespues, 2) + u',' + N(m.YDespues, 2);
}

const RegistroPieza* Ficha(std::int16_t t) {
    if (t > taipei::kFichas || !pasos::PiezaValida(t)) return nullptr;
    return &PuzzGbl.Piezas[std::size_t(t)];
}

QString NombreFicha(const RegistroPieza& f) {
    const auto& g = PuzzGbl;
    if (f.Palo < 1 || f.Palo >= std::int16_t(g.TAI_NombreFicha.size())) return {};
    const auto& nombres = g.TAI_NombreFicha[std::size_t(f.Palo)];
    if (f.Valor < 1 || f.Valor >= std::int16_t(nombres.size())) return {};
    return nombres[std::size_t(f.Valor)];
}

// The tile text of a Taipei pair; empty when the record names no tile.
QString TextoFicha(const RegistroMovimiento& m) {
    const auto& g = PuzzGbl;
    const RegistroPieza* a = Ficha(m.XAntes);
    if (!a || a->Palo < 1 || a->Palo > 7) return {};
    const QString palo = g.TAI_NombrePalo[std::size_t(a->Palo)];
    if (a->Palo <= 3) return palo + u' ' + QString::number(a->Valor);
    if (a->Palo <= 5) {
        const QString nombre = NombreFicha(*a);
        return nombre.isEmpty() ? QString() : palo + u' ' + nombre;
    }
    const RegistroPieza* b = Ficha(m.YAntes);
    if (!b) return {};
    const QString na = NombreFicha(*a), nb = NombreFicha(*b);
    if (na.isEmpty() || nb.isEmpty()) return {};
    // Both names cut to the same length until the pair fits 14 characters.
    QString junto;
    for (int largo = 10; largo >= 1; --largo) {
        junto = na.left(largo).trimmed() + u'/' + nb.left(largo).trimmed();
        if (junto.size() <= 14) break;
    }
    return junto;
}

QString SoloNumeros(std::int32_t i, const RegistroMovimiento& m) {
    if (PuzzGbl.TipoJuego == kTaipei) return N(i, 2) + QStringLiteral("- ") + N(m.XAntes, 3) + u'/' + N(m.YAntes, 3);
    return N(i, 3) + QStringLiteral(" - ") + N(m.Pieza, 3);
}

// ---- drawing ----

void parpadeaFlecha(Surface& panel, int alto) {
    const auto& g = PuzzGbl;
    if (!g.ListaMovAnterior && !g.ListaMovPosterior) return;
    panel.refresh();
    Retardo(300);
    if (g.ListaMovAnterior) copia(panel, 140, alto - 67, kAnchoFlecha, kAltoFlecha, kFlechaArribaX, kFlechasY);
    if (g.ListaMovPosterior) copia(panel, 140, alto - 50, kAnchoFlecha, kAltoFlecha, kFlechaAbajoX, kFlechasY);
}

// ---- the preview's drag ----

struct Arrastre {
    bool activo = false;
    bool marco = false;          // a frame is on the table
    std::uint64_t pintura = 0;   // the table's repaint count when it was drawn
};
Arrastre arrastre;

void marco(int x, int y) {
    Surface& t = mesa.Pic_Trabajo;
    const Surface& m = mesa.Pic_Muestra;
    const int modo = t.drawMode();
    const auto estilo = t.fillStyle();
    t.setDrawMode(plat::drawmode::kInvert);
    t.setFillStyle(plat::FillStyle::Transparent);
    t.box(x - 1, y - 1, x + m.width() + 1, y + m.height() + 1, plat::Color(PuzzGbl.ColorLineas));
    t.setFillStyle(estilo);
    t.setDrawMode(modo);
    t.refresh();
}

void pintaMarco(int x, int y) {
    marco(x, y);
    arrastre.marco = true;
    arrastre.pintura = mesa.pinturasTrabajo();
}

// Inverts the frame back unless a repaint of the table has already wiped it.
void borraMarco() {
    if (arrastre.marco && arrastre.pintura == mesa.pinturasTrabajo()) marco(PuzzGbl.MuestraX, PuzzGbl.MuestraY);
    arrastre.marco = false;
}

// A drag whose release never came: the frame goes, the preview stays.
void abandonaArrastre() {
    borraMarco();
    arrastre.activo = false;
    mesa.Pic_Muestra.setMousePointer(0);
    PuzzGbl.MuestraX = std::int16_t(mesa.Pic_Muestra.left());
    PuzzGbl.MuestraY = std::int16_t(mesa.Pic_Muestra.top());
}

bool MuestraBloqueada() {
    const auto& g = PuzzGbl;
    return MesaOcupada() || CorridaContinua() || g.OperacionGrabadora != 0 || plat::longActionRunning();
}

// ---- the panel's loops ----

void corridaContinua(bool atras) {
    auto& g = PuzzGbl;
    bool& bandera = atras ? g.RetrocesoContinuo : g.AvanceContinuo;
    if (bandera) {
        // The second press: the running loop ends at its next test.
        bandera = false;
        DibujaGrabadora();
        return;
    }
    // Events run one level deep: no loop starts inside another one.
    if (plat::longActionRunning()) return;
    Sonido(0, kSonidoPulsado);
    bandera = true;
    DibujaGrabadora();
    {
        const plat::LongAction largo;
        const int pausa = g.TipoJuego == kTaipei ? 140 : (atras ? 60 : 80);
        while (bandera && g.GrabadoraEncendida && !g.SaliendoPrograma &&
               (atras ? g.MovActual >= 1 : g.MovActual < g.UltimoMovGrabado)) {
            const std::int32_t antes = g.MovActual;
            GrabadoraPaso(atras ? 1 : 0);
            DibujaGrabadora();
            if (g.MovActual == antes) break; // the list holds fewer moves than counted
            Retardo(pausa);
            if (!ejecutaEventos()) break;
        }
    }
    if (g.SaliendoPrograma) {
        bandera = false;
        return;
    }
    Sonido(0, kSonidoSoltado);
    bandera = false;
    DibujaGrabadora();
}

void desplazaLista(bool anteriores) {
    auto& g = PuzzGbl;
    if (plat::longActionRunning()) return;
    bool& bandera = anteriores ? g.ListaMovAnterior : g.ListaMovPosterior;
    Sonido(0, kSonidoPulsado);
    bandera = true;
    Retardo(50);
    {
        const plat::LongAction largo;
        while (bandera && !g.SaliendoPrograma &&
               (anteriores ? g.PrimeraLineaGrab >= 2
                           : g.PrimeraLineaGrab + g.LineasListaMov - 1 < g.UltimoMovGrabado)) {
            g.PrimeraLineaGrab += anteriores ? -1 : 1;
            DibujaGrabadora();
            if (!ejecutaEventos()) break;
        }
    }
    // Held past the end of the list, the next drawing lays out the list again.
    bandera = false;
    if (g.SaliendoPrograma) return;
    mesa.Pic_Grabadora.refresh();
    Sonido(0, kSonidoSoltado);
}

void pulsaEncender() {
    auto& g = PuzzGbl;
    // Any run ends first; its loop stops once the recorder is off.
    g.RetrocesoContinuo = g.AvanceContinuo = false;
    if (g.GrabadoraEncendida) ApagaGrabadora();
    else if (g.MovActual >= 1) EnciendeGrabadora();
    mesa.Refresh();
    DibujaGrabadora();
}

void pasoUnico(bool atras) {
    auto& g = PuzzGbl;
    bool& bandera = atras ? g.PulsadoRetroceder : g.PulsadoAvanzar;
    Sonido(0, kSonidoPulsado);
    bandera = true;
    DibujaGrabadora();
    if (atras ? g.MovActual >= 1 : g.MovActual < g.UltimoMovGrabado) GrabadoraPaso(atras ? 1 : 0);
    Sonido(0, kSonidoSoltado);
    bandera = false;
    DibujaGrabadora();
}

void restaura() {
    auto& g = PuzzGbl;
    Sonido(0, kSonidoPulsado);
    g.PulsadoRestaurar = true;
    DibujaGrabadora();
    Retardo(80);
    g.UltimoMovGrabado = g.MovActual;
    ApagaGrabadora();
    g.PulsadoRestaurar = false;
    DibujaGrabadora();
}

} // namespace

// ------------------------------------------------------------------ layout

int BordeDerechoMesa() { return mesa.BarraVer.Visible() ? mesa.BarraVer.Left() : PuzzGbl.AnchoMesa; }

int BordeInferiorMesa() { return mesa.BarraHor.Visible() ? mesa.BarraHor.Top() : PuzzGbl.AltoMesa; }

LugarGrabadora CalculaGrabadora() {
    auto& g = PuzzGbl;
    if (!g.GrabadoraEncendida) {
        if (g.ListaMovimientos == 2) g.EstadoListaMov = 1;
        if (g.UltimoMovGrabado >= 1 && g.ListaMovimientos == 1 && g.EstadoListaMov == 1) g.EstadoListaMov = 2;
    } else if (g.EstadoListaMov == 1) {
        g.EstadoListaMov = 2;
    }
    if (g.EstadoListaMov < 1 || g.EstadoListaMov > 3) g.EstadoListaMov = 2;

    // As many lines as fit above the horizontal bar.
    const int suelo = BordeInferiorMesa();
    std::int32_t extendidas = std::max<std::int32_t>(0, g.UltimoMovGrabado);
    if (std::int64_t(extendidas) * kAltoLinea + kAltoFijo > suelo)
        extendidas = std::max(0, (suelo - kAltoFijo) / kAltoLinea);
    g.LineasListaMov = g.EstadoListaMov == 1 ? 0 : g.EstadoListaMov == 2 ? kLineasComprimidas : extendidas;

    if (!g.ListaMovAnterior && !g.ListaMovPosterior) {
        const std::int32_t lineas = g.LineasListaMov;
        if (!g.GrabadoraEncendida) {
            g.PrimeraLineaGrab = g.UltimoMovGrabado - lineas + 1;
        } else {
            std::int32_t primera = g.UltimoMovGrabado >= 5 ? g.UltimoMovGrabado - lineas + 1 : 1;
            primera = std::max<std::int32_t>(1, primera);
            const std::int32_t c = g.MovActual;
            if (c < 1) primera = 1;
            else if (c < primera) primera = c;
            else if (c > primera + lineas - 1) primera = c - lineas + 1;
            g.PrimeraLineaGrab = primera;
        }
        // A list longer than the moves starts at the first move.
        g.PrimeraLineaGrab = std::max<std::int32_t>(1, g.PrimeraLineaGrab);
    }

    LugarGrabadora l;
    l.alto = g.EstadoListaMov == 1 ? kAltoCuerpoGrabadora : int(g.LineasListaMov) * kAltoLinea + kAltoFijo;
    l.izquierda = BordeDerechoMesa() - kAnchoGrabadora;
    l.arriba = std::max(0, suelo - l.alto);
    return l;
}

// ------------------------------------------------------------------ move texts

QString TextoMovimiento(std::int32_t i, const RegistroMovimiento& m) {
    const auto& g = PuzzGbl;
    const bool valida = pasos::PiezaValida(m.Pieza);
    switch (g.TipoJuego) {
    case kPiezasMoviles: return N(i, 3) + QStringLiteral(" - ") + N(m.Pieza, 3) + Cola(m);
    case kDeslizantes: {
        if (!valida || g.PiezasLado < 1) break;
        QString rotulo = N(m.Pieza, 2);
        if (g.TipoRotulo == 3 && qsizetype(m.Pieza) <= g.LetrasPiezas.size())
            rotulo = g.LetrasPiezas.mid(m.Pieza - 1, 1);
        const int casilla = CasillaEnPunto(m.XDespues, m.YDespues);
        const int fila = (casilla - 1) / g.PiezasLado + 1, columna = (casilla - 1) % g.PiezasLado + 1;
        return N(i, 3) + QStringLiteral(" - ") + rotulo + QStringLiteral(" -> (") + QString::number(fila) + u',' +
               QString::number(columna) + u')';
    }
    case kTangram: {
        static const char* const kCortos[] = {"TG1", "TG2", "TMe", "TP1", "TP2", "Cua", "Par"};
        if (!valida || m.Pieza > 7) break;
        return N(i, 3) + QStringLiteral("- ") + QLatin1String(kCortos[m.Pieza - 1]) + Cola(m);
    }
    case kPentominos:
        if (!valida || m.Pieza > 12) break;
        return N(i, 3) + QStringLiteral(" - ") + g.PEN_TablaPiezas[std::size_t(m.Pieza)].Letra + Cola(m);
    case kTaipei: {
        const QString ficha = TextoFicha(m);
        if (ficha.isEmpty()) break;
        return N(i, 2) + QStringLiteral("- ") + ficha;
    }
    default: break;
    }
    return SoloNumeros(i, m);
}

QString TextoMovimiento(std::int32_t i) {
    const auto& lista = PuzzGbl.MovGrabados;
    if (i < 1 || std::size_t(i) >= lista.size()) return {};
    return TextoMovimiento(i, lista[std::size_t(i)]);
}

// ------------------------------------------------------------------ drawing

void DibujaGrabadoraPanel() {
    auto& g = PuzzGbl;
    Surface& panel = mesa.Pic_Grabadora;
    if (g.TipoJuego == kTangram && g.TAN_ModoJuego == 1) {
        panel.setVisible(false);
        return;
    }
    const LugarGrabadora l = CalculaGrabadora();
    const int h = l.alto;
    const bool lista = g.EstadoListaMov != 1;
    panel.move(l.izquierda, l.arriba, kAnchoGrabadora, h);
    panel.cls();

    // What lies under the panel: the table, scrolled.
    const int hv = mesa.BarraHor.Value(), vv = mesa.BarraVer.Value();
    plat::bitBlt(panel, 0, 0, kAnchoGrabadora, h, mesa.Pic_Imagen, l.izquierda + hv, l.arriba + vv, rop::kSrcCopy);
    const Surface& botonera = mesa.Pic_Botonera;
    if (l.arriba < botonera.height() && g.BotoneraOculta)
        plat::bitBlt(panel, 160, 0, 6, 6, botonera, botonera.width() - 6, 5, rop::kSrcCopy);

    copiaEnmascarada(panel, 0, h - kAltoCuerpoGrabadora, kAnchoGrabadora, kAltoCuerpoGrabadora, kMascaraCuerpoY,
                     kCuerpoY);
    if (lista) {
        for (std::int32_t k = 1; k <= g.LineasListaMov + 2; ++k)
            copia(panel, 0, h - 14 - kAltoLinea * int(k), kAnchoGrabadora, kAltoFranja, 0, kFranjaY);
        copiaEnmascarada(panel, 0, 0, kAnchoGrabadora, kAltoBorde, kMascaraBordeY, kBordeY);
    }

    // The transport strip: at most one button besides on/off shown pressed.
    const int tiraY = h - 29;
    copia(panel, 8, tiraY, 150, kLadoBoton, 8, kBotonesArribaY);
    if (g.GrabadoraEncendida) copia(panel, kEncenderX, tiraY, kLadoBoton, kLadoBoton, kEncenderX, kBotonesPulsadosY);
    const struct {
        bool pulsado;
        int x;
    } pulsables[] = {{g.RetrocesoContinuo, kRetrocesoX},
                     {g.PulsadoRetroceder, kRetrocederX},
                     {g.PulsadoAvanzar, kAvanzarX},
                     {g.AvanceContinuo, kAvanceX},
                     {g.PulsadoRestaurar, kRestaurarX}};
    for (const auto& b : pulsables)
        if (b.pulsado) {
            copia(panel, b.x, tiraY, kLadoBoton, kLadoBoton, b.x, kBotonesPulsadosY);
            break;
        }

    if (lista) {
        copia(panel, 140, h - 67, kAnchoFlecha, kAltoFlecha, kFlechaArribaX,
              g.ListaMovAnterior ? kFlechasPulsadasY : kFlechasY);
        copia(panel, 140, h - 50, kAnchoFlecha, kAltoFlecha, kFlechaAbajoX,
              g.ListaMovPosterior ? kFlechasPulsadasY : kFlechasY);
        if (g.EstadoListaMov == 2 && g.UltimoMovGrabado >= 6) copia(panel, 139, 2, kAnchoMas, kAltoMas, kMasX, kFlechasY);
        if (g.EstadoListaMov == 3) copia(panel, 139, 2, kAnchoMas, kAltoMas, kMenosX, kFlechasY);

        const int t = h - 40;
        panel.setFillStyle(plat::FillStyle::Transparent);
        panel.box(5, 5, 133, t + 7, kMarcoClaro);
        panel.line(5, 5, 134, 5, kMarcoOscuro);
        panel.line(5, 5, 5, t + 8, kMarcoOscuro);
        panel.filledBox(6, 6, 132, t + 6, kFondoLista);

        plat::Font fuente;
        fuente.name = QStringLiteral("Liberation Mono");
        fuente.size = 8.25;
        panel.setFont(fuente);
        panel.setFontTransparent(true);
        std::vector<Surface::Texto> lineas;
        lineas.reserve(std::size_t(std::max<std::int32_t>(0, g.LineasListaMov)));
        for (std::int32_t k = 0; k < g.LineasListaMov; ++k) {
            const std::int32_t i = g.PrimeraLineaGrab + k;
            if (i > g.UltimoMovGrabado) break; // the lines below are empty
            const plat::Color color = !g.GrabadoraEncendida || i <= g.MovActual ? kTextoHecho : kTextoDeshecho;
            lineas.push_back({7, 5 + kAltoLinea * double(k), color, TextoMovimiento(i)});
        }
        panel.printAll(lineas);
        parpadeaFlecha(panel, h);
    }

    // The preview keeps clear of the panel; one the player has not moved
    // follows the panel's height, and so goes back down when the list closes.
    const Surface& muestra = mesa.Pic_Muestra;
    if (!g.MuestraMovidaAMano ||
        (muestra.left() + muestra.width() > l.izquierda + hv && muestra.top() + muestra.height() > l.arriba + 1 + vv))
        ColocaMuestra();

    panel.setVisible(true);
    panel.refresh();
}

// ------------------------------------------------------------------ buttons

BotonGrabadora ZonaEnPunto(int x, int y) {
    const auto& g = PuzzGbl;
    const int h = mesa.Pic_Grabadora.height();
    const int fila = y - (h - 29) + kMascaraBotonesY;
    if (mesa.Pic_BmpGraba.point(x, fila) == kRojoMascara && y >= h - 29 && y <= h - 9) {
        const struct {
            int x;
            BotonGrabadora b;
        } botones[] = {{kEncenderX, BotonGrabadora::Encender},   {kRetrocesoX, BotonGrabadora::RetrocesoContinuo},
                       {kRetrocederX, BotonGrabadora::Retroceder}, {kAvanzarX, BotonGrabadora::Avanzar},
                       {kAvanceX, BotonGrabadora::AvanceContinuo}, {kRestaurarX, BotonGrabadora::Restaurar}};
        for (const auto& b : botones)
            if (x >= b.x && x <= b.x + kLadoBoton - 1) return b.b;
        return BotonGrabadora::Ninguna;
    }
    if (g.EstadoListaMov == 1 || x < 140 || x > 154) return BotonGrabadora::Ninguna;
    if (y >= h - 67 && y <= h - 55) return BotonGrabadora::Anteriores;
    if (y >= h - 50 && y <= h - 38) return BotonGrabadora::Posteriores;
    if (y >= 5 && y <= 16) return g.EstadoListaMov == 2 ? BotonGrabadora::Extender : BotonGrabadora::Comprimir;
    return BotonGrabadora::Ninguna;
}

bool ZonaActiva(BotonGrabadora z) {
    const auto& g = PuzzGbl;
    if (MesaOcupada()) return false;
    const bool on = g.GrabadoraEncendida;
    switch (z) {
    case BotonGrabadora::Encender: return true;
    case BotonGrabadora::RetrocesoContinuo: return on && g.MovActual >= 1 && !g.AvanceContinuo;
    case BotonGrabadora::Retroceder: return on && g.MovActual >= 1 && !CorridaContinua();
    case BotonGrabadora::Avanzar: return on && g.MovActual < g.UltimoMovGrabado && !CorridaContinua();
    case BotonGrabadora::AvanceContinuo: return on && g.MovActual < g.UltimoMovGrabado && !g.RetrocesoContinuo;
    case BotonGrabadora::Restaurar: return on && g.MovActual != g.UltimoMovGrabado && !CorridaContinua();
    case BotonGrabadora::Anteriores: return g.PrimeraLineaGrab > 1;
    case BotonGrabadora::Posteriores: return g.PrimeraLineaGrab < g.UltimoMovGrabado - g.LineasListaMov + 1;
    case BotonGrabadora::Comprimir: return g.EstadoListaMov != 2;
    case BotonGrabadora::Extender: return g.EstadoListaMov == 2 && g.UltimoMovGrabado > 5;
    case BotonGrabadora::Ninguna: break;
    }
    return false;
}

QString TextoZona(BotonGrabadora z) {
    switch (z) {
    case BotonGrabadora::Encender: return QStringLiteral(" Encender/Apagar Grabadora ");
    case BotonGrabadora::RetrocesoContinuo: return QStringLiteral(" Retroceso continuo ");
    case BotonGrabadora::Retroceder: return QStringLiteral(" Retroceder 1 movimiento ");
    case BotonGrabadora::Avanzar: return QStringLiteral(" Avanzar 1 movimiento ");
    case BotonGrabadora::AvanceContinuo: return QStringLiteral(" Avance continuo ");
    case BotonGrabadora::Restaurar: return QStringLiteral(" Restaurar puzzle ");
    case BotonGrabadora::Anteriores: return QStringLiteral(" Movimientos anteriores ");
    case BotonGrabadora::Posteriores: return QStringLiteral(" Movimientos posteriores ");
    case BotonGrabadora::Comprimir: return QStringLiteral(" Comprimir la lista ");
    case BotonGrabadora::Extender: return QStringLiteral(" Extender la lista ");
    case BotonGrabadora::Ninguna: break;
    }
    return {};
}

ProcedimientosGrabadora& ProcGrabadora() {
    static ProcedimientosGrabadora p = procedimientosIniciales();
    return p;
}

namespace {

// The hover at (x, y): the button found when it is active, else none.
BotonGrabadora hover(double x, double y) {
    auto& g = PuzzGbl;
    Surface& panel = mesa.Pic_Grabadora;
    const BotonGrabadora z = ZonaEnPunto(plat::toPixel(x), plat::toPixel(y));
    const bool activa = z != BotonGrabadora::Ninguna && ZonaActiva(z);
    g.ZonaGrabadora = activa ? kPunteroMano : 0;
    const QString texto = activa ? TextoZona(z) : QString();
    if (panel.mousePointer() != 0 && g.ZonaGrabadora == 0) panel.setMousePointer(0);
    else if (panel.mousePointer() == 0 && g.ZonaGrabadora == kPunteroMano) PonCursor(panel, kPunteroMano);
    if (panel.toolTip() != texto) panel.setToolTip(texto);
    // The table sets its own pointer again when the mouse comes back to it.
    g.CursorActual = -1;
    return activa ? z : BotonGrabadora::Ninguna;
}

} // namespace

void Pic_Grabadora_MouseMove(std::int16_t, std::int16_t, double x, double y) { hover(x, y); }

void Pic_Grabadora_MouseDown(std::int16_t, std::int16_t, double x, double y) {
    const BotonGrabadora z = hover(x, y);
    if (mesa.Pic_Grabadora.mousePointer() == 0 || z == BotonGrabadora::Ninguna) return;
    if (const auto& oculta = Lanzador().ocultaOpciones) oculta();
    auto& g = PuzzGbl;
    switch (z) {
    case BotonGrabadora::Encender: pulsaEncender(); break;
    case BotonGrabadora::RetrocesoContinuo: corridaContinua(true); break;
    case BotonGrabadora::Retroceder: pasoUnico(true); break;
    case BotonGrabadora::Avanzar: pasoUnico(false); break;
    case BotonGrabadora::AvanceContinuo: corridaContinua(false); break;
    case BotonGrabadora::Restaurar: restaura(); break;
    case BotonGrabadora::Anteriores: desplazaLista(true); break;
    case BotonGrabadora::Posteriores: desplazaLista(false); break;
    case BotonGrabadora::Comprimir:
    case BotonGrabadora::Extender:
        Sonido(0, kSonidoPulsado);
        g.EstadoListaMov = g.EstadoListaMov == 3 ? 2 : 3;
        DibujaGrabadora();
        break;
    case BotonGrabadora::Ninguna: break;
    }
    // The pointer follows what the press changed.
    if (mesa.Pic_Grabadora.visible()) hover(x, y);
}

void Pic_Grabadora_MouseUp(std::int16_t, std::int16_t, double, double) {
    PuzzGbl.ListaMovAnterior = false;
    PuzzGbl.ListaMovPosterior = false;
}

// ------------------------------------------------------------------ preview

bool ArrastrandoMuestra() { return arrastre.activo; }

void Pic_Muestra_MouseDown(std::int16_t boton, std::int16_t, double x, double y) {
    auto& g = PuzzGbl;
    if (arrastre.activo) abandonaArrastre();
    if (boton != plat::mousebutton::kLeft || MuestraBloqueada()) return;
    const Surface& m = mesa.Pic_Muestra;
    g.TrabajoAntX = RedondeaPosicion(x);
    g.TrabajoAntY = RedondeaPosicion(y);
    g.MuestraX = std::int16_t(m.left());
    g.MuestraY = std::int16_t(m.top());
    arrastre.activo = true;
    pintaMarco(g.MuestraX, g.MuestraY);
    PonCursor(mesa.Pic_Muestra, kCursorMover);
}

void Pic_Muestra_MouseMove(std::int16_t boton, std::int16_t, double x, double y) {
    auto& g = PuzzGbl;
    Surface& m = mesa.Pic_Muestra;
    if (arrastre.activo) {
        if (!(boton & plat::mousebutton::kLeft)) {
            abandonaArrastre();
            return;
        }
        const int hv = mesa.BarraHor.Value(), vv = mesa.BarraVer.Value();
        int nx = m.left() + RedondeaPosicion(x) - g.TrabajoAntX;
        int ny = m.top() + RedondeaPosicion(y) - g.TrabajoAntY;
        if (nx > BordeDerechoMesa() - m.width() + hv || nx < hv) nx = g.MuestraX;
        if (ny > BordeInferiorMesa() - m.height() + vv || ny < vv) ny = g.MuestraY;
        const Surface& panel = mesa.Pic_Grabadora;
        if (panel.visible() && nx + m.width() > panel.left() + hv && ny + m.height() > panel.top() + vv) {
            nx = g.MuestraX;
            ny = g.MuestraY;
        }
        borraMarco();
        pintaMarco(nx, ny);
        g.MuestraX = std::int16_t(nx);
        g.MuestraY = std::int16_t(ny);
        return;
    }
    if (boton == 0 && m.mousePointer() == 0) PonCursor(m, kCursorManoAbierta);
}

void Pic_Muestra_MouseUp(std::int16_t boton, std::int16_t, double, double) {
    auto& g = PuzzGbl;
    if (!arrastre.activo || boton != plat::mousebutton::kLeft) return;
    borraMarco();
    arrastre.activo = false;
    Surface& m = mesa.Pic_Muestra;
    const int hv = mesa.BarraHor.Value(), vv = mesa.BarraVer.Value();
    int maximo = g.AnchoMesa - m.width() + hv;
    // Never under the command panel, even while it is slid away.
    const Surface& botonera = mesa.Pic_Botonera;
    if (g.MuestraY < vv + botonera.height()) maximo -= botonera.width();
    g.MuestraMaxX = std::int16_t(std::clamp(maximo, -32768, 32767));
    int x = std::min<int>(g.MuestraX, g.MuestraMaxX);
    x = std::max(x, hv); // the left edge stays on the visible table
    g.MuestraX = std::int16_t(x);
    m.move(g.MuestraX, g.MuestraY);
    m.setMousePointer(0);
    g.MuestraMovidaAMano = true;
}

// ------------------------------------------------------------------ wiring

void RegistraGrabadora() {
    RegistraDibujoGrabadora(DibujaGrabadoraPanel);
    ProcGrabadora() = procedimientosIniciales();
    arrastre = Arrastre{};
}

void ConectaVistasGrabadora(VentanaMesa& ventana) {
    auto a = [](auto f) {
        return [f](int b, int s, double x, double y) { f(std::int16_t(b), std::int16_t(s), x, y); };
    };
    if (auto* v = ventana.vista(mesa.Pic_Grabadora)) {
        v->mouse.onMouseMove = a(Pic_Grabadora_MouseMove);
        v->mouse.onMouseDown = a(Pic_Grabadora_MouseDown);
        v->mouse.onMouseUp = a(Pic_Grabadora_MouseUp);
    }
    if (auto* v = ventana.vista(mesa.Pic_Muestra)) {
        v->mouse.onMouseMove = a(Pic_Muestra_MouseMove);
        v->mouse.onMouseDown = a(Pic_Muestra_MouseDown);
        v->mouse.onMouseUp = a(Pic_Muestra_MouseUp);
    }
}
