#include "fuzz/Partidas.h"

#include "core/PuzzGbl.h"
#include "table/mesa.h"
#include "platform/files.h"
#include "tests/model/pentomino_fixtures.h"
#include "tools/modtai/disposiciones.h"

#include <numeric>

namespace {

int Altura(int r, int c) { return (r == 4 || r == 5) && (c == 8 || c == 9) ? 5 : 1; }

CabeceraPartida Cabecera(std::int16_t juego) {
    CabeceraPartida c;
    c.NombreJugador = "MiNombre ";
    c.ColorFondo = 0x800000;
    c.ColorPieza = 0x8000;
    c.ColorLineas = 0xFFFFFF;
    c.NroModelo = 1;
    c.ZoomImagen = 100;
    c.PiezasLado = 5;
    c.TAN_ModoJuego = 2;
    c.TipoRotulo = 2;
    c.TipoJuego = juego;
    c.FactorAtraccion = 20;
    c.GiroPermitido = c.DibujarBorde = c.AtraccionPiezas = true;
    c.GradoDificultad = 3.25;
    c.MaterialPiezas = 1;
    c.AnchoMesa = 800;
    c.AltoMesa = 600;
    return c;
}

void Piezas(EstadoPartida& e, int n, int movimientos) {
    e.c.NroPiezas = std::int16_t(n);
    e.Piezas.assign(std::size_t(n) + 1, {});
    e.OrdenPiezas.assign(std::size_t(n) + 1, 0);
    for (int i = 1; i <= n; ++i) {
        e.Piezas[i] = {std::int16_t(i * 10 - 40), std::int16_t(i * 3), std::int16_t(i % 4), std::int16_t(i % 2),
                       std::int16_t(i * 7), std::int16_t(i * 5), 0, 0};
        e.OrdenPiezas[i] = std::int16_t(n + 1 - i);
    }
    e.c.MovActual = std::int16_t(movimientos);
    e.Movimientos.assign(std::size_t(movimientos) + 1, {});
    for (int j = 1; j <= movimientos; ++j)
        e.Movimientos[j] = {std::int16_t(j % n + 1), std::int16_t(j), 5, 1, 0, -40, 7, 2, 1};
}

} // namespace

void PreparaMesaDePrueba() {
    PuzzGbl.AnchoMesa = 800;
    PuzzGbl.AltoMesa = 600;
    mesa.Pic_Botonera.move(800 - 141, 0, 141, 431);
}

ContextoValidacion ContextoDePrueba() {
    ContextoValidacion ctx;
    ctx.AnchoMesa = 800;
    ctx.AltoMesa = 600;
    ctx.disposicion = [](std::int16_t nro) -> std::optional<DisposicionTaipei> {
        if (nro < 1) return std::nullopt;
        DisposicionTaipei d;
        d.filas = 8;
        d.columnas = 16;
        d.niveles = 5;
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 16; ++c) d.altura[r][c] = std::int16_t(Altura(r, c));
        return d;
    };
    // Every pentomino model is a 6 x 10 board with two stored solutions.
    ctx.tableroPentomino = [](std::int16_t nro) -> std::optional<TableroPentomino> {
        if (nro < 1) return std::nullopt;
        return TableroPentomino{6, 10, 2};
    };
    ctx.rejilla = RejillaDe;
    return ctx;
}

void EscribeModelosDePrueba(const QString& carpeta) {
    modtai::Disposicion d{QStringLiteral("Prueba"), std::vector<std::string>(8, std::string(16, '1'))};
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 16; ++c) d.filas[std::size_t(r - 1)][std::size_t(c - 1)] = char('0' + Altura(r, c));
    plat::writeFile(plat::asFolder(carpeta) + QStringLiteral("ModTai.mlp"), plat::toCp1252(modtai::Registro(d)));
    pentominos_prueba::EscribeRectangulo(plat::asFolder(carpeta), 2);
}

std::vector<EstadoPartida> PartidasDePrueba() {
    std::vector<EstadoPartida> v;
    {
        EstadoPartida e;
        e.CarpetaImagen = "/fotos/";
        e.ArchivoImagen = "playa.bmp";
        e.FicheroImagen = "/fotos/playa.bmp";
        e.c = Cabecera(21);
        e.c.AnchoBmp = 640;
        e.c.AltoBmp = 480;
        Piezas(e, 25, 3);
        v.push_back(e);
    }
    {
        EstadoPartida e;
        e.FicheroImagen = " ";
        e.c = Cabecera(22);
        e.c.PiezasLado = 3;
        Piezas(e, 8, 2);
        for (int i = 1; i <= 8; ++i) {
            const int celda = (i + 2) % 9;
            e.Piezas[i] = {std::int16_t(169 + celda % 3 * 107), std::int16_t(107 + celda / 3 * 107), 0, 0,
                           std::int16_t(169 + (i - 1) % 3 * 107), std::int16_t(107 + (i - 1) / 3 * 107), 0, 0};
        }
        e.c.AgujeroX = 169 + 2 * 107;
        e.c.AgujeroY = 107;
        v.push_back(e);
    }
    for (std::int16_t juego : {23, 24}) {
        EstadoPartida e;
        e.FicheroImagen = " ";
        e.c = Cabecera(juego);
        Piezas(e, juego == 23 ? 7 : 12, 4);
        v.push_back(e);
    }
    {
        EstadoPartida e;
        e.FicheroImagen = " ";
        e.c = Cabecera(25);
        Piezas(e, 144, 0);
        e.Tablero.assign(kCeldasTaipei, -1);
        int t = 0;
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 16; ++c) {
                for (int k = 1; k <= 4; ++k) e.Tablero[IndiceTablero(r, c, k)] = 0;
                for (int k = 1; k <= Altura(r, c); ++k) {
                    RegistroPieza& p = e.Piezas[++t];
                    p = {std::int16_t(c * 50), std::int16_t(r * 67), 0, 0, 0, 0, 0, 0};
                    p.Fila = std::int16_t(r);
                    p.Columna = std::int16_t(c);
                    p.Nivel = std::int16_t(k);
                    p.Estado = 1;
                    if (k <= 4) e.Tablero[IndiceTablero(r, c, k)] = std::int16_t(t);
                }
            }
        e.Reparto.resize(144);
        std::iota(e.Reparto.begin(), e.Reparto.end(), std::int16_t(1));
        e.c.MovActual = 1;
        e.Movimientos.assign(2, {});
        e.Movimientos[1] = {0, 3, 9, 0, 0, 0, 0, 0, 0};
        v.push_back(e);
    }
    return v;
}
