#pragma once

#include "store/save_dialog.h"

#include <QPointer>
#include <QWidget>

class QFileDialog;

// The modal save dialog for exports: plain-text files only, with a suggested file name.
class DesktopSaveDialog : public SaveDialog {
public:
    explicit DesktopSaveDialog(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    std::optional<QString> askForPath(const QString& suggestedFileName) override;

    // Gives a file dialog the export's title, labels, file type and suggested name.
    static void configure(QFileDialog& dialog, const QString& suggestedFileName);

private:
    QPointer<QWidget> m_parent;
};
