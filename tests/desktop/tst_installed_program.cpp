#include "support/test_paths.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The program as a person gets it: installed into a prefix of its own with `cmake --install`,
// started from a folder that has nothing to do with the source tree, finding its deck and
// pictures under <prefix>/share/arcandel/Resources.
class InstalledProgramTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void installsEveryPartWhereTheDesktopLooksForIt();
    void installedTreePassesTheAppStreamChecks();
    void installedProgramShowsItsOwnCardPictures();

private:
    QTemporaryDir m_root;
    QString m_prefix;
};

namespace {

const QString appId = QStringLiteral("org.arcandel.Arcandel");
// Sanitizer builds on a busy two-core machine; the capture itself comes 3 s after launch.
constexpr int processTimeoutMs = 120000;
// Distinctive enough that nothing in the window is drawn in it by chance.
const QRgb marker = qRgb(255, 0, 255);

struct Run {
    int exitCode = -1;
    QByteArray output;
};

Run run(const QString& program, const QStringList& arguments, const QString& directory,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Run result;
    if (!process.waitForStarted(processTimeoutMs))
        return result;
    if (!process.waitForFinished(processTimeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        result.output = process.readAll() + "\n(timed out)";
        return result;
    }
    result.output = process.readAll();
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

QStringList filesUnder(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool copyTree(const QString& from, const QString& to)
{
    for (const QString& relative : filesUnder(from)) {
        const QString target = QDir(to).filePath(relative);
        if (!QDir().mkpath(QFileInfo(target).path()) ||
            !QFile::copy(QDir(from).filePath(relative), target))
            return false;
        // Keep the program executable.
        QFile::setPermissions(target, QFileInfo(QDir(from).filePath(relative)).permissions());
    }
    return true;
}

// Runs an installed arcandel in preview mode from `workingDirectory` and returns the capture.
QImage captureInstalled(const QString& executable, const QString& scratch)
{
    const QString home = QDir(scratch).filePath(QStringLiteral("home"));
    const QString work = QDir(scratch).filePath(QStringLiteral("somewhere-else"));
    const QString capture = QDir(scratch).filePath(QStringLiteral("capture.png"));
    const QString dataPath = QDir(scratch).filePath(QStringLiteral("fresh/state.json"));
    if (!QDir().mkpath(home) || !QDir().mkpath(work))
        return {};

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    const Run result =
        run(executable,
            {QStringLiteral("--preview"), QStringLiteral("--data-path"), dataPath,
             QStringLiteral("--capture"), capture, QStringLiteral("--quit-after-capture")},
            work, environment);
    if (result.exitCode != 0) {
        qWarning("arcandel exited with %d:\n%s", result.exitCode, result.output.constData());
        return {};
    }
    // Preview mode never touches the state file.
    if (QFileInfo::exists(dataPath)) {
        qWarning("the preview wrote %s", qPrintable(dataPath));
        return {};
    }
    return QImage(capture).convertToFormat(QImage::Format_RGB32);
}

int pixelsNear(const QImage& image, QRgb colour, int tolerance)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAbs(qRed(line[x]) - qRed(colour)) <= tolerance &&
                qAbs(qGreen(line[x]) - qGreen(colour)) <= tolerance &&
                qAbs(qBlue(line[x]) - qBlue(colour)) <= tolerance)
                ++count;
        }
    }
    return count;
}

// The colour that covers most of the card pictures: their paper.
QRgb paperColour(const QStringList& pictures)
{
    QHash<QRgb, qint64> bins;
    for (const QString& path : pictures) {
        const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                ++bins[line[x] & 0xF8F8F8]; // bins of 8 levels per channel
        }
    }
    QRgb best = 0;
    qint64 most = -1;
    for (auto it = bins.cbegin(); it != bins.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    }
    return qRgb(qRed(best) + 4, qGreen(best) + 4, qBlue(best) + 4);
}

QStringList deckImageNames(const QByteArray& deck)
{
    QStringList names;
    for (const QJsonValue& card : QJsonDocument::fromJson(deck).array())
        names.append(card.toObject().value(QStringLiteral("image")).toString());
    return names;
}

} // namespace

void InstalledProgramTest::initTestCase()
{
    QVERIFY(m_root.isValid());
    m_prefix = m_root.filePath(QStringLiteral("prefix"));
    const Run install = run(QStringLiteral(ARCANDEL_CMAKE_COMMAND),
                            {QStringLiteral("--install"), QStringLiteral(ARCANDEL_BUILD_DIR),
                             QStringLiteral("--prefix"), m_prefix},
                            m_root.path());
    QVERIFY2(install.exitCode == 0, install.output.constData());
}

void InstalledProgramTest::installsEveryPartWhereTheDesktopLooksForIt()
{
    const QDir prefix(m_prefix);
    const QString source = TestPaths::sourceDir();

    // The program alone in bin/, executable.
    QCOMPARE(filesUnder(prefix.filePath(QStringLiteral("bin"))),
             QStringList{QStringLiteral("arcandel")});
    QVERIFY(QFileInfo(prefix.filePath(QStringLiteral("bin/arcandel"))).isExecutable());

    // The resources as the catalog expects them, the same bytes as in the source tree.
    const QString resources = prefix.filePath(QStringLiteral("share/arcandel/Resources"));
    const QByteArray deck = contents(resources + QStringLiteral("/arcana.json"));
    QVERIFY(!deck.isEmpty());
    QCOMPARE(deck, contents(source + QStringLiteral("/src/Resources/arcana.json")));
    QVERIFY(!QImage(resources + QStringLiteral("/Lanuk.png")).isNull());
    const QStringList images = deckImageNames(deck);
    QCOMPARE(images.size(), 22);
    QStringList expectedCards = images;
    expectedCards.sort();
    QCOMPARE(filesUnder(resources + QStringLiteral("/Cards")), expectedCards);
    for (const QString& image : images)
        QVERIFY2(!QImage(resources + QStringLiteral("/Cards/") + image).isNull(),
                 qPrintable(image));

    // One application id names the desktop entry, the metainfo and the icon.
    const QByteArray entry = contents(prefix.filePath(QStringLiteral("share/applications/") +
                                                      appId + QStringLiteral(".desktop")));
    QCOMPARE(entry,
             contents(source + QStringLiteral("/data/") + appId + QStringLiteral(".desktop")));
    QVERIFY(entry.contains(QByteArray("\nIcon=" + appId.toUtf8() + '\n')));
    QVERIFY(entry.contains("\nExec=arcandel\n"));
    const QByteArray metainfo = contents(prefix.filePath(QStringLiteral("share/metainfo/") + appId +
                                                         QStringLiteral(".metainfo.xml")));
    QVERIFY(metainfo.contains(QByteArray("<id>" + appId.toUtf8() + "</id>")));
    QVERIFY(metainfo.contains(QByteArray(">" + appId.toUtf8() + ".desktop</launchable>")));

    // Every icon size where the icon theme looks, each picture really of its size.
    const QString icons = prefix.filePath(QStringLiteral("share/icons/hicolor"));
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(icons).arg(size).arg(appId);
        QCOMPARE(QImage(path).size(), QSize(size, size));
    }
    QVERIFY(QFileInfo::exists(icons + QStringLiteral("/scalable/apps/") + appId +
                              QStringLiteral(".svg")));

    // Nothing else lands in share/.
    QStringList shared = QDir(prefix.filePath(QStringLiteral("share")))
                             .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QCOMPARE(shared, (QStringList{QStringLiteral("applications"), QStringLiteral("arcandel"),
                                  QStringLiteral("icons"), QStringLiteral("metainfo")}));
}

void InstalledProgramTest::installedTreePassesTheAppStreamChecks()
{
    const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    if (appstream.isEmpty())
        QSKIP("appstreamcli is not installed (Debian package appstream)");
    // Checks the metainfo together with the desktop entry it launches, as installed.
    const Run check = run(appstream,
                          {QStringLiteral("validate-tree"), QStringLiteral("--no-net"),
                           QStringLiteral("--strict"), m_prefix},
                          m_root.path());
    QVERIFY2(check.exitCode == 0, check.output.constData());
}

void InstalledProgramTest::installedProgramShowsItsOwnCardPictures()
{
    const QString cards = m_prefix + QStringLiteral("/share/arcandel/Resources/Cards");
    QStringList pictures;
    for (const QString& name : QDir(cards).entryList({QStringLiteral("*.png")}, QDir::Files))
        pictures.append(cards + QLatin1Char('/') + name);
    QCOMPARE(pictures.size(), 22);
    const QRgb paper = paperColour(pictures);
    // Cream, not the navy or gold of the drawn card back that stands in for a missing picture.
    QVERIFY2(qRed(paper) > 200 && qGreen(paper) > 190 && qBlue(paper) > 150 &&
                 qBlue(paper) < qRed(paper) - 10,
             qPrintable(QColor(paper).name()));

    // The installed program, as installed. The preview shows three cards on the table and
    // one in the panel, all on their cream paper.
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QImage real = captureInstalled(m_prefix + QStringLiteral("/bin/arcandel"),
                                         scratch.filePath(QStringLiteral("installed")));
    QVERIFY(!real.isNull());
    const int realPaper = pixelsNear(real, paper, 10);
    QVERIFY2(realPaper > 20000, qPrintable(QString::number(realPaper)));
    QCOMPARE(pixelsNear(real, marker, 24), 0);

    // A copy of the installation whose card pictures are one flat, unmistakable colour. The
    // source tree (whose path the program knows) still holds the real pictures, so the
    // colour can only reach the window from the installed resources.
    const QString copy = scratch.filePath(QStringLiteral("copy"));
    QVERIFY(copyTree(m_prefix, copy));
    QImage flat(400, 750, QImage::Format_RGB32);
    flat.fill(marker);
    const QString copiedCards = copy + QStringLiteral("/share/arcandel/Resources/Cards");
    const QStringList names = QDir(copiedCards).entryList({QStringLiteral("*.png")}, QDir::Files);
    QCOMPARE(names.size(), 22);
    for (const QString& name : names)
        QVERIFY(flat.save(copiedCards + QLatin1Char('/') + name, "PNG"));

    const QImage marked = captureInstalled(copy + QStringLiteral("/bin/arcandel"),
                                           scratch.filePath(QStringLiteral("copied")));
    QVERIFY(!marked.isNull());
    QCOMPARE(marked.size(), real.size());
    const int coloured = pixelsNear(marked, marker, 24);
    QVERIFY2(coloured > 20000, qPrintable(QString::number(coloured)));
    // The cream went with the real pictures: in the first capture it came from them alone.
    const int markedPaper = pixelsNear(marked, paper, 10);
    QVERIFY2(markedPaper * 50 < realPaper,
             qPrintable(QStringLiteral("%1 of %2").arg(markedPaper).arg(realPaper)));
}

QTEST_GUILESS_MAIN(InstalledProgramTest)
#include "tst_installed_program.moc"
