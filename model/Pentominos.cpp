#include "model/Pentominos.h"

#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "table/mesa.h"
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
#include <exception>
#include <new>
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

constexpr int kCeldasTablero = 5 * kPiezas; // what the twelve pieces cover

QString NumeroModelo(std::int16_t nro) { return QString::fromUtf8("el modelo número ") + QString::number(nro); }

// The board of record `nro` into `m`, or the reason it cannot be one; `cuenta`
// receives the record's solution count.
QString LeeTablero(std::int16_t nro, ModeloPentomino& m, int& cuenta) {
    const RegistrosModelo archivo(FormatoModelosPentominos());
    if (!archivo.leido()) return archivo.fallo();
    const QString danado = NumeroModelo(nro) + QStringLiteral(" del archivo ") + kArchivoModelosPentominos +
                           QString::fromUtf8(" está dañado: ");
    if (nro >= 1 && nro <= archivo.cuenta() && !archivo.usable(nro)) {
        // A line of another length is damaged; one of the right length with
        // a blank name is an empty slot.
        const QString vacio = archivo.motivoRegistro(nro);
        if (!vacio.endsWith(QString::fromUtf8(" está vacío.")))
            return danado + QString::fromUtf8("su línea no tiene ") + QString::number(kLargoRegistroPentominos - 2) +
                   QStringLiteral(" caracteres");
    }
    if (!archivo.usable(nro))
        return QStringLiteral("el archivo ") + kArchivoModelosPentominos + QStringLiteral(" no contiene ") +
               NumeroModelo(nro);
    const QString r = archivo.registro(nro);
    const auto filas = Cifras(r.mid(25, 2));
    const auto columnas = Cifras(r.mid(27, 2));
    const auto soluciones = Cifras(r.mid(29, 4));
    if (!filas || !columnas || *filas < 1 || *filas > kFilasModelo || *columnas < 1 || *columnas > kColumnasModelo)
        return danado + QString::fromUtf8("su tamaño no es de 1 a 16 filas y de 1 a 22 columnas");
    if (!soluciones) return danado + QString::fromUtf8("su número de soluciones no es un número");
    int celdas = 0;
    for (int f = 1; f <= kFilasModelo; ++f)
        for (int c = 1; c <= kColumnasModelo; ++c) {
            const QChar ch = r.at(kColumnaCeldas - 1 + (f - 1) * kColumnasModelo + (c - 1));
            if (ch < u'0' || ch > u'9') return danado + QString::fromUtf8("una de sus casillas no es una cifra");
            if (ch != u'1') continue;
            // A cell outside the board would be drawn outside its picture.
            if (f > *filas || c > *columnas)
                return danado + QStringLiteral("la casilla de la fila %1, columna %2 queda fuera de sus %3 filas y %4 "
                                               "columnas")
                                    .arg(f)
                                    .arg(c)
                                    .arg(*filas)
                                    .arg(*columnas);
            m.celdas[std::size_t(f)][std::size_t(c)] = true;
            ++celdas;
        }
    if (celdas != kCeldasTablero)
        return danado + QString::fromUtf8("tiene %1 casillas y las doce piezas cubren %2").arg(celdas).arg(kCeldasTablero);
    m.filas = std::int16_t(*filas);
    m.columnas = std::int16_t(*columnas);
    cuenta = std::min(*soluciones, kMaxSoluciones);
    return QString();
}

// One solution line; false when a field is not a number, a piece is turned
// or flipped beyond what the table offers for its shape, or the pieces do
// not cover the board's cells exactly.
bool LeeSolucion(const char* l, const ModeloPentomino& m, PEN_RegistroSolucion& s) {
    auto& g = PuzzGbl;
    std::array<std::array<bool, 23>, 17> cubierta{};
    for (int p = 1; p <= kPiezas; ++p) {
        const char* campo = l + 6 * p - 4; // column 6p - 3, from 1
        const auto fila = Cifras(campo, 2);
        const auto columna = Cifras(campo + 2, 2);
        const auto giro = Cifras(campo + 4, 1);
        const auto volteo = Cifras(campo + 5, 1);
        const PEN_RegistroForma& forma = g.PEN_TablaPiezas[std::size_t(p)];
        if (!fila || !columna || !giro || !volteo || *fila < 1 || *columna < 1 || *giro >= forma.Rotaciones ||
            *volteo >= forma.Caras)
            return false;
        PEN_TransformaPieza(std::int16_t(p), std::int16_t(*giro), std::int16_t(*volteo));
        for (std::size_t k = 1; k <= 5; ++k) {
            const int f = *fila + g.PEN_PiezaGirada.Y[k], c = *columna + g.PEN_PiezaGirada.X[k];
            if (f > m.filas || c > m.columnas) return false;
            auto& celda = cubierta[std::size_t(f)][std::size_t(c)];
            if (!m.celdas[std::size_t(f)][std::size_t(c)] || celda) return false;
            celda = true;
        }
        s.Fila[std::size_t(p)] = std::int16_t(*fila);
        s.Columna[std::size_t(p)] = std::int16_t(*columna);
        s.Giro[std::size_t(p)] = std::int16_t(*giro);
        s.Volteo[std::size_t(p)] = std::int16_t(*volteo);
    }
    // Sixty cells covered once each by sixty piece cells: the board is full.
    return true;
}

// The usable solution lines of board `nro`, in file order, at most `cuenta`;
// the reason when the file cannot be read.
QString LeeSoluciones(std::int16_t nro, int cuenta, ModeloPentomino& m) {
    auto& g = PuzzGbl;
    QByteArray datos;
    if (QString fallo = PEN_LeeArchivoSoluciones(&datos); !fallo.isEmpty()) return fallo;
    // The transform leaves its result in a global: it is put back after.
    const auto girada = g.PEN_PiezaGirada;
    std::vector<PEN_RegistroSolucion> soluciones(1);
    soluciones.reserve(std::size_t(cuenta) + 1);
    int dejadas = 0; // lines of the board left out
    const char* p = datos.constData();
    const char* fin = p + datos.size();
    // Lines end in CR LF, LF or CR, as in every other file of the program.
    while (p < fin && int(soluciones.size()) <= cuenta) {
        const char* finLinea = p;
        while (finLinea < fin && *finLinea != '\n' && *finLinea != '\r') ++finLinea;
        if (finLinea - p >= kLargoSolucion && Cifras(p, 2) == int(nro)) {
            PEN_RegistroSolucion s;
            if (LeeSolucion(p, m, s)) soluciones.push_back(s);
            else ++dejadas;
        }
        p = finLinea;
        if (p < fin && *p == '\r') ++p;
        if (p < fin && *p == '\n') ++p;
    }
    g.PEN_PiezaGirada = girada;
    m.soluciones = std::move(soluciones);
    if (m.numSoluciones() < 1)
        return QStringLiteral("el archivo ") + kArchivoSolucionesPentominos +
               QString::fromUtf8(dejadas > 0 ? " no contiene ninguna solución válida del "
                                             : " no contiene ninguna solución del ") +
               NumeroModelo(nro).mid(3);
    return QString();
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

QString PEN_LeeArchivoSoluciones(QByteArray* datos) {
    try {
        QByteArray leidos =
            plat::readFile(plat::findFileCaseInsensitive(PuzzGbl.RutaArchivo, kArchivoSolucionesPentominos));
        if (datos) *datos = std::move(leidos);
    } catch (const plat::RuntimeError& e) {
        return FalloLectura(kArchivoSolucionesPentominos, e.number());
    } catch (const std::bad_alloc&) {
        return FalloLectura(kArchivoSolucionesPentominos, plat::err::kOutOfMemory);
    }
    return QString();
}

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

ModeloPentomino PEN_AnalizaModelo(std::int16_t nro) {
    ModeloPentomino m;
    try {
        int cuenta = 0;
        m.motivo = LeeTablero(nro, m, cuenta);
        if (m.motivo.isEmpty()) m.motivo = LeeSoluciones(nro, cuenta, m);
    } catch (const std::exception&) {
        m.motivo = FalloLectura(kArchivoModelosPentominos, plat::err::kOutOfMemory);
    }
    if (!m.motivo.isEmpty()) {
        // Nothing of a refused board is kept.
        const QString motivo = m.motivo;
        m = ModeloPentomino{};
        m.motivo = motivo;
    }
    return m;
}

void PEN_PonModelo(const ModeloPentomino& m) {
    auto& g = PuzzGbl;
    g.FilasTablero = m.filas;
    g.ColumnasTablero = m.columnas;
    g.PEN_Modelo = m.celdas;
    g.PEN_Soluciones = m.soluciones;
    g.PEN_NumSoluciones = std::int16_t(m.numSoluciones());
}

bool PEN_LeeModelo(std::int16_t nro, QString* motivo) {
    const ModeloPentomino m = PEN_AnalizaModelo(nro);
    if (motivo) *motivo = m.motivo;
    if (!m.motivo.isEmpty()) return false;
    PEN_PonModelo(m);
    return true;
}

void PEN_VaciaModelo() { PEN_PonModelo(ModeloPentomino{}); }

bool PEN_HayTablero() {
    const auto& g = PuzzGbl;
    return g.PEN_NumSoluciones >= 1 && int(g.PEN_Soluciones.size()) > g.PEN_NumSoluciones;
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
    auto& g = PuzzGbl;
    Paso(PreparaMesaLisa);
    Paso(DibujaTablero);
    g.MargenPiezaX = g.MargenPiezaY = 0;
    Paso([] { PuzzGbl.LadoZonaPieza = plat::toInt16(5LL * PuzzGbl.LadoCelda); });
    Paso(DibujaBotonera);

    // A table without a board that can be played holds no pieces; otherwise
    // the game always has its twelve, which a new puzzle starts afresh.
    if (!PEN_HayTablero()) {
        g.NroPiezas = 0;
        g.Piezas.assign(1, RegistroPieza{});
        g.OrdenPiezas.assign(1, 0);
        g.PEN_SolucionActual = 0;
        if (nuevo) Paso(BarajaPiezas);
        g.UltimoMovGrabado = g.MovActual;
        Paso(DibujaGrabadora);
        return;
    }
    g.NroPiezas = kPiezas;
    if (nuevo || g.Piezas.size() < std::size_t(kPiezas) + 1 || g.OrdenPiezas.size() < std::size_t(kPiezas) + 1) {
        g.Piezas.assign(std::size_t(kPiezas) + 1, RegistroPieza{});
        g.OrdenPiezas.assign(std::size_t(kPiezas) + 1, 0);
        for (int i = 1; i <= kPiezas; ++i) g.OrdenPiezas[std::size_t(i)] = std::int16_t(i);
    }
    // A loaded state naming a solution the board does not have follows the
    // first one.
    const int n = std::min<int>(g.PEN_NumSoluciones, int(g.PEN_Soluciones.size()) - 1);
    if (nuevo) g.PEN_SolucionActual = std::int16_t(plat::rndInt(n));
    else if (g.PEN_SolucionActual < 1 || g.PEN_SolucionActual > n) g.PEN_SolucionActual = 1;
    Paso(PEN_FijaSolucion);

    if (nuevo) Paso(BarajaPiezas);
    g.UltimoMovGrabado = g.MovActual;
    Paso(DibujaGrabadora);
}
