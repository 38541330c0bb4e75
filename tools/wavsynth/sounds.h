// The program's sounds, one design per sound id.
#pragma once

#include "synth.h"

#include <vector>

namespace sounds {

struct Design {
    int id;
    const char* role;
    synth::Buffer (*make)();
};

// Every sound the program plays, finished: trimmed, faded at both ends and
// brought to its level.
const std::vector<Design>& designs();

} // namespace sounds
