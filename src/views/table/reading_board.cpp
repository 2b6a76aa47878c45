#include "views/table/reading_board.h"

#include "store/app_store.h"
#include "views/cards/card_back.h"
#include "views/cards/card_face.h"
#include "views/cards/card_shadow.h"
#include "views/kit/clamped_text.h"
#include "views/kit/motion.h"
#include "views/kit/table_easing.h"
#include "views/kit/table_palette.h"
#include "views/kit/table_surface.h"
#include "views/kit/typography.h"
#include "views/table/board_caption.h"
#include "views/table/board_element.h"
#include "views/table/board_layout.h"

#include <QPainter>
#include <QShowEvent>
#include <QVariantAnimation>
#include <algorithm>

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
    layoutCaptions(); // a turned card's name may need more room
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
    layoutCaptions();
}

void ReadingBoard::layoutCaptions()
{
    const QSizeF board(size());
    const double width = cardWidth();
    if (board.isEmpty() || width <= 0.0)
        return;
    // Every card stands where it lies once dealt.
    QList<QRectF> cards;
    for (BoardElement* element : std::as_const(m_elements))
        cards << element->restRect();
    const QList<QRectF> boxes = BoardLayout::fitCaptions(
        m_reading.spread, cards, QRectF(QPointF(), board), width, [this](int index, double limit) {
            const BoardCaption* caption = m_elements[index]->caption();
            return caption ? caption->contentSize(limit) : QSizeF();
        });
    for (BoardElement* element : std::as_const(m_elements)) {
        if (element->caption() && !element->isCrossing())
            element->setCaptionBox(boxes[element->index()]);
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
    // Cards laid out by hand already lie on the table: nothing is dealt.
    const bool animate =
        m_store && !m_reading.ownDeck ? Motion::animate(m_store->preferences()) : false;
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
    m_backdrop.paint(target, event->rect(), size(), theme());
}
