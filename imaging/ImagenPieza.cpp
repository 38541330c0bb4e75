#include "imaging/ImagenPieza.h"

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/PiezasMoviles.h"
#include "model/Juego.h"
#include "model/Pentominos.h"
#include "model/Taipei.h"
#include "model/Tangram.h"
#include "platform/blit.h"
#include "platform/numbers.h"

#include <algorithm>

namespace {

using namespace juego;

using plat::Surface;
namespace rop = plat::rop;


// The tile sheets.
constexpr int kAnchoFicha = 56, kAltoFicha = 73;
constexpr int kCuerpoHueso = 240, kMascaraFicha = 297, kCuerpoVerde = 354, kCuerpoRojo = 411,
              kCuerpoMadera = 468;
constexpr int kAnchoCara = 42, kAltoCara = 58;
constexpr int kCaraX = 3, kCaraY = 4;

// Sizes the surface and clears it to its background.
void Prepara(Surface& s, int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (s.border() != 0 || w == 0 || h == 0) {
        s.setSize(w, h);
        s.clearPicture();
        return;
    }
    // A blank drawing of the new size at once, rather than the old one kept,
    // cleared and cleared again.
    if (s.hasPicture()) s.clearPicture();
    QImage blanco(w, h, QImage::Format_RGB32);
    blanco.fill(plat::toQRgb(s.backColor()));
    s.setImage(blanco);
}

// The mask shows white when cleared and draws and fills in black.
void EstadoMascara() {
    Surface& m = mesa.Pic_PiezaMascara;
    if (m.backColor() != 0xFFFFFF) m.setBackColor(0xFFFFFF);
    m.setForeColor(0x000000);
    m.setFillColor(0x000000);
    m.setFillStyle(plat::FillStyle::Solid);
    m.setDrawWidth(1);
}

void PreparaMascara(int w, int h) {
    EstadoMascara();
    Prepara(mesa.Pic_PiezaMascara, w, h);
}

// The mask kept for the jigsaw piece's class in that turn, put on the mask
// surface; false when none is kept.
bool PonMascaraGuardada(std::int16_t pieza, std::int16_t giro, int w, int h) {
    const QImage guardada = MascaraPuzzleGuardada(pieza, giro);
    if (guardada.isNull() || guardada.width() != w || guardada.height() != h) return false;
    EstadoMascara();
    Surface& m = mesa.Pic_PiezaMascara;
    if (m.hasPicture()) m.clearPicture();
    m.setImage(guardada);
    return true;
}

// The jigsaw's mask: the one kept for the piece's class, or drawn and kept.
void MascaraPuzzle(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    if (PonMascaraGuardada(pieza, 0, g.AnchoPiezaBase, g.AltoPiezaBase)) return;
    PreparaMascara(g.AnchoPiezaBase, g.AltoPiezaBase);
    if (g.FormaPieza >= 0 && g.FormaPieza <= 7) DibujaMascaraPuzzle(pieza);
    GuardaMascaraPuzzle(pieza, 0, mesa.Pic_PiezaMascara.image());
}

// The jigsaw's mask turned: kept like the unturned one.
void GiraMascaraPuzzle(std::int16_t pieza, std::int16_t giro) {
    const auto& g = PuzzGbl;
    const bool cuarto = giro % 2 != 0;
    if (PonMascaraGuardada(pieza, giro, cuarto ? g.AltoPiezaBase : g.AnchoPiezaBase,
                           cuarto ? g.AnchoPiezaBase : g.AltoPiezaBase))
        return;
    GiraImagen(mesa.Pic_PiezaMascara, giro);
    GuardaMascaraPuzzle(pieza, giro, mesa.Pic_PiezaMascara.image());
}

// Blackens every image pixel where the mask is white.
void Enmascara() {
    Surface& i = mesa.Pic_PiezaImagen;
    plat::bitBlt(i, 0, 0, i.scaleWidth(), i.scaleHeight(), mesa.Pic_PiezaMascara, 0, 0, rop::kDstAndNotSrc);
}

void MascaraDeslizante() {
    const auto& g = PuzzGbl;
    Surface& m = mesa.Pic_PiezaMascara;
    if (!g.DibujarBorde) {
        m.box(0, 0, g.AnchoPieza - 1, g.AltoPieza - 1);
        return;
    }
    const int w = g.AnchoPiezaBase;
    const int r = w / 30, c = w - r - 1, d = w - 1;
    m.line(r, d, 0, c);
    m.lineTo(0, r);
    m.lineTo(r, 0);
    m.lineTo(c, 0);
    m.lineTo(d, r);
    m.lineTo(d, c);
    m.lineTo(c, d);
    m.lineTo(r, d);
    m.floodFill(plat::cint(g.AnchoPiezaBase / 2.0), plat::cint(g.AltoPiezaBase / 2.0), 0x000000);
}

void BiselDeslizante() {
    const auto& g = PuzzGbl;
    Surface& i = mesa.Pic_PiezaImagen;
    const int w = g.AnchoPiezaBase;
    const int r = w / 30;
    const int a = 1, b = r + 2, c = w - r - 2, d = w - 1;
    i.setDrawWidth(2);
    i.setForeColor(g.ColorPiezaClaro);
    i.line(b, d, a, c);
    i.lineTo(a, b - 1);
    i.lineTo(b - 1, a);
    i.lineTo(c + 1, a);
    i.lineTo(d, b - 1);
    i.setForeColor(g.ColorPiezaOscuro);
    i.line(d, b, d, c);
    i.lineTo(c, d);
    i.lineTo(b, d);
    i.setDrawWidth(1);
    i.pset(d, b - 2);
    i.pset(b - 2, d);
    // A wide pen spreads to the right and down, past the octagon at its
    // lower corners: keep the bevel inside the tile.
    Enmascara();
}

int VerticesTangram(int pieza) { return pieza <= 5 ? 3 : 4; }

void LineasTangram(Surface& s, int pieza) {
    const auto& g = PuzzGbl;
    const int n = VerticesTangram(pieza);
    for (int k = 1; k <= n; ++k) {
        const int k2 = k == n ? 1 : k + 1;
        s.line(g.TAN_VerticeX[pieza][k], g.TAN_VerticeY[pieza][k], g.TAN_VerticeX[pieza][k2],
               g.TAN_VerticeY[pieza][k2]);
    }
}

void CeldasPentomino(Surface& s, bool rellenar) {
    const auto& g = PuzzGbl;
    const int l = g.LadoCelda;
    for (int k = 1; k <= 5; ++k) {
        const int x = g.PEN_PiezaGirada.X[k] * l, y = g.PEN_PiezaGirada.Y[k] * l;
        s.box(x, y, x + l, y + l);
        if (rellenar) s.floodFill(x + 1, y + 1, 0x000000);
    }
}

void ColoresPentomino(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    Surface& i = mesa.Pic_PiezaImagen;
    plat::Color relleno;
    if (g.MostrarBienoMal) {
        relleno = PiezaBienColocada(pieza) ? 0x00FF00 : 0x0000FF;
    } else if (g.PiezasUnColor) {
        relleno = g.ColorPieza;
    } else {
        relleno = pieza < int(g.PEN_TablaPiezas.size()) ? g.PEN_TablaPiezas[pieza].Color : g.ColorPieza;
    }
    i.setDrawWidth(1);
    i.setFillStyle(plat::FillStyle::Solid);
    i.setFillColor(relleno);
    i.setForeColor(g.DibujarBorde ? 0x808080 : relleno);
    PEN_TransformaPieza(pieza, g.PiezaActual.Giro, g.PiezaActual.Volteo);
    CeldasPentomino(i, false);
}

// Column and row of a face on the face sheet, or false for a suit or value
// that has no face.
bool CeldaCara(int palo, int valor, int& columna, int& fila) {
    static constexpr int kColumna0[] = {0, 0, 0, 0, 0, 4, 0, 4};
    static constexpr int kFila[] = {0, 1, 2, 3, 4, 4, 5, 5};
    static constexpr int kMaxValor[] = {0, 9, 9, 9, 4, 3, 4, 4};
    if (palo < 1 || palo > 7 || valor < 1 || valor > kMaxValor[palo]) return false;
    columna = kColumna0[palo] + valor;
    fila = kFila[palo];
    return true;
}

void ImagenTaipei(std::int16_t pieza) {
    const auto& g = PuzzGbl;
    const RegistroPieza& f = g.PiezaActual;
    Surface& i = mesa.Pic_PiezaImagen;
    int cuerpo;
    if (g.MostrarBienoMal) {
        cuerpo = (f.Estado != 0 && !TAI_FichaLibre(pieza)) ? kCuerpoRojo : kCuerpoVerde;
    } else {
        const bool madera = (g.MaterialPiezas == 2) != (f.Estado == 2);
        cuerpo = madera ? kCuerpoMadera : kCuerpoHueso;
    }
    plat::bitBlt(i, 0, 0, kAnchoFicha, kAltoFicha, mesa.Pic_BmpVario, cuerpo, 0, rop::kSrcCopy);
    int columna = 0, fila = 0;
    if ((f.Estado == 1 || f.Estado == 2) && CeldaCara(f.Palo, f.Valor, columna, fila)) {
        plat::bitBlt(i, kCaraX, kCaraY, kAnchoCara, kAltoCara, mesa.Pic_BmpTaipei, (columna - 1) * kAnchoCara,
                     (fila - 1) * kAltoCara, rop::kSrcCopy);
        i.setDrawWidth(1);
        i.pset(kCaraX + kAnchoCara - 1, kCaraY + kAltoCara - 1, 0xFFFFFF);
        i.pset(kCaraX, kCaraY + kAltoCara - 1, 0x8EBBCD);
    }
    Enmascara();
}

} // namespace

void GeneraImagenPieza(std::int16_t pieza) {
    auto& g = PuzzGbl;
    const int juego = g.TipoJuego;
    if (juego < kPiezasMoviles || juego > kTaipei) return;
    if (pieza < 1 || pieza > g.NroPiezas || pieza >= int(g.Piezas.size())) return;
    g.PiezaActual = g.Piezas[pieza];
    const RegistroPieza& p = g.PiezaActual;
    Surface& m = mesa.Pic_PiezaMascara;

    switch (juego) {
    case kPiezasMoviles: MascaraPuzzle(pieza); break;
    case kDeslizantes:
        PreparaMascara(g.AnchoPiezaBase, g.AltoPiezaBase);
        MascaraDeslizante();
        break;
    case kTangram:
        TAN_TamanoPieza(pieza, p.Giro, p.Volteo);
        PreparaMascara(g.AnchoPiezaBase, g.AltoPiezaBase);
        if (pieza <= 7) {
            TAN_CalculaVertices(pieza, p.Giro, p.Volteo);
            LineasTangram(m, pieza);
            TAN_PuntoEtiqueta(pieza, p.Giro, p.Volteo);
            m.floodFill(g.TAN_DesplX, g.TAN_DesplY, 0x000000);
        }
        break;
    case kPentominos:
        PEN_TamanoPieza(pieza, p.Giro);
        PreparaMascara(g.AnchoPiezaBase, g.AltoPiezaBase);
        PEN_TransformaPieza(pieza, p.Giro, p.Volteo);
        CeldasPentomino(m, true);
        break;
    default:
        PreparaMascara(g.AnchoPiezaBase, g.AltoPiezaBase);
        plat::bitBlt(m, 0, 0, kAnchoFicha, kAltoFicha, mesa.Pic_BmpVario, kMascaraFicha, 0, rop::kSrcCopy);
        break;
    }

    Surface& i = mesa.Pic_PiezaImagen;
    Prepara(i, g.AnchoPiezaBase, g.AltoPiezaBase);

    if (juego == kTaipei) {
        ImagenTaipei(pieza);
    } else {
        const Surface& fuente = g.MostrarBienoMal ? mesa.Pic_PiezaColor : mesa.Pic_Bitmap;
        plat::bitBlt(i, 0, 0, g.AnchoPiezaBase, g.AltoPiezaBase, fuente, p.XDestino - g.MargenPiezaX,
                     p.YDestino - g.MargenPiezaY, rop::kSrcCopy);
        Enmascara();
    }

    if (juego == kPentominos) ColoresPentomino(pieza);

    if (g.DibujarBorde) {
        if (juego == kDeslizantes) {
            BiselDeslizante();
        } else if (juego == kTangram && pieza <= 7) {
            i.setDrawWidth(1);
            i.pset(g.TAN_VerticeX[pieza][1], g.TAN_VerticeY[pieza][1]);
            LineasTangram(i, pieza);
        }
    }

    if (juego == kPiezasMoviles && p.Giro >= 1 && p.Giro <= 3) {
        GiraMascaraPuzzle(pieza, p.Giro);
        GiraImagen(i, p.Giro);
    }

    g.PiezaAnterior = pieza;
    g.GiroAnterior = p.Giro;
}
