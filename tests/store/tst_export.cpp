#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "store/app_store.h"
#include "store/backups.h"
#include "store_fixtures.h"
#include "support/recording_services.h"
#include "support/test_paths.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <ctime>
#include <unistd.h>

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
    // The kept texts name the deck's own texts by place: "{name i}" for the name of card i,
    // "{composed i}" for the interpretation the engine composes for it.
    for (const auto& [reading, name] : cases) {
        QString expected = QString::fromUtf8(readFile(
            TestPaths::fixture(QStringLiteral("export-") + name + QStringLiteral(".txt"))));
        QString actual = AppStore::text(reading);
        for (qsizetype i = 0; i < reading.cards.size(); ++i) {
            const DrawnCard& card = reading.cards.at(i);
            expected.replace(QStringLiteral("{name %1}").arg(i), card.arcana()->name);
            expected.replace(QStringLiteral("{composed %1}").arg(i),
                             ReadingEngine::interpretation(card, positions(reading.spread).at(i),
                                                           reading.topic));
        }
        QCOMPARE(actual, expected);
    }
}

void TestExport::fileNameTakesTheDateInUtc()
{
    Reading r = timelineReading();
    for (const auto& [year, name] : {std::pair{999, "0999"}, {2025, "2025"}, {12025, "12025"}}) {
        r.date = at(year, 3, 13, 2, 30);
        QCOMPARE(AppStore::exportFileName(r),
                 QStringLiteral("Arcandel-%1-03-13.txt").arg(QLatin1String(name)));
    }

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
    const Reading r = timelineReading();
    Reading unfinished = r;
    unfinished.revealed = 2;
    store.restore(unfinished);
    store.exportCurrent(); // a card face down: no dialog
    QCOMPARE(dialog.requests(), 0);

    store.restore(r);
    const QString target = dir.filePath(QStringLiteral("mi lectura.txt"));
    writeFile(target, QByteArrayLiteral("contenido anterior que debe desaparecer por completo"));
    dialog.answer(target);
    // The reading on the table changes while the dialog is open; the one asked for is written.
    dialog.whileOpen = [&store] { store.restore(reading(Spread::daily, {3})); };
    store.exportCurrent();
    QCOMPARE(dialog.suggestions(), QStringList{QStringLiteral("Arcandel-2025-03-12.txt")});
    QVERIFY(readFile(target) == AppStore::text(r).toUtf8() && !store.error());

    // Cancelling writes nothing; a failure leaves every file and says why.
    dialog.answer(std::nullopt);
    dialog.answer(QString());
    const QString prefix = QStringLiteral("No se pudo exportar: «");
    const QString missing = dir.filePath(QStringLiteral("no-existe"));
    QList<std::pair<QString, QString>> answers{
        {QString(), QString()},
        {QString(), QString()},
        {missing + QStringLiteral("/a.txt"), QStringLiteral("No se pudo exportar: La carpeta «") +
                                                 missing + QStringLiteral("» no existe.")},
        {dir.path(), prefix + dir.path() + QStringLiteral("» es una carpeta, no un archivo.")},
    };
    // Replacing the state file with a text would lose the whole history, and replacing a
    // copy the journal's safety net; by any path, or by a name a copy is to take.
    const QString link = dir.filePath(QStringLiteral("enlace.json"));
    QVERIFY(::link(QFile::encodeName(state).constData(), QFile::encodeName(link).constData()) == 0);
    store.waitForWriter();
    const QString backup =
        Backups::folder(state) + QLatin1Char('/') + listing(Backups::folder(state)).first();
    const QString theJournal = QStringLiteral("» es el archivo donde Arcandel guarda tus "
                                              "preferencias y tu historial. Elige otro nombre.");
    const QString aCopy =
        QStringLiteral("» es una copia que Arcandel guarda de tu diario. Elige otro nombre.");
    for (const auto& [target, reason] : QList<std::pair<QString, QString>>{
             {dir.filePath(QStringLiteral("./state.json")), theJournal},
             {link, theJournal},
             {backup, aCopy},
             {dir.filePath(QStringLiteral("copias/nueva.txt")), aCopy},
             {dir.filePath(QStringLiteral("state-recuperacion-5.json")), aCopy}})
        answers.append({target, prefix + target + reason});
    for (const auto& [path, message] : answers) {
        if (!path.isEmpty())
            dialog.answer(path);
        store.exportCurrent();
        QCOMPARE(store.error().value_or(QString()), message);
    }
    QCOMPARE(readFile(state), content);
    QCOMPARE(readFile(backup), content);
    QCOMPARE(listing(dir.path()),
             QStringList({QStringLiteral("copias"), QStringLiteral("enlace.json"),
                          QStringLiteral("mi lectura.txt"), QStringLiteral("state.json")}));
}

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
