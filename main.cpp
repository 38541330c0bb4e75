// The program: a Qt application that runs the start-up road.
#include "core/ui/Arranque.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teselaro"));
    return Main();
}
