// The tips panel's handlers on the game table window, and its turn on the
// table's timer (see core/Sugerencias.h for the panel itself).
#pragma once

#include <cstdint>
#include <functional>

class VentanaMesa;

// The close button: the first press shows the warning (tip 0) that the panel
// can be switched on again in the settings window; a press while that warning
// is shown switches the tips off and hides the panel.
void Pic_SugeBotCerrar_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);
// The "más ayuda" link: the help viewer, not modal, at the tip's topic.
void Pic_SugeMasAyuda_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);
// Over the panel the table's pointer goes back to the default, so that the
// next move over the table sets it again.
void Pic_Sugerencia_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);

// What the link opens; the program's help viewer unless a test puts another in.
std::function<void(int tema)>& VisorAyudaSugerencias();

// The tips' turn after the chronometer on every tick of the table's timer.
void InstalaSugerencias();
// Hands the mouse of the panel's views to the handlers above.
void ConectaVistasSugerencias(VentanaMesa& ventana);
