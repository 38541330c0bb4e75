#include "core/Sugerencias.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "platform/blit.h"
#include "platform/clock.h"
#include "platform/random.h"

#include <cmath>

namespace {

// 11 pixels: the lines are justified with blanks for a fixed pitch.
constexpr double kPuntosTexto = 8.25;
constexpr int kPunteroMano = 23;
// A light cream behind the blue text.
constexpr plat::Color kFondoPanel = 0xE8FCFC;
constexpr plat::Color kMarcoPanel = 0x808080;

plat::Font fuenteTexto() {
    plat::Font f;
    f.name = QStringLiteral("Liberation Mono");
    f.size = kPuntosTexto;
    return f;
}

plat::Font fuenteEnlace() {
    plat::Font f;
    f.name = QStringLiteral("Liberation Sans");
    f.size = kPuntosTexto;
    f.underline = true;
    return f;
}

bool enTabla(int n) { return n >= 0 && n <= 70; }

} // namespace

// ------------------------------------------------------------ the panel

LugarSugerencia LugarPanelSugerencia(int barraHorValor, int barraHorArriba, int barraVerValor) {
    return {barraHorValor, barraHorArriba - kAltoPanelSugerencia + barraVerValor};
}

std::array<LineaSugerencia, 3> LineasSugerencia(const QString& texto) {
    std::array<LineaSugerencia, 3> lineas;
    for (int k = 1; k <= 3; ++k) {
        // Characters 60k - 59 to 60k - 1: the last of each line is left out.
        lineas[std::size_t(k - 1)] = {texto.mid(kAnchoLineaSugerencia * (k - 1), kAnchoLineaSugerencia - 1), 3,
                                      11 * k + 13};
    }
    return lineas;
}

void MuestraSugerencia(std::int16_t& nro) {
    auto& g = PuzzGbl;
    if (!g.MostrarSugerencias) return;
    if (!enTabla(nro)) return;
    const Sugerencia& tip = g.Sugerencias[std::size_t(nro)];

    plat::Surface& panel = mesa.Pic_Sugerencia;
    const LugarSugerencia lugar = LugarPanelSugerencia(mesa.BarraHor.Value(), mesa.BarraHor.Top(), mesa.BarraVer.Value());
    panel.move(lugar.left, lugar.top, kAnchoPanelSugerencia, kAltoPanelSugerencia);
    panel.setBackColor(kFondoPanel); // clears
    panel.box(0, 0, kAnchoPanelSugerencia - 1, kAltoPanelSugerencia - 1, kMarcoPanel);
    panel.setMousePointer(0);
    panel.setCustomCursor(QString());

    plat::Surface& enlace = mesa.Pic_SugeMasAyuda;
    enlace.move(kEnlaceSugerenciaX, kEnlaceSugerenciaY, kAnchoEnlaceSugerencia, kAltoEnlaceSugerencia);
    enlace.setBackColor(kFondoPanel); // clears
    PonCursor(enlace, kPunteroMano);
    enlace.setFont(fuenteEnlace());
    enlace.setForeColor(kColorTextoSugerencia);
    enlace.setCurrent(0, 0);
    enlace.print(QString::fromUtf8("más ayuda"));
    enlace.setVisible(true);

    plat::Surface& cierre = mesa.Pic_SugeBotCerrar;
    cierre.move(kCierreSugerenciaX, kCierreSugerenciaY, kLadoCierreSugerencia, kLadoCierreSugerencia);
    plat::bitBlt(cierre, 0, 0, kLadoCierreSugerencia, kLadoCierreSugerencia, mesa.Pic_BmpVario, kCierreLaminaX,
                 kCierreLaminaY, plat::rop::kSrcCopy);
    PonCursor(cierre, kPunteroMano);
    cierre.setVisible(true);

    panel.setForeColor(kColorTextoSugerencia);
    panel.setFont(fuenteTexto());
    for (const LineaSugerencia& l : LineasSugerencia(tip.Texto)) {
        panel.setCurrent(l.x, l.y);
        panel.print(l.texto);
    }

    g.AyudaSugerencia = tip.IdAyuda;
    g.NroSugerencia = nro;
    g.TiempoSugerencia = RelojSugerencias()();

    panel.setVisible(true);
    enlace.refresh();
    cierre.refresh();
    panel.refresh();
    mesa.Refresh();
}

// ------------------------------------------------------------ the choice

EstadoSugerencias EstadoSugerenciasActual() {
    const auto& g = PuzzGbl;
    EstadoSugerencias e;
    e.juego = g.TipoJuego;
    e.modoTangram = g.TAN_ModoJuego;
    e.mostrandoModelo = g.MostrandoModelo;
    e.tutorActivo = g.TutorActivo;
    e.nroPiezas = g.NroPiezas;
    e.nroPiezasColocadas = g.NroPiezasColocadas;
    e.dibujarBorde = g.DibujarBorde;
    e.giroPermitido = g.GiroPermitido;
    e.piezasUnColor = g.PiezasUnColor;
    e.listaMovimientos = g.ListaMovimientos;
    e.tipoRotulo = g.TipoRotulo;
    e.muestraVisible = g.MuestraVisible;
    return e;
}

std::optional<std::int16_t> AceptaSugerencia(int k, const EstadoSugerencias& e, const TablaSugerencias& tabla) {
    const bool diseno = e.juego == 23 && e.modoTangram == 1;
    const bool fin = e.mostrandoModelo;
    const int j = e.juego;
    bool vale = true;
    switch (k) {
    case 3: vale = 0 < e.nroPiezasColocadas && e.nroPiezasColocadas < e.nroPiezas; break;
    case 4: vale = e.dibujarBorde; break;
    case 5: vale = !e.dibujarBorde; break;
    case 6: vale = !fin && !diseno; break;
    case 7: vale = !fin && !e.tutorActivo && j != 25; break;
    case 8: vale = !fin && !e.tutorActivo && j == 25; break;
    case 9: vale = false; break; // shown only by the tutor button
    case 10: vale = j == 21 || (j == 23 && e.modoTangram == 2); break;
    case 12: vale = (j == 21 || j == 24) && e.nroPiezasColocadas > 0 && !fin; break;
    case 15: vale = j != 22 && j != 25 && !fin; break;
    case 16: vale = j == 22 && !fin; break;
    case 21: case 22: case 23: case 24: case 25: vale = k == j; break;
    case 28: vale = !e.muestraVisible && (j == 21 || (j == 22 && e.tipoRotulo == 1)); break;
    case 30: vale = !fin && e.giroPermitido; break;
    case 32: vale = j == 24 && !e.piezasUnColor; break;
    case 33: vale = j == 24 && e.piezasUnColor; break;
    case 35: vale = j == 22; break;
    case 40: vale = j == 23; break;
    case 43: vale = j == 21; break;
    case 44: vale = j == 21 || j == 22; break;
    case 46: vale = j == 23 || j == 24; break;
    case 50: vale = !diseno; break;
    case 51: vale = e.listaMovimientos != 2 && !diseno; break;
    case 59: case 60: case 61: case 62: case 63: case 64: case 65:
        // The current game's tip; no game, no tip (never the close warning).
        vale = j >= 21 && j <= 25;
        k = j;
        break;
    default: break;
    }
    if (!vale || !enTabla(k)) return std::nullopt;
    if (tabla[std::size_t(k)].Texto.trimmed().isEmpty()) return std::nullopt;
    return std::int16_t(k);
}

std::int16_t SorteaSugerencia(const EstadoSugerencias& e, const TablaSugerencias& tabla,
                              const std::function<float()>& azar) {
    for (int intento = 0; intento < kMaxSorteosSugerencia; ++intento) {
        const int k = int(std::floor(70.0 * double(azar()))) + 1;
        if (const auto n = AceptaSugerencia(k, e, tabla)) return *n;
    }
    return kSugerenciaPersonalizar;
}

// ------------------------------------------------------------ the timer

void PasoSugerencias() {
    auto& g = PuzzGbl;
    if (g.NroSugerencia == kSugerenciaTutor && !g.TutorActivo) {
        std::int16_t n = kSugerenciaPersonalizar;
        MuestraSugerencia(n);
    }
    if (g.NroSugerencia == kSugerenciaMuestra && g.MuestraVisible) {
        std::int16_t n = kSugerenciaCambioJuego;
        MuestraSugerencia(n);
    }
    // Elapsed time on the 64-bit clock: no wrap-around, no overflow.
    if (!(RelojSugerencias()() - g.TiempoSugerencia > kIntervaloSugerencias)) return;
    if (!g.MostrarSugerencias) return;
    std::int16_t n = SorteaSugerencia(EstadoSugerenciasActual(), g.Sugerencias, AzarSugerencias());
    MuestraSugerencia(n);
}

std::function<std::int64_t()>& RelojSugerencias() {
    static std::function<std::int64_t()> reloj = [] { return plat::msClock(); };
    return reloj;
}

std::function<float()>& AzarSugerencias() {
    static std::function<float()> azar = [] { return plat::rnd(); };
    return azar;
}

void ReiniciaRelojYAzarSugerencias() {
    RelojSugerencias() = [] { return plat::msClock(); };
    AzarSugerencias() = [] { return plat::rnd(); };
}
