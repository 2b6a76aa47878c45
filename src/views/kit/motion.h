#pragma once

#include "model/preferences.h"

#include <QByteArray>
#include <optional>

// Durations of every animation, in milliseconds, and whether to animate at all.
namespace Motion {

constexpr int shuffleStepMs = 240; // preparation fan, ease-in-out, 4 repeats, auto-reverse
constexpr int shuffleRepeats = 4;
constexpr int dealDropMs = 250;     // each card drops 24 points while fading in, ease-out
constexpr int dealIntervalMs = 130; // between two dealt cards
constexpr double dealDropDistance = 24.0;
constexpr int revealMs = 300;   // turning a card, ease-in-out
constexpr int faceFadeMs = 300; // a turned face fades in

// Whether the desktop asks for reduced motion (GNOME's enable-animations off, or KDE's
// animation speed factor 0). Read once and cached.
bool desktopPrefersReducedMotion();
// Tests and the gallery can force the answer; pass std::nullopt to read the desktop again.
void overrideReducedMotion(std::optional<bool> reduced);
// Animate only when the preferences allow it and the desktop does not ask for less motion.
bool animate(const Preferences& preferences);

// KDE's AnimationDurationFactor from the text of a kdeglobals file ([KDE] group), or none
// when the file does not set it.
std::optional<double> kdeAnimationFactor(const QByteArray& kdeglobals);

} // namespace Motion
