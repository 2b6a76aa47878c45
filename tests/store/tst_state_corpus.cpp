// Replays the fuzz corpus of state documents through the same checks as the fuzz target.

#include "fuzz/state_properties.h"
#include "support/test_paths.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestStateCorpus : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyDocumentKeepsTheProperties();
};

void TestStateCorpus::everyDocumentKeepsTheProperties()
{
    const QDir corpus(TestPaths::fixture(QStringLiteral("state-corpus")));
    const QStringList names = corpus.entryList(QDir::Files, QDir::Name);
    QVERIFY(names.size() >= 20);
    int valid = 0;
    int invalid = 0;
    for (const QString& name : names) {
        QFile file(corpus.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const StateProperties::Outcome outcome = StateProperties::check(bytes);
        QVERIFY2(outcome.failure.isEmpty(),
                 qPrintable(name + QStringLiteral(": ") + outcome.failure));

        // Seeds say in their name what they are; files the fuzzer added only keep the rules.
        if (name.startsWith(QStringLiteral("valid-"))) {
            ++valid;
            QVERIFY2(outcome.decoded, qPrintable(name + QStringLiteral(": ") + outcome.error));
            QVERIFY2(StateParser::parse(bytes), qPrintable(name));
        } else if (name.startsWith(QStringLiteral("invalid-"))) {
            ++invalid;
            // How each is described is checked with the store (state-descriptions.tsv).
            QVERIFY2(!outcome.decoded, qPrintable(name));
        }
    }
    QVERIFY(valid >= 5);
    QVERIFY(invalid >= 10);
}

QTEST_GUILESS_MAIN(TestStateCorpus)
#include "tst_state_corpus.moc"
