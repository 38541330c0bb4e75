// The table surface: the hover that finds the piece under the pointer and
// picks its pointer, the drag with the jigsaw's automatic scrolling, the press
// that lifts, slides, selects or turns, the click, the double click, the key
// press and the tab that slides the command panel in and out.
//
// Positions are table pixels (the table's own coordinates, scrolled or not).
#pragma once

#include "platform/ui/mouse.h"

#include <cstdint>
#include <functional>

class VentanaMesa;

// The table's neighbours that are not built here, and the ways the rotation
// loop looks at the world. An empty member keeps the plain behaviour noted.
struct ProcedimientosTrabajo {
    // Runs the pending events once; false when they could not run (the loop ends).
    std::function<bool()> ejecutaEventos;
    // Whether the right button is still down; whether the program has the focus.
    std::function<bool()> botonDerechoAbajo;
    std::function<bool()> conFoco;
};
ProcedimientosTrabajo& ProcTrabajo();
// Back to the plain behaviour of every member; the hover's masks are dropped.
void ReiniciaProcTrabajo();
// Drops the masks the hover keeps (they are rebuilt at the next hover).
void OlvidaMascarasTrabajo();

// Turns PiezaSeleccionada one step about its middle (the caller records the
// move) and turns it over (recorded here); both in table/GiraPieza.cpp.
void GiraPieza();
void VoltearPieza();
// The tutor's hint for the pointed piece (table/Tutor.h), as the table calls it.
void TutorIndicando();
// Draws, places and shows the option panel (table/Opciones.h).
void MuestraOpcionesSelec();

// A position as the table keeps it: whole pixels, halves to even, held to 16 bits.
std::int16_t RedondeaPosicion(double v);

// ---- the table surface's events ----
void Pic_Trabajo_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);
void Pic_Trabajo_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);
void Pic_Trabajo_Click();
void Pic_Trabajo_DblClick();
void Pic_Trabajo_KeyPress(int tecla);
// The hover alone (also what the press re-runs when its selection is stale).
void HoverTrabajo(double x, double y);
// The drag step alone: the held piece follows, the jigsaw table scrolls at its edges.
void PasoArrastre(double x, double y);

// ---- the command panel's tab ----
void Pic_EsconderBot_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);

// The table's mouse handlers as its view calls them.
plat::MouseHandlers ManejadoresTrabajo();
// Hands the mouse and keys of the table's and the tab's views to the handlers above.
void ConectaVistasTrabajo(VentanaMesa& ventana);
