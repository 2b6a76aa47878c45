#pragma once

#include <QWidget>

class AppStore;
class QLabel;
class QListWidget;
class QPushButton;

// The sheet "Restaurar una copia": the journal's backups, newest first, each with its date,
// its number of readings and its size. A copy that cannot be read is listed, with the
// reason, and cannot be chosen. Restoring backs up the journal as it is first (the store
// does it) and closes the sheet.
class RestoreView : public QWidget {
    Q_OBJECT
public:
    explicit RestoreView(AppStore* store, QWidget* parent = nullptr);

    // Restores the chosen copy, if one is chosen.
    void restoreChosen();
    void cancel();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppStore* m_store;
    QListWidget* m_list;
    QLabel* m_empty;
    QPushButton* m_restore;
    QPushButton* m_cancel;
};
