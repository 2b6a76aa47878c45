// The history, the guide, the preferences and the sources page, on a light and a dark
// desktop palette. Pictures 60 to 75 belong to these screens.
#include "gallery.h"
#include "views/guide/guide_view.h"
#include "views/history/history_view.h"
#include "views/kit/motion.h"
#include "views/pages/preferences_view.h"
#include "views/pages/sources_view.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace Gallery {

namespace {

constexpr qreal ratio = 2.0;
const QSize screenSize(900, 700);

Preferences onboarded()
{
    Preferences preferences;
    preferences.onboardingDone = true;
    return preferences;
}

QList<Reading> journalReadings()
{
    auto entry = [](const QString& question, const QString& notes, Spread spread,
                    const QList<DrawnCard>& cards, bool favorite, Topic topic) {
        Reading r = reading(spread, cards, question, topic, 0.0);
        r.notes = notes;
        r.favorite = favorite;
        return r;
    };
    QList<Reading> history = {
        entry(QStringLiteral("¿Qué me ayudará a abrir una nueva etapa en el trabajo?"),
              QStringLiteral("Volver a mirarla dentro de un mes. El Mago insiste en empezar "
                             "con lo que ya tengo a mano."),
              Spread::timeline, {{9, false}, {1, false}, {17, false}}, true, Topic::projects),
        entry({}, {}, Spread::daily, {{19, false}}, false, Topic::general),
        entry(QStringLiteral("¿Cómo puedo cuidar mejor el vínculo con mi hermana?"), {},
              Spread::guidance, {{6, false}, {15, true}, {14, false}}, false, Topic::relationships),
        entry(QStringLiteral("¿Qué necesito soltar antes del verano?"),
              QStringLiteral("La Torre al revés: quizá no haga falta derribarlo todo."),
              Spread::celtic, celticCards(), true, Topic::personal),
        entry(QStringLiteral("¿Hacia dónde llevar el proyecto del taller?"), {}, Spread::cross,
              {{7, false}, {4, false}, {10, true}, {11, false}, {18, false}}, false,
              Topic::projects),
    };
    double date = 740000000.0;
    for (Reading& r : history) {
        r.date = date;
        date -= 86400.0 * 3 + 3600 * 5;
    }
    return history;
}

void saveScreen(QWidget& widget, const QString& name)
{
    show(widget, widget.size());
    save(&widget, name, ratio);
}

// The preferences as the sheet shows them: alone in a dialog sized to its content.
void preferencesSheet(AppStore* store, bool onboarding, const QString& name)
{
    QDialog sheet;
    auto* layout = new QVBoxLayout(&sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(new PreferencesView(store, onboarding));
    saveScreen(sheet, name);
}

void history()
{
    {
        Journal journal({}, onboarded());
        HistoryView view(journal.store.get());
        view.resize(screenSize);
        saveScreen(view, QStringLiteral("60-history-empty"));
    }
    Journal journal(journalReadings(), onboarded());
    HistoryView view(journal.store.get());
    view.resize(screenSize);
    saveScreen(view, QStringLiteral("61-history-readings"));
    view.setSearch(QStringLiteral("vacaciones"));
    saveScreen(view, QStringLiteral("62-history-filtered-to-nothing"));
    view.setSearch({});
    view.setFavoritesOnly(true);
    saveScreen(view, QStringLiteral("63-history-favorites"));

    // The confirmation over the screen, as the window shows it.
    view.setFavoritesOnly(false);
    show(view, view.size());
    view.requestDelete(journal.store->history().at(2).id);
    QMessageBox* box = view.deleteConfirmation();
    if (!box) {
        fail(QStringLiteral("64-history-delete-confirmation: no confirmation"));
        return;
    }
    show(*box, box->size());
    QImage picture(view.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(view.palette().window().color());
    {
        QPainter painter(&picture);
        view.render(&painter, QPoint(), QRegion(),
                    QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter.fillRect(QRect(QPoint(0, 0), view.size()), QColor(0, 0, 0, 60));
        box->render(&painter, QPoint((view.width() - box->width()) / 2, 40), QRegion(),
                    QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    if (!picture.save(folder() + QStringLiteral("/64-history-delete-confirmation.png")))
        fail(QStringLiteral("64-history-delete-confirmation: cannot write"));
    box->reject();
}

void guide()
{
    GuideView view;
    view.resize(screenSize);
    saveScreen(view, QStringLiteral("65-guide-fool"));
    view.setSearch(QStringLiteral("intuición"));
    view.setSelectedId(18);
    saveScreen(view, QStringLiteral("66-guide-searched-card"));
    view.setSearch(QStringLiteral("dragón"));
    saveScreen(view, QStringLiteral("67-guide-no-results"));
    view.setSearch(QStringLiteral("emp"));
    saveScreen(view, QStringLiteral("87-guide-three-results"));
}

// Dates on a desktop that speaks no Spanish: still Spanish words, and no seconds.
void historyInTheCLocale()
{
    QLocale::setDefault(QLocale::c());
    Journal journal(journalReadings(), onboarded());
    HistoryView view(journal.store.get());
    view.resize(screenSize);
    saveScreen(view, QStringLiteral("88-history-c-locale"));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}

// A text field's own context menu, in Spanish like the rest of the window.
void contextMenu()
{
    Journal journal(journalReadings(), onboarded());
    HistoryView view(journal.store.get());
    show(view, screenSize);
    auto* field = view.findChild<QLineEdit*>();
    field->setText(QStringLiteral("vínculo"));
    field->selectAll();
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    menu->adjustSize();
    QImage picture(view.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(view.palette().window().color());
    {
        QPainter painter(&picture);
        const auto flags = QWidget::DrawWindowBackground | QWidget::DrawChildren;
        view.render(&painter, QPoint(), QRegion(), flags);
        menu->render(&painter, field->mapTo(&view, QPoint(60, field->height() / 2)), QRegion(),
                     flags);
    }
    if (!picture.save(folder() + QStringLiteral("/89-text-field-context-menu.png")))
        fail(QStringLiteral("89-text-field-context-menu: cannot write"));
}

void sources()
{
    SourcesView view;
    view.resize(screenSize);
    saveScreen(view, QStringLiteral("70-sources-top"));
    QScrollBar* bar = view.scrollArea()->verticalScrollBar();
    if (bar->maximum() <= 0)
        fail(QStringLiteral("71-sources-scrolled: the page does not scroll"));
    bar->setValue(bar->maximum());
    saveScreen(view, QStringLiteral("71-sources-scrolled"));
}

// The same screens on a dark desktop palette: every text and symbol must stay legible.
void dark()
{
    const QPalette light = QApplication::palette();
    QApplication::setPalette(darkPalette());
    {
        Journal journal(journalReadings(), onboarded());
        HistoryView history(journal.store.get());
        history.resize(screenSize);
        saveScreen(history, QStringLiteral("72-history-readings-dark"));
        GuideView guide;
        guide.resize(screenSize);
        saveScreen(guide, QStringLiteral("73-guide-fool-dark"));
        preferencesSheet(journal.store.get(), false, QStringLiteral("74-preferences-sheet-dark"));
        SourcesView sources;
        sources.resize(screenSize);
        saveScreen(sources, QStringLiteral("75-sources-top-dark"));
    }
    QApplication::setPalette(light);
}

} // namespace

void screens()
{
    Motion::overrideReducedMotion(std::nullopt);
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    history();
    guide();
    {
        Journal journal({}, Preferences());
        preferencesSheet(journal.store.get(), true, QStringLiteral("68-preferences-welcome"));
        preferencesSheet(journal.store.get(), false, QStringLiteral("69-preferences-sheet"));
    }
    sources();
    historyInTheCLocale();
    contextMenu();
    dark();
    QLocale::setDefault(before);
}

} // namespace Gallery
