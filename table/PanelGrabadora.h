// The move recorder panel at the bottom-right corner of the table, and the
// model preview that the player drags about the table.
//
// The panel lies on the window (window pixels), against both scroll bars; it
// lists the recorded moves, one line each, and carries six round transport
// buttons (on/off, continuous back, one back, one forward, continuous
// forward, restore) and three small list buttons (previous lines, next
// lines, extend or compress). The preview lies on the table (table pixels).
#pragma once

#include "core/PuzzGbl.h"

#include <QString>

#include <cstdint>
#include <functional>

class VentanaMesa;

// ---- the panel's layout ----

// The panel's width, the height of its body and its place in the sheet.
constexpr int kAnchoGrabadora = 166;
constexpr int kAltoCuerpoGrabadora = 37;

// The window's inner edges the panel stands against: the vertical bar's left
// and the horizontal bar's top; a hidden bar lies just past the table.
int BordeDerechoMesa();
int BordeInferiorMesa();

// Where the panel goes and how high it is, worked out from the globals: the
// list mode (EstadoListaMov), the lines shown (LineasListaMov) and the first
// line (PrimeraLineaGrab, left alone while a list arrow is held) are updated.
struct LugarGrabadora {
    int alto = 0, izquierda = 0, arriba = 0;
};
LugarGrabadora CalculaGrabadora();

// The text of one recorded move as the list shows it.
QString TextoMovimiento(std::int32_t i, const RegistroMovimiento& m);
QString TextoMovimiento(std::int32_t i);

// Redraws and places the whole panel (registered as DibujaGrabadora).
void DibujaGrabadoraPanel();

// ---- the buttons ----

enum class BotonGrabadora {
    Ninguna,
    Encender,
    RetrocesoContinuo,
    Retroceder,
    Avanzar,
    AvanceContinuo,
    Restaurar,
    Anteriores,
    Posteriores,
    Comprimir,
    Extender,
};
// The button under the point (x, y) of the panel: the round buttons only
// where the sheet's hit mask is red; none elsewhere.
BotonGrabadora ZonaEnPunto(int x, int y);
// Whether the button acts now.
bool ZonaActiva(BotonGrabadora z);
// Its tooltip, blanks included.
QString TextoZona(BotonGrabadora z);

// What the panel's loops look at. An empty member keeps the plain behaviour.
struct ProcedimientosGrabadora {
    // Runs the pending events once; false when they could not run (the loop ends).
    std::function<bool()> ejecutaEventos;
};
ProcedimientosGrabadora& ProcGrabadora();

// ---- the panel's events (x, y in the panel's pixels) ----
void Pic_Grabadora_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);
void Pic_Grabadora_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);
void Pic_Grabadora_MouseUp(std::int16_t boton, std::int16_t shift, double x, double y);

// ---- the model preview's events (x, y in the preview's pixels) ----
void Pic_Muestra_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);
void Pic_Muestra_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);
void Pic_Muestra_MouseUp(std::int16_t boton, std::int16_t shift, double x, double y);
// Whether a drag of the preview is under way.
bool ArrastrandoMuestra();

// Registers the panel's drawing with the table; drops any drag and the loop hook.
void RegistraGrabadora();
// Hands the mouse of the panel's and the preview's views to the handlers above.
void ConectaVistasGrabadora(VentanaMesa& ventana);
