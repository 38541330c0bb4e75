// The records of the three model files ("ModTan.mlp", "ModPen.mlp",
// "ModTai.mlp" in RutaArchivo), read and written in one way for all three.
//
// A model file is text, one record a line: record n is line n. Lines are
// written with CR LF; LF or CR alone are accepted when reading, so a file
// edited on another system keeps every model under its number. A line of the
// record's length (the length less its CR LF) whose first 25 characters are
// not all blanks is a model; a blank name, or a line of any other length, is
// an empty slot: never listed, and read as the empty record (25 blanks, "0"s,
// CR LF). Files are read through the platform's bounded read (no FIFO or
// device, nothing larger than a data file may be) and found ignoring case.
//
// A writer replaces one record, or adds one after the last, rewriting the
// whole file through a temporary file and a rename: every other line keeps
// its bytes, line end included, and a write that fails leaves the file as it
// was. Nothing here throws.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// One of the three model files: its name as written and its record length,
// CR LF included.
struct FormatoModelo {
    QString archivo;
    int largo = 0;
};
const FormatoModelo& FormatoModelosTangram();    // "ModTan.mlp", 126
const FormatoModelo& FormatoModelosPentominos(); // "ModPen.mlp", 452
const FormatoModelo& FormatoModelosTaipei();     // "ModTai.mlp", 452
// The file of a model game (23, 24, 25); nothing for another.
std::optional<FormatoModelo> FormatoModelosJuego(int tipoJuego);

// The empty record of the format: 25 blanks, "0"s, CR LF.
QString RegistroVacio(const FormatoModelo& f);

// A model the lists offer: its trimmed name and its record number.
struct ModeloUsable {
    QString nombre;
    std::int16_t registro = 0;
    bool operator==(const ModeloUsable&) const = default;
};

// Why a file of the "Archivo" folder could not be read, as words that follow
// "porque": "el archivo X no se encuentra" for a missing file (or folder),
// else "el archivo X no se ha podido leer (error N)" with the platform's
// error number.
QString FalloLectura(const QString& archivo, int error);

// A model file as read: its lines in order, without their ends.
class RegistrosModelo {
public:
    // Reads the file. When it cannot be read, leido() is false, the reason is
    // in motivo() and there are no records.
    explicit RegistrosModelo(const FormatoModelo& f);

    bool leido() const { return leido_; }
    const QString& motivo() const { return motivo_; }
    // The platform's error number when the file could not be read (0 when read).
    int error() const { return error_; }
    // FalloLectura() of the file when it could not be read; "" when it was.
    QString fallo() const;
    // Records in the file (its lines), empty slots included.
    int cuenta() const { return int(lineas_.size()); }
    // Whether record n is a model (1 <= n <= cuenta(), right length, a name).
    bool usable(int n) const;
    // Record n in full (CR LF at its end); the empty record for an empty
    // slot or a number that is not in the file.
    QString registro(int n) const;
    // Why record n is not a model ("" when it is), for the player.
    QString motivoRegistro(int n) const;
    // The models, in file order, each with its trimmed name.
    std::vector<ModeloUsable> usables() const;
    // The first record whose name is blank (a slot a new model may take), or
    // cuenta() + 1 when there is none.
    int primerHueco() const;

private:
    FormatoModelo formato_;
    bool leido_ = false;
    QString motivo_;
    int error_ = 0;
    std::vector<QString> lineas_;
};

// Record n of the file, as RegistrosModelo::registro(): the empty record
// unless line n is a model. `motivo` (optional) receives why it is not.
QString LeeRegistroModelo(const FormatoModelo& f, int n, QString* motivo = nullptr);

// What a writer did: whether the file now holds the record, which record
// that is, and otherwise why not (for the player).
struct ResultadoEscritura {
    bool escrito = false;
    std::int16_t registro = 0;
    QString motivo;
};

// Writes record n: replaces line n, or adds the record after the last line
// when n is one past it (the file is created when missing). The record is
// given without or with its CR LF and must have the format's length; it is
// written in Windows-1252 with CR LF. Refused, with the file untouched: a
// number below 1 or beyond one past the last, a record of another length or
// holding a line end, a file that cannot be read or replaced.
ResultadoEscritura EscribeRegistroModelo(const FormatoModelo& f, int n, const QString& registro);

// A model's name as a record holds it: only characters Windows-1252 has, no
// control characters and no double quotes, trimmed, cut to 25 characters
// and trimmed again.
QString NombreParaRegistro(const QString& nombre);
