// The state file with a long history: decoding and checking it and loading it into the
// store, for 365, 3,650 and 36,500 readings of mixed spreads (typing in the notebook is
// measured in bench_notes); plus the text export of a ten-card reading. Last, the peak memory of a
// process that loads each history and saves a few notes changes.

#include "bench_fixtures.h"
#include "engine/reading_engine.h"
#include "store/app_store.h"
#include "store/state_encoder.h"
#include "store/state_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

namespace {

using BenchFixtures::SequenceSource;

// One reading a day, dealt by the engine as the table deals them: every spread and topic,
// reversals on, some notes and favourites.
QList<Reading> history(int count)
{
    SequenceSource rng{quint64(count)};
    QList<Reading> readings;
    readings.reserve(count);
    for (int i = 0; i < count; ++i) {
        Reading r;
        r.date = 780000000.0 - 86400.0 * i + double(rng.bounded(86400));
        r.spread = allSpreads().at(qsizetype(rng.bounded(5)));
        r.topic = allTopics().at(qsizetype(rng.bounded(4)));
        r.question = rng.bounded(4) == 0
                         ? QString()
                         : QStringLiteral("¿Qué merece mi atención hoy, día %1?").arg(i);
        const QList<qint64> deck =
            ReadingEngine::cut(ReadingEngine::shuffledDeck(rng), qint64(rng.bounded(22)));
        r.cards = ReadingEngine::draw(deck, r.spread, true, rng);
        r.reader = QStringLiteral("Ana");
        r.revealed = r.cards.size();
        if (rng.bounded(3) == 0)
            r.notes = QStringLiteral("Volver a mirarla dentro de un mes. La carta central habla "
                                     "de un cambio que ya empezó.");
        r.favorite = rng.bounded(7) == 0;
        readings.append(ReadingEngine::finish(r));
    }
    return readings;
}

struct Fixture {
    QList<Reading> readings;
    QByteArray document;
};

const Fixture& fixture(int count)
{
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto& slot = fixtures[count];
    if (!slot) {
        slot = std::make_unique<Fixture>();
        slot->readings = history(count);
        Preferences preferences;
        preferences.onboardingDone = true;
        slot->document = StateEncoder::encodeWhole(SavedState{preferences, slot->readings});
    }
    return *slot;
}

double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void decodeAndValidate(benchmark::State& state)
{
    const Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        QString error;
        auto decoded = StateFile::decodeAndValidate(f.document, &error);
        benchmark::DoNotOptimize(decoded);
        if (!decoded)
            state.SkipWithError("the document did not decode");
    }
    state.counters["MB"] = double(f.document.size()) / 1e6;
    state.counters["peak_rss_MB"] = peakMegabytes();
}

// Creating the store on the file: read, decode, check, take the history.
void load(benchmark::State& state)
{
    const Fixture& f = fixture(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(f.document) != f.document.size())
        state.SkipWithError("cannot write the state file");
    file.close();
    for (auto _ : state) {
        AppStore store(path);
        if (store.history().size() != f.readings.size())
            state.SkipWithError("the store did not load the history");
    }
    state.counters["peak_rss_MB"] = peakMegabytes();
}

void textOfCelticReading(benchmark::State& state)
{
    Reading r = history(50).at(0);
    SequenceSource rng(3);
    r.spread = Spread::celtic;
    r.cards = ReadingEngine::draw(ReadingEngine::shuffledDeck(rng), r.spread, true, rng);
    r.revealed = r.cards.size();
    r = ReadingEngine::finish(r);
    for (auto _ : state)
        benchmark::DoNotOptimize(AppStore::text(r));
}

} // namespace

BENCHMARK(decodeAndValidate)->Arg(365)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond);
BENCHMARK(load)->Arg(365)->Arg(3650)->Arg(36500)->Unit(benchmark::kMillisecond);
BENCHMARK(textOfCelticReading)->Unit(benchmark::kMicrosecond);

// The memory figure comes from a fresh process that only does what the application does:
// load the state file into the store and save twenty notes changes. The benchmarks above
// hold their own copies of the history, so their peak says little about the store's.
int measureMemory(const QString& path)
{
    const double before = peakMegabytes();
    {
        AppStore store(path);
        if (store.error() || store.history().isEmpty())
            return 1;
        store.restore(store.history().at(store.history().size() / 2));
        QString notes;
        for (int i = 0; i < 20; ++i) {
            notes += QLatin1Char('a');
            store.updateNotes(notes);
            store.flush();
        }
        if (store.error())
            return 1;
        std::printf("%.1f %.1f\n", before, peakMegabytes());
    }
    return 0;
}

void reportMemory(const QString& program)
{
    for (int count : {365, 3650, 36500}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state.json"));
        QFile file(path);
        const QByteArray& document = fixture(count).document;
        if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size())
            return;
        file.close();
        QProcess child;
        child.start(program, {QStringLiteral("--memory-of"), path});
        child.waitForFinished(600000);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (child.exitCode() != 0 || figures.size() != 2)
            continue;
        std::printf("Peak memory loading %d readings (%.1f MB file) and saving 20 notes "
                    "changes: %s MB (%s MB before loading)\n",
                    count, double(document.size()) / 1e6, figures.at(1).constData(),
                    figures.at(0).constData());
    }
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArrayView(argv[1]) == "--memory-of")
        return measureMemory(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    reportMemory(QCoreApplication::applicationFilePath());
    return 0;
}
