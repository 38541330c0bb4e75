#include "model/Taipei.h"

#include "core/PuzzGbl.h"

namespace {

constexpr int kFilas = 16, kColumnas = 22, kNiveles = 5, kFichas = 144;

// Whether the tile at level l of cell (r, c) is missing: off the board, no
// tile recorded there, or a tile already removed.
bool Ausente(int r, int c, int l) {
    if (r < 1 || r > kFilas || c < 1 || c > kColumnas || l < 1 || l > kNiveles) return true;
    const int t = PuzzGbl.TAI_Tablero[r][c].Ficha[l];
    if (t < 1 || t >= int(PuzzGbl.Piezas.size())) return true;
    return PuzzGbl.Piezas[t].Estado == 0;
}

} // namespace

bool TAI_FichaLibre(std::int16_t ficha) {
    const auto& g = PuzzGbl;
    if (ficha < 1 || ficha > kFichas || ficha >= int(g.Piezas.size())) return false;
    const RegistroPieza& p = g.Piezas[ficha];
    if (p.Estado == 0) return false;
    const int r = p.Fila, c = p.Columna, l = p.Nivel;
    if (r < 1 || r > kFilas || c < 1 || c > kColumnas || l < 1 || l > kNiveles) return false;
    if (!Ausente(r, c, l + 1)) return false;
    return Ausente(r, c - 1, l) || Ausente(r, c + 1, l);
}
