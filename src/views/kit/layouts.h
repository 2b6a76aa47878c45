#pragma once

#include <QWidget>

class QHBoxLayout;
class QVBoxLayout;
class QWidget;

// Rows and columns of the screens: no margins of their own (the page around them has those),
// `spacing` points between their items.
namespace Layouts {
QHBoxLayout* row(QWidget* parent = nullptr, int spacing = 0);
QVBoxLayout* column(QWidget* parent = nullptr, int spacing = 0);

// Assigns a property that changes the widget's size: its layout asks again and it repaints.
template <class T> void assignSized(QWidget* widget, T& property, const T& value)
{
    property = value;
    widget->updateGeometry();
    widget->update();
}
} // namespace Layouts
