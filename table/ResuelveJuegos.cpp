#include "table/ResuelveJuegos.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Pasos.h"
#include "model/Taipei.h"
#include "platform/ui/events.h"
#include "table/Botonera.h"
#include "table/ResuelveTablero.h"
#include "table/Soltar.h"
#include "table/Trabajo.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using namespace juego;

constexpr int kSonidoEnSuSitio = 51;
constexpr int kAyudaTaipeiSinSolucion = 3050;
constexpr int kAnchoPanel = 350, kAltoPanel = 40;

std::function<void()>& buscaSolucion() {
    static std::function<void()> f;
    return f;
}

bool completo() { return PuzzGbl.NroPiezas > 0 && PuzzGbl.NroPiezasColocadas >= PuzzGbl.NroPiezas; }

void fin() {
    auto& g = PuzzGbl;
    g.PasaAlHistorico = false;
    g.ArrastrandoPieza = false;
    g.SoltandoPieza = false;
    if (completo()) pasos::Paso(MuestraModelo);
    g.ResolviendoAuto = false;
    g.EjecutandoSolucion = false;
}

bool sigue() { return PuzzGbl.ResolviendoAuto && !PuzzGbl.SaliendoPrograma; }

// ---- free pieces ----

// A piece the turning press left off its home orientation is set there by
// the driver itself (erased, rebuilt, drawn) and that is recorded as a move:
// otherwise it would be carried with a home rotation it does not have.
void orientaADestino(std::int16_t p) {
    auto& g = PuzzGbl;
    auto& r = g.Piezas[std::size_t(p)];
    if (r.Giro == r.GiroDestino && r.Volteo == r.VolteoDestino) return;
    pasos::Paso([&] { PasaAlFrente(PosicionEnOrden(p)); });
    const RegistroPieza antes = r;
    pasos::Paso([&] { BorraPiezaDeImagen(p); });
    r.Giro = r.GiroDestino;
    r.Volteo = r.VolteoDestino;
    pasos::Paso([&] {
        GeneraImagenPieza(p);
        DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
    });
    mesa.Pic_Trabajo_Paint();
    pasos::Paso([&] { GrabaMovimiento(antes.X, antes.Y, antes.Giro, antes.Volteo, r.X, r.Y, r.Giro, r.Volteo); });
}

void llevaADestino(std::int16_t p) {
    auto& g = PuzzGbl;
    auto& r = g.Piezas[std::size_t(p)];
    if (r.Volteo != r.VolteoDestino) {
        g.PiezaSeleccionada = p;
        pasos::Paso(VoltearPieza);
        Retardo(15);
    }
    if (r.Giro != r.GiroDestino) {
        g.PiezaSeleccionada = p;
        g.GiroSimulado = true;
        pasos::Paso([&] { Pic_Trabajo_MouseDown(2, 0, r.X, r.Y); });
        g.GiroSimulado = false;
        Retardo(15);
    }
    orientaADestino(p);
    pasos::Paso([&] { PasaAlFrente(PosicionEnOrden(p)); });
    pasos::Paso([&] {
        GrabaMovimiento(r.X, r.Y, r.Giro, r.Volteo, r.XDestino, r.YDestino, r.GiroDestino, r.VolteoDestino);
    });
    pasos::Paso([&] { MuevePiezaAnimada(r.X, r.Y, r.XDestino, r.YDestino, p); });
    // The carry lifts the piece: nothing is held once it has landed.
    g.ArrastrandoPieza = false;
    if (r.X != r.XDestino || r.Y != r.YDestino) {
        // An animation that could not reach the home: the piece is set there.
        pasos::Paso([&] { BorraPiezaDeImagen(p); });
        r.X = r.XDestino;
        r.Y = r.YDestino;
        pasos::Paso([&] {
            GeneraImagenPieza(p);
            DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
        });
        mesa.Pic_Trabajo_Paint();
    }
    Sonido(0, kSonidoEnSuSitio);
    pasos::Paso(ActualizaInfoPiezas);
    Retardo(15);
}

// ---- Taipei ----

bool enTablero(std::int16_t t) {
    return pasos::PiezaValida(t) && t <= taipei::kFichas && PuzzGbl.Piezas[std::size_t(t)].Estado != 0;
}

int fichasEnTablero() {
    int n = 0;
    for (std::int16_t t = 1; t <= taipei::kFichas; ++t) n += enTablero(t);
    return n;
}

void redibuja() { pasos::Paso([] { RedibujaImagen(1); }); }

void dibujaPanel(int n) {
    auto& g = PuzzGbl;
    auto& panel = mesa.Pic_Muestra;
    panel.clearPicture();
    panel.setSize(kAnchoPanel, kAltoPanel);
    panel.cls();
    const int w = panel.scaleWidth(), h = panel.scaleHeight();
    panel.box(1, 1, w - 1, h - 1, 0xFFFFFF);
    panel.line(w - 1, 1, w - 1, h - 1, 0x808080);
    panel.line(1, h - 1, w, h - 1, 0x808080);
    panel.move((g.AnchoMesa - kAnchoPanel - mesa.Pic_Botonera.width()) / 2, (g.AltoMesa - kAltoPanel) / 2);
    panel.setVisible(true);
    panel.setFont(plat::Font{});
    panel.setFontTransparent(false);
    panel.setCurrent(12, 13);
    panel.print(TextoRetroceso(n));
    panel.refresh();
}

void ocultaPanel() {
    mesa.Pic_Muestra.setVisible(false);
    PuzzGbl.MuestraVisible = false;
}

using ListaParejas = std::array<std::array<std::int16_t, 2>, taipei::kParejas + 1>;

// The pairs of the deal still on the board, last dealt first, after stepping
// back recorded removals until every pair needed is there. False when the
// first move is reached first: the steps are taken forward again.
bool parejasDelReparto(ListaParejas& lista, int& nParejas) {
    auto& g = PuzzGbl;
    int retrocesos = 0;
    int r = fichasEnTablero();
    int p = r / 2;
    bool conPanel = false;
    while (p > 0) {
        const std::int16_t a = g.TAI_Reparto[std::size_t(p)][1], b = g.TAI_Reparto[std::size_t(p)][2];
        if (enTablero(a) && enTablero(b)) {
            lista[std::size_t(r / 2 - p + 1)] = {a, b};
            --p;
            continue;
        }
        if (g.MovActual <= 0 || g.SaliendoPrograma) {
            // Nothing left to step back over: the position comes back as it was.
            for (int i = 0; i < retrocesos; ++i) pasos::Paso([] { GrabadoraPaso(0); });
            if (conPanel) ocultaPanel();
            redibuja();
            return false;
        }
        ++retrocesos;
        conPanel = true;
        dibujaPanel(retrocesos);
        Retardo(500);
        const std::int16_t antes = g.MovActual;
        pasos::Paso([] { GrabadoraPaso(1); });
        if (g.MovActual == antes) g.MovActual = std::int16_t(antes - 1); // never loop on a stuck step
        r = fichasEnTablero();
        p = r / 2;
    }
    if (conPanel) ocultaPanel();
    nParejas = r / 2;
    return true;
}

void parpadeaYQuita(std::int16_t a, std::int16_t b) {
    auto& g = PuzzGbl;
    auto& fa = g.Piezas[std::size_t(a)];
    auto& fb = g.Piezas[std::size_t(b)];
    for (int i = 0; i < 3; ++i) {
        fa.Estado = fb.Estado = 2;
        redibuja();
        Retardo(150);
        fa.Estado = fb.Estado = 1;
        redibuja();
        Retardo(200);
    }
    Retardo(120);
    fa.Estado = fb.Estado = 0;
    pasos::Paso([&] { GrabaMovimiento(a, b, 0, 0, 0, 0, 0, 0); });
    redibuja();
    Retardo(200);
    pasos::Paso(ActualizaInfoPiezas);
}

} // namespace

QString TextoRetroceso(int n) {
    return QStringLiteral("Retrocediendo %1 movimiento%2 para encontrar la solución")
        .arg(n)
        .arg(n > 1 ? QStringLiteral("s") : QStringLiteral(" "));
}

void RegistraBuscaSolucionTaipei(std::function<void()> busca) { buscaSolucion() = std::move(busca); }

QString TextoTaipeiSinSolucion() { return TextoSinSolucion(); }

void ResuelvePiezasLibres() {
    auto& g = PuzzGbl;
    g.EjecutandoSolucion = true;
    {
        const plat::LongAction ejecucion;
        const std::int16_t n = std::min<std::int16_t>(g.NroPiezas, std::int16_t(g.OrdenPiezas.size() - 1));
        for (std::int16_t i = 1; i <= n; ++i) {
            // Each piece once, in the drawing order as it stood, front first.
            pasos::Paso([&] { PasaAlFrente(i); });
            const std::int16_t p = g.OrdenPiezas[1];
            if (pasos::PiezaValida(p) && !PiezaBienColocada(p)) llevaADestino(p);
            EventosEntrePasosResolucion();
            if (!sigue()) break;
        }
    }
    fin();
}

void ResuelveTaipei() {
    auto& g = PuzzGbl;
    g.EjecutandoSolucion = true;
    bool sinSolucion = false;
    {
        const plat::LongAction ejecucion;
        for (std::int16_t t = 1; t <= std::min<std::int16_t>(taipei::kFichas, std::int16_t(g.Piezas.size() - 1)); ++t)
            if (g.Piezas[std::size_t(t)].Estado == 2) g.Piezas[std::size_t(t)].Estado = 1;
        redibuja();
        ListaParejas lista{};
        int nParejas = fichasEnTablero() / 2;
        g.TAI_SolucionHallada = false;
        pasos::Paso([] {
            if (const auto& f = buscaSolucion()) f();
            else TAI_BuscaSolucion();
        });
        if (g.TAI_SolucionHallada) {
            for (int k = 1; k <= nParejas; ++k)
                lista[std::size_t(k)] = {g.TAI_TablaBusqueda[std::size_t(k)][1], g.TAI_TablaBusqueda[std::size_t(k)][2]};
        } else if (!parejasDelReparto(lista, nParejas)) {
            sinSolucion = true;
        }
        for (int k = 1; !sinSolucion && k <= nParejas; ++k) {
            const std::int16_t a = lista[std::size_t(k)][0], b = lista[std::size_t(k)][1];
            // A pair that is not there to take ends the run rather than spoil the board.
            if (a == b || !enTablero(a) || !enTablero(b) || !TAI_FichaLibre(a) || !TAI_FichaLibre(b)) break;
            parpadeaYQuita(a, b);
            EventosEntrePasosResolucion();
            if (!sigue() || g.NroPiezasColocadas >= taipei::kFichas) break;
        }
    }
    fin();
    if (sinSolucion && !g.SaliendoPrograma)
        Mensaje(SinBlancos(TextoBoton(kTaipei, 12)), TextoTaipeiSinSolucion(), 2, 1, kAyudaTaipeiSinSolucion);
}
