#include "imaging/PiezasBienMal.h"

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/DeslizantesReglas.h"
#include "model/Juego.h"
#include "model/Pasos.h"
#include "platform/blit.h"

#include <vector>

namespace {

using namespace juego;
using pasos::Paso;
using pasos::PiezaValida;

void pintaPieza(std::int16_t k) {
    auto& g = PuzzGbl;
    if (!PiezaValida(k)) return;
    Paso([k] { mesa.Pic_PiezaColor.setBackColor(PiezaBienColocada(k) ? kColorBien : kColorMal); });
    Paso([k] { GeneraImagenPieza(k); });
    Paso([k] { DibujaPiezaEnImagen(mesa.Pic_Imagen, k); });
    Paso([&g, k] {
        const auto& r = g.Piezas[std::size_t(k)];
        const int x = r.X - g.MargenPiezaX, y = r.Y - g.MargenPiezaY;
        const int w = AnchoPiezaGirada(k, r.Giro, r.Volteo), h = AltoPiezaGirada(k, r.Giro, r.Volteo);
        plat::bitBlt(mesa.Pic_Trabajo, x, y, w, h, mesa.Pic_Imagen, x, y, plat::rop::kSrcCopy);
    });
}

} // namespace

void MostrarPiezasBienoMal() {
    auto& g = PuzzGbl;
    Paso([] { mesa.Pic_PiezaColor.setSize(mesa.Pic_Bitmap.width(), mesa.Pic_Bitmap.height()); });
    if (g.TipoJuego == kTaipei) {
        Paso([] { RedibujaImagen(1); });
        return;
    }
    const int n = std::min<int>(g.NroPiezas, int(g.Piezas.size()) - 1);
    if (g.TipoJuego == kDeslizantes) {
        // The piece standing in each cell; the hole's cell holds none.
        std::vector<std::int16_t> enCasilla(std::size_t(std::max(0, n)) + 2, 0);
        for (int i = 1; i <= n; ++i) {
            const auto& r = g.Piezas[std::size_t(i)];
            const int c = CasillaEnPunto(r.X, r.Y);
            if (c >= 1 && c <= n + 1) enCasilla[std::size_t(c)] = std::int16_t(i);
        }
        for (int c = 1; c <= n + 1; ++c)
            if (enCasilla[std::size_t(c)] != 0) pintaPieza(enCasilla[std::size_t(c)]);
    } else {
        const int largo = std::min<int>(n, int(g.OrdenPiezas.size()) - 1);
        for (int i = largo; i >= 1; --i) pintaPieza(g.OrdenPiezas[std::size_t(i)]);
    }
    Paso([] { mesa.Pic_Trabajo.refresh(); });
}

void ApagaPiezasBienoMal() {
    auto& g = PuzzGbl;
    if (!g.MostrarBienoMal) return;
    g.MostrarBienoMal = false;
    MostrarPiezasBienoMal();
}
