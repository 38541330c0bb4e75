// The option panel: a small grey panel that a right click on the empty table
// opens at the pointer, with one row per choice (save this puzzle, load one,
// delete one and, while designing Tangram figures, store the figure as a
// model). The panel only chooses: it sets CarGuaModo and opens the load and
// save window through the launcher (Lanzador().cargua).
//
// The panel lies on the window, so it is placed in window pixels; its own
// events come in its own pixels.
#pragma once

#include <cstdint>

class VentanaMesa;

// The panel's width, the height of one row and the offsets of its rows.
constexpr int kAnchoOpciones = 150;
constexpr int kAltoFilaOpciones = 18;

// The number of rows shown now (the enabled entries among 1..4) and the
// panel's height for them.
int FilasOpciones();
int AltoOpciones(int filas);
// The row under the panel's point y: (y + 16, rounded) \ 18; 0 above the first.
std::int16_t FilaOpcionEn(double y);
// Where the panel goes for a press at table point (x, y): the point as the
// window shows it, kept clear of the command panel and inside the table's
// height.
struct LugarOpciones {
    int izquierda = 0, arriba = 0;
};
LugarOpciones CalculaLugarOpciones(int x, int y, int alto);
// The load and save window's mode of entry 1..4 (0 for any other).
std::int16_t ModoCarGuaDeOpcion(int entrada);

// Draws the panel for the enabled rows and the highlighted row, places it at
// the last press (RatonX, RatonY) and shows it when a row is enabled.
void MuestraOpcionesPanel();
// Hides the panel (every press on the table and its panels does).
void OcultaOpcionesSelec();

// ---- the panel's events (x, y in the panel's pixels) ----
void Pic_SelOpciones_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);
void Pic_SelOpciones_MouseUp(std::int16_t boton, std::int16_t shift, double x, double y);

// Hands the mouse of the panel's view to the handlers above.
void ConectaVistasOpciones(VentanaMesa& ventana);
