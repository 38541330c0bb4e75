// Procedures that carry on past a failing step.
#pragma once

#include <exception>
#include <utility>

namespace pasos {

// Runs one step; a run-time error inside it ends that step only.
template <class F>
void Paso(F&& f) {
    try {
        std::forward<F>(f)();
    } catch (const std::exception&) {
    }
}

} // namespace pasos
