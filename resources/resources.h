// The embedded resources: sprite sheets, icons, cursors and sounds made at
// build time by the tools in tools/.
#pragma once

#include <QByteArray>
#include <QString>

namespace teselaro {

// Registers the embedded resources; call once before using any of them.
void initResources();

} // namespace teselaro
