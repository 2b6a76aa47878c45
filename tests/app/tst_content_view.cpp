#include "app/content_view.h"
#include "app/main_window.h"
#include "app/sheet.h"
#include "app/sidebar.h"
#include "store/backups.h"
#include "support/fixtures.h"
#include "views/pages/preferences_view.h"
#include "views/pages/restore_view.h"
#include "views/table/reading_board.h"
#include "views/table/table_view.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

using namespace Fixtures;
using Detail = ContentView::Detail;

namespace {

// A shown content view over a store past onboarding.
struct Shown {
    Table table;
    ContentView view{table.store.get()};
    AppStore& store = *table.store;
    Shown()
    {
        view.resize(1280, 796);
        view.show();
    }
};

QStringList buttonTexts(const QMessageBox* box)
{
    QStringList texts;
    for (const QAbstractButton* button : box->buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

QPushButton* named(QMessageBox* box, const char* name)
{
    return box->findChild<QPushButton*>(QLatin1String(name));
}

} // namespace

class ContentViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sidebarChoosesTheSectionBothWays()
    {
        Shown shown;
        QCOMPARE(shown.view.minimumSize(), QSize(1040, 560));
        QListWidget* list = shown.view.sidebar()->list();
        const QStringList titles = {QStringLiteral("Mesa de lectura"),
                                    QStringLiteral("Mis tiradas"), QStringLiteral("Los 22 arcanos"),
                                    QStringLiteral("Patrones"),
                                    QStringLiteral("Métodos y fuentes")};
        const QStringList keys = {QStringLiteral("mesa"), QStringLiteral("historial"),
                                  QStringLiteral("guia"), QStringLiteral("patrones"),
                                  QStringLiteral("fuentes")};
        const QList<Detail> details = {Detail::table, Detail::history, Detail::guide,
                                       Detail::patterns, Detail::sources};
        QCOMPARE(list->count(), 5);
        for (const int row : {1, 2, 3, 4, 0}) {
            QCOMPARE(list->item(row)->text(), titles[row]);
            QVERIFY(!list->item(row)->icon().isNull());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row)).center());
            QCOMPARE(shown.store.section(), keys[row]);
            QCOMPARE(shown.view.detailKind(), details[row]);
            shown.store.setSection(keys[(row + 2) % 5]);
            QCOMPARE(list->currentRow(), (row + 2) % 5);
            QCOMPARE(shown.view.detailKind(), details[(row + 2) % 5]);
        }
        // Any other key shows the table, with no row selected and the key kept.
        shown.store.setSection(QStringLiteral("Historial"));
        QCOMPARE(shown.view.detailKind(), Detail::table);
        QVERIFY(list->selectedItems().isEmpty());
        QCOMPARE(shown.store.section(), QStringLiteral("Historial"));
        // The footer's button and the toolbar's item open the preferences.
        shown.view.sidebar()->settingsButton()->click();
        QVERIFY(shown.store.showPreferences());
        shown.store.setShowPreferences(false);
        shown.view.settingsAction()->trigger();
        QVERIFY(shown.store.showPreferences());
    }

    void readingButtonsStayInViewAtTheUsualSize()
    {
        Table table;
        MainWindow window(table.store.get());
        window.show();
        auto* view = window.findChild<TableView*>();
        auto* scroll = child<QScrollArea>(view, "tableScroll");
        // A question as long as the table shows (three lines) takes its room from the board.
        table.store->restore(dealt(Spread::celtic, 0, 0, QString(400, QLatin1Char('x'))));
        QWidget* next = child(view, "nextButton");
        QVERIFY(scroll->viewport()->rect().contains(
            QRect(next->mapTo(scroll->viewport(), QPoint()), next->size())));
        table.store->restore(dealt(Spread::celtic, 0));
        QCOMPARE(view->board()->height(), std::max(620, view->height() - 205));
    }

    void welcomeSheetClosesOnlyThroughItsOwnControls()
    {
        QTemporaryDir dir;
        AppStore store(dir.filePath(QStringLiteral("state.json"))); // a first start
        ContentView view(&store);
        view.show();
        QTRY_VERIFY(view.welcomeSheet() && view.welcomeSheet()->isVisible());
        Sheet* sheet = view.welcomeSheet();
        QVERIFY(qobject_cast<PreferencesView*>(sheet->content()));
        // Escape, the dialog's reject and a close request from the window manager all fail.
        QTest::keyClick(sheet, Qt::Key_Escape);
        sheet->reject();
        QCloseEvent close;
        QCoreApplication::sendEvent(sheet, &close);
        QCoreApplication::processEvents();
        QVERIFY(sheet->isVisible() && store.showSetup());
        QVERIFY(!(sheet->windowFlags() & Qt::WindowCloseButtonHint));
        // One sheet at a time: the preferences wait for the welcome sheet.
        store.setShowPreferences(true);
        QVERIFY(!view.preferencesSheet());
        // Its own confirmation (the store's apply) ends it.
        store.apply(store.preferences());
        QVERIFY(!view.welcomeSheet() && !view.preferencesSheet());
    }

    void sheetsAndAlertsFollowTheStore()
    {
        Shown shown;
        // The preferences sheet closes in the usual ways, and the store hears of it.
        shown.store.setShowPreferences(true);
        QTRY_VERIFY(shown.view.preferencesSheet() && shown.view.preferencesSheet()->isVisible());
        QTest::keyClick(shown.view.preferencesSheet(), Qt::Key_Escape);
        QTRY_VERIFY(!shown.store.showPreferences() && !shown.view.preferencesSheet());
        // The error alert shows the message literally; any way of closing it clears it.
        const QString message = QStringLiteral("No se pudo leer <b>estado</b> & compañía.");
        shown.store.setError(message);
        QTRY_VERIFY(shown.view.errorAlert() && shown.view.errorAlert()->isVisible());
        QMessageBox* alert = shown.view.errorAlert();
        QCOMPARE(alert->text(), QStringLiteral("No se pudo completar la operación"));
        QCOMPARE(alert->informativeText(), message);
        QVERIFY(plainLabels(alert));
        QCOMPARE(buttonTexts(alert), QStringList{QStringLiteral("Entendido")});
        QTest::keyClick(alert, Qt::Key_Escape);
        QTRY_VERIFY(!shown.store.error() && !shown.view.errorAlert());
        shown.store.setError(QStringLiteral("Otro fallo."));
        QTRY_VERIFY(shown.view.errorAlert());
        shown.store.setError(std::nullopt); // the store clearing it closes the alert
        QVERIFY(!shown.view.errorAlert());
    }

    void newReadingConfirmation()
    {
        Shown shown;
        AppStore& store = shown.store;
        const auto ask = [&](bool finished) {
            deal(store, Spread::timeline);
            if (finished)
                store.revealAll();
            store.requestNew();
            (void)QTest::qWaitFor([&] { return shown.view.newConfirmation() != nullptr; });
            return shown.view.newConfirmation();
        };
        QMessageBox* box = ask(true);
        QCOMPARE(box->text(), QStringLiteral("¿Empezar una nueva tirada?"));
        QCOMPARE(box->informativeText(), QStringLiteral("Esta tirada todavía no está guardada. Tus "
                                                        "tiradas anteriores se conservarán."));
        QCOMPARE(buttonTexts(box), QStringList({QStringLiteral("Continuar esta tirada"),
                                                QStringLiteral("Descartar y empezar"),
                                                QStringLiteral("Guardar y empezar")}));
        QCOMPARE(box->buttonRole(named(box, "discardAndStart")), QMessageBox::DestructiveRole);
        QCOMPARE(box->buttonRole(named(box, "continueReading")), QMessageBox::RejectRole);
        // Continuing (or Escape) leaves the reading as it was.
        const Reading onTable = *store.current();
        QTest::keyClick(box, Qt::Key_Escape);
        QTRY_VERIFY(!store.showNewConfirmation());
        QCOMPARE(store.current(), std::optional<Reading>(onTable));
        // "Guardar y empezar": into the history, the table back to preparing.
        store.requestNew();
        QTRY_VERIFY(shown.view.newConfirmation());
        named(shown.view.newConfirmation(), "saveAndStart")->click();
        QTRY_VERIFY(!store.showNewConfirmation());
        QTRY_COMPARE(store.history().size(), 1);
        QCOMPARE(store.history().first().id, onTable.id);
        QCOMPARE(store.phase(), AppStore::Phase::prepare);
        // An unfinished reading cannot be saved: two choices; discarding keeps the history.
        store.setSection(QStringLiteral("guia"));
        box = ask(false);
        QCOMPARE(buttonTexts(box), QStringList({QStringLiteral("Continuar esta tirada"),
                                                QStringLiteral("Descartar y empezar")}));
        named(box, "discardAndStart")->click();
        QTRY_VERIFY(!store.showNewConfirmation());
        QVERIFY(!store.current());
        QCOMPARE(store.history().size(), 1);
        QCOMPARE(shown.view.detailKind(), Detail::table);
    }

    void recoveryAndRestoreFromTheWindow()
    {
        // A journal with one good reading and one with a card that does not exist.
        QTemporaryDir dir;
        const Reading good =
            reading(QStringLiteral("¿Sigue aquí?"), {}, Spread::daily, {{3, false}});
        const QString path =
            writeState(dir, {good, reading({}, {}, Spread::daily, {{22, false}})}, settled());
        AppStore store(path);
        ContentView view(&store);
        view.show();
        QTRY_VERIFY(view.errorAlert() && view.errorAlert()->isVisible());
        QVERIFY(view.errorAlert()->informativeText().contains(*store.recoveryCopy()));
        named(view.errorAlert(), "recover")->click();
        QTRY_VERIFY(view.noticeAlert() && view.noticeAlert()->isVisible());
        QCOMPARE(view.noticeAlert()->text(), QStringLiteral("Tiradas recuperadas"));
        QCOMPARE(store.history(), QList<Reading>{good});
        view.noticeAlert()->buttons().first()->click();
        // A copy that cannot be read is listed, and cannot be chosen.
        QVERIFY(store.flush());
        const QString copies = Backups::folder(path) + QLatin1Char('/');
        QDir().mkpath(copies);
        QVERIFY(QFile::copy(path, copies + QStringLiteral("state-2024-01-01.json")));
        QFile damaged(copies + QStringLiteral("state-2024-01-02.json"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("{") == 1);
        damaged.close();
        store.setShowRestore(true);
        QTRY_VERIFY(view.restoreSheet() && view.restoreSheet()->isVisible());
        auto* restore = qobject_cast<RestoreView*>(view.restoreSheet()->content());
        QCOMPARE(restore->findChild<QListWidget*>()->count(), 2);
        QCOMPARE(restore->findChild<QListWidget*>()->item(0)->flags(), Qt::NoItemFlags);
        restore->findChild<QListWidget*>()->setCurrentRow(1);
        restore->findChild<QPushButton*>(QStringLiteral("restoreButton"))->click();
        QTRY_VERIFY(!view.restoreSheet());
        QTRY_VERIFY(view.noticeAlert() &&
                    view.noticeAlert()->text() == QStringLiteral("Copia restaurada"));
    }
};

QTEST_MAIN(ContentViewTest)
#include "tst_content_view.moc"
