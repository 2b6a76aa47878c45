#include "views/table/reading_page.h"

#include "engine/reading_engine.h"
#include "model/catalog.h"
#include "store/reading_text.h"
#include "views/cards/card_back.h"
#include "views/cards/card_face.h"
#include "views/cards/card_geometry.h"
#include "views/kit/clamped_text.h"
#include "views/kit/table_palette.h"
#include "views/kit/typography.h"
#include "views/table/board_layout.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <optional>
#include <utility>

namespace {

constexpr qreal marginX = 52;
// The cards take a little more of the width than the text: the Celtic cross needs it.
constexpr qreal panelMarginX = 40;
constexpr qreal marginTop = 46;
constexpr qreal marginBottom = 58;
constexpr qreal panelRadius = 14;

// Ink on paper: the table's gold is too light on white, so the page uses a deeper one.
QColor ink()
{
    return QColor(38, 36, 33);
}
QColor softInk()
{
    return QColor(108, 103, 95);
}
QColor printGold()
{
    return QColor(146, 116, 48);
}

// The app's families at a size in points (the page's unit), laid out with their design
// metrics so that a PDF, a printer and a preview place every glyph alike.
QFont pageFont(QFont font)
{
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}
QFont serif(int size, QFont::Weight weight = QFont::Normal, bool italic = false)
{
    return pageFont(Typography::serif(size, weight, italic));
}
QFont sans(int size, QFont::Weight weight = QFont::Normal, qreal tracking = 0)
{
    return pageFont(Typography::tracked(Typography::system(size, weight), tracking));
}

// The height the panel of cards needs for each spread, the cards then taking the width the
// table gives them on a board of that size.
qreal panelHeight(Spread spread)
{
    switch (spread) {
    case Spread::daily:
        return 330;
    case Spread::timeline:
    case Spread::guidance:
        return 300;
    case Spread::cross:
        return 470;
    case Spread::celtic:
        return 560;
    }
    return 300;
}

QString cardName(const DrawnCard& card)
{
    const Arcana* arcana = card.arcana();
    return arcana ? arcana->name : QString();
}

void paintCard(QPainter& painter, const QPointF& center, qreal width, const DrawnCard& card,
               bool crossing)
{
    const QSizeF size(width, CardGeometry::heightForWidth(width));
    const QRectF face(QPointF(-size.width() / 2, -size.height() / 2), size);
    const qreal radius = width * 0.05;
    painter.save();
    painter.translate(center);
    if (crossing)
        painter.rotate(90);
    // A soft shadow of a few translucent outlines: vectors, so the card stays one picture.
    painter.setPen(Qt::NoPen);
    for (int step = 3; step >= 1; --step) {
        painter.setBrush(QColor(0, 0, 0, 10 + 6 * (3 - step)));
        const QPointF drop = crossing ? QPointF(2.2, 0) : QPointF(0, 2.2);
        painter.drawRoundedRect(
            face.translated(drop).adjusted(-step * 0.7, -step * 0.7, step * 0.7, step * 0.7),
            radius + step, radius + step);
    }
    if (card.reversed)
        painter.rotate(180);
    const Arcana* arcana = card.arcana();
    const std::optional<QString> picture = arcana ? Catalog::imageURL(*arcana) : std::nullopt;
    QImage image;
    if (picture) {
        QImageReader reader(*picture);
        reader.setAutoTransform(true);
        image = reader.read();
    }
    if (!image.isNull()) {
        QPainterPath rounded;
        rounded.addRoundedRect(face, radius, radius);
        painter.setClipPath(rounded);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        // Qt's PDF engine draws a picture with the translucency of the last fill (the
        // shadow's); an opaque brush gives the face its full colour.
        painter.setBrush(Qt::black);
        painter.drawImage(face, image);
        painter.setClipping(false);
    } else if (arcana) {
        CardFace::paint(painter, face, *arcana, false);
    } else {
        CardBack::paint(painter, face);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 96, 40, 110), 0.5));
    painter.drawRoundedRect(face, radius, radius);
    painter.restore();
}

} // namespace

struct ReadingPage::Placed {
    qsizetype layout = 0;
    int line = 0;
    QPointF offset; // added to the line's own position
    QColor color;
};

struct ReadingPage::Page {
    QList<Placed> lines;
    std::optional<QRectF> panel;
    QList<qreal> rules; // heights of the thin rules between sections
};

ReadingPage::ReadingPage(const Reading& reading) : m_reading(reading)
{
    layOut();
}

ReadingPage::~ReadingPage() = default;

QSizeF ReadingPage::paperSize()
{
    return QPageSize(QPageSize::A4).size(QPageSize::Point);
}

int ReadingPage::pageCount() const
{
    return int(m_pages.size());
}

QString ReadingPage::title(const Reading& reading)
{
    return reading.question.isEmpty() ? QStringLiteral("Lectura general") : reading.question;
}

void ReadingPage::newPage()
{
    m_pages.emplace_back();
    m_y = marginTop;
}

void ReadingPage::addText(const QString& text, const TextStyle& style)
{
    const qreal width = paperSize().width() - 2 * marginX;
    const qreal bottom = paperSize().height() - marginBottom;
    const qreal lineHeight = QFontMetricsF(style.font).height() * style.lineFactor;
    // Paragraphs are two line feeds apart; a single one breaks the line.
    const QStringList paragraphs = text.split(QStringLiteral("\n\n"));
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        auto layout = std::make_unique<QTextLayout>(
            QString(paragraphs.at(p)).replace(QLatin1Char('\n'), QChar::LineSeparator), style.font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setUseDesignMetrics(true);
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, (line.lineNumber()) * lineHeight));
        }
        layout->endLayout();
        const int count = layout->lineCount();
        const qreal gap = p == 0 ? style.before : lineHeight * 0.55;
        // A heading keeps the first lines of what follows on its page; a paragraph does not
        // leave a single line behind.
        const qreal needed =
            style.keepWithNext ? count * lineHeight + 56.0 : std::min(2, count) * lineHeight;
        if (m_y > marginTop) {
            if (m_y + gap + needed > bottom)
                newPage();
            else
                m_y += gap;
        }
        if (p == 0 && style.ruleAbove)
            m_pages.back().rules.append(m_y - 10);
        const qsizetype index = qsizetype(m_layouts.size());
        for (int i = 0; i < count; ++i) {
            if (m_y + lineHeight > bottom)
                newPage();
            const QTextLine line = layout->lineAt(i);
            m_pages.back().lines.append(Placed{
                index, i,
                QPointF(marginX, m_y + (lineHeight - line.height()) / 2 - line.position().y()),
                style.color});
            m_y += lineHeight;
        }
        m_layouts.push_back(std::move(layout));
    }
    m_y += style.after;
}

void ReadingPage::layOut()
{
    newPage();
    const Reading& r = m_reading;
    const TextStyle body{serif(11), ink(), 0, 0, 1.4};
    addText(QStringLiteral("✦  ARCANDEL"), {sans(8, QFont::DemiBold, 2.2), printGold(), 0, 10});
    addText(title(r), {serif(24, QFont::Medium), ink(), 0, 6, 1.1});
    QString detail = name(r.spread) + QStringLiteral(" · ") + rawValue(r.topic) +
                     QStringLiteral(" · ") + ReadingText::dateText(r.date);
    if (!r.reader.isEmpty())
        detail += QStringLiteral(" · ") + r.reader;
    if (r.ownDeck)
        detail += QStringLiteral("\nTirada hecha con tu propia baraja.");
    addText(detail, {sans(10), softInk(), 0, 16, 1.2});

    const QSizeF paper = paperSize();
    const QSizeF panel(paper.width() - 2 * panelMarginX, panelHeight(r.spread));
    if (m_y + panel.height() > paper.height() - marginBottom)
        newPage();
    m_pages.back().panel = QRectF(QPointF(panelMarginX, m_y), panel);
    m_y += panel.height() + 16;

    const TextStyle section{sans(9, QFont::DemiBold, 1.3), softInk(), 30, 10, 1.0, true, true};
    addText(QStringLiteral("LAS CARTAS"), section);
    const QList<Position> places = positions(r.spread);
    for (qsizetype i = 0; i < r.cards.size(); ++i) {
        const DrawnCard& card = r.cards.at(i);
        const Position position = i < places.size() ? places.at(i) : Position{};
        addText(QString::number(i + 1) + QStringLiteral(" · ") + position.title.toUpper(),
                {sans(8, QFont::DemiBold, 1.2), printGold(), i == 0 ? 0.0 : 20.0, 3, 1.0, true});
        addText(cardName(card) + (card.reversed ? QStringLiteral(", invertida") : QString()),
                {serif(15, QFont::DemiBold), ink(), 0, 2, 1.0, true});
        if (!position.meaning.isEmpty())
            addText(position.meaning,
                    {serif(10, QFont::Normal, true), softInk(), 0, 7, 1.25, true});
        addText(i < r.interpretations.size()
                    ? r.interpretations.at(i)
                    : ReadingEngine::interpretation(card, position, r.topic),
                body);
    }
    if (!r.synthesis.isEmpty()) {
        addText(QStringLiteral("SÍNTESIS"), section);
        addText(r.synthesis, body);
    }
    if (!r.notes.isEmpty()) {
        addText(QStringLiteral("NOTAS"), section);
        addText(r.notes, body);
    }
    if (!r.followUps.isEmpty())
        addText(QStringLiteral("CÓMO SE DESARROLLÓ"), section);
    for (qsizetype i = 0; i < r.followUps.size(); ++i) {
        addText(ReadingText::dateText(r.followUps.at(i).date).toUpper(),
                {sans(8, QFont::DemiBold, 1.2), printGold(), i == 0 ? 0.0 : 14.0, 4, 1.0, true});
        addText(r.followUps.at(i).text, body);
    }
}

void ReadingPage::paintPanel(QPainter& painter, const QRectF& panel) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // A pale cloth with the table's double gold frame, the star faint in its middle.
    QLinearGradient cloth(panel.topLeft(), panel.bottomRight());
    cloth.setColorAt(0, QColor(250, 246, 236));
    cloth.setColorAt(1, QColor(242, 235, 219));
    painter.setPen(Qt::NoPen);
    painter.setBrush(cloth);
    painter.drawRoundedRect(panel, panelRadius, panelRadius);
    painter.setBrush(Qt::NoBrush);
    QColor gold = TablePalette::gold();
    gold.setAlphaF(0.75);
    painter.setPen(QPen(gold, 0.9));
    painter.drawRoundedRect(panel.adjusted(8, 8, -8, -8), panelRadius - 4, panelRadius - 4);
    gold.setAlphaF(0.35);
    painter.setPen(QPen(gold, 0.6));
    painter.drawRoundedRect(panel.adjusted(12, 12, -12, -12), panelRadius - 7, panelRadius - 7);
    QColor star = TablePalette::gold();
    star.setAlphaF(0.09);
    painter.setPen(star);
    QFont starFont = sans(int(panel.height() * 0.42), QFont::ExtraLight);
    painter.setFont(starFont);
    painter.drawText(panel, Qt::AlignCenter, QStringLiteral("✦"));

    const Spread spread = m_reading.spread;
    const QList<Position> places = positions(spread);
    const QSizeF board = panel.size();
    const qreal width = BoardLayout::cardWidth(spread, board);
    // The card across the first one is drawn last, above it; no caption covers a card.
    QList<int> order;
    for (int i = 0; i < m_reading.cards.size() && i < places.size(); ++i) {
        if (!BoardLayout::isCrossing(spread, i))
            order.append(i);
    }
    for (int i = 0; i < m_reading.cards.size() && i < places.size(); ++i) {
        if (BoardLayout::isCrossing(spread, i))
            order.append(i);
    }
    for (int i : order) {
        const QPointF center = panel.topLeft() + BoardLayout::cardCenter(places.at(i), board);
        paintCard(painter, center, width, m_reading.cards.at(i),
                  BoardLayout::isCrossing(spread, i));
    }
    // The captions are fitted as on the screen's board, so that none runs into another. On
    // paper nothing tells which card lies across another: its lines follow the caption of the
    // card it covers.
    const QFont titleFont = sans(spread == Spread::celtic ? 8 : 9, QFont::Medium);
    const QFont nameFont = sans(8);
    constexpr qreal lineGap = 3.0;
    constexpr qreal captionGap = 4.0;
    QList<QRectF> cards;
    QList<QList<std::pair<QString, QString>>> captions;
    for (int i = 0; i < m_reading.cards.size() && i < places.size(); ++i) {
        QSizeF size(width, CardGeometry::heightForWidth(width));
        if (BoardLayout::isCrossing(spread, i))
            size.transpose();
        const QPointF center = panel.topLeft() + BoardLayout::cardCenter(places.at(i), board);
        cards << QRectF(center - QPointF(size.width() / 2, size.height() / 2), size);
        const DrawnCard& card = m_reading.cards.at(i);
        const std::pair<QString, QString> lines{
            QString::number(i + 1) + QStringLiteral(" · ") + places.at(i).title,
            cardName(card) + (card.reversed ? QStringLiteral(" ↓") : QString())};
        if (BoardLayout::isCrossing(spread, i) && !captions.isEmpty())
            captions.last().append(lines);
        captions.append(QList<std::pair<QString, QString>>());
        if (!BoardLayout::isCrossing(spread, i))
            captions.last().append(lines);
    }
    const auto measure = [&](int i, double limit) {
        QSizeF room;
        for (const auto& [title, name] : std::as_const(captions.at(i))) {
            const QSizeF t = ClampedText::size(title, titleFont, limit, 2);
            const QSizeF n = ClampedText::size(name, nameFont, limit, 2);
            room = QSizeF(std::max({room.width(), t.width(), n.width()}),
                          room.height() + (room.isEmpty() ? 0.0 : captionGap) + t.height() +
                              lineGap + n.height());
        }
        return room;
    };
    const QList<QRectF> boxes = BoardLayout::fitCaptions(spread, cards, panel, width, measure);
    for (int i = 0; i < boxes.size(); ++i) {
        const QRectF& box = boxes.at(i);
        if (box.isEmpty())
            continue;
        // A caption beside a card keeps to the card's side.
        const Qt::Alignment align =
            BoardLayout::hasSideCaption(spread, i)
                ? (BoardLayout::captionOnLeft(spread) ? Qt::AlignRight : Qt::AlignLeft)
                : Qt::AlignHCenter;
        qreal top = box.top();
        for (const auto& [title, name] : std::as_const(captions.at(i))) {
            const qreal titleHeight = ClampedText::height(title, titleFont, box.width(), 2);
            const qreal nameHeight = ClampedText::height(name, nameFont, box.width(), 2);
            ClampedText::paint(painter, QRectF(box.left(), top, box.width(), titleHeight), title,
                               titleFont, printGold(), 2, align);
            ClampedText::paint(
                painter, QRectF(box.left(), top + titleHeight + lineGap, box.width(), nameHeight),
                name, nameFont, ink(), 2, align);
            top += titleHeight + lineGap + nameHeight + captionGap;
        }
    }
    painter.restore();
}

void ReadingPage::paint(QPainter& painter, int page) const
{
    if (page < 0 || page >= pageCount())
        return;
    const Page& content = m_pages.at(size_t(page));
    const QSizeF paper = paperSize();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // The faces are flat colours and fine lines: JPEG would blur them on paper.
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    if (content.panel)
        paintPanel(painter, *content.panel);
    QColor rule = printGold();
    rule.setAlphaF(0.4);
    painter.setPen(QPen(rule, 0.6));
    for (const qreal y : content.rules)
        painter.drawLine(QPointF(marginX, y), QPointF(paper.width() - marginX, y));
    for (const Placed& placed : content.lines) {
        painter.setPen(placed.color);
        m_layouts.at(size_t(placed.layout))->lineAt(placed.line).draw(&painter, placed.offset);
    }
    // The footer: what the reading is for, and where this page stands.
    const QFont footer = sans(8);
    painter.setFont(footer);
    painter.setPen(softInk());
    const QRectF line(marginX, paper.height() - marginBottom + 22, paper.width() - 2 * marginX, 12);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Arcandel · Lectura simbólica para reflexión personal."));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(page + 1) + QStringLiteral(" / ") +
                         QString::number(pageCount()));
    painter.restore();
}

void ReadingPage::render(QPagedPaintDevice& device) const
{
    QPainter painter(&device);
    const QSizeF paper = device.pageLayout().fullRect(QPageLayout::Point).size();
    const QSizeF a4 = paperSize();
    const qreal fit = std::min(paper.width() / a4.width(), paper.height() / a4.height());
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    painter.translate((paper.width() - a4.width() * fit) / 2,
                      (paper.height() - a4.height() * fit) / 2);
    painter.scale(fit, fit);
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0)
            device.newPage();
        paint(painter, page);
    }
}

QByteArray ReadingPage::pdf(const Reading& reading)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(title(reading));
        writer.setCreator(QStringLiteral("Arcandel"));
        ReadingPage(reading).render(writer);
    }
    return bytes;
}
