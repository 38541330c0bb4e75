// The owner-drawn controls of the common module: the on/off switch, the push
// button, the slider, the selector and the spin control. They draw on the
// picture surfaces of the calling window, from the control sprite sheet
// mesa.Pic_BmpContr, with their captions from TextosControles, the options
// from OpcionesSelector and the spin descriptions from ParametrosSpin, all by
// control index. They keep no state of their own: the caller keeps every
// value and calls the drawing again after a change. The only shared flags
// are RepeticionSpin and CursorActual (29 while a slider knob is held).
#pragma once

#include "platform/surface.h"
#include "platform/textbox.h"

#include <QString>

#include <cstdint>
#include <functional>

// ---------------------------------------------------------------- sheet

// The rectangles of the control sprite sheet (x, y, width, height).
namespace hoja_controles {
struct Rect {
    int x, y, w, h;
};
constexpr Rect kPista{0, 0, 121, 23};            // slider track with its ruler
constexpr int kMarcaRegla0 = 9;                  // sheet x of the ruler mark of value 0
constexpr Rect kSelectorSuelto{0, 24, 29, 20};
constexpr Rect kSelectorPulsado{30, 24, 29, 20};
constexpr Rect kVisorExtremo{60, 24, 5, 20};     // left end of the selector display
constexpr Rect kVisorCuerpo{64, 24, 1, 20};      // its body column (the end's last column)
constexpr Rect kFlechas{66, 24, 17, 21};         // both spin arrows released
constexpr Rect kFlechaArriba{66, 24, 17, 10};
constexpr Rect kFlechaAbajo{66, 34, 17, 10};
constexpr Rect kFlechaArribaPulsada{84, 24, 17, 10};
constexpr Rect kFlechaAbajoPulsada{84, 34, 17, 10};
constexpr Rect kLamparaApagada{102, 24, 17, 17};
constexpr Rect kLamparaEncendida{120, 24, 17, 17};
constexpr Rect kPulsadorSuelto{0, 46, 131, 23};
constexpr Rect kPulsadorPulsado{0, 70, 131, 23};
constexpr int kPulsadorExtremo = 27;   // columns 0..26: the left end
constexpr int kPulsadorMedio = 127;    // the column stretched over a wide button
constexpr int kPulsadorBorde = 129;    // columns 129..130: the right edge
constexpr Rect kTiraPaginas{0, 94, 113, 26};     // the history window's paging strip
constexpr int kBotonPaginaX[4] = {1, 30, 59, 88}; // its buttons, 24 x 24, up at y 95
constexpr int kBotonPaginaArribaY = 95, kBotonPaginaPulsadoY = 121, kLadoBotonPagina = 24;
constexpr Rect kTeclaActual{0, 147, 130, 26};    // the history window's sort keys
constexpr Rect kTeclaOtra{0, 173, 130, 26};
} // namespace hoja_controles

// ---------------------------------------------------------------- services

// What the controls use of the rest of the program. An empty member uses the
// program's own service: Sonido, Retardo. With no event pump the spin control
// cannot see a release, so it makes one step per press; with no button test
// the button counts as held.
struct ServiciosControles {
    std::function<void(int modo, int id)> sonido;
    std::function<void(int ms)> retardo;
    // Lets the pending events run once; false when none could run (events
    // already running one level up).
    std::function<bool()> ejecutaEventos;
    // Whether the left mouse button is still down and the program still has
    // the focus.
    std::function<bool()> botonSujeto;
};
// Replaces whatever was registered before.
void RegistraServiciosControles(ServiciosControles s);
// The sound and the pause as the controls play them (through the services).
void SonidoControl(int modo, int id);
void RetardoControl(int ms);

// The font of every control surface: Liberation Sans at the one pixel size
// at which every caption and option fits its control.
plat::Font FuenteControles();

// ---------------------------------------------------------------- switch and push button

// The on/off switch: an etched frame, the lamp of the value at (4, 3) and the
// caption raised at (24, 4); pointing hand, refreshed.
void DibujaBuleano(plat::Surface& s, std::int16_t indice, bool valor);

// The push button, released or pressed, stretched to the surface's width,
// with its letter-spaced caption; pointing hand, refreshed. With `sonido` it
// then plays 6 (pressed) or 7 (released) and waits for its end; a pressed
// button is held 210 ms at the game speed. Orientation 0 (horizontal) is the
// only one. Leaves the inner size in AnchoControl and AltoControl.
void DibujaPulsador(plat::Surface& s, std::int16_t indice, bool pulsado, bool sonido,
                    std::int16_t orientacion = 0);

// ---------------------------------------------------------------- slider

// The whole slider: the framed caption, the track at (5, 15), the knob at
// (valor + 8, 17).
void DibujaPotenciometro(plat::Surface& s, std::int16_t indice, std::int16_t valor);
// The knob with its top-left corner at (x, y), 13 x 19; refreshed.
void DibujaMandoPotenciometro(plat::Surface& s, std::int16_t x, std::int16_t y);
// A mouse move over a slider: while the knob is held (CursorActual 29) it
// follows the pointer within 0..100; then the hover cursor: the open hand over
// the knob, the default pointer off it (which also ends a drag). A move with
// the button up ends a drag whose release was lost.
void MuevePotenciometro(plat::Surface& s, std::int16_t& valor, std::int16_t mx, std::int16_t my,
                        bool botonPulsado = true);

// ---------------------------------------------------------------- selector

// The whole selector: the framed caption, the button released at (4, 14) and
// the display with the option's text centred in it. An option or index
// outside the tables shows an empty display.
void DibujaSelector(plat::Surface& s, std::int16_t indice, std::int16_t opcion);
// The display's left end at (35, 14) and its body up to the right edge.
void DibujaCuerpoSelector(plat::Surface& s);
// The pointing hand over the button (4 <= x < 34, 14 <= y < 35), the default
// pointer elsewhere.
void CursorSelector(plat::Surface& s, std::int16_t mx, std::int16_t my);
// A click: the next option (back to 1 after the sixth, after the last that is
// not blank, or from an option outside 1..6), with the pressed button, its
// pause and the sounds 6 and 7.
void AvanzaSelector(plat::Surface& s, std::int16_t indice, std::int16_t& opcion);
// The option's text without its outer blanks ("" outside the table).
QString TextoOpcion(std::int16_t indice, std::int16_t opcion);

// ---------------------------------------------------------------- spin control

// The whole spin control: the frame, the arrows at the right end, the caption
// at (3, 7), and its text box placed inside it ((Formato length) x 7 + 12
// wide, at (W - width - 25, 5)) showing the value.
void DibujaSpin(plat::Surface& s, plat::TextBox& t, std::int16_t indice, double valor);
// The value in the control's display pattern; numbers are written in their
// shortest decimal form (7.3, 12.5, 995), never with an exponent.
QString FormateaParametro(std::int16_t indice, float valor);
// A mouse move: the pointing hand over the arrows; off them the default
// pointer, and the repetition ends.
void CursorSpin(plat::Surface& s, std::int16_t mx, std::int16_t my);
// A mouse press: steps the value up (upper half) or down by the step at once,
// and again while the arrow is held, letting events run between steps, then
// hands the value to ValidaCambioSpin. A press while a repetition runs is
// ignored; the repetition ends when the button is up, the program loses the
// focus or the control is hidden or gone (then nothing more is done).
void PulsaSpin(plat::Surface& s, plat::TextBox& t, std::int16_t indice, float& valor, std::int16_t my);
// Whether a press is repeating now.
bool SpinEnMarcha();
// The text box lost the focus: the typed value is held to the limits, shown
// in the pattern (in upper case) and handed to ValidaCambioSpin.
void ValidaSpin(plat::TextBox& t, std::int16_t indice);
// A number in its shortest decimal form, as the spin control writes it.
QString TextoNumero(float v);
