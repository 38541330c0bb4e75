// The jigsaw of a player who has no usable picture yet (a first start, or a
// state whose picture is gone): the first sample picture of "Imagenes/".
// The settings window offers it as its first selection; without that window
// it is dealt at once.
#pragma once

// Takes the first sample picture, in name order, that loads and that a zoom
// brings within the puzzle sizes; fits its zoom, keeps the piece shape when
// the picture suits it (rectangles otherwise), takes the offered number of
// pieces per side nearest PiezasLado, and deals a new puzzle on the table.
// False, with nothing changed, when no sample picture can be used.
bool PreparaPrimerPuzzle();

// The same choice without the deal: the picture globals, the zoom, shape and
// pieces per side, the picture after zoom on mesa's Pic_FonTamModi, and
// SeleccionValida. False, with nothing changed, when no sample can be used.
bool EligePrimeraMuestra();
