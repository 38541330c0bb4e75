// Hand-made pentomino board and solution files for the tests.
#pragma once

#include "core/PuzzGbl.h"
#include "platform/files.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <vector>

namespace pentominos_prueba {

// A board record of "ModPen.mlp": the name, rows, columns and solution count
// as given (texts, so that damaged ones can be written), and the cells: row r
// of `celdas` is board row r + 1, '#' a cell of the figure.
inline QString Registro(const QString& nombre, const QString& filas, const QString& columnas, const QString& cuenta,
                        const QStringList& celdas) {
    QString r = nombre.leftJustified(25, u' ', true) + filas + columnas + cuenta;
    for (int f = 0; f < 16; ++f)
        for (int c = 0; c < 22; ++c)
            r += f < celdas.size() && c < celdas[f].size() && celdas[f][c] == u'#' ? u'1' : u'0';
    return r + QString(65, u'0') + QStringLiteral("\r\n");
}
inline QString Registro(const QString& nombre, int filas, int columnas, int cuenta, const QStringList& celdas) {
    auto cifras = [](int v, int ancho) { return QString::number(v).rightJustified(ancho, u'0'); };
    return Registro(nombre, cifras(filas, 2), cifras(columnas, 2), cifras(cuenta, 4), celdas);
}
// A full rectangle of cells.
inline QStringList Rectangulo(int filas, int columnas) { return QStringList(filas, QString(columnas, u'#')); }
// An empty slot: 25 blanks, 425 "0" and CR LF.
inline QString RegistroVacio() { return QString(25, u' ') + QString(425, u'0') + QStringLiteral("\r\n"); }

// One line of "SolPen.mlp" without its CR LF.
inline QString Linea(int modelo, const PEN_RegistroSolucion& s) {
    auto cifras = [](int v, int ancho) { return QString::number(v).rightJustified(ancho, u'0'); };
    QString l = cifras(modelo, 2);
    for (int p = 1; p <= 12; ++p)
        l += cifras(s.Fila[p], 2) + cifras(s.Columna[p], 2) + cifras(s.Giro[p], 1) + cifras(s.Volteo[p], 1);
    return l + QStringLiteral("00");
}

// A made-up solution k of a 6 x 10 board (it need not cover the board: the
// reader does not check that).
inline PEN_RegistroSolucion Inventada(int k) {
    PEN_RegistroSolucion s;
    for (int p = 1; p <= 12; ++p) {
        s.Fila[p] = std::int16_t(1 + (p + k) % 6);
        s.Columna[p] = std::int16_t(1 + (3 * p + k) % 10);
        // Within the shape's distinct rotations (F I L N P T U V W X Y Z).
        static constexpr int rotaciones[13] = {1, 4, 2, 4, 4, 4, 4, 4, 4, 4, 1, 4, 2};
        s.Giro[p] = std::int16_t((p + k) % rotaciones[p]);
        s.Volteo[p] = std::int16_t((p * k) % 2);
    }
    return s;
}

// Writes the two files into `carpeta` (created when missing).
inline void Escribe(const QString& carpeta, const QStringList& registros, const QStringList& lineas) {
    QDir().mkpath(carpeta);
    plat::writeFile(carpeta + QStringLiteral("ModPen.mlp"), plat::toCp1252(registros.join(QString())));
    QString sol;
    for (const QString& l : lineas) sol += l + QStringLiteral("\r\n");
    plat::writeFile(carpeta + QStringLiteral("SolPen.mlp"), plat::toCp1252(sol));
}

// Model 1: a 6 x 10 rectangle with the made-up solutions 1..n.
inline void EscribeRectangulo(const QString& carpeta, int n) {
    QStringList lineas;
    for (int k = 1; k <= n; ++k) lineas << Linea(1, Inventada(k));
    Escribe(carpeta, {Registro(QStringLiteral("Rectángulo 6 x 10"), 6, 10, n, Rectangulo(6, 10))}, lineas);
}

} // namespace pentominos_prueba
