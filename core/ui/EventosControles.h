// Gives the owner-drawn controls the window system's event pump and the
// state of the mouse button, so that a held spin arrow repeats until it is
// released.
#pragma once

void InstalaServiciosControles();
