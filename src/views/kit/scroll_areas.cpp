#include "views/kit/scroll_areas.h"

#include <QAbstractScrollArea>
#include <QScrollArea>
#include <QScrollBar>

namespace ScrollAreas {

namespace {
const char* const slimProperty = "arcandelSlimScrollBar";

void styleSlimScrollBar(QScrollBar* bar, const QPalette& palette)
{
    QColor handle = palette.color(QPalette::WindowText);
    handle.setAlphaF(0.22f);
    if (bar->property("arcandelSlimColor").toUInt() == handle.rgba() &&
        !bar->styleSheet().isEmpty())
        return;
    bar->setProperty("arcandelSlimColor", handle.rgba());
    QColor hover = handle;
    hover.setAlphaF(0.38f);
    const auto rgba = [](const QColor& c) {
        return QStringLiteral("rgba(%1, %2, %3, %4)")
            .arg(c.red())
            .arg(c.green())
            .arg(c.blue())
            .arg(c.alpha());
    };
    bar->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { background: transparent; width: 10px; "
                       "margin: 4px 2px 4px 2px; }"
                       "QScrollBar::handle:vertical { background: %1; border-radius: 3px; "
                       "min-height: 32px; }"
                       "QScrollBar::handle:vertical:hover { background: %2; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical "
                       "{ height: 0px; border: none; background: none; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical "
                       "{ background: none; }")
            .arg(rgba(handle), rgba(hover)));
}
} // namespace

QScrollArea* transparent(const QString& objectName, QWidget* parent)
{
    auto* scroll = new QScrollArea(parent);
    scroll->setObjectName(objectName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setAutoFillBackground(false);
    scroll->viewport()->setAutoFillBackground(false);
    useSlimScrollBar(scroll);
    return scroll;
}

void useSlimScrollBar(QAbstractScrollArea* area)
{
    QScrollBar* bar = area->verticalScrollBar();
    bar->setProperty(slimProperty, true);
    styleSlimScrollBar(bar, area->palette());
}

void refreshScrollBars(QWidget* root)
{
    const QList<QScrollBar*> bars = root->findChildren<QScrollBar*>();
    for (QScrollBar* bar : bars) {
        if (bar->property(slimProperty).toBool())
            styleSlimScrollBar(bar, root->palette());
    }
}

} // namespace ScrollAreas
