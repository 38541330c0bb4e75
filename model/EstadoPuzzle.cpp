#include "model/EstadoPuzzle.h"
#include "model/EncajeImagen.h"
#include "model/PrimerPuzzle.h"

#include "core/Configuracion.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/EleccionModelo.h"
#include "model/EstadoServicios.h"
#include "model/Juego.h"
#include "model/Modelos.h"
#include "platform/blit.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/picture.h"
#include "core/TemasAyuda.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace {

constexpr int kLargoCabecera = 146;
constexpr int kLargoCabeceraAntigua = 138; // before the table size was kept
constexpr int kLargoPieza = 30;
constexpr int kLargoMovimiento = 23;
constexpr int kLargoTablero = kCeldasTaipei * 3;
constexpr int kLargoReparto = 432;
constexpr int kMaxMovimientos = 9999;
constexpr int kMaxSuperficie = 4096; // the largest zoomed picture made

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

// The game's settings that the header and the globals share, copied either
// way; the move count and the table size are left to each side.
template <class De, class A>
void CopiaAjustes(const De& de, A& a) {
    a.NombreJugador = de.NombreJugador;
    a.ColorFondo = de.ColorFondo;
    a.ColorPieza = de.ColorPieza;
    a.ColorLineas = de.ColorLineas;
    a.MuestraVisible = de.MuestraVisible;
    a.NroModelo = de.NroModelo;
    a.ZoomImagen = de.ZoomImagen;
    a.PiezasLado = de.PiezasLado;
    a.FormaPieza = de.FormaPieza;
    a.NroPiezas = de.NroPiezas;
    a.SegundosCronometro = de.SegundosCronometro;
    a.MostrandoModelo = de.MostrandoModelo;
    a.PasaAlHistorico = de.PasaAlHistorico;
    a.TAN_ModoJuego = de.TAN_ModoJuego;
    a.TipoRotulo = de.TipoRotulo;
    a.AgujeroX = de.AgujeroX;
    a.AgujeroY = de.AgujeroY;
    a.AnchoBmp = de.AnchoBmp;
    a.AltoBmp = de.AltoBmp;
    a.TipoJuego = de.TipoJuego;
    a.FactorAtraccion = de.FactorAtraccion;
    a.GiroPermitido = de.GiroPermitido;
    a.DibujarBorde = de.DibujarBorde;
    a.AtraccionPiezas = de.AtraccionPiezas;
    a.NombreModelo = SinBlancos(de.NombreModelo); // one spelling per model, whoever set it
    a.GradoDificultad = de.GradoDificultad;
    a.PEN_SolucionActual = de.PEN_SolucionActual;
    a.PiezasUnColor = de.PiezasUnColor;
    a.MaterialPiezas = de.MaterialPiezas;
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
        // even round to four decimals).
        const auto v = plat::parseReal(Mitad(l, 125, 7));
        c.GradoDificultad = v && std::isfinite(*v) && *v >= 0 && *v < 100 ? plat::roundFixed4(*v) : 0.0;
        if (c.GradoDificultad >= 100) c.GradoDificultad = 0.0;
    }
    c.PEN_SolucionActual = std::max<std::int16_t>(0, Entero(Mitad(l, 132, 4)).value_or(0));
    c.PiezasUnColor = Entero(Mitad(l, 136, 2)).value_or(0) == -1;
    c.MaterialPiezas = Entero(Mitad(l, 138, 1)).value_or(1);
    if (c.MaterialPiezas < 1 || c.MaterialPiezas > 2) c.MaterialPiezas = 1;
    if (l.size() >= kLargoCabecera) {
        const auto a = Entero(Mitad(l, 139, 4)), b = Entero(Mitad(l, 143, 4));
        if (a && b && *a > 0 && *b > 0) {
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

// ---- the geometry on another table --------------------------------------------

// The expected number of pieces of a game.
std::int16_t PiezasDelJuego(const CabeceraPartida& c) {
    switch (c.TipoJuego) {
    case 21: return std::int16_t(c.PiezasLado * c.PiezasLado * PiezasPorCasilla(c.FormaPieza));
    case 22: return std::int16_t(c.PiezasLado * c.PiezasLado - 1);
    case 23: return 7;
    case 24: return 12;
    default: return taipei::kFichas;
    }
}

std::int16_t Acota(long long v, int ancho) {
    return std::int16_t(std::clamp(v, MinimoCampo(ancho), MaximoCampo(ancho)));
}

// Moves every stored position from the board of one table to the board of
// the other; loose pieces are kept inside the table.
void TrasladaPosiciones(EstadoPartida& e, const Rejilla& antes, const Rejilla& ahora, std::int16_t ancho,
                        std::int16_t alto) {
    double escalaX = 1, escalaY = 1;
    if (e.c.TipoJuego == 22 && antes.AnchoPieza > 0 && antes.AltoPieza > 0) {
        escalaX = double(ahora.AnchoPieza) / antes.AnchoPieza;
        escalaY = double(ahora.AltoPieza) / antes.AltoPieza;
    } else if (e.c.TipoJuego == 24 && antes.LadoCelda > 0) {
        escalaX = escalaY = double(ahora.LadoCelda) / antes.LadoCelda;
    }
    auto mx = [&](std::int16_t x) {
        return Acota(std::llround(ahora.OrigenX + (x - antes.OrigenX) * escalaX), 4);
    };
    auto my = [&](std::int16_t y) {
        return Acota(std::llround(ahora.OrigenY + (y - antes.OrigenY) * escalaY), 4);
    };
    int anchoPieza = 1, altoPieza = 1;
    if (e.c.TipoJuego == 21 || e.c.TipoJuego == 22) {
        anchoPieza = std::max<int>(1, ahora.AnchoPieza);
        altoPieza = std::max<int>(1, ahora.AltoPieza);
    } else if (e.c.TipoJuego == 25) {
        anchoPieza = 56;
        altoPieza = 73;
    }
    for (std::size_t i = 1; i < e.Piezas.size(); ++i) {
        RegistroPieza& p = e.Piezas[i];
        const bool suelta = p.X != p.XDestino || p.Y != p.YDestino;
        p.X = mx(p.X);
        p.Y = my(p.Y);
        p.XDestino = mx(p.XDestino);
        p.YDestino = my(p.YDestino);
        if (suelta && e.c.TipoJuego != 22) {
            p.X = std::int16_t(std::clamp<int>(p.X, 0, std::max(0, ancho - anchoPieza)));
            p.Y = std::int16_t(std::clamp<int>(p.Y, 0, std::max(0, alto - altoPieza)));
        }
    }
    if (e.c.TipoJuego == 22) {
        e.c.AgujeroX = mx(e.c.AgujeroX);
        e.c.AgujeroY = my(e.c.AgujeroY);
    }
    if (e.c.TipoJuego != 25) {
        for (std::size_t j = 1; j < e.Movimientos.size(); ++j) {
            RegistroMovimiento& m = e.Movimientos[j];
            m.XAntes = mx(m.XAntes);
            m.YAntes = my(m.YAntes);
            m.XDespues = mx(m.XDespues);
            m.YDespues = my(m.YDespues);
        }
    }
}

QString Rechazo(const QString& texto) { return texto.isEmpty() ? QStringLiteral("rejected") : texto; }

// The state accepted last by the installed reader, waiting to be applied.
std::optional<EstadoPartida> g_pendiente;
// The game and model number of the last state refused only for its model.
std::optional<std::pair<std::int16_t, std::int16_t>> g_modeloRechazado;

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

} // namespace

// ---- reading --------------------------------------------------------------------------

LecturaPartida CargaDatosPuzzle(const QByteArray& contenido) { return LeeLineasPartida(LeeLineasEstado(contenido)); }

LecturaPartida LeeLineasPartida(const QStringList& lineas) {
    LecturaPartida r;
    auto falla = [&r](const QString& m) {
        r.motivo = m;
        return r;
    };
    if (lineas.size() < 7) return falla(QStringLiteral("only %1 lines").arg(lineas.size()));
    if (lineas[4].size() < kLargoCabeceraAntigua) return falla(QStringLiteral("short header"));
    EstadoPartida e;
    e.UnidadImagen = lineas[0];
    e.CarpetaImagen = lineas[1];
    e.ArchivoImagen = lineas[2];
    e.FicheroImagen = lineas[3];
    QString motivo;
    e.c = LeeCabecera(lineas[4], motivo);
    if (!motivo.isEmpty()) return falla(motivo);
    if (e.c.MovActual < 0) return falla(QStringLiteral("negative move count"));
    if (e.c.NroPiezas < 0) return falla(QStringLiteral("negative piece count"));

    const QString& lp = lineas[5];
    const int n = e.c.NroPiezas;
    if (lp.size() < qsizetype(n) * kLargoPieza) return falla(QStringLiteral("short piece line"));
    e.Piezas.assign(std::size_t(n) + 1, RegistroPieza{});
    e.OrdenPiezas.assign(std::size_t(n) + 1, 0);
    static constexpr struct {
        int col, ancho;
        std::int16_t RegistroPieza::*campo;
    } camposPieza[] = {{1, 4, &RegistroPieza::X},         {5, 4, &RegistroPieza::Y},
                       {9, 1, &RegistroPieza::Giro},      {10, 1, &RegistroPieza::Volteo},
                       {11, 4, &RegistroPieza::XDestino}, {15, 4, &RegistroPieza::YDestino},
                       {19, 1, &RegistroPieza::GiroDestino}, {20, 1, &RegistroPieza::VolteoDestino},
                       {21, 2, &RegistroPieza::Fila},     {23, 2, &RegistroPieza::Columna},
                       {25, 1, &RegistroPieza::Nivel},    {26, 1, &RegistroPieza::Estado}};
    for (int i = 1; i <= n; ++i) {
        const QString slot = lp.mid(qsizetype(i - 1) * kLargoPieza, kLargoPieza);
        for (const auto& f : camposPieza) {
            const auto v = Numero(Mitad(slot, f.col, f.ancho));
            if (!v) return falla(QStringLiteral("piece %1 is damaged").arg(i));
            e.Piezas[i].*f.campo = *v;
        }
        const auto orden = Numero(Mitad(slot, 28, 3));
        if (!orden) return falla(QStringLiteral("piece %1 is damaged").arg(i));
        e.OrdenPiezas[i] = *orden;
    }

    const QString& lm = lineas[6];
    const int m = e.c.MovActual;
    if (lm.size() < qsizetype(m) * kLargoMovimiento) return falla(QStringLiteral("short move line"));
    e.Movimientos.assign(std::size_t(m) + 1, RegistroMovimiento{});
    static constexpr struct {
        int col, ancho;
        std::int16_t RegistroMovimiento::*campo;
    } camposMov[] = {{1, 3, &RegistroMovimiento::Pieza},        {4, 4, &RegistroMovimiento::XAntes},
                     {8, 4, &RegistroMovimiento::YAntes},       {12, 1, &RegistroMovimiento::GiroAntes},
                     {13, 1, &RegistroMovimiento::VolteoAntes}, {14, 4, &RegistroMovimiento::XDespues},
                     {18, 4, &RegistroMovimiento::YDespues},    {22, 1, &RegistroMovimiento::GiroDespues},
                     {23, 1, &RegistroMovimiento::VolteoDespues}};
    for (int j = 1; j <= m; ++j) {
        const QString slot = lm.mid(qsizetype(j - 1) * kLargoMovimiento, kLargoMovimiento);
        for (const auto& f : camposMov) {
            const auto v = Numero(Mitad(slot, f.col, f.ancho));
            if (!v) return falla(QStringLiteral("move %1 is damaged").arg(j));
            e.Movimientos[j].*f.campo = *v;
        }
    }

    if (e.c.TipoJuego == 25) {
        if (lineas.size() < 9) return falla(QStringLiteral("Taipei lines missing"));
        const QString& lt = lineas[7];
        const QString& lr = lineas[8];
        if (lt.size() < kLargoTablero || lr.size() < kLargoReparto) return falla(QStringLiteral("short Taipei line"));
        e.Tablero.assign(kCeldasTaipei, -1);
        for (int k = 0; k < kCeldasTaipei; ++k) {
            const QString t = lt.mid(qsizetype(k) * 3, 3);
            if (EnBlanco(t)) continue;
            const auto v = Numero(t);
            if (!v || *v < 0) return falla(QStringLiteral("Taipei layout is damaged"));
            e.Tablero[k] = *v;
        }
        e.Reparto.assign(taipei::kFichas, 0);
        for (int k = 0; k < taipei::kFichas; ++k) {
            const auto v = Numero(lr.mid(qsizetype(k) * 3, 3));
            if (!v) return falla(QStringLiteral("Taipei deal is damaged"));
            e.Reparto[k] = *v;
        }
    }
    r.estado = std::move(e);
    return r;
}

// ---- writing ---------------------------------------------------------------------------

QStringList ComponeLineas(const EstadoPartida& e) {
    QStringList l;
    l << e.UnidadImagen << e.CarpetaImagen << e.ArchivoImagen << e.FicheroImagen << ComponeCabecera(e.c);
    const int n = std::max<int>(0, e.c.NroPiezas);
    QString lp(qsizetype(n) * kLargoPieza, u' ');
    for (int i = 1; i <= n; ++i) {
        const RegistroPieza p = std::size_t(i) < e.Piezas.size() ? e.Piezas[i] : RegistroPieza{};
        const std::int16_t orden = std::size_t(i) < e.OrdenPiezas.size() ? e.OrdenPiezas[i] : 0;
        const QString slot = Cifras(p.X, 4) + Cifras(p.Y, 4) + Cifras(p.Giro, 1) + Cifras(p.Volteo, 1) +
                             Cifras(p.XDestino, 4) + Cifras(p.YDestino, 4) + Cifras(p.GiroDestino, 1) +
                             Cifras(p.VolteoDestino, 1) + Cifras(p.Fila, 2) + Cifras(p.Columna, 2) +
                             Cifras(p.Nivel, 1) + Cifras(p.Estado, 1) + u' ' + Cifras(orden, 3);
        lp.replace(qsizetype(i - 1) * kLargoPieza, kLargoPieza, slot);
    }
    l << lp;
    const int m = std::max<int>(0, e.c.MovActual);
    QString lm(qsizetype(m) * kLargoMovimiento, u' ');
    for (int j = 1; j <= m; ++j) {
        const RegistroMovimiento v = std::size_t(j) < e.Movimientos.size() ? e.Movimientos[j] : RegistroMovimiento{};
        const QString slot = Cifras(v.Pieza, 3) + Cifras(v.XAntes, 4) + Cifras(v.YAntes, 4) +
                             Cifras(v.GiroAntes, 1) + Cifras(v.VolteoAntes, 1) + Cifras(v.XDespues, 4) +
                             Cifras(v.YDespues, 4) + Cifras(v.GiroDespues, 1) + Cifras(v.VolteoDespues, 1);
        lm.replace(qsizetype(j - 1) * kLargoMovimiento, kLargoMovimiento, slot);
    }
    l << lm;
    QString lt, lr;
    if (e.c.TipoJuego == 25) {
        lt = QString(kLargoTablero, u' ');
        for (int k = 0; k < kCeldasTaipei && std::size_t(k) < e.Tablero.size(); ++k)
            if (e.Tablero[k] >= 0) lt.replace(qsizetype(k) * 3, 3, Cifras(e.Tablero[k], 3));
        lr = QString(kLargoReparto, u' ');
        for (int k = 0; k < taipei::kFichas && std::size_t(k) < e.Reparto.size(); ++k)
            lr.replace(qsizetype(k) * 3, 3, Cifras(e.Reparto[k], 3));
    }
    l << lt << lr;
    return l;
}

EstadoPartida EstadoActual() {
    const auto& g = PuzzGbl;
    EstadoPartida e;
    e.UnidadImagen = g.UnidadImagen;
    e.CarpetaImagen = g.CarpetaImagen;
    e.ArchivoImagen = g.ArchivoImagen;
    e.FicheroImagen = g.FicheroImagen;
    CabeceraPartida& c = e.c;
    CopiaAjustes(g, c);
    // Only the last 9999 moves fit the format; the pieces stand after all of them.
    const std::int32_t aplicados = std::clamp<std::int32_t>(g.MovActual, 0, std::int32_t(g.MovGrabados.size()) - 1);
    const std::int32_t guardados = std::min<std::int32_t>(aplicados, kMaxMovimientos);
    c.MovActual = std::int16_t(guardados);
    c.AnchoMesa = g.AnchoMesa;
    c.AltoMesa = g.AltoMesa;

    const int n = std::max<int>(0, g.NroPiezas);
    e.Piezas.assign(std::size_t(n) + 1, RegistroPieza{});
    e.OrdenPiezas.assign(std::size_t(n) + 1, 0);
    for (int i = 1; i <= n; ++i) {
        if (std::size_t(i) < g.Piezas.size()) e.Piezas[i] = g.Piezas[i];
        if (std::size_t(i) < g.OrdenPiezas.size()) e.OrdenPiezas[i] = g.OrdenPiezas[i];
    }
    e.Movimientos.assign(std::size_t(guardados) + 1, RegistroMovimiento{});
    for (int j = 1; j <= guardados; ++j) e.Movimientos[j] = g.MovGrabados[std::size_t(aplicados - guardados + j)];

    if (g.TipoJuego == 25) {
        e.Tablero.assign(kCeldasTaipei, -1);
        const int filas = std::clamp<int>(g.FilasTablero, 0, taipei::kFilas);
        const int columnas = std::clamp<int>(g.ColumnasTablero, 0, taipei::kColumnas);
        for (int r = 1; r <= filas; ++r)
            for (int k = 1; k <= columnas; ++k)
                for (int v = 1; v <= kNivelesGuardados; ++v)
                    e.Tablero[IndiceTablero(r, k, v)] = g.TAI_Tablero[r][k].Ficha[v];
        e.Reparto.assign(taipei::kFichas, 0);
        for (int k = 1; k <= 72; ++k)
            for (int j = 1; j <= 2; ++j) e.Reparto[(k - 1) * 2 + (j - 1)] = g.TAI_Reparto[k][j];
    }
    return e;
}

QStringList ComponeRegistroPartida() {
    const QStringList l = ComponeLineas(EstadoActual());
    for (int i = 0; i < 9; ++i) PuzzGbl.LineasConfiguracion[std::size_t(i) + 1] = l[i];
    return l;
}

// ---- checks ---------------------------------------------------------------------------

std::optional<Rejilla> RejillaDe(const CabeceraPartida& c, std::int16_t ancho, std::int16_t alto,
                                 const DisposicionTaipei* d) {
    const PuzzGblData copia = PuzzGbl;
    plat::Surface& botonera = mesa.Pic_Botonera;
    const int izquierda = botonera.left(), arriba = botonera.top();
    auto& g = PuzzGbl;
    g.TipoJuego = c.TipoJuego;
    g.PiezasLado = c.PiezasLado;
    g.FormaPieza = c.FormaPieza;
    g.PiezasCasilla = PiezasPorCasilla(c.FormaPieza);
    g.ZoomImagen = c.ZoomImagen;
    g.AnchoBmp = c.AnchoBmp;
    g.AltoBmp = c.AltoBmp;
    g.TAN_ModoJuego = c.TAN_ModoJuego;
    g.NroModelo = c.NroModelo;
    if (d) {
        g.FilasTablero = d->filas;
        g.ColumnasTablero = d->columnas;
        g.TAI_NroNiveles = d->niveles;
    }
    // The command panel keeps its distance from the table's right edge.
    const int nuevaIzquierda = izquierda + (ancho - copia.AnchoMesa);
    if (nuevaIzquierda != izquierda) botonera.move(nuevaIzquierda, arriba);
    g.AnchoMesa = ancho;
    g.AltoMesa = alto;
    std::optional<Rejilla> r;
    if (CalculaGeometriaPuzzle())
        r = Rejilla{g.OrigenX, g.OrigenY, g.AnchoPieza, g.AltoPieza, g.LadoCelda};
    if (nuevaIzquierda != izquierda) botonera.move(izquierda, arriba);
    PuzzGbl = copia;
    return r;
}

ContextoValidacion ContextoActual(std::int16_t juego) {
    ContextoValidacion ctx;
    ctx.juego = juego;
    ctx.AnchoMesa = PuzzGbl.AnchoMesa;
    ctx.AltoMesa = PuzzGbl.AltoMesa;
    // A layout that could not be dealt on holds no state: the state is damaged.
    ctx.disposicion = [](std::int16_t nro) -> std::optional<DisposicionTaipei> {
        const ModeloTaipei m = TAI_InterpretaModelo(TAI_LeeRegistroModelo(nro));
        if (!m.motivo.isEmpty()) return std::nullopt;
        return m.disposicion;
    };
    ctx.tableroPentomino = [](std::int16_t nro) -> std::optional<TableroPentomino> {
        const PuzzGblData copia = PuzzGbl;
        std::optional<TableroPentomino> t;
        if (PEN_LeeModelo(nro))
            t = TableroPentomino{PuzzGbl.FilasTablero, PuzzGbl.ColumnasTablero, PuzzGbl.PEN_NumSoluciones};
        PuzzGbl = copia;
        return t;
    };
    ctx.rejilla = RejillaDe;
    return ctx;
}

QString ValidaEstadoPartida(EstadoPartida& e, const ContextoValidacion& ctx) {
    CabeceraPartida& c = e.c;
    const std::int16_t juego = c.TipoJuego;
    if (juego < 21 || juego > 25) return QStringLiteral("unknown game %1").arg(juego);
    if (ctx.juego != 0 && juego != ctx.juego) return QStringLiteral("the file holds game %1").arg(juego);
    if (c.FormaPieza < 0 || c.FormaPieza > 7) return QStringLiteral("piece shape %1").arg(c.FormaPieza);
    if (juego == 21 && (c.PiezasLado < 3 || c.PiezasLado > 20)) return QStringLiteral("pieces per side");
    if (juego == 22 && (c.PiezasLado < 3 || c.PiezasLado > 8)) return QStringLiteral("pieces per side");
    const int n = c.NroPiezas;
    if (n != PiezasDelJuego(c)) return QStringLiteral("%1 pieces, the game has %2").arg(n).arg(PiezasDelJuego(c));
    if (e.Piezas.size() != std::size_t(n) + 1 || e.OrdenPiezas.size() != std::size_t(n) + 1 ||
        e.Movimientos.size() != std::size_t(c.MovActual) + 1)
        return QStringLiteral("inconsistent sizes");

    // The drawing order: every piece once. A jigsaw still waiting for its
    // first picture has no pieces dealt (every slot empty).
    const bool sinRepartir = juego == 21 && std::all_of(e.OrdenPiezas.begin() + 1, e.OrdenPiezas.end(),
                                                        [](std::int16_t v) { return v == 0; });
    // A dealt jigsaw is one the picture chooser could have offered: its shape
    // suits the picture and its cells are of a size the chooser lists. One
    // still waiting for its picture gets a new one when it is put in force.
    if (juego == 21 && !sinRepartir &&
        !encaje::JigsawPermitido(c.FormaPieza, c.AnchoBmp, c.AltoBmp, c.ZoomImagen, c.PiezasLado))
        return QStringLiteral("the picture does not allow this jigsaw");
    {
        std::vector<bool> visto(std::size_t(n) + 1, false);
        if (!sinRepartir)
            for (int i = 1; i <= n; ++i) {
                const int o = e.OrdenPiezas[i];
                if (o < 1 || o > n || visto[o]) return QStringLiteral("drawing order is not a permutation");
                visto[o] = true;
            }
    }
    // The rotations a piece can take: 4 in the jigsaw, 8 in Tangram, its
    // shape's distinct rotations in pentominoes.
    auto giroMax = [juego](int pieza) {
        if (juego == 23) return 7;
        if (juego == 24 && pieza >= 1 && std::size_t(pieza) < PuzzGbl.PEN_TablaPiezas.size()) {
            const int rotaciones = PuzzGbl.PEN_TablaPiezas[std::size_t(pieza)].Rotaciones;
            if (rotaciones >= 1) return rotaciones - 1;
        }
        return 3;
    };
    auto orientacion = [giroMax](int pieza, int giro, int volteo) {
        return giro >= 0 && giro <= giroMax(pieza) && volteo >= 0 && volteo <= 1;
    };
    for (int i = 1; i <= n; ++i) {
        const RegistroPieza& p = e.Piezas[i];
        if (!orientacion(i, p.Giro, p.Volteo) || !orientacion(i, p.GiroDestino, p.VolteoDestino))
            return QStringLiteral("piece %1 orientation").arg(i);
    }
    for (int j = 1; j <= c.MovActual; ++j) {
        const RegistroMovimiento& m = e.Movimientos[j];
        if (juego == 25) {
            if (m.Pieza != 0 || m.XAntes < 1 || m.XAntes > taipei::kFichas || m.YAntes < 1 ||
                m.YAntes > taipei::kFichas)
                return QStringLiteral("move %1 tiles").arg(j);
        } else {
            if (m.Pieza < 1 || m.Pieza > n) return QStringLiteral("move %1 piece").arg(j);
            if (!orientacion(m.Pieza, m.GiroAntes, m.VolteoAntes) ||
                !orientacion(m.Pieza, m.GiroDespues, m.VolteoDespues))
                return QStringLiteral("move %1 orientation").arg(j);
        }
    }

    if (TaipeiSinRepartir(e)) return QString();
    std::optional<DisposicionTaipei> disposicion;
    if (juego == 25) {
        if (ctx.disposicion) disposicion = ctx.disposicion(c.NroModelo);
        if (!disposicion) {
            ctx.modeloInutil = true;
            return QStringLiteral("Taipei layout %1 cannot be read").arg(c.NroModelo);
        }
    }
    if (juego == 24) {
        // The board is read again from the model file: it must still be there
        // and hold solutions to give the pieces their homes.
        std::optional<TableroPentomino> t;
        if (ctx.tableroPentomino) t = ctx.tableroPentomino(c.NroModelo);
        if (!t) {
            ctx.modeloInutil = true;
            return QStringLiteral("pentomino board %1 cannot be played").arg(c.NroModelo);
        }
        disposicion.emplace();
        disposicion->filas = t->filas;
        disposicion->columnas = t->columnas;
    }
    const DisposicionTaipei* d = disposicion ? &*disposicion : nullptr;

    // Laid out on a table of another size: moved to this one.
    if (c.AnchoMesa > 0 && c.AltoMesa > 0 && (c.AnchoMesa != ctx.AnchoMesa || c.AltoMesa != ctx.AltoMesa) &&
        ctx.AnchoMesa > 0 && ctx.AltoMesa > 0 && ctx.rejilla) {
        const auto antes = ctx.rejilla(c, c.AnchoMesa, c.AltoMesa, d);
        const auto ahora = ctx.rejilla(c, ctx.AnchoMesa, ctx.AltoMesa, d);
        if (antes && ahora) TrasladaPosiciones(e, *antes, *ahora, ctx.AnchoMesa, ctx.AltoMesa);
    }
    if (ctx.AnchoMesa > 0 && ctx.AltoMesa > 0) {
        c.AnchoMesa = ctx.AnchoMesa;
        c.AltoMesa = ctx.AltoMesa;
    }

    if (juego == 22) {
        // Every tile and the hole on its own cell of the board.
        const auto rejilla = ctx.rejilla ? ctx.rejilla(c, ctx.AnchoMesa, ctx.AltoMesa, d) : std::nullopt;
        if (!rejilla || rejilla->AnchoPieza <= 0 || rejilla->AltoPieza <= 0) return QStringLiteral("no sliding board");
        const int lado = c.PiezasLado;
        std::vector<bool> ocupada(std::size_t(lado * lado), false);
        auto casilla = [&](int x, int y) -> int {
            const int dx = x - rejilla->OrigenX, dy = y - rejilla->OrigenY;
            if (dx < 0 || dy < 0 || dx % rejilla->AnchoPieza || dy % rejilla->AltoPieza) return -1;
            const int col = dx / rejilla->AnchoPieza, fila = dy / rejilla->AltoPieza;
            if (col >= lado || fila >= lado) return -1;
            return fila * lado + col;
        };
        auto ocupa = [&](int x, int y) {
            const int k = casilla(x, y);
            if (k < 0 || ocupada[k]) return false;
            ocupada[k] = true;
            return true;
        };
        for (int i = 1; i <= n; ++i)
            if (!ocupa(e.Piezas[i].X, e.Piezas[i].Y)) return QStringLiteral("tile %1 is off its cells").arg(i);
        if (!ocupa(c.AgujeroX, c.AgujeroY)) return QStringLiteral("the hole is off its cells");
    }

    if (juego == 25) {
        // Each tile on its own level of a cell of the layout, as line 8 says.
        std::set<int> lugares;
        std::vector<std::int16_t> colocada(kCeldasTaipei, 0);
        for (int t = 1; t <= n; ++t) {
            RegistroPieza& p = e.Piezas[t];
            if (p.Estado < 0 || p.Estado > 2) return QStringLiteral("tile %1 state").arg(t);
            if (p.Estado == 2) p.Estado = 1;
            if (p.Fila < 1 || p.Fila > d->filas || p.Fila > taipei::kFilas || p.Columna < 1 ||
                p.Columna > d->columnas || p.Columna > taipei::kColumnas || p.Nivel < 1 || p.Nivel > taipei::kNiveles ||
                p.Nivel > d->altura[p.Fila][p.Columna])
                return QStringLiteral("tile %1 is off the layout").arg(t);
            if (!lugares.insert((p.Fila * 32 + p.Columna) * 8 + p.Nivel).second)
                return QStringLiteral("tile %1 shares its place").arg(t);
            if (p.Nivel <= kNivelesGuardados) colocada[IndiceTablero(p.Fila, p.Columna, p.Nivel)] = std::int16_t(t);
        }
        for (int r = 1; r <= std::min<int>(d->filas, taipei::kFilas); ++r)
            for (int k = 1; k <= std::min<int>(d->columnas, taipei::kColumnas); ++k)
                for (int v = 1; v <= kNivelesGuardados; ++v) {
                    const int i = IndiceTablero(r, k, v);
                    if (std::max<std::int16_t>(e.Tablero[i], 0) != colocada[i])
                        return QStringLiteral("the layout line disagrees with the tiles");
                }
        std::vector<bool> visto(taipei::kFichas + 1, false);
        for (std::int16_t t : e.Reparto) {
            if (t < 1 || t > taipei::kFichas || visto[t]) return QStringLiteral("the deal is not every tile once");
            visto[t] = true;
        }
    }
    return QString();
}

// ---- applying ---------------------------------------------------------------------------

namespace {

// The jigsaw's picture could not be used: a blank 320 x 240, and the settings
// window so that another one is chosen.
void PideOtraImagen() {
    plat::Surface& modi = mesa.Pic_FonTamModi;
    modi.clearPicture();
    modi.setSize(320, 240);
    modi.cls();
    modi.keepImageAsPicture();
    PuzzGbl.ZoomImagen = 100;
    PuzzGbl.SeleccionValida = false;
    // The settings window for the player's choice; without it, the first
    // sample picture.
    if (!PideImagenAlJugador() && !PreparaPrimerPuzzle()) mesa.Pic_Boton_MouseDown(2, 0, 0, 0, 0);
}

void Reconstruye(std::int16_t modo) {
    PuzzGbl.SeleccionValida = true;
    PreparaJuego(false);
    if (!PuzzGbl.CambioCosmetico) RedibujaImagen(modo);
}

} // namespace

void AplicaEstadoPartida(const EstadoPartida& e, const QImage* imagenZoomada) {
    auto& g = PuzzGbl;
    const CabeceraPartida& c = e.c;
    g.UnidadImagen = e.UnidadImagen;
    g.CarpetaImagen = e.CarpetaImagen;
    g.ArchivoImagen = e.ArchivoImagen;
    g.FicheroImagen = e.FicheroImagen;
    CopiaAjustes(c, g);
    g.MovActual = c.MovActual;
    g.Piezas = e.Piezas;
    g.OrdenPiezas = e.OrdenPiezas;
    g.MovGrabados = e.Movimientos;

    const bool sinRepartir = TaipeiSinRepartir(e);
    if (c.TipoJuego == 25 && !sinRepartir) {
        TAI_CargaModelo(c.NroModelo);
        for (int t = 1; t <= c.NroPiezas; ++t) {
            const RegistroPieza& p = e.Piezas[t];
            g.TAI_Tablero[p.Fila][p.Columna].Ficha[p.Nivel] = std::int16_t(t);
        }
        TAI_AsignaPalos();
        for (int k = 1; k <= 72; ++k)
            for (int j = 1; j <= 2; ++j) g.TAI_Reparto[k][j] = e.Reparto[(k - 1) * 2 + (j - 1)];
    }

    g.PiezasCasilla = PiezasPorCasilla(g.FormaPieza);
    CalculaColoresDerivados();
    if (g.TipoJuego == 24) PEN_LeeModelo(g.NroModelo);
    CalculaGeometriaPuzzle();
    if (g.LeyendoInstantanea) return;
    if (sinRepartir) {
        EligeModeloPuzzleNuevo();
        PreparaJuego(true);
        RedibujaImagen(1);
        return;
    }

    plat::Surface& modi = mesa.Pic_FonTamModi;
    plat::Surface& real = mesa.Pic_FonTamReal;
    if (g.TipoJuego == 23 || g.TipoJuego == 24) {
        g.MuestraVisible = false;
        g.ZoomImagen = 100;
        if (g.TipoJuego == 23) {
            modi.clearPicture();
            modi.setSize(std::clamp(2 * g.OrigenX + g.AnchoImagen, 1, kMaxSuperficie),
                         std::clamp(2 * g.OrigenY + g.AltoImagen, 1, kMaxSuperficie));
            modi.cls();
            if (g.TAN_ModoJuego == 2) TAN_DibujaModelo(modi);
        }
        Reconstruye(1);
        return;
    }

    // Jigsaw, sliding tiles and Taipei: the picture, zoomed.
    modi.clearPicture();
    real.clearPicture();
    bool cargada = true;
    const bool enMemoria = imagenZoomada && !imagenZoomada->isNull();
    if (enMemoria) {
        modi.setImage(*imagenZoomada);
        modi.keepImageAsPicture();
    } else if (g.FicheroImagen != QStringLiteral(" ")) {
        try {
            const QImage imagen = plat::loadPicture(g.FicheroImagen);
            real.setImage(imagen);
            real.setPicture(imagen);
        } catch (const plat::RuntimeError&) {
            cargada = false;
        }
    }
    const long long ancho = (long long)g.AnchoBmp * g.ZoomImagen / 100 + g.OrigenX;
    const long long alto = (long long)g.AltoBmp * g.ZoomImagen / 100 + g.OrigenY;
    const bool fueraDeLimites = ancho < 320 || ancho > 1024 || alto < 240 || alto > 768;
    const bool enorme = ancho < 1 || alto < 1 || ancho > kMaxSuperficie || alto > kMaxSuperficie;
    if (enMemoria) {
        // The copy is the picture after zoom already.
    } else if (cargada && !enorme) {
        modi.setSize(int(ancho), int(alto));
        plat::setStretchBltMode(modi, plat::stretchmode::kColorOnColor);
        plat::stretchBlt(modi, g.OrigenX, g.OrigenY, int(ancho) - g.OrigenX, int(alto) - g.OrigenY, real, 0, 0,
                         real.width(), real.height(), plat::rop::kSrcCopy);
        modi.keepImageAsPicture();
    } else if (enorme && g.TipoJuego != 21) {
        cargada = false;
    }
    real.clearPicture();

    if (g.TipoJuego == 21) {
        if (!cargada) {
            Sonido(0, 11);
            Mensaje(QString::fromUtf8("Imagen no válida"),
                    QStringLiteral("No se encuentra la imagen ") + g.FicheroImagen +
                        QStringLiteral(". Elija otra imagen en la ventana Personalizar."),
                    3, 1, ayuda::kImagenFueraDeLimites);
            PideOtraImagen();
            return;
        }
        if (fueraDeLimites) {
            Sonido(0, 11);
            Mensaje(QString::fromUtf8("Imagen no válida"),
                    QString::fromUtf8("El tamaño  de  la  imagen  que intenta cargar") + g.SaltoLinea +
                        QStringLiteral("(") + QString::number(ancho) + QStringLiteral(" x") + QString::number(alto) +
                        QString::fromUtf8(" píxeles ) no está dentro de los límites permitidos:") + g.SaltoLinea +
                        g.SaltoLinea + QString::fromUtf8("       Entre 320 y 1024 píxeles de ancho") + g.SaltoLinea +
                        QString::fromUtf8("       Entre 240 y  768 píxeles de alto"),
                    7, 1, ayuda::kImagenFueraDeLimites);
            PideOtraImagen();
            return;
        }
    } else if (!cargada && g.TipoJuego == 22 && g.TipoRotulo == 1) {
        // The pieces were replaced by the file's: shown with numbers instead.
        Sonido(0, 11);
        Mensaje(QString::fromUtf8("Imagen no válida"),
                QStringLiteral("No se encuentra la imagen ") + g.FicheroImagen +
                    QStringLiteral(". Las piezas se mostrarán con números."),
                3, 1, ayuda::kImagenFueraDeLimites);
        g.TipoRotulo = 2;
    }
    Reconstruye(0);

    if (g.TipoJuego == 22 && !EsResoluble()) {
        Mensaje(QString::fromUtf8("Configuración sin solución"),
                QString::fromUtf8("Con la configuración de piezas actual este puzzle no tiene solución. Se van a "
                                  "barajar automáticamente las piezas para  que pueda tener solución."),
                4, 1, ayuda::kReglasDeslizantes);
        BarajaDeslizantes();
        if (!g.CambioCosmetico) RedibujaImagen(0);
    }
}

void InstalaEstadoPuzzle() {
    ServiciosEstadoPuzzle s;
    s.compone = ComponeRegistroPartida;
    s.comprueba = [](const QByteArray& contenido, std::int16_t juego) -> QString {
        g_pendiente.reset();
        g_modeloRechazado.reset();
        LecturaPartida r = CargaDatosPuzzle(contenido);
        if (!r.estado) return Rechazo(r.motivo);
        const ContextoValidacion ctx = ContextoActual(juego);
        const QString motivo = ValidaEstadoPartida(*r.estado, ctx);
        if (!motivo.isEmpty()) {
            if (ctx.modeloInutil) g_modeloRechazado = {r.estado->c.TipoJuego, r.estado->c.NroModelo};
            return motivo;
        }
        g_pendiente = std::move(r.estado);
        return QString();
    };
    s.modeloInutil = []() -> QString {
        if (!g_modeloRechazado) return QString();
        QString motivo = DiagnosticoModelo(g_modeloRechazado->first, g_modeloRechazado->second);
        // The model reads well now, yet the check refused it: no better word.
        if (motivo.isEmpty())
            motivo = QString::fromUtf8("el modelo número ") + QString::number(g_modeloRechazado->second) +
                     QString::fromUtf8(" no se puede usar");
        return motivo;
    };
    s.juegoComprobado = [] { return g_pendiente ? g_pendiente->c.TipoJuego : std::int16_t(0); };
    s.aplica = [] {
        if (!g_pendiente) return;
        const EstadoPartida e = std::move(*g_pendiente);
        g_pendiente.reset();
        AplicaEstadoPartida(e);
    };
    s.iniciaGrabadora = IniciaGrabadora;
    s.primerPuzzle = PreparaPrimerPuzzle;
    s.sinPuzzle = [] { return PuzzGbl.TipoJuego == 24 && !PEN_HayTablero(); };
    s.puzzleNuevo = [] {
        // The model games start from a model they can play, read into force.
        EligeModeloPuzzleNuevo();
        PreparaJuego(true);
        RedibujaImagen(1);
    };
    InstalaServiciosEstadoPuzzle(std::move(s));
}
