#pragma once

#include "model/reading.h"
#include "model/saved_state.h"
#include "store/app_store.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <memory>

// Helpers for the screen tests: saved readings and a store that loads them from a state
// file in a temporary folder.
namespace ScreenFixtures {

inline Reading reading(const QString& question, const QString& notes, Spread spread,
                       const QList<DrawnCard>& cards, bool favorite = false,
                       Topic topic = Topic::general)
{
    Reading result;
    result.question = question;
    result.notes = notes;
    result.spread = spread;
    result.cards = cards;
    result.revealed = cards.size();
    result.favorite = favorite;
    result.topic = topic;
    result.date = 740000000.0; // 2024-06-14
    return result;
}

inline QString writeState(
    const QTemporaryDir& dir, const QList<Reading>& history, const Preferences& preferences = [] {
        Preferences p;
        p.onboardingDone = true;
        return p;
    }())
{
    SavedState state;
    state.preferences = preferences;
    state.history = history;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(QJsonDocument(state.toJson()).toJson());
    return path;
}

// A store whose state file holds `history` (and `preferences`).
inline std::unique_ptr<AppStore> store(
    const QTemporaryDir& dir, const QList<Reading>& history, const Preferences& preferences = [] {
        Preferences p;
        p.onboardingDone = true;
        return p;
    }())
{
    return std::make_unique<AppStore>(writeState(dir, history, preferences));
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace ScreenFixtures
