// Typing in the notebook of a saved reading, and readings with huge notes.
//
// Keystrokes: a journal of 3,650 (and 36,500) saved readings is loaded from its file, one
// reading is reopened and its notes are typed one key at a time on a clock driven by hand at
// ten keys a second. Each keystroke is timed from updateNotes to its return; the writes the
// notebook schedules ring on that clock, are encoded on this thread (timed apart) and are
// written for real by the store's writer, which is waited for before the clock moves on, as
// a second of real typing would. The writes counted are those the writer made while 20
// seconds of typing were played.
//
// Huge notes: a journal whose reading holds 1 MB or 10 MB of notes; the time to reopen that
// reading on the table (shown and painted) and to open the history with it.

#include "bench_fixtures.h"
#include "engine/reading_engine.h"
#include "store/app_store.h"
#include "store/state_encoder.h"
#include "support/manual_alarm.h"
#include "views/history/history_view.h"
#include "views/table/table_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The shared journal with every text composed and some notes, as a real one would have.
QList<Reading> journal(int count)
{
    QList<Reading> readings = BenchFixtures::journal(count, 780000000.0);
    for (qsizetype i = 0; i < readings.size(); ++i) {
        Reading& r = readings[i];
        r.reader = QStringLiteral("Ana");
        if (i % 3 == 0)
            r.notes = QStringLiteral("Volver a mirarla dentro de un mes.");
        r = ReadingEngine::finish(r);
    }
    return readings;
}

QString writeJournal(const QTemporaryDir& dir, const QList<Reading>& readings)
{
    Preferences preferences;
    preferences.onboardingDone = true;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(StateEncoder::encodeWhole(SavedState{preferences, readings}));
    return path;
}

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values.at(std::min(values.size() - 1, size_t(fraction * double(values.size()))));
}

void figure(const char* name, double value, const char* unit)
{
    std::printf("figure: %s = %.3g %s\n", name, value, unit);
}

void typing(int count, bool countWrites)
{
    QTemporaryDir dir;
    const QString path = writeJournal(dir, journal(count));
    ManualAlarm alarm; // outlives the store, which asks it at the end
    AppStore store(path);
    store.setNotesAlarm(&alarm);
    store.restore(store.history().at(store.history().size() / 2));

    std::vector<double> keys;
    std::vector<double> writes;
    QString notes = store.current()->notes;
    QElapsedTimer timer;
    const qint64 before = store.writeAttempts();
    constexpr int keysPerSecond = 10;
    constexpr int seconds = 20;
    for (int key = 0; key < keysPerSecond * seconds; ++key) {
        const qint64 at = qint64(key) * 1000 / keysPerSecond;
        const bool scheduled = alarm.active();
        timer.start();
        alarm.advanceTo(at);
        if (scheduled && !alarm.active()) {
            writes.push_back(milliseconds(timer));
            // A second of real typing leaves the writer time to finish.
            store.flush(60000);
        }
        notes += QLatin1Char(key % 7 == 6 ? ' ' : 'a');
        timer.start();
        store.updateNotes(notes);
        keys.push_back(milliseconds(timer));
    }
    alarm.advanceTo(qint64(seconds) * 1000);
    store.flush(60000);
    const qint64 written = store.writeAttempts() - before;
    if (store.error() || store.hasUnsavedChanges())
        std::printf("the writes failed: %s\n", qPrintable(store.error().value_or(QString())));

    const QByteArray n = QByteArray::number(count);
    const QByteArray median = "notes keystroke " + n + " median";
    const QByteArray p99 = "notes keystroke " + n + " p99";
    figure(median.constData(), percentile(keys, 0.5), "ms");
    figure(p99.constData(), percentile(keys, 0.99), "ms");
    if (!writes.empty()) {
        const QByteArray ring = "notes write encoding on the interface thread " + n + " median";
        figure(ring.constData(), percentile(writes, 0.5), "ms");
    }
    if (countWrites)
        figure("state file writes during 20 s of typing at 10 keys per second", double(written),
               "writes");
}

void showAndPaint(QWidget& widget)
{
    widget.resize(1100, 800);
    widget.show();
    QElapsedTimer waited;
    waited.start();
    while (!(widget.windowHandle() && widget.windowHandle()->isExposed()) &&
           waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();
    widget.repaint();
}

void hugeNotes(int megabytes)
{
    QList<Reading> readings = journal(50);
    // Paragraphs of ordinary text, as a long diary pasted in would have.
    const QString paragraph = QStringLiteral(
        "Hoy volví a mirar la tirada y pensé en lo que dijo la carta del centro sobre los "
        "comienzos. Anoto todo para releerlo con calma dentro de unas semanas.\n");
    QString notes;
    notes.reserve(megabytes * 1'000'000);
    while (notes.size() < megabytes * 1'000'000)
        notes += paragraph;
    readings[0].notes = notes;
    QTemporaryDir dir;
    AppStore store(writeJournal(dir, readings));

    TableView table(&store);
    showAndPaint(table);
    QElapsedTimer timer;
    timer.start();
    store.restore(store.history().first());
    table.repaint();
    QApplication::processEvents();
    const double open = milliseconds(timer);

    timer.restart();
    {
        HistoryView history(&store);
        showAndPaint(history);
    }
    const double list = milliseconds(timer);

    const QByteArray n = QByteArray::number(megabytes);
    figure(QByteArray("reopen a reading with " + n + " MB notes").constData(), open, "ms");
    figure(QByteArray("open the history with a " + n + " MB notes reading").constData(), list,
           "ms");
}

} // namespace

int main(int argc, char** argv)
{
    BenchFixtures::offscreenUnlessChosen();
    QApplication app(argc, argv);
    typing(3650, true);
    typing(36500, false);
    hugeNotes(1);
    hugeNotes(10);
    return 0;
}
