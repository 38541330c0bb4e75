// The sliding solver: a best-first search over board states that brings the
// lowest-numbered misplaced piece home, keeping the pieces before it home.
//
// Each state holds the whole board, one byte per cell (the piece on it, 0 for
// the hole). Its key is the hole's cell and the cells of pieces 1..target: two
// states that differ only in later pieces are one state to the search. The
// open state with the lowest score (3 x distance of pieces 1..target from home
// plus the cost so far) is expanded next, the oldest one on a tie; its
// children come in increasing piece number, never undoing the slide that
// made it.
#include "model/Deslizantes.h"

#include "core/PuzzGbl.h"
#include "model/DeslizantesReglas.h"
#include "platform/clock.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <queue>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr std::int64_t kIntervaloEventos = 50; // ms

std::function<void()>& Eventos() {
    static std::function<void()> f;
    return f;
}

EstadisticaBusqueda& Estadistica() {
    static EstadisticaBusqueda e;
    return e;
}

struct Estado {
    std::int32_t padre = 0;
    std::int32_t coste = 0;
    std::uint8_t piezaMovida = 0;
    std::uint8_t hueco = 0; // cell, from 0
};

class Busqueda {
public:
    Busqueda(int lado, std::vector<std::uint8_t> tablero, std::vector<std::uint8_t> casa, int objetivo)
        : lado_(lado), celdas_(lado * lado), objetivo_(objetivo), casa_(std::move(casa)) {
        // Near the end of a large board the cost of a step no longer counts.
        sinCoste_ = lado_ >= 5 && celdas_ - objetivo_ < 2 * lado_;
        Estado inicio;
        for (int c = 0; c < celdas_; ++c)
            if (tablero[std::size_t(c)] == 0) inicio.hueco = std::uint8_t(c);
        Anade(inicio, tablero.data(), Clave(tablero.data(), inicio.hueco), 0);
    }

    // The pieces to slide from the goal back to the start; empty when none.
    std::vector<std::int16_t> Resuelve(bool& tope) {
        tope = false;
        std::vector<std::uint8_t> hijo(static_cast<std::size_t>(celdas_));
        std::int64_t ultimoEvento = plat::msClock();
        while (!abiertos_.empty()) {
            const std::int32_t mejor = abiertos_.top().indice;
            abiertos_.pop();
            const Estado padre = estados_[std::size_t(mejor)];
            const std::uint8_t* tablero = Tablero(mejor);
            const int posObjetivo = sinCoste_ ? 0 : Posicion(tablero, objetivo_);
            for (int p : Movibles(tablero, padre.hueco)) {
                if (mejor != 0 && p == padre.piezaMovida) continue;
                const int desde = Posicion(tablero, p);
                const int d = sinCoste_ ? 0 : Distancia(desde, posObjetivo);
                std::copy(tablero, tablero + celdas_, hijo.begin());
                hijo[std::size_t(padre.hueco)] = std::uint8_t(p);
                hijo[std::size_t(desde)] = 0;
                std::string clave = Clave(hijo.data(), desde);
                if (claves_.count(clave)) continue;
                if (int(estados_.size()) >= kMaxEstadosBusqueda) {
                    tope = true;
                    return {};
                }
                Estado e;
                e.padre = mejor;
                e.coste = padre.coste + d;
                e.piezaMovida = std::uint8_t(p);
                e.hueco = std::uint8_t(desde);
                const int h = Heuristica(hijo.data());
                const std::int32_t indice = Anade(e, hijo.data(), std::move(clave), 3 * h + e.coste);
                if (h == 0) return Camino(indice);
                // Refresh pointers: the store may have grown.
                tablero = Tablero(mejor);
            }
            if (Eventos() && plat::msClock() - ultimoEvento >= kIntervaloEventos) {
                Eventos()();
                ultimoEvento = plat::msClock();
            }
        }
        return {};
    }

    int Estados() const { return int(estados_.size()); }
    std::size_t Memoria() const {
        std::size_t claves = 0;
        for (const auto& c : claves_) claves += sizeof(c) + c.capacity() + 2 * sizeof(void*);
        return estados_.capacity() * sizeof(Estado) + tableros_.capacity() + claves +
               claves_.bucket_count() * sizeof(void*) + abiertos_.size() * sizeof(Abierto);
    }

private:
    struct Abierto {
        std::int32_t puntuacion;
        std::int32_t indice;
        // The lowest score first, then the oldest state.
        bool operator<(const Abierto& o) const {
            return puntuacion != o.puntuacion ? puntuacion > o.puntuacion : indice > o.indice;
        }
    };

    const std::uint8_t* Tablero(std::int32_t i) const { return tableros_.data() + std::size_t(i) * std::size_t(celdas_); }

    int Posicion(const std::uint8_t* t, int pieza) const {
        for (int c = 0; c < celdas_; ++c)
            if (t[c] == pieza) return c;
        return 0;
    }

    int Distancia(int a, int b) const { return std::abs(a % lado_ - b % lado_) + std::abs(a / lado_ - b / lado_); }

    int Heuristica(const std::uint8_t* t) const {
        int h = 0;
        for (int c = 0; c < celdas_; ++c)
            if (t[c] != 0 && t[c] <= objetivo_) h += Distancia(c, casa_[t[c]]);
        return h;
    }

    // The pieces next to the hole, in increasing number.
    std::vector<int> Movibles(const std::uint8_t* t, int hueco) const {
        std::vector<int> m;
        const int f = hueco / lado_, c = hueco % lado_;
        if (f > 0) m.push_back(t[hueco - lado_]);
        if (f < lado_ - 1) m.push_back(t[hueco + lado_]);
        if (c > 0) m.push_back(t[hueco - 1]);
        if (c < lado_ - 1) m.push_back(t[hueco + 1]);
        std::sort(m.begin(), m.end());
        return m;
    }

    std::string Clave(const std::uint8_t* t, int hueco) const {
        std::string k(std::size_t(objetivo_) + 1, '\0');
        k[0] = char(hueco);
        for (int c = 0; c < celdas_; ++c)
            if (t[c] != 0 && t[c] <= objetivo_) k[t[c]] = char(c);
        return k;
    }

    std::int32_t Anade(const Estado& e, const std::uint8_t* t, std::string clave, std::int32_t puntuacion) {
        const auto indice = std::int32_t(estados_.size());
        estados_.push_back(e);
        tableros_.insert(tableros_.end(), t, t + celdas_);
        claves_.insert(std::move(clave));
        abiertos_.push({puntuacion, indice});
        return indice;
    }

    std::vector<std::int16_t> Camino(std::int32_t i) const {
        std::vector<std::int16_t> c;
        for (; i > 0; i = estados_[std::size_t(i)].padre) c.push_back(estados_[std::size_t(i)].piezaMovida);
        return c;
    }

    int lado_, celdas_, objetivo_;
    bool sinCoste_ = false;
    std::vector<std::uint8_t> casa_; // home cell by piece
    std::vector<Estado> estados_;    // index 0 is the start state
    std::vector<std::uint8_t> tableros_;
    std::unordered_set<std::string> claves_;
    std::priority_queue<Abierto> abiertos_;
};

} // namespace

void RegistraEventosSolucion(std::function<void()> eventos) { Eventos() = std::move(eventos); }

const EstadisticaBusqueda& UltimaBusqueda() { return Estadistica(); }

void ResuelveDeslizantes() {
    auto& g = PuzzGbl;
    g.NumPasosSolucion = 0;
    g.SinCaminoSolucion = false;
    g.CaminoSolucion.assign(101, 0);
    Estadistica() = {};
    if (g.BuscandoSolucion) return; // a search is running already
    const int lado = g.PiezasLado;
    if (lado < 2 || lado > 15 || !TableroCoherente()) {
        g.SinCaminoSolucion = true;
        return;
    }
    const int celdas = lado * lado;
    std::vector<std::uint8_t> tablero(std::size_t(celdas), 0), casa(std::size_t(celdas), 0);
    int objetivo = 0;
    for (int p = 1; p <= g.NroPiezas; ++p) {
        const auto& pz = g.Piezas[std::size_t(p)];
        tablero[std::size_t(CasillaEnPunto(pz.X, pz.Y) - 1)] = std::uint8_t(p);
        const int c = CasillaEnPunto(pz.XDestino, pz.YDestino);
        if (c < 1 || c > celdas) {
            g.SinCaminoSolucion = true;
            return;
        }
        casa[std::size_t(p)] = std::uint8_t(c - 1);
        if (objetivo == 0 && (pz.X != pz.XDestino || pz.Y != pz.YDestino)) objetivo = p;
    }
    if (objetivo == 0) return; // solved: nothing to do

    g.BuscandoSolucion = true;
    Busqueda b(lado, std::move(tablero), std::move(casa), objetivo);
    bool tope = false;
    const std::vector<std::int16_t> camino = b.Resuelve(tope);
    g.BuscandoSolucion = false;

    auto& e = Estadistica();
    e.estados = b.Estados();
    e.memoria = b.Memoria();
    e.tope = tope;
    if (camino.empty()) {
        g.SinCaminoSolucion = true;
        return;
    }
    g.CaminoSolucion.assign(std::max<std::size_t>(101, camino.size() + 1), 0);
    for (std::size_t i = 0; i < camino.size(); ++i) g.CaminoSolucion[i + 1] = camino[i];
    g.NumPasosSolucion = std::int32_t(camino.size());
}
