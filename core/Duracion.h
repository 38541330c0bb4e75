// A count of seconds as the windows show it.
#pragma once

#include <QString>

#include <cstdint>

// H:MM:SS with as many hour digits as needed (hours go past 24), the same
// whatever the locale: 3 gives "0:00:03", 90061 gives "25:01:01". A negative
// count gets a leading minus sign.
QString TextoDuracion(std::int64_t segundos);
