#pragma once

#include "state/Variables.h"

#include <QTest>

namespace velmora {

// Readable failure messages for QCOMPARE.
inline char* toString(const TimeAccount& a) {
    return QTest::toString(QStringLiteral("%1 h %2 min %3 s %4 ms")
                               .arg(a.Hours)
                               .arg(a.Minutes)
                               .arg(a.Seconds)
                               .arg(a.Milliseconds));
}

} // namespace velmora
