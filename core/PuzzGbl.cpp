#include "core/PuzzGbl.h"

namespace PuzzGbl {

void reset() {}

} // namespace PuzzGbl
