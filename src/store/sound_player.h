#pragma once

#include <QString>

// What the store needs from the desktop to play a sound; the application supplies the real
// one, tests a recording double. A store without one stays silent.

// Plays a short named event sound ("Pop") without waiting for it to end.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& name) = 0;
};
