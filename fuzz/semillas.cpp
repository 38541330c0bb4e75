// Writes the fuzzer's seeds into a folder: one accepted state of each game
// and a settings line.
#include "core/Configuracion.h"
#include "fuzz/Partidas.h"
#include "model/EstadoPuzzle.h"
#include "platform/files.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s folder\n", argv[0]);
        return 2;
    }
    PreparaMesaDePrueba();
    const QString carpeta = plat::asFolder(QString::fromLocal8Bit(argv[1]));
    int n = 0;
    for (EstadoPartida e : PartidasDePrueba()) {
        if (!ValidaEstadoPartida(e, ContextoDePrueba()).isEmpty()) {
            std::fprintf(stderr, "seed %d is refused\n", n);
            return 1;
        }
        plat::writeFile(carpeta + QStringLiteral("estado%1.ini").arg(++n), ComponeArchivoEstado(ComponeLineas(e)));
    }
    plat::writeFile(carpeta + QStringLiteral("ajustes.ini"),
                    ComponeArchivoEstado({ComponeLineaConfiguracion({22, true, 50, false, 2})}));
    return 0;
}
