#include "views/kit/section_title.h"

#include "views/kit/typography.h"

#include <QEvent>

SectionTitle::SectionTitle(const QString& title, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFont(Typography::tracked(Typography::system(12, QFont::DemiBold), 1.3));
    setTitle(title);
    applyColor();
}

void SectionTitle::setTitle(const QString& title)
{
    m_title = title;
    setText(title.toUpper());
    setAccessibleName(title);
}

void SectionTitle::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    // Follow the surroundings when the palette changes (light and dark desktop themes).
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::ApplicationPaletteChange)
        applyColor();
}

void SectionTitle::applyColor()
{
    if (m_applyingColor)
        return;
    m_applyingColor = true;
    Typography::setSecondary(this);
    m_applyingColor = false;
}
