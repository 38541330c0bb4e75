// Stand-ins for the parts of the Tangram game that have not landed yet and for
// the jigsaw and Taipei table set-ups. Each is replaced by its game's own code:
// the Tangram set-up by the Tangram set-up and models, the Tangram sizes and
// figure box by the Tangram piece geometry; the jigsaw and Taipei set-ups by
// their table set-ups.
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
void TAI_PreparaMesa(bool nuevo) { PreparacionSustituta(QStringLiteral("TAI_PreparaMesa"), nuevo); }
void TAN_PreparaJuego(bool nuevo) { PreparacionSustituta(QStringLiteral("TAN_PreparaJuego"), nuevo); }

// The piece's table size, whatever the orientation.
void TAN_TamanoPieza(std::int16_t pieza, std::int16_t, std::int16_t) {
    if (pieza < 1 || pieza > 7) return;
    PuzzGbl.AnchoPiezaBase = PuzzGbl.TAN_AnchoPiezas[pieza];
    PuzzGbl.AltoPiezaBase = PuzzGbl.TAN_AltoPiezas[pieza];
}

// Notes the call and leaves MarcoFigura as it is.
void TAN_CalculaMarcoFigura(std::int16_t modo) {
    AnotaLlamada(QStringLiteral("TAN_CalculaMarcoFigura ") + QString::number(modo));
}
