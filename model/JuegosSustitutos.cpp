// Stand-ins for the Tangram set-up and the jigsaw table set-up, which have
// not landed yet. Each is replaced by its game's own code: the Tangram set-up
// by the Tangram set-up and models, the jigsaw set-up by its table set-up.
#include "core/PuzzGbl.h"
#include "imaging/PreparaMesa.h"
#include "core/Sustitutos.h"
#include "model/Sustitutos.h"
#include "model/Tangram.h"

void PreparacionSustituta(const QString& nombre, bool nuevo) {
    AnotaLlamada(nombre + (nuevo ? QStringLiteral(" -1") : QStringLiteral(" 0")));
    PuzzGbl.UltimoMovGrabado = PuzzGbl.MovActual;
}

void PreparaPiezasMoviles(bool nuevo) { PreparacionSustituta(QStringLiteral("PreparaPiezasMoviles"), nuevo); }
void TAN_PreparaJuego(bool nuevo) { PreparacionSustituta(QStringLiteral("TAN_PreparaJuego"), nuevo); }
