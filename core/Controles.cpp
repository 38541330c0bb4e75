#include "core/Controles.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosPersonal.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "platform/blit.h"
#include "platform/errors.h"
#include "platform/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace hc = hoja_controles;

namespace {

constexpr plat::Color kBlanco = 0xFFFFFF;
constexpr plat::Color kGris = 0x808080;
constexpr plat::Color kRojo = 0x0000FF;
constexpr plat::Color kNegro = 0x000000;
constexpr plat::Color kSombraOpcion = 0x759575;

constexpr int kCursorDefecto = 0;
constexpr int kCursorManoAbierta = 20;
constexpr int kCursorIndice = 23;
constexpr int kCursorManoCerrada = 29;

constexpr int kSonidoPulsado = 6;
constexpr int kSonidoSuelto = 7;
constexpr int kModoEspera = 0;
constexpr double kPuntosFuente = 8.25; // 11 pixels

ServiciosControles& servicios() {
    static ServiciosControles s;
    return s;
}

bool g_spinEnMarcha = false;

void Copia(plat::Surface& s, int x, int y, const hc::Rect& r) {
    plat::bitBlt(s, x, y, r.w, r.h, mesa.Pic_BmpContr, r.x, r.y, plat::rop::kSrcCopy);
}

// A caption by control index; "" outside the table.
QString Rotulo(int indice) {
    if (indice < 0 || indice >= int(PuzzGbl.TextosControles.size())) return QString();
    return PuzzGbl.TextosControles[std::size_t(indice)];
}

// The description of a spin control; an index outside the table describes a
// control with no range at all.
ParametroSpin Parametro(int indice) {
    if (indice < 0 || indice >= int(PuzzGbl.ParametrosSpin.size())) return ParametroSpin{};
    return PuzzGbl.ParametrosSpin[std::size_t(indice)];
}

bool PunteroDefecto(const plat::Surface& s) { return s.mousePointer() == kCursorDefecto; }

// A reading of a text as a 32-bit float: numbers beyond its range read as
// infinities of their sign, so they compare beyond either limit.
float NumeroDeTexto(const QString& texto) {
    double n = 0;
    try {
        n = plat::val(texto);
    } catch (const plat::RuntimeError&) {
        // Beyond even a double: the sign decides the side.
        n = texto.trimmed().startsWith(u'-') ? -HUGE_VAL : HUGE_VAL;
    }
    constexpr double kMax = std::numeric_limits<float>::max();
    if (n > kMax) return std::numeric_limits<float>::infinity();
    if (n < -kMax) return -std::numeric_limits<float>::infinity();
    return float(n);
}

float AFloat(double v) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (std::isnan(v)) return 0.0f;
    return float(std::clamp(v, -kMax, kMax));
}

} // namespace

// ---------------------------------------------------------------- services

void RegistraServiciosControles(ServiciosControles s) { servicios() = std::move(s); }

void SonidoControl(int modo, int id) {
    if (const auto f = servicios().sonido) f(modo, id);
    else Sonido(modo, id);
}

void RetardoControl(int ms) {
    if (const auto f = servicios().retardo) f(ms);
    else Retardo(ms);
}

plat::Font FuenteControles() {
    plat::Font f;
    f.name = QStringLiteral("Liberation Sans");
    f.size = kPuntosFuente;
    return f;
}

// ---------------------------------------------------------------- switch and push button

void DibujaBuleano(plat::Surface& s, std::int16_t indice, bool valor) {
    DibujaMarco(s, QString());
    Copia(s, 4, 3, valor ? hc::kLamparaEncendida : hc::kLamparaApagada);
    ImprimeTextoRelieve(s, 24, 4, Rotulo(indice), false);
    PonCursor(s, kCursorIndice);
    s.refresh();
}

void DibujaPulsador(plat::Surface& s, std::int16_t indice, bool pulsado, bool sonido, std::int16_t) {
    const int w = s.scaleWidth();
    PuzzGbl.AnchoControl = w;
    PuzzGbl.AltoControl = s.scaleHeight();
    const hc::Rect fila = pulsado ? hc::kPulsadorPulsado : hc::kPulsadorSuelto;
    const int sy = fila.y;
    const plat::Surface& hoja = mesa.Pic_BmpContr;
    constexpr auto kCopia = plat::rop::kSrcCopy;
    if (w <= fila.w) {
        plat::bitBlt(s, 0, 0, fila.w, fila.h, hoja, 0, sy, kCopia);
    } else {
        plat::bitBlt(s, 0, 0, hc::kPulsadorBorde, fila.h, hoja, 0, sy, kCopia);
        for (int x = hc::kPulsadorExtremo; x <= w - 3; ++x)
            plat::bitBlt(s, x, 0, 1, fila.h, hoja, hc::kPulsadorMedio, sy, kCopia);
    }
    plat::bitBlt(s, w - 2, 0, 2, fila.h, hoja, hc::kPulsadorBorde, sy, kCopia);
    ImprimeTextoEspaciado(s, Rotulo(indice));
    s.refresh();
    PonCursor(s, kCursorIndice);
    if (sonido) SonidoControl(kModoEspera, pulsado ? kSonidoPulsado : kSonidoSuelto);
    if (pulsado) RetardoControl(210);
}

// ---------------------------------------------------------------- slider

void DibujaPotenciometro(plat::Surface& s, std::int16_t indice, std::int16_t valor) {
    DibujaMarco(s, Rotulo(indice));
    Copia(s, 5, 15, hc::kPista);
    DibujaMandoPotenciometro(s, std::int16_t(valor + 8), 17);
}

void DibujaMandoPotenciometro(plat::Surface& s, std::int16_t x, std::int16_t y) {
    plat::stretchBlt(s, x, y, 13, 19, mesa.Pic_BmpContr, x - 3, 2, 11, 19, plat::rop::kSrcCopy);
    s.setFillStyle(plat::FillStyle::Transparent);
    s.box(x, y, x + 12, y + 18, kBlanco);
    s.line(x + 12, y, x + 12, y + 19, kGris);
    s.line(x, y + 18, x + 12, y + 18, kGris);
    s.line(x + 6, y + 1, x + 6, y + 17, kRojo);
    s.refresh();
}

void MuevePotenciometro(plat::Surface& s, std::int16_t& valor, std::int16_t mx, std::int16_t my,
                        bool botonPulsado) {
    // A release that never arrived: the drag ends at the first move without
    // the button.
    if (PuzzGbl.CursorActual == kCursorManoCerrada && !botonPulsado) PonCursor(s, kCursorDefecto);
    int v = std::clamp<int>(valor, 0, 100);
    if (PuzzGbl.CursorActual == kCursorManoCerrada) {
        int d = mx - PuzzGbl.XAgarrePotenciometro;
        if (v + d < 0) d = -v;
        if (v + d > 100) d = 100 - v;
        // The knob at surface x v + 8 stands on sheet column v + 3 of the track
        // (drawn at x 5): the erase copies the track from there.
        plat::bitBlt(s, v + 8, 17, 13, 19, mesa.Pic_BmpContr, v + 3, 2, plat::rop::kSrcCopy);
        v += d;
        DibujaMandoPotenciometro(s, std::int16_t(v + 8), 17);
        PuzzGbl.XAgarrePotenciometro = mx;
        valor = std::int16_t(v);
    }
    // The hover asks this slider's own pointer: the code another control left
    // in CursorActual says nothing about this one.
    const bool sujeto = PuzzGbl.CursorActual == kCursorManoCerrada;
    const bool defecto = PunteroDefecto(s) && !sujeto;
    const bool sobreMando = v + 8 <= mx && mx <= v + 20 && 17 <= my && my <= 35;
    if (sobreMando && defecto) PonCursor(s, kCursorManoAbierta);
    else if (!sobreMando && !defecto) PonCursor(s, kCursorDefecto);
}

// ---------------------------------------------------------------- selector

QString TextoOpcion(std::int16_t indice, std::int16_t opcion) {
    const auto& t = PuzzGbl.OpcionesSelector;
    if (indice < 0 || indice >= int(t.size()) || opcion < 1 || opcion >= int(t[0].size())) return QString();
    return SinBlancos(t[std::size_t(indice)][std::size_t(opcion)]);
}

void DibujaCuerpoSelector(plat::Surface& s) {
    const int w = s.scaleWidth();
    Copia(s, 35, 14, hc::kVisorExtremo);
    for (int x = 40; x <= w - 5; ++x) Copia(s, x, 14, hc::kVisorCuerpo);
}

void DibujaSelector(plat::Surface& s, std::int16_t indice, std::int16_t opcion) {
    DibujaMarco(s, Rotulo(indice));
    Copia(s, 4, 14, hc::kSelectorSuelto);
    DibujaCuerpoSelector(s);
    const QString t = TextoOpcion(indice, opcion);
    const double centro = double((s.scaleWidth() - 37) - s.textWidth(t)) / 2.0;
    const int x = 35 + int(plat::roundHalfEven(centro));
    s.setFontTransparent(true);
    s.setForeColor(kSombraOpcion);
    s.setCurrent(x + 1, 20);
    s.print(t);
    s.setForeColor(kNegro);
    s.setCurrent(x, 19);
    s.print(t);
    s.refresh();
}

void CursorSelector(plat::Surface& s, std::int16_t mx, std::int16_t my) {
    const bool sobreBoton = 4 <= mx && mx < 34 && 14 <= my && my < 35;
    if (sobreBoton && PunteroDefecto(s)) PonCursor(s, kCursorIndice);
    else if (!sobreBoton && !PunteroDefecto(s)) PonCursor(s, kCursorDefecto);
}

void AvanzaSelector(plat::Surface& s, std::int16_t indice, std::int16_t& opcion) {
    // The sixth option is the last of the table, and a damaged setting may
    // hold any number: both start again at 1 before the table is read.
    int o = opcion + 1;
    if (o > 6 || o < 1 || TextoOpcion(indice, std::int16_t(o)).isEmpty()) o = 1;
    opcion = std::int16_t(o);
    SonidoControl(kModoEspera, kSonidoPulsado);
    Copia(s, 4, 14, hc::kSelectorPulsado);
    DibujaCuerpoSelector(s);
    s.refresh();
    RetardoControl(280);
    DibujaSelector(s, indice, opcion);
    SonidoControl(kModoEspera, kSonidoSuelto);
}

// ---------------------------------------------------------------- spin control

QString TextoNumero(float v) {
    if (!std::isfinite(v)) v = v < 0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    std::array<char, 64> b{};
    const auto r = std::to_chars(b.data(), b.data() + b.size(), v, std::chars_format::fixed);
    QString t = QString::fromLatin1(b.data(), r.ptr - b.data());
    if (t == QLatin1String("-0")) t = QStringLiteral("0");
    return t;
}

QString FormateaParametro(std::int16_t indice, float valor) {
    return plat::formatText(TextoNumero(valor), Parametro(indice).Formato);
}

void DibujaSpin(plat::Surface& s, plat::TextBox& t, std::int16_t indice, double valor) {
    const int w = s.scaleWidth();
    DibujaMarco(s, QString());
    Copia(s, w - 22, 4, hc::kFlechas);
    ImprimeTextoRelieve(s, 3, 7, Rotulo(indice), false);
    const int ancho = int(Parametro(indice).Formato.size()) * 7 + 12;
    t.move(w - ancho - 25, 5, ancho, s.scaleHeight() - 10);
    t.setText(FormateaParametro(indice, AFloat(valor)));
    s.refresh();
}

void CursorSpin(plat::Surface& s, std::int16_t mx, std::int16_t my) {
    const int w = s.scaleWidth();
    const bool sobreFlechas = w - 21 <= mx && mx <= w - 6 && 4 <= my && my < 24;
    if (sobreFlechas) {
        if (PunteroDefecto(s)) PonCursor(s, kCursorIndice);
        return;
    }
    if (!PunteroDefecto(s)) PonCursor(s, kCursorDefecto);
    PuzzGbl.CursorActual = kCursorDefecto;
    PuzzGbl.RepeticionSpin = false;
}

bool SpinEnMarcha() { return g_spinEnMarcha; }

void PulsaSpin(plat::Surface& s, plat::TextBox& t, std::int16_t indice, float& valor, std::int16_t my) {
    // A press that comes in from the pause of a running repetition would
    // start a loop of its own that never sees its release.
    if (g_spinEnMarcha) return;
    g_spinEnMarcha = true;
    struct Fin {
        ~Fin() { g_spinEnMarcha = false; }
    } fin;

    const ParametroSpin p = Parametro(indice);
    const int w = s.scaleWidth();
    // Only a press on the arrows (they gave the pointing hand) repeats.
    PuzzGbl.RepeticionSpin = !PunteroDefecto(s);
    const bool arriba = my <= plat::idiv(s.scaleHeight(), 2);
    const hc::Rect suelta = arriba ? hc::kFlechaArriba : hc::kFlechaAbajo;
    const hc::Rect pulsada = arriba ? hc::kFlechaArribaPulsada : hc::kFlechaAbajoPulsada;
    const int y = arriba ? 4 : 14;
    const std::weak_ptr<const void> vidaSpin = s.lifetime();
    const std::weak_ptr<const void> vidaTexto = t.lifetime();
    float v = valor;

    for (;;) {
        const bool enLimite = arriba ? v >= p.Maximo : v <= p.Minimo;
        if (enLimite && !p.Circular) break;
        if (!PuzzGbl.RepeticionSpin) break;
        Copia(s, w - 22, y, pulsada);
        s.refresh();
        v = arriba ? v + p.Paso : v - p.Paso;
        if (!p.Circular) {
            if (arriba && v > p.Maximo) v = p.Maximo;
            if (!arriba && v < p.Minimo) v = p.Minimo;
        }
        t.setText(FormateaParametro(indice, v));
        t.refresh();
        SonidoControl(kModoEspera, kSonidoPulsado);
        RetardoControl(30);
        Copia(s, w - 22, y, suelta);
        s.refresh();
        RetardoControl(70);
        const auto eventos = servicios().ejecutaEventos;
        const bool corrieron = eventos && eventos();
        // The window may have closed while its events ran: nothing of it is
        // touched any more, and no value is handed on.
        if (vidaSpin.expired() || vidaTexto.expired()) {
            PuzzGbl.RepeticionSpin = false;
            return;
        }
        // Without events no release can be seen; a hidden control, a button
        // that is up or a program without the focus ends the repetition too.
        const auto sujeto = servicios().botonSujeto;
        if (!corrieron || !s.visible() || (sujeto && !sujeto())) break;
    }
    PuzzGbl.RepeticionSpin = false;
    valor = v;
    if (s.visible()) ValidaCambioSpin(indice, double(v));
}

void ValidaSpin(plat::TextBox& t, std::int16_t indice) {
    const ParametroSpin p = Parametro(indice);
    QString s = t.text().toUpper();
    const float n = NumeroDeTexto(s);
    if (n > p.Maximo) s = TextoNumero(p.Maximo);
    if (NumeroDeTexto(s) < p.Minimo) s = TextoNumero(p.Minimo);
    t.setText(plat::formatText(s, p.Formato));
    ValidaCambioSpin(indice, double(NumeroDeTexto(s)));
}
