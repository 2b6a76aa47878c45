#include "views/kit/message_box.h"

#include "views/kit/typography.h"

#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

namespace MessageBoxes {

namespace {

// Our own picture for a message box, sharp at the screen's pixel ratio.
QPixmap render(QWidget* box, const Picture& picture)
{
    const qreal ratio = box->devicePixelRatioF();
    const int side = 52;
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    picture(painter, QRectF(0, 0, side, side));
    return pixmap;
}

} // namespace

QMessageBox* create(QWidget* parent, const Picture& picture, const QString& text,
                    const QString& explanation)
{
    auto* box = new QMessageBox(parent);
    box->setWindowModality(Qt::WindowModal);
    box->setWindowTitle(QStringLiteral("Arcandel"));
    box->setIconPixmap(render(box, picture));
    // Deck and file texts reach these boxes: never let Qt guess they are markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    if (auto* title = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        title->setFont(Typography::system(14, QFont::DemiBold));
    setExplanation(box, explanation);
    // Room for the message to breathe instead of wrapping every few words.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(420, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

void setExplanation(QMessageBox* box, const QString& explanation)
{
    box->setInformativeText(explanation);
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        label->setTextFormat(Qt::PlainText);
        label->setFont(Typography::font(Typography::Style::body));
    }
}

QPushButton* addDestructiveButton(QMessageBox* box, const QString& text)
{
    QPushButton* button = box->addButton(text, QMessageBox::DestructiveRole);
    button->setStyleSheet(QStringLiteral("QPushButton { color: #c0392b; }"));
    return button;
}

void openHeld(QPointer<QMessageBox>& slot, QMessageBox* box, QObject* owner,
              const std::function<void(QAbstractButton*)>& answered)
{
    slot = box;
    // The slot belongs to `owner`, so it outlives the connection.
    QPointer<QMessageBox>* const held = &slot;
    QObject::connect(box, &QDialog::finished, owner, [held, box, answered] {
        QAbstractButton* chosen = box->clickedButton();
        if (*held == box)
            *held = nullptr;
        box->deleteLater();
        answered(chosen);
    });
    box->open();
}

} // namespace MessageBoxes
