#pragma once

#include <QColor>
#include <QString>

// The colours of the table: the cloth's gradient for a theme, the gold of ornaments and the
// card back's fill.
struct TablePalette {
    QColor top;
    QColor bottom;

    // "Medianoche" gives the midnight cloth; any other name the emerald one.
    static TablePalette palette(const QString& theme);
    static QColor gold();
    static QColor cardBack();
};
