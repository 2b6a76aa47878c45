#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What a screen reader finds in the list of the history: one item per reading, read as its
// summary, holding the row's three buttons ("Volver a esta tirada", "Marcar como favorita",
// "Eliminar tirada"), each of which it can press. The buttons are painted, not widgets, so
// these objects stand in for them.
namespace HistoryAccessible {

// The accessible list for a HistoryListView, for QAccessible::installFactory.
QAccessibleInterface* factory(const QString& className, QObject* object);

} // namespace HistoryAccessible
