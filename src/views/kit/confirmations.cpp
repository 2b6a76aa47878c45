#include "views/kit/confirmations.h"

#include "views/kit/icons.h"
#include "views/kit/message_box.h"
#include "views/kit/typography.h"

#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

namespace Confirmations {

QMessageBox* removal(QWidget* parent, const QString& question, const QString& explanation,
                     const QString& removeText, QPushButton** remove)
{
    const QColor shade = Typography::secondary(parent->palette());
    QMessageBox* box = MessageBoxes::create(
        parent,
        [shade](QPainter& painter, const QRectF& rect) {
            Icons::paint(painter, rect.adjusted(6, 6, -6, -6), QStringLiteral("trash"), shade);
        },
        question, explanation);
    QPushButton* destructive = MessageBoxes::addDestructiveButton(box, removeText);
    QPushButton* cancel = box->addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    if (remove)
        *remove = destructive;
    return box;
}

} // namespace Confirmations
