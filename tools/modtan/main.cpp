// modtan <file> [--png <folder>]: writes the Tangram model file from the
// figures designed here, one record per figure, after checking that each is
// seven pieces side by side with its box at the board origin, and two empty
// slots after them for the figures the player stores. With --png the
// silhouette of every figure, and how its pieces build it, are drawn into the
// folder as well. Any figure that fails its checks stops it with the reasons.
#include "Figuras.h"
#include "Modelos.h"

#include "platform/errors.h"
#include "platform/files.h"

#include <QDir>
#include <QGuiApplication>
#include <QSet>

#include <cstdio>

namespace {

constexpr int kHuecos = 2;

// Every piece once, and a name the record can hold as it is.
QStringList ProblemasDeDiseno(const modtan::Figura& f) {
    QStringList problemas;
    QSet<int> piezas;
    for (const modtan::Colocacion& c : f.piezas) piezas.insert(c.pieza);
    for (int p = 1; p <= 7; ++p)
        if (!piezas.contains(p)) problemas << QStringLiteral("piece %1 is missing").arg(p);
    if (f.nombre.trimmed().isEmpty() || f.nombre.size() > 25 || plat::fromCp1252(plat::toCp1252(f.nombre)) != f.nombre)
        problemas << QStringLiteral("the name does not fit its 25 characters");
    return problemas;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == QStringLiteral("--png"))) {
        std::fprintf(stderr, "usage: modtan <file> [--png <folder>]\n");
        return 2;
    }
    const QString archivo = args[1];
    const QString carpetaPng = args.size() == 4 ? plat::asFolder(args[3]) : QString();
    if (!carpetaPng.isEmpty()) QDir().mkpath(carpetaPng);

    modtan::PreparaGeometria();
    QString contenido;
    bool fallo = false;
    int n = 0;
    for (const modtan::Figura& f : modtan::Figuras()) {
        ++n;
        QStringList problemas = ProblemasDeDiseno(f);
        modtan::Destinos d{};
        if (problemas.isEmpty()) {
            d = modtan::Coloca(f);
            problemas = modtan::Problemas(d);
        }
        for (const QString& p : problemas) {
            std::fprintf(stderr, "modtan: %d %s: %s\n", n, qPrintable(f.nombre), qPrintable(p));
            fallo = true;
        }
        if (!problemas.isEmpty()) continue;
        contenido += modtan::Registro(f.nombre, d);
        if (!carpetaPng.isEmpty()) {
            const QString base = carpetaPng + QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
            modtan::Silueta(d).save(base + QStringLiteral("-silueta.png"));
            modtan::Despiece(d).save(base + QStringLiteral("-piezas.png"));
            int puntas = 0;
            for (int g : modtan::Grietas(d)) puntas += g;
            std::printf("%2d %-25s notch tips %d px\n", n, qPrintable(f.nombre), puntas);
        }
    }
    if (fallo) return 1;
    // Room for the player's own figures: two empty slots after the last.
    for (int i = 0; i < kHuecos; ++i) contenido += modtan::Registro(QString(), modtan::Destinos{});
    try {
        plat::writeFile(archivo, plat::toCp1252(contenido));
    } catch (const plat::RuntimeError& e) {
        std::fprintf(stderr, "modtan: %s cannot be written (%d)\n", qPrintable(archivo), e.number());
        return 1;
    }
    return 0;
}
