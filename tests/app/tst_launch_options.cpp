#include "app/launch_options.h"

#include <QTest>

class LaunchOptionsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        // The options a command line gives, summed up as "preview", "data:" and "capture:"
        // with their paths, and "quit".
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("options");
        const auto row = [](const char* arguments, const char* options) {
            QTest::newRow(*arguments ? arguments : "nothing")
                << QString::fromUtf8(arguments) << QString::fromUtf8(options);
        };
        row("", "");
        row("--quit-after-capture --capture /a.png --data-path /s.json --preview",
            "preview data:/s.json capture:/a.png quit");
        row("--Preview -preview --data-path=/x.json --quit-after-capture=1", "");
        row("--data-path /1.json --data-path /2.json", "data:/1.json");
        row("--preview --data-path", "preview");
        row("--quit-after-capture --capture", "quit");
        row("--capture --data-path", "capture:/home/ana/--data-path");
        row("--data-path --preview", "preview data:/home/ana/--preview");
        row("--data-path datos/estado.json --capture ../fotos/./v.png",
            "data:/home/ana/datos/estado.json capture:/home/fotos/v.png");
    }

    void parse()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, options);
        const LaunchOptions parsed =
            LaunchOptions::parse(QStringList{QStringLiteral("/usr/bin/arcandel")} +
                                     arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts),
                                 QStringLiteral("/home/ana"));
        QStringList summary;
        if (parsed.preview)
            summary << QStringLiteral("preview");
        if (parsed.dataPath)
            summary << QStringLiteral("data:") + *parsed.dataPath;
        if (parsed.capturePath)
            summary << QStringLiteral("capture:") + *parsed.capturePath;
        if (parsed.quitAfterCapture)
            summary << QStringLiteral("quit");
        QCOMPARE(summary.join(QLatin1Char(' ')), options);
    }
};

QTEST_GUILESS_MAIN(LaunchOptionsTest)
#include "tst_launch_options.moc"
