#include "views/history/history_delegate.h"

#include "model/catalog.h"
#include "views/cards/card_back.h"
#include "views/cards/card_face.h"
#include "views/cards/card_shadow.h"
#include "views/history/history_model.h"
#include "views/kit/action_button.h"
#include "views/kit/clamped_text.h"
#include "views/kit/focus_ring.h"
#include "views/kit/icons.h"
#include "views/kit/material.h"
#include "views/kit/table_palette.h"
#include "views/kit/tag.h"
#include "views/kit/typography.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int stripPad = 8; // room around the thumbnails for their turn and shadow
constexpr int buttonHeight = 24;
constexpr int buttonPadding = 10;
constexpr int iconSize = 16;
constexpr qreal tagGap = 8.0;

QString restoreText()
{
    return QStringLiteral("Volver a esta tirada");
}

// Line breaks typed by the user stay line breaks inside one laid-out paragraph.
QString layoutText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

// A row shows two lines of notes at most: however long the notes, it reads only their
// beginning, ending in an ellipsis when there is more.
QString preview(const QString& text)
{
    constexpr qsizetype length = 500;
    if (text.size() <= length)
        return text;
    const qsizetype cut = text.at(length - 1).isHighSurrogate() ? length - 1 : length;
    return text.left(cut) + QChar(0x2026);
}

// Every line of a clamped text is one font height below the previous one, so the height a
// row reserves never depends on which glyphs a line happens to use.
qreal linePitch(const QFont& font)
{
    return std::ceil(QFontMetricsF(font).height());
}

// What a two-line limit needs to know of a text to size it at any width, measured once:
// the natural width of its first paragraph and whether another paragraph follows.
HistoryDelegate::TextMeasure measure(const QString& text, const QFontMetricsF& metrics)
{
    HistoryDelegate::TextMeasure result;
    if (text.isEmpty())
        return result;
    const QString flat = layoutText(text);
    const qsizetype breakAt = flat.indexOf(QChar::LineSeparator);
    QStringView first = QStringView(flat).left(breakAt < 0 ? flat.size() : breakAt);
    while (!first.isEmpty() && first.back().isSpace())
        first.chop(1);
    // Beyond a thousand characters a paragraph is wider than any window: the beginning
    // alone is measured.
    result.firstWidth = metrics.horizontalAdvance(first.left(1000).toString());
    if (first.size() > 1000)
        result.firstWidth = std::numeric_limits<qreal>::max();
    result.moreParagraphs = breakAt >= 0;
    result.present = true;
    return result;
}

// Lines of a measured text at `width`, at most two: one when the first paragraph fits and
// nothing follows it, two otherwise (the layout wraps a paragraph exactly when its natural
// width does not fit).
int lineCount(const HistoryDelegate::TextMeasure& text, qreal width)
{
    if (!text.present)
        return 0;
    return (text.firstWidth <= width && !text.moreParagraphs) ? 1 : 2;
}

void drawLine(QPainter* painter, const QRectF& rect, const QString& text, const QFont& font,
              const QColor& color)
{
    const QFontMetricsF metrics(font);
    painter->save();
    painter->setPen(color);
    painter->setFont(font);
    painter->drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      metrics.elidedText(text, Qt::ElideRight, rect.width()));
    painter->restore();
}

} // namespace

QList<HistoryDelegate::Thumbnail> HistoryDelegate::thumbnails(const Reading& reading)
{
    QList<Thumbnail> result;
    const int count = int(std::min<qsizetype>(3, reading.cards.size()));
    if (count == 0)
        return result;
    const qreal step = thumbnailWidth - thumbnailOverlap;
    const qreal stripWidth = thumbnailWidth + step * (count - 1);
    const qreal left = (thumbnailBox - stripWidth) / 2; // the box centres its content
    for (int k = 0; k < count; ++k) {
        const DrawnCard& card = reading.cards.at(k);
        result.append({card.arcanaID, card.reversed, 6.0 * k - 6.0,
                       QRectF(left + step * k, 0, thumbnailWidth, thumbnailHeight)});
    }
    return result;
}

int HistoryDelegate::reservedLines(const QString& text, const QFont& font, qreal width)
{
    return lineCount(measure(text, QFontMetricsF(font)), std::floor(width));
}

HistoryDelegate::HistoryDelegate(QAbstractItemView* view)
    : QStyledItemDelegate(view), m_view(view), m_strips(24 * 1024 * 1024),
      m_headline(Typography::font(Typography::Style::headline)),
      m_caption(Typography::font(Typography::Style::caption)),
      m_button(Typography::font(Typography::Style::body)), m_headlineMetrics(m_headline),
      m_captionMetrics(m_caption), m_headlinePitch(linePitch(m_headline)),
      m_captionPitch(linePitch(m_caption)),
      m_buttonWidth(std::ceil(QFontMetricsF(m_button).horizontalAdvance(restoreText())) +
                    2 * buttonPadding)
{}

void HistoryDelegate::setFocusedAction(Action action)
{
    if (action == m_focused)
        return;
    m_focused = action;
    if (m_view)
        m_view->viewport()->update();
}

void HistoryDelegate::setHover(const QPersistentModelIndex& index, Action action)
{
    if (index == m_hoverIndex && action == m_hover)
        return;
    if (m_view && m_hoverIndex.isValid())
        m_view->update(m_hoverIndex);
    m_hoverIndex = index;
    m_hover = action;
    if (m_view && m_hoverIndex.isValid())
        m_view->update(m_hoverIndex);
}

void HistoryDelegate::clearMeasures()
{
    m_measures.clear();
}

qreal HistoryDelegate::detailWidth(int itemWidth) const
{
    return itemWidth - 2 * rowMargin - thumbnailBox - 2 * rowSpacing - actionSize;
}

HistoryDelegate::Heights HistoryDelegate::heights(const QModelIndex& index, qreal detailWidth) const
{
    const quint64 revision = index.data(HistoryModel::RevisionRole).toULongLong();
    auto hit = m_measures.constFind(revision);
    if (hit == m_measures.constEnd()) {
        RowMeasure row;
        row.question =
            measure(index.data(HistoryModel::QuestionRole).toString(), m_headlineMetrics);
        row.notes =
            measure(preview(index.data(HistoryModel::NotesRole).toString()), m_captionMetrics);
        hit = m_measures.insert(revision, row);
    }
    const qreal width = std::floor(detailWidth);
    return {lineCount(hit->question, width) * m_headlinePitch,
            lineCount(hit->notes, width) * m_captionPitch};
}

HistoryDelegate::Geometry HistoryDelegate::geometry(const QRect& itemRect,
                                                    const QModelIndex& index) const
{
    Geometry g;
    g.card = QRectF(itemRect).adjusted(0, 0, 0, -rowGap);
    const QRectF inner = g.card.adjusted(rowMargin, rowMargin, -rowMargin, -rowMargin);
    g.thumbnails = QRectF(inner.left(), inner.top(), thumbnailBox, thumbnailHeight);
    const qreal actionsLeft = inner.right() - actionSize;
    g.favorite = QRectF(actionsLeft, inner.top(), actionSize, actionSize);
    g.remove = g.favorite.translated(0, actionSize + actionSpacing);

    const qreal left = inner.left() + thumbnailBox + rowSpacing;
    const qreal width = detailWidth(itemRect.width());
    const Heights h = heights(index, width);
    const qreal caption = m_captionPitch;
    qreal y = inner.top();
    g.question = QRectF(left, y, width, h.question);
    y += h.question + detailSpacing;
    g.detail = QRectF(left, y, width, caption);
    y += caption + detailSpacing;
    g.date = QRectF(left, y, width, caption);
    y += caption + detailSpacing;
    if (h.notes > 0) {
        g.notes = QRectF(left, y, width, h.notes);
        y += h.notes + detailSpacing;
    }
    const qreal buttonWidth = m_buttonWidth;
    g.button = QRectF(left, y, std::min(buttonWidth, std::max<qreal>(width, 0)), buttonHeight);
    return g;
}

QSize HistoryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int width = m_view ? m_view->viewport()->width() : option.rect.width();
    const Geometry g = geometry(QRect(0, 0, width, 1000), index);
    const qreal details = g.button.bottom() - g.question.top();
    const qreal actions = g.remove.bottom() - g.favorite.top();
    const qreal content = std::max({thumbnailHeight, details, actions});
    return {width, int(std::ceil(content)) + 2 * rowMargin + rowGap};
}

QPixmap HistoryDelegate::symbolPixmap(const QString& symbol, const QColor& color,
                                      qreal devicePixelRatio) const
{
    // Drawing a symbol builds and unites paths: do it once per symbol, colour and ratio.
    const QString key = symbol + QLatin1Char('|') + QString::number(color.rgba(), 16) +
                        QLatin1Char('|') + QString::number(devicePixelRatio);
    const auto hit = m_symbols.constFind(key);
    if (hit != m_symbols.constEnd())
        return *hit;
    QPixmap pixmap(QSize(iconSize, iconSize) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, true);
        Icons::paint(painter, QRectF(0, 0, iconSize, iconSize), symbol, color);
    }
    m_symbols.insert(key, pixmap);
    return pixmap;
}

QPixmap HistoryDelegate::strip(const Reading& reading, qreal devicePixelRatio) const
{
    const QList<Thumbnail> thumbs = thumbnails(reading);
    QString key = QString::number(devicePixelRatio);
    for (const Thumbnail& t : thumbs)
        key += QLatin1Char('|') + QString::number(t.arcanaID) + (t.reversed ? u'r' : u'u');
    if (const QPixmap* hit = m_strips.object(key))
        return *hit;

    const QSizeF logical(thumbnailBox + 2 * stripPad, thumbnailHeight + 2 * stripPad);
    QPixmap pixmap((logical * devicePixelRatio).toSize());
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        for (const Thumbnail& t : thumbs) {
            const QRectF rect = t.rect.translated(stripPad, stripPad);
            CardShadow::paint(painter, rect, CardFace::cornerRadius, 3.0,
                              QColor::fromRgbF(0, 0, 0, 0.33f), {}, t.angle);
            painter.save();
            painter.translate(rect.center());
            painter.rotate(t.angle);
            const QRectF place(-rect.width() / 2, -rect.height() / 2, rect.width(), rect.height());
            if (const Arcana* card = Catalog::card(t.arcanaID)) {
                const QPixmap face =
                    CardFace::pixmap(*card, t.reversed, rect.size(), devicePixelRatio);
                painter.drawPixmap(place, face, QRectF(QPointF(0, 0), QSizeF(face.size())));
            } else {
                CardBack::paint(painter, place);
            }
            painter.restore();
        }
    }
    m_strips.insert(key, new QPixmap(pixmap),
                    int(pixmap.width() * pixmap.height() * pixmap.depth() / 8));
    return pixmap;
}

void HistoryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    if (!index.isValid())
        return;
    const Geometry g = geometry(option.rect, index);
    const QPalette& palette = option.palette;
    const QColor text = palette.color(QPalette::WindowText);
    const QColor secondary = Typography::secondary(palette);
    const bool focused = (option.state & QStyle::State_HasFocus) && FocusRing::visible(m_view);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);

    // The row's panel: a translucent material over the window.
    Material::drawPanel(*painter, g.card, cornerRadius, palette);
    if (focused) {
        painter->setPen(QPen(Typography::withAlpha(Typography::accent(), 0.55), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(g.card.adjusted(1, 1, -1, -1), cornerRadius, cornerRadius);
    }

    const Reading reading = index.data(HistoryModel::ReadingRole).value<Reading>();
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap thumbs = strip(reading, ratio);
    painter->drawPixmap(g.thumbnails.topLeft() - QPointF(stripPad, stripPad), thumbs);

    ClampedText::paint(*painter, g.question, index.data(HistoryModel::QuestionRole).toString(),
                       m_headline, text, 2, Qt::AlignLeft, linePitch(m_headline));
    const QString detail = index.data(HistoryModel::DetailRole).toString();
    if (index.data(HistoryModel::OwnDeckRole).toBool()) {
        // The tag follows the spread and topic on their line, and the line gives way to it.
        const QString tag = QStringLiteral("Mi baraja");
        const QSizeF tagSize = Tag::size(tag);
        const qreal room = std::max<qreal>(0.0, g.detail.width() - tagSize.width() - tagGap);
        const qreal used = std::min(room, m_captionMetrics.horizontalAdvance(detail));
        drawLine(painter, QRectF(g.detail.topLeft(), QSizeF(room, g.detail.height())), detail,
                 m_caption, secondary);
        Tag::paint(*painter,
                   QRectF(QPointF(g.detail.left() + used + tagGap,
                                  g.detail.center().y() - tagSize.height() / 2.0),
                          tagSize),
                   tag, palette);
    } else {
        drawLine(painter, g.detail, detail, m_caption, secondary);
    }
    const QString followUps = index.data(HistoryModel::FollowUpsRole).toString();
    drawLine(painter, g.date,
             index.data(HistoryModel::DateRole).toString() +
                 (followUps.isEmpty() ? QString() : QStringLiteral(" · ") + followUps),
             m_caption, secondary);
    if (!g.notes.isEmpty())
        ClampedText::paint(*painter, g.notes, preview(reading.notes), m_caption, text, 2,
                           Qt::AlignLeft, linePitch(m_caption));

    const bool sameRow = [&](const QPersistentModelIndex& other) {
        return other.isValid() && other == index;
    }(m_pressedIndex);
    auto pressed = [&](Action action) { return sameRow && m_pressed == action; };
    auto hovered = [&](Action action) {
        return m_hoverIndex.isValid() && m_hoverIndex == index && m_hover == action;
    };
    auto ring = [&](const QRectF& rect, qreal radius) {
        painter->setPen(QPen(Typography::withAlpha(Typography::accent(), 0.8), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(rect.adjusted(-2, -2, 2, 2), radius + 2, radius + 2);
    };

    // "Volver a esta tirada", a bordered button.
    {
        ActionButton::paintBordered(*painter, g.button, text, false, hovered(Action::restore),
                                    pressed(Action::restore));
        painter->setPen(text);
        painter->setFont(m_button);
        painter->drawText(g.button, Qt::AlignCenter | Qt::TextSingleLine, restoreText());
        if (focused && m_focused == Action::restore)
            ring(g.button, 6);
    }

    // Favourite and delete: plain icon buttons.
    const bool favorite = index.data(HistoryModel::FavoriteRole).toBool();
    auto iconButton = [&](const QRectF& rect, Action action, const QString& symbol,
                          const QColor& color) {
        if (pressed(action) || hovered(action)) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(Typography::withAlpha(text, pressed(action) ? 0.14 : 0.07));
            painter->drawRoundedRect(rect, 5, 5);
        }
        const QRectF icon(rect.center().x() - iconSize / 2.0, rect.center().y() - iconSize / 2.0,
                          iconSize, iconSize);
        painter->drawPixmap(icon.topLeft(), symbolPixmap(symbol, color, ratio));
        if (focused && m_focused == action)
            ring(rect, 5);
    };
    iconButton(g.favorite, Action::favorite,
               favorite ? QStringLiteral("star.fill") : QStringLiteral("star"),
               favorite ? TablePalette::gold() : secondary);
    iconButton(g.remove, Action::remove, QStringLiteral("trash"), secondary);

    painter->restore();
}

HistoryDelegate::Action HistoryDelegate::actionAt(const QRect& itemRect, const QModelIndex& index,
                                                  const QPoint& point) const
{
    if (!index.isValid())
        return Action::none;
    const Geometry g = geometry(itemRect, index);
    const QPointF p(point);
    if (g.button.contains(p))
        return Action::restore;
    if (g.favorite.contains(p))
        return Action::favorite;
    if (g.remove.contains(p))
        return Action::remove;
    return Action::none;
}

QRect HistoryDelegate::actionRect(const QRect& itemRect, const QModelIndex& index,
                                  Action action) const
{
    const Geometry g = geometry(itemRect, index);
    switch (action) {
    case Action::restore:
        return g.button.toAlignedRect();
    case Action::favorite:
        return g.favorite.toAlignedRect();
    case Action::remove:
        return g.remove.toAlignedRect();
    case Action::none:
        break;
    }
    return {};
}

QString HistoryDelegate::actionName(Action action)
{
    switch (action) {
    case Action::restore:
        return restoreText();
    case Action::favorite:
        return QStringLiteral("Marcar como favorita");
    case Action::remove:
        return QStringLiteral("Eliminar tirada");
    case Action::none:
        break;
    }
    return {};
}

void HistoryDelegate::act(Action action, const QModelIndex& index)
{
    // The request may remove or change the row; hand out a copy taken before.
    const QPersistentModelIndex row(index);
    switch (action) {
    case Action::restore:
        Q_EMIT restoreRequested(row);
        break;
    case Action::favorite:
        Q_EMIT favoriteRequested(row);
        break;
    case Action::remove:
        Q_EMIT deleteRequested(row);
        break;
    case Action::none:
        break;
    }
}

bool HistoryDelegate::editorEvent(QEvent* event, QAbstractItemModel*,
                                  const QStyleOptionViewItem& option, const QModelIndex& index)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const Action action = actionAt(option.rect, index, mouse->position().toPoint());
        if (action == Action::none)
            return false;
        m_pressedIndex = index;
        m_pressed = action;
        if (m_view)
            m_view->update(index);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_pressed == Action::none)
            return false;
        const Action pressed = m_pressed;
        const QPersistentModelIndex pressedIndex = m_pressedIndex;
        m_pressed = Action::none;
        m_pressedIndex = QPersistentModelIndex();
        if (m_view && pressedIndex.isValid())
            m_view->update(pressedIndex);
        if (mouse->button() == Qt::LeftButton && pressedIndex == index &&
            actionAt(option.rect, index, mouse->position().toPoint()) == pressed) {
            m_focused = pressed;
            act(pressed, index);
        }
        return true;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        static const Action order[] = {Action::restore, Action::favorite, Action::remove};
        int at = 0;
        for (int i = 0; i < 3; ++i)
            at = order[i] == m_focused ? i : at;
        switch (key->key()) {
        case Qt::Key_Left:
            setFocusedAction(order[std::max(0, at - 1)]);
            return true;
        case Qt::Key_Right:
            setFocusedAction(order[std::min(2, at + 1)]);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                return false;
            act(m_focused == Action::none ? Action::restore : m_focused, index);
            return true;
        case Qt::Key_Delete:
            act(Action::remove, index);
            return true;
        default:
            return false;
        }
    }
    default:
        return false;
    }
}

bool HistoryDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const Action action = actionAt(option.rect, index, event->pos());
    // The bordered button says what it does; the two icon buttons tell it in a tooltip.
    const QString tip = action == Action::restore ? QString() : actionName(action);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(event->globalPos(), tip, view, actionRect(option.rect, index, action));
    return true;
}
