// The settings window's tests start from a fresh program whose working
// folder is a temporary one: the globals reset, the table window loaded, the
// constant tables made, the saved-puzzle and picture folders created and the
// game at full speed (no pause waits).
#pragma once

#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "table/mesa.h"
#include "tests/imaging/puzzle_fixtures.h"

#include <QDir>
#include <QString>

namespace puzzle_test {

inline void PreparaProgramaEn(const QString& carpeta) {
    Reinicia();
    mesa.Load();
    InicializaTablas();
    auto& g = PuzzGbl;
    g.RutaPrograma = carpeta;
    g.RutaArchivo = carpeta + "Archivo/";
    g.RutaImagenes = carpeta + "Imagenes/";
    QDir().mkpath(g.RutaArchivo);
    QDir().mkpath(g.RutaImagenes);
    g.VelocidadJuego = 100;
}

} // namespace puzzle_test
