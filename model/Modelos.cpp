#include "model/Modelos.h"

#include "core/PuzzGbl.h"
#include "core/Visores.h"
#include "core/mesa.h"
#include "model/Pentominos.h"
#include "model/RegistrosModelo.h"
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
    // Line nro of the file; an empty slot, a damaged line or no such record
    // gives nothing.
    QString registro;
    if (nro >= 1) {
        QString motivo;
        registro = LeeRegistroModelo(FormatoModelosTaipei(), nro, &motivo);
        if (!motivo.isEmpty()) registro.clear();
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

std::vector<ModeloListado> LeeListaModelos() {
    const auto formato = FormatoModelosJuego(PuzzGbl.TipoJuego);
    if (!formato) return {};
    std::vector<ModeloListado> modelos;
    for (const ModeloUsable& m : RegistrosModelo(*formato).usables()) modelos.push_back({m.nombre, m.registro});
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
