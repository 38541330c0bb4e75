// The Taipei table: a plain table in the background colour on which the tiles
// are the only drawing, and a new deal on the layout of the chosen model.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Sustitutos.h"
#include "core/mesa.h"
#include "imaging/PreparaMesa.h"
#include "model/Juego.h"
#include "model/Modelos.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "model/Taipei.h"

#include <QString>

using pasos::Paso;

namespace {

constexpr int kFichas = 144;

// A fresh game starts from the layout of the chosen model and 144 new tiles
// that know their suits, so that the deal can pair them.
void FichasNuevas() {
    auto& g = PuzzGbl;
    Paso([] { TAI_CargaModelo(PuzzGbl.NroModelo); });
    Paso([] { CalculaGeometriaPuzzle(); });
    g.NroPiezas = kFichas;
    g.Piezas.assign(kFichas + 1, RegistroPieza{});
    g.OrdenPiezas.assign(kFichas + 1, 0);
    for (int t = 1; t <= kFichas; ++t) g.OrdenPiezas[std::size_t(t)] = std::int16_t(t);
    TAI_AsignaPalos();
}

} // namespace

void TAI_PreparaMesa(bool nuevo) {
    AnotaLlamada(QStringLiteral("TAI_PreparaMesa ") + (nuevo ? QStringLiteral("-1") : QStringLiteral("0")));
    auto& g = PuzzGbl;
    if (nuevo) FichasNuevas();
    const int ancho = g.AnchoMesa, alto = g.AltoMesa;

    plat::Surface& b = mesa.Pic_Bitmap;
    b.move(0, 0, ancho, alto);
    b.clearPicture();
    b.setBackColor(plat::Color(g.ColorPieza));

    mesa.BarraHor.setLeft(0);
    mesa.BarraHor.setTop(std::int16_t(alto));
    mesa.BarraHor.setVisible(false);
    mesa.BarraVer.setLeft(std::int16_t(ancho));
    mesa.BarraVer.setTop(0);
    mesa.BarraVer.setVisible(false);
    mesa.BarraHor.setValue(0);
    mesa.BarraVer.setValue(0);
    mesa.Pic_Cuadrito.setVisible(false);
    mesa.Pic_Muestra.setVisible(false);

    plat::Surface& im = mesa.Pic_Imagen;
    im.move(0, 0, ancho, alto);
    im.clearPicture();
    im.setBackColor(plat::Color(g.ColorFondo));
    im.keepImageAsPicture();

    mesa.Pic_Trabajo.move(0, 0, ancho, alto);
    mesa.Pic_Trabajo_Paint();
    mesa.Pic_Fondo.move(0, 0, ancho, alto);
    mesa.Pic_Fondo.setPicture(im.image());

    mesa.Pic_PiezaImagen.setForeColor(plat::Color(g.ColorLineas));
    g.MargenPiezaX = g.MargenPiezaY = 0;

    Paso(DibujaBotonera);
    if (nuevo) Paso(BarajaPiezas);
    g.UltimoMovGrabado = g.MovActual;
    Paso(DibujaGrabadora);
}
