#pragma once

#include "state/Variables.h"

#include <QString>

namespace velmora {

// "hh:mm:ss" with at least two digits per field; milliseconds are not shown
// (the seconds are truncated, not rounded). 100 hours show as 100:00:00.
QString TimeText(const TimeAccount& account);

} // namespace velmora
