#include "table/ResuelveTablero.h"

#include "core/PuzzGbl.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "imaging/Dibujo.h"
#include "model/Deslizantes.h"
#include "model/DeslizantesReglas.h"
#include "model/Grabadora.h"
#include "model/Juego.h"
#include "model/Pasos.h"
#include "platform/ui/events.h"
#include "table/Botonera.h"
#include "table/ResuelveJuegos.h"
#include "table/Tutor.h"

#include <utility>

namespace {

using namespace juego;

constexpr int kBotonTutor = 3, kBotonResolver = 12;
constexpr int kSonidoDeslizar = 53;
constexpr int kAyudaSinSolucion = 3020;

std::function<void()>& eventosResolucion() {
    static std::function<void()> f;
    return f;
}


void avisaSinSolucion(int boton) {
    Mensaje(SinBlancos(TextoBoton(kDeslizantes, boton)), TextoSinSolucion(), 2, 1, kAyudaSinSolucion);
}

// A fresh path from the present position; whether it has a first slide.
bool buscaCamino() {
    auto& g = PuzzGbl;
    g.NumPasosSolucion = 0;
    pasos::Paso(ResuelveDeslizantes);
    if (g.NumPasosSolucion < 0 || std::size_t(g.NumPasosSolucion) >= g.CaminoSolucion.size())
        g.NumPasosSolucion = 0;
    return g.NumPasosSolucion > 0;
}

bool resuelto() { return PuzzGbl.NroPiezasColocadas >= PuzzGbl.NroPiezas; }

void fin() {
    auto& g = PuzzGbl;
    g.PasaAlHistorico = false;
    g.ArrastrandoPieza = false;
    g.SoltandoPieza = false;
    g.PiezaSeleccionada = 0;
    g.ResolviendoAuto = false;
    g.EjecutandoSolucion = false;
}

} // namespace

void EventosEntrePasosResolucion() {
    if (PuzzGbl.SaliendoPrograma) return;
    if (const auto& f = eventosResolucion()) {
        f();
        return;
    }
    plat::doEvents();
}

QString TextoSinSolucion() {
    return QString::fromUtf8("No se ha encontrado ninguna solución para la posición actual de las piezas.");
}

bool DeslizaPiezaSolucion(std::int16_t p) {
    auto& g = PuzzGbl;
    if (!pasos::PiezaValida(p)) return false;
    auto& r = g.Piezas[std::size_t(p)];
    if (DistanciaCasillas(r.X, r.Y, g.AgujeroX, g.AgujeroY) != 1) return false;
    g.PiezaSeleccionada = p;
    g.PosAnteriorX = r.X;
    g.PosAnteriorY = r.Y;
    const std::int16_t destinoX = g.AgujeroX, destinoY = g.AgujeroY;
    pasos::Paso([&] { PasaAlFrente(PosicionEnOrden(p)); });
    pasos::Paso([&] { MuevePiezaAnimada(r.X, r.Y, destinoX, destinoY, p); });
    // The piece ends in the hole whatever the drawing did.
    r.X = destinoX;
    r.Y = destinoY;
    Sonido(0, kSonidoDeslizar);
    pasos::Paso([&] { GrabaMovimiento(g.PosAnteriorX, g.PosAnteriorY, 0, 0, r.X, r.Y, 0, 0); });
    g.ArrastrandoPieza = false;
    g.AgujeroX = g.PosAnteriorX;
    g.AgujeroY = g.PosAnteriorY;
    pasos::Paso(ActualizaInfoPiezas);
    return true;
}

namespace {

// Plays the path in hand, last entry first, letting the window's events run
// after every slide. False when a step does not fit the board.
bool juegaCamino() {
    auto& g = PuzzGbl;
    for (std::int32_t i = g.NumPasosSolucion; i >= 1 && !g.SaliendoPrograma; --i) {
        if (!DeslizaPiezaSolucion(g.CaminoSolucion[std::size_t(i)])) return false;
        EventosEntrePasosResolucion();
    }
    return true;
}

// The sliding game's driver: searches and plays paths while the board is not
// solved; `unaVez` plays a single path (the tutor). True when a search found
// no path, or a path did not fit the board.
bool ejecutaSolucion(bool unaVez) {
    auto& g = PuzzGbl;
    g.EjecutandoSolucion = true;
    g.PasaAlHistorico = false;
    bool sinCamino = false;
    {
        // Presses that reach the panel meanwhile are put off, a stop press excepted.
        const plat::LongAction ejecucion;
        pasos::Paso(ActualizaInfoPiezas);
        while (!resuelto() && !g.SaliendoPrograma) {
            // Searching again after an empty answer would give it for ever.
            if (!buscaCamino() || !juegaCamino()) {
                sinCamino = true;
                break;
            }
            // A stop request is honoured once the path in hand has been played.
            if (unaVez || !g.ResolviendoAuto) break;
        }
    }
    if (resuelto()) pasos::Paso(MuestraModelo);
    fin();
    return sinCamino && !g.SaliendoPrograma;
}

} // namespace

void ResuelveDeslizantesAuto() {
    if (ejecutaSolucion(false)) avisaSinSolucion(kBotonResolver);
}

void TutorDeslizantes() {
    const bool sinCamino = ejecutaSolucion(true);
    PuzzGbl.TutorActivo = false;
    if (sinCamino) avisaSinSolucion(kBotonTutor);
}

void ResuelvePuzzleMesa() {
    auto& g = PuzzGbl;
    if (g.TipoJuego == kDeslizantes) {
        if (g.ResolviendoAuto) ResuelveDeslizantesAuto();
        else TutorDeslizantes();
        return;
    }
    switch (g.TipoJuego) {
    case kPiezasMoviles:
    case kTangram:
    case kPentominos: ResuelvePiezasLibres(); break;
    case kTaipei: ResuelveTaipei(); break;
    default: g.ResolviendoAuto = false; break;
    }
}

void RegistraEventosResolucion(std::function<void()> eventos) { eventosResolucion() = std::move(eventos); }

void InstalaResuelveTablero() {
    Lanzador().resuelvePuzzle = ResuelvePuzzleMesa;
    Lanzador().tutorIndicando = TutorIndicandoMesa;
}
