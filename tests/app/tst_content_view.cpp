#include "app/content_view.h"
#include "app/sheet.h"
#include "app/sidebar.h"
#include "support/fixtures.h"
#include "views/guide/guide_view.h"
#include "views/history/history_view.h"
#include "views/kit/lanuk_mark.h"
#include "views/pages/preferences_view.h"
#include "views/pages/sources_view.h"
#include "views/table/table_view.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

class ContentViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sidebarShowsHeaderSectionsAndFooter();
    void sectionIsBoundBothWays();
    void unknownSectionShowsTheTable();
    void welcomeSheetClosesOnlyThroughItsOwnControls();
    void preferencesSheetClosesNormally();
    void errorAlertShowsAndClears();
    void confirmationOnAFinishedUnsavedReading();
    void confirmationOnAnUnfinishedReading();
};

namespace {

// Shows a content view and lets it present what the store asks for.
void present(ContentView& view)
{
    view.resize(1280, 796);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
}

QStringList buttonTexts(const QMessageBox* box)
{
    QStringList texts;
    for (const QAbstractButton* button : box->buttons())
        texts.append(button->text());
    return texts;
}

QLabel* labelWithText(QWidget* parent, const QString& text)
{
    for (QLabel* label : parent->findChildren<QLabel*>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

} // namespace

void ContentViewTest::sidebarShowsHeaderSectionsAndFooter()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    ContentView view(store.get());
    present(view);

    QCOMPARE(view.minimumSize(), QSize(1040, 560));
    Sidebar* sidebar = view.sidebar();
    QVERIFY(sidebar->width() >= 210 && sidebar->width() <= 260);
    QCOMPARE(sidebar->width(), 230);

    auto* mark = sidebar->findChild<LanukMark*>();
    QVERIFY(mark);
    QCOMPARE(mark->markSize(), 40);
    QVERIFY(labelWithText(sidebar, QStringLiteral("Arcandel")));
    QVERIFY(labelWithText(sidebar, QStringLiteral("Tu espacio de reflexión")));
    QLabel* deck = labelWithText(sidebar, QStringLiteral("MARSELLA · QUINTREL"));
    QVERIFY(deck);
    QCOMPARE(deck->font().pixelSize(), 9);
    QCOMPARE(deck->font().weight(), QFont::DemiBold);
    // Qt keeps letter spacing in 1/64 px steps.
    QVERIFY(qAbs(deck->font().letterSpacing() - 1.3) < 1.0 / 64);
    QCOMPARE(deck->font().letterSpacingType(), QFont::AbsoluteSpacing);

    QListWidget* list = sidebar->list();
    QCOMPARE(list->count(), 4);
    const QStringList titles = {QStringLiteral("Mesa de lectura"), QStringLiteral("Mis tiradas"),
                                QStringLiteral("Los 22 arcanos"),
                                QStringLiteral("Métodos y fuentes")};
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(list->item(row)->text(), titles[row]);
        QVERIFY(!list->item(row)->icon().isNull());
    }

    // The footer button and the toolbar's "Configuración" both open the preferences.
    QCOMPARE(sidebar->settingsButton()->text(), QStringLiteral("Configuración de la tirada"));
    sidebar->settingsButton()->click();
    QVERIFY(store->showPreferences());
    store->setShowPreferences(false);
    QCOMPARE(view.settingsAction()->text(), QStringLiteral("Configuración"));
    QVERIFY(view.settingsAction()->shortcut().isEmpty());
    view.settingsAction()->trigger();
    QVERIFY(store->showPreferences());
}

void ContentViewTest::sectionIsBoundBothWays()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    ContentView view(store.get());
    present(view);
    QListWidget* list = view.sidebar()->list();

    QCOMPARE(list->currentRow(), 0);
    QVERIFY(qobject_cast<TableView*>(view.detail()));

    // Choosing a row sets the store's section and shows its screen.
    const QList<QPair<QString, ContentView::Detail>> rows = {
        {QStringLiteral("historial"), ContentView::Detail::history},
        {QStringLiteral("guia"), ContentView::Detail::guide},
        {QStringLiteral("fuentes"), ContentView::Detail::sources},
        {QStringLiteral("mesa"), ContentView::Detail::table},
    };
    const QList<int> order = {1, 2, 3, 0};
    for (int i = 0; i < order.size(); ++i) {
        const QRect place = list->visualItemRect(list->item(order[i]));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
        QCOMPARE(store->section(), rows[i].first);
        QCOMPARE(view.detailKind(), rows[i].second);
    }
    QVERIFY(qobject_cast<TableView*>(view.detail()));

    // Setting the store's section moves the selection and the detail.
    store->setSection(QStringLiteral("guia"));
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(qobject_cast<GuideView*>(view.detail()));
    store->setSection(QStringLiteral("historial"));
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(qobject_cast<HistoryView*>(view.detail()));
    store->setSection(QStringLiteral("fuentes"));
    QVERIFY(qobject_cast<SourcesView*>(view.detail()));

    // Each visit builds the screen afresh; the old one is released.
    QPointer<QWidget> sources = view.detail();
    store->setSection(QStringLiteral("guia"));
    store->setSection(QStringLiteral("fuentes"));
    QVERIFY(view.detail() != nullptr);
    QTRY_VERIFY(sources.isNull());
}

void ContentViewTest::unknownSectionShowsTheTable()
{
    QCOMPARE(ContentView::detailFor(QStringLiteral("mesa")), ContentView::Detail::table);
    QCOMPARE(ContentView::detailFor(QString()), ContentView::Detail::table);
    QCOMPARE(ContentView::detailFor(QStringLiteral("Historial")), ContentView::Detail::table);
    QCOMPARE(ContentView::detailFor(QStringLiteral("ajustes")), ContentView::Detail::table);

    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    ContentView view(store.get());
    present(view);
    store->setSection(QStringLiteral("historial"));
    store->setSection(QStringLiteral("desconocida"));
    QVERIFY(qobject_cast<TableView*>(view.detail()));
    // No row stands for an unknown key, and the store keeps the key it was given.
    QVERIFY(view.sidebar()->list()->selectedItems().isEmpty());
    QCOMPARE(store->section(), QStringLiteral("desconocida"));
    // From there a row can be chosen again.
    QListWidget* list = view.sidebar()->list();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(store->section(), QStringLiteral("mesa"));
}

void ContentViewTest::welcomeSheetClosesOnlyThroughItsOwnControls()
{
    QTemporaryDir dir;
    // A first start: no state file yet.
    AppStore store(dir.filePath(QStringLiteral("state.json")), false);
    QVERIFY(store.showSetup());
    ContentView view(&store);
    present(view);

    QTRY_VERIFY(view.welcomeSheet() && view.welcomeSheet()->isVisible());
    Sheet* sheet = view.welcomeSheet();
    QVERIFY(!sheet->dismissible());
    QCOMPARE(sheet->windowModality(), Qt::WindowModal);
    auto* form = qobject_cast<PreferencesView*>(sheet->content());
    QVERIFY(form);

    // Escape, the dialog's reject and a close request from the window manager all fail.
    QTest::keyClick(sheet, Qt::Key_Escape);
    QCoreApplication::processEvents();
    QVERIFY(sheet->isVisible());
    sheet->reject();
    QVERIFY(sheet->isVisible());
    QCloseEvent close;
    QCoreApplication::sendEvent(sheet, &close);
    QCoreApplication::processEvents();
    QVERIFY(sheet->isVisible());
    QVERIFY(store.showSetup());
    QVERIFY(!(sheet->windowFlags() & Qt::WindowCloseButtonHint));

    // The preferences wait for the welcome sheet: one sheet at a time.
    store.setShowPreferences(true);
    QVERIFY(!view.preferencesSheet());

    // Its own confirmation (the store's apply) ends it, and then the preferences open.
    QPointer<Sheet> watched = sheet;
    store.apply(store.preferences());
    QVERIFY(!store.showSetup());
    QVERIFY(!view.welcomeSheet());
    QTRY_VERIFY(watched.isNull());
    // apply also closes the preferences request, so nothing else opens.
    QVERIFY(!view.preferencesSheet());
}

void ContentViewTest::preferencesSheetClosesNormally()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    ContentView view(store.get());
    present(view);
    QVERIFY(!view.welcomeSheet());

    store->setShowPreferences(true);
    QTRY_VERIFY(view.preferencesSheet() && view.preferencesSheet()->isVisible());
    Sheet* sheet = view.preferencesSheet();
    QVERIFY(sheet->dismissible());
    QVERIFY(qobject_cast<PreferencesView*>(sheet->content()));

    // Escape closes it, and the store hears of it.
    QTest::keyClick(sheet, Qt::Key_Escape);
    QTRY_VERIFY(!store->showPreferences());
    QVERIFY(!view.preferencesSheet());

    // Opening again builds a new sheet (a fresh draft).
    QPointer<Sheet> first = sheet;
    store->setShowPreferences(true);
    QTRY_VERIFY(view.preferencesSheet());
    QVERIFY(view.preferencesSheet() != first.data() || first.isNull());

    // The window manager's close button closes it too.
    view.preferencesSheet()->close();
    QTRY_VERIFY(!store->showPreferences());

    // The store closing it (the sheet's own buttons) takes it away.
    store->setShowPreferences(true);
    QTRY_VERIFY(view.preferencesSheet());
    QPointer<Sheet> third = view.preferencesSheet();
    store->setShowPreferences(false);
    QVERIFY(!view.preferencesSheet());
    QTRY_VERIFY(third.isNull());
}

void ContentViewTest::errorAlertShowsAndClears()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    ContentView view(store.get());
    present(view);
    QVERIFY(!view.errorAlert());

    const QString message = QStringLiteral("No se pudo leer <b>estado</b> & compañía.");
    store->setError(message);
    QTRY_VERIFY(view.errorAlert() && view.errorAlert()->isVisible());
    QMessageBox* alert = view.errorAlert();
    QCOMPARE(alert->text(), QStringLiteral("No se pudo completar la operación"));
    QCOMPARE(alert->informativeText(), message);
    // Shown literally, never as markup.
    QCOMPARE(alert->textFormat(), Qt::PlainText);
    auto* informative = alert->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
    QVERIFY(informative);
    QCOMPARE(informative->textFormat(), Qt::PlainText);
    QCOMPARE(buttonTexts(alert), QStringList{QStringLiteral("Entendido")});

    // A new message while the alert is open replaces the text.
    store->setError(QStringLiteral("Otro fallo."));
    QCOMPARE(view.errorAlert(), alert);
    QCOMPARE(alert->informativeText(), QStringLiteral("Otro fallo."));

    // "Entendido" clears the error.
    alert->buttons().first()->click();
    QTRY_VERIFY(!store->error());
    QVERIFY(!view.errorAlert());

    // Any other dismissal (Escape) clears it too.
    store->setError(QStringLiteral("Tercer fallo."));
    QTRY_VERIFY(view.errorAlert() && view.errorAlert()->isVisible());
    QTest::keyClick(view.errorAlert(), Qt::Key_Escape);
    QTRY_VERIFY(!store->error());

    // The store clearing the error closes an open alert.
    store->setError(QStringLiteral("Cuarto fallo."));
    QTRY_VERIFY(view.errorAlert());
    QPointer<QMessageBox> open = view.errorAlert();
    store->setError(std::nullopt);
    QVERIFY(!view.errorAlert());
    QTRY_VERIFY(open.isNull());
}

void ContentViewTest::confirmationOnAFinishedUnsavedReading()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    ContentView view(store.get());
    present(view);

    const auto finishedReading = [&] {
        Fixtures::deal(*store, Spread::timeline);
        store->revealAll();
        store->requestNew();
        QVERIFY(store->showNewConfirmation());
        QTRY_VERIFY(view.newConfirmation() && view.newConfirmation()->isVisible());
    };

    // "Continuar esta tirada": nothing changes.
    finishedReading();
    QMessageBox* box = view.newConfirmation();
    QCOMPARE(box->text(), QStringLiteral("¿Empezar una nueva tirada?"));
    QCOMPARE(box->informativeText(),
             QStringLiteral("Esta tirada todavía no está guardada. Tus tiradas anteriores se "
                            "conservarán."));
    auto* save = box->findChild<QPushButton*>(QStringLiteral("saveAndStart"));
    auto* discard = box->findChild<QPushButton*>(QStringLiteral("discardAndStart"));
    auto* keep = box->findChild<QPushButton*>(QStringLiteral("continueReading"));
    QVERIFY(save && discard && keep);
    QCOMPARE(save->text(), QStringLiteral("Guardar y empezar"));
    QCOMPARE(discard->text(), QStringLiteral("Descartar y empezar"));
    QCOMPARE(keep->text(), QStringLiteral("Continuar esta tirada"));
    QCOMPARE(box->buttonRole(save), QMessageBox::AcceptRole);
    QCOMPARE(box->buttonRole(discard), QMessageBox::DestructiveRole);
    QCOMPARE(box->buttonRole(keep), QMessageBox::RejectRole);
    const Reading onTable = *store->current();
    keep->click();
    QTRY_VERIFY(!store->showNewConfirmation());
    QCOMPARE(store->current(), std::optional<Reading>(onTable));
    QCOMPARE(store->phase(), AppStore::Phase::reading);
    QVERIFY(store->history().isEmpty());

    // Escape is the same as continuing.
    store->requestNew();
    QTRY_VERIFY(view.newConfirmation() && view.newConfirmation()->isVisible());
    QTest::keyClick(view.newConfirmation(), Qt::Key_Escape);
    QTRY_VERIFY(!store->showNewConfirmation());
    QCOMPARE(store->current(), std::optional<Reading>(onTable));

    // "Guardar y empezar": the reading goes into the history, the table back to preparing.
    store->requestNew();
    QTRY_VERIFY(view.newConfirmation() && view.newConfirmation()->isVisible());
    view.newConfirmation()->findChild<QPushButton*>(QStringLiteral("saveAndStart"))->click();
    QTRY_VERIFY(!store->showNewConfirmation());
    QTRY_COMPARE(store->history().size(), 1);
    QCOMPARE(store->history().first().id, onTable.id);
    QVERIFY(!store->current());
    QCOMPARE(store->phase(), AppStore::Phase::prepare);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("state.json"))));

    // "Descartar y empezar" on another finished reading: history unchanged.
    finishedReading();
    view.newConfirmation()->findChild<QPushButton*>(QStringLiteral("discardAndStart"))->click();
    QTRY_VERIFY(!store->showNewConfirmation());
    QCOMPARE(store->history().size(), 1);
    QVERIFY(!store->current());
    QCOMPARE(store->phase(), AppStore::Phase::prepare);
}

void ContentViewTest::confirmationOnAnUnfinishedReading()
{
    QTemporaryDir dir;
    auto store = Fixtures::quietStore(dir);
    ContentView view(store.get());
    present(view);

    Fixtures::deal(*store, Spread::cross);
    store->reveal(0);
    store->setSection(QStringLiteral("guia"));
    store->requestNew();
    QTRY_VERIFY(view.newConfirmation() && view.newConfirmation()->isVisible());
    QMessageBox* box = view.newConfirmation();
    // An unfinished reading cannot be saved: two choices only.
    QCOMPARE(box->buttons().size(), 2);
    QVERIFY(!box->findChild<QPushButton*>(QStringLiteral("saveAndStart")));
    QVERIFY(buttonTexts(box).contains(QStringLiteral("Descartar y empezar")));
    QVERIFY(buttonTexts(box).contains(QStringLiteral("Continuar esta tirada")));

    box->findChild<QPushButton*>(QStringLiteral("discardAndStart"))->click();
    QTRY_VERIFY(!store->showNewConfirmation());
    QVERIFY(!store->current());
    QCOMPARE(store->section(), QStringLiteral("mesa"));
    QVERIFY(qobject_cast<TableView*>(view.detail()));
    QVERIFY(store->history().isEmpty());

    // The store withdrawing the question closes the dialog without acting.
    Fixtures::deal(*store, Spread::daily);
    store->requestNew();
    QTRY_VERIFY(view.newConfirmation());
    QPointer<QMessageBox> open = view.newConfirmation();
    store->setShowNewConfirmation(false);
    QTRY_VERIFY(open.isNull());
    QVERIFY(store->current());
}

QTEST_MAIN(ContentViewTest)
#include "tst_content_view.moc"
