#include "support/fixtures.h"
#include "views/kit/motion.h"
#include "views/table/board_caption.h"
#include "views/table/board_element.h"
#include "views/table/interpretation_view.h"
#include "views/table/preparation_view.h"
#include "views/table/reading_board.h"
#include "views/table/table_view.h"

#include <QApplication>
#include <QComboBox>

using namespace Fixtures;

namespace {

// Light pixels on the dark cloth just above a card, where its dashed focus ring runs.
int ringPixels(ReadingBoard* board, int index)
{
    const QRectF visual = board->element(index)->visualRect();
    const QImage image = board->grab().toImage();
    int light = 0;
    for (int y = int(visual.top()) - 7; y <= int(visual.top()) - 3; ++y) {
        for (int x = int(visual.left()) + 8; x < int(visual.right()) - 8; ++x)
            light += qGray(image.pixel(x, y)) > 110;
    }
    return light;
}

void click(QWidget* root, const char* name)
{
    QWidget* button = child(root, name);
    QVERIFY2(button->isVisible() && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TableViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Motion::overrideReducedMotion(false); }

    void wholeReadingFromTheEmptyTableToTheExportedFile()
    {
        Table table;
        TableView view(table.store.get());
        view.resize(1280, 850);
        view.show();
        QCOMPARE(text(&view, "tableHeading"), QStringLiteral("Una pregunta. Un momento para ti."));
        QVERIFY(!child(&view, "progress")->isVisible());
        type(child(&view, "questionField"), QStringLiteral("¿Hacia dónde miro ahora?"));
        child<QComboBox>(&view, "topicPicker")->setCurrentIndex(3);
        child<QComboBox>(&view, "spreadPicker")->setCurrentIndex(1);
        QApplication::setActiveWindow(&view);
        click(&view, "shuffleButton");
        click(&view, "cutButton11");
        // After a deal with the mouse no focus ring shows on the card the focus passed to; the
        // keyboard brings it back.
        QCOMPARE(QApplication::focusWidget(), view.board()->element(0));
        QCOMPARE(ringPixels(view.board(), 0), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QVERIFY(ringPixels(view.board(), 0) > 10);
        QCOMPARE(text(&view, "tableHeading"), name(Spread::timeline));
        QCOMPARE(text(&view, "progress"), QStringLiteral("0 de 3 cartas"));
        QCOMPARE(text(&view, "question"), QStringLiteral("“¿Hacia dónde miro ahora?”"));
        QCOMPARE(text(&view, "hint"),
                 QStringLiteral("Las cartas se descubren en el orden de la tirada."));
        QVERIFY(!child(&view, "preparation")->isVisible() &&
                !child(&view, "saveButton")->isVisible());
        // The button, the board, the button again.
        click(&view, "nextButton");
        QCOMPARE(text(&view, "progress"), QStringLiteral("1 de 3 cartas"));
        QVERIFY(view.board()->element(0)->isSelected());
        clickThrough(view.board(), view.board()->element(1)->visualRect().center().toPoint());
        click(&view, "nextButton");
        QCOMPARE(view.panel()->cardIndex(), 2);
        QVERIFY(!child(&view, "nextButton")->isVisible() &&
                !child(&view, "allButton")->isVisible());
        QCOMPARE(text(&view, "hint"),
                 QStringLiteral("Pulsa cualquier carta para leer su posición."));
        click(&view, "synthesisButton");
        QCOMPARE(view.panel()->block(), InterpretationView::Block::synthesis);
        QCOMPARE(text(&view, "saveButton"), QStringLiteral("Guardar tirada"));
        click(&view, "saveButton");
        QTRY_COMPARE(text(&view, "saveButton"), QStringLiteral("Guardada"));
        QCOMPARE(table.store->history().first().topic, Topic::personal);
        const QString target = table.dir.filePath(QStringLiteral("mi-tirada.txt"));
        table.saveDialog.answer(target);
        click(&view, "exportButton");
        QCOMPARE(table.saveDialog.suggestions(),
                 QStringList(AppStore::exportFileName(*table.store->current())));
        QCOMPARE(QString::fromUtf8(fileBytes(target)), AppStore::text(*table.store->current()));
    }

    void questionIsQuotedPlainText()
    {
        Table table;
        TableView view(table.store.get());
        view.show();
        table.store->restore(dealt(Spread::timeline, 0, 0, QStringLiteral("<b>hola</b>")));
        QCOMPARE(text(&view, "question"), QStringLiteral("“<b>hola</b>”"));
        QVERIFY(plainLabels(&view));
        table.store->restore(dealt(Spread::timeline, 0));
        QVERIFY(!child(&view, "question")->isVisible());
    }

    void everyReadingGetsAFreshBoard()
    {
        Table table(settled(true));
        TableView view(table.store.get());
        view.show();
        table.store->restore(dealt(Spread::timeline, 3));
        ReadingBoard* board = view.board();
        view.completeAnimations();
        QCOMPARE(board->placed(), 3);
        table.store->setSelectedIndex(1);
        QCOMPARE(view.board(), board);
        // Another reading gets a new board, dealt from the first card.
        table.store->restore(dealt(Spread::cross, 0, 7));
        QVERIFY(view.board() != board);
        QCOMPARE(view.board()->placed(), 1);
        // Starting anew and dealing before the event loop comes round: the old board has
        // already left the screen.
        QPointer<ReadingBoard> old = view.board();
        table.store->newReading();
        deal(*table.store, Spread::daily);
        QVERIFY(old.isNull() || old->isHidden());
        table.store->newReading();
        QCOMPARE(view.board(), nullptr);
    }
};

QTEST_MAIN(TableViewTest)
#include "tst_table_view.moc"
