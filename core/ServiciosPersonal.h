// What the common controls use of the settings window: the check of a new
// spin value and the window's spin controls by index.
#pragma once

#include "platform/surface.h"
#include "platform/textbox.h"

#include <cstdint>
#include <functional>

// A spin control's value changed (after every press, and after a typed value
// was held to its limits). Index 41, the picture zoom in percent: the zoom is
// accepted into ZoomImagen when the picture at its own size (mesa's
// Pic_FonTamReal), scaled by CInt(valor) and truncated to whole pixels, stays
// within 320..1024 x 240..768; otherwise sound 11, the message "Imagen fuera
// de límites", the window repainted and the spin shown again with the zoom
// kept. Other indexes: nothing.
void ValidaCambioSpin(std::int16_t indice, double valor);

// The settings window's spin controls and its repaint, as the window
// registers them while it is open. Until it does, a holder of its own keeps
// Pic_Spin(41) and Tex_Spin(41) (the settings window replaces it).
struct VentanaSpin {
    std::function<plat::Surface*(int indice)> Pic_Spin; // nullptr: no such control
    std::function<plat::TextBox*(int indice)> Tex_Spin;
    std::function<void()> Refresh; // repaints the window and its controls
};
// Registers the window's controls; a value with empty members goes back to
// the holder.
void RegistraVentanaSpin(VentanaSpin v);

// The holder's controls of index 41 (the zoom): the spin surface 155 x 29
// and its text box.
plat::Surface& PicSpinZoom();
plat::TextBox& TexSpinZoom();

// The surface and text box of spin control `indice` now, or nullptr.
plat::Surface* PicSpin(int indice);
plat::TextBox* TexSpin(int indice);
