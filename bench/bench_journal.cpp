// The journal leaving and coming back: exporting ten years of one reading a day (3,650, every
// spread, with their texts) as a folder of Markdown files, importing that folder into an
// empty journal (reading and checking every file, merging, writing the state file), and
// drawing a Celtic cross as a PDF page.

#include "bench_fixtures.h"
#include "model/catalog.h"
#include "store/app_store.h"
#include "store/journal_transfer.h"
#include "views/table/reading_page.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int journalSize = 3650;

const QList<Reading>& journal()
{
    static const QList<Reading> readings = [] {
        QList<Reading> all = BenchFixtures::journal(journalSize, 780'000'000.0);
        for (qsizetype i = 0; i < all.size(); ++i) {
            if (i % 3 == 0)
                all[i].notes = QStringLiteral("Volver a mirarla dentro de un mes.\n\nLa carta "
                                              "central habla de un cambio que ya empezó.");
            all[i] = ReadingEngine::finish(all[i]);
        }
        return all;
    }();
    return readings;
}

Reading celtic()
{
    Reading r = journal().first();
    r.spread = Spread::celtic;
    r.question = QStringLiteral("¿Qué fuerzas se mueven alrededor de mi mudanza?");
    r.cards.clear();
    for (qint64 id : {9, 1, 17, 3, 12, 20, 6, 14, 0, 21})
        r.cards.append(DrawnCard{id, id % 4 == 1});
    r.revealed = r.cards.size();
    r.interpretations.clear();
    return ReadingEngine::finish(r);
}

using BenchFixtures::medianMilliseconds;

void figures()
{
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("state.json"));
    int run = 0;
    const double exportMs = medianMilliseconds(
        [&] {
            // A new folder each time, as for a first export.
            const QString folder = dir.filePath(QStringLiteral("cuaderno-%1").arg(++run));
            const auto result = JournalTransfer::exportJournal(
                journal(), JournalTransfer::Format::folder, folder, state);
            if (result.failure || result.files != journalSize)
                std::abort();
        },
        5);
    const QString folder = dir.filePath(QStringLiteral("cuaderno-1"));
    std::printf("figure: journal export %d readings as a folder median = %.0f ms\n", journalSize,
                exportMs);

    std::vector<double> cpu;
    const double importMs = medianMilliseconds(
        [&] {
            const std::clock_t start = std::clock();
            QFile::remove(state);
            AppStore store(state);
            const JournalTransfer::Scan scan = JournalTransfer::scan(folder);
            const auto merge = store.importReadings(scan.readings());
            if (!merge || merge->added != journalSize || !store.flush() || store.error())
                std::abort();
            cpu.push_back(double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC);
        },
        5);
    std::sort(cpu.begin(), cpu.end());
    std::printf("figure: journal import %d readings into an empty journal median = %.0f ms\n",
                journalSize, importMs);
    // Processor time of every thread: what the import costs when no other program competes
    // for the processors.
    std::printf("figure: journal import %d readings into an empty journal cpu median = %.0f ms\n",
                journalSize, cpu.at(cpu.size() / 2));

    const Reading cross = celtic();
    std::printf("figure: reading pdf celtic cross median = %.1f ms\n",
                medianMilliseconds([&] { benchmark::DoNotOptimize(ReadingPage::pdf(cross)); }, 11));
}

void celticPdf(benchmark::State& state)
{
    const Reading cross = celtic();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadingPage::pdf(cross));
}
BENCHMARK(celticPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    BenchFixtures::offscreenUnlessChosen();
    QApplication app(argc, argv);
    Catalog::cards();
    journal();
    figures();
    BenchFixtures::runBenchmarks(argc, argv);
    return 0;
}
