// Stand-in until the constant tables land: only the table area is set.
#include "core/Tablas.h"

#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"

void InicializaTablas() {
    AnotaLlamada(QStringLiteral("InicializaTablas"));
    CompruebaFallo(QStringLiteral("InicializaTablas"));
    const QSize pantalla = TamanoPantalla();
    PuzzGbl.AnchoMesa = static_cast<std::int16_t>(pantalla.width());
    PuzzGbl.AltoMesa = static_cast<std::int16_t>(pantalla.height());
}
