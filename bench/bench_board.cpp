// How long the reading board takes to paint, the figure that keeps dealing and turning
// fluid: a whole Celtic cross at 1280 × 850 must paint in well under 8 ms a frame.

#include "bench_fixtures.h"
#include "engine/reading_engine.h"
#include "store/app_store.h"
#include "views/kit/motion.h"
#include "views/table/reading_board.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QVariantAnimation>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<AppStore> store;
    std::unique_ptr<ReadingBoard> board;

    Fixture(qint64 revealed, qreal devicePixelRatio)
        : image(QSize(1280, 850) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied)
    {
        store = std::make_unique<AppStore>(dir.filePath(QStringLiteral("state.json")));
        Reading reading;
        reading.spread = Spread::celtic;
        reading.question = QStringLiteral("¿Qué fuerzas mueven esta decisión?");
        for (qint64 i = 0; i < 10; ++i)
            reading.cards.append(DrawnCard{(i * 7 + 3) % 22, i % 3 == 1});
        reading.revealed = revealed;
        store->restore(ReadingEngine::finish(reading));
        if (revealed > 1)
            store->setSelectedIndex(1);
        board = std::make_unique<ReadingBoard>(store.get(), *store->current());
        board->resize(1280, 850);
        board->show();
        board->completeAnimations();
        image.setDevicePixelRatio(devicePixelRatio);
        paint(); // the first frame renders the cloth, the cards and the captions once
    }

    void paint()
    {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        board->render(&painter);
    }

    QImage image;
};

void paintBoard(benchmark::State& state, qint64 revealed, qreal ratio)
{
    Fixture fixture(revealed, ratio);
    for (auto _ : state) {
        fixture.paint();
        benchmark::DoNotOptimize(fixture.image.constBits());
    }
}

void BM_CelticBoardFaceUp(benchmark::State& state)
{
    paintBoard(state, 10, 1.0);
}
BENCHMARK(BM_CelticBoardFaceUp)->Unit(benchmark::kMillisecond);

void BM_CelticBoardFaceDown(benchmark::State& state)
{
    paintBoard(state, 0, 1.0);
}
BENCHMARK(BM_CelticBoardFaceDown)->Unit(benchmark::kMillisecond);

void BM_CelticBoardFaceUpDoubleDensity(benchmark::State& state)
{
    paintBoard(state, 10, 2.0);
}
BENCHMARK(BM_CelticBoardFaceUpDoubleDensity)->Unit(benchmark::kMillisecond);

// A frame in the middle of the dealing: every card partly transparent and moving.
void BM_CelticBoardWhileDealing(benchmark::State& state)
{
    Motion::overrideReducedMotion(false);
    Fixture fixture(10, 1.0);
    Preferences preferences = fixture.store->preferences();
    preferences.animations = true;
    fixture.store->apply(preferences);
    fixture.board->hide();
    fixture.board->show();
    fixture.board->dealing()->pause();
    int time = 0;
    for (auto _ : state) {
        fixture.board->dealing()->setCurrentTime(time);
        time = (time + 16) % ReadingBoard::dealDurationMs(10);
        fixture.paint();
        benchmark::DoNotOptimize(fixture.image.constBits());
    }
}
BENCHMARK(BM_CelticBoardWhileDealing)->Unit(benchmark::kMillisecond);

// Turning the next card and selecting it: the store's change and the repaint that follows.
void BM_TurnAndRepaint(benchmark::State& state)
{
    Fixture fixture(0, 1.0);
    for (auto _ : state) {
        const qint64 revealed = fixture.store->current()->revealed;
        if (revealed == 10) {
            state.PauseTiming();
            Reading reading = *fixture.store->current();
            reading.revealed = 0;
            fixture.store->restore(reading);
            state.ResumeTiming();
        }
        fixture.store->reveal(int(fixture.store->current()->revealed));
        fixture.paint();
        benchmark::DoNotOptimize(fixture.image.constBits());
    }
}
BENCHMARK(BM_TurnAndRepaint)->Unit(benchmark::kMillisecond);

// The very first frame of a new board, with nothing rendered yet at its size.
void coldFirstFrame()
{
    QElapsedTimer timer;
    timer.start();
    Fixture fixture(10, 1.0);
    std::printf("First frame of a new face-up Celtic board (cloth, faces, shadows, captions "
                "rendered): %.1f ms\n",
                double(timer.nsecsElapsed()) / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    BenchFixtures::offscreenUnlessChosen();
    QApplication app(argc, argv);
    coldFirstFrame();
    BenchFixtures::runBenchmarks(argc, argv);
    return 0;
}
