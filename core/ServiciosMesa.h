// Procedures of the game table that the model, the imaging and the start-up
// call: the chronometer switch and the drawing of the table's panels.
#pragma once

#include <cstdint>
#include <functional>

// 1 starts the chronometer, anything else stops it: CronometroEnMarcha becomes
// true exactly when modo is 1.
void MarchaCronometro(std::int16_t modo);

// Draws the command panel for the current game.
void DibujaBotonera();

// Draws the move recorder panel and its list of recorded moves. The table's
// panel code registers the drawing; without it the panel stays hidden.
void DibujaGrabadora();
void RegistraDibujoGrabadora(std::function<void()> dibuja);

// Shows tip number nro in the tips panel.
void MuestraSugerencia(std::int16_t& nro);

// The table window's own work for the procedures above and for
// mesa.Pic_Boton_MouseDown. While a member is empty the procedure keeps its
// plain behaviour: MarchaCronometro only sets the flag, DibujaBotonera only
// places the panel and a button press is only noted.
struct ProcedimientosPanel {
    std::function<void(std::int16_t modo)> marchaCronometro; // draws the switch; the flag is already set
    std::function<void()> dibujaBotonera;
    std::function<void(std::int16_t indice, std::int16_t boton, std::int16_t shift, double x, double y)>
        botonMouseDown;
    std::function<void()> formLoad; // the window's load handler, on every fresh mesa.Load()
};
// Replaces whatever was registered before.
void RegistraProcedimientosPanel(ProcedimientosPanel p);
