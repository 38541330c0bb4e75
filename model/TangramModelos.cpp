// The Tangram table's set-up, the model file "ModTan.mlp" and its reader, and
// the exchange of homes between the twin pieces.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "table/mesa.h"
#include "imaging/MesaLisa.h"
#include "model/Modelos.h"
#include "model/Partida.h"
#include "model/RegistrosModelo.h"
#include "model/Tangram.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"

#include <QString>

#include <algorithm>
#include <optional>

namespace {

constexpr int kPiezas = 7;
constexpr int kModoDiseno = 1, kModoResolver = 2;

constexpr int kLargoBloque = 10;

// The piece array and the drawing order hold the seven pieces (index 0
// unused); what they already hold stays.
void DimensionaPiezas() {
    auto& g = PuzzGbl;
    if (g.Piezas.size() != kPiezas + 1) g.Piezas.resize(kPiezas + 1);
    if (g.OrdenPiezas.size() != kPiezas + 1) g.OrdenPiezas.resize(kPiezas + 1, 0);
}

// The digits of a field as a number; nothing when a character is not a digit.
std::optional<int> Cifras(const QString& campo) {
    if (campo.isEmpty()) return std::nullopt;
    int n = 0;
    for (QChar c : campo) {
        if (c < u'0' || c > u'9') return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// The box of the figure the homes make, measured as the geometry measures it:
// the pieces' size tables are put in force for it, and everything it touches
// goes back as it was.
RegistroMarco MarcoDestinos(const DestinosTangram& d) {
    auto& g = PuzzGbl;
    const auto piezas = g.Piezas;
    const auto anchos = g.TAN_AnchoPiezas, altos = g.TAN_AltoPiezas, lados = g.TAN_LadoPiezas;
    const auto marco = g.MarcoFigura;
    const auto anchoBase = g.AnchoPiezaBase, altoBase = g.AltoPiezaBase;
    const TablasTangram t = TAN_TablasPiezas();
    g.TAN_AnchoPiezas = t.anchos;
    g.TAN_AltoPiezas = t.altos;
    g.TAN_LadoPiezas = t.lados;
    g.Piezas.assign(kPiezas + 1, RegistroPieza{});
    for (int p = 1; p <= kPiezas; ++p) {
        RegistroPieza& r = g.Piezas[std::size_t(p)];
        r.XDestino = d[std::size_t(p)].x;
        r.YDestino = d[std::size_t(p)].y;
        r.GiroDestino = d[std::size_t(p)].giro;
        r.VolteoDestino = d[std::size_t(p)].volteo;
    }
    TAN_CalculaMarcoFigura(2);
    const RegistroMarco m = g.MarcoFigura;
    g.Piezas = piezas;
    g.TAN_AnchoPiezas = anchos;
    g.TAN_AltoPiezas = altos;
    g.TAN_LadoPiezas = lados;
    g.MarcoFigura = marco;
    g.AnchoPiezaBase = anchoBase;
    g.AltoPiezaBase = altoBase;
    return m;
}

// Every home at 0, 0 in the rest position: the empty model.
void PonModeloVacio() {
    auto& g = PuzzGbl;
    if (g.Piezas.size() < kPiezas + 1) g.Piezas.resize(kPiezas + 1);
    for (int p = 1; p <= kPiezas; ++p) {
        RegistroPieza& r = g.Piezas[std::size_t(p)];
        r.XDestino = r.YDestino = r.GiroDestino = r.VolteoDestino = 0;
    }
}

} // namespace

QString TAN_RegistroVacio() { return RegistroVacio(FormatoModelosTangram()); }

ModeloTangram TAN_AnalizaRegistro(const QString& registro) {
    ModeloTangram m;
    if (registro.size() < kLargoNombreModelo + kPiezas * kLargoBloque) {
        m.motivo = QStringLiteral("El registro del modelo es demasiado corto.");
        return m;
    }
    const QString lineaPiezas = registro.mid(kLargoNombreModelo, kPiezas * kLargoBloque);
    for (int p = 1; p <= kPiezas; ++p) {
        const QString bloque = lineaPiezas.mid((p - 1) * kLargoBloque, kLargoBloque);
        const auto x = Cifras(bloque.mid(0, 4)), y = Cifras(bloque.mid(4, 4));
        const auto giro = Cifras(bloque.mid(8, 1)), volteo = Cifras(bloque.mid(9, 1));
        const QString pieza = QStringLiteral("La pieza ") + QString::number(p) + QStringLiteral(" del modelo ");
        if (!x || !y || !giro || !volteo) {
            m.motivo = pieza + QStringLiteral("tiene caracteres que no son cifras.");
            return m;
        }
        if (*giro > 7) {
            m.motivo = pieza + QStringLiteral("tiene el giro ") + QString::number(*giro) +
                       QStringLiteral(", fuera de 0 a 7.");
            return m;
        }
        if (*volteo > 1) {
            m.motivo = pieza + QStringLiteral("tiene el volteo ") + QString::number(*volteo) +
                       QStringLiteral(", fuera de 0 a 1.");
            return m;
        }
        m.destinos[std::size_t(p)] = {std::int16_t(*x), std::int16_t(*y), std::int16_t(*giro), std::int16_t(*volteo)};
    }
    m.valido = true;
    return m;
}

void TAN_AplicaModelo(const DestinosTangram& destinos) {
    auto& g = PuzzGbl;
    const RegistroMarco m = MarcoDestinos(destinos);
    const int origen = TAN_OrigenTablero();
    const int dx = origen - m.Izquierda, dy = origen - m.Arriba;
    if (g.Piezas.size() < kPiezas + 1) g.Piezas.resize(kPiezas + 1);
    for (int p = 1; p <= kPiezas; ++p) {
        const DestinoTangram& d = destinos[std::size_t(p)];
        RegistroPieza& r = g.Piezas[std::size_t(p)];
        // Four digits and a shift of a 16-bit origin always fit.
        r.XDestino = std::int16_t(d.x + dx);
        r.YDestino = std::int16_t(d.y + dy);
        r.GiroDestino = d.giro;
        r.VolteoDestino = d.volteo;
    }
}

bool TAN_LeeModelo(QString* motivo) {
    const RegistrosModelo archivo(FormatoModelosTangram());
    const int n = PuzzGbl.NroModelo;
    if (!archivo.usable(n)) {
        // A blank slot, a damaged line, a number past the end or no file:
        // the empty model.
        PonModeloVacio();
        if (motivo) *motivo = archivo.motivoRegistro(n);
        return false;
    }
    const ModeloTangram m = TAN_AnalizaRegistro(archivo.registro(n));
    if (!m.valido) {
        if (motivo)
            *motivo = QStringLiteral("El modelo ") + QString::number(n) +
                      QStringLiteral(" de ModTan.mlp no se puede usar. ") + m.motivo;
        return false;
    }
    TAN_AplicaModelo(m.destinos);
    if (motivo) motivo->clear();
    return true;
}

ResultadoEscritura TAN_GuardaModelo(const QString& nombre) {
    auto& g = PuzzGbl;
    const FormatoModelo& f = FormatoModelosTangram();
    ResultadoEscritura r;
    const QString noGuardado = QStringLiteral("No se ha guardado el modelo: ");
    const QString limpio = NombreParaRegistro(nombre);
    if (limpio.isEmpty()) {
        r.motivo = noGuardado + QStringLiteral("le falta un nombre.");
        return r;
    }
    if (g.Piezas.size() < kPiezas + 1) {
        r.motivo = noGuardado + QStringLiteral("no hay siete piezas en la mesa.");
        return r;
    }

    // The box at the present places; the pieces are not moved, their copies
    // in the record are.
    const auto marco = g.MarcoFigura;
    const auto anchoBase = g.AnchoPiezaBase, altoBase = g.AltoPiezaBase;
    TAN_CalculaMarcoFigura(1);
    const RegistroMarco m = g.MarcoFigura;
    g.MarcoFigura = marco;
    g.AnchoPiezaBase = anchoBase;
    g.AltoPiezaBase = altoBase;
    const long long dx = (long long)m.Izquierda - g.OrigenX, dy = (long long)m.Arriba - g.OrigenY;

    QString registro = RegistroVacio(f);
    registro.replace(0, kLargoNombreModelo, limpio.leftJustified(kLargoNombreModelo, u' '));
    for (int p = 1; p <= kPiezas; ++p) {
        const RegistroPieza& pz = g.Piezas[std::size_t(p)];
        const long long x = pz.X - dx, y = pz.Y - dy;
        if (x < 0 || x > 9999 || y < 0 || y > 9999 || pz.Giro < 0 || pz.Giro > 7 || pz.Volteo < 0 || pz.Volteo > 1) {
            r.motivo = noGuardado + QStringLiteral("la pieza ") + QString::number(p) +
                       QStringLiteral(" no cabe en el registro.");
            return r;
        }
        registro.replace(kLargoNombreModelo + (p - 1) * kLargoBloque, kLargoBloque,
                         QStringLiteral("%1%2%3%4")
                             .arg(x, 4, 10, QChar(u'0'))
                             .arg(y, 4, 10, QChar(u'0'))
                             .arg(pz.Giro)
                             .arg(pz.Volteo));
    }

    const RegistrosModelo archivo(f);
    // A file that is there but cannot be read is never replaced.
    if (!archivo.leido() && plat::fileExists(g.RutaArchivo, f.archivo)) {
        r.motivo = noGuardado + archivo.motivo();
        return r;
    }
    return EscribeRegistroModelo(f, archivo.leido() ? archivo.primerHueco() : 1, registro);
}

ResultadoEscritura TAN_BorraModelo(std::int16_t nro) {
    const FormatoModelo& f = FormatoModelosTangram();
    const RegistrosModelo archivo(f);
    ResultadoEscritura r;
    if (!archivo.leido()) {
        r.motivo = QStringLiteral("No se ha borrado el modelo: ") + archivo.motivo();
        return r;
    }
    if (nro < 1 || nro > archivo.cuenta()) {
        r.motivo = QStringLiteral("No se ha borrado el modelo: el modelo ") + QString::number(nro) +
                   QStringLiteral(" no está en el archivo.");
        return r;
    }
    return EscribeRegistroModelo(f, nro, RegistroVacio(f));
}

void TAN_IntercambiaDestino(std::int16_t pieza) {
    auto& g = PuzzGbl;
    if (pieza < 1 || pieza > kPiezas) return;
    const std::int16_t gemela = g.TAN_Gemela[std::size_t(pieza)];
    if (gemela < 1 || gemela > kPiezas || gemela == pieza) return;
    if (std::size_t(std::max(pieza, gemela)) >= g.Piezas.size()) return;
    RegistroPieza& a = g.Piezas[std::size_t(pieza)];
    RegistroPieza& b = g.Piezas[std::size_t(gemela)];
    std::swap(a.XDestino, b.XDestino);
    std::swap(a.YDestino, b.YDestino);
    std::swap(a.GiroDestino, b.GiroDestino);
    std::swap(a.VolteoDestino, b.VolteoDestino);
}

void TAN_PreparaJuego(bool nuevo) {
    auto& g = PuzzGbl;

    // The board picture: the pieces' colour all over (each piece's image is
    // taken from it at its home, which design mode leaves at 0, 0).
    PreparaMesaLisa();

    // The table: plain, or with the figure to cover when solving.
    PreparaFondoLiso([](plat::Surface& im) {
        if (PuzzGbl.TAN_ModoJuego == kModoResolver) TAN_DibujaModelo(im);
    });

    g.MargenPiezaX = g.MargenPiezaY = 0;
    g.LadoZonaPieza = g.TAN_AnchoPiezas[1];

    DibujaBotonera();

    if (!nuevo) {
        g.UltimoMovGrabado = g.MovActual;
        DibujaGrabadora();
        return;
    }

    if (g.TAN_ModoJuego == kModoDiseno) {
        // A new design starts from nothing: no homes.
        g.Piezas.assign(kPiezas + 1, RegistroPieza{});
        g.OrdenPiezas.assign(kPiezas + 1, 0);
    } else {
        // The homes are the model's; the arrays must still hold seven pieces
        // for the deal, whatever the game before left in them.
        DimensionaPiezas();
    }
    BarajaPiezas();

    g.UltimoMovGrabado = g.MovActual;
    DibujaGrabadora();
}
