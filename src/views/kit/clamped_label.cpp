#include "views/kit/clamped_label.h"

#include "views/kit/clamped_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

ClampedLabel::ClampedLabel(int maxLines, QWidget* parent) : QLabel(parent), m_maxLines(maxLines)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

qreal ClampedLabel::pitch() const
{
    return QFontMetricsF(font()).height() + m_extraLineSpacing;
}

bool ClampedLabel::isElided() const
{
    return ClampedText::isClamped(text(), font(), contentsRect().width(), m_maxLines);
}

QSize ClampedLabel::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const int natural = int(std::ceil(metrics.horizontalAdvance(text()))) + 1;
    const int width = std::min(natural, 480);
    return {width, heightForWidth(width)};
}

QSize ClampedLabel::minimumSizeHint() const
{
    return {0, text().isEmpty() ? 0 : int(std::ceil(QFontMetricsF(font()).height()))};
}

int ClampedLabel::heightForWidth(int width) const
{
    const QMargins m = contentsMargins();
    return int(std::ceil(ClampedText::height(text(), font(), width - m.left() - m.right(),
                                             m_maxLines, pitch()))) +
           m.top() + m.bottom();
}

void ClampedLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QColor color = palette().color(foregroundRole());
    if (!isEnabled())
        color = palette().color(QPalette::Disabled, foregroundRole());
    ClampedText::paint(painter, contentsRect(), text(), font(), color, m_maxLines, alignment(),
                       pitch());
}
