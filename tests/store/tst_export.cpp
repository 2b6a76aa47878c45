#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "store/app_store.h"
#include "store_fixtures.h"
#include "support/recording_services.h"
#include "support/test_paths.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <ctime>

using namespace StoreFixtures;

namespace {

double at(int year, int month, int day, int hour, int minute, int second = 0)
{
    return ReferenceDate::fromDateTime(
        QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC));
}

void setTimeZone(const char* zone)
{
    qputenv("TZ", zone);
    tzset();
}

Reading timelineReading()
{
    Reading r;
    r.date = at(2025, 3, 12, 21, 5, 30);
    r.spread = Spread::timeline;
    r.question = QStringLiteral("¿Hacia dónde voy?");
    r.topic = Topic::projects;
    r.cards = {DrawnCard{9, false}, DrawnCard{1, true}, DrawnCard{17, false}};
    r.revealed = 3;
    r.notes = QStringLiteral("Mis notas\ncon dos líneas");
    r.interpretations = {QStringLiteral("Primera.\n\nSegundo párrafo."), QStringLiteral("Segunda."),
                         QStringLiteral("Tercera.")};
    r.synthesis = QStringLiteral("Una síntesis.\n\nY su cierre.");
    return r;
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textByteForByte();
    void fileNameTakesTheDateInUtc();
    void exportWritesTheChosenFile();
};

void TestExport::initTestCase()
{
    setTimeZone("UTC");
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}

void TestExport::textByteForByte()
{
    // One card, with an empty question, notes and synthesis and no stored interpretation.
    Reading oneCard;
    oneCard.date = at(2024, 1, 5, 8, 0);
    oneCard.spread = Spread::daily;
    oneCard.cards = {DrawnCard{0, false}};
    oneCard.revealed = 1;
    // Stored interpretations are used as they are; missing ones are composed.
    Reading partial = timelineReading();
    partial.topic = Topic::relationships;
    partial.interpretations = {QStringLiteral("Guardada.")};
    const QList<std::pair<Reading, QString>> cases{{timelineReading(), QStringLiteral("timeline")},
                                                   {oneCard, QStringLiteral("one-card")},
                                                   {partial, QStringLiteral("partial")}};
    for (const auto& [reading, name] : cases) {
        const QString file = QStringLiteral("export-") + name + QStringLiteral(".txt");
        writeFile(TestPaths::testBinaryDir() + QLatin1Char('/') + file,
                  AppStore::text(reading).toUtf8());
        QCOMPARE(AppStore::text(reading).toUtf8(), readFile(TestPaths::fixture(file)));
    }
}

void TestExport::fileNameTakesTheDateInUtc()
{
    Reading r = timelineReading();
    r.date = at(2025, 3, 13, 2, 30);
    QCOMPARE(AppStore::exportFileName(r), QStringLiteral("Arcandel-2025-03-13.txt"));
    r.date = at(999, 12, 31, 23, 59);
    QCOMPARE(AppStore::exportFileName(r), QStringLiteral("Arcandel-0999-12-31.txt"));
    r.date = at(12025, 1, 2, 3, 4);
    QCOMPARE(AppStore::exportFileName(r), QStringLiteral("Arcandel-12025-01-02.txt"));

    // Late in the evening west of Greenwich: the text shows the local day, the name the next.
    if (!QTimeZone(QByteArrayLiteral("America/New_York")).isValid())
        QSKIP("no time zone database");
    setTimeZone("America/New_York");
    r.date = at(2025, 3, 13, 2, 30);
    const QString text = AppStore::text(r);
    setTimeZone("UTC");
    QCOMPARE(text.section(QLatin1Char('\n'), 1, 1),
             QStringLiteral("miércoles, 12 de marzo de 2025 22:30"));
    QCOMPARE(AppStore::exportFileName(r), QStringLiteral("Arcandel-2025-03-13.txt"));
}

void TestExport::exportWritesTheChosenFile()
{
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("state.json"));
    const QByteArray content = document(preferences(false, false), {timelineReading()});
    writeFile(state, content);
    AppStore store(state);
    RecordingSaveDialog dialog;
    store.setSaveDialog(&dialog);
    Reading unfinished = timelineReading();
    unfinished.revealed = 2;
    store.restore(unfinished);
    store.exportCurrent(); // a card face down: no dialog
    QCOMPARE(dialog.requests(), 0);

    const Reading r = timelineReading();
    store.restore(r);
    const QString target = dir.filePath(QStringLiteral("mi lectura.txt"));
    writeFile(target, QByteArrayLiteral("contenido anterior que debe desaparecer por completo"));
    dialog.answer(target);
    // The reading on the table changes while the dialog is open; the one asked for is written.
    dialog.whileOpen = [&store] { store.restore(reading(Spread::daily, {3})); };
    store.exportCurrent();
    QCOMPARE(dialog.suggestions(), QStringList{QStringLiteral("Arcandel-2025-03-12.txt")});
    QCOMPARE(readFile(target), AppStore::text(r).toUtf8());
    QVERIFY(!store.error());
    QCOMPARE(store.history().size(), 1);
    QCOMPARE(readFile(state), content);

    // Cancelling writes nothing; a failure leaves the previous file and says why.
    dialog.whileOpen = nullptr;
    store.restore(r);
    dialog.answer(std::nullopt);
    dialog.answer(QString());
    store.exportCurrent();
    store.exportCurrent();
    QVERIFY(!store.error());
    const QString prefix = QStringLiteral("No se pudo exportar: ");
    const QString missing = dir.filePath(QStringLiteral("no-existe"));
    const QList<std::pair<QString, QString>> failures{
        {missing + QStringLiteral("/lectura.txt"),
         prefix + QStringLiteral("La carpeta «") + missing + QStringLiteral("» no existe.")},
        {dir.path(), prefix + QStringLiteral("«") + dir.path() +
                         QStringLiteral("» es una carpeta, no un archivo.")},
        // Replacing the state file with a text would lose the whole history.
        {dir.filePath(QStringLiteral("./state.json")),
         prefix + QStringLiteral("«") + dir.filePath(QStringLiteral("./state.json")) +
             QStringLiteral("» es el archivo donde Arcandel guarda tus preferencias y tu "
                            "historial. Elige otro nombre.")},
    };
    for (const auto& [path, message] : failures) {
        dialog.answer(path);
        store.exportCurrent();
        QCOMPARE(store.error(), std::optional<QString>(message));
    }
    QCOMPARE(readFile(state), content);
    QCOMPARE(listing(dir.path()),
             QStringList({QStringLiteral("mi lectura.txt"), QStringLiteral("state.json")}));
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
