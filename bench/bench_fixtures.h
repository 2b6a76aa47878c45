#pragma once

// What several benchmarks measure with: a seeded random source, so every run measures the
// same thing, and a journal of saved readings.

#include "engine/random_source.h"
#include "engine/reading_engine.h"
#include "model/reading.h"
#include "model/saved_state.h"
#include "store/app_store.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace BenchFixtures {

// SplitMix64: fast, and the same sequence on every machine.
class SequenceSource final : public RandomSource {
public:
    explicit SequenceSource(quint64 seed = 2024) : m_state(seed) {}
    quint64 next() override
    {
        quint64 z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

private:
    quint64 m_state;
};

// One saved reading a day going back from `newest` (seconds since 2001), at a random hour:
// every spread and topic, reversals on, some favourites.
inline QList<Reading> journal(int count, double newest)
{
    const QStringList questions{
        QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"),
        QStringLiteral("¿Cómo puedo cuidar mejor el vínculo con mi hermana?"),
        QStringLiteral("¿Qué necesito soltar antes del verano?"),
        QStringLiteral("¿Hacia dónde llevar el proyecto del taller?"),
        QString(),
    };
    SequenceSource rng{quint64(count)};
    QList<Reading> journal;
    journal.reserve(count);
    for (int i = 0; i < count; ++i) {
        Reading r;
        r.date = newest - 86400.0 * i - double(rng.bounded(43200));
        r.spread = allSpreads().at(qsizetype(rng.bounded(5)));
        r.topic = allTopics().at(qsizetype(rng.bounded(4)));
        r.question = questions.at(qsizetype(rng.bounded(quint64(questions.size()))));
        const QList<qint64> deck =
            ReadingEngine::cut(ReadingEngine::shuffledDeck(rng), qint64(rng.bounded(22)));
        r.cards = ReadingEngine::draw(deck, r.spread, true, rng);
        r.revealed = r.cards.size();
        r.favorite = rng.bounded(7) == 0;
        journal.append(r);
    }
    return journal;
}

// A store that opened a state file holding `history`, as the program opens a journal.
struct StoreOnDisk {
    QTemporaryDir dir;
    std::unique_ptr<AppStore> store;

    explicit StoreOnDisk(const QList<Reading>& history)
    {
        SavedState state;
        state.preferences.onboardingDone = true;
        state.history = history;
        const QString path = dir.filePath(QStringLiteral("state.json"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QJsonDocument(state.toJson()).toJson());
        file.close();
        store = std::make_unique<AppStore>(path);
    }

    // Whether the store holds all `readings`; says why not on standard error.
    bool loaded(qsizetype readings) const
    {
        if (store->history().size() == readings)
            return true;
        std::fprintf(stderr, "The journal did not load: %s\n",
                     qPrintable(store->error().value_or(QString())));
        return false;
    }
};

// Wall-clock and processor time of one step, in milliseconds.
struct Timing {
    QElapsedTimer wall;
    std::clock_t cpu = 0;
    void start()
    {
        wall.start();
        cpu = std::clock();
    }
    std::pair<double, double> stop() const
    {
        return {double(wall.nsecsElapsed()) / 1e6,
                1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC};
    }
};

// A benchmark needs no window on screen; a platform the caller chose is kept.
inline void offscreenUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs the registered benchmarks with the options of the command line.
inline void runBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

// The median time of `runs` runs of `work`, in milliseconds.
inline double medianMilliseconds(const std::function<void()>& work, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace BenchFixtures
