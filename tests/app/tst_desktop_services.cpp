#include "app/desktop_save_dialog.h"
#include "app/qt_translations.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

// Runs `act` on the save dialog once it is open (it runs its own loop).
void whenDialogOpens(const std::function<void(QFileDialog*)>& act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
                timer->deleteLater();
                timer->stop();
                act(dialog);
            }
        }
    });
    timer->start(20);
}

} // namespace

class DesktopServicesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Qt's own texts speak Spanish too, whatever the system's language.
    void qtSpeaksSpanish()
    {
        QVERIFY(QtTranslations::installSpanish(*qApp));
        QLineEdit field(QStringLiteral("texto"));
        const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList items;
        for (const QAction* action : menu->actions())
            items << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(items.contains(QStringLiteral("Copiar")) &&
                     items.contains(QStringLiteral("Pegar")),
                 qPrintable(items.join(QLatin1Char(','))));
    }

    // The dialog's folder loads in the background; the answers never change the folder, so
    // they do not depend on when that loading ends.
    void saveDialogAsksForAPlainTextFile()
    {
        QWidget parent;
        DesktopSaveDialog dialog(&parent);
        QStringList seen; // title, filters and suggested name; then the folder
        whenDialogOpens([&](QFileDialog* box) {
            auto* name = box->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            seen << box->windowTitle() << box->nameFilters() << name->text()
                 << box->directory().absolutePath();
            name->setText(QStringLiteral("mi-lectura")); // a name without extension gets ".txt"
            static_cast<QDialog*>(box)->accept();
        });
        const std::optional<QString> path =
            dialog.askForPath(QStringLiteral("Arcandel-2024-06-14.txt"));
        QCOMPARE(seen.mid(0, 3), QStringList({QStringLiteral("Exportar lectura"),
                                              QStringLiteral("Texto sin formato (*.txt)"),
                                              QStringLiteral("Arcandel-2024-06-14.txt")}));
        QCOMPARE(path, QDir(seen.last()).filePath(QStringLiteral("mi-lectura.txt")));
        whenDialogOpens([](QFileDialog* box) { box->reject(); });
        QCOMPARE(dialog.askForPath(QStringLiteral("Arcandel-2024-06-14.txt")), std::nullopt);
    }
};

QTEST_MAIN(DesktopServicesTest)
#include "tst_desktop_services.moc"
