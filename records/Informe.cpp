#include "records/Informe.h"

#include "core/Duracion.h"
#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "model/Juego.h"
#include "platform/numbers.h"
#include "platform/surface.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdint>

namespace {

using informe::kAzul;
using informe::kNegro;
using informe::kPurpura;

QString n(double v, const char* patron) { return plat::format(v, QString::fromLatin1(patron)); }

QString pixeles(int ancho, int alto) {
    return n(ancho, "###0") + QStringLiteral(" x ") + n(alto, "###0") + QString::fromUtf8(" píxeles");
}

// Prints the lines of a report one after another: each line adds its step
// to the line cursor first.
class Columna {
public:
    Columna(Informe& inf, int y0) : inf_(inf), y_(y0) {}
    void linea(int paso, const char* etiqueta, const QString& valor, plat::Color color) {
        y_ += paso;
        inf_.lineas.push_back({y_, QString::fromUtf8(etiqueta), valor, color});
    }
    void linea(int paso, const QString& etiqueta, const QString& valor, plat::Color color) {
        y_ += paso;
        inf_.lineas.push_back({y_, etiqueta, valor, color});
    }
    void hueco(int paso) { y_ += paso; }
    int y() const { return y_; }

private:
    Informe& inf_;
    int y_;
};

QString etiquetaZoom(int zoom) {
    if (zoom == 100) return QStringLiteral("Zoom aplicado........:");
    return zoom > 100 ? QString::fromUtf8("Ampliación del tamaño:") : QString::fromUtf8("Reducción del tamaño.:");
}
QString valorZoom(int zoom) { return zoom == 100 ? QStringLiteral("Ninguno") : n(zoom, "##0") + QLatin1Char('%'); }
QString etiquetaTamanoZoom(int zoom) {
    return zoom > 100 ? QString::fromUtf8("Tamaño ampliado......:") : QString::fromUtf8("Tamaño reducido......:");
}

// The picture lines: file, folder and size.
void lineasImagen(Columna& c, const QString& archivo, const QString& carpeta, int ancho, int alto,
                  plat::Color color) {
    const bool portapapeles = EsImagenPortapapeles(archivo);
    c.linea(15, "Archivo de imagen....:", portapapeles ? QStringLiteral("Copiada del Portapapeles") : archivo, color);
    c.linea(15, "Ubicación del archivo:", portapapeles ? QString() : CarpetaVisible(carpeta), color);
    c.linea(15, "Tamaño de la imagen..:", pixeles(ancho, alto), color);
}

// The time of a piece or a pair: whole seconds, halves to even.
QString tiempoPor(double segundos, double divisor) {
    if (!(divisor > 0)) return QString();
    return TextoTiempo(plat::roundHalfEven(segundos / divisor));
}

} // namespace

// ---------------------------------------------------------------- printing

plat::Font FuenteInforme() {
    plat::Font f;
    f.name = QStringLiteral("Liberation Mono");
    f.size = 8.25; // 11 pixels: 22 characters take 145 of the 158 in front of the values
    return f;
}

void ImprimeLinea(plat::Surface& s, const QString& etiqueta, const QString& valor, plat::Color color, int y) {
    s.setForeColor(kNegro);
    s.setCurrent(informe::kXEtiqueta, y);
    s.print(etiqueta);
    s.setForeColor(color);
    s.setCurrent(informe::kXValor, y);
    s.print(valor);
}

void ImprimeInforme(plat::Surface& s, const Informe& inf) {
    for (const LineaInforme& l : inf.lineas) ImprimeLinea(s, l.etiqueta, l.valor, l.color, l.y);
    for (const TextoInforme& t : inf.textos) {
        s.setForeColor(t.color);
        s.setCurrent(t.x, t.y);
        s.print(t.texto);
    }
    for (const RayaInforme& r : inf.rayas) s.line(r.x1, r.y, r.x2, r.y, kNegro);
}

// ---------------------------------------------------------------- helpers

QString CarpetaVisible(const QString& carpeta) {
    return carpeta.size() <= 31 ? carpeta : carpeta.left(28) + QStringLiteral("...");
}

QString TextoTiempo(double segundos) {
    if (!std::isfinite(segundos) || segundos < 0) return QString();
    return TextoDuracion(static_cast<std::int64_t>(plat::roundHalfEven(segundos)));
}

QString TextoTipoPuzzle(int juego) {
    switch (juego) {
    case 21: return QString::fromUtf8("Puzzle de piezas móviles");
    case 22: return QStringLiteral("Puzzle de piezas deslizantes");
    case 23: return QStringLiteral("Tangram");
    case 24: return QString::fromUtf8("Pentominós");
    case 25: return QStringLiteral("Taipei");
    default: return QString();
    }
}

QString TextoFondo(int tipoRotulo) {
    switch (tipoRotulo) {
    case 1: return QStringLiteral("Imagen");
    case 2: return QString::fromUtf8("Números");
    case 3: return QStringLiteral("Letras");
    default: return QString();
    }
}

QString TextoClasePiezas(int piezasCasilla) {
    switch (piezasCasilla) {
    case 1: return QStringLiteral("Simples");
    case 2: return QStringLiteral("Dobles");
    case 4: return QString::fromUtf8("Cuádruples");
    default: return QString();
    }
}

QString TextoFormaPieza(int forma) {
    if (forma < 0 || forma > 7) return QString();
    const QString& nombre = PuzzGbl.NombresFormas[std::size_t(forma)];
    return nombre;
}

// ---------------------------------------------------------------- a stored record

Informe InformeRegistro(const RegistroHistorico& r, std::int32_t posicion) {
    Informe inf;
    Columna c(inf, 17);
    const int juego = r.TipoJuego;
    const plat::Color v = kPurpura;
    c.linea(0, "Orden................:", n(double(posicion) + 1, "##0"), v);
    c.linea(15, "Fecha................:", r.Fecha, v);
    c.linea(15, "Hora.................:", r.Hora, v);
    c.linea(25, "Tipo de puzzle.......:", TextoTipoPuzzle(juego), v);
    c.hueco(10);
    if (juego == 22) c.linea(15, "Tipo de fondo........:", TextoFondo(r.TipoRotulo), v);
    if (juego == 21 || (juego == 22 && r.TipoRotulo == 1))
        lineasImagen(c, r.ArchivoImagen, r.CarpetaImagen, r.AnchoBmp, r.AltoBmp, v);
    // Only solved stored figures reach the history, so every Tangram record
    // names its model, whatever the table is doing now.
    if (juego == 23 || juego == 24 || juego == 25) c.linea(15, "Modelo resuelto......:", r.NombreModelo, v);
    if (juego == 21) {
        c.linea(15, etiquetaZoom(r.ZoomImagen), valorZoom(r.ZoomImagen), v);
        if (r.ZoomImagen != 100) c.linea(15, etiquetaTamanoZoom(r.ZoomImagen), pixeles(r.AnchoImagen, r.AltoImagen), v);
    }
    c.hueco(10);
    if (juego == 21 || juego == 22) c.linea(15, "Piezas por lado......:", n(r.PiezasLado, "#0"), v);
    if (juego == 21) {
        c.linea(15, "Clase de piezas......:", TextoClasePiezas(r.PiezasCasilla), v);
        c.linea(15, "Tipo de piezas.......:", TextoFormaPieza(r.FormaPieza), v);
    }
    c.linea(15, "Piezas totales.......:", n(r.NroPiezas, "##0"), v);
    if (juego == 21) {
        c.linea(15, "Ancho de las piezas..:", n(r.AnchoPieza, "##0") + QString::fromUtf8(" píxeles"), v);
        c.linea(15, "Alto de las piezas...:", n(r.AltoPieza, "##0") + QString::fromUtf8(" píxeles"), v);
    }
    if (juego == 24) c.linea(15, "Soluciones posibles..:", n(r.PEN_NumSoluciones, "#,##0"), kAzul);
    if (juego == 25) {
        c.linea(15, "Número de filas......:", n(r.TAI_NroFilas, "#0"), kAzul);
        c.linea(15, "Número de columnas...:", n(r.TAI_NroColumnas, "#0"), kAzul);
        c.linea(15, "Número de niveles....:", n(r.TAI_NroNiveles, "0"), kAzul);
    }
    if (juego == 21 || juego == 23)
        c.linea(15, "Factor de atracción..:", n(r.FactorAtraccion, "##0") + QLatin1Char('%'), v);
    const double s = r.SegundosCronometro;
    c.linea(25, "Tiempo total.........:", TextoTiempo(s), v);
    if (juego == 25)
        c.linea(15, "Tiempo por pareja....:", s < 0 ? QString() : tiempoPor(s, 72), v);
    else
        c.linea(15, "Tiempo por pieza.....:", s < 0 ? QString() : tiempoPor(s, r.NroPiezas), v);
    c.linea(15, "Nivel de dificultad..:", n(r.GradoDificultad, "#0.0000"), v);
    c.linea(25, "Nombre del jugador...:", r.NombreJugador, v);
    inf.yNombre = c.y();
    inf.alto = c.y() + 35;
    return inf;
}

Informe InformeVacio(int altoInterior) {
    Informe inf;
    inf.alto = altoInterior - 170 + 35;
    return inf;
}

// ---------------------------------------------------------------- the live puzzle

Informe InformeEstadisticas() {
    auto& g = PuzzGbl;
    Informe inf;
    Columna c(inf, 20);
    const int juego = g.TipoJuego;
    const bool diseno = juego == 23 && g.TAN_ModoJuego == 1;
    const bool resolviendoTangram = juego == 23 && g.TAN_ModoJuego == 2;
    c.linea(0, "Tipo de puzzle.......:", TextoTipoPuzzle(juego), kAzul);
    c.hueco(10);
    if (juego == 22) c.linea(15, "Tipo de fondo........:", TextoFondo(g.TipoRotulo), kAzul);
    if (juego == 21 || (juego == 22 && g.TipoRotulo == 1))
        lineasImagen(c, g.ArchivoImagen, g.CarpetaImagen, g.AnchoBmp, g.AltoBmp, kAzul);
    if (resolviendoTangram || juego == 24 || juego == 25)
        c.linea(15, "Modelo a resolver....:", g.NombreModelo, kAzul);
    if (juego == 21) {
        c.linea(15, etiquetaZoom(g.ZoomImagen), valorZoom(g.ZoomImagen), kAzul);
        if (g.ZoomImagen != 100) c.linea(15, etiquetaTamanoZoom(g.ZoomImagen), pixeles(g.AnchoImagen, g.AltoImagen), kAzul);
    }
    c.hueco(10);
    if (juego == 21 || juego == 22) c.linea(15, "Piezas por lado......:", n(g.PiezasLado, "#0"), kAzul);
    if (juego == 21) {
        c.linea(15, "Clase de piezas......:", TextoClasePiezas(g.PiezasCasilla), kAzul);
        c.linea(15, "Tipo de piezas.......:", TextoFormaPieza(g.FormaPieza), kAzul);
    }
    c.linea(15, "Piezas totales.......:", n(g.NroPiezas, "##0"), kAzul);
    if (juego == 21) {
        c.linea(15, "Ancho de las piezas..:", n(g.AnchoPieza, "##0") + QString::fromUtf8(" píxeles"), kAzul);
        c.linea(15, "Alto de las piezas...:", n(g.AltoPieza, "##0") + QString::fromUtf8(" píxeles"), kAzul);
    }
    if (juego == 23) {
        c.hueco(25);
        inf.textos.push_back({informe::kXEtiqueta, c.y(), QStringLiteral("Tipo de pieza       Ancho     Alto"), kNegro});
        const int yRaya = c.y() + 15;
        inf.rayas.push_back({20, 138, yRaya});
        inf.rayas.push_back({152, 200, yRaya});
        inf.rayas.push_back({215, 263, yRaya});
        for (std::size_t p = 1; p <= 7; ++p) {
            c.hueco(15);
            const int ancho = g.TAN_AnchoPiezas[p], alto = g.TAN_AltoPiezas[p];
            inf.textos.push_back({20, c.y(), g.NombresPiezasTangram[p], kAzul});
            inf.textos.push_back({ancho < 100 ? 161 : 154, c.y(), n(ancho, "##0") + QStringLiteral(" px."), kAzul});
            inf.textos.push_back({alto < 100 ? 224 : 217, c.y(), n(alto, "##0") + QStringLiteral(" px."), kAzul});
        }
        c.hueco(10);
    }
    if (juego == 24) c.linea(15, "Soluciones posibles..:", n(g.PEN_NumSoluciones, "#,##0"), kAzul);
    if (juego == 25) {
        c.linea(15, "Número de filas......:", n(g.TAI_NroFilas, "#0"), kAzul);
        c.linea(15, "Número de columnas...:", n(g.TAI_NroColumnas, "#0"), kAzul);
        c.linea(15, "Número de niveles....:", n(g.TAI_NroNiveles, "0"), kAzul);
    }
    if (juego == 21 || resolviendoTangram)
        c.linea(15, "Factor de atracción..:", n(g.FactorAtraccion, "##0") + QLatin1Char('%'), kAzul);
    c.hueco(10);
    if (!diseno) {
        std::int16_t colocadas = 0;
        for (int p = 1; p <= g.NroPiezas; ++p)
            if (PiezaBienColocada(std::int16_t(p))) ++colocadas;
        g.NroPiezasColocadas = colocadas;
        const double cuenta = colocadas;
        const bool taipei = juego == 25;
        c.linea(15, taipei ? "Parejas eliminadas...:" : "Piezas colocadas.....:",
                n(taipei ? plat::roundHalfEven(cuenta / 2) : cuenta, "##0"), kAzul);
        // In 64 bits: 900 pieces make 90,000, past any 16-bit count.
        const QString porcentaje =
            g.NroPiezas > 0 ? n(plat::roundHalfEven(std::int64_t(colocadas) * 100 / double(g.NroPiezas)), "##0") +
                                  QLatin1Char('%')
                            : QString();
        c.linea(15, "Porcentaje resuelto..:", porcentaje, kAzul);
        const double s = g.SegundosCronometro;
        c.linea(15, "Tiempo total.........:", TextoTiempo(s), kAzul);
        QString porPieza;
        if (s >= 0) {
            if (cuenta < 1)
                porPieza = TextoTiempo(s);
            else
                porPieza = tiempoPor(s, taipei ? cuenta / 2 : cuenta);
        }
        c.linea(15, taipei ? "Tiempo por pareja....:" : "Tiempo por pieza.....:", porPieza, kAzul);
        c.linea(15, "Nivel de dificultad..:", n(g.GradoDificultad, "#0.0000"), kAzul);
        c.linea(15, "¿Pasará al Histórico?:", g.PasaAlHistorico ? QStringLiteral("Si") : QStringLiteral("No"), kAzul);
        c.linea(15, "¿Puzzle resuelto?....:", g.MostrandoModelo ? QStringLiteral("Si") : QStringLiteral("No"), kAzul);
    }
    c.linea(30, "Nombre del jugador...:", QString(), kAzul);
    inf.yNombre = c.y();
    inf.alto = c.y() + 25;
    return inf;
}
