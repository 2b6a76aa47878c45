#pragma once

#include <QString>

#include <optional>

// What the store needs from the desktop. The application supplies real implementations;
// tests supply recording doubles. A store without one simply does without.

// Plays a short named event sound ("Pop") without waiting for it to end.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& name) = 0;
};

// A modal save dialog restricted to plain-text files. Returns the chosen path, or none
// when the user cancels.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    virtual std::optional<QString> askForPath(const QString& suggestedFileName) = 0;
};
