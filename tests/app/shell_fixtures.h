#pragma once

#include "model/saved_state.h"
#include "store/app_store.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <memory>

// Stores in the three reading situations the shell cares about, each with its state file
// in a temporary folder.
namespace ShellFixtures {

inline Preferences quietPreferences()
{
    Preferences preferences;
    preferences.animations = false;
    preferences.autoSave = false;
    preferences.onboardingDone = true;
    return preferences;
}

inline QString writeState(const QTemporaryDir& dir, const Preferences& preferences,
                          const QList<Reading>& history = {})
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

// A store past onboarding, without animations or automatic saving, and no reading yet.
inline std::unique_ptr<AppStore> quietStore(const QTemporaryDir& dir,
                                            const QList<Reading>& history = {})
{
    return std::make_unique<AppStore>(writeState(dir, quietPreferences(), history));
}

// Deals a reading of `spread` on the store's table, every card face down.
inline void deal(AppStore& store, Spread spread = Spread::cross)
{
    store.setSpread(spread);
    store.shuffle();
    store.deal(7);
}

} // namespace ShellFixtures
