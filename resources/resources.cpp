#include "resources/resources.h"

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

} // namespace teselaro
