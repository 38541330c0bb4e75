// Stand-ins for the dealing, gathering, grading and recorder start that have
// not landed yet. Each notes its call. BarajaPiezas and BarajaDeslizantes are
// replaced by the games' shuffles, EsResoluble by the sliding game's parity
// test, RecogePiezas by the gathering, CalculaDificultad by the difficulty
// grading, IniciaGrabadora and GrabaMovimiento by the move recorder and TAI_BuscaPareja by the
// Taipei pair search.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Sustitutos.h"
#include "model/Partida.h"
#include "model/PartidaSustitutos.h"

void IniciaGrabadora() {
    AnotaLlamada(QStringLiteral("IniciaGrabadora"));
    auto& g = PuzzGbl;
    g.PasaAlHistorico = true;
    g.MostrandoModelo = false;
    g.SegundosCronometro = 0;
    g.MovActual = 0;
    g.UltimoMovGrabado = 0;
    g.MovGrabados.assign(101, RegistroMovimiento{});
    MarchaCronometro(1);
}

void BarajaPiezas() {
    AnotaLlamada(QStringLiteral("BarajaPiezas"));
    MarchaCronometro(2);
    IniciaGrabadora();
}

void BarajaDeslizantes() {
    AnotaLlamada(QStringLiteral("BarajaDeslizantes"));
    IniciaGrabadora();
}

bool RespuestaResolubleSustituta = true;

bool EsResoluble() {
    AnotaLlamada(QStringLiteral("EsResoluble"));
    return RespuestaResolubleSustituta;
}

void RecogePiezas() { AnotaLlamada(QStringLiteral("RecogePiezas")); }

void CalculaDificultad() { AnotaLlamada(QStringLiteral("CalculaDificultad")); }

void TAI_BuscaPareja() {
    AnotaLlamada(QStringLiteral("TAI_BuscaPareja"));
    PuzzGbl.TAI_ParejaSugerida = {};
}

void GrabaMovimiento(std::int16_t xA, std::int16_t yA, std::int16_t gA, std::int16_t vA, std::int16_t xD,
                     std::int16_t yD, std::int16_t gD, std::int16_t vD) {
    if (xA == xD && yA == yD && gA == gD && vA == vD) return;
    auto& g = PuzzGbl;
    RegistroMovimiento m;
    m.Pieza = (g.TipoJuego == 25 || g.OrdenPiezas.size() < 2) ? 0 : g.OrdenPiezas[1];
    m.XAntes = xA, m.YAntes = yA, m.GiroAntes = gA, m.VolteoAntes = vA;
    m.XDespues = xD, m.YDespues = yD, m.GiroDespues = gD, m.VolteoDespues = vD;
    if (g.MovActual < 0) g.MovActual = 0;
    ++g.MovActual;
    if (std::size_t(g.MovActual) >= g.MovGrabados.size())
        g.MovGrabados.resize(std::size_t(g.MovActual) + 100, RegistroMovimiento{});
    g.MovGrabados[std::size_t(g.MovActual)] = m;
    g.UltimoMovGrabado = g.MovActual;
    AnotaLlamada(QStringLiteral("GrabaMovimiento %1").arg(m.Pieza));
    DibujaGrabadora();
}
