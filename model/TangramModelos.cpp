// The Tangram table's set-up, the model file "ModTan.mlp" and its reader, and
// the exchange of homes between the twin pieces.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "core/Sustitutos.h"
#include "core/mesa.h"
#include "imaging/MesaLisa.h"
#include "model/Modelos.h"
#include "model/Partida.h"
#include "model/Tangram.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/numbers.h"

#include <QString>

#include <algorithm>

namespace {

constexpr int kPiezas = 7;
constexpr int kModoDiseno = 1, kModoResolver = 2;

constexpr int kLargoBloque = 10;

// The number at the start of a field, rounded to a whole one; a field that
// does not start with a number, or one that 16 bits cannot hold, reads 0.
std::int16_t Campo(const QString& texto) {
    try {
        return plat::cint16(plat::val(texto));
    } catch (const plat::RuntimeError&) {
        return 0;
    }
}

// Record `nro` of the model file; an empty text when the file or the record
// is not there.
QString LeeRegistro(std::int16_t nro) {
    const auto& g = PuzzGbl;
    if (nro < 1) return QString();
    try {
        return plat::readRecord(plat::findFileCaseInsensitive(g.RutaArchivo, kArchivoModelosTangram),
                                kLargoRegistroTangram, nro);
    } catch (const plat::RuntimeError&) {
        return QString();
    }
}

// The piece array and the drawing order hold the seven pieces (index 0
// unused); what they already hold stays.
void DimensionaPiezas() {
    auto& g = PuzzGbl;
    if (g.Piezas.size() != kPiezas + 1) g.Piezas.resize(kPiezas + 1);
    if (g.OrdenPiezas.size() != kPiezas + 1) g.OrdenPiezas.resize(kPiezas + 1, 0);
}

} // namespace

QString TAN_RegistroVacio() { return RegistroModeloVacio(kLargoRegistroTangram); }

void TAN_LeeModelo() {
    auto& g = PuzzGbl;
    QString registro = LeeRegistro(g.NroModelo);
    // An empty slot, or no such record: the empty model.
    if (registro.size() < kLargoRegistroTangram || ModeloVacio(registro))
        registro = TAN_RegistroVacio();
    const QString lineaPiezas = registro.mid(kLargoNombreModelo, kPiezas * kLargoBloque);
    if (g.Piezas.size() < kPiezas + 1) g.Piezas.resize(kPiezas + 1);
    for (int i = 1; i <= kPiezas; ++i) {
        const QString bloque = lineaPiezas.mid((i - 1) * kLargoBloque, kLargoBloque);
        RegistroPieza& p = g.Piezas[std::size_t(i)];
        p.XDestino = Campo(bloque.mid(0, 4));
        p.YDestino = Campo(bloque.mid(4, 4));
        p.GiroDestino = Campo(bloque.mid(8, 1));
        p.VolteoDestino = Campo(bloque.mid(9, 1));
        // A digit past the orientations the pieces have reads as the rest
        // position: such a home could never be matched.
        if (p.GiroDestino < 0 || p.GiroDestino > 7) p.GiroDestino = 0;
        if (p.VolteoDestino < 0 || p.VolteoDestino > 1) p.VolteoDestino = 0;
    }
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
    AnotaLlamada(QStringLiteral("TAN_PreparaJuego ") + (nuevo ? QStringLiteral("-1") : QStringLiteral("0")));
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
