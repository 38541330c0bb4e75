#include "resources/resources.h"

#include <QFile>
#include <QtCore/qglobal.h>

static void initGenerated() {
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(sounds);
}

namespace teselaro {

void initResources() {
    static bool done = false;
    if (done) return;
    done = true;
    initGenerated();
}

QByteArray soundResource(int id) {
    initResources();
    QFile f(QStringLiteral(":/sounds/%1.wav").arg(id));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

} // namespace teselaro
