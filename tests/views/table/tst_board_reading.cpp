#include "model/catalog.h"
#include "table_test_kit.h"
#include "views/kit/motion.h"
#include "views/kit/table_palette.h"
#include "views/table/board_caption.h"
#include "views/table/board_element.h"
#include "views/table/board_layout.h"
#include "views/table/reading_board.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QVariantAnimation>

using namespace TableTestKit;

namespace {

QString accessibleText(QWidget* widget, QAccessible::Text what)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(what) : QString();
}

void clickCard(ReadingBoard* board, int index)
{
    BoardElement* element = board->element(index);
    QTest::mouseClick(element, Qt::LeftButton, {}, centerIn(element, element->visualRect()));
}

} // namespace

class BoardReadingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cardsTurnOnlyInTheOrderOfTheSpread();
    void spokenLabelsAndHints();
    void captionsFollowTheCards();
    void dealingWithoutAnimation();
    void dealingScheduleWithAnimation();
    void celticCrossingCard();
    void captionsLetClicksThrough();
    void keyboardReachesAndTurnsTheCards();
    void selectionOutlineIsPainted();
};

void BoardReadingTest::initTestCase()
{
    Motion::overrideReducedMotion(false);
}

void BoardReadingTest::cardsTurnOnlyInTheOrderOfTheSpread()
{
    Table table;
    table.store->restore(reading(Spread::timeline, 0));
    ReadingBoard board(table.store.get(), *table.store->current());
    board.resize(900, 500);
    board.show();
    QCOMPARE(board.placed(), 3);

    QVERIFY(board.element(0)->isEnabled());
    QVERIFY(!board.element(1)->isEnabled());
    QVERIFY(!board.element(2)->isEnabled());

    // The third card cannot be clicked while only the first is next.
    clickCard(&board, 2);
    clickCard(&board, 1);
    QCOMPARE(table.store->current()->revealed, 0);
    QCOMPARE(table.store->selectedIndex(), std::nullopt);

    clickCard(&board, 0);
    QCOMPARE(table.store->current()->revealed, 1);
    QCOMPARE(table.store->selectedIndex(), 0);
    QVERIFY(board.element(0)->isRevealed());
    QVERIFY(board.element(0)->isSelected());
    QVERIFY(board.element(1)->isEnabled());
    QVERIFY(!board.element(2)->isEnabled());

    clickCard(&board, 2);
    QCOMPARE(table.store->current()->revealed, 1);

    // The second card turns over and takes the gold outline from the first.
    clickCard(&board, 1);
    QCOMPARE(table.store->current()->revealed, 2);
    QCOMPARE(table.store->selectedIndex(), 1);
    QVERIFY(board.element(1)->isSelected());
    QVERIFY(!board.element(0)->isSelected());

    // A face-up card is only selected again.
    clickCard(&board, 0);
    QCOMPARE(table.store->current()->revealed, 2);
    QCOMPARE(table.store->selectedIndex(), 0);
    QVERIFY(board.element(0)->isSelected());

    // Turning every card at once anywhere shows at once on the board.
    table.store->revealAll();
    for (int i = 0; i < 3; ++i) {
        QVERIFY(board.element(i)->isRevealed());
        QVERIFY(board.element(i)->isEnabled());
        QVERIFY(!board.element(i)->isSelected());
    }
}

void BoardReadingTest::spokenLabelsAndHints()
{
    Table table;
    Reading r = reading(Spread::timeline, 0);
    r.cards[0] = DrawnCard{9, true};
    r.cards[1] = DrawnCard{17, false};
    table.store->restore(r);
    ReadingBoard board(table.store.get(), r);
    board.resize(900, 500);
    board.show();

    QCOMPARE(accessibleText(board.element(0), QAccessible::Name),
             QStringLiteral("1, Pasado, carta boca abajo"));
    QCOMPARE(accessibleText(board.element(1), QAccessible::Name),
             QStringLiteral("2, Presente, carta boca abajo"));
    QCOMPARE(accessibleText(board.element(0), QAccessible::Description),
             QStringLiteral("Descubrir carta"));
    QCOMPARE(accessibleText(board.element(1), QAccessible::Description),
             QStringLiteral("Leer interpretación"));

    table.store->reveal(0);
    const QString hermit = Catalog::card(9)->name;
    QCOMPARE(accessibleText(board.element(0), QAccessible::Name),
             QStringLiteral("1, Pasado, ") + hermit + QStringLiteral(", invertida"));
    QCOMPARE(accessibleText(board.element(0), QAccessible::Description),
             QStringLiteral("Leer interpretación"));
    QCOMPARE(accessibleText(board.element(1), QAccessible::Description),
             QStringLiteral("Descubrir carta"));

    table.store->reveal(1);
    QCOMPARE(accessibleText(board.element(1), QAccessible::Name),
             QStringLiteral("2, Presente, ") + Catalog::card(17)->name +
                 QStringLiteral(", al derecho"));
    QCOMPARE(accessibleText(board.element(2), QAccessible::Name),
             QStringLiteral("3, Tendencia futura, carta boca abajo"));
    QCOMPARE(accessibleText(board.element(2), QAccessible::Description),
             QStringLiteral("Descubrir carta"));
    QCOMPARE(QAccessible::queryAccessibleInterface(board.element(0))->role(), QAccessible::Button);
}

void BoardReadingTest::captionsFollowTheCards()
{
    Table table;
    Reading r = reading(Spread::cross, 0);
    r.cards[0] = DrawnCard{3, true};
    r.cards[1] = DrawnCard{4, false};
    table.store->restore(r);
    ReadingBoard board(table.store.get(), r);
    board.resize(1000, 600);
    board.show();

    BoardCaption* first = board.element(0)->caption();
    QCOMPARE(first->title(), QStringLiteral("1 · Apoyo"));
    QCOMPARE(first->name(), QString());
    QVERIFY(first->testAttribute(Qt::WA_TransparentForMouseEvents));

    table.store->reveal(0);
    table.store->reveal(1);
    QCOMPARE(first->name(), Catalog::card(3)->name + QStringLiteral(" ↓"));
    QCOMPARE(board.element(1)->caption()->name(), Catalog::card(4)->name);

    // The cross: captions of the first two cards below them, the others on the right.
    const double width = board.cardWidth();
    for (int i = 0; i < 5; ++i) {
        BoardElement* element = board.element(i);
        const QRectF card = element->visualRect();
        const QRect caption = element->caption()->geometry();
        QVERIFY(element->caption()->isVisible());
        if (i < 2) {
            QVERIFY(!element->caption()->isSide());
            QCOMPARE(caption.height(), 40);
            QVERIFY(qAbs(caption.top() - (card.bottom() + 7)) <= 1);
            QVERIFY(qAbs(caption.center().x() - card.center().x()) <= 1);
            QVERIFY(qAbs(caption.width() - std::max(width + 36, 100.0)) <= 1.0);
        } else {
            QVERIFY(element->caption()->isSide());
            QCOMPARE(caption.height(), 60);
            QVERIFY(qAbs(caption.left() - (card.right() + 8)) <= 1);
        }
    }
}

void BoardReadingTest::dealingWithoutAnimation()
{
    {
        Table table(false);
        table.store->restore(reading(Spread::cross, 0));
        ReadingBoard board(table.store.get(), *table.store->current());
        board.resize(900, 600);
        board.show();
        QCOMPARE(board.placed(), 5);
        QVERIFY(board.dealing()->state() != QAbstractAnimation::Running);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(board.element(i)->placement(), 1.0);
    }
    {
        // Animations allowed by the preferences, but the desktop asks for less motion.
        Table table(true);
        Motion::overrideReducedMotion(true);
        table.store->restore(reading(Spread::cross, 0));
        ReadingBoard board(table.store.get(), *table.store->current());
        board.resize(900, 600);
        board.show();
        Motion::overrideReducedMotion(false);
        QCOMPARE(board.placed(), 5);
        QVERIFY(board.dealing()->state() != QAbstractAnimation::Running);
        QCOMPARE(board.element(4)->placement(), 1.0);
    }
}

void BoardReadingTest::dealingScheduleWithAnimation()
{
    Table table(true);
    table.store->restore(reading(Spread::cross, 0));
    ReadingBoard board(table.store.get(), *table.store->current());
    board.resize(900, 600);
    QCOMPARE(board.placed(), 0);
    board.show();

    // The first card falls at once; the others follow every 0.13 s.
    QCOMPARE(board.placed(), 1);
    QCOMPARE(board.dealing()->state(), QAbstractAnimation::Running);
    const QRectF rest = [&] {
        const QSizeF size(board.size());
        const double w = BoardLayout::cardWidth(Spread::cross, size);
        QRectF card(0, 0, w, w * 1.875);
        card.moveCenter(BoardLayout::cardCenter(positions(Spread::cross).at(0), size));
        return card;
    }();
    // Not yet placed: transparent and 24 points above its place.
    QCOMPARE(board.element(0)->placement(), 0.0);
    QCOMPARE(board.element(0)->cardRect(), rest.translated(0, -24));

    board.dealing()->pause();
    board.dealing()->setCurrentTime(129);
    QCOMPARE(board.placed(), 1);
    board.dealing()->setCurrentTime(130);
    QCOMPARE(board.placed(), 2);
    board.dealing()->setCurrentTime(519);
    QCOMPARE(board.placed(), 4);
    QCOMPARE(board.element(4)->placement(), 0.0);
    // The last of five cards is placed 0.52 s after the first ...
    board.dealing()->setCurrentTime(520);
    QCOMPARE(board.placed(), 5);
    QVERIFY(board.element(0)->placement() == 1.0);
    // ... and drops for 0.25 s with an ease-out curve: past half way at half time.
    board.dealing()->setCurrentTime(520 + 125);
    const qreal halfway = board.element(4)->placement();
    QVERIFY2(halfway > 0.5 && halfway < 1.0, qPrintable(QString::number(halfway)));
    board.dealing()->setCurrentTime(520 + 250);
    QCOMPARE(board.element(4)->placement(), 1.0);
    QCOMPARE(board.element(0)->cardRect(), rest);
    QCOMPARE(ReadingBoard::dealDurationMs(5), 770);

    // Appearing again deals the cards again from the first.
    board.dealing()->resume();
    board.hide();
    QVERIFY(board.dealing()->state() != QAbstractAnimation::Running);
    board.show();
    QCOMPARE(board.placed(), 1);
    QTRY_COMPARE(board.placed(), 5);
    QTRY_COMPARE(board.element(4)->placement(), 1.0);

    // Tests (and the gallery) can end the dealing at once.
    board.hide();
    board.show();
    QCOMPARE(board.placed(), 1);
    board.completeAnimations();
    QCOMPARE(board.placed(), 5);
    QCOMPARE(board.element(4)->placement(), 1.0);
}

void BoardReadingTest::celticCrossingCard()
{
    Table table;
    table.store->restore(reading(Spread::celtic, 10));
    ReadingBoard board(table.store.get(), *table.store->current());
    board.resize(1100, 700);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));

    BoardElement* first = board.element(0);
    BoardElement* crossing = board.element(1);
    QVERIFY(crossing->isCrossing());
    QCOMPARE(crossing->rotation(), 90.0);
    QCOMPARE(first->rotation(), 0.0);
    QCOMPARE(crossing->visualRect().width(), first->visualRect().height());
    QCOMPARE(crossing->visualRect().center(), first->visualRect().center());
    // Drawn above the first card and without a caption.
    QCOMPARE(board.childAt(first->visualRect().center().toPoint()), crossing);
    QVERIFY(!crossing->caption()->isVisible());
    QVERIFY(first->caption()->isVisible());
    // The crossing card reacts where it lies across, not where the first card stands.
    clickCard(&board, 1);
    QCOMPARE(table.store->selectedIndex(), 1);
    clickThrough(
        &board,
        (first->visualRect().topLeft() + QPointF(first->visualRect().width() / 2, 6)).toPoint());
    QCOMPARE(table.store->selectedIndex(), 0);

    // The right-hand column has its captions on the left; the cross has them below.
    for (int i = 0; i < 10; ++i) {
        if (i == 1)
            continue;
        BoardElement* element = board.element(i);
        const QRect caption = element->caption()->geometry();
        if (i >= 6) {
            QVERIFY(element->caption()->isSide());
            QVERIFY(qAbs(caption.right() + 1 - (element->visualRect().left() - 8)) <= 1);
        } else {
            QVERIFY(!element->caption()->isSide());
            QVERIFY(caption.top() > element->visualRect().bottom());
        }
    }
    QCOMPARE(board.element(2)->caption()->title(), QStringLiteral("3 · Raíz"));
}

void BoardReadingTest::captionsLetClicksThrough()
{
    Table table;
    table.store->restore(reading(Spread::timeline, 3));
    ReadingBoard board(table.store.get(), *table.store->current());
    board.resize(900, 500);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));

    // Lay a caption over the second card: a click on it still reaches the card.
    BoardCaption* caption = board.element(0)->caption();
    const QRectF card = board.element(1)->visualRect();
    caption->setGeometry(QRectF(card.center() - QPointF(50, 20), QSizeF(100, 40)).toRect());
    caption->raise();
    QCOMPARE(board.childAt(card.center().toPoint()), board.element(1));
    clickThrough(&board, card.center().toPoint());
    QCOMPARE(table.store->selectedIndex(), 1);
}

void BoardReadingTest::keyboardReachesAndTurnsTheCards()
{
    Table table;
    table.store->restore(reading(Spread::timeline, 1));
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QPushButton(QStringLiteral("antes"), &window);
    layout->addWidget(before);
    auto* board = new ReadingBoard(table.store.get(), *table.store->current(), &window);
    board->setFixedSize(900, 480);
    layout->addWidget(board);
    auto* after = new QPushButton(QStringLiteral("después"), &window);
    layout->addWidget(after);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // Tab goes through the cards that can be pressed, in the order of the spread.
    before->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), board->element(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), board->element(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), after); // the third is still face down and unreachable

    // Space turns the next card; Return turns the one after; both select a face-up card.
    board->element(1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(board->element(1), Qt::Key_Space);
    QCOMPARE(table.store->current()->revealed, 2);
    QCOMPARE(table.store->selectedIndex(), 1);
    QTest::keyClick(board->element(1), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), board->element(2));
    QTest::keyClick(board->element(2), Qt::Key_Return);
    QCOMPARE(table.store->current()->revealed, 3);
    QCOMPARE(table.store->selectedIndex(), 2);
    QTest::keyClick(board->element(2), Qt::Key_Backtab);
    QTest::keyClick(board->element(1), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), board->element(0));
    QTest::keyClick(board->element(0), Qt::Key_Enter);
    QCOMPARE(table.store->selectedIndex(), 0);
    QCOMPARE(table.store->current()->revealed, 3);

    // In the Celtic cross the crossing card lies above the first, yet Tab keeps the order.
    table.store->restore(reading(Spread::celtic, 10));
    auto* celtic = new ReadingBoard(table.store.get(), *table.store->current(), &window);
    celtic->setFixedSize(1000, 640);
    layout->insertWidget(2, celtic);
    celtic->show();
    celtic->element(0)->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), celtic->element(i));
    }
}

void BoardReadingTest::selectionOutlineIsPainted()
{
    Table table;
    table.store->restore(reading(Spread::daily, 1));
    ReadingBoard board(table.store.get(), *table.store->current());
    board.resize(700, 500);
    board.show();

    const QRectF card = board.element(0)->visualRect();
    // Just outside the card's left edge, half way down: the cloth, or the gold outline.
    const QPoint probe(int(card.left()) - 1, int(card.center().y()));
    auto colourAt = [&] { return board.grab().toImage().pixelColor(probe); };
    const QColor unselected = colourAt();
    table.store->setSelectedIndex(0);
    const QColor selected = colourAt();
    const QColor gold = TablePalette::gold();
    auto distance = [](const QColor& a, const QColor& b) {
        return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
    };
    QVERIFY2(distance(selected, gold) < 60, qPrintable(selected.name()));
    QVERIFY2(distance(unselected, gold) > 200, qPrintable(unselected.name()));
}

QTEST_MAIN(BoardReadingTest)
#include "tst_board_reading.moc"
