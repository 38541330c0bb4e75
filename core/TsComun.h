// The common services every window and module calls: the pointer, the
// speed-scaled pause, the sounds and the program's own message box.
#pragma once

#include "platform/listbox.h"
#include "platform/surface.h"

#include <QString>

#include <functional>
#include <optional>

// Sets the surface's mouse pointer by code: below 20 a standard pointer, 20 to
// 29 the program's hands and arrows (24 the tutor's pointer); any other code
// gives the arrow. Never fails; always leaves the code in CursorActual.
void PonCursor(plat::Surface& objeto, int codigo);
void PonCursor(plat::ListBox& lista, int codigo);

// The cursor resource name of a code of 20 or more ("" when the code has none).
QString NombreCursor(int codigo);

// Waits ms milliseconds scaled by VelocidadJuego, running no events.
void Retardo(int ms);

// The factor Retardo scales by for a speed (held to 0..100), in four decimals.
double FactorRetardo(int velocidad);

// Plays sound id: mode 1 returns at once, any other mode when the sound has
// ended. Only while SonidoActivo; every failure is ignored.
void Sonido(int modo, int id);

// Shows the message window (title, text, number of lines, type 1 one button or
// 2 accept and cancel, optional help topic) and returns when it is answered;
// the answer is left in RespuestaMensaje.
void Mensaje(const QString& titulo, const QString& texto, int lineas, int tipo,
             std::optional<int> ayuda = std::nullopt);

// The message window registers how it is shown; tests may register a fake.
// The function receives the title and the text after Mensaje has set
// NroLineasMensaje, TipoMensaje and AyudaMensaje; it shows the window modally
// and leaves the answer in RespuestaMensaje.
using PresentadorMensaje = std::function<void(const QString& titulo, const QString& texto)>;
void RegistraPresentadorMensaje(PresentadorMensaje presentador);

// Whether a picture file name is the picture pasted from the clipboard:
// "tsportap.bmp", or a numbered "tsportapN.bmp", in any case.
bool EsImagenPortapapeles(const QString& archivo);
