// Mouse pointers by the program's codes.
//
// Codes below 20 are the standard pointers; 99 is a custom cursor named by
// the caller, a picture ":/cursors/<NAME>.png" with its hot spot given by the
// line "<NAME> <x> <y>" of ":/cursors/hotspots.txt" (names in upper case,
// looked up without regard to case). Anything unknown or missing is the
// arrow; asking for a pointer never fails.
#pragma once

#include <QCursor>
#include <QString>

namespace plat {

namespace pointer {
constexpr int kDefault = 0;
constexpr int kHourglass = 11;
constexpr int kNoDrop = 12;
constexpr int kSizeAll = 15;
constexpr int kCustom = 99;
} // namespace pointer

QCursor cursorFor(int code, const QString& customName = QString());

// Where the custom cursors are read from (":/cursors/" by default); a folder
// path ending in "/". Changing it forgets the cursors loaded so far.
void setCursorResourceRoot(const QString& root);
QString cursorResourceRoot();

} // namespace plat
