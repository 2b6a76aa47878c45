// The journal leaving the program: a reading as printed pages, and the dialogs that export
// and import the journal. Pictures 95 to 99.
#include "app/export_journal_dialog.h"
#include "app/journal_commands.h"
#include "engine/reading_engine.h"
#include "gallery.h"
#include "store/journal_markdown.h"
#include "views/history/history_view.h"
#include "views/table/reading_page.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace Gallery {

namespace {

// A page as the PDF shows it, at 144 dots per inch. The PDF itself is rendered by poppler's
// pdftoppm where it is installed, so what a PDF reader shows is what is pictured; otherwise
// the same drawing is painted straight into the picture.
void savePage(const Reading& reading, const ReadingPage& page, int index, const QString& name)
{
    const QString target = folder() + QLatin1Char('/') + name;
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (!renderer.isEmpty()) {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        QFile file(pdf);
        if (!file.open(QIODevice::WriteOnly) || file.write(ReadingPage::pdf(reading)) < 0) {
            fail(name + QStringLiteral(": cannot write the PDF"));
            return;
        }
        file.close();
        const QString page = QString::number(index + 1);
        if (QProcess::execute(renderer,
                              {QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-png"),
                               QStringLiteral("-singlefile"), QStringLiteral("-f"), page,
                               QStringLiteral("-l"), page, pdf, target}) != 0)
            fail(name + QStringLiteral(": pdftoppm failed"));
        return;
    }
    const qreal scale = 2.0;
    QImage image((ReadingPage::paperSize() * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        page.paint(painter, index);
    }
    if (!image.save(target + QStringLiteral(".png"), "PNG"))
        fail(name + QStringLiteral(": cannot write"));
}

Reading finished(Spread spread, const QList<DrawnCard>& cards, const QString& question, Topic topic,
                 const QString& notes)
{
    Reading r = reading(spread, cards, question, topic, 740000000.0);
    r.notes = notes;
    r.reader = QStringLiteral("Ana");
    return ReadingEngine::finish(r);
}

void pages()
{
    const Reading celtic = finished(
        Spread::celtic, celticCards(), QStringLiteral("¿Qué necesito soltar antes del verano?"),
        Topic::personal,
        QStringLiteral("La Torre al revés: quizá no haga falta derribarlo todo.\n\nVolver a "
                       "mirarla en septiembre."));
    const ReadingPage celticPage(celtic);
    savePage(celtic, celticPage, 0, QStringLiteral("95-pagina-cruz-celta"));
    const Reading timeline =
        finished(Spread::timeline, {{9, false}, {1, true}, {17, false}},
                 QStringLiteral("¿Qué me ayudará a abrir una nueva etapa en el trabajo?"),
                 Topic::projects, {});
    savePage(timeline, ReadingPage(timeline), 0,
             QStringLiteral("96-pagina-pasado-presente-futuro"));
}

// Imports `folder` into the journal shown by `view` and pictures the message that answers.
void importInto(Journal& journal, QWidget& view, const QString& folder, const QString& name)
{
    JournalCommands commands(journal.store.get(), &view, {});
    commands.importFrom(folder);
    QMessageBox* box = commands.messageBox();
    if (!box) {
        fail(name + QStringLiteral(": no message"));
        return;
    }
    show(*box, box->sizeHint());
    saveWithDialog(&view, box, name, 2.0);
    box->reject();
}

void dialogs()
{
    QList<Reading> history;
    for (int i = 0; i < 12; ++i) {
        Reading r =
            finished(i % 2 ? Spread::daily : Spread::timeline,
                     i % 2 ? QList<DrawnCard>{{i, false}}
                           : QList<DrawnCard>{{i, false}, {i + 1, true}, {i + 2, false}},
                     QStringLiteral("¿Qué merece mi atención esta semana?"), Topic::general, {});
        r.date -= 86400.0 * i;
        r.favorite = i % 4 == 0;
        history.append(r);
    }
    Journal journal(history);
    HistoryView view(journal.store.get());
    view.setSearch(QStringLiteral("semana"));
    show(view, QSize(900, 700));

    ExportJournalDialog exportDialog(12, 3, 12, &view);
    exportDialog.open();
    show(exportDialog, exportDialog.sizeHint());
    saveWithDialog(&view, &exportDialog, QStringLiteral("97-exportar-cuaderno"), 2.0);
    exportDialog.reject();

    // An import where one file of three was edited by hand and broke.
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (int i = 0; i < 3; ++i) {
        QByteArray bytes = JournalMarkdown::document(history.at(i));
        if (i == 1)
            bytes.replace("\nnotes:", "\nnotas:");
        QFile file(
            folder.filePath(JournalMarkdown::fileStem(history.at(i)) + QStringLiteral(".md")));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0)
            fail(QStringLiteral("98-importar-con-fallos: cannot write the files"));
    }
    importInto(journal, view, folder.path(), QStringLiteral("98-importar-con-fallos"));
    // Importing from a journal that has them already, with one changed since.
    Journal other(history);
    history[4].notes = QStringLiteral("Escrito en el otro equipo.");
    Reading added = history.first();
    added.id = QUuid::createUuid();
    added.date += 3600;
    history.prepend(added);
    JournalTransfer::exportJournal(history, JournalTransfer::Format::folder,
                                   dir.filePath(QStringLiteral("otro")),
                                   dir.filePath(QStringLiteral("state.json")));
    HistoryView otherView(other.store.get());
    show(otherView, QSize(900, 700));
    importInto(other, otherView, dir.filePath(QStringLiteral("otro")),
               QStringLiteral("99-importacion-terminada"));
}

} // namespace

void journal()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    pages();
    dialogs();
    QLocale::setDefault(before);
}

} // namespace Gallery
