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

struct Screenshot {
    bool isDefault = false;
    QStringList captionLanguages;
    QUrl url;
    QSize declared;
};

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
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("Arcandel"));
    QCOMPARE(entry.value(QStringLiteral("Icon")), appId);
    // The launcher starts the program the build makes and installs.
    QCOMPARE(entry.value(QStringLiteral("Exec")), QFileInfo(TestPaths::executable()).fileName());
    QCOMPARE(entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));
    for (const QString& key :
         {QStringLiteral("GenericName"), QStringLiteral("Comment"), QStringLiteral("Keywords")}) {
        const QString english = entry.value(key);
        const QString spanish = entry.value(key + QStringLiteral("[es]"));
        QVERIFY2(!english.isEmpty() && !spanish.isEmpty(), qPrintable(key));
        QVERIFY2(english != spanish, qPrintable(key));
    }
    QVERIFY(entry.value(QStringLiteral("Keywords[es]")).contains(QStringLiteral("arcanos;")));
    QVERIFY(entry.value(QStringLiteral("Comment[es]")).contains(QStringLiteral("Marsella")));
    const QStringList categories =
        entry.value(QStringLiteral("Categories")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QVERIFY(!categories.isEmpty());
    QVERIFY(categories.contains(QStringLiteral("Qt")));
}

void DesktopFilesTest::metainfoMatchesTheProgramAndItsScreenshots()
{
    QFile file(dataPath(appId + QStringLiteral(".metainfo.xml")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString id, launchable, binary, releaseVersion, releaseDate;
    QStringList summaryLanguages;
    QList<Screenshot> screenshots;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        const QString language = xml.attributes().value(QStringLiteral("xml:lang")).toString();
        if (name == QStringLiteral("id")) {
            id = xml.readElementText();
        } else if (name == QStringLiteral("launchable")) {
            launchable = xml.readElementText();
        } else if (name == QStringLiteral("binary")) {
            binary = xml.readElementText();
        } else if (name == QStringLiteral("summary")) {
            summaryLanguages.append(language.isEmpty() ? QStringLiteral("C") : language);
        } else if (name == QStringLiteral("release") && releaseVersion.isEmpty()) {
            releaseVersion = xml.attributes().value(QStringLiteral("version")).toString();
            releaseDate = xml.attributes().value(QStringLiteral("date")).toString();
        } else if (name == QStringLiteral("screenshot")) {
            Screenshot shot;
            shot.isDefault =
                xml.attributes().value(QStringLiteral("type")) == QStringLiteral("default");
            screenshots.append(shot);
        } else if (name == QStringLiteral("caption") && !screenshots.isEmpty()) {
            screenshots.last().captionLanguages.append(language.isEmpty() ? QStringLiteral("C")
                                                                          : language);
        } else if (name == QStringLiteral("image") && !screenshots.isEmpty()) {
            const auto attributes = xml.attributes();
            screenshots.last().declared = QSize(attributes.value(QStringLiteral("width")).toInt(),
                                                attributes.value(QStringLiteral("height")).toInt());
            screenshots.last().url = QUrl(xml.readElementText());
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));

    QCOMPARE(id, appId);
    QCOMPARE(launchable, appId + QStringLiteral(".desktop"));
    QCOMPARE(binary, QFileInfo(TestPaths::executable()).fileName());
    QCOMPARE(summaryLanguages, (QStringList{QStringLiteral("C"), QStringLiteral("es")}));
    // The newest release is the version the build carries.
    QCOMPARE(releaseVersion, QStringLiteral(ARCANDEL_VERSION));
    QVERIFY(QDate::fromString(releaseDate, Qt::ISODate).isValid());

    // Screenshots: published beside the homepage, taken from data/screenshots, declared at
    // their real size, captioned in both languages, one of them the default.
    QVERIFY(screenshots.size() >= 2 && screenshots.size() <= 4);
    int defaults = 0;
    QStringList referenced;
    for (const Screenshot& shot : screenshots) {
        defaults += shot.isDefault ? 1 : 0;
        QCOMPARE(shot.url.scheme(), QStringLiteral("https"));
        QCOMPARE(shot.url.host(), QStringLiteral("arcandel.org"));
        const QString local = dataPath(QStringLiteral("screenshots/") + shot.url.fileName());
        const QImage picture(local);
        QVERIFY2(!picture.isNull(), qPrintable(local));
        QCOMPARE(shot.declared, picture.size());
        QCOMPARE(shot.captionLanguages, (QStringList{QStringLiteral("C"), QStringLiteral("es")}));
        referenced.append(shot.url.fileName());
    }
    QCOMPARE(defaults, 1);
    referenced.sort();
    QCOMPARE(QDir(dataPath(QStringLiteral("screenshots"))).entryList(QDir::Files, QDir::Name),
             referenced);
}

QTEST_MAIN(DesktopFilesTest)
#include "tst_desktop_files.moc"
