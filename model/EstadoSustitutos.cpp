// Stand-ins for the services the state files call whose own work lives
// elsewhere. Each records its call (core/Sustitutos.h) so that the order of a
// load can be followed, and does the least that keeps a load meaningful.
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "model/EstadoServicios.h"

#include <QString>

// Replaced by the Tangram models.
void TAN_DibujaModelo(plat::Surface&) { AnotaLlamada(QStringLiteral("TAN_DibujaModelo")); }

// Replaced by the Taipei layout models: every model number gives one layout
// of 144 places, 8 rows of 16 single cells with four stacks of 5 in the middle.
bool TAI_CargaModelo(std::int16_t nro) {
    AnotaLlamada(QStringLiteral("TAI_CargaModelo %1").arg(nro));
    auto& g = PuzzGbl;
    if (nro < 1) return false;
    g.TAI_Tablero = {};
    g.FilasTablero = 8;
    g.ColumnasTablero = 16;
    g.TAI_NroNiveles = 5;
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 16; ++c) g.TAI_Tablero[r][c].Altura = (r == 4 || r == 5) && (c == 8 || c == 9) ? 5 : 1;
    return true;
}

// Replaced by the Taipei tiles.
void TAI_AsignaPalos() {
    AnotaLlamada(QStringLiteral("TAI_AsignaPalos"));
    auto& g = PuzzGbl;
    for (std::size_t t = 1; t < g.Piezas.size() && t <= 144; ++t) {
        RegistroPieza& p = g.Piezas[t];
        p.Clase = std::int16_t((t - 1) / 4 + 1);
        p.Copia = std::int16_t((t - 1) % 4 + 1);
        p.Id = std::int16_t(p.Clase * 10 + p.Copia);
    }
}
