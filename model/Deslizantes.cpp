#include "model/Deslizantes.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/Partida.h"
#include "platform/blit.h"
#include "platform/numbers.h"

#include <QString>

namespace {

int Redondea(double v) { return int(plat::roundHalfEven(v)); }

constexpr int kPiezasConLetra = 24;

// The first size from 8 to 50 at which "99" is wider than four fifths of a cell.
void EligeLetra(plat::Surface& s) {
    const auto& g = PuzzGbl;
    plat::Font f = s.font();
    f.name = QStringLiteral("Liberation Sans");
    int tamano = 8;
    for (; tamano <= 50; ++tamano) {
        f.size = tamano;
        s.setFont(f);
        if (s.textWidth(QStringLiteral("99")) > 0.8 * g.AnchoPieza) break;
    }
    if (tamano > 50) {
        f.size = 50;
        s.setFont(f);
    }
}

void RotulaPiezas() {
    auto& g = PuzzGbl;
    plat::Surface& b = mesa.Pic_Bitmap;
    for (int n = 1; n <= g.NroPiezas && std::size_t(n) < g.Piezas.size(); ++n) {
        const auto& p = g.Piezas[std::size_t(n)];
        const QString texto = g.TipoRotulo == 3 ? g.LetrasPiezas.mid(n - 1, 1) : QString::number(n);
        const int x = Redondea((g.AnchoPieza - b.textWidth(texto)) / 2.0 + p.XDestino);
        const int y = Redondea((g.AltoPieza - b.textHeight(texto)) / 2.0 + p.YDestino);
        b.setForeColor(plat::Color(g.ColorPiezaOscuro));
        b.setCurrent(x - 1, y - 1);
        b.print(texto);
        b.setForeColor(plat::Color(g.ColorPiezaClaro));
        b.setCurrent(x, y);
        b.print(texto);
    }
}

// The back buffer: the table's colour and the sunken frame around the board,
// whose inside shows the dark shade where the hole is.
void PreparaFondo() {
    auto& g = PuzzGbl;
    plat::Surface& im = mesa.Pic_Imagen;
    im.clearPicture();
    im.setSize(g.AnchoMesa, g.AltoMesa);
    im.setBackColor(plat::Color(g.ColorFondo));
    im.setDrawWidth(3);
    im.setFillStyle(plat::FillStyle::Solid);
    im.setFillColor(plat::Color(g.ColorFondoOscuro));
    const int x1 = g.OrigenX - 2, y1 = g.OrigenY - 2;
    const int x2 = x1 + g.AnchoImagen + 3, y2 = y1 + g.AltoImagen + 3;
    im.box(x1, y1, x2, y2, plat::Color(g.ColorFondoClaro));
    im.line(x1, y1, x2, y1, plat::Color(g.ColorFondoOscuro));
    im.line(x1, y1, x1, y2, plat::Color(g.ColorFondoOscuro));
    im.setDrawWidth(1);
    im.keepImageAsPicture();
    mesa.Pic_Trabajo.setSize(g.AnchoMesa, g.AltoMesa);
    mesa.Pic_Trabajo_Paint();
    mesa.Pic_Fondo.setSize(g.AnchoMesa, g.AltoMesa);
    plat::bitBlt(mesa.Pic_Fondo, 0, 0, im.scaleWidth(), im.scaleHeight(), im, 0, 0, plat::rop::kSrcCopy);
}

// Every piece at its home cell, the hole in the last one.
void PonPiezasEnCasa() {
    auto& g = PuzzGbl;
    const int n = g.PiezasLado;
    g.Piezas.assign(std::size_t(g.NroPiezas) + 1, RegistroPieza{});
    g.OrdenPiezas.assign(std::size_t(g.NroPiezas) + 1, 0);
    for (int celda = 1; celda <= n * n; ++celda) {
        const auto x = std::int16_t(g.OrigenX + ((celda - 1) % n) * g.AnchoPieza);
        const auto y = std::int16_t(g.OrigenY + ((celda - 1) / n) * g.AltoPieza);
        if (celda > g.NroPiezas) {
            g.AgujeroX = x;
            g.AgujeroY = y;
            continue;
        }
        auto& p = g.Piezas[std::size_t(celda)];
        p.XDestino = p.X = x;
        p.YDestino = p.Y = y;
        g.OrdenPiezas[std::size_t(celda)] = std::int16_t(celda);
    }
}

} // namespace

std::int16_t RotuloEnUso() {
    const auto& g = PuzzGbl;
    return g.TipoRotulo == 1 && g.ImagenAusente ? std::int16_t(2) : g.TipoRotulo;
}

void PreparaDeslizantes(bool nuevo) {
    auto& g = PuzzGbl;
    if (g.TipoRotulo == 3 && g.NroPiezas > kPiezasConLetra) g.TipoRotulo = 2;

    plat::Surface& b = mesa.Pic_Bitmap;
    b.clearPicture();
    b.setSize(g.OrigenX + g.AnchoImagen, g.OrigenY + g.AltoImagen);
    b.setBackColor(plat::Color(g.ColorPieza));
    const std::int16_t rotulo = RotuloEnUso();
    if (rotulo == 1) {
        const plat::Surface& z = mesa.Pic_FonTamModi;
        plat::setStretchBltMode(b, plat::stretchmode::kColorOnColor);
        plat::stretchBlt(b, g.OrigenX, g.OrigenY, g.AnchoImagen, g.AltoImagen, z, g.OrigenX, g.OrigenY,
                         z.width() - g.OrigenX, z.height() - g.OrigenY, plat::rop::kSrcCopy);
    } else {
        EligeLetra(b);
    }

    // Hidden, below and right of the visible table as in every other game's
    // set-up: the tips panel stands just above the horizontal bar's place.
    mesa.BarraHor.setLeft(0);
    mesa.BarraHor.setTop(g.AltoMesa);
    mesa.BarraVer.setLeft(g.AnchoMesa);
    mesa.BarraVer.setTop(0);
    mesa.BarraHor.setVisible(false);
    mesa.BarraHor.setValue(0);
    mesa.BarraVer.setVisible(false);
    mesa.BarraVer.setValue(0);
    mesa.Pic_Cuadrito.setVisible(false);
    mesa.Pic_Muestra.setVisible(false);

    if (rotulo == 1) {
        plat::Surface& m = mesa.Pic_Muestra;
        m.clearPicture();
        m.setSize(Redondea(g.AnchoImagen / 2.0), Redondea(g.AltoImagen / 2.0));
        plat::setStretchBltMode(m, plat::stretchmode::kColorOnColor);
        plat::stretchBlt(m, 0, 0, m.scaleWidth(), m.scaleHeight(), b, g.OrigenX, g.OrigenY, g.AnchoImagen,
                         g.AltoImagen, plat::rop::kSrcCopy);
        m.setVisible(true);
    }

    PreparaFondo();

    mesa.Pic_PiezaImagen.setForeColor(plat::Color(g.ColorLineas));
    g.AnchoPiezaBase = g.AnchoPieza;
    g.AltoPiezaBase = g.AltoPieza;
    g.MargenPiezaX = g.MargenPiezaY = 0;
    g.LadoZonaPieza = g.AnchoPieza;

    DibujaBotonera();

    if (nuevo) {
        PonPiezasEnCasa();
        BarajaDeslizantes();
    }

    if (rotulo == 2 || rotulo == 3) RotulaPiezas();

    g.UltimoMovGrabado = g.MovActual;
    DibujaGrabadora();
    ColocaMuestra();
}
