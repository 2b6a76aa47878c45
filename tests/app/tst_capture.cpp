#include "app/arcandel_app.h"
#include "app/content_view.h"
#include "app/main_window.h"
#include "app/tarot_app_delegate.h"
#include "store/app_store.h"
#include "support/fixtures.h"
#include "support/test_paths.h"
#include "views/kit/typography.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

class CaptureTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void previewCaptureWritesThePictureAndQuits()
    {
        QTemporaryDir dir;
        QFile stale(dir.filePath(QStringLiteral("ventana.png")));
        QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write(QByteArray(5000, 'x')) == 5000);
        stale.close(); // an older file is replaced
        QProcess arcandel;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        arcandel.setProcessEnvironment(environment);
        arcandel.setWorkingDirectory(dir.path());
        QElapsedTimer clock;
        clock.start();
        arcandel.start(TestPaths::executable(),
                       {QStringLiteral("--preview"), QStringLiteral("--data-path"),
                        QStringLiteral("estado.json"), QStringLiteral("--capture"),
                        QStringLiteral("ventana.png"), QStringLiteral("--quit-after-capture")});
        // Generous for sanitizer builds on a busy machine; the capture comes after 3 s.
        QVERIFY2(arcandel.waitForFinished(25000), "arcandel did not quit after capturing");
        QCOMPARE(arcandel.exitCode(), 0);
        QVERIFY(clock.elapsed() >= 2900);
        // The content alone, without menu and tool bars: the accent of the selected sidebar
        // row and the emerald cloth.
        const QImage image(dir.filePath(QStringLiteral("ventana.png")));
        QCOMPARE(image.width(), 1280);
        QVERIFY(image.height() < 850);
        int accent = 0, cloth = 0;
        const auto near = [](const QColor& a, const QColor& b) {
            return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) +
                       qAbs(a.blue() - b.blue()) <
                   18;
        };
        for (int i = 0; i < image.width() * image.height(); i += 3) {
            const QColor c = image.pixelColor(i % image.width(), i / image.width());
            accent += near(c, Typography::accent());
            cloth += near(c, QColor(15, 74, 64));
        }
        QVERIFY(accent > 200 && cloth > 200);
        // Preview mode writes no state file, even at the path it was given.
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("estado.json"))));
    }

    void applicationUsesOneStoreAndCapturesAVisibleWindow()
    {
        QTemporaryDir dir;
        ArcandelApp app({QStringLiteral("arcandel"), QStringLiteral("--data-path"),
                         QStringLiteral("datos/estado.json"), QStringLiteral("--data-path"),
                         QStringLiteral("otro.json")},
                        dir.path());
        AppStore* store = app.store();
        QCOMPARE(app.store(), store);
        store->apply(store->preferences());
        QVERIFY(store->flush());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("datos/estado.json"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("otro.json"))));
        // No visible window: no picture.
        const QString picture = dir.filePath(QStringLiteral("captura.png"));
        QVERIFY(!TarotAppDelegate::capture(picture, false) && !QFile::exists(picture));
        app.launch();
        QCOMPARE(app.window()->findChild<ContentView*>()->store(), store);
        QVERIFY(QTest::qWaitForWindowExposed(app.window()));
        QVERIFY(TarotAppDelegate::capture(picture, false));
        QCOMPARE(QImage(picture).size(), app.window()->findChild<ContentView*>()->size() *
                                             app.window()->devicePixelRatioF());
        // Never over the journal itself.
        const QString state = dir.filePath(QStringLiteral("datos/estado.json"));
        const QByteArray journal = Fixtures::fileBytes(state);
        QVERIFY(TarotAppDelegate::capture(state, false, state));
        QCOMPARE(Fixtures::fileBytes(state), journal);
    }

    void captureNeverReplacesTheJournalThroughAHardLink()
    {
        QTemporaryDir dir;
        const QString state = Fixtures::writeState(dir, {}, Fixtures::settled());
        const QByteArray journal = Fixtures::fileBytes(state);
        const QString link = dir.filePath(QStringLiteral("enlace.png"));
        QVERIFY(::link(QFile::encodeName(state).constData(), QFile::encodeName(link).constData()) ==
                0);
        QProcess arcandel;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        arcandel.setProcessEnvironment(environment);
        arcandel.start(TestPaths::executable(),
                       {QStringLiteral("--data-path"), state, QStringLiteral("--capture"), link,
                        QStringLiteral("--quit-after-capture")});
        QVERIFY(arcandel.waitForFinished(25000));
        QCOMPARE(arcandel.exitCode(), 0);
        QCOMPARE(Fixtures::fileBytes(state), journal);
    }
};

QTEST_MAIN(CaptureTest)
#include "tst_capture.moc"
