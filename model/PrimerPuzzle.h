// The jigsaw of a player who has no usable picture yet (a first start, or a
// state whose picture is gone): until the settings window can be opened for
// a choice, the first sample picture of "Imagenes/" is taken and dealt.
#pragma once

// Takes the first sample picture, in name order, that loads and that a zoom
// brings within the puzzle sizes; fits its zoom, keeps the piece shape when
// the picture suits it (rectangles otherwise), takes the offered number of
// pieces per side nearest PiezasLado, and deals a new puzzle on the table.
// False, with nothing changed, when no sample picture can be used.
bool PreparaPrimerPuzzle();
