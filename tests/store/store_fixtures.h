#pragma once

#include "engine/reading_engine.h"
#include "model/saved_state.h"
#include "store/app_store.h"
#include "store/state_encoder.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTest>
#include <optional>

// Lets QCOMPARE show the texts it compares.
namespace QTest {
inline char* toString(const std::optional<QString>& text)
{
    return text ? QTest::toString(*text) : qstrdup("(none)");
}
} // namespace QTest

// Readings, state files and stores for the store tests.
namespace StoreFixtures {

// A finished reading with fixed identity and date, texts composed by the engine.
inline Reading reading(Spread spread, const QList<qint64>& ids, int serial = 1)
{
    Reading r;
    r.id =
        QUuid(QStringLiteral("6F1C2A3B-0000-4000-8000-%1").arg(serial, 12, 10, QLatin1Char('0')));
    r.date = 763'000'000.25 + serial;
    r.spread = spread;
    r.question = QStringLiteral("¿Pregunta %1?").arg(serial);
    for (qint64 id : ids)
        r.cards.append(DrawnCard{id, id % 3 == 0});
    r.reader = QStringLiteral("Ana");
    r.revealed = r.cards.size();
    r.notes = QStringLiteral("Notas %1").arg(serial);
    return ReadingEngine::finish(r);
}

// Preferences that finished onboarding, with the given switches.
inline Preferences preferences(bool animations, bool autoSave, bool sound = false,
                               bool reversals = false)
{
    Preferences p;
    p.name = QStringLiteral("Ana");
    p.animations = animations;
    p.autoSave = autoSave;
    p.sound = sound;
    p.reversals = reversals;
    p.onboardingDone = true;
    return p;
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray document(const Preferences& preferences, const QList<Reading>& history = {})
{
    return StateEncoder::encodeWhole(SavedState{preferences, history});
}

// The names of the files in a folder, sorted.
inline QStringList listing(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

inline std::optional<SavedState> stateAt(const QString& path)
{
    QString error;
    return SavedState::decode(readFile(path), &error);
}

} // namespace StoreFixtures
