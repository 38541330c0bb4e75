#include "model/Barajado.h"
#include "core/Configuracion.h"
#include "model/ColumnasPentomino.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/TsComun.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "model/DeslizantesReglas.h"
#include "model/EstadoPuzzle.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "model/Taipei.h"
#include "model/TaipeiModelo.h"
#include "platform/clock.h"
#include "platform/numbers.h"
#include "platform/random.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

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
    // What else lies over the table where the pieces are dealt: the recorder
    // panel and the model preview where they are shown (the preview at the
    // place the set-up will give it), in table pixels.
    std::vector<CajaEnMesa> tapas;
    if (const auto grabadora = GrabadoraEnMesa(TapaGrabadora::AlDesplazar)) tapas.push_back(*grabadora);
    if (g.MuestraVisible && mesa.Pic_Muestra.width() > 0)
        if (const auto m = LugarMuestra())
            tapas.push_back({m->x, m->y, mesa.Pic_Muestra.width(), mesa.Pic_Muestra.height()});
    auto tapada = [&](int x, int y) {
        return std::any_of(tapas.begin(), tapas.end(), [&](const CajaEnMesa& t) {
            return CentroBajo(t, x, y, g.AnchoPieza, g.AltoPieza);
        });
    };
    // A piece is dealt only where reading the puzzle back leaves it: wholly
    // within reach and clear of the command panel by its turned box, its
    // centre clear of the recorder panel where it hides the table at every
    // scroll.
    const ZonaAlcance alcance = ZonaAlcanceMesa();
    const auto grabadoraFija = GrabadoraEnMesa(TapaGrabadora::EnTodoDesplazamiento);
    auto pon = [&](std::int16_t p, int x, int y, int giro) {
        auto& pieza = g.Piezas[std::size_t(p)];
        pieza.X = plat::toInt16(x);
        pieza.Y = plat::toInt16(y);
        pieza.Giro = std::int16_t(giro);
    };
    // Upright and turned a quarter alike, so that the places dealt do not
    // depend on whether turns are allowed.
    auto alAlcance = [&](std::int16_t p, int x, int y) {
        for (int giro : {1, 0}) {
            pon(p, x, y, giro);
            const CajaEnMesa caja = CajaEnMesaDePieza(p);
            if (DentroDeLaMesa(caja, alcance) != caja) return false;
            if (grabadoraFija && CentroBajo(*grabadoraFija, caja.x, caja.y, caja.w, caja.h)) return false;
        }
        return true;
    };
    for (int i = n; i >= 1; --i) {
        const std::int16_t p = g.OrdenPiezas[std::size_t(i)];
        if (!PiezaValida(p)) continue;
        int x = 0, y = 0, giro = 0;
        bool hallado = false;
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
            if (tapada(x, y)) continue;
            if (!alAlcance(p, x, y)) continue;
            hallado = true;
            break;
        }
        pon(p, x, y, giro);
        if (!hallado) PonPiezaEnCaja(p, DentroDeLaMesa(CajaEnMesaDePieza(p), alcance));
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

// ------------------------------------------------- deal from a removal order

// The places of the layout (a cell and a level), and the search of an order
// in which they can all be taken two at a time by the free rule.
class OrdenDeRetirada {
public:
    struct Plaza {
        int fila, columna, nivel;
    };

    OrdenDeRetirada() {
        const auto& g = PuzzGbl;
        for (auto& fila : indice_)
            for (auto& celda : fila) celda.fill(-1);
        for (int f = 1; f <= g.FilasTablero; ++f)
            for (int c = 1; c <= g.ColumnasTablero; ++c)
                for (int l = 1; l <= CeldaTaipei(f, c).Altura; ++l) {
                    indice_[std::size_t(f)][std::size_t(c)][std::size_t(l)] = int(plazas_.size());
                    plazas_.push_back({f, c, l});
                }
    }

    // The pairs of places in the order they come off, first to last; empty
    // when none was found within the bound of back-steps.
    std::vector<std::pair<int, int>> Busca(long long& retrocesos) {
        retrocesos = 0;
        const int n = int(plazas_.size());
        if (n == 0 || n % 2 != 0 || n > kFichas) return {};
        presente_.assign(std::size_t(n), true);
        std::vector<Nivel> pila;
        pila.push_back(Opciones());
        std::vector<std::pair<int, int>> orden;
        while (!pila.empty()) {
            Nivel& nivel = pila.back();
            if (nivel.siguiente < nivel.opciones.size()) {
                const auto par = nivel.opciones[nivel.siguiente++];
                presente_[std::size_t(par.first)] = presente_[std::size_t(par.second)] = false;
                if (fallidas_.count(Clave())) {
                    presente_[std::size_t(par.first)] = presente_[std::size_t(par.second)] = true;
                    continue;
                }
                orden.push_back(par);
                if (2 * int(orden.size()) == n) return orden;
                pila.push_back(Opciones());
                continue;
            }
            // Back-step: nothing more to try from this position.
            if (++retrocesos > kRetrocesosMaximos) return {};
            if (!orden.empty() && fallidas_.size() < kFallidasMaximas) fallidas_.insert(Clave());
            pila.pop_back();
            if (orden.empty()) break;
            presente_[std::size_t(orden.back().first)] = presente_[std::size_t(orden.back().second)] = true;
            orden.pop_back();
        }
        return {};
    }

    const Plaza& operator[](int i) const { return plazas_[std::size_t(i)]; }

private:
    static constexpr long long kRetrocesosMaximos = 200000;
    static constexpr std::size_t kFallidasMaximas = 1000000;

    struct Nivel {
        std::vector<std::pair<int, int>> opciones;
        std::size_t siguiente = 0;
    };

    bool Presente(int f, int c, int l) const {
        if (f < 1 || f > kFilas || c < 1 || c > kColumnas || l < 1 || l > kNiveles) return false;
        const int i = indice_[std::size_t(f)][std::size_t(c)][std::size_t(l)];
        return i >= 0 && presente_[std::size_t(i)];
    }

    // The free rule over places: nothing on it and a side open on its level.
    bool Libre(int i) const {
        const Plaza& p = plazas_[std::size_t(i)];
        if (!presente_[std::size_t(i)] || Presente(p.fila, p.columna, p.nivel + 1)) return false;
        return !Presente(p.fila, p.columna - 1, p.nivel) || !Presente(p.fila, p.columna + 1, p.nivel);
    }

    // The pairs of free places to try from here: those on the highest stacks
    // first (they are the ones that leave a lone stack behind), the rest at
    // random.
    Nivel Opciones() const {
        std::vector<int> libres;
        for (int i = 0; i < int(plazas_.size()); ++i)
            if (Libre(i)) libres.push_back(i);
        for (std::size_t i = libres.size(); i > 1; --i) std::swap(libres[i - 1], libres[std::size_t(plat::rndInt(int(i))) - 1]);
        std::stable_sort(libres.begin(), libres.end(),
                         [this](int x, int y) { return plazas_[std::size_t(x)].nivel > plazas_[std::size_t(y)].nivel; });
        Nivel n;
        for (std::size_t a = 0; a < libres.size(); ++a)
            for (std::size_t b = a + 1; b < libres.size(); ++b) n.opciones.push_back({libres[a], libres[b]});
        std::stable_sort(n.opciones.begin(), n.opciones.end(), [this](const auto& x, const auto& y) {
            return plazas_[std::size_t(x.first)].nivel + plazas_[std::size_t(x.second)].nivel >
                   plazas_[std::size_t(y.first)].nivel + plazas_[std::size_t(y.second)].nivel;
        });
        return n;
    }

    std::string Clave() const {
        std::string k((presente_.size() + 7) / 8, '\0');
        for (std::size_t i = 0; i < presente_.size(); ++i)
            if (presente_[i]) k[i / 8] = char(k[i / 8] | (1 << (i % 8)));
        return k;
    }

    std::vector<Plaza> plazas_;
    std::array<std::array<std::array<int, kNiveles + 2>, kColumnas + 2>, kFilas + 2> indice_{};
    std::vector<bool> presente_;
    std::unordered_set<std::string> fallidas_;
};

// The deal from an order of removal of the layout's places: the pair first
// removed takes the places of pair 72, the next those of pair 71, and so on.
bool RepartoDesdeOrden() {
    auto& g = PuzzGbl;
    VaciaTablero();
    OrdenDeRetirada orden;
    long long retrocesos = 0;
    const auto pares = orden.Busca(retrocesos);
    Estadistica().retrocesosOrden = retrocesos;
    if (int(pares.size()) != kParejas) return false;
    for (int s = 0; s < kParejas; ++s) {
        const int n = kParejas - s;
        const bool cambia = plat::rndInt(2) == 2;
        const auto& a = orden[pares[std::size_t(s)].first];
        const auto& b = orden[pares[std::size_t(s)].second];
        const auto& p1 = cambia ? b : a;
        const auto& p2 = cambia ? a : b;
        PonFicha(g.TAI_Reparto[std::size_t(n)][1], p1.fila, p1.columna, p1.nivel);
        PonFicha(g.TAI_Reparto[std::size_t(n)][2], p2.fila, p2.columna, p2.nivel);
    }
    return true;
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

bool TAI_Reparte(int reiniciosMax) {
    auto& g = PuzzGbl;
    Estadistica() = {};
    const bool fichas = g.NroPiezas == kFichas && g.Piezas.size() > std::size_t(kFichas) &&
                        g.OrdenPiezas.size() > std::size_t(kFichas);
    if (!fichas || !TAI_CompruebaDisposicion(TAI_DisposicionActual()).isEmpty() || !Empareja()) {
        RefusaDisposicion();
        return false;
    }
    // A layout that does not fit the table is not laid out: no tile would
    // be where the player could reach it.
    if (const QString ajuste = TAI_MotivoAjuste(TAI_DisposicionActual(), g.AnchoMesa, g.AltoMesa);
        !ajuste.isEmpty()) {
        VaciaTablero();
        Mensaje(QStringLiteral("Repartir las fichas"),
                QStringLiteral("No se pueden repartir las fichas porque ") + ajuste +
                    QString::fromUtf8(". Elija otro modelo en la ventana Personalizar."),
                2, 1);
        return false;
    }
    while (!IntentoReparto()) {
        if (++Estadistica().reinicios >= reiniciosMax) {
            Estadistica().porOrden = true;
            if (!RepartoDesdeOrden()) {
                VaciaTablero();
                RefusaDisposicion();
                return false;
            }
            break;
        }
    }
    CalculaDificultad();
    return true;
}

bool TAI_ReparteDesdeOrden() {
    auto& g = PuzzGbl;
    Estadistica() = {};
    const bool fichas = g.NroPiezas == kFichas && g.Piezas.size() > std::size_t(kFichas) &&
                        g.OrdenPiezas.size() > std::size_t(kFichas);
    Estadistica().porOrden = true;
    if (!fichas || !TAI_CompruebaDisposicion(TAI_DisposicionActual()).isEmpty() || !Empareja() ||
        !RepartoDesdeOrden()) {
        if (fichas) VaciaTablero();
        RefusaDisposicion();
        return false;
    }
    CalculaDificultad();
    return true;
}

void BarajaPiezas() {
    auto& g = PuzzGbl;
    // A shuffle already running (its walk lets events through) is not started again.
    if (g.Barajando) return;
    JuegoEmpezado();
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
    // NroModelo 0 and no layout in force: no usable layout (the player has
    // been told), nothing to deal.
    case kTaipei:
        Paso([] {
            if (PuzzGbl.NroModelo >= 1 || PuzzGbl.FilasTablero > 0) TAI_Reparte();
        });
        break;
    default: break;
    }
    Paso(IniciaGrabadora);
    if (g.TipoJuego != kDeslizantes) Paso([] { RedibujaImagen(0); });
    // The walk draws each slide itself; the tiles in place are counted and
    // shown again, or the counter would keep the count of the board before.
    else Paso(ActualizaInfoPiezas);
    g.Barajando = false;
    g.CaminoDeslizante = false;
    Paso([] { mesa.Pic_Trabajo.setMousePointer(0); });
}
