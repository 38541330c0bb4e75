// Stand-ins until the settings and state files land: they record their calls
// and write nothing.
#include "core/Configuracion.h"

#include "core/Sustitutos.h"

void LeeConfiguracion() {
    AnotaLlamada(QStringLiteral("LeeConfiguracion"));
    CompruebaFallo(QStringLiteral("LeeConfiguracion"));
}

void LeePuzzleJuego(const QString& ruta) {
    AnotaLlamada(QStringLiteral("LeePuzzleJuego ") + ruta);
    CompruebaFallo(QStringLiteral("LeePuzzleJuego"));
}

bool GuardaConfiguracion() {
    AnotaLlamada(QStringLiteral("GuardaConfiguracion"));
    CompruebaFallo(QStringLiteral("GuardaConfiguracion"));
    return true;
}

bool GuardaPuzzleJuego() {
    AnotaLlamada(QStringLiteral("GuardaPuzzleJuego"));
    CompruebaFallo(QStringLiteral("GuardaPuzzleJuego"));
    return true;
}
