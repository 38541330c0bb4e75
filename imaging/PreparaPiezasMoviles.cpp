// The jigsaw's table: the board picture with its cut lines, the scroll bars
// of a picture larger than the table, the thumbnail, the work image and the
// clean table, the piece size and templates, and for a new puzzle the pieces
// at their homes, dealt.
#include "imaging/PreparaMesa.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/PiezasMoviles.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "platform/blit.h"
#include "platform/numbers.h"

#include <QImage>

#include <cmath>
#include <vector>

using pasos::Paso;

namespace {

using plat::Surface;
using plat::toInt16;

// Whether the piece array holds a dealt puzzle of the present size: every
// piece once in the drawing order. A jigsaw whose state was written before
// any picture was chosen has every slot empty.
bool PiezasRepartidas() {
    const auto& g = PuzzGbl;
    const int n = g.NroPiezas;
    if (n < 1 || g.Piezas.size() != std::size_t(n) + 1 || g.OrdenPiezas.size() != std::size_t(n) + 1) return false;
    std::vector<bool> visto(std::size_t(n) + 1, false);
    for (int i = 1; i <= n; ++i) {
        const int o = g.OrdenPiezas[std::size_t(i)];
        if (o < 1 || o > n || visto[std::size_t(o)]) return false;
        visto[std::size_t(o)] = true;
    }
    return true;
}

// The range of a scroll bar: the board and 200 pixels of room against the
// visible part, at least 10; with nothing to scroll the bar is left as it is.
void Recorrido(BarraDesplazamiento& barra, int tablero, int visible) {
    if (float(tablero + 200) <= float(visible)) return;
    barra.setValue(0);
    auto maximo = plat::cint16(std::fabs(double(tablero) + 200 - visible));
    if (maximo < 10) maximo = 10;
    barra.setMax(maximo);
    barra.setLargeChange(std::int16_t(maximo / 10));
}

void BarrasDeDesplazamiento(int ancho, int alto) {
    auto& g = PuzzGbl;
    auto& hor = mesa.BarraHor;
    auto& ver = mesa.BarraVer;
    Surface& cuadrito = mesa.Pic_Cuadrito;
    if (ancho < float(0.65 * g.AnchoMesa) && alto < float(0.65 * g.AltoMesa)) {
        // No bars: both moved off the visible table.
        Paso([&] { hor.Move(0, g.AltoMesa, hor.Width(), hor.Height()); });
        Paso([&] { ver.Move(g.AnchoMesa, 0, ver.Width(), ver.Height()); });
        hor.setValue(0);
        ver.setValue(0);
        hor.setVisible(false);
        ver.setVisible(false);
        cuadrito.setVisible(false);
        return;
    }
    const int botonera = mesa.Pic_Botonera.height();
    Paso([&] { hor.Move(0, toInt16(g.AltoMesa - hor.Height()), toInt16(g.AnchoMesa - ver.Width()), hor.Height()); });
    // The vertical bar starts below the command panel.
    Paso([&] {
        ver.Move(toInt16(g.AnchoMesa - ver.Width()), toInt16(botonera), ver.Width(),
                 toInt16(g.AltoMesa - hor.Height() - botonera));
    });
    cuadrito.move(ver.Left(), hor.Top());
    hor.setMax(0);
    if (g.MostrarSugerencias) Paso([&] { MuestraSugerencia(g.NroSugerencia); });
    Paso([&] { Recorrido(hor, ancho, g.AnchoMesa - ver.Width()); });
    ver.setMax(0);
    Paso([&] { Recorrido(ver, alto, g.AltoMesa - hor.Height()); });
    hor.setVisible(true);
    ver.setVisible(true);
    cuadrito.setVisible(true);
}

// The half-size thumbnail of the board picture, in the model preview.
void Miniatura(int ancho, int alto) {
    Surface& muestra = mesa.Pic_Muestra;
    muestra.setVisible(false);
    mesa.Refresh();
    muestra.setPicture(mesa.Pic_FonTamModi.picture());
    muestra.setSize(plat::cint(float(ancho) / 2), plat::cint(float(alto) / 2));
    plat::setStretchBltMode(muestra, plat::stretchmode::kColorOnColor);
    plat::stretchBlt(muestra, 0, 0, muestra.scaleWidth(), muestra.scaleHeight(), mesa.Pic_Bitmap, 0, 0, ancho, alto,
                     plat::rop::kSrcCopy);
    muestra.setVisible(PuzzGbl.MuestraVisible);
    mesa.Refresh();
}

// The work image: the table's colour with the board's right and bottom edges
// framed; it becomes the back buffer's own picture (the empty table).
void ImagenDeTrabajo(int ancho, int alto) {
    const auto& g = PuzzGbl;
    Surface& im = mesa.Pic_Imagen;
    im.move(0, 0, ancho, alto);
    im.setBackColor(plat::Color(g.ColorFondo));
    im.clearPicture();
    const auto lineas = plat::Color(g.ColorLineas);
    im.line(g.AnchoImagen, -1, g.AnchoImagen, g.AltoImagen, lineas);
    im.line(-1, g.AltoImagen, g.AnchoImagen, g.AltoImagen, lineas);
    im.keepImageAsPicture();
}

// Every piece at its cell's home, numbered row by row from the top left, the
// pieces of one cell one after another; the drawing order 1..n.
void PonPiezasEnCasa() {
    auto& g = PuzzGbl;
    const int n = std::max<int>(0, g.NroPiezas);
    g.Piezas.assign(std::size_t(n) + 1, RegistroPieza{});
    g.OrdenPiezas.assign(std::size_t(n) + 1, 0);
    const int lado = g.PiezasLado, porCasilla = g.PiezasCasilla;
    for (int r = 0; r < lado; ++r) {
        g.ContadorY = std::int16_t(r);
        for (int c = 0; c < lado; ++c) {
            g.ContadorX = std::int16_t(c);
            for (int k = 1; k <= porCasilla; ++k) {
                const int i = (r * lado + c) * porCasilla + k;
                if (i > n) continue;
                auto& p = g.Piezas[std::size_t(i)];
                p.XDestino = toInt16(1LL * c * g.AnchoPieza);
                p.YDestino = toInt16(1LL * r * g.AltoPieza);
                g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
            }
        }
    }
}

} // namespace

void PreparaPiezasMoviles(bool nuevo) {
    auto& g = PuzzGbl;
    Surface& bitmap = mesa.Pic_Bitmap;

    // The zoomed picture on the board.
    Paso([&] {
        bitmap.move(0, 0, g.AnchoImagen, g.AltoImagen);
        const Surface& modi = mesa.Pic_FonTamModi;
        bitmap.setPicture(modi.hasPicture() ? modi.picture() : modi.image());
        bitmap.setForeColor(plat::Color(g.ColorLineas));
    });
    const int ancho = bitmap.width(), alto = bitmap.height();

    // Scroll bars when the board reaches 0.65 of the table either way.
    Paso([&] { BarrasDeDesplazamiento(ancho, alto); });
    // The thumbnail.
    Paso([&] { Miniatura(ancho, alto); });

    // The work size: the board and 200 pixels of room, at least the visible table.
    int anchoTrabajo = 0, altoTrabajo = 0;
    Paso([&] {
        const double a = ancho + 200.0, b = alto + 200.0;
        anchoTrabajo = toInt16(a > mesa.BarraVer.Left() ? plat::cint(a) : mesa.BarraVer.Left());
        altoTrabajo = toInt16(b > mesa.BarraHor.Top() ? plat::cint(b) : mesa.BarraHor.Top());
    });

    // The work image, the visible table and the clean table.
    Paso([&] { ImagenDeTrabajo(anchoTrabajo, altoTrabajo); });
    Paso([&] {
        mesa.Pic_Trabajo.move(0, 0, anchoTrabajo, altoTrabajo);
        mesa.Pic_Trabajo_Paint();
    });
    Paso([&] {
        mesa.Pic_Fondo.move(0, 0, anchoTrabajo, altoTrabajo);
        mesa.Pic_Fondo.setPicture(mesa.Pic_Imagen.image());
    });

    // The piece's picture, its templates and the room kept per loose piece.
    Paso(DibujaPlantillasPiezas);
    g.LadoZonaPieza = g.AnchoPiezaBase > g.AltoPiezaBase ? g.AnchoPiezaBase : g.AltoPiezaBase;

    // The command panel and the cut lines, which stay only as borders.
    Paso(DibujaBotonera);
    Paso([&] { DibujaCortesPiezas(bitmap); });
    if (!g.DibujarBorde) Paso([&] { bitmap.cls(); });

    // A new puzzle, or a state that brought no dealt pieces: homes and deal.
    if (nuevo || !PiezasRepartidas()) {
        Paso(PonPiezasEnCasa);
        Paso(BarajaPiezas);
    }

    // The recorder ends at the current move; the preview's place.
    g.UltimoMovGrabado = g.MovActual;
    Paso(DibujaGrabadora);
    Paso(ColocaMuestra);
}
