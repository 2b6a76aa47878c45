#include "table_test_kit.h"
#include "views/kit/action_button.h"
#include "views/kit/clamped_label.h"
#include "views/kit/motion.h"
#include "views/table/board_element.h"
#include "views/table/interpretation_view.h"
#include "views/table/preparation_view.h"
#include "views/table/reading_board.h"
#include "views/table/table_view.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QVariantAnimation>

using namespace TableTestKit;

namespace {

template <typename T> T* child(QWidget* root, const char* name)
{
    T* found = root->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("missing child %s", name);
    return found;
}

bool shown(QWidget* root, const char* name)
{
    return child<QWidget>(root, name)->isVisible();
}

void click(QWidget* root, const char* name)
{
    QWidget* button = child<QWidget>(root, name);
    QVERIFY2(button->isVisible() && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TableViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void emptyTableShowsThePreparation();
    void wholeReadingFromTheEmptyTableToTheExportedFile();
    void revealAllAndManualSaving();
    void questionIsQuotedPlainText();
    void heightsFollowTheWindow();
    void everyReadingGetsAFreshBoard();
    void failedExportKeepsTheReading();
};

void TableViewTest::initTestCase()
{
    Motion::overrideReducedMotion(false);
}

void TableViewTest::emptyTableShowsThePreparation()
{
    Table table;
    TableView view(table.store.get());
    view.resize(1200, 800);
    view.show();
    QCOMPARE(child<QLabel>(&view, "tableHeading")->text(),
             QStringLiteral("Una pregunta. Un momento para ti."));
    QVERIFY(!shown(&view, "progress"));
    QVERIFY(!shown(&view, "saveButton"));
    QVERIFY(shown(&view, "preparation"));
    QVERIFY(!shown(&view, "readingBody"));
    QCOMPARE(view.board(), nullptr);
    QCOMPARE(view.preparation()->height(), 800 - 120);

    // A reading in another phase than `reading` still shows the preparation.
    table.store->shuffle();
    QVERIFY(shown(&view, "preparation"));
}

void TableViewTest::wholeReadingFromTheEmptyTableToTheExportedFile()
{
    Table table(false, false);
    TableView view(table.store.get());
    view.resize(1280, 850);
    view.show();
    QApplication::setActiveWindow(&view);

    // Prepare: question, topic and spread, then shuffle and cut.
    auto* question = child<QPlainTextEdit>(&view, "questionField");
    question->setFocus();
    type(question, QStringLiteral("  ¿Hacia dónde miro ahora?"));
    child<QComboBox>(&view, "topicPicker")->setCurrentIndex(3);
    child<QComboBox>(&view, "spreadPicker")->setCurrentIndex(1);
    click(&view, "shuffleButton");
    QCOMPARE(table.store->phase(), AppStore::Phase::cut);
    click(&view, "cutButton11");
    QCOMPARE(table.store->phase(), AppStore::Phase::reading);

    // The table shows the dealt reading.
    QVERIFY(shown(&view, "readingBody"));
    QVERIFY(!shown(&view, "preparation"));
    QCOMPARE(child<QLabel>(&view, "tableHeading")->text(), name(Spread::timeline));
    QCOMPARE(child<QLabel>(&view, "progress")->text(), QStringLiteral("0 de 3 cartas"));
    QCOMPARE(child<ClampedLabel>(&view, "question")->text(),
             QStringLiteral("“¿Hacia dónde miro ahora?”"));
    QVERIFY(!shown(&view, "saveButton"));
    QVERIFY(shown(&view, "nextButton") && shown(&view, "allButton"));
    QVERIFY(!shown(&view, "synthesisButton") && !shown(&view, "exportButton"));
    QCOMPARE(child<QLabel>(&view, "hint")->text(),
             QStringLiteral("Las cartas se descubren en el orden de la tirada."));
    ReadingBoard* board = view.board();
    QVERIFY(board);
    QCOMPARE(board->placed(), 3);
    QCOMPARE(view.panel()->block(), InterpretationView::Block::ritual);

    // Turn the first card with the button, the second on the board, the third again.
    click(&view, "nextButton");
    QCOMPARE(child<QLabel>(&view, "progress")->text(), QStringLiteral("1 de 3 cartas"));
    QVERIFY(board->element(0)->isSelected());
    QCOMPARE(view.panel()->block(), InterpretationView::Block::card);
    BoardElement* second = board->element(1);
    QTest::mouseClick(second, Qt::LeftButton, {}, centerIn(second, second->visualRect()));
    QCOMPARE(child<QLabel>(&view, "progress")->text(), QStringLiteral("2 de 3 cartas"));
    click(&view, "nextButton");
    QCOMPARE(child<QLabel>(&view, "progress")->text(), QStringLiteral("3 de 3 cartas"));
    QCOMPARE(view.panel()->cardIndex(), 2);

    // Complete: the buttons change, the save button appears, the hint changes.
    QVERIFY(!shown(&view, "nextButton") && !shown(&view, "allButton"));
    QVERIFY(shown(&view, "synthesisButton") && shown(&view, "exportButton"));
    QCOMPARE(child<QLabel>(&view, "hint")->text(),
             QStringLiteral("Pulsa cualquier carta para leer su posición."));
    QCOMPARE(child<ActionButton>(&view, "saveButton")->text(), QStringLiteral("Guardar tirada"));

    click(&view, "synthesisButton");
    QCOMPARE(table.store->selectedIndex(), std::nullopt);
    QCOMPARE(view.panel()->block(), InterpretationView::Block::synthesis);
    view.panel()->notebook()->setFocus();
    type(view.panel()->notebook(), QStringLiteral("Me quedo con la calma."));

    click(&view, "saveButton");
    QTRY_COMPARE(child<ActionButton>(&view, "saveButton")->text(), QStringLiteral("Guardada"));
    QCOMPARE(table.store->history().size(), 1);
    QCOMPARE(table.store->history().first().question, QStringLiteral("¿Hacia dónde miro ahora?"));
    QCOMPARE(table.store->history().first().topic, Topic::personal);
    QCOMPARE(table.store->history().first().notes, QStringLiteral("Me quedo con la calma."));
    QVERIFY(QFile::exists(table.statePath()));

    // Export through the save dialog.
    const QString target = table.dir.filePath(QStringLiteral("mi-tirada.txt"));
    table.saveDialog.answer(target);
    click(&view, "exportButton");
    QCOMPARE(table.saveDialog.requests(), 1);
    QCOMPARE(table.saveDialog.suggestions().first(),
             AppStore::exportFileName(*table.store->current()));
    QFile exported(target);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(exported.readAll());
    QCOMPARE(text, AppStore::text(*table.store->current()));
    QVERIFY(text.contains(QStringLiteral("Me quedo con la calma.")));
    QCOMPARE(table.store->error(), std::nullopt);
}

void TableViewTest::revealAllAndManualSaving()
{
    {
        Table table(false, true);
        TableView view(table.store.get());
        view.resize(1200, 800);
        view.show();
        table.store->restore(reading(Spread::cross, 1));
        table.store->setSelectedIndex(0);
        click(&view, "allButton");
        QCOMPARE(table.store->current()->revealed, 5);
        QCOMPARE(table.store->selectedIndex(), std::nullopt);
        QVERIFY(shown(&view, "synthesisButton") && shown(&view, "exportButton"));
        QCOMPARE(view.panel()->block(), InterpretationView::Block::synthesis);
        // Saved on its own: the button says so once it is written.
        QTRY_COMPARE(child<ActionButton>(&view, "saveButton")->text(), QStringLiteral("Guardada"));
        for (int i = 0; i < 5; ++i)
            QVERIFY(view.board()->element(i)->isRevealed());
    }
    {
        Table table(false, false);
        TableView view(table.store.get());
        view.resize(1200, 800);
        view.show();
        table.store->restore(reading(Spread::daily, 0));
        click(&view, "nextButton");
        QVERIFY(shown(&view, "saveButton"));
        QCOMPARE(child<ActionButton>(&view, "saveButton")->text(),
                 QStringLiteral("Guardar tirada"));
        QVERIFY(table.store->history().isEmpty());
        click(&view, "saveButton");
        QTRY_COMPARE(child<ActionButton>(&view, "saveButton")->text(), QStringLiteral("Guardada"));
        // Saving again keeps one entry.
        click(&view, "saveButton");
        QCOMPARE(table.store->history().size(), 1);
    }
}

void TableViewTest::questionIsQuotedPlainText()
{
    Table table;
    TableView view(table.store.get());
    view.resize(1200, 800);
    view.show();
    table.store->restore(reading(Spread::timeline, 0, false, 0, QStringLiteral("<b>hola</b>")));
    auto* question = child<ClampedLabel>(&view, "question");
    QVERIFY(question->isVisible());
    QCOMPARE(question->text(), QStringLiteral("“<b>hola</b>”"));
    QCOMPARE(question->textFormat(), Qt::PlainText);
    QCOMPARE(question->maxLines(), 3);
    // Shown as those very characters: the label is as wide as the plain text would be.
    const QFontMetricsF metrics(question->font());
    QVERIFY(question->sizeHint().width() >=
            int(metrics.horizontalAdvance(QStringLiteral("“<b>hola</b>”"))));

    // A long question stops after three lines.
    table.store->restore(reading(Spread::timeline, 0, false, 0, QString(400, QLatin1Char('x'))));
    QApplication::processEvents();
    QVERIFY(question->isElided());
    QVERIFY(question->height() <= int(3 * metrics.height()) + 1);

    // Without a question there is no quotation line.
    table.store->restore(reading(Spread::timeline, 0));
    QVERIFY(!question->isVisible());
    for (QLabel* label : view.findChildren<QLabel*>())
        QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
}

void TableViewTest::heightsFollowTheWindow()
{
    Table table;
    TableView view(table.store.get());
    view.resize(1200, 600);
    view.show();
    table.store->restore(reading(Spread::celtic, 0));
    QCOMPARE(view.board()->height(), 620);
    QCOMPARE(view.panel()->height(), 460);
    QCOMPARE(view.panel()->width(), 300);
    table.store->restore(reading(Spread::guidance, 0));
    QCOMPARE(view.board()->height(), 420);
    view.resize(1200, 1000);
    QCOMPARE(view.board()->height(), 795);
    QCOMPARE(view.panel()->height(), 860);
    table.store->restore(reading(Spread::celtic, 0));
    QCOMPARE(view.board()->height(), 795);
    table.store->newReading();
    QCOMPARE(view.preparation()->height(), 880);
    view.resize(1200, 600);
    QCOMPARE(view.preparation()->height(), 570);
}

void TableViewTest::everyReadingGetsAFreshBoard()
{
    Table table(true);
    TableView view(table.store.get());
    view.resize(1200, 800);
    view.show();
    const Reading first = reading(Spread::timeline, 3);
    table.store->restore(first);
    QPointer<ReadingBoard> board = view.board();
    QVERIFY(board);
    QCOMPARE(board->placed(), 1);
    view.completeAnimations();
    QCOMPARE(board->placed(), 3);
    for (int i = 0; i < 3; ++i)
        QVERIFY(board->element(i)->isRevealed());

    // Turning cards keeps the board; another reading gets a new one, dealt from the start.
    table.store->setSelectedIndex(1);
    QCOMPARE(view.board(), board.data());
    table.store->restore(reading(Spread::cross, 0, false, 7));
    QVERIFY(view.board() != board.data());
    QCOMPARE(view.board()->reading().spread, Spread::cross);
    QCOMPARE(view.board()->placed(), 1);
    QTRY_VERIFY(board.isNull());

    // Starting over leaves no board behind.
    table.store->newReading();
    QCOMPARE(view.board(), nullptr);
    QVERIFY(shown(&view, "preparation"));
}

void TableViewTest::failedExportKeepsTheReading()
{
    Table table;
    TableView view(table.store.get());
    view.resize(1200, 800);
    view.show();
    table.store->restore(reading(Spread::daily, 1));
    // A file in place of the folder: nothing can be written there.
    table.saveDialog.answer(table.dir.filePath(QStringLiteral("state.json/x.txt")));
    click(&view, "exportButton");
    QVERIFY(table.store->error().has_value());
    QVERIFY(table.store->error()->startsWith(QStringLiteral("No se pudo exportar")));
    QVERIFY(table.store->current().has_value());
    QVERIFY(shown(&view, "readingBody"));
    // Cancelling the dialog writes nothing and reports nothing.
    table.store->setError(std::nullopt);
    click(&view, "exportButton");
    QCOMPARE(table.saveDialog.requests(), 2);
    QCOMPARE(table.store->error(), std::nullopt);
}

QTEST_MAIN(TableViewTest)
#include "tst_table_view.moc"
