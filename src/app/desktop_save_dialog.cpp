#include "app/desktop_save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

void DesktopSaveDialog::configure(QFileDialog& dialog, const QString& suggestedFileName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    dialog.setWindowTitle(QStringLiteral("Exportar lectura"));
    dialog.setDirectory(folder);
    dialog.setNameFilter(QStringLiteral("Texto sin formato (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(suggestedFileName);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Guardar"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
}

std::optional<QString> DesktopSaveDialog::askForPath(const QString& suggestedFileName)
{
    QFileDialog dialog(m_parent);
    configure(dialog, suggestedFileName);
    // The store needs the answer before it goes on, so this dialog runs its own loop.
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return files.first();
}
