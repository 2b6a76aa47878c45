#pragma once

#include "store/save_dialog.h"
#include "store/sound_player.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Records every sound the store asks for.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& name) override;

    const QStringList& played() const { return m_played; }
    void clear() { m_played.clear(); }

private:
    QStringList m_played;
};

// Answers the store's save dialog from a script and records each request. With the script
// used up, it answers as a user who cancels.
class RecordingSaveDialog final : public SaveDialog {
public:
    std::optional<QString> askForPath(const QString& suggestedFileName) override;

    // Queues the answer to the next request: a path, or none for a cancellation.
    void answer(const std::optional<QString>& path) { m_answers.append(path); }

    // The suggested file names, one per request, in order.
    const QStringList& suggestions() const { return m_suggestions; }
    qsizetype requests() const { return m_suggestions.size(); }

    // Runs while the dialog is "open", before it answers: lets a test change things
    // during the modal wait.
    std::function<void()> whileOpen;

private:
    QList<std::optional<QString>> m_answers;
    QStringList m_suggestions;
};
