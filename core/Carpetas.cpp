#include "core/Carpetas.h"

#include "core/PuzzGbl.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

QString g_reubicacion;
QString g_programa;

QString conBarra(QString carpeta) {
    carpeta.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!carpeta.endsWith(QLatin1Char('/'))) carpeta += QLatin1Char('/');
    return carpeta;
}

// Copies folderFrom/name to folderTo under the name's own spelling when
// folderTo has no file of that name in any case; a failing copy is skipped.
void copiaSiFalta(const QString& desde, const QString& hacia, const QString& nombre) {
    if (plat::fileExists(hacia, nombre)) return;
    if (!plat::fileExists(desde, nombre)) return;
    try {
        plat::copyFile(plat::findFileCaseInsensitive(desde, nombre), hacia + nombre);
    } catch (const plat::RuntimeError&) {
        // The file is recreated with its defaults when it is first read.
    }
}

} // namespace

const QStringList& ArchivosConfiguracionReubicados() {
    static const QStringList nombres = {
        QStringLiteral("Tsl34.ini"),   QStringLiteral("Tsl2134.ini"), QStringLiteral("Tsl2234.ini"),
        QStringLiteral("Tsl2334.ini"), QStringLiteral("Tsl2434.ini"), QStringLiteral("Tsl2534.ini"),
        QStringLiteral("Tesel34.his")};
    return nombres;
}

const QStringList& ArchivosModeloReubicados() {
    static const QStringList nombres = {QStringLiteral("ModTan.mlp"), QStringLiteral("ModPen.mlp"),
                                        QStringLiteral("ModTai.mlp"), QStringLiteral("SolPen.mlp")};
    return nombres;
}

const QStringList& ArchivosPropios() {
    static const QStringList nombres = ArchivosConfiguracionReubicados() + ArchivosModeloReubicados() +
                                       QStringList{QStringLiteral("Tesel34.CSE"), QStringLiteral("*.puz")};
    return nombres;
}

void FijaDirectorioReubicacion(const QString& carpeta) { g_reubicacion = carpeta; }
void FijaCarpetaPrograma(const QString& carpeta) { g_programa = carpeta; }

QString CarpetaPrograma() {
    if (!g_programa.isEmpty()) return conBarra(g_programa);
    return conBarra(QCoreApplication::applicationDirPath());
}

QString DirectorioWindows() {
    if (!g_reubicacion.isEmpty()) return conBarra(g_reubicacion);
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (carpeta.isEmpty()) carpeta = QDir::homePath() + QStringLiteral("/.local/share/teselaro");
    return conBarra(carpeta);
}

void PreparaCarpetaTrabajo() {
    PuzzGbl.RutaPrograma = conBarra(PuzzGbl.RutaPrograma);
    PuzzGbl.CarpetaActual = PuzzGbl.RutaPrograma;
    if (plat::folderIsWritable(PuzzGbl.RutaPrograma)) return;

    const QString anterior = PuzzGbl.RutaPrograma;
    PuzzGbl.RutaPrograma = DirectorioWindows();
    PuzzGbl.RutaArchivo = PuzzGbl.RutaPrograma + QStringLiteral("Archivo/");
    QDir().mkpath(PuzzGbl.RutaArchivo); // the parents too; an existing folder is no error
    PuzzGbl.CarpetaActual = PuzzGbl.RutaPrograma;

    // The settings, state and history files come over on the first start from
    // this folder only, so that the player's later changes here survive.
    if (!plat::fileExists(PuzzGbl.RutaPrograma, QStringLiteral("Tsl34.ini"))) {
        for (const QString& nombre : ArchivosConfiguracionReubicados())
            copiaSiFalta(anterior, PuzzGbl.RutaPrograma, nombre);
    }
    // A model file that is missing here is copied whenever it is missing, since
    // nothing else would recreate it.
    const QString archivoAnterior = plat::findFileCaseInsensitive(anterior, QStringLiteral("Archivo")) + QLatin1Char('/');
    for (const QString& nombre : ArchivosModeloReubicados())
        copiaSiFalta(archivoAnterior, PuzzGbl.RutaArchivo, nombre);
}
