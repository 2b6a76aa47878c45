#include "app/desktop_save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

void configureCommon(QFileDialog& dialog, const QString& title, const QString& accept)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    dialog.setWindowTitle(title);
    dialog.setDirectory(folder);
    dialog.setLabelText(QFileDialog::Accept, accept);
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Buscar en:"));
}

} // namespace

void DesktopSaveDialog::configure(QFileDialog& dialog, const QString& suggestedFileName)
{
    configure(dialog, QStringLiteral("Exportar lectura"),
              QStringLiteral("Texto sin formato (*.txt)"), QStringLiteral("txt"),
              suggestedFileName);
}

void DesktopSaveDialog::configure(QFileDialog& dialog, const QString& title, const QString& filter,
                                  const QString& suffix, const QString& suggestedFileName)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    configureCommon(dialog, title, QStringLiteral("Guardar"));
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(suggestedFileName);
}

void DesktopSaveDialog::configureOpen(QFileDialog& dialog, const QString& title,
                                      const QString& accept, const QString& filter)
{
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (filter.isEmpty()) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(filter);
    }
    configureCommon(dialog, title, accept);
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
