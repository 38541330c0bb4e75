// Printing several texts at once gives the letters, colours and current point
// that printing them one by one gives.
#include "platform/surface.h"

#include <gtest/gtest.h>

namespace {

TEST(PrintAll, SameAsOnePrintEach) {
    for (bool suave : {true, false}) {
        SCOPED_TRACE(suave);
        plat::Surface uno(QStringLiteral("uno"), 200, 60), todos(QStringLiteral("todos"), 200, 60);
        plat::Font f;
        f.name = QStringLiteral("Liberation Mono");
        f.size = 8.25;
        for (plat::Surface* s : {&uno, &todos}) {
            s->setBackColor(0xCF7148);
            s->setFont(f);
            s->setTextAntialias(suave);
        }
        const std::vector<plat::Surface::Texto> textos = {
            {7, 5, 0x00FFFF, QStringLiteral("  1 -  12  5,40")},
            {7, 16, 0x000080, QString::fromUtf8(" 12- Primaver/Otoño")},
            {7.4, 27.6, 0x00FFFF, QString::fromUtf8("  9 - Ñ -> (5,1)")},
        };
        for (const auto& t : textos) {
            uno.setForeColor(t.color);
            uno.setCurrent(t.x, t.y);
            uno.print(t.text);
        }
        todos.printAll(textos);
        EXPECT_TRUE(uno.image() == todos.image());
        EXPECT_EQ(todos.foreColor(), uno.foreColor());
        EXPECT_EQ(todos.currentX(), uno.currentX());
        EXPECT_EQ(todos.currentY(), uno.currentY());
    }
}

} // namespace
