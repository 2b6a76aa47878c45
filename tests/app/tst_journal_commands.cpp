#include "app/export_journal_dialog.h"
#include "app/journal_commands.h"
#include "store/journal_markdown.h"
#include "support/fixtures.h"

#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

class JournalCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exportDialogOffersOnlyWhatExists();
    void importGoesOnWithoutTheFilesThatFail();
};

void JournalCommandsTest::exportDialogOffersOnlyWhatExists()
{
    // The history screen is closed: its choice is off. No favourites: nothing to export.
    ExportJournalDialog dialog(4, 0, std::nullopt);
    const QList<QRadioButton*> choices = dialog.findChildren<QRadioButton*>();
    QCOMPARE(choices.size(), 5);
    QVERIFY(!choices.at(2)->isEnabled());
    QVERIFY(dialog.exportButton()->isEnabled());
    dialog.setSelection(ExportJournalDialog::Selection::favorites);
    QVERIFY(!dialog.exportButton()->isEnabled());
    dialog.setSelection(ExportJournalDialog::Selection::shown);
    QCOMPARE(dialog.selection(), ExportJournalDialog::Selection::favorites);
    dialog.setFormat(JournalTransfer::Format::notebook);
    QCOMPARE(dialog.format(), JournalTransfer::Format::notebook);
}

void JournalCommandsTest::importGoesOnWithoutTheFilesThatFail()
{
    Fixtures::Table table;
    AppStore* store = table.store.get();
    QWidget window;
    JournalCommands commands(store, &window, {});
    const Reading good =
        Fixtures::reading(QStringLiteral("¿Buena?"), {}, Spread::daily, {{3, false}});
    QByteArray broken = JournalMarkdown::document(
        Fixtures::reading(QStringLiteral("¿Rota?"), {}, Spread::daily, {{4, false}}));
    broken.replace("\nrevealed: 1", "\nrevealed: uno");
    const QDir folder(table.dir.filePath(QStringLiteral("import")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    for (const auto& [name, bytes] :
         {std::pair{QStringLiteral("buena.md"), JournalMarkdown::document(good)},
          std::pair{QStringLiteral("rota.md"), broken}}) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    const QByteArray before = Fixtures::fileBytes(store->saveURL());

    // Stopping there changes nothing.
    commands.importFrom(folder.path());
    QMessageBox* problems = commands.messageBox();
    QVERIFY(problems);
    QCOMPARE(problems->objectName(), QStringLiteral("importProblems"));
    QCOMPARE(problems->findChild<QPlainTextEdit*>()->toPlainText(),
             QStringLiteral("«rota.md»: La clave «revealed» en la cabecera debe ser un número "
                            "entero."));
    problems->reject();
    QCOMPARE(Fixtures::fileBytes(store->saveURL()), before);
    QVERIFY(store->history().isEmpty());

    // Going on imports the rest.
    commands.importFrom(folder.path());
    auto* goOn = commands.messageBox()->findChild<QPushButton*>(QStringLiteral("importWithout"));
    QVERIFY(goOn);
    goOn->click();
    QCOMPARE(store->history(), QList<Reading>{good});
    QVERIFY(commands.messageBox() &&
            commands.messageBox()->objectName() == QStringLiteral("importDone"));
    QCOMPARE(commands.messageBox()->informativeText(), QStringLiteral("Se añadió 1 tirada."));
}

QTEST_MAIN(JournalCommandsTest)
#include "tst_journal_commands.moc"
