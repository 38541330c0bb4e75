// resgen <outdir>: draws the program's cursors, icon and sample pictures into
// <outdir> and lists the embedded ones in <outdir>/images.qrc. Run with
// QT_QPA_PLATFORM=offscreen; it needs no display.
#include "registry.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: resgen <outdir>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    // The sample pictures folder is laid out beside the program even when empty.
    QDir().mkpath(out + "/Imagenes");

    resgen::Registry registry;
    resgen::addCursors(registry);
    resgen::addIcons(registry);
    resgen::addPictures(registry);
    resgen::addSplash(registry);
    resgen::addTaipei(registry);
    resgen::addControls(registry);
    resgen::addGrabadora(registry);
    QString error;
    if (!registry.writeAll(out, &error)) {
        std::fprintf(stderr, "resgen: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
