// Stand-ins for the services the state files call whose own work lives
// elsewhere. Each records its call (core/Sustitutos.h) so that the order of a
// load can be followed, and does the least that keeps a load meaningful.
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "model/EstadoServicios.h"

#include <QString>

// Replaced by the pentomino boards.
bool PEN_LeeModelo(std::int16_t nro) {
    AnotaLlamada(QStringLiteral("PEN_LeeModelo %1").arg(nro));
    PuzzGbl.FilasTablero = 6;
    PuzzGbl.ColumnasTablero = 10;
    return true;
}
