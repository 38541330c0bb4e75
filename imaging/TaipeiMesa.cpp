// The Taipei table: a plain table in the background colour on which the tiles
// are the only drawing, and a new deal on the layout of the chosen model.
#include "core/PuzzGbl.h"
#include "core/ServiciosMesa.h"
#include "table/mesa.h"
#include "imaging/MesaLisa.h"
#include "imaging/PreparaMesa.h"
#include "model/Juego.h"
#include "model/Partida.h"
#include "model/Pasos.h"
#include "model/Taipei.h"
#include "model/TaipeiModelo.h"

#include <QString>

using pasos::Paso;

namespace {

constexpr int kFichas = 144;

// A fresh game starts from the layout of the chosen model and 144 new tiles
// that know their suits, so that the deal can pair them.
void FichasNuevas() {
    auto& g = PuzzGbl;
    Paso([] { TAI_CargaModelo(PuzzGbl.NroModelo); });
    Paso([] { CalculaGeometriaPuzzle(); });
    g.NroPiezas = kFichas;
    g.Piezas.assign(kFichas + 1, RegistroPieza{});
    g.OrdenPiezas.assign(kFichas + 1, 0);
    for (int t = 1; t <= kFichas; ++t) g.OrdenPiezas[std::size_t(t)] = std::int16_t(t);
    TAI_AsignaPalos();
}

} // namespace

void TAI_PreparaMesa(bool nuevo) {
    auto& g = PuzzGbl;
    if (nuevo) FichasNuevas();

    PreparaMesaLisa();
    PreparaFondoLiso();
    g.MargenPiezaX = g.MargenPiezaY = 0;

    Paso(DibujaBotonera);
    if (nuevo) Paso(BarajaPiezas);
    g.UltimoMovGrabado = g.MovActual;
    Paso(DibujaGrabadora);
}
