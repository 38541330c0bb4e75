#include "core/ui/EventosControles.h"

#include "core/Controles.h"
#include "platform/ui/events.h"

#include <QGuiApplication>

namespace {

bool ejecutaEventos() {
    const plat::LongAction bucle;
    return plat::doEvents();
}

bool botonSujeto() {
    return (QGuiApplication::mouseButtons() & Qt::LeftButton) &&
           QGuiApplication::applicationState() == Qt::ApplicationActive;
}

} // namespace

void InstalaServiciosControles() {
    ServiciosControles s;
    s.ejecutaEventos = ejecutaEventos;
    s.botonSujeto = botonSujeto;
    RegistraServiciosControles(std::move(s));
}
