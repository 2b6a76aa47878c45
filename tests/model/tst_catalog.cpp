#include "model/catalog.h"
#include "model/drawn_card.h"
#include "support/test_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

namespace {

QString sourceDeckPath()
{
    return TestPaths::sourceDir() + QStringLiteral("/src/Resources/arcana.json");
}

QJsonArray sourceDeck()
{
    QFile file(sourceDeckPath());
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the deck");
    return QJsonDocument::fromJson(file.readAll()).array();
}

QByteArray deckBytes(const QJsonArray& deck)
{
    return QJsonDocument(deck).toJson();
}

// A throw-away installation: the probe program copied to <root>/bin, so that its
// resource folders are <root>/bin/Resources (beside the executable) and
// <root>/share/arcandel/Resources (an installed layout).
class Installation {
public:
    Installation()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("bin"));
        const QString probe =
            QCoreApplication::applicationDirPath() + QStringLiteral("/model_helper_catalog_probe");
        m_ok = m_dir.isValid() && QFile::copy(probe, executable());
    }

    bool isValid() const { return m_ok; }
    QString root() const { return m_dir.path(); }
    QString executable() const { return root() + QStringLiteral("/bin/probe"); }
    QString besideExecutable() const { return root() + QStringLiteral("/bin/Resources"); }
    QString installed() const { return root() + QStringLiteral("/share/arcandel/Resources"); }

    // Writes `bytes` to `folder`/`relative`, creating folders on the way.
    static bool put(const QString& folder, const QString& relative, const QByteArray& bytes)
    {
        const QString path = folder + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    struct Result {
        int exitCode = -1;
        QStringList lines;
        QString err;
    };

    Result run(const QStringList& arguments = {}, const QString& workingDirectory = QString()) const
    {
        QProcess process;
        process.setWorkingDirectory(workingDirectory.isEmpty() ? root() : workingDirectory);
        process.start(executable(), arguments);
        Result result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = process.exitCode();
        result.lines = QString::fromUtf8(process.readAllStandardOutput())
                           .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

QJsonArray renamedFirstCard(const QString& name)
{
    QJsonArray deck = sourceDeck();
    QJsonObject first = deck.at(0).toObject();
    first[QStringLiteral("name")] = name;
    deck[0] = first;
    return deck;
}

} // namespace

class TestCatalog : public QObject {
    Q_OBJECT

private slots:
    void numeralsUseTheAdditiveMarseilleForm()
    {
        const QList<QPair<qint64, QString>> samples{
            {0, QStringLiteral("0")},       {4, QStringLiteral("IIII")},
            {9, QStringLiteral("VIIII")},   {14, QStringLiteral("XIIII")},
            {19, QStringLiteral("XVIIII")}, {21, QStringLiteral("XXI")}};
        for (const auto& [id, numeral] : samples) {
            QCOMPARE(Catalog::numeral(id), numeral);
            Arcana card;
            card.id = id;
            QCOMPARE(card.numeral(), numeral);
        }
        for (qint64 id : {qint64(-1), qint64(22), std::numeric_limits<qint64>::min()})
            QCOMPARE(Catalog::numeral(id), QString());
    }

    void loadedDeckServesEveryIdentifier()
    {
        QCOMPARE(Catalog::loadError(), std::nullopt);
        const QList<Arcana>& cards = Catalog::cards();
        QCOMPARE(&Catalog::cards(), &cards); // loaded once, never replaced
        for (qint64 id = 0; id < 22; ++id) {
            QCOMPARE(Catalog::card(id)->id, id);
            QCOMPARE((DrawnCard{id, true}.arcana()), Catalog::card(id));
        }
        QCOMPARE(Catalog::card(22), nullptr);
        QCOMPARE((DrawnCard{-1, false}.arcana()), nullptr);

        // Lookups in another deck take the first card with the identifier.
        Arcana first;
        first.id = 4;
        first.name = QStringLiteral("primera");
        Arcana second = first;
        second.name = QStringLiteral("segunda");
        QCOMPARE(Catalog::card(4, {second, first})->name, QStringLiteral("segunda"));
        QCOMPARE(Catalog::card(0, {}), nullptr);
    }

    void resourceNamesAreTakenLiterally()
    {
        const QString resources = QStringLiteral("Resources");
        const auto deck =
            Catalog::resourceURL(QStringLiteral("arcana"), QStringLiteral("json"), resources);
        QVERIFY(deck);
        QCOMPARE(QFileInfo(*deck).canonicalFilePath(),
                 QFileInfo(sourceDeckPath()).canonicalFilePath());
        QCOMPARE(Catalog::resourceURL(QStringLiteral("arcana.json"), std::nullopt, resources),
                 deck);
        // No extension is guessed or folded in case, and a folder is not a resource.
        QCOMPARE(Catalog::resourceURL(QStringLiteral("arcana"), std::nullopt, resources),
                 std::nullopt);
        QCOMPARE(Catalog::resourceURL(QStringLiteral("arcana"), QStringLiteral("JSON"), resources),
                 std::nullopt);
        QCOMPARE(Catalog::resourceURL(QStringLiteral("Cards"), std::nullopt, resources),
                 std::nullopt);
        Arcana card;
        card.image = QStringLiteral("no-existe.png");
        QCOMPARE(Catalog::imageURL(card), std::nullopt);
    }

    void packagedResourcesComeFirst()
    {
        Installation app;
        QVERIFY(app.isValid());

        // Nothing packaged: the deck of the source tree, whatever the working directory.
        for (const QString& cwd : {TestPaths::sourceDir(), app.root()}) {
            const auto result = app.run({}, cwd);
            QCOMPARE(result.exitCode, 0);
            QCOMPARE(result.lines.value(0), QStringLiteral("22"));
            QCOMPARE(QFileInfo(result.lines.value(1)).canonicalFilePath(),
                     QFileInfo(sourceDeckPath()).canonicalFilePath());
        }
        // An installed deck wins over the source tree, and a deck beside the executable wins
        // over both; pictures are looked up by their exact name in the same order.
        QVERIFY(Installation::put(app.installed(), QStringLiteral("arcana.json"),
                                  deckBytes(renamedFirstCard(QStringLiteral("Instalada")))));
        QVERIFY(
            Installation::put(app.installed(), QStringLiteral("Cards/01-le-bateleur.png"), "x"));
        auto result = app.run();
        QCOMPARE(result.lines.value(1), app.installed() + QStringLiteral("/arcana.json"));
        QCOMPARE(result.lines.value(2), QStringLiteral("Instalada"));

        QVERIFY(Installation::put(app.besideExecutable(), QStringLiteral("arcana.json"),
                                  deckBytes(renamedFirstCard(QStringLiteral("Empaquetada")))));
        const QString cards = app.besideExecutable() + QStringLiteral("/Cards");
        QVERIFY(Installation::put(cards, QStringLiteral("00-le-mat.png"), "x"));
        result = app.run({}, TestPaths::sourceDir());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.lines.value(1), app.besideExecutable() + QStringLiteral("/arcana.json"));
        QCOMPARE(result.lines.value(2), QStringLiteral("Empaquetada"));
        QVERIFY(result.err.isEmpty());

        QCOMPARE(app.run({QStringLiteral("image"), QStringLiteral("00-le-mat.png")}).lines,
                 QStringList{cards + QStringLiteral("/00-le-mat.png")});
        QCOMPARE(app.run({QStringLiteral("image"), QStringLiteral("01-le-bateleur.png")}).lines,
                 QStringList{app.installed() + QStringLiteral("/Cards/01-le-bateleur.png")});
        QCOMPARE(app.run({QStringLiteral("image"), QStringLiteral("00-le-mat")}).lines,
                 QStringList{QStringLiteral("none")});
    }

    void anUnusableDeckEndsTheProgram_data()
    {
        QTest::addColumn<QByteArray>("deck");
        const QJsonArray deck = sourceDeck();
        QJsonArray shorter = deck;
        shorter.removeLast();
        QTest::newRow("21 cards") << deckBytes(shorter);
        QJsonArray longer = deck;
        longer.append(deck.at(21));
        QTest::newRow("23 cards") << deckBytes(longer);
        auto withId = [&deck](int index, const QJsonValue& id) {
            QJsonArray changed = deck;
            QJsonObject card = changed.at(index).toObject();
            if (id.isUndefined())
                card.remove(QStringLiteral("reflection"));
            else
                card[QStringLiteral("id")] = id;
            changed[index] = card;
            return deckBytes(changed);
        };
        QTest::newRow("identifier 22") << withId(21, 22);
        QTest::newRow("identifier -1") << withId(0, -1);
        QTest::newRow("repeated identifier") << withId(13, 12);
        QTest::newRow("card without reflection") << withId(5, QJsonValue::Undefined);
        QTest::newRow("invalid JSON") << deckBytes(deck).chopped(3);
        QTest::newRow("empty file") << QByteArray();
    }

    void anUnusableDeckEndsTheProgram()
    {
        QFETCH(QByteArray, deck);
        Installation app;
        QVERIFY(app.isValid());
        QVERIFY(Installation::put(app.besideExecutable(), QStringLiteral("arcana.json"), deck));
        const auto result = app.run();
        QCOMPARE(result.exitCode, 1);
        QCOMPARE(result.err, QStringLiteral("No se ha podido cargar la baraja de Arcandel.\n"));
        QVERIFY(result.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCatalog)
#include "tst_catalog.moc"
