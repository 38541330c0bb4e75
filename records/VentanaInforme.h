// What the history and the statistics windows share: a frameless modal grey
// dialog around a white report, its raised edge, and the help and exit
// buttons taken from the buttons' sheet.
#pragma once

#include "platform/color.h"
#include "platform/surface.h"

#include <QString>

class QDialog;

namespace ventana_informe {

constexpr plat::Color kGrisClaro = 0xC0C0C0;
constexpr plat::Color kGrisOscuro = 0x808080;
constexpr plat::Color kBlanco = 0xFFFFFF;
constexpr int kLadoBoton = 48;

// The dialog (its object name, application-modal, grey) and its surfaces:
// the grey form, the white report in the report font and the tooltips of the
// help and exit buttons.
void Prepara(QDialog& dialogo, const QString& nombre, plat::Surface& form, plat::Surface& texto,
             plat::Surface& ayuda, const QString& textoAyuda, plat::Surface& salir, const QString& textoSalir);

// The window's raised edge, two pixels wide, round a form of ancho x alto;
// the drawing width is left at 1.
void DibujaBordeElevado(plat::Surface& form, int ancho, int alto);

// The help button at (xAyuda, y) and the exit button at (xSalir, y), drawn
// from the buttons' sheet, with the pointing hand.
void PonBotones(plat::Surface& ayuda, int xAyuda, plat::Surface& salir, int xSalir, int y);

} // namespace ventana_informe
