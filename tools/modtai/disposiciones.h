// The Taipei layouts that the program carries, and the record of the layout
// file "ModTai.mlp" that holds each: 452 characters, the name in 1-25, rows
// in 26-27, columns in 28-29, levels in 30, four unused, one height digit per
// cell row by row from 35 (352 places), 64 unused, CR LF. Unused places hold
// "0", as in an empty slot.
//
// Every layout holds 144 places in stacks of at most 5 within 16 rows and 22
// columns, and fits the table of the smallest screen the program supports,
// 800 x 600, beside the command panel (at most 12 columns and 8 rows of
// tiles), so that every layout can be played on every screen.
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

// The smallest screen the program supports; the table covers it all.
constexpr int kAnchoMinimo = 800, kAltoMinimo = 600;

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
        // A castle seen from the front: a tower at each end with its
        // battlements, the curtain wall between them, the keep rising over
        // the wall in the middle and the gate open beneath it.
        {QStringLiteral("Castillo"),
         {"220000000022",
          "330002200033",
          "330023320033",
          "331122221133",
          "332222222233",
          "332210012233",
          "332200002233",
          "110000000011"}},
        // A constellation: four stars in the corners and one in the middle,
        // with chains of low tiles running between them.
        {QString::fromUtf8("Constelación"),
         {"131000000131",
          "353200002353",
          "131222222131",
          "000023320000",
          "000135531000",
          "131123321131",
          "353200002353",
          "131000000131"}},
    };
    return d;
}

} // namespace modtai
