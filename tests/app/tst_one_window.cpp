#include "app/arcandel_app.h"
#include "app/content_view.h"
#include "app/instance_channel.h"
#include "app/main_window.h"
#include "store/app_store.h"
#include "support/test_paths.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class OneWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondLaunchBringsTheFirstForward();
    void quittingAsksWhenAWriteFailed();
};

void OneWindowTest::secondLaunchBringsTheFirstForward()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("diario/state.json"));
    ArcandelApp first({QStringLiteral("arcandel"), QStringLiteral("--data-path"), path},
                      dir.path());
    QVERIFY(first.claimJournal());
    first.launch();
    QVERIFY(QTest::qWaitForWindowExposed(first.window()));
    first.window()->showMinimized();
    QSignalSpy asked(first.channel(), &InstanceChannel::activationRequested);

    // Another process on the same file, reached through a link to its folder.
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("diario")),
                        dir.filePath(QStringLiteral("enlace"))));
    QProcess second;
    QElapsedTimer clock;
    clock.start();
    second.start(TestPaths::executable(), {QStringLiteral("--data-path"),
                                           dir.filePath(QStringLiteral("enlace/state.json"))});
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
    qInfo("the second launch ended after %lld ms", qint64(clock.elapsed()));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(second.readAllStandardOutput()),
             QStringLiteral("Arcandel ya está abierto con este diario; su ventana ha pasado al "
                            "frente.\n"));
    QCOMPARE(asked.count(), 1);
    QVERIFY(!first.window()->isMinimized() && first.window()->isVisible());

    // Preview takes no lock, and another journal opens beside this one.
    ArcandelApp preview({QStringLiteral("arcandel"), QStringLiteral("--preview"),
                         QStringLiteral("--data-path"), path},
                        dir.path());
    ArcandelApp other({QStringLiteral("arcandel"), QStringLiteral("--data-path"),
                       dir.filePath(QStringLiteral("otro.json"))},
                      dir.path());
    QVERIFY(preview.claimJournal() && other.claimJournal());
}

void OneWindowTest::quittingAsksWhenAWriteFailed()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("bloqueo")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    AppStore store(blocker.fileName() + QStringLiteral("/state.json"));
    MainWindow window(&store);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    store.apply(Preferences()); // cannot be written: a file stands where the folder goes

    // The alert offers to try again; closing the window asks first.
    QTRY_VERIFY(window.findChild<ContentView*>()->errorAlert());
    QVERIFY(window.findChild<ContentView*>()->errorAlert()->findChild<QPushButton*>(
        QStringLiteral("retry")));
    QVERIFY(!window.close());
    QMessageBox* prompt = window.findChild<ContentView*>()->quitPrompt();
    QVERIFY(prompt && !window.findChild<ContentView*>()->errorAlert());
    QCOMPARE(prompt->text(), QStringLiteral("Hay cambios sin guardar"));
    QStringList buttons;
    for (QAbstractButton* button : prompt->buttons())
        buttons << button->text();
    buttons.sort();
    QCOMPARE(buttons, (QStringList{QStringLiteral("Cancelar"), QStringLiteral("Reintentar"),
                                   QStringLiteral("Salir sin guardar")}));

    // Once the cause is gone, "Reintentar" writes and the window closes.
    QVERIFY(blocker.remove());
    for (QAbstractButton* button : prompt->buttons()) {
        if (button->text() == QStringLiteral("Reintentar"))
            button->click();
    }
    QTRY_VERIFY(!window.isVisible());
    QVERIFY(!store.hasUnsavedChanges());
    QVERIFY(QFile::exists(blocker.fileName() + QStringLiteral("/state.json")));
}

QTEST_MAIN(OneWindowTest)
#include "tst_one_window.moc"
