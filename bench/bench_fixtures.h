#pragma once

// What several benchmarks measure with: a seeded random source, so every run measures the
// same thing, and a journal of saved readings.

#include "engine/random_source.h"
#include "engine/reading_engine.h"
#include "model/reading.h"

#include <QList>
#include <QStringList>

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

} // namespace BenchFixtures
