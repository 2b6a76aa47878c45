#pragma once

#include "model/follow_up.h"

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QUuid>
#include <QWidget>
#include <optional>

class AppStore;
class QLabel;
class QPlainTextEdit;
class QVBoxLayout;
class ActionButton;

// "¿Cómo se desarrolló?", below the notebook: the entries written after a saved reading,
// oldest first, each with its date, edited in place or removed after a confirmation, and a
// field to add one more (Ctrl+Return adds it). A reading not saved yet gets a line that
// says entries come once it is saved. Every change goes through the store.
class FollowUpSection : public QWidget {
    Q_OBJECT
public:
    explicit FollowUpSection(AppStore* store, QWidget* parent = nullptr);

    // The rows of the entries, in order.
    QList<QWidget*> rows() const;
    // The editor of the entry being edited, if any.
    QPlainTextEdit* editor() const { return m_editor; }
    QMessageBox* confirmation() const { return m_confirmation; }

    void beginEdit(QUuid id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void rebuild();
    QWidget* makeRow(const FollowUp& entry);
    void add();
    void finishEdit(bool save);
    void askToRemove(QUuid id);

    AppStore* m_store;
    QUuid m_reading;
    QList<FollowUp> m_shown;
    std::optional<QUuid> m_editing;

    QLabel* m_unsaved;
    QWidget* m_entries;
    QVBoxLayout* m_rows;
    QWidget* m_composer;
    QPlainTextEdit* m_field;
    ActionButton* m_add;
    QPlainTextEdit* m_editor = nullptr;
    QPointer<QMessageBox> m_confirmation;
};
