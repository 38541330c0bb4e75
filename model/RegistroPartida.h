// The record layout of the puzzle-state format, shared by its reader and its
// writer: the widths of the lines' slots, the fields as the lines hold them
// (numbers, flags, blanks), the header line (line 5) both ways and the
// settings the header and the globals share.
#pragma once

#include "core/Configuracion.h" // Cifras
#include "core/Visores.h"       // SinBlancos
#include "model/EstadoPuzzle.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace registro_partida {

constexpr int kLargoCabecera = 146;
constexpr int kLargoCabeceraAntigua = 138; // before the table size was kept
constexpr int kLargoPieza = 30;
constexpr int kLargoMovimiento = 23;
constexpr int kLargoTablero = kCeldasTaipei * 3;
constexpr int kLargoReparto = 432;
constexpr int kMaxMovimientos = 9999;
constexpr int kMaxSuperficie = 4096; // the largest zoomed picture made
// The screens the program runs on: a stored table size outside them is damage
// and is not used to move the positions.
constexpr int kAnchoMesaMinimo = 320, kAltoMesaMinimo = 240;
constexpr int kAnchoMesaMaximo = 7680, kAltoMesaMaximo = 4320;

// ---- fields -------------------------------------------------------------------

// The slot of `ancho` characters from column `columna` (1-based).
QString Mitad(const QString& l, int columna, int ancho);
bool EnBlanco(const QString& t);
// A field of the piece, move and Taipei lines: a blank reads 0; anything else
// must be a whole number.
std::optional<std::int16_t> Numero(const QString& t);
std::optional<std::int32_t> Numero32(const QString& t);
// A header field read as a number: nothing when it is blank or not a number.
std::optional<std::int16_t> Entero(const QString& t);
std::optional<std::int32_t> Entero32(const QString& t);
std::optional<bool> Bandera(const QString& t);
// The range of a slot of `ancho` characters: a sign and ancho - 1 digits up
// to ancho digits.
long long MinimoCampo(int ancho);
long long MaximoCampo(int ancho);
QString TextoBandera(bool b);
// Writes `texto` into the slot of `ancho` characters from column `columna`.
void Pon(QString& linea, int columna, int ancho, const QString& texto);
// The pieces of one cell of the jigsaw for a piece shape.
std::int16_t PiezasPorCasilla(std::int16_t forma);

// The game's settings that the header and the globals share, copied either
// way; the move count and the table size are left to each side.
template <class De, class A>
void CopiaAjustes(const De& de, A& a) {
    a.NombreJugador = de.NombreJugador;
    a.ColorFondo = de.ColorFondo;
    a.ColorPieza = de.ColorPieza;
    a.ColorLineas = de.ColorLineas;
    a.MuestraVisible = de.MuestraVisible;
    a.NroModelo = de.NroModelo;
    a.ZoomImagen = de.ZoomImagen;
    a.PiezasLado = de.PiezasLado;
    a.FormaPieza = de.FormaPieza;
    a.NroPiezas = de.NroPiezas;
    a.SegundosCronometro = de.SegundosCronometro;
    a.MostrandoModelo = de.MostrandoModelo;
    a.PasaAlHistorico = de.PasaAlHistorico;
    a.TAN_ModoJuego = de.TAN_ModoJuego;
    a.TipoRotulo = de.TipoRotulo;
    a.AgujeroX = de.AgujeroX;
    a.AgujeroY = de.AgujeroY;
    a.AnchoBmp = de.AnchoBmp;
    a.AltoBmp = de.AltoBmp;
    a.TipoJuego = de.TipoJuego;
    a.FactorAtraccion = de.FactorAtraccion;
    a.GiroPermitido = de.GiroPermitido;
    a.DibujarBorde = de.DibujarBorde;
    a.AtraccionPiezas = de.AtraccionPiezas;
    a.NombreModelo = SinBlancos(de.NombreModelo); // one spelling per model, whoever set it
    a.GradoDificultad = de.GradoDificultad;
    a.PEN_SolucionActual = de.PEN_SolucionActual;
    a.PiezasUnColor = de.PiezasUnColor;
    a.MaterialPiezas = de.MaterialPiezas;
}

// ---- header ---------------------------------------------------------------------

// Line 5 as a value; `motivo` says why when a field that must be a number is
// not one (the other fields take their defaults and are held to their ranges).
CabeceraPartida LeeCabecera(const QString& l, QString& motivo);
QString ComponeCabecera(const CabeceraPartida& c);

// A Taipei table left without a layout (no usable model when it was set up):
// no tile on the board, none removed by a move. It is a sound state, dealt
// afresh when put in force.
bool TaipeiSinRepartir(const EstadoPartida& e);

} // namespace registro_partida
