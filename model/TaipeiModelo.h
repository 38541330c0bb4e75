// The Taipei layout models of "ModTai.mlp": reading one record into a layout
// (or the reason it cannot be used), the one check every layout passes before
// it is dealt on or shown as usable, putting a layout in force on the board,
// and whether a layout fits the table.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

struct EleccionModeloJuego;

// A Taipei layout: its rows, columns and levels and the stack height of each
// cell (rows 1..16, columns 1..22; row 0 and columns 0 and 23 stay 0).
struct DisposicionTaipei {
    std::int16_t filas = 0, columnas = 0, niveles = 0;
    std::array<std::array<std::int16_t, 24>, 17> altura{};
    bool operator==(const DisposicionTaipei&) const = default;
};

// What a layout record reads as.
struct ModeloTaipei {
    DisposicionTaipei disposicion; // as read; the empty layout for an empty slot
    QString motivo;                // why it cannot be used; empty when it can
    bool vacio = false;            // an empty slot (or no record): the empty layout
};

// The text of record nro of "ModTai.mlp" in the model folder (line nro,
// whatever its line end), found whatever the case of its name; empty when
// there is no such record (no file, nro below 1 or past the end) or line nro
// is an empty slot or damaged.
QString TAI_LeeRegistroModelo(std::int16_t nro);

// Reads a record: the name in characters 1-25 (blank for an empty slot),
// rows in 26-27, columns in 28-29, levels in 30, and from 35 one height digit
// per cell, row by row with the layout's own column count as stride. An
// empty slot or an empty text reads as the empty layout (0 rows, 0 columns,
// 0 levels), flagged vacio. Any other record is checked as
// TAI_CompruebaDisposicion does; a character that is not a digit in its
// sizes or in its cells' heights, or a record too short for its cells, is
// refused too.
ModeloTaipei TAI_InterpretaModelo(const QString& registro);

// Why the layout cannot take the 144 tiles (in Spanish, to be shown), or an
// empty text when it can: 1..16 rows, 1..22 columns, 1..5 levels, no stack
// higher than the levels or outside the rows and columns, 144 places.
QString TAI_CompruebaDisposicion(const DisposicionTaipei& d);

// The layout now on the board (FilasTablero, ColumnasTablero, TAI_NroNiveles
// and the heights of TAI_Tablero).
DisposicionTaipei TAI_DisposicionActual();

// Puts the layout in force: FilasTablero, ColumnasTablero, TAI_NroNiveles,
// the whole board cleared (heights and tiles) and given its heights, the
// rows and columns that hold a stack (TAI_NroFilas, TAI_NroColumnas), and the
// record it came from in TAI_RegistroModelo.
void TAI_PonDisposicion(const DisposicionTaipei& d, const QString& registro);

// Reads record nro of "ModTai.mlp" and puts it in force when it can be used,
// returning true. An empty slot or a missing record puts the empty layout in
// force and returns false. A record that cannot be used changes nothing and
// returns false. In both cases the reason goes to motivo when given.
bool TAI_CargaModelo(std::int16_t nro, QString* motivo = nullptr);
// The same for record NroModelo, as the settings window asks for it.
void TAI_CargaModelo();

// Whether a layout of that many rows, columns and levels fits a table of
// anchoMesa x altoMesa beside the command panel, its tiles at their size on
// the table: too tall is told before too wide.
enum class AjusteTaipei { Cabe, DemasiadoAlta, DemasiadoAncha };
AjusteTaipei TAI_AjusteEnMesa(int filas, int columnas, int niveles, int anchoMesa, int altoMesa);

// Why a layout does not fit a table of anchoMesa x altoMesa beside the
// command panel (TAI_AjusteEnMesa), in Spanish to be shown; empty when it
// fits, and when no table size is known (either size 0 or less).
QString TAI_MotivoAjuste(const DisposicionTaipei& d, int anchoMesa, int altoMesa);

// The layout of record nro when it can be dealt on and fits the table of
// anchoMesa x altoMesa (TAI_MotivoAjuste); nothing otherwise. A state is laid
// out again only on such a layout.
std::optional<DisposicionTaipei> TAI_DisposicionJugable(std::int16_t nro, int anchoMesa, int altoMesa);

// The Taipei part of the choice of model for a fresh game without a state
// (model/EleccionModelo.h): a layout is usable when it reads without a reason
// and fits the table (TAI_AjusteEnMesa). With none, the player is told and
// NroModelo becomes 0: the table stays empty and nothing is dealt.
EleccionModeloJuego TAI_EleccionModelo();
