#include "views/kit/empty_state.h"

#include "views/kit/action_button.h"
#include "views/kit/labels.h"
#include "views/kit/typography.h"

#include <QLabel>
#include <QVBoxLayout>

EmptyState::EmptyState(QWidget* picture, QWidget* parent) : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addStretch(1);
    auto* column = new QVBoxLayout;
    column->setSpacing(16);
    picture->setParent(this);
    column->addWidget(picture, 0, Qt::AlignHCenter);
    // Full-width labels with centred text: a word-wrapped label given a layout alignment
    // would get the height of a narrower width and be cut.
    m_title = Labels::plain({}, Typography::font(Typography::Style::title3), false, false, this);
    m_title->setAlignment(Qt::AlignCenter);
    column->addWidget(m_title);
    m_text = Labels::plain({}, Typography::font(Typography::Style::body), true, false, this);
    m_text->setAlignment(Qt::AlignCenter);
    column->addWidget(m_text);
    m_button = new ActionButton({}, ActionButton::Kind::prominent, this);
    column->addWidget(m_button, 0, Qt::AlignHCenter);
    outer->addLayout(column);
    outer->addStretch(1);
}
