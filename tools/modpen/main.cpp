// modpen <outdir>: writes the pentomino boards "ModPen.mlp" and their
// solutions "SolPen.mlp" into <outdir>, every solution found here.
#include "modpen.h"

#include "platform/errors.h"
#include "platform/files.h"

#include <QDir>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: modpen <outdir>\n");
        return 2;
    }
    const QString out = plat::asFolder(QString::fromLocal8Bit(argv[1]));
    try {
        QDir().mkpath(out);
        modpen::Files files;
        QString error;
        const bool made = modpen::makeFiles(modpen::boards(), files, &error, [](int model, int count) {
            const QString name = modpen::boards()[std::size_t(model - 1)].name.leftJustified(25);
            std::printf("modpen: %s %5d solutions\n", qPrintable(name), count);
        });
        if (!made) {
            std::fprintf(stderr, "modpen: %s\n", qPrintable(error));
            return 1;
        }
        plat::writeFile(out + QStringLiteral("ModPen.mlp"), files.boards);
        plat::writeFile(out + QStringLiteral("SolPen.mlp"), files.solutions);
    } catch (const plat::RuntimeError& e) {
        std::fprintf(stderr, "modpen: cannot write into %s (error %d)\n", qPrintable(out), e.number());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "modpen: %s\n", e.what());
        return 1;
    }
    return 0;
}
