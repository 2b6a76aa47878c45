#include "app/alerts.h"

#include "views/kit/icons.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/message_box.h"

#include <QMessageBox>
#include <QPainter>

namespace Alerts {

QMessageBox* make(QWidget* parent, const QString& name, const QString& title,
                  const QString& message, Picture picture)
{
    QMessageBox* box = MessageBoxes::create(
        parent,
        [picture](QPainter& painter, const QRectF& rect) {
            if (picture == Picture::warning)
                Icons::paint(painter, rect.adjusted(2, 2, -2, -2),
                             QStringLiteral("exclamationmark.triangle"), QColor(206, 140, 38), 1.1);
            else
                LanukMark::paint(painter, rect);
        },
        title, message);
    box->setObjectName(name);
    return box;
}

} // namespace Alerts
