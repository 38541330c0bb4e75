#include "core/Visores.h"

#include "core/PuzzGbl.h"

#include <algorithm>

namespace {

constexpr plat::Color kBlanco = 0xFFFFFF;
constexpr plat::Color kAzulRelieve = 0xD00000;
constexpr plat::Color kAzulEspaciado = 0xFF0000;
constexpr plat::Color kGris = 0x808080;
constexpr plat::Color kFondoMarco = 0xC0C0C0;
constexpr plat::Color kRellenoVisor = 0xA0C3A0;
constexpr plat::Color kContornoVisor1 = 0x7C9CFC;
constexpr plat::Color kBordeVisor1 = 0x042484;
constexpr plat::Color kSombrasVisor[3] = {0x506450, 0x6E876E, 0x8CAA8C}; // darkest outside
constexpr plat::Color kSombraTextoVisor = 0x759575;
constexpr plat::Color kTextoVisor = 0x323C32;

void ImprimeEn(plat::Surface& s, double x, double y, const QString& texto) {
    s.setCurrent(x, y);
    s.print(texto);
}

} // namespace

QString SinBlancos(const QString& texto) {
    qsizetype i = 0, j = texto.size();
    while (i < j && texto.at(i) == QChar(u' ')) ++i;
    while (j > i && texto.at(j - 1) == QChar(u' ')) --j;
    return texto.mid(i, j - i);
}

void ImprimeTextoRelieve(plat::Surface& s, std::int16_t x, std::int16_t y, const QString& texto,
                         bool transparente) {
    s.setForeColor(kBlanco);
    s.setFillStyle(plat::FillStyle::Transparent);
    s.setFontTransparent(transparente);
    ImprimeEn(s, x, y, texto);
    s.setForeColor(kAzulRelieve);
    s.setFontTransparent(true);
    ImprimeEn(s, x + 1, y + 1, texto);
}

Espaciado CalculaEspaciado(int anchoSuperficie, int anchoTexto, int caracteres) {
    const int libre = anchoSuperficie - anchoTexto;
    const int espacio = std::clamp(libre / (caracteres + 3), 0, 6); // '/' truncates toward zero
    return {espacio, (libre - espacio * (caracteres - 1)) / 2 - 1};
}

void ImprimeTextoEspaciado(plat::Surface& s, const QString& texto) {
    int total = 0;
    for (const QChar c : texto) total += s.textWidth(QString(c));
    const Espaciado e = CalculaEspaciado(s.width(), total, int(texto.size()));
    for (int k = 0; k <= 1; ++k) {
        s.setForeColor(k == 0 ? kBlanco : kAzulEspaciado);
        int x = e.x;
        for (const QChar c : texto) {
            const QString letra(c);
            ImprimeEn(s, x + k, 4 + k, letra);
            x += s.textWidth(letra) + e.espacio;
        }
    }
}

void DibujaMarco(plat::Surface& s, QString titulo) {
    const int w = s.scaleWidth(), h = s.scaleHeight();
    s.setBackColor(kFondoMarco);
    const QString limpio = SinBlancos(titulo);
    const int t = limpio.isEmpty() ? 0 : 6;
    // The frame is two outlines, whatever fill the caller left on the surface.
    s.setFillStyle(plat::FillStyle::Transparent);
    s.box(0, t, w - 2, h - 2, kBlanco);
    s.box(1, t + 1, w - 1, h - 1, kGris);
    if (limpio.isEmpty()) return;
    titulo = QStringLiteral(" ") + limpio + QStringLiteral("  ");
    const int x = (s.width() - s.textWidth(titulo)) / 2;
    ImprimeTextoRelieve(s, std::int16_t(x), -2, titulo, false);
}

void DibujaVisor(plat::Surface& s, const QString& texto, std::int16_t estilo) {
    const int w = s.width(), h = s.height();
    PuzzGbl.AnchoControl = w;
    PuzzGbl.AltoControl = h;
    const bool estilo1 = estilo == 1;
    // The panel is always filled and its text never paints a cell, whatever
    // the surface was last used for.
    s.setFillStyle(plat::FillStyle::Solid);
    s.setFontTransparent(true);
    s.setFillColor(kRellenoVisor);
    s.box(0, 0, w - 1, h - 1, estilo1 ? kContornoVisor1 : kBlanco);
    const plat::Color borde = estilo1 ? kBordeVisor1 : kGris;
    s.line(0, 0, w, 0, borde);
    s.line(0, 0, 0, h, borde);
    for (int i = 1; i <= 3; ++i) {
        s.line(i, i, w - 1, i, kSombrasVisor[i - 1]);
        s.line(i, i, i, h - 1, kSombrasVisor[i - 1]);
    }
    const QString limpio = SinBlancos(texto);
    const int x = 1 + (w - s.textWidth(limpio)) / 2;
    const int y = 2 + (h - s.textHeight(limpio)) / 2;
    s.setForeColor(kSombraTextoVisor);
    ImprimeEn(s, x, y, limpio);
    s.setForeColor(kTextoVisor);
    ImprimeEn(s, x - 1, y - 1, limpio);
}
