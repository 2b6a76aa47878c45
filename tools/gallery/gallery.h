#pragma once

#include "model/reading.h"
#include "store/app_store.h"

#include <QList>
#include <QPalette>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class QDialog;
class QWidget;
class TableView;

// Renders the real screens of Arcandel in named states into PNG files, for a person to look
// at: <folder>/NN-name.png, numbered in the order worth looking at them.
namespace Gallery {

// Where the pictures go (created when needed).
void setFolder(const QString& folder);
QString folder();

// Counts a picture that could not be made; the tool then ends with a failure.
void fail(const QString& what);
int failures();

// Renders `widget` at its current size and the given device pixel ratio into <name>.png.
// `expected`, when valid, is the logical size the picture must have.
void save(QWidget* widget, const QString& name, qreal devicePixelRatio = 1.0, QSize expected = {});
// The same with a dialog laid over the widget the way the window manager places it.
void saveWithDialog(QWidget* content, QWidget* dialog, const QString& name,
                    qreal devicePixelRatio = 1.0);

// Puts the dark palette on the application for as long as it lives, when `dark` is set.
class DarkDesktop {
public:
    explicit DarkDesktop(bool dark = true);
    ~DarkDesktop();
    DarkDesktop(const DarkDesktop&) = delete;
    DarkDesktop& operator=(const DarkDesktop&) = delete;

private:
    QPalette m_saved;
};

// Shows `widget` and lets it lay out and paint.
void show(QWidget& widget, QSize size);
// Processes events until `done` holds, for at most five seconds.
bool waitFor(const std::function<bool()>& done);

// Lets the table finish its animations, and the store the writes a saved reading waits for.
void settle(TableView& view, AppStore& store);
// Brings the end of the table's panel (the notebook) into view.
void scrollPanelToEnd(TableView& view);

// A store on a state file in its own temporary folder.
struct Journal {
    QTemporaryDir dir;
    std::unique_ptr<AppStore> store;

    explicit Journal(const QList<Reading>& history = {},
                     const Preferences& preferences = quietPreferences());
    static Preferences quietPreferences();
};

// The palette of a dark desktop, for the pictures that check every text stays legible.
QPalette darkPalette();

// A saved reading with every card face up (its texts left empty, as the history needs none).
Reading reading(Spread spread, const QList<DrawnCard>& cards, const QString& question, Topic topic,
                double date);

// The cards of the Celtic cross that the history and the printed page both show.
const QList<DrawnCard>& celticCards();

// The groups of screens.
void shell();
void table();
void screens();
void patterns();
void journal();
void ownDeck();

} // namespace Gallery
