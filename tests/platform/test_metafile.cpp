// Metafiles drawn by the system's libraries: the authored samples at their
// header's size with their parts where they were drawn, and damaged or
// hostile copies refused without a hang or a crash of the program (the
// child they are drawn in is tested in test_isolated.cpp).
#include "platform/errors.h"
#include "platform/metafile.h"
#include "platform/picture.h"
#include "tools/resgen/metarchivos.h"
#include "tests/support/fixtures.h"

#include <QElapsedTimer>
#include <QImage>

#include <gtest/gtest.h>


namespace {

struct Muestra {
    const char* nombre;
    QByteArray (*bytes)();
};
const Muestra kMuestras[] = {{"wmf", metarchivos::Wmf}, {"emf", metarchivos::Emf}};

// The colour (0x00BBGGRR) of the pixel, as the program reads colours.
unsigned Color(const QImage& img, QPoint p) {
    const QRgb c = img.pixel(p);
    return unsigned(qRed(c)) | (unsigned(qGreen(c)) << 8) | (unsigned(qBlue(c)) << 16);
}

// Whether two colours differ by little in every channel.
bool Cerca(unsigned a, unsigned b, int tolerancia = 40) {
    for (int s = 0; s < 24; s += 8)
        if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > tolerancia) return false;
    return true;
}

TEST(Metarchivo, TheHeaderGivesTheSizeInPixels) {
    for (const Muestra& m : kMuestras) {
        SCOPED_TRACE(m.nombre);
        EXPECT_EQ(plat::metafileSize(m.bytes()), QSize(metarchivos::kAncho, metarchivos::kAlto));
    }
    EXPECT_EQ(plat::metafileKind(metarchivos::Wmf()), plat::MetafileKind::kWmf);
    EXPECT_EQ(plat::metafileKind(metarchivos::Emf()), plat::MetafileKind::kEmf);
    EXPECT_EQ(plat::metafileKind(QByteArray("BM1234")), plat::MetafileKind::kNone);
    // The placeable header's units an inch: 720 makes the same box twice as large.
    QByteArray w = metarchivos::Wmf();
    w[14] = char(720 & 0xFF);
    w[15] = char(720 >> 8);
    EXPECT_EQ(plat::metafileSize(w), QSize(2 * metarchivos::kAncho, 2 * metarchivos::kAlto));
    // Without the placeable header, the window extent in pixels.
    EXPECT_EQ(plat::metafileSize(metarchivos::Wmf().mid(22)), QSize(640 * 15, 480 * 15));
}

TEST(Metarchivo, TheSamplesAreDrawnOnWhiteWithTheirPartsWhereTheyWereDrawn) {
    using namespace metarchivos;
    for (const Muestra& m : kMuestras) {
        SCOPED_TRACE(m.nombre);
        const QImage img = plat::decodePicture(m.bytes());
        ASSERT_EQ(img.size(), QSize(kAncho, kAlto));
        EXPECT_EQ(img.format(), QImage::Format_RGB32);
        const struct {
            const char* que;
            QPoint donde;
            unsigned color;
        } puntos[] = {
            {"the ground", {5, 5}, 0xFFFFFF},
            {"the ground between the shapes", {320, 120}, 0xFFFFFF},
            {"the ground below", {620, 460}, 0xFFFFFF},
            {"the rectangle", kRectangulo.center(), kAzul},
            {"the rectangle's edge", {kRectangulo.x(), kRectangulo.center().y()}, 0x000000},
            {"the diamond", kRombo.center(), kRojo},
            {"outside the diamond, in its box", kRombo.topLeft() + QPoint(20, 20), 0xFFFFFF},
            {"the bitmap's top left", kMapaBits.topLeft() + QPoint(30, 30), kAmarillo},
            {"the bitmap's top right", kMapaBits.topRight() + QPoint(-30, 30), kVerde},
            {"the bitmap's bottom left", kMapaBits.bottomLeft() + QPoint(30, -30), kMagenta},
            {"the bitmap's bottom right", kMapaBits.bottomRight() + QPoint(-30, -30), kCian},
        };
        for (const auto& p : puntos)
            EXPECT_TRUE(Cerca(Color(img, p.donde), p.color, p.color == 0 ? 120 : 40))
                << p.que << " at " << p.donde.x() << ", " << p.donde.y() << ": " << std::hex << Color(img, p.donde);
        // The text: dark pixels inside its box, none around it.
        int oscuros = 0;
        for (int y = kTexto.top(); y <= kTexto.bottom(); ++y)
            for (int x = kTexto.left(); x <= kTexto.right(); ++x) oscuros += Cerca(Color(img, {x, y}), 0, 90);
        EXPECT_GT(oscuros, 300) << "the letters";
    }
}

TEST(Metarchivo, SeeThroughPixelsShowTheWhiteGroundThroughThem) {
    using namespace metarchivos;
    const QImage img = plat::decodePicture(EmfVeladuras());
    ASSERT_EQ(img.size(), QSize(kAnchoVeladuras, kAltoVeladuras));
    EXPECT_EQ(img.format(), QImage::Format_RGB32);
    // Black at opacity a over white is the grey 255 - a in every channel.
    const int bandas = int(std::size(kOpacidades)), ancho = kAnchoVeladuras / bandas;
    for (int i = 0; i < bandas; ++i) {
        const QPoint centro(i * ancho + ancho / 2, kAltoVeladuras / 4);
        const int gris = 255 - kOpacidades[i];
        EXPECT_TRUE(Cerca(Color(img, centro), unsigned(gris) * 0x010101u, 8))
            << "opacity " << kOpacidades[i] << ": " << std::hex << Color(img, centro);
    }
    EXPECT_EQ(Color(img, {kAnchoVeladuras / 2, kAltoVeladuras * 3 / 4}), 0xFFFFFFu) << "the undrawn half";
}

TEST(Metarchivo, DamagedOrHostileCopiesAreRefusedQuickly) {
    for (const auto& d : metarchivos::Danados()) {
        SCOPED_TRACE(d.nombre);
        QElapsedTimer reloj;
        reloj.start();
        try {
            const QImage img = plat::decodePicture(d.bytes);
            ADD_FAILURE() << "drawn as " << img.width() << " x " << img.height();
        } catch (const plat::RuntimeError& e) {
            EXPECT_TRUE(e.number() == plat::err::kInvalidPicture || e.number() == plat::err::kOutOfMemory)
                << e.number();
        }
        EXPECT_LT(reloj.elapsed(), 8000) << "no hang";
    }
    // The child those copies cost is replaced: the samples are drawn after them.
    for (const Muestra& m : kMuestras) EXPECT_EQ(plat::decodePicture(m.bytes()).size(), QSize(640, 480)) << m.nombre;
}

} // namespace
