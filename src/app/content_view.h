#pragma once

#include "app/sheet.h"

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QUuid>
#include <QWidget>
#include <functional>
#include <optional>

class AppStore;
class QAction;
class QSplitter;
class PatternsSession;
class Sidebar;

// The content of the main window: the sidebar with the five sections, the detail screen
// chosen by the store's section, the two sheets, the error alert and the confirmation asked
// before leaving an unsaved reading. Everything it shows follows the store; it keeps only
// what the patterns section remembers between visits.
class ContentView : public QWidget {
    Q_OBJECT
public:
    explicit ContentView(AppStore* store, QWidget* parent = nullptr);
    ~ContentView() override;

    enum class Detail { table, history, guide, patterns, sources };
    // The screen a section key shows; anything unknown shows the table.
    static Detail detailFor(const QString& section);

    AppStore* store() const { return m_store; }
    Sidebar* sidebar() const { return m_sidebar; }
    QWidget* detail() const { return m_detail; }
    Detail detailKind() const { return m_detailKind; }
    // The identifiers of the readings the history screen shows now (its search and filter),
    // or none when it is not the screen on show.
    std::optional<QList<QUuid>> shownReadings() const;
    // The toolbar's "Configuración" item (the window puts it beside "Nueva tirada").
    QAction* settingsAction() const { return m_settingsAction; }
    PatternsSession* patternsSession() const { return m_patternsSession; }

    // Open presentations, or null.
    Sheet* welcomeSheet() const { return m_welcome; }
    Sheet* preferencesSheet() const { return m_preferences; }
    Sheet* restoreSheet() const { return m_restore; }
    QMessageBox* errorAlert() const { return m_errorAlert; }
    QMessageBox* noticeAlert() const { return m_noticeAlert; }
    QMessageBox* newConfirmation() const { return m_confirmation; }
    QMessageBox* quitPrompt() const { return m_quitPrompt; }

    // Whether the window may close now: waits for the store's writes and, when something
    // could not be written, asks what to do and answers false.
    bool mayClose();

    static QString errorTitle();
    static QString confirmationTitle();
    static QString confirmationMessage();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showDetail();
    void syncSheets();
    // Opens the sheet that `slot` holds, around the screen `content` makes, while the
    // store's flag asks for it (and `allowed`), and closes it when the flag drops; a sheet
    // the user closes calls `dismiss`, which clears the flag.
    void syncSheet(QPointer<Sheet>& slot, const std::function<QWidget*()>& content,
                   bool dismissible, const QString& name, const QString& title, bool wanted,
                   const std::function<void()>& dismiss, bool allowed);
    void syncErrorAlert();
    void syncNotice();
    void syncConfirmation();
    void askBeforeQuitting();
    QMessageBox* makeAlert(const QString& name, const QString& title, const QString& message);
    QWidget* presenter();

    AppStore* m_store;
    QSplitter* m_splitter;
    Sidebar* m_sidebar;
    QWidget* m_detailHost;
    QWidget* m_detail = nullptr;
    Detail m_detailKind = Detail::table;
    QAction* m_settingsAction;
    // What the patterns section remembers between visits (its span, its last figures).
    PatternsSession* m_patternsSession;

    QPointer<Sheet> m_welcome;
    QPointer<Sheet> m_preferences;
    QPointer<Sheet> m_restore;
    QPointer<QMessageBox> m_errorAlert;
    QPointer<QMessageBox> m_noticeAlert;
    QPointer<QMessageBox> m_confirmation;
    QPointer<QMessageBox> m_quitPrompt;
    bool m_leaving = false;
};
