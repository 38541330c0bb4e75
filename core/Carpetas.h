// The program's folders: where it runs from, where it writes, and the
// relocation of the working folder when the program's own cannot be written.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Sets RutaPrograma and RutaArchivo to the working folder: the program folder
// when a file can be created in it; otherwise the per-user data folder, which
// is created and given a copy of every settings, state, history and model file
// it lacks (never overwriting one it has).
void PreparaCarpetaTrabajo();

// The folder the working files move to when the program folder cannot be
// written: the per-user data folder, ending in "/".
QString DirectorioWindows();

// Test seams: where the relocation goes and the program folder Main uses.
void FijaDirectorioReubicacion(const QString& carpeta); // "" restores the default
void FijaCarpetaPrograma(const QString& carpeta);       // "" restores the default
// The folder of the program: the one holding Archivo/ and Imagenes/, ending in "/".
QString CarpetaPrograma();

// The files the relocation copies, in their one spelling for writing.
const QStringList& ArchivosConfiguracionReubicados(); // settings, state and history
const QStringList& ArchivosModeloReubicados();        // in Archivo/
// The names of every file the program writes in the working folder and its
// Archivo/ (wildcards: a saved puzzle is any "*.puz"); the start-up sweep of
// temporary files takes only the leftovers of these.
const QStringList& ArchivosPropios();
