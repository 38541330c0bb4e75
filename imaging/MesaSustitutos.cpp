// Stand-ins for the board drawing the command panel calls that has not landed
// yet; the board drawing replaces all three. RedibujaImagen notes its call and
// recounts the pieces in place; ColocaMuestra notes its call and leaves the
// preview where it is; PasaAlFrente does its whole work, a shift of the
// drawing order.
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "imaging/Dibujo.h"
#include "model/Juego.h"

#include <algorithm>

void RedibujaImagen(std::int16_t modo) {
    AnotaLlamada(QStringLiteral("RedibujaImagen ") + QString::number(modo));
    ActualizaInfoPiezas();
}

void ColocaMuestra() { AnotaLlamada(QStringLiteral("ColocaMuestra")); }

void PasaAlFrente(std::int16_t posicion) {
    auto& orden = PuzzGbl.OrdenPiezas;
    const int ultima = std::min<int>(PuzzGbl.NroPiezas, int(orden.size()) - 1);
    if (posicion < 2 || posicion > ultima) return;
    std::rotate(orden.begin() + 1, orden.begin() + posicion, orden.begin() + posicion + 1);
}
