#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QWidget;

// The text styles and shades of the interface, in one place. Sizes are logical pixels, so
// text keeps its size and stays sharp at any device pixel ratio.
namespace Typography {

enum class Style {
    largeTitle,  // 26
    title,       // 22
    title2,      // 17
    title3,      // 15
    headline,    // 13 semibold
    body,        // 13
    callout,     // 12
    subheadline, // 11
    footnote,    // 10
    caption,     // 10
    caption2,    // 9
};

// Pixel size of a style.
int pixelSize(Style style);
QFont font(Style style);
// The system sans family at `pixelSize`.
QFont system(int pixelSize, QFont::Weight weight = QFont::Normal, bool italic = false);
// The application's serif family at `pixelSize`.
QFont serif(int pixelSize, QFont::Weight weight = QFont::Normal, bool italic = false);
// The serif families tried in order; the first installed one is used.
QStringList serifFamilies();
// `font` with letters spaced `points` apart (the tracking of small capitals).
QFont tracked(QFont font, qreal points);

// `color` at the given opacity (0 to 1).
QColor withAlpha(QColor color, qreal alpha);
// Text at about 55 % and 10 % of the palette's text colour.
QColor secondary(const QPalette& palette);
QColor quaternary(const QPalette& palette);
// The accent colour, sRGB 0.2, 0.52, 0.44.
QColor accent();

// Gives a label (or any text widget) the secondary text colour of its surroundings (its
// parent's palette, or the application's); refreshShades(root) renews every such widget under
// `root` when the palette changes (light and dark desktops).
void setSecondary(QWidget* widget);
void refreshShades(QWidget* root);
// Sets the colour of a widget's text.
void setTextColor(QWidget* widget, const QColor& color);
// Gives a widget the font of a style.
void setStyle(QWidget* widget, Style style);

} // namespace Typography
