// Stand-ins for the gathering and grading that have not landed yet. Each
// notes its call. RecogePiezas is replaced by the gathering, CalculaDificultad
// by the difficulty grading.
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "model/Partida.h"

void RecogePiezas() { AnotaLlamada(QStringLiteral("RecogePiezas")); }

void CalculaDificultad() { AnotaLlamada(QStringLiteral("CalculaDificultad")); }
