// Readings laid out with one's own deck and the entries written after a reading: the picker
// on both cloths, the reading it gives, the history row with its tag and count, and the
// follow-up section. Pictures 20 to 29 belong to them.
#include "engine/reading_engine.h"
#include "gallery.h"
#include "views/history/history_view.h"
#include "views/kit/motion.h"
#include "views/table/arcana_picker.h"
#include "views/table/follow_up_section.h"
#include "views/table/interpretation_view.h"
#include "views/table/own_deck_view.h"
#include "views/table/table_view.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>

namespace Gallery {

namespace {

constexpr QSize tableSize(1060, 800);

Preferences preferences(const QString& theme, bool autoSave)
{
    Preferences p = Journal::quietPreferences();
    p.theme = theme;
    p.autoSave = autoSave;
    p.name = QStringLiteral("Lucía");
    return p;
}

QList<FollowUp> twoEntries(double readingDate)
{
    return {FollowUp{QUuid::createUuid(), readingDate + 86400.0 * 9 + 3600 * 3,
                     QStringLiteral("Hablé con Marta el viernes. Fue más fácil de lo que temía: "
                                    "ella también quería cambiar el reparto de tareas.")},
            FollowUp{QUuid::createUuid(), readingDate + 86400.0 * 41 + 3600 * 7,
                     QStringLiteral("Un mes después el proyecto sigue en pie. Me cuesta menos "
                                    "pedir ayuda.")}};
}

// The picker on the table with the cards `laid` at their positions and the place `chosen`
// pressed, the keyboard on a free card.
void picker(const QString& theme, bool dark, Spread spread,
            const QList<std::pair<int, DrawnCard>>& laid, int chosen, const QString& name)
{
    Journal journal({}, preferences(theme, true));
    AppStore& store = *journal.store;
    const DarkDesktop desktop(dark);
    store.setQuestion(QStringLiteral("¿Qué necesito ver antes de cambiar de trabajo?"));
    store.setSpread(spread);
    TableView view(&store);
    view.resize(tableSize);
    view.show();
    store.beginOwnReading();
    for (const auto& [position, card] : laid)
        store.placeOwnCard(position, card.arcanaID, card.reversed);
    OwnDeckView* own = view.ownDeck();
    own->board()->element(chosen)->click();
    own->panel()->picker()->setCurrentArcana(17);
    settle(view, store);
    save(&view, name);
}

void ownReading()
{
    Journal journal({}, preferences(QStringLiteral("Esmeralda"), true));
    AppStore& store = *journal.store;
    store.setQuestion(QStringLiteral("¿Qué necesito ver antes de cambiar de trabajo?"));
    store.setTopic(Topic::projects);
    store.setSpread(Spread::celtic);
    TableView view(&store);
    view.resize(tableSize);
    view.show();
    store.beginOwnReading();
    const QList<qint64> ids{13, 2, 21, 7, 0, 9, 16, 4, 11, 19};
    for (int i = 0; i < ids.size(); ++i)
        store.placeOwnCard(i, ids.at(i), i == 1 || i == 6);
    store.recordOwnReading();
    settle(view, store);
    save(&view, QStringLiteral("22-own-deck-reading"));
    store.setSelectedIndex(1);
    settle(view, store);
    save(&view, QStringLiteral("23-own-deck-reading-card"));
}

void historyRow()
{
    Reading own = reading(Spread::celtic,
                          {{13, false},
                           {2, true},
                           {21, false},
                           {7, false},
                           {0, false},
                           {9, false},
                           {16, true},
                           {4, false},
                           {11, false},
                           {19, false}},
                          QStringLiteral("¿Qué necesito ver antes de cambiar de trabajo?"),
                          Topic::projects, 741000000.0);
    own.ownDeck = true;
    own.notes = QStringLiteral("Las cartas las saqué de mi baraja de siempre, la del abuelo.");
    own.followUps = twoEntries(own.date);
    Reading single = reading(Spread::daily, {{19, false}}, {}, Topic::general, 740500000.0);
    single.followUps = twoEntries(single.date).mid(1);
    Reading drawn = reading(Spread::timeline, {{9, false}, {1, false}, {17, false}},
                            QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"),
                            Topic::personal, 740000000.0);
    for (const bool dark : {false, true}) {
        Journal journal({own, single, drawn}, Journal::quietPreferences());
        const DarkDesktop desktop(dark);
        HistoryView view(journal.store.get());
        show(view, QSize(900, 640));
        save(&view,
             dark ? QStringLiteral("25-history-own-deck-dark")
                  : QStringLiteral("24-history-own-deck"),
             2.0);
    }
}

void followUps()
{
    Reading r = reading(Spread::guidance, {{6, false}, {15, true}, {14, false}},
                        QStringLiteral("¿Cómo reparto mejor el trabajo en casa?"),
                        Topic::relationships, 741500000.0);
    r.notes = QStringLiteral("Hablarlo sin reproches, antes del fin de semana.");
    r = ReadingEngine::finish(r);
    Journal journal({}, preferences(QStringLiteral("Esmeralda"), false));
    AppStore& store = *journal.store;
    TableView view(&store);
    view.resize(tableSize);
    view.show();

    // Not saved yet: the section says when entries can be written.
    store.restore(r);
    settle(view, store);
    scrollPanelToEnd(view);
    save(view.panel(), QStringLiteral("26-follow-ups-unsaved"), 2.0);

    r.followUps = twoEntries(r.date);
    store.restore(r);
    store.saveCurrent();
    settle(view, store);
    scrollPanelToEnd(view);
    save(&view, QStringLiteral("27-follow-ups"));
    save(view.panel(), QStringLiteral("28-follow-ups-panel"), 2.0);

    // One entry edited in place, a new one being written.
    FollowUpSection* section = view.panel()->followUps();
    section->beginEdit(r.followUps.at(1).id);
    section->findChild<QPlainTextEdit*>(QStringLiteral("followUpField"))
        ->setPlainText(QStringLiteral("Tres meses después: seguimos así."));
    settle(view, store);
    scrollPanelToEnd(view);
    save(view.panel(), QStringLiteral("29-follow-up-editing"), 2.0);
}

} // namespace

void ownDeck()
{
    Motion::overrideReducedMotion(false);
    // The crossing place still empty, so both numbers of the cross show.
    picker(QStringLiteral("Esmeralda"), false, Spread::celtic,
           {{0, {13, false}}, {2, {21, false}}, {3, {7, false}}, {7, {4, true}}}, 1,
           QStringLiteral("20-own-deck-picker"));
    // The chosen place holds a card: the panel offers to take it away.
    picker(QStringLiteral("Medianoche"), true, Spread::cross,
           {{0, {11, false}}, {1, {3, true}}, {2, {20, false}}}, 1,
           QStringLiteral("21-own-deck-picker-medianoche-dark"));
    ownReading();
    historyRow();
    followUps();
}

} // namespace Gallery
