// Taipei tiles and rules: the 144 tiles and their kinds, whether a tile may be
// taken, the blocking measures behind the hint, the hint itself and the
// depth-first solver that automatic solving plays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// The board and the tiles: 16 rows, 22 columns, stacks of up to 5 levels;
// 144 tiles of 36 kinds, four of each, dealt and removed as 72 pairs.
namespace taipei {
constexpr int kFilas = 16, kColumnas = 22, kNiveles = 5;
constexpr int kFichas = 144, kClases = 36, kParejas = 72;
// A tile's size on the table and the shift of each level up and left.
constexpr int kAnchoFicha = 50, kAltoFicha = 67, kRelieve = 6;
} // namespace taipei

// Every tile's value, suit, kind, copy and id from its number (tiles 1..144
// that the piece array holds).
void TAI_AsignaPalos();

// The first tile 1..144 whose Id is id, 0 when none is.
std::int16_t TAI_BuscaFichaPorId(std::int16_t id);

// True when the tile lies on the board, has not been removed, nothing lies on
// it and at least one of its left and right neighbours on its own level is
// gone. A tile number or a board place outside the board is never free.
bool TAI_FichaLibre(std::int16_t ficha);

// TAI_Bloqueo of every tile on the board (removed or not) and TAI_PesoBloqueo
// of every free tile, from the board as it stands.
void TAI_CalculaBloqueos();

// The pair of free tiles of one kind whose blocking weights add up highest
// (the first found among equals) into TAI_ParejaSugerida (1) and (2); both 0
// when no pair can be removed.
void TAI_BuscaPareja();

// The tutor's pair: the hint's (TAI_BuscaPareja) while the board can still be
// cleared after it, or the first pair of a clearing the search finds when
// only other pairs keep the board clearable. The hint's stands when the
// search can tell neither within its limit; both 0 when no pair is free.
void TAI_SugiereParejaConSalida();

// Searches, depth first with back-steps, a sequence of pairs that empties the
// board from the present position: TAI_SolucionHallada tells whether one was
// found and TAI_TablaBusqueda (1..) holds its pairs in order. Once it has
// stepped back, it gives up when a back-step or a new position finds more
// than 3 seconds gone since the start (a search that never steps back is
// not limited). Every tile's state is as it was after.
// Positions it has searched without success (told by their removed tiles)
// are remembered and never entered again, which changes nothing of the
// sequence found but the time it takes; the memory this takes stays under
// 64 MB (past that, no more are remembered).
void TAI_BuscaSolucion();
// The same with the remembering of failed positions off (false), for
// comparisons.
void TAI_BuscaSolucion(bool recuerdaFallidas);

// The seconds clock of the solver's time limit; an empty function goes back
// to the program's millisecond clock. Tests and benchmarks give their own.
void RegistraRelojSolucionTaipei(std::function<double()> segundos);

// How deep the solver probes each position it weighs: as it chooses (-1,
// the program's way), not at all (0), one deep (1) or two deep (2). Tests
// use it to check every way of weighing against the same answers.
void FuerzaSondeoTaipei(int hondura);

// Figures of the last search.
struct EstadisticaSolucionTaipei {
    long long parejas = 0;    // pairs removed on the way, back-steps included
    long long retrocesos = 0; // back-steps (the last one that gives up included)
    bool agotado = false;  // it gave up on the time limit
    long long evitadas = 0;        // moves not taken: they led to a position that had failed
    std::size_t fallidas = 0;      // failed positions remembered
    std::size_t bytesFallidas = 0; // the memory that took
    bool fallidasLleno = false;    // that memory was full and some were not remembered
};
const EstadisticaSolucionTaipei& UltimaSolucionTaipei();
