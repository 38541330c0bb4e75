// The chronometer of the command panel: its switch `Pic_Cronome`, the time
// display `Pic_CroTime` inside it and the table's one-second timer.
//
// Seconds are counted from the timer's ticks, never read from a clock, and no
// tick counts while a modal window of the program is open: a message, a
// dialog or a question keeps the time of the puzzle still. Missed ticks are
// not made up.
#pragma once

#include "platform/ui/events.h"

#include <cstdint>
#include <functional>

// The switch's drawing after CronometroEnMarcha has been set: the running or
// stopped image and the button's frame. MarchaCronometro calls it once the
// panel is registered.
void DibujaInterruptorCrono();

// One tick: when the chronometer runs and no modal window is open, one second
// more and the time shown.
void CronoAvanzaSegundo();
// The display step alone: shows SegundosCronometro on Pic_CroTime.
void MuestraTiempoCrono();

// Whether (x, y) of Pic_Cronome lies on the switch image.
bool SobreInterruptorCrono(double x, double y);

// The switch's mouse handlers (button, shift, position in Pic_Cronome's pixels).
void Pic_Cronome_MouseDown(std::int16_t boton, std::int16_t shift, double x, double y);
void Pic_Cronome_MouseMove(std::int16_t boton, std::int16_t shift, double x, double y);

// The table's timer, every 1000 ms: CronoAvanzaSegundo, then AlTimer1.
plat::PeriodicTimer& Timer1();
void Timer1_Timer();
// What the timer does after the chronometer (the tips panel's turn).
extern std::function<void()> AlTimer1;
