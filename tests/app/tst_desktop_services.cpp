#include "app/desktop_save_dialog.h"
#include "app/desktop_sound_player.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

class DesktopServicesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveDialogOffersPlainTextWithTheSuggestedName();
    void saveDialogAnswersWithThePathOrNothing();
    void soundsNeverBlockOrFail();
};

namespace {

// Runs `act` on the save dialog once it is open (it runs its own loop).
void whenDialogOpens(const std::function<void(QFileDialog*)>& act)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            if (dialog && dialog->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(dialog);
                return;
            }
        }
    });
    timer->start();
}

} // namespace

void DesktopServicesTest::saveDialogOffersPlainTextWithTheSuggestedName()
{
    QFileDialog dialog;
    DesktopSaveDialog::configure(dialog, QStringLiteral("Arcandel-2024-06-14.txt"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Exportar lectura"));
    QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Texto sin formato (*.txt)")});
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("txt"));
    QCOMPARE(dialog.labelText(QFileDialog::Accept), QStringLiteral("Guardar"));
    QCOMPARE(dialog.labelText(QFileDialog::Reject), QStringLiteral("Cancelar"));
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    QCOMPARE(name->text(), QStringLiteral("Arcandel-2024-06-14.txt"));
}

// The dialog's folder loads in the background; the answers below never change the folder, so
// they do not depend on when that loading ends.
void DesktopServicesTest::saveDialogAnswersWithThePathOrNothing()
{
    QWidget parent;
    DesktopSaveDialog dialog(&parent);
    QString folder;
    whenDialogOpens([&](QFileDialog* box) {
        folder = box->directory().absolutePath();
        // A name typed without an extension gets ".txt".
        box->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("mi-lectura"));
        static_cast<QDialog*>(box)->accept();
    });
    const std::optional<QString> path =
        dialog.askForPath(QStringLiteral("Arcandel-2024-06-14.txt"));
    QVERIFY(path);
    QCOMPARE(*path, QDir(folder).filePath(QStringLiteral("mi-lectura.txt")));

    whenDialogOpens([](QFileDialog* box) { box->reject(); });
    QCOMPARE(dialog.askForPath(QStringLiteral("Arcandel-2024-06-14.txt")), std::nullopt);
}

void DesktopServicesTest::soundsNeverBlockOrFail()
{
    QCOMPARE(DesktopSoundPlayer::eventFor(QStringLiteral("Pop")),
             QStringLiteral("audio-volume-change"));
    QCOMPARE(DesktopSoundPlayer::eventFor(QStringLiteral("Bell")), QStringLiteral("bell"));
    // With or without a sound server here, playing returns at once and can be repeated.
    DesktopSoundPlayer player;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 5; ++i)
        player.play(QStringLiteral("Pop"));
    QVERIFY(clock.elapsed() < 3000);
}

QTEST_MAIN(DesktopServicesTest)
#include "tst_desktop_services.moc"
