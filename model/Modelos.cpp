#include "model/Modelos.h"

#include "core/PuzzGbl.h"
#include "core/Visores.h"
#include "core/mesa.h"
#include "model/Pentominos.h"
#include "model/Taipei.h"
#include "model/Tangram.h"
#include "platform/errors.h"
#include "platform/files.h"

#include <algorithm>
#include <array>

using taipei::kColumnas, taipei::kFilas, taipei::kNiveles;

namespace {

constexpr int kLargoAlturas = 352;

// The number at the front of a field (blanks around it allowed); 0 when there is none.
int Numero(const QString& campo) {
    const QString t = SinBlancos(campo);
    int n = 0;
    for (QChar ch : t) {
        if (ch < u'0' || ch > u'9') break;
        n = n * 10 + (ch.unicode() - u'0');
    }
    return n;
}

} // namespace

bool ModeloVacio(const QString& registro) { return SinBlancos(registro.left(kLargoNombreModelo)).isEmpty(); }

QString RegistroModeloVacio(int largo) {
    return QString(kLargoNombreModelo, u' ') + QString(largo - kLargoNombreModelo - 2, u'0') + QStringLiteral("\r\n");
}

bool TAI_CargaModelo(std::int16_t nro) {
    auto& g = PuzzGbl;
    QString registro;
    if (nro >= 1) {
        try {
            registro = plat::readRecord(plat::findFileCaseInsensitive(g.RutaArchivo, kArchivoModelosTaipei),
                                        kLargoRegistroTaipei, nro);
        } catch (const plat::RuntimeError&) {
            registro.clear();
        }
    }
    // Whatever was read before must not stand for a record that is not there.
    const bool conNombre = !registro.isEmpty() && !ModeloVacio(registro);
    if (!conNombre) registro = RegistroModeloVacio(kLargoRegistroTaipei);
    g.TAI_RegistroModelo = registro;

    const int filas = Numero(registro.mid(25, 2));
    const int columnas = Numero(registro.mid(27, 2));
    const int niveles = Numero(registro.mid(29, 1));
    g.FilasTablero = std::int16_t(filas);
    g.ColumnasTablero = std::int16_t(columnas);
    g.TAI_NroNiveles = std::int16_t(niveles);

    g.TAI_Tablero = {};
    const QString alturas = registro.mid(kColumnaAlturasTaipei - 1, kLargoAlturas);
    for (int r = 1; r <= std::min(filas, kFilas); ++r)
        for (int c = 1; c <= std::min(columnas, kColumnas); ++c) {
            const int pos = (r - 1) * columnas + (c - 1);
            if (pos < alturas.size()) g.TAI_Tablero[r][c].Altura = std::int16_t(Numero(alturas.mid(pos, 1)));
        }

    std::array<bool, kColumnas + 1> columnaUsada{};
    int nroFilas = 0;
    for (int r = 1; r <= std::min(filas, kFilas); ++r) {
        bool usada = false;
        for (int c = 1; c <= std::min(columnas, kColumnas); ++c)
            if (g.TAI_Tablero[r][c].Altura != 0) usada = columnaUsada[c] = true;
        if (usada) ++nroFilas;
    }
    g.TAI_NroFilas = std::int16_t(nroFilas);
    g.TAI_NroColumnas = std::int16_t(std::count(columnaUsada.begin(), columnaUsada.end(), true));

    return conNombre && filas >= 1 && filas <= kFilas && columnas >= 1 && columnas <= kColumnas && niveles >= 1 &&
           niveles <= kNiveles;
}

void TAI_CargaModelo() { TAI_CargaModelo(PuzzGbl.NroModelo); }

namespace {

// What keeps a file of the "Archivo" folder from being read; empty when its
// bytes are in `datos`.
QString FalloArchivoModelos(const QString& nombre, QByteArray& datos) {
    try {
        datos = plat::readFile(plat::findFileCaseInsensitive(PuzzGbl.RutaArchivo, nombre));
        return QString();
    } catch (const plat::RuntimeError& e) {
        if (e.number() == plat::err::kFileNotFound || e.number() == plat::err::kPathNotFound)
            return QStringLiteral("el archivo ") + nombre + QStringLiteral(" no se encuentra");
        return QStringLiteral("el archivo ") + nombre + QString::fromUtf8(" no se ha podido leer (error ") +
               QString::number(e.number()) + QStringLiteral(")");
    }
}

} // namespace

QString DiagnosticoModelo(std::int16_t juego, std::int16_t nro) {
    if (juego != 24 && juego != 25) return QString();
    const QString nombre = juego == 24 ? kArchivoModelosPentominos : kArchivoModelosTaipei;
    const int largo = juego == 24 ? kLargoRegistroPentominos : kLargoRegistroTaipei;
    const QString numero = QString::fromUtf8(" el modelo número ") + QString::number(nro);
    QByteArray datos;
    if (QString fallo = FalloArchivoModelos(nombre, datos); !fallo.isEmpty()) return fallo;
    const qint64 desde = (qint64(nro) - 1) * largo;
    if (nro < 1 || desde >= datos.size() || ModeloVacio(plat::fromCp1252(datos.mid(desde, largo))))
        return QStringLiteral("el archivo ") + nombre + QStringLiteral(" no contiene") + numero;
    const QString danado = numero.mid(1) + QStringLiteral(" del archivo ") + nombre + QString::fromUtf8(" está dañado");

    const PuzzGblData copia = PuzzGbl;
    QString motivo;
    if (juego == 25) {
        if (!TAI_CargaModelo(nro)) motivo = danado;
    } else if (!PEN_LeeModelo(nro)) {
        // The board itself was read when it left its size behind.
        if (PuzzGbl.FilasTablero == 0) {
            motivo = danado;
        } else {
            QByteArray soluciones;
            motivo = FalloArchivoModelos(kArchivoSolucionesPentominos, soluciones);
            if (motivo.isEmpty())
                motivo = QStringLiteral("el archivo ") + kArchivoSolucionesPentominos +
                         QString::fromUtf8(" no contiene ninguna solución del") + numero.mid(3);
        }
    }
    PuzzGbl = copia;
    return motivo;
}

std::vector<ModeloListado> LeeListaModelos() {
    int largo = 0;
    QString nombre;
    switch (PuzzGbl.TipoJuego) {
    case 23: largo = kLargoRegistroTangram, nombre = kArchivoModelosTangram; break;
    case 24: largo = kLargoRegistroPentominos, nombre = kArchivoModelosPentominos; break;
    case 25: largo = kLargoRegistroTaipei, nombre = kArchivoModelosTaipei; break;
    default: return {};
    }
    QStringList registros;
    try {
        registros = plat::readRecords(plat::findFileCaseInsensitive(PuzzGbl.RutaArchivo, nombre), largo);
    } catch (const plat::RuntimeError&) {
        return {};
    }
    std::vector<ModeloListado> modelos;
    for (int n = 1; n <= registros.size(); ++n) {
        const QString& r = registros[n - 1];
        if (!ModeloVacio(r)) modelos.push_back({r.left(kLargoNombreModelo), n});
    }
    return modelos;
}

void RellenaListaModelos(ListaOrdenada& lista) {
    lista.Clear();
    try {
        for (const ModeloListado& m : LeeListaModelos()) {
            lista.AddItem(m.nombre);
            lista.setItemData(lista.NewIndex(), m.registro);
        }
    } catch (const plat::RuntimeError&) {
        // A list that can take no more: it keeps what it holds.
    }
}
