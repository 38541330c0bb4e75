#include "records/VentanaInforme.h"

#include "core/TsComun.h"
#include "core/ui/mensajes.h"
#include "platform/blit.h"
#include "records/Informe.h"

#include <QColor>
#include <QDialog>
#include <QPalette>

namespace ventana_informe {

void Prepara(QDialog& dialogo, const QString& nombre, plat::Surface& form, plat::Surface& texto,
             plat::Surface& ayuda, const QString& textoAyuda, plat::Surface& salir, const QString& textoSalir) {
    dialogo.setObjectName(nombre);
    dialogo.setWindowModality(Qt::ApplicationModal);
    QPalette fondo = dialogo.palette();
    fondo.setColor(QPalette::Window, QColor::fromRgb(plat::toQRgb(kGrisClaro)));
    dialogo.setPalette(fondo);

    form.setBackColor(kGrisClaro);
    texto.setBackColor(kBlanco);
    texto.setFont(FuenteInforme());
    ayuda.setToolTip(textoAyuda);
    salir.setToolTip(textoSalir);
}

void DibujaBordeElevado(plat::Surface& form, int ancho, int alto) {
    form.setDrawWidth(2);
    form.line(1, 1, ancho - 1, 1, kBlanco);
    form.line(1, 1, 1, alto - 1, kBlanco);
    form.line(ancho - 1, alto - 1, ancho - 1, 1, kGrisOscuro);
    form.line(ancho - 1, alto - 1, 1, alto - 1, kGrisOscuro);
    form.setDrawWidth(1);
}

void PonBotones(plat::Surface& ayuda, int xAyuda, plat::Surface& salir, int xSalir, int y) {
    ayuda.move(xAyuda, y);
    salir.move(xSalir, y);
    plat::bitBlt(ayuda, 0, 0, kLadoBoton, kLadoBoton, HojaBotones(), 294, 49, plat::rop::kSrcCopy);
    plat::bitBlt(salir, 0, 0, kLadoBoton, kLadoBoton, HojaBotones(), 343, 49, plat::rop::kSrcCopy);
    PonCursor(ayuda, 23);
    PonCursor(salir, 23);
}

} // namespace ventana_informe
