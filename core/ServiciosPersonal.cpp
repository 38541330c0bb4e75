#include "core/ServiciosPersonal.h"

#include "core/Controles.h"
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "platform/errors.h"
#include "platform/numbers.h"

#include <cmath>

namespace {

constexpr int kIndiceZoom = 41;
constexpr int kTemaAyudaZoom = 2115;
constexpr int kSonidoRechazo = 11;
constexpr int kAnchoMinimo = 320, kAnchoMaximo = 1024;
constexpr int kAltoMinimo = 240, kAltoMaximo = 768;

VentanaSpin& ventana() {
    static VentanaSpin v;
    return v;
}

// The zoom spin the settings window will own; kept here until it does.
struct Soporte {
    plat::Surface spin{QStringLiteral("Pic_Spin(41)"), 155, 29};
    plat::TextBox texto{QStringLiteral("Tex_Spin(41)")};
};
Soporte& soporte() {
    static Soporte s;
    return s;
}

// Whether the picture at its own size, scaled by z percent and truncated to
// whole pixels, stays within the table's limits.
bool ZoomDentroDeLimites(int z) {
    const double w = std::floor(double(mesa.Pic_FonTamReal.scaleWidth()) * z / 100.0);
    const double h = std::floor(double(mesa.Pic_FonTamReal.scaleHeight()) * z / 100.0);
    return w >= kAnchoMinimo && w <= kAnchoMaximo && h >= kAltoMinimo && h <= kAltoMaximo;
}

QString TextoZoomRechazado() {
    const QString& n = PuzzGbl.SaltoLinea;
    return QStringLiteral("Si aplica este zoom a la imagen seleccionada") + n +
           QStringLiteral("se superan los límites permitidos:") + n + n +
           QStringLiteral("      Entre 320 y 1024 píxeles de ancho") + n +
           QStringLiteral("      Entre 240 y  768 píxeles de alto") + n;
}

} // namespace

void RegistraVentanaSpin(VentanaSpin v) { ventana() = std::move(v); }

plat::Surface& PicSpinZoom() { return soporte().spin; }
plat::TextBox& TexSpinZoom() { return soporte().texto; }

plat::Surface* PicSpin(int indice) {
    if (const auto& f = ventana().Pic_Spin) return f(indice);
    return indice == kIndiceZoom ? &soporte().spin : nullptr;
}

plat::TextBox* TexSpin(int indice) {
    if (const auto& f = ventana().Tex_Spin) return f(indice);
    return indice == kIndiceZoom ? &soporte().texto : nullptr;
}

void ValidaCambioSpin(std::int16_t indice, double valor) {
    if (indice != kIndiceZoom) return;
    int z = 0;
    bool dentro = false;
    try {
        z = plat::cint(valor);
        dentro = ZoomDentroDeLimites(z);
    } catch (const plat::RuntimeError&) {
        dentro = false; // a value beyond 16 bits is no zoom the table can take
    }
    if (dentro) {
        PuzzGbl.ZoomImagen = static_cast<std::int16_t>(z);
        return;
    }
    SonidoControl(1, kSonidoRechazo);
    Mensaje(QStringLiteral("Imagen fuera de límites"), TextoZoomRechazado(), 6, 1, kTemaAyudaZoom);
    if (const auto repinta = ventana().Refresh) repinta();
    plat::Surface* s = PicSpin(kIndiceZoom);
    plat::TextBox* t = TexSpin(kIndiceZoom);
    if (s && t) DibujaSpin(*s, *t, kIndiceZoom, PuzzGbl.ZoomImagen);
}
