// What the tests' own doubles (a message presenter, a window link, a state
// format, a panel procedure) were asked to do, in order, for the tests that
// follow a road through the seams the program offers.
#pragma once

#include <QString>
#include <QStringList>

namespace testing_support {

inline QStringList& Anotadas() {
    static QStringList registro;
    return registro;
}
inline void Anota(const QString& que) { Anotadas().append(que); }
inline void BorraAnotadas() { Anotadas().clear(); }

} // namespace testing_support
