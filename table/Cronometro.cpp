#include "table/Cronometro.h"

#include "core/Duracion.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "platform/blit.h"

#include <limits>

std::function<void()> AlTimer1;

namespace {
// The switch image on the sheet and on the button, copied 1:1.
constexpr int kInterruptorX = 10, kInterruptorY = 4;
constexpr int kInterruptorAncho = 39, kInterruptorAlto = 13;
constexpr int kLaminaParadoX = 0, kLaminaEnMarchaX = 39, kLaminaY = 30;
} // namespace

void DibujaInterruptorCrono() {
    auto& s = mesa.Pic_Cronome;
    const int origen = PuzzGbl.CronometroEnMarcha ? kLaminaEnMarchaX : kLaminaParadoX;
    plat::bitBlt(s, kInterruptorX, kInterruptorY, kInterruptorAncho, kInterruptorAlto, mesa.Pic_BmpVario, origen,
                 kLaminaY, plat::rop::kSrcCopy);
    const int w = s.scaleWidth(), h = s.scaleHeight();
    s.box(0, 0, w - 1, h - 1, 0x000000);
    s.box(1, 1, w - 2, h - 2, 0x808080);
    s.line(1, 1, w - 1, 1, 0xE0E0E0);
    s.line(1, 1, 1, h - 2, 0xE0E0E0);
    s.refresh();
}

// Shown at once: a deal or a load that sets the time goes on drawing without
// letting the window paint until it returns.
void MuestraTiempoCrono() {
    DibujaVisor(mesa.Pic_CroTime, TextoDuracion(PuzzGbl.SegundosCronometro), 2);
    mesa.Pic_CroTime.refresh();
}

void CronoAvanzaSegundo() {
    // The windows that are not playing time pause the chronometer around
    // themselves; under the others (the load and save window, the messages)
    // the seconds go on counting.
    if (!PuzzGbl.CronometroEnMarcha) return;
    if (PuzzGbl.SegundosCronometro < std::numeric_limits<std::int32_t>::max()) ++PuzzGbl.SegundosCronometro;
    MuestraTiempoCrono();
}

bool SobreInterruptorCrono(double x, double y) {
    return x >= kInterruptorX && x <= kInterruptorX + kInterruptorAncho - 1 && y >= kInterruptorY &&
           y <= kInterruptorY + kInterruptorAlto - 1;
}

void Pic_Cronome_MouseMove(std::int16_t, std::int16_t, double x, double y) {
    auto& g = PuzzGbl;
    g.CursorCrono = SobreInterruptorCrono(x, y) ? 23 : 0;
    if (g.CursorCrono == g.CronoSenalado) return;
    QString tip;
    if (g.CursorCrono == 0) {
        mesa.Pic_Cronome.setMousePointer(0);
        mesa.Pic_Cronome.setCustomCursor(QString());
    } else {
        PonCursor(mesa.Pic_Cronome, 23);
    }
    g.CronoSenalado = g.CursorCrono;
    if (g.CursorCrono == 23)
        tip = g.CronometroEnMarcha ? QString::fromUtf8(" Parar el cronómetro ")
                                   : QString::fromUtf8(" Activar el cronómetro ");
    if (mesa.Pic_Cronome.toolTip() != tip) mesa.Pic_Cronome.setToolTip(tip);
}

void Pic_Cronome_MouseDown(std::int16_t, std::int16_t, double x, double y) {
    if (!SobreInterruptorCrono(x, y)) return;
    PuzzGbl.CursorCrono = 23;
    const bool enMarcha = PuzzGbl.CronometroEnMarcha;
    Sonido(0, enMarcha ? 7 : 6);
    MarchaCronometro(enMarcha ? 2 : 1);
}

plat::PeriodicTimer& Timer1() {
    static plat::PeriodicTimer timer(0, [] { Timer1_Timer(); });
    return timer;
}

void Timer1_Timer() {
    CronoAvanzaSegundo();
    if (const auto siguiente = AlTimer1) siguiente();
}
