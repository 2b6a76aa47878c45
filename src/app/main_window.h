#pragma once

#include <QMainWindow>

class AppStore;
class ContentView;

// The one window of the application: the menus, the toolbar and the content view.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppStore* store, QWidget* parent = nullptr);

    static constexpr QSize defaultSize{1280, 850};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ContentView* m_content;
};
