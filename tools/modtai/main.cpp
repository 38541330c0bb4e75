// modtai <folder>: writes the Taipei layout file "ModTai.mlp" into the folder,
// one record per authored layout (tools/modtai/disposiciones.h).
#include "platform/errors.h"
#include "platform/files.h"
#include "tools/modtai/disposiciones.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: modtai <folder>\n");
        return 2;
    }
    QString contenido;
    for (const modtai::Disposicion& d : modtai::Disposiciones()) {
        const QString r = modtai::Registro(d);
        if (r.size() != modtai::kLargoRegistro || modtai::Plazas(d) != 144) {
            std::fprintf(stderr, "modtai: the layout %s is not valid\n", qPrintable(d.nombre));
            return 1;
        }
        contenido += r;
    }
    const QString carpeta = plat::asFolder(QString::fromLocal8Bit(argv[1]));
    try {
        plat::writeFile(carpeta + QStringLiteral("ModTai.mlp"), plat::toCp1252(contenido));
    } catch (const plat::RuntimeError& e) {
        std::fprintf(stderr, "modtai: cannot write ModTai.mlp (error %d)\n", e.number());
        return 1;
    }
    return 0;
}
