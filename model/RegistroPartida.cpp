#include "model/RegistroPartida.h"

#include "core/Configuracion.h" // Cifras
#include "core/Visores.h"       // SinBlancos
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>

namespace registro_partida {

// ---- fields -------------------------------------------------------------------

QString Mitad(const QString& l, int columna, int ancho) { return l.mid(columna - 1, ancho); }

bool EnBlanco(const QString& t) {
    return std::all_of(t.begin(), t.end(), [](QChar c) { return c == u' '; });
}

// A field of the piece, move and Taipei lines: a blank reads 0; anything else
// must be a whole number.
std::optional<std::int16_t> Numero(const QString& t) {
    if (EnBlanco(t)) return std::int16_t(0);
    const auto v = plat::parseReal(t);
    if (!v || *v != std::floor(*v) || *v < -32768 || *v > 32767) return std::nullopt;
    return std::int16_t(*v);
}

std::optional<std::int32_t> Numero32(const QString& t) {
    if (EnBlanco(t)) return std::int32_t(0);
    const auto v = plat::parseReal(t);
    if (!v || *v != std::floor(*v) || *v < -2147483648.0 || *v > 2147483647.0) return std::nullopt;
    return std::int32_t(*v);
}

// A header field read as a number: nothing when it is blank or not a number.
std::optional<std::int16_t> Entero(const QString& t) {
    if (EnBlanco(t)) return std::nullopt;
    return Numero(t);
}
std::optional<std::int32_t> Entero32(const QString& t) {
    if (EnBlanco(t)) return std::nullopt;
    return Numero32(t);
}
std::optional<bool> Bandera(const QString& t) {
    const auto v = Entero(t);
    if (!v) return std::nullopt;
    return *v != 0;
}

// The range of a slot of `ancho` characters: a sign and ancho - 1 digits up
// to ancho digits.
long long MinimoCampo(int ancho) {
    long long m = 1;
    for (int i = 1; i < ancho; ++i) m *= 10;
    return -(m - 1);
}
long long MaximoCampo(int ancho) {
    long long m = 1;
    for (int i = 0; i < ancho; ++i) m *= 10;
    return m - 1;
}

QString TextoBandera(bool b) { return b ? QStringLiteral("-1") : QStringLiteral("0"); }

void Pon(QString& linea, int columna, int ancho, const QString& texto) {
    linea.replace(columna - 1, std::min<qsizetype>(ancho, texto.size()), texto.left(ancho));
}

std::int16_t PiezasPorCasilla(std::int16_t forma) {
    static constexpr std::int16_t tabla[8] = {1, 1, 1, 4, 2, 2, 2, 2};
    return forma >= 0 && forma <= 7 ? tabla[forma] : 1;
}

// ---- header ---------------------------------------------------------------------

CabeceraPartida LeeCabecera(const QString& l, QString& motivo) {
    CabeceraPartida c;
    auto duro = [&](const QString& t, const char* nombre) -> std::int16_t {
        const auto v = Entero(t);
        if (!v && motivo.isEmpty()) motivo = QStringLiteral("header field %1 is not a number").arg(nombre);
        return v.value_or(0);
    };
    c.TipoJuego = duro(Mitad(l, 88, 2), "TipoJuego");
    c.MovActual = duro(Mitad(l, 36, 4), "MovActual");
    c.PiezasLado = duro(Mitad(l, 48, 3), "PiezasLado");
    c.FormaPieza = duro(Mitad(l, 51, 2), "FormaPieza");
    c.NroPiezas = duro(Mitad(l, 53, 3), "NroPiezas");

    c.NombreJugador = SinBlancos(Mitad(l, 1, 9)).leftJustified(9, u' ', true);
    auto color = [&](int col, std::int32_t def) {
        const auto v = Entero32(Mitad(l, col, 8));
        return v && *v >= 0 && *v <= 0xFFFFFF ? *v : def;
    };
    c.ColorFondo = color(10, 0x800000);
    c.ColorPieza = color(18, 0x8000);
    c.ColorLineas = color(26, 0xFFFFFF);
    c.MuestraVisible = Bandera(Mitad(l, 34, 2)).value_or(c.TipoJuego == 21);
    c.NroModelo = Entero(Mitad(l, 40, 4)).value_or(1);
    if (c.NroModelo < 1) c.NroModelo = 1;
    c.ZoomImagen = Entero(Mitad(l, 45, 3)).value_or(100);
    if (c.ZoomImagen < 5 || c.ZoomImagen > 995) c.ZoomImagen = 100;
    c.SegundosCronometro = std::max<std::int32_t>(0, Entero32(Mitad(l, 56, 8)).value_or(0));
    c.MostrandoModelo = Bandera(Mitad(l, 64, 2)).value_or(false);
    c.PasaAlHistorico = Bandera(Mitad(l, 66, 2)).value_or(false);
    c.TAN_ModoJuego = Entero(Mitad(l, 68, 1)).value_or(2);
    if (c.TAN_ModoJuego < 1 || c.TAN_ModoJuego > 2) c.TAN_ModoJuego = 2;
    c.TipoRotulo = Entero(Mitad(l, 69, 1)).value_or(2);
    if (c.TipoRotulo < 1 || c.TipoRotulo > 3) c.TipoRotulo = 2;
    c.AgujeroX = Numero(Mitad(l, 72, 4)).value_or(0);
    c.AgujeroY = Numero(Mitad(l, 76, 4)).value_or(0);
    c.AnchoBmp = std::max<std::int32_t>(0, Numero32(Mitad(l, 80, 4)).value_or(0));
    c.AltoBmp = std::max<std::int32_t>(0, Numero32(Mitad(l, 84, 4)).value_or(0));
    c.FactorAtraccion = Entero(Mitad(l, 91, 3)).value_or(20);
    if (c.FactorAtraccion < 0 || c.FactorAtraccion > 100) c.FactorAtraccion = 20;
    c.GiroPermitido = Bandera(Mitad(l, 94, 2)).value_or(true);
    c.DibujarBorde = Bandera(Mitad(l, 96, 2)).value_or(true);
    c.AtraccionPiezas = Bandera(Mitad(l, 98, 2)).value_or(true);
    c.NombreModelo = SinBlancos(Mitad(l, 100, 25));
    {
        // Only a degree that fits "00.0000" is taken (a huge one would not
        // even round to four decimals); any other is graded again once the
        // puzzle is in force.
        const auto v = plat::parseReal(Mitad(l, 125, 7));
        c.GradoDificultad = v && std::isfinite(*v) && *v >= 0 && *v < 100 ? plat::roundFixed4(*v) : 0.0;
        c.GradoPorCalcular = !v || !std::isfinite(*v) || *v < 0 || *v >= 100 || c.GradoDificultad >= 100;
        if (c.GradoPorCalcular) c.GradoDificultad = 0.0;
    }
    c.PEN_SolucionActual = std::max<std::int16_t>(0, Entero(Mitad(l, 132, 4)).value_or(0));
    c.PiezasUnColor = Entero(Mitad(l, 136, 2)).value_or(0) == -1;
    c.MaterialPiezas = Entero(Mitad(l, 138, 1)).value_or(1);
    if (c.MaterialPiezas < 1 || c.MaterialPiezas > 2) c.MaterialPiezas = 1;
    if (l.size() >= kLargoCabecera) {
        const auto a = Entero(Mitad(l, 139, 4)), b = Entero(Mitad(l, 143, 4));
        if (a && b && *a >= kAnchoMesaMinimo && *a <= kAnchoMesaMaximo && *b >= kAltoMesaMinimo &&
            *b <= kAltoMesaMaximo) {
            c.AnchoMesa = *a;
            c.AltoMesa = *b;
        }
    }
    return c;
}

QString ComponeCabecera(const CabeceraPartida& c) {
    QString l(kLargoCabecera, u' ');
    Pon(l, 1, 9, c.NombreJugador);
    Pon(l, 10, 8, Cifras(c.ColorFondo, 8));
    Pon(l, 18, 8, Cifras(c.ColorPieza, 8));
    Pon(l, 26, 8, Cifras(c.ColorLineas, 8));
    Pon(l, 34, 2, TextoBandera(c.MuestraVisible));
    Pon(l, 36, 4, Cifras(c.MovActual, 4));
    Pon(l, 40, 4, Cifras(c.NroModelo, 4));
    Pon(l, 45, 3, Cifras(c.ZoomImagen, 3));
    Pon(l, 48, 3, Cifras(c.PiezasLado, 3));
    Pon(l, 51, 2, Cifras(c.FormaPieza, 2));
    Pon(l, 53, 3, Cifras(c.NroPiezas, 3));
    Pon(l, 56, 8, Cifras(c.SegundosCronometro, 8));
    Pon(l, 64, 2, TextoBandera(c.MostrandoModelo));
    Pon(l, 66, 2, TextoBandera(c.PasaAlHistorico));
    Pon(l, 68, 1, Cifras(c.TAN_ModoJuego, 1));
    Pon(l, 69, 1, Cifras(c.TipoRotulo, 1));
    Pon(l, 72, 4, Cifras(c.AgujeroX, 4));
    Pon(l, 76, 4, Cifras(c.AgujeroY, 4));
    Pon(l, 80, 4, Cifras(c.AnchoBmp, 4));
    Pon(l, 84, 4, Cifras(c.AltoBmp, 4));
    Pon(l, 88, 2, Cifras(c.TipoJuego, 2));
    Pon(l, 91, 3, Cifras(c.FactorAtraccion, 3));
    Pon(l, 94, 2, TextoBandera(c.GiroPermitido));
    Pon(l, 96, 2, TextoBandera(c.DibujarBorde));
    Pon(l, 98, 2, TextoBandera(c.AtraccionPiezas));
    Pon(l, 100, 25, c.NombreModelo);
    Pon(l, 125, 7, plat::format(c.GradoDificultad, QStringLiteral("00.0000"), plat::kFileSeparators));
    Pon(l, 132, 4, Cifras(c.PEN_SolucionActual, 4));
    Pon(l, 136, 2, TextoBandera(c.PiezasUnColor));
    Pon(l, 138, 1, Cifras(c.MaterialPiezas, 1));
    if (c.AnchoMesa > 0 && c.AltoMesa > 0) {
        Pon(l, 139, 4, Cifras(c.AnchoMesa, 4));
        Pon(l, 143, 4, Cifras(c.AltoMesa, 4));
    }
    return l;
}

// A Taipei table left without a layout (no usable model when it was set up):
// no tile on the board, none removed by a move. It is a sound state, dealt
// afresh when put in force.
bool TaipeiSinRepartir(const EstadoPartida& e) {
    if (e.c.TipoJuego != 25 || e.c.MovActual != 0) return false;
    return std::all_of(e.Piezas.begin() + std::min<std::ptrdiff_t>(1, std::ssize(e.Piezas)), e.Piezas.end(),
                       [](const RegistroPieza& p) {
                           return p.Fila == 0 && p.Columna == 0 && p.Nivel == 0 && p.Estado == 0;
                       });
}

} // namespace registro_partida
