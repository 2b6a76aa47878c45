#pragma once

class QWidget;

// Focus rings show only while the user moves around with the keyboard, as desktop toolkits
// do: a key press turns them on and a mouse press turns them off, wherever the focus then
// goes (hiding the cut buttons passes the focus on as if Tab had been pressed).
namespace FocusRing {

// Whether `widget` should draw its focus ring now: it has the focus and the last input was
// the keyboard's.
bool visible(const QWidget* widget);

} // namespace FocusRing
