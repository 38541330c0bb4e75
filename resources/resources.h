// The embedded resources: sprite sheets, icons, cursors and sounds made at
// build time by the tools in tools/.
#pragma once

#include <QByteArray>

namespace teselaro {

// Registers the embedded resources; call once before using any of them.
void initResources();

// The complete WAV file of sound `id` (":/sounds/<id>.wav"), or an empty array
// when the program has no such sound.
QByteArray soundResource(int id);

} // namespace teselaro
