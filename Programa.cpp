#include "Programa.h"

#include "core/ui/EventosControles.h"
#include "core/ui/mensajes.h"
#include "model/EstadoPuzzle.h"
#include "personalise/VentanaPersonal.h"
#include "records/cargua.h"
#include "records/estadis.h"
#include "table/Botonera.h"
#include "table/EventosModelo.h"
#include "table/PanelGrabadora.h"
#include "table/PanelSugerencias.h"
#include "table/ResuelveTablero.h"
#include "table/VentanaMesa.h"
#include "table/mesa.h"

void InstalaPrograma() {
    InstalaEstadoPuzzle();
    RegistraVentanaMesa();
    PonPunteroMesa = [](int codigo) { mesa.setMousePointer(codigo); };
    InstalaBotonera();
    InstalaSugerencias();
    RegistraGrabadora();
    InstalaEventosModelo();
    InstalaServiciosControles();
    InstalaResuelveTablero();
    InstalaVentanaPersonal();
    InstalaVentanasRegistros();
    InstalaCargua();
    // Closing the table is the exit button's question.
    AlCerrarMesa = [] { return CierreVentanaMesa(); };
}
