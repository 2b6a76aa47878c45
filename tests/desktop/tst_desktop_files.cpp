#include "app/arcandel_app.h"
#include "support/test_paths.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMap>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

// What launchers and software centres read about Arcandel, and the icon its window shows.
class DesktopFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowIconIsTheApplicationIcon();
    void desktopEntryIsSpanishWithEnglishFallback();
    void metainfoMatchesTheProgramAndItsScreenshots();
};

namespace {

const QString appId = QStringLiteral("org.arcandel.Arcandel");

QString dataPath(const QString& relative)
{
    return TestPaths::sourceDir() + QStringLiteral("/data/") + relative;
}

QMap<QString, QString> readDesktopEntry(const QString& path)
{
    QMap<QString, QString> entry;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entry;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
        else if (inMainGroup && line.contains(QLatin1Char('=')) &&
                 !line.startsWith(QLatin1Char('#')))
            entry.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return entry;
}

int largestChannelDifference(const QImage& first, const QImage& second)
{
    int largest = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            const QRgb a = first.pixel(x, y);
            const QRgb b = second.pixel(x, y);
            largest = std::max({largest, qAbs(qAlpha(a) - qAlpha(b)), qAbs(qRed(a) - qRed(b)),
                                qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
        }
    }
    return largest;
}

} // namespace

void DesktopFilesTest::windowIconIsTheApplicationIcon()
{
    QApplication::setWindowIcon(QIcon());
    ArcandelApp::applyAppearance(*qApp);
    const QIcon icon = QApplication::windowIcon();
    QVERIFY(!icon.isNull());
    // Whether the icon theme or the compiled-in copy answers, every size a window manager
    // asks for is the application's own picture, not a scaled guess.
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage expected =
            QImage(dataPath(QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(appId)))
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY(!expected.isNull());
        const QImage shown = icon.pixmap(QSize(size, size))
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(shown.size(), expected.size());
        QVERIFY2(largestChannelDifference(shown, expected) <= 2, qPrintable(QString::number(size)));
    }
}

void DesktopFilesTest::desktopEntryIsSpanishWithEnglishFallback()
{
    const QMap<QString, QString> entry =
        readDesktopEntry(dataPath(appId + QStringLiteral(".desktop")));
    QCOMPARE(entry.value(QStringLiteral("Icon")), appId);
    // The launcher starts the program the build makes and installs.
    QCOMPARE(entry.value(QStringLiteral("Exec")), QFileInfo(TestPaths::executable()).fileName());
    for (const QString& key :
         {QStringLiteral("GenericName"), QStringLiteral("Comment"), QStringLiteral("Keywords")}) {
        const QString english = entry.value(key);
        const QString spanish = entry.value(key + QStringLiteral("[es]"));
        QVERIFY2(!english.isEmpty() && !spanish.isEmpty() && english != spanish, qPrintable(key));
    }
}

void DesktopFilesTest::metainfoMatchesTheProgramAndItsScreenshots()
{
    QFile file(dataPath(appId + QStringLiteral(".metainfo.xml")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QMap<QString, QString> fields;
    QStringList screenshots;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        if (name == QStringLiteral("release") && !fields.contains(name)) {
            fields.insert(name, xml.attributes().value(QStringLiteral("version")).toString());
        } else if (name == QStringLiteral("image")) {
            // Published beside the homepage, taken from data/screenshots at its real size.
            const QSize declared(xml.attributes().value(QStringLiteral("width")).toInt(),
                                 xml.attributes().value(QStringLiteral("height")).toInt());
            const QUrl url(xml.readElementText());
            QCOMPARE(url.host(), QStringLiteral("arcandel.org"));
            const QImage picture(dataPath(QStringLiteral("screenshots/") + url.fileName()));
            QVERIFY2(!picture.isNull(), qPrintable(url.fileName()));
            QCOMPARE(declared, picture.size());
            screenshots.append(url.fileName());
        } else if (QStringList{QStringLiteral("id"), QStringLiteral("launchable"),
                               QStringLiteral("binary")}
                       .contains(name)) {
            fields.insert(name, xml.readElementText());
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(fields.value(QStringLiteral("id")), appId);
    QCOMPARE(fields.value(QStringLiteral("launchable")), appId + QStringLiteral(".desktop"));
    QCOMPARE(fields.value(QStringLiteral("binary")), QFileInfo(TestPaths::executable()).fileName());
    // The newest release is the version the build carries.
    QCOMPARE(fields.value(QStringLiteral("release")), QStringLiteral(ARCANDEL_VERSION));
    screenshots.sort();
    QCOMPARE(QDir(dataPath(QStringLiteral("screenshots"))).entryList(QDir::Files, QDir::Name),
             screenshots);
}

QTEST_MAIN(DesktopFilesTest)
#include "tst_desktop_files.moc"
