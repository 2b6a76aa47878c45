#include "app/main_window.h"
#include "app/menu_commands.h"
#include "support/fixtures.h"
#include "support/recording_services.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

class MenuCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menusListTheirItemsInOrder();
    void enablingFollowsTheReading();
    void revealNextTurnsTheNextFaceDownCard();
    void saveAndExportActOnCompleteReadings();
    void newReadingAndPreferences();
    void quitClosesTheWindow();
};

namespace {

struct Item {
    QString text;
    QKeySequence shortcut;
    bool separator = false;
};

QList<Item> itemsOf(const QMenu* menu)
{
    QList<Item> items;
    for (const QAction* action : menu->actions())
        items.append({action->text(), action->shortcut(), action->isSeparator()});
    return items;
}

QMenu* menuTitled(QMenuBar* bar, const QString& title)
{
    for (QAction* action : bar->actions()) {
        if (action->menu() && action->text().remove(QLatin1Char('&')) == title)
            return action->menu();
    }
    return nullptr;
}

struct States {
    bool next, all, save, exportReading;
};

States states(const MenuCommands& commands)
{
    return {commands.revealNext()->isEnabled(), commands.revealAll()->isEnabled(),
            commands.save()->isEnabled(), commands.exportReading()->isEnabled()};
}

} // namespace

void MenuCommandsTest::menusListTheirItemsInOrder()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    QMenuBar bar;
    MenuCommands commands(store.get());
    commands.install(&bar);

    QCOMPARE(bar.actions().size(), 2);
    QMenu* file = menuTitled(&bar, QStringLiteral("Archivo"));
    QMenu* reading = menuTitled(&bar, QStringLiteral("Tirada"));
    QVERIFY(file);
    QVERIFY(reading);

    const QList<Item> fileItems = itemsOf(file);
    QCOMPARE(fileItems.size(), 4);
    QCOMPARE(fileItems[0].text, QStringLiteral("Nueva tirada"));
    QCOMPARE(fileItems[0].shortcut, QKeySequence(QStringLiteral("Ctrl+N")));
    QCOMPARE(fileItems[1].text, QStringLiteral("Configuración de la tirada…"));
    QCOMPARE(fileItems[1].shortcut, QKeySequence(QStringLiteral("Ctrl+,")));
    QVERIFY(fileItems[2].separator);
    QCOMPARE(fileItems[3].text, QStringLiteral("Salir"));
    QCOMPARE(fileItems[3].shortcut, QKeySequence(QStringLiteral("Ctrl+Q")));

    const QList<Item> readingItems = itemsOf(reading);
    QCOMPARE(readingItems.size(), 5);
    QCOMPARE(readingItems[0].text, QStringLiteral("Descubrir siguiente carta"));
    QVERIFY(readingItems[0].shortcut.isEmpty());
    QCOMPARE(readingItems[1].text, QStringLiteral("Descubrir todas"));
    QVERIFY(readingItems[1].shortcut.isEmpty());
    QVERIFY(readingItems[2].separator);
    QCOMPARE(readingItems[3].text, QStringLiteral("Guardar tirada"));
    QCOMPARE(readingItems[3].shortcut, QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(readingItems[4].text, QStringLiteral("Exportar lectura…"));
    QCOMPARE(readingItems[4].shortcut, QKeySequence(QStringLiteral("Ctrl+E")));

    // The always-available commands.
    QVERIFY(commands.newReading()->isEnabled());
    QVERIFY(commands.preferences()->isEnabled());
    QVERIFY(commands.quit()->isEnabled());
}

void MenuCommandsTest::enablingFollowsTheReading()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    MenuCommands commands(store.get());

    // No reading: all four disabled.
    States now = states(commands);
    QVERIFY(!now.next && !now.all && !now.save && !now.exportReading);
    // Triggering a disabled command through its slot does nothing either.
    commands.revealAll()->trigger();
    QVERIFY(!store->current());

    // Unfinished reading: only the turning commands.
    Fixtures::deal(*store);
    QVERIFY(store->current());
    now = states(commands);
    QVERIFY(now.next && now.all && !now.save && !now.exportReading);

    // Still unfinished with some cards up.
    store->reveal(0);
    store->reveal(1);
    now = states(commands);
    QVERIFY(now.next && now.all && !now.save && !now.exportReading);

    // Complete: only saving and exporting.
    store->revealAll();
    QVERIFY(store->current()->complete());
    now = states(commands);
    QVERIFY(!now.next && !now.all && now.save && now.exportReading);

    // Back to no reading.
    store->newReading();
    now = states(commands);
    QVERIFY(!now.next && !now.all && !now.save && !now.exportReading);

    // A complete reading restored from the history.
    Reading saved;
    saved.cards = {DrawnCard{3, false}, DrawnCard{4, true}, DrawnCard{5, false}};
    saved.revealed = 3;
    store->restore(saved);
    now = states(commands);
    QVERIFY(!now.next && !now.all && now.save && now.exportReading);

    // An unfinished one restored.
    saved.revealed = 1;
    store->restore(saved);
    now = states(commands);
    QVERIFY(now.next && now.all && !now.save && !now.exportReading);
}

void MenuCommandsTest::revealNextTurnsTheNextFaceDownCard()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    MenuCommands commands(store.get());
    Fixtures::deal(*store, Spread::cross);
    QCOMPARE(store->current()->cards.size(), 5);
    store->reveal(0);
    store->reveal(1);
    // Looking back at the first card does not change which card turns next.
    store->setSelectedIndex(0);

    commands.revealNext()->trigger();
    QCOMPARE(store->current()->revealed, 3);
    QCOMPARE(store->selectedIndex(), std::optional<int>(2));

    commands.revealAll()->trigger();
    QCOMPARE(store->current()->revealed, 5);
    QVERIFY(!store->selectedIndex());
    // Nothing more to turn: the command is off and does nothing if forced.
    QVERIFY(!commands.revealNext()->isEnabled());
    commands.revealNext()->trigger();
    QCOMPARE(store->current()->revealed, 5);
}

void MenuCommandsTest::saveAndExportActOnCompleteReadings()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    RecordingSaveDialog dialog;
    store->setSaveDialog(&dialog);
    MenuCommands commands(store.get());
    Fixtures::deal(*store, Spread::timeline);

    // Unfinished: neither saves nor asks where to export.
    commands.save()->trigger();
    commands.exportReading()->trigger();
    QVERIFY(store->history().isEmpty());
    QCOMPARE(dialog.requests(), 0);

    store->revealAll();
    commands.save()->trigger();
    QTRY_COMPARE(store->history().size(), 1);
    QCOMPARE(store->history().first().id, store->current()->id);

    const QString target = dir.filePath(QStringLiteral("lectura.txt"));
    dialog.answer(target);
    commands.exportReading()->trigger();
    QCOMPARE(dialog.requests(), 1);
    QVERIFY(dialog.suggestions().first().startsWith(QStringLiteral("Arcandel-")));
    QVERIFY(QFile::exists(target));
}

void MenuCommandsTest::newReadingAndPreferences()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    MenuCommands commands(store.get());

    commands.preferences()->trigger();
    QVERIFY(store->showPreferences());
    store->setShowPreferences(false);

    // With nothing on the table a new reading starts at once.
    store->setSection(QStringLiteral("guia"));
    commands.newReading()->trigger();
    QVERIFY(!store->showNewConfirmation());
    QCOMPARE(store->section(), QStringLiteral("mesa"));

    // An unfinished reading asks first and stays on the table.
    Fixtures::deal(*store);
    commands.newReading()->trigger();
    QVERIFY(store->showNewConfirmation());
    QVERIFY(store->current());
}

void MenuCommandsTest::quitClosesTheWindow()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    MainWindow window(store.get());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Arcandel"));
    QCOMPARE(window.size(), QSize(1280, 850));

    // The toolbar's "Nueva tirada" is the menu's own action, so Ctrl+N is not ambiguous.
    QVERIFY(window.toolBar()->actions().contains(window.commands()->newReading()));
    QVERIFY(!window.commands()->newReading()->icon().isNull());

    window.commands()->quit()->trigger();
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(MenuCommandsTest)
#include "tst_menu_commands.moc"
