#include "store/app_store.h"
#include "store/backups.h"
#include "store/journal_markdown.h"
#include "store/journal_transfer.h"
#include "store_fixtures.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace StoreFixtures;

namespace {

QString text(std::initializer_list<char16_t> units)
{
    return QString(reinterpret_cast<const QChar*>(std::data(units)), qsizetype(units.size()));
}

// Texts that YAML, Markdown or an editor could change on the way out and back.
const QStringList hostile{
    QStringLiteral("Primera línea\nsegunda\n\ntercera tras un hueco"),
    QStringLiteral("  empieza con blancos y acaba con ellos  "),
    QStringLiteral("\n\nempieza con saltos y acaba con dos\n\n"),
    QStringLiteral("una sola línea con salto final\n"),
    QStringLiteral("---\n...\n---"),
    QStringLiteral("# no es un título\nkey: value\n- [lista]\n{a: b}\n&ancla *alias !etiqueta"),
    QStringLiteral("\"comillas\" y 'simples' y \\barras\\ y \\n literal"),
    QStringLiteral("🌙 ✦ 🃏 luna"),
    QStringLiteral("שלום עולם مرحبا"),
    text({u'a', 0xD800, u'b'}) + text({0xDC00}),
    QStringLiteral("\ttab\r\nretorno\u2028separador\u0085nel\uFEFF"),
    QStringLiteral("true"),
    QStringLiteral("12"),
    QStringLiteral(" "),
    QString(),
};

QList<Reading> hostileHistory()
{
    QList<Reading> history;
    for (int i = 0; i < hostile.size(); ++i) {
        Reading r = reading(
            i % 2 ? Spread::celtic : Spread::timeline,
            i % 2 ? QList<qint64>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9} : QList<qint64>{21, 13, 0}, i + 1);
        const QString& odd = hostile.at(i);
        r.question = odd;
        r.reader = hostile.at((i + 3) % hostile.size());
        r.notes = odd + hostile.at((i + 1) % hostile.size());
        r.synthesis = hostile.at((i + 5) % hostile.size());
        r.interpretations[1] = odd;
        r.favorite = i % 3 == 0;
        r.revealed = i % 4 == 0 ? 1 : r.cards.size();
        r.date = 700'000'000.0 - 86'400.0 * i - 0.125 * i; // newest first
        r.ownDeck = i % 2 == 0;
        for (int entry = 0; entry < i % 3; ++entry)
            r.followUps.append(FollowUp{QUuid::createUuid(), r.date + 3600.0 * (entry + 1),
                                        hostile.at((i + entry + 2) % hostile.size())});
        history.append(r);
    }
    return history;
}

mode_t mode(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 0777;
}

QString writeMarkdown(const QDir& folder, const QString& name, const QByteArray& content)
{
    const QString path = folder.filePath(name);
    writeFile(path, content);
    return path;
}

} // namespace

class TestJournalTransfer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hostileTextsComeBackIdentical();
    void mergeAddsSkipsAndKeeps();
    void damagedFilesAreNamedAndNothingIsWritten_data();
    void damagedFilesAreNamedAndNothingIsWritten();
    void exportsNeverReplaceTheStateFile();
};

void TestJournalTransfer::hostileTextsComeBackIdentical()
{
    QTemporaryDir dir;
    const QList<Reading> history = hostileHistory();
    const QString folder = dir.filePath(QStringLiteral("cuaderno"));
    const auto exported =
        JournalTransfer::exportJournal(history, JournalTransfer::Format::folder, folder,
                                       dir.filePath(QStringLiteral("state.json")));
    QVERIFY2(!exported.failure, qPrintable(*exported.failure));
    QCOMPARE(exported.files, history.size());
    QCOMPARE(mode(folder), 0700u);

    const QStringList names = listing(folder);
    QCOMPARE(names.size(), history.size());
    const QRegularExpression pattern(
        QStringLiteral("\\A\\d{4}-\\d\\d-\\d\\d-\\d{4}-[a-z0-9-]{1,40}\\.md\\z"));
    for (const QString& name : names) {
        QVERIFY2(pattern.match(name).hasMatch(), qPrintable(name));
        QCOMPARE(mode(QDir(folder).filePath(name)), 0600u);
    }
    QCOMPARE(
        JournalMarkdown::slug(QStringLiteral("¿Qué me ayudará a abrir una nueva etapa, Ñandú?")),
        QStringLiteral("que-me-ayudara-a-abrir-una-nueva-etapa-n"));
    QCOMPARE(JournalMarkdown::slug(QStringLiteral("¿…?")), QStringLiteral("lectura-general"));

    // Free texts are literal blocks whenever YAML can hold them verbatim.
    const QByteArray second = JournalMarkdown::document(history.at(1));
    QVERIFY(second.startsWith("---\nid: "));
    QVERIFY(second.contains("\nquestion: |2-\n    empieza con blancos y acaba con ellos  \n"));
    QVERIFY(second.contains("\nnotes: |2+\n    empieza con blancos"));

    const JournalTransfer::Scan scan = JournalTransfer::scan(folder);
    QVERIFY(!scan.failure);
    QVERIFY2(scan.failed().isEmpty(), qPrintable(JournalTransfer::describeFailures(scan.failed())));
    const JournalTransfer::Merge merge = JournalTransfer::merge({}, scan.readings());
    QCOMPARE(merge.added, history.size());
    for (qsizetype i = 0; i < history.size(); ++i)
        QVERIFY2(merge.history.at(i) == history.at(i), qPrintable(hostile.at(i)));
    QCOMPARE(merge.history, history);

    // The single file is for reading: every reading is a section of it.
    const QString notebook = dir.filePath(JournalMarkdown::notebookFileName(QDate(2025, 1, 2)));
    QVERIFY(!JournalTransfer::exportJournal(history, JournalTransfer::Format::notebook, notebook,
                                            dir.filePath(QStringLiteral("state.json")))
                 .failure);
    QCOMPARE(readFile(notebook).count("\n### Las cartas\n"), history.size());
    QVERIFY(JournalMarkdown::notebookFileName(QDate(2025, 1, 2)) ==
            QStringLiteral("Arcandel-cuaderno-2025-01-02.md"));
}

void TestJournalTransfer::mergeAddsSkipsAndKeeps()
{
    QTemporaryDir dir;
    QList<Reading> all;
    for (int serial = 1; serial <= 6; ++serial)
        all.append(reading(Spread::daily, {serial}, serial)); // later serials are newer
    // This computer holds 6, 4 and 2, newest first; 4 has notes written since the export.
    QList<Reading> local{all[5], all[3], all[1]};
    local[1].notes = QStringLiteral("Escrito después");
    const QString state = dir.filePath(QStringLiteral("state.json"));
    writeFile(state, document(preferences(false, false), local));
    AppStore store(state);

    // The export brings all six, and 3 twice.
    const auto merge =
        store.importReadings({all[0], all[1], all[2], all[3], all[4], all[5], all[2]});
    QVERIFY(merge);
    QCOMPARE(merge->added, 3);
    QCOMPARE(merge->skipped, 3); // 6, 2 and the second 3
    QCOMPARE(merge->kept, QList<Reading>{local[1]});
    const QList<Reading> expected{all[5], all[4], local[1], all[2], all[1], all[0]};
    QCOMPARE(store.history(), expected);
    QVERIFY(store.flush());
    QCOMPARE(stateAt(state)->history, expected);
    QCOMPARE(JournalTransfer::summary(*merge),
             QStringLiteral("Se añadieron 3 tiradas. 3 ya estaban igual en tu diario y se "
                            "omitieron. 1 tenía cambios respecto a la de tu diario: se conservó "
                            "tu versión."));

    // The file as it was before the import is kept with its backups, beside the day's.
    const QDir copies(Backups::folder(state));
    const QStringList backups = copies.entryList({QStringLiteral("state-*-*-*-*.json")});
    QCOMPARE(backups.size(), 1);
    QCOMPARE(stateAt(copies.filePath(backups.first()))->history, local);

    // Nothing new: nothing is written and no backup is made.
    const QByteArray before = readFile(state);
    QCOMPARE(store.importReadings(expected)->skipped, expected.size());
    QCOMPARE(readFile(state), before);
    QCOMPARE(copies.entryList({QStringLiteral("state-*-*-*-*.json")}), backups);
}

void TestJournalTransfer::damagedFilesAreNamedAndNothingIsWritten_data()
{
    QTest::addColumn<QByteArray>("edit");
    QTest::addColumn<QByteArray>("replacement");
    QTest::addColumn<QString>("reason");

    QTest::newRow("no front matter") << QByteArray("---\nid:") << QByteArray("# id:")
                                     << QStringLiteral("no empieza con una cabecera YAML");
    QTest::newRow("front matter never closed")
        << QByteArray("\n---\n\n# ") << QByteArray("\n\n# ")
        << QStringLiteral("La cabecera YAML no se cierra con una línea «---».");
    QTest::newRow("broken YAML") << QByteArray("\nspread: ") << QByteArray("\nspread: [")
                                 << QStringLiteral("La cabecera no es YAML válido: ");
    QTest::newRow("missing key") << QByteArray("\nnotes: ") << QByteArray("\nnotas: ")
                                 << QStringLiteral("Falta la clave «notes» en la cabecera.");
    QTest::newRow("wrong type") << QByteArray("\nfavorite: false") << QByteArray("\nfavorite: 0")
                                << QStringLiteral(
                                       "La clave «favorite» en la cabecera debe ser true o false.");
    QTest::newRow("key given twice")
        << QByteArray("\nfavorite: false") << QByteArray("\nfavorite: false\nfavorite: true")
        << QStringLiteral("La cabecera repite la clave «favorite» (línea ");
    QTest::newRow("impossible reading")
        << QByteArray("\n  - arcanaID: 21\n") << QByteArray("\n  - arcanaID: 22\n")
        << QStringLiteral("La tirada tiene en su carta 1 el número 22, que no es un arcano de 0 "
                          "a 21.");
    QTest::newRow("not UTF-8") << QByteArray("Ana") << QByteArray("A\xFFna")
                               << QStringLiteral("El archivo no es texto UTF-8 válido.");
}

void TestJournalTransfer::damagedFilesAreNamedAndNothingIsWritten()
{
    QFETCH(QByteArray, edit);
    QFETCH(QByteArray, replacement);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QDir folder(dir.filePath(QStringLiteral("import")));
    Reading good = reading(Spread::timeline, {21, 13, 0}, 1);
    Reading damaged = reading(Spread::timeline, {21, 4, 5}, 2);
    const QString goodPath =
        writeMarkdown(folder, QStringLiteral("a.md"), JournalMarkdown::document(good));
    QByteArray bytes = JournalMarkdown::document(damaged);
    QVERIFY(bytes.contains(edit));
    bytes.replace(bytes.indexOf(edit), edit.size(), replacement);
    writeMarkdown(folder, QStringLiteral("b.md"), bytes);

    const JournalTransfer::Scan scan = JournalTransfer::scan(folder.path());
    QCOMPARE(scan.readings(), QList<Reading>{good});
    QCOMPARE(scan.failed().size(), 1);
    const QString described = JournalTransfer::describeFailures(scan.failed());
    QVERIFY2(described.startsWith(QStringLiteral("«b.md»: ")) && described.contains(reason),
             qPrintable(described));
    QCOMPARE(listing(folder.path()), (QStringList{QStringLiteral("a.md"), QStringLiteral("b.md")}));
    QCOMPARE(readFile(goodPath), JournalMarkdown::document(good));
}

void TestJournalTransfer::exportsNeverReplaceTheStateFile()
{
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("state.json"));
    const QList<Reading> history{reading(Spread::daily, {3}, 1)};
    writeFile(state, document(preferences(false, false), history));
    const QByteArray before = readFile(state);
    // Another name for the same file, and the very name.
    const QString link = dir.filePath(QStringLiteral("enlace.md"));
    QCOMPARE(::link(QFile::encodeName(state).constData(), QFile::encodeName(link).constData()), 0);
    const QString exportName = JournalMarkdown::fileNames(history).first();
    const QDir folder(dir.filePath(QStringLiteral("cuaderno")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    QCOMPARE(::link(QFile::encodeName(state).constData(),
                    QFile::encodeName(folder.filePath(exportName)).constData()),
             0);

    AppStore store(state);
    for (const auto& [format, target] :
         {std::pair{JournalTransfer::Format::notebook, link},
          std::pair{JournalTransfer::Format::notebook, state},
          std::pair{JournalTransfer::Format::folder, folder.path()}}) {
        store.setError(std::nullopt);
        QVERIFY(store.exportJournal(history, format, target).failure);
        QVERIFY(store.error()->startsWith(QStringLiteral("No se pudo exportar: «")));
        QVERIFY(store.error()->endsWith(QStringLiteral("» es el archivo donde Arcandel guarda tus "
                                                       "preferencias y tu historial. Elige otro "
                                                       "nombre.")));
        QCOMPARE(readFile(state), before);
    }
}

QTEST_GUILESS_MAIN(TestJournalTransfer)
#include "tst_journal_transfer.moc"
