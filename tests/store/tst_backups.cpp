#include "store/app_store.h"
#include "store/backups.h"
#include "store_fixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace StoreFixtures;

class TestBackups : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneCopyADayThinnedOutToDaysAndWeeks();
    void restoreReplacesTheJournalAndKeepsTheOneItReplaced();
};

void TestBackups::oneCopyADayThinnedOutToDaysAndWeeks()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    const QString copies = Backups::folder(path);
    QDateTime now(QDate(2024, 3, 1), QTime(9, 30));
    const auto clock = [&now] { return now; };
    writeFile(path, document(preferences(false, true)));
    // Opened twice a day, with a reading saved in between: the day's copy is the journal as
    // the first start of the day found it.
    for (int day = 0; day < 45; ++day, now = now.addDays(1)) {
        const QByteArray morning = readFile(path);
        for (int start = 0; start < 2; ++start) {
            AppStore store(path, false, nullptr, clock);
            store.restore(reading(Spread::daily, {day % 22}, 2 * day + start + 1));
            store.saveCurrent();
        }
        QCOMPARE(readFile(copies + now.toString(QStringLiteral("/'state-'yyyy-MM-dd'.json'"))),
                 morning);
    }
    // The last seven days, and the last copy (a Sunday's) of each of the four weeks before.
    const QStringList kept{
        QStringLiteral("state-2024-03-17.json"), QStringLiteral("state-2024-03-24.json"),
        QStringLiteral("state-2024-03-31.json"), QStringLiteral("state-2024-04-07.json"),
        QStringLiteral("state-2024-04-08.json"), QStringLiteral("state-2024-04-09.json"),
        QStringLiteral("state-2024-04-10.json"), QStringLiteral("state-2024-04-11.json"),
        QStringLiteral("state-2024-04-12.json"), QStringLiteral("state-2024-04-13.json"),
        QStringLiteral("state-2024-04-14.json")};
    QCOMPARE(listing(copies), kept);
    QCOMPARE(QFile::permissions(copies + QStringLiteral("/state-2024-04-14.json")),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                 QFileDevice::WriteUser);

    // Preview mode reads and writes no copy.
    AppStore preview(path, true, nullptr, clock);
    QVERIFY(preview.backups().isEmpty());
    QCOMPARE(listing(copies), kept);
}

void TestBackups::restoreReplacesTheJournalAndKeepsTheOneItReplaced()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QDateTime now(QDate(2024, 5, 3), QTime(10, 0));
    const auto clock = [&now] { return now; };
    const QList<Reading> earlier{reading(Spread::daily, {1}, 1), reading(Spread::daily, {2}, 2)};
    const QByteArray first = document(preferences(false, true), earlier);
    writeFile(path, first);
    AppStore(path, false, nullptr, clock);
    now = now.addDays(1);
    AppStore store(path, false, nullptr, clock);
    store.restore(reading(Spread::daily, {3}, 3));
    store.saveCurrent();
    // Scheduled, not yet written: the restore writes it first, into the copy it keeps.
    store.updateNotes(QStringLiteral("escrito justo antes"));
    const QString damaged = Backups::folder(path) + QStringLiteral("/state-2024-05-02.json");
    writeFile(damaged, QByteArrayLiteral("{\"history\": ["));

    const QList<Backups::Entry> entries = store.backups();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.at(1).readings, std::optional<qsizetype>(2));
    QVERIFY(!entries.at(2).readings && entries.at(2).problem.contains(QStringLiteral("JSON")));
    store.waitForWriter();
    const QByteArray current = readFile(path);
    QVERIFY(!store.restoreBackup(damaged));
    QVERIFY(store.error()->startsWith(QStringLiteral("No se pudo restaurar la copia: ")));
    QCOMPARE(readFile(path), current);
    QCOMPARE(store.history().size(), 3);

    QVERIFY(store.restoreBackup(entries.at(1).path));
    QCOMPARE(readFile(path), first);
    QCOMPARE(store.history(), earlier);
    const QString kept = Backups::folder(path) + QStringLiteral("/state-2024-05-04-100000.json");
    QCOMPARE(stateAt(kept)->history.first().notes, QStringLiteral("escrito justo antes"));
    QCOMPARE(store.notice()->message,
             QStringLiteral("Tu diario ha vuelto a la copia del 3 de mayo de 2024, con 2 tiradas. "
                            "Tu diario tal como estaba se conserva en «") +
                 kept + QStringLiteral("»."));

    // And back again: the journal it replaced is one more copy to restore.
    store.toggleFavorite(earlier.first().id);
    QVERIFY(store.restoreBackup(kept));
    QCOMPARE(store.history().size(), 3);
    QVERIFY(store.flush());
    QCOMPARE(stateAt(path)->history, store.history());
}

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
