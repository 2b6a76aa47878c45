#include "views/kit/confirmations.h"

#include "views/kit/icons.h"
#include "views/kit/typography.h"

#include <QMessageBox>
#include <QPushButton>

namespace Confirmations {

QMessageBox* removal(QWidget* parent, const QString& windowTitle, const QString& question,
                     const QString& removeText, QPushButton** remove)
{
    auto* box = new QMessageBox(parent);
    box->setWindowModality(Qt::WindowModal);
    box->setIconPixmap(
        Icons::icon(QStringLiteral("trash"), Typography::secondary(parent->palette()))
            .pixmap(QSize(40, 40), parent->devicePixelRatioF()));
    box->setWindowTitle(windowTitle);
    box->setTextFormat(Qt::PlainText);
    box->setText(question);
    QPushButton* destructive = box->addButton(removeText, QMessageBox::DestructiveRole);
    // The destructive choice reads in red, as the desktop's own confirmations do.
    QPalette red = destructive->palette();
    red.setColor(QPalette::ButtonText, QColor(192, 57, 43));
    destructive->setPalette(red);
    QPushButton* cancel = box->addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    if (remove)
        *remove = destructive;
    return box;
}

} // namespace Confirmations
