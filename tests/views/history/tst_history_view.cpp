#include "support/fixtures.h"
#include "views/history/history_delegate.h"
#include "views/history/history_filter_model.h"
#include "views/history/history_list_view.h"
#include "views/history/history_model.h"
#include "views/history/history_view.h"
#include "views/kit/typography.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextLayout>
#include <QToolTip>

using Action = HistoryDelegate::Action;
using Fixtures::reading;

namespace {

QList<Reading> sampleHistory()
{
    return {
        reading(QStringLiteral("¿Cambiaré de trabajo?"), {}, Spread::timeline,
                {{0, false}, {1, true}, {2, false}}),
        reading({}, QStringLiteral("Me sentí en calma"), Spread::daily, {{17, false}}, true),
        reading(QStringLiteral("Mi vínculo con Ana"), QStringLiteral("revisar el viernes"),
                Spread::cross, {{9, false}, {10, false}, {11, true}, {12, false}, {13, false}},
                false, Topic::projects),
    };
}

// Questions (or "Lectura general") of the rows the list shows, in order.
QStringList shownRows(const HistoryView& view)
{
    QStringList rows;
    const auto* model = view.filterModel();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data(HistoryModel::QuestionRole).toString();
    return rows;
}

QRect actionRect(HistoryView& view, int row, Action action)
{
    HistoryListView* list = view.listView();
    const QModelIndex index = view.filterModel()->index(row, 0);
    list->scrollTo(index);
    QApplication::processEvents();
    return list->historyDelegate()->actionRect(list->visualRect(index), index, action);
}

void click(HistoryView& view, int row, Action action)
{
    QTest::mouseClick(view.listView()->viewport(), Qt::LeftButton, {},
                      actionRect(view, row, action).center());
}

QPushButton* button(QMessageBox* box, const QString& text)
{
    for (QAbstractButton* candidate : box->buttons()) {
        if (candidate->text() == text)
            return qobject_cast<QPushButton*>(candidate);
    }
    return nullptr;
}

// Dark pixels in `area` of `image`: how much text was drawn there.
int ink(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
        }
    }
    return count;
}

} // namespace

class HistoryViewTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void filterFollowsTheSearchRule()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, sampleHistory());
        HistoryView view(store.get());
        const QString a = QStringLiteral("¿Cambiaré de trabajo?");
        const QString b = QStringLiteral("Lectura general");
        const QString c = QStringLiteral("Mi vínculo con Ana");

        QCOMPARE(shownRows(view), QStringList({a, b, c}));
        // Capitals find lower-case question, card name and notes.
        view.setSearch(QStringLiteral("TRABAJO"));
        QCOMPARE(shownRows(view), QStringList({a}));
        view.setSearch(QStringLiteral("LA ESTRELLA"));
        QCOMPARE(shownRows(view), QStringList({b}));
        view.setSearch(QStringLiteral("CALMA"));
        QCOMPARE(shownRows(view), QStringList({b}));
        // Accents count, both ways.
        view.setSearch(QStringLiteral("cambiare"));
        QVERIFY(shownRows(view).isEmpty());
        view.setSearch(QStringLiteral("CAMBIARÉ"));
        QCOMPARE(shownRows(view), QStringList({a}));
        view.setSearch(QStringLiteral("ermitano"));
        QVERIFY(shownRows(view).isEmpty());
        view.setSearch(QStringLiteral("ermitaño"));
        QCOMPARE(shownRows(view), QStringList({c}));
        // A decomposed accent is the same letter; a bare letter does not find it.
        view.setSearch(QStringLiteral("ERMITAN\u0303O"));
        QCOMPARE(shownRows(view), QStringList({c}));
        view.setSearch(QStringLiteral("vinculo"));
        QVERIFY(shownRows(view).isEmpty());
        view.setSearch(QStringLiteral("VÍNCULO"));
        QCOMPARE(shownRows(view), QStringList({c}));
        // The spread's name is searched; topic, date and interpretations are not.
        view.setSearch(QStringLiteral("cruz de cinco"));
        QCOMPARE(shownRows(view), QStringList({c}));
        view.setSearch(QStringLiteral("proyectos"));
        QVERIFY(shownRows(view).isEmpty());
        view.setSearch(QStringLiteral("2024"));
        QVERIFY(shownRows(view).isEmpty());
        // Not trimmed: one space matches everything, also the reading with no question;
        // trailing spaces take part.
        view.setSearch(QStringLiteral(" "));
        QCOMPARE(shownRows(view), QStringList({a, b, c}));
        view.setSearch(QStringLiteral("calma "));
        QCOMPARE(shownRows(view), QStringList({b}));
        view.setSearch(QStringLiteral("calma  "));
        QVERIFY(shownRows(view).isEmpty());
        QVERIFY(view.showsEmptyState());
        QCOMPARE(view.emptyTitle(), QStringLiteral("No hay tiradas que coincidan."));

        // Favourites and search must both hold.
        view.setSearch({});
        view.setFavoritesOnly(true);
        QCOMPARE(shownRows(view), QStringList({b}));
        view.setSearch(QStringLiteral("trabajo"));
        QVERIFY(shownRows(view).isEmpty());
        view.setSearch(QStringLiteral("estrella"));
        QCOMPARE(shownRows(view), QStringList({b}));
        view.setFavoritesOnly(false);
        view.setSearch(QStringLiteral("a"));
        QCOMPARE(shownRows(view), QStringList({a, b, c}));
    }

    void emptyStatesOfferTheTable()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, {});
        store->setSection(QStringLiteral("historial"));
        HistoryView view(store.get());
        QVERIFY(view.showsEmptyState());
        QCOMPARE(view.emptyTitle(), QStringLiteral("Tu cuaderno comienza con una tirada."));
        QVERIFY(view.findChild<QLabel*>() != nullptr);
        bool subtitle = false;
        for (QLabel* label : view.findChildren<QLabel*>())
            subtitle =
                subtitle || label->text() == QStringLiteral("Las lecturas completas guardadas "
                                                            "aparecerán aquí.");
        QVERIFY(subtitle);
        QPushButton* toTable = nullptr;
        for (QPushButton* candidate : view.findChildren<QPushButton*>()) {
            if (candidate->text() == QStringLiteral("Ir a la mesa"))
                toTable = candidate;
        }
        QVERIFY(toTable);
        toTable->click();
        QCOMPARE(store->section(), QStringLiteral("mesa"));

        // A first saved reading replaces the empty state by the list.
        store->restore(sampleHistory().first());
        store->saveCurrent();
        QVERIFY(store->flush());
        QVERIFY(!view.showsEmptyState());
        QCOMPARE(view.filterModel()->rowCount(), 1);
    }

    void unmarkingTheLastFavouriteEmptiesTheFilteredList()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, sampleHistory());
        HistoryView view(store.get());
        view.resize(900, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setFavoritesOnly(true);
        QCOMPARE(view.filterModel()->rowCount(), 1);
        click(view, 0, Action::favorite);
        QVERIFY(!store->history().at(1).favorite);
        QCOMPARE(view.filterModel()->rowCount(), 0);
        QVERIFY(view.showsEmptyState());
        QCOMPARE(view.emptyTitle(), QStringLiteral("No hay tiradas que coincidan."));
        // Marking it again from elsewhere brings it back.
        const QUuid second = store->history().at(1).id;
        store->toggleFavorite(second);
        QCOMPARE(view.filterModel()->rowCount(), 1);
        QVERIFY(!view.showsEmptyState());
    }

    void modelFollowsTheStoreInSmallSteps()
    {
        QTemporaryDir dir;
        QList<Reading> history = sampleHistory();
        // A duplicated identifier (an edited file) in two separate places.
        Reading twin = history.at(0);
        history.append(twin);
        auto store = Fixtures::store(dir, history);
        HistoryModel model(store.get());
        HistoryFilterModel filter;
        filter.setSourceModel(&model);
        QAbstractItemModelTester sourceTester(
            &model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester filterTester(
            &filter, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        auto matchesStore = [&] {
            if (model.rowCount() != store->history().size())
                return false;
            for (int row = 0; row < model.rowCount(); ++row) {
                if (!(model.reading(row) == store->history().at(row)))
                    return false;
            }
            return true;
        };
        QVERIFY(matchesStore());

        // A new reading goes in at the front.
        Reading fresh = reading(QStringLiteral("Nueva"), {}, Spread::daily, {{5, false}});
        store->restore(fresh);
        store->saveCurrent();
        QVERIFY(store->flush());
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted.first().at(1).toInt(), 0);
        QCOMPARE(inserted.first().at(2).toInt(), 0);
        QVERIFY(matchesStore());

        // Notes of a saved reading change that row only.
        store->updateNotes(QStringLiteral("Una nota"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex().row(), 0);
        QCOMPARE(changed.first().at(1).toModelIndex().row(), 0);
        QCOMPARE(model.index(0).data(HistoryModel::NotesRole).toString(),
                 QStringLiteral("Una nota"));

        // A favourite changes its row only, and the revision moves on.
        const quint64 before = model.index(3).data(HistoryModel::RevisionRole).toULongLong();
        changed.clear();
        const QUuid fourth = store->history().at(3).id;
        store->toggleFavorite(fourth);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex().row(), 3);
        QVERIFY(model.index(3).data(HistoryModel::RevisionRole).toULongLong() != before);

        // Deleting the twin removes both of its rows.
        store->deleteReading(twin.id);
        QCOMPARE(removed.size(), 2);
        QVERIFY(matchesStore());
        QCOMPARE(model.rowCount(), 3);

        // Deleting an unknown identifier changes nothing.
        removed.clear();
        changed.clear();
        store->deleteReading(QUuid::createUuid());
        QCOMPARE(removed.size(), 0);
        QCOMPARE(changed.size(), 0);
        QCOMPARE(reset.size(), 0);
        QVERIFY(matchesStore());

        // The filter follows too.
        filter.setFavoritesOnly(true);
        QCOMPARE(filter.rowCount(), 2);
        filter.setSearch(QStringLiteral("calma"));
        QCOMPARE(filter.rowCount(), 1);
    }

    void deleteAsksFirst()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, sampleHistory());
        const QUuid target = store->history().at(2).id;
        HistoryView view(store.get());
        view.resize(900, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QByteArray fileBefore = Fixtures::fileBytes(store->saveURL());

        // Cancelled: nothing changes, the file is not written.
        click(view, 2, Action::remove);
        QCOMPARE(view.pendingDelete(), std::optional<QUuid>(target));
        QMessageBox* box = view.deleteConfirmation();
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("¿Eliminar esta tirada del historial?"));
        QPushButton* cancel = button(box, QStringLiteral("Cancelar"));
        QPushButton* remove = button(box, QStringLiteral("Eliminar tirada"));
        QVERIFY(cancel && remove);
        QCOMPARE(box->buttonRole(remove), QMessageBox::DestructiveRole);
        QCOMPARE(box->buttonRole(cancel), QMessageBox::RejectRole);
        cancel->click();
        QTRY_VERIFY(!view.deleteConfirmation());
        QVERIFY(!view.pendingDelete());
        QCOMPARE(store->history().size(), 3);
        QCOMPARE(Fixtures::fileBytes(store->saveURL()), fileBefore);

        // Escape dismisses as a cancel.
        click(view, 2, Action::remove);
        box = view.deleteConfirmation();
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_Escape);
        QTRY_VERIFY(!view.deleteConfirmation());
        QVERIFY(!view.pendingDelete());
        QCOMPARE(store->history().size(), 3);

        // Confirmed: that reading leaves the history and the file.
        click(view, 2, Action::remove);
        box = view.deleteConfirmation();
        QVERIFY(box);
        button(box, QStringLiteral("Eliminar tirada"))->click();
        QTRY_VERIFY(!view.deleteConfirmation());
        QVERIFY(!view.pendingDelete());
        QCOMPARE(store->history().size(), 2);
        for (const Reading& kept : store->history())
            QVERIFY(kept.id != target);
        QVERIFY(store->flush());
        QVERIFY(!Fixtures::fileBytes(store->saveURL())
                     .contains(target.toString(QUuid::WithoutBraces).toUpper().toUtf8()));
        QCOMPARE(view.filterModel()->rowCount(), 2);
    }

    void leavingWithAnOpenConfirmationDeletesNothing()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, sampleHistory());
        auto* view = new HistoryView(store.get());
        view->resize(900, 700);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        view->requestDelete(store->history().at(0).id);
        QVERIFY(view->deleteConfirmation());
        // A second request while one is open waits in the same confirmation.
        view->requestDelete(store->history().at(1).id);
        QCOMPARE(view->pendingDelete(), std::optional<QUuid>(store->history().at(1).id));
        delete view;
        QApplication::processEvents();
        QCOMPARE(store->history().size(), 3);
    }

    void rowButtonsActOnTheirReading()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, sampleHistory());
        store->setSection(QStringLiteral("historial"));
        HistoryView view(store.get());
        view.resize(900, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        // The star marks and unmarks.
        click(view, 0, Action::favorite);
        QVERIFY(store->history().at(0).favorite);
        click(view, 0, Action::favorite);
        QVERIFY(!store->history().at(0).favorite);

        // A press that leaves the button before its release does nothing.
        QWidget* viewport = view.listView()->viewport();
        const QRect star = actionRect(view, 0, Action::favorite);
        QTest::mousePress(viewport, Qt::LeftButton, {}, star.center());
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, star.center() + QPoint(0, 60));
        QVERIFY(!store->history().at(0).favorite);

        // Keyboard: Right moves to the star, Space presses it; Delete asks to delete.
        HistoryListView* list = view.listView();
        list->setFocus();
        list->setCurrentIndex(view.filterModel()->index(1, 0));
        QCOMPARE(list->historyDelegate()->focusedAction(), Action::restore);
        QTest::keyClick(list, Qt::Key_Right);
        QCOMPARE(list->historyDelegate()->focusedAction(), Action::favorite);
        QTest::keyClick(list, Qt::Key_Space);
        QVERIFY(!store->history().at(1).favorite);
        QTest::keyClick(list, Qt::Key_Delete);
        QVERIFY(view.deleteConfirmation());
        QCOMPARE(view.pendingDelete(), std::optional<QUuid>(store->history().at(1).id));
        button(view.deleteConfirmation(), QStringLiteral("Cancelar"))->click();
        QTRY_VERIFY(!view.deleteConfirmation());

        // Help texts of the two icon buttons.
        for (const auto& [action, text] :
             {std::pair{Action::favorite, QStringLiteral("Marcar como favorita")},
              std::pair{Action::remove, QStringLiteral("Eliminar tirada")}}) {
            const QPoint at = actionRect(view, 0, action).center();
            QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
            QApplication::sendEvent(viewport, &help);
            QTRY_COMPARE(QToolTip::text(), text);
        }

        // "Volver a esta tirada" puts the reading back on the table.
        click(view, 2, Action::restore);
        QVERIFY(store->current().has_value());
        QCOMPARE(*store->current(), store->history().at(2));
        QCOMPARE(store->section(), QStringLiteral("mesa"));
        QCOMPARE(store->phase(), AppStore::Phase::reading);
    }

    void thumbnailsTurnAndOverlap()
    {
        using T = HistoryDelegate::Thumbnail;
        const Reading one = reading({}, {}, Spread::daily, {{4, true}});
        const QList<T> single = HistoryDelegate::thumbnails(one);
        QCOMPARE(single.size(), 1);
        QCOMPARE(single.at(0).angle, -6.0);
        QCOMPARE(single.at(0).arcanaID, 4);
        QVERIFY(single.at(0).reversed);
        QCOMPARE(single.at(0).rect, QRectF(41, 0, 48, 90)); // centred in the 130-point box

        const Reading two = reading({}, {}, Spread::daily, {{4, false}, {5, false}});
        const QList<T> pair = HistoryDelegate::thumbnails(two);
        QCOMPARE(pair.size(), 2);
        QCOMPARE(pair.at(0).angle, -6.0);
        QCOMPARE(pair.at(1).angle, 0.0);
        QCOMPARE(pair.at(1).rect.left() - pair.at(0).rect.left(), 35.0); // 48 − 13

        const QList<T> many = HistoryDelegate::thumbnails(sampleHistory().at(2));
        QCOMPARE(many.size(), 3);
        QCOMPARE(many.at(0).angle, -6.0);
        QCOMPARE(many.at(1).angle, 0.0);
        QCOMPARE(many.at(2).angle, 6.0);
        QCOMPARE(many.at(0).arcanaID, 9);
        QCOMPARE(many.at(2).arcanaID, 11);
        QVERIFY(many.at(2).reversed);
        QCOMPARE(many.at(0).rect.left(), 6.0);
        QCOMPARE(many.at(2).rect.right(), 124.0);
        QVERIFY(HistoryDelegate::thumbnails(reading({}, {}, Spread::daily, {})).isEmpty());
    }

    void reservedLinesMatchTheLayout()
    {
        // The rows are sized without laying their texts out; the count must agree with what
        // the layout does at every width, for one and for two lines.
        const QFont font = Typography::font(Typography::Style::headline);
        const QStringList texts = {
            QStringLiteral("¿Qué me ayudará a abrir una nueva etapa en el trabajo?"),
            QStringLiteral("Unapalabramuylargasinespaciosquenocabe"),
            QStringLiteral("Corta   "),
            QStringLiteral("Primera línea\nsegunda"),
            QStringLiteral("x"),
        };
        for (const QString& text : texts) {
            for (int width = 10; width <= 500; width += 3) {
                QString flat = text;
                flat.replace(QLatin1Char('\n'), QChar::LineSeparator);
                QTextLayout layout(flat, font);
                QTextOption option;
                option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                layout.setTextOption(option);
                layout.beginLayout();
                int lines = 0;
                while (true) {
                    QTextLine line = layout.createLine();
                    if (!line.isValid())
                        break;
                    line.setLineWidth(width);
                    ++lines;
                }
                layout.endLayout();
                QCOMPARE(HistoryDelegate::reservedLines(text, font, width), std::min(lines, 2));
            }
        }
        QCOMPARE(HistoryDelegate::reservedLines({}, font, 100), 0);
    }

    void thumbnailStripsAreCached()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(dir, sampleHistory());
        HistoryView view(store.get());
        view.resize(900, 800);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        HistoryDelegate* delegate = view.listView()->historyDelegate();
        view.grab();
        const int strips = delegate->cachedStrips();
        QCOMPARE(strips, 3);
        view.grab();
        view.listView()->viewport()->repaint();
        QCOMPARE(delegate->cachedStrips(), strips);
    }

    void userTextIsDrawnAsPlainText()
    {
        QTemporaryDir dir;
        auto store = Fixtures::store(
            dir, {reading(QStringLiteral("<i>x</i>"), QStringLiteral("<b>y</b>"), Spread::daily,
                          {{1, false}}),
                  reading(QStringLiteral("x"), QStringLiteral("y"), Spread::daily, {{1, false}})});
        HistoryView view(store.get());
        view.resize(900, 700);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.historyModel()->index(0).data(HistoryModel::QuestionRole).toString(),
                 QStringLiteral("<i>x</i>"));

        HistoryListView* list = view.listView();
        HistoryDelegate* delegate = list->historyDelegate();
        auto render = [&](int row) {
            const QModelIndex index = view.filterModel()->index(row, 0);
            QStyleOptionViewItem option;
            option.rect = QRect(0, 0, list->viewport()->width(), 200);
            option.palette = list->palette();
            option.palette.setColor(QPalette::WindowText, Qt::black);
            option.palette.setColor(QPalette::Base, Qt::white);
            QImage image(option.rect.size(), QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            delegate->paint(&painter, option, index);
            return image;
        };
        // The question's line: the literal tags take far more room than a lone letter.
        const QRect questionLine(170, 20, 200, 16);
        const int marked = ink(render(0), questionLine);
        const int plain = ink(render(1), questionLine);
        QVERIFY2(marked > plain * 4, qPrintable(QStringLiteral("%1 vs %2").arg(marked).arg(plain)));
    }

    void datesUseTheLocalesMediumForm()
    {
        const double date =
            ReferenceDate::fromDateTime(QDateTime(QDate(2024, 3, 12), QTime(18, 5), Qt::LocalTime));
        QCOMPARE(HistoryModel::formatDate(date, QLocale(QLocale::Spanish, QLocale::Spain)),
                 QStringLiteral("12 mar 2024, 18:05"));
        const QString english =
            HistoryModel::formatDate(date, QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY2(english.startsWith(QStringLiteral("Mar 12, 2024, 6:05")), qPrintable(english));
    }
};

QTEST_MAIN(HistoryViewTest)
#include "tst_history_view.moc"
