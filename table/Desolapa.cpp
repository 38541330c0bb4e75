#include "table/Desolapa.h"

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "imaging/Dibujo.h"
#include "imaging/ImagenPieza.h"
#include "model/Juego.h"
#include "model/Pasos.h"
#include "model/Tangram.h"
#include "platform/numbers.h"
#include "platform/region.h"
#include "table/Botonera.h"

#include <algorithm>
#include <cstdlib>

namespace {

using namespace juego;


int Signo(int v) { return (v > 0) - (v < 0); }

plat::Region RegionDe(const Poligono& p) { return plat::Region::polygon(p, plat::rgn::kWinding); }

bool EsPiezaTangram(int p) { return p >= 1 && p <= 7 && pasos::PiezaValida(std::int16_t(p)); }

// The other pieces of the table in piece order, without `pieza`.
std::vector<int> OtrasPiezas(int pieza) {
    std::vector<int> v;
    for (int j = 1; j <= 7; ++j)
        if (j != pieza && EsPiezaTangram(j)) v.push_back(j);
    return v;
}

Poligono PoligonoActual(int pieza) {
    const RegistroPieza& r = PuzzGbl.Piezas[std::size_t(pieza)];
    return PoligonoTangram(std::int16_t(pieza), r.X, r.Y, r.Giro, r.Volteo);
}

// The piece's place moved by a shift; false when 16 bits cannot hold it.
bool Mueve(RegistroPieza& r, QPoint d) {
    const long long x = (long long)r.X + d.x(), y = (long long)r.Y + d.y();
    if (x < -32768 || x > 32767 || y < -32768 || y > 32767) return false;
    r.X = std::int16_t(x);
    r.Y = std::int16_t(y);
    return true;
}

// Draws the piece on the back buffer and shows the table.
void DibujaYMuestra(std::int16_t p) {
    pasos::Paso([p] {
        GeneraImagenPieza(p);
        DibujaPiezaEnImagen(mesa.Pic_Imagen, p);
    });
    pasos::Paso([] { mesa.Pic_Trabajo_Paint(); });
}

} // namespace

// ---- the rules ----------------------------------------------------------------

QPoint PasoDireccion(int d) {
    static constexpr int kX[] = {0, 1, 1, 1, 0, -1, -1, -1};
    static constexpr int kY[] = {-1, -1, 0, 1, 1, 1, 0, -1};
    if (d < 0 || d > 7) return {0, 0};
    return {kX[d], kY[d]};
}

int DireccionOpuesta(int d) { return d < 4 ? d + 4 : d - 4; }

QPoint EmpujeDe(int d, int D) {
    const int a = D / 2, b = D - D / 2;
    switch (d) {
    case 0: return {0, -D};
    case 1: return {a, -b};
    case 2: return {D, 0};
    case 3: return {a, b};
    case 4: return {0, D};
    case 5: return {-a, b};
    case 6: return {-D, 0};
    case 7: return {-a, -b};
    default: return {0, 0};
    }
}

std::vector<Empuje> ClasificaEmpujes(const std::vector<Empuje>& empujes) {
    std::vector<Empuje> v = empujes;
    std::stable_sort(v.begin(), v.end(), [](const Empuje& a, const Empuje& b) {
        return a.distancia != b.distancia ? a.distancia < b.distancia : a.direccion < b.direccion;
    });
    return v;
}

std::optional<int> EligeRango(const std::vector<Empuje>& clasificacion, int solapes, int previa,
                              const std::function<bool(const Empuje&)>& admisible) {
    const int n = int(clasificacion.size());
    const bool hayPrevia = previa >= 0 && previa <= 7;
    auto enRango = [n](int k) { return k >= 0 && k < n && k <= 7; };
    int k = 0;
    for (int rechazos = 0; rechazos < kMaxRechazos; ++rechazos, ++k) {
        if (hayPrevia && enRango(k) && clasificacion[std::size_t(k)].direccion == DireccionOpuesta(previa)) ++k;
        if (solapes > 5) {
            k += solapes % 7;
            if (k > 7) k -= 8;
        }
        if (enRango(k) && admisible(clasificacion[std::size_t(k)])) return k;
    }
    return std::nullopt;
}

bool LugarAdmisible(int x, int y, int w, int h, const LimitesMesa& l) {
    if (x < 0 || y < 0 || x > l.ancho - w || y > l.alto - h) return false;
    return !(l.conBotonera && x > l.botoneraIzquierda - w && y < l.botoneraAlto);
}

bool PoligonosSeSolapan(const Poligono& a, const Poligono& b) { return RegionDe(a).intersects(RegionDe(b)); }

ResultadoDesolape DesolapaPoligono(const Poligono& pieza, QPoint lugar, int w, int h,
                                   const std::vector<Poligono>& otras, const LimitesMesa& limites) {
    ResultadoDesolape res;
    const plat::Region movil = RegionDe(pieza);
    std::vector<plat::Region> regiones;
    regiones.reserve(otras.size());
    for (const Poligono& o : otras) regiones.push_back(RegionDe(o));
    QPoint& total = res.desplazamiento;
    auto cubre = [&](const plat::Region& otra, QPoint d) { return otra.intersects(movil, d.x(), d.y()); };
    auto primeraCubierta = [&]() -> const plat::Region* {
        for (const plat::Region& r : regiones)
            if (cubre(r, total)) return &r;
        return nullptr;
    };

    for (int empujes = 0;; ++empujes) {
        const plat::Region* j = primeraCubierta();
        if (!j) return res;
        if (empujes == kMaxEmpujes) {
            res.tope = true;
            return res;
        }
        ++res.solapes;
        // How far each direction goes before the piece is free of j.
        std::vector<Empuje> empujesPosibles;
        for (int d = 0; d <= 7; ++d) {
            const QPoint paso = PasoDireccion(d);
            int n = 0;
            do {
                ++n;
            } while (cubre(*j, total + paso * n));
            empujesPosibles.push_back({std::abs(paso.x() * n) + std::abs(paso.y() * n) + 1, d});
        }
        res.clasificacion = ClasificaEmpujes(empujesPosibles);
        // The previous push's direction; past the table's last entry there is none.
        const int previa = res.solapes - 1 <= 20 ? res.direcciones[std::size_t(res.solapes - 1)] : kDireccionLibre;
        const QPoint aqui = lugar + total;
        const auto rango = EligeRango(res.clasificacion, res.solapes, previa, [&](const Empuje& e) {
            const QPoint nuevo = aqui + EmpujeDe(e.direccion, e.distancia);
            return LugarAdmisible(nuevo.x(), nuevo.y(), w, h, limites);
        });
        if (!rango) {
            res.tope = true;
            return res;
        }
        const Empuje& e = res.clasificacion[std::size_t(*rango)];
        total += EmpujeDe(e.direccion, e.distancia);
        if (res.solapes <= 20) res.direcciones[std::size_t(res.solapes)] = std::int16_t(e.direccion);
    }
}

QPoint PegaPoligono(const Poligono& pieza, QPoint etiqueta, const std::vector<Vecina>& otras) {
    const plat::Region movil = RegionDe(pieza);
    std::vector<plat::Region> regiones;
    regiones.reserve(otras.size());
    for (const Vecina& o : otras) regiones.push_back(RegionDe(o.poligono));
    for (int k = 2; k <= 7; ++k) {
        for (std::size_t j = 0; j < otras.size(); ++j) {
            const int dx = otras[j].etiqueta.x() - etiqueta.x();
            const int dy = otras[j].etiqueta.y() - etiqueta.y();
            const int suma = std::abs(dy) + std::abs(dx);
            if (suma == 0) continue; // no direction towards a point on the piece's own
            const float r = float(double(std::abs(std::abs(dy) - std::abs(dx))) / double(suma));
            int d;
            if (double(r) > 0.35) {
                if (std::abs(dx) >= std::abs(dy))
                    d = dx > 0 ? 2 : 6;
                else
                    d = dy > 0 ? 4 : 0;
            } else if (dx > 0) {
                d = dy > 0 ? 3 : 1;
            } else {
                d = dy > 0 ? 5 : 7;
            }
            const QPoint s = PasoDireccion(d) * k;
            if (!regiones[j].intersects(movil, s.x(), s.y())) continue;
            const QPoint pegado(s.x() - 2 * Signo(s.x()), s.y() - 2 * Signo(s.y()));
            // Pulled against one neighbour, it must not land on another.
            for (const plat::Region& r : regiones)
                if (r.intersects(movil, pegado.x(), pegado.y())) return {0, 0};
            return pegado;
        }
    }
    return {0, 0};
}

// ---- the window's procedures ----------------------------------------------------

Poligono PoligonoTangram(std::int16_t pieza, int x, int y, std::int16_t giro, std::int16_t volteo) {
    if (pieza < 1 || pieza > 7) return {};
    auto& g = PuzzGbl;
    // A row the orientation does not fill stays empty.
    g.TAN_VerticeX[std::size_t(pieza)].fill(0);
    g.TAN_VerticeY[std::size_t(pieza)].fill(0);
    TAN_TamanoPieza(pieza, giro, volteo);
    TAN_CalculaVertices(pieza, giro, volteo);
    Poligono p;
    for (int k = 1; k <= (pieza <= 5 ? 3 : 4); ++k)
        p.emplace_back(x + g.TAN_VerticeX[std::size_t(pieza)][std::size_t(k)],
                       y + g.TAN_VerticeY[std::size_t(pieza)][std::size_t(k)]);
    return p;
}

void TAN_DesolapaPieza() {
    auto& g = PuzzGbl;
    g.TAN_DireccionesProbadas.fill(kDireccionLibre);
    g.TAN_Solapes = 0;
    const std::int16_t p = g.PiezaSeleccionada;
    if (g.TipoJuego != kTangram || !EsPiezaTangram(p)) return;
    pasos::Paso([p] { BorraPiezaDeImagen(p); });
    pasos::Paso([&g, p] {
        RegistroPieza& r = g.Piezas[std::size_t(p)];
        const int w = AnchoPiezaGirada(p, r.Giro, r.Volteo);
        const int h = AltoPiezaGirada(p, r.Giro, r.Volteo);
        std::vector<Poligono> otras;
        for (int j : OtrasPiezas(p)) otras.push_back(PoligonoActual(j));
        LimitesMesa limites;
        limites.ancho = g.AnchoMesa;
        limites.alto = g.AltoMesa;
        if (BotoneraEnMesa()) {
            limites.conBotonera = true;
            limites.botoneraIzquierda = mesa.Pic_Botonera.left();
            limites.botoneraAlto = mesa.Pic_Botonera.height();
        }
        const ResultadoDesolape res = DesolapaPoligono(PoligonoActual(p), {r.X, r.Y}, w, h, otras, limites);
        g.TAN_Solapes = std::int16_t(std::min(res.solapes, 32767));
        g.TAN_DireccionesProbadas = res.direcciones;
        if (res.solapes > 0) {
            mesa.Lis_Ordenar.Clear();
            for (const Empuje& e : res.clasificacion) {
                mesa.Lis_Ordenar.AddItem(QStringLiteral("%1").arg(e.distancia, 3, 10, QChar('0')));
                mesa.Lis_Ordenar.setItemData(mesa.Lis_Ordenar.NewIndex(), e.direccion);
            }
        }
        Mueve(r, res.desplazamiento);
    });
    DibujaYMuestra(p);
}

void TAN_PegaDosPiezas() {
    auto& g = PuzzGbl;
    const std::int16_t p = g.PiezaSeleccionada;
    if (g.TipoJuego != kTangram || !EsPiezaTangram(p)) return;
    pasos::Paso([p] { BorraPiezaDeImagen(p); });
    pasos::Paso([&g, p] {
        RegistroPieza& r = g.Piezas[std::size_t(p)];
        auto etiqueta = [&g](int j) {
            const RegistroPieza& q = g.Piezas[std::size_t(j)];
            TAN_PuntoEtiqueta(std::int16_t(j), q.Giro, q.Volteo);
            return QPoint(q.X + g.TAN_DesplX, q.Y + g.TAN_DesplY);
        };
        const QPoint propia = etiqueta(p);
        std::vector<Vecina> otras;
        for (int j : OtrasPiezas(p)) otras.push_back({PoligonoActual(j), etiqueta(j)});
        Mueve(r, PegaPoligono(PoligonoActual(p), propia, otras));
    });
    DibujaYMuestra(p);
}

bool TAN_DestinoLibre(std::int16_t pieza) {
    if (!EsPiezaTangram(pieza)) return false;
    const RegistroPieza& r = PuzzGbl.Piezas[std::size_t(pieza)];
    const plat::Region casa =
        RegionDe(PoligonoTangram(pieza, r.XDestino, r.YDestino, r.GiroDestino, r.VolteoDestino));
    for (int j : OtrasPiezas(pieza))
        if (casa.intersects(RegionDe(PoligonoActual(j)))) return false;
    return true;
}
