#pragma once

#include <QPointer>
#include <QString>
#include <functional>

class QAbstractButton;
class QMessageBox;
class QObject;
class QPainter;
class QPushButton;
class QRectF;
class QWidget;

// The application's alerts and confirmations, all of one kind: window-modal, titled
// "Arcandel", with our own picture, the question or fact as bold main text and the
// explanation below it, both shown as plain text.
namespace MessageBoxes {

using Picture = std::function<void(QPainter&, const QRectF&)>;

QMessageBox* create(QWidget* parent, const Picture& picture, const QString& text,
                    const QString& explanation);
// Replaces the explanation of a box, keeping it plain text and its room.
void setExplanation(QMessageBox* box, const QString& explanation);
// A destructive choice, in red as the desktop's own confirmations show one.
QPushButton* addDestructiveButton(QMessageBox* box, const QString& text);
// Opens `box` and holds it in `slot`, a member of `owner`, while it is open; once answered the
// box is let go and `answered` gets the button that closed it (nothing once `owner` is gone).
void openHeld(QPointer<QMessageBox>& slot, QMessageBox* box, QObject* owner,
              const std::function<void(QAbstractButton*)>& answered);

} // namespace MessageBoxes
