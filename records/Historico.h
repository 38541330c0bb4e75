// The history of solved puzzles: the file "Tesel34.his" in the working folder,
// one line per solved puzzle that the player chose to keep, records of every
// game in the one file, in the order they were solved. Lines are only ever
// added. The file is Windows-1252 text with CR LF line ends.
//
// A line holds 27 comma-separated fields: texts between double quotes,
// whole numbers as plain decimal digits, the difficulty with "." as its
// decimal point whatever the locale.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

struct RegistroHistorico {
    QString Fecha;                         // 1  "dd/mm/yyyy", 10 characters
    QString Hora;                          // 2  "HH:MM:SS", 8 characters
    std::int16_t TipoJuego = 0;            // 3  21..25
    QString ArchivoImagen;                 // 4  "tsportap.bmp" = pasted from the clipboard
    QString CarpetaImagen;                 // 5
    QString NombreModelo;                  // 6
    std::int16_t AnchoBmp = 0;             // 7
    std::int16_t AltoBmp = 0;              // 8
    std::int16_t ZoomImagen = 0;           // 9
    std::int16_t AnchoImagen = 0;          // 10
    std::int16_t AltoImagen = 0;           // 11
    std::int16_t PiezasLado = 0;           // 12
    std::int16_t PiezasCasilla = 0;        // 13
    std::int16_t FormaPieza = 0;           // 14
    std::int16_t NroPiezas = 0;            // 15
    std::int16_t AnchoPieza = 0;           // 16
    std::int16_t AltoPieza = 0;            // 17
    float GradoDificultad = 0;             // 18
    std::int32_t SegundosCronometro = 0;   // 19
    std::int16_t FactorAtraccion = 0;      // 20
    std::int16_t TipoRotulo = 0;           // 21
    std::int16_t Reservado = 0;            // 22 written 0, never used
    QString NombreJugador;                 // 23 9 characters
    std::int16_t PEN_NumSoluciones = 0;    // 24
    std::int16_t TAI_NroFilas = 0;         // 25
    std::int16_t TAI_NroColumnas = 0;      // 26
    std::int16_t TAI_NroNiveles = 0;       // 27

    bool operator==(const RegistroHistorico&) const = default;
};

inline constexpr int kCamposHistorico = 27;

// The file's name, and its full path in RutaPrograma under the spelling found
// there (the name's own when there is none).
inline const QString kArchivoHistorico = QStringLiteral("Tesel34.his");
QString RutaHistorico();

// The record of the puzzle on the table now, solved at `fecha` (a date value,
// see platform/numbers.h): every field from its global, field 22 zero, the
// player's name blank-padded or cut to 9 characters.
RegistroHistorico RegistroActual(double fecha);

// The line of a record, without its line end. A double quote inside a text
// would end the field early, so it is written as an apostrophe.
QString LineaHistorico(const RegistroHistorico& r);

// The fields of a line: split at commas outside double quotes, blanks around
// each field dropped, the quotes of a quoted field removed.
QStringList CamposHistorico(const QString& linea);

// Reads a line into `r` field by field, in file order. A field that cannot be
// read stops the reading: it and the fields after it keep what `r` held.
// Fields 1, 2 and 23 are cut or blank-padded to 10, 8 and 9 characters.
// Returns the number of fields read (27 for a whole record).
int LeeLineaHistorico(const QString& linea, RegistroHistorico& r);

// Appends the current puzzle's record, dated now, to the history file
// (creating it). On failure the file stays as it was, the player is told so,
// and false is returned.
bool ActualizaHistorico();
// The same with a given date value (tests, and callers that hold the time).
bool ActualizaHistorico(double fecha);
