#include "model/Pentominos.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Sustitutos.h"
#include "core/mesa.h"
#include "imaging/MesaLisa.h"
#include "model/Modelos.h"
#include "model/RegistrosModelo.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "platform/blit.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"
#include "platform/random.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

using pasos::Paso;

namespace {

constexpr int kPiezas = 12;
constexpr int kFilasModelo = 16, kColumnasModelo = 22;
constexpr int kColumnaCeldas = 34; // first cell of a board record, from 1
constexpr int kLargoSolucion = 74; // the solution line up to its last read column
constexpr int kMaxSoluciones = 9999;
constexpr plat::Color kRellenoCelda = 0x808080, kBordeCelda = 0xE0E0E0;

// A number written in decimal digits, blanks around it allowed; nothing for
// an empty field or any other character.
std::optional<int> Cifras(const char* t, int ancho) {
    int a = 0, b = ancho;
    while (a < b && t[a] == ' ') ++a;
    while (b > a && t[b - 1] == ' ') --b;
    if (a == b) return std::nullopt;
    int v = 0;
    for (int i = a; i < b; ++i) {
        if (t[i] < '0' || t[i] > '9') return std::nullopt;
        v = v * 10 + (t[i] - '0');
    }
    return v;
}

std::optional<int> Cifras(const QString& t) {
    const QByteArray b = t.toLatin1();
    return Cifras(b.constData(), int(b.size()));
}

// An empty board without solutions.
void VaciaModelo() {
    auto& g = PuzzGbl;
    g.FilasTablero = 0;
    g.ColumnasTablero = 0;
    g.PEN_NumSoluciones = 0;
    g.PEN_Modelo = {};
    g.PEN_Soluciones.assign(1, PEN_RegistroSolucion{});
}

// Reads board record `nro` into the board; false (and an empty board) when
// there is no such record, it is an empty slot or it is damaged. `cuenta`
// receives its solution count.
bool LeeTablero(std::int16_t nro, int& cuenta) {
    auto& g = PuzzGbl;
    // Line nro of the file: past the end, a damaged line or an empty slot
    // is no board.
    QString motivo;
    const QString r = LeeRegistroModelo(FormatoModelosPentominos(), nro, &motivo);
    if (!motivo.isEmpty()) return false;
    const auto filas = Cifras(r.mid(25, 2));
    const auto columnas = Cifras(r.mid(27, 2));
    const auto soluciones = Cifras(r.mid(29, 4));
    if (!filas || !columnas || !soluciones || *filas < 1 || *filas > kFilasModelo || *columnas < 1 ||
        *columnas > kColumnasModelo)
        return false;
    std::array<std::array<bool, 23>, 17> modelo{};
    for (int f = 1; f <= kFilasModelo; ++f)
        for (int c = 1; c <= kColumnasModelo; ++c) {
            const QChar ch = r.at(kColumnaCeldas - 1 + (f - 1) * kColumnasModelo + (c - 1));
            if (ch < u'0' || ch > u'9') return false;
            modelo[std::size_t(f)][std::size_t(c)] = ch == u'1';
        }
    g.FilasTablero = std::int16_t(*filas);
    g.ColumnasTablero = std::int16_t(*columnas);
    g.PEN_Modelo = modelo;
    cuenta = *soluciones;
    return true;
}

// One solution line; false when a field is not a number or out of range.
bool LeeSolucion(const char* l, PEN_RegistroSolucion& s) {
    for (int p = 1; p <= kPiezas; ++p) {
        const char* campo = l + 6 * p - 4; // column 6p - 3, from 1
        const auto fila = Cifras(campo, 2);
        const auto columna = Cifras(campo + 2, 2);
        const auto giro = Cifras(campo + 4, 1);
        const auto volteo = Cifras(campo + 5, 1);
        if (!fila || !columna || !giro || !volteo || *fila < 1 || *fila > kFilasModelo || *columna < 1 ||
            *columna > kColumnasModelo || *giro > 3 || *volteo > 1)
            return false;
        s.Fila[std::size_t(p)] = std::int16_t(*fila);
        s.Columna[std::size_t(p)] = std::int16_t(*columna);
        s.Giro[std::size_t(p)] = std::int16_t(*giro);
        s.Volteo[std::size_t(p)] = std::int16_t(*volteo);
    }
    return true;
}

// The solution lines of board `nro`, in file order, at most `cuenta`.
void LeeSoluciones(std::int16_t nro, int cuenta) {
    auto& g = PuzzGbl;
    QByteArray datos;
    try {
        datos = plat::readFile(plat::findFileCaseInsensitive(g.RutaArchivo, QStringLiteral("SolPen.mlp")));
    } catch (const plat::RuntimeError&) {
        return;
    }
    std::vector<PEN_RegistroSolucion> soluciones(1);
    soluciones.reserve(std::size_t(cuenta) + 1);
    const char* p = datos.constData();
    const char* fin = p + datos.size();
    while (p < fin && int(soluciones.size()) <= cuenta) {
        const char* salto = static_cast<const char*>(std::memchr(p, '\n', std::size_t(fin - p)));
        const char* finLinea = salto ? salto : fin;
        if (finLinea - p >= kLargoSolucion && Cifras(p, 2) == int(nro)) {
            PEN_RegistroSolucion s;
            if (LeeSolucion(p, s)) soluciones.push_back(s);
        }
        p = salto ? salto + 1 : fin;
    }
    g.PEN_Soluciones = std::move(soluciones);
    g.PEN_NumSoluciones = std::int16_t(g.PEN_Soluciones.size() - 1);
}

// The table: the table's colour with the board's cells in grey, kept as the
// back buffer's picture and copied as the empty table.
void DibujaTablero() {
    PreparaFondoLiso([](plat::Surface& im) {
        const auto& g = PuzzGbl;
        im.setFillStyle(plat::FillStyle::Solid);
        im.setFillColor(kRellenoCelda);
        const int l = g.LadoCelda;
        for (int f = 1; f <= kFilasModelo; ++f)
            for (int c = 1; c <= kColumnasModelo; ++c) {
                if (!g.PEN_Modelo[std::size_t(f)][std::size_t(c)]) continue;
                const int x = g.OrigenX + (c - 1) * l, y = g.OrigenY + (f - 1) * l;
                im.box(x, y, x + l, y + l, kBordeCelda);
            }
    });
}

} // namespace

void PEN_TransformaPieza(std::int16_t pieza, std::int16_t giro, std::int16_t volteo) {
    auto& g = PuzzGbl;
    if (pieza < 1 || pieza > kPiezas) return;
    const PEN_RegistroForma& f = g.PEN_TablaPiezas[std::size_t(pieza)];
    // Four quarter turns bring the shape back.
    const int r = ((giro % 4) + 4) % 4;
    const bool derecha = r == 0 || r == 2;
    auto& t = g.PEN_PiezaGirada;
    t.Ancho = derecha ? f.Ancho : f.Alto;
    t.Alto = derecha ? f.Alto : f.Ancho;
    int minX = 9, minY = 9;
    for (std::size_t k = 1; k <= 5; ++k) {
        int x = f.CeldaX[k], y = f.CeldaY[k];
        for (int v = 0; v < r; ++v) {
            const int giradaX = 4 - y;
            y = x;
            x = giradaX;
        }
        if (volteo == 1) {
            if (derecha) x = (f.Ancho - 1) - x;
            else y = (f.Alto - 1) - y;
        }
        t.X[k] = std::int16_t(x);
        t.Y[k] = std::int16_t(y);
        minX = std::min(minX, x);
        minY = std::min(minY, y);
    }
    for (std::size_t k = 1; k <= 5; ++k) {
        t.X[k] = std::int16_t(t.X[k] - minX);
        t.Y[k] = std::int16_t(t.Y[k] - minY);
    }
}

void PEN_TamanoPieza(std::int16_t pieza, std::int16_t giro) {
    auto& g = PuzzGbl;
    if (pieza < 1 || pieza > kPiezas) return;
    const auto& f = g.PEN_TablaPiezas[std::size_t(pieza)];
    const bool derecha = giro % 2 == 0;
    const int ancho = derecha ? f.Ancho : f.Alto;
    const int alto = derecha ? f.Alto : f.Ancho;
    try {
        const auto w = plat::toInt16(static_cast<long long>(ancho) * g.LadoCelda + 1);
        const auto h = plat::toInt16(static_cast<long long>(alto) * g.LadoCelda + 1);
        g.AnchoPiezaBase = w;
        g.AltoPiezaBase = h;
    } catch (const plat::RuntimeError&) {
    }
}

bool PEN_LeeModelo(std::int16_t nro) {
    VaciaModelo();
    int cuenta = 0;
    if (!LeeTablero(nro, cuenta)) return false;
    LeeSoluciones(nro, std::min(cuenta, kMaxSoluciones));
    return PuzzGbl.PEN_NumSoluciones > 0;
}

void PEN_FijaSolucion() {
    auto& g = PuzzGbl;
    const int s = g.PEN_SolucionActual;
    if (s < 1 || s > g.PEN_NumSoluciones || static_cast<std::size_t>(s) >= g.PEN_Soluciones.size()) return;
    const auto& sol = g.PEN_Soluciones[std::size_t(s)];
    const int ultima = std::min<int>(kPiezas, int(g.Piezas.size()) - 1);
    for (int p = 1; p <= ultima; ++p) {
        Paso([&] {
            auto& pz = g.Piezas[std::size_t(p)];
            const auto x = plat::toInt16(g.OrigenX + (sol.Columna[std::size_t(p)] - 1LL) * g.LadoCelda);
            const auto y = plat::toInt16(g.OrigenY + (sol.Fila[std::size_t(p)] - 1LL) * g.LadoCelda);
            pz.XDestino = x;
            pz.YDestino = y;
            pz.GiroDestino = sol.Giro[std::size_t(p)];
            pz.VolteoDestino = sol.Volteo[std::size_t(p)];
        });
    }
}

void PEN_PreparaJuego(bool nuevo) {
    AnotaLlamada(QStringLiteral("PEN_PreparaJuego ") + (nuevo ? QStringLiteral("-1") : QStringLiteral("0")));
    auto& g = PuzzGbl;
    Paso(PreparaMesaLisa);
    Paso(DibujaTablero);
    g.MargenPiezaX = g.MargenPiezaY = 0;
    Paso([] { PuzzGbl.LadoZonaPieza = plat::toInt16(5LL * PuzzGbl.LadoCelda); });
    Paso(DibujaBotonera);

    // The game always has its twelve pieces, even on a board that could not
    // be read; a new puzzle starts them afresh.
    g.NroPiezas = kPiezas;
    if (nuevo || g.Piezas.size() < std::size_t(kPiezas) + 1 || g.OrdenPiezas.size() < std::size_t(kPiezas) + 1) {
        g.Piezas.assign(std::size_t(kPiezas) + 1, RegistroPieza{});
        g.OrdenPiezas.assign(std::size_t(kPiezas) + 1, 0);
        for (int i = 1; i <= kPiezas; ++i) g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
    }
    // A board without solutions has no homes to give; a loaded state naming a
    // solution the board does not have follows the first one.
    const int n = std::min<int>(g.PEN_NumSoluciones, int(g.PEN_Soluciones.size()) - 1);
    if (n < 1) g.PEN_SolucionActual = 0;
    else if (nuevo) g.PEN_SolucionActual = std::int16_t(plat::rndInt(n));
    else if (g.PEN_SolucionActual < 1 || g.PEN_SolucionActual > n) g.PEN_SolucionActual = 1;
    Paso(PEN_FijaSolucion);

    if (nuevo) Paso(BarajaPiezas);
    g.UltimoMovGrabado = g.MovActual;
    Paso(DibujaGrabadora);
}
