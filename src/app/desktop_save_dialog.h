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
    // The same for any export: `filter` is the one file type offered ("PDF (*.pdf)") and
    // `suffix` the extension added to a name typed without one.
    static void configure(QFileDialog& dialog, const QString& title, const QString& filter,
                          const QString& suffix, const QString& suggestedFileName);
    // A dialog that chooses an existing folder (`filter` empty) or file, in Spanish, starting
    // in the user's documents folder.
    static void configureOpen(QFileDialog& dialog, const QString& title, const QString& accept,
                              const QString& filter);

private:
    QPointer<QWidget> m_parent;
};
