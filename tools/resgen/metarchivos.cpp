#include "tools/resgen/metarchivos.h"

#include <cstdint>
#include <cstring>
#include <iterator>

namespace metarchivos {

namespace {

void Pon16(QByteArray& b, int v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void Pon32(QByteArray& b, std::int64_t v) {
    for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
}
void Cambia32(QByteArray& b, qsizetype en, std::int64_t v) {
    for (int i = 0; i < 4; ++i) b[en + i] = char((v >> (8 * i)) & 0xFF);
}
void Cambia16(QByteArray& b, qsizetype en, int v) {
    b[en] = char(v & 0xFF);
    b[en + 1] = char((v >> 8) & 0xFF);
}

// An 8 x 8 bitmap of 24 bits a pixel in four blocks of one colour each,
// bottom-up: its information header and its rows.
QByteArray Dib() {
    QByteArray d;
    Pon32(d, 40);
    Pon32(d, 8);
    Pon32(d, 8);
    Pon16(d, 1);
    Pon16(d, 24);
    Pon32(d, 0);
    Pon32(d, 8 * 8 * 3);
    Pon32(d, 3780);
    Pon32(d, 3780);
    Pon32(d, 0);
    Pon32(d, 0);
    auto pixel = [&](unsigned c) { // 0x00BBGGRR written as blue, green, red
        d.append(char((c >> 16) & 0xFF));
        d.append(char((c >> 8) & 0xFF));
        d.append(char(c & 0xFF));
    };
    for (int y = 7; y >= 0; --y)
        for (int x = 0; x < 8; ++x) pixel(y < 4 ? (x < 4 ? kAmarillo : kVerde) : (x < 4 ? kMagenta : kCian));
    return d;
}

// The diamond's corners: the middles of its box's sides.
std::vector<QPoint> Rombo() {
    const QRect& r = kRombo;
    return {{r.center().x(), r.top()}, {r.right(), r.center().y()}, {r.center().x(), r.bottom()},
            {r.left(), r.center().y()}};
}

// ---- WMF: records of 16-bit words, a size in words first.
constexpr int kUnidades = 15; // logical units a pixel (1440 an inch)

struct Wmf16 {
    QByteArray b;
    int registros = 0, mayor = 0;
    void registro(int funcion, std::initializer_list<int> palabras, const QByteArray& cola = {}) {
        const int tamano = 3 + int(palabras.size()) + int((cola.size() + 1) / 2);
        Pon32(b, tamano);
        Pon16(b, funcion);
        for (int p : palabras) Pon16(b, p);
        b.append(cola);
        if (cola.size() % 2) b.append('\0');
        mayor = std::max(mayor, tamano);
        ++registros;
    }
};

QByteArray Caja(const QRect& r) { // bottom, right, top, left in logical units
    QByteArray c;
    Pon16(c, (r.y() + r.height()) * kUnidades);
    Pon16(c, (r.x() + r.width()) * kUnidades);
    Pon16(c, r.y() * kUnidades);
    Pon16(c, r.x() * kUnidades);
    return c;
}

} // namespace

QByteArray Wmf() {
    Wmf16 w;
    w.registro(0x020B, {0, 0});                                        // SETWINDOWORG
    w.registro(0x020C, {kAlto * kUnidades, kAncho * kUnidades});       // SETWINDOWEXT
    w.registro(0x02FC, {0, int(kAzul & 0xFFFF), int(kAzul >> 16), 0}); // CREATEBRUSHINDIRECT, object 0
    w.registro(0x02FA, {0, 2 * kUnidades, 0, 0, 0});                   // CREATEPENINDIRECT black, object 1
    w.registro(0x012D, {0});                                           // SELECTOBJECT
    w.registro(0x012D, {1});
    w.registro(0x041B, {}, Caja(kRectangulo)); // RECTANGLE
    w.registro(0x02FC, {0, int(kRojo & 0xFFFF), int(kRojo >> 16), 0}); // object 2
    w.registro(0x012D, {2});
    {
        QByteArray puntos;
        Pon16(puntos, 4);
        for (const QPoint& q : Rombo()) {
            Pon16(puntos, q.x() * kUnidades);
            Pon16(puntos, q.y() * kUnidades);
        }
        w.registro(0x0324, {}, puntos); // POLYGON
    }
    // The bitmap stretched over its box: STRETCHDIB with SRCCOPY.
    {
        QByteArray p;
        Pon32(p, 0x00CC0020);
        Pon16(p, 0); // colours in the table (none: 24 bits)
        Pon16(p, 8);
        Pon16(p, 8);
        Pon16(p, 0);
        Pon16(p, 0);
        Pon16(p, kMapaBits.height() * kUnidades);
        Pon16(p, kMapaBits.width() * kUnidades);
        Pon16(p, kMapaBits.y() * kUnidades);
        Pon16(p, kMapaBits.x() * kUnidades);
        w.registro(0x0F43, {}, p + Dib());
    }
    // The text: a font of 48 pixels, transparent ground, black letters.
    {
        QByteArray f;
        Pon16(f, -48 * kUnidades);
        Pon16(f, 0);
        Pon16(f, 0);
        Pon16(f, 0);
        Pon16(f, 700);
        f.append(QByteArray::fromHex("0000000000000002")); // italic .. pitch and family (swiss)
        QByteArray cara("Liberation Sans");
        cara.append(32 - cara.size(), '\0');
        w.registro(0x02FB, {}, f + cara); // CREATEFONTINDIRECT, object 3
        w.registro(0x012D, {3});
        w.registro(0x0102, {1});          // SETBKMODE transparent
        w.registro(0x0209, {0, 0});       // SETTEXTCOLOR black
        w.registro(0x012E, {0});          // SETTEXTALIGN: top, left
        const QByteArray texto("Teselaro");
        QByteArray t;
        Pon16(t, int(texto.size()));
        t.append(texto);
        Pon16(t, kTexto.y() * kUnidades);
        Pon16(t, kTexto.x() * kUnidades);
        w.registro(0x0521, {}, t); // TEXTOUT
    }
    w.registro(0x0000, {}); // EOF

    QByteArray cabecera;
    Pon16(cabecera, 1);
    Pon16(cabecera, 9);
    Pon16(cabecera, 0x0300);
    Pon32(cabecera, (18 + w.b.size()) / 2);
    Pon16(cabecera, 4);
    Pon32(cabecera, w.mayor);
    Pon16(cabecera, 0);

    QByteArray colocable;
    Pon32(colocable, 0x9AC6CDD7);
    Pon16(colocable, 0);
    Pon16(colocable, 0);
    Pon16(colocable, 0);
    Pon16(colocable, kAncho * kUnidades);
    Pon16(colocable, kAlto * kUnidades);
    Pon16(colocable, 1440);
    Pon32(colocable, 0);
    int suma = 0;
    for (int i = 0; i < 10; ++i)
        suma ^= (std::uint8_t(colocable[2 * i]) | (std::uint8_t(colocable[2 * i + 1]) << 8));
    Pon16(colocable, suma);
    return colocable + cabecera + w.b;
}

// ---- EMF: records of 32-bit values, a type and a size in bytes first.

namespace {

struct Emf32 {
    QByteArray b;
    int registros = 0;
    void registro(int tipo, std::initializer_list<std::int64_t> valores, const QByteArray& cola = {}) {
        QByteArray r;
        Pon32(r, tipo);
        Pon32(r, 0);
        for (std::int64_t v : valores) Pon32(r, v);
        r.append(cola);
        while (r.size() % 4) r.append('\0');
        Cambia32(r, 4, r.size());
        b.append(r);
        ++registros;
    }
    // The header of a picture of w x h pixels (its frame in hundredths of a
    // millimetre), its counts filled in by fin().
    void cabecera(int w, int h) {
        registro(1, {0, 0, w - 1, h - 1, 0, 0, w * 2540 / 96, h * 2540 / 96, 0x464D4520, 0x10000, 0, 0, 0, 0, 0,
                     0, w, h, 169, 127});
    }
    // The end record, and the header's size, records and objects.
    QByteArray fin(int objetos) {
        registro(14, {0, 16, 20}); // EOF
        Cambia32(b, 48, b.size());
        Cambia32(b, 52, registros);
        Cambia16(b, 56, objetos);
        return b;
    }
};

QByteArray CajaEmf(const QRect& r) { // left, top, right, bottom (inclusive)
    QByteArray c;
    Pon32(c, r.x());
    Pon32(c, r.y());
    Pon32(c, r.x() + r.width() - 1);
    Pon32(c, r.y() + r.height() - 1);
    return c;
}

} // namespace

QByteArray Emf() {
    Emf32 e;
    e.cabecera(kAncho, kAlto);
    e.registro(17, {1});                                 // SETMAPMODE MM_TEXT
    e.registro(39, {1, 0, kAzul, 0});                    // CREATEBRUSHINDIRECT 1
    e.registro(38, {2, 0, 2, 0, 0});                     // CREATEPEN 2, black, 2 wide
    e.registro(37, {1});                                 // SELECTOBJECT
    e.registro(37, {2});
    e.registro(43, {}, CajaEmf(kRectangulo));            // RECTANGLE
    e.registro(39, {3, 0, kRojo, 0});
    e.registro(37, {3});
    {
        QByteArray puntos = CajaEmf(kRombo);
        Pon32(puntos, 4);
        for (const QPoint& q : Rombo()) {
            Pon16(puntos, q.x());
            Pon16(puntos, q.y());
        }
        e.registro(86, {}, puntos); // POLYGON16
    }
    {
        // STRETCHDIBITS: bounds, destination, source, the bitmap after the
        // 80 bytes of the record's own fields.
        const QByteArray dib = Dib();
        QByteArray c = CajaEmf(kMapaBits);
        for (std::int64_t v : {std::int64_t(kMapaBits.x()), std::int64_t(kMapaBits.y()), std::int64_t(0),
                               std::int64_t(0), std::int64_t(8), std::int64_t(8), std::int64_t(80),
                               std::int64_t(40), std::int64_t(120), std::int64_t(dib.size() - 40), std::int64_t(0),
                               std::int64_t(0x00CC0020), std::int64_t(kMapaBits.width()),
                               std::int64_t(kMapaBits.height())})
            Pon32(c, v);
        e.registro(81, {}, c + dib);
    }
    {
        // EXTCREATEFONTINDIRECTW 4: 48 pixels, bold, Liberation Sans.
        QByteArray f;
        for (std::int64_t v : {std::int64_t(-48), std::int64_t(0), std::int64_t(0), std::int64_t(0), std::int64_t(700)})
            Pon32(f, v);
        f.append(QByteArray::fromHex("0000000000000002"));
        const QString cara = QStringLiteral("Liberation Sans");
        for (int i = 0; i < 32; ++i) Pon16(f, i < cara.size() ? cara.at(i).unicode() : 0);
        e.registro(82, {4}, f);
        e.registro(37, {4});
        e.registro(18, {1});      // SETBKMODE transparent
        e.registro(24, {0});      // SETTEXTCOLOR black
        e.registro(22, {0x0000}); // SETTEXTALIGN top, left
        const QString texto = QStringLiteral("Teselaro");
        const int n = int(texto.size());
        QByteArray t = CajaEmf(kTexto);
        Pon32(t, 1);          // GM_COMPATIBLE
        Pon32(t, 0);          // scales
        Pon32(t, 0);
        Pon32(t, kTexto.x()); // reference point
        Pon32(t, kTexto.y());
        Pon32(t, n);
        const int offTexto = 76, offDx = offTexto + ((2 * n + 3) / 4) * 4;
        Pon32(t, offTexto);
        Pon32(t, 0); // options
        t.append(CajaEmf(kTexto));
        Pon32(t, offDx);
        for (QChar ch : texto) Pon16(t, ch.unicode());
        while ((8 + t.size()) % 4) t.append('\0');
        for (int i = 0; i < n; ++i) Pon32(t, 30);
        e.registro(84, {}, t); // EXTTEXTOUTW
    }
    return e.fin(5);
}

QByteArray EmfVeladuras() {
    constexpr int w = kAnchoVeladuras, h = kAltoVeladuras, n = int(std::size(kOpacidades));
    Emf32 e;
    e.cabecera(w, h);
    // The bitmap: one bottom-up row of 32 bits a pixel, blue, green, red and
    // opacity. Black is the same premultiplied or not.
    QByteArray dib;
    for (std::int64_t v : {40, n, 1}) Pon32(dib, v);
    Pon16(dib, 1);
    Pon16(dib, 32);
    for (std::int64_t v : {0, 4 * n, 3780, 3780, 0, 0}) Pon32(dib, v);
    for (int opacidad : kOpacidades) {
        Pon32(dib, 0);
        dib[dib.size() - 1] = char(opacidad);
    }
    // ALPHABLEND: bounds, the destination box, the blend (source alpha, at
    // full constant opacity), the source's origin, its transform, ground
    // colour and colour usage, where the bitmap's header and bits lie, and
    // the source's size.
    QByteArray c = CajaEmf(QRect(0, 0, w, h / 2));
    for (std::int64_t v : {0, 0, w, h / 2}) Pon32(c, v);
    Pon32(c, 0x01FF0000); // AC_SRC_OVER, 255, AC_SRC_ALPHA
    Pon32(c, 0);
    Pon32(c, 0);
    for (float f : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f}) {
        std::uint32_t u;
        std::memcpy(&u, &f, sizeof u);
        Pon32(c, u);
    }
    Pon32(c, 0);
    Pon32(c, 0);
    const int cabecera = 8 + int(c.size()) + 24;
    for (std::int64_t v : {cabecera, 40, cabecera + 40, 4 * n, n, 1}) Pon32(c, v);
    e.registro(114, {}, c + dib);
    return e.fin(1);
}

std::vector<Danado> Danados() {
    const QByteArray wmf = Wmf(), emf = Emf();
    std::vector<Danado> d;
    auto con = [](QByteArray b, qsizetype en, std::int64_t v, int ancho = 4) {
        if (ancho == 4) Cambia32(b, en, v);
        else Cambia16(b, en, int(v));
        return b;
    };
    d.push_back({"wmf cut in its header", wmf.left(30)});
    d.push_back({"wmf cut after the header", wmf.left(22 + 18)});
    d.push_back({"wmf cut in a record", wmf.left(wmf.size() / 2)});
    d.push_back({"emf cut in its header", emf.left(60)});
    d.push_back({"emf cut in a record", emf.left(emf.size() / 2)});
    d.push_back({"wmf header of another type", con(wmf, 22, 7, 2)});
    d.push_back({"emf signature wrong", con(emf, 40, 0x12345678)});
    d.push_back({"emf header record too short", con(emf, 4, 12)});
    // Sizes no picture has.
    d.push_back({"wmf of no width", con(con(wmf, 6, 0, 2), 10, 0, 2)});
    d.push_back({"wmf of 32000 x 32000 pixels", con(con(con(wmf, 10, 32000, 2), 12, 32000, 2), 14, 96, 2)});
    d.push_back({"wmf of no units an inch", con(wmf, 14, 0, 2)});
    d.push_back({"emf of no size", con(con(emf, 32, 0), 36, 0)});
    d.push_back({"emf of a negative frame", con(emf, 32, -5000)});
    d.push_back({"emf of 1 km", con(con(emf, 32, 100000000), 36, 100000000)});
    // Records that loop (a size of zero) or ask for gigabytes.
    const qsizetype primerWmf = 22 + 18, primerEmf = 88;
    d.push_back({"wmf record of size 0", con(wmf, primerWmf, 0)});
    d.push_back({"wmf record of 2 gigawords", con(wmf, primerWmf, 0x7FFFFFFF)});
    d.push_back({"emf record of size 0", con(emf, primerEmf + 4, 0)});
    d.push_back({"emf record of 4 gigabytes", con(emf, primerEmf + 4, 0xFFFFFFF0)});
    d.push_back({"emf that claims 4 gigabytes", con(emf, 48, 0xFFFFFFFF)});
    // A bitmap record whose bitmap says 60000 x 60000 pixels.
    auto mapaEnorme = [](QByteArray b) {
        const qsizetype dib = b.indexOf(QByteArray::fromHex("280000000800000008000000"));
        if (dib > 0) {
            Cambia32(b, dib + 4, 60000);
            Cambia32(b, dib + 8, 60000);
        }
        return b;
    };
    d.push_back({"emf bitmap of 60000 x 60000", mapaEnorme(emf)});
    d.push_back({"wmf bitmap of 60000 x 60000", mapaEnorme(wmf)});
    return d;
}

} // namespace metarchivos
