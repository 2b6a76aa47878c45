#pragma once

#include <QString>

class QMessageBox;
class QPushButton;
class QWidget;

namespace Confirmations {

// A confirmation before removing something, of a kind with the window's other message boxes
// (MessageBoxes): `question` as the bold main text and `explanation` below it, with the
// trash symbol, the destructive button `removeText` in red and "Cancelar", which is the
// default and the answer to Escape. The destructive button is returned through `remove`;
// the caller opens the box and reads the answer when it finishes.
QMessageBox* removal(QWidget* parent, const QString& question, const QString& explanation,
                     const QString& removeText, QPushButton** remove);

} // namespace Confirmations
