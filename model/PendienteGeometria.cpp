// Temporary: the pieces, dispatch and geometry services, done simply, until
// their own implementation lands.
#include "core/PuzzGbl.h"
#include "core/Sustitutos.h"
#include "core/mesa.h"
#include "model/Juego.h"

#include <cmath>

bool CalculaGeometriaPuzzle() {
    auto& g = PuzzGbl;
    const int botonera = mesa.Pic_Botonera.left();
    switch (g.TipoJuego) {
    case 21: {
        if (g.PiezasLado <= 0 || g.AnchoBmp <= 0 || g.AltoBmp <= 0) return false;
        g.NroPiezas = std::int16_t(g.PiezasLado * g.PiezasLado * g.PiezasCasilla);
        g.AnchoPieza = std::int16_t((long long)g.AnchoBmp * g.ZoomImagen / 100 / g.PiezasLado);
        g.AltoPieza = std::int16_t((long long)g.AltoBmp * g.ZoomImagen / 100 / g.PiezasLado);
        g.AnchoImagen = std::int16_t(g.AnchoPieza * g.PiezasLado);
        g.AltoImagen = std::int16_t(g.AltoPieza * g.PiezasLado);
        g.OrigenX = g.OrigenY = 0;
        return true;
    }
    case 22: {
        if (g.PiezasLado <= 0) return false;
        g.NroPiezas = std::int16_t(g.PiezasLado * g.PiezasLado - 1);
        g.AltoPieza = std::int16_t(std::nearbyint(double(g.AltoMesa - 65) / (g.PiezasLado + 2)));
        g.AnchoPieza = g.AltoPieza;
        g.AltoImagen = std::int16_t(g.AltoPieza * g.PiezasLado);
        g.AnchoImagen = g.AltoImagen;
        g.OrigenY = std::int16_t((g.AltoMesa - 65 - g.AltoImagen) / 2);
        g.OrigenX = std::int16_t((botonera - g.AnchoImagen) / 2);
        return true;
    }
    case 23:
        g.NroPiezas = 7;
        g.AnchoImagen = g.TAN_ModoJuego == 1 ? g.AnchoMesa : 300;
        g.AltoImagen = g.TAN_ModoJuego == 1 ? g.AltoMesa : 300;
        g.OrigenX = g.OrigenY = std::int16_t(g.AnchoMesa / 40);
        return true;
    case 24: {
        g.NroPiezas = 12;
        const int columnas = g.ColumnasTablero <= 17 ? 17 : g.ColumnasTablero + 2;
        const int porAlto = (g.AltoMesa - 70) / 17;
        const int porAncho = (g.AnchoMesa - mesa.Pic_Botonera.width()) / columnas;
        g.LadoCelda = std::int16_t(std::min(porAlto, porAncho));
        g.AltoImagen = std::int16_t(g.LadoCelda * g.FilasTablero);
        g.AnchoImagen = std::int16_t(g.LadoCelda * g.ColumnasTablero);
        g.OrigenX = g.OrigenY = std::int16_t(g.LadoCelda / 2);
        return true;
    }
    case 25:
        g.NroPiezas = 144;
        g.AnchoPieza = 50;
        g.AltoPieza = 67;
        g.AltoImagen = std::int16_t(67 * g.FilasTablero + 6 * g.TAI_NroNiveles);
        g.AnchoImagen = std::int16_t(50 * g.ColumnasTablero + 6 * g.TAI_NroNiveles);
        g.OrigenY = std::int16_t((g.AltoMesa - g.AltoImagen) / 2);
        g.OrigenX = std::int16_t((botonera - g.AnchoImagen) / 2);
        return true;
    default:
        return false;
    }
}

void PreparaJuego(bool nuevo) {
    AnotaLlamada(QStringLiteral("PreparaJuego %1").arg(nuevo ? 1 : 0));
    auto& g = PuzzGbl;
    CalculaGeometriaPuzzle();
    if (nuevo) {
        g.Piezas.assign(std::size_t(g.NroPiezas) + 1, RegistroPieza{});
        g.OrdenPiezas.assign(std::size_t(g.NroPiezas) + 1, 0);
        for (int i = 1; i <= g.NroPiezas; ++i) g.OrdenPiezas[i] = std::int16_t(i);
        g.MovActual = 0;
    }
    g.UltimoMovGrabado = g.MovActual;
}

bool OrientacionCorrecta(std::int16_t) { return true; }
bool PiezaBienColocada(std::int16_t) { return false; }
std::int16_t AnchoPiezaGirada(std::int16_t, std::int16_t, std::int16_t) { return PuzzGbl.AnchoPieza; }
std::int16_t AltoPiezaGirada(std::int16_t, std::int16_t, std::int16_t) { return PuzzGbl.AltoPieza; }
void CalculaLimitesMascara(std::int16_t) {}
void CogePieza(std::int16_t, std::int16_t, std::int16_t) {}
void ActualizaInfoPiezas() {}
