#include "bench_fixtures.h"
#include "engine/reading_engine.h"
#include "engine/system_random_source.h"
#include "model/catalog.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

// A fast, seeded source, to show how much of a reading is the engine and how much the
// system generator.
using SplitMixSource = BenchFixtures::SequenceSource;

Reading blankReading(Spread spread)
{
    Reading reading;
    reading.spread = spread;
    reading.question = QStringLiteral("¿Qué merece mi atención en esta situación?");
    reading.topic = Topic::personal;
    return reading;
}

// Everything the store asks of the engine for one reading: shuffle, cut, draw, finish.
template <typename Source> void wholeCelticReading(benchmark::State& state)
{
    Source rng;
    const Reading base = blankReading(Spread::celtic);
    qint64 point = 1;
    for (auto _ : state) {
        QList<qint64> deck = ReadingEngine::shuffledDeck(rng);
        deck = ReadingEngine::cut(deck, point);
        point = point % 21 + 1;
        Reading reading = base;
        reading.cards = ReadingEngine::draw(deck, Spread::celtic, true, rng);
        const Reading done = ReadingEngine::finish(reading);
        benchmark::DoNotOptimize(done.synthesis.constData());
    }
}

void BM_CelticReading(benchmark::State& state)
{
    wholeCelticReading<SystemRandomSource>(state);
}
BENCHMARK(BM_CelticReading)->Unit(benchmark::kMicrosecond);

void BM_CelticReadingFastRandom(benchmark::State& state)
{
    wholeCelticReading<SplitMixSource>(state);
}
BENCHMARK(BM_CelticReadingFastRandom)->Unit(benchmark::kMicrosecond);

void BM_CelticFinish(benchmark::State& state)
{
    Reading reading = blankReading(Spread::celtic);
    reading.cards = {{4, true},  {16, false}, {0, false},  {21, true},  {9, false},
                     {2, false}, {18, true},  {19, false}, {13, false}, {17, true}};
    for (auto _ : state) {
        const Reading done = ReadingEngine::finish(reading);
        benchmark::DoNotOptimize(done.synthesis.constData());
    }
}
BENCHMARK(BM_CelticFinish)->Unit(benchmark::kMicrosecond);

void BM_DailyFinish(benchmark::State& state)
{
    Reading reading = blankReading(Spread::daily);
    reading.cards = {{18, true}};
    for (auto _ : state) {
        const Reading done = ReadingEngine::finish(reading);
        benchmark::DoNotOptimize(done.synthesis.constData());
    }
}
BENCHMARK(BM_DailyFinish)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // The catalog finds the deck beside the executable or in the source tree; it needs the
    // application object for the first, and loads the deck once, outside the timings.
    QCoreApplication app(argc, argv);
    if (const auto error = Catalog::loadError()) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
