// The program: a Qt application that runs the start-up road, then lives in
// the game table's event handlers.
#include "core/mesa.h"
#include "core/ui/Arranque.h"
#include "core/ui/mensajes.h"
#include "model/EstadoPuzzle.h"
#include "resources/resources.h"
#include "table/VentanaMesa.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teselaro"));
    QApplication::setQuitOnLastWindowClosed(false);
    teselaro::initResources();
    InstalaMensajes();
    InstalaEstadoPuzzle();
    RegistraVentanaMesa();
    PonPunteroMesa = [](int codigo) { mesa.setMousePointer(codigo); };
    // Until the command panel's exit button lands, closing the table ends the program.
    AlCerrarMesa = [] {
        TerminaPrograma();
        return true;
    };
    if (!Main()) return 0;
    return QApplication::exec();
}
