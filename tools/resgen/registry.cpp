#include "registry.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QSet>

namespace resgen {

namespace {

constexpr int kCursorSide = 32;

bool writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot make the folder of %1").arg(path);
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

QByteArray encode(const QImage& image, const char* format, int quality, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (image.isNull() || !writer.write(image)) {
        *error = QStringLiteral("cannot encode a %1 picture: %2")
                     .arg(QString::fromLatin1(format), writer.errorString());
        return {};
    }
    return bytes;
}

QByteArray xmlEscaped(const QString& s) {
    return s.toHtmlEscaped().toUtf8();
}

} // namespace

void Registry::addImage(const QString& path, const QString& alias, std::function<QImage()> draw,
                        const char* format, int quality) {
    entries_.push_back({path, alias, [draw = std::move(draw), format, quality](QString* error) {
                            QImage image = draw();
                            // Pictures without transparency are stored without an alpha channel.
                            if (!image.hasAlphaChannel()) image = image.convertToFormat(QImage::Format_RGB888);
                            return encode(image, format, quality, error);
                        }});
}

void Registry::addData(const QString& path, const QString& alias, std::function<QByteArray()> make) {
    entries_.push_back({path, alias, [make = std::move(make)](QString*) { return make(); }});
}

void Registry::addCursor(const QString& name, std::function<Cursor()> draw) {
    cursors_.push_back({name, std::move(draw)});
}

bool Registry::writeAll(const QString& outDir, QString* error) const {
    const QString root = QDir(outDir).absolutePath() + "/";
    std::vector<QString> embedded;
    QSet<QString> aliases;
    auto note = [&](const QString& path, const QString& alias) {
        if (alias.isEmpty()) return true;
        if (!alias.startsWith(QStringLiteral(":/"))) {
            *error = QStringLiteral("the alias %1 does not start with \":/\"").arg(alias);
            return false;
        }
        if (aliases.contains(alias)) {
            *error = QStringLiteral("two outputs share the alias %1").arg(alias);
            return false;
        }
        aliases.insert(alias);
        embedded.push_back(QStringLiteral("  <file alias=\"%1\">%2</file>\n")
                               .arg(QString::fromUtf8(xmlEscaped(alias.mid(2))),
                                    QString::fromUtf8(xmlEscaped(path))));
        return true;
    };

    QByteArray hotspots;
    for (const CursorEntry& c : cursors_) {
        const Cursor cursor = c.draw();
        if (cursor.image.size() != QSize(kCursorSide, kCursorSide) ||
            !cursor.image.rect().contains(cursor.hotspot) || !cursor.image.hasAlphaChannel()) {
            *error = QStringLiteral("cursor %1 is not a 32 x 32 transparent picture with its "
                                    "hotspot inside").arg(c.name);
            return false;
        }
        const QString path = QStringLiteral("cursors/%1.png").arg(c.name);
        const QByteArray png = encode(cursor.image, "PNG", -1, error);
        if (png.isEmpty() || !writeFile(root + path, png, error)) return false;
        if (!note(path, ":/" + path)) return false;
        hotspots += QStringLiteral("%1 %2 %3\n")
                        .arg(c.name)
                        .arg(cursor.hotspot.x())
                        .arg(cursor.hotspot.y())
                        .toUtf8();
    }
    if (!cursors_.empty()) {
        const QString path = QStringLiteral("cursors/hotspots.txt");
        if (!writeFile(root + path, hotspots, error) || !note(path, ":/" + path)) return false;
    }

    for (const Entry& e : entries_) {
        const QByteArray bytes = e.make(error);
        if (bytes.isEmpty()) {
            if (error->isEmpty()) *error = QStringLiteral("%1 came out empty").arg(e.path);
            return false;
        }
        if (!writeFile(root + e.path, bytes, error) || !note(e.path, e.alias)) return false;
    }

    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& line : embedded) qrc += line.toUtf8();
    qrc += "</qresource>\n</RCC>\n";
    return writeFile(root + "images.qrc", qrc, error);
}

} // namespace resgen
