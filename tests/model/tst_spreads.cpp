#include "model/spread.h"

#include <QTest>

// The spreads' texts and coordinates are data; what is tested here is what the rest of the
// program relies on: the order, the counts, exact raw values and a board where cards never
// share a place.
class TestSpreads : public QObject {
    Q_OBJECT

private slots:
    void rawValuesAreExactAndCaseSensitive()
    {
        const QList<qsizetype> counts{1, 3, 3, 5, 10};
        QCOMPARE(allSpreads().size(), counts.size());
        for (qsizetype i = 0; i < counts.size(); ++i) {
            const Spread spread = allSpreads().at(i);
            QCOMPARE(positions(spread).size(), counts.at(i));
            const QString raw = rawValue(spread);
            QCOMPARE(spreadFromRaw(raw), std::optional<Spread>(spread));
            QString capitalised = raw;
            capitalised[0] = capitalised[0].toUpper();
            for (const QString& wrong :
                 QStringList{capitalised, raw + QLatin1Char(' '), name(spread)})
                QVERIFY2(!spreadFromRaw(wrong), qPrintable(wrong));
        }
        QVERIFY(!spreadFromRaw(QString()));
        for (Role role : allRoles()) {
            QCOMPARE(roleFromRaw(rawValue(role)), std::optional<Role>(role));
            QVERIFY(!roleFromRaw(rawValue(role).toUpper()));
        }
    }

    void everySpreadLaysOutItsCardsApart()
    {
        for (Spread spread : allSpreads()) {
            const QList<Position> list = positions(spread);
            QCOMPARE(positions(spread), list); // the same table on every call
            for (qsizetype i = 0; i < list.size(); ++i) {
                const Position& p = list.at(i);
                QVERIFY(p.x > 0 && p.x < 1 && p.y > 0 && p.y < 1);
                QVERIFY2(!p.title.isEmpty() && p.meaning.endsWith(QLatin1Char('.')) &&
                             p.meaning.at(0).isUpper(),
                         qPrintable(p.title));
                // Apart from the crossing pair of the Celtic cross, no two cards share a place.
                for (qsizetype j = i + 1; j < list.size(); ++j) {
                    const bool crossing = spread == Spread::celtic && i == 0 && j == 1;
                    QCOMPARE(crossing, p.x == list.at(j).x && p.y == list.at(j).y);
                }
            }
            // Shown side by side on the preparation screen: no two spreads alike.
            for (Spread other : allSpreads())
                QVERIFY(other == spread ||
                        (name(other) != name(spread) && subtitle(other) != subtitle(spread)));
        }
        // The Celtic cross's positions 7 to 10 form the right-hand column, from the bottom up;
        // the five-card cross has its synthesis in the centre.
        const QList<Position> celtic = positions(Spread::celtic);
        for (qsizetype i = 6; i < 9; ++i)
            QVERIFY(celtic.at(i).x == celtic.at(i + 1).x && celtic.at(i).y > celtic.at(i + 1).y);
        const Position centre = positions(Spread::cross).at(4);
        QVERIFY(centre.role == Role::synthesis && centre.x == 0.5 && centre.y == 0.5);
    }
};

QTEST_GUILESS_MAIN(TestSpreads)
#include "tst_spreads.moc"
