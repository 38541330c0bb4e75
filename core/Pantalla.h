// The size of the screen in logical pixels.
#pragma once

#include <QSize>

QSize TamanoPantalla();
// Test seam: a fixed screen size; an empty size restores the real one.
void FijaTamanoPantalla(QSize tamano);
