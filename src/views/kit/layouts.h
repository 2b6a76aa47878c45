#pragma once

class QHBoxLayout;
class QVBoxLayout;
class QWidget;

// Rows and columns of the screens: no margins of their own (the page around them has those),
// `spacing` points between their items.
namespace Layouts {
QHBoxLayout* row(QWidget* parent = nullptr, int spacing = 0);
QVBoxLayout* column(QWidget* parent = nullptr, int spacing = 0);
} // namespace Layouts
