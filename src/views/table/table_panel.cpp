#include "views/table/table_panel.h"

#include "views/kit/scroll_areas.h"
#include "views/kit/typography.h"

#include <QEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

void TablePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const bool dark = pal.color(QPalette::Window).lightnessF() < 0.5;
    painter.setPen(
        QPen(Typography::withAlpha(pal.color(QPalette::WindowText), dark ? 0.12 : 0.08), 1.0));
    painter.setBrush(Typography::withAlpha(dark ? QColor(Qt::white) : pal.color(QPalette::Base),
                                           dark ? 0.06 : 0.62));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 16, 16);
}

void TablePanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        Typography::refreshShades(this);
    ScrollAreas::refreshScrollBars(this);
}

NotesBox::NotesBox(QWidget* editor, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(editor);
}

void NotesBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Typography::quaternary(palette()));
    painter.drawRoundedRect(QRectF(rect()), 8, 8);
}

QPlainTextEdit* panelEditor(QWidget* parent, int height, QWidget** box)
{
    auto* editor = new QPlainTextEdit(parent);
    editor->setFont(Typography::font(Typography::Style::callout));
    editor->setFrameShape(QFrame::NoFrame);
    editor->setTabChangesFocus(true);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollAreas::useSlimScrollBar(editor);
    editor->document()->setDocumentMargin(0);
    editor->setAutoFillBackground(false);
    editor->viewport()->setAutoFillBackground(false);
    auto* frame = new NotesBox(editor, parent);
    frame->setFixedHeight(height);
    *box = frame;
    return editor;
}
