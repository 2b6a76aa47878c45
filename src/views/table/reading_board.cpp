#include "views/table/reading_board.h"

#include "model/catalog.h"
#include "store/app_store.h"
#include "views/cards/card_back.h"
#include "views/cards/card_face.h"
#include "views/cards/card_shadow.h"
#include "views/kit/clamped_text.h"
#include "views/kit/motion.h"
#include "views/kit/table_easing.h"
#include "views/kit/table_palette.h"
#include "views/kit/typography.h"
#include "views/table/board_layout.h"
#include "views/table/table_surface.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QShowEvent>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>

namespace {

constexpr qreal outlineRadius = 7.0;
constexpr qreal outlineWidth = 3.0;
constexpr qreal shadowBlur = 8.0;
constexpr qreal shadowOffset = 6.0;
constexpr qreal shadowOpacity = 0.38;
constexpr qreal captionLineGap = 4.0;
constexpr qreal focusGap = 5.0;

// Room around a card for its shadow, outline and focus ring.
qreal slotMargin()
{
    return std::max(CardShadow::margin(shadowBlur), focusGap + 2.0);
}

QFont captionTitleFont(int size)
{
    return Typography::system(size, QFont::Medium);
}

QFont captionNameFont()
{
    return Typography::system(10);
}

QColor captionNameColor()
{
    QColor color(Qt::white);
    color.setAlphaF(0.85f);
    return color;
}

} // namespace

// ---------------------------------------------------------------------------------------

BoardCaption::BoardCaption(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void BoardCaption::setContent(const QString& title, const QString& name, int titleSize, bool side)
{
    if (title == m_title && name == m_name && titleSize == m_titleSize && side == m_side)
        return;
    m_title = title;
    m_name = name;
    m_titleSize = titleSize;
    m_side = side;
    update();
}

void BoardCaption::setOpacity(qreal opacity)
{
    if (qFuzzyCompare(opacity + 1.0, m_opacity + 1.0))
        return;
    m_opacity = opacity;
    update();
}

qreal BoardCaption::contentHeight(qreal width) const
{
    const qreal title = ClampedText::height(m_title, captionTitleFont(m_titleSize), width, 2);
    if (m_name.isEmpty())
        return title;
    return title + captionLineGap + ClampedText::height(m_name, captionNameFont(), width, 2);
}

void BoardCaption::paintEvent(QPaintEvent*)
{
    if (m_opacity <= 0.0)
        return;
    QPainter target(this);
    const qreal dpr = target.device()->devicePixelRatioF();
    const QString key =
        m_title + QChar(0x1f) + m_name + QChar(0x1f) + QString::number(m_titleSize) +
        (m_side ? QStringLiteral("s") : QStringLiteral("b")) + QString::number(width()) +
        QLatin1Char('x') + QString::number(height()) + QLatin1Char('@') + QString::number(dpr);
    if (key != m_cacheKey) {
        QImage image(size() * dpr, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::TextAntialiasing);
            const QFont titleFont = captionTitleFont(m_titleSize);
            const QFont nameFont = captionNameFont();
            const qreal w = width();
            const qreal titleHeight = ClampedText::height(m_title, titleFont, w, 2);
            const qreal nameHeight =
                m_name.isEmpty() ? 0.0 : ClampedText::height(m_name, nameFont, w, 2);
            const qreal content =
                titleHeight + (m_name.isEmpty() ? 0.0 : captionLineGap + nameHeight);
            // Beside a card the lines are centred on its height; below it they hang from the top.
            const qreal top = m_side ? std::max<qreal>(0.0, (height() - content) / 2.0) : 0.0;
            const Qt::Alignment alignment = m_side ? Qt::AlignLeft : Qt::AlignHCenter;
            ClampedText::paint(painter, QRectF(0, top, w, titleHeight), m_title, titleFont,
                               TablePalette::gold(), 2, alignment);
            if (!m_name.isEmpty())
                ClampedText::paint(painter,
                                   QRectF(0, top + titleHeight + captionLineGap, w, nameHeight),
                                   m_name, nameFont, captionNameColor(), 2, alignment);
        }
        m_cache = QPixmap::fromImage(image);
        m_cacheKey = key;
    }
    target.setOpacity(m_opacity);
    target.drawPixmap(0, 0, m_cache);
}

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

    if (m_caption) {
        QString name;
        if (revealed) {
            if (const Arcana* arcana = m_card.arcana())
                name = arcana->name + (m_card.reversed ? QStringLiteral(" ↓") : QString());
        }
        m_caption->setContent(
            QString::number(m_index + 1) + QStringLiteral(" · ") + m_position.title, name,
            m_spread == Spread::celtic ? 10 : 11, BoardLayout::hasSideCaption(m_spread, m_index));
    }
    updateAccessibility();
    if (changed) {
        relayout(); // the caption may have gained a name
        update();
    }
}

QString BoardElement::accessibilityTitle() const
{
    QString label = QString::number(m_index + 1) + QStringLiteral(", ") + m_position.title +
                    QStringLiteral(", ");
    const Arcana* arcana = m_revealed ? m_card.arcana() : nullptr;
    if (arcana)
        label += arcana->name +
                 (m_card.reversed ? QStringLiteral(", invertida") : QStringLiteral(", al derecho"));
    else
        label += QStringLiteral("carta boca abajo");
    return label;
}

QString BoardElement::accessibilityHint() const
{
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
        const QPointF cardCenter = visual.center();
        const QSizeF size =
            BoardLayout::captionSize(m_spread, m_index, m_boardSize.width(), m_cardWidth);
        const QPointF center = BoardLayout::captionCenter(m_spread, m_index, cardCenter,
                                                          m_boardSize.width(), m_cardWidth);
        // The box is 40 (below) or 60 (beside) points high; longer names run past it as
        // they would past a frame, downwards below a card and both ways beside one.
        const qreal content = std::ceil(m_caption->contentHeight(size.width()));
        QRectF box(center.x() - size.width() / 2.0, center.y() - size.height() / 2.0, size.width(),
                   size.height());
        if (content > box.height()) {
            const qreal extra = content - box.height();
            if (m_caption->isSide())
                box.adjust(0, -extra / 2.0, 0, extra / 2.0);
            else
                box.setHeight(content);
        }
        const QRect captionFrame = box.toRect();
        if (m_caption->geometry() != captionFrame)
            m_caption->setGeometry(captionFrame);
        m_caption->setOpacity(m_placement);
        // The crossing card has no caption.
        m_caption->setVisible(!isCrossing());
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

    // The shadow falls straight down whatever the card's rotation.
    const QColor shadowColor(0, 0, 0, int(std::lround(shadowOpacity * 255)));
    const QPixmap shadow =
        CardShadow::pixmap(visualSize, outlineRadius, shadowBlur, shadowColor, dpr);
    const qreal margin = CardShadow::margin(shadowBlur);
    painter.drawPixmap(visual.topLeft() - QPointF(margin, margin - shadowOffset), shadow);

    const qreal face = m_revealed ? m_faceOpacity : 0.0;
    if (face < 1.0) {
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
    if (hasFocus() && m_keyboardFocus) {
        QColor ring(Qt::white);
        ring.setAlphaF(0.8f);
        painter.setPen(QPen(ring, 1.5, Qt::DashLine));
        painter.drawRoundedRect(visual.adjusted(-focusGap, -focusGap, focusGap, focusGap),
                                outlineRadius + focusGap, outlineRadius + focusGap);
    }
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

void BoardElement::focusInEvent(QFocusEvent* event)
{
    m_keyboardFocus = event->reason() == Qt::TabFocusReason ||
                      event->reason() == Qt::BacktabFocusReason ||
                      event->reason() == Qt::OtherFocusReason;
    QAbstractButton::focusInEvent(event);
    update();
}

void BoardElement::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = false;
    QAbstractButton::focusOutEvent(event);
    update();
}

void BoardElement::completeAnimations()
{
    if (m_faceFade && m_faceFade->state() == QAbstractAnimation::Running) {
        m_faceFade->stop();
        m_faceOpacity = m_revealed ? 1.0 : 0.0;
        update();
    }
}

// ---------------------------------------------------------------------------------------

ReadingBoard::ReadingBoard(AppStore* store, const Reading& reading, QWidget* parent)
    : QWidget(parent), m_store(store), m_reading(reading), m_dealing(new QVariantAnimation(this)),
      m_dropCurve(TableEasing::easeOut())
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::NoFocus);

    const int count = int(m_reading.cards.size());
    // Captions first, so that no caption ever covers a card.
    QList<BoardCaption*> captions;
    for (int i = 0; i < count; ++i)
        captions.append(new BoardCaption(this));
    BoardElement* previous = nullptr;
    for (int i = 0; i < count; ++i) {
        auto* element = new BoardElement(store, m_reading.spread, i, this);
        element->setCaption(captions.at(i));
        m_elements.append(element);
        if (previous)
            setTabOrder(previous, element);
        previous = element;
    }
    // The crossing card lies above the card it crosses.
    for (BoardElement* element : std::as_const(m_elements)) {
        if (element->isCrossing())
            element->raise();
    }

    m_dealing->setStartValue(0.0);
    m_dealing->setEndValue(double(dealDurationMs(count)));
    m_dealing->setDuration(dealDurationMs(count));
    m_dealing->setEasingCurve(QEasingCurve::Linear);
    connect(m_dealing, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { applyDealTime(value.toReal()); });

    if (m_store) {
        connect(m_store, &AppStore::currentChanged, this, &ReadingBoard::syncFromStore);
        connect(m_store, &AppStore::selectedIndexChanged, this, &ReadingBoard::syncFromStore);
        connect(m_store, &AppStore::preferencesChanged, this, [this] {
            update();
            syncFromStore();
        });
    }
    refreshElements(false);
    for (BoardElement* element : std::as_const(m_elements))
        element->setPlacement(0.0);
}

BoardElement* ReadingBoard::element(int index) const
{
    return index >= 0 && index < m_elements.size() ? m_elements.at(index) : nullptr;
}

double ReadingBoard::cardWidth() const
{
    return std::max(0.0, BoardLayout::cardWidth(m_reading.spread, QSizeF(size())));
}

int ReadingBoard::dealStartMs(int index)
{
    return index * Motion::dealIntervalMs;
}

int ReadingBoard::dealDurationMs(int count)
{
    return count <= 0 ? 0 : dealStartMs(count - 1) + Motion::dealDropMs;
}

QString ReadingBoard::theme() const
{
    return m_store ? m_store->preferences().theme : QStringLiteral("Esmeralda");
}

void ReadingBoard::syncFromStore()
{
    if (!m_store)
        return;
    const std::optional<Reading>& current = m_store->current();
    if (current && current->id == m_reading.id)
        m_reading = *current;
    refreshElements(Motion::animate(m_store->preferences()));
}

void ReadingBoard::refreshElements(bool animateTurn)
{
    const std::optional<int> selected = m_store ? m_store->selectedIndex() : std::nullopt;
    for (BoardElement* element : std::as_const(m_elements))
        element->setState(m_reading, selected, animateTurn);
}

void ReadingBoard::layoutElements()
{
    const double width = cardWidth();
    const qreal dpr = devicePixelRatioF();
    for (BoardElement* element : std::as_const(m_elements)) {
        element->setLayout(QSizeF(size()), width);
        // Faces are made ready now, so that turning a card never waits for its picture.
        element->prepareFace(dpr);
    }
}

void ReadingBoard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutElements();
}

void ReadingBoard::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Window restores are spontaneous; only a real appearance deals the cards again.
    if (!event->spontaneous())
        startDealing();
}

void ReadingBoard::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_dealing->stop();
}

void ReadingBoard::startDealing()
{
    m_dealing->stop();
    layoutElements();
    const bool animate = m_store ? Motion::animate(m_store->preferences()) : false;
    if (!animate || m_elements.isEmpty()) {
        applyDealTime(dealDurationMs(int(m_elements.size())));
        return;
    }
    setPlaced(0);
    for (BoardElement* element : std::as_const(m_elements))
        element->setPlacement(0.0);
    m_dealing->start();
    applyDealTime(0.0);
}

void ReadingBoard::applyDealTime(qreal ms)
{
    int placed = 0;
    for (int i = 0; i < m_elements.size(); ++i) {
        const qreal start = dealStartMs(i);
        if (ms < start) {
            m_elements.at(i)->setPlacement(0.0);
            continue;
        }
        placed = i + 1;
        const qreal progress = std::min<qreal>(1.0, (ms - start) / Motion::dealDropMs);
        m_elements.at(i)->setPlacement(m_dropCurve.valueForProgress(progress));
    }
    setPlaced(placed);
}

void ReadingBoard::setPlaced(int placed)
{
    if (placed == m_placed)
        return;
    m_placed = placed;
    Q_EMIT placedChanged(placed);
}

void ReadingBoard::completeAnimations()
{
    m_dealing->stop();
    applyDealTime(dealDurationMs(int(m_elements.size())));
    for (BoardElement* element : std::as_const(m_elements))
        element->completeAnimations();
}

void ReadingBoard::paintEvent(QPaintEvent* event)
{
    QPainter target(this);
    const qreal dpr = target.device()->devicePixelRatioF();
    const QString key = theme() + QLatin1Char('|') + QString::number(width()) + QLatin1Char('x') +
                        QString::number(height()) + QLatin1Char('@') + QString::number(dpr);
    if (key != m_backgroundKey) {
        QImage image(size() * dpr, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            const QRectF area(QPointF(0, 0), QSizeF(size()));
            TableSurface::paint(painter, area, theme());
            QColor star = TablePalette::gold();
            star.setAlphaF(0.055f);
            painter.setPen(star);
            painter.setFont(Typography::system(160, QFont::ExtraLight));
            painter.drawText(area, Qt::AlignCenter, QStringLiteral("✦"));
        }
        m_background = QPixmap::fromImage(image);
        m_backgroundKey = key;
    }
    const QRect dirty = event->rect();
    target.drawPixmap(QRectF(dirty), m_background,
                      QRectF(QPointF(dirty.topLeft()) * dpr, QSizeF(dirty.size()) * dpr));
}
