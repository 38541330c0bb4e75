#include "platform/ui/cursors.h"

#include <QFile>
#include <QHash>
#include <QPixmap>
#include <QTextStream>

#include <optional>

namespace plat {

namespace {

struct CursorStore {
    QString root = QStringLiteral(":/cursors/");
    QHash<QString, QCursor> loaded;
    std::optional<QHash<QString, QPoint>> hotspots; // read on first use
};

// Never destroyed: cursor pictures must not outlive the application object,
// and static destruction runs after it is gone. GUI thread only.
CursorStore& store() {
    static CursorStore* s = new CursorStore;
    return *s;
}

Qt::CursorShape standardShape(int code) {
    switch (code) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor; // north-east / south-west
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor; // north-west / south-east
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    case 15: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor; // 0 default, 1 arrow, 4 icon, 16..19
    }
}

const QHash<QString, QPoint>& hotspots(CursorStore& s) {
    if (!s.hotspots) {
        QHash<QString, QPoint> table;
        QFile f(s.root + QStringLiteral("hotspots.txt"));
        if (f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream in(&f);
            QString line;
            while (in.readLineInto(&line)) {
                const QStringList parts = line.simplified().split(QLatin1Char(' '));
                if (parts.size() != 3) continue;
                bool okX = false, okY = false;
                const int x = parts[1].toInt(&okX), y = parts[2].toInt(&okY);
                if (okX && okY) table.insert(parts[0].toUpper(), QPoint(x, y));
            }
        }
        s.hotspots = std::move(table);
    }
    return *s.hotspots;
}

std::optional<QCursor> loadCustom(const QString& name) {
    CursorStore& s = store();
    const QString key = name.trimmed().toUpper();
    if (key.isEmpty()) return std::nullopt;
    if (auto it = s.loaded.constFind(key); it != s.loaded.constEnd()) return *it;
    // Names are stored in upper case; a file stored otherwise is still found
    // on a case-sensitive file system by trying the name as given.
    QPixmap pix(s.root + key + QStringLiteral(".png"));
    if (pix.isNull()) pix = QPixmap(s.root + name.trimmed() + QStringLiteral(".png"));
    if (pix.isNull()) return std::nullopt; // not kept: it may appear once resources are registered
    QPoint hot(-1, -1); // Qt's default: the centre
    if (auto it = hotspots(s).constFind(key); it != hotspots(s).constEnd()) {
        hot = *it;
        if (hot.x() < 0 || hot.y() < 0 || hot.x() >= pix.width() || hot.y() >= pix.height()) hot = QPoint(-1, -1);
    }
    const QCursor cursor(pix, hot.x(), hot.y());
    s.loaded.insert(key, cursor);
    return cursor;
}

} // namespace

QCursor cursorFor(int code, const QString& customName) {
    if (code == pointer::kCustom) {
        if (auto c = loadCustom(customName)) return *c;
        return QCursor(Qt::ArrowCursor);
    }
    if (code < 0 || code >= 20) return QCursor(Qt::ArrowCursor);
    return QCursor(standardShape(code));
}

void setCursorResourceRoot(const QString& root) {
    CursorStore& s = store();
    s.root = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    s.loaded.clear();
    s.hotspots.reset();
}

QString cursorResourceRoot() { return store().root; }

} // namespace plat
