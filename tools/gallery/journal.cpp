// The journal leaving the program: a reading as printed pages, and the dialogs that export
// and import the journal. Pictures 76 to 79.
#include "engine/reading_engine.h"
#include "gallery.h"
#include "views/table/reading_page.h"

#include <QImage>
#include <QLocale>
#include <QPainter>

namespace Gallery {

namespace {

// A page as the PDF shows it, at twice its size in points (144 dots per inch).
void savePage(const ReadingPage& page, int index, const QString& name)
{
    const qreal scale = 2.0;
    QImage image((ReadingPage::paperSize() * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        page.paint(painter, index);
    }
    if (!image.save(folder() + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG"))
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

} // namespace

void journal()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    const ReadingPage celtic(finished(
        Spread::celtic,
        {{13, false},
         {16, true},
         {0, false},
         {2, false},
         {5, false},
         {21, false},
         {3, false},
         {8, false},
         {12, false},
         {20, false}},
        QStringLiteral("¿Qué necesito soltar antes del verano?"), Topic::personal,
        QStringLiteral("La Torre al revés: quizá no haga falta derribarlo todo.\n\nVolver a "
                       "mirarla en septiembre.")));
    savePage(celtic, 0, QStringLiteral("76-pagina-cruz-celta"));
    if (celtic.pageCount() < 2)
        fail(QStringLiteral("77-pagina-cruz-celta-2: the reading fits one page"));
    else
        savePage(celtic, 1, QStringLiteral("77-pagina-cruz-celta-2"));
    const ReadingPage timeline(
        finished(Spread::timeline, {{9, false}, {1, true}, {17, false}},
                 QStringLiteral("¿Qué me ayudará a abrir una nueva etapa en el trabajo?"),
                 Topic::projects, {}));
    savePage(timeline, 0, QStringLiteral("78-pagina-pasado-presente-futuro"));
    QLocale::setDefault(before);
}

} // namespace Gallery
