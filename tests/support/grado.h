// Checks that the difficulty degree was worked out for the puzzle as it now
// stands: changed from a value no grading gives, and what grading the same
// puzzle again gives.
#pragma once

#include "core/PuzzGbl.h"
#include "model/Partida.h"

#include <gtest/gtest.h>

namespace testing_support {

// No grading gives a negative degree.
constexpr double kSinGrado = -7.25;

inline void BorraGrado() { PuzzGbl.GradoDificultad = kSinGrado; }

inline testing::AssertionResult GradoDelPuzzle() {
    const double grado = PuzzGbl.GradoDificultad;
    if (grado == kSinGrado) return testing::AssertionFailure() << "the puzzle was not graded";
    CalculaDificultad();
    const double otra = PuzzGbl.GradoDificultad;
    PuzzGbl.GradoDificultad = grado;
    if (otra != grado)
        return testing::AssertionFailure() << "graded " << grado << ", the puzzle as it stands grades " << otra;
    return testing::AssertionSuccess();
}

} // namespace testing_support
