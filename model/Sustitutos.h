// Shared by the stand-ins of the game set-ups that have not landed yet.
#pragma once

#include <QString>

// What a set-up stand-in does: notes the call ("<nombre> -1" for a new deal,
// "<nombre> 0" for a rebuild) and keeps exactly the moves now applied.
void PreparacionSustituta(const QString& nombre, bool nuevo);
