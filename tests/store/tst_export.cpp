#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "store/app_store.h"
#include "store_fixtures.h"
#include "support/recording_services.h"

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

QString cardName(qint64 id)
{
    return Catalog::card(id)->name;
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
    void cleanupTestCase();
    void textByteForByte();
    void textEdgeCases();
    void fileNameTakesTheDateInUtc();
    void exportWritesTheChosenFile();

private:
    QByteArray m_savedTimeZone;
};

void TestExport::initTestCase()
{
    m_savedTimeZone = qgetenv("TZ");
    setTimeZone("UTC");
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}

void TestExport::cleanupTestCase()
{
    if (m_savedTimeZone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", m_savedTimeZone);
    tzset();
}

void TestExport::textByteForByte()
{
    const QString expected =
        QStringLiteral("Arcandel\n"
                       "miércoles, 12 de marzo de 2025 21:05\n"
                       "Pasado · presente · futuro · Trabajo y proyectos\n"
                       "¿Hacia dónde voy?\n"
                       "\n"
                       "1. Pasado — ") +
        cardName(9) +
        QStringLiteral("\n"
                       "Lo vivido que sigue influyendo en la consulta.\n"
                       "\n"
                       "Primera.\n"
                       "\n"
                       "Segundo párrafo.\n"
                       "\n"
                       "2. Presente — ") +
        cardName(1) +
        QStringLiteral(" (invertida)\n"
                       "El punto en el que te encuentras ahora.\n"
                       "\n"
                       "Segunda.\n"
                       "\n"
                       "3. Tendencia futura — ") +
        cardName(17) +
        QStringLiteral("\n"
                       "Una dirección posible si se mantienen las condiciones actuales.\n"
                       "\n"
                       "Tercera.\n"
                       "\n"
                       "SÍNTESIS\n"
                       "Una síntesis.\n"
                       "\n"
                       "Y su cierre.\n"
                       "\n"
                       "NOTAS\n"
                       "Mis notas\n"
                       "con dos líneas\n"
                       "\n"
                       "Lectura simbólica para reflexión personal.");
    QCOMPARE(AppStore::text(timelineReading()), expected);
}

void TestExport::textEdgeCases()
{
    // One card, empty question and notes, no synthesis, no stored interpretation.
    Reading r;
    r.date = at(2024, 1, 5, 8, 0);
    r.spread = Spread::daily;
    r.topic = Topic::general;
    r.cards = {DrawnCard{0, false}};
    r.revealed = 1;
    const Position message = positions(Spread::daily).first();
    QCOMPARE(AppStore::text(r),
             QStringLiteral("Arcandel\nviernes, 5 de enero de 2024 8:00\nUna carta · General\n"
                            "Lectura general\n\n1. Mensaje — ") +
                 cardName(0) +
                 QStringLiteral("\nLa energía simbólica que invita a reflexionar hoy.\n\n") +
                 ReadingEngine::interpretation(r.cards.first(), message, Topic::general) +
                 QStringLiteral("\n\nSÍNTESIS\n\n\nNOTAS\n\n\nLectura simbólica para reflexión "
                                "personal."));

    // Stored interpretations are used as they are; missing ones are composed.
    Reading partial = timelineReading();
    partial.topic = Topic::relationships;
    partial.interpretations = {QStringLiteral("Guardada.")};
    const QString text = AppStore::text(partial);
    const QList<Position> places = positions(Spread::timeline);
    QVERIFY(text.contains(QStringLiteral("consulta.\n\nGuardada.\n\n2. Presente")));
    QVERIFY(text.contains(
        QStringLiteral("ahora.\n\n") +
        ReadingEngine::interpretation(partial.cards.at(1), places.at(1), Topic::relationships) +
        QStringLiteral("\n\n3. Tendencia futura")));
    QVERIFY(text.contains(
        QStringLiteral("actuales.\n\n") +
        ReadingEngine::interpretation(partial.cards.at(2), places.at(2), Topic::relationships) +
        QStringLiteral("\n\nSÍNTESIS\n")));
    QVERIFY(!text.endsWith(QLatin1Char('\n')));

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
