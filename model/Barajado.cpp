#include "model/Barajado.h"
#include "model/ColumnasPentomino.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "core/mesa.h"
#include "imaging/Dibujo.h"
#include "model/DeslizantesReglas.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "model/Taipei.h"
#include "platform/clock.h"
#include "platform/numbers.h"
#include "platform/random.h"

#include <algorithm>
#include <cmath>

using pasos::Paso;
using pasos::PiezaValida;
using taipei::kClases, taipei::kColumnas, taipei::kFichas, taipei::kFilas, taipei::kNiveles, taipei::kParejas;

namespace {

using namespace juego;

constexpr int kRelieve = 6;
// Bounds of the Taipei deal: failed draws for one tile, and attempts, before
// giving up on the kind of deal that can always be cleared.
constexpr int kFallosPorFicha = 1000, kFallosEnFila = 50;
// A jigsaw table too small for the rules takes the last place drawn after this many.
constexpr int kIntentosSitio = 100000;

std::function<void()>& Eventos() {
    static std::function<void()> f;
    return f;
}

EstadisticaReparto& Estadistica() {
    static EstadisticaReparto e;
    return e;
}

int Redondea(double v) { return int(plat::roundHalfEven(v)); }

// ------------------------------------------------------------------ jigsaw

void BarajaMoviles() {
    auto& g = PuzzGbl;
    plat::randomize(double(plat::msClock()));
    const int n = std::min<int>(g.NroPiezas, int(g.OrdenPiezas.size()) - 1);
    if (n < 1) return;
    for (int k = 1; k <= 4 * n; ++k) PasaAlFrente(std::int16_t(plat::rndInt(n)));
    const int ancho = mesa.Pic_Trabajo.width(), alto = mesa.Pic_Trabajo.height();
    const double mitadAncho = g.AnchoPieza / 2.0, mitadAlto = g.AltoPieza / 2.0;
    const int botonera = mesa.Pic_Botonera.width(), altoBotonera = mesa.Pic_Botonera.height();
    const int desplazamiento = mesa.BarraVer.Value();
    const int sugIzquierda = mesa.Pic_Sugerencia.left(), sugAncho = mesa.Pic_Sugerencia.width();
    const int sugArriba = mesa.Pic_Sugerencia.top();
    auto cruza = [](int desde, int hasta, int linea) {
        return (desde <= linea && hasta >= linea);
    };
    for (int i = n; i >= 1; --i) {
        const std::int16_t p = g.OrdenPiezas[std::size_t(i)];
        if (!PiezaValida(p)) continue;
        int x = 0, y = 0, giro = 0;
        for (int intento = 1; intento <= kIntentosSitio; ++intento) {
            x = int(std::floor(double(plat::rnd()) * (ancho - g.AnchoPieza) + 1));
            y = int(std::floor(double(plat::rnd()) * (alto - g.AltoPieza) + 1));
            const float r = plat::rnd();
            giro = g.GiroPermitido ? int(std::floor(4.0 * double(r))) : 0;
            if (cruza(x - g.MargenPiezaX, x + g.AnchoPieza + g.MargenPiezaX, g.AnchoImagen)) continue;
            if (cruza(y - g.MargenPiezaY, y + g.AltoPieza + g.MargenPiezaY, g.AltoImagen)) continue;
            if (x > ancho - botonera - mitadAncho && y < altoBotonera + desplazamiento - mitadAlto) continue;
            // The tips panel lies on the table, its place already in table
            // pixels: a centre over it is refused.
            if (g.MostrarSugerencias && x > sugIzquierda - mitadAncho && x < sugIzquierda + sugAncho - mitadAncho &&
                y > sugArriba - mitadAlto)
                continue;
            break;
        }
        auto& pieza = g.Piezas[std::size_t(p)];
        pieza.X = plat::toInt16(x);
        pieza.Y = plat::toInt16(y);
        pieza.Giro = std::int16_t(giro);
    }
}

// ---------------------------------------------------------------- sliding

// The board drawn again after the exchange shuffle took the walk's place.
void BarajaPorIntercambios() {
    BarajaDeslizantes();
    RedibujaImagen(1);
}

void CaminoAleatorio() {
    auto& g = PuzzGbl;
    const int movimientos = 4 * g.NroPiezas;
    // Legal moves keep the parity: a walk from an unsolvable board would
    // never end, so such a board is shuffled by exchanges instead.
    if (g.NroPiezas < 2 || !EsResoluble()) {
        BarajaPorIntercambios();
        return;
    }
    std::int16_t ultima = 0;
    for (int cuenta = 1;; ++cuenta) {
        BuscaPiezasMovibles();
        if (g.NumMovibles == 0) {
            BarajaPorIntercambios();
            return;
        }
        std::int16_t p = 0;
        do {
            p = g.PiezasMovibles[std::size_t(plat::rndInt(g.NumMovibles))];
        } while (p == ultima && g.NumMovibles > 1);
        auto& pieza = g.Piezas[std::size_t(p)];
        g.PosAnteriorX = pieza.X;
        g.PosAnteriorY = pieza.Y;
        Paso([&] { PasaAlFrente(PosicionEnOrden(p)); });
        Paso([&] { MuevePiezaAnimada(pieza.X, pieza.Y, g.AgujeroX, g.AgujeroY, p); });
        pieza.X = g.AgujeroX;
        pieza.Y = g.AgujeroY;
        Sonido(1, 53);
        Retardo(15);
        g.ArrastrandoPieza = false;
        g.AgujeroX = g.PosAnteriorX;
        g.AgujeroY = g.PosAnteriorY;
        ultima = p;
        if (cuenta >= movimientos) {
            // Something outside the walk may have changed the board meanwhile.
            if (!EsResoluble()) {
                BarajaPorIntercambios();
                return;
            }
            break;
        }
        if (Eventos()) {
            g.CaminoDeslizante = true;
            Paso([] { Eventos()(); });
            g.CaminoDeslizante = false;
        }
        if (g.SaliendoPrograma) break;
    }
    CalculaDificultad();
}

// ----------------------------------------------------- Tangram, pentominoes

void ColocaTangram() {
    auto& g = PuzzGbl;
    int huecoY = g.OrigenY;
    const int n = std::min<int>({7, g.NroPiezas, int(g.Piezas.size()) - 1, int(g.OrdenPiezas.size()) - 1});
    for (int i = 1; i <= n; ++i) {
        auto& p = g.Piezas[std::size_t(i)];
        p.Giro = 0;
        p.Volteo = 0;
        const int w = AnchoPiezaGirada(std::int16_t(i), 0, 0);
        const int h = AltoPiezaGirada(std::int16_t(i), 0, 0);
        p.X = plat::toInt16(Redondea(mesa.Pic_Botonera.left() - 20.0 - w));
        p.Y = plat::toInt16(huecoY);
        g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
        huecoY += h + g.OrigenY;
    }
}

void ColocaPentominos() {
    auto& g = PuzzGbl;
    ColumnasPentomino columnas;
    const int n = std::min<int>({12, g.NroPiezas, int(g.Piezas.size()) - 1, int(g.OrdenPiezas.size()) - 1});
    for (int i = 1; i <= n; ++i) {
        const int w = AnchoPiezaGirada(std::int16_t(i), 0, 0);
        const int h = AltoPiezaGirada(std::int16_t(i), 0, 0);
        const auto lugar = columnas.Siguiente(w, h);
        auto& p = g.Piezas[std::size_t(i)];
        p.Giro = 0;
        p.Volteo = 0;
        p.X = lugar.x;
        p.Y = lugar.y;
        g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
    }
}

// ------------------------------------------------------------------ Taipei

using Casilla = TAI_Casilla;

Casilla& CeldaTaipei(int fila, int columna) {
    return PuzzGbl.TAI_Tablero[std::size_t(fila)][std::size_t(columna)];
}

// The lowest empty level of the stack, 0 when it is full.
int NivelLibre(const Casilla& c) {
    for (int k = 1; k <= c.Altura; ++k)
        if (c.Ficha[std::size_t(k)] == 0) return k;
    return 0;
}

bool FilaConHueco(int fila) {
    for (int c = 1; c <= PuzzGbl.ColumnasTablero; ++c)
        if (NivelLibre(CeldaTaipei(fila, c)) != 0) return true;
    return false;
}

bool FichaEn(int fila, int columna, int nivel) {
    if (columna < 1 || columna > PuzzGbl.ColumnasTablero) return false;
    const Casilla& c = CeldaTaipei(fila, columna);
    return c.Altura >= nivel && c.Ficha[std::size_t(nivel)] != 0;
}

// No tile on that level from the column outwards until a lower stack or the edge.
bool LadoLibre(int fila, int columna, int nivel, int sentido) {
    for (int c = columna + sentido; c >= 1 && c <= PuzzGbl.ColumnasTablero; c += sentido) {
        const Casilla& celda = CeldaTaipei(fila, c);
        if (celda.Altura < nivel) break;
        if (celda.Ficha[std::size_t(nivel)] != 0) return false;
    }
    return true;
}

void PonFicha(std::int16_t t, int fila, int columna, int nivel) {
    auto& g = PuzzGbl;
    auto& p = g.Piezas[std::size_t(t)];
    p.Giro = 0;
    p.Volteo = 0;
    p.Fila = std::int16_t(fila);
    p.Columna = std::int16_t(columna);
    p.Nivel = std::int16_t(nivel);
    p.X = plat::toInt16((columna - 1) * g.AnchoPieza + g.OrigenX + (g.TAI_NroNiveles - nivel) * kRelieve);
    p.Y = plat::toInt16((fila - 1) * g.AltoPieza + g.OrigenY + (g.TAI_NroNiveles - nivel) * kRelieve);
    p.Estado = 1;
    g.OrdenPiezas[std::size_t(t)] = t;
    CeldaTaipei(fila, columna).Ficha[std::size_t(nivel)] = t;
}

void VaciaTablero() {
    auto& g = PuzzGbl;
    for (int t = 1; t <= kFichas; ++t) g.Piezas[std::size_t(t)].Estado = 0;
    for (int f = 1; f <= g.FilasTablero; ++f)
        for (int c = 1; c <= g.ColumnasTablero; ++c) CeldaTaipei(f, c).Ficha = {};
}

bool Empareja() {
    auto& g = PuzzGbl;
    g.TAI_Reparto = {};
    for (int k = 1; k <= kClases; ++k) {
        std::array<int, 5> hueco{};
        for (int copia = 1; copia <= 4; ++copia) {
            int s = 0;
            do {
                s = plat::rndInt(4);
            } while (hueco[std::size_t(s)] != 0);
            hueco[std::size_t(s)] = copia;
        }
        for (int par = 0; par < 2; ++par) {
            int n = 0;
            do {
                n = plat::rndInt(kParejas);
            } while (g.TAI_Reparto[std::size_t(n)][1] != 0);
            for (int m = 1; m <= 2; ++m) {
                const std::int16_t t = TAI_BuscaFichaPorId(std::int16_t(k * 10 + hueco[std::size_t(2 * par + m)]));
                if (t == 0) return false;
                g.TAI_Reparto[std::size_t(n)][std::size_t(m)] = t;
            }
        }
    }
    return true;
}

// One attempt of the deal that can always be cleared; false when it must start again.
bool IntentoReparto() {
    auto& g = PuzzGbl;
    VaciaTablero();
    int filaFallida = 0;
    for (int n = 1; n <= kParejas; ++n) {
        int filaPrimera = 0, columnaPrimera = 0, nivelPrimera = 0;
        for (int m = 1; m <= 2; ++m) {
            const std::int16_t t = g.TAI_Reparto[std::size_t(n)][std::size_t(m)];
            int fallos = 0, fallosFicha = 0;
            for (;;) {
                int fila = 0;
                do {
                    fila = plat::rndInt(g.FilasTablero);
                } while (!FilaConHueco(fila));
                int columna = 0, nivel = 0;
                do {
                    columna = plat::rndInt(g.ColumnasTablero);
                    nivel = NivelLibre(CeldaTaipei(fila, columna));
                } while (nivel == 0);
                const bool izquierda = LadoLibre(fila, columna, nivel, -1);
                const bool derecha = LadoLibre(fila, columna, nivel, +1);
                bool valido = (izquierda && derecha) || (izquierda && FichaEn(fila, columna + 1, nivel)) ||
                              (derecha && FichaEn(fila, columna - 1, nivel));
                if (valido && m == 2 && fila == filaPrimera) {
                    if (columna == columnaPrimera) valido = false;
                    if (std::abs(columna - columnaPrimera) == 1 && nivel == nivelPrimera) valido = false;
                }
                if (valido) {
                    PonFicha(t, fila, columna, nivel);
                    filaPrimera = fila, columnaPrimera = columna, nivelPrimera = nivel;
                    break;
                }
                if (fila == filaFallida) {
                    if (++fallos > kFallosEnFila) return false;
                } else {
                    filaFallida = fila;
                    fallos = 0;
                }
                if (++fallosFicha > kFallosPorFicha) return false;
            }
        }
    }
    return true;
}

// The last resort: every tile on a random stack, bottom up.
void RellenoDeAbajoArriba() {
    auto& g = PuzzGbl;
    VaciaTablero();
    for (int n = 1; n <= kParejas; ++n) {
        for (int m = 1; m <= 2; ++m) {
            int fila = 0, columna = 0, nivel = 0;
            do {
                fila = plat::rndInt(g.FilasTablero);
                columna = plat::rndInt(g.ColumnasTablero);
                nivel = NivelLibre(CeldaTaipei(fila, columna));
            } while (nivel == 0);
            PonFicha(g.TAI_Reparto[std::size_t(n)][std::size_t(m)], fila, columna, nivel);
        }
    }
}

void RefusaDisposicion() {
    Mensaje(QStringLiteral("Repartir las fichas"),
            QString::fromUtf8("La disposición de este modelo no admite las 144 fichas, por lo que no se pueden "
                              "repartir. Elija otro modelo."),
            2, 1);
}

} // namespace

void RegistraEventosBarajado(std::function<void()> eventos) { Eventos() = std::move(eventos); }

const EstadisticaReparto& UltimoReparto() { return Estadistica(); }

bool TAI_DisposicionValida() {
    const auto& g = PuzzGbl;
    if (g.FilasTablero < 1 || g.FilasTablero > kFilas || g.ColumnasTablero < 1 ||
        g.ColumnasTablero > kColumnas || g.TAI_NroNiveles < 1 || g.TAI_NroNiveles > kNiveles)
        return false;
    int total = 0;
    for (int f = 1; f <= g.FilasTablero; ++f)
        for (int c = 1; c <= g.ColumnasTablero; ++c) {
            const int a = g.TAI_Tablero[std::size_t(f)][std::size_t(c)].Altura;
            if (a < 0 || a > g.TAI_NroNiveles) return false;
            total += a;
        }
    return total == kFichas;
}

bool TAI_Reparte(int reiniciosMax) {
    auto& g = PuzzGbl;
    Estadistica() = {};
    const bool fichas = g.NroPiezas == kFichas && g.Piezas.size() > std::size_t(kFichas) &&
                        g.OrdenPiezas.size() > std::size_t(kFichas);
    if (!fichas || !TAI_DisposicionValida() || !Empareja()) {
        RefusaDisposicion();
        return false;
    }
    while (!IntentoReparto()) {
        if (++Estadistica().reinicios >= reiniciosMax) {
            Estadistica().relleno = true;
            RellenoDeAbajoArriba();
            Mensaje(QStringLiteral("Repartir las fichas"),
                    QString::fromUtf8("No se ha podido repartir las fichas de forma que se puedan retirar todas. "
                                      "Es posible que esta partida no tenga solución."),
                    2, 1);
            break;
        }
    }
    CalculaDificultad();
    return true;
}

void BarajaPiezas() {
    auto& g = PuzzGbl;
    // A shuffle already running (its walk lets events through) is not started again.
    if (g.Barajando) return;
    Paso([] { mesa.Pic_Trabajo.setMousePointer(11); });
    g.Barajando = true;
    Paso([] { MarchaCronometro(2); });
    switch (g.TipoJuego) {
    // Every fresh deal is graded: the sliding walk and the Taipei deal
    // grade their own boards, the others are graded here.
    case kPiezasMoviles: Paso(BarajaMoviles); Paso(CalculaDificultad); break;
    case kDeslizantes: Paso(CaminoAleatorio); break;
    case kTangram: Paso(ColocaTangram); Paso(CalculaDificultad); break;
    case kPentominos: Paso(ColocaPentominos); Paso(CalculaDificultad); break;
    case kTaipei: Paso([] { TAI_Reparte(); }); break;
    default: break;
    }
    Paso(IniciaGrabadora);
    if (g.TipoJuego != kDeslizantes) Paso([] { RedibujaImagen(0); });
    g.Barajando = false;
    g.CaminoDeslizante = false;
    Paso([] { mesa.Pic_Trabajo.setMousePointer(0); });
}
