// What the settings window decides when the player leaves it: from the
// settings at opening, the settings now and the player's answers, which
// questions are asked, whether the puzzle restarts, whether only its look
// changed, whether the opening's puzzle is put back, and what the table is
// told. One pure function, so that every road can be tried without a window.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// The settings the window compares on leaving.
struct AjustesPersonal {
    QString FicheroImagen, ArchivoImagen;
    std::int16_t FormaPieza = 0, PiezasLado = 0, ZoomImagen = 100;
    bool GiroPermitido = false;
    std::int16_t TAN_ModoJuego = 0, TipoRotulo = 0, NroModelo = 0;
    std::int32_t ColorFondo = 0, ColorPieza = 0, ColorLineas = 0;
    bool DibujarBorde = false;
    std::int16_t FactorAtraccion = 0;
    bool PiezasUnColor = false;
    std::int16_t MaterialPiezas = 0;
    bool operator==(const AjustesPersonal&) const = default;
};
// The program-wide settings now.
AjustesPersonal AjustesActuales();

// The pasted picture's name test, EsImagenPortapapeles, is in core/TsComun.h.

enum class PreguntaSalida { Parametros, Modelo };

struct DecisionSalida {
    bool preguntaParametros = false; // "Parámetros del puzzle" was asked
    bool preguntaModelo = false;     // "Nuevo modelo de ..." was asked
    bool ReiniciarPuzzle = false;
    bool CambioCosmetico = false;
    bool restaura = false;           // the opening's puzzle goes on, with the new look
    bool quitaHistorico = false;     // PasaAlHistorico becomes false
    bool guardaPortapapeles = false; // the pasted picture is saved for the new puzzle
    bool calculaDificultad = false;
    std::int16_t ZoomImagen = 100;   // the zoom the table is left with
    bool operator==(const DecisionSalida&) const = default;
};

// juego: TipoJuego. reinicioForzado: there is no puzzle to go on with (none
// at opening), or the window had to change the picture to leave: the puzzle
// restarts and nothing is asked. responde: the player's answer to a question
// (true: accepted).
DecisionSalida DecideSalida(const AjustesPersonal& inicial, const AjustesPersonal& ahora, std::int16_t juego,
                            bool reinicioForzado, const std::function<bool(PreguntaSalida)>& responde);

// Whether the game plays stored models in these settings.
bool JuegaModelos(std::int16_t juego, std::int16_t modoTangram);
