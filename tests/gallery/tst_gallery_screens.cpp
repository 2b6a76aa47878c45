// Pictures of the history, guide, preferences and sources screens in their named states,
// written to <build>/tests/gallery/ for a person to look at.

#include "../views/screen_fixtures.h"
#include "support/gallery.h"
#include "views/guide_view.h"
#include "views/history_delegate.h"
#include "views/history_view.h"
#include "views/preferences_view.h"
#include "views/sources_view.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

using ScreenFixtures::reading;

namespace {

constexpr qreal ratio = 2.0;
const QSize screenSize(900, 700);

QList<Reading> journal()
{
    QList<Reading> history = {
        reading(QStringLiteral("¿Qué me ayudará a abrir una nueva etapa en el trabajo?"),
                QStringLiteral("Volver a mirarla dentro de un mes. El Mago insiste en empezar "
                               "con lo que ya tengo a mano."),
                Spread::timeline, {{9, false}, {1, false}, {17, false}}, true, Topic::projects),
        reading({}, {}, Spread::daily, {{19, false}}, false, Topic::general),
        reading(QStringLiteral("¿Cómo puedo cuidar mejor el vínculo con mi hermana?"), {},
                Spread::guidance, {{6, false}, {15, true}, {14, false}}, false,
                Topic::relationships),
        reading(QStringLiteral("¿Qué necesito soltar antes del verano?"),
                QStringLiteral("La Torre al revés: quizá no haga falta derribarlo todo."),
                Spread::celtic,
                {{13, false},
                 {16, true},
                 {0, false},
                 {2, false},
                 {5, false},
                 {21, false},
                 {3, false},
                 {8, false},
                 {12, false},
                 {20, false}},
                true, Topic::personal),
        reading(QStringLiteral("¿Hacia dónde llevar el proyecto del taller?"), {}, Spread::cross,
                {{7, false}, {4, false}, {10, true}, {11, false}, {18, false}}, false,
                Topic::projects),
    };
    double date = 740000000.0;
    for (Reading& entry : history) {
        entry.date = date;
        date -= 86400.0 * 3 + 3600 * 5;
    }
    return history;
}

void settle(QWidget& widget)
{
    widget.resize(widget.size());
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

void save(QWidget& widget, const QString& name)
{
    const QString path = Gallery::save(&widget, name, ratio);
    QVERIFY2(!path.isEmpty(), qPrintable(name));
    QVERIFY(QFileInfo(path).size() > 0);
}

} // namespace

class GalleryScreens : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void history()
    {
        {
            QTemporaryDir dir;
            auto store = ScreenFixtures::store(dir, {});
            HistoryView view(store.get());
            view.resize(screenSize);
            settle(view);
            save(view, QStringLiteral("60-history-empty"));
        }
        QTemporaryDir dir;
        auto store = ScreenFixtures::store(dir, journal());
        HistoryView view(store.get());
        view.resize(screenSize);
        settle(view);
        save(view, QStringLiteral("61-history-readings"));

        view.setSearch(QStringLiteral("vacaciones"));
        settle(view);
        save(view, QStringLiteral("62-history-filtered-to-nothing"));

        view.setSearch({});
        view.setFavoritesOnly(true);
        settle(view);
        save(view, QStringLiteral("63-history-favorites"));

        // The confirmation over the screen, as the window shows it.
        view.setFavoritesOnly(false);
        settle(view);
        view.requestDelete(store->history().at(2).id);
        QMessageBox* box = view.deleteConfirmation();
        QVERIFY(box);
        settle(*box);
        QImage picture(view.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(ratio);
        picture.fill(view.palette().window().color());
        {
            QPainter painter(&picture);
            view.render(&painter, QPoint(), QRegion(),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
            painter.fillRect(QRect(QPoint(0, 0), view.size()), QColor(0, 0, 0, 60));
            const QPoint at((view.width() - box->width()) / 2, 40);
            box->render(&painter, at, QRegion(),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
        }
        QVERIFY(picture.save(Gallery::folder() +
                             QStringLiteral("/64-history-delete-confirmation.png")));
        box->reject();
    }

    void guide()
    {
        GuideView view;
        view.resize(screenSize);
        settle(view);
        save(view, QStringLiteral("65-guide-fool"));

        view.setSearch(QStringLiteral("intuición"));
        view.setSelectedId(18);
        settle(view);
        save(view, QStringLiteral("66-guide-searched-card"));

        view.setSearch(QStringLiteral("dragón"));
        settle(view);
        save(view, QStringLiteral("67-guide-no-results"));
    }

    void preferences()
    {
        QTemporaryDir dir;
        Preferences first;
        auto store = ScreenFixtures::store(dir, {}, first);
        for (bool onboarding : {true, false}) {
            QDialog sheet;
            auto* layout = new QVBoxLayout(&sheet);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->setSizeConstraint(QLayout::SetFixedSize);
            auto* view = new PreferencesView(store.get(), onboarding);
            layout->addWidget(view);
            settle(sheet);
            save(sheet, onboarding ? QStringLiteral("68-preferences-welcome")
                                   : QStringLiteral("69-preferences-sheet"));
        }
    }

    // The same screens on a dark desktop palette: every text and symbol must stay legible.
    void darkPalette()
    {
        const QPalette light = QApplication::palette();
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(40, 41, 44));
        dark.setColor(QPalette::WindowText, QColor(232, 232, 232));
        dark.setColor(QPalette::Base, QColor(30, 31, 34));
        dark.setColor(QPalette::AlternateBase, QColor(46, 47, 50));
        dark.setColor(QPalette::Text, QColor(232, 232, 232));
        dark.setColor(QPalette::Button, QColor(55, 56, 60));
        dark.setColor(QPalette::ButtonText, QColor(232, 232, 232));
        dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
        dark.setColor(QPalette::Highlight, QColor(51, 133, 112));
        dark.setColor(QPalette::HighlightedText, Qt::white);
        QApplication::setPalette(dark);
        {
            QTemporaryDir dir;
            auto store = ScreenFixtures::store(dir, journal());
            HistoryView history(store.get());
            history.resize(screenSize);
            settle(history);
            save(history, QStringLiteral("72-history-readings-dark"));

            GuideView guide;
            guide.resize(screenSize);
            settle(guide);
            save(guide, QStringLiteral("73-guide-fool-dark"));

            QDialog sheet;
            auto* layout = new QVBoxLayout(&sheet);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->setSizeConstraint(QLayout::SetFixedSize);
            layout->addWidget(new PreferencesView(store.get(), false));
            settle(sheet);
            save(sheet, QStringLiteral("74-preferences-sheet-dark"));

            SourcesView sources;
            sources.resize(screenSize);
            settle(sources);
            save(sources, QStringLiteral("75-sources-top-dark"));
        }
        QApplication::setPalette(light);
    }

    void sources()
    {
        SourcesView view;
        view.resize(screenSize);
        settle(view);
        save(view, QStringLiteral("70-sources-top"));
        QScrollBar* bar = view.scrollArea()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        settle(view);
        save(view, QStringLiteral("71-sources-scrolled"));
    }
};

QTEST_MAIN(GalleryScreens)
#include "tst_gallery_screens.moc"
