#include "table/RecogePiezas.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/ColumnasPentomino.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "platform/numbers.h"
#include "platform/ui/events.h"
#include "table/Desolapa.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

using namespace juego;
using pasos::Paso;
using pasos::PiezaValida;

constexpr int kPunteroReloj = 11, kSonidoRecogida = 52;
constexpr int kSeparacionTangram = 20;

std::function<void()>& eventos() {
    static std::function<void()> f;
    return f;
}

// Lets the window's events run; whether the gathering goes on.
bool sigue() {
    auto& g = PuzzGbl;
    if (const auto& f = eventos()) f();
    else plat::doEvents();
    return g.RecogiendoPiezas && !g.SaliendoPrograma;
}

int redondea(double v) { return int(plat::roundHalfEven(v)); }

// The misplaced pieces as the drawing order lists them now.
std::vector<std::int16_t> fueraDeSitioEnOrden() {
    const auto& g = PuzzGbl;
    std::vector<std::int16_t> lista;
    const int n = std::min<int>(g.NroPiezas, int(g.OrdenPiezas.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        const std::int16_t p = g.OrdenPiezas[std::size_t(i)];
        if (PiezaValida(p) && !PiezaBienColocada(p)) lista.push_back(p);
    }
    return lista;
}

// Slides p to (HuecoX, HuecoY) in front of the others and records the move.
void mueve(std::int16_t p) {
    auto& g = PuzzGbl;
    auto& r = g.Piezas[std::size_t(p)];
    g.PosAnteriorX = r.X;
    g.PosAnteriorY = r.Y;
    Paso([p] { PasaAlFrente(PosicionEnOrden(p)); });
    Paso([&] { MuevePiezaAnimada(r.X, r.Y, g.HuecoX, g.HuecoY, p); });
    g.ArrastrandoPieza = false;
    if (g.TipoJuego == kTangram) {
        // Pieces never lie on each other: one laid over a piece in place is
        // pushed out of it.
        const std::int16_t antes = g.PiezaSeleccionada;
        g.PiezaSeleccionada = p;
        Paso(TAN_DesolapaPieza);
        g.PiezaSeleccionada = antes;
    }
    Sonido(0, kSonidoRecogida);
    Paso([&] { GrabaMovimiento(g.PosAnteriorX, g.PosAnteriorY, r.Giro, r.Volteo, r.X, r.Y, r.Giro, r.Volteo); });
}

// The visible part of the table, in table pixels.
struct Visible {
    int izquierda, arriba, derecha, abajo;
};
Visible parteVisible() {
    const auto& g = PuzzGbl;
    const int hV = mesa.BarraHor.Value(), vV = mesa.BarraVer.Value();
    const int anchoVentana = mesa.BarraVer.Visible() ? mesa.BarraVer.Left() : g.AnchoMesa;
    const int altoVentana = mesa.BarraHor.Visible() ? mesa.BarraHor.Top() : g.AltoMesa;
    Visible v{hV, vV, std::min(hV + anchoVentana, mesa.Pic_Trabajo.scaleWidth()),
              std::min(vV + altoVentana, mesa.Pic_Trabajo.scaleHeight())};
    // The tips panel lies on the table, in table pixels.
    if (g.MostrarSugerencias) v.abajo = std::min(v.abajo, mesa.Pic_Sugerencia.top());
    return v;
}

// Keeps a part ox, oy from (HuecoX, HuecoY), w by h, on the visible table.
void acota(const Visible& v, int ox, int oy, int w, int h) {
    auto& g = PuzzGbl;
    const int x = std::clamp(g.HuecoX + ox, v.izquierda, std::max(v.izquierda, v.derecha - w));
    const int y = std::clamp(g.HuecoY + oy, v.arriba, std::max(v.arriba, v.abajo - h));
    g.HuecoX = plat::toInt16(x - ox);
    g.HuecoY = plat::toInt16(y - oy);
}

void recogeRompecabezas() {
    auto& g = PuzzGbl;
    const std::vector<std::int16_t> lista = fueraDeSitioEnOrden();
    if (lista.empty()) return;
    const Visible v = parteVisible();
    const int lado = std::max<int>(1, g.LadoZonaPieza);
    const float botonera = float(mesa.Pic_Botonera.left());
    double x = redondea(double(mesa.BarraHor.Value()) + botonera - lado);
    double y = v.arriba + 5;
    double abajo = v.abajo;
    double guardadaX = 0;
    bool vertical = true;
    const int columnas = redondea(std::sqrt(double(lista.size())) + 3);
    const float escala = std::min(botonera / float(columnas) / float(lado), 1.1f);
    for (const std::int16_t p : lista) {
        if (!PiezaBienColocada(p)) {
            const auto& r = g.Piezas[std::size_t(p)];
            const bool triangulo = g.FormaPieza == 3;
            int alto = AltoPiezaGirada(p, r.Giro, r.Volteo), ancho = AnchoPiezaGirada(p, r.Giro, r.Volteo);
            int ox = 0, oy = 0;
            if (triangulo) {
                CalculaLimitesMascara(p);
                alto = g.MascaraAlto;
                ancho = g.MascaraAncho;
                ox = g.MascaraPosX - r.X;
                oy = g.MascaraPosY - r.Y;
            }
            double h = std::floor(escala * float(alto));
            double w = std::floor(escala * float(ancho));
            if (vertical && y + h > abajo) {
                // The column is full: a row along its bottom.
                guardadaX = x;
                y = redondea(abajo - lado * double(escala));
                if (y + lado > v.abajo) y = v.abajo - lado;
                abajo = y;
                h = 0;
                vertical = false;
            }
            if (!vertical) {
                if (x - w >= v.izquierda) {
                    x -= w; // the row grows leftwards
                    h = 0;
                } else {
                    // A new column, further in.
                    x = redondea(guardadaX - lado * double(escala));
                    abajo = y;
                    y = v.arriba;
                    w = 0;
                    vertical = true;
                }
            }
            g.HuecoX = plat::toInt16((long long)x);
            g.HuecoY = plat::toInt16((long long)y);
            if (triangulo && g.MascaraPosX != r.X) g.HuecoX = plat::toInt16((long long)x - g.MascaraAncho);
            if (triangulo && g.MascaraPosY != r.Y) g.HuecoY = plat::toInt16((long long)y - g.MascaraAlto);
            acota(v, triangulo ? ox : -g.MargenPiezaX, triangulo ? oy : -g.MargenPiezaY, ancho, alto);
            mueve(p);
            y += h;
        }
        if (!sigue()) return;
    }
}

void recogeTangram() {
    auto& g = PuzzGbl;
    int x0 = redondea(mesa.Pic_Botonera.left());
    int minX = x0;
    g.HuecoY = g.OrigenY;
    const int n = std::min<int>({7, g.NroPiezas, int(g.Piezas.size()) - 1});
    for (int i = 1; i <= n; ++i) {
        const auto p = std::int16_t(i);
        if (!PiezaBienColocada(p)) {
            const auto& r = g.Piezas[std::size_t(p)];
            const int h = AltoPiezaGirada(p, r.Giro, r.Volteo), w = AnchoPiezaGirada(p, r.Giro, r.Volteo);
            if (g.HuecoY + h > g.AltoMesa) {
                x0 = minX;
                g.HuecoY = g.OrigenY;
            }
            g.HuecoX = plat::toInt16(x0 - kSeparacionTangram - w);
            minX = std::min<int>(minX, g.HuecoX);
            const int y = g.HuecoY;
            // The piece stays on the table.
            g.HuecoX = plat::toInt16(std::clamp<int>(g.HuecoX, 0, std::max(0, g.AnchoMesa - w)));
            g.HuecoY = plat::toInt16(std::clamp<int>(g.HuecoY, 0, std::max(0, g.AltoMesa - h)));
            mueve(p);
            g.HuecoY = plat::toInt16(y + h + g.OrigenY);
        }
        if (!sigue()) return;
    }
}

void recogePentominos() {
    auto& g = PuzzGbl;
    const std::vector<std::int16_t> lista = fueraDeSitioEnOrden();
    ColumnasPentomino columnas;
    for (const std::int16_t p : lista) {
        if (PiezaBienColocada(p)) continue;
        const auto& r = g.Piezas[std::size_t(p)];
        const int w = AnchoPiezaGirada(p, r.Giro, r.Volteo), h = AltoPiezaGirada(p, r.Giro, r.Volteo);
        const auto lugar = columnas.Siguiente(w, h);
        g.HuecoX = lugar.x;
        g.HuecoY = lugar.y;
        mueve(p);
        if (!sigue()) return;
    }
}

} // namespace

void RegistraEventosRecogida(std::function<void()> f) { eventos() = std::move(f); }

void RecogePiezas() {
    auto& g = PuzzGbl;
    // Presses that reach the panel meanwhile are put off, a stop press excepted.
    {
        const plat::LongAction recogida;
        mesa.Pic_Trabajo.setMousePointer(kPunteroReloj);
        g.PunteroRaton = kPunteroReloj;
        switch (g.TipoJuego) {
        case kPiezasMoviles: Paso(recogeRompecabezas); break;
        case kTangram: Paso(recogeTangram); break;
        case kPentominos: Paso(recogePentominos); break;
        default: break;
        }
    }
    g.ArrastrandoPieza = false;
    g.RecogiendoPiezas = false;
    mesa.Pic_Trabajo.setMousePointer(0);
    g.PunteroRaton = 0;
}
