#include "model/catalog.h"
#include "support/fixtures.h"
#include "views/table/interpretation_view.h"

#include <QAccessible>
#include <QPlainTextEdit>

using namespace Fixtures;
using Block = InterpretationView::Block;

class InterpretationViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void blockFollowsSelectionAndCount()
    {
        Table table;
        InterpretationView view(table.store.get());
        QCOMPARE(view.block(), Block::none);
        for (int revealed = 0; revealed <= 3; ++revealed) {
            table.store->restore(dealt(Spread::guidance, revealed));
            for (const int selected : {-2, -1, 0, 1, 2, 3}) { // -2: no selection
                table.store->setSelectedIndex(selected == -2 ? std::nullopt
                                                             : std::optional(selected));
                const bool card = selected >= 0 && selected < revealed;
                QCOMPARE(view.block(), card            ? Block::card
                                       : revealed == 3 ? Block::synthesis
                                                       : Block::ritual);
                QCOMPARE(child(&view, "cardBlock")->isHidden(), !card);
                if (card) // "Leer el conjunto" only once every card is face up
                    QCOMPARE(child(&view, "readAllButton")->isHidden(), revealed < 3);
            }
        }
    }

    void cardBlockShowsTheCardInItsPosition()
    {
        Table table;
        InterpretationView view(table.store.get());
        view.resize(300, 1400); // clicks reach only buttons inside the window
        view.show();
        Reading reading = dealt(Spread::cross, 5, 4, {}, Topic::relationships);
        reading.cards[1] = DrawnCard{12, true};
        reading.interpretations = {QStringLiteral("Texto guardado con la tirada.")};
        table.store->restore(reading);
        table.store->setSelectedIndex(1);
        const Arcana* hanged = Catalog::card(12);
        const Position obstacle = positions(Spread::cross)[1];
        QCOMPARE(child<QLabel>(&view, "cardTitle")->text(),
                 QStringLiteral("2 · ") + obstacle.title.toUpper());
        QCOMPARE(text(&view, "cardName"), hanged->name);
        QCOMPARE(text(&view, "cardNumeral"),
                 hanged->numeral() + QStringLiteral(" · ") + hanged->french);
        QCOMPARE(text(&view, "cardOrientation"), QStringLiteral("Invertida"));
        QCOMPARE(text(&view, "cardKeywords"), hanged->keywords);
        QCOMPARE(text(&view, "positionMeaning"), obstacle.meaning);
        QCOMPARE(text(&view, "reflection"), hanged->reflection);
        // A missing interpretation is composed on the spot; a stored one is shown as it is.
        QCOMPARE(text(&view, "interpretation"),
                 ReadingEngine::interpretation(reading.cards[1], obstacle, Topic::relationships));
        table.store->setSelectedIndex(0);
        QCOMPARE(text(&view, "interpretation"), QStringLiteral("Texto guardado con la tirada."));
        QCOMPARE(text(&view, "cardOrientation"), QStringLiteral("Al derecho"));
        QTest::mouseClick(child(&view, "readAllButton"), Qt::LeftButton);
        QCOMPARE(view.block(), Block::synthesis);
        QCOMPARE(text(&view, "synthesisTopic"), QStringLiteral("Relaciones"));
    }

    void notebookWritesEveryEdit()
    {
        Table table(settled(false, true));
        InterpretationView view(table.store.get());
        view.resize(300, 1400);
        view.show();
        table.store->restore(dealt(Spread::timeline, 2));
        table.store->reveal(2); // completes and saves the reading
        QVERIFY(table.store->flush());
        table.store->setSelectedIndex(std::nullopt);
        QPlainTextEdit* notes = view.notebook();
        QCOMPARE(QAccessible::queryAccessibleInterface(notes)->text(QAccessible::Name),
                 QStringLiteral("Notas personales de esta tirada"));
        type(notes, QStringLiteral("abc"));
        // Each keystroke reaches the store and, the reading being saved, the state file.
        QVERIFY(table.store->flush());
        QVERIFY(fileBytes(table.statePath()).contains("\"notes\": \"abc\""));
        QTextCursor cursor = notes->textCursor();
        cursor.setPosition(1);
        notes->setTextCursor(cursor);
        type(notes, QStringLiteral("XY"));
        QCOMPARE(table.store->current()->notes, QStringLiteral("aXYbc"));
        QCOMPARE(notes->textCursor().position(), 3);
        notes->selectAll();
        QTest::keyClick(notes, Qt::Key_Delete);
        QCOMPARE(table.store->history().first().notes, QString());
        // Notes changed elsewhere show here; "Guardar tirada y notas" saves them.
        table.store->restore(dealt(Spread::daily, 1, 5));
        table.store->updateNotes(QStringLiteral("Desde el menú"));
        QCOMPARE(notes->toPlainText(), QStringLiteral("Desde el menú"));
        QTest::mouseClick(child(&view, "saveNotesButton"), Qt::LeftButton);
        QVERIFY(table.store->flush());
        QCOMPARE(table.store->history().first().notes, QStringLiteral("Desde el menú"));
    }

    void textsArePlain()
    {
        Table table;
        InterpretationView view(table.store.get());
        Reading reading = dealt(Spread::timeline, 3);
        reading.synthesis = QStringLiteral("<b>negrita</b> & <i>cursiva</i>");
        reading.interpretations[0] = QStringLiteral("<h1>título</h1>");
        reading.notes = QStringLiteral("<b>mis notas</b>");
        table.store->restore(reading);
        QCOMPARE(text(&view, "synthesis"), reading.synthesis);
        QCOMPARE(view.notebook()->toPlainText(), reading.notes);
        table.store->setSelectedIndex(0);
        QCOMPARE(text(&view, "interpretation"), reading.interpretations[0]);
        QVERIFY(plainLabels(&view));
    }
};

QTEST_MAIN(InterpretationViewTest)
#include "tst_interpretation_view.moc"
