#include "app/content_view.h"

#include "app/alerts.h"
#include "app/sheet.h"
#include "app/sidebar.h"
#include "store/app_store.h"
#include "views/guide/guide_view.h"
#include "views/history/history_filter_model.h"
#include "views/history/history_model.h"
#include "views/history/history_view.h"
#include "views/kit/icons.h"
#include "views/kit/layouts.h"
#include "views/kit/message_box.h"
#include "views/pages/preferences_view.h"
#include "views/pages/restore_view.h"
#include "views/pages/sources_view.h"
#include "views/patterns/patterns_session.h"
#include "views/patterns/patterns_view.h"
#include "views/table/table_view.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>

namespace {

constexpr int sidebarMinimum = 210;
constexpr int sidebarIdeal = 230;
constexpr int sidebarMaximum = 260;

// Lowers a flag of the store, unless it is down already.
std::function<void()> lowering(AppStore* store, bool (AppStore::*flag)() const,
                               void (AppStore::*lower)(bool))
{
    return [store, flag, lower] {
        if ((store->*flag)())
            (store->*lower)(false);
    };
}

// Closes an open alert as if it were cancelled, and lets it go.
void dismiss(QPointer<QMessageBox>& alert)
{
    if (QMessageBox* box = alert) {
        alert = nullptr;
        box->done(QDialog::Rejected);
        box->deleteLater();
    }
}

} // namespace

ContentView::ContentView(AppStore* store, QWidget* parent) : QWidget(parent), m_store(store)
{
    setObjectName(QStringLiteral("contentView"));
    setMinimumSize(1040, 560);

    auto* layout = Layouts::row(this, 0);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(1);
    m_splitter->setStyleSheet(QStringLiteral("QSplitter::handle { background: transparent; }"));
    layout->addWidget(m_splitter);

    m_sidebar = new Sidebar(store, m_splitter);
    m_sidebar->setMinimumWidth(sidebarMinimum);
    m_sidebar->setMaximumWidth(sidebarMaximum);
    m_splitter->addWidget(m_sidebar);

    m_detailHost = new QWidget(m_splitter);
    m_detailHost->setObjectName(QStringLiteral("detail"));
    Layouts::column(m_detailHost, 0);
    m_splitter->addWidget(m_detailHost);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({sidebarIdeal, 1280 - sidebarIdeal});

    m_settingsAction = new QAction(Icons::icon(QStringLiteral("gearshape")),
                                   QStringLiteral("Configuración"), this);
    m_settingsAction->setToolTip(QStringLiteral("Configuración de la tirada"));
    connect(m_settingsAction, &QAction::triggered, this,
            [this] { m_store->setShowPreferences(true); });

    m_patternsSession = new PatternsSession(store, this);

    connect(store, &AppStore::sectionChanged, this, &ContentView::showDetail);
    connect(store, &AppStore::showSetupChanged, this, &ContentView::syncSheets);
    connect(store, &AppStore::showPreferencesChanged, this, &ContentView::syncSheets);
    connect(store, &AppStore::showRestoreChanged, this, &ContentView::syncSheets);
    connect(store, &AppStore::errorChanged, this, &ContentView::syncErrorAlert);
    connect(store, &AppStore::noticeChanged, this, &ContentView::syncNotice);
    connect(store, &AppStore::showNewConfirmationChanged, this, &ContentView::syncConfirmation);
    showDetail();
}

ContentView::~ContentView() = default;

std::optional<QList<QUuid>> ContentView::shownReadings() const
{
    const auto* history = qobject_cast<const HistoryView*>(m_detail);
    if (!history)
        return std::nullopt;
    QList<QUuid> ids;
    const HistoryFilterModel* shown = history->filterModel();
    for (int row = 0; row < shown->rowCount(); ++row)
        ids.append(shown->index(row, 0).data(HistoryModel::IdRole).toUuid());
    return ids;
}

ContentView::Detail ContentView::detailFor(const QString& section)
{
    if (section == QStringLiteral("historial"))
        return Detail::history;
    if (section == QStringLiteral("guia"))
        return Detail::guide;
    if (section == QStringLiteral("patrones"))
        return Detail::patterns;
    if (section == QStringLiteral("fuentes"))
        return Detail::sources;
    return Detail::table;
}

QString ContentView::errorTitle()
{
    return QStringLiteral("No se pudo completar la operación");
}

QString ContentView::confirmationTitle()
{
    return QStringLiteral("¿Empezar una nueva tirada?");
}

QString ContentView::confirmationMessage()
{
    return QStringLiteral(
        "Esta tirada todavía no está guardada. Tus tiradas anteriores se conservarán.");
}

void ContentView::showDetail()
{
    const Detail kind = detailFor(m_store->section());
    if (m_detail && kind == m_detailKind)
        return;
    // Each visit to a section starts its screen afresh (empty searches, first card chosen).
    QWidget* screen = nullptr;
    switch (kind) {
    case Detail::table:
        screen = new TableView(m_store, m_detailHost);
        break;
    case Detail::history:
        screen = new HistoryView(m_store, m_detailHost);
        break;
    case Detail::guide:
        screen = new GuideView(m_detailHost);
        break;
    case Detail::patterns:
        screen = new PatternsView(m_store, m_patternsSession, m_detailHost);
        break;
    case Detail::sources:
        screen = new SourcesView(m_detailHost);
        break;
    }
    QWidget* old = m_detail;
    m_detail = screen;
    m_detailKind = kind;
    m_detailHost->layout()->addWidget(screen);
    if (old) {
        // The old screen may be in the middle of the click that changed the section.
        m_detailHost->layout()->removeWidget(old);
        old->hide();
        old->deleteLater();
    }
}

QWidget* ContentView::presenter()
{
    return window();
}

void ContentView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Present what the store asks for once the window is on screen, so the sheets and
    // alerts open above it.
    QTimer::singleShot(0, this, [this] {
        syncSheets();
        syncErrorAlert();
        syncNotice();
        syncConfirmation();
    });
}

void ContentView::syncSheets()
{
    if (!isVisible())
        return;
    // A sheet the user closes lowers its flag, unless the store already has.
    syncSheet(
        m_welcome, [this] { return new PreferencesView(m_store, true); }, false,
        QStringLiteral("welcomeSheet"), QStringLiteral("Bienvenido a Arcandel"),
        m_store->showSetup(), lowering(m_store, &AppStore::showSetup, &AppStore::setShowSetup),
        true);
    // One sheet at a time: the others wait until the welcome sheet has closed.
    syncSheet(
        m_preferences, [this] { return new PreferencesView(m_store, false); }, true,
        QStringLiteral("preferencesSheet"), QStringLiteral("Configuración de la tirada"),
        m_store->showPreferences(),
        lowering(m_store, &AppStore::showPreferences, &AppStore::setShowPreferences), !m_welcome);
    syncSheet(
        m_restore, [this] { return new RestoreView(m_store); }, true,
        QStringLiteral("restoreSheet"), QStringLiteral("Restaurar una copia"),
        m_store->showRestore(),
        lowering(m_store, &AppStore::showRestore, &AppStore::setShowRestore),
        !m_welcome && !m_preferences);
}

void ContentView::syncSheet(QPointer<Sheet>& slot, const std::function<QWidget*()>& content,
                            bool dismissible, const QString& name, const QString& title,
                            bool wanted, const std::function<void()>& dismiss, bool allowed)
{
    if (wanted && allowed && !slot) {
        auto* sheet = new Sheet(content(), dismissible, presenter());
        sheet->setObjectName(name);
        sheet->setWindowTitle(title);
        slot = sheet;
        // The member the slot names, by address: a reference captured by reference may point
        // at this call's stack once it has returned.
        QPointer<Sheet>* member = &slot;
        connect(sheet, &QDialog::finished, this, [sheet, member, dismiss] {
            if (*member == sheet)
                *member = nullptr;
            sheet->deleteLater();
            dismiss();
        });
        sheet->open();
    } else if (!wanted && slot) {
        Sheet* sheet = slot;
        slot = nullptr;
        sheet->finish();
        sheet->deleteLater();
    }
}

QMessageBox* ContentView::makeAlert(const QString& name, const QString& title,
                                    const QString& message)
{
    return Alerts::make(presenter(), name, title, message, Alerts::Picture::warning);
}

void ContentView::syncErrorAlert()
{
    if (!isVisible())
        return;
    const std::optional<QString>& error = m_store->error();
    if (error) {
        if (m_errorAlert) {
            MessageBoxes::setExplanation(m_errorAlert, *error);
            return;
        }
        QMessageBox* box = makeAlert(QStringLiteral("errorAlert"), errorTitle(), *error);
        // A failed write can be run again from here.
        QPushButton* retry = nullptr;
        QPushButton* recover = nullptr;
        QPushButton* close = nullptr;
        if (m_store->recoveryCopy()) {
            // The unreadable file's copy may still hold good readings.
            recover = box->addButton(QStringLiteral("Recuperar las tiradas válidas"),
                                     QMessageBox::AcceptRole);
            recover->setObjectName(QStringLiteral("recover"));
            close = box->addButton(QStringLiteral("Entendido"), QMessageBox::RejectRole);
            box->setDefaultButton(recover);
        } else if (m_store->writeFailed()) {
            retry = box->addButton(QStringLiteral("Reintentar"), QMessageBox::AcceptRole);
            retry->setObjectName(QStringLiteral("retry"));
            close = box->addButton(QStringLiteral("Aceptar"), QMessageBox::RejectRole);
            box->setDefaultButton(retry);
        } else {
            close = box->addButton(QStringLiteral("Entendido"), QMessageBox::AcceptRole);
            box->setDefaultButton(close);
        }
        box->setEscapeButton(close);
        MessageBoxes::openHeld(m_errorAlert, box, this,
                               [this, retry, recover](QAbstractButton* chosen) {
                                   // Whatever closed the alert, the error has been seen.
                                   if (m_store->error())
                                       m_store->setError(std::nullopt);
                                   if (retry && chosen == retry)
                                       m_store->retry();
                                   if (recover && chosen == recover)
                                       m_store->recoverValidReadings();
                               });
    } else {
        dismiss(m_errorAlert);
    }
}

void ContentView::syncNotice()
{
    if (!isVisible() || m_noticeAlert || !m_store->notice())
        return;
    const Notice& notice = *m_store->notice();
    QMessageBox* box =
        Alerts::make(presenter(), QStringLiteral("noticeAlert"), notice.title, notice.message,
                     notice.caution ? Alerts::Picture::warning : Alerts::Picture::mascot);
    QPushButton* accept = box->addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    box->setDefaultButton(accept);
    box->setEscapeButton(accept);
    MessageBoxes::openHeld(m_noticeAlert, box, this,
                           [this](QAbstractButton*) { m_store->setNotice(std::nullopt); });
}

bool ContentView::mayClose()
{
    if (m_leaving || m_store->flush())
        return true;
    askBeforeQuitting();
    return false;
}

void ContentView::askBeforeQuitting()
{
    if (m_quitPrompt)
        return;
    // The prompt says what failed; the error alert would only repeat it.
    const QString reason = m_store->error().value_or(
        QStringLiteral("Arcandel todavía no ha terminado de escribir tus cambios."));
    if (m_store->error())
        m_store->setError(std::nullopt);
    QMessageBox* box =
        makeAlert(QStringLiteral("quitPrompt"), QStringLiteral("Hay cambios sin guardar"), reason);
    QPushButton* retry = box->addButton(QStringLiteral("Reintentar"), QMessageBox::AcceptRole);
    QPushButton* leave =
        MessageBoxes::addDestructiveButton(box, QStringLiteral("Salir sin guardar"));
    QPushButton* stay = box->addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box->setDefaultButton(retry);
    box->setEscapeButton(stay);
    MessageBoxes::openHeld(m_quitPrompt, box, this, [this, retry, leave](QAbstractButton* chosen) {
        if (chosen == retry) {
            m_store->retry();
            // Closing again waits for this write; a new failure asks again.
            window()->close();
        } else if (chosen == leave) {
            m_store->discardUnsaved();
            m_leaving = true;
            window()->close();
        }
    });
}

void ContentView::syncConfirmation()
{
    if (!isVisible())
        return;
    if (m_store->showNewConfirmation()) {
        if (m_confirmation)
            return;
        QMessageBox* box =
            Alerts::make(presenter(), QStringLiteral("newConfirmation"), confirmationTitle(),
                         confirmationMessage(), Alerts::Picture::mascot);

        const std::optional<Reading>& current = m_store->current();
        QPushButton* save = nullptr;
        if (current && current->complete()) {
            save = box->addButton(QStringLiteral("Guardar y empezar"), QMessageBox::AcceptRole);
            save->setObjectName(QStringLiteral("saveAndStart"));
        }
        QPushButton* discard =
            MessageBoxes::addDestructiveButton(box, QStringLiteral("Descartar y empezar"));
        discard->setObjectName(QStringLiteral("discardAndStart"));
        QPushButton* keep =
            box->addButton(QStringLiteral("Continuar esta tirada"), QMessageBox::RejectRole);
        keep->setObjectName(QStringLiteral("continueReading"));
        box->setEscapeButton(keep);
        box->setDefaultButton(save ? save : keep);
        MessageBoxes::openHeld(m_confirmation, box, this,
                               [this, save, discard](QAbstractButton* chosen) {
                                   if (m_store->showNewConfirmation())
                                       m_store->setShowNewConfirmation(false);
                                   if (save && chosen == save) {
                                       m_store->saveCurrent();
                                       m_store->newReading();
                                   } else if (chosen == discard) {
                                       m_store->newReading();
                                   }
                               });
    } else {
        dismiss(m_confirmation);
    }
}
