#pragma once

#include <QDialog>

// A window-modal dialog that hosts one screen. A sheet that is not dismissible ignores
// Escape and the window's close button: only the hosted screen's own controls end it,
// through the store, which then calls finish().
class Sheet : public QDialog {
    Q_OBJECT
public:
    Sheet(QWidget* content, bool dismissible, QWidget* parent);

    bool dismissible() const { return m_dismissible; }
    QWidget* content() const { return m_content; }
    // Closes the sheet because the store no longer asks for it.
    void finish();

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* m_content;
    bool m_dismissible;
    bool m_finishing = false;
};
