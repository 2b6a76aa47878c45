#include "app/desktop_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class DesktopServicesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void saveDialogOffersPlainTextWithTheSuggestedName();
    void cancellingTheSaveDialogGivesNoPath();
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
    QTemporaryDir dir;
    const QString chosen = dir.filePath(QStringLiteral("mi-lectura"));
    QWidget parent;
    DesktopSaveDialog dialog(&parent);
    QString title;
    QStringList filters;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QString suggested;
    whenDialogOpens([&](QFileDialog* box) {
        title = box->windowTitle();
        filters = box->nameFilters();
        mode = box->acceptMode();
        if (auto* name = box->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            suggested = name->text();
        box->selectFile(chosen);
        static_cast<QDialog*>(box)->accept();
    });
    const std::optional<QString> path =
        dialog.askForPath(QStringLiteral("Arcandel-2024-06-14.txt"));
    QCOMPARE(title, QStringLiteral("Exportar lectura"));
    QCOMPARE(filters, QStringList{QStringLiteral("Texto sin formato (*.txt)")});
    QCOMPARE(mode, QFileDialog::AcceptSave);
    QCOMPARE(suggested, QStringLiteral("Arcandel-2024-06-14.txt"));
    // A name typed without an extension gets ".txt".
    QCOMPARE(path, std::optional<QString>(chosen + QStringLiteral(".txt")));
}

void DesktopServicesTest::cancellingTheSaveDialogGivesNoPath()
{
    DesktopSaveDialog dialog;
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
