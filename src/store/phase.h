#pragma once

#include <QObject>

namespace Ritual {
Q_NAMESPACE

// The stage of the reading ritual: the question is prepared, the deck shuffled, then cut,
// and the cards lie on the table.
enum class Phase { prepare, shuffling, cut, reading };
Q_ENUM_NS(Phase)

} // namespace Ritual
