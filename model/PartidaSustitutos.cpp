// Stand-in for the grading that has not landed yet; it notes its call.
// CalculaDificultad is replaced by the difficulty grading.
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "model/Partida.h"

void CalculaDificultad() { AnotaLlamada(QStringLiteral("CalculaDificultad")); }
