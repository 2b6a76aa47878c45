// The reading table in its states: the preparation in each phase on both cloths, every
// spread as it turns, the panel's blocks, long texts and a dark desktop at double density.
// Pictures 30 to 59 belong to the table.
#include "engine/reading_engine.h"
#include "gallery.h"
#include "views/kit/motion.h"
#include "views/table/interpretation_view.h"
#include "views/table/preparation_view.h"
#include "views/table/table_view.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QVariantAnimation>

namespace Gallery {

namespace {

constexpr QSize tableSize(1060, 800);

Preferences tablePreferences(bool animations, bool autoSave)
{
    Preferences preferences;
    preferences.animations = animations;
    preferences.autoSave = autoSave;
    preferences.onboardingDone = true;
    return preferences;
}

// A reading of `spread` with the cards of the deck from `first` on, every third reversed
// when asked, its texts composed by the engine.
Reading composed(Spread spread, qint64 revealed, bool reversals = false, qint64 first = 0,
                 const QString& question = {}, Topic topic = Topic::general)
{
    Reading r;
    r.spread = spread;
    r.question = question;
    r.topic = topic;
    const qsizetype count = positions(spread).size();
    for (qsizetype i = 0; i < count; ++i)
        r.cards.append(DrawnCard{(first + i) % 22, reversals && i % 3 == 1});
    r.revealed = revealed;
    return ReadingEngine::finish(r);
}

void preparation(const QString& theme, bool dark, int first)
{
    Preferences preferences = tablePreferences(true, true);
    preferences.theme = theme;
    preferences.name = dark ? QStringLiteral("Lucía") : QString();
    Journal journal({}, preferences);
    const DarkDesktop desktop(dark);
    TableView view(journal.store.get());
    view.resize(tableSize);
    view.show();
    settle(view, *journal.store);
    const QString suffix = theme.toLower();
    save(&view, QStringLiteral("%1-preparation-prepare-%2").arg(first).arg(suffix));
    journal.store->shuffle();
    // Half way through a swing, where the fan is spread widest.
    view.preparation()->shuffleAnimation()->pause();
    view.preparation()->shuffleAnimation()->setCurrentTime(240);
    save(&view, QStringLiteral("%1-preparation-shuffling-%2").arg(first + 1).arg(suffix));
    view.preparation()->shuffleAnimation()->stop();
    waitFor([&] { return journal.store->phase() == AppStore::Phase::cut; });
    settle(view, *journal.store);
    save(&view, QStringLiteral("%1-preparation-cut-%2").arg(first + 2).arg(suffix));
}

void everySpreadAsItTurns()
{
    struct Shot {
        Spread spread;
        QString question;
        int some;
    };
    const QList<Shot> shots = {
        {Spread::daily, QStringLiteral("¿Qué merece hoy mi atención?"), 0},
        {Spread::timeline, QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"), 1},
        {Spread::guidance, QString(), 2},
        {Spread::cross, QStringLiteral("¿Cómo puedo apoyar este proyecto sin agotarme?"), 3},
        {Spread::celtic, QStringLiteral("¿Qué fuerzas mueven esta decisión?"), 6},
    };
    int number = 36;
    for (const Shot& shot : shots) {
        Preferences preferences = tablePreferences(false, true);
        preferences.reversals = true;
        Journal journal({}, preferences);
        AppStore& store = *journal.store;
        TableView view(&store);
        view.resize(tableSize);
        view.show();
        const QString key = rawValue(shot.spread);
        store.restore(
            composed(shot.spread, 0, true, 3 + number % 7, shot.question, Topic(number % 4)));
        settle(view, store);
        save(&view, QStringLiteral("%1-%2-none").arg(number++).arg(key));
        if (shot.some > 0) {
            for (int i = 0; i < shot.some; ++i)
                store.reveal(i);
            settle(view, store);
            save(&view, QStringLiteral("%1-%2-some").arg(number++).arg(key));
        }
        store.revealAll();
        settle(view, store);
        save(&view, QStringLiteral("%1-%2-all").arg(number++).arg(key));
    }
}

void panelStates()
{
    Journal journal({}, tablePreferences(false, false));
    AppStore& store = *journal.store;
    TableView view(&store);
    view.resize(tableSize);
    view.show();

    Reading r = composed(Spread::guidance, 2, false, 0,
                         QStringLiteral("¿Qué me frena en el trabajo?"), Topic::projects);
    r.cards[1] = DrawnCard{16, true};
    r = ReadingEngine::finish(r);
    store.restore(r);
    store.setSelectedIndex(1);
    settle(view, store);
    save(&view, QStringLiteral("50-reversed-card-selected"));

    store.reveal(2);
    store.setSelectedIndex(std::nullopt);
    store.updateNotes(QStringLiteral("La torre no es un castigo: es lo que ya se estaba cayendo.\n"
                                     "Hablar con Marta antes del viernes."));
    settle(view, store);
    scrollPanelToEnd(view);
    save(&view, QStringLiteral("51-synthesis-with-notes"));

    // The ritual block, and the panel alone at double density.
    store.restore(composed(Spread::celtic, 0));
    settle(view, store);
    save(view.panel(), QStringLiteral("52-ritual-block"), 2.0);
    store.restore(r);
    store.setSelectedIndex(1);
    settle(view, store);
    save(view.panel(), QStringLiteral("53-card-block"), 2.0);
}

void longQuestionAndNotes()
{
    Journal journal({}, tablePreferences(false, false));
    TableView view(journal.store.get());
    view.resize(tableSize);
    view.show();
    Reading r = composed(
        Spread::timeline, 3, true, 11,
        QStringLiteral("Llevo meses dudando entre quedarme en la ciudad donde crecí, cerca de "
                       "mi familia y de los amigos de siempre, o aceptar el puesto que me "
                       "ofrecen lejos de aquí, con todo lo que eso supone de empezar de nuevo, "
                       "de soledad y también de libertad: ¿qué necesito mirar con más honestidad "
                       "antes de decidir, y qué parte de mí está hablando cuando tengo miedo?"),
        Topic::personal);
    for (int i = 1; i <= 14; ++i)
        r.notes += QStringLiteral("%1. Una línea más de notas para ver cómo se desplaza el "
                                  "cuaderno cuando el texto ya no cabe.\n")
                       .arg(i);
    journal.store->restore(r);
    settle(view, *journal.store);
    scrollPanelToEnd(view);
    save(&view, QStringLiteral("54-long-question-and-notes"));
}

void darkTableAtDoubleDensity()
{
    Preferences preferences = tablePreferences(false, true);
    preferences.theme = QStringLiteral("Medianoche");
    Journal journal({}, preferences);
    const DarkDesktop desktop;
    TableView view(journal.store.get());
    view.resize(tableSize);
    view.show();
    journal.store->restore(composed(Spread::celtic, 7, true, 2,
                                    QStringLiteral("¿Qué fuerzas mueven esta decisión?"),
                                    Topic::relationships));
    journal.store->setSelectedIndex(1);
    settle(view, *journal.store);
    save(&view, QStringLiteral("55-celtic-medianoche-dark"), 2.0);
    journal.store->restore(composed(Spread::cross, 5, true, 9));
    settle(view, *journal.store);
    save(&view, QStringLiteral("56-cross-medianoche-dark-complete"));
}

} // namespace

// Lets the table finish its animations, and the store the writes a saved reading waits for.
void settle(TableView& view, AppStore& store)
{
    store.waitForWriter();
    QApplication::processEvents();
    view.completeAnimations();
    QApplication::processEvents();
}

// Brings the notebook at the end of the panel into view.
void scrollPanelToEnd(TableView& view)
{
    auto* scroll = view.panel()->findChild<QScrollArea*>(QStringLiteral("interpretationScroll"));
    QApplication::processEvents();
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
}

void table()
{
    Motion::overrideReducedMotion(false);
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Highlight, QColor::fromRgbF(0.2f, 0.52f, 0.44f));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    QApplication::setPalette(palette);
    preparation(QStringLiteral("Esmeralda"), false, 30);
    preparation(QStringLiteral("Medianoche"), true, 33);
    everySpreadAsItTurns();
    panelStates();
    longQuestionAndNotes();
    darkTableAtDoubleDensity();
}

} // namespace Gallery
