// The global settings file "Tsl34.ini", the per-game state files
// "Tsl2134.ini" .. "Tsl2534.ini", and the read and write of any puzzle-state
// file by its path (saved puzzles, the settings window's snapshot).
//
// The puzzle-state format itself, its checks and the rebuilding of a puzzle
// belong to the model, which sits above this library. The model installs them
// here at program start (InstalaEstadoPuzzle() in model/EstadoPuzzle.h, called
// by main.cpp); until something is installed, no state can be read or
// written (the readers take the missing-file road, the writers return false).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

// ---- the global settings line -------------------------------------------------

// The five settings of "Tsl34.ini".
struct AjustesGlobales {
    std::int16_t TipoJuego = 0;
    bool SonidoActivo = false;
    std::int16_t VelocidadJuego = 0;
    bool MostrarSugerencias = false;
    std::int16_t ListaMovimientos = 0;
    bool operator==(const AjustesGlobales&) const = default;
};

// A whole number in a fixed slot of the settings and state files: zero-padded;
// a negative one as its sign and ancho - 1 digits ("-040"); what still does
// not fit is held to the slot.
QString Cifras(long long v, int ancho);

// The fields of the settings line (the text between the quotes) over the
// values given: a field that is missing or not a number keeps its value.
AjustesGlobales LeeLineaConfiguracion(const QString& linea, AjustesGlobales previos);
// Each setting made valid: game outside 21..25 becomes 21, speed outside
// 0..100 becomes 50, list mode other than 1 and 2 becomes 2.
AjustesGlobales ValidaAjustes(AjustesGlobales a);
// The 125 characters of the settings line.
QString ComponeLineaConfiguracion(const AjustesGlobales& a);

// ---- files ---------------------------------------------------------------------

// Reads "Tsl34.ini" into the settings, validates them, and writes the file
// with them when it could not be read (before saying so).
void LeeConfiguracion();
// Writes "Tsl34.ini"; whether it was written.
bool GuardaConfiguracion();

// Reads the state file at the path and rebuilds that puzzle. When the file
// cannot be used: for the current game's state file, says why, takes the
// game's defaults, starts a puzzle and writes the state file (a damaged one is
// kept as path + ".bak" first); for any other file (a saved puzzle), says so
// and changes nothing. A state of the current game that is refused only
// because its model file or record cannot be used is not damaged: it is left
// as it is, the message names the model file and what is wrong with it, and
// the game's defaults give this run's puzzle. A damaged state that cannot be
// copied aside is left as it is too. Such a kept file is not replaced while
// the player has not started anything in that game (see JuegoEmpezado()).
void LeePuzzleJuego(const QString& ruta);
// Writes the state file of the current game; whether it was written. A kept
// state file (above) is left as it is, and that counts as written.
bool GuardaPuzzleJuego();
// The player started something in the current game: a deal, a load or a
// move. A state file kept for that game is set aside now (moved to its
// ".bak", byte for byte, the message saying where), and from then on the game
// saves as usual; when it cannot be set aside, the player is told once that
// this play will not be saved, and the file stays as it is.
void JuegoEmpezado();
// Reads a puzzle-state file quietly; CargaCorrecta tells whether it was read.
// A file that cannot be opened or is damaged changes nothing.
void CargaPuzzleArchivo(const QString& ruta);
// Writes the current state to the path; whether it was written.
bool GuardaPuzzleArchivo(const QString& ruta);

// The line colour and the light and dark shades of the two base colours.
void CalculaColoresDerivados();

// The state file of a game: RutaPrograma + "Tsl" + two digits + "34.ini",
// with the spelling found on disk.
QString RutaEstadoJuego(std::int16_t juego);

// The bytes of a puzzle-state file from its lines, and back. Each line is
// written between double quotes and followed by CR LF; the picture lines (1
// to 4) go in UTF-8 when Windows-1252 cannot hold them, the others in
// Windows-1252. Reading accepts LF alone, takes a line as UTF-8 when it is
// valid UTF-8 holding a multi-byte sequence (picture lines only), and strips
// only the outer quotes.
QByteArray ComponeArchivoEstado(const QStringList& lineas);
QStringList LeeLineasEstado(const QByteArray& contenido);

// ---- what the model installs --------------------------------------------------

struct ServiciosEstadoPuzzle {
    // The nine lines of the current state (also left in LineasConfiguracion).
    std::function<QStringList()> compone;
    // Whether the table holds no puzzle to keep (a model game without a
    // model it can play): its state file is then not written, so the next
    // start takes the road of a missing state again.
    std::function<bool()> sinPuzzle;
    // Reads and checks a state file's bytes. juego: the game the file must
    // hold (0: any). On success returns an empty text and keeps the state
    // for aplica(); otherwise the reason, and nothing has changed.
    std::function<QString(const QByteArray& contenido, std::int16_t juego)> comprueba;
    // When comprueba() refused the state only because its model file or
    // model record cannot be used: what is wrong, as words after "porque"
    // (naming the file), and whether that is only a sound model too large
    // for this screen; otherwise an empty text.
    struct FalloModelo {
        QString motivo;
        bool pantalla = false;
    };
    std::function<FalloModelo()> modeloInutil;
    // The game of the state that comprueba() accepted last.
    std::function<std::int16_t()> juegoComprobado;
    // Puts the accepted state in force and rebuilds the puzzle.
    std::function<void()> aplica;
    // Empties the move list and restarts the chronometer.
    std::function<void()> iniciaGrabadora;
    // A new, shuffled puzzle of the current game, drawn on the table.
    std::function<void()> puzzleNuevo;
    // A jigsaw that has no picture yet: dealt from the first sample picture
    // that can be used. False when there is none.
    std::function<bool()> primerPuzzle;
};
void InstalaServiciosEstadoPuzzle(ServiciosEstadoPuzzle servicios);

// A jigsaw without a usable picture (no state yet, or its picture refused):
// the settings window installs here how it is opened for the player's
// choice. Until it is, the first sample picture is dealt.
void PonEleccionImagen(std::function<void()> abre);
// Opens the settings window for a picture; false when none is installed.
bool PideImagenAlJugador();
