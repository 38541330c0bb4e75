// Stand-ins for the picture work that has not landed yet, kept here so that
// the model links without the imaging library. The jigsaw and Taipei set-ups
// are replaced by their table set-ups; the piece imaging by the masks and
// images of every shape; the masked drawing and the erasing by the board
// drawing. Until then a piece is its whole box, cut from the board picture at
// its home, drawn at its position without a margin.
#include "core/PuzzGbl.h"
#include "core/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "imaging/PreparaMesa.h"
#include "model/Juego.h"
#include "model/Pasos.h"
#include "model/Sustitutos.h"
#include "platform/blit.h"

void PreparaPiezasMoviles(bool nuevo) { PreparacionSustituta(QStringLiteral("PreparaPiezasMoviles"), nuevo); }
void TAI_PreparaMesa(bool nuevo) { PreparacionSustituta(QStringLiteral("TAI_PreparaMesa"), nuevo); }

void GeneraImagenPieza(std::int16_t pieza) {
    if (!pasos::PiezaValida(pieza)) return;
    auto& g = PuzzGbl;
    g.PiezaActual = g.Piezas[pieza];
    const int w = AnchoPiezaGirada(pieza, g.PiezaActual.Giro, g.PiezaActual.Volteo);
    const int h = AltoPiezaGirada(pieza, g.PiezaActual.Giro, g.PiezaActual.Volteo);
    auto& mascara = mesa.Pic_PiezaMascara;
    auto& imagen = mesa.Pic_PiezaImagen;
    mascara.setSize(std::max(w, 0), std::max(h, 0));
    mascara.clearPicture();
    imagen.setSize(std::max(w, 0), std::max(h, 0));
    imagen.clearPicture();
    if (w < 1 || h < 1) return;
    mascara.filledBox(0, 0, w - 1, h - 1, 0x000000);
    plat::bitBlt(imagen, 0, 0, w, h, mesa.Pic_Bitmap, g.PiezaActual.XDestino, g.PiezaActual.YDestino,
                 plat::rop::kSrcCopy);
}

void DibujaPiezaEnImagen(plat::Surface& destino, std::int16_t pieza) {
    if (!pasos::PiezaValida(pieza)) return;
    const int w = mesa.Pic_PiezaMascara.scaleWidth();
    const int h = mesa.Pic_PiezaMascara.scaleHeight();
    const int x = PuzzGbl.Piezas[pieza].X;
    const int y = PuzzGbl.Piezas[pieza].Y;
    auto& final = mesa.Pic_PiezaFinal;
    final.setSize(w, h);
    plat::bitBlt(final, 0, 0, w, h, mesa.Pic_Imagen, x, y, plat::rop::kSrcCopy);
    plat::bitBlt(final, 0, 0, w, h, mesa.Pic_PiezaMascara, 0, 0, plat::rop::kSrcAnd);
    plat::bitBlt(final, 0, 0, w, h, mesa.Pic_PiezaImagen, 0, 0, plat::rop::kSrcInvert);
    plat::bitBlt(destino, x, y, w, h, final, 0, 0, plat::rop::kSrcCopy);
}

// The empty table again, then every other piece in drawing order.
void BorraPiezaDeImagen(std::int16_t pieza) {
    auto& g = PuzzGbl;
    plat::bitBlt(mesa.Pic_Imagen, 0, 0, mesa.Pic_Imagen.scaleWidth(), mesa.Pic_Imagen.scaleHeight(), mesa.Pic_Fondo,
                 0, 0, plat::rop::kSrcCopy);
    const int ultima = std::min<int>(g.NroPiezas, int(g.OrdenPiezas.size()) - 1);
    for (int i = ultima; i >= 1; --i) {
        const std::int16_t otra = g.OrdenPiezas[i];
        if (otra == pieza || !pasos::PiezaValida(otra)) continue;
        GeneraImagenPieza(otra);
        DibujaPiezaEnImagen(mesa.Pic_Imagen, otra);
    }
}
