// Helpers of the model's procedures that carry on past a failing step.
#pragma once

#include "core/Pasos.h"
#include "core/PuzzGbl.h"

#include <cstdint>

namespace pasos {

// Whether `pieza` names a piece of the present puzzle (1..NroPiezas, and held
// by the piece array).
inline bool PiezaValida(std::int16_t pieza) {
    return pieza >= 1 && pieza <= PuzzGbl.NroPiezas &&
           static_cast<std::size_t>(pieza) < PuzzGbl.Piezas.size();
}

} // namespace pasos
