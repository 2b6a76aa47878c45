#pragma once

#include "model/preferences.h"
#include "model/reading.h"

#include <QByteArray>
#include <QList>
#include <optional>

// Recovers what can be recovered from a damaged state document: every reading of its
// history that decodes and passes the rules on its own, and the preferences if they do.
// Syntax broken inside one reading costs that reading only, as long as its brackets and
// quotes still close; a document cut short keeps the readings before the cut.
namespace Salvage {

struct Result {
    std::optional<Preferences> preferences;
    QList<Reading> readings; // in the document's order
    qsizetype left = 0;      // readings (or what remains of one) that could not be taken
};

Result salvage(const QByteArray& bytes);

} // namespace Salvage
