#include "model/catalog.h"
#include "table_test_kit.h"
#include "views/kit/action_button.h"
#include "views/kit/motion.h"
#include "views/kit/section_title.h"
#include "views/kit/spaced_text.h"
#include "views/table/interpretation_view.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace TableTestKit;

namespace {

template <typename T> T* child(QWidget* root, const char* name)
{
    return root->findChild<T*>(QLatin1String(name));
}

QWidget* visibleBlock(InterpretationView& view)
{
    for (const char* name : {"cardBlock", "synthesisBlock", "ritualBlock"}) {
        QWidget* block = child<QWidget>(&view, name);
        if (block && !block->isHidden())
            return block;
    }
    return nullptr;
}

} // namespace

class InterpretationViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void emptyWithoutReading();
    void blockForEverySelectionAndCount();
    void cardBlockContents();
    void missingInterpretationIsComposed();
    void ritualListsThePositions();
    void readAllLeadsToTheSynthesis();
    void notebookWritesEveryEdit();
    void notebookOfASavedReadingIsWrittenWithinASecond();
    void textsArePlain();
};

void InterpretationViewTest::initTestCase()
{
    Motion::overrideReducedMotion(false);
}

void InterpretationViewTest::emptyWithoutReading()
{
    Table table;
    InterpretationView view(table.store.get());
    view.resize(300, 600);
    view.show();
    QCOMPARE(view.block(), InterpretationView::Block::none);
    QCOMPARE(visibleBlock(view), nullptr);

    table.store->restore(reading(Spread::timeline, 0));
    QCOMPARE(view.block(), InterpretationView::Block::ritual);
    table.store->newReading();
    QCOMPARE(view.block(), InterpretationView::Block::none);
    QCOMPARE(visibleBlock(view), nullptr);
}

void InterpretationViewTest::blockForEverySelectionAndCount()
{
    Table table;
    InterpretationView view(table.store.get());
    view.resize(300, 700);
    view.show();
    const QList<std::optional<int>> selections = {std::nullopt, 0, 1, 2, 3, -1};
    for (int revealed = 0; revealed <= 3; ++revealed) {
        const Reading r = reading(Spread::guidance, revealed);
        table.store->restore(r);
        for (const std::optional<int>& selected : selections) {
            table.store->setSelectedIndex(selected);
            const QString where =
                QStringLiteral("revealed %1, selected %2")
                    .arg(revealed)
                    .arg(selected ? QString::number(*selected) : QStringLiteral("none"));
            InterpretationView::Block expected = InterpretationView::Block::ritual;
            QString blockName = QStringLiteral("ritualBlock");
            if (selected && *selected >= 0 && *selected < revealed) {
                expected = InterpretationView::Block::card;
                blockName = QStringLiteral("cardBlock");
            } else if (revealed == 3) {
                expected = InterpretationView::Block::synthesis;
                blockName = QStringLiteral("synthesisBlock");
            }
            QVERIFY2(view.block() == expected, qPrintable(where));
            QVERIFY2(visibleBlock(view) && visibleBlock(view)->objectName() == blockName,
                     qPrintable(where));
            if (expected == InterpretationView::Block::card) {
                QCOMPARE(view.cardIndex(), *selected);
                QCOMPARE(child<SectionTitle>(&view, "cardTitle")->title(),
                         QString::number(*selected + 1) + QStringLiteral(" · ") +
                             positions(Spread::guidance).at(*selected).title);
                // "Leer el conjunto" only once every card is face up.
                QVERIFY2(child<ActionButton>(&view, "readAllButton")->isHidden() == (revealed < 3),
                         qPrintable(where));
            }
        }
    }
}

void InterpretationViewTest::cardBlockContents()
{
    Table table;
    InterpretationView view(table.store.get());
    view.resize(300, 900);
    view.show();
    Reading r = reading(Spread::timeline, 2, false, 0, QString(), Topic::projects);
    r.cards[1] = DrawnCard{12, true};
    r = ReadingEngine::finish(r);
    table.store->restore(r);
    table.store->setSelectedIndex(1);

    const Arcana* hanged = Catalog::card(12);
    QCOMPARE(child<SectionTitle>(&view, "cardTitle")->title(), QStringLiteral("2 · Presente"));
    QCOMPARE(child<QLabel>(&view, "cardName")->text(), hanged->name);
    QCOMPARE(child<QLabel>(&view, "cardNumeral")->text(),
             hanged->numeral() + QStringLiteral(" · ") + hanged->french);
    QCOMPARE(child<QLabel>(&view, "cardOrientation")->text(), QStringLiteral("Invertida"));
    QCOMPARE(child<QLabel>(&view, "cardKeywords")->text(), hanged->keywords);
    QCOMPARE(child<QLabel>(&view, "positionMeaning")->text(),
             positions(Spread::timeline).at(1).meaning);
    QCOMPARE(child<QLabel>(&view, "reflection")->text(), hanged->reflection);
    auto* text = child<SpacedText>(&view, "interpretation");
    QCOMPARE(text->toPlainText(), r.interpretations.at(1));
    QVERIFY(text->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
    QCOMPARE(child<QWidget>(&view, "cardFace")->height(), 178);

    table.store->setSelectedIndex(0);
    QCOMPARE(child<QLabel>(&view, "cardOrientation")->text(), QStringLiteral("Al derecho"));
    QCOMPARE(text->toPlainText(), r.interpretations.at(0));
}

void InterpretationViewTest::missingInterpretationIsComposed()
{
    Table table;
    InterpretationView view(table.store.get());
    view.resize(300, 800);
    view.show();
    Reading r = reading(Spread::cross, 5, true, 4, QString(), Topic::relationships);
    r.interpretations = {QStringLiteral("Texto guardado con la tirada.")};
    table.store->restore(r);

    auto* text = child<SpacedText>(&view, "interpretation");
    table.store->setSelectedIndex(0);
    QCOMPARE(text->toPlainText(), QStringLiteral("Texto guardado con la tirada."));
    for (int i = 1; i < 5; ++i) {
        table.store->setSelectedIndex(i);
        const QString composed = ReadingEngine::interpretation(
            r.cards.at(i), positions(Spread::cross).at(i), Topic::relationships);
        QVERIFY(!composed.isEmpty());
        QCOMPARE(text->toPlainText(), composed);
    }
}

void InterpretationViewTest::ritualListsThePositions()
{
    Table table;
    InterpretationView view(table.store.get());
    view.resize(300, 900);
    view.show();
    for (const Spread spread : allSpreads()) {
        table.store->restore(reading(spread, 0));
        QCOMPARE(view.block(), InterpretationView::Block::ritual);
        const QList<Position> places = positions(spread);
        for (int k = 0; k < 10; ++k) {
            QWidget* row = view.findChild<QWidget*>(QStringLiteral("ritualRow%1").arg(k));
            QCOMPARE(row != nullptr, k < places.size());
            if (!row)
                continue;
            QStringList texts;
            for (QLabel* label : row->findChildren<QLabel*>())
                texts << label->text();
            QCOMPARE(texts, QStringList({QString::number(k + 1), places.at(k).title,
                                         places.at(k).meaning}));
        }
    }
}

void InterpretationViewTest::readAllLeadsToTheSynthesis()
{
    Table table;
    InterpretationView view(table.store.get());
    view.resize(300, 800);
    view.show();
    Reading r = reading(Spread::timeline, 3, false, 0, QString(), Topic::personal);
    table.store->restore(r);
    table.store->setSelectedIndex(2);
    QCOMPARE(view.block(), InterpretationView::Block::card);
    QTest::mouseClick(child<ActionButton>(&view, "readAllButton"), Qt::LeftButton);
    QCOMPARE(table.store->selectedIndex(), std::nullopt);
    QCOMPARE(view.block(), InterpretationView::Block::synthesis);
    QCOMPARE(child<QLabel>(&view, "synthesisTopic")->text(), rawValue(Topic::personal));
    QCOMPARE(child<SpacedText>(&view, "synthesis")->toPlainText(), r.synthesis);
    QVERIFY(child<SpacedText>(&view, "synthesis")
                ->textInteractionFlags()
                .testFlag(Qt::TextSelectableByMouse));
}

void InterpretationViewTest::notebookWritesEveryEdit()
{
    Table table(false, false);
    InterpretationView view(table.store.get());
    view.resize(300, 800);
    view.show();
    QApplication::setActiveWindow(&view);
    table.store->restore(reading(Spread::daily, 1));
    QCOMPARE(view.block(), InterpretationView::Block::synthesis);

    QPlainTextEdit* notes = view.notebook();
    QCOMPARE(QAccessible::queryAccessibleInterface(notes)->text(QAccessible::Name),
             QStringLiteral("Notas personales de esta tirada"));
    QCOMPARE(notes->parentWidget()->height(), 110);

    QSignalSpy changes(table.store.get(), &AppStore::currentChanged);
    notes->setFocus();
    type(notes, QStringLiteral("abc"));
    // One call per keystroke, each with the whole text.
    QCOMPARE(changes.count(), 3);
    QCOMPARE(table.store->current()->notes, QStringLiteral("abc"));
    QCOMPARE(notes->textCursor().position(), 3);

    // Typing in the middle keeps the cursor where the user is.
    QTextCursor cursor = notes->textCursor();
    cursor.setPosition(1);
    notes->setTextCursor(cursor);
    type(notes, QStringLiteral("XY"));
    QCOMPARE(table.store->current()->notes, QStringLiteral("aXYbc"));
    QCOMPARE(notes->textCursor().position(), 3);
    QCOMPARE(changes.count(), 5);
    // Nothing of a reading not yet saved reached the history or the disk.
    QVERIFY(table.store->history().isEmpty());

    // Clearing the notebook sends the empty text.
    notes->selectAll();
    QTest::keyClick(notes, Qt::Key_Delete);
    QCOMPARE(table.store->current()->notes, QString());
    QCOMPARE(changes.count(), 6);

    // Notes changed elsewhere show here, without being sent back.
    table.store->updateNotes(QStringLiteral("Desde el menú"));
    QCOMPARE(changes.count(), 7);
    QCOMPARE(notes->toPlainText(), QStringLiteral("Desde el menú"));

    // Another reading brings its own notes.
    Reading other = reading(Spread::daily, 1, false, 5);
    other.notes = QStringLiteral("Notas de otra tirada");
    table.store->restore(other);
    QCOMPARE(notes->toPlainText(), QStringLiteral("Notas de otra tirada"));
    QCOMPARE(table.store->current()->notes, QStringLiteral("Notas de otra tirada"));

    // "Guardar tirada y notas" saves the reading with its notes.
    QTest::mouseClick(child<ActionButton>(&view, "saveNotesButton"), Qt::LeftButton);
    QTRY_COMPARE(table.store->history().size(), 1);
    QCOMPARE(table.store->history().first().notes, QStringLiteral("Notas de otra tirada"));
}

void InterpretationViewTest::notebookOfASavedReadingIsWrittenWithinASecond()
{
    Table table(false, true);
    InterpretationView view(table.store.get());
    view.resize(300, 800);
    view.show();
    table.store->restore(reading(Spread::timeline, 2));
    table.store->reveal(2); // completes and saves the reading
    table.store->setSelectedIndex(std::nullopt);
    QTRY_COMPARE(table.store->history().size(), 1);
    view.notebook()->setFocus();
    type(view.notebook(), QStringLiteral("Hola"));
    QCOMPARE(table.store->history().first().notes, QStringLiteral("Hola"));
    QVERIFY(table.store->flush()); // what the notes' timer does within the second
    QFile file(table.statePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject state = QJsonDocument::fromJson(file.readAll()).object();
    QCOMPARE(state.value(QStringLiteral("history"))
                 .toArray()
                 .at(0)
                 .toObject()
                 .value(QStringLiteral("notes")),
             QJsonValue(QStringLiteral("Hola")));
}

void InterpretationViewTest::textsArePlain()
{
    Table table;
    InterpretationView view(table.store.get());
    view.resize(300, 800);
    view.show();
    Reading r = reading(Spread::timeline, 3);
    r.synthesis = QStringLiteral("<b>negrita</b> & <i>cursiva</i>");
    r.interpretations[0] = QStringLiteral("<h1>título</h1>");
    r.notes = QStringLiteral("<b>mis notas</b>");
    table.store->restore(r);
    QCOMPARE(child<SpacedText>(&view, "synthesis")->toPlainText(), r.synthesis);
    QCOMPARE(view.notebook()->toPlainText(), r.notes);
    table.store->setSelectedIndex(0);
    QCOMPARE(child<SpacedText>(&view, "interpretation")->toPlainText(), r.interpretations.at(0));
    for (QLabel* label : view.findChildren<QLabel*>())
        QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
}

QTEST_MAIN(InterpretationViewTest)
#include "tst_interpretation_view.moc"
