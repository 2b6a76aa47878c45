#pragma once

#include "model/arcana.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Finds the application's resources and serves the deck, loaded once for the whole run.
namespace Catalog {

// The one message shown when the deck cannot be loaded, whatever the cause.
QString deckFailureMessage();

// Folders that hold the application's own "Resources" folder, in the order they are
// searched: beside the executable (a build tree) and <prefix>/share/arcandel (installed).
QStringList applicationRoots();
// The source folder that holds "Resources" during development, as recorded at build time.
QString developmentRoot();

// Location of a resource file: the application's folders first, then the source tree;
// none when neither has it. The extension is appended with a dot when given.
std::optional<QString> resourceURL(const QString& name, const std::optional<QString>& extension,
                                   const QString& subdirectory);

// Loads the deck on first use (thread-safe) and returns none on success, or a Spanish
// description of why it could not be loaded. The deck must hold exactly 22 cards whose
// identifiers are 0 to 21, each once, so every later lookup by identifier succeeds.
std::optional<QString> loadError();

// The 22 cards in file order. If the deck cannot be loaded the process ends with status 1
// after printing deckFailureMessage() to standard error.
const QList<Arcana>& cards();

// The first card of `deck` with this identifier, or null.
const Arcana* card(qint64 id, const QList<Arcana>& deck);
const Arcana* card(qint64 id);

// Path of a card's picture (its `image` name, no extension added), or none.
std::optional<QString> imageURL(const Arcana& card);
// Path of the mascot picture, or none.
std::optional<QString> lanukURL();

// The Marseille numeral of a card identifier; empty for an identifier outside 0 to 21.
QString numeral(qint64 id);

} // namespace Catalog
