#include "records/Historico.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "core/Visores.h"
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

QString texto(const QString& s) { return plat::quoteField(QString(s).replace(QChar(u'"'), QChar(u'\''))); }

// At most 7 significant digits, "." as the decimal point, never an exponent.
QString real(float v) {
    const double d = static_cast<double>(v);
    if (!std::isfinite(d)) return QStringLiteral("0");
    QString s = QString::number(d, 'g', 7);
    if (!s.contains(QChar(u'e'))) return s;
    const int exponente = static_cast<int>(std::floor(std::log10(std::fabs(d))));
    const int decimales = std::max(0, 6 - exponente);
    // Read back in the C locale: the process's own may take ',' as the point.
    s = QString::number(s.toDouble(), 'f', decimales);
    if (s.contains(QChar(u'.'))) {
        while (s.endsWith(QChar(u'0'))) s.chop(1);
        if (s.endsWith(QChar(u'.'))) s.chop(1);
    }
    return s;
}

// A whole number that fits the field's type.
template <class T>
bool leeEntero(const QString& campo, T& v) {
    bool ok = false;
    const long long n = campo.toLongLong(&ok);
    if (!ok || n < std::numeric_limits<T>::min() || n > std::numeric_limits<T>::max()) return false;
    v = static_cast<T>(n);
    return true;
}

} // namespace

QString RutaHistorico() {
    return plat::findFileCaseInsensitive(PuzzGbl.RutaPrograma, kArchivoHistorico);
}

RegistroHistorico RegistroActual(double fecha) {
    const auto& g = PuzzGbl;
    RegistroHistorico r;
    r.Fecha = plat::formatDate(fecha, QStringLiteral("dd/mm/yyyy"));
    r.Hora = plat::formatDate(fecha, QStringLiteral("hh:mm:ss"));
    r.TipoJuego = g.TipoJuego;
    r.ArchivoImagen = g.ArchivoImagen;
    r.CarpetaImagen = g.CarpetaImagen;
    r.NombreModelo = SinBlancos(g.NombreModelo); // one spelling per model in the history
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
    r.NombreJugador = plat::padRecord(g.NombreJugador, 9);
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
    int leidos = 0;
    const auto hay = [&] { return leidos < c.size(); };
    const auto txt = [&](QString& destino, int largo) {
        if (!hay()) return false;
        destino = largo > 0 ? plat::padRecord(c[leidos], largo) : c[leidos];
        ++leidos;
        return true;
    };
    const auto ent = [&](auto& destino) {
        if (!hay() || !leeEntero(c[leidos], destino)) return false;
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
    txt(r.Fecha, 10) && txt(r.Hora, 8) && ent(r.TipoJuego) && txt(r.ArchivoImagen, 0) &&
        txt(r.CarpetaImagen, 0) && txt(r.NombreModelo, 0) && ent(r.AnchoBmp) && ent(r.AltoBmp) &&
        ent(r.ZoomImagen) && ent(r.AnchoImagen) && ent(r.AltoImagen) && ent(r.PiezasLado) &&
        ent(r.PiezasCasilla) && ent(r.FormaPieza) && ent(r.NroPiezas) && ent(r.AnchoPieza) &&
        ent(r.AltoPieza) && flt(r.GradoDificultad) && ent(r.SegundosCronometro) && ent(r.FactorAtraccion) &&
        ent(r.TipoRotulo) && ent(r.Reservado) && txt(r.NombreJugador, 9) && ent(r.PEN_NumSoluciones) &&
        ent(r.TAI_NroFilas) && ent(r.TAI_NroColumnas) && ent(r.TAI_NroNiveles);
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
