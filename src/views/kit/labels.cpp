#include "views/kit/labels.h"

#include "views/kit/typography.h"

#include <QLabel>

namespace Labels {

QLabel* plain(const QString& text, const QFont& font, bool secondary, bool selectable,
              QWidget* parent)
{
    auto* result = new QLabel(parent);
    result->setTextFormat(Qt::PlainText);
    result->setText(text);
    result->setFont(font);
    result->setWordWrap(true);
    if (selectable)
        Labels::selectable(result);
    if (secondary)
        Typography::setSecondary(result);
    return result;
}

QLabel* selectable(QLabel* label)
{
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setCursor(Qt::IBeamCursor);
    return label;
}

} // namespace Labels
