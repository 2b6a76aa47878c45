#include "support/fixtures.h"
#include "views/history/history_delegate.h"
#include "views/history/history_filter_model.h"
#include "views/history/history_list_view.h"
#include "views/history/history_model.h"
#include "views/history/history_view.h"
#include "views/kit/date_text.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>

using Action = HistoryDelegate::Action;
using namespace Fixtures;

namespace {

const QString a = QStringLiteral("¿Cambiaré de trabajo?");
const QString b = QStringLiteral("Lectura general");
const QString c = QStringLiteral("Mi vínculo con Ana");

QList<Reading> sampleHistory()
{
    return {reading(a, {}, Spread::timeline, {{0, false}, {1, true}, {2, false}}),
            reading({}, QStringLiteral("Me sentí en calma"), Spread::daily, {{17, false}}, true),
            reading(c, QStringLiteral("revisar el viernes"), Spread::cross,
                    {{9, false}, {10, false}, {11, true}, {12, false}, {13, false}})};
}

// A shown history of the sample readings.
struct Shown : Table {
    HistoryView view{store.get()};
    Shown() : Table(sampleHistory())
    {
        view.resize(900, 700);
        view.show();
    }
    QRect rect(int row, Action action)
    {
        const QModelIndex index = view.filterModel()->index(row, 0);
        view.listView()->scrollTo(index);
        return view.listView()->historyDelegate()->actionRect(view.listView()->visualRect(index),
                                                              index, action);
    }
    void click(int row, Action action)
    {
        QTest::mouseClick(view.listView()->viewport(), Qt::LeftButton, {},
                          rect(row, action).center());
    }
};

QStringList shownRows(const HistoryView& view)
{
    QStringList rows;
    for (int row = 0; row < view.filterModel()->rowCount(); ++row)
        rows << view.filterModel()->index(row, 0).data(HistoryModel::QuestionRole).toString();
    return rows;
}

QPushButton* button(QMessageBox* box, const char* text)
{
    for (QAbstractButton* candidate : box->buttons()) {
        if (candidate->text() == QString::fromUtf8(text))
            return qobject_cast<QPushButton*>(candidate);
    }
    return nullptr;
}

} // namespace

class HistoryViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filterFollowsTheSearchRule_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("favorites");
        QTest::addColumn<QStringList>("rows");
        const auto row = [](const char* name, const char* search, const QStringList& rows,
                            bool favorites = false) {
            QTest::newRow(name) << QString::fromUtf8(search) << favorites << rows;
        };
        row("everything", "", {a, b, c});
        row("question in capitals", "TRABAJO", {a});
        row("card name", "LA ESTRELLA", {b});
        row("notes", "CALMA", {b});
        row("accent missing", "cambiare", {});
        row("accent in capitals", "CAMBIARÉ", {a});
        row("tilde missing", "ermitano", {});
        row("decomposed tilde", "ERMITAN\u0303O", {c});
        row("spread name", "cruz de cinco", {c});
        row("date not searched", "2024", {});
        row("one space", " ", {a, b, c});
        row("trailing space", "calma ", {b});
        row("two trailing spaces", "calma  ", {});
        row("favourites", "", {b}, true);
        row("favourites and search", "trabajo", {}, true);
    }

    void filterFollowsTheSearchRule()
    {
        QFETCH(QString, search);
        QFETCH(bool, favorites);
        QFETCH(QStringList, rows);
        Table table(sampleHistory());
        HistoryView view(table.store.get());
        view.setSearch(search);
        view.setFavoritesOnly(favorites);
        QCOMPARE(shownRows(view), rows);
        QCOMPARE(view.showsEmptyState(), rows.isEmpty());
        QCOMPARE(view.emptyTitle(), QStringLiteral("No hay tiradas que coincidan."));
    }

    void ownDeckAndFollowUpsShowAndAreSearched()
    {
        QList<Reading> history = sampleHistory();
        history[1].followUps = {FollowUp{QUuid::createUuid(), 1.0, QStringLiteral("Sin novedad")}};
        history[2].ownDeck = true;
        history[2].followUps = {
            FollowUp{QUuid::createUuid(), 2.0, QStringLiteral("Hablé con Marta")},
            FollowUp{QUuid::createUuid(), 3.0, QStringLiteral("Todo bien")}};
        Table table(history);
        HistoryView view(table.store.get());
        const QAbstractItemModel* rows = view.filterModel();
        QStringList counts;
        for (int row = 0; row < 3; ++row)
            counts << rows->index(row, 0).data(HistoryModel::FollowUpsRole).toString();
        QCOMPARE(counts, QStringList({QString(), QStringLiteral("1 seguimiento"),
                                      QStringLiteral("2 seguimientos")}));
        QVERIFY(rows->index(2, 0).data(HistoryModel::OwnDeckRole).toBool());
        QVERIFY(!rows->index(0, 0).data(HistoryModel::OwnDeckRole).toBool());
        QVERIFY(rows->index(2, 0)
                    .data(Qt::AccessibleTextRole)
                    .toString()
                    .endsWith(QStringLiteral(", Mi baraja, 2 seguimientos")));
        view.setSearch(QStringLiteral("MARTA"));
        QCOMPARE(shownRows(view), QStringList({c}));
    }

    void emptyHistoryOffersTheTable()
    {
        Table table;
        table.store->setSection(QStringLiteral("historial"));
        HistoryView view(table.store.get());
        QCOMPARE(view.emptyTitle(), QStringLiteral("Tu cuaderno comienza con una tirada."));
        QPushButton* toTable = view.findChild<QPushButton*>();
        QCOMPARE(toTable->text(), QStringLiteral("Ir a la mesa"));
        toTable->click();
        QCOMPARE(table.store->section(), QStringLiteral("mesa"));
    }

    void modelsFollowTheStore()
    {
        QList<Reading> history = sampleHistory();
        history << history.first(); // a duplicated identifier, as an edited file may hold
        Table table(history);
        AppStore& store = *table.store;
        HistoryModel model(&store);
        HistoryFilterModel filter;
        filter.setSourceModel(&model);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester filterTester(
            &filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        store.restore(reading(QStringLiteral("Nueva"), {}, Spread::daily, {{5, false}}));
        store.saveCurrent();
        QVERIFY(store.flush());
        store.updateNotes(QStringLiteral("Una nota"));
        store.toggleFavorite(store.history()[3].id);
        store.deleteReading(history.first().id); // both twins go
        store.deleteReading(QUuid::createUuid());
        QCOMPARE(model.rowCount(), store.history().size());
        for (int row = 0; row < model.rowCount(); ++row)
            QVERIFY(model.reading(row) == store.history()[row]);
        QCOMPARE(model.index(0).data(HistoryModel::NotesRole).toString(),
                 QStringLiteral("Una nota"));
        QCOMPARE(resets.count(), 0); // rows change in place: the list keeps its scroll position
        filter.setFavoritesOnly(true);
        filter.setSearch(QStringLiteral("calma"));
        QCOMPARE(filter.rowCount(), 1);
    }

    void deleteAsksFirst()
    {
        Shown shown;
        const QUuid target = shown.store->history()[2].id;
        const QByteArray before = fileBytes(shown.statePath());
        for (const char* answer : {"Escape", "Cancelar", "Eliminar tirada"}) {
            shown.click(2, Action::remove);
            QCOMPARE(shown.view.pendingDelete(), std::optional<QUuid>(target));
            QMessageBox* box = shown.view.deleteConfirmation();
            // Of a kind with the other confirmations: the question bold, the explanation below.
            QCOMPARE(box->windowTitle(), QStringLiteral("Arcandel"));
            QCOMPARE(box->text(), QStringLiteral("¿Eliminar esta tirada del historial?"));
            QVERIFY(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font().bold());
            QVERIFY(!box->informativeText().isEmpty() && plainLabels(box));
            QCOMPARE(box->buttonRole(button(box, "Eliminar tirada")), QMessageBox::DestructiveRole);
            QCOMPARE(box->buttonRole(button(box, "Cancelar")), QMessageBox::RejectRole);
            QCOMPARE(box->defaultButton(), button(box, "Cancelar"));
            if (button(box, answer))
                button(box, answer)->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
            QVERIFY(!shown.view.deleteConfirmation() && !shown.view.pendingDelete());
            QVERIFY(shown.store->flush());
            QCOMPARE(fileBytes(shown.statePath()) == before,
                     qstrcmp(answer, "Eliminar tirada") != 0);
        }
        QCOMPARE(shown.store->history().size(), 2);
        QVERIFY(!fileBytes(shown.statePath())
                     .contains(target.toString(QUuid::WithoutBraces).toUpper().toUtf8()));
    }

    void rowButtonsActOnTheirReading()
    {
        Shown shown;
        AppStore& store = *shown.store;
        shown.click(0, Action::favorite);
        QVERIFY(store.history()[0].favorite);
        // A press that leaves the button before its release does nothing.
        QWidget* viewport = shown.view.listView()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, shown.rect(0, Action::favorite).center());
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, shown.rect(0, Action::remove).center());
        QVERIFY(store.history()[0].favorite && !shown.view.deleteConfirmation());
        // Keyboard: Right moves to the star, Space presses it, Delete asks to delete.
        HistoryListView* list = shown.view.listView();
        list->setCurrentIndex(shown.view.filterModel()->index(1, 0));
        QTest::keyClick(list, Qt::Key_Right);
        QTest::keyClick(list, Qt::Key_Space);
        QVERIFY(!store.history()[1].favorite);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(shown.view.pendingDelete(), std::optional<QUuid>(store.history()[1].id));
        shown.view.deleteConfirmation()->reject();
        // Unmarking the last favourite while only favourites show empties the list.
        shown.view.setFavoritesOnly(true);
        shown.click(0, Action::favorite);
        QVERIFY(shown.view.showsEmptyState());
        shown.view.setFavoritesOnly(false);
        store.setSection(QStringLiteral("historial"));
        shown.click(2, Action::restore);
        QCOMPARE(*store.current(), store.history()[2]);
        QCOMPARE(store.section(), QStringLiteral("mesa"));
    }

    void rowButtonsAreThereForScreenReaders()
    {
        Shown shown;
        QAccessibleInterface* row =
            QAccessible::queryAccessibleInterface(shown.view.listView())->child(1);
        QCOMPARE(row->role(), QAccessible::ListItem);
        QVERIFY(row->text(QAccessible::Name).startsWith(QStringLiteral("Lectura general, ")));
        QStringList names;
        for (int i = 0; i < row->childCount(); ++i)
            names << row->child(i)->text(QAccessible::Name);
        QCOMPARE(names, QStringList({QStringLiteral("Volver a esta tirada"),
                                     QStringLiteral("Marcar como favorita"),
                                     QStringLiteral("Eliminar tirada")}));
        const auto press = [&](int button) {
            row->child(button)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        };
        press(1);
        QVERIFY(!shown.store->history()[1].favorite);
        press(2);
        QCOMPARE(shown.view.pendingDelete(), std::optional<QUuid>(shown.store->history()[1].id));
        shown.view.deleteConfirmation()->reject();
        press(0);
        QCOMPARE(*shown.store->current(), shown.store->history()[1]);
    }

    void datesAreSpanishWithoutSeconds()
    {
        const double date =
            ReferenceDate::fromDateTime(QDateTime(QDate(2024, 3, 12), QTime(18, 5, 30)));
        for (const QLocale& user : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                    QLocale(QLocale::Spanish, QLocale::Spain)})
            QCOMPARE(DateText::abbreviated(date, user), QStringLiteral("12 mar 2024, 18:05"));
        // A Spanish locale elsewhere keeps its own conventions.
        const QString mexico =
            DateText::abbreviated(date, QLocale(QLocale::Spanish, QLocale::Mexico));
        QVERIFY2(mexico.contains(QStringLiteral("mar")) && !mexico.contains(QStringLiteral(":30")),
                 qPrintable(mexico));
    }

    void userTextIsDrawnAsPlainText()
    {
        Table table({reading(QStringLiteral("<i>x</i>"), {}, Spread::daily, {{1, false}}),
                     reading(QStringLiteral("x"), {}, Spread::daily, {{1, false}})});
        HistoryView view(table.store.get());
        const auto ink = [&](int row) {
            QStyleOptionViewItem option;
            option.rect = QRect(0, 0, 800, 200);
            option.palette.setColor(QPalette::WindowText, Qt::black);
            QImage image(option.rect.size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            view.listView()->historyDelegate()->paint(&painter, option,
                                                      view.filterModel()->index(row, 0));
            int dark = 0;
            for (int i = 0; i < 200 * 16; ++i) // the question's line
                dark += qGray(image.pixel(170 + i % 200, 20 + i / 200)) < 128;
            return dark;
        };
        // The literal tags take far more room than a lone letter.
        QVERIFY(ink(0) > 4 * ink(1));
    }
};

QTEST_MAIN(HistoryViewTest)
#include "tst_history_view.moc"
