#include "store/journal_lock.h"
#include "store/state_file.h"
#include "store_fixtures.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace StoreFixtures;

class TestCrashSafety : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedWhileTypingLeavesAWholeRecentFile();
};

void TestCrashSafety::killedWhileTypingLeavesAWholeRecentFile()
{
    const QString helper =
        QCoreApplication::applicationDirPath() + QStringLiteral("/store_helper_persist_loop");
    QVERIFY(QFileInfo(helper).isExecutable());

    // A history large enough that each write takes a while.
    QList<Reading> history;
    for (int i = 0; i < 600; ++i)
        history.append(reading(Spread::celtic, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, i));
    const Preferences preferences = StoreFixtures::preferences(true, true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QVERIFY(writeFile(path, document(preferences, history)));

    QString previousNotes = history.first().notes;
    qint64 writes = 0;
    for (int kill = 1; kill <= 100; ++kill) {
        const QString run = QString::number(kill);
        QProcess child;
        child.start(helper, {path, run});
        QVERIFY(child.waitForStarted());
        // From the first write on, the helper writes again and again: a kill at a random
        // moment mostly falls inside a write. Each run takes over the lock the killed one
        // left behind.
        QByteArray output;
        while (!output.contains("written ")) {
            QVERIFY2(child.waitForReadyRead(30000), "the helper did not start writing");
            output += child.readAllStandardOutput();
        }
        if (kill == 1)
            QCOMPARE(JournalLock(path).acquire(), JournalLock::Result::heldElsewhere);
        QTest::qSleep(int(QRandomGenerator::global()->bounded(0, 60)));
        child.kill(); // SIGKILL
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        output += child.readAllStandardOutput();

        // The file holds the notes of the last write the helper saw finish, or later ones.
        const QByteArray mark = "written " + run.toUtf8() + '-';
        qint64 acknowledged = 0;
        for (const QByteArray& line : output.split('\n')) {
            if (line.startsWith(mark))
                acknowledged = line.mid(mark.size()).toLongLong();
        }
        QString error;
        const std::optional<SavedState> state =
            StateFile::decodeAndValidate(readFile(path), &error);
        QVERIFY2(state, qPrintable(QStringLiteral("kill %1: %2").arg(kill).arg(error)));
        QCOMPARE(state->preferences, preferences);
        const QString notes = state->history.first().notes;
        const qint64 held = notes.startsWith(run + QLatin1Char('-'))
                                ? notes.mid(run.size() + 1).toLongLong()
                                : (notes == previousNotes ? 0 : -1);
        QVERIFY2(held >= acknowledged,
                 qPrintable(notes + QStringLiteral(" after ") + QString::number(acknowledged)));
        history.first().notes = notes;
        QVERIFY(state->history == history);
        previousNotes = notes;
        writes += output.count("written ");
    }
    QCOMPARE(JournalLock(path).acquire(), JournalLock::Result::acquired);
    qInfo("100 kills after %lld completed writes", writes);
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crash_safety.moc"
