#include "app/main_window.h"
#include "app/menu_commands.h"
#include "support/fixtures.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

using namespace Fixtures;

namespace {

// "text|shortcut" per item, "-" for a separator.
QStringList itemsOf(const QMenu* menu)
{
    QStringList items;
    for (const QAction* action : menu->actions())
        items << (action->isSeparator()
                      ? QStringLiteral("-")
                      : action->text() + QLatin1Char('|') + action->shortcut().toString());
    return items;
}

} // namespace

class MenuCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menusListTheirItemsInOrder()
    {
        Table table;
        QMenuBar bar;
        MenuCommands commands(table.store.get());
        commands.install(&bar);
        QStringList titles;
        for (QAction* action : bar.actions())
            titles << action->text().remove(QLatin1Char('&'));
        QCOMPARE(titles, QStringList({QStringLiteral("Archivo"), QStringLiteral("Tirada")}));
        QCOMPARE(
            itemsOf(bar.actions()[0]->menu()),
            QStringList({QStringLiteral("Nueva tirada|Ctrl+N"),
                         QStringLiteral("Configuración de la tirada…|Ctrl+,"), QStringLiteral("-"),
                         QStringLiteral("Exportar cuaderno…|Ctrl+Shift+E"),
                         QStringLiteral("Importar…|"), QStringLiteral("Restaurar una copia…|"),
                         QStringLiteral("-"), QStringLiteral("Salir|Ctrl+Q")}));
        QCOMPARE(itemsOf(bar.actions()[1]->menu()),
                 QStringList({QStringLiteral("Descubrir siguiente carta|"),
                              QStringLiteral("Descubrir todas|"), QStringLiteral("-"),
                              QStringLiteral("Guardar tirada|Ctrl+S"),
                              QStringLiteral("Exportar lectura…|Ctrl+E"),
                              QStringLiteral("Exportar como PDF…|"),
                              QStringLiteral("Imprimir…|Ctrl+P")}));
    }

    void enablingFollowsTheReading_data()
    {
        QTest::addColumn<int>("cards"); // cards of a reading on the table, -1 for none
        QTest::addColumn<int>("revealed");
        QTest::addColumn<bool>("turning"); // "Descubrir siguiente carta" and "Descubrir todas"
        QTest::newRow("no reading") << -1 << 0 << false;
        QTest::newRow("all face down") << 5 << 0 << true;
        QTest::newRow("two face up") << 5 << 2 << true;
        QTest::newRow("complete") << 5 << 5 << false;
        QTest::newRow("one card, complete") << 1 << 1 << false;
    }

    void enablingFollowsTheReading()
    {
        QFETCH(int, cards);
        QFETCH(int, revealed);
        QFETCH(bool, turning);
        Table table;
        MenuCommands commands(table.store.get());
        if (cards > 0)
            table.store->restore(dealt(cards == 5 ? Spread::cross : Spread::daily, revealed));
        const bool complete = cards > 0 && revealed == cards;
        QCOMPARE(commands.revealNext()->isEnabled(), turning);
        QCOMPARE(commands.revealAll()->isEnabled(), turning);
        QCOMPARE(commands.save()->isEnabled(), complete);
        QCOMPARE(commands.exportReading()->isEnabled(), complete);
        // A page of the reading (PDF, paper) is offered exactly when its text export is.
        QCOMPARE(commands.exportPdf()->isEnabled(), complete);
        QCOMPARE(commands.print()->isEnabled(), complete);
        // The journal can go out once it holds a reading; anything can come in.
        QVERIFY(!commands.exportJournal()->isEnabled() && commands.importJournal()->isEnabled());
        QVERIFY(commands.newReading()->isEnabled() && commands.preferences()->isEnabled());
    }

    void commandsActOnTheStore()
    {
        Table table;
        AppStore& store = *table.store;
        MainWindow window(&store);
        MenuCommands& commands = *window.findChild<MenuCommands*>();
        // The toolbar's "Nueva tirada" is the menu's own action, so Ctrl+N is not ambiguous.
        QVERIFY(window.findChild<QToolBar*>()->actions().contains(commands.newReading()));
        deal(store, Spread::cross);
        store.reveal(0);
        store.reveal(1);
        store.setSelectedIndex(0); // looking back does not change which card turns next
        commands.revealNext()->trigger();
        QCOMPARE(store.current()->revealed, 3);
        commands.newReading()->trigger(); // an unfinished reading asks first
        QVERIFY(store.showNewConfirmation() && store.current());
        commands.preferences()->trigger();
        QVERIFY(store.showPreferences());
        window.show();
        commands.quit()->trigger();
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(MenuCommandsTest)
#include "tst_menu_commands.moc"
