#include "engine/reading_engine.h"
#include "store/journal_markdown.h"
#include "store/journal_transfer.h"
#include "support/fixtures.h"
#include "support/test_paths.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

Reading finished(Spread spread, const QList<DrawnCard>& cards, const QString& question, int day)
{
    return ReadingEngine::finish(
        Fixtures::reading(question, QStringLiteral("Notas del día %1").arg(day), spread, cards));
}

QStringList names(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commands_data();
    void commands();
};

void CommandLineTest::commands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("output");
    QTest::addColumn<QString>("error");

    // STATE, ID and the folder names are filled in for each run.
    const QString data = QStringLiteral("--data-path");
    QTest::newRow("help lists every option")
        << QStringList{QStringLiteral("--help")} << 0
        << QStringLiteral("--preview --data-path --capture --quit-after-capture "
                          "--export-markdown --export-pdf --import --help")
               .split(QLatin1Char(' '))
        << QString();
    QTest::newRow("export as Markdown")
        << QStringList{data, QStringLiteral("STATE"), QStringLiteral("--export-markdown"),
                       QStringLiteral("out")}
        << 0 << QStringList{QStringLiteral("Se exportaron 2 tiradas a «")} << QString();
    QTest::newRow("export without a folder")
        << QStringList{data, QStringLiteral("STATE"), QStringLiteral("--export-markdown")} << 1
        << QStringList() << QStringLiteral("Falta la carpeta después de --export-markdown.");
    QTest::newRow("export a PDF")
        << QStringList{data, QStringLiteral("STATE"), QStringLiteral("--export-pdf"),
                       QStringLiteral("ID"), QStringLiteral("cruz.pdf")}
        << 0 << QStringList{QStringLiteral("Se exportó la tirada «¿Qué cruza mi camino?» a «")}
        << QString();
    QTest::newRow("PDF of an unknown reading")
        << QStringList{data, QStringLiteral("STATE"), QStringLiteral("--export-pdf"),
                       QStringLiteral("6F1C2A3B-0000-4000-8000-000000000099"),
                       QStringLiteral("x.pdf")}
        << 1 << QStringList()
        << QStringLiteral("Tu diario no tiene ninguna tirada con el identificador");
    QTest::newRow("PDF over the state file")
        << QStringList{data, QStringLiteral("STATE"), QStringLiteral("--export-pdf"),
                       QStringLiteral("ID"), QStringLiteral("STATE")}
        << 1 << QStringList() << QStringLiteral("es el archivo donde Arcandel guarda");
    QTest::newRow("import adds what is new")
        << QStringList{data, QStringLiteral("STATE"), QStringLiteral("--import"),
                       QStringLiteral("good")}
        << 0
        << QStringList{QStringLiteral(
               "Se añadió 1 tirada. 2 ya estaban igual en tu diario y se omitieron.")}
        << QString();
    QTest::newRow("import with a damaged file")
        << QStringList{data, QStringLiteral("STATE"), QStringLiteral("--import"),
                       QStringLiteral("bad")}
        << 1 << QStringList()
        << QStringLiteral("No se pudo importar: 1 archivo no es válido y tu diario no ha "
                          "cambiado.\n«b.md»: Falta la clave «notes» en la cabecera.");
    QTest::newRow("import into a damaged journal")
        << QStringList{data, QStringLiteral("damaged.json"), QStringLiteral("--import"),
                       QStringLiteral("good")}
        << 1 << QStringList()
        << QStringLiteral("No se pudo importar: tu diario no se puede leer. El archivo no es JSON");
    QTest::newRow("two commands at once")
        << QStringList{data,
                       QStringLiteral("STATE"),
                       QStringLiteral("--import"),
                       QStringLiteral("good"),
                       QStringLiteral("--export-markdown"),
                       QStringLiteral("out")}
        << 1 << QStringList() << QStringLiteral("Usa una sola orden cada vez");
}

void CommandLineTest::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, output);
    QFETCH(QString, error);

    QTemporaryDir dir;
    const QList<Reading> history{
        finished(Spread::cross, {{7, false}, {4, true}, {10, false}, {11, false}, {18, false}},
                 QStringLiteral("¿Qué cruza mi camino?"), 1),
        finished(Spread::daily, {{19, false}}, {}, 2)};
    const QString state = Fixtures::writeState(dir, history, Fixtures::settled());
    Reading newer = finished(Spread::daily, {{3, false}}, QStringLiteral("¿Y ahora?"), 3);
    newer.date += 86400;
    JournalTransfer::exportJournal(history + QList<Reading>{newer}, JournalTransfer::Format::folder,
                                   dir.filePath(QStringLiteral("good")), {});
    QDir(dir.path()).mkdir(QStringLiteral("bad"));
    QByteArray damaged = JournalMarkdown::document(newer);
    damaged.replace("\nnotes:", "\nnotas:");
    for (const auto& [name, bytes] :
         {std::pair{QStringLiteral("a.md"), JournalMarkdown::document(newer)},
          std::pair{QStringLiteral("b.md"), damaged}}) {
        QFile file(dir.filePath(QStringLiteral("bad/") + name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QFile broken(dir.filePath(QStringLiteral("damaged.json")));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("{\"history\": [") > 0);
    broken.close();

    for (QString& argument : arguments) {
        if (argument == QStringLiteral("STATE"))
            argument = state;
        else if (argument == QStringLiteral("ID"))
            argument = history.first().id.toString(QUuid::WithoutBraces);
    }
    const QByteArray before = Fixtures::fileBytes(state);
    const QByteArray damagedBefore = Fixtures::fileBytes(broken.fileName());
    const QStringList filesBefore = names(dir.path());

    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(TestPaths::executable(), arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), status);
    for (const QString& part : output)
        QVERIFY2(out.contains(part), qPrintable(out));
    QVERIFY2(err.contains(error), qPrintable(err));

    if (status != 0) {
        // A failing command leaves the journal as it was, and nothing beside it.
        QCOMPARE(Fixtures::fileBytes(state), before);
        QCOMPARE(Fixtures::fileBytes(broken.fileName()), damagedBefore);
        QCOMPARE(names(dir.path()), filesBefore);
    } else if (arguments.contains(QStringLiteral("--import"))) {
        QCOMPARE(JournalTransfer::scan(state).readings().size(), 3);
        QCOMPARE(names(dir.filePath(QStringLiteral("copias"))).size(), 1);
    } else if (arguments.contains(QStringLiteral("--export-pdf"))) {
        QVERIFY(Fixtures::fileBytes(dir.filePath(QStringLiteral("cruz.pdf"))).startsWith("%PDF"));
    } else if (arguments.contains(QStringLiteral("--export-markdown"))) {
        QCOMPARE(names(dir.filePath(QStringLiteral("out"))).size(), 2);
    }
}

QTEST_MAIN(CommandLineTest)
#include "tst_command_line.moc"
