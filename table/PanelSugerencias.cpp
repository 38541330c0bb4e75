#include "table/PanelSugerencias.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Sugerencias.h"
#include "core/TemasAyuda.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "platform/ui/helpviewer.h"
#include "table/Cronometro.h"
#include "table/VentanaMesa.h"

namespace {
constexpr int kSonidoPulsado = 6, kSonidoSoltado = 7;
} // namespace

std::function<void(int tema)>& VisorAyudaSugerencias() {
    static std::function<void(int)> visor = [](int tema) { plat::showHelp(tema); };
    return visor;
}

void Pic_SugeBotCerrar_MouseDown(std::int16_t, std::int16_t, double, double) {
    auto& g = PuzzGbl;
    Sonido(0, kSonidoPulsado);
    if (g.AyudaSugerencia == ayuda::kVentanaInformacion) {
        g.MostrarSugerencias = false;
        mesa.Pic_Sugerencia.setVisible(false);
        return;
    }
    if (auto* ventana = VentanaMesa::instancia()) {
        if (auto* v = ventana->vista(mesa.Pic_Sugerencia)) v->setFocus();
    }
    std::int16_t n = kSugerenciaCierre;
    MuestraSugerencia(n);
}

void Pic_SugeMasAyuda_MouseDown(std::int16_t, std::int16_t, double, double) {
    Sonido(0, kSonidoSoltado);
    if (const auto visor = VisorAyudaSugerencias()) visor(PuzzGbl.AyudaSugerencia);
}

void Pic_Sugerencia_MouseMove(std::int16_t, std::int16_t, double, double) {
    mesa.Pic_Trabajo.setMousePointer(0);
    mesa.Pic_Trabajo.setCustomCursor(QString());
    PuzzGbl.PunteroRaton = 0;
}

void InstalaSugerencias() { AlTimer1 = PasoSugerencias; }

void ConectaVistasSugerencias(VentanaMesa& ventana) {
    if (auto* v = ventana.vista(mesa.Pic_Sugerencia)) {
        v->setFocusPolicy(Qt::ClickFocus);
        v->mouse.onMouseMove = [](int b, int s, double x, double y) {
            Pic_Sugerencia_MouseMove(std::int16_t(b), std::int16_t(s), x, y);
        };
    }
    if (auto* v = ventana.vista(mesa.Pic_SugeBotCerrar))
        v->mouse.onMouseDown = [](int b, int s, double x, double y) {
            Pic_SugeBotCerrar_MouseDown(std::int16_t(b), std::int16_t(s), x, y);
        };
    if (auto* v = ventana.vista(mesa.Pic_SugeMasAyuda))
        v->mouse.onMouseDown = [](int b, int s, double x, double y) {
            Pic_SugeMasAyuda_MouseDown(std::int16_t(b), std::int16_t(s), x, y);
        };
}
