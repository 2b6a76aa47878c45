#pragma once

#include <QMainWindow>

class AppStore;
class ContentView;
class JournalCommands;
class MenuCommands;
class QToolBar;

// The one window of the application: the menus, the toolbar and the content view.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppStore* store, QWidget* parent = nullptr);

    ContentView* contentView() const { return m_content; }
    MenuCommands* commands() const { return m_commands; }
    JournalCommands* journal() const { return m_journal; }
    QToolBar* toolBar() const { return m_toolBar; }

    static constexpr QSize defaultSize{1280, 850};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ContentView* m_content;
    MenuCommands* m_commands;
    JournalCommands* m_journal;
    QToolBar* m_toolBar;
};
