#include "views/kit/labels.h"

#include "views/kit/section_title.h"
#include "views/kit/typography.h"

#include <QLabel>
#include <QVBoxLayout>

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

QVBoxLayout* headerTitles(const QString& eyebrow, const QString& title, QWidget* parent)
{
    auto* titles = new QVBoxLayout;
    titles->setSpacing(6);
    titles->addWidget(new SectionTitle(eyebrow, parent));
    auto* heading = plain(title, Typography::serif(30), false, false, parent);
    heading->setWordWrap(false);
    titles->addWidget(heading);
    return titles;
}

} // namespace Labels
