// The patterns of a very long journal: 36,500 saved readings (a hundred years of one a day,
// or ten years of ten). Measures computing every figure of the patterns section for each
// span, and listing one card's trail.

#include "bench_fixtures.h"
#include "insights/patterns.h"
#include "model/catalog.h"
#include "model/reference_date.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int journalSize = 36500;
const double today = ReferenceDate::fromDateTime(
    QDateTime(QDate(2025, 6, 15), QTime(20, 0), QTimeZone::systemTimeZone()));

const QList<Reading>& journal()
{
    static const QList<Reading> readings = BenchFixtures::journal(journalSize, today);
    return readings;
}

Patterns compute(Span span)
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    return patterns(journal(), Catalog::cards(), dateRange(span, today, zone), today, zone);
}

void patternsOfSpan(benchmark::State& state)
{
    const Span span = allSpans().at(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(compute(span));
    state.SetLabel(label(span).toStdString());
}
BENCHMARK(patternsOfSpan)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void cardTrail(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(trail(journal(), DateRange{}, 16));
}
BENCHMARK(cardTrail)->Unit(benchmark::kMillisecond);

using BenchFixtures::medianMilliseconds;

void figures()
{
    for (const Span span : allSpans()) {
        const double ms =
            medianMilliseconds([span] { benchmark::DoNotOptimize(compute(span)); }, 31);
        std::printf("figure: patterns %d readings %s median = %.2f ms\n", journalSize,
                    qPrintable(label(span)), ms);
    }
    std::printf("figure: patterns %d readings card trail median = %.2f ms\n", journalSize,
                medianMilliseconds([] { benchmark::DoNotOptimize(trail(journal(), {}, 16)); }, 31));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Catalog::cards();
    journal();
    figures();
    BenchFixtures::runBenchmarks(argc, argv);
    return 0;
}
