#include "core/PuzzGbl.h"

PuzzGblData PuzzGbl;
