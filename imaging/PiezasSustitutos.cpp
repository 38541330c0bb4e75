#include "imaging/PiezasSustitutos.h"

#include "core/PuzzGbl.h"
#include "core/mesa.h"

std::optional<std::pair<std::int16_t, std::int16_t>>& TamanoSustituto() {
    static std::optional<std::pair<std::int16_t, std::int16_t>> tamano;
    return tamano;
}

namespace {
void PonTamanoSustituto() {
    const auto t = TamanoSustituto().value_or(std::pair<std::int16_t, std::int16_t>{0, 0});
    PuzzGbl.AnchoPiezaBase = t.first;
    PuzzGbl.AltoPiezaBase = t.second;
}
} // namespace

void TAN_TamanoPieza(std::int16_t, std::int16_t, std::int16_t) { PonTamanoSustituto(); }
void TAN_CalculaVertices(std::int16_t, std::int16_t, std::int16_t) {}
void TAN_PuntoEtiqueta(std::int16_t, std::int16_t, std::int16_t) {}
void PEN_TamanoPieza(std::int16_t, std::int16_t) { PonTamanoSustituto(); }
void PEN_TransformaPieza(std::int16_t, std::int16_t, std::int16_t) {}

void DibujaMascaraPuzzle(std::int16_t) {
    if (PuzzGbl.FormaPieza != 0) return;
    mesa.Pic_PiezaMascara.box(0, 0, PuzzGbl.AnchoPieza - 1, PuzzGbl.AltoPieza - 1);
}
