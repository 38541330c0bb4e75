// Until the start-up road lands, Main shows the empty game table over the
// whole screen and runs the event loop; Escape closes it.
#include "core/ui/Arranque.h"

#include "core/ui/mensajes.h"
#include "platform/ui/fullscreen.h"
#include "resources/resources.h"

#include <QApplication>

int Main() {
    teselaro::initResources();
    InstalaMensajes();
    plat::FullScreenWindow table;
    table.setWindowTitle(QStringLiteral("Teselaro"));
    table.showOverScreen();
    return QApplication::exec();
}
