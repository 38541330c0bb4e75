// The control sprite sheet as the program carries it: its size, every sprite
// inside it and apart from the others, push-button middles that stretch
// without a seam, the ruler's marks under the knob's index, states that look
// different, and sort-key faces dark enough for their captions.
#include "core/Controles.h"
#include "resources/resources.h"

#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

#include <cmath>

namespace hc = hoja_controles;

namespace {

class LaminaControles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { teselaro::initResources(); }
    QImage hoja{QStringLiteral(":/sheets/BmpContr.png")};

    QRgb px(int x, int y) const { return hoja.pixel(x, y) & 0xFFFFFF; }
    QImage parte(const hc::Rect& r) const { return hoja.copy(r.x, r.y, r.w, r.h); }
    // Whether the rectangle holds more than one colour (something is drawn).
    bool dibujado(const hc::Rect& r) const {
        QSet<QRgb> c;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) c.insert(px(x, y));
        return c.size() > 1;
    }
};

// Relative luminance of a 0xRRGGBB colour, for contrast ratios.
double Luminancia(QRgb c) {
    auto canal = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal(qRed(c)) + 0.7152 * canal(qGreen(c)) + 0.0722 * canal(qBlue(c));
}
double Contraste(QRgb a, QRgb b) {
    double la = Luminancia(a) + 0.05, lb = Luminancia(b) + 0.05;
    return la > lb ? la / lb : lb / la;
}

TEST_F(LaminaControles, SizeAndEverySpriteInsideAndApart) {
    ASSERT_EQ(hoja.size(), QSize(138, 200));
    const hc::Rect propios[] = {hc::kPista,          hc::kSelectorSuelto,   hc::kSelectorPulsado, hc::kVisorExtremo,
                                hc::kFlechas,        hc::kFlechaArribaPulsada, hc::kFlechaAbajoPulsada,
                                hc::kLamparaApagada, hc::kLamparaEncendida, hc::kPulsadorSuelto,  hc::kPulsadorPulsado,
                                hc::kTiraPaginas,    hc::kTeclaActual,      hc::kTeclaOtra};
    const QRect lamina(0, 0, 138, 200);
    for (const auto& a : propios) {
        const QRect ra(a.x, a.y, a.w, a.h);
        EXPECT_TRUE(lamina.contains(ra)) << a.x << "," << a.y;
        EXPECT_TRUE(dibujado(a)) << a.x << "," << a.y;
        for (const auto& b : propios) {
            if (&a == &b) continue;
            EXPECT_FALSE(ra.intersects(QRect(b.x, b.y, b.w, b.h))) << a.x << "," << a.y << " / " << b.x << "," << b.y;
        }
    }
    // The parts that lie inside others.
    const QRect flechas(hc::kFlechas.x, hc::kFlechas.y, hc::kFlechas.w, hc::kFlechas.h);
    EXPECT_TRUE(flechas.contains(QRect(66, 24, 17, 10)));
    EXPECT_TRUE(flechas.contains(QRect(66, 34, 17, 10)));
    EXPECT_EQ(hc::kVisorCuerpo.x, hc::kVisorExtremo.x + hc::kVisorExtremo.w - 1);
    EXPECT_EQ(parte(hc::kVisorCuerpo), hoja.copy(64, 24, 1, 20));
}

TEST_F(LaminaControles, PushButtonMiddlesAreUniform) {
    for (const hc::Rect& fila : {hc::kPulsadorSuelto, hc::kPulsadorPulsado}) {
        const QImage medio = hoja.copy(hc::kPulsadorMedio, fila.y, 1, fila.h);
        for (int x = hc::kPulsadorExtremo; x < hc::kPulsadorBorde; ++x)
            ASSERT_EQ(hoja.copy(x, fila.y, 1, fila.h), medio) << "row " << fila.y << " column " << x;
        // The end and the edge are not just more middle.
        EXPECT_NE(hoja.copy(0, fila.y, 1, fila.h), medio);
        EXPECT_NE(hoja.copy(130, fila.y, 1, fila.h), medio);
    }
    EXPECT_NE(parte(hc::kPulsadorSuelto), parte(hc::kPulsadorPulsado));
}

TEST_F(LaminaControles, RulerMarksStandUnderTheKnobIndex) {
    // A mark is a dark column in the ruler rows below the groove.
    auto marca = [&](int x) {
        for (int y = 16; y < 20; ++y)
            if (qGray(hoja.pixel(x, y)) > 0x40) return false;
        return true;
    };
    for (int x = 0; x < hc::kPista.w; ++x) {
        const int v = x - hc::kMarcaRegla0;
        EXPECT_EQ(marca(x), v >= 0 && v <= 100 && v % 10 == 0) << "column " << x;
    }
}

TEST_F(LaminaControles, StatesDiffer) {
    EXPECT_NE(parte(hc::kLamparaApagada), parte(hc::kLamparaEncendida));
    EXPECT_NE(parte(hc::kSelectorSuelto), parte(hc::kSelectorPulsado));
    EXPECT_NE(parte(hc::kFlechaArriba), parte(hc::kFlechaArribaPulsada));
    EXPECT_NE(parte(hc::kFlechaAbajo), parte(hc::kFlechaAbajoPulsada));
    EXPECT_NE(parte(hc::kFlechaArriba), parte(hc::kFlechaAbajo));
    EXPECT_NE(parte(hc::kTeclaActual), parte(hc::kTeclaOtra));
}

TEST_F(LaminaControles, PagingButtonsAreTheStripsOwnAreas) {
    const QRect tira(hc::kTiraPaginas.x, hc::kTiraPaginas.y, hc::kTiraPaginas.w, hc::kTiraPaginas.h);
    QSet<QString> arriba;
    for (int x : hc::kBotonPaginaX) {
        const QRect boton(x, hc::kBotonPaginaArribaY, hc::kLadoBotonPagina, hc::kLadoBotonPagina);
        EXPECT_TRUE(tira.contains(boton)) << x;
        // Inside the strip at the place the window gives them: x and y 1 on it.
        EXPECT_EQ(boton.topLeft() - tira.topLeft(), QPoint(x, 1));
        const QImage up = hoja.copy(boton);
        const QImage down = hoja.copy(x, hc::kBotonPaginaPulsadoY, hc::kLadoBotonPagina, hc::kLadoBotonPagina);
        EXPECT_NE(up, down) << x;
        EXPECT_FALSE(tira.intersects(QRect(x, hc::kBotonPaginaPulsadoY, 24, 24))) << x;
        arriba.insert(QString::number(qHash(QByteArray(reinterpret_cast<const char*>(up.constBits()), up.sizeInBytes()))));
    }
    EXPECT_EQ(arriba.size(), 4); // first, previous, next and last each have their own face
}

TEST_F(LaminaControles, KeyFacesAreBlankAndDarkForTheirCaptions) {
    for (const hc::Rect& r : {hc::kTeclaActual, hc::kTeclaOtra})
        for (int y = r.y + 3; y < r.y + r.h - 3; ++y)
            for (int x = r.x + 3; x < r.x + r.w - 3; ++x) {
                const QRgb c = px(x, y);
                ASSERT_GE(Contraste(c, 0x808000), 2.0) << x << "," << y; // dark yellow 0x008080
                ASSERT_GE(Contraste(c, 0xFFFF00), 7.0) << x << "," << y; // yellow 0x00FFFF
            }
}

} // namespace
