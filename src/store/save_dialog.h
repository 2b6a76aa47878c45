#pragma once

#include <QString>
#include <optional>

// What the store needs from the desktop to ask where an export goes; the application supplies
// the real dialog, tests a scripted double.

// A modal save dialog restricted to plain-text files. Returns the chosen path, or none
// when the user cancels.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    virtual std::optional<QString> askForPath(const QString& suggestedFileName) = 0;
};
