#include "views/table/board_layout.h"

#include <QTest>

class BoardLayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void threeCardSpreadsOnTheWorkedExample();
    void cardWidth_data();
    void cardWidth();
    void captionsBesideOrBelow();
    void captionGeometry();
};

void BoardLayoutTest::threeCardSpreadsOnTheWorkedExample()
{
    // min(1000 / 4.1, (700 − 130) / 1.875, 154) = 154, and the card is 288.75 high.
    for (const Spread spread : {Spread::daily, Spread::timeline, Spread::guidance}) {
        const double width = BoardLayout::cardWidth(spread, QSizeF(1000, 700));
        QCOMPARE(width, 154.0);
        QCOMPARE(width * 1.875, 288.75);
    }
}

void BoardLayoutTest::cardWidth_data()
{
    QTest::addColumn<Spread>("spread");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<double>("expected");

    // The three-card rule: w / 4.1, (h − 130) / 1.875, 154.
    QTest::newRow("timeline width-bound") << Spread::timeline << QSizeF(410, 2000) << 100.0;
    QTest::newRow("guidance height-bound") << Spread::guidance << QSizeF(1000, 400) << 144.0;
    QTest::newRow("daily capped") << Spread::daily << QSizeF(3000, 3000) << 154.0;
    // The cross: max(32, 0.3 w − 76), (0.3 h − 22) / 1.875, 112.
    QTest::newRow("cross width-bound") << Spread::cross << QSizeF(600, 2000) << 104.0;
    QTest::newRow("cross at least 32") << Spread::cross << QSizeF(300, 2000) << 32.0;
    QTest::newRow("cross height-bound") << Spread::cross << QSizeF(1000, 500) << 128.0 / 1.875;
    QTest::newRow("cross capped") << Spread::cross << QSizeF(2000, 2000) << 112.0;
    // The Celtic cross: w / 6.3, (0.32 h − 64) / 1.875, 88.
    QTest::newRow("celtic width-bound") << Spread::celtic << QSizeF(441, 2000) << 70.0;
    QTest::newRow("celtic height-bound")
        << Spread::celtic << QSizeF(1000, 620) << (620 * 0.32 - 64) / 1.875;
    QTest::newRow("celtic capped") << Spread::celtic << QSizeF(2000, 2000) << 88.0;
}

void BoardLayoutTest::cardWidth()
{
    QFETCH(Spread, spread);
    QFETCH(QSizeF, size);
    QFETCH(double, expected);
    QVERIFY2(qAbs(BoardLayout::cardWidth(spread, size) - expected) < 1e-9,
             qPrintable(QString::number(BoardLayout::cardWidth(spread, size))));
}

void BoardLayoutTest::captionsBesideOrBelow()
{
    for (int i = 0; i < 5; ++i)
        QCOMPARE(BoardLayout::hasSideCaption(Spread::cross, i), i >= 2);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(BoardLayout::hasSideCaption(Spread::celtic, i), i >= 6);
    for (const Spread spread : {Spread::daily, Spread::timeline, Spread::guidance}) {
        for (int i = 0; i < 3; ++i)
            QVERIFY(!BoardLayout::hasSideCaption(spread, i));
    }
    for (const Spread spread : allSpreads()) {
        for (int i = 0; i < 10; ++i)
            QCOMPARE(BoardLayout::isCrossing(spread, i), spread == Spread::celtic && i == 1);
    }
}

void BoardLayoutTest::captionGeometry()
{
    // Beside a card: min(100, max(52, 0.3 w − card − 18)) wide and 60 high.
    QCOMPARE(BoardLayout::captionSize(Spread::cross, 2, 1000, 112), QSizeF(100, 60));
    QCOMPARE(BoardLayout::captionSize(Spread::cross, 3, 500, 60), QSizeF(72, 60));
    QCOMPARE(BoardLayout::captionSize(Spread::celtic, 6, 300, 47), QSizeF(52, 60));
    // Below a card: max(card + 36, 100) wide and 40 high.
    QCOMPARE(BoardLayout::captionSize(Spread::timeline, 0, 1000, 154), QSizeF(190, 40));
    QCOMPARE(BoardLayout::captionSize(Spread::celtic, 0, 1000, 60), QSizeF(100, 40));
    QCOMPARE(BoardLayout::captionSize(Spread::cross, 1, 1000, 60), QSizeF(100, 40));

    const QPointF card(400, 300);
    // The cross puts side captions on the right, the Celtic cross on the left, at the
    // card's height, card / 2 + 8 + caption / 2 away.
    QCOMPARE(BoardLayout::captionCenter(Spread::cross, 2, card, 1000, 112),
             QPointF(400 + 56 + 8 + 50, 300));
    QCOMPARE(BoardLayout::captionCenter(Spread::celtic, 7, card, 1000, 80),
             QPointF(400 - 40 - 8 - 50, 300));
    // Below: card height / 2 + 27 down, no horizontal shift.
    QCOMPARE(BoardLayout::captionCenter(Spread::timeline, 1, card, 1000, 154),
             QPointF(400, 300 + 288.75 / 2 + 27));

    const Position position{QString(), QString(), Role::present, 0.33, 0.8};
    QCOMPARE(BoardLayout::cardCenter(position, QSizeF(1000, 500)), QPointF(330, 400));
}

QTEST_GUILESS_MAIN(BoardLayoutTest)
#include "tst_board_layout.moc"
