// The model a fresh puzzle of a model game starts from when the game has no
// state to rebuild (its state file missing or refused): the one place that
// chooses it for Tangram (23), pentominoes (24) and Taipei (25).
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// What a model game gives the choice.
struct EleccionModeloJuego {
    // Whether model nro, whose record (a model of the file, CR LF at its end)
    // is given, can be played on the current table. Empty: the game has no
    // test of its own yet, and NroModelo is kept as it stands.
    std::function<bool(std::int16_t nro, const QString& registro)> usable;
    // Puts the chosen model (NroModelo) in force before the set-up; may be
    // empty when the game's set-up reads it itself.
    std::function<void()> carga;
    // When no model is usable: the message the player is given (title, text,
    // lines, help topic) and what the game does instead, which `consecuencia`
    // ends the message with. `modelos` names the game's models ("modelo de
    // Tangram") for the message given when the file cannot be read at all.
    QString titulo, mensaje, modelos, consecuencia;
    // Why another file every model needs cannot be read ("" when it can);
    // empty when the game needs none.
    std::function<QString()> falloAnexo;
    int lineas = 1, ayuda = 0;
    std::function<void()> sinModelo;
};

// Each game's part, by game type; nothing for the other games. Pentominoes
// take a board with a usable stored solution (with none, an empty table).
// Taipei's is TAI_EleccionModelo (model/TaipeiModelo.h).
EleccionModeloJuego EleccionModeloDe(std::int16_t juego);

// Chooses for the current game (TipoJuego): NroModelo when it is usable,
// else the lowest-numbered usable model of the game's file; NroModelo and
// NombreModelo (the trimmed name) follow, and the model is put in force.
// With none usable the game's message is given and its road without a model
// taken (Tangram: design mode); a model file that cannot be read is told by
// its name and what kept it from being read, never as a file without models. Returns whether a model was chosen; a game
// without models returns true and changes nothing.
bool EligeModeloPuzzleNuevo();
