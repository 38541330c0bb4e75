// The Taipei layouts that the program carries, and the record of the layout
// file "ModTai.mlp" that holds each: 452 characters, the name in 1-25, rows
// in 26-27, columns in 28-29, levels in 30, four unused, one height digit per
// cell row by row from 35 (352 places), 64 unused, CR LF. Unused places hold
// "0", as in an empty slot.
//
// Every layout holds 144 places in stacks of at most 5 within 16 rows and 22
// columns. The first ones fit a table of 800 x 600 (at most 12 columns and 8
// rows of tiles); the last ones need a larger screen, which the tool prints
// (record 1 always fits the smallest screen: it is the one a fresh game
// starts from).
#pragma once

#include <QString>

#include <algorithm>
#include <string>
#include <vector>

namespace modtai {

constexpr int kLargoRegistro = 452;
constexpr int kLargoNombre = 25;
constexpr int kPlazasAlturas = 352;

struct Disposicion {
    QString nombre;
    std::vector<std::string> filas; // one height digit per column
};

inline int Filas(const Disposicion& d) { return int(d.filas.size()); }
inline int Columnas(const Disposicion& d) { return d.filas.empty() ? 0 : int(d.filas.front().size()); }
inline int Niveles(const Disposicion& d) {
    int n = 0;
    for (const auto& f : d.filas)
        for (char c : f) n = std::max(n, c - '0');
    return n;
}
inline int Plazas(const Disposicion& d) {
    int n = 0;
    for (const auto& f : d.filas)
        for (char c : f) n += c - '0';
    return n;
}

inline QString DosCifras(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// The record of a layout.
inline QString Registro(const Disposicion& d) {
    QString r = d.nombre.left(kLargoNombre).leftJustified(kLargoNombre, u' ');
    r += DosCifras(Filas(d)) + DosCifras(Columnas(d)) + QString::number(Niveles(d));
    r += QStringLiteral("0000");
    QString alturas;
    for (const auto& f : d.filas) alturas += QString::fromStdString(f);
    r += alturas.leftJustified(kPlazasAlturas, u'0', true);
    r += QString(kLargoRegistro - 2 - r.size(), u'0');
    r += QStringLiteral("\r\n");
    return r;
}

// Common screens, smallest first; the table covers the whole screen.
struct Pantalla {
    int ancho, alto;
};
inline const std::vector<Pantalla>& Pantallas() {
    static const std::vector<Pantalla> p = {
        {800, 600},   {1024, 768},  {1280, 720},  {1152, 864},  {1280, 800},  {1366, 768},  {1280, 960},
        {1440, 900},  {1280, 1024}, {1600, 900},  {1680, 1050}, {1600, 1200}, {1920, 1080}, {1920, 1200},
    };
    return p;
}

// The authored layouts, in the order of their model numbers.
inline const std::vector<Disposicion>& Disposiciones() {
    static const std::vector<Disposicion> d = {
        // A turtle: a shell rising to a peak of four stacks of five, head
        // and tail rows across the ends, and the feet at the sides.
        {QStringLiteral("Tortuga"),
         {"111111111111",
          "001222222100",
          "011233332110",
          "111235532111",
          "111235532111",
          "011233332110",
          "001222222100",
          "111111111111"}},
        // Four corner towers, walls between them and a keep in the middle.
        {QStringLiteral("Fortaleza"),
         {"442222222244",
          "440000000044",
          "200000000002",
          "200044440002",
          "200044440002",
          "200000000002",
          "440000000044",
          "442222222244"}},
        // Two towers holding a deck over the water, with their cables.
        {QStringLiteral("Puente"),
         {"004000000400",
          "013100001310",
          "113110011311",
          "335333333533",
          "335333333533",
          "004000000400",
          "004000000400",
          "113111111311"}},
        // A cross whose arms step down from a peak in the middle.
        {QStringLiteral("Cruz"),
         {"000011110000",
          "000022220000",
          "112334433211",
          "112345543211",
          "112345543211",
          "112334433211",
          "000022220000",
          "000011110000"}},
        // A butterfly: two wings round a narrow body.
        {QStringLiteral("Mariposa"),
         {"121000000121",
          "232100001232",
          "133212212331",
          "122223322221",
          "122223322221",
          "133212212331",
          "232100001232",
          "121000000121"}},
        // A diamond in rings of rising height.
        {QStringLiteral("Diamante"),
         {"000002200000",
          "000122221000",
          "012334433210",
          "112345543211",
          "112345543211",
          "012334433210",
          "000122221000",
          "000002200000"}},
        // A low pyramid of broad steps.
        {QString::fromUtf8("Pirámide"),
         {"1111111111",
          "1222222221",
          "1222222221",
          "1233443321",
          "1233443321",
          "1222222221",
          "1222222221",
          "1111111111"}},
        // A castle for screens of 1024 x 768 and up: its outer wall with a
        // gate at the top, corner towers, an inner ring and the keep.
        {QStringLiteral("Castillo"),
         {"11111111011111111",
          "11000000000000011",
          "10000000000000001",
          "10122222222222101",
          "10120000000002101",
          "11120333333302111",
          "10120000000002101",
          "10122222222222101",
          "10000000000000001",
          "11000000000000011",
          "11111111111111111"}},
        // A constellation across the whole board, for the largest screens:
        // two chains of stars crossing from corner to corner.
        {QString::fromUtf8("Constelación"),
         {"1100000000000000000011",
          "1110000001100000000111",
          "0111000011110000001110",
          "0011100122221000011100",
          "0001111110011222211000",
          "0000111100001111110000",
          "0000011000000111100000",
          "0000011000000111100000",
          "0000111100001111110000",
          "0001111110011222211000",
          "0011100122221000011100",
          "0111000011110000001110",
          "1110000001100000000111",
          "1100000000000000000011"}},
    };
    return d;
}

} // namespace modtai
