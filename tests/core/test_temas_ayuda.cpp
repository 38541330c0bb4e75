// The help topics the program opens all have their pages: the named topics,
// every topic of the tips table as the program fills it, and no call in the
// program's sources passes a topic as a bare number.
#include "core/Pantalla.h"
#include "core/PuzzGbl.h"
#include "core/Tablas.h"
#include "core/TemasAyuda.h"
#include "tools/checkhelp/checkhelp.h"

#include <gtest/gtest.h>

namespace {

const QString kAyuda = QStringLiteral(TESELARO_SOURCE_DIR "/resources/help");

TEST(TemasAyuda, EveryTopicTheProgramOpensHasItsPage) {
    const QStringList problems = checkhelp::checkProgramTopics(kAyuda, QStringLiteral(TESELARO_SOURCE_DIR),
                                                               checkhelp::programSourceFolders());
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST(TemasAyuda, TheTipsTableAsFilledHasAPageForEveryTip) {
    PuzzGbl.reset();
    FijaTamanoPantalla(QSize(1024, 768));
    InicializaTablas();
    QList<checkhelp::Topic> temas;
    int conTexto = 0;
    for (std::size_t n = 0; n < PuzzGbl.Sugerencias.size(); ++n) {
        const Sugerencia& s = PuzzGbl.Sugerencias[n];
        if (s.Texto.isEmpty()) continue;
        ++conTexto;
        EXPECT_NE(s.IdAyuda, 0) << "tip " << n;
        temas.push_back({QStringLiteral("tip %1").arg(n), s.IdAyuda});
    }
    FijaTamanoPantalla(QSize());
    PuzzGbl.reset();
    EXPECT_EQ(conTexto, 35);
    const QStringList problems = checkhelp::checkTopics(kAyuda, temas);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    // The source's reading of the table finds the same topics.
    QFile f(QStringLiteral(TESELARO_SOURCE_DIR "/core/Tablas.cpp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const auto leidos = checkhelp::topicsOfTips(QString::fromUtf8(f.readAll()));
    ASSERT_EQ(leidos.size(), temas.size());
    for (qsizetype i = 0; i < temas.size(); ++i) EXPECT_EQ(leidos[i].number, temas[i].number) << i;
}

TEST(TemasAyuda, TheHeaderIsReadWhole) {
    QFile f(QStringLiteral(TESELARO_SOURCE_DIR "/core/TemasAyuda.h"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const auto temas = checkhelp::topicsOfHeader(QString::fromUtf8(f.readAll()));
    const QSet<int> numeros = [&] {
        QSet<int> s;
        for (const auto& t : temas) s.insert(t.number);
        return s;
    }();
    for (int t : {ayuda::kIndice, ayuda::kBienvenida, ayuda::kVentanaInformacion, ayuda::kImagenFueraDeLimites,
                  ayuda::kRequisitosHistorico, ayuda::kGuardarModeloTangram})
        EXPECT_TRUE(numeros.contains(t)) << t;
}

} // namespace
