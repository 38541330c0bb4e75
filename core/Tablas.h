// The constant tables filled once at start.
#pragma once

// Fills the tables; sets the table area AnchoMesa x AltoMesa to the screen.
void InicializaTablas();
