#include "support/recording_services.h"

void RecordingSoundPlayer::play(const QString& name)
{
    m_played.append(name);
}

std::optional<QString> RecordingSaveDialog::askForPath(const QString& suggestedFileName)
{
    m_suggestions.append(suggestedFileName);
    if (whileOpen)
        whileOpen();
    if (m_answers.isEmpty())
        return std::nullopt;
    return m_answers.takeFirst();
}
