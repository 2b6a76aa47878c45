#pragma once

#include "store/sound_player.h"

struct ca_context;

// Plays named event sounds from the desktop's sound theme (libcanberra, through the sound
// server). Where there is no sound server or no such sound, nothing is played.
class DesktopSoundPlayer : public SoundPlayer {
public:
    DesktopSoundPlayer() = default;
    ~DesktopSoundPlayer() override;
    DesktopSoundPlayer(const DesktopSoundPlayer&) = delete;
    DesktopSoundPlayer& operator=(const DesktopSoundPlayer&) = delete;

    void play(const QString& name) override;

    // The sound theme's event identifier that stands in for a named sound.
    static QString eventFor(const QString& name);

private:
    bool open();

    ca_context* m_context = nullptr;
    bool m_unavailable = false;
};
