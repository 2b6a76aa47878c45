#include "app/desktop_sound_player.h"

#include <canberra.h>

DesktopSoundPlayer::~DesktopSoundPlayer()
{
    if (m_context)
        ca_context_destroy(m_context);
}

QString DesktopSoundPlayer::eventFor(const QString& name)
{
    // The freedesktop theme has no "Pop"; its short volume blip is the closest sound.
    if (name == QStringLiteral("Pop"))
        return QStringLiteral("audio-volume-change");
    return name.toLower();
}

bool DesktopSoundPlayer::open()
{
    if (m_context)
        return true;
    if (m_unavailable)
        return false;
    if (ca_context_create(&m_context) != CA_SUCCESS) {
        m_context = nullptr;
        m_unavailable = true;
        return false;
    }
    // Only through the sound server: talking to the sound card directly would print ALSA
    // errors on machines without one.
    ca_context_set_driver(m_context, "pulse");
    ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Arcandel", CA_PROP_APPLICATION_ID,
                            "org.arcandel.Arcandel", CA_PROP_APPLICATION_ICON_NAME,
                            "org.arcandel.Arcandel", nullptr);
    if (ca_context_open(m_context) != CA_SUCCESS) {
        ca_context_destroy(m_context);
        m_context = nullptr;
        m_unavailable = true;
        return false;
    }
    return true;
}

void DesktopSoundPlayer::play(const QString& name)
{
    if (!open())
        return;
    const QByteArray event = eventFor(name).toUtf8();
    const QByteArray description = name.toUtf8();
    // Asynchronous; a sound the theme lacks is simply not played.
    ca_context_play(m_context, 0, CA_PROP_EVENT_ID, event.constData(), CA_PROP_EVENT_DESCRIPTION,
                    description.constData(), CA_PROP_CANBERRA_CACHE_CONTROL, "volatile", nullptr);
}
