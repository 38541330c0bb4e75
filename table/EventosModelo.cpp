#include "table/EventosModelo.h"

#include "model/Barajado.h"
#include "model/Deslizantes.h"
#include "platform/ui/events.h"

namespace {
void eventosPendientes() {
    const plat::LongAction bucle;
    plat::doEvents();
}
} // namespace

void InstalaEventosModelo() {
    RegistraEventosBarajado(eventosPendientes);
    RegistraEventosSolucion(eventosPendientes);
}
