#include "core/PuzzGbl.h"
#include "model/Geometria.h"
#include "model/Juego.h"
#include "model/Taipei.h"
#include "model/Tangram.h"
#include "platform/errors.h"
#include "platform/numbers.h"

#include <algorithm>
#include <cmath>

// Each game works its values out first and writes them only when every one
// could be made; the range-checked conversions throw when a value does not
// fit its 16 bits, and then nothing is written.
namespace {

using plat::idiv;
using plat::toInt16;

// Room under the sliding board and the pentomino board for the recorder.
constexpr int kMargenDeslizantes = 65;
constexpr int kMargenPentominos = 70;

int izquierdaBotonera() { return PuzzGbl.AnchoMesa - kAnchoBotonera; }

bool GeometriaMoviles() {
    auto& g = PuzzGbl;
    if (g.PiezasLado < 1 || g.PiezasCasilla < 1 || g.AnchoBmp < 1 || g.AltoBmp < 1 || g.ZoomImagen < 1) return false;
    const auto nro = toInt16(static_cast<long long>(g.PiezasLado) * g.PiezasLado * g.PiezasCasilla);
    // The zoomed picture is taken in 32 bits.
    const auto anchoZoom = plat::toInt32(static_cast<long long>(g.AnchoBmp) * g.ZoomImagen) / 100;
    const auto altoZoom = plat::toInt32(static_cast<long long>(g.AltoBmp) * g.ZoomImagen) / 100;
    auto ancho = toInt16(idiv(anchoZoom, g.PiezasLado));
    auto alto = toInt16(idiv(altoZoom, g.PiezasLado));
    if (g.FormaPieza == 1) { // curved: both sides odd
        if (ancho % 2 == 0) --ancho;
        if (alto % 2 == 0) --alto;
    } else if (g.FormaPieza == 3) { // triangles: odd width, even height
        if (ancho % 2 == 0) --ancho;
        if (alto % 2 != 0) --alto;
    }
    if (ancho < 1 || alto < 1) return false;
    const auto anchoImagen = toInt16(static_cast<long long>(ancho) * g.PiezasLado);
    const auto altoImagen = toInt16(static_cast<long long>(alto) * g.PiezasLado);

    g.NroPiezas = nro;
    g.AnchoPieza = ancho;
    g.AltoPieza = alto;
    g.AnchoImagen = anchoImagen;
    g.AltoImagen = altoImagen;
    g.OrigenX = 0;
    g.OrigenY = 0;
    return true;
}

bool GeometriaDeslizantes() {
    auto& g = PuzzGbl;
    if (g.PiezasLado < 3 || g.PiezasLado > 8) return false;
    const auto nro = toInt16(static_cast<long long>(g.PiezasLado) * g.PiezasLado - 1);
    const int alto = plat::cint(double(g.AltoMesa - kMargenDeslizantes) / (g.PiezasLado + 2));
    if (alto < 1) return false;
    const auto lado = toInt16(alto);
    const auto altoImagen = toInt16(static_cast<long long>(lado) * g.PiezasLado);
    const auto origenY = toInt16(idiv(g.AltoMesa - kMargenDeslizantes - altoImagen, 2));
    const auto origenX = toInt16(idiv(izquierdaBotonera() - altoImagen, 2));

    g.NroPiezas = nro;
    g.AltoPieza = lado;
    g.AnchoPieza = lado;
    g.AltoImagen = altoImagen;
    g.AnchoImagen = altoImagen;
    g.OrigenY = origenY;
    g.OrigenX = origenX;
    return true;
}

bool GeometriaTangram() {
    auto& g = PuzzGbl;
    const TablasTangram tablas = TAN_TablasPiezas();
    const auto& anchos = tablas.anchos;
    const auto& altos = tablas.altos;
    const auto& lados = tablas.lados;

    std::int16_t anchoImagen = 0, altoImagen = 0;
    if (g.TAN_ModoJuego == 1) {
        anchoImagen = g.AnchoMesa;
        altoImagen = g.AltoMesa;
    } else {
        // The figure's size from its seven pieces at their homes, whose sizes
        // come from the tables above: those must be in force while it is
        // measured, and go back when it cannot be.
        const auto nroAntes = g.NroPiezas;
        const auto anchosAntes = g.TAN_AnchoPiezas, altosAntes = g.TAN_AltoPiezas, ladosAntes = g.TAN_LadoPiezas;
        g.NroPiezas = 7;
        g.TAN_AnchoPiezas = anchos;
        g.TAN_AltoPiezas = altos;
        g.TAN_LadoPiezas = lados;
        bool hecho = false;
        try {
            TAN_CalculaMarcoFigura(2);
            const auto& m = g.MarcoFigura;
            anchoImagen = toInt16(static_cast<long long>(m.Derecha) - m.Izquierda - 1);
            altoImagen = toInt16(static_cast<long long>(m.Abajo) - m.Arriba - 1);
            hecho = anchoImagen >= 1 && altoImagen >= 1;
        } catch (const std::exception&) {
        }
        if (!hecho) {
            g.NroPiezas = nroAntes;
            g.TAN_AnchoPiezas = anchosAntes;
            g.TAN_AltoPiezas = altosAntes;
            g.TAN_LadoPiezas = ladosAntes;
            return false;
        }
    }
    const auto origen = TAN_OrigenTablero();

    g.NroPiezas = 7;
    g.TAN_AnchoPiezas = anchos;
    g.TAN_AltoPiezas = altos;
    g.TAN_LadoPiezas = lados;
    g.AnchoImagen = anchoImagen;
    g.AltoImagen = altoImagen;
    g.OrigenY = origen;
    g.OrigenX = origen;
    return true;
}

bool GeometriaPentominos() {
    auto& g = PuzzGbl;
    if (g.FilasTablero < 1 || g.ColumnasTablero < 1) return false;
    const int columnas = g.ColumnasTablero <= 17 ? 17 : g.ColumnasTablero + 2;
    constexpr int filas = 17;
    const long long porAlto = idiv(g.AltoMesa - kMargenPentominos, filas);
    const long long porAncho = idiv(g.AnchoMesa - kAnchoBotonera, columnas);
    const long long celda = std::min(porAlto, porAncho);
    if (celda < 1) return false;
    const auto lado = toInt16(celda);
    const auto altoImagen = toInt16(celda * g.FilasTablero);
    const auto anchoImagen = toInt16(celda * g.ColumnasTablero);

    g.NroPiezas = 12;
    g.LadoCelda = lado;
    g.AltoImagen = altoImagen;
    g.AnchoImagen = anchoImagen;
    g.OrigenY = std::int16_t(lado / 2);
    g.OrigenX = std::int16_t(lado / 2);
    return true;
}

bool GeometriaTaipei() {
    auto& g = PuzzGbl;
    if (g.FilasTablero < 1 || g.ColumnasTablero < 1 || g.TAI_NroNiveles < 1) return false;
    constexpr std::int16_t ancho = 50, alto = 67, relieve = 6;
    const auto altoImagen = toInt16(static_cast<long long>(alto) * g.FilasTablero + relieve * g.TAI_NroNiveles);
    const auto anchoImagen = toInt16(static_cast<long long>(ancho) * g.ColumnasTablero + relieve * g.TAI_NroNiveles);
    const auto origenY = toInt16(idiv(g.AltoMesa - altoImagen, 2));
    const auto origenX = toInt16(idiv(izquierdaBotonera() - anchoImagen, 2));

    g.NroPiezas = taipei::kFichas;
    g.AnchoPieza = ancho;
    g.AltoPieza = alto;
    g.TAI_Relieve = relieve;
    g.AnchoPiezaBase = ancho + relieve;
    g.AltoPiezaBase = alto + relieve;
    g.AltoImagen = altoImagen;
    g.AnchoImagen = anchoImagen;
    g.OrigenY = origenY;
    g.OrigenX = origenX;
    return true;
}

} // namespace

TablasTangram TAN_TablasPiezas() {
    constexpr std::int16_t A = 125, B = A / 2 + 1, C = 177, D = C / 2 + 1;
    const auto altoParalelogramo = plat::cint16(std::sqrt(0.5) * A / 2);
    return {{0, A, A, D, B, B, B, std::int16_t(3 * altoParalelogramo)},
            {0, A, A, D, B, B, B, altoParalelogramo},
            {0, C, C, A, D, D, D, B}};
}

std::int16_t TAN_OrigenTablero() { return std::int16_t(idiv(PuzzGbl.AnchoMesa, 40)); }

bool CalculaGeometriaPuzzle() {
    try {
        switch (PuzzGbl.TipoJuego) {
        case 21: return GeometriaMoviles();
        case 22: return GeometriaDeslizantes();
        case 23: return GeometriaTangram();
        case 24: return GeometriaPentominos();
        case 25: return GeometriaTaipei();
        default: return false;
        }
    } catch (const plat::RuntimeError&) {
        return false;
    }
}
