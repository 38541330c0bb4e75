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

// A line of "SolPen.mlp" read back (its model number left out).
inline PEN_RegistroSolucion DeLinea(const QString& l) {
    PEN_RegistroSolucion s;
    for (int p = 1; p <= 12; ++p) {
        s.Fila[p] = std::int16_t(l.mid(6 * p - 4, 2).toInt());
        s.Columna[p] = std::int16_t(l.mid(6 * p - 2, 2).toInt());
        s.Giro[p] = std::int16_t(l.mid(6 * p, 1).toInt());
        s.Volteo[p] = std::int16_t(l.mid(6 * p + 1, 1).toInt());
    }
    return s;
}

// Solution k (1..8) of the 6 x 10 rectangle, lines our generator wrote for
// it: each covers the board exactly, as the reader requires.
inline PEN_RegistroSolucion Solucion(int k) {
    static const char* const lineas[] = {
        "0101010101031001053002092005013104032005080002010004051003060002033101080100",
        "0101010101031001092001080105013002040003033002010004040002060005063104081100",
        "0101023101061001012105041105013002062003043002082001043003020005073103080000",
        "0101041002010003090103082001081101060005050004020003030002020001013003061000",
        "0102032005021005043003092101041001070001012004010002050002010001090004070000",
        "0103020002010002063001051004092001010005020001082004050003040001033104070100",
        "0103081101041005011105031001081102073005080001011004053003010002023002041000",
        "0104072101041001092003092102073104013002021001011004051002030005021002050000",
    };
    return DeLinea(QString::fromLatin1(lineas[(k - 1) % 8]));
}
// The older name of the same solutions.
inline PEN_RegistroSolucion Inventada(int k) { return Solucion(k); }

// Writes the two files into `carpeta` (created when missing).
inline void Escribe(const QString& carpeta, const QStringList& registros, const QStringList& lineas) {
    QDir().mkpath(carpeta);
    plat::writeFile(carpeta + QStringLiteral("ModPen.mlp"), plat::toCp1252(registros.join(QString())));
    QString sol;
    for (const QString& l : lineas) sol += l + QStringLiteral("\r\n");
    plat::writeFile(carpeta + QStringLiteral("SolPen.mlp"), plat::toCp1252(sol));
}

// Model 1: a 6 x 10 rectangle with the solutions 1..n (n at most 8).
inline void EscribeRectangulo(const QString& carpeta, int n) {
    QStringList lineas;
    for (int k = 1; k <= n; ++k) lineas << Linea(1, Solucion(k));
    Escribe(carpeta, {Registro(QStringLiteral("Rectángulo 6 x 10"), 6, 10, n, Rectangulo(6, 10))}, lineas);
}

} // namespace pentominos_prueba
