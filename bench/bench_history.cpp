// The history with a real journal: 3,650 saved readings (ten years of one a day). Measures
// opening the section (building the screen and painting it), each keystroke of the search
// (filtering, laying out and painting the list) and one frame of scrolling.

#include "bench_fixtures.h"
#include "store/app_store.h"
#include "views/history/history_filter_model.h"
#include "views/history/history_list_view.h"
#include "views/history/history_model.h"
#include "views/history/history_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <utility>

namespace {

constexpr int journalSize = 3650;

QList<Reading> journal()
{
    const QStringList questions = {
        QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"),
        QStringLiteral("¿Cómo puedo cuidar mejor el vínculo con mi hermana?"),
        QStringLiteral("¿Qué necesito soltar antes del verano?"),
        QStringLiteral("¿Hacia dónde llevar el proyecto del taller?"),
        QString(),
        QStringLiteral("¿Qué merece mi atención en esta situación tan larga que no termina "
                       "de resolverse y me ocupa casi todas las tardes de la semana?"),
        QStringLiteral("¿Qué puedo aprender de este cambio de trabajo?"),
    };
    const QStringList notes = {
        QString(),
        QStringLiteral("Volver a mirarla dentro de un mes."),
        QString(),
        QStringLiteral("La Torre al revés: quizá no haga falta derribarlo todo. Hablarlo con "
                       "calma el domingo y anotar lo que salga.\nSegunda línea de la nota."),
    };
    QList<Reading> readings;
    readings.reserve(journalSize);
    quint64 seed = 7;
    auto next = [&seed](int bound) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((seed >> 33) % quint64(bound));
    };
    for (int i = 0; i < journalSize; ++i) {
        Reading reading;
        reading.spread = allSpreads().at(next(5));
        reading.question = questions.at(next(int(questions.size())));
        reading.notes = notes.at(next(int(notes.size())));
        reading.topic = allTopics().at(next(4));
        const int count = int(positions(reading.spread).size());
        QList<qint64> deck;
        for (qint64 id = 0; id < 22; ++id)
            deck.append(id);
        for (int c = 0; c < count; ++c) // drawn without putting back, as the table does
            reading.cards.append(DrawnCard{deck.takeAt(next(int(deck.size()))), next(5) == 0});
        reading.revealed = count;
        reading.favorite = next(7) == 0;
        reading.date = 740000000.0 - 86400.0 * i;
        reading.interpretations = QList<QString>(count, QStringLiteral("Texto de la lectura."));
        reading.synthesis = QStringLiteral("Síntesis.");
        readings.append(reading);
    }
    return readings;
}

BenchFixtures::StoreOnDisk* fixture = nullptr;

// Shows the screen and waits until the window system says it can be painted.
void showExposed(HistoryView& view)
{
    view.resize(900, 700);
    view.show();
    QElapsedTimer waited;
    waited.start();
    while (!(view.windowHandle() && view.windowHandle()->isExposed()) && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Lets the list measure all its rows (it does so a batch at a time between events).
void finishLayout(HistoryView& view)
{
    const QModelIndex last = view.filterModel()->index(view.filterModel()->rowCount() - 1, 0);
    while (last.isValid() && !view.listView()->visualRect(last).isValid())
        QApplication::processEvents();
    QApplication::processEvents();
}

void paintNow(HistoryView& view)
{
    QApplication::processEvents(); // runs the list's delayed layout
    view.repaint();
}

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void openSection(benchmark::State& state)
{
    for (auto _ : state) {
        HistoryView view(fixture->store.get());
        showExposed(view);
        paintNow(view);
        benchmark::DoNotOptimize(view.filterModel()->rowCount());
    }
}
BENCHMARK(openSection)->Unit(benchmark::kMillisecond);

// Types "la luna" letter by letter, then deletes it again; one iteration is one keystroke.
void searchKeystroke(benchmark::State& state)
{
    HistoryView view(fixture->store.get());
    showExposed(view);
    paintNow(view);
    const QString word = QStringLiteral("la luna");
    QStringList steps;
    for (qsizetype i = 1; i <= word.size(); ++i)
        steps << word.left(i);
    for (qsizetype i = word.size() - 1; i >= 0; --i)
        steps << word.left(i);
    qsizetype step = 0;
    for (auto _ : state) {
        view.setSearch(steps.at(step));
        paintNow(view);
        step = (step + 1) % steps.size();
    }
    state.counters["rows"] = view.filterModel()->rowCount();
}
BENCHMARK(searchKeystroke)->Unit(benchmark::kMillisecond);

// One frame of scrolling through the whole measured list: move 40 points and paint.
void scrollFrame(benchmark::State& state)
{
    HistoryView view(fixture->store.get());
    showExposed(view);
    paintNow(view);
    finishLayout(view);
    QScrollBar* bar = view.listView()->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + 40;
        bar->setValue(next > bar->maximum() ? 0 : next);
        view.listView()->viewport()->repaint();
    }
}
BENCHMARK(scrollFrame)->Unit(benchmark::kMillisecond);

using BenchFixtures::Timing;

// The first time of everything, before any cache is warm, timed once.
void coldFigures()
{
    Timing timing;
    timing.start();
    HistoryView view(fixture->store.get());
    showExposed(view);
    paintNow(view);
    const auto open = timing.stop();

    timing.start();
    view.setSearch(QStringLiteral("l"));
    paintNow(view);
    const auto hastyKey = timing.stop();
    view.setSearch({});
    paintNow(view);

    // The rest of the list is measured, and the search texts prepared, between events.
    timing.start();
    finishLayout(view);
    for (int i = 0; i < 40; ++i)
        QApplication::processEvents();
    const auto settle = timing.stop();

    std::pair<double, double> worstKey{0, 0};
    for (const QString& text :
         {QStringLiteral("l"), QStringLiteral("la"), QStringLiteral("la "), QStringLiteral("la l"),
          QStringLiteral("la lu"), QStringLiteral("la lun"), QStringLiteral("la luna"),
          QStringLiteral("la lun"), QStringLiteral("la lu"), QStringLiteral("la l"),
          QStringLiteral("la "), QStringLiteral("la"), QStringLiteral("l"), QString()}) {
        timing.start();
        view.setSearch(text);
        paintNow(view);
        const auto key = timing.stop();
        worstKey = {std::max(worstKey.first, key.first), std::max(worstKey.second, key.second)};
    }
    finishLayout(view);

    QScrollBar* bar = view.listView()->verticalScrollBar();
    std::pair<double, double> worstFrame{0, 0};
    double allFrames = 0;
    constexpr int frames = 300;
    for (int frame = 0; frame < frames; ++frame) {
        timing.start();
        bar->setValue(bar->value() + 120);
        view.listView()->viewport()->repaint();
        const auto one = timing.stop();
        allFrames += one.first;
        worstFrame = {std::max(worstFrame.first, one.first),
                      std::max(worstFrame.second, one.second)};
    }
    std::printf(
        "History of %d readings, first time (cold caches); wall ms / processor ms:\n"
        "  opening the section (build, lay out the first rows, paint)  %7.2f / %7.2f\n"
        "  a keystroke at once after opening                           %7.2f / %7.2f\n"
        "  rest of the list measured between events                    %7.2f / %7.2f\n"
        "  slowest of 14 keystrokes typing and erasing \"la luna\"      %7.2f / %7.2f\n"
        "  %d scroll frames of 120 points onto new rows: mean %.2f, slowest %7.2f / %7.2f\n\n",
        journalSize, open.first, open.second, hastyKey.first, hastyKey.second, settle.first,
        settle.second, worstKey.first, worstKey.second, frames, allFrames / frames,
        worstFrame.first, worstFrame.second);
}

} // namespace

int main(int argc, char** argv)
{
    BenchFixtures::offscreenUnlessChosen();
    QApplication app(argc, argv);
    QElapsedTimer loading;
    loading.start();
    BenchFixtures::StoreOnDisk data(journal());
    std::printf("Loading the state file with %d readings: %.1f ms\n", journalSize,
                milliseconds(loading));
    fixture = &data;
    if (!data.loaded(journalSize))
        return 1;
    coldFigures();
    BenchFixtures::runBenchmarks(argc, argv);
    fixture = nullptr;
    return 0;
}
