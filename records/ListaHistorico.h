// The records of one game read from the history file and put in one of the
// history window's four orders:
//   1 "Fecha / Hora"        file order;
//   2 "Nombre / Dificultad" the player's name (ignoring case), hardest first;
//   3 "Fondo / Dificultad"  the background (picture file, Tangram model, or
//                           the sliding game's background code), hardest first;
//   4 "Dificultad / Tiempo" hardest first, then fastest first.
// Records that compare equal keep their file order. The fields are compared
// themselves, so no count, length or time makes the orders go wrong.
#pragma once

#include "records/Historico.h"

#include <QStringList>

#include <cstdint>
#include <vector>

struct ListaHistorico {
    // The records of the current game, in file order.
    std::vector<RegistroHistorico> Historico;
    // The index of the last record kept: -1 when there is none.
    std::int32_t UltimoHistorico = -1;
    // The list in the chosen order: indexes into Historico.
    std::vector<std::int32_t> Lis_Ordenar;
};

// The sort orders and their captions (1..4).
constexpr int kOrdenes = 4;
QString TextoOrden(int orden);

// Keeps the records of `juego` from the lines of the file. Each line is read
// into a fresh record (blanks and zeros where a damaged line stops short); a
// line whose game cannot be read is left out.
void LeeRegistrosJuego(const QStringList& lineas, std::int16_t juego, ListaHistorico& lista);
// Orders the list (Lis_Ordenar) by `orden` (1..4; anything else is file order).
void OrdenaLista(ListaHistorico& lista, int orden);

// Reads the history file in RutaPrograma for the current game and orders it.
// When the file cannot be opened the list is left empty, UltimoHistorico -1,
// ErrorFichero keeps the error number and the player is told (except for
// errors 6 and 62); returns that number, 0 when the file was read.
int CargaHistorico(ListaHistorico& lista, int orden);
