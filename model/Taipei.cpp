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

// One move of the search: pair b of pairing a of kind k.
struct Jugada {
    std::int8_t k = 0, a = 0, b = 0;
};

struct TAI_PasoSolucion {
    std::array<std::int16_t, kFichas + 1> EstadosGuardados{}; // the tiles' states before the step
    Quitadas QuitadasGuardadas;
    std::int16_t Clase = 0, Emparejamiento = 0, Pareja = 0;
    std::array<TAI_RegistroClase, kClases + 1> ClasesGuardadas{};
    std::int16_t Indice = 0; // the move's place among the moves of its position
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
        bool nueva = true;
        for (;;) {
            if (nueva) {
                Jugadas(jugadas[std::size_t(d)]);
                i = 0;
                nueva = false;
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
                ++est.evitadas; // the position it leads to was searched already
            }
            if (hallada) {
                const Jugada j = lista[i];
                TAI_PasoSolucion& paso = pila[std::size_t(d)];
                for (int t = 1; t <= kFichas; ++t) paso.EstadosGuardados[t] = g.Piezas[t].Estado;
                paso.QuitadasGuardadas = actual;
                paso.Clase = j.k;
                paso.Emparejamiento = j.a;
                paso.Pareja = j.b;
                paso.Indice = std::int16_t(i);
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
            i = std::size_t(paso.Indice) + 1;
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

    // The moves to try from the present position, in the order they are
    // tried. None when the position can no longer be cleared (SinSalida).
    // When every tile left of a kind is free, taking one of its pairs can
    // spoil nothing (any clearing may take it first, as taking tiles never
    // covers any), so that pair is the only move. Otherwise every pair of
    // one kind whose two tiles are free: those lying on more tiles first,
    // and among equals in the order kind, pairing, pair.
    void Jugadas(std::vector<Jugada>& lista) const {
        const auto& g = PuzzGbl;
        lista.clear();
        std::array<bool, kFichas + 1> libre{};
        for (int t = 1; t <= kFichas; ++t) libre[t] = TAI_FichaLibre(std::int16_t(t));
        if (SinSalida()) return;
        for (int k = 1; k <= kClases; ++k) {
            if (!g.TAI_Clases[k].ClaseEnJuego) continue;
            bool todas = true;
            for (int c = 1; c <= 4; ++c)
                if (EnTablero(porId_[k][c]) && !libre[porId_[k][c]]) todas = false;
            if (!todas) continue;
            for (int a = 1; a <= 3; ++a) {
                if (!g.TAI_Clases[k].EmparejamientoPosible[a]) continue;
                for (int b = 1; b <= 2; ++b) {
                    const int f1 = ficha_[k][a][b][1], f2 = ficha_[k][a][b][2];
                    if (f1 >= 1 && f2 >= 1 && libre[f1] && libre[f2]) {
                        lista.push_back({std::int8_t(k), std::int8_t(a), std::int8_t(b)});
                        return;
                    }
                }
            }
        }
        for (int k = 1; k <= kClases; ++k) {
            if (!g.TAI_Clases[k].ClaseEnJuego) continue;
            for (int a = 1; a <= 3; ++a) {
                if (!g.TAI_Clases[k].EmparejamientoPosible[a]) continue;
                for (int b = 1; b <= 2; ++b) {
                    const int f1 = ficha_[k][a][b][1], f2 = ficha_[k][a][b][2];
                    if (f1 >= 1 && f2 >= 1 && libre[f1] && libre[f2])
                        lista.push_back({std::int8_t(k), std::int8_t(a), std::int8_t(b)});
                }
            }
        }
        if (lista.size() < 2) return;
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
    }

    // Whether the position can no longer be cleared, told by the stacks: a
    // tile goes only after every tile lying on it (the unbroken run of tiles
    // above it in its cell), and the two tiles of a pair go together. So no
    // pair may hold two tiles of one run, and among the pairs that are
    // already fixed (a kind with two tiles left, or with four of which only
    // one way into two pairs keeps each pair out of one run) none may have to
    // go both before and after another.
    bool SinSalida() const {
        const auto& g = PuzzGbl;
        // The run each tile on the board belongs to, and its place in it.
        std::array<std::int16_t, kFichas + 1> pila{}, altura{};
        int pilas = 0;
        for (int t = 1; t <= kFichas; ++t) {
            if (!EnTablero(t) || pila[t] != 0) continue;
            const RegistroPieza& p = g.Piezas[t];
            // The bottom of its run, then up the run.
            int l = p.Nivel;
            while (l > 1 && FichaEn(p.Fila, p.Columna, l - 1) != 0 && EnTablero(FichaEn(p.Fila, p.Columna, l - 1))) --l;
            ++pilas;
            for (; l <= kNiveles; ++l) {
                const int u = FichaEn(p.Fila, p.Columna, l);
                if (u == 0 || !EnTablero(u)) break;
                pila[u] = std::int16_t(pilas);
                altura[u] = std::int16_t(l);
            }
        }
        auto unaPila = [&](int x, int y) { return pila[x] == pila[y]; };

        // The fixed pairs, numbered from 1 per tile.
        std::array<std::int8_t, kFichas + 1> pareja{};
        int parejas = 0;
        std::array<std::array<std::int16_t, 2>, kParejas + 1> miembros{};
        for (int k = 1; k <= kClases; ++k) {
            if (!g.TAI_Clases[k].ClaseEnJuego) continue;
            int quedan[4], n = 0;
            for (int c = 1; c <= 4; ++c)
                if (EnTablero(porId_[k][c])) quedan[n++] = porId_[k][c];
            if (n == 2) {
                if (unaPila(quedan[0], quedan[1])) return true;
                ++parejas;
                miembros[parejas] = {std::int16_t(quedan[0]), std::int16_t(quedan[1])};
            } else if (n == 4) {
                // The three ways into two pairs: (0 1)(2 3), (0 2)(1 3), (0 3)(1 2).
                static constexpr int kModos[3][4] = {{0, 1, 2, 3}, {0, 2, 1, 3}, {0, 3, 1, 2}};
                int validos = 0, elegido = 0;
                for (int m = 0; m < 3; ++m) {
                    const int* x = kModos[m];
                    if (!unaPila(quedan[x[0]], quedan[x[1]]) && !unaPila(quedan[x[2]], quedan[x[3]]))
                        ++validos, elegido = m;
                }
                if (validos == 0) return true;
                if (validos == 1) {
                    const int* x = kModos[elegido];
                    miembros[++parejas] = {std::int16_t(quedan[x[0]]), std::int16_t(quedan[x[1]])};
                    miembros[++parejas] = {std::int16_t(quedan[x[2]]), std::int16_t(quedan[x[3]])};
                }
            }
        }
        if (parejas < 2) return false;
        for (int q = 1; q <= parejas; ++q)
            for (int m = 0; m < 2; ++m) pareja[miembros[q][m]] = std::int8_t(q);

        // Pair q must go before pair r when a tile of q lies above a tile of
        // r in one run: a cycle among them cannot be cleared.
        std::array<std::uint64_t, kParejas + 1> antesDe{}; // bit r - 1 of q: q goes before r
        std::array<std::uint64_t, kParejas + 1> antesDeAlto{};
        for (int q = 1; q <= parejas; ++q)
            for (int m = 0; m < 2; ++m) {
                const int t = miembros[q][m];
                const RegistroPieza& p = g.Piezas[t];
                for (int l = altura[t] - 1; l >= 1; --l) {
                    const int u = FichaEn(p.Fila, p.Columna, l);
                    if (u == 0 || pila[u] != pila[t]) break;
                    const int r = pareja[u];
                    if (r == 0 || r == q) continue;
                    if (r <= 64) antesDe[q] |= std::uint64_t(1) << (r - 1);
                    else antesDeAlto[q] |= std::uint64_t(1) << (r - 65);
                }
            }
        // A pair whose two tiles lie in one row run of one level: each of them
        // waits for the whole run on its outer side (its inner side holds its
        // partner), and the tiles between them wait for the pair.
        auto antes = [&](int q, int r) {
            if (q == 0 || r == 0 || q == r) return;
            if (r <= 64) antesDe[q] |= std::uint64_t(1) << (r - 1);
            else antesDeAlto[q] |= std::uint64_t(1) << (r - 65);
        };
        auto presente = [](int r, int c, int l) { return !Ausente(r, c, l); };
        for (int q = 1; q <= parejas; ++q) {
            const RegistroPieza& x = g.Piezas[miembros[q][0]];
            const RegistroPieza& y = g.Piezas[miembros[q][1]];
            if (x.Fila != y.Fila || x.Nivel != y.Nivel) continue;
            const int r = x.Fila, l = x.Nivel;
            const int izq = std::min(x.Columna, y.Columna), der = std::max(x.Columna, y.Columna);
            bool unida = true;
            for (int c = izq + 1; c < der && unida; ++c) unida = presente(r, c, l);
            if (!unida) continue;
            for (int c = izq + 1; c < der; ++c) antes(q, pareja[FichaEn(r, c, l)]);
            for (int c = izq - 1; c >= 1 && presente(r, c, l); --c) antes(pareja[FichaEn(r, c, l)], q);
            for (int c = der + 1; c <= kColumnas && presente(r, c, l); ++c) antes(pareja[FichaEn(r, c, l)], q);
        }
        // Kahn's order: what is left unordered lies on a cycle. The pairs
        // each one goes before are read off its bits.
        auto cadaSucesor = [&](int q, auto&& f) {
            for (std::uint64_t w = antesDe[q]; w != 0; w &= w - 1) f(std::countr_zero(w) + 1);
            for (std::uint64_t w = antesDeAlto[q]; w != 0; w &= w - 1) f(std::countr_zero(w) + 65);
        };
        std::array<int, kParejas + 1> entradas{};
        for (int q = 1; q <= parejas; ++q) cadaSucesor(q, [&](int r) { ++entradas[r]; });
        std::array<int, kParejas + 1> cola{};
        int cabeza = 0, fin = 0;
        for (int q = 1; q <= parejas; ++q)
            if (entradas[q] == 0) cola[fin++] = q;
        while (cabeza < fin) {
            const int q = cola[cabeza++];
            cadaSucesor(q, [&](int r) {
                if (--entradas[r] == 0) cola[fin++] = r;
            });
        }
        return fin < parejas;
    }

    std::array<std::array<std::int16_t, 5>, kClases + 1> porId_{};
    TablaFichas ficha_{};
    bool recuerda_;
    PosicionesFallidas& fallidas_ = Fallidas();
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

const EstadisticaSolucionTaipei& UltimaSolucionTaipei() { return Estadistica(); }
