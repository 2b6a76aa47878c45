// The patterns section over a rich journal, on both table cloths and on a light and a dark
// desktop, with a card's trail, its empty states and the narrowest window. Pictures 76 to 89.
#include "app/content_view.h"
#include "gallery.h"
#include "model/reference_date.h"
#include "views/kit/motion.h"
#include "views/patterns/patterns_charts.h"
#include "views/patterns/patterns_lists.h"
#include "views/patterns/patterns_session.h"
#include "views/patterns/patterns_view.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QScrollBar>

namespace Gallery {

namespace {

constexpr qreal ratio = 2.0;
const QSize screenSize(1000, 760);
// Every picture is taken on the same evening, in UTC, whatever the machine's clock says.
const double today =
    ReferenceDate::fromDateTime(QDateTime(QDate(2025, 6, 14), QTime(19, 0), QTimeZone::utc()));

// Fifteen months of readings from a fair shuffle, except that La Torre keeps coming back,
// most often as the obstacle, and La Luna a little more than her share.
QList<Reading> richJournal()
{
    const QStringList questions{
        QStringLiteral("¿Qué necesito soltar antes del verano?"),
        QStringLiteral("¿Cómo puedo cuidar mejor el vínculo con mi hermana?"),
        QStringLiteral("¿Qué me ayudará a abrir una nueva etapa en el trabajo?"),
        QString(),
        QStringLiteral("¿Hacia dónde llevar el proyecto del taller?"),
        QStringLiteral("¿Qué merece mi atención esta semana?"),
    };
    const QList<Spread> spreads{Spread::daily,    Spread::daily,    Spread::timeline,
                                Spread::timeline, Spread::guidance, Spread::guidance,
                                Spread::cross,    Spread::celtic};
    QRandomGenerator random(20250614);
    QList<Reading> journal;
    double date = today - 3600 * 2;
    for (int i = 0; i < 150; ++i) {
        const Spread spread = spreads.at(random.bounded(int(spreads.size())));
        QList<qint64> deck;
        for (qint64 id = 0; id < 22; ++id)
            deck.append(id);
        QList<DrawnCard> cards;
        const QList<Position> places = positions(spread);
        for (qsizetype p = 0; p < places.size(); ++p) {
            qint64 id = deck.takeAt(random.bounded(int(deck.size())));
            const bool towerHere = places.at(p).role == Role::obstacle ? random.bounded(100) < 45
                                                                       : random.bounded(100) < 7;
            if (towerHere && deck.contains(16)) {
                deck.removeOne(16);
                deck.append(id);
                id = 16;
            } else if (random.bounded(100) < 4 && deck.contains(18)) {
                deck.removeOne(18);
                deck.append(id);
                id = 18;
            }
            cards.append(DrawnCard{id, random.bounded(100) < 18});
        }
        Reading r = reading(spread, cards, questions.at(random.bounded(int(questions.size()))),
                            allTopics().at(random.bounded(int(allTopics().size()))), date);
        r.favorite = random.bounded(100) < 15;
        journal.append(r);
        date -= 3600.0 * (30 + random.bounded(90));
    }
    return journal;
}

Preferences cloth(const QString& theme)
{
    Preferences preferences = Journal::quietPreferences();
    preferences.theme = theme;
    return preferences;
}

void settle(PatternsSession* session)
{
    session->setClock([] { return today; });
    session->setTimeZone(QTimeZone::utc());
}

// Lets a change of section or size reach every list and chart.
void settleLayout()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void saveScreen(QWidget& widget, const QString& name)
{
    show(widget, widget.size());
    settleLayout();
    save(&widget, name, ratio);
}

void rich(const QString& theme, const QString& name, bool withTrail)
{
    Journal journal(richJournal(), cloth(theme));
    PatternsView view(journal.store.get());
    settle(view.session());
    view.resize(screenSize);
    saveScreen(view, name);
    if (!withTrail)
        return;
    QScrollBar* bar = view.scrollArea()->verticalScrollBar();
    view.selectCard(18);
    bar->setValue(250);
    view.trailList()->setFocus();
    view.trailList()->setCurrentIndex(view.trailList()->model()->index(1, 0));
    saveScreen(view, QStringLiteral("78-patterns-card-trail"));
    view.scrollArea()->ensureWidgetVisible(view.familyChart(), 0, 40);
    view.familyChart()->setFocus();
    saveScreen(view, QStringLiteral("79-patterns-families"));
    view.setSpan(Span::lastQuarter);
    bar->setValue(bar->maximum());
    view.rhythmChart()->setFocus();
    view.rhythmChart()->setCurrentBar(int(view.rhythmChart()->bars().size()) - 3);
    saveScreen(view, QStringLiteral("80-patterns-three-months"));
}

void empty()
{
    {
        Journal journal({}, cloth(QStringLiteral("Esmeralda")));
        PatternsView view(journal.store.get());
        settle(view.session());
        view.resize(screenSize);
        saveScreen(view, QStringLiteral("81-patterns-empty"));
    }
    Journal journal(richJournal().mid(40), cloth(QStringLiteral("Esmeralda")));
    PatternsView view(journal.store.get());
    settle(view.session());
    view.setSpan(Span::lastWeek);
    view.resize(screenSize);
    saveScreen(view, QStringLiteral("82-patterns-empty-span"));
}

// The whole window on the section, at its size and at the narrowest it allows.
void window()
{
    Journal journal(richJournal(), cloth(QStringLiteral("Esmeralda")));
    ContentView view(journal.store.get());
    settle(view.patternsSession());
    show(view, QSize(1280, 796));
    journal.store->setSection(QStringLiteral("patrones"));
    settleLayout();
    save(&view, QStringLiteral("83-seccion-patrones"), 1.0, QSize(1280, 796));
    view.resize(view.minimumSize());
    settleLayout();
    save(&view, QStringLiteral("84-patrones-ventana-minima"), 1.0, QSize(1040, 560));
}

} // namespace

void patterns()
{
    Motion::overrideReducedMotion(std::nullopt);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    rich(QStringLiteral("Esmeralda"), QStringLiteral("76-patterns-esmeralda"), true);
    rich(QStringLiteral("Medianoche"), QStringLiteral("77-patterns-medianoche"), false);
    empty();
    window();
    const QPalette light = QApplication::palette();
    QApplication::setPalette(darkPalette());
    rich(QStringLiteral("Esmeralda"), QStringLiteral("85-patterns-esmeralda-dark"), false);
    rich(QStringLiteral("Medianoche"), QStringLiteral("86-patterns-medianoche-dark"), false);
    QApplication::setPalette(light);
    QLocale::setDefault(before);
}

} // namespace Gallery
