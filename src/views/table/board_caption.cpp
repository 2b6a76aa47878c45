#include "views/table/board_caption.h"

#include "views/kit/clamped_text.h"
#include "views/kit/table_palette.h"
#include "views/kit/typography.h"

#include <QFontMetricsF>
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

QSizeF BoardCaption::contentSize(qreal width) const
{
    const QSizeF title = ClampedText::size(m_title, captionTitleFont(m_titleSize), width, 2);
    if (m_name.isEmpty())
        return title;
    const QSizeF name = ClampedText::size(m_name, captionNameFont(), width, 2);
    return {std::max(title.width(), name.width()), title.height() + captionLineGap + name.height()};
}

bool BoardCaption::isElided() const
{
    const QSizeF whole = contentSize(width());
    return whole.height() > height() + 0.5 ||
           ClampedText::isClamped(m_title, captionTitleFont(m_titleSize), width(), 2) ||
           ClampedText::isClamped(m_name, captionNameFont(), width(), 2);
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
            // The box holds the lines; a box made smaller by its neighbours keeps the title
            // first and gives the name what room is left.
            const qreal w = width();
            const qreal titleHeight =
                std::min<qreal>(ClampedText::height(m_title, titleFont, w, 2), height());
            const qreal nameTop = titleHeight + captionLineGap;
            const Qt::Alignment alignment = m_side ? Qt::AlignLeft : Qt::AlignHCenter;
            ClampedText::paint(painter, QRectF(0, 0, w, titleHeight), m_title, titleFont,
                               TablePalette::gold(), 2, alignment);
            if (!m_name.isEmpty() && height() - nameTop >= QFontMetricsF(nameFont).height())
                ClampedText::paint(painter, QRectF(0, nameTop, w, height() - nameTop), m_name,
                                   nameFont, captionNameColor(), 2, alignment);
        }
        m_cache = QPixmap::fromImage(image);
        m_cacheKey = key;
    }
    target.setOpacity(m_opacity);
    target.drawPixmap(0, 0, m_cache);
}
