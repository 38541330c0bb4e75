// The reader of the puzzle-state format and the check of a state against the
// rules of its game (moving its positions to the table in use).
#include "model/EstadoPuzzle.h"
#include "model/RegistroPartida.h"
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

using namespace registro_partida;

namespace {

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
// the other; Taipei tiles off their cells are kept inside the table. Loose
// jigsaw, Tangram and pentomino pieces stay where the move puts them: once the
// table is laid out, the reading brings within reach, by their real boxes,
// those a player could not reach there (AcercaPiezasSueltas), and only those,
// so that a piece still within reach keeps its place, on a table the scroll
// bars carry past the screen too.
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
    // A tile as drawn, its relief included.
    constexpr int anchoFicha = taipei::kAnchoFicha + taipei::kRelieve;
    constexpr int altoFicha = taipei::kAltoFicha + taipei::kRelieve;
    for (std::size_t i = 1; i < e.Piezas.size(); ++i) {
        RegistroPieza& p = e.Piezas[i];
        const bool suelta = p.X != p.XDestino || p.Y != p.YDestino;
        p.X = mx(p.X);
        p.Y = my(p.Y);
        p.XDestino = mx(p.XDestino);
        p.YDestino = my(p.YDestino);
        if (suelta && e.c.TipoJuego == 25) {
            p.X = std::int16_t(std::clamp<int>(p.X, 0, std::max(0, ancho - anchoFicha)));
            p.Y = std::int16_t(std::clamp<int>(p.Y, 0, std::max(0, alto - altoFicha)));
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
    // A layout that could not be dealt on, or that does not fit this table,
    // is not laid out: the state waits for its layout.
    ctx.disposicion = [ancho = ctx.AnchoMesa, alto = ctx.AltoMesa](std::int16_t nro) {
        return TAI_DisposicionJugable(nro, ancho, alto);
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

// ---- pieces within reach after a reading ------------------------------------------------

CajaEnMesa DentroDeLaMesa(CajaEnMesa c, const ZonaAlcance& z) {
    auto encaja = [](int v, int desde, int hasta, int largo) { return std::clamp(v, desde, std::max(desde, hasta - largo)); };
    c.x = encaja(c.x, z.izquierda, z.derecha, c.w);
    c.y = encaja(c.y, z.arriba, z.abajo, c.h);
    const bool bajoPanel = c.x < z.panelDerecha && c.x + c.w > z.panelIzquierda && c.y < z.panelAbajo &&
                           c.y + c.h > z.panelArriba;
    if (!bajoPanel) return c;
    // The shorter of the two ways out that keeps the box on the table: to the
    // panel's left, or below it.
    const int aLaIzquierda = z.panelIzquierda - c.w, debajo = z.panelAbajo;
    const bool cabeIzquierda = aLaIzquierda >= z.izquierda, cabeDebajo = debajo + c.h <= z.abajo;
    if (cabeIzquierda && (!cabeDebajo || c.x - aLaIzquierda <= debajo - c.y)) c.x = aLaIzquierda;
    else if (cabeDebajo) c.y = debajo;
    else c.x = z.izquierda;
    return c;
}

namespace {

bool Cruzan(const CajaEnMesa& a, const CajaEnMesa& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// The panel of the zone and the covers, one list of boxes.
std::vector<CajaEnMesa> Tapas(const ZonaAlcance& z, const std::vector<CajaEnMesa>& tapas) {
    std::vector<CajaEnMesa> todas;
    if (z.panelDerecha > z.panelIzquierda && z.panelAbajo > z.panelArriba)
        todas.push_back({z.panelIzquierda, z.panelArriba, z.panelDerecha - z.panelIzquierda, z.panelAbajo - z.panelArriba});
    for (const CajaEnMesa& t : tapas)
        if (t.w > 0 && t.h > 0) todas.push_back(t);
    return todas;
}

} // namespace

bool CajaALaVista(const CajaEnMesa& caja, const ZonaAlcance& zona, const std::vector<CajaEnMesa>& tapas) {
    const int x0 = std::max(caja.x, zona.izquierda), x1 = std::min(caja.x + caja.w, zona.derecha);
    const int y0 = std::max(caja.y, zona.arriba), y1 = std::min(caja.y + caja.h, zona.abajo);
    if (x0 >= x1 || y0 >= y1) return false;
    const std::vector<CajaEnMesa> todas = Tapas(zona, tapas);
    // The covers' edges cut the visible part of the box into cells that are
    // each wholly covered or wholly free: one free cell is enough.
    std::vector<int> xs{x0, x1}, ys{y0, y1};
    for (const CajaEnMesa& t : todas) {
        for (int v : {t.x, t.x + t.w})
            if (v > x0 && v < x1) xs.push_back(v);
        for (int v : {t.y, t.y + t.h})
            if (v > y0 && v < y1) ys.push_back(v);
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        if (xs[i] == xs[i + 1]) continue;
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            if (ys[j] == ys[j + 1]) continue;
            const CajaEnMesa celda{xs[i], ys[j], xs[i + 1] - xs[i], ys[j + 1] - ys[j]};
            if (std::none_of(todas.begin(), todas.end(), [&](const CajaEnMesa& t) { return Cruzan(celda, t); }))
                return true;
        }
    }
    return false;
}

std::optional<CajaEnMesa> LugarLibreALaVista(const CajaEnMesa& caja, const ZonaAlcance& zona,
                                             const std::vector<CajaEnMesa>& tapas) {
    if (caja.w > zona.derecha - zona.izquierda || caja.h > zona.abajo - zona.arriba) return std::nullopt;
    const std::vector<CajaEnMesa> todas = Tapas(zona, tapas);
    // The nearest free place touches an edge of the zone or of a cover, or
    // keeps the box's own column or row: those are the places tried.
    std::vector<int> xs{std::clamp(caja.x, zona.izquierda, zona.derecha - caja.w), zona.izquierda,
                        zona.derecha - caja.w};
    std::vector<int> ys{std::clamp(caja.y, zona.arriba, zona.abajo - caja.h), zona.arriba, zona.abajo - caja.h};
    for (const CajaEnMesa& t : todas) {
        xs.push_back(t.x + t.w);
        xs.push_back(t.x - caja.w);
        ys.push_back(t.y + t.h);
        ys.push_back(t.y - caja.h);
    }
    std::optional<CajaEnMesa> mejor;
    long long distancia = 0;
    for (int x : xs) {
        if (x < zona.izquierda || x + caja.w > zona.derecha) continue;
        for (int y : ys) {
            if (y < zona.arriba || y + caja.h > zona.abajo) continue;
            const CajaEnMesa lugar{x, y, caja.w, caja.h};
            if (std::any_of(todas.begin(), todas.end(), [&](const CajaEnMesa& t) { return Cruzan(lugar, t); }))
                continue;
            const long long dx = x - caja.x, dy = y - caja.y, d = dx * dx + dy * dy;
            if (!mejor || d < distancia) {
                mejor = lugar;
                distancia = d;
            }
        }
    }
    return mejor;
}

ZonaAlcance ZonaAlcanceActual() {
    const auto& g = PuzzGbl;
    ZonaAlcance z;
    z.izquierda = mesa.BarraHor.Value();
    z.arriba = mesa.BarraVer.Value();
    // A hidden scroll bar leaves the table's whole extent visible.
    z.derecha = z.izquierda + (mesa.BarraVer.Visible() ? mesa.BarraVer.Left() : g.AnchoMesa);
    z.abajo = z.arriba + (mesa.BarraHor.Visible() ? mesa.BarraHor.Top() : g.AltoMesa);
    const plat::Surface& panel = mesa.Pic_Botonera;
    if (panel.visible() && panel.left() < g.AnchoMesa) {
        z.panelIzquierda = z.izquierda + panel.left();
        z.panelArriba = z.arriba + panel.top();
        z.panelDerecha = z.panelIzquierda + panel.width();
        z.panelAbajo = z.panelArriba + panel.height();
    }
    return z;
}

ZonaAlcance ZonaAlcanceMesa() {
    if (!mesa.BarraHor.Visible() && !mesa.BarraVer.Visible()) return ZonaAlcanceActual();
    // With the scroll bars shown, every part of the work table can be
    // scrolled into sight, except the corner the panel hides at every scroll:
    // the panel's place when the table is scrolled to its right end.
    ZonaAlcance z;
    z.derecha = mesa.Pic_Trabajo.width();
    z.abajo = mesa.Pic_Trabajo.height();
    const plat::Surface& panel = mesa.Pic_Botonera;
    if (panel.visible() && panel.left() < PuzzGbl.AnchoMesa) {
        const int alFinal = std::max(0, z.derecha - mesa.BarraVer.Left());
        z.panelIzquierda = panel.left() + alFinal;
        z.panelArriba = panel.top();
        z.panelDerecha = z.panelIzquierda + panel.width();
        z.panelAbajo = z.panelArriba + panel.height();
    }
    return z;
}

std::optional<CajaEnMesa> GrabadoraEnMesa(TapaGrabadora lugar) {
    const plat::Surface& panel = mesa.Pic_Grabadora;
    if (!panel.visible() || panel.width() <= 0 || panel.height() <= 0) return std::nullopt;
    int dx = mesa.BarraHor.Value(), dy = mesa.BarraVer.Value();
    if (lugar == TapaGrabadora::EnTodoDesplazamiento && (mesa.BarraHor.Visible() || mesa.BarraVer.Visible())) {
        // Scrolled to the end of both bars, as ZonaAlcanceMesa takes the
        // command panel's corner.
        const int derecha = mesa.BarraVer.Visible() ? mesa.BarraVer.Left() : PuzzGbl.AnchoMesa;
        const int abajo = mesa.BarraHor.Visible() ? mesa.BarraHor.Top() : PuzzGbl.AltoMesa;
        dx = std::max(0, mesa.Pic_Trabajo.width() - derecha);
        dy = std::max(0, mesa.Pic_Trabajo.height() - abajo);
    }
    return CajaEnMesa{panel.left() + dx, panel.top() + dy, panel.width(), panel.height()};
}

bool CentroBajo(const CajaEnMesa& t, double x, double y, double ancho, double alto) {
    const double cx = x + ancho / 2.0, cy = y + alto / 2.0;
    return cx > t.x && cx < t.x + t.w && cy > t.y && cy < t.y + t.h;
}

namespace {

bool CentroDeCajaBajo(const CajaEnMesa& tapa, const CajaEnMesa& c) { return CentroBajo(tapa, c.x, c.y, c.w, c.h); }

// The place nearest to the box's own, within reach and clear of the command
// panel, where its centre is off the cover: the box pushed past one of the
// cover's sides; nothing when no side leaves room.
std::optional<CajaEnMesa> CentroFueraDe(const CajaEnMesa& caja, const ZonaAlcance& zona, const CajaEnMesa& tapa) {
    const int izquierda = int(std::floor(tapa.x - caja.w / 2.0));
    const int derecha = int(std::ceil(tapa.x + tapa.w - caja.w / 2.0));
    const int arriba = int(std::floor(tapa.y - caja.h / 2.0));
    const int abajo = int(std::ceil(tapa.y + tapa.h - caja.h / 2.0));
    const CajaEnMesa candidatas[] = {{izquierda, caja.y, caja.w, caja.h},
                                     {derecha, caja.y, caja.w, caja.h},
                                     {caja.x, arriba, caja.w, caja.h},
                                     {caja.x, abajo, caja.w, caja.h}};
    std::optional<CajaEnMesa> mejor;
    long long distancia = 0;
    for (const CajaEnMesa& c : candidatas) {
        const CajaEnMesa dentro = DentroDeLaMesa(c, zona);
        if (DentroDeLaMesa(dentro, zona) != dentro || CentroDeCajaBajo(tapa, dentro)) continue;
        const long long dx = dentro.x - caja.x, dy = dentro.y - caja.y, d = dx * dx + dy * dy;
        if (!mejor || d < distancia) {
            mejor = dentro;
            distancia = d;
        }
    }
    return mejor;
}

} // namespace

bool PiezasSueltasEnMesa() {
    const auto& g = PuzzGbl;
    return (g.TipoJuego == 21 || g.TipoJuego == 23 || g.TipoJuego == 24) && g.AnchoMesa > 0 && g.AltoMesa > 0;
}

CajaEnMesa CajaEnMesaDePieza(std::int16_t pieza) {
    const CajaPieza c = CajaDePieza(pieza);
    return {c.x, c.y, c.w, c.h};
}

void PonPiezaEnCaja(std::int16_t pieza, const CajaEnMesa& caja) {
    auto& g = PuzzGbl;
    RegistroPieza& r = g.Piezas[std::size_t(pieza)];
    r.X = plat::cint16(double(caja.x + g.MargenPiezaX));
    r.Y = plat::cint16(double(caja.y + g.MargenPiezaY));
}

LugarEnMesa LugarAlAlcance(std::int16_t pieza, std::int16_t x, std::int16_t y, std::int16_t giro,
                           std::int16_t volteo) {
    auto& g = PuzzGbl;
    if (!PiezasSueltasEnMesa() || pieza < 1 || pieza > g.NroPiezas || std::size_t(pieza) >= g.Piezas.size())
        return {x, y};
    RegistroPieza& r = g.Piezas[std::size_t(pieza)];
    const RegistroPieza guardada = r;
    r.X = x, r.Y = y, r.Giro = giro, r.Volteo = volteo;
    LugarEnMesa lugar{x, y};
    if (!PiezaBienColocada(pieza)) {
        const CajaEnMesa caja = CajaEnMesaDePieza(pieza);
        if (caja.w > 0 && caja.h > 0) {
            const ZonaAlcance zona = ZonaAlcanceMesa();
            CajaEnMesa dentro = DentroDeLaMesa(caja, zona);
            // A centre under the recorder panel at every scroll leaves the
            // piece out of the player's hand.
            const auto grabadora = GrabadoraEnMesa(TapaGrabadora::EnTodoDesplazamiento);
            if (grabadora && CentroDeCajaBajo(*grabadora, dentro))
                if (const auto libre = CentroFueraDe(dentro, zona, *grabadora)) dentro = *libre;
            PonPiezaEnCaja(pieza, dentro);
            lugar = {r.X, r.Y};
        }
    }
    r = guardada;
    return lugar;
}

void AcercaPiezasSueltas() {
    auto& g = PuzzGbl;
    if (!PiezasSueltasEnMesa()) return;
    for (int p = 1; p <= g.NroPiezas && std::size_t(p) < g.Piezas.size(); ++p) {
        RegistroPieza& r = g.Piezas[std::size_t(p)];
        const LugarEnMesa lugar = LugarAlAlcance(std::int16_t(p), r.X, r.Y, r.Giro, r.Volteo);
        r.X = lugar.x;
        r.Y = lugar.y;
    }
}
