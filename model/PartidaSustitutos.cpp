// Stand-ins for the dealing, gathering, grading and recorder start that have
// not landed yet. Each notes its call. BarajaPiezas and BarajaDeslizantes are
// replaced by the games' shuffles, EsResoluble by the sliding game's parity
// test, RecogePiezas by the gathering, CalculaDificultad by the difficulty
// grading, IniciaGrabadora by the move recorder and TAI_BuscaPareja by the
// Taipei pair search.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Sustitutos.h"
#include "model/Partida.h"
#include "model/PartidaSustitutos.h"
#include "platform/errors.h"

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
    try {
        CompruebaFallo(QStringLiteral("EsResoluble")); // a test asked for an unsolvable board
    } catch (const plat::RuntimeError&) {
        return false;
    }
    return RespuestaResolubleSustituta;
}

void RecogePiezas() { AnotaLlamada(QStringLiteral("RecogePiezas")); }

void CalculaDificultad() { AnotaLlamada(QStringLiteral("CalculaDificultad")); }

void TAI_BuscaPareja() {
    AnotaLlamada(QStringLiteral("TAI_BuscaPareja"));
    PuzzGbl.TAI_ParejaSugerida = {};
}
