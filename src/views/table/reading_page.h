#pragma once

#include "model/reading.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QTextLayout;

// A finished reading as printed pages: a header with the question, the date, the spread and
// the topic; the cards laid out as on the table, with their faces and captions; then each
// card's interpretation, the synthesis and the notes, flowing over as many A4 pages as they
// need. Everything is drawn as vectors and real text, each card face as one picture.
class ReadingPage {
public:
    explicit ReadingPage(const Reading& reading);
    ~ReadingPage();
    ReadingPage(const ReadingPage&) = delete;
    ReadingPage& operator=(const ReadingPage&) = delete;

    // A4, in points (1/72 inch): every length of the page is in points.
    static QSizeF paperSize();
    int pageCount() const;
    // Draws page `page` (from 0) with the painter's unit being one point, the paper's top
    // left corner at the origin.
    void paint(QPainter& painter, int page) const;
    // Draws every page on `device` (a PDF writer or a printer whose painter starts at the
    // paper's corner), scaled to fit and centred when its paper is not A4.
    void render(QPagedPaintDevice& device) const;

    // The question, or "Lectura general": the title of the document.
    static QString title(const Reading& reading);
    // The reading as a PDF document on A4 paper, titled with the question.
    static QByteArray pdf(const Reading& reading);

private:
    struct Placed;
    struct Page;

    struct TextStyle {
        QFont font;
        QColor color;
        qreal before = 0; // space above, unless the text starts a page
        qreal after = 0;
        qreal lineFactor = 1.0; // line height as a multiple of the font's
        bool keepWithNext = false;
        bool ruleAbove = false;
    };

    void layOut();
    void addText(const QString& text, const TextStyle& style);
    void newPage();
    void paintPanel(QPainter& painter, const QRectF& panel) const;

    Reading m_reading;
    std::vector<std::unique_ptr<QTextLayout>> m_layouts;
    std::vector<Page> m_pages;
    qreal m_y = 0;
};
