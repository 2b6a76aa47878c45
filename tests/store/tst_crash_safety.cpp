#include "store/state_file.h"
#include "store_fixtures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace StoreFixtures;

class TestCrashSafety : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedWriterLeavesAWholeFile();
};

void TestCrashSafety::killedWriterLeavesAWholeFile()
{
    const QString helper =
        QCoreApplication::applicationDirPath() + QStringLiteral("/store_helper_persist_loop");
    QVERIFY(QFileInfo(helper).isExecutable());

    // A large history of every spread: each write takes long enough to be interrupted.
    QList<Reading> history;
    const QList<Spread> spreads{Spread::daily, Spread::timeline, Spread::guidance, Spread::cross,
                                Spread::celtic};
    for (int i = 0; i < 1200; ++i) {
        const Spread spread = spreads.at(i % spreads.size());
        QList<qint64> ids;
        for (qsizetype k = 0; k < positions(spread).size(); ++k)
            ids.append((i + 5 * k) % 22);
        history.append(reading(spread, ids, i));
    }
    const Preferences preferences = StoreFixtures::preferences(true, true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QVERIFY(writeFile(path, document(preferences, history)));

    QString previousNotes = history.first().notes;
    int kills = 0;
    qint64 writes = 0;
    QElapsedTimer clock;
    clock.start();
    // Many kills, within a bounded time also under the sanitizers.
    while (kills < 60 && (kills < 12 || clock.elapsed() < 15000)) {
        const QString run = QString::number(kills + 1);
        QProcess child;
        child.start(helper, {path, run});
        QVERIFY(child.waitForStarted());
        // Wait for the first write to return: from then on the helper does nothing but
        // rewrite the file, so a kill at a random moment falls inside a write.
        QByteArray output;
        const QByteArray mark = run.toUtf8() + QByteArrayLiteral("-");
        const QByteArray firstWrite = "\n" + mark;
        while (!output.contains(firstWrite)) {
            QVERIFY2(child.waitForReadyRead(30000), "the helper did not start writing");
            output += child.readAllStandardOutput();
        }
        QTest::qSleep(int(QRandomGenerator::global()->bounded(0, 80)));
        child.kill(); // SIGKILL
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        output += child.readAllStandardOutput();
        ++kills;

        // The last write the helper saw return, and the one it may have been doing.
        qint64 acknowledged = 0;
        for (const QByteArray& line : output.split('\n')) {
            if (line.startsWith(mark))
                acknowledged = line.mid(mark.size()).toLongLong();
        }
        const QString done =
            acknowledged ? run + QLatin1Char('-') + QString::number(acknowledged) : previousNotes;
        const QString next = run + QLatin1Char('-') + QString::number(acknowledged + 1);

        QString error;
        const std::optional<SavedState> state =
            StateFile::decodeAndValidate(readFile(path), &error);
        QVERIFY2(state, qPrintable(QStringLiteral("kill %1: %2").arg(kills).arg(error)));
        QCOMPARE(state->preferences, preferences);
        QCOMPARE(state->history.size(), history.size());
        const QString notes = state->history.first().notes;
        QVERIFY2(notes == done || notes == next, qPrintable(notes + QStringLiteral(" is neither ") +
                                                            done + QStringLiteral(" nor ") + next));
        Reading first = history.first();
        first.notes = notes;
        QCOMPARE(state->history.first(), first);
        QVERIFY(state->history.mid(1) == history.mid(1));
        previousNotes = notes;

        writes += acknowledged;
    }
    qInfo("%d kills after %lld completed writes, %lld ms", kills, writes, qint64(clock.elapsed()));
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crash_safety.moc"
