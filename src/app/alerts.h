#pragma once

#include <QString>

class QMessageBox;
class QWidget;

// The window's message boxes (of the kind MessageBoxes makes), with one of the window's two
// pictures. The caller adds the buttons and opens it; MessageBoxes::setExplanation changes
// the message.
namespace Alerts {

enum class Picture {
    warning, // something failed or needs a decision
    mascot,  // a question or news
};

QMessageBox* make(QWidget* parent, const QString& name, const QString& title,
                  const QString& message, Picture picture);

} // namespace Alerts
