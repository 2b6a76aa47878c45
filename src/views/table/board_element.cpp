#include "views/table/board_element.h"

#include "store/app_store.h"
#include "views/cards/card_back.h"
#include "views/cards/card_face.h"
#include "views/cards/card_shadow.h"
#include "views/kit/clamped_text.h"
#include "views/kit/focus_ring.h"
#include "views/kit/motion.h"
#include "views/kit/table_easing.h"
#include "views/kit/table_palette.h"
#include "views/kit/table_surface.h"
#include "views/kit/typography.h"
#include "views/table/board_caption.h"
#include "views/table/board_layout.h"
#include "views/table/reading_board.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>

namespace {

constexpr qreal outlineRadius = 7.0;
constexpr qreal outlineWidth = 3.0;
constexpr qreal shadowBlur = 8.0;
constexpr qreal shadowOffset = 6.0;
constexpr qreal shadowOpacity = 0.38;
constexpr qreal focusGap = 5.0;

// Room around a card for its shadow, outline and focus ring.
qreal slotMargin()
{
    return std::max(CardShadow::margin(shadowBlur), focusGap + 2.0);
}

} // namespace

// ---------------------------------------------------------------------------------------

BoardElement::BoardElement(AppStore* store, Spread spread, int index, QWidget* parent)
    : QAbstractButton(parent), m_store(store), m_spread(spread), m_index(index)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    const QList<Position> all = positions(spread);
    if (index >= 0 && index < all.size())
        m_position = all.at(index);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_store)
            m_store->reveal(m_index);
    });
}

void BoardElement::setCaption(BoardCaption* caption)
{
    m_caption = caption;
    relayout();
}

bool BoardElement::isCrossing() const
{
    return BoardLayout::isCrossing(m_spread, m_index);
}

void BoardElement::setState(const Reading& reading, std::optional<int> selectedIndex,
                            bool animateTurn)
{
    const bool hasCard = m_index >= 0 && m_index < reading.cards.size();
    const DrawnCard card = hasCard ? reading.cards.at(m_index) : DrawnCard{};
    const bool revealed = hasCard && m_index < reading.revealed;
    const bool selected = selectedIndex && *selectedIndex == m_index;
    const bool next = m_index == reading.revealed;
    const bool changed = hasCard != m_hasCard || !(card == m_card) || revealed != m_revealed ||
                         selected != m_selected || next != m_next;
    const bool turnedNow = revealed && !m_revealed;
    m_hasCard = hasCard;
    m_card = card;
    m_selected = selected;
    m_next = next;
    m_revealed = revealed;
    setEnabled(hasCard && m_index <= reading.revealed);

    if (turnedNow && animateTurn && isVisible()) {
        if (!m_faceFade) {
            m_faceFade = new QVariantAnimation(this);
            m_faceFade->setStartValue(0.0);
            m_faceFade->setEndValue(1.0);
            m_faceFade->setDuration(Motion::faceFadeMs);
            m_faceFade->setEasingCurve(TableEasing::easeInOut());
            connect(m_faceFade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
                m_faceOpacity = v.toReal();
                update();
            });
        }
        m_faceFade->stop();
        m_faceOpacity = 0.0;
        m_faceFade->start();
    } else if (!revealed || !m_faceFade || m_faceFade->state() != QAbstractAnimation::Running) {
        if (m_faceFade)
            m_faceFade->stop();
        m_faceOpacity = revealed ? 1.0 : 0.0;
    }

    updateCaption();
    updateAccessibility();
    if (changed) {
        relayout(); // the caption may have gained a name
        update();
    }
}

void BoardElement::setLaidOut(const std::optional<DrawnCard>& card, bool chosen)
{
    const bool changed = !m_layingOut || card.has_value() != m_hasCard ||
                         (card && !(*card == m_card)) || chosen != m_selected;
    m_layingOut = true;
    m_hasCard = card.has_value();
    m_card = card.value_or(DrawnCard{});
    m_revealed = m_hasCard;
    m_selected = chosen;
    m_next = false;
    m_faceOpacity = m_revealed ? 1.0 : 0.0;
    setEnabled(true);
    updateCaption();
    updateAccessibility();
    if (changed) {
        relayout();
        update();
    }
}

void BoardElement::updateCaption()
{
    if (!m_caption)
        return;
    QString name;
    if (m_revealed) {
        if (const Arcana* arcana = m_card.arcana())
            name = arcana->name + (m_card.reversed ? QStringLiteral(" ↓") : QString());
    }
    m_caption->setContent(QString::number(m_index + 1) + QStringLiteral(" · ") + m_position.title,
                          name, m_spread == Spread::celtic ? 10 : 11,
                          BoardLayout::hasSideCaption(m_spread, m_index));
}

QString BoardElement::accessibilityTitle() const
{
    QString label = QString::number(m_index + 1) + QStringLiteral(", ") + m_position.title +
                    QStringLiteral(", ");
    const Arcana* arcana = m_revealed ? m_card.arcana() : nullptr;
    if (arcana)
        label += arcana->name +
                 (m_card.reversed ? QStringLiteral(", invertida") : QStringLiteral(", al derecho"));
    else if (m_layingOut)
        label += QStringLiteral("sin carta");
    else
        label += QStringLiteral("carta boca abajo");
    return label;
}

QString BoardElement::accessibilityHint() const
{
    if (m_layingOut)
        return m_hasCard ? QStringLiteral("Cambiar o quitar esta carta")
                         : QStringLiteral("Elegir la carta de esta posición");
    return m_next ? QStringLiteral("Descubrir carta") : QStringLiteral("Leer interpretación");
}

void BoardElement::updateAccessibility()
{
    const QString title = accessibilityTitle();
    if (accessibleName() != title)
        setAccessibleName(title);
    const QString hint = accessibilityHint();
    if (accessibleDescription() != hint)
        setAccessibleDescription(hint);
}

void BoardElement::setLayout(const QSizeF& boardSize, double cardWidth)
{
    m_boardSize = boardSize;
    m_cardWidth = std::max(0.0, cardWidth);
    relayout();
}

void BoardElement::setPlacement(qreal placement)
{
    placement = std::clamp<qreal>(placement, 0.0, 1.0);
    if (qFuzzyCompare(placement + 1.0, m_placement + 1.0))
        return;
    m_placement = placement;
    relayout();
    update();
}

QRectF BoardElement::cardRect() const
{
    const QPointF center = BoardLayout::cardCenter(m_position, m_boardSize) +
                           QPointF(0.0, -Motion::dealDropDistance * (1.0 - m_placement));
    const double height = CardGeometry::heightForWidth(m_cardWidth);
    return {center.x() - m_cardWidth / 2.0, center.y() - height / 2.0, m_cardWidth, height};
}

QRectF BoardElement::restRect() const
{
    return visualRect().translated(0, Motion::dealDropDistance * (1.0 - m_placement));
}

void BoardElement::setCaptionBox(const QRectF& box)
{
    m_captionBox = box;
    relayout();
    const bool elided = m_caption && (box.isEmpty() || m_caption->isElided());
    QStringList lines;
    if (elided)
        lines << m_caption->title() << m_caption->name();
    lines.removeAll(QString());
    setToolTip(lines.join(QLatin1Char('\n')));
}

QRectF BoardElement::visualRect() const
{
    const QRectF card = cardRect();
    if (!isCrossing())
        return card;
    QRectF turned(0, 0, card.height(), card.width());
    turned.moveCenter(card.center());
    return turned;
}

void BoardElement::relayout()
{
    if (m_boardSize.isEmpty())
        return;
    const QRectF visual = visualRect();
    const qreal margin = slotMargin();
    const QRect frame =
        visual.adjusted(-margin, -margin, margin, margin + shadowOffset).toAlignedRect();
    m_centerInWidget = visual.center() - QPointF(frame.topLeft());
    if (geometry() != frame)
        setGeometry(frame);

    if (m_caption) {
        // The caption falls with its card while the cards are dealt.
        const QRectF box = m_captionBox.translated(0, visual.top() - restRect().top());
        if (m_caption->geometry() != box.toRect())
            m_caption->setGeometry(box.toRect());
        m_caption->setOpacity(m_placement);
        m_caption->setVisible(!isCrossing() && !m_captionBox.isEmpty());
    }
}

void BoardElement::prepareFace(qreal dpr)
{
    if (m_hasCard && m_cardWidth > 0.0)
        facePixmap(dpr);
}

QPixmap BoardElement::facePixmap(qreal dpr)
{
    const Arcana* arcana = m_card.arcana();
    if (!arcana)
        return {};
    const QSizeF size(m_cardWidth, CardGeometry::heightForWidth(m_cardWidth));
    const QString key = QString::number(m_card.arcanaID) +
                        (m_card.reversed ? QStringLiteral("r") : QStringLiteral("u")) +
                        QString::number(size.width(), 'f', 2) + QLatin1Char('@') +
                        QString::number(dpr);
    if (key != m_faceKey) {
        m_face = CardFace::pixmap(*arcana, m_card.reversed, size, dpr);
        m_faceKey = key;
    }
    return m_face;
}

void BoardElement::paintEvent(QPaintEvent*)
{
    if (m_placement <= 0.0 || m_cardWidth <= 0.0)
        return;
    QPainter painter(this);
    // The device's ratio, not the screen's: rendering into a denser image stays sharp.
    const qreal dpr = painter.device()->devicePixelRatioF();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setOpacity(m_placement);

    const double width = m_cardWidth;
    const double height = CardGeometry::heightForWidth(width);
    const QSizeF cardSize(width, height);
    const QSizeF visualSize = isCrossing() ? cardSize.transposed() : cardSize;
    // Pictures land on whole device pixels, so faces stay as sharp as they were rendered.
    const auto snap = [dpr](const QPointF& p) {
        return QPointF(std::round(p.x() * dpr) / dpr, std::round(p.y() * dpr) / dpr);
    };
    const QRectF visual(
        snap(m_centerInWidget - QPointF(visualSize.width() / 2.0, visualSize.height() / 2.0)),
        visualSize);

    const qreal face = m_revealed ? m_faceOpacity : 0.0;
    if (isEmptyPlace()) {
        paintEmptyPlace(painter, visual);
    } else {
        // The shadow falls straight down whatever the card's rotation.
        const QColor shadowColor(0, 0, 0, int(std::lround(shadowOpacity * 255)));
        const QPixmap shadow =
            CardShadow::pixmap(visualSize, outlineRadius, shadowBlur, shadowColor, dpr);
        const qreal margin = CardShadow::margin(shadowBlur);
        painter.drawPixmap(visual.topLeft() - QPointF(margin, margin - shadowOffset), shadow);
    }
    if (face < 1.0 && !isEmptyPlace()) {
        painter.setOpacity(m_placement * (1.0 - face));
        painter.drawPixmap(visual.topLeft(), turned(CardBack::pixmap(cardSize, dpr)));
    }
    if (face > 0.0) {
        const QPixmap pixmap = facePixmap(dpr);
        painter.setOpacity(m_placement * face);
        painter.drawPixmap(visual.topLeft(),
                           turned(pixmap.isNull() ? CardBack::pixmap(cardSize, dpr) : pixmap));
    }
    painter.setOpacity(m_placement);
    painter.setBrush(Qt::NoBrush);
    if (m_selected) {
        painter.setPen(QPen(TablePalette::gold(), outlineWidth));
        painter.drawRoundedRect(visual, outlineRadius, outlineRadius);
    }
    if (FocusRing::visible(this)) {
        QColor ring(Qt::white);
        ring.setAlphaF(0.8f);
        painter.setPen(QPen(ring, 1.5, Qt::DashLine));
        painter.drawRoundedRect(visual.adjusted(-focusGap, -focusGap, focusGap, focusGap),
                                outlineRadius + focusGap, outlineRadius + focusGap);
    }
}

void BoardElement::paintEmptyPlace(QPainter& painter, const QRectF& visual) const
{
    // A place waiting for its card: a faint hollow in the cloth with a dashed gold edge and
    // the position's number. The second card of the Celtic cross lies across the first, so
    // their numbers stand apart: the first one high, the crossing one at its right end.
    QPen pen(Typography::withAlpha(TablePalette::gold(), m_selected ? 0.0 : 0.55), 1.4,
             Qt::DashLine);
    pen.setDashPattern({4.0, 3.0});
    painter.setPen(pen);
    // The crossing place lies over the first card: it only veils it lightly.
    const int veil = isCrossing() ? 14 : m_selected ? 56 : 34;
    painter.setBrush(QColor(0, 0, 0, veil));
    painter.drawRoundedRect(visual.adjusted(0.7, 0.7, -0.7, -0.7), outlineRadius, outlineRadius);

    QRectF number = visual;
    if (isCrossing())
        number.setLeft(visual.right() - (visual.width() - visual.height()) / 2.0);
    else if (m_spread == Spread::celtic && m_index == 0)
        number.setHeight(visual.height() * 0.34);
    painter.setPen(Typography::withAlpha(TablePalette::gold(), m_selected ? 0.95 : 0.7));
    const qreal size =
        isCrossing() ? std::min(m_cardWidth * 0.3, number.width() * 0.7) : m_cardWidth * 0.3;
    painter.setFont(Typography::serif(int(std::clamp(size, 12.0, 34.0))));
    painter.drawText(number, Qt::AlignCenter, QString::number(m_index + 1));
}

QPixmap BoardElement::turned(const QPixmap& pixmap) const
{
    // The crossing card lies a quarter turn clockwise; the turned picture is kept so that
    // it is drawn without resampling.
    if (!isCrossing() || pixmap.isNull())
        return pixmap;
    const QString key =
        QStringLiteral("arcandel-board-turned-") + QString::number(pixmap.cacheKey());
    QPixmap result;
    if (QPixmapCache::find(key, &result))
        return result;
    result = pixmap.transformed(QTransform().rotate(90));
    result.setDevicePixelRatio(pixmap.devicePixelRatio());
    QPixmapCache::insert(key, result);
    return result;
}

bool BoardElement::hitButton(const QPoint& pos) const
{
    // Only the card itself reacts; its shadow and the space around it do not.
    const QRectF visual = visualRect().translated(-QPointF(geometry().topLeft()));
    return m_placement > 0.0 && visual.contains(QPointF(pos));
}

void BoardElement::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void BoardElement::completeAnimations()
{
    if (m_faceFade && m_faceFade->state() == QAbstractAnimation::Running) {
        m_faceFade->stop();
        m_faceOpacity = m_revealed ? 1.0 : 0.0;
        update();
    }
}
