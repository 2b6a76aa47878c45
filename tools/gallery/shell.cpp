// The application shell in its named states: the first start, the preview, every section,
// the alert, the confirmations, both table cloths and the drawing pieces at ratios 1 and 2.
// Pictures 01 to 29 belong to the shell.
#include "app/content_view.h"
#include "app/main_window.h"
#include "app/sheet.h"
#include "gallery.h"
#include "model/catalog.h"
#include "model/saved_state.h"
#include "store/backups.h"
#include "views/cards/card_back.h"
#include "views/cards/card_face.h"
#include "views/kit/icons.h"
#include "views/kit/lanuk_mark.h"
#include "views/kit/motion.h"
#include "views/kit/table_palette.h"
#include "views/kit/table_surface.h"
#include "views/kit/typography.h"
#include "views/pages/restore_view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>

namespace Gallery {

namespace {

const QSize contentSize(1280, 796);

QList<Reading> twoReadings()
{
    Reading first = reading(
        Spread::timeline, {DrawnCard{9, false}, DrawnCard{1, false}, DrawnCard{17, true}},
        QStringLiteral("¿Qué me ayudará a abrir una nueva etapa?"), Topic::personal, 755000000.0);
    first.notes = QStringLiteral("Volver a mirar la Estrella dentro de un mes.");
    first.favorite = true;
    Reading second = reading(Spread::cross,
                             {DrawnCard{3, false}, DrawnCard{12, true}, DrawnCard{19, false},
                              DrawnCard{6, false}, DrawnCard{21, false}},
                             QString(), Topic::personal, 754000000.0);
    return {first, second};
}

void deal(AppStore& store, Spread spread)
{
    store.setSpread(spread);
    store.shuffle();
    store.deal(7);
}

// Every drawing piece on one board, on the window's own background.
class PiecesBoard : public QWidget {
public:
    explicit PiecesBoard(bool dark) : m_dark(dark) { setFixedSize(1180, 760); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QColor window = m_dark ? QColor(38, 38, 40) : QColor(239, 239, 239);
        const QColor text = m_dark ? QColor(235, 235, 235) : QColor(25, 25, 25);
        painter.fillRect(rect(), window);

        TableSurface::paint(painter, QRectF(20, 20, 560, 380), QStringLiteral("Esmeralda"));
        TableSurface::paint(painter, QRectF(600, 20, 560, 380), QStringLiteral("Medianoche"));

        const QList<Arcana>& cards = Catalog::cards();
        CardBack::paint(painter, QRectF(50, 60, 140, 262.5));
        CardFace::paint(painter, QRectF(210, 60, 140, 262.5), cards.at(0), false);
        CardFace::paint(painter, QRectF(370, 60, 140, 262.5), cards.at(0), true);
        Arcana missing = cards.at(13);
        missing.image = QStringLiteral("sin-imagen.png");
        CardFace::paint(painter, QRectF(630, 60, 140, 262.5), missing, false);
        CardFace::paint(painter, QRectF(790, 60, 140, 262.5), missing, true);
        // Small sizes used by thumbnails and the celtic cross.
        CardBack::paint(painter, QRectF(960, 60, 48, 90));
        CardFace::paint(painter, QRectF(1020, 60, 48, 90), cards.at(19), false);
        CardBack::paint(painter, QRectF(960, 170, 88, 165));
        painter.save();
        painter.translate(1110, 230);
        painter.rotate(6);
        CardFace::paint(painter, QRectF(-24, -45, 48, 90), cards.at(7), false);
        painter.restore();

        // Section titles and the mascot.
        QPalette palette;
        palette.setColor(QPalette::WindowText, text);
        painter.setPen(Typography::secondary(palette));
        painter.setFont(Typography::tracked(Typography::system(12, QFont::DemiBold), 1.3));
        painter.drawText(QPointF(24, 436), QStringLiteral("QUÉ SIGNIFICA ESTA POSICIÓN"));
        painter.setPen(text);
        painter.setFont(Typography::serif(25, QFont::Medium));
        painter.drawText(QPointF(24, 472), QStringLiteral("El hilo de tus cartas"));
        painter.setFont(Typography::serif(16, QFont::Normal, true));
        painter.drawText(QPointF(24, 500), QStringLiteral("¿Qué quieres dejar crecer?"));
        painter.setFont(Typography::font(Typography::Style::headline));
        painter.drawText(QPointF(24, 526), QStringLiteral("Arcandel"));
        painter.setFont(Typography::font(Typography::Style::caption));
        painter.setPen(Typography::secondary(palette));
        painter.drawText(QPointF(24, 542), QStringLiteral("Tu espacio de reflexión"));

        qreal x = 420;
        for (int size : {40, 54, 72, 90}) {
            LanukMark::paint(painter, QRectF(x, 420, size, size), text);
            x += size + 20;
        }
        LanukMark::paint(painter, QRectF(x, 420, 54, 54), text, std::nullopt);

        // Every symbol, at 16 and 24 points, in the text colour, the accent and gold.
        const QStringList symbols = Icons::symbols();
        qreal ix = 24;
        for (const QString& symbol : symbols) {
            Icons::paint(painter, QRectF(ix, 590, 16, 16), symbol, text);
            Icons::paint(painter, QRectF(ix - 4, 620, 24, 24), symbol, Typography::accent());
            Icons::paint(painter, QRectF(ix - 4, 660, 24, 24), symbol, TablePalette::gold());
            Icons::paint(painter, QRectF(ix - 4, 700, 24, 24), symbol,
                         Typography::secondary(palette));
            ix += 52;
        }
    }

private:
    bool m_dark;
};

} // namespace

void shell()
{
    // Pictures show every piece at rest, whatever this machine's desktop asks for.
    Motion::overrideReducedMotion(true);
    {
        QTemporaryDir dir;
        AppStore store(dir.filePath(QStringLiteral("state.json")), false);
        ContentView view(&store);
        show(view, contentSize);
        if (waitFor([&] { return view.welcomeSheet() && view.welcomeSheet()->isVisible(); }))
            saveWithDialog(&view, view.welcomeSheet(),
                           QStringLiteral("01-primer-inicio-bienvenida"));
    }
    {
        AppStore store(std::nullopt, true);
        ContentView view(&store);
        show(view, contentSize);
        save(&view, QStringLiteral("02-vista-previa"), 1.0, contentSize);
        save(&view, QStringLiteral("03-vista-previa-2x"), 2.0, contentSize);
    }
    {
        Journal journal(twoReadings());
        ContentView view(journal.store.get());
        show(view, contentSize);
        const QList<QPair<QString, QString>> sections = {
            {QStringLiteral("mesa"), QStringLiteral("04-seccion-mesa")},
            {QStringLiteral("historial"), QStringLiteral("05-seccion-historial")},
            {QStringLiteral("guia"), QStringLiteral("06-seccion-guia")},
            {QStringLiteral("fuentes"), QStringLiteral("07-seccion-fuentes")},
        };
        for (const auto& [key, name] : sections) {
            journal.store->setSection(key);
            QApplication::processEvents();
            save(&view, name, 1.0, contentSize);
        }
        // The narrowest window the content allows.
        view.resize(view.minimumSize());
        journal.store->setSection(QStringLiteral("mesa"));
        QApplication::processEvents();
        save(&view, QStringLiteral("08-ventana-minima"), 1.0, QSize(1040, 560));
        // The Celtic cross, every card face up, in that window.
        journal.store->restore(reading(Spread::celtic,
                                       {{12, false},
                                        {13, true},
                                        {10, false},
                                        {6, false},
                                        {14, false},
                                        {18, true},
                                        {17, false},
                                        {9, false},
                                        {3, false},
                                        {8, false}},
                                       QStringLiteral("¿Qué fuerzas mueven esta decisión?"),
                                       Topic::personal, 740000000.0));
        QApplication::processEvents();
        save(&view, QStringLiteral("57-cruz-celta-ventana-minima"), 1.0, QSize(1040, 560));
    }
    {
        // A save that cannot be written (a file stands where the folder should be): the
        // alert offers to try again, and quitting asks what to do.
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("Arcandel")));
        blocker.open(QIODevice::WriteOnly);
        blocker.close();
        AppStore store(blocker.fileName() + QStringLiteral("/state.json"));
        MainWindow window(&store);
        show(window, contentSize);
        store.apply(Journal::quietPreferences());
        ContentView* view = window.findChild<ContentView*>();
        if (waitFor([&] { return view->errorAlert() && view->errorAlert()->isVisible(); }))
            saveWithDialog(view, view->errorAlert(), QStringLiteral("09-alerta-error"));
        window.close();
        if (waitFor([&] { return view->quitPrompt() && view->quitPrompt()->isVisible(); }))
            saveWithDialog(view, view->quitPrompt(), QStringLiteral("19-salir-sin-guardar"));
        store.discardUnsaved();
    }
    {
        Journal journal;
        AppStore& store = *journal.store;
        ContentView view(&store);
        show(view, contentSize);
        deal(store, Spread::timeline);
        store.revealAll();
        store.requestNew();
        if (waitFor([&] { return view.newConfirmation() && view.newConfirmation()->isVisible(); }))
            saveWithDialog(&view, view.newConfirmation(),
                           QStringLiteral("10-confirmacion-tirada-completa"));
        store.setShowNewConfirmation(false);
        store.newReading();
        deal(store, Spread::celtic);
        store.reveal(0);
        store.requestNew();
        if (waitFor([&] { return view.newConfirmation() && view.newConfirmation()->isVisible(); }))
            saveWithDialog(&view, view.newConfirmation(),
                           QStringLiteral("11-confirmacion-tirada-sin-terminar"));
    }
    {
        Journal journal;
        ContentView view(journal.store.get());
        show(view, contentSize);
        journal.store->setShowPreferences(true);
        if (waitFor(
                [&] { return view.preferencesSheet() && view.preferencesSheet()->isVisible(); }))
            saveWithDialog(&view, view.preferencesSheet(), QStringLiteral("12-hoja-preferencias"));
    }
    const QList<QPair<QString, QString>> themes = {
        {QStringLiteral("Esmeralda"), QStringLiteral("13-tapete-esmeralda")},
        {QStringLiteral("Medianoche"), QStringLiteral("14-tapete-medianoche")},
    };
    for (const auto& [theme, name] : themes) {
        Preferences preferences = Journal::quietPreferences();
        preferences.theme = theme;
        Journal journal({}, preferences);
        ContentView view(journal.store.get());
        show(view, contentSize);
        deal(*journal.store, Spread::cross);
        for (int i = 0; i < 3; ++i)
            journal.store->reveal(i);
        QApplication::processEvents();
        save(&view, name, 1.0, contentSize);
    }
    {
        AppStore store(std::nullopt, true);
        MainWindow window(&store);
        window.show();
        show(window, window.size());
        save(&window, QStringLiteral("15-ventana-con-menus"), 1.0, QSize(1280, 850));
    }
    {
        // A journal that cannot be read: the alert names its copy and offers to recover the
        // readings that are still whole; then the copies kept day by day, one unreadable.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state.json"));
        const auto writeJournal = [](const QString& file, const QList<Reading>& history) {
            QFile out(file);
            out.open(QIODevice::WriteOnly);
            out.write(
                QJsonDocument(SavedState{Journal::quietPreferences(), history}.toJson()).toJson());
        };
        QList<Reading> history = twoReadings();
        Reading broken = history.last();
        broken.id = QUuid::createUuid();
        broken.cards.first().arcanaID = 22;
        writeJournal(path, history + QList<Reading>{broken});
        AppStore store(path);
        ContentView view(&store);
        show(view, contentSize);
        if (waitFor([&] { return view.errorAlert() && view.errorAlert()->isVisible(); }))
            saveWithDialog(&view, view.errorAlert(), QStringLiteral("90-alerta-archivo-danado"));
        if (auto* recover = view.errorAlert() ? view.errorAlert()->findChild<QPushButton*>(
                                                    QStringLiteral("recover"))
                                              : nullptr)
            recover->click();
        if (waitFor([&] { return view.noticeAlert() && view.noticeAlert()->isVisible(); })) {
            saveWithDialog(&view, view.noticeAlert(), QStringLiteral("91-tiradas-recuperadas"));
            view.noticeAlert()->done(QDialog::Accepted);
        }
        store.flush();
        const QString copies = Backups::folder(path) + QLatin1Char('/');
        QDir().mkpath(copies);
        writeJournal(copies + QStringLiteral("state-2025-03-14.json"), history);
        writeJournal(copies + QStringLiteral("state-2025-03-13-183012.json"), history);
        writeJournal(copies + QStringLiteral("state-2025-03-12.json"), history.mid(1));
        QFile damaged(copies + QStringLiteral("state-2025-03-09.json"));
        damaged.open(QIODevice::WriteOnly);
        damaged.write(QByteArrayLiteral("{\"history\": [{\"cards\": "));
        damaged.close();
        writeJournal(copies + QStringLiteral("state-2025-03-02.json"), history.mid(1));
        store.setShowRestore(true);
        if (waitFor([&] { return view.restoreSheet() && view.restoreSheet()->isVisible(); })) {
            if (auto* restore = qobject_cast<RestoreView*>(view.restoreSheet()->content()))
                restore->findChild<QListWidget*>()->setCurrentRow(1);
            saveWithDialog(&view, view.restoreSheet(), QStringLiteral("92-restaurar-una-copia"));
        }
    }
    PiecesBoard light(false);
    show(light, light.size());
    save(&light, QStringLiteral("16-piezas-1x"), 1.0, light.size());
    save(&light, QStringLiteral("17-piezas-2x"), 2.0, light.size());
    PiecesBoard dark(true);
    show(dark, dark.size());
    save(&dark, QStringLiteral("18-piezas-oscuro-2x"), 2.0, dark.size());
}

} // namespace Gallery
