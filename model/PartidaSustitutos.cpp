// Stand-ins for the gathering, grading and Taipei pair search that have not
// landed yet. Each notes its call. RecogePiezas is replaced by the gathering,
// CalculaDificultad by the difficulty grading and TAI_BuscaPareja by the
// Taipei pair search.
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "model/Partida.h"

void RecogePiezas() { AnotaLlamada(QStringLiteral("RecogePiezas")); }

void CalculaDificultad() { AnotaLlamada(QStringLiteral("CalculaDificultad")); }

void TAI_BuscaPareja() {
    AnotaLlamada(QStringLiteral("TAI_BuscaPareja"));
    PuzzGbl.TAI_ParejaSugerida = {};
}
