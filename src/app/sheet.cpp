#include "app/sheet.h"

#include <QCloseEvent>
#include <QVBoxLayout>

Sheet::Sheet(QWidget* content, bool dismissible, QWidget* parent)
    : QDialog(parent), m_content(content), m_dismissible(dismissible)
{
    setWindowModality(Qt::WindowModal);
    if (!dismissible) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (content) {
        content->setParent(this);
        layout->addWidget(content);
    }
}

void Sheet::finish()
{
    m_finishing = true;
    if (isVisible())
        done(QDialog::Accepted);
    else
        setResult(QDialog::Accepted);
}

void Sheet::reject()
{
    if (!m_dismissible && !m_finishing)
        return;
    QDialog::reject();
}

void Sheet::closeEvent(QCloseEvent* event)
{
    // The user's close button is refused; closing on the application's own way out (quit)
    // is not.
    if (!m_dismissible && !m_finishing && event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
