#include "model/TaipeiModelo.h"

#include "core/PuzzGbl.h"
#include "core/TemasAyuda.h"
#include "core/Visores.h"
#include "model/EleccionModelo.h"
#include "model/Geometria.h"
#include "model/Modelos.h"
#include "model/RegistrosModelo.h"
#include "model/Taipei.h"

#include <algorithm>
#include <array>
#include <optional>

using taipei::kAltoFicha, taipei::kAnchoFicha, taipei::kColumnas, taipei::kFichas, taipei::kFilas, taipei::kNiveles,
    taipei::kRelieve;

namespace {

constexpr int kLargoAlturas = 352;

// A size field: digits, blanks around them allowed; nothing when it holds
// anything else or no digit.
std::optional<int> Numero(const QString& campo) {
    const QString t = SinBlancos(campo);
    if (t.isEmpty()) return std::nullopt;
    int n = 0;
    for (QChar ch : t) {
        if (ch < u'0' || ch > u'9') return std::nullopt;
        n = n * 10 + (ch.unicode() - u'0');
    }
    return n;
}

QString Cifras() { return QString::fromUtf8("el registro tiene caracteres que no son cifras en su tamaño o en sus alturas"); }

} // namespace

QString TAI_LeeRegistroModelo(std::int16_t nro) {
    if (nro < 1) return {};
    // Line nro of the file; an empty slot, a damaged line or no such record
    // gives nothing.
    QString motivo;
    const QString registro = LeeRegistroModelo(FormatoModelosTaipei(), nro, &motivo);
    return motivo.isEmpty() ? registro : QString();
}

QString TAI_CompruebaDisposicion(const DisposicionTaipei& d) {
    if (d.filas < 1 || d.filas > kFilas)
        return QString::fromUtf8("tiene %1 filas y han de ser de 1 a %2").arg(d.filas).arg(kFilas);
    if (d.columnas < 1 || d.columnas > kColumnas)
        return QString::fromUtf8("tiene %1 columnas y han de ser de 1 a %2").arg(d.columnas).arg(kColumnas);
    if (d.niveles < 1 || d.niveles > kNiveles)
        return QString::fromUtf8("tiene %1 niveles y han de ser de 1 a %2").arg(d.niveles).arg(kNiveles);
    int plazas = 0;
    for (int r = 0; r <= kFilas; ++r)
        for (int c = 0; c <= kColumnas + 1; ++c) {
            const int a = d.altura[std::size_t(r)][std::size_t(c)];
            const bool dentro = r >= 1 && r <= d.filas && c >= 1 && c <= d.columnas;
            if (a < 0 || (!dentro && a != 0))
                return QString::fromUtf8("tiene una pila fuera de sus filas y columnas (fila %1, columna %2)")
                    .arg(r)
                    .arg(c);
            if (a > d.niveles)
                return QString::fromUtf8("la pila de la fila %1, columna %2 tiene %3 niveles y el modelo solo %4")
                    .arg(r)
                    .arg(c)
                    .arg(a)
                    .arg(d.niveles);
            plazas += a;
        }
    if (plazas != kFichas)
        return QString::fromUtf8("tiene %1 plazas para fichas y han de ser %2").arg(plazas).arg(kFichas);
    return {};
}

ModeloTaipei TAI_InterpretaModelo(const QString& registro) {
    ModeloTaipei m;
    if (registro.isEmpty() || ModeloVacio(registro)) {
        m.vacio = true;
        m.motivo = QString::fromUtf8("el modelo está vacío");
        return m;
    }
    const auto filas = Numero(registro.mid(25, 2));
    const auto columnas = Numero(registro.mid(27, 2));
    const auto niveles = Numero(registro.mid(29, 1));
    if (!filas || !columnas || !niveles) {
        m.motivo = Cifras();
        return m;
    }
    DisposicionTaipei& d = m.disposicion;
    d.filas = std::int16_t(*filas);
    d.columnas = std::int16_t(*columnas);
    d.niveles = std::int16_t(*niveles);
    // The sizes first: a record beyond the board is not read further.
    const QString motivoTamano = TAI_CompruebaDisposicion(d);
    if (d.filas < 1 || d.filas > kFilas || d.columnas < 1 || d.columnas > kColumnas || d.niveles < 1 ||
        d.niveles > kNiveles) {
        m.motivo = motivoTamano;
        return m;
    }
    const QString alturas = registro.mid(kColumnaAlturasTaipei - 1, kLargoAlturas);
    if (alturas.size() < d.filas * d.columnas) {
        m.motivo = QString::fromUtf8("el registro es demasiado corto para sus %1 casillas").arg(d.filas * d.columnas);
        return m;
    }
    for (int r = 1; r <= d.filas; ++r)
        for (int c = 1; c <= d.columnas; ++c) {
            const QChar ch = alturas.at((r - 1) * d.columnas + (c - 1));
            if (ch < u'0' || ch > u'9') {
                m.motivo = Cifras();
                return m;
            }
            d.altura[std::size_t(r)][std::size_t(c)] = std::int16_t(ch.unicode() - u'0');
        }
    m.motivo = TAI_CompruebaDisposicion(d);
    return m;
}

DisposicionTaipei TAI_DisposicionActual() {
    const auto& g = PuzzGbl;
    DisposicionTaipei d;
    d.filas = g.FilasTablero;
    d.columnas = g.ColumnasTablero;
    d.niveles = g.TAI_NroNiveles;
    for (int r = 0; r <= kFilas; ++r)
        for (int c = 0; c <= kColumnas + 1; ++c)
            d.altura[std::size_t(r)][std::size_t(c)] = g.TAI_Tablero[std::size_t(r)][std::size_t(c)].Altura;
    return d;
}

void TAI_PonDisposicion(const DisposicionTaipei& d, const QString& registro) {
    auto& g = PuzzGbl;
    g.TAI_RegistroModelo = registro;
    g.FilasTablero = d.filas;
    g.ColumnasTablero = d.columnas;
    g.TAI_NroNiveles = d.niveles;
    g.TAI_Tablero = {};
    std::array<bool, kColumnas + 2> columnaUsada{};
    int nroFilas = 0;
    for (int r = 0; r <= kFilas; ++r) {
        bool usada = false;
        for (int c = 0; c <= kColumnas + 1; ++c) {
            const std::int16_t a = d.altura[std::size_t(r)][std::size_t(c)];
            g.TAI_Tablero[std::size_t(r)][std::size_t(c)].Altura = a;
            if (a != 0) usada = columnaUsada[std::size_t(c)] = true;
        }
        if (usada) ++nroFilas;
    }
    g.TAI_NroFilas = std::int16_t(nroFilas);
    g.TAI_NroColumnas = std::int16_t(std::count(columnaUsada.begin(), columnaUsada.end(), true));
}

bool TAI_CargaModelo(std::int16_t nro, QString* motivo) {
    const QString registro = TAI_LeeRegistroModelo(nro);
    const ModeloTaipei m = TAI_InterpretaModelo(registro);
    if (motivo) *motivo = m.motivo;
    // An empty slot is the empty layout; a record that cannot be used leaves
    // the board in force as it was.
    if (m.vacio) TAI_PonDisposicion(DisposicionTaipei{}, RegistroModeloVacio(kLargoRegistroTaipei));
    if (!m.motivo.isEmpty()) return false;
    TAI_PonDisposicion(m.disposicion, registro);
    return true;
}

void TAI_CargaModelo() { TAI_CargaModelo(PuzzGbl.NroModelo); }

AjusteTaipei TAI_AjusteEnMesa(int filas, int columnas, int niveles, int anchoMesa, int altoMesa) {
    const long long relieve = static_cast<long long>(kRelieve) * niveles;
    if (static_cast<long long>(kAltoFicha) * filas + relieve > altoMesa) return AjusteTaipei::DemasiadoAlta;
    if (static_cast<long long>(kAnchoFicha) * columnas + relieve > anchoMesa - kAnchoBotonera)
        return AjusteTaipei::DemasiadoAncha;
    return AjusteTaipei::Cabe;
}

QString TAI_MotivoAjuste(const DisposicionTaipei& d, int anchoMesa, int altoMesa) {
    if (anchoMesa <= 0 || altoMesa <= 0) return {};
    const AjusteTaipei a = TAI_AjusteEnMesa(d.filas, d.columnas, d.niveles, anchoMesa, altoMesa);
    if (a == AjusteTaipei::Cabe) return {};
    return QString::fromUtf8("su modelo de Taipei no cabe en la mesa de esta pantalla de %1 x %2 píxeles "
                             "(sobrepasa la %3)")
        .arg(anchoMesa)
        .arg(altoMesa)
        .arg(a == AjusteTaipei::DemasiadoAlta ? QStringLiteral("altura") : QStringLiteral("anchura"));
}

std::optional<DisposicionTaipei> TAI_DisposicionJugable(std::int16_t nro, int anchoMesa, int altoMesa) {
    const ModeloTaipei m = TAI_InterpretaModelo(TAI_LeeRegistroModelo(nro));
    if (!m.motivo.isEmpty() || !TAI_MotivoAjuste(m.disposicion, anchoMesa, altoMesa).isEmpty()) return std::nullopt;
    return m.disposicion;
}

EleccionModeloJuego TAI_EleccionModelo() {
    EleccionModeloJuego e;
    // A layout the deal accepts and whose tiles fit the table beside the
    // command panel; the set-up reads it itself.
    e.usable = [](std::int16_t, const QString& registro) {
        const ModeloTaipei m = TAI_InterpretaModelo(registro);
        const DisposicionTaipei& d = m.disposicion;
        return m.motivo.isEmpty() && TAI_AjusteEnMesa(d.filas, d.columnas, d.niveles, PuzzGbl.AnchoMesa,
                                                      PuzzGbl.AltoMesa) == AjusteTaipei::Cabe;
    };
    e.titulo = QStringLiteral("Modelos de Taipei");
    e.mensaje = QString::fromUtf8("No hay ningún modelo de Taipei utilizable en ModTai.mlp.");
    e.modelos = QStringLiteral("modelo de Taipei");
    e.lineas = 2;
    e.ayuda = ayuda::kReglasTaipei;
    // No layout: the table is laid out empty and nothing is dealt.
    e.sinModelo = [] {
        PuzzGbl.NroModelo = 0;
        PuzzGbl.NombreModelo.clear();
    };
    return e;
}
