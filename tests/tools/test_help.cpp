// The help pages and their checker: the checker finds each kind of broken page,
// and the pages we ship pass it.
#include "tests/support/fixtures.h"
#include "tools/checkhelp/checkhelp.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace {

QByteArray page(const QByteArray& title, const QByteArray& body) {
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
           "</title>\n<style>p > b { color: red; }</style>\n</head>\n<body>\n" + body + "\n</body>\n</html>\n";
}

struct HelpCase {
    const char* what;
    std::map<std::string, QByteArray> files;
    const char* problem;  // a piece of the one expected problem; empty: none
};

void PrintTo(const HelpCase& c, std::ostream* os) {
    *os << c.what;
}

class HelpChecker : public ::testing::TestWithParam<HelpCase> {};

TEST_P(HelpChecker, ReportsWhatIsWrong) {
    const HelpCase& c = GetParam();
    testing_support::ScratchDir dir;
    for (const auto& [name, bytes] : c.files) {
        const QString path = dir.file(QString::fromStdString(name));
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const QStringList problems = checkhelp::checkFolder(dir.path());
    if (*c.problem == '\0') {
        EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    } else {
        // The fault is named, and it does not drag a trail of follow-on reports.
        const QString wanted = QString::fromUtf8(c.problem);
        EXPECT_TRUE(std::any_of(problems.begin(), problems.end(), [&](const QString& p) { return p.contains(wanted); }))
            << problems.join('\n').toStdString();
        EXPECT_LE(problems.size(), 2) << problems.join('\n').toStdString();
    }
}

const QByteArray kIndex = page("Ayuda", "<p>Hola</p>");

INSTANTIATE_TEST_SUITE_P(
    Pages, HelpChecker,
    ::testing::Values(
        HelpCase{"sound pages with anchors, void elements, pictures and a subfolder",
                 {{"index.html",
                   page("Ayuda", "<p id=\"arriba\">Índice<br>línea<br/></p><img src=\"dibujo.png\" alt=\"\">"
                                 "<a href=\"#arriba\">arriba</a> <a href=\"temas/uno.html#dos\">uno</a>"
                                 " <a href='p%C3%A1gina.html'>página</a> <!-- <div> en un comentario -->")},
                  {"dibujo.png", "not really a picture"},
                  {"página.html", page("Página", "<p>texto &amp; más</p>")},
                  {"temas/uno.html", page("Uno", "<h2 id=\"dos\">Dos</h2><a href=\"../index.html\">índice</a>")}},
                 ""},
        HelpCase{"bytes that are not UTF-8", {{"index.html", page("Men\xfa", "<p>a</p>")}}, "not valid UTF-8"},
        HelpCase{"no title",
                 {{"index.html", "<html><head><meta charset=\"utf-8\"></head><body><p>a</p></body></html>"}},
                 "has no <title>"},
        HelpCase{"a blank title", {{"index.html", page("  ", "<p>a</p>")}}, "title is empty"},
        HelpCase{"no declared encoding",
                 {{"index.html", "<html><head><title>Ayuda</title></head><body></body></html>"}},
                 "does not declare"},
        HelpCase{"a link to a page that is missing", {{"index.html", page("Ayuda", "<a href=\"falta.html\">x</a>")}},
                 "\"falta.html\" does not exist"},
        HelpCase{"a picture that is missing", {{"index.html", page("Ayuda", "<img src=\"falta.png\">")}},
                 "\"falta.png\" does not exist"},
        HelpCase{"a link to an anchor that is missing",
                 {{"index.html", page("Ayuda", "<a href=\"otra.html#nada\">x</a>")},
                  {"otra.html", page("Otra", "<p id=\"algo\">y</p>")}},
                 "anchor that otra.html does not have"},
        HelpCase{"a link to an anchor of the same page that is missing",
                 {{"index.html", page("Ayuda", "<a href=\"#nada\">x</a>")}},
                 "anchor that index.html does not have"},
        HelpCase{"a link to the web",
                 {{"index.html", page("Ayuda", "<a href=\"https://example.invalid/\">x</a>")}},
                 "points outside the help folder"},
        HelpCase{"a link out of the folder", {{"index.html", page("Ayuda", "<a href=\"../fuera.html\">x</a>")}},
                 "points outside the help folder"},
        HelpCase{"an absolute path", {{"index.html", page("Ayuda", "<a href=\"/etc/hosts\">x</a>")}},
                 "points outside the help folder"},
        HelpCase{"an empty link", {{"index.html", page("Ayuda", "<a href=\"\">x</a>")}}, "an empty link"},
        HelpCase{"an element never closed", {{"index.html", page("Ayuda", "<div><p>a</p>")}},
                 "<div> is never closed"},
        HelpCase{"crossed elements", {{"index.html", page("Ayuda", "<p><b><i>a</b></i></p>")}},
                 "<i> is never closed (</b> on line 9)"},
        HelpCase{"a closing tag with nothing open", {{"index.html", page("Ayuda", "<p>a</p></span>")}},
                 "</span> closes nothing that is open"},
        HelpCase{"a folder without its contents page", {{"otra.html", page("Otra", "<p>a</p>")}},
                 "index.html: missing"},
        HelpCase{"a page the contents page does not reach",
                 {{"index.html", page("Ayuda", "<a href=\"uno.html\">uno</a>")},
                  {"uno.html", page("Uno", "<a href=\"index.html\">índice</a>")},
                  {"suelta.html", page("Suelta", "<a href=\"uno.html\">uno</a>")}},
                 "suelta.html: the contents page does not reach this page"},
        HelpCase{"a page reached only through another page",
                 {{"index.html", page("Ayuda", "<a href=\"uno.html#a\">uno</a>")},
                  {"uno.html", page("Uno", "<p id=\"a\">a</p><a href=\"dos.html\">dos</a>")},
                  {"dos.html", page("Dos", "<p>b</p>")}},
                 ""}));

TEST(HelpTopics, HeaderAndTipsTopicsAreRead) {
    const auto cabecera = checkhelp::topicsOfHeader(QStringLiteral(
        "namespace ayuda {\nconstexpr int kIndice = 0; // contents\nconstexpr int kUno = 2111;\n"
        "constexpr std::int16_t kDos = 3050;\n// constexpr int no = x;\n}"));
    ASSERT_EQ(cabecera.size(), 3);
    EXPECT_EQ(cabecera[1].name, QStringLiteral("kUno"));
    EXPECT_EQ(cabecera[1].number, 2111);
    EXPECT_EQ(cabecera[2].number, 3050);
    const auto tips = checkhelp::topicsOfTips(QStringLiteral(
        "    Sug(0,  u\"Si  cierra esta 'ventana'  \"\n            u\"   \"\n            u\"2128\"),\n"
        "    Sug(65, u\"No todos\" u\"4040\"),"));
    ASSERT_EQ(tips.size(), 2);
    EXPECT_EQ(tips[0].number, 2128);
    EXPECT_EQ(tips[0].name, QStringLiteral("tip 0"));
    EXPECT_EQ(tips[1].number, 4040);
}

TEST(HelpTopics, ATopicWithoutItsPageIsReported) {
    testing_support::ScratchDir dir;
    QFile f(dir.file(QStringLiteral("2111.html")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QStringList problems =
        checkhelp::checkTopics(dir.path(), {{QStringLiteral("kIndice"), 0}, {QStringLiteral("kUno"), 2111},
                                            {QStringLiteral("tip 7"), 2145}});
    ASSERT_EQ(problems.size(), 1) << problems.join('\n').toStdString();
    EXPECT_TRUE(problems[0].contains(QStringLiteral("2145.html: missing (topic 2145, tip 7)")));
}

struct TitleCase {
    const char* what;
    QByteArray title;
    int topic;
    const char* problem;  // a piece of the one expected problem; empty: none
};

void PrintTo(const TitleCase& c, std::ostream* os) {
    *os << c.what;
}

class HelpTitles : public ::testing::TestWithParam<TitleCase> {};

TEST_P(HelpTitles, ATitleThatDoesNotFitItsTopicIsReported) {
    const TitleCase& c = GetParam();
    testing_support::ScratchDir dir;
    QFile f(dir.file(QStringLiteral("%1.html").arg(c.topic)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(page(c.title, "<p>a</p>"));
    f.close();
    const QHash<int, QStringList> words{
        {3020, {QStringLiteral("Reglas"), QStringLiteral("deslizantes"), QStringLiteral("solución")}},
        {2111, {QStringLiteral("Personalizar")}}};
    const QStringList problems = checkhelp::checkTitles(dir.path(), {{QStringLiteral("tip 22"), c.topic}}, words);
    if (*c.problem == '\0') {
        EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    } else {
        ASSERT_EQ(problems.size(), 1) << problems.join('\n').toStdString();
        EXPECT_TRUE(problems[0].contains(QString::fromUtf8(c.problem))) << problems[0].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Titles, HelpTitles,
    ::testing::Values(
        TitleCase{"a title holding every word, in another case and with entities",
                  "REGLAS &amp; posiciones sin solución de las piezas deslizantes", 3020, ""},
        TitleCase{"a title holding every word", "Reglas de las piezas deslizantes y posiciones sin solución", 3020,
                  ""},
        TitleCase{"a title about one of the two things asked", "Configuración de las piezas deslizantes sin solución", 3020,
                  "does not hold \"Reglas\""},
        TitleCase{"a title without one word", "Reglas de las piezas deslizantes", 3020,
                  "does not hold \"solución\""},
        TitleCase{"a topic the table does not know", "Algo", 2122, "2122.html: no words its title must hold"},
        TitleCase{"a page about something else", "Sonido", 2111, "does not hold \"Personalizar\""}));

TEST(HelpTopics, BareTopicNumbersInCallsAreFound) {
    const QString fuente = QStringLiteral(
        "void Mensaje(const QString& t, const QString& x, int l, int tipo, int ayuda = 0);\n"
        "void f() {\n"
        "    Mensaje(QStringLiteral(\"a, (b)\"), g(1, 2) + \"x\",\n            3, 1, 2115);\n"
        "    Mensaje(QStringLiteral(\"t\"), QStringLiteral(\"u\"), 3, 1, ayuda::kHistorico);\n"
        "    Mensaje(QStringLiteral(\"t\"), QStringLiteral(\"sin ayuda\"), 1, 1);\n"
        "    plat::showHelp(2500);\n"
        "    plat::showHelp(ayuda::kIndice);\n"
        "    visor->showTopic(tema);\n"
        "}\n");
    const QStringList problems = checkhelp::literalTopicsInSource(fuente);
    ASSERT_EQ(problems.size(), 2) << problems.join('\n').toStdString();
    EXPECT_TRUE(problems[0].startsWith(QStringLiteral("line 3: Mensaje is given the topic 2115")));
    EXPECT_TRUE(problems[1].startsWith(QStringLiteral("line 7: showHelp is given the topic 2500")));
}

TEST(HelpPages, ShippedPagesPassTheChecker) {
    const QString folder = QStringLiteral(TESELARO_SOURCE_DIR "/resources/help");
    const QStringList problems = checkhelp::checkFolder(folder);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST(HelpPages, ContentsPageCoversEveryGameAndTheWelcome) {
    QFile f(QStringLiteral(TESELARO_SOURCE_DIR "/resources/help/index.html"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("<title>Ayuda</title>")));
    for (const char* game : {"Piezas móviles", "Piezas deslizantes", "Tangram", "Pentominós", "Taipei"})
        EXPECT_TRUE(text.contains(QRegularExpression("<h2[^>]*>" + QString::fromUtf8(game) + "</h2>"))) << game;
    EXPECT_TRUE(text.contains(QStringLiteral("href=\"1020.html\"")));
    EXPECT_TRUE(QFile::exists(QStringLiteral(TESELARO_SOURCE_DIR "/resources/help/1020.html")));
}

} // namespace
