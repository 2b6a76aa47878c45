#include "views/table/board_caption.h"

#include "views/cards/card_back.h"
#include "views/cards/card_face.h"
#include "views/cards/card_shadow.h"
#include "views/kit/clamped_text.h"
#include "views/kit/table_palette.h"
#include "views/kit/table_surface.h"
#include "views/kit/typography.h"
#include "views/table/reading_board.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr qreal captionLineGap = 4.0;

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
