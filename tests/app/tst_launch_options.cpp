#include "app/launch_options.h"

#include <QTest>

class LaunchOptionsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void noOptionsMeansDefaults();
    void eachOptionIsFoundAnywhere();
    void firstDataPathCounts();
    void optionAsLastArgumentIsIgnored();
    void relativePathsResolveAgainstWorkingDirectory();
    void valuesAreTakenLiterally();
};

namespace {

const QString cwd = QStringLiteral("/home/ana/lecturas");

LaunchOptions parse(const QStringList& rest)
{
    return LaunchOptions::parse(QStringList{QStringLiteral("/usr/bin/arcandel")} + rest, cwd);
}

} // namespace

void LaunchOptionsTest::noOptionsMeansDefaults()
{
    const LaunchOptions options = parse({});
    QCOMPARE(options, LaunchOptions{});
    QVERIFY(!options.preview);
    QVERIFY(!options.dataPath);
    QVERIFY(!options.capturePath);
    QVERIFY(!options.quitAfterCapture);
    // The program's own path is never read as an option.
    QCOMPARE(LaunchOptions::parse({}, cwd), LaunchOptions{});
}

void LaunchOptionsTest::eachOptionIsFoundAnywhere()
{
    const LaunchOptions options =
        parse({QStringLiteral("--quit-after-capture"), QStringLiteral("--capture"),
               QStringLiteral("/tmp/a.png"), QStringLiteral("--data-path"),
               QStringLiteral("/tmp/state.json"), QStringLiteral("--preview")});
    QVERIFY(options.preview);
    QVERIFY(options.quitAfterCapture);
    QCOMPARE(options.dataPath, QStringLiteral("/tmp/state.json"));
    QCOMPARE(options.capturePath, QStringLiteral("/tmp/a.png"));

    // Only exact texts count.
    const LaunchOptions near =
        parse({QStringLiteral("--Preview"), QStringLiteral("-preview"),
               QStringLiteral("--data-path=/tmp/x.json"), QStringLiteral("--capture "),
               QStringLiteral("/tmp/b.png"), QStringLiteral("--quit-after-capture=1")});
    QCOMPARE(near, LaunchOptions{});

    // "--quit-after-capture" is read even without "--capture"; it simply has nothing to do.
    QVERIFY(parse({QStringLiteral("--quit-after-capture")}).quitAfterCapture);
}

void LaunchOptionsTest::firstDataPathCounts()
{
    const LaunchOptions options =
        parse({QStringLiteral("--data-path"), QStringLiteral("/tmp/first.json"),
               QStringLiteral("--data-path"), QStringLiteral("/tmp/second.json")});
    QCOMPARE(options.dataPath, QStringLiteral("/tmp/first.json"));

    const LaunchOptions captures =
        parse({QStringLiteral("--capture"), QStringLiteral("/tmp/one.png"),
               QStringLiteral("--capture"), QStringLiteral("/tmp/two.png")});
    QCOMPARE(captures.capturePath, QStringLiteral("/tmp/one.png"));

    // A later occurrence without a value changes nothing either.
    const LaunchOptions lastFirst =
        parse({QStringLiteral("--preview"), QStringLiteral("--data-path"),
               QStringLiteral("/tmp/a.json"), QStringLiteral("--data-path")});
    QCOMPARE(lastFirst.dataPath, QStringLiteral("/tmp/a.json"));
}

void LaunchOptionsTest::optionAsLastArgumentIsIgnored()
{
    const LaunchOptions data = parse({QStringLiteral("--preview"), QStringLiteral("--data-path")});
    QVERIFY(data.preview);
    QVERIFY(!data.dataPath);

    const LaunchOptions capture =
        parse({QStringLiteral("--quit-after-capture"), QStringLiteral("--capture")});
    QVERIFY(!capture.capturePath);
    QVERIFY(capture.quitAfterCapture);

    // The value of one option may itself look like an option; it is still the value.
    const LaunchOptions swallowed =
        parse({QStringLiteral("--capture"), QStringLiteral("--data-path")});
    QCOMPARE(swallowed.capturePath, cwd + QStringLiteral("/--data-path"));
    QVERIFY(!swallowed.dataPath);
}

void LaunchOptionsTest::relativePathsResolveAgainstWorkingDirectory()
{
    const LaunchOptions options =
        parse({QStringLiteral("--data-path"), QStringLiteral("datos/estado.json"),
               QStringLiteral("--capture"), QStringLiteral("../fotos/./ventana.png")});
    QCOMPARE(options.dataPath, QStringLiteral("/home/ana/lecturas/datos/estado.json"));
    QCOMPARE(options.capturePath, QStringLiteral("/home/ana/fotos/ventana.png"));

    const LaunchOptions absolute =
        parse({QStringLiteral("--data-path"), QStringLiteral("/var/tmp/estado.json")});
    QCOMPARE(absolute.dataPath, QStringLiteral("/var/tmp/estado.json"));

    const LaunchOptions spaced =
        parse({QStringLiteral("--data-path"), QStringLiteral("mis datos/ñandú.json")});
    QCOMPARE(spaced.dataPath, QStringLiteral("/home/ana/lecturas/mis datos/ñandú.json"));
}

void LaunchOptionsTest::valuesAreTakenLiterally()
{
    // "--preview" right after "--data-path" is that option's value and also turns on the
    // preview, since the preview looks at every argument.
    const LaunchOptions options =
        parse({QStringLiteral("--data-path"), QStringLiteral("--preview")});
    QVERIFY(options.preview);
    QCOMPARE(options.dataPath, cwd + QStringLiteral("/--preview"));
}

QTEST_GUILESS_MAIN(LaunchOptionsTest)
#include "tst_launch_options.moc"
