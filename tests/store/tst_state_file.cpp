#include "model/json_reader.h"
#include "store/app_store.h"
#include "store/backups.h"
#include "store/state_encoder.h"
#include "store/state_file.h"
#include "store/state_parser.h"
#include "store_fixtures.h"
#include "support/recording_services.h"
#include "support/test_paths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace StoreFixtures;

namespace {

const QString readPrefix = QStringLiteral("No se pudo leer la configuración: ");
const QString readSuffix = QStringLiteral(" El archivo original se conserva.");

QList<Reading> validHistory()
{
    return {reading(Spread::timeline, {4, 9, 13}, 1), reading(Spread::daily, {0}, 2),
            reading(Spread::cross, {11, 3, 20, 8, 14}, 3)};
}

// Limits the size of files this process may write while it lives; a write past the limit
// then fails with EFBIG, as the program ignores SIGXFSZ.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    rlimit saved{};
};

// Makes `folder` refuse new files, also to the superuser (as an immutable folder, where the
// file system allows it). Returns whether it could.
bool setReadOnly(const QString& folder, bool readOnly)
{
    if (geteuid() != 0)
        return QFile::setPermissions(
            folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                        (readOnly ? QFileDevice::Permissions() : QFileDevice::WriteOwner));
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = readOnly ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        close(fd);
    return done;
}

QList<Reading> fiftyReadings()
{
    QList<Reading> history;
    for (int i = 0; i < 50; ++i)
        history.append(reading(Spread::daily, {i % 22}, i + 1));
    return history;
}

QStringList recoveryCopies(const QString& folder)
{
    return listing(folder).filter(QRegularExpression(QStringLiteral("^state-recuperacion-")));
}

} // namespace

class TestStateFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writtenDocumentIsSortedAndPrettyPrinted();
    void unreadableDocumentIsKeptAndCopied_data();
    void unreadableDocumentIsKeptAndCopied();
    void recoveryCopyNameAlreadyTaken();
    void earlierFileIsRewrittenUnchanged();
    void failedWriteLeavesTheReadingUnsaved_data();
    void failedWriteLeavesTheReadingUnsaved();
    void uncopiedOriginalIsNeverReplaced();
    void changesByAnotherProgramAreKeptAside();
    void validReadingsAreRecoveredFromTheCopy_data();
    void validReadingsAreRecoveredFromTheCopy();
    void oddFilesAreNeitherReadNorReplaced();
    void repeatedIdentifiersBecomeDistinct();
    void filesArePrivate();
};

void TestStateFile::writtenDocumentIsSortedAndPrettyPrinted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos/nuevos/state.json"));
    AppStore store(path);
    store.restore(reading(Spread::daily, {5}));
    store.updateNotes(QStringLiteral("aún no guardada"));
    QVERIFY(store.flush());
    QVERIFY(listing(dir.path()).isEmpty());

    // The first change creates the missing folders; a second store reads back exactly what
    // the first one holds, dates included.
    for (const Reading& r : validHistory()) {
        store.restore(r);
        store.saveCurrent();
    }
    QVERIFY(store.flush());
    QCOMPARE(readFile(path), document(store.preferences(), store.history()));
    AppStore again(path);
    QVERIFY(!again.error() && again.history() == store.history());
    QCOMPARE(again.preferences(), store.preferences());
}

void TestStateFile::unreadableDocumentIsKeptAndCopied_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("description");
    // The damaged documents of the fuzz corpus, each with the description its reader gets.
    const QString table =
        QString::fromUtf8(readFile(TestPaths::fixture(QStringLiteral("state-descriptions.tsv"))));
    int rows = 0;
    for (const QString& line : table.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('#')))
            continue;
        ++rows;
        const QString name = line.section(QLatin1Char('\t'), 0, 0);
        QTest::newRow(qPrintable(name))
            << readFile(TestPaths::fixture(QStringLiteral("state-corpus/") + name))
            << line.section(QLatin1Char('\t'), 1);
    }
    QVERIFY(rows >= 20);
}

void TestStateFile::unreadableDocumentIsKeptAndCopied()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, description);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QVERIFY(writeFile(path, content));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup);
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    AppStore store(path);
    const qint64 after = QDateTime::currentSecsSinceEpoch();

    QVERIFY(store.recoveryCopy());
    QCOMPARE(store.error(), std::optional<QString>(readPrefix + description + readSuffix +
                                                   QStringLiteral(" Hay una copia en «") +
                                                   *store.recoveryCopy() + QStringLiteral("».")));
    QVERIFY(store.history().isEmpty());
    QCOMPARE(store.preferences(), Preferences());
    QVERIFY(store.showSetup());

    // One copy beside the file, named after the moment of the failure; the file untouched.
    const QStringList copies = recoveryCopies(dir.path());
    QCOMPARE(copies.size(), 1);
    const QRegularExpressionMatch stamp =
        QRegularExpression(QStringLiteral("^state-recuperacion-(\\d+)\\.json$"))
            .match(copies.first());
    QVERIFY(stamp.hasMatch());
    QVERIFY(stamp.captured(1).toLongLong() >= before && stamp.captured(1).toLongLong() <= after);
    QCOMPARE(dir.filePath(copies.first()), *store.recoveryCopy());
    QCOMPARE(readFile(*store.recoveryCopy()), content);
    QCOMPARE(QFile::permissions(*store.recoveryCopy()), QFile::permissions(path));
    QCOMPARE(readFile(path), content);
    // The same damaged bytes met again are not copied again.
    QCOMPARE(AppStore(path).recoveryCopy(), store.recoveryCopy());
    QCOMPARE(listing(dir.path()).size(), 2);

    // The next write replaces the file; the copy keeps the damaged content.
    store.setError(std::nullopt);
    store.apply(preferences(true, true));
    QVERIFY(store.flush());
    QCOMPARE(readFile(path), document(store.preferences()));
    QCOMPARE(readFile(dir.filePath(copies.first())), content);
}

void TestStateFile::earlierFileIsRewrittenUnchanged()
{
    // Written by the version before readings could have their own deck or follow-ups.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    const QByteArray earlier =
        readFile(TestPaths::fixture(QStringLiteral("state-written-earlier.json")));
    QVERIFY(writeFile(path, earlier));
    AppStore store(path);
    QVERIFY(!store.error());
    for (const Reading& reading : store.history())
        QVERIFY(!reading.ownDeck && reading.followUps.isEmpty());
    store.toggleFavorite(store.history().at(1).id);
    store.toggleFavorite(store.history().at(1).id);
    QVERIFY(store.flush());
    QCOMPARE(readFile(path), earlier);
}

void TestStateFile::recoveryCopyNameAlreadyTaken()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    const QByteArray damaged = QByteArrayLiteral("{\"dañado\": ");
    writeFile(path, damaged);

    // Another content under every name the next seconds could give.
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (qint64 second = now; second < now + 5; ++second)
        writeFile(dir.filePath(StateFile::recoveryFileName(second)), QByteArrayLiteral("otro"));
    const QStringList taken = recoveryCopies(dir.path());

    AppStore store(path);
    QVERIFY(store.error());
    QStringList added = recoveryCopies(dir.path());
    for (const QString& name : taken)
        added.removeOne(name);
    QCOMPARE(added.size(), 1);
    QVERIFY(added.first().endsWith(QStringLiteral("-2.json")));
    QCOMPARE(readFile(dir.filePath(added.first())), damaged);

    // A copy that already holds the same content is enough: no further copy.
    const auto again =
        StateFile::setAside(path, added.first().section(QLatin1Char('-'), 2, 2).toLongLong());
    QVERIFY(again.secured && again.copyPath == dir.filePath(added.first()));
    QCOMPARE(recoveryCopies(dir.path()).size(), taken.size() + 1);
}

void TestStateFile::failedWriteLeavesTheReadingUnsaved_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<int>("readings");
    QTest::addColumn<QString>("sentence");
    const QString tooLarge =
        QStringLiteral("El archivo supera el tamaño máximo que permite el sistema");
    // A large document, and one so small that it fails only in the final flush, which
    // QSaveFile alone would report as a success.
    QTest::newRow("size limit, large") << QStringLiteral("limit") << 3 << tooLarge;
    QTest::newRow("size limit, small") << QStringLiteral("limit") << 0 << tooLarge;
    QTest::newRow("read-only folder")
        << QStringLiteral("read-only") << 1
        << QStringLiteral("No tienes permiso para escribir en la carpeta «%1»");
    QTest::newRow("folder blocked by a file")
        << QStringLiteral("blocked") << 0
        << QStringLiteral("No se puede crear la carpeta «%1/Arcandel» porque «%1» es un "
                          "archivo, no una carpeta");
    QTest::newRow("a folder at the state path")
        << QStringLiteral("folder") << 0
        << QStringLiteral("«%1/state.json» es una carpeta, no un archivo");
}

void TestStateFile::failedWriteLeavesTheReadingUnsaved()
{
    QFETCH(QString, cause);
    QFETCH(int, readings);
    QFETCH(QString, sentence);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("datos"));
    QString path = folder + QStringLiteral("/state.json");
    if (cause == QStringLiteral("blocked")) {
        writeFile(folder, QByteArrayLiteral("un archivo corriente"));
        path = folder + QStringLiteral("/Arcandel/state.json");
    } else if (cause == QStringLiteral("folder")) {
        QVERIFY(QDir().mkpath(path + QStringLiteral("/dentro")));
    } else {
        writeFile(path, document(preferences(false, true), validHistory().mid(0, readings)));
    }
    const QByteArray previous = readFile(path);
    AppStore store(path);
    store.waitForWriter(); // the day's backup
    const QStringList files = listing(folder);
    store.setError(std::nullopt); // a folder at the path cannot be read either
    std::optional<FileSizeLimit> limit;
    if (cause == QStringLiteral("limit"))
        limit.emplace(rlim_t(previous.size()));
    if (cause == QStringLiteral("read-only") && !setReadOnly(folder, true))
        QSKIP("this file system cannot refuse new files to the superuser");

    const Reading added = reading(Spread::celtic, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 9);
    store.restore(added);
    store.saveCurrent();
    QVERIFY(!store.flush());
    QCOMPARE(store.error(), std::optional<QString>(QStringLiteral("No se pudo guardar: ") +
                                                   sentence.arg(folder) + QLatin1Char('.')));
    QVERIFY(store.writeFailed() && store.hasUnsavedChanges() && !store.isSaved(added.id));
    QCOMPARE(store.history().size(), readings);
    QCOMPARE(readFile(path), previous);
    QCOMPARE(listing(folder), files); // no leftovers

    // Once the cause is gone, running the save again saves the reading.
    limit.reset();
    setReadOnly(folder, false);
    QFile::remove(folder);
    QDir(path).removeRecursively();
    store.setError(std::nullopt);
    store.retry();
    QVERIFY(store.flush() && store.isSaved(added.id) && !store.writeFailed() && !store.error());
    QCOMPARE(stateAt(path)->history, store.history());
}

void TestStateFile::uncopiedOriginalIsNeverReplaced()
{
    // The recovery copy fails (the file is larger than what may be written) while writing the
    // new, small document would succeed: the damaged file must not be replaced uncopied.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QList<Reading> history(12, reading(Spread::cross, {11, 3, 20, 8, 14}));
    history.last().revealed = 6;
    const QByteArray damaged = document(preferences(false, true), history);
    writeFile(path, damaged);
    std::optional<FileSizeLimit> limit;
    limit.emplace(rlim_t(4096));
    AppStore store(path);
    QVERIFY(store.error()->startsWith(readPrefix + StateFile::invalidReadingSentence()));
    QVERIFY(recoveryCopies(dir.path()).isEmpty());

    store.apply(preferences(true, true));
    QVERIFY(!store.flush());
    QVERIFY(store.error()->contains(QStringLiteral("no se sustituye para no perder")));
    QCOMPARE(readFile(path), damaged);
    QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("state.json")});

    // Once a copy can be made, it is made first and the write goes ahead.
    limit.reset();
    store.retry();
    QVERIFY(store.flush());
    const QStringList copies = recoveryCopies(dir.path());
    QCOMPARE(copies.size(), 1);
    QCOMPARE(readFile(dir.filePath(copies.first())), damaged);
    QCOMPARE(readFile(path), document(store.preferences()));
}

void TestStateFile::changesByAnotherProgramAreKeptAside()
{
    const QByteArray theirs = document(preferences(true, true), {reading(Spread::daily, {7}, 7)});
    // Replaced by a new file; rewritten in place with the same size and modification time
    // (only the content tells); created where there was no file.
    for (const QString& way :
         {QStringLiteral("replaced"), QStringLiteral("in place"), QStringLiteral("created")}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state.json"));
        QByteArray ours = document(preferences(false, true), validHistory());
        if (way == QStringLiteral("in place")) {
            ours = theirs;
            ours.replace("\"name\": \"Ana\"", "\"name\": \"Eva\"");
        }
        if (way != QStringLiteral("created"))
            writeFile(path, ours);
        // A stamp ahead of the clock leaves the same stamp in doubt.
        const timespec later[2] = {{0, UTIME_OMIT}, {std::time(nullptr) + 3600, 0}};
        utimensat(AT_FDCWD, QFile::encodeName(path).constData(), later, 0);
        AppStore store(path);
        if (way != QStringLiteral("in place"))
            QFile::remove(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.write(theirs) == theirs.size());
        file.close();
        utimensat(AT_FDCWD, QFile::encodeName(path).constData(), later, 0);
        store.restore(reading(Spread::daily, {3}, 4));
        store.saveCurrent();
        QVERIFY(store.flush() && !store.error());
        QCOMPARE(stateAt(path)->history, store.history());
        const QRegularExpression name(QStringLiteral("^state-conflicto-\\d+\\.json$"));
        const QStringList copies = listing(dir.path()).filter(name);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readFile(dir.filePath(copies.first())), theirs);
        QVERIFY(store.notice()->message.contains(dir.filePath(copies.first())));

        // Our own writes are not taken for another program's.
        store.toggleFavorite(store.history().first().id);
        QVERIFY(store.flush());
        QCOMPARE(listing(dir.path()).filter(name), copies);
    }
}

void TestStateFile::validReadingsAreRecoveredFromTheCopy_data()
{
    QTest::addColumn<QByteArray>("damaged");
    QTest::addColumn<int>("bad");
    QTest::addColumn<int>("recovered");
    QTest::addColumn<bool>("withPreferences");
    const QByteArray whole = document(preferences(false, true), fiftyReadings());
    QList<Reading> oneBad = fiftyReadings();
    oneBad[20].cards[0].arcanaID = 22;
    QTest::newRow("one bad reading of 50")
        << document(preferences(false, true), oneBad) << 20 << 49 << true;
    // Cut inside reading 31: the preferences, written after the history, are gone too.
    QTest::newRow("cut short") << whole.left(
                                      whole.indexOf(uuidText(fiftyReadings().at(30).id).toUtf8()))
                               << 30 << 30 << false;
    QTest::newRow("history given again, empty")
        << QByteArray(whole).replace("\n    ],\n", "\n    ],\n    \"history\": [],\n") << -1 << 50
        << true;
}

void TestStateFile::validReadingsAreRecoveredFromTheCopy()
{
    QFETCH(QByteArray, damaged);
    QFETCH(int, bad);
    QFETCH(int, recovered);
    QFETCH(bool, withPreferences);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    writeFile(path, damaged);
    AppStore store(path);
    QVERIFY(store.recoveryCopy() && store.showSetup());
    const QString copy = *store.recoveryCopy();
    store.setError(std::nullopt);
    store.recoverValidReadings();
    QVERIFY(store.flush() && !store.recoveryCopy() && !store.error());

    QList<Reading> expected = fiftyReadings();
    if (bad >= 0)
        expected.removeAt(bad);
    QCOMPARE(store.history(), expected.first(recovered));
    QCOMPARE(stateAt(path)->history, store.history());
    QCOMPARE(store.preferences() == preferences(false, true), withPreferences);
    QCOMPARE(store.showSetup(), !withPreferences);
    QCOMPARE(readFile(copy), damaged);
    const QString message = store.notice()->message;
    QVERIFY2(message.startsWith(QStringLiteral("Has recuperado %1 tiradas").arg(recovered)),
             qPrintable(message));
    QCOMPARE(message.contains(QStringLiteral("Una tirada no se pudo recuperar")), bad >= 0);
}

void TestStateFile::oddFilesAreNeitherReadNorReplaced()
{
    const QString helper =
        QCoreApplication::applicationDirPath() + QStringLiteral("/store_helper_load");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    const QByteArray name = QFile::encodeName(path);
    const QList<std::pair<std::function<bool()>, QString>> oddities{
        {[&] { return mkfifo(name.constData(), 0600) == 0; },
         QStringLiteral("es una tubería con nombre (FIFO), no un archivo normal")},
        {[&] { return QFile::link(QStringLiteral("/dev/zero"), path); },
         QStringLiteral("es un dispositivo, no un archivo normal")},
        {[&] { return QDir().mkdir(path); }, QStringLiteral("es una carpeta, no un archivo")},
        // Sparse: takes no room on the disk.
        {[&] { return writeFile(path, {}) && truncate(name.constData(), (1ll << 30) + 1) == 0; },
         QStringLiteral("ocupa 1,00 GiB, y Arcandel no lee archivos de más de 1 GiB")},
    };
    for (const auto& [make, sentence] : oddities) {
        QVERIFY(make());
        struct stat before {};
        lstat(name.constData(), &before);
        QProcess child;
        child.start(helper, {path});
        // A start that waits on the file fails here instead of hanging the test.
        const bool finished = child.waitForFinished(30000);
        if (!finished)
            child.kill();
        QVERIFY2(finished, qPrintable(sentence));
        const QStringList said =
            QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY2(said.first().startsWith(readPrefix + QStringLiteral("«") + path +
                                         QStringLiteral("» ") + sentence),
                 qPrintable(said.first()));
        QVERIFY2(said.at(1).startsWith(QStringLiteral("No se pudo guardar: ")),
                 qPrintable(said.at(1)));
        struct stat after {};
        lstat(name.constData(), &after);
        QVERIFY(after.st_mode == before.st_mode && after.st_size == before.st_size);
        QDir(path).removeRecursively();
        QFile::remove(path);
    }
}

void TestStateFile::repeatedIdentifiersBecomeDistinct()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QList<Reading> history{reading(Spread::daily, {1}, 1), reading(Spread::daily, {2}, 2)};
    history[1].id = history[0].id;
    writeFile(path, document(preferences(false, true), history));
    AppStore store(path);
    QVERIFY(!store.error() && store.history().size() == 2);
    QCOMPARE(store.history().first(), history.first());
    Reading second = store.history().last();
    QVERIFY(second.id != history.first().id);
    second.id = history.first().id;
    QCOMPARE(second, history.last());

    // Deleting one leaves the other.
    const Reading kept = store.history().last();
    store.deleteReading(history.first().id);
    QVERIFY(store.flush());
    QCOMPARE(stateAt(path)->history, QList<Reading>{kept});
}

void TestStateFile::filesArePrivate()
{
    const mode_t usual = umask(022);
    const auto restoreUmask = qScopeGuard([usual] { umask(usual); });
    const auto mode = [](const QString& path) {
        struct stat info {};
        stat(QFile::encodeName(path).constData(), &info);
        return info.st_mode & 07777;
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nueva/carpeta/state.json"));
    AppStore(path).apply(preferences(false, true));
    AppStore store(path); // takes the day's backup
    store.waitForWriter();
    RecordingSaveDialog dialog;
    store.setSaveDialog(&dialog);
    const QString exported = dir.filePath(QStringLiteral("lectura.txt"));
    dialog.answer(exported);
    store.restore(reading(Spread::daily, {4}));
    store.exportCurrent();
    const QStringList backups = listing(Backups::folder(path));
    QCOMPARE(backups.size(), 1);
    for (const QString& file :
         QStringList{path, exported, Backups::folder(path) + QLatin1Char('/') + backups.first()})
        QCOMPARE(mode(file), 0600u);
    for (const QString& folder :
         {dir.filePath(QStringLiteral("nueva")), QFileInfo(path).path(), Backups::folder(path)})
        QCOMPARE(mode(folder), 0700u);

    // A file that exists keeps its mode.
    chmod(QFile::encodeName(path).constData(), 0644);
    store.apply(preferences(true, true));
    QVERIFY(store.flush());
    QCOMPARE(mode(path), 0644u);
}

QTEST_GUILESS_MAIN(TestStateFile)
#include "tst_state_file.moc"
