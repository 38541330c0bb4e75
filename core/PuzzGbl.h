// The program-wide globals. Each subsystem adds its own as it lands; reset()
// brings every one back to its start value, so tests begin from a clean state.
#pragma once

namespace PuzzGbl {

void reset();

} // namespace PuzzGbl
