#include "imaging/Dibujo.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/ImagenPieza.h"
#include "model/Geometria.h"
#include "model/Juego.h"
#include "model/Taipei.h"
#include "platform/blit.h"
#include "platform/numbers.h"
#include "platform/region.h"

#include <algorithm>

namespace {

using namespace juego;

using plat::Region;
using plat::Surface;
namespace rop = plat::rop;

constexpr int kPasoAnimado = 14;

bool PiezaValida(int p) {
    return p >= 1 && p <= PuzzGbl.NroPiezas && p < int(PuzzGbl.Piezas.size());
}

// The places of OrdenPiezas that hold pieces: 1 to this.
int LargoOrden() { return std::min<int>(PuzzGbl.NroPiezas, int(PuzzGbl.OrdenPiezas.size()) - 1); }

int Signo(int v) { return (v > 0) - (v < 0); }

using Caja = CajaPieza;

Region& R(int i) { return PuzzGbl.Regiones[std::size_t(i)]; }

void PonRect(Region& r, const Caja& c) { r.setRect(c.x, c.y, c.x + c.w, c.y + c.h); }

// Builds the piece's imaging and draws it into the back buffer.
void DibujaEnFondo(std::int16_t p) {
    GeneraImagenPieza(p);
    DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
}

} // namespace

CajaPieza CajaDePieza(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    const RegistroPieza& r = g.Piezas[std::size_t(pieza)];
    return {r.X - g.MargenPiezaX, r.Y - g.MargenPiezaY, AnchoPiezaGirada(pieza, r.Giro, r.Volteo),
            AltoPiezaGirada(pieza, r.Giro, r.Volteo)};
}

void DibujaPiezaEnImagen(plat::Surface& destino, std::int16_t pieza) {
    if (!PiezaValida(pieza)) return;
    const auto& g = PuzzGbl;
    const Surface& mascara = mesa.Pic_PiezaMascara;
    Surface& final = mesa.Pic_PiezaFinal;
    const int w = mascara.scaleWidth(), h = mascara.scaleHeight();
    if (w <= 0 || h <= 0) return;
    const int x = g.Piezas[pieza].X - g.MargenPiezaX;
    const int y = g.Piezas[pieza].Y - g.MargenPiezaY;
    if (&destino == &mesa.Pic_Imagen) {
        // The background is the target itself: combined in place, as the
        // composition copied back would leave it.
        plat::bitBlt(destino, x, y, w, h, mascara, 0, 0, rop::kSrcAnd);
        plat::bitBlt(destino, x, y, w, h, mesa.Pic_PiezaImagen, 0, 0, rop::kSrcInvert);
        return;
    }
    final.setSize(w, h);
    final.clearPicture();
    plat::bitBlt(final, 0, 0, w, h, mesa.Pic_Imagen, x, y, rop::kSrcCopy);
    plat::bitBlt(final, 0, 0, w, h, mascara, 0, 0, rop::kSrcAnd);
    plat::bitBlt(final, 0, 0, w, h, mesa.Pic_PiezaImagen, 0, 0, rop::kSrcInvert);
    plat::bitBlt(destino, x, y, w, h, final, 0, 0, rop::kSrcCopy);
}

void BorraPiezaDeImagen(std::int16_t pieza) {
    if (!PiezaValida(pieza)) return;
    auto& g = PuzzGbl;
    Surface& imagen = mesa.Pic_Imagen;
    const Caja caja = CajaDePieza(pieza);
    plat::bitBlt(imagen, caja.x, caja.y, caja.w, caja.h, mesa.Pic_Fondo, caja.x, caja.y, rop::kSrcCopy);
    PonRect(R(2), caja);
    imagen.selectClipRegion(&R(2));
    for (int i = LargoOrden(); i >= 1; --i) {
        const std::int16_t q = g.OrdenPiezas[std::size_t(i)];
        if (q == pieza || !PiezaValida(q)) continue;
        PonRect(R(1), CajaDePieza(q));
        if (plat::combine(R(3), R(1), R(2), plat::rgn::kAnd) == plat::rgn::kNullRegion) continue;
        DibujaEnFondo(q);
    }
    imagen.selectClipRegion(nullptr);
}

void ActualizaTrabajo(std::int16_t x, std::int16_t y, std::int16_t pieza) {
    if (!PiezaValida(pieza)) return;
    auto& g = PuzzGbl;
    RegistroPieza& r = g.Piezas[pieza];
    const long long nuevoX = (long long)r.X + x - g.TrabajoNuevoX;
    const long long nuevoY = (long long)r.Y + y - g.TrabajoNuevoY;
    const long long antX = (long long)r.X - g.MargenPiezaX, antY = (long long)r.Y - g.MargenPiezaY;
    // A place that 16 bits cannot hold is not taken.
    if (!plat::fitsInt16(nuevoX) || !plat::fitsInt16(nuevoY) || !plat::fitsInt16(antX) || !plat::fitsInt16(antY)) return;
    g.TrabajoAntX = std::int16_t(antX);
    g.TrabajoAntY = std::int16_t(antY);
    r.X = std::int16_t(nuevoX);
    r.Y = std::int16_t(nuevoY);
    const Caja nueva = CajaDePieza(pieza);
    Surface& trabajo = mesa.Pic_Trabajo;
    DibujaPiezaEnImagen(trabajo, pieza);
    R(1).setRect(g.TrabajoAntX, g.TrabajoAntY, g.TrabajoAntX + nueva.w, g.TrabajoAntY + nueva.h);
    PonRect(R(2), nueva);
    plat::combine(R(3), R(1), R(2), plat::rgn::kDiff);
    trabajo.selectClipRegion(&R(3));
    plat::bitBlt(trabajo, g.TrabajoAntX, g.TrabajoAntY, nueva.w, nueva.h, mesa.Pic_Imagen, g.TrabajoAntX,
                 g.TrabajoAntY, rop::kSrcCopy);
    trabajo.selectClipRegion(nullptr);
    g.TrabajoNuevoX = x;
    g.TrabajoNuevoY = y;
    trabajo.refresh();
}

void MuevePiezaAnimada(std::int16_t, std::int16_t, std::int16_t x1, std::int16_t y1, std::int16_t pieza) {
    if (!PiezaValida(pieza)) return;
    auto& g = PuzzGbl;
    // The slide starts where the piece is, whatever the caller thought.
    int x = g.Piezas[pieza].X, y = g.Piezas[pieza].Y;
    CogePieza(std::int16_t(x), std::int16_t(y), pieza);
    g.TrabajoNuevoX = std::int16_t(x);
    g.TrabajoNuevoY = std::int16_t(y);
    while (x != x1 || y != y1) {
        // Each axis steps towards its end on its own, the last step cut short.
        int cx = x + kPasoAnimado * Signo(x1 - x);
        int cy = y + kPasoAnimado * Signo(y1 - y);
        if (Signo(x1 - cx) != Signo(x1 - x)) cx = x1;
        if (Signo(y1 - cy) != Signo(y1 - y)) cy = y1;
        ActualizaTrabajo(std::int16_t(cx), std::int16_t(cy), pieza);
        const int nx = g.Piezas[pieza].X, ny = g.Piezas[pieza].Y;
        if (nx == x && ny == y) break; // no progress: stop rather than wait for ever
        x = nx;
        y = ny;
        g.TrabajoNuevoX = std::int16_t(x);
        g.TrabajoNuevoY = std::int16_t(y);
        Retardo(6);
    }
    DibujaPiezaEnImagen(mesa.Pic_Imagen, pieza);
}

void RedibujaImagen(std::int16_t modo) {
    const auto& g = PuzzGbl;
    mesa.Pic_Imagen.cls();
    if (g.TipoJuego == kTaipei) {
        const int filas = std::min<int>(g.FilasTablero, taipei::kFilas);
        const int columnas = std::min<int>(g.ColumnasTablero, taipei::kColumnas);
        for (int f = 1; f <= filas; ++f) {
            for (int c = 1; c <= columnas; ++c) {
                const auto& casilla = g.TAI_Tablero[std::size_t(f)][std::size_t(c)];
                const int altura = std::min<int>(casilla.Altura, taipei::kNiveles);
                for (int k = 1; k <= altura; ++k) {
                    const std::int16_t t = casilla.Ficha[std::size_t(k)];
                    if (!PiezaValida(t) || g.Piezas[t].Estado == 0) continue;
                    DibujaEnFondo(t);
                    if (modo == 0) mesa.Pic_Trabajo_Paint();
                }
            }
        }
    } else {
        const int n = LargoOrden();
        const bool adelante = g.TipoJuego == kDeslizantes;
        for (int j = 1; j <= n; ++j) {
            const int i = adelante ? j : n + 1 - j;
            const std::int16_t q = g.OrdenPiezas[std::size_t(i)];
            if (!PiezaValida(q)) continue;
            DibujaEnFondo(q);
            if (modo == 0) mesa.Pic_Trabajo_Paint();
        }
    }
    if (modo == 1) mesa.Pic_Trabajo_Paint();
    ActualizaInfoPiezas();
}

std::int16_t PosicionEnOrden(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    for (int i = 1, n = LargoOrden(); i <= n; ++i)
        if (g.OrdenPiezas[std::size_t(i)] == pieza) return std::int16_t(i);
    return 0;
}

void PasaAlFrente(std::int16_t posicion) {
    auto& g = PuzzGbl;
    if (posicion < 1 || posicion > LargoOrden()) return;
    auto& o = g.OrdenPiezas;
    std::rotate(o.begin() + 1, o.begin() + posicion, o.begin() + posicion + 1);
}

std::optional<PosicionMuestra> LugarMuestra() {
    auto& g = PuzzGbl;
    const Surface& muestra = mesa.Pic_Muestra;
    const Surface& grabadora = mesa.Pic_Grabadora;
    const double ancho = muestra.width(), alto = muestra.height();
    // The preview lies on the table, the recorder panel on the window: the
    // panel's place is taken to table pixels with the scroll values.
    const double hv = mesa.BarraHor.Value(), vv = mesa.BarraVer.Value();
    const double gx = grabadora.left() + hv, gy = grabadora.top() + vv;
    double mx = double(g.AnchoMesa) - ancho - (mesa.BarraVer.Visible() ? 16.0 : 0.0) + hv;
    double my = gy - alto;
    if (my < vv) my = double(g.AltoMesa) - alto - 37.0 - 16.0 + vv;
    if (mx + ancho + 1 > gx && gy + 1 < my + alto) mx = gx - ancho;
    // Beside the command panel, never under it (its shown place, so that
    // sliding it back in does not cover the preview).
    const double px = double(g.AnchoMesa) - kAnchoBotonera + hv, pAbajo = double(kAltoBotonera) + vv;
    if (my < pAbajo && mx + ancho > px) mx = px - ancho;
    mx = plat::roundHalfEven(mx);
    my = plat::roundHalfEven(my);
    if (!plat::fitsInt16((long long)mx) || !plat::fitsInt16((long long)my)) return std::nullopt;
    return PosicionMuestra{std::int16_t(mx), std::int16_t(my)};
}

void ColocaMuestra() {
    auto& g = PuzzGbl;
    const auto lugar = LugarMuestra();
    if (!lugar) return;
    g.MuestraX = lugar->x;
    g.MuestraY = lugar->y;
    mesa.Pic_Muestra.move(g.MuestraX, g.MuestraY);
    g.MuestraMovidaAMano = false;
}

void MuestraModelo() {
    auto& g = PuzzGbl;
    g.MostrandoModelo = true;
    if (g.TipoJuego == kPiezasMoviles) {
        plat::bitBlt(mesa.Pic_Imagen, 0, 0, g.AnchoImagen, g.AltoImagen, mesa.Pic_FonTamModi, 0, 0,
                     rop::kSrcCopy);
    } else if (g.TipoJuego == kTangram && !g.DibujarBorde) {
        g.DibujarBorde = true;
        RedibujaImagen(1);
        g.DibujarBorde = false;
    }
    mesa.Pic_Trabajo_Paint();
}

void OcultaModelo() {
    auto& g = PuzzGbl;
    g.MostrandoModelo = false;
    if (g.TipoJuego == kPiezasMoviles) {
        plat::bitBlt(mesa.Pic_Imagen, 0, 0, g.AnchoImagen, g.AltoImagen, mesa.Pic_Bitmap, 0, 0,
                     rop::kSrcCopy);
        mesa.Pic_Trabajo_Paint();
    } else if (g.TipoJuego == kTangram && !g.DibujarBorde) {
        RedibujaImagen(1);
    }
}
