#pragma once

#include "store/journal_transfer.h"

#include <QDialog>
#include <optional>

class QPushButton;
class QRadioButton;

// "Exportar cuaderno": which readings go out (all, the favourites, or those the history
// shows now) and how (a folder of files, or one file to read).
class ExportJournalDialog : public QDialog {
    Q_OBJECT
public:
    enum class Selection { all, favorites, shown };

    // How many readings each choice holds; `shown` is none when the history screen is not
    // open, and that choice is then unavailable.
    ExportJournalDialog(qsizetype all, qsizetype favorites, std::optional<qsizetype> shown,
                        QWidget* parent = nullptr);

    Selection selection() const;
    void setSelection(Selection selection);
    JournalTransfer::Format format() const;
    void setFormat(JournalTransfer::Format format);
    QPushButton* exportButton() const { return m_export; }

private:
    void updateButton();

    qsizetype m_counts[3];
    QRadioButton* m_choices[3];
    QRadioButton* m_folder;
    QRadioButton* m_notebook;
    QPushButton* m_export;
};
