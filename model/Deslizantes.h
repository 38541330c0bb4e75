// The sliding-tile game: its table set-up and the solver that the automatic
// solving and the tutor play.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Sets up the sliding-tile table: nuevo deals a new puzzle, otherwise the
// state just loaded is rebuilt. Letters cannot label more than 24 pieces:
// such a board shows numbers and TipoRotulo becomes 2.
void PreparaDeslizantes(bool nuevo);

// The background the sliding pieces show: TipoRotulo, except that a picture
// background whose picture could not be read (ImagenAusente) shows numbers
// while TipoRotulo, and so the state, keeps the picture.
std::int16_t RotuloEnUso();

// The most states one search may create before it gives up.
constexpr int kMaxEstadosBusqueda = 200000;

// Finds the slides that bring the lowest-numbered misplaced piece home without
// disturbing the pieces before it, into CaminoSolucion (entry 1 the last
// slide) and NumPasosSolucion. The board (Piezas and the hole) is never
// touched: the search works on a copy of its own. A solved board gives an
// empty path at once; a search that reaches kMaxEstadosBusqueda states or runs
// out of states to expand (a board without solution) gives an empty path and
// sets SinCaminoSolucion. BuscandoSolucion is set while it runs.
void ResuelveDeslizantes();

// What runs every 50 ms or so of a long search: the table lets its pending
// events run there. Nothing runs until one is registered; an empty function
// goes back to that.
void RegistraEventosSolucion(std::function<void()> eventos);

// Figures of the last search.
struct EstadisticaBusqueda {
    int estados = 0;           // states created (the start state included)
    std::size_t memoria = 0;   // bytes held by the states, their keys and the open list at the end
    bool tope = false;         // it stopped at kMaxEstadosBusqueda
};
const EstadisticaBusqueda& UltimaBusqueda();
