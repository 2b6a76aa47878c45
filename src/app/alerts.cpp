#include "app/alerts.h"

#include "views/kit/icons.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/typography.h"

#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>

namespace Alerts {

void makePlainText(QMessageBox* box)
{
    box->setTextFormat(Qt::PlainText);
    if (auto* title = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        title->setFont(Typography::system(14, QFont::DemiBold));
    if (auto* informative = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        informative->setTextFormat(Qt::PlainText);
        informative->setFont(Typography::font(Typography::Style::body));
    }
}

QMessageBox* make(QWidget* parent, const QString& name, const QString& title,
                  const QString& message, Picture picture)
{
    auto* box = new QMessageBox(parent);
    box->setObjectName(name);
    box->setWindowModality(Qt::WindowModal);
    box->setWindowTitle(QStringLiteral("Arcandel"));
    box->setText(title);
    box->setInformativeText(message);
    makePlainText(box);

    // Our own picture, sharp at the screen's pixel ratio.
    const qreal ratio = box->devicePixelRatioF();
    const int side = 52;
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QRectF rect(0, 0, side, side);
        if (picture == Picture::warning)
            Icons::paint(painter, rect.adjusted(2, 2, -2, -2),
                         QStringLiteral("exclamationmark.triangle"), QColor(206, 140, 38), 1.1);
        else
            LanukMark::paint(painter, rect);
    }
    box->setIconPixmap(pixmap);

    // Room for the message to breathe instead of wrapping every few words.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(420, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

} // namespace Alerts
