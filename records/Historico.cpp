#include "records/Historico.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A 16-bit field from a wider global: held to the 16-bit range.
std::int16_t a16(long long v) {
    return static_cast<std::int16_t>(std::clamp<long long>(v, std::numeric_limits<std::int16_t>::min(),
                                                           std::numeric_limits<std::int16_t>::max()));
}

QString ajusta(const QString& texto, int largo) { return texto.left(largo).leftJustified(largo, QChar(u' ')); }

QString texto(const QString& s) {
    QString t = s;
    t.replace(QChar(u'"'), QChar(u'\''));
    return QChar(u'"') + t + QChar(u'"');
}

// At most 7 significant digits, "." as the decimal point, never an exponent.
QString real(float v) {
    const double d = static_cast<double>(v);
    if (!std::isfinite(d)) return QStringLiteral("0");
    QString s = QString::number(d, 'g', 7);
    if (!s.contains(QChar(u'e'))) return s;
    const int exponente = static_cast<int>(std::floor(std::log10(std::fabs(d))));
    const int decimales = std::max(0, 6 - exponente);
    const double redondeado = std::stod(QString::number(d, 'g', 7).toStdString());
    s = QString::number(redondeado, 'f', decimales);
    if (s.contains(QChar(u'.'))) {
        while (s.endsWith(QChar(u'0'))) s.chop(1);
        if (s.endsWith(QChar(u'.'))) s.chop(1);
    }
    return s;
}

bool leeEntero(const QString& campo, long long minimo, long long maximo, long long& v) {
    bool ok = false;
    const long long n = campo.toLongLong(&ok);
    if (!ok || n < minimo || n > maximo) return false;
    v = n;
    return true;
}

} // namespace

QString RutaHistorico() {
    QString ruta = PuzzGbl.RutaPrograma;
    if (!ruta.isEmpty() && !ruta.endsWith(QChar(u'/'))) ruta += QChar(u'/');
    return ruta + kArchivoHistorico;
}

RegistroHistorico RegistroActual(double fecha) {
    const auto& g = PuzzGbl;
    RegistroHistorico r;
    r.Fecha = plat::formatDate(fecha, QStringLiteral("dd/mm/yyyy"));
    r.Hora = plat::formatDate(fecha, QStringLiteral("hh:mm:ss"));
    r.TipoJuego = g.TipoJuego;
    r.ArchivoImagen = g.ArchivoImagen;
    r.CarpetaImagen = g.CarpetaImagen;
    r.NombreModelo = g.NombreModelo;
    r.AnchoBmp = a16(g.AnchoBmp);
    r.AltoBmp = a16(g.AltoBmp);
    r.ZoomImagen = g.ZoomImagen;
    r.AnchoImagen = g.AnchoImagen;
    r.AltoImagen = g.AltoImagen;
    r.PiezasLado = g.PiezasLado;
    r.PiezasCasilla = g.PiezasCasilla;
    r.FormaPieza = g.FormaPieza;
    r.NroPiezas = g.NroPiezas;
    r.AnchoPieza = g.AnchoPieza;
    r.AltoPieza = g.AltoPieza;
    r.GradoDificultad = static_cast<float>(g.GradoDificultad);
    r.SegundosCronometro = g.SegundosCronometro;
    r.FactorAtraccion = g.FactorAtraccion;
    r.TipoRotulo = g.TipoRotulo;
    r.Reservado = 0;
    r.NombreJugador = ajusta(g.NombreJugador, 9);
    r.PEN_NumSoluciones = g.PEN_NumSoluciones;
    r.TAI_NroFilas = g.TAI_NroFilas;
    r.TAI_NroColumnas = g.TAI_NroColumnas;
    r.TAI_NroNiveles = g.TAI_NroNiveles;
    return r;
}

QString LineaHistorico(const RegistroHistorico& r) {
    const auto n = [](long long v) { return QString::number(v); };
    const QStringList campos{
        texto(r.Fecha),         texto(r.Hora),          n(r.TipoJuego),         texto(r.ArchivoImagen),
        texto(r.CarpetaImagen), texto(r.NombreModelo),  n(r.AnchoBmp),          n(r.AltoBmp),
        n(r.ZoomImagen),        n(r.AnchoImagen),       n(r.AltoImagen),        n(r.PiezasLado),
        n(r.PiezasCasilla),     n(r.FormaPieza),        n(r.NroPiezas),         n(r.AnchoPieza),
        n(r.AltoPieza),         real(r.GradoDificultad), n(r.SegundosCronometro), n(r.FactorAtraccion),
        n(r.TipoRotulo),        n(r.Reservado),         texto(r.NombreJugador), n(r.PEN_NumSoluciones),
        n(r.TAI_NroFilas),      n(r.TAI_NroColumnas),   n(r.TAI_NroNiveles)};
    return campos.join(QChar(u','));
}

QStringList CamposHistorico(const QString& linea) {
    QStringList campos;
    QString campo;
    bool entreComillas = false;
    const auto cierra = [&] {
        const QString t = campo.trimmed();
        if (t.size() >= 2 && t.startsWith(QChar(u'"')) && t.endsWith(QChar(u'"')))
            campos << t.mid(1, t.size() - 2);
        else if (t.startsWith(QChar(u'"')))
            campos << t.mid(1); // a quote left open runs to the end of the line
        else
            campos << t;
        campo.clear();
    };
    for (const QChar c : linea) {
        if (c == QChar(u'"')) entreComillas = !entreComillas;
        if (c == QChar(u',') && !entreComillas) {
            cierra();
            continue;
        }
        campo += c;
    }
    cierra();
    return campos;
}

int LeeLineaHistorico(const QString& linea, RegistroHistorico& r) {
    const QStringList c = CamposHistorico(linea);
    constexpr long long kMin16 = std::numeric_limits<std::int16_t>::min();
    constexpr long long kMax16 = std::numeric_limits<std::int16_t>::max();
    constexpr long long kMin32 = std::numeric_limits<std::int32_t>::min();
    constexpr long long kMax32 = std::numeric_limits<std::int32_t>::max();
    int leidos = 0;
    const auto hay = [&] { return leidos < c.size(); };
    const auto txt = [&](QString& destino, int largo) {
        if (!hay()) return false;
        destino = largo > 0 ? ajusta(c[leidos], largo) : c[leidos];
        ++leidos;
        return true;
    };
    const auto e16 = [&](std::int16_t& destino) {
        long long v = 0;
        if (!hay() || !leeEntero(c[leidos], kMin16, kMax16, v)) return false;
        destino = static_cast<std::int16_t>(v);
        ++leidos;
        return true;
    };
    const auto e32 = [&](std::int32_t& destino) {
        long long v = 0;
        if (!hay() || !leeEntero(c[leidos], kMin32, kMax32, v)) return false;
        destino = static_cast<std::int32_t>(v);
        ++leidos;
        return true;
    };
    const auto flt = [&](float& destino) {
        if (!hay()) return false;
        bool ok = false;
        const double v = QLocale::c().toDouble(c[leidos], &ok);
        if (!ok || !std::isfinite(v)) return false;
        destino = static_cast<float>(v);
        ++leidos;
        return true;
    };
    txt(r.Fecha, 10) && txt(r.Hora, 8) && e16(r.TipoJuego) && txt(r.ArchivoImagen, 0) &&
        txt(r.CarpetaImagen, 0) && txt(r.NombreModelo, 0) && e16(r.AnchoBmp) && e16(r.AltoBmp) &&
        e16(r.ZoomImagen) && e16(r.AnchoImagen) && e16(r.AltoImagen) && e16(r.PiezasLado) &&
        e16(r.PiezasCasilla) && e16(r.FormaPieza) && e16(r.NroPiezas) && e16(r.AnchoPieza) &&
        e16(r.AltoPieza) && flt(r.GradoDificultad) && e32(r.SegundosCronometro) && e16(r.FactorAtraccion) &&
        e16(r.TipoRotulo) && e16(r.Reservado) && txt(r.NombreJugador, 9) && e16(r.PEN_NumSoluciones) &&
        e16(r.TAI_NroFilas) && e16(r.TAI_NroColumnas) && e16(r.TAI_NroNiveles);
    return leidos;
}

bool ActualizaHistorico() { return ActualizaHistorico(plat::now()); }

bool ActualizaHistorico(double fecha) {
    const QString linea = LineaHistorico(RegistroActual(fecha));
    try {
        plat::appendLines(RutaHistorico(), QStringList{linea});
        return true;
    } catch (const plat::RuntimeError&) {
        Mensaje(QStringLiteral("Histórico de puzzles resueltos"),
                QStringLiteral("No se ha podido añadir este puzzle al Histórico."), 1, 1);
        return false;
    }
}
