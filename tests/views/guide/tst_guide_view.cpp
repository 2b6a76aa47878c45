#include "model/catalog.h"
#include "support/fixtures.h"
#include "views/guide/guide_delegate.h"
#include "views/guide/guide_filter_model.h"
#include "views/guide/guide_grid_view.h"
#include "views/guide/guide_model.h"
#include "views/guide/guide_view.h"
#include "views/kit/spaced_text.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>

namespace {

QStringList shownNames(const GuideView& view)
{
    QStringList names;
    for (int row = 0; row < view.filterModel()->rowCount(); ++row)
        names << view.filterModel()->index(row, 0).data().toString();
    return names;
}

// Every text of the detail, from its labels and paragraphs.
QStringList detailTexts(const GuideView& view)
{
    QStringList texts;
    for (QLabel* label : view.detailArea()->widget()->findChildren<QLabel*>())
        texts << label->text();
    for (SpacedText* paragraph : view.detailArea()->widget()->findChildren<SpacedText*>())
        texts << paragraph->toPlainText();
    return texts;
}

} // namespace

class GuideViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void searchLooksAtNameAndKeywordsOnly_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("names");
        const QStringList none;
        QTest::newRow("keyword in capitals")
            << "LIBERTAD" << QStringList{QStringLiteral("El Loco")};
        QTest::newRow("accent missing") << "intuicion" << none;
        QTest::newRow("accent") << "intuición"
                                << QStringList{QStringLiteral("La Papisa"),
                                               QStringLiteral("La Luna")};
        QTest::newRow("French name") << "Le Mat" << none;
        QTest::newRow("symbol text") << "hatillo" << none;
        QTest::newRow("name and keywords joined")
            << "Loco libertad" << QStringList{QStringLiteral("El Loco")};
        QTest::newRow("not trimmed") << "abierto " << none;
    }

    void searchLooksAtNameAndKeywordsOnly()
    {
        QFETCH(QString, search);
        QFETCH(QStringList, names);
        GuideView view;
        view.setSearch(search);
        QCOMPARE(shownNames(view), names);
        QCOMPARE(view.showsNoResults(), names.isEmpty());
    }

    void selectionSurvivesTheSearchAndResetsOnOpening()
    {
        GuideView view;
        view.resize(1000, 700);
        view.show();
        QVERIFY(view.filterModel()->index(0, 0).data(GuideModel::SelectedRole).toBool());
        QTest::mouseClick(view.gridView()->viewport(), Qt::LeftButton, {},
                          view.gridView()->visualRect(view.filterModel()->index(1, 0)).center());
        QTest::keyClicks(view.searchField(), QStringLiteral("zzz"));
        QVERIFY(detailTexts(view).contains(QStringLiteral("El Mago")));
        // Return on the current cell chooses it.
        view.setSearch({});
        view.gridView()->setCurrentIndex(view.filterModel()->index(5, 0));
        QTest::keyClick(view.gridView(), Qt::Key_Return);
        QCOMPARE(view.selectedId(), std::optional<qint64>(5));
        view.setSearch(QStringLiteral("luna"));
        view.hide();
        view.show();
        QCOMPARE(view.selectedId(), std::optional<qint64>(0));
        QCOMPARE(view.searchField()->text(), QString());
    }

    void detailShowsEverySectionAsPlainSelectableText()
    {
        QList<Arcana> deck = Catalog::cards();
        Arcana& fool = deck[0];
        fool.name = QStringLiteral("<b>Loco</b>");
        fool.upright = QStringLiteral("<a href=\"x\">enlace</a>");
        GuideView view(deck, nullptr);
        const QStringList texts = detailTexts(view);
        for (const QString& expected : QStringList{
                 QStringLiteral("0 · LE MAT"), fool.name, fool.keywords, fool.symbol, fool.upright,
                 fool.reversed,
                 QStringLiteral("Invita a revisar ") + fool.shadow +
                     QStringLiteral(". La posición puede mostrar una dificultad incluso cuando la "
                                    "carta está al derecho."),
                 fool.advice, QStringLiteral("PARA REFLEXIONAR"), fool.reflection})
            QVERIFY2(texts.contains(expected), qPrintable(expected));
        for (QLabel* label : view.detailArea()->widget()->findChildren<QLabel*>())
            QVERIFY(label->textFormat() == Qt::PlainText &&
                    (label->textInteractionFlags() & Qt::TextSelectableByMouse));
        for (SpacedText* paragraph : view.detailArea()->widget()->findChildren<SpacedText*>())
            QVERIFY(paragraph->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    }

    void gridFillsTwoColumnsInOrder()
    {
        for (const int count : {1, 2, 3, 5, 22}) {
            for (const int height : {800, 420}) { // with and without a scroll bar
                GuideView view(Catalog::cards().mid(0, count), nullptr);
                view.resize(1000, height);
                view.show();
                const auto cell = [&](int row) {
                    return view.gridView()->visualRect(view.filterModel()->index(row, 0));
                };
                for (int row = 0; row < count; ++row) {
                    const QRect pairFirst = cell(row - row % 2);
                    QCOMPARE(cell(row).top(), pairFirst.top());
                    QCOMPARE(cell(row).left() == 0, row % 2 == 0);
                    QVERIFY(row < 2 || cell(row).top() > cell(row - 2).top());
                    const QRect label = GuideDelegate::labelRect(cell(row));
                    QVERIFY(label.right() < view.gridView()->viewport()->width());
                    if (row % 2) // the two columns stand 18 points apart
                        QCOMPARE(label.left() - GuideDelegate::labelRect(pairFirst).right(), 19);
                }
            }
        }
    }

    void detailIsAsTallAsItsContent()
    {
        GuideView view;
        view.resize(1000, 700);
        view.show();
        for (const qint64 card : {0, 21}) {
            view.setSelectedId(card);
            QCOMPARE(Fixtures::scrollSlack(view.detailArea()), 0);
        }
    }

    void modelsPassTheTester()
    {
        GuideModel model(Catalog::cards());
        GuideFilterModel filter;
        filter.setSourceModel(&model);
        QAbstractItemModelTester a(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester b(&filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setSelected(3);
        filter.setSearch(QStringLiteral("zz"));
        QCOMPARE(filter.rowCount(), 0);
        filter.setSearch({});
        model.setSelected(std::nullopt);
        QCOMPARE(filter.rowCount(), 22);
    }
};

QTEST_MAIN(GuideViewTest)
#include "tst_guide_view.moc"
