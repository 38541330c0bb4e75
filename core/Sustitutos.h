// Stand-ins for the services whose own work has not landed yet, and a record
// of calls: each stand-in (and a few services worth watching, such as the full
// redraw) records its call, so that a road can be checked step by step; a
// stand-in can be told to fail, so that a failing step is seen to stop nothing.
#pragma once

#include <QString>
#include <QStringList>

// Calls recorded so far, in order ("LeeConfiguracion", "LeePuzzleJuego <path>", ...).
QStringList& LlamadasAnotadas();
void AnotaLlamada(const QString& llamada);
// The next call of the stand-in of that name throws a run-time error.
void SimulaFallo(const QString& nombre);
// Throws when a failure was asked for that name (and forgets it).
void CompruebaFallo(const QString& nombre);
// Clears the record and the failures.
void ReiniciaSustitutos();
