// The table set-ups of the games whose pieces are cut from pictures: the
// jigsaw and Taipei.
#pragma once

// nuevo deals a new puzzle, otherwise the state just loaded is rebuilt.
void PreparaPiezasMoviles(bool nuevo);
void TAI_PreparaMesa(bool nuevo);
