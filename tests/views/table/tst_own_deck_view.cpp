#include "support/fixtures.h"
#include "views/kit/action_button.h"
#include "views/kit/motion.h"
#include "views/kit/tag.h"
#include "views/table/arcana_picker.h"
#include "views/table/follow_up_section.h"
#include "views/table/interpretation_view.h"
#include "views/table/own_deck_view.h"
#include "views/table/preparation_view.h"
#include "views/table/reading_board.h"
#include "views/table/table_view.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>

using namespace Fixtures;

class OwnDeckViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void typedTextFindsItsCard_data();
    void typedTextFindsItsCard();
    void celticCrossWithTheKeyboardAlone();
    void changingRemovingAndCancelling();
    void followUpsAreWrittenEditedAndRemoved();
};

void OwnDeckViewTest::initTestCase()
{
    Motion::overrideReducedMotion(false);
    // Typing never pauses long enough here to start a new search by itself.
    QApplication::setKeyboardInputInterval(3'600'000);
}

void OwnDeckViewTest::typedTextFindsItsCard_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("card");
    QTest::newRow("deck numeral") << QStringLiteral("xiiii") << 14;
    QTest::newRow("modern numeral") << QStringLiteral("XIV") << 14;
    QTest::newRow("nine as the deck writes it") << QStringLiteral("VIIII") << 9;
    QTest::newRow("number") << QStringLiteral("13") << 13;
    QTest::newRow("the fool") << QStringLiteral("0") << 0;
    QTest::newRow("start of a name") << QStringLiteral("el lo") << 0;
    QTest::newRow("main word") << QStringLiteral("luna") << 18;
    QTest::newRow("without accent") << QStringLiteral("ERMITANO") << 9;
    QTest::newRow("not a linking word") << QStringLiteral("d") << 15;
    QTest::newRow("nothing") << QStringLiteral("zz") << -1;
}

void OwnDeckViewTest::typedTextFindsItsCard()
{
    QFETCH(QString, typed);
    QFETCH(int, card);
    ArcanaPickerModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const std::optional<int> row = ArcanaPickerModel::match(typed);
    QCOMPARE(row ? model.index(*row).data(ArcanaPickerModel::ArcanaIdRole).toInt() : -1, card);
}

void OwnDeckViewTest::celticCrossWithTheKeyboardAlone()
{
    Table table(settled(true, false));
    table.store->setSpread(Spread::celtic);
    TableView view(table.store.get());
    view.resize(1200, 900);
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    auto* start = view.findChild<ActionButton*>(QStringLiteral("ownDeckButton"));
    start->setFocus(Qt::TabFocusReason);
    QTest::keyClick(start, Qt::Key_Space);
    OwnDeckView* own = view.ownDeck();
    QVERIFY(own->isVisible() && !view.preparation()->isVisible());
    QVERIFY(!own->readButton()->isEnabled());
    QCOMPARE(own->board()->element(0)->accessibleName(), QStringLiteral("1, Situación, sin carta"));

    const QStringList typed{QStringLiteral("xiii"),   QStringLiteral("2"),
                            QStringLiteral("mundo"),  QStringLiteral("carro"),
                            QStringLiteral("loco"),   QStringLiteral("VIIII"),
                            QStringLiteral("torre"),  QStringLiteral("emperador"),
                            QStringLiteral("fuerza"), QStringLiteral("sol")};
    const QList<qint64> ids{13, 2, 21, 7, 0, 9, 16, 4, 11, 19};
    for (int i = 0; i < typed.size(); ++i) {
        QWidget* focused = QApplication::focusWidget();
        QCOMPARE(focused, own->panel()->picker());
        if (i == 6) {
            // Turned over: Shift+Tab to the switch, Space, and Tab back to the cards.
            QTest::keyClick(focused, Qt::Key_Backtab, Qt::ShiftModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        type(QApplication::focusWidget(), typed.at(i));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        // A card already placed is never placed again.
        if (i == 2) {
            type(QApplication::focusWidget(), QStringLiteral("xiii"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(table.store->ownDraft()->placedCount(), 3);
            QCOMPARE(own->chosenPosition(), 3);
        }
    }
    QCOMPARE(own->board()->element(6)->accessibleName(),
             QStringLiteral("7, Tu actitud, La Torre, invertida"));
    QVERIFY(own->readButton()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), own->readButton());
    QTest::keyClick(own->readButton(), Qt::Key_Return);

    const Reading& reading = *table.store->current();
    QVERIFY(reading.ownDeck && reading.complete());
    for (int i = 0; i < ids.size(); ++i)
        QCOMPARE(reading.cards.at(i), (DrawnCard{ids.at(i), i == 6}));
    QVERIFY(view.board()->isVisible() && !own->isVisible());
    QVERIFY(view.ownDeckTag()->isVisible());
    QCOMPARE(view.board()->placed(), 10); // nothing is dealt
    QCOMPARE(view.panel()->block(), InterpretationView::Block::synthesis);
}

void OwnDeckViewTest::changingRemovingAndCancelling()
{
    Table table(settled(false, true));
    table.store->setSpread(Spread::timeline);
    table.store->setQuestion(QStringLiteral("¿Y ahora?"));
    TableView view(table.store.get());
    view.resize(1200, 800);
    view.show();
    table.store->beginOwnReading();
    OwnDeckView* own = view.ownDeck();
    ArcanaPicker* picker = own->panel()->picker();
    for (const qint64 id : {5, 6, 7})
        Q_EMIT picker->arcanaChosen(id);
    QVERIFY(own->readButton()->isEnabled());

    // Pressing a placed card chooses its place; another card replaces it, keeping none twice.
    own->board()->element(1)->click();
    QCOMPARE(own->chosenPosition(), 1);
    QCOMPARE(picker->currentArcana(), 6);
    QVERIFY(own->panel()->removeButton()->isVisible());
    Q_EMIT picker->arcanaChosen(5);
    QCOMPARE(table.store->ownDraft()->places.at(1),
             (std::optional<DrawnCard>(DrawnCard{6, false})));
    Q_EMIT picker->arcanaChosen(20);
    QCOMPARE(table.store->ownDraft()->places.at(1),
             (std::optional<DrawnCard>(DrawnCard{20, false})));

    // Delete on a place, or "Quitar carta", empties it.
    own->board()->element(2)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(own->board()->element(2), Qt::Key_Delete);
    own->board()->element(0)->click();
    QTest::mouseClick(own->panel()->removeButton(), Qt::LeftButton);
    QCOMPARE(table.store->ownDraft()->placedCount(), 1);
    QVERIFY(!own->readButton()->isEnabled());

    QTest::mouseClick(own->cancelButton(), Qt::LeftButton);
    QVERIFY(!table.store->ownDraft() && !table.store->current());
    QVERIFY(view.preparation()->isVisible() && !own->isVisible());
    QCOMPARE(table.store->question(), QStringLiteral("¿Y ahora?"));
    QVERIFY(table.store->history().isEmpty());
}

void OwnDeckViewTest::followUpsAreWrittenEditedAndRemoved()
{
    Table table;
    InterpretationView panel(table.store.get());
    panel.resize(300, 900);
    panel.show();
    FollowUpSection* section = panel.followUps();
    auto* unsaved = section->findChild<QLabel*>(QStringLiteral("followUpsUnsaved"));
    auto* field = section->findChild<QPlainTextEdit*>(QStringLiteral("followUpField"));
    auto* add = section->findChild<ActionButton*>(QStringLiteral("addFollowUpButton"));
    table.store->restore(dealt(Spread::daily, 1));
    QVERIFY(unsaved->isVisible() && !field->isVisible());

    table.store->saveCurrent();
    QVERIFY(table.store->flush());
    QVERIFY(!unsaved->isVisible() && field->isVisible());
    QVERIFY(!add->isEnabled());
    field->setFocus();
    type(field, QStringLiteral("Fue bien"));
    QTest::keyClick(field, Qt::Key_Return, Qt::ControlModifier);
    field->setPlainText(QStringLiteral("<b>Otra</b>"));
    QTest::mouseClick(add, Qt::LeftButton);
    QCOMPARE(section->rows().size(), 2);
    QVERIFY(field->toPlainText().isEmpty());
    const QList<FollowUp> entries = table.store->current()->followUps;
    QCOMPARE(entries.at(0).text, QStringLiteral("Fue bien"));
    // What the user writes is shown as it is, never as markup.
    auto* text = section->rows().at(1)->findChild<QLabel*>(QStringLiteral("followUpText"));
    QCOMPARE(text->textFormat(), Qt::PlainText);

    section->beginEdit(entries.at(0).id);
    section->editor()->setPlainText(QStringLiteral("Fue mejor de lo esperado"));
    QTest::keyClick(section->editor(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(table.store->history().first().followUps.at(0).text,
             QStringLiteral("Fue mejor de lo esperado"));
    section->beginEdit(entries.at(1).id);
    section->editor()->setPlainText(QStringLiteral("descartado"));
    QTest::keyClick(section->editor(), Qt::Key_Escape);
    QCOMPARE(table.store->current()->followUps.at(1).text, QStringLiteral("<b>Otra</b>"));

    // Removing asks first; cancelling keeps the entry.
    for (const bool confirm : {false, true}) {
        QApplication::processEvents(); // rows replaced by the edit are gone now
        auto* remove =
            section->rows().at(1)->findChild<ActionButton*>(QStringLiteral("removeFollowUpButton"));
        QTest::mouseClick(remove, Qt::LeftButton);
        QMessageBox* box = section->confirmation();
        QVERIFY(box && box->isVisible());
        QAbstractButton* destructive = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            if (box->buttonRole(button) == QMessageBox::DestructiveRole)
                destructive = button;
        }
        QVERIFY(destructive && box->escapeButton() != destructive);
        QAbstractButton* answer = confirm ? destructive : box->escapeButton();
        answer->click();
        QCOMPARE(table.store->current()->followUps.size(), confirm ? 1 : 2);
    }
}

QTEST_MAIN(OwnDeckViewTest)
#include "tst_own_deck_view.moc"
