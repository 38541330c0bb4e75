#include "model/Grabadora.h"
#include "core/Configuracion.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "imaging/PiezasBienMal.h"
#include "model/EstadoPuzzle.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "model/Taipei.h"

using pasos::PiezaValida;

namespace {

using namespace juego;

constexpr int kCrecimientoLista = 100;

// Moves a fresh puzzle has room for (entries 0 to 100).
constexpr std::size_t kListaInicial = 101;

bool FichaDelTablero(std::int16_t ficha) { return ficha <= taipei::kFichas && PiezaValida(ficha); }

void AplicaPaso(const RegistroMovimiento& m, bool adelante) {
    auto& g = PuzzGbl;
    if (g.TipoJuego == kTaipei) {
        if (!FichaDelTablero(m.XAntes) || !FichaDelTablero(m.YAntes)) return;
        const std::int16_t estado = adelante ? 0 : 1;
        g.Piezas[std::size_t(m.XAntes)].Estado = estado;
        g.Piezas[std::size_t(m.YAntes)].Estado = estado;
        RedibujaImagen(1);
        return;
    }
    const std::int16_t p = m.Pieza;
    if (!PiezaValida(p)) return;
    // A recorded place may lie out of reach on this table (the puzzle was
    // laid out on another screen): the piece goes where the reading of the
    // puzzle would have put it, within reach.
    if (m.GiroAntes == m.GiroDespues && m.VolteoAntes == m.VolteoDespues) {
        PasaAlFrente(PosicionEnOrden(p));
        const auto& pieza = g.Piezas[std::size_t(p)];
        const LugarEnMesa a = LugarAlAlcance(p, adelante ? m.XDespues : m.XAntes, adelante ? m.YDespues : m.YAntes,
                                             pieza.Giro, pieza.Volteo);
        if (adelante)
            MuevePiezaAnimada(m.XAntes, m.YAntes, a.x, a.y, p);
        else
            MuevePiezaAnimada(m.XDespues, m.YDespues, a.x, a.y, p);
        if (g.TipoJuego == kDeslizantes) {
            g.AgujeroX = adelante ? m.XAntes : m.XDespues;
            g.AgujeroY = adelante ? m.YAntes : m.YDespues;
        }
        return;
    }
    BorraPiezaDeImagen(p);
    auto& pieza = g.Piezas[std::size_t(p)];
    pieza.X = adelante ? m.XDespues : m.XAntes;
    pieza.Y = adelante ? m.YDespues : m.YAntes;
    pieza.Giro = adelante ? m.GiroDespues : m.GiroAntes;
    pieza.Volteo = adelante ? m.VolteoDespues : m.VolteoAntes;
    const LugarEnMesa a = LugarAlAlcance(p, pieza.X, pieza.Y, pieza.Giro, pieza.Volteo);
    pieza.X = a.x;
    pieza.Y = a.y;
    GeneraImagenPieza(p);
    DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
}

} // namespace

void GrabaMovimiento(std::int16_t xAntes, std::int16_t yAntes, std::int16_t giroAntes, std::int16_t volteoAntes,
                     std::int16_t xDespues, std::int16_t yDespues, std::int16_t giroDespues,
                     std::int16_t volteoDespues) {
    if (xAntes == xDespues && yAntes == yDespues && giroAntes == giroDespues && volteoAntes == volteoDespues)
        return;
    // A move is play in this game: a state kept for it gives way.
    JuegoEmpezado();
    auto& g = PuzzGbl;
    if (g.MovActual < 0) g.MovActual = 0;
    ++g.MovActual;
    auto& lista = g.MovGrabados;
    while (lista.empty() || std::size_t(g.MovActual) >= lista.size() - 1)
        lista.resize(lista.size() + kCrecimientoLista);
    RegistroMovimiento& m = lista[std::size_t(g.MovActual)];
    m.Pieza = (g.TipoJuego == kTaipei || g.OrdenPiezas.size() < 2) ? 0 : g.OrdenPiezas[1];
    m.XAntes = xAntes, m.YAntes = yAntes, m.GiroAntes = giroAntes, m.VolteoAntes = volteoAntes;
    m.XDespues = xDespues, m.YDespues = yDespues, m.GiroDespues = giroDespues, m.VolteoDespues = volteoDespues;
    g.UltimoMovGrabado = g.MovActual;
    DibujaGrabadora();
}

void IniciaGrabadora() {
    auto& g = PuzzGbl;
    g.PasaAlHistorico = true;
    g.MostrandoModelo = false;
    g.SegundosCronometro = 0;
    g.MovActual = 0;
    g.MovGrabados.assign(kListaInicial, RegistroMovimiento{});
    MarchaCronometro(1);
}

void GrabadoraPaso(std::int16_t direccion) {
    auto& g = PuzzGbl;
    const bool adelante = direccion == 0;
    const std::int32_t indice = adelante ? g.MovActual + 1 : g.MovActual;
    if (indice < 1 || indice > g.UltimoMovGrabado || std::size_t(indice) >= g.MovGrabados.size()) return;
    // A step changes pieces under the right/wrong display: it goes off first.
    ApagaPiezasBienoMal();
    const RegistroMovimiento m = g.MovGrabados[std::size_t(indice)];
    if (g.MostrandoModelo) OcultaModelo();
    if (adelante) g.MovActual = indice;
    AplicaPaso(m, adelante);
    mesa.Pic_Trabajo_Paint();
    g.ArrastrandoPieza = false;
    ActualizaInfoPiezas();
    if (g.NroPiezasColocadas == g.NroPiezas) MuestraModelo();
    if (!adelante) g.MovActual = indice - 1;
}

void EnciendeGrabadora() {
    auto& g = PuzzGbl;
    Sonido(0, 6);
    if (g.EstadoListaMov == 1) g.EstadoListaMov = 2;
    Sonido(0, 7);
    g.GrabadoraEncendida = true;
    g.CronoAntesGrabadora = g.CronometroEnMarcha;
    MarchaCronometro(2);
    g.UltimoMovGrabado = g.MovActual;
    DibujaGrabadora();
}

void ApagaGrabadora() {
    auto& g = PuzzGbl;
    g.OperacionGrabadora = 11;
    Sonido(0, 6);
    while (g.MovActual < g.UltimoMovGrabado) {
        const std::int32_t antes = g.MovActual;
        GrabadoraPaso(0);
        DibujaGrabadora();
        if (g.MovActual == antes) break; // the list holds fewer moves than counted
    }
    Sonido(0, 7);
    mesa.Pic_Grabadora.setMousePointer(0);
    g.GrabadoraEncendida = false;
    g.OperacionGrabadora = 0;
    DibujaGrabadora();
    MarchaCronometro(g.CronoAntesGrabadora ? 1 : 2);
    ActualizaInfoPiezas();
}
