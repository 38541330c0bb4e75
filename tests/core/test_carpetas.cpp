// The working folder: the program folder when it can be written, else the
// per-user folder, filled with copies of the files it lacks.
#include "core/Carpetas.h"
#include "core/PuzzGbl.h"
#include "platform/files.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QStandardPaths>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using testing_support::ScratchDir;

void escribe(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenido);
}

QByteArray lee(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CarpetaTrabajo : public ::testing::Test {
protected:
    void SetUp() override {
        PuzzGbl.reset();
        programa = raiz.path() + "programa/";
        destino = raiz.path() + "datos/usuario/";
        QDir().mkpath(programa + "Archivo");
        FijaDirectorioReubicacion(destino);
    }
    void TearDown() override {
        plat::setFolderWritableOverrideForTests({});
        FijaDirectorioReubicacion(QString());
    }
    void noEscribible() {
        plat::setFolderWritableOverrideForTests([this](const QString& f) { return !f.startsWith(programa); });
    }
    void arranca() {
        PuzzGbl.RutaPrograma = programa;
        PuzzGbl.RutaArchivo = programa + "Archivo/";
        PreparaCarpetaTrabajo();
    }
    ScratchDir raiz;
    QString programa, destino;
};

TEST_F(CarpetaTrabajo, WritableProgramFolderIsTheWorkingFolder) {
    plat::setFolderWritableOverrideForTests([](const QString&) { return true; });
    for (const QString& carpeta : {programa, programa.chopped(1)}) {
        PuzzGbl.RutaPrograma = carpeta;
        PuzzGbl.RutaArchivo = programa + "Archivo/";
        PreparaCarpetaTrabajo();
        EXPECT_EQ(PuzzGbl.RutaPrograma, programa) << carpeta.toStdString();
        EXPECT_EQ(PuzzGbl.CarpetaActual, programa);
        EXPECT_EQ(PuzzGbl.RutaArchivo, programa + "Archivo/");
    }
    EXPECT_FALSE(QDir(destino).exists());
}

TEST_F(CarpetaTrabajo, RelocationCopiesWhatExistsUnderOneSpelling) {
    // Nine of the eleven files, in assorted spellings; Tsl2534.ini and SolPen.mlp are absent.
    const QStringList raiz9 = {"TSL34.INI", "tsl2134.ini", "Tsl2234.INI", "TSL2334.ini", "Tsl2434.ini", "TESEL34.HIS"};
    for (const QString& n : raiz9) escribe(programa + n, n.toLatin1());
    for (const QString& n : {QString("MODTAN.MLP"), QString("modpen.mlp"), QString("ModTai.MLP")})
        escribe(programa + "Archivo/" + n, n.toLatin1());
    noEscribible();
    arranca();

    EXPECT_EQ(PuzzGbl.RutaPrograma, destino);
    EXPECT_EQ(PuzzGbl.RutaArchivo, destino + "Archivo/");
    EXPECT_EQ(PuzzGbl.CarpetaActual, destino);
    EXPECT_EQ(QDir(destino).entryList(QDir::Files),
              QStringList({"Tesel34.his", "Tsl2134.ini", "Tsl2234.ini", "Tsl2334.ini", "Tsl2434.ini", "Tsl34.ini"}));
    EXPECT_EQ(QDir(destino + "Archivo").entryList(QDir::Files), QStringList({"ModPen.mlp", "ModTai.mlp", "ModTan.mlp"}));
    EXPECT_EQ(lee(destino + "Tsl2234.ini"), "Tsl2234.INI");
    EXPECT_EQ(lee(destino + "Archivo/ModPen.mlp"), "modpen.mlp");
}

TEST_F(CarpetaTrabajo, LaterStartsKeepThePlayersFilesAndRestoreMissingModels) {
    escribe(programa + "Tsl34.ini", "original");
    escribe(programa + "Tsl2134.ini", "original");
    escribe(programa + "Archivo/ModTan.mlp", "modelos");
    escribe(programa + "Archivo/SolPen.mlp", "soluciones");
    noEscribible();
    arranca();

    escribe(destino + "Tsl34.ini", "editado");
    escribe(destino + "Archivo/SolPen.mlp", "editado");
    QFile::remove(destino + "Tsl2134.ini");
    QFile::remove(destino + "Archivo/ModTan.mlp");
    arranca();

    EXPECT_EQ(lee(destino + "Tsl34.ini"), "editado");
    EXPECT_EQ(lee(destino + "Archivo/SolPen.mlp"), "editado");
    // The settings file is there, so the state file is not brought back (it is
    // recreated with its defaults when read); a model file is.
    EXPECT_FALSE(QFile::exists(destino + "Tsl2134.ini"));
    EXPECT_EQ(lee(destino + "Archivo/ModTan.mlp"), "modelos");
    EXPECT_EQ(PuzzGbl.RutaPrograma, destino);
}

TEST_F(CarpetaTrabajo, RelocationTargetIsCreatedWithItsParents) {
    noEscribible();
    arranca();
    EXPECT_TRUE(QDir(destino + "Archivo").exists());
    FijaDirectorioReubicacion(QString());
    // The default is the per-user data folder wherever it lies (under /tmp
    // too), never the temporary folder itself.
    const QByteArray previo = qgetenv("XDG_DATA_HOME");
    const bool habia = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    for (const QString& datos : {QString(), QDir::tempPath() + "/datos-usuario", QStringLiteral("/srv/datos")}) {
        SCOPED_TRACE(datos.toStdString());
        if (datos.isEmpty()) qunsetenv("XDG_DATA_HOME");
        else qputenv("XDG_DATA_HOME", datos.toLocal8Bit());
        const QString esperada = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        EXPECT_TRUE(DirectorioWindows().endsWith('/'));
        if (!esperada.isEmpty()) {
            EXPECT_EQ(DirectorioWindows(), esperada + '/');
        }
        if (!datos.isEmpty()) {
            EXPECT_TRUE(DirectorioWindows().startsWith(datos + '/'));
        }
        EXPECT_NE(QDir::cleanPath(DirectorioWindows()), QDir::cleanPath(QDir::tempPath()));
    }
    if (habia) qputenv("XDG_DATA_HOME", previo);
    else qunsetenv("XDG_DATA_HOME");
}

} // namespace
