#include "model/catalog.h"
#include "support/fixtures.h"
#include "views/kit/motion.h"
#include "views/table/board_caption.h"
#include "views/table/board_element.h"
#include "views/table/reading_board.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <algorithm>
#include <numeric>

using namespace Fixtures;

namespace {

// A board of the store's reading, shown at `size`.
struct Board : ReadingBoard {
    Board(AppStore& store, QSize size) : ReadingBoard(&store, *store.current())
    {
        resize(size);
        show();
    }
    void click(int index) { clickThrough(this, element(index)->visualRect().center().toPoint()); }
    QString spoken(int index, QAccessible::Text what)
    {
        return QAccessible::queryAccessibleInterface(element(index))->text(what);
    }
};

} // namespace

class BoardReadingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Motion::overrideReducedMotion(false); }

    void cardsTurnOnlyInTheOrderOfTheSpread()
    {
        Table table;
        table.store->restore(dealt(Spread::timeline, 0));
        Board board(*table.store, {900, 500});
        const auto click = [&](int index, qint64 revealed, std::optional<int> selected) {
            board.click(index);
            QCOMPARE(table.store->current()->revealed, revealed);
            QCOMPARE(table.store->selectedIndex(), selected);
        };
        click(2, 0, std::nullopt); // face down and not the next one: disabled
        click(0, 1, 0);
        click(2, 1, 0);
        click(1, 2, 1);
        QVERIFY(board.element(1)->isSelected() && !board.element(0)->isSelected());
        click(0, 2, 0); // a face-up card is only selected again
        table.store->revealAll();
        QVERIFY(board.element(2)->isRevealed() && board.element(2)->isEnabled());
    }

    void spokenLabelsHintsAndCaptions()
    {
        Table table;
        Reading reading = dealt(Spread::timeline, 0);
        reading.cards[0] = DrawnCard{9, true};
        table.store->restore(reading);
        Board board(*table.store, {900, 500});
        QCOMPARE(board.spoken(0, QAccessible::Name), QStringLiteral("1, Pasado, carta boca abajo"));
        QCOMPARE(board.spoken(0, QAccessible::Description), QStringLiteral("Descubrir carta"));
        QCOMPARE(board.spoken(1, QAccessible::Description), QStringLiteral("Leer interpretación"));
        QCOMPARE(board.element(0)->caption()->title(), QStringLiteral("1 · Pasado"));
        QCOMPARE(board.element(0)->caption()->name(), QString());
        table.store->reveal(0);
        table.store->reveal(1);
        const QString hermit = Catalog::card(9)->name, magician = Catalog::card(1)->name;
        QCOMPARE(board.spoken(0, QAccessible::Name),
                 QStringLiteral("1, Pasado, ") + hermit + QStringLiteral(", invertida"));
        QCOMPARE(board.spoken(1, QAccessible::Name),
                 QStringLiteral("2, Presente, ") + magician + QStringLiteral(", al derecho"));
        QCOMPARE(board.spoken(0, QAccessible::Description), QStringLiteral("Leer interpretación"));
        QCOMPARE(board.spoken(2, QAccessible::Description), QStringLiteral("Descubrir carta"));
        QCOMPARE(board.element(0)->caption()->name(), hermit + QStringLiteral(" ↓"));
        QCOMPARE(board.element(1)->caption()->name(), magician);
    }

    void dealing()
    {
        // No animations, or the desktop asks for less motion: every card at once.
        for (const bool animations : {false, true}) {
            Table table(settled(animations));
            Motion::overrideReducedMotion(animations);
            table.store->restore(dealt(Spread::cross, 0));
            Board board(*table.store, {900, 600});
            Motion::overrideReducedMotion(false);
            QCOMPARE(board.placed(), 5);
        }
        // Otherwise the first card falls at once, then one more every 0.13 s.
        Table table(settled(true));
        table.store->restore(dealt(Spread::cross, 0));
        Board board(*table.store, {900, 600});
        board.dealing()->pause();
        for (const int ms : {0, 129, 130, 520}) {
            board.dealing()->setCurrentTime(ms);
            QCOMPARE(board.placed(), std::min(5, 1 + ms / 130));
        }
        board.completeAnimations();
        QCOMPARE(board.element(4)->placement(), 1.0);
    }

    // No caption overlaps another caption or a card, for every spread with the longest names,
    // on every board a window from its least size to 2560 × 1440 gives.
    void captionsNeverCollide()
    {
        QList<qint64> longest(22);
        std::iota(longest.begin(), longest.end(), 0);
        std::sort(longest.begin(), longest.end(), [](qint64 a, qint64 b) {
            return Catalog::card(a)->name.size() > Catalog::card(b)->name.size();
        });
        for (const Spread spread : allSpreads()) {
            Table table;
            Reading reading = dealt(spread, positions(spread).size());
            for (qsizetype i = 0; i < reading.cards.size(); ++i)
                reading.cards[i] = DrawnCard{longest[i], true};
            table.store->restore(reading);
            Board board(*table.store, {900, 600});
            for (const int width : {424, 520, 684, 900, 1300, 1984}) {
                for (const int height : {354, 420, 554, 620, 800, 1175}) {
                    if (spread == Spread::celtic && height < 554)
                        continue; // the Celtic cross is never that low
                    board.resize(width, height);
                    QList<QRectF> taken;
                    for (int i = 0; i < board.elementCount(); ++i)
                        taken << board.element(i)->visualRect();
                    for (int i = 0; i < board.elementCount(); ++i) {
                        BoardCaption* caption = board.element(i)->caption();
                        QCOMPARE(caption->isVisible(), !board.element(i)->isCrossing());
                        if (!caption->isVisible())
                            continue;
                        const QRectF box(caption->geometry());
                        const QString where = QStringLiteral("%1 at %2 × %3, caption %4")
                                                  .arg(rawValue(spread))
                                                  .arg(width)
                                                  .arg(height)
                                                  .arg(i + 1);
                        QVERIFY2(QRectF(board.rect()).contains(box), qPrintable(where));
                        for (const QRectF& other : std::as_const(taken))
                            QVERIFY2(!box.intersects(other), qPrintable(where));
                        taken << box;
                        // From the usual window size up, every word shows.
                        QVERIFY2(width < 684 || height < 554 || !caption->isElided(),
                                 qPrintable(where));
                    }
                }
            }
        }
    }

    void keyboardReachesAndTurnsTheCards()
    {
        Table table;
        table.store->restore(dealt(Spread::timeline, 1));
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* before = new QPushButton(QStringLiteral("antes"));
        auto* board = new ReadingBoard(table.store.get(), *table.store->current());
        layout->addWidget(before);
        layout->addWidget(board);
        window.resize(900, 600);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto key = [](Qt::Key key) {
            QTest::keyClick(QApplication::focusWidget(), key);
            return QApplication::focusWidget();
        };
        // Tab reaches the cards that can be pressed, in the order of the spread.
        before->setFocus(Qt::TabFocusReason);
        QCOMPARE(key(Qt::Key_Tab), board->element(0));
        QCOMPARE(key(Qt::Key_Tab), board->element(1));
        QCOMPARE(key(Qt::Key_Tab), before); // the third card is face down, not the next
        QCOMPARE(key(Qt::Key_Backtab), board->element(1));
        // Space turns the next card, Return the one after; Enter selects a face-up card.
        key(Qt::Key_Space);
        QCOMPARE(key(Qt::Key_Tab), board->element(2));
        key(Qt::Key_Return);
        QCOMPARE(table.store->current()->revealed, 3);
        key(Qt::Key_Backtab);
        key(Qt::Key_Backtab);
        key(Qt::Key_Enter);
        QCOMPARE(table.store->selectedIndex(), 0);
        // In the Celtic cross the crossing card lies above the first, yet Tab keeps the order.
        table.store->restore(dealt(Spread::celtic, 10));
        auto* celtic = new ReadingBoard(table.store.get(), *table.store->current());
        layout->addWidget(celtic);
        celtic->show();
        celtic->element(0)->setFocus(Qt::TabFocusReason);
        for (int i = 1; i < 10; ++i)
            QCOMPARE(key(Qt::Key_Tab), celtic->element(i));
    }
};

QTEST_MAIN(BoardReadingTest)
#include "tst_board_reading.moc"
