// Tangram pieces never cover each other. The un-overlap pushes a dropped or
// turned piece out of every piece it covers; the gluing pulls a piece left a
// few pixels from another one against it.
//
// The rules work on polygons (a piece's vertices placed on the table) and
// answer with shifts; two polygons overlap when their regions (winding rule,
// pixel centres deciding) share a pixel, their boxes being compared first.
// The window procedures below take the polygons from the vertex tables, move
// the piece and redraw it.
#pragma once

#include <QPoint>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// A piece's polygon on the table.
using Poligono = std::vector<QPoint>;

// Push directions: 0 up, 1 up-right, 2 right, 3 down-right, 4 down,
// 5 down-left, 6 left, 7 up-left (y grows downwards).
QPoint PasoDireccion(int direccion);
int DireccionOpuesta(int direccion);
// The push of distance D in a direction: straight D pixels; diagonal D \ 2
// across and D - D \ 2 along y.
QPoint EmpujeDe(int direccion, int distancia);

// A free entry of TAN_DireccionesProbadas.
constexpr std::int16_t kDireccionLibre = 99;
// Bounds of one un-overlap: refused choices per overlap, and pushes.
constexpr int kMaxRechazos = 8;
constexpr int kMaxEmpujes = 50;

// One push of the ranking: its distance (steps to the first free shift, plus
// one, counted along x and y) and its direction.
struct Empuje {
    int distancia = 0;
    int direccion = 0;
    bool operator==(const Empuje&) const = default;
};

// The ranking of the eight pushes out of one piece: shortest first, equal
// distances in ascending direction.
std::vector<Empuje> ClasificaEmpujes(const std::vector<Empuje>& empujes);

// The rank taken for the push out of overlap number `solapes`, `previa` being
// the previous push's direction (kDireccionLibre when there is none). A push
// straight back along the previous one is passed over for the next; from the
// sixth overlap on the rank moves on by solapes Mod 7, wrapping past the
// eighth; a rank `admisible` refuses, or one past the eighth, counts as
// refused and the next one is tried. Nothing after kMaxRechazos refusals.
std::optional<int> EligeRango(const std::vector<Empuje>& clasificacion, int solapes, int previa,
                              const std::function<bool(const Empuje&)>& admisible);

// Where a pushed piece may go: its box (w by h at the new place) inside the
// table and, when the command panel is on the table, out of the panel's
// corner (x past its left edge - w while y is above its height).
struct LimitesMesa {
    int ancho = 0, alto = 0;
    bool conBotonera = false;
    int botoneraIzquierda = 0, botoneraAlto = 0;
};
bool LugarAdmisible(int x, int y, int w, int h, const LimitesMesa& limites);

struct ResultadoDesolape {
    QPoint desplazamiento;   // the whole way the piece went
    int solapes = 0;         // overlaps found, each pushed out of (or refused)
    std::array<std::int16_t, 21> direcciones; // push n's direction in entry n; kDireccionLibre free
    std::vector<Empuje> clasificacion;        // the ranking of the last overlap
    bool tope = false;       // a bound stopped it while the piece still covered another
    ResultadoDesolape() { direcciones.fill(kDireccionLibre); }
};

// The un-overlap of `pieza` (its polygon at its place `lugar`, its box w by h)
// among `otras` (the other pieces' polygons, in piece order). Each pass finds
// the first piece it covers and pushes it out of that one by the ranking's
// choice, one pixel past the first free shift; passes go on until it covers
// none, or every choice is refused, or kMaxEmpujes pushes were made; the
// piece then stays at its last accepted place.
ResultadoDesolape DesolapaPoligono(const Poligono& pieza, QPoint lugar, int w, int h,
                                   const std::vector<Poligono>& otras, const LimitesMesa& limites);

// A neighbour of the glued piece: its polygon and its inside point, both on
// the table.
struct Vecina {
    Poligono poligono;
    QPoint etiqueta;
};
// The gluing of `pieza` (its polygon and inside point on the table): for
// k = 2 to 7 pixels, and each neighbour in order, the piece is moved k pixels
// towards the neighbour's inside point (straight or diagonal); at the first
// overlap the shift, 2 pixels shorter in each moved coordinate, is the
// answer, unless the piece would land there on another neighbour. (0, 0)
// when none overlaps. A neighbour whose inside point is the piece's own gives
// no direction and is passed over.
QPoint PegaPoligono(const Poligono& pieza, QPoint etiqueta, const std::vector<Vecina>& otras);

// Whether two polygons share a pixel.
bool PoligonosSeSolapan(const Poligono& a, const Poligono& b);

// ---- the window's procedures ------------------------------------------------

// The polygon of Tangram piece `pieza` at (x, y) in that orientation, from the
// vertex tables (which it fills); empty for a piece or an orientation without
// one.
Poligono PoligonoTangram(std::int16_t pieza, int x, int y, std::int16_t giro, std::int16_t volteo);

// Un-overlap of the piece PiezaSeleccionada: takes it off the back buffer,
// pushes it, sets TAN_Solapes, TAN_DireccionesProbadas and the ranking in
// Lis_Ordenar, draws it on the back buffer and repaints the table.
void TAN_DesolapaPieza();
// Gluing of the piece PiezaSeleccionada: takes it off the back buffer, pulls
// it against a neighbour within 7 pixels, draws it and repaints the table.
void TAN_PegaDosPiezas();
// Whether Tangram piece `pieza` at its home (position and orientation) would
// cover none of the other pieces where they lie.
bool TAN_DestinoLibre(std::int16_t pieza);
