#pragma once

#include <QString>

class QMessageBox;
class QWidget;

// The window's message boxes, all alike: window-modal over `parent`, the title as a heading
// over the message, both plain text, with a picture of our own and room for the message to
// breathe. The caller adds the buttons and opens it.
namespace Alerts {

enum class Picture {
    warning, // something failed or needs a decision
    mascot,  // a question or news
};

QMessageBox* make(QWidget* parent, const QString& name, const QString& title,
                  const QString& message, Picture picture);

// Message boxes show deck and file texts: never let Qt guess they are markup. Done again
// whenever the message changes.
void makePlainText(QMessageBox* box);

} // namespace Alerts
