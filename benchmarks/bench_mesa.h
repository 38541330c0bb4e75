// The table the benchmarks draw on: the model and the surfaces cleared, then
// the back buffer, the background and the visible table of one size, filled
// with one colour.
#pragma once

#include "core/PuzzGbl.h"
#include "table/mesa.h"

#include <QImage>

inline void MesaLisa(int ancho, int alto, QRgb color) {
    mesa.reset();
    PuzzGbl.reset();
    QImage vacia(ancho, alto, QImage::Format_RGB32);
    vacia.fill(color);
    for (plat::Surface* s : {&mesa.Pic_Imagen, &mesa.Pic_Fondo, &mesa.Pic_Trabajo}) {
        s->setSize(ancho, alto);
        s->setPicture(vacia);
    }
}
