// Checks the help pages: each page must be valid UTF-8 and say so, have a
// title, close every element it opens, and every link and picture it refers
// to must be a page or file of the help folder itself (with the named anchor,
// when the link has one). Nothing may point outside the folder, and the
// contents page (index.html) must reach every page through links.
//
// With the program's sources it also checks the topics: every topic named in
// the header of help topics and every topic of the tips table has its page
// "<topic>.html", and no message or help call in the sources passes a topic
// as a bare number instead of a named constant; and the title of each such
// page holds the words its topic asks of it (titleWords).
//
// Header-only, so that both the checkhelp program and the tests use it.
#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QStringList>
#include <QUrl>

namespace checkhelp {

// What one page holds that matters to the others: its anchors.
struct Page {
    QStringList problems;
    QSet<QString> anchors;
    struct Link {
        QString target;  // as written
        int line;
    };
    QList<Link> links;
};

namespace detail {

inline int lineOf(const QString& text, qsizetype pos) {
    return int(text.left(pos).count(u'\n')) + 1;
}

inline QString decodeEntities(QString s) {
    s.replace(QLatin1String("&quot;"), QLatin1String("\""));
    s.replace(QLatin1String("&apos;"), QLatin1String("'"));
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
    s.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return s;
}

// Reads the page's text, its tags, anchors and links.
inline Page parse(const QByteArray& bytes) {
    Page page;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        page.problems << QStringLiteral("the page is not valid UTF-8");
        return page;
    }

    static const QSet<QString> kVoid = {"area", "base", "br", "col", "embed", "hr", "img",
                                        "input", "link", "meta", "source", "track", "wbr"};
    static const QRegularExpression kAttribute(
        QStringLiteral(R"re(([A-Za-z_:][-A-Za-z0-9_:.]*)(?:\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'=<>`]+)))?)re"));
    static const QRegularExpression kName(QStringLiteral(R"(^/?([A-Za-z][A-Za-z0-9]*))"));

    bool charset = false;
    QString title;
    bool titleSeen = false;
    struct Open {
        QString name;
        int line;
    };
    QList<Open> open;
    qsizetype pos = 0;
    while ((pos = text.indexOf(u'<', pos)) >= 0) {
        if (text.mid(pos, 4) == QLatin1String("<!--")) {
            const qsizetype end = text.indexOf(QLatin1String("-->"), pos + 4);
            if (end < 0) {
                page.problems << QStringLiteral("line %1: a comment is never closed").arg(lineOf(text, pos));
                break;
            }
            pos = end + 3;
            continue;
        }
        const qsizetype end = text.indexOf(u'>', pos);
        if (end < 0) {
            page.problems << QStringLiteral("line %1: a tag is never closed").arg(lineOf(text, pos));
            break;
        }
        const QString inner = text.mid(pos + 1, end - pos - 1);
        const int line = lineOf(text, pos);
        pos = end + 1;
        if (inner.startsWith(u'!') || inner.startsWith(u'?')) continue;  // doctype
        const QRegularExpressionMatch nameMatch = kName.match(inner);
        if (!nameMatch.hasMatch()) continue;  // a lone '<' in the text
        const QString name = nameMatch.captured(1).toLower();
        if (inner.startsWith(u'/')) {
            // Close the innermost open element of that name; whatever is still
            // open inside it was never closed.
            qsizetype k = open.size() - 1;
            while (k >= 0 && open[k].name != name) --k;
            if (k < 0) {
                page.problems << QStringLiteral("line %1: </%2> closes nothing that is open").arg(line).arg(name);
                continue;
            }
            for (qsizetype i = open.size() - 1; i > k; --i)
                page.problems << QStringLiteral("line %1: <%2> is never closed (</%3> on line %4)")
                                     .arg(open[i].line)
                                     .arg(open[i].name, name)
                                     .arg(line);
            open.resize(k);
            continue;
        }
        QHash<QString, QString> attributes;
        auto it = kAttribute.globalMatch(inner, nameMatch.capturedEnd(0));
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            QString value = m.captured(2);
            if (value.isEmpty()) value = m.captured(3);
            if (value.isEmpty()) value = m.captured(4);
            attributes.insert(m.captured(1).toLower(), decodeEntities(value));
        }
        for (const char* key : {"id", "name"}) {
            if (attributes.contains(key) && name != QLatin1String("meta")) page.anchors.insert(attributes.value(key));
        }
        for (const char* key : {"href", "src"}) {
            if (attributes.contains(key)) page.links.push_back({attributes.value(key), line});
        }
        if (name == QLatin1String("meta") &&
            (attributes.value("charset").compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0 ||
             attributes.value("content").contains(QLatin1String("charset=utf-8"), Qt::CaseInsensitive)))
            charset = true;
        const bool selfClosed = inner.endsWith(u'/');
        if (kVoid.contains(name) || selfClosed) continue;
        if (name == QLatin1String("style") || name == QLatin1String("script") || name == QLatin1String("title")) {
            // Their content is text up to the closing tag.
            static const QString kClose = QStringLiteral("</%1");
            const qsizetype close = text.indexOf(kClose.arg(name), pos, Qt::CaseInsensitive);
            if (close < 0) {
                page.problems << QStringLiteral("line %1: <%2> is never closed").arg(line).arg(name);
                break;
            }
            if (name == QLatin1String("title")) {
                titleSeen = true;
                title = text.mid(pos, close - pos).trimmed();
            }
            pos = close;
        }
        open.push_back({name, line});
    }
    for (const Open& o : open) page.problems << QStringLiteral("line %1: <%2> is never closed").arg(o.line).arg(o.name);
    if (!charset) page.problems << QStringLiteral("the page does not declare <meta charset=\"utf-8\">");
    if (!titleSeen) page.problems << QStringLiteral("the page has no <title>");
    else if (title.isEmpty()) page.problems << QStringLiteral("the page's title is empty");
    return page;
}

} // namespace detail

// Checks every .html page under `folder` (which must hold index.html) and
// returns one line per problem, "<page>: <problem>"; empty when all is well.
inline QStringList checkFolder(const QString& folder) {
    QStringList problems;
    const QDir root(folder);
    if (!root.exists()) return {QStringLiteral("%1: no such folder").arg(folder)};
    if (!root.exists(QStringLiteral("index.html"))) problems << QStringLiteral("index.html: missing");

    QHash<QString, Page> pages;  // by path relative to the folder
    QDirIterator it(root.absolutePath(), {QStringLiteral("*.html"), QStringLiteral("*.htm")}, QDir::Files,
                    QDirIterator::Subdirectories);
    QStringList names;
    while (it.hasNext()) names << root.relativeFilePath(it.next());
    names.sort();
    for (const QString& name : names) {
        QFile f(root.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) {
            problems << QStringLiteral("%1: cannot be read").arg(name);
            continue;
        }
        pages.insert(name, detail::parse(f.readAll()));
    }

    static const QRegularExpression kScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    for (const QString& name : names) {
        const Page& page = pages[name];
        for (const QString& p : page.problems) problems << name + ": " + p;
        for (const Page::Link& link : page.links) {
            const QString where = QStringLiteral("%1: line %2: ").arg(name).arg(link.line);
            const QString& target = link.target;
            if (target.isEmpty()) {
                problems << where + QStringLiteral("an empty link");
                continue;
            }
            if (kScheme.match(target).hasMatch() || target.startsWith(QLatin1String("//")) ||
                target.startsWith(u'/')) {
                problems << where + QStringLiteral("\"%1\" points outside the help folder").arg(target);
                continue;
            }
            const qsizetype hash = target.indexOf(u'#');
            QString file = QUrl::fromPercentEncoding(target.left(hash).section(u'?', 0, 0).toUtf8());
            const QString anchor = hash >= 0 ? QUrl::fromPercentEncoding(target.mid(hash + 1).toUtf8()) : QString();
            QString resolved = name;
            if (!file.isEmpty()) {
                resolved = QDir::cleanPath(QFileInfo(name).path() + "/" + file);
                if (resolved.startsWith(QLatin1String("../")) || resolved == QLatin1String("..")) {
                    problems << where + QStringLiteral("\"%1\" points outside the help folder").arg(target);
                    continue;
                }
                if (!QFileInfo(root.filePath(resolved)).isFile()) {
                    problems << where + QStringLiteral("\"%1\" does not exist").arg(target);
                    continue;
                }
            }
            if (!anchor.isEmpty()) {
                const auto found = pages.constFind(resolved);
                if (found == pages.constEnd() || !found->anchors.contains(anchor))
                    problems << where + QStringLiteral("\"%1\" names an anchor that %2 does not have")
                                            .arg(target, resolved);
            }
        }
    }

    // Every page must be reachable from the contents page.
    if (pages.contains(QStringLiteral("index.html"))) {
        QSet<QString> reached{QStringLiteral("index.html")};
        QStringList pending{QStringLiteral("index.html")};
        while (!pending.isEmpty()) {
            const QString name = pending.takeFirst();
            for (const Page::Link& link : pages[name].links) {
                const QString file = QUrl::fromPercentEncoding(
                    link.target.left(link.target.indexOf(u'#')).section(u'?', 0, 0).toUtf8());
                if (file.isEmpty()) continue;
                const QString resolved = QDir::cleanPath(QFileInfo(name).path() + "/" + file);
                if (pages.contains(resolved) && !reached.contains(resolved)) {
                    reached.insert(resolved);
                    pending << resolved;
                }
            }
        }
        for (const QString& name : names)
            if (!reached.contains(name))
                problems << name + QStringLiteral(": the contents page does not reach this page");
    }
    return problems;
}

// ---- topics ----

struct Topic {
    QString name;  // the constant's name, or where the topic comes from
    int number = 0;
};

// The topics of the header of help topics: every line
// `constexpr int kName = 1234;`.
inline QList<Topic> topicsOfHeader(const QString& text) {
    static const QRegularExpression kLine(
        QStringLiteral(R"(constexpr\s+(?:std::)?int(?:16_t|32_t)?\s+(k\w+)\s*=\s*(\d+)\s*;)"));
    QList<Topic> topics;
    auto it = kLine.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        topics.push_back({m.captured(1), m.captured(2).toInt()});
    }
    return topics;
}

// The topics of the tips table as its source writes them: each tip's
// constant ends in its 4-digit topic, `u"2128"),`.
inline QList<Topic> topicsOfTips(const QString& text) {
    static const QRegularExpression kTip(QStringLiteral(R"re(Sug\(\s*(\d+)\s*,(?:\s*u"[^"]*")*?\s*u"[^"]*?(\d{4})"\s*\))re"));
    QList<Topic> topics;
    auto it = kTip.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        topics.push_back({QStringLiteral("tip ") + m.captured(1), m.captured(2).toInt()});
    }
    return topics;
}

// One line per topic (other than 0, the contents page) without its page.
inline QStringList checkTopics(const QString& folder, const QList<Topic>& topics) {
    QStringList problems;
    const QDir root(folder);
    for (const Topic& t : topics) {
        if (t.number == 0) continue;
        const QString page = QStringLiteral("%1.html").arg(t.number);
        if (!QFileInfo(root.filePath(page)).isFile())
            problems << QStringLiteral("%1: missing (topic %2, %3)").arg(page).arg(t.number).arg(t.name);
    }
    return problems;
}

// The words the title of each topic's page must hold (any case), so that
// the page a tip, a message or a window opens is about what they ask. A topic
// that several places open for different things names the words of each.
inline const QHash<int, QStringList>& titleWords() {
    static const QHash<int, QStringList> kWords{
        {1020, {QStringLiteral("Bienvenida")}},
        {1040, {QStringLiteral("Resolución"), QStringLiteral("pantalla")}},
        {2111, {QStringLiteral("Personalizar")}},
        {2112, {QStringLiteral("juego")}},
        {2113, {QStringLiteral("Fondo"), QStringLiteral("deslizantes")}},
        {2114, {QStringLiteral("Modo"), QStringLiteral("Tangram")}},
        {2115, {QStringLiteral("límites")}},
        {2117, {QStringLiteral("Modelos")}},
        {2119, {QStringLiteral("Forma")}},
        {2120, {QStringLiteral("Número")}},
        {2122, {QStringLiteral("Borde")}},
        {2123, {QStringLiteral("Atracción")}},
        {2124, {QStringLiteral("Color"), QStringLiteral("mesa")}},
        {2126, {QStringLiteral("Factor")}},
        {2128, {QStringLiteral("información")}},
        {2129, {QStringLiteral("Sonido")}},
        {2131, {QStringLiteral("movimientos")}},
        {2132, {QStringLiteral("Pentominós"), QStringLiteral("color")}},
        {2145, {QStringLiteral("Tutor")}},
        {2151, {QStringLiteral("Estadísticas")}},
        {2161, {QStringLiteral("Histórico")}},
        {2180, {QStringLiteral("Barajar"), QStringLiteral("Tangram")}},
        {2182, {QStringLiteral("modelo")}},
        {2184, {QStringLiteral("Ordenar")}},
        {2186, {QStringLiteral("colocadas")}},
        {2188, {QStringLiteral("ocultas")}},
        {2189, {QStringLiteral("Resolver")}},
        {2200, {QStringLiteral("resuelto")}},
        {2500, {QStringLiteral("Guardar"), QStringLiteral("cargar")}},
        {2540, {QStringLiteral("Guardar"), QStringLiteral("Tangram")}},
        {3010, {QStringLiteral("Reglas"), QStringLiteral("móviles")}},
        // The tips ask for the rules, the manual arrangement's message for
        // positions without solution.
        {3020, {QStringLiteral("Reglas"), QStringLiteral("deslizantes"), QStringLiteral("solución")}},
        {3030, {QStringLiteral("Reglas"), QStringLiteral("Tangram")}},
        {3040, {QStringLiteral("Reglas"), QStringLiteral("pentominós")}},
        // The tips ask for the rules, the table's messages for selecting tiles.
        {3050, {QStringLiteral("Reglas"), QStringLiteral("Taipei"), QStringLiteral("selección")}},
        {4010, {QStringLiteral("Borrar"), QStringLiteral("Tangram")}},
        {4030, {QStringLiteral("Girar"), QStringLiteral("voltear")}},
        {4040, {QStringLiteral("Requisitos")}},
    };
    return kWords;
}

// The title of a page file, entities decoded and spaces joined; empty when
// it cannot be read or has none.
inline QString titleOfFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    static const QRegularExpression kTitle(QStringLiteral(R"(<title>(.*?)</title>)"),
                                           QRegularExpression::DotMatchesEverythingOption |
                                               QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = kTitle.match(QString::fromUtf8(f.readAll()));
    return m.hasMatch() ? detail::decodeEntities(m.captured(1)).simplified() : QString();
}

// One line per topic whose page exists but whose title lacks a word the
// table asks of it; a topic the table does not know is reported too, so a
// new topic cannot go unchecked.
inline QStringList checkTitles(const QString& folder, const QList<Topic>& topics,
                               const QHash<int, QStringList>& words = titleWords()) {
    QStringList problems;
    const QDir root(folder);
    QSet<QString> seen;
    for (const Topic& t : topics) {
        if (t.number == 0) continue;
        const QString page = QStringLiteral("%1.html").arg(t.number);
        if (!QFileInfo(root.filePath(page)).isFile()) continue;  // reported as missing
        const auto it = words.constFind(t.number);
        if (it == words.constEnd()) {
            const QString line = QStringLiteral("%1: no words its title must hold (topic %2, %3)")
                                     .arg(page).arg(t.number).arg(t.name);
            if (!seen.contains(line)) problems << line;
            seen.insert(line);
            continue;
        }
        const QString title = titleOfFile(root.filePath(page));
        for (const QString& w : *it) {
            if (title.contains(w, Qt::CaseInsensitive)) continue;
            const QString line = QStringLiteral("%1: the title \"%2\" does not hold \"%3\" (topic %4)")
                                     .arg(page, title, w).arg(t.number);
            if (!seen.contains(line)) problems << line;
            seen.insert(line);
        }
    }
    return problems;
}

namespace detail {

// The arguments of the call whose '(' is at `open`, split at the commas
// outside brackets, strings and characters; empty when the call is not closed.
inline QStringList callArguments(const QString& text, qsizetype open, qsizetype* end) {
    QStringList args;
    QString current;
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype start = i;
            for (++i; i < text.size() && text[i] != c; ++i)
                if (text[i] == u'\\') ++i;
            current += text.mid(start, i - start + 1);
            continue;
        }
        if (c == u'(' || c == u'[' || c == u'{') {
            if (depth++ == 0) continue;
        } else if (c == u')' || c == u']' || c == u'}') {
            if (--depth == 0) {
                args << current.trimmed();
                if (end) *end = i;
                return args;
            }
        } else if (c == u',' && depth == 1) {
            args << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    return {};
}

} // namespace detail

// Calls in a source text that pass a help topic as a bare number: the fifth
// argument of Mensaje, the first of showHelp and showTopic. One line each,
// "line N: ...".
inline QStringList literalTopicsInSource(const QString& text) {
    static const QRegularExpression kCall(QStringLiteral(R"(\b(Mensaje|showHelp|showTopic)\s*\()"));
    static const QRegularExpression kNumber(QStringLiteral(R"(^\d+$)"));
    QStringList problems;
    auto it = kCall.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        qsizetype end = 0;
        const QStringList args = detail::callArguments(text, m.capturedEnd(0) - 1, &end);
        const int index = m.captured(1) == QLatin1String("Mensaje") ? 4 : 0;
        if (args.size() > index && kNumber.match(args[index]).hasMatch())
            problems << QStringLiteral("line %1: %2 is given the topic %3 as a bare number")
                            .arg(detail::lineOf(text, m.capturedStart(0)))
                            .arg(m.captured(1), args[index]);
    }
    return problems;
}

// The whole check of the program's topics against the help folder: the
// header of topics and the tips table must have pages, and the program's
// sources (every .cpp and .h under the given folders) must name their topics.
inline QStringList checkProgramTopics(const QString& helpFolder, const QString& sourceRoot,
                                      const QStringList& sourceFolders) {
    QStringList problems;
    const QDir root(sourceRoot);
    auto read = [&](const QString& relative, QString* out) {
        QFile f(root.filePath(relative));
        if (!f.open(QIODevice::ReadOnly)) {
            problems << QStringLiteral("%1: cannot be read").arg(relative);
            return false;
        }
        *out = QString::fromUtf8(f.readAll());
        return true;
    };
    QString header, tips;
    if (read(QStringLiteral("core/TemasAyuda.h"), &header)) {
        const QList<Topic> topics = topicsOfHeader(header);
        if (topics.isEmpty()) problems << QStringLiteral("core/TemasAyuda.h: no topic found");
        problems << checkTopics(helpFolder, topics);
        problems << checkTitles(helpFolder, topics);
    }
    if (read(QStringLiteral("core/Tablas.cpp"), &tips)) {
        const QList<Topic> topics = topicsOfTips(tips);
        if (topics.isEmpty()) problems << QStringLiteral("core/Tablas.cpp: no tip found");
        problems << checkTopics(helpFolder, topics);
        problems << checkTitles(helpFolder, topics);
    }
    for (const QString& folder : sourceFolders) {
        QDirIterator it(root.filePath(folder), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        QStringList files;
        while (it.hasNext()) files << it.next();
        files.sort();
        for (const QString& path : files) {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly)) continue;
            for (const QString& p : literalTopicsInSource(QString::fromUtf8(f.readAll())))
                problems << root.relativeFilePath(path) + ": " + p;
        }
    }
    problems.removeDuplicates();  // a topic both named and given to a tip
    return problems;
}

// The folders of the program's own sources.
inline QStringList programSourceFolders() {
    return {QStringLiteral("core"),    QStringLiteral("model"),       QStringLiteral("imaging"),
            QStringLiteral("table"),   QStringLiteral("personalise"), QStringLiteral("records"),
            QStringLiteral("platform")};
}

} // namespace checkhelp
