#include "table/Tutor.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/Juego.h"
#include "model/Pasos.h"
#include "model/Pentominos.h"
#include "model/Tangram.h"
#include "platform/blit.h"
#include "platform/region.h"

#include <algorithm>

namespace {

using namespace juego;

constexpr int kSonidoTutor = 55;
constexpr int kVeces = 3;

using Caja = CajaPieza;

bool seTocan(const Caja& a, const Caja& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// The pointed piece shows as it was: its box redrawn in drawing order.
void vuelvePieza(std::int16_t p) {
    pasos::Paso([&] { RedibujaCajaEnOrden(p); });
    mesa.Pic_Trabajo_Paint();
}

void jigsaw(std::int16_t p) {
    auto& g = PuzzGbl;
    auto& trabajo = mesa.Pic_Trabajo;
    const auto& r = g.Piezas[std::size_t(p)];
    trabajo.setDrawMode(plat::drawmode::kInvert);
    for (int i = 0; i < kVeces; ++i) {
        pasos::Paso([&] { BorraPiezaDeImagen(p); });
        mesa.Pic_Trabajo_Paint();
        trabajo.filledBox(r.XDestino, r.YDestino, r.XDestino + g.AnchoPieza, r.YDestino + g.AltoPieza, 0);
        trabajo.refresh();
        Sonido(0, kSonidoTutor);
        Retardo(130);
        vuelvePieza(p);
        Retardo(170);
    }
    trabajo.setDrawMode(plat::drawmode::kCopyPen);
}

void tangram(std::int16_t p) {
    auto& g = PuzzGbl;
    for (int i = 0; i < kVeces; ++i) {
        pasos::Paso([&] { BorraPiezaDeImagen(p); });
        pasos::Paso([&] { TAN_DibujaPieza(p); });
        for (std::int16_t q = 1; q <= std::min<std::int16_t>(7, g.NroPiezas); ++q) {
            if (q == p || !pasos::PiezaValida(q)) continue;
            pasos::Paso([&] {
                GeneraImagenPieza(q);
                DibujaPiezaEnImagen(mesa.Pic_Imagen, q);
            });
        }
        mesa.Pic_Trabajo_Paint();
        Sonido(0, kSonidoTutor);
        Retardo(130);
        pasos::Paso([] { RedibujaImagen(1); });
        Retardo(170);
    }
}

void pentominos(std::int16_t p) {
    auto& g = PuzzGbl;
    auto& trabajo = mesa.Pic_Trabajo;
    const auto& r = g.Piezas[std::size_t(p)];
    const int lado = g.LadoCelda;
    const plat::Color color = g.PiezasUnColor || std::size_t(p) >= g.PEN_TablaPiezas.size()
                                  ? plat::Color(g.ColorPieza)
                                  : g.PEN_TablaPiezas[std::size_t(p)].Color;
    for (int i = 0; i < kVeces; ++i) {
        pasos::Paso([&] { BorraPiezaDeImagen(p); });
        mesa.Pic_Trabajo_Paint();
        pasos::Paso([&] { PEN_TransformaPieza(p, r.GiroDestino, r.VolteoDestino); });
        const auto celdas = g.PEN_PiezaGirada;
        for (int c = 1; c <= 5; ++c) {
            const int x = r.XDestino + celdas.X[std::size_t(c)] * lado;
            const int y = r.YDestino + celdas.Y[std::size_t(c)] * lado;
            trabajo.filledBox(x, y, x + lado, y + lado, color);
        }
        trabajo.refresh();
        Sonido(0, kSonidoTutor);
        Retardo(210);
        vuelvePieza(p);
        Retardo(170);
    }
}

bool fichaEnTablero(std::int16_t t) {
    return pasos::PiezaValida(t) && t <= 144 && PuzzGbl.Piezas[std::size_t(t)].Estado != 0;
}

void taipei() {
    auto& g = PuzzGbl;
    const std::int16_t a = g.TAI_ParejaSugerida[1], b = g.TAI_ParejaSugerida[2];
    if (a == b || !fichaEnTablero(a) || !fichaEnTablero(b)) return;
    const std::int16_t n = std::min<std::int16_t>(144, std::int16_t(g.Piezas.size() - 1));
    for (int i = 0; i < kVeces; ++i) {
        for (std::int16_t t = 1; t <= n; ++t) {
            auto& f = g.Piezas[std::size_t(t)];
            if (t == a || t == b) f.Estado = 2;
            else if (f.Estado == 2) f.Estado = 1;
        }
        pasos::Paso([] { RedibujaImagen(1); });
        Sonido(0, kSonidoTutor);
        Retardo(130);
        for (std::int16_t t = 1; t <= n; ++t)
            if (g.Piezas[std::size_t(t)].Estado == 2) g.Piezas[std::size_t(t)].Estado = 1;
        pasos::Paso([] { RedibujaImagen(1); });
        Sonido(0, kSonidoTutor);
        Retardo(170);
    }
}

} // namespace

void RedibujaCajaEnOrden(std::int16_t pieza) {
    if (!pasos::PiezaValida(pieza)) return;
    auto& g = PuzzGbl;
    auto& imagen = mesa.Pic_Imagen;
    const Caja caja = CajaDePieza(pieza);
    plat::bitBlt(imagen, caja.x, caja.y, caja.w, caja.h, mesa.Pic_Fondo, caja.x, caja.y, plat::rop::kSrcCopy);
    const plat::Region recorte = plat::Region::rect(caja.x, caja.y, caja.x + caja.w, caja.y + caja.h);
    imagen.selectClipRegion(&recorte);
    const int largo = std::min<int>(g.NroPiezas, int(g.OrdenPiezas.size()) - 1);
    for (int i = largo; i >= 1; --i) {
        const std::int16_t q = g.OrdenPiezas[std::size_t(i)];
        if (!pasos::PiezaValida(q) || !seTocan(caja, CajaDePieza(q))) continue;
        pasos::Paso([&] {
            GeneraImagenPieza(q);
            DibujaPiezaEnImagen(imagen, q);
        });
    }
    imagen.selectClipRegion(nullptr);
}

void TutorIndicandoMesa() {
    auto& g = PuzzGbl;
    const std::int16_t p = g.PiezaSeleccionada;
    Retardo(80);
    const bool pieza = pasos::PiezaValida(p);
    switch (g.TipoJuego) {
    case kPiezasMoviles:
        if (pieza) jigsaw(p);
        break;
    case kTangram:
        if (pieza) tangram(p);
        break;
    case kPentominos:
        if (pieza) pentominos(p);
        break;
    case kTaipei: taipei(); break;
    default: break;
    }
    g.PasaAlHistorico = false;
    g.TutorActivo = false;
}
