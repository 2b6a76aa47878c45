#pragma once

#include <QWidget>

class QHBoxLayout;
class QVBoxLayout;
class QWidget;

// Rows and columns of the screens: `spacing` points between their items and no margins of
// their own unless given (the page around them usually has those).
namespace Layouts {
QHBoxLayout* row(QWidget* parent = nullptr, int spacing = 0, const QMargins& margins = {});
QVBoxLayout* column(QWidget* parent = nullptr, int spacing = 0, const QMargins& margins = {});

// Assigns a property that changes the widget's size: its layout asks again and it repaints.
template <class T> void assignSized(QWidget* widget, T& property, const T& value)
{
    property = value;
    widget->updateGeometry();
    widget->update();
}
} // namespace Layouts
