#include "model/DeslizantesReglas.h"

#include "core/PuzzGbl.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "platform/numbers.h"
#include "platform/random.h"

#include <cstdlib>
#include <vector>

namespace {

struct Celda {
    int columna = 0, fila = 0;
};

int Redondea(double v) { return int(plat::roundHalfEven(v)); }

Celda CeldaEnPunto(int x, int y) {
    const auto& g = PuzzGbl;
    if (g.AnchoPieza == 0 || g.AltoPieza == 0) return {};
    return {Redondea(double(x - g.OrigenX) / g.AnchoPieza), Redondea(double(y - g.OrigenY) / g.AltoPieza)};
}

// The number of cells of the board, N x N.
int Casillas() { return int(PuzzGbl.PiezasLado) * PuzzGbl.PiezasLado; }

} // namespace

bool TableroCoherente() {
    const auto& g = PuzzGbl;
    const int n = Casillas();
    if (g.PiezasLado < 1 || g.NroPiezas != n - 1 || g.Piezas.size() < std::size_t(n)) return false;
    std::vector<bool> ocupada(std::size_t(n) + 1, false);
    auto toma = [&](int x, int y) {
        const Celda celda = CeldaEnPunto(x, y);
        if (celda.columna < 0 || celda.columna >= g.PiezasLado || celda.fila < 0 || celda.fila >= g.PiezasLado)
            return false;
        const int c = celda.fila * g.PiezasLado + celda.columna + 1;
        if (ocupada[std::size_t(c)]) return false;
        ocupada[std::size_t(c)] = true;
        return true;
    };
    if (!toma(g.AgujeroX, g.AgujeroY)) return false;
    for (int i = 1; i <= g.NroPiezas; ++i)
        if (!toma(g.Piezas[std::size_t(i)].X, g.Piezas[std::size_t(i)].Y)) return false;
    return true;
}

namespace {

// Every piece home, the hole in the last cell.
void PonTableroResuelto() {
    auto& g = PuzzGbl;
    const int n = g.PiezasLado;
    for (int i = 1; i <= g.NroPiezas && std::size_t(i) < g.Piezas.size(); ++i) {
        auto& p = g.Piezas[std::size_t(i)];
        p.X = std::int16_t(g.OrigenX + ((i - 1) % n) * g.AnchoPieza);
        p.Y = std::int16_t(g.OrigenY + ((i - 1) / n) * g.AltoPieza);
    }
    g.AgujeroX = std::int16_t(g.OrigenX + (n - 1) * g.AnchoPieza);
    g.AgujeroY = std::int16_t(g.OrigenY + (n - 1) * g.AltoPieza);
}

} // namespace

std::int16_t CasillaEnPunto(std::int16_t x, std::int16_t y) {
    const Celda c = CeldaEnPunto(x, y);
    return std::int16_t(c.fila * PuzzGbl.PiezasLado + c.columna + 1);
}

std::int16_t DistanciaCasillas(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
    const Celda a = CeldaEnPunto(x1, y1), b = CeldaEnPunto(x2, y2);
    return std::int16_t(std::abs(b.columna - a.columna) + std::abs(b.fila - a.fila));
}

void DireccionDeslizamiento(std::int16_t pieza) {
    auto& g = PuzzGbl;
    g.DireccionDeslizar = 0;
    if (!pasos::PiezaValida(pieza)) return;
    const auto& p = g.Piezas[std::size_t(pieza)];
    const Celda c = CeldaEnPunto(p.X, p.Y), h = CeldaEnPunto(g.AgujeroX, g.AgujeroY);
    if (c.columna == h.columna && c.fila == h.fila + 1) g.DireccionDeslizar = 1;
    else if (c.columna == h.columna && c.fila == h.fila - 1) g.DireccionDeslizar = 3;
    else if (c.fila == h.fila && c.columna == h.columna + 1) g.DireccionDeslizar = 4;
    else if (c.fila == h.fila && c.columna == h.columna - 1) g.DireccionDeslizar = 2;
}

void BuscaPiezasMovibles() {
    auto& g = PuzzGbl;
    g.PiezasMovibles = {};
    g.NumMovibles = 0;
    for (int i = 1; i <= g.NroPiezas && g.NumMovibles < 4; ++i) {
        DireccionDeslizamiento(std::int16_t(i));
        if (g.DireccionDeslizar != 0) g.PiezasMovibles[std::size_t(++g.NumMovibles)] = std::int16_t(i);
    }
    g.DireccionDeslizar = 0;
}

bool EsResoluble() {
    const auto& g = PuzzGbl;
    constexpr int kHueco = 999;
    const int n = g.NroPiezas + 1;
    // A piece off the board or two on one cell is no arrangement at all.
    if (!TableroCoherente()) return false;
    std::vector<int> valor(std::size_t(n) + 1, 0);
    auto pon = [&](int x, int y, int v) {
        const int c = CasillaEnPunto(std::int16_t(x), std::int16_t(y));
        if (c >= 1 && c <= n) valor[std::size_t(c)] = v;
    };
    for (int i = 1; i <= g.NroPiezas && std::size_t(i) < g.Piezas.size(); ++i)
        pon(g.Piezas[std::size_t(i)].X, g.Piezas[std::size_t(i)].Y, i);
    pon(g.AgujeroX, g.AgujeroY, kHueco);
    long long inversiones = 0;
    for (int i = 1; i <= g.NroPiezas; ++i) {
        if (valor[std::size_t(i)] == kHueco) continue;
        for (int j = i + 1; j <= n; ++j)
            if (valor[std::size_t(j)] < valor[std::size_t(i)]) ++inversiones;
    }
    long long suma = inversiones;
    if (g.PiezasLado % 2 == 0 && g.AltoPieza != 0)
        suma += Redondea(double(g.AgujeroY - g.OrigenY) / g.AltoPieza + 1);
    return suma % 2 == 0;
}

void BarajaDeslizantes() {
    auto& g = PuzzGbl;
    // Exchanges only fix the parity of a board that holds each piece and the
    // hole on a cell of its own; anything else starts from the solved board.
    if (!TableroCoherente()) PonTableroResuelto();
    if (g.NroPiezas >= 2 && TableroCoherente()) {
        int cuenta = 0;
        for (;;) {
            ++cuenta;
            const int a = plat::rndInt(g.NroPiezas), b = plat::rndInt(g.NroPiezas);
            auto& pa = g.Piezas[std::size_t(a)];
            auto& pb = g.Piezas[std::size_t(b)];
            std::swap(pa.X, pb.X);
            std::swap(pa.Y, pb.Y);
            if (cuenta >= 3 * g.NroPiezas && EsResoluble()) break;
        }
    }
    IniciaGrabadora();
    CalculaDificultad();
}
