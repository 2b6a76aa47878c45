#include "model/catalog.h"
#include "views/guide/guide_delegate.h"
#include "views/guide/guide_filter_model.h"
#include "views/guide/guide_grid_view.h"
#include "views/guide/guide_model.h"
#include "views/guide/guide_view.h"
#include "views/kit/section_title.h"
#include "views/kit/spaced_text.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>

namespace {

QStringList shownNames(const GuideView& view)
{
    QStringList names;
    const auto* model = view.filterModel();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

// Every text the detail shows, from its labels and paragraphs.
QStringList detailTexts(const GuideView& view)
{
    QStringList texts;
    QWidget* page = view.detailArea()->widget();
    for (QLabel* label : page->findChildren<QLabel*>())
        texts << label->text();
    for (SpacedText* paragraph : page->findChildren<SpacedText*>())
        texts << paragraph->toPlainText();
    return texts;
}

QString detailName(const GuideView& view)
{
    // The name is the label in the 34-point serif.
    for (QLabel* label : view.detailArea()->widget()->findChildren<QLabel*>()) {
        if (label->font().pixelSize() == 34)
            return label->text();
    }
    return {};
}

} // namespace

class GuideViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void opensOnTheFool()
    {
        GuideView view;
        view.resize(1000, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.selectedId(), std::optional<qint64>(0));
        QCOMPARE(view.search(), QString());
        QCOMPARE(view.filterModel()->rowCount(), 22);
        QVERIFY(view.filterModel()->index(0, 0).data(GuideModel::SelectedRole).toBool());
        QVERIFY(!view.filterModel()->index(1, 0).data(GuideModel::SelectedRole).toBool());
        QCOMPARE(detailName(view), QStringLiteral("El Loco"));

        // Choosing a card by clicking its cell, then leaving and opening the section again.
        GuideGridView* grid = view.gridView();
        const QModelIndex magician = view.filterModel()->index(1, 0);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(magician).center());
        QCOMPARE(view.selectedId(), std::optional<qint64>(1));
        QCOMPARE(detailName(view), QStringLiteral("El Mago"));
        view.setSearch(QStringLiteral("luna"));
        view.hide();
        view.show();
        QCOMPARE(view.selectedId(), std::optional<qint64>(0));
        QCOMPARE(view.search(), QString());
        QCOMPARE(view.searchField()->text(), QString());
        QCOMPARE(view.filterModel()->rowCount(), 22);
        QCOMPARE(detailName(view), QStringLiteral("El Loco"));
    }

    void gridHasTwoColumns()
    {
        GuideView view;
        view.resize(1000, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        GuideGridView* grid = view.gridView();
        QCOMPARE(grid->parentWidget()->width(), 330);
        QApplication::processEvents();
        const QRect first = grid->visualRect(view.filterModel()->index(0, 0));
        const QRect second = grid->visualRect(view.filterModel()->index(1, 0));
        const QRect third = grid->visualRect(view.filterModel()->index(2, 0));
        QCOMPARE(first.top(), second.top());
        QVERIFY(second.left() > first.left());
        QCOMPARE(third.left(), first.left());
        QVERIFY(third.top() > first.top());
        // The two label boxes are 18 apart and fill the grid's width.
        auto* delegate = qobject_cast<GuideDelegate*>(grid->itemDelegate());
        const QRect a = delegate->labelRect(first, view.filterModel()->index(0, 0));
        const QRect b = delegate->labelRect(second, view.filterModel()->index(1, 0));
        QCOMPARE(a.left(), 0);
        QVERIFY(b.left() - a.right() - 1 >= GuideDelegate::columnSpacing);
        QVERIFY(b.left() - a.right() - 1 <= GuideDelegate::columnSpacing + 1);
        QCOMPARE(b.right() + 1, grid->viewport()->width());
    }

    void searchLooksAtNameAndKeywordsOnly()
    {
        GuideView view;
        // Capitals find lower-case keywords and names.
        view.setSearch(QStringLiteral("LIBERTAD"));
        QCOMPARE(shownNames(view), QStringList({QStringLiteral("El Loco")}));
        view.setSearch(QStringLiteral("el mago"));
        QCOMPARE(shownNames(view), QStringList({QStringLiteral("El Mago")}));
        // Accents count.
        view.setSearch(QStringLiteral("intuicion"));
        QVERIFY(shownNames(view).isEmpty());
        view.setSearch(QStringLiteral("intuición"));
        QCOMPARE(shownNames(view),
                 QStringList({QStringLiteral("La Papisa"), QStringLiteral("La Luna")}));
        // French name, symbol text, numeral and other texts are not searched.
        view.setSearch(QStringLiteral("Le Mat"));
        QVERIFY(shownNames(view).isEmpty());
        view.setSearch(QStringLiteral("hatillo"));
        QVERIFY(shownNames(view).isEmpty());
        view.setSearch(QStringLiteral("VIIII"));
        QVERIFY(shownNames(view).isEmpty());
        view.setSearch(QStringLiteral("garantías"));
        QVERIFY(shownNames(view).isEmpty());
        // Name and keywords are joined by one space; the search is not trimmed.
        view.setSearch(QStringLiteral("Loco libertad"));
        QCOMPARE(shownNames(view), QStringList({QStringLiteral("El Loco")}));
        view.setSearch(QStringLiteral(" "));
        QCOMPARE(shownNames(view).size(), 22);
        view.setSearch(QStringLiteral("abierto "));
        QVERIFY(shownNames(view).isEmpty());
    }

    void selectionSurvivesTheSearch()
    {
        GuideView view;
        view.resize(1000, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setSelectedId(1);
        QTest::keyClicks(view.searchField(), QStringLiteral("loco"));
        QCOMPARE(shownNames(view), QStringList({QStringLiteral("El Loco")}));
        QCOMPARE(view.selectedId(), std::optional<qint64>(1));
        QCOMPARE(detailName(view), QStringLiteral("El Mago"));
        QVERIFY(!view.filterModel()->index(0, 0).data(GuideModel::SelectedRole).toBool());

        view.setSearch(QStringLiteral("zzz"));
        QVERIFY(view.showsNoResults());
        bool message = false;
        for (QLabel* label : view.findChildren<QLabel*>()) {
            message =
                message ||
                (label->isVisible() &&
                 label->text() == QStringLiteral("No hay cartas que coincidan con tu búsqueda."));
        }
        QVERIFY(message);
        QCOMPARE(detailName(view), QStringLiteral("El Mago"));

        view.setSearch({});
        QVERIFY(!view.showsNoResults());
        QVERIFY(view.filterModel()->index(1, 0).data(GuideModel::SelectedRole).toBool());
        // Return on the current cell chooses it.
        GuideGridView* grid = view.gridView();
        grid->setFocus();
        grid->setCurrentIndex(view.filterModel()->index(5, 0));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(view.selectedId(), std::optional<qint64>(5));
    }

    void detailShowsEverySection()
    {
        GuideView view;
        const Arcana& fool = Catalog::cards().at(0);
        const QStringList texts = detailTexts(view);
        QVERIFY(texts.contains(QStringLiteral("El Loco")));
        QVERIFY(texts.contains(fool.keywords));
        QVERIFY(texts.contains(fool.symbol));
        QVERIFY(texts.contains(fool.upright));
        QVERIFY(texts.contains(fool.reversed));
        QVERIFY(texts.contains(fool.advice));
        QVERIFY(texts.contains(fool.reflection));
        QVERIFY(texts.contains(QStringLiteral("Invita a revisar ") + fool.shadow +
                               QStringLiteral(". La posición puede mostrar una dificultad "
                                              "incluso cuando la carta está al derecho.")));
        QVERIFY(!texts.contains(fool.light));
        QStringList titles;
        for (SectionTitle* title : view.detailArea()->widget()->findChildren<SectionTitle*>())
            titles << title->title();
        QCOMPARE(titles,
                 QStringList({QStringLiteral("0 · Le Mat"), QStringLiteral("Al derecho"),
                              QStringLiteral("Invertida"), QStringLiteral("Como obstáculo"),
                              QStringLiteral("Como consejo"), QStringLiteral("Para reflexionar")}));
        // All of it can be selected.
        for (QLabel* label : view.detailArea()->widget()->findChildren<QLabel*>())
            QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
        for (SpacedText* paragraph : view.detailArea()->widget()->findChildren<SpacedText*>())
            QVERIFY(paragraph->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    }

    void deckTextIsPlainText()
    {
        QList<Arcana> deck = Catalog::cards();
        deck[0].name = QStringLiteral("<b>Loco</b>");
        deck[0].keywords = QStringLiteral("<i>libre</i>");
        deck[0].upright = QStringLiteral("<a href=\"x\">enlace</a>");
        GuideView view(deck, nullptr);
        QCOMPARE(detailName(view), QStringLiteral("<b>Loco</b>"));
        const QStringList texts = detailTexts(view);
        QVERIFY(texts.contains(QStringLiteral("<i>libre</i>")));
        QVERIFY(texts.contains(QStringLiteral("<a href=\"x\">enlace</a>")));
        for (QLabel* label : view.findChildren<QLabel*>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        // The tags are searched as the text they are.
        view.setSearch(QStringLiteral("<b>"));
        QCOMPARE(view.filterModel()->rowCount(), 1);
    }

    void modelsPassTheTester()
    {
        GuideModel model(Catalog::cards());
        GuideFilterModel filter;
        filter.setSourceModel(&model);
        QAbstractItemModelTester a(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester b(&filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setSelected(3);
        filter.setSearch(QStringLiteral("a"));
        filter.setSearch(QStringLiteral("zz"));
        QCOMPARE(filter.rowCount(), 0);
        filter.setSearch({});
        QCOMPARE(filter.rowCount(), 22);
        model.setSelected(std::nullopt);
        QCOMPARE(model.card(21)->name, QStringLiteral("El Mundo"));
        QVERIFY(!model.card(22));
    }
};

QTEST_MAIN(GuideViewTest)
#include "tst_guide_view.moc"
