#include "model/json_reader.h"
#include "store/app_store.h"
#include "store/file_errors.h"
#include "store/state_encoder.h"
#include "store/state_file.h"
#include "store/state_parser.h"
#include "store_fixtures.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
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

// A valid document whose second reading is then changed by `edit`.
QByteArray withSecondReading(const std::function<void(QJsonObject&)>& edit)
{
    QJsonObject root = SavedState{preferences(false, true), validHistory()}.toJson();
    QJsonArray history = root.value(QStringLiteral("history")).toArray();
    QJsonObject second = history.at(1).toObject();
    edit(second);
    history.replace(1, second);
    root.insert(QStringLiteral("history"), history);
    return QJsonDocument(root).toJson();
}

QJsonArray cardArray(const QList<qint64>& ids)
{
    QJsonArray cards;
    for (qint64 id : ids)
        cards.append(DrawnCard{id, false}.toJson());
    return cards;
}

// Limits the size of files this process may write, for as long as it lives; a write past the
// limit then fails with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = nullptr;
};

// Makes `folder` refuse new files, also to the superuser (as an immutable folder, where the
// file system allows it). Returns whether it could.
bool setReadOnly(const QString& folder, bool readOnly)
{
    if (geteuid() != 0)
        return QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                 (readOnly ? QFileDevice::Permissions()
                                                           : QFileDevice::WriteOwner));
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = readOnly ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        close(fd);
    return done;
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
    void failedWriteLeavesTheReadingUnsaved_data();
    void failedWriteLeavesTheReadingUnsaved();
    void uncopiedOriginalIsNeverReplaced();
    void changesByAnotherProgramAreKeptAside();
    void encoderKeepsUnchangedReadings();
    void fastReaderAgreesWithGeneralDecoder();
    void systemErrorsInSpanish();
};

void TestStateFile::writtenDocumentIsSortedAndPrettyPrinted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos/nuevos/state.json"));
    AppStore store(path);
    QVERIFY(!store.error());
    store.restore(reading(Spread::daily, {5}));
    store.updateNotes(QStringLiteral("aún no guardada"));
    QVERIFY(store.flush());
    QVERIFY(listing(dir.path()).isEmpty());

    // The first change creates the missing folders.
    for (const Reading& r : validHistory()) {
        store.restore(r);
        store.saveCurrent();
    }
    store.toggleFavorite(validHistory().at(1).id);
    QVERIFY(store.flush());
    QCOMPARE(listing(dir.filePath(QStringLiteral("datos/nuevos"))),
             QStringList{QStringLiteral("state.json")});
    const QByteArray written = readFile(path);
    QCOMPARE(written, document(store.preferences(), store.history()));
    QVERIFY(written.startsWith("{\n    \"history\": [\n        {\n            \"cards\": [\n"));
    QVERIFY(written.contains("\n            \"date\": 763000002.25,\n"));
    QVERIFY(written.endsWith("\n    }\n}\n"));

    // A second store reads back exactly what the first one holds, dates included.
    AppStore again(path);
    QVERIFY(!again.error());
    QCOMPARE(again.history(), store.history());
    QCOMPARE(again.preferences(), store.preferences());
}

void TestStateFile::unreadableDocumentIsKeptAndCopied_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("description");

    QTest::newRow("invalid JSON") << QByteArrayLiteral("{\n  \"history\": [,\n}")
                                  << QStringLiteral("El archivo no es JSON válido: hay un valor no "
                                                    "válido (línea 2, columna 16).");
    QTest::newRow("not an object")
        << QByteArrayLiteral("[]") << QStringLiteral("El documento debe ser un objeto JSON.");
    QTest::newRow("missing key") << withSecondReading([](QJsonObject& r) {
        r.remove(QStringLiteral("notes"));
    }) << QStringLiteral("Falta la clave «notes» en la tirada 2 del historial.");
    QTest::newRow("missing preference")
        << QByteArrayLiteral("{\"history\": [], \"preferences\": {\"name\": \"\", \"deck\": \"\", "
                             "\"spread\": \"daily\", \"reversals\": false, \"animations\": true, "
                             "\"sound\": false, \"autoSave\": true, \"theme\": \"\"}}")
        << QStringLiteral("Falta la clave «onboardingDone» en las preferencias.");
    QTest::newRow("case name instead of raw value")
        << withSecondReading(
               [](QJsonObject& r) { r.insert(QStringLiteral("topic"), QStringLiteral("general")); })
        << QStringLiteral(
               "«general» no es un valor válido para la clave «topic» en la tirada 2 del "
               "historial.");

    const QString invalid = StateFile::invalidReadingSentence() + QLatin1Char(' ');
    QTest::newRow("card 22")
        << withSecondReading(
               [](QJsonObject& r) { r.insert(QStringLiteral("cards"), cardArray({22})); })
        << invalid + QStringLiteral("La tirada 2 del historial tiene en su carta 1 el número 22, "
                                    "que no es un arcano de 0 a 21.");
    QTest::newRow("negative card")
        << withSecondReading(
               [](QJsonObject& r) { r.insert(QStringLiteral("cards"), cardArray({-1})); })
        << invalid + QStringLiteral("La tirada 2 del historial tiene en su carta 1 el número -1, "
                                    "que no es un arcano de 0 a 21.");
    QTest::newRow("repeated card")
        << withSecondReading([](QJsonObject& r) {
               r.insert(QStringLiteral("spread"), QStringLiteral("timeline"));
               r.insert(QStringLiteral("cards"), cardArray({6, 2, 6}));
               r.insert(QStringLiteral("revealed"), 3);
           })
        << invalid + QStringLiteral("La tirada 2 del historial repite el arcano 6 en sus cartas 1 "
                                    "y 3.");
    QTest::newRow("revealed above the cards")
        << withSecondReading([](QJsonObject& r) { r.insert(QStringLiteral("revealed"), 2); })
        << invalid + QStringLiteral("La tirada 2 del historial tiene «revealed» 2, pero debe estar "
                                    "entre 0 y 1, su número de cartas.");
    QTest::newRow("negative revealed")
        << withSecondReading([](QJsonObject& r) { r.insert(QStringLiteral("revealed"), -1); })
        << invalid + QStringLiteral("La tirada 2 del historial tiene «revealed» -1, pero debe "
                                    "estar entre 0 y 1, su número de cartas.");
    QTest::newRow("three cards for five positions")
        << withSecondReading([](QJsonObject& r) {
               r.insert(QStringLiteral("spread"), QStringLiteral("cross"));
               r.insert(QStringLiteral("cards"), cardArray({1, 2, 3}));
               r.insert(QStringLiteral("revealed"), 3);
           })
        << invalid + QStringLiteral("La tirada 2 del historial tiene 3 cartas, pero «Cruz de cinco "
                                    "cartas» tiene 5 posiciones.");
    // The rules are tested in order: the count decides before the card numbers.
    QTest::newRow("first failing rule decides")
        << withSecondReading([](QJsonObject& r) {
               r.insert(QStringLiteral("cards"), cardArray({30, 30}));
               r.insert(QStringLiteral("revealed"), 9);
           })
        << invalid + QStringLiteral("La tirada 2 del historial tiene 2 cartas, pero «Una carta» "
                                    "tiene 1 posición.");
}

void TestStateFile::unreadableDocumentIsKeptAndCopied()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, description);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QVERIFY(writeFile(path, content));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    AppStore store(path);
    const qint64 after = QDateTime::currentSecsSinceEpoch();

    QCOMPARE(store.error(), std::optional<QString>(readPrefix + description + readSuffix));
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
    QCOMPARE(readFile(dir.filePath(copies.first())), content);
    QCOMPARE(readFile(path), content);
    QCOMPARE(listing(dir.path()).size(), 2);

    // The next write replaces the file; the copy keeps the damaged content.
    store.setError(std::nullopt);
    store.apply(preferences(true, true));
    QVERIFY(store.flush());
    QCOMPARE(readFile(path), document(store.preferences()));
    QCOMPARE(readFile(dir.filePath(copies.first())), content);
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
    const QString same = dir.filePath(added.first());
    StateFile::SetAsideResult again =
        StateFile::setAside(path, added.first().section(QLatin1Char('-'), 2, 2).toLongLong());
    QVERIFY(again.secured);
    QCOMPARE(again.copyPath, same);
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
        << QStringLiteral("folder") << 0 << QStringLiteral("«%1/state.json» es una carpeta, no un archivo");
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
    const QStringList files = listing(folder);
    Journal journal(path);
    AppStore& store = journal.store;
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
    QVERIFY(store.writeFailed() && store.hasUnsavedChanges());
    QVERIFY(!store.isSaved(added.id));
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
    QVERIFY(store.flush());
    QVERIFY(store.isSaved(added.id) && !store.writeFailed() && !store.error());
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
    for (const QString& way : {QStringLiteral("replaced"), QStringLiteral("in place"),
                               QStringLiteral("created")}) {
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
        Journal journal(path);
        AppStore& store = journal.store;

        if (way == QStringLiteral("in place")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QCOMPARE(file.write(theirs), qint64(ours.size()));
            file.close();
            utimensat(AT_FDCWD, QFile::encodeName(path).constData(), later, 0);
        } else {
            QFile::remove(path);
            writeFile(path, theirs);
        }
        store.restore(reading(Spread::daily, {3}, 4));
        store.saveCurrent();
        QVERIFY(store.flush());
        QCOMPARE(stateAt(path)->history, store.history());
        const QStringList copies = listing(dir.path()).filter(QStringLiteral("state-conflicto-"));
        QCOMPARE(copies.size(), 1);
        QVERIFY(QRegularExpression(QStringLiteral("^state-conflicto-\\d+\\.json$"))
                    .match(copies.first())
                    .hasMatch());
        QCOMPARE(readFile(dir.filePath(copies.first())), theirs);
        QVERIFY(store.notice()->contains(dir.filePath(copies.first())));
        QVERIFY(!store.error());

        // Our own writes are not taken for another program's.
        store.toggleFavorite(store.history().first().id);
        QVERIFY(store.flush());
        QCOMPARE(listing(dir.path()).filter(QStringLiteral("state-conflicto-")), copies);
    }
}

void TestStateFile::encoderKeepsUnchangedReadings()
{
    QList<Reading> history;
    const QList<Spread> spreads{Spread::daily, Spread::timeline, Spread::guidance, Spread::cross,
                                Spread::celtic};
    for (int i = 0; i < 40; ++i) {
        const Spread spread = spreads.at(i % 5);
        QList<qint64> ids;
        for (qsizetype k = 0; k < positions(spread).size(); ++k)
            ids.append((i + 3 * k) % 22);
        history.append(reading(spread, ids, i));
    }
    // Texts a writer must escape, and empty lists and texts.
    history[3].notes = QStringLiteral("comillas \" barra \\ / tab\t nl\n cr\r \u0001 \u2028 🂠 ñ");
    history[4].question = QString();
    history[5].interpretations.clear();
    history[6].cards.clear();
    history[9].notes = QStringLiteral("\u001f\u007f\uffff\u00ad") + QChar(0xD800) +
                       QStringLiteral("x") + QChar(0xDC00) + QChar(0xDBFF);
    history[10].reader = QString(QChar(0xDFFF));
    history[11].cards.append(DrawnCard{-9'000'000'000'000'000'000, true});
    history[11].revealed = -1;
    // Whole numbers up to 2^53 are written as integers, the rest in the shortest form.
    const QList<double> dates{0.0,
                              -0.0,
                              0.1,
                              -0.001,
                              1e12 + 0.5,
                              763e6,
                              1e21,
                              1e300,
                              1e-300,
                              1.5e-7,
                              9007199254740993.0,
                              123456789012345678.0,
                              -9007199254740992.0,
                              4.5e15 + 0.5};
    for (qsizetype i = 0; i < dates.size(); ++i)
        history[12 + i].date = dates.at(i);
    Preferences preferences;
    preferences.name = QStringLiteral("Ana \"la\" lectora");

    StateEncoder encoder;
    auto check = [&](qsizetype expectedEncoded) {
        const QByteArray bytes = encoder.encode(preferences, history);
        const QByteArray whole = StateEncoder::encodeWhole(SavedState{preferences, history});
        qsizetype at = 0;
        while (at < bytes.size() && at < whole.size() && bytes.at(at) == whole.at(at))
            ++at;
        // Show where they part, if they do.
        QCOMPARE(bytes.mid(at - 80, 160), whole.mid(at - 80, 160));
        QVERIFY(bytes == whole);
        QCOMPARE(encoder.lastEncodedCount(), expectedEncoded);
    };
    check(history.size());
    check(0);
    history[17].notes += QStringLiteral(" más");
    check(1);
    history[2].favorite = true;
    history[30].revealed = 0;
    check(2);
    history.removeAt(10);
    preferences.sound = true;
    check(0);
    history.prepend(reading(Spread::daily, {21}, 99));
    check(1);
    // The same identifier twice with different content.
    Reading twin = history.at(5);
    twin.notes = QStringLiteral("gemela");
    history.append(twin);
    QCOMPARE(encoder.encode(preferences, history),
             StateEncoder::encodeWhole(SavedState{preferences, history}));
    history.clear();
    check(0);
}

void TestStateFile::fastReaderAgreesWithGeneralDecoder()
{
    QList<Reading> history = validHistory();
    history[0].notes = QStringLiteral("comillas \" barra \\ / tab\t nl\n \u0001 \u2028 🂠 ñ \uFEFF");
    history[1].id = QUuid(QStringLiteral("{0f0e0d0c-0b0a-4908-8706-050403020100}"));
    const QByteArray canonical = document(preferences(false, true), history);
    QString text = QString::fromUtf8(canonical);
    const QByteArray compact = QJsonDocument(SavedState{preferences(false, true), history}.toJson())
                                   .toJson(QJsonDocument::Compact);
    auto replaced = [&](const QString& from, const QString& to) {
        QString copy = text;
        copy.replace(from, to);
        return copy.toUtf8();
    };
    const QString firstDate = QStringLiteral("\"date\": 763000002.25");
    const QString firstRevealed = QStringLiteral("\"revealed\": 3");

    // Documents the fast reader must take itself, and those it must leave to the decoder.
    const QList<QPair<QByteArray, bool>> cases{
        {canonical, true},
        {compact, true},
        {replaced(firstDate,
                  QStringLiteral("\"extra\": [{\"a\": [1, -2.5e3, null, true, \"x\\u00e9\"]}], ") +
                      firstDate),
         true},
        {replaced(firstDate, QStringLiteral("\"date\": 7.6300000225e8")), true},
        {replaced(firstDate, QStringLiteral("\"date\": -0")), true},
        {replaced(firstDate, QStringLiteral("\"date\": -0.0")), true},
        {replaced(firstDate, QStringLiteral("\"date\": 12345678901234567890")), true},
        {replaced(QStringLiteral("nl\\n"), QStringLiteral("nl\\u000a \\ud83c\\udca0 \\/")), true},
        {replaced(uuidText(history[1].id), uuidText(history[1].id).toLower()), true},
        {replaced(firstDate, QStringLiteral("\"date\": 1e400")), false},
        {replaced(firstDate, QStringLiteral("\"date\": 1e-320")), false},
        {replaced(firstRevealed, QStringLiteral("\"revealed\": 3.0")), false},
        {replaced(firstRevealed, QStringLiteral("\"revealed\": 03")), false},
        {replaced(firstRevealed, QStringLiteral("\"revealed\": 3, \"revealed\": 2")), false},
        {replaced(QStringLiteral("\"notes\""), QStringLiteral("\"not\\u0065s\"")), false},
        // Lone surrogates stay as they are, in both readers.
        {replaced(QStringLiteral("nl\\n"), QStringLiteral("\\ud800 \\udca0")), true},
        {replaced(QStringLiteral("nl\\n"), QStringLiteral("\\x")), false},
        {replaced(QStringLiteral("nl\\n"), QStringLiteral("\t")), false},
        {replaced(firstRevealed, QStringLiteral("\"revealed\": null")), false},
        {replaced(QStringLiteral("\"favorite\": false"), QStringLiteral("\"favorite\": 0")), false},
        {replaced(QStringLiteral("\"topic\": \"General\""),
                  QStringLiteral("\"topic\": \"general\"")),
         false},
        {QByteArray("\xEF\xBB\xBF") + canonical, false},
        {canonical + "x", false},
        {canonical.left(canonical.size() / 2), false},
        {QByteArray(canonical).replace("ñ", "\xC3\x28"), false},
        {QByteArray(canonical).replace("ñ", "\xED\xA0\x80"), false},
        {QByteArray(canonical).replace("ñ", "\xC0\xAF"), false},
        {QByteArrayLiteral("{\"history\": [], \"preferences\": {}}"), false},
        {QByteArrayLiteral(""), false},
    };
    for (const auto& [bytes, fast] : cases) {
        const std::optional<SavedState> quick = StateParser::parse(bytes);
        QString error;
        const std::optional<SavedState> general = SavedState::decode(bytes, &error);
        QVERIFY2(bool(quick) == fast, bytes.left(300).constData());
        if (quick) {
            QVERIFY2(general, qPrintable(error));
            QVERIFY(*quick == *general);
            // Equal down to the bytes written back (a -0 date, for instance).
            QCOMPARE(StateEncoder::encodeWhole(*quick), StateEncoder::encodeWhole(*general));
        }
    }
    QCOMPARE(*StateParser::parse(canonical), (SavedState{preferences(false, true), history}));
}

void TestStateFile::systemErrorsInSpanish()
{
    // Qt's own English texts for the causes it names itself; the C library's for the rest.
    QCOMPARE(FileErrors::systemErrorSentence(QStringLiteral("No space left on device")),
             std::optional<QString>(QStringLiteral("No queda espacio libre en el disco.")));
    QCOMPARE(FileErrors::systemErrorSentence(QStringLiteral("Permission denied")),
             std::optional<QString>(
                 QStringLiteral("El sistema no concede permiso para acceder al archivo.")));
    QCOMPARE(FileErrors::systemErrorSentence(QString::fromLocal8Bit(strerror(EROFS))),
             std::optional<QString>(QStringLiteral("El disco es de solo lectura.")));
    QCOMPARE(
        FileErrors::systemErrorSentence(QString::fromLocal8Bit(strerror(ENFILE))),
        std::optional<QString>(QStringLiteral("Hay demasiados archivos abiertos en el sistema.")));
    QCOMPARE(FileErrors::systemErrorSentence(QStringLiteral("Algo desconocido")), std::nullopt);
    QCOMPARE(FileErrors::systemErrorSentence(QString()), std::nullopt);
}

QTEST_GUILESS_MAIN(TestStateFile)
#include "tst_state_file.moc"
