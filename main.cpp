// The program: a Qt application that runs the start-up road, then lives in
// the game table's event handlers.
#include "table/mesa.h"
#include "core/ui/Arranque.h"
#include "core/ui/EventosControles.h"
#include "core/ui/mensajes.h"
#include "model/EstadoPuzzle.h"
#include "personalise/VentanaPersonal.h"
#include "platform/sound.h"
#include "platform/ui/audioplayer.h"
#include "records/estadis.h"
#include "records/cargua.h"
#include "resources/resources.h"
#include "table/Botonera.h"
#include "table/EventosModelo.h"
#include "table/PanelGrabadora.h"
#include "table/PanelSugerencias.h"
#include "table/ResuelveTablero.h"
#include "table/VentanaMesa.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teselaro"));
    QApplication::setQuitOnLastWindowClosed(false);
    teselaro::initResources();
    plat::AudioSoundPlayer sonidos;
    plat::setSoundPlayer(&sonidos);
    InstalaMensajes();
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
    const int codigo = Main() ? QApplication::exec() : 0;
    plat::setSoundPlayer(nullptr);
    return codigo;
}
