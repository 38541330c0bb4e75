// The command panel: twelve buttons in a column at the right edge of the
// table, with the chronometer and the counter of pieces in place below them.
//
// The commands that open windows or run work of other parts of the table go
// through a window launcher, so that each of those parts plugs itself in.
#pragma once

#include "core/Configuracion.h" // RutaEstadoJuego

#include <QString>

#include <cstdint>
#include <functional>

class VentanaMesa;

// ---- which buttons act, which are shown, what they say ----

// What decides whether a button acts.
struct EstadoBotones {
    std::int16_t juego = 21;       // TipoJuego
    std::int16_t modoTangram = 0;  // TAN_ModoJuego: 1 design
    std::int16_t tipoRotulo = 1;   // sliding game: 1 picture background
    bool grabadora = false;        // GrabadoraEncendida
    bool mostrandoModelo = false;  // MostrandoModelo
};
EstadoBotones EstadoBotonesActual();
// Whether button 1..12 is inactive in that state (false for any other index).
bool BotonInactivo(const EstadoBotones& e, int indice);
// The pointer the button shows: 23 active, 12 inactive.
std::int16_t CursorBoton(const EstadoBotones& e, int indice);
// Whether the game shows button 1..12.
bool BotonVisible(std::int16_t juego, int indice);
// The button's tooltip, blanks included ("" for an index outside 1..12).
QString TextoBoton(std::int16_t juego, int indice);
// Left and top of button 1..12 inside the panel.
int PosicionBotonX(int indice);
int PosicionBotonY(int indice);

// ---- the window launcher ----

// The parts of the table and the windows the commands start, installed by the
// program at start-up (each part's Instala... function). A command whose part
// is left out (only tests do that) does nothing.
struct LanzadorVentanas {
    std::function<void()> personal;  // the settings window, modal (command 2)
    std::function<bool()> personalAbierta; // whether it is open: a press of command 2 then does nothing
    std::function<void()> estadis;   // the statistics window, modal (4)
    std::function<void()> historic;  // the history window, modal (5)
    std::function<void()> resuelvePuzzle;        // automatic solving (12; the sliding tutor, 3)
    std::function<void()> tutorIndicando;        // the tutor's pointing (3)
    std::function<void()> mostrarPiezasBienoMal; // the right/wrong display (10)
    std::function<void()> ocultaOpciones;        // hides the option panel; every press
    std::function<void()> cargua;                // the load and save window, modal (option panel)
    std::function<void()> ayuda;                 // the help contents, not modal (6)
    // The end once the exit is accepted and written: the window goes and the
    // program ends when every running loop has returned.
    std::function<void()> terminaPrograma;
};
LanzadorVentanas& Lanzador();
// Back to the launcher the program starts with (help, the right/wrong display,
// the option panel's hiding and ending only).
void ReiniciaLanzador();

// ---- the pause of the chronometer around a command ----

// Stops the chronometer and keeps its running state for itself, so that
// pauses nest; restores it once (restaura or the end of the scope) unless
// dropped.
class PausaCronometro {
public:
    PausaCronometro();
    ~PausaCronometro();
    PausaCronometro(const PausaCronometro&) = delete;
    PausaCronometro& operator=(const PausaCronometro&) = delete;
    void restaura();
    void descarta() { activa_ = false; }

private:
    bool antes_;
    bool activa_ = true;
};

// ---- the panel ----

// The panel's width on the table, and the size of the tab beside it.
constexpr int kAnchoBotonera = 141;
constexpr int kAnchoPestana = 9, kAltoPestana = 33;
// Whether the panel lies on the table; one hidden, or not laid out yet,
// covers nothing.
bool BotoneraEnMesa();
// Copies the tab's flag from the sheet: with BotoneraOculta set, the flag of
// a panel shown (the next press hides it); clear, of a panel slid away.
void PonBanderaPestana();

// Lays out and draws the whole panel for the current game.
void DibujaBotoneraPanel();
// Hover over button 1..12: its pointer and BotonCursor entry follow the state.
void Pic_Boton_MouseMove(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
// The command dispatcher behind mesa.Pic_Boton_MouseDown.
void EjecutaBoton(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y);
// The window's load: the continuous replays are off.
void Form_Load();
// A close request of the window goes through the exit command; whether the
// exit was accepted.
bool CierreVentanaMesa();

// Registers the panel's and chronometer's procedures with the table.
void RegistraBotonera();
// RegistraBotonera, and the timer running every 1000 ms.
void InstalaBotonera();
// Hands the mouse of the panel's views to the handlers above.
void ConectaVistasBotonera(VentanaMesa& ventana);
