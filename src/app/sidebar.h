#pragma once

#include <QString>
#include <QWidget>

class AppStore;
class QListWidget;
class QToolButton;

// The sidebar of the main window: the mascot header, the five sections (bound both ways to
// the store's section) and the footer with the deck name and the settings button.
class Sidebar : public QWidget {
    Q_OBJECT
public:
    struct Section {
        QString title;
        QString symbol;
        QString key;
    };
    static const QList<Section>& sections();

    explicit Sidebar(AppStore* store, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QToolButton* settingsButton() const { return m_settings; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showSection();

    AppStore* m_store;
    QListWidget* m_list;
    QToolButton* m_settings;
};
