// Stand-in for the gathering that has not landed yet. It notes its call.
// RecogePiezas is replaced by the gathering.
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "model/Partida.h"

void RecogePiezas() { AnotaLlamada(QStringLiteral("RecogePiezas")); }
