#include "table/Opciones.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "platform/numbers.h"
#include "table/Botonera.h"
#include "table/Trabajo.h"
#include "table/VentanaMesa.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr plat::Color kGrisClaro = 0xC0C0C0;
constexpr plat::Color kGrisOscuro = 0x808080;
constexpr plat::Color kBlanco = 0xFFFFFF;
constexpr plat::Color kAzul = 0xFF0000;
constexpr plat::Color kNegro = 0x000000;
constexpr int kCursorMano = 23;
constexpr int kPrimeraEntrada = 1, kUltimaEntrada = 4;
// The entry that stands apart, under a double line.
constexpr int kEntradaModelo = 4;

bool entradaActiva(int i) {
    const auto& a = PuzzGbl.OpcionesSelecActivas;
    return i >= 0 && std::size_t(i) < a.size() && a[std::size_t(i)];
}

// The entry shown at row `fila` (counted from 1 among the enabled ones), 0
// when no entry is shown there.
int entradaDeFila(int fila) {
    int k = 0;
    for (int i = kPrimeraEntrada; i <= kUltimaEntrada; ++i)
        if (entradaActiva(i) && ++k == fila) return i;
    return 0;
}

} // namespace

int FilasOpciones() {
    int n = 0;
    for (int i = kPrimeraEntrada; i <= kUltimaEntrada; ++i)
        if (entradaActiva(i)) ++n;
    return n;
}

int AltoOpciones(int filas) { return kAltoFilaOpciones * filas + 4; }

std::int16_t FilaOpcionEn(double y) {
    if (!std::isfinite(y)) return 0;
    const double v = plat::roundHalfEven(y + 16);
    // Integer division truncates toward zero: every point above the first
    // row's band gives 0.
    const long long fila = (long long)std::clamp(v, -1.0e6, 1.0e6) / kAltoFilaOpciones;
    return std::int16_t(std::max(0LL, fila));
}

LugarOpciones CalculaLugarOpciones(int x, int y, int alto) {
    const auto& g = PuzzGbl;
    // The press came in table pixels; the panel lies on the window.
    LugarOpciones l{x - mesa.BarraHor.Value(), y - mesa.BarraVer.Value()};
    const int borde = BotoneraEnMesa() ? mesa.Pic_Botonera.left() : g.AnchoMesa;
    if (borde > 0 && l.izquierda + kAnchoOpciones > borde) l.izquierda = borde - kAnchoOpciones;
    if (g.AltoMesa > 0 && l.arriba + alto > g.AltoMesa) l.arriba = g.AltoMesa - alto;
    l.izquierda = std::max(0, l.izquierda);
    l.arriba = std::max(0, l.arriba);
    return l;
}

std::int16_t ModoCarGuaDeOpcion(int entrada) {
    switch (entrada) {
    case 1: return 2; // save this puzzle
    case 2: return 1; // load a puzzle
    case 3: return 3; // delete a puzzle
    case 4: return 4; // store the Tangram figure
    default: return 0;
    }
}

void MuestraOpcionesPanel() {
    auto& g = PuzzGbl;
    auto& s = mesa.Pic_SelOpciones;
    const int n = FilasOpciones();
    const int ancho = kAnchoOpciones, alto = AltoOpciones(n);
    s.setBackColor(kGrisClaro);
    s.setSize(ancho, alto);
    s.cls();

    int k = 0;
    for (int i = kPrimeraEntrada; i <= kUltimaEntrada; ++i) {
        if (!entradaActiva(i)) continue;
        const int y = kAltoFilaOpciones * k + 4;
        if (i == kEntradaModelo) {
            s.line(0, y - 3, ancho, y - 3, kGrisOscuro);
            s.line(0, y - 2, ancho, y - 2, kBlanco);
        }
        plat::Color tinta = kNegro;
        if (k + 1 == g.OpcionSenalada) {
            s.filledBox(2, y - 2, ancho - 3, y + 15, kAzul);
            tinta = kBlanco;
        }
        s.setForeColor(tinta);
        s.setCurrent(14, y);
        s.print(g.TextoOpcionesSelec[std::size_t(i)]);
        ++k;
    }

    // A two-pixel raised edge, light at the top and the left.
    s.box(0, 0, ancho - 1, alto - 1, kGrisOscuro);
    s.box(1, 1, ancho - 2, alto - 2, kGrisOscuro);
    s.line(0, 0, ancho, 0, kBlanco);
    s.line(0, 1, ancho - 1, 1, kBlanco);
    s.line(0, 0, 0, alto, kBlanco);
    s.line(1, 1, 1, alto - 1, kBlanco);

    const LugarOpciones l = CalculaLugarOpciones(g.RatonX, g.RatonY, alto);
    s.move(l.izquierda, l.arriba);
    PonCursor(s, kCursorMano);
    if (n > 0) s.setVisible(true);
    s.refresh();
}

void OcultaOpcionesSelec() { mesa.Pic_SelOpciones.setVisible(false); }

void Pic_SelOpciones_MouseMove(std::int16_t, std::int16_t, double, double y) {
    auto& g = PuzzGbl;
    const std::int16_t fila = FilaOpcionEn(y);
    if (fila == g.OpcionSenalada) return;
    g.OpcionSenalada = fila;
    MuestraOpcionesSelec();
}

void Pic_SelOpciones_MouseUp(std::int16_t, std::int16_t, double, double) {
    auto& g = PuzzGbl;
    if (g.OpcionSenalada == 0) return;
    OcultaOpcionesSelec();
    const int entrada = entradaDeFila(g.OpcionSenalada);
    if (entrada == 0) return; // a row below the last
    if ((entrada == 1 || entrada == 2) && g.GrabadoraEncendida) {
        Mensaje(QStringLiteral("Grabadora encendida"),
                QStringLiteral("Tiene que apagar la  Grabadora de jugadas antes de poder cargar o guardar un puzzle."),
                2, 1);
        return;
    }
    g.CarGuaModo = ModoCarGuaDeOpcion(entrada);
    if (const auto cargua = Lanzador().cargua) cargua();
}

void ConectaVistasOpciones(VentanaMesa& ventana) {
    auto a = [](auto f) {
        return [f](int b, int s, double x, double y) { f(std::int16_t(b), std::int16_t(s), x, y); };
    };
    if (auto* v = ventana.vista(mesa.Pic_SelOpciones)) {
        v->mouse.onMouseMove = a(Pic_SelOpciones_MouseMove);
        v->mouse.onMouseUp = a(Pic_SelOpciones_MouseUp);
    }
}
