#include "model/Taipei.h"

#include "core/PuzzGbl.h"
#include "platform/clock.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

using taipei::kClases, taipei::kColumnas, taipei::kFichas, taipei::kFilas, taipei::kNiveles, taipei::kParejas;

namespace {

constexpr double kLimiteSegundos = 3.0;
// The remembered positions stop growing this close to the limit, so that
// moving them to a larger table never carries the search past it.
constexpr double kMargenCrecer = 0.25;

// The three ways to split a kind's four copies into two pairs: pairing a
// (1..3), pair b (1..2), member m (1..2) gives a copy number.
constexpr std::int16_t kEmparejamientos[4][3][3] = {
    {},
    {{}, {0, 1, 4}, {0, 2, 3}},
    {{}, {0, 2, 4}, {0, 1, 3}},
    {{}, {0, 3, 4}, {0, 1, 2}},
};

bool EsFicha(int t) { return t >= 1 && t <= kFichas && std::size_t(t) < PuzzGbl.Piezas.size(); }

// Whether the tile at level l of cell (r, c) is missing: off the board, no
// tile recorded there, or a tile already removed.
bool Ausente(int r, int c, int l) {
    if (r < 1 || r > kFilas || c < 1 || c > kColumnas || l < 1 || l > kNiveles) return true;
    const int t = PuzzGbl.TAI_Tablero[r][c].Ficha[l];
    if (!EsFicha(t)) return true;
    return PuzzGbl.Piezas[t].Estado == 0;
}

// The tile recorded at level l of cell (r, c), removed or not; 0 for none
// and for anything that is not a tile.
int FichaEn(int r, int c, int l) {
    if (r < 1 || r > kFilas || c < 1 || c > kColumnas || l < 1 || l > kNiveles) return 0;
    const int t = PuzzGbl.TAI_Tablero[r][c].Ficha[l];
    return EsFicha(t) ? t : 0;
}

int AlturaEn(int r, int c) { return std::clamp<int>(PuzzGbl.TAI_Tablero[r][c].Altura, 0, kNiveles); }

std::function<double()>& Reloj() {
    static std::function<double()> f;
    return f;
}

double Segundos() {
    const auto& f = Reloj();
    return f ? f() : double(plat::msClock()) / 1000.0;
}

int& SondeoForzado() {
    static int hondura = -1;
    return hondura;
}

EstadisticaSolucionTaipei& Estadistica() {
    static EstadisticaSolucionTaipei e;
    return e;
}

// ---------------------------------------------------------------- solver

// The tile of every kind, pairing, pair and member.
using TablaFichas = std::array<std::array<std::array<std::array<std::int16_t, 3>, 3>, 4>, kClases + 1>;

// The removed tiles of a position, one bit per tile (tile t is bit t - 1).
// From these alone the search's kinds and pairings follow, so two positions
// with the same removed tiles lead to the same searches.
struct Quitadas {
    std::uint64_t a = 0, b = 0;
    std::uint16_t c = 0;
    void Pon(int t) {
        const int i = t - 1;
        if (i < 64) a |= std::uint64_t(1) << i;
        else if (i < 128) b |= std::uint64_t(1) << (i - 64);
        else c = std::uint16_t(c | (1u << (i - 128)));
    }
    bool Vacia() const { return a == 0 && b == 0 && c == 0; }
    bool operator==(const Quitadas&) const = default;
    std::uint64_t Dispersion() const {
        std::uint64_t h = a * 0x9E3779B97F4A7C15ull;
        h ^= (b + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2)) * 0xC2B2AE3D27D4EB4Full;
        h ^= (std::uint64_t(c) + 0x165667B19E3779F9ull + (h << 6) + (h >> 2)) * 0x9E3779B97F4A7C15ull;
        return h ^ (h >> 29);
    }
};

// The positions already searched without success: an open-addressing table
// of 20-byte slots kept from one search to the next, so that it is sized
// once: it doubles as a search fills it, up to 2^21 slots (40 MiB, 60 MiB
// while it doubles), and never closer to the time limit than kMargenCrecer.
// A slot belongs to the search whose number it carries; any other counts as
// empty. Three quarters full, a search adds nothing more.
class PosicionesFallidas {
public:
    static constexpr std::size_t kHuecosIniciales = std::size_t(1) << 12;
    static constexpr std::size_t kHuecosMaximos = std::size_t(1) << 21;

    // A new search: every slot counts as empty again.
    void Empieza() {
        n_ = 0;
        lleno_ = false;
        if (++busqueda_ == 0) { // the numbers went round: forget every slot
            for (Hueco& h : t_) h.busqueda = 0;
            busqueda_ = 1;
        }
    }

    bool Contiene(const Quitadas& q) const {
        if (n_ == 0) return false;
        const std::size_t mascara = t_.size() - 1;
        for (std::size_t i = q.Dispersion() & mascara;; i = (i + 1) & mascara) {
            const Hueco& h = t_[i];
            if (h.busqueda != busqueda_) return false;
            if (h.a == q.a && h.b == q.b && h.c == q.c) return true;
        }
    }

    // puedeCrecer: there is time left to move the table to one twice as large.
    void Anade(const Quitadas& q, bool puedeCrecer) {
        if (lleno_) return;
        if (t_.empty()) t_.resize(kHuecosIniciales);
        if (4 * (n_ + 1) > 3 * t_.size()) {
            if (t_.size() >= kHuecosMaximos || !puedeCrecer) {
                lleno_ = true;
                return;
            }
            std::vector<Hueco> viejo(t_.size() * 2);
            viejo.swap(t_);
            n_ = 0;
            for (const Hueco& h : viejo)
                if (h.busqueda == busqueda_) Pon({h.a, h.b, h.c});
        }
        Pon(q);
    }

    std::size_t Cuantas() const { return n_; }
    std::size_t Bytes() const { return t_.size() * sizeof(Hueco); }
    bool Lleno() const { return lleno_; }

private:
#pragma pack(push, 1)
    struct Hueco {
        std::uint64_t a = 0, b = 0;
        std::uint16_t c = 0;
        std::uint16_t busqueda = 0;
    };
#pragma pack(pop)
    static_assert(sizeof(Hueco) == 20);

    void Pon(const Quitadas& q) {
        const std::size_t mascara = t_.size() - 1;
        for (std::size_t i = q.Dispersion() & mascara;; i = (i + 1) & mascara) {
            Hueco& h = t_[i];
            if (h.busqueda != busqueda_) {
                h.a = q.a, h.b = q.b, h.c = q.c, h.busqueda = busqueda_;
                ++n_;
                return;
            }
            if (h.a == q.a && h.b == q.b && h.c == q.c) return;
        }
    }

    std::vector<Hueco> t_;
    std::uint16_t busqueda_ = 0;
    std::size_t n_ = 0;
    bool lleno_ = false;
};

PosicionesFallidas& Fallidas() {
    static PosicionesFallidas f;
    return f;
}

// How the moves of a position are weighed: the order analysis alone, with
// probing of every open pairing, or with probing two deep.
enum class Sondeo { Ninguno, Simple, Doble };

// Probing two deep costs up to about a hundred milliseconds a position: it
// is done only this near the top of the search.
constexpr int kAltoSondeoDoble = 10;

// Tile [0] goes before tile [1].
using Arco = std::array<std::int16_t, 2>;

// One move of the search: pair b of pairing a of kind k.
struct Jugada {
    std::int8_t k = 0, a = 0, b = 0;
};

struct TAI_PasoSolucion {
    std::array<std::int16_t, kFichas + 1> EstadosGuardados{}; // the tiles' states before the step
    Quitadas QuitadasGuardadas;
    std::int16_t Clase = 0, Emparejamiento = 0, Pareja = 0;
    std::array<TAI_RegistroClase, kClases + 1> ClasesGuardadas{};
};

class Busqueda {
public:
    explicit Busqueda(bool recuerdaFallidas) : recuerda_(recuerdaFallidas) {
        fallidas_.Empieza();
        auto& g = PuzzGbl;
        // The tile of each id (the first one that carries it).
        for (int t = 1; t <= kFichas; ++t) {
            const int id = g.Piezas[t].Id, k = id / 10, c = id % 10;
            if (id > 0 && k >= 1 && k <= kClases && c >= 1 && c <= 4 && porId_[k][c] == 0) porId_[k][c] = std::int16_t(t);
        }
        for (int k = 1; k <= kClases; ++k)
            for (int a = 1; a <= 3; ++a)
                for (int b = 1; b <= 2; ++b)
                    for (int m = 1; m <= 2; ++m) ficha_[k][a][b][m] = porId_[k][kEmparejamientos[a][b][m]];
    }

    void Busca() {
        auto& g = PuzzGbl;
        auto& est = Estadistica();
        const double inicio = Segundos();
        limite_ = inicio + kLimiteSegundos;

        for (auto& c : g.TAI_Clases) {
            c.EmparejamientoPosible = {true, true, true, true};
            c.ClaseEnJuego = true;
        }
        for (int k = 1; k <= kClases; ++k)
            for (int a = 1; a <= 3; ++a)
                for (int b = 1; b <= 2; ++b)
                    if (Quitada(ficha_[k][a][b][1]) && Quitada(ficha_[k][a][b][2])) Descarta(k, a, b);

        int quitadas = 0;
        Quitadas actual;
        for (int t = 1; t <= kFichas; ++t)
            if (g.Piezas[t].Estado == 0) ++quitadas, actual.Pon(t);

        std::vector<TAI_PasoSolucion> pila(kParejas + 1);
        std::vector<std::vector<Jugada>> jugadas(kParejas + 1);
        int d = 0;
        std::size_t i = 0;
        bool nueva = true, cerrada = false;
        // How many moves have failed from this position: from the first on
        // its moves are weighed with probing (Sondea), which costs more; from
        // the second on, near the top of the search, where a dead position
        // found spares the most, with probing two deep.
        std::array<int, kParejas + 1> fallos{};
        // Whether the moves of this position are the one pair that spoils nothing.
        std::array<bool, kParejas + 1> segura{};
        for (;;) {
            if (nueva || cerrada) {
                // Once it has stepped back, the search may go on for long:
                // the clock is read before every position is weighed.
                if (est.retrocesos > 0 && Segundos() - inicio > kLimiteSegundos) {
                    est.agotado = true;
                    break;
                }
                if (nueva) fallos[std::size_t(d)] = 0;
                const int f = fallos[std::size_t(d)];
                // The pair that spoils nothing begins a clearing whenever there
                // is one: once it has failed, the position is dead.
                if (cerrada && segura[std::size_t(d)]) {
                    jugadas[std::size_t(d)].clear();
                } else {
                    segura[std::size_t(d)] =
                        Jugadas(jugadas[std::size_t(d)], SondeoForzado() >= 0 ? Sondeo(SondeoForzado())
                                                         : f == 0                          ? Sondeo::Ninguno
                                                         : f >= 2 && d <= kAltoSondeoDoble ? Sondeo::Doble
                                                                                           : Sondeo::Simple);
                }
                i = 0;
                nueva = cerrada = false;
            }
            const std::vector<Jugada>& lista = jugadas[std::size_t(d)];
            bool hallada = false;
            Quitadas siguiente;
            for (; d < kParejas && i < lista.size(); ++i) {
                const Jugada& j = lista[i];
                siguiente = actual;
                siguiente.Pon(ficha_[j.k][j.a][j.b][1]);
                siguiente.Pon(ficha_[j.k][j.a][j.b][2]);
                if (!recuerda_ || !fallidas_.Contiene(siguiente)) {
                    hallada = true;
                    break;
                }
                // The position it leads to was searched already: that move
                // failed as well (see the back-step below).
                ++est.evitadas;
                Cierra(j.k, j.a);
                cerrada = true;
                ++fallos[std::size_t(d)];
                break;
            }
            if (cerrada) continue;
            if (hallada) {
                const Jugada j = lista[i];
                TAI_PasoSolucion& paso = pila[std::size_t(d)];
                for (int t = 1; t <= kFichas; ++t) paso.EstadosGuardados[t] = g.Piezas[t].Estado;
                paso.QuitadasGuardadas = actual;
                paso.Clase = j.k;
                paso.Emparejamiento = j.a;
                paso.Pareja = j.b;
                paso.ClasesGuardadas = g.TAI_Clases;
                Descarta(j.k, j.a, j.b);
                ++d;
                const std::int16_t f1 = ficha_[j.k][j.a][j.b][1], f2 = ficha_[j.k][j.a][j.b][2];
                g.TAI_TablaBusqueda[std::size_t(d)] = {0, f1, f2};
                g.Piezas[f1].Estado = 0;
                g.Piezas[f2].Estado = 0;
                actual = siguiente;
                ++est.parejas;
                if (quitadas + 2 * d >= kFichas) {
                    g.TAI_SolucionHallada = true;
                    break;
                }
                nueva = true;
                continue;
            }
            // Back-step: nothing more to try from here, whatever the way in.
            ++est.retrocesos;
            const double transcurrido = Segundos() - inicio;
            if (transcurrido > kLimiteSegundos) {
                est.agotado = true;
                break;
            }
            if (recuerda_ && d > 0) fallidas_.Anade(actual, transcurrido < kLimiteSegundos - kMargenCrecer);
            if (--d < 0) break;
            const TAI_PasoSolucion& paso = pila[std::size_t(d)];
            for (int t = 1; t <= kFichas; ++t) g.Piezas[t].Estado = paso.EstadosGuardados[t];
            g.TAI_Clases = paso.ClasesGuardadas;
            actual = paso.QuitadasGuardadas;
            // No clearing from here takes the pairing that move began: it
            // could have begun with that very pair (taking tiles never covers
            // any), so the position's other moves leave that pairing out.
            Cierra(paso.Clase, paso.Emparejamiento);
            cerrada = true;
            ++fallos[std::size_t(d)];
        }
        est.fallidas = fallidas_.Cuantas();
        est.bytesFallidas = fallidas_.Bytes();
        est.fallidasLleno = fallidas_.Lleno();
    }

private:
    static bool Quitada(int t) { return t >= 1 && PuzzGbl.Piezas[t].Estado == 0; }
    static bool EnTablero(int t) { return t >= 1 && PuzzGbl.Piezas[t].Estado != 0; }

    // Pair b of pairing a taken for kind k: the other pairings are no longer
    // possible, and when the other pair is gone too the kind is done.
    void Descarta(int k, int a, int b) {
        auto& clase = PuzzGbl.TAI_Clases[k];
        for (int otro = 1; otro <= 3; ++otro)
            if (otro != a) clase.EmparejamientoPosible[otro] = false;
        if (Quitada(ficha_[k][a][3 - b][1])) clase.ClaseEnJuego = false;
    }

    // Pairing a of kind k can no longer clear the position.
    static void Cierra(int k, int a) { PuzzGbl.TAI_Clases[k].EmparejamientoPosible[std::size_t(a)] = false; }

    // A set of tiles, one bit per tile number.
    struct Conjunto {
        std::array<std::uint64_t, 3> w{};
        void Pon(int t) { w[std::size_t(t >> 6)] |= std::uint64_t(1) << (t & 63); }
        bool Tiene(int t) const { return (w[std::size_t(t >> 6)] >> (t & 63)) & 1; }
        Conjunto& operator|=(const Conjunto& o) {
            for (std::size_t i = 0; i < 3; ++i) w[i] |= o.w[i];
            return *this;
        }
        bool Corta(const Conjunto& o) const {
            return ((w[0] & o.w[0]) | (w[1] & o.w[1]) | (w[2] & o.w[2])) != 0;
        }
        template <class F> void Cada(F&& f) const {
            for (std::size_t i = 0; i < 3; ++i)
                for (std::uint64_t b = w[i]; b != 0; b &= b - 1) f(int(i * 64) + std::countr_zero(b));
        }
    };

    // What the stacks and rows tell of a position. A tile goes only after
    // the tile lying on it, the two tiles of a pair go together, and a pair
    // in one row run goes after the rest of the run outside it and before
    // the tiles between its two. `companera` holds the tile each tile must
    // go with, where that is decided: the last two of a kind, or a kind of
    // four that only one of its pairings can still clear; `modos` has bit a
    // set for every pairing a that a kind may still take.
    struct Analisis {
        std::array<std::int16_t, kFichas + 1> companera{};
        std::array<std::uint8_t, kClases + 1> modos{};
    };

    // The order the decided pairs and the stacks impose: for every group
    // (a tile, or a decided pair, named by its lower tile) the tiles that
    // must go before it and after it.
    struct Orden {
        std::array<std::int16_t, kFichas + 1> grupo{};
        std::array<Conjunto, kFichas + 1> antes{}, despues{};
        // Every "this tile goes before that one" found. Each holds whatever
        // is decided later, so the order of a position with more decided
        // starts from them and reaches its end in fewer rounds.
        std::vector<Arco> arcos;
        Conjunto Miembros(int t, const Analisis& an) const {
            Conjunto m;
            m.Pon(t);
            if (an.companera[t] != 0) m.Pon(an.companera[t]);
            return m;
        }
    };

    // The tile on the board at level l of cell (r, c), 0 for none or one
    // removed, as the position stood when Analiza began.
    int En(int r, int c, int l) const {
        if (r < 0 || r > kFilas + 1 || c < 0 || c > kColumnas + 1 || l < 0 || l > kNiveles + 1) return 0;
        return rejilla_[std::size_t(r)][std::size_t(c)][std::size_t(l)];
    }
    bool Presente(int r, int c, int l) const { return En(r, c, l) != 0; }

    // When tiles x and y lie in one unbroken run of one row and level, calls
    // fuera(t) for every tile of the run outside them and entre(t) for every
    // tile between them, and returns true.
    template <class F, class G> bool EnUnaFila(int x, int y, F&& fuera, G&& entre) const {
        const RegistroPieza& p = PuzzGbl.Piezas[x];
        const RegistroPieza& q = PuzzGbl.Piezas[y];
        if (p.Fila != q.Fila || p.Nivel != q.Nivel) return false;
        const int r = p.Fila, l = p.Nivel;
        const int izq = std::min(p.Columna, q.Columna), der = std::max(p.Columna, q.Columna);
        for (int c = izq + 1; c < der; ++c)
            if (!Presente(r, c, l)) return false;
        for (int c = izq + 1; c < der; ++c) entre(En(r, c, l));
        for (int c = izq - 1; c >= 1 && Presente(r, c, l); --c) fuera(En(r, c, l));
        for (int c = der + 1; c <= kColumnas && Presente(r, c, l); ++c) fuera(En(r, c, l));
        return true;
    }

    // The order of the groups, false when they cannot be ordered at all (a
    // group that must go before itself, or a tile inside a row run that
    // must go before some tile of the run on either side of it). It starts
    // from `previos`, found for the same tiles with less decided.
    bool Ordena(const Analisis& an, Orden& o, const std::vector<Arco>& previos) const {
        const auto& g = PuzzGbl;
        std::array<Conjunto, kFichas + 1> siguen{}; // the groups that must go after each group
        std::array<int, kFichas + 1> entradas{};
        bool bucle = false, nuevo = false;
        o.arcos.clear();
        auto arco = [&](int desde, int hasta) {
            const int a = o.grupo[desde], b = o.grupo[hasta];
            if (a == b) {
                bucle = true;
            } else if (!siguen[a].Tiene(b)) {
                siguen[a].Pon(b), ++entradas[b], nuevo = true;
                o.arcos.push_back({std::int16_t(desde), std::int16_t(hasta)});
            }
        };
        int grupos = 0;
        for (int t = 1; t <= kFichas; ++t) {
            o.grupo[t] = 0;
            if (!EnTablero(t)) continue;
            const int c = an.companera[t];
            o.grupo[t] = std::int16_t(c != 0 && c < t ? c : t);
            if (o.grupo[t] == t) ++grupos;
        }
        for (const Arco& x : previos) arco(x[0], x[1]);
        for (int t = 1; t <= kFichas; ++t) {
            if (o.grupo[t] == 0) continue;
            const RegistroPieza& p = g.Piezas[t];
            const int u = En(p.Fila, p.Columna, p.Nivel + 1);
            if (u != 0) arco(u, t);
            const int c = an.companera[t];
            if (c > t) EnUnaFila(t, c, [&](int f) { arco(f, t); }, [&](int f) { arco(t, f); });
        }
        if (bucle) return false;
        std::array<std::int16_t, kFichas + 1> cola{};
        for (;;) {
            // Kahn's order; what it leaves out lies on a cycle.
            std::array<int, kFichas + 1> quedan = entradas;
            int fin = 0;
            for (int t = 1; t <= kFichas; ++t)
                if (o.grupo[t] == t && quedan[t] == 0) cola[std::size_t(fin++)] = std::int16_t(t);
            for (int i = 0; i < fin; ++i)
                siguen[cola[std::size_t(i)]].Cada([&](int b) {
                    if (--quedan[b] == 0) cola[std::size_t(fin++)] = std::int16_t(b);
                });
            if (fin < grupos) return false;
            for (int i = 0; i < fin; ++i) {
                const int a = cola[std::size_t(i)];
                o.antes[a] = {};
                o.despues[a] = {};
            }
            for (int i = 0; i < fin; ++i) {
                const int a = cola[std::size_t(i)];
                Conjunto hasta = o.antes[a];
                hasta |= o.Miembros(a, an);
                siguen[a].Cada([&](int b) { o.antes[b] |= hasta; });
            }
            for (int i = fin - 1; i >= 0; --i) {
                const int a = cola[std::size_t(i)];
                siguen[a].Cada([&](int b) {
                    o.despues[a] |= o.despues[b];
                    o.despues[a] |= o.Miembros(b, an);
                });
            }
            // A tile with tiles on both sides goes after the whole run on
            // one side: when a tile on one side must go after it (or with
            // it), it goes after the whole other side.
            nuevo = false;
            for (int t = 1; t <= kFichas; ++t) {
                if (o.grupo[t] == 0) continue;
                const RegistroPieza& p = g.Piezas[t];
                const int r = p.Fila, c = p.Columna, l = p.Nivel;
                if (!Presente(r, c - 1, l) || !Presente(r, c + 1, l)) continue;
                Conjunto tras = o.despues[o.grupo[t]];
                tras |= o.Miembros(o.grupo[t], an);
                bool izquierda = true, derecha = true;
                for (int x = c - 1; x >= 1 && Presente(r, x, l) && izquierda; --x) izquierda = !tras.Tiene(En(r, x, l));
                for (int x = c + 1; x <= kColumnas && Presente(r, x, l) && derecha; ++x) derecha = !tras.Tiene(En(r, x, l));
                if (!izquierda && !derecha) return false;
                if (!izquierda)
                    for (int x = c + 1; x <= kColumnas && Presente(r, x, l); ++x) arco(En(r, x, l), t);
                else if (!derecha)
                    for (int x = c - 1; x >= 1 && Presente(r, x, l); --x) arco(En(r, x, l), t);
            }
            if (bucle) return false;
            if (!nuevo) return true;
        }
    }

    // Whether pairing a of kind k (four tiles on the board, none decided)
    // agrees with the order: neither pair has a tile that must go before or
    // after its partner, nothing must go both before and after a pair, and
    // the two pairs need not each go before the other.
    bool ModoPosible(const Analisis& an, const Orden& o, int k, int a) const {
        Conjunto antes[2], despues[2], propias[2];
        for (int b = 0; b < 2; ++b) {
            const int x = ficha_[k][a][b + 1][1], y = ficha_[k][a][b + 1][2];
            Conjunto& an_ = antes[b];
            Conjunto& de = despues[b];
            an_ = o.antes[x];
            an_ |= o.antes[y];
            de = o.despues[x];
            de |= o.despues[y];
            EnUnaFila(
                x, y,
                [&](int f) {
                    an_ |= o.antes[o.grupo[f]];
                    an_ |= o.Miembros(o.grupo[f], an);
                },
                [&](int f) {
                    de |= o.despues[o.grupo[f]];
                    de |= o.Miembros(o.grupo[f], an);
                });
            propias[b].Pon(x);
            propias[b].Pon(y);
            if (an_.Corta(de) || an_.Corta(propias[b]) || de.Corta(propias[b])) return false;
        }
        const bool primeroAntes = despues[0].Corta(propias[1]) || despues[0].Corta(antes[1]) || antes[1].Corta(propias[0]);
        const bool segundoAntes = despues[1].Corta(propias[0]) || despues[1].Corta(antes[0]) || antes[0].Corta(propias[1]);
        return !(primeroAntes && segundoAntes);
    }

    // Fills `an` from the position; false when the position can no longer be
    // cleared: a kind with an odd number of tiles left, a kind of four that
    // none of its pairings can clear, or groups that must each go before the
    // other. A kind of four left with one pairing that can clear it is
    // decided, and what that tells is weighed again, until nothing changes.
    bool Analiza(Analisis& an, Sondeo sondeo) const {
        const auto& g = PuzzGbl;
        an = {};
        for (int r = 1; r <= kFilas; ++r)
            for (int c = 1; c <= kColumnas; ++c) {
                const auto& celda = g.TAI_Tablero[r][c];
                auto& aqui = rejilla_[std::size_t(r)][std::size_t(c)];
                for (int l = 1; l <= kNiveles; ++l) {
                    const int t = celda.Ficha[std::size_t(l)];
                    aqui[std::size_t(l)] = std::int16_t(EsFicha(t) && g.Piezas[std::size_t(t)].Estado != 0 ? t : 0);
                }
            }
        // The tiles on the board and their neighbours, the same for every
        // weighing of this position (Encerradas).
        nPresentes_ = 0;
        for (int t = 1; t <= kFichas; ++t) {
            if (!EnTablero(t)) continue;
            const RegistroPieza& p = g.Piezas[t];
            vecinas_[std::size_t(t)] = {std::int16_t(En(p.Fila, p.Columna, p.Nivel + 1)),
                                        std::int16_t(En(p.Fila, p.Columna - 1, p.Nivel)),
                                        std::int16_t(En(p.Fila, p.Columna + 1, p.Nivel)),
                                        std::int16_t(En(p.Fila, p.Columna, p.Nivel - 1))};
            presentes_[std::size_t(nPresentes_++)] = std::int16_t(t);
        }
        std::array<bool, kClases + 1> abierta{};
        for (int k = 1; k <= kClases; ++k) {
            if (!g.TAI_Clases[k].ClaseEnJuego) continue;
            int quedan[4], n = 0;
            for (int c = 1; c <= 4; ++c)
                if (EnTablero(porId_[k][c])) quedan[n++] = porId_[k][c];
            if (n % 2 == 1) return false;
            for (int a = 1; a <= 3; ++a)
                if (g.TAI_Clases[k].EmparejamientoPosible[a]) an.modos[k] = std::uint8_t(an.modos[k] | (1u << a));
            if (n > 0 && an.modos[k] == 0) return false;
            if (n == 2) {
                an.companera[quedan[0]] = std::int16_t(quedan[1]);
                an.companera[quedan[1]] = std::int16_t(quedan[0]);
            } else if (n == 4) {
                abierta[k] = true;
            }
        }
        if (!Cierre(an, abierta)) return false;
        return sondeo == Sondeo::Ninguno || Sondea(an, abierta, sondeo == Sondeo::Doble);
    }

    // Kind k decided to take pairing a.
    void Decide(Analisis& an, std::array<bool, kClases + 1>& abierta, int k, int a) const {
        an.modos[k] = std::uint8_t(1u << a);
        for (int b = 1; b <= 2; ++b) {
            const int x = ficha_[k][a][b][1], y = ficha_[k][a][b][2];
            an.companera[x] = std::int16_t(y);
            an.companera[y] = std::int16_t(x);
        }
        abierta[k] = false;
    }

    // What the order of the groups tells of the kinds still open, weighed
    // again until nothing changes; false for a dead position. The order
    // starts from `previos` (found with less decided), and leaves its own
    // in orden_.arcos.
    bool Cierre(Analisis& an, std::array<bool, kClases + 1>& abierta, std::vector<Arco> previos = {}) const {
        Orden& o = orden_;
        for (;;) {
            if (!Ordena(an, o, previos)) return false;
            bool decidida = false;
            for (int k = 1; k <= kClases; ++k) {
                if (!abierta[k]) continue;
                for (int a = 1; a <= 3; ++a)
                    if ((an.modos[k] >> a & 1) && !ModoPosible(an, o, k, a))
                        an.modos[k] = std::uint8_t(an.modos[k] & ~(1u << a));
                if (an.modos[k] == 0) return false;
                if (std::popcount(an.modos[k]) > 1) continue;
                Decide(an, abierta, k, std::countr_zero(an.modos[k]));
                decidida = true;
            }
            if (!decidida) return true;
            previos = o.arcos;
        }
    }

    // Probing: each pairing still open to a kind of four is taken as decided
    // and weighed (Cierre, Encerradas, and when `doble` this same probing of
    // the others); one that leads to a dead position is dropped. A kind left
    // with none makes the position dead; one left with a single pairing is
    // decided, and the pairings are probed again. Past the time limit it
    // stops, dropping nothing more.
    bool Sondea(Analisis& an, std::array<bool, kClases + 1>& abierta, bool doble) const {
        std::vector<Arco> base = orden_.arcos; // the order of `an`, as Cierre left it
        for (bool cambio = true; cambio;) {
            cambio = false;
            for (int k = 1; k <= kClases; ++k) {
                if (!abierta[k]) continue;
                for (int a = 1; a <= 3; ++a) {
                    if (!(an.modos[k] >> a & 1)) continue;
                    if (tarde_ || (++pruebas_ % 16 == 0 && (tarde_ = Segundos() > limite_))) return true;
                    Analisis sonda = an;
                    auto abiertaSonda = abierta;
                    Decide(sonda, abiertaSonda, k, a);
                    if (!Cierre(sonda, abiertaSonda, base) || Encerradas(sonda) ||
                        (doble && !Sondea(sonda, abiertaSonda, false)))
                        an.modos[k] = std::uint8_t(an.modos[k] & ~(1u << a));
                }
                if (an.modos[k] == 0) return false;
                if (std::popcount(an.modos[k]) == 1) {
                    Decide(an, abierta, k, std::countr_zero(an.modos[k]));
                    if (!Cierre(an, abierta, base)) return false;
                    base = orden_.arcos;
                    cambio = true;
                }
            }
        }
        return true;
    }

    // Whether some kinds lock one another: whichever of their pairs went
    // first, a tile of theirs would still lie on one of its tiles or on both
    // its sides. Before the first pair of such kinds goes, every tile of
    // theirs is on the board, and so is every tile that lies under one of
    // those, between two of those, or whose every possible partner is one
    // of those; when no pair of those kinds has both tiles free of them,
    // none of those kinds can ever start, and the position is dead. The
    // kinds that could start are left out until none is, or none is left.
    bool Encerradas(const Analisis& an) const {
        const auto& g = PuzzGbl;
        // Each tile's possible partners, by the pairings still open.
        std::array<std::array<std::int16_t, 3>, kFichas + 1> parejas{};
        std::array<bool, kClases + 1> dentro{};
        for (int i = 0; i < nPresentes_; ++i) {
            const int t = presentes_[std::size_t(i)];
            const int k = g.Piezas[t].Clase;
            auto& x = parejas[std::size_t(t)];
            int m = 0;
            if (an.companera[t] != 0) {
                x[0] = an.companera[t];
            } else {
                for (int a = 1; a <= 3; ++a)
                    if (an.modos[k] >> a & 1)
                        for (int b = 1; b <= 2; ++b) {
                            const int f1 = ficha_[k][a][b][1], f2 = ficha_[k][a][b][2];
                            if (f1 == t) x[std::size_t(m++)] = std::int16_t(f2);
                            if (f2 == t) x[std::size_t(m++)] = std::int16_t(f1);
                        }
            }
            dentro[std::size_t(k)] = true;
        }
        std::array<bool, kFichas + 1> queda{}; // still on the board when the first pair of the kinds goes
        // A side is shut while a tile of the run on that side stays: the
        // tiles between it and t could only go once t is gone.
        auto cerrado = [&](int t, std::int16_t Vecinas::*lado) {
            for (int u = vecinas_[std::size_t(t)].*lado; u != 0; u = vecinas_[std::size_t(u)].*lado)
                if (queda[std::size_t(u)]) return true;
            return false;
        };
        auto libre = [&](int t) {
            return !queda[std::size_t(vecinas_[std::size_t(t)].encima)] &&
                   !(cerrado(t, &Vecinas::izquierda) && cerrado(t, &Vecinas::derecha));
        };
        for (;;) {
            queda = {};
            for (int i = 0; i < nPresentes_; ++i) {
                const int t = presentes_[std::size_t(i)];
                queda[std::size_t(t)] = dentro[std::size_t(g.Piezas[t].Clase)];
            }
            // Every tile is weighed once, and again whenever a tile it may
            // depend on has to stay: the one on it, one of its row run, or
            // one of its possible partners.
            std::array<bool, kFichas + 1> enCola{};
            int fin = 0;
            auto pon = [&](int u) {
                if (u == 0 || queda[std::size_t(u)] || enCola[std::size_t(u)]) return;
                enCola[std::size_t(u)] = true;
                cola_[std::size_t(fin++)] = std::int16_t(u);
            };
            for (int i = 0; i < nPresentes_; ++i) pon(presentes_[std::size_t(i)]);
            while (fin > 0) {
                const int t = cola_[std::size_t(--fin)];
                enCola[std::size_t(t)] = false;
                bool sinPareja = true;
                for (const std::int16_t q : parejas[std::size_t(t)]) sinPareja = sinPareja && (q == 0 || queda[std::size_t(q)]);
                if (libre(t) && !sinPareja) continue;
                queda[std::size_t(t)] = true;
                const Vecinas& v = vecinas_[std::size_t(t)];
                pon(v.debajo);
                for (int u = v.izquierda; u != 0; u = vecinas_[std::size_t(u)].izquierda) pon(u);
                for (int u = v.derecha; u != 0; u = vecinas_[std::size_t(u)].derecha) pon(u);
                for (const std::int16_t q : parejas[std::size_t(t)]) pon(q);
            }
            bool salen = false, quedan = false;
            for (int k = 1; k <= kClases; ++k) {
                if (!dentro[std::size_t(k)]) continue;
                bool empieza = false;
                for (int c = 1; c <= 4 && !empieza; ++c) {
                    const int t = porId_[k][c];
                    if (!EnTablero(t) || !libre(t)) continue;
                    for (const std::int16_t q : parejas[std::size_t(t)]) empieza = empieza || (q != 0 && libre(q));
                }
                if (empieza) dentro[std::size_t(k)] = false, salen = true;
                else quedan = true;
            }
            if (!quedan) return false;
            if (!salen) return true;
        }
    }

    // The moves to try from the present position, in the order they are
    // tried. None when the position can no longer be cleared (Analiza,
    // Encerradas). True when the list is the one pair that spoils nothing.
    // A free pair that every clearing must take as it stands (every tile
    // left of its kind free, or its two tiles decided to go together) can
    // spoil nothing when taken first, as taking tiles never covers any: that
    // pair is the only move. Otherwise every pair of one kind whose two
    // tiles are free and whose pairing may still clear the kind: those lying
    // on more tiles first, and among equals in the order kind, pairing, pair.
    bool Jugadas(std::vector<Jugada>& lista, Sondeo sondeo) {
        const auto& g = PuzzGbl;
        lista.clear();
        Analisis& an = analisis_;
        if (!Analiza(an, sondeo) || Encerradas(an)) return false;
        // A pairing the weighing found unable to clear this position cannot
        // clear any position reached from it either (a clearing from there,
        // after the pairs taken on the way, would clear this one): the
        // positions below leave it out without weighing it again.
        for (int k = 1; k <= kClases; ++k)
            if (g.TAI_Clases[k].ClaseEnJuego)
                for (int a = 1; a <= 3; ++a)
                    if (!(an.modos[k] >> a & 1)) Cierra(k, a);
        std::array<bool, kFichas + 1> libre{};
        for (int t = 1; t <= kFichas; ++t) libre[t] = TAI_FichaLibre(std::int16_t(t));
        for (int k = 1; k <= kClases; ++k) {
            if (!g.TAI_Clases[k].ClaseEnJuego) continue;
            bool todas = true;
            for (int c = 1; c <= 4; ++c)
                if (EnTablero(porId_[k][c]) && !libre[porId_[k][c]]) todas = false;
            const bool decidida = std::popcount(an.modos[k]) == 1;
            if (!todas && !decidida) continue;
            for (int a = 1; a <= 3; ++a) {
                if (!(an.modos[k] >> a & 1)) continue;
                for (int b = 1; b <= 2; ++b) {
                    const int f1 = ficha_[k][a][b][1], f2 = ficha_[k][a][b][2];
                    if (f1 >= 1 && f2 >= 1 && libre[f1] && libre[f2]) {
                        lista.push_back({std::int8_t(k), std::int8_t(a), std::int8_t(b)});
                        return true;
                    }
                }
            }
        }
        auto paresLibres = [&](int k, std::vector<Jugada>& v) {
            for (int a = 1; a <= 3; ++a) {
                if (!(an.modos[k] >> a & 1)) continue;
                for (int b = 1; b <= 2; ++b) {
                    const int f1 = ficha_[k][a][b][1], f2 = ficha_[k][a][b][2];
                    if (f1 >= 1 && f2 >= 1 && libre[f1] && libre[f2])
                        v.push_back({std::int8_t(k), std::int8_t(a), std::int8_t(b)});
                }
            }
        };
        // A kind of four with three of them free: whichever tile the fourth
        // goes with, the other two are free now and any clearing may take
        // them first. So one of that kind's free pairs begins some clearing
        // when there is one, and those pairs are the only moves; of such
        // kinds, the one with fewest.
        std::size_t menos = 0;
        for (int k = 1; k <= kClases; ++k) {
            if (!g.TAI_Clases[k].ClaseEnJuego) continue;
            int quedan = 0, libres = 0;
            for (int c = 1; c <= 4; ++c)
                if (EnTablero(porId_[k][c])) ++quedan, libres += libre[porId_[k][c]] ? 1 : 0;
            if (quedan != 4 || libres != 3) continue;
            tres_.clear();
            paresLibres(k, tres_);
            if (!tres_.empty() && (menos == 0 || tres_.size() < menos)) menos = tres_.size(), lista.swap(tres_);
        }
        if (menos == 0)
            for (int k = 1; k <= kClases; ++k)
                if (g.TAI_Clases[k].ClaseEnJuego) paresLibres(k, lista);
        if (lista.size() < 2) return false;
        // Tiles that lie on more tiles first: they keep more of the board
        // covered. Equal ones keep the order above.
        std::array<int, kFichas + 1> debajo{};
        for (int t = 1; t <= kFichas; ++t) {
            if (!libre[t]) continue;
            const RegistroPieza& p = g.Piezas[t];
            for (int l = p.Nivel - 1; l >= 1 && !Ausente(p.Fila, p.Columna, l); --l) ++debajo[t];
        }
        auto peso = [&](const Jugada& j) { return debajo[ficha_[j.k][j.a][j.b][1]] + debajo[ficha_[j.k][j.a][j.b][2]]; };
        std::stable_sort(lista.begin(), lista.end(), [&](const Jugada& x, const Jugada& y) { return peso(x) > peso(y); });
        return false;
    }

    std::array<std::array<std::int16_t, 5>, kClases + 1> porId_{};
    TablaFichas ficha_{};
    bool recuerda_;
    PosicionesFallidas& fallidas_ = Fallidas();
    mutable Analisis analisis_;
    mutable Orden orden_;
    // The tile on each tile, those beside it and the one under it, 0 for none.
    struct Vecinas {
        std::int16_t encima = 0, izquierda = 0, derecha = 0, debajo = 0;
    };
    mutable std::array<Vecinas, kFichas + 1> vecinas_{};
    mutable std::array<std::int16_t, kFichas> presentes_{};
    mutable int nPresentes_ = 0;
    mutable std::array<std::int16_t, kFichas> cola_{}; // the tiles Encerradas has still to weigh
    double limite_ = 0; // the clock's reading past which the search gives up
    mutable int pruebas_ = 0; // probes made, the clock read every 16th
    mutable bool tarde_ = false; // past limite_: probing drops nothing more
    mutable std::vector<Jugada> tres_;
    mutable std::array<std::array<std::array<std::int16_t, kNiveles + 2>, kColumnas + 2>, kFilas + 2> rejilla_{};
};

} // namespace

// ---------------------------------------------------------------- tiles

void TAI_AsignaPalos() {
    auto& g = PuzzGbl;
    const int ultima = std::min<int>(kFichas, int(g.Piezas.size()) - 1);
    for (int n = 1; n <= ultima; ++n) {
        int palo = 0, valor = 0, clase = 0, copia = 0;
        if (n <= 108) {
            palo = (n - 1) / 36 + 1;
            valor = n % 9 == 0 ? 9 : n % 9;
            clase = valor + 9 * (palo - 1);
            copia = (n - 1 - 36 * (palo - 1)) / 9 + 1;
        } else if (n <= 124) {
            palo = 4;
            valor = (n - 108) % 4 == 0 ? 4 : (n - 108) % 4;
            clase = valor + 27;
            copia = (n - 109) / 4 + 1;
        } else if (n <= 136) {
            palo = 5;
            valor = (n - 124) % 3 == 0 ? 3 : (n - 124) % 3;
            clase = valor + 31;
            copia = (n - 125) / 3 + 1;
        } else if (n <= 140) {
            palo = 6;
            valor = n - 136;
            clase = 35;
            copia = valor;
        } else {
            palo = 7;
            valor = n - 140;
            clase = 36;
            copia = valor;
        }
        RegistroPieza& p = g.Piezas[n];
        p.Palo = std::int16_t(palo);
        p.Valor = std::int16_t(valor);
        p.Clase = std::int16_t(clase);
        p.Copia = std::int16_t(copia);
        p.Id = std::int16_t(clase * 10 + copia);
    }
}

std::int16_t TAI_BuscaFichaPorId(std::int16_t id) {
    for (int t = 1; t <= kFichas && std::size_t(t) < PuzzGbl.Piezas.size(); ++t)
        if (PuzzGbl.Piezas[t].Id == id) return std::int16_t(t);
    return 0;
}

// ---------------------------------------------------------------- rules

bool TAI_FichaLibre(std::int16_t ficha) {
    const auto& g = PuzzGbl;
    if (!EsFicha(ficha)) return false;
    const RegistroPieza& p = g.Piezas[ficha];
    if (p.Estado == 0) return false;
    const int r = p.Fila, c = p.Columna, l = p.Nivel;
    if (r < 1 || r > kFilas || c < 1 || c > kColumnas || l < 1 || l > kNiveles) return false;
    if (!Ausente(r, c, l + 1)) return false;
    return Ausente(r, c - 1, l) || Ausente(r, c + 1, l);
}

void TAI_CalculaBloqueos() {
    auto& g = PuzzGbl;
    // Occupied levels above each tile in its own stack.
    std::array<int, kFichas + 1> encima{};
    for (int r = 1; r <= kFilas; ++r)
        for (int c = 1; c <= kColumnas; ++c) {
            const int altura = AlturaEn(r, c);
            for (int l = 1; l <= altura; ++l) {
                const int t = FichaEn(r, c, l);
                if (t == 0) continue;
                int n = 0;
                for (int s = l + 1; s <= altura; ++s)
                    if (FichaEn(r, c, s) != 0) ++n;
                encima[t] = n;
            }
        }

    // The cheaper side: the tiles above each tile of the run on that side,
    // plus the run's tiles themselves.
    g.TAI_Bloqueo = {};
    for (int r = 1; r <= kFilas; ++r)
        for (int c = 1; c <= kColumnas; ++c) {
            const int altura = AlturaEn(r, c);
            for (int l = 1; l <= altura; ++l) {
                const int t = FichaEn(r, c, l);
                if (t == 0) continue;
                int lado[2] = {0, 0};
                for (int s = 0; s < 2; ++s) {
                    const int paso = s == 0 ? -1 : 1;
                    for (int d = 0; d <= kColumnas - 1; ++d) {
                        const int col = c + d * paso;
                        if (col < 1 || col > kColumnas) break;
                        const int vecina = FichaEn(r, col, l);
                        if (vecina == 0) break;
                        lado[s] += encima[vecina] + (d > 0 ? 1 : 0);
                    }
                }
                g.TAI_Bloqueo[t] = std::int16_t(std::min(lado[0], lado[1]));
            }
        }

    // The weight of each free tile: what lies under it, and half the run on
    // the side that is still closed.
    g.TAI_PesoBloqueo = {};
    for (int r = 1; r <= kFilas; ++r)
        for (int c = 1; c <= kColumnas; ++c) {
            const int altura = AlturaEn(r, c);
            for (int l = 1; l <= altura; ++l) {
                const int t = FichaEn(r, c, l);
                if (t == 0 || !TAI_FichaLibre(std::int16_t(t))) continue;
                int suma = 0;
                for (int s = l - 1; s >= 1; --s) {
                    const int debajo = FichaEn(r, c, s);
                    if (debajo != 0) suma += g.TAI_Bloqueo[debajo];
                }
                const int sentido = Ausente(r, c - 1, l) ? 1 : -1;
                int cuenta = 0;
                for (int col = c; col >= 1 && col <= kColumnas && FichaEn(r, col, l) != 0; col += sentido) ++cuenta;
                for (int d = 1; d <= cuenta / 2; ++d) suma += g.TAI_Bloqueo[FichaEn(r, c + d * sentido, l)];
                g.TAI_PesoBloqueo[t] = std::int16_t(suma);
            }
        }
}

void TAI_BuscaPareja() {
    auto& g = PuzzGbl;
    g.TAI_ParejaSugerida = {};
    TAI_CalculaBloqueos();
    const int ultima = std::min<int>(kFichas, int(g.Piezas.size()) - 1);
    std::array<bool, kFichas + 1> libre{};
    for (int t = 1; t <= ultima; ++t) libre[t] = TAI_FichaLibre(std::int16_t(t));
    int mejor = -1;
    for (int i = 1; i <= ultima; ++i) {
        if (!libre[i]) continue;
        for (int j = i + 1; j <= ultima; ++j) {
            if (!libre[j] || g.Piezas[j].Clase != g.Piezas[i].Clase) continue;
            const int peso = g.TAI_PesoBloqueo[i] + g.TAI_PesoBloqueo[j];
            if (peso > mejor) {
                mejor = peso;
                g.TAI_ParejaSugerida = {0, std::int16_t(i), std::int16_t(j)};
            }
        }
    }
}

void TAI_SugiereParejaConSalida() {
    auto& g = PuzzGbl;
    TAI_BuscaPareja();
    const auto pista = g.TAI_ParejaSugerida;
    if (pista[1] == 0 || pista[2] == 0) return;
    // After the hint's pair: an empty board, or one the search clears.
    RegistroPieza& a = g.Piezas[std::size_t(pista[1])];
    RegistroPieza& b = g.Piezas[std::size_t(pista[2])];
    const std::int16_t estadoA = a.Estado, estadoB = b.Estado;
    a.Estado = b.Estado = 0;
    bool vacio = true;
    for (int t = 1; t <= kFichas; ++t) vacio = vacio && g.Piezas[std::size_t(t)].Estado == 0;
    if (!vacio) TAI_BuscaSolucion();
    a.Estado = estadoA, b.Estado = estadoB;
    if (vacio || g.TAI_SolucionHallada || UltimaSolucionTaipei().agotado) return;
    TAI_BuscaSolucion();
    if (g.TAI_SolucionHallada) g.TAI_ParejaSugerida = {0, g.TAI_TablaBusqueda[1][1], g.TAI_TablaBusqueda[1][2]};
}

// ---------------------------------------------------------------- solver

void TAI_BuscaSolucion() { TAI_BuscaSolucion(true); }

void TAI_BuscaSolucion(bool recuerdaFallidas) {
    auto& g = PuzzGbl;
    Estadistica() = {};
    g.TAI_SolucionHallada = false;
    g.TAI_TablaBusqueda = {};
    if (g.Piezas.size() <= std::size_t(kFichas)) return;
    const std::vector<RegistroPieza> antes = g.Piezas;
    Busqueda busqueda(recuerdaFallidas);
    busqueda.Busca();
    g.Piezas = antes;
}

void RegistraRelojSolucionTaipei(std::function<double()> segundos) { Reloj() = std::move(segundos); }

void FuerzaSondeoTaipei(int hondura) { SondeoForzado() = std::clamp(hondura, -1, 2); }

const EstadisticaSolucionTaipei& UltimaSolucionTaipei() { return Estadistica(); }
