#include "views/patterns/patterns_lists.h"

#include "model/catalog.h"
#include "views/cards/card_face.h"
#include "views/kit/action_button.h"
#include "views/kit/icons.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/table_palette.h"
#include "views/kit/typography.h"
#include "views/patterns/patterns_models.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

constexpr qreal rowRadius = 8;
constexpr qreal thumbnailWidth = 18;

void drawFace(QPainter* painter, const QRectF& rect, qint64 arcanaID)
{
    const Arcana* card = Catalog::card(arcanaID);
    if (!card)
        return;
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QRectF face = CardGeometry::fitted(rect);
    painter->drawPixmap(face, CardFace::pixmap(*card, false, face.size(), ratio),
                        QRectF(QPointF(0, 0), face.size() * ratio));
}

QString restoreText()
{
    return QStringLiteral("Volver a esta tirada");
}

QFont buttonFont()
{
    return Typography::font(Typography::Style::callout);
}

} // namespace

PatternsList::PatternsList(int rowHeight, QWidget* parent)
    : QListView(parent), m_rowHeight(rowHeight)
{
    ScrollAreas::quietList(this);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    ScrollAreas::useSlimScrollBar(this);
}

void PatternsList::setMaxRows(int rows)
{
    m_maxRows = std::max(1, rows);
    updateHeight();
}

void PatternsList::setFillsSpace(bool fills)
{
    m_fills = fills;
    updateHeight();
}

void PatternsList::updateHeight()
{
    const int rows = model() ? model()->rowCount() : 0;
    setVerticalScrollBarPolicy(m_fills || rows > m_maxRows ? Qt::ScrollBarAsNeeded
                                                           : Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, m_fills ? QSizePolicy::Expanding : QSizePolicy::Fixed);
    if (m_fills) {
        setMinimumHeight(m_rowHeight);
        setMaximumHeight(QWIDGETSIZE_MAX);
    } else
        setFixedHeight(std::min(rows, m_maxRows) * m_rowHeight + 2);
    updateGeometry();
}

QSize PatternsList::sizeHint() const
{
    const int rows = model() ? model()->rowCount() : 0;
    return {240, m_fills ? 4 * m_rowHeight : std::min(rows, m_maxRows) * m_rowHeight + 2};
}

QSize PatternsList::minimumSizeHint() const
{
    return {160, m_fills ? m_rowHeight : sizeHint().height()};
}

void PatternsList::setModel(QAbstractItemModel* model)
{
    QListView::setModel(model);
    // The height follows the rows whenever the model is filled again.
    connect(model, &QAbstractItemModel::modelReset, this, &PatternsList::updateHeight);
    updateHeight();
}

void PatternsList::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    if (current.isValid())
        Q_EMIT wantsVisible(visualRect(current).translated(viewport()->pos()));
}

void PatternsList::mouseMoveEvent(QMouseEvent* event)
{
    QListView::mouseMoveEvent(event);
    viewport()->update();
}

void PatternsList::leaveEvent(QEvent* event)
{
    QListView::leaveEvent(event);
    viewport()->update();
}

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const
{
    if (!index.isValid())
        return;
    const QRectF row = beginRow(painter, option);
    paintRow(painter, option, index, row);
    painter->restore();
}

QRectF RowDelegate::beginRow(QPainter* painter, const QStyleOptionViewItem& option)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    const QWidget* view = option.widget;
    const QRectF row = QRectF(option.rect).adjusted(2, 2, -2, -2);
    const QPalette& palette = option.palette;
    painter->setPen(Qt::NoPen);
    if (option.state & QStyle::State_Selected) {
        painter->setBrush(Typography::withAlpha(Typography::accent(), 0.16));
        painter->drawRoundedRect(row, rowRadius, rowRadius);
    } else if (option.state & QStyle::State_MouseOver) {
        painter->setBrush(Typography::quaternary(palette));
        painter->drawRoundedRect(row, rowRadius, rowRadius);
    }
    if ((option.state & QStyle::State_HasFocus) && view && view->hasFocus()) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(Typography::withAlpha(Typography::accent(), 0.7), 1.5));
        painter->drawRoundedRect(row.adjusted(0.75, 0.75, -0.75, -0.75), rowRadius, rowRadius);
    }
    return row.adjusted(10, 0, -10, 0);
}

// ---------------------------------------------------------------------------------------

void RankingDelegate::paintRow(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index, const QRectF& row) const
{
    const QPalette& palette = option.palette;
    const QColor text = palette.color(QPalette::WindowText);
    const bool above = index.data(RankingModel::AboveChanceRole).toBool();

    const qreal faceHeight = row.height() - 8;
    drawFace(painter,
             QRectF(row.left(), row.center().y() - faceHeight / 2, thumbnailWidth, faceHeight),
             index.data(RankingModel::ArcanaRole).toLongLong());

    QFont name = Typography::font(Typography::Style::body);
    if (above)
        name.setWeight(QFont::DemiBold);
    const qreal nameLeft = row.left() + thumbnailWidth + 12;
    const qreal nameWidth = std::clamp(row.width() * 0.34, 96.0, 190.0);
    painter->setFont(name);
    painter->setPen(text);
    painter->drawText(
        QRectF(nameLeft, row.top(), nameWidth, row.height()),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        QFontMetricsF(name).elidedText(index.data().toString(), Qt::ElideRight, nameWidth));

    // The count and the mark at the right end; the bar between.
    constexpr qreal markWidth = 16;
    constexpr qreal countWidth = 30;
    const QRectF mark(row.right() - markWidth + 2, row.center().y() - 6, 12, 12);
    const QRectF count(mark.left() - 6 - countWidth, row.top(), countWidth, row.height());
    painter->drawText(count, Qt::AlignRight | Qt::AlignVCenter,
                      QString::number(index.data(RankingModel::CountRole).toInt()));
    if (above)
        Icons::paint(*painter, mark, QStringLiteral("sparkle"), TablePalette::gold());

    const qreal trackLeft = nameLeft + nameWidth + 12;
    const qreal trackWidth = std::max<qreal>(0, count.left() - 10 - trackLeft);
    const QRectF track(trackLeft, row.center().y() - 3, trackWidth, 6);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Typography::withAlpha(text, 0.06));
    painter->drawRoundedRect(track, 3, 3);
    const qreal fill = index.data(RankingModel::FillRole).toDouble();
    if (fill > 0) {
        painter->setBrush(Typography::accent());
        painter->drawRoundedRect(
            QRectF(track.left(), track.top(), std::max<qreal>(6, trackWidth * fill), 6), 3, 3);
    }
    // Where chance alone would reach: one dashed line down the whole list.
    const qreal chanceX =
        std::round(track.left() +
                   trackWidth * index.data(RankingModel::ChanceFillRole).toDouble()) +
        0.5;
    painter->setPen(QPen(Typography::withAlpha(text, 0.45), 1, Qt::DashLine));
    painter->drawLine(QPointF(chanceX, option.rect.top()),
                      QPointF(chanceX, option.rect.bottom() + 1));
}

bool RankingDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() == QEvent::ToolTip && index.isValid()) {
        const QString tip = index.data(Qt::ToolTipRole).toString();
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(event->globalPos(), tip, view, option.rect);
        }
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

// ---------------------------------------------------------------------------------------

QRectF TrailDelegate::buttonRect(const QRectF& row)
{
    const QRectF inner = row.adjusted(12, 2, -12, -2);
    const qreal width =
        std::ceil(QFontMetricsF(buttonFont()).horizontalAdvance(restoreText())) + 20;
    return QRectF(inner.left(), inner.bottom() - 10 - 24, std::min(width, inner.width()), 24);
}

void TrailDelegate::paintRow(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index, const QRectF& row) const
{
    const QPalette& palette = option.palette;
    const QFont headline = Typography::font(Typography::Style::headline);
    const QFont caption = Typography::font(Typography::Style::caption);
    const QFontMetricsF headlineMetrics(headline);
    const QFontMetricsF captionMetrics(caption);

    qreal y = option.rect.top() + 11;
    painter->setFont(headline);
    painter->setPen(palette.color(QPalette::WindowText));
    painter->drawText(
        QPointF(row.left(), y + headlineMetrics.ascent()),
        headlineMetrics.elidedText(index.data().toString(), Qt::ElideRight, row.width()));
    y += headlineMetrics.height() + 4;
    painter->setFont(caption);
    painter->setPen(Typography::secondary(palette));
    painter->drawText(QPointF(row.left(), y + captionMetrics.ascent()),
                      captionMetrics.elidedText(index.data(TrailModel::DetailRole).toString(),
                                                Qt::ElideRight, row.width()));
    const QRectF button = buttonRect(option.rect);
    const QColor ink = palette.color(QPalette::WindowText);
    ActionButton::paintBordered(*painter, button, ink, false, m_hovered == index,
                                m_pressed == index);
    painter->setFont(buttonFont());
    painter->setPen(ink);
    painter->drawText(button, Qt::AlignCenter | Qt::TextSingleLine, restoreText());
}

// ---------------------------------------------------------------------------------------

void RepeatDelegate::paintRow(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index, const QRectF& row) const
{
    const qreal faceHeight = row.height() - 8;
    drawFace(painter, QRectF(row.left(), row.center().y() - faceHeight / 2, 14, faceHeight),
             index.data(RepeatModel::ArcanaRole).toLongLong());
    const QFont body = Typography::font(Typography::Style::body);
    const QRectF words = row.adjusted(14 + 12, 0, 0, 0);
    painter->setFont(body);
    painter->setPen(option.palette.color(QPalette::WindowText));
    painter->drawText(
        words, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        QFontMetricsF(body).elidedText(index.data().toString(), Qt::ElideRight, words.width()));
}

// ---------------------------------------------------------------------------------------

TrailList::TrailList(QWidget* parent)
    : PatternsList(TrailDelegate::rowHeight, parent), m_delegate(new TrailDelegate(this))
{
    setItemDelegate(m_delegate);
    connect(this, &QAbstractItemView::activated, this, &TrailList::openRequested);
}

bool TrailList::onButton(const QModelIndex& index, const QPoint& point) const
{
    return index.isValid() && TrailDelegate::buttonRect(visualRect(index)).contains(point);
}

void TrailList::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && onButton(index, event->position().toPoint())) {
        m_pressed = index;
        m_delegate->setPressed(index);
        setCurrentIndex(index);
        setFocus(Qt::MouseFocusReason);
        viewport()->update();
        event->accept();
        return;
    }
    PatternsList::mousePressEvent(event);
}

void TrailList::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_pressed.isValid()) {
        const QPersistentModelIndex pressed = m_pressed;
        m_pressed = QPersistentModelIndex();
        m_delegate->setPressed({});
        viewport()->update();
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index == pressed && onButton(index, event->position().toPoint()))
            Q_EMIT openRequested(index);
        event->accept();
        return;
    }
    PatternsList::mouseReleaseEvent(event);
}

void TrailList::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool over = onButton(index, event->position().toPoint());
    m_delegate->setHovered(over ? QPersistentModelIndex(index) : QPersistentModelIndex());
    viewport()->setCursor(over ? Qt::PointingHandCursor : Qt::ArrowCursor);
    PatternsList::mouseMoveEvent(event);
}

void TrailList::keyPressEvent(QKeyEvent* event)
{
    // Space opens as Return does: a trail row has nothing else to do.
    if (event->key() == Qt::Key_Space && currentIndex().isValid() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        Q_EMIT openRequested(currentIndex());
        event->accept();
        return;
    }
    PatternsList::keyPressEvent(event);
}
