// The program: a Qt application that runs the start-up road, then lives in
// the game table's event handlers.
#include "Programa.h"
#include "core/ui/Arranque.h"
#include "core/ui/mensajes.h"
#include "platform/metafile.h"
#include "platform/sound.h"
#include "platform/ui/audioplayer.h"
#include "resources/resources.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Forked now, while the program is small, the metafile child costs
    // little to start and no chosen metafile waits for it.
    plat::startMetafileDecoder();
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
