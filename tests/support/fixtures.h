#pragma once

#include "model/reading.h"
#include "model/saved_state.h"
#include "store/app_store.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <memory>

// Stores on a state file in a temporary folder, and the readings they hold, for the tests
// of the screens and of the shell.
namespace Fixtures {

// Preferences past onboarding, without animations or automatic saving unless asked.
inline Preferences settled(bool animations = false, bool autoSave = false)
{
    Preferences preferences;
    preferences.animations = animations;
    preferences.autoSave = autoSave;
    preferences.onboardingDone = true;
    return preferences;
}

// The default preferences, past onboarding.
inline Preferences onboarded()
{
    Preferences preferences;
    preferences.onboardingDone = true;
    return preferences;
}

// A saved, complete reading dated 2024-06-14.
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
    result.date = 740000000.0;
    return result;
}

inline QString writeState(const QTemporaryDir& dir, const QList<Reading>& history,
                          const Preferences& preferences)
{
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(QJsonDocument(SavedState{preferences, history}.toJson()).toJson());
    return path;
}

// A store whose state file holds `history` and `preferences`.
inline std::unique_ptr<AppStore> store(const QTemporaryDir& dir, const QList<Reading>& history = {},
                                       const Preferences& preferences = onboarded())
{
    return std::make_unique<AppStore>(writeState(dir, history, preferences));
}

// A store past onboarding, without animations or automatic saving.
inline std::unique_ptr<AppStore> quietStore(const QTemporaryDir& dir,
                                            const QList<Reading>& history = {})
{
    return store(dir, history, settled());
}

// Deals a reading of `spread` on the store's table, every card face down.
inline void deal(AppStore& store, Spread spread = Spread::cross)
{
    store.setSpread(spread);
    store.shuffle();
    store.deal(7);
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace Fixtures
