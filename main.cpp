// The program: a Qt application that runs the start-up road, then lives in
// the game table's event handlers.
#include "Programa.h"
#include "core/ui/Arranque.h"
#include "core/ui/mensajes.h"
#include "platform/sound.h"
#include "platform/ui/audioplayer.h"
#include "resources/resources.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teselaro"));
    QApplication::setQuitOnLastWindowClosed(false);
    teselaro::initResources();
    plat::AudioSoundPlayer sonidos;
    plat::setSoundPlayer(&sonidos);
    InstalaMensajes();
    InstalaPrograma();
    const int codigo = Main() ? QApplication::exec() : 0;
    plat::setSoundPlayer(nullptr);
    return codigo;
}
