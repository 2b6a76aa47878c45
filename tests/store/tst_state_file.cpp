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
#include <sys/resource.h>
#include <unistd.h>

using namespace StoreFixtures;

namespace {

const QString readPrefix = QStringLiteral("No se pudo leer la configuración: ");
const QString readSuffix = QStringLiteral(" El archivo original se conserva.");
const QString savePrefix = QStringLiteral("No se pudo guardar: ");
const QString saveSuffix = QStringLiteral(". Puedes volver a intentarlo desde el historial.");

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

QStringList recoveryCopies(const QString& folder)
{
    return listing(folder).filter(QRegularExpression(QStringLiteral("^state-recuperacion-")));
}

} // namespace

class TestStateFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStartWritesOnlyAtFirstChange();
    void writtenDocumentIsSortedAndPrettyPrinted();
    void unreadableDocumentIsKeptAndCopied_data();
    void unreadableDocumentIsKeptAndCopied();
    void recoveryCopyNameAlreadyTaken();
    void folderThatCannotBeCreated();
    void stateFileThatIsAFolder();
    void failedWriteKeepsPreviousFileAndMemory_data();
    void failedWriteKeepsPreviousFileAndMemory();
    void uncopiedOriginalIsNeverReplaced_data();
    void uncopiedOriginalIsNeverReplaced();
    void unreadableFileWithoutPermission();
    void encoderKeepsUnchangedReadings();
    void fastReaderAgreesWithGeneralDecoder();
    void systemErrorsInSpanish();
};

void TestStateFile::firstStartWritesOnlyAtFirstChange()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos/nuevos/state.json"));
    AppStore store(path);
    QVERIFY(!store.error());
    QVERIFY(listing(dir.path()).isEmpty());

    store.restore(reading(Spread::daily, {5}));
    store.updateNotes(QStringLiteral("aún no guardada"));
    QVERIFY(listing(dir.path()).isEmpty());

    // The first change creates the missing folders.
    store.saveCurrent();
    QVERIFY(!store.error());
    QCOMPARE(listing(dir.filePath(QStringLiteral("datos/nuevos"))),
             QStringList{QStringLiteral("state.json")});

    // A second store reads back exactly what the first one holds, dates included.
    AppStore again(path);
    QVERIFY(!again.error());
    QCOMPARE(again.history(), store.history());
    QCOMPARE(again.preferences(), store.preferences());
    QCOMPARE(again.history().first().date, reading(Spread::daily, {5}).date);
}

void TestStateFile::writtenDocumentIsSortedAndPrettyPrinted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    writeFile(path, document(preferences(false, true), validHistory()));
    AppStore store(path);
    store.toggleFavorite(validHistory().at(1).id);

    const QByteArray written = readFile(path);
    QCOMPARE(written, document(store.preferences(), store.history()));
    QVERIFY(written.startsWith("{\n    \"history\": [\n        {\n            \"cards\": [\n"));
    QVERIFY(written.indexOf("\"history\"") < written.indexOf("\"preferences\""));
    QVERIFY(written.contains("\n            \"date\": 763000002.25,\n"));
    QVERIFY(written.contains("\"favorite\": true"));
    const QByteArray id = "\"id\": \"" + uuidText(validHistory().at(0).id).toUtf8() + '"';
    QVERIFY(written.contains(id));
    QVERIFY(written.endsWith("\n    }\n}\n"));
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
    QVERIFY(!store.error());
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

void TestStateFile::folderThatCannotBeCreated()
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("bloqueo"));
    writeFile(blocker, QByteArrayLiteral("un archivo corriente"));
    const QString path = blocker + QStringLiteral("/Arcandel/state.json");

    AppStore store(path);
    QVERIFY(!store.error());
    const Reading r = reading(Spread::timeline, {1, 2, 3});
    store.restore(r);
    store.saveCurrent();
    QCOMPARE(store.error(), std::optional<QString>(
                                savePrefix + QStringLiteral("No se puede crear la carpeta «") +
                                blocker + QStringLiteral("/Arcandel» porque «") + blocker +
                                QStringLiteral("» es un archivo, no una carpeta") + saveSuffix));
    // Memory keeps the reading, so saving again from the history can succeed later.
    QCOMPARE(store.history(), QList<Reading>{r});
    QVERIFY(store.isSaved(r.id));
    QCOMPARE(readFile(blocker), QByteArrayLiteral("un archivo corriente"));

    QVERIFY(QFile::remove(blocker));
    store.setError(std::nullopt);
    store.toggleFavorite(r.id);
    QVERIFY(!store.error());
    QCOMPARE(stateAt(path)->history, store.history());
}

void TestStateFile::stateFileThatIsAFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QVERIFY(QDir().mkpath(path + QStringLiteral("/dentro")));

    AppStore store(path);
    QCOMPARE(store.error(), std::optional<QString>(
                                readPrefix + QStringLiteral("«") + path +
                                QStringLiteral("» es una carpeta, no un archivo.") + readSuffix));
    QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("state.json")});

    store.apply(preferences(true, true));
    QCOMPARE(store.error(), std::optional<QString>(
                                savePrefix + QStringLiteral("«") + path +
                                QStringLiteral("» es una carpeta, no un archivo") + saveSuffix));
    QVERIFY(store.preferences().onboardingDone);
    QCOMPARE(listing(path), QStringList{QStringLiteral("dentro")});
}

void TestStateFile::failedWriteKeepsPreviousFileAndMemory_data()
{
    QTest::addColumn<QList<Reading>>("before");
    QTest::addColumn<Reading>("added");
    // Larger than QFileDevice's write buffer, and smaller: the small one fails only in the
    // final flush, which QSaveFile alone would report as a success.
    QTest::newRow("large document")
        << validHistory() << reading(Spread::celtic, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 9);
    QTest::newRow("small document") << QList<Reading>() << reading(Spread::daily, {8}, 9);
}

void TestStateFile::failedWriteKeepsPreviousFileAndMemory()
{
    QFETCH(QList<Reading>, before);
    QFETCH(Reading, added);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    const QByteArray previous = document(preferences(false, true), before);
    writeFile(path, previous);
    AppStore store(path);
    store.restore(added);
    {
        // Smaller than the new document: the write fails part-way, as on a full disk.
        FileSizeLimit limit(rlim_t(previous.size()));
        store.saveCurrent();
    }
    QCOMPARE(store.error(),
             std::optional<QString>(savePrefix +
                                    QStringLiteral("El archivo supera el tamaño máximo que "
                                                   "permite el sistema") +
                                    saveSuffix));
    QCOMPARE(readFile(path), previous);
    QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("state.json")}); // no leftovers
    QCOMPARE(store.history().size(), before.size() + 1);
    QCOMPARE(store.history().first(), added);

    store.setError(std::nullopt);
    store.saveCurrent();
    QVERIFY(!store.error());
    QCOMPARE(stateAt(path)->history, store.history());
}

void TestStateFile::uncopiedOriginalIsNeverReplaced_data()
{
    QTest::addColumn<int>("readings");
    QTest::addColumn<int>("limit");
    QTest::newRow("large file") << 12 << 4096;
    QTest::newRow("small file") << 1 << 1024;
}

void TestStateFile::uncopiedOriginalIsNeverReplaced()
{
    // The recovery copy fails (the file is larger than what may be written) while writing the
    // new, small document would succeed: the damaged file must not be replaced uncopied.
    QFETCH(int, readings);
    QFETCH(int, limit);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    QList<Reading> history;
    for (int i = 0; i < readings; ++i)
        history.append(reading(Spread::cross, {11, 3, 20, 8, 14}, i));
    history.last().revealed = 6;
    const QByteArray damaged = document(preferences(false, true), history);
    writeFile(path, damaged);
    QVERIFY(damaged.size() > limit);
    QVERIFY(document(preferences(true, true)).size() < limit);

    std::optional<FileSizeLimit> sizeLimit;
    sizeLimit.emplace(rlim_t(limit));
    AppStore store(path);
    QVERIFY(store.error()->startsWith(readPrefix + StateFile::invalidReadingSentence()));
    QVERIFY(recoveryCopies(dir.path()).isEmpty());

    store.setError(std::nullopt);
    store.apply(preferences(true, true));
    QCOMPARE(store.error(),
             std::optional<QString>(savePrefix + QStringLiteral("El archivo «") + path +
                                    QStringLiteral("», que no se pudo leer, tampoco se pudo copiar "
                                                   "aparte, y no se sustituye para no perder su "
                                                   "contenido") +
                                    saveSuffix));
    QCOMPARE(readFile(path), damaged);
    QCOMPARE(listing(dir.path()), QStringList{QStringLiteral("state.json")});

    // Once a copy can be made, it is made first and the write goes ahead.
    sizeLimit.reset();
    store.setError(std::nullopt);
    store.apply(preferences(true, true));
    QVERIFY(!store.error());
    const QStringList copies = recoveryCopies(dir.path());
    QCOMPARE(copies.size(), 1);
    QCOMPARE(readFile(dir.filePath(copies.first())), damaged);
    QCOMPARE(readFile(path), document(store.preferences()));
}

void TestStateFile::unreadableFileWithoutPermission()
{
    if (geteuid() == 0)
        QSKIP("file permissions do not bind the superuser");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.json"));
    const QByteArray content = document(preferences(false, true), validHistory());
    writeFile(path, content);
    QFile::setPermissions(path, QFileDevice::Permissions());

    AppStore store(path);
    QCOMPARE(store.error(), std::optional<QString>(readPrefix +
                                                   QStringLiteral("No tienes permiso para leer el "
                                                                  "archivo «") +
                                                   path + QStringLiteral("».") + readSuffix));
    store.apply(preferences(true, true));
    QVERIFY(store.error()->contains(QStringLiteral("no se sustituye")));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(readFile(path), content);
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
