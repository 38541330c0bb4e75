#include "imaging/MesaLisa.h"

#include "core/PuzzGbl.h"
#include "table/mesa.h"

void PreparaMesaLisa() {
    auto& g = PuzzGbl;
    plat::Surface& b = mesa.Pic_Bitmap;
    b.clearPicture();
    b.move(0, 0, g.AnchoMesa, g.AltoMesa);
    b.setBackColor(plat::Color(g.ColorPieza));
    mesa.BarraHor.setLeft(0);
    mesa.BarraHor.setTop(g.AltoMesa);
    mesa.BarraVer.setLeft(g.AnchoMesa);
    mesa.BarraVer.setTop(0);
    for (auto* barra : {&mesa.BarraHor, &mesa.BarraVer}) {
        barra->setVisible(false);
        barra->setValue(0);
    }
    mesa.Pic_Cuadrito.setVisible(false);
    mesa.Pic_Muestra.setVisible(false);
}

void PreparaFondoLiso(const std::function<void(plat::Surface&)>& dibuja) {
    auto& g = PuzzGbl;
    plat::Surface& im = mesa.Pic_Imagen;
    im.clearPicture();
    im.move(0, 0, g.AnchoMesa, g.AltoMesa);
    im.setBackColor(plat::Color(g.ColorFondo));
    if (dibuja) dibuja(im);
    im.keepImageAsPicture();
    mesa.Pic_Trabajo.move(0, 0, g.AnchoMesa, g.AltoMesa);
    mesa.Pic_Trabajo_Paint();
    mesa.Pic_Fondo.move(0, 0, g.AnchoMesa, g.AltoMesa);
    mesa.Pic_Fondo.setPicture(im.image());
    mesa.Pic_PiezaImagen.setForeColor(plat::Color(g.ColorLineas));
}
