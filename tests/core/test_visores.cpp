// The owner-drawn texts, frames and inset displays. Texts are checked by the
// cell they were printed in and their colour (the box that holds all pixels of
// that colour), never by the shapes of the letters.
#include "core/PuzzGbl.h"
#include "core/Visores.h"
#include "tests/support/fixtures.h"

#include <QRect>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using plat::Color;
using plat::Surface;

// Letters in plain colours, so that every text pixel has its print's colour.
std::unique_ptr<Surface> superficie(int w, int h) {
    auto s = std::make_unique<Surface>(QStringLiteral("Pic"), w, h);
    s->setTextAntialias(false);
    return s;
}

// The smallest rectangle holding every pixel of that colour (empty if none).
QRect cajaDe(const Surface& s, Color c) {
    QRect r;
    for (int y = 0; y < s.scaleHeight(); ++y)
        for (int x = 0; x < s.scaleWidth(); ++x)
            if (s.point(x, y) == c) r |= QRect(x, y, 1, 1);
    return r;
}

// The text cell of a print at (x, y), cut to the surface.
QRect celda(const Surface& s, int x, int y, const QString& texto) {
    return QRect(x, y, s.textWidth(texto), s.textHeight(texto)) & QRect(0, 0, s.scaleWidth(), s.scaleHeight());
}

// Every pixel against an expected colour, reporting the first few misses.
void esperaPixeles(const Surface& s, const std::function<Color(int, int)>& esperado) {
    int fallos = 0;
    for (int y = 0; y < s.scaleHeight(); ++y)
        for (int x = 0; x < s.scaleWidth(); ++x)
            if (s.point(x, y) != esperado(x, y) && ++fallos <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << s.point(x, y) << ", expected "
                              << esperado(x, y);
}

constexpr Color kRelleno = 0xA0C3A0;
constexpr Color kSombras[3] = {0x506450, 0x6E876E, 0x8CAA8C};
constexpr Color kTexto = 0x323C32;
constexpr Color kSombraTexto = 0x759575;

// The panel of a W x H display with no text.
Color panel(int x, int y, int w, int h, Color contorno, Color borde) {
    if (y == 0 || x == 0) return borde;
    if (x == w - 1 || y == h - 1) return contorno;
    for (int i = 1; i <= 3; ++i)
        if ((y == i && x >= i) || (x == i && y >= i)) return kSombras[i - 1];
    return kRelleno;
}

struct Estilo {
    std::int16_t estilo;
    Color contorno;
    Color borde;
};
const Estilo kEstilos[] = {
    {1, 0x7C9CFC, 0x042484},
    {2, 0xFFFFFF, 0x808080},
    {0, 0xFFFFFF, 0x808080}, // any other value looks like 2
    {7, 0xFFFFFF, 0x808080},
};

TEST(DibujaVisor, PanelOfBothStyles) {
    for (const Estilo& e : kEstilos) {
        SCOPED_TRACE(e.estilo);
        auto s = superficie(20, 12);
        PuzzGbl.AnchoControl = PuzzGbl.AltoControl = 0;
        DibujaVisor(*s, QString(), e.estilo);
        esperaPixeles(*s, [&](int x, int y) { return panel(x, y, 20, 12, e.contorno, e.borde); });
        EXPECT_EQ(PuzzGbl.AnchoControl, 20);
        EXPECT_EQ(PuzzGbl.AltoControl, 12);
        // Blanks alone are no text either.
        auto b = superficie(20, 12);
        DibujaVisor(*b, QStringLiteral("    "), e.estilo);
        EXPECT_EQ(b->image(), s->image());
    }
}

TEST(DibujaVisor, TextCentredWithItsShadowBelowRight) {
    const QString texto = QStringLiteral("12 / 25");
    auto s = superficie(90, 24);
    DibujaVisor(*s, texto, 1);
    const int x = 1 + (90 - s->textWidth(texto)) / 2;
    const int y = 2 + (24 - s->textHeight(texto)) / 2;
    const QRect oscuro = cajaDe(*s, kTexto), sombra = cajaDe(*s, kSombraTexto);
    ASSERT_FALSE(oscuro.isEmpty());
    ASSERT_FALSE(sombra.isEmpty());
    EXPECT_TRUE(celda(*s, x - 1, y - 1, texto).contains(oscuro)) << oscuro.x() << "," << oscuro.y();
    EXPECT_TRUE(celda(*s, x, y, texto).contains(sombra));
    // The shadow is the same text one pixel right and down, under the dark one.
    EXPECT_EQ(sombra.right(), oscuro.right() + 1);
    EXPECT_EQ(sombra.bottom(), oscuro.bottom() + 1);
    // Printing left the panel's edges alone.
    EXPECT_EQ(s->point(0, 0), 0x042484);
    EXPECT_EQ(s->point(89, 23), 0x7C9CFC);
}

TEST(DibujaVisor, OuterBlanksNeitherPrintNorShift) {
    for (const auto& [w, h] : {std::pair{20, 12}, std::pair{90, 24}}) {
        auto a = superficie(w, h);
        auto b = superficie(w, h);
        DibujaVisor(*a, QStringLiteral("12"), 2);
        DibujaVisor(*b, QStringLiteral("  12  "), 2);
        EXPECT_EQ(a->image(), b->image()) << w << " x " << h;
    }
}

TEST(DibujaVisor, SameLookAfterAReliefTextOnTheSameSurface) {
    auto limpia = superficie(90, 24);
    DibujaVisor(*limpia, QStringLiteral("0:00:03"), 2);

    // A relief text leaves a transparent fill; opaque text is also set here.
    auto usada = superficie(90, 24);
    ImprimeTextoRelieve(*usada, 3, 3, QStringLiteral("Título"), false);
    usada->setFontTransparent(false);
    usada->setBackColor(0x00FFFF);
    DibujaVisor(*usada, QStringLiteral("0:00:03"), 2);
    EXPECT_EQ(usada->point(45, 20), kRelleno);
    EXPECT_EQ(usada->image(), limpia->image());
    EXPECT_EQ(usada->fillStyle(), plat::FillStyle::Solid);
    EXPECT_TRUE(usada->fontTransparent());
}

TEST(ImprimeTextoRelieve, WhiteEdgeThenBlueFaceAndTheStateItLeaves) {
    const QString texto = QStringLiteral("Ab");
    for (const bool transparente : {true, false}) {
        SCOPED_TRACE(transparente);
        auto s = superficie(60, 30);
        s->setBackColor(0x00FF00);
        s->line(0, 9, 60, 9, plat::kBlack); // a line behind the text
        s->setFillStyle(plat::FillStyle::Solid);
        ImprimeTextoRelieve(*s, 5, 3, texto, transparente);

        const QRect cw = celda(*s, 5, 3, texto), cb = celda(*s, 6, 4, texto);
        const QRect blanco = cajaDe(*s, plat::kWhite), azul = cajaDe(*s, 0xD00000);
        ASSERT_FALSE(blanco.isEmpty());
        ASSERT_FALSE(azul.isEmpty());
        EXPECT_TRUE(cw.contains(blanco));
        EXPECT_TRUE(cb.contains(azul));
        EXPECT_EQ(azul.right(), blanco.right() + 1);
        EXPECT_EQ(azul.bottom(), blanco.bottom() + 1);

        // Opaque: the cell of the white print wipes the line behind it.
        int negrosEnCelda = 0;
        for (int x = cw.left(); x <= cw.right(); ++x) negrosEnCelda += s->point(x, 9) == plat::kBlack;
        if (transparente) {
            EXPECT_GT(negrosEnCelda, 0);
        } else {
            EXPECT_EQ(negrosEnCelda, 0);
        }
        EXPECT_EQ(s->point(cw.right() + 1, 9), plat::kBlack);

        EXPECT_EQ(s->foreColor(), 0xD00000);
        EXPECT_TRUE(s->fontTransparent());
        EXPECT_EQ(s->fillStyle(), plat::FillStyle::Transparent);
    }
}

TEST(ImprimeTextoEspaciado, SpacingAndStart) {
    struct Caso {
        int ancho, anchoTexto, caracteres, espacio, x;
    };
    const Caso casos[] = {
        {131, 60, 10, 5, 12},   // (71 \ 13) = 5; ((71 - 45) \ 2) - 1
        {400, 60, 10, 6, 142},  // 26 would be the spacing: it stops at 6
        {40, 60, 10, 0, -11},   // narrower than the text: no spacing, starts left of the edge
        {61, 60, 10, 0, -1},    // 1 \ 13 = 0
        {20, 10, 1, 2, 4},      // one letter: the spacing does not move it
    };
    for (const Caso& c : casos) {
        const Espaciado e = CalculaEspaciado(c.ancho, c.anchoTexto, c.caracteres);
        EXPECT_EQ(e.espacio, c.espacio) << c.ancho << " " << c.anchoTexto << " " << c.caracteres;
        EXPECT_EQ(e.x, c.x) << c.ancho << " " << c.anchoTexto << " " << c.caracteres;
    }
}

TEST(ImprimeTextoEspaciado, LettersSpreadOverTheComputedSpan) {
    const QString texto = QStringLiteral("Probar");
    auto s = superficie(140, 24);
    s->setBackColor(0xC0C0C0);
    int total = 0;
    for (const QChar c : texto) total += s->textWidth(QString(c));
    const Espaciado e = CalculaEspaciado(140, total, int(texto.size()));
    ASSERT_GT(e.espacio, 0);
    ImprimeTextoEspaciado(*s, texto);

    const int ancho = total + e.espacio * (int(texto.size()) - 1);
    const int alto = s->textHeight(texto);
    const QRect blanco = cajaDe(*s, plat::kWhite), azul = cajaDe(*s, 0xFF0000);
    ASSERT_FALSE(azul.isEmpty());
    EXPECT_TRUE(QRect(e.x, 4, ancho, alto).contains(blanco));
    EXPECT_TRUE(QRect(e.x + 1, 5, ancho, alto).contains(azul));
    // The first letter starts the span and the last one ends it.
    const int primera = s->textWidth(texto.left(1)), ultima = s->textWidth(texto.right(1));
    const int xUltima = e.x + 1 + ancho - ultima;
    EXPECT_GE(azul.left(), e.x + 1);
    EXPECT_LT(azul.left(), e.x + 1 + primera);
    EXPECT_GE(azul.right(), xUltima);
    EXPECT_EQ(s->foreColor(), 0xFF0000);
}

// The etched frame of a W x H surface whose top line is at row t.
Color marco(int x, int y, int w, int h, int t) {
    if (y < t) return 0xC0C0C0;
    const bool blanco = ((y == t || y == h - 2) && x <= w - 2) || ((x == 0 || x == w - 2) && y <= h - 2);
    const bool gris = ((y == t + 1 || y == h - 1) && x >= 1) || ((x == 1 || x == w - 1) && y >= t + 1);
    if (gris) return 0x808080; // drawn second
    return blanco ? 0xFFFFFF : 0xC0C0C0;
}

TEST(DibujaMarco, BlankTitleFramesFromTheTop) {
    for (const QString& titulo : {QString(), QStringLiteral("    ")}) {
        auto s = superficie(40, 30);
        s->setFillStyle(plat::FillStyle::Solid); // left by an earlier drawing
        s->setFillColor(0x0000FF);
        DibujaMarco(*s, titulo);
        esperaPixeles(*s, [](int x, int y) { return marco(x, y, 40, 30, 0); });
        EXPECT_EQ(s->backColor(), 0xC0C0C0);
    }
}

TEST(DibujaMarco, TitleCutsTheTopLinesOfAFrameSixPixelsLower) {
    const QString titulo = QStringLiteral(" Modo de juego  ");
    QString delLlamador = titulo;
    auto s = superficie(160, 40);
    DibujaMarco(*s, delLlamador);
    EXPECT_EQ(delLlamador, titulo); // the caller's caption stays as it was

    const QString impreso = QStringLiteral(" Modo de juego  ");
    const int x = (160 - s->textWidth(impreso)) / 2;
    const QRect cw = celda(*s, x, -2, impreso);
    ASSERT_GE(cw.bottom(), 7);

    // Outside the two cells of the title the frame is intact; inside the
    // white print's cell the grey top line is wiped.
    const QRect cajaTitulo = cw | celda(*s, x + 1, -1, impreso);
    for (int yy = 0; yy < 40; ++yy)
        for (int xx = 0; xx < 160; ++xx) {
            if (cajaTitulo.contains(xx, yy)) continue;
            ASSERT_EQ(s->point(xx, yy), marco(xx, yy, 160, 40, 6)) << xx << "," << yy;
        }
    for (int xx = cw.left(); xx <= cw.right(); ++xx) EXPECT_NE(s->point(xx, 7), 0x808080) << xx;
    // Nothing above the frame but the title.
    for (int yy = 0; yy < 6; ++yy) {
        EXPECT_EQ(s->point(0, yy), 0xC0C0C0);
        EXPECT_EQ(s->point(159, yy), 0xC0C0C0);
    }
    const QRect azul = cajaDe(*s, 0xD00000);
    ASSERT_FALSE(azul.isEmpty());
    EXPECT_TRUE(celda(*s, x + 1, -1, impreso).contains(azul));
}

TEST(DibujaMarco, CaptionFromTheTablesIsNotRewritten) {
    PuzzGbl.reset();
    PuzzGbl.TextosControles[5] = QStringLiteral("Lista de movimientos");
    auto s = superficie(200, 40);
    DibujaMarco(*s, PuzzGbl.TextosControles[5]);
    EXPECT_EQ(PuzzGbl.TextosControles[5], QStringLiteral("Lista de movimientos"));
    PuzzGbl.reset();
}

} // namespace
