#include "views/guide/guide_delegate.h"

#include "model/arcana.h"
#include "views/cards/card_face.h"
#include "views/cards/card_shadow.h"
#include "views/guide/guide_grid_view.h"
#include "views/guide/guide_model.h"
#include "views/kit/focus_ring.h"
#include "views/kit/typography.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

QFont nameFont()
{
    return Typography::font(Typography::Style::caption);
}
QFont numeralFont()
{
    return Typography::font(Typography::Style::caption2);
}
int lineHeight(const QFont& font)
{
    return int(std::ceil(QFontMetricsF(font).height()));
}

// The name centred in `rect`, wrapped to two lines at most, the second ending in an ellipsis
// when the name is longer.
// Returns the height the name took.
qreal drawName(QPainter* painter, const QRectF& rect, const QString& text, const QColor& color)
{
    const QFont font = nameFont();
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    int end = 0;
    for (int i = 0; i < 2; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(rect.width());
        line.setPosition(QPointF(0, y));
        y += line.height();
        end = line.textStart() + line.textLength();
    }
    layout.endLayout();
    painter->save();
    painter->setPen(color);
    painter->setFont(font);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (i == layout.lineCount() - 1 && end < text.size()) {
            const QString elided = QFontMetricsF(font).elidedText(text.mid(line.textStart()),
                                                                  Qt::ElideRight, rect.width());
            painter->drawText(
                QRectF(rect.left(), rect.top() + line.y(), rect.width(), line.height()),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, elided);
        } else {
            line.draw(painter, rect.topLeft());
        }
    }
    painter->restore();
    return y;
}

} // namespace

GuideDelegate::GuideDelegate(GuideGridView* view) : QStyledItemDelegate(view), m_view(view) {}

int GuideDelegate::labelHeight()
{
    return innerMargin + faceHeight + labelSpacing + 2 * lineHeight(nameFont()) + labelSpacing +
           lineHeight(numeralFont()) + innerMargin;
}

QSize GuideDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {m_view ? m_view->columnWidth() : option.rect.width(), labelHeight() + rowSpacing};
}

QRect GuideDelegate::labelRect(const QRect& itemRect)
{
    // The first column's items start at the left edge; the gap lies between the columns.
    const int inner = columnSpacing / 2;
    const bool left = itemRect.left() < itemRect.width() / 2;
    return QRect(itemRect.left() + (left ? 0 : inner), itemRect.top(), itemRect.width() - inner,
                 labelHeight());
}

void GuideDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    if (!index.isValid())
        return;
    const QRectF label = labelRect(option.rect);
    const Arcana card = index.data(GuideModel::ArcanaRole).value<Arcana>();
    const bool selected = index.data(GuideModel::SelectedRole).toBool();
    const bool focused = (option.state & QStyle::State_HasFocus) && FocusRing::visible(m_view);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (selected) {
        QColor tint = Typography::accent();
        tint.setAlphaF(0.1f);
        painter->setPen(Qt::NoPen);
        painter->setBrush(tint);
        painter->drawRoundedRect(label, cornerRadius, cornerRadius);
    }
    if (focused) {
        QColor ring = Typography::accent();
        ring.setAlphaF(0.6f);
        painter->setPen(QPen(ring, 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(label.adjusted(1, 1, -1, -1), cornerRadius, cornerRadius);
    }

    const qreal faceWidth = CardGeometry::widthForHeight(faceHeight);
    const QRectF face(label.center().x() - faceWidth / 2, label.top() + innerMargin, faceWidth,
                      faceHeight);
    CardShadow::paint(*painter, face, CardFace::cornerRadius, 4.0, QColor::fromRgbF(0, 0, 0, 0.15f),
                      QPointF(0, 3));
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap pixmap = CardFace::pixmap(card, false, face.size(), ratio);
    painter->drawPixmap(face, pixmap, QRectF(QPointF(0, 0), QSizeF(pixmap.size())));

    const QRectF text = label.adjusted(innerMargin, 0, -innerMargin, 0);
    const qreal nameTop = face.bottom() + labelSpacing;
    const qreal nameHeight =
        drawName(painter, QRectF(text.left(), nameTop, text.width(), 2 * lineHeight(nameFont())),
                 card.name, option.palette.color(QPalette::WindowText));
    // The numeral follows the name; a one-line name leaves the spare room at the bottom, so
    // every cell of the grid keeps the same box.
    const qreal numeralTop = nameTop + nameHeight + labelSpacing;
    painter->setFont(numeralFont());
    painter->setPen(Typography::secondary(option.palette));
    painter->drawText(QRectF(text.left(), numeralTop, text.width(), lineHeight(numeralFont())),
                      Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(GuideModel::NumeralRole).toString());
    painter->restore();
}
