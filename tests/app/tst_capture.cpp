#include "app/arcandel_app.h"
#include "app/content_view.h"
#include "app/main_window.h"
#include "app/tarot_app_delegate.h"
#include "app/window_capture.h"
#include "store/app_store.h"
#include "support/test_paths.h"
#include "views/kit/typography.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class CaptureTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void previewCaptureWritesThePictureAndQuits();
    void captureAsLastArgumentWritesNothing();
    void captureWithoutQuitKeepsRunning();
    void unwritableCaptureStillQuits();
    void applicationUsesOneStoreWithTheGivenPath();
    void captureInProcessNeedsAVisibleWindow();
};

namespace {

// Generous for sanitizer builds on a busy machine; the capture itself comes after 3 s.
constexpr int finishWithinMs = 25000;

void startArcandel(QProcess& process, const QStringList& arguments, const QString& directory)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory);
    process.setProgram(TestPaths::executable());
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start();
}

void stop(QProcess& process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

// The pixel size the content of a fresh preview window has on this platform.
QSize expectedCaptureSize()
{
    QTemporaryDir dir;
    AppStore store(dir.filePath(QStringLiteral("state.json")), true);
    MainWindow window(&store);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};
    QCoreApplication::processEvents();
    return window.contentView()->size() * window.contentView()->devicePixelRatioF();
}

int pixelsNear(const QImage& image, const QColor& color, int tolerance)
{
    int count = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - color.red()) <= tolerance &&
                qAbs(c.green() - color.green()) <= tolerance &&
                qAbs(c.blue() - color.blue()) <= tolerance)
                ++count;
        }
    }
    return count;
}

} // namespace

void CaptureTest::previewCaptureWritesThePictureAndQuits()
{
    const QSize expected = expectedCaptureSize();
    QVERIFY(expected.isValid());
    // The content alone: the menu and tool bars are not in the picture.
    QCOMPARE(expected.width(), 1280);
    QVERIFY(expected.height() < 850);

    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("ventana.png"));
    QFile stale(picture);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray(5000, 'x')); // an older, larger file is replaced
    stale.close();

    QProcess process;
    QElapsedTimer clock;
    clock.start();
    startArcandel(process,
                  {QStringLiteral("--preview"), QStringLiteral("--data-path"),
                   QStringLiteral("estado.json"), QStringLiteral("--capture"),
                   QStringLiteral("ventana.png"), QStringLiteral("--quit-after-capture")},
                  dir.path());
    QVERIFY(process.waitForStarted());
    QVERIFY2(process.waitForFinished(finishWithinMs), "arcandel did not quit after capturing");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(clock.elapsed() >= 2900);

    QImage image(picture);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), expected);
    // The picture shows the window: the selected sidebar row in the accent colour and the
    // emerald cloth of the table.
    QVERIFY(pixelsNear(image, Typography::accent(), 6) > 200);
    QVERIFY(pixelsNear(image, QColor(15, 74, 64), 12) > 200);
    // Preview mode writes no state file, even at the path it was given.
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("estado.json"))));
}

void CaptureTest::captureAsLastArgumentWritesNothing()
{
    QTemporaryDir dir;
    QProcess process;
    startArcandel(process,
                  {QStringLiteral("--preview"), QStringLiteral("--quit-after-capture"),
                   QStringLiteral("--capture")},
                  dir.path());
    QVERIFY(process.waitForStarted());
    // Nothing is scheduled, so nothing quits it either.
    QVERIFY(!process.waitForFinished(5000));
    QCOMPARE(process.state(), QProcess::Running);
    stop(process);
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

void CaptureTest::captureWithoutQuitKeepsRunning()
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("sin-salir.png"));
    QProcess process;
    startArcandel(process, {QStringLiteral("--preview"), QStringLiteral("--capture"), picture},
                  dir.path());
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(picture) && QFileInfo(picture).size() > 0,
                             finishWithinMs);
    QVERIFY(!process.waitForFinished(1000));
    QCOMPARE(process.state(), QProcess::Running);
    stop(process);
    QVERIFY(!QImage(picture).isNull());
}

void CaptureTest::unwritableCaptureStillQuits()
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("no/existe/captura.png"));
    QProcess process;
    startArcandel(process,
                  {QStringLiteral("--preview"), QStringLiteral("--capture"), picture,
                   QStringLiteral("--quit-after-capture")},
                  dir.path());
    QVERIFY(process.waitForStarted());
    QVERIFY(process.waitForFinished(finishWithinMs));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(!QFile::exists(picture));
}

void CaptureTest::applicationUsesOneStoreWithTheGivenPath()
{
    QTemporaryDir dir;
    ArcandelApp app({QStringLiteral("arcandel"), QStringLiteral("--data-path"),
                     QStringLiteral("datos/estado.json"), QStringLiteral("--data-path"),
                     QStringLiteral("otro.json")},
                    dir.path());
    AppStore* store = app.store();
    QVERIFY(store);
    QCOMPARE(app.store(), store);
    QVERIFY(!store->preview());
    const QString expected = dir.filePath(QStringLiteral("datos/estado.json"));
    QCOMPARE(store->saveURL(), expected);

    // The store writes exactly that file.
    Preferences preferences = store->preferences();
    preferences.theme = QStringLiteral("Medianoche");
    store->apply(preferences);
    QVERIFY(store->flush());
    QVERIFY(QFile::exists(expected));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("otro.json"))));

    app.launch();
    QVERIFY(app.window());
    QVERIFY(QTest::qWaitForWindowExposed(app.window()));
    QCOMPARE(app.window()->contentView()->store(), store);
    QCOMPARE(app.window()->windowTitle(), QStringLiteral("Arcandel"));
    QVERIFY(TarotAppDelegate::applicationShouldTerminateAfterLastWindowClosed());
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());

    ArcandelApp preview({QStringLiteral("arcandel"), QStringLiteral("--preview")}, dir.path());
    QVERIFY(preview.store()->preview());
    QCOMPARE(preview.store()->saveURL(), AppStore::defaultSaveURL());
}

void CaptureTest::captureInProcessNeedsAVisibleWindow()
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("captura.png"));
    // No window at all: no file, no quitting.
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    QVERIFY(!TarotAppDelegate::capture(picture, false));
    QVERIFY(!QFile::exists(picture));

    AppStore store(dir.filePath(QStringLiteral("state.json")), true);
    MainWindow window(&store);
    QVERIFY(!TarotAppDelegate::capture(picture, false)); // hidden
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(TarotAppDelegate::capture(picture, false));
    const QImage image(picture);
    QCOMPARE(image.size(), window.contentView()->size() * window.devicePixelRatioF());

    // The picture follows the screen's ratio.
    const QImage rendered = WindowCapture::render(window.contentView());
    QCOMPARE(rendered.devicePixelRatio(), window.devicePixelRatioF());
    QVERIFY(!WindowCapture::writePng(QImage(), picture));
    QVERIFY(!WindowCapture::writePng(rendered, dir.filePath(QStringLiteral("x/y.png"))));
    QCOMPARE(quitting.count(), 0);
}

QTEST_MAIN(CaptureTest)
#include "tst_capture.moc"
