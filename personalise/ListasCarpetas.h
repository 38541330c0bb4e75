// The picture chooser's lists without a window: the drives (the root and the
// home folder), a folder's ancestors and subfolders, its picture files, the
// joining of folder and name, and the free name for a pasted picture.
//
// Folders are written with "/" and end in "/". Hidden entries (a leading
// dot) are left out, names are sorted ignoring case, and a folder that
// cannot be read lists nothing.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace carpetas {

// The drives offered: "/" and the home folder (one entry when they are the
// same folder).
QStringList Unidades();
// The drive that holds the folder: the longest drive it lies in.
QString UnidadDe(const QString& carpeta, const QStringList& unidades);

// The folder with one "/" at its end; "/" for an empty text.
QString ComoCarpeta(const QString& carpeta);
// The folder and a name joined by one "/" ("/" + "a.bmp" is "/a.bmp").
QString UneRuta(const QString& carpeta, const QString& nombre);
// The last name of the folder ("/" for the root).
QString NombreCarpeta(const QString& carpeta);
// The folder holding this one; the root for the root.
QString CarpetaPadre(const QString& carpeta);

// One entry of the folder list: the folder it opens and the text shown
// (indented by its depth).
struct EntradaCarpeta {
    QString ruta;
    QString texto;
};
// The folder's ancestors from the root, the folder itself, then its
// subfolders.
std::vector<EntradaCarpeta> ListaCarpetas(const QString& carpeta);
// The position of the folder itself in that list.
int PosicionCarpeta(const std::vector<EntradaCarpeta>& lista, const QString& carpeta);

// The folder's files whose name ends in .bmp, .rle, .wmf, .emf, .jpg, .png
// or .jpeg in any case.
QStringList ArchivosImagen(const QString& carpeta);
// The position of the name in the list: the same spelling first, then the
// same name in another case; -1 when it is not there.
int BuscaArchivo(const QStringList& archivos, const QString& nombre);

// The name a pasted picture is written under in the folder: "tsportap.bmp"
// when no file has that name (in any case) or the one there is not in use,
// else the first "tsportapN.bmp" (N from 2) that is free or not in use.
QString NombrePortapapeles(const QString& carpeta, const std::function<bool(const QString& ruta)>& enUso);

} // namespace carpetas

// The items of the number-of-pieces list.
namespace nropiezas {

// n, " x ", n, " x " and the pieces per cell when more than one, " -> " and
// the total (the sliding game: n x n - 1), in columns of 2, 2 and 3.
QString Texto(int n, int piezasCasilla, int juego);
// The pieces per side an item starts with; 0 for another text.
int Lado(const QString& texto);
// The size display's text: "640 píxels x 480 píxels".
QString TextoTamano(int ancho, int alto);

} // namespace nropiezas
