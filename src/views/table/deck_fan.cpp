#include "views/table/deck_fan.h"

#include "views/cards/card_back.h"
#include "views/cards/card_geometry.h"
#include "views/cards/card_shadow.h"
#include "views/kit/labels.h"
#include "views/kit/table_surface.h"
#include "views/kit/typography.h"
#include "views/table/preparation_view.h"

#include <QPainter>
#include <cmath>

// ---------------------------------------------------------------------------------------

DeckFan::DeckFan(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(boxHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

DeckFan::Pose DeckFan::pose(int index, Ritual::Phase phase, qreal pulse)
{
    const qreal i = index;
    if (phase != Ritual::Phase::shuffling)
        return {3.0 * i - 6.0, QPointF(3.0 * i - 6.0, -2.0 * i)};
    // pulse false spreads to the right-hand side first, pulse true mirrors it.
    const Pose off{18.0 - 9.0 * i, QPointF(24.0 - 12.0 * i, -2.0 * i)};
    const Pose on{9.0 * i - 18.0, QPointF(12.0 * i - 24.0, -2.0 * i)};
    return {off.rotation + (on.rotation - off.rotation) * pulse,
            off.offset + (on.offset - off.offset) * pulse};
}

void DeckFan::setState(Ritual::Phase phase, qreal pulse)
{
    if (phase == m_phase && qFuzzyCompare(pulse + 1.0, m_pulse + 1.0))
        return;
    m_phase = phase;
    m_pulse = pulse;
    update();
}

void DeckFan::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const qreal dpr = painter.device()->devicePixelRatioF();
    const QSizeF card(cardWidth, CardGeometry::heightForWidth(cardWidth));
    const QPixmap back = CardBack::pixmap(card, dpr);
    const QPixmap shadow =
        CardShadow::pixmap(card, 8.0, 7.0, QColor(0, 0, 0, int(std::lround(0.25 * 255))), dpr);
    const qreal margin = CardShadow::margin(7.0);
    const QPointF center = QRectF(rect()).center();
    for (int i = 0; i < cardCount; ++i) {
        const Pose p = cardPose(i);
        // The shadow falls 5 points straight down from the turned card.
        painter.save();
        painter.translate(center + p.offset + QPointF(0.0, 5.0));
        painter.rotate(p.rotation);
        painter.drawPixmap(QPointF(-card.width() / 2.0 - margin, -card.height() / 2.0 - margin),
                           shadow);
        painter.restore();
        painter.save();
        painter.translate(center + p.offset);
        painter.rotate(p.rotation);
        painter.drawPixmap(QPointF(-card.width() / 2.0, -card.height() / 2.0), back);
        painter.restore();
    }
}
