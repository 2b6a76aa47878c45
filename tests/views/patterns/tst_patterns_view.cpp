#include "app/content_view.h"
#include "support/fixtures.h"
#include "views/kit/action_button.h"
#include "views/patterns/patterns_charts.h"
#include "views/patterns/patterns_lists.h"
#include "views/patterns/patterns_models.h"
#include "views/patterns/patterns_session.h"
#include "views/patterns/patterns_view.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

using Fixtures::reading;

namespace {

// Three readings, newest first: El Loco (0) is in the first and the last.
QList<Reading> journal()
{
    QList<Reading> history{
        reading(QStringLiteral("¿Qué cuido?"), {}, Spread::guidance,
                {{5, false}, {0, true}, {19, false}}),
        reading({}, {}, Spread::daily, {{16, false}}),
        reading(QStringLiteral("¿Hacia dónde voy?"), {}, Spread::timeline,
                {{0, false}, {3, false}, {21, false}}),
    };
    for (int i = 0; i < history.size(); ++i)
        history[i].date = 740000000.0 - 86400.0 * i;
    return history;
}

void showNow(QWidget& widget)
{
    widget.resize(1000, 760);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
}

} // namespace

class PatternsViewTest : public QObject {
    Q_OBJECT

private slots:
    void modelsAndTheChanceSentence()
    {
        // 33 readings of three cards: 99 cards, 4.5 for each arcano by chance.
        QList<Reading> history;
        for (int i = 0; i < 33; ++i)
            history.append(reading({}, {}, Spread::timeline,
                                   {{i % 22, false}, {(i + 1) % 22, false}, {(i + 5) % 22, true}}));
        Fixtures::Table table(history);
        PatternsView view(table.store.get());
        QAbstractItemModelTester ranking(view.rankingModel());
        QAbstractItemModelTester trail(view.trailModel());
        QAbstractItemModelTester repeats(view.repeatModel());
        showNow(view);
        QCOMPARE(view.chanceSentence(),
                 QStringLiteral("Por azar, cada arcano aparecería unas 4,5 veces en estas 99 "
                                "cartas."));
        QCOMPARE(view.rankingModel()->rowCount(), 22);
        QCOMPARE(view.summaryNames().first(), QStringLiteral("Tiradas: 33"));
        // The card that returns most is chosen at first, and its trail shown.
        QCOMPARE(view.selectedCard(), view.rankingModel()->index(0).data(RankingModel::ArcanaRole));
        QVERIFY(view.trailModel()->rowCount() > 0);
        QVERIFY(view.repeatModel()->rowCount() > 0);
    }

    // Keyboard: walk the ranking, choose a card with Space, go on with Return, and reopen
    // a reading of the trail with Return, as "Volver a esta tirada" does.
    void trailFromTheKeyboardReopensAReading()
    {
        Fixtures::Table table(journal());
        PatternsView view(table.store.get());
        showNow(view);
        PatternsList* ranking = view.rankingList();
        ranking->setFocus();
        QCOMPARE(view.rankingModel()->rowOf(0), 0); // the only card seen twice
        QTest::keyClick(ranking, Qt::Key_Down);
        QCOMPARE(view.selectedCard(), std::optional<qint64>(3));
        QCOMPARE(view.trailModel()->rowCount(), 1);
        QTest::keyClick(ranking, Qt::Key_Up);
        QCOMPARE(view.selectedCard(), std::optional<qint64>(0));
        // In history order, each with the title of its position.
        QCOMPARE(view.trailModel()->rowCount(), 2);
        QCOMPARE(view.trailModel()->index(0).data().toString(), QStringLiteral("¿Qué cuido?"));
        QVERIFY(view.trailModel()
                    ->index(0)
                    .data(TrailModel::DetailRole)
                    .toString()
                    .endsWith(QStringLiteral(" · Obstáculo · invertida")));
        QVERIFY(view.trailModel()
                    ->index(1)
                    .data(TrailModel::DetailRole)
                    .toString()
                    .endsWith(QStringLiteral(" · Pasado · al derecho")));

        QTest::keyClick(ranking, Qt::Key_Return);
        QVERIFY(view.trailList()->hasFocus());
        QTest::keyClick(view.trailList(), Qt::Key_Down);
        QTest::keyClick(view.trailList(), Qt::Key_Return);
        QCOMPARE(table.store->current(), std::optional<Reading>(table.store->history().at(2)));
        QCOMPARE(table.store->section(), QStringLiteral("mesa"));
        QCOMPARE(table.store->phase(), AppStore::Phase::reading);
    }

    void reopeningWithTheMouse()
    {
        Fixtures::Table table(journal());
        PatternsView view(table.store.get());
        showNow(view);
        PatternsList* ranking = view.rankingList();
        QTest::mouseClick(ranking->viewport(), Qt::LeftButton, {},
                          ranking->visualRect(view.rankingModel()->index(3)).center());
        QCOMPARE(view.selectedCard(), std::optional<qint64>(16));
        TrailList* list = view.trailList();
        QApplication::processEvents();
        const QRect row = list->visualRect(view.trailModel()->index(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          TrailDelegate::buttonRect(row).center().toPoint());
        QCOMPARE(table.store->current(), std::optional<Reading>(table.store->history().at(1)));
    }

    // The figures are worked out when the section is shown, and again only when the history,
    // the span or the day changed.
    void lazyAndRememberedInTheWindow()
    {
        Fixtures::Table table(journal());
        ContentView window(table.store.get());
        showNow(window);
        PatternsSession* session = window.patternsSession();

        Fixtures::deal(*table.store, Spread::daily);
        table.store->revealAll();
        table.store->saveCurrent(); // the history changes while the table is shown
        QVERIFY(QTest::qWaitFor([&] { return table.store->history().size() == 4; }));
        QCOMPARE(session->computations(), 0);

        table.store->setSection(QStringLiteral("patrones"));
        QVERIFY(QTest::qWaitFor([&] { return session->computations() == 1; }));
        auto* view = qobject_cast<PatternsView*>(window.detail());
        QVERIFY(view);
        QCOMPARE(view->summaryNames().first(), QStringLiteral("Tiradas: 4"));
        view->spanBox()->setCurrentIndex(int(allSpans().indexOf(Span::thisYear)));
        QCOMPARE(session->computations(), 2);

        table.store->setSection(QStringLiteral("guia"));
        table.store->setSection(QStringLiteral("patrones"));
        QVERIFY(QTest::qWaitFor([&] { return window.detail()->isVisible(); }));
        view = qobject_cast<PatternsView*>(window.detail());
        QCOMPARE(view->spanBox()->currentText(), QStringLiteral("Este año"));
        QCOMPARE(session->computations(), 2);
    }

    void emptyStates()
    {
        Fixtures::Table empty;
        PatternsView first(empty.store.get());
        showNow(first);
        QVERIFY(first.showsEmptyState());
        QCOMPARE(first.emptyTitle(),
                 QStringLiteral("Tus patrones empiezan con una tirada guardada."));

        Fixtures::Table table(journal()); // readings of 2024
        PatternsView view(table.store.get());
        view.setSpan(Span::lastWeek);
        showNow(view);
        QVERIFY(view.showsEmptyState());
        QCOMPARE(view.emptyTitle(), QStringLiteral("No hay tiradas guardadas en este periodo."));
        view.findChild<ActionButton*>()->click();
        QCOMPARE(view.span(), Span::all);
        QVERIFY(!view.showsEmptyState());
    }

    // Each bar is a child a screen reader can reach by name; the description reads them all.
    void chartsAreText()
    {
        Fixtures::Table table(journal());
        PatternsView view(table.store.get());
        view.session()->setClock([] { return 740000000.0; });
        view.session()->setTimeZone(QTimeZone::utc());
        showNow(view);
        QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(view.familyChart());
        QVERIFY(chart);
        QCOMPARE(chart->role(), QAccessible::Chart);
        QCOMPARE(chart->childCount(), 6);
        QCOMPARE(chart->child(0)->text(QAccessible::Name),
                 QStringLiteral("Impulso: 43\u00a0% de tus cartas; por azar, 18\u00a0%"));
        QCOMPARE(chart->indexOfChild(chart->child(5)), 5);
        QVERIFY(chart->text(QAccessible::Description)
                    .contains(chart->child(5)->text(QAccessible::Name)));
        QAccessibleInterface* rhythm = QAccessible::queryAccessibleInterface(view.rhythmChart());
        QCOMPARE(rhythm->childCount(), 1);
        QCOMPARE(rhythm->child(0)->text(QAccessible::Name),
                 QStringLiteral("Semana del 10 de junio de 2024: 3 tiradas"));
    }
};

QTEST_MAIN(PatternsViewTest)
#include "tst_patterns_view.moc"
