// modtai <folder>: writes the Taipei layout file "ModTai.mlp" into the folder,
// one record per authored layout (tools/modtai/disposiciones.h), each checked
// as the program checks a layout before it deals on it and by the fit test of
// the settings window on the table of the smallest screen, 800 x 600.
#include "model/TaipeiModelo.h"
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
    int numero = 0;
    for (const modtai::Disposicion& d : modtai::Disposiciones()) {
        ++numero;
        const QString r = modtai::Registro(d);
        const ModeloTaipei m = TAI_InterpretaModelo(r);
        if (r.size() != modtai::kLargoRegistro || !m.motivo.isEmpty()) {
            std::fprintf(stderr, "modtai: the layout %s is not valid: %s\n", qPrintable(d.nombre),
                         qPrintable(m.motivo));
            return 1;
        }
        if (TAI_AjusteEnMesa(modtai::Filas(d), modtai::Columnas(d), modtai::Niveles(d), modtai::kAnchoMinimo,
                             modtai::kAltoMinimo) != AjusteTaipei::Cabe) {
            std::fprintf(stderr, "modtai: the layout %s does not fit the table of %d x %d\n", qPrintable(d.nombre),
                         modtai::kAnchoMinimo, modtai::kAltoMinimo);
            return 1;
        }
        std::printf("modtai: %2d %s, %d x %d x %d\n", numero, qPrintable(d.nombre), modtai::Filas(d),
                    modtai::Columnas(d), modtai::Niveles(d));
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
