// The patterns section with a real journal: 3,650 saved readings (ten years of one a day).
// Measures opening the section (working out the figures, building the screen, laying it out
// and painting it) and changing the span (working them out again and repainting).

#include "bench_fixtures.h"
#include "model/reference_date.h"
#include "views/patterns/patterns_session.h"
#include "views/patterns/patterns_view.h"

#include <QApplication>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

namespace {

constexpr int journalSize = 3650;
const double today = ReferenceDate::fromDateTime(
    QDateTime(QDate(2025, 6, 15), QTime(20, 0), QTimeZone::systemTimeZone()));

BenchFixtures::StoreOnDisk* fixture = nullptr;

// Opens the section as the window does: a new screen, shown, laid out and painted.
void open(PatternsSession& session)
{
    PatternsView view(fixture->store.get(), &session);
    view.resize(1050, 760);
    view.show();
    while (!(view.windowHandle() && view.windowHandle()->isExposed()))
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();
    view.repaint();
}

// A session that has not worked anything out yet: the history changed since the last visit.
std::unique_ptr<PatternsSession> freshSession()
{
    auto session = std::make_unique<PatternsSession>(fixture->store.get());
    session->setClock([] { return today; });
    return session;
}

void openSection(benchmark::State& state)
{
    for (auto _ : state) {
        auto session = freshSession();
        open(*session);
    }
}
BENCHMARK(openSection)->Unit(benchmark::kMillisecond);

void changeSpan(benchmark::State& state)
{
    auto session = freshSession();
    PatternsView view(fixture->store.get(), session.get());
    view.resize(1050, 760);
    view.show();
    QApplication::processEvents();
    int next = 0;
    for (auto _ : state) {
        view.setSpan(allSpans().at(next));
        QApplication::processEvents();
        view.repaint();
        next = (next + 1) % int(allSpans().size());
    }
}
BENCHMARK(changeSpan)->Unit(benchmark::kMillisecond);

// Median and slowest of wall-clock and processor times.
void report(const char* what, std::vector<std::pair<double, double>> times)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (const auto& [w, c] : times) {
        wall.push_back(w);
        cpu.push_back(c);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("figure: %s %d median = %.2f ms\n", what, journalSize, wall.at(wall.size() / 2));
    std::printf("figure: %s %d slowest = %.2f ms\n", what, journalSize, wall.back());
    std::printf("figure: %s %d processor median = %.2f ms\n", what, journalSize,
                cpu.at(cpu.size() / 2));
}

void figures()
{
    BenchFixtures::Timing timing;
    {
        auto session = freshSession();
        timing.start();
        open(*session); // the card pictures are read for the first time
        const auto [wall, cpu] = timing.stop();
        std::printf("figure: patterns open %d cold = %.2f ms\n", journalSize, wall);
        std::printf("figure: patterns open %d cold processor = %.2f ms\n", journalSize, cpu);
    }
    std::vector<std::pair<double, double>> opens;
    for (int i = 0; i < 21; ++i) {
        auto session = freshSession();
        timing.start();
        open(*session);
        opens.push_back(timing.stop());
    }
    report("patterns open", opens);

    auto session = freshSession();
    PatternsView view(fixture->store.get(), session.get());
    view.resize(1050, 760);
    view.show();
    QApplication::processEvents();
    std::vector<std::pair<double, double>> changes;
    for (int round = 0; round < 6; ++round) {
        for (const Span span : allSpans()) {
            timing.start();
            view.setSpan(span);
            QApplication::processEvents();
            view.repaint();
            changes.push_back(timing.stop());
        }
    }
    report("patterns span change", changes);
}

} // namespace

int main(int argc, char** argv)
{
    BenchFixtures::offscreenUnlessChosen();
    QApplication app(argc, argv);
    BenchFixtures::StoreOnDisk data(BenchFixtures::journal(journalSize, today));
    fixture = &data;
    if (!data.loaded(journalSize))
        return 1;
    figures();
    BenchFixtures::runBenchmarks(argc, argv);
    fixture = nullptr;
    return 0;
}
