// The difficulty degree of the puzzle on the table: one number from 0.1 to
// 99.9, higher for harder puzzles, kept in the state header with four
// decimals, shown by the statistics and sorted in the history.
//
// Each game mixes a few terms of about 0 to 100 with fixed weights. Every
// term and the raw degree are single-precision values: each step is worked
// out in double and stored in its float, in order, so that the four decimals
// kept come out the same on every run. A term that cannot be worked out (a
// division by 0, a size the tables do not hold) stays at 0; no infinity or
// NaN reaches the degree.
#include "core/PuzzGbl.h"
#include "model/DeslizantesReglas.h"
#include "model/Partida.h"
#include "model/Taipei.h"
#include "model/Tangram.h"
#include "platform/numbers.h"
#include "platform/surface.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

using namespace juego;

namespace {

// A value worked out in double, kept as the float the degree is made of.
float F(double v) { return float(v); }

// ------------------------------------------------------------------ jigsaw

float GradoPiezasMoviles() {
    const auto& g = PuzzGbl;
    float t1 = 0, t2 = 0, t3 = 0, t4 = 0;
    // Smaller pieces give larger terms: 312 px² gives 100, one step less
    // for every 193 px² more (a hundredth of the span up to 19600 px²).
    if (g.PiezasCasilla != 0) {
        const auto area = std::int32_t(std::int64_t(g.AnchoPieza) * g.AltoPieza / g.PiezasCasilla);
        const auto paso = std::int32_t(plat::roundHalfEven((19600 - 312) / 100.0));
        t1 = F(100 - (area - 312) / double(paso));
    }
    t2 = F((g.NroPiezas - 9) / 8.91); // 9 pieces give 0, 900 give 100
    t3 = F(100 - g.FactorAtraccion);
    t4 = g.GiroPermitido ? 100.0f : 0.0f;
    float d = F((0.6 * t1 + 1.4 * t2 + 1.3 * t3 + 0.7 * t4) / 4);
    d = F(d * (g.FormaPieza / 50.0 + 1)); // the shapes past the rectangles weigh more
    return d;
}

// ---------------------------------------------------------------- sliding

float GradoDeslizantes() {
    const auto& g = PuzzGbl;
    // The disorder each board size is measured against, for 3..9 per side.
    constexpr std::array<int, 7> kReferencia{20, 58, 112, 206, 324, 498, 702};
    float t1 = 0, t2 = 0, t3 = 0;
    if (g.PiezasLado >= 3 && g.PiezasLado <= 9) {
        std::int32_t s = 0;
        for (int i = 1; i <= g.NroPiezas && std::size_t(i) < g.Piezas.size(); ++i) {
            const RegistroPieza& p = g.Piezas[std::size_t(i)];
            s += DistanciaCasillas(p.X, p.Y, p.XDestino, p.YDestino);
        }
        t1 = F(s * 100.0 / kReferencia[std::size_t(g.PiezasLado - 3)]);
    }
    t2 = F((g.NroPiezas - 8) / 0.72); // 8 pieces give 0, 80 give 100
    switch (g.TipoRotulo) {
    case 1: t3 = 100; break; // the picture
    case 2: t3 = 20; break;  // numbers
    case 3: t3 = 35; break;  // letters
    default: break;
    }
    return F((t1 + t2 + t3) / 3);
}

// ---------------------------------------------------------------- Tangram

// What drawing the figure changes beside the surface, put back afterwards:
// grading leaves the piece geometry as the table last asked for it.
struct GeometriaTangramGuardada {
    PuzzGblData& g = PuzzGbl;
    const std::int16_t anchoBase = g.AnchoPiezaBase, altoBase = g.AltoPiezaBase;
    const std::int16_t desplX = g.TAN_DesplX, desplY = g.TAN_DesplY;
    const decltype(g.TAN_VerticeX) verticeX = g.TAN_VerticeX, verticeY = g.TAN_VerticeY;
    ~GeometriaTangramGuardada() {
        g.AnchoPiezaBase = anchoBase, g.AltoPiezaBase = altoBase;
        g.TAN_DesplX = desplX, g.TAN_DesplY = desplY;
        g.TAN_VerticeX = verticeX, g.TAN_VerticeY = verticeY;
    }
};

// The share of the board that the figure covers, sampled on every second
// pixel each way from a drawing of the figure of its own, so that it does
// not depend on which picture the table or the settings window holds.
std::int32_t SuperficieFigura() {
    const auto& g = PuzzGbl;
    constexpr int kMaximo = 4096; // the largest board picture made
    const int ancho = g.AnchoImagen + 2 * g.OrigenX, alto = g.AltoImagen + 2 * g.OrigenY;
    if (g.AnchoImagen < 1 || g.AltoImagen < 1 || ancho > kMaximo || alto > kMaximo) return 0;
    plat::Surface figura(QStringLiteral("figura"), ancho, alto);
    {
        GeometriaTangramGuardada guardada;
        TAN_DibujaModelo(figura);
    }
    const QImage& imagen = std::as_const(figura).image();
    const QRgb lineas = plat::toQRgb(g.ColorLineas);
    std::int32_t c = 0;
    for (int x = g.OrigenX; x <= g.OrigenX + g.AnchoImagen - 1; x += 2)
        for (int y = g.OrigenY; y <= g.OrigenY + g.AltoImagen - 1; y += 2) {
            if (x < 0 || y < 0 || x >= imagen.width() || y >= imagen.height()) continue;
            if ((imagen.pixel(x, y) | 0xFF000000u) == lineas) c += 4; // each sample stands for 2 x 2
        }
    return c;
}

float GradoTangram() {
    const auto& g = PuzzGbl;
    float t1 = 0, t2 = 0;
    const std::int32_t area = std::int32_t(g.AnchoImagen) * g.AltoImagen;
    if (area > 0) t1 = F(SuperficieFigura() * 100.0 / area);
    t2 = F(100 - g.FactorAtraccion);
    return F((t1 + t2) / 2);
}

// ------------------------------------------------------------ pentominoes

float GradoPentominos() {
    const auto& g = PuzzGbl;
    float t1 = 0, t2 = 0;
    // 9360 stored solutions give 0, 4 give 100.
    t1 = F((9360 - g.PEN_NumSoluciones) / 93.56);
    // A square board gives 100, a long thin one little.
    const int largo = std::max(g.FilasTablero, g.ColumnasTablero);
    const int corto = std::min(g.FilasTablero, g.ColumnasTablero);
    if (corto != 0) {
        const float r = F(double(largo) / corto);
        t2 = F(100 - (r - 1) / 0.06333334);
    }
    return F(0.8 * t1 + 0.2 * t2);
}

// ------------------------------------------------------------------ Taipei

float GradoTaipei() {
    auto& g = PuzzGbl;
    TAI_CalculaBloqueos();
    std::int16_t libres = 0;
    std::int32_t s = 0;
    std::array<int, taipei::kFichas> bloqueos{};
    std::size_t n = 0;
    for (int k = 1; k <= taipei::kClases; ++k) {
        std::array<int, 4> b{};
        for (int c = 1; c <= 4; ++c) {
            const std::int16_t t = TAI_BuscaFichaPorId(std::int16_t(k * 10 + c));
            if (TAI_FichaLibre(t)) ++libres;
            b[std::size_t(c - 1)] = t >= 1 && t <= taipei::kFichas ? g.TAI_Bloqueo[std::size_t(t)] : 0;
            bloqueos[n++] = b[std::size_t(c - 1)];
        }
        // How far apart the kind's tiles lie when they are paired the best way.
        const int a = std::abs(b[0] - b[1]) + std::abs(b[2] - b[3]);
        const int d = std::abs(b[0] - b[2]) + std::abs(b[1] - b[3]);
        const int e = std::abs(b[0] - b[3]) + std::abs(b[1] - b[2]);
        s += std::min({a, d, e, 99});
    }
    // The spread of the blocking values: each against its mirror in
    // ascending order.
    std::sort(bloqueos.begin(), bloqueos.end());
    std::int32_t p = 0;
    for (std::size_t i = 0; i < bloqueos.size(); ++i) p += std::abs(bloqueos[i] - bloqueos[bloqueos.size() - 1 - i]);
    float t1 = 0, t2 = 0;
    if (p != 0) t1 = F(s * 100.0 / p);
    t2 = F((libres - 8) * 100.0 / 72); // 8 free tiles give 0, 80 give 100
    return F((t1 + t2) / 2);
}

} // namespace

void CalculaDificultad() {
    auto& g = PuzzGbl;
    // A design on the Tangram table has no figure to grade.
    if (g.TipoJuego == kTangram && g.TAN_ModoJuego == 1) return;
    float d = 0;
    switch (g.TipoJuego) {
    case kPiezasMoviles: d = GradoPiezasMoviles(); break;
    case kDeslizantes: d = GradoDeslizantes(); break;
    case kTangram: d = GradoTangram(); break;
    case kPentominos: d = GradoPentominos(); break;
    case kTaipei: d = GradoTaipei(); break;
    default: break;
    }
    if (!(d > 0)) d = 0.1f;
    if (!(d < 100)) d = 99.9f;
    g.GradoDificultad = double(d);
}
