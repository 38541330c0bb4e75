// Stand-in for the Tangram set-up, which has not landed yet: it is replaced by
// the Tangram set-up and models.
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "model/Sustitutos.h"
#include "model/Tangram.h"

void PreparacionSustituta(const QString& nombre, bool nuevo) {
    AnotaLlamada(nombre + (nuevo ? QStringLiteral(" -1") : QStringLiteral(" 0")));
    PuzzGbl.UltimoMovGrabado = PuzzGbl.MovActual;
}

void TAN_PreparaJuego(bool nuevo) { PreparacionSustituta(QStringLiteral("TAN_PreparaJuego"), nuevo); }
