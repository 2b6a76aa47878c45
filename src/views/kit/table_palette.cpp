#include "views/kit/table_palette.h"

TablePalette TablePalette::palette(const QString& theme)
{
    if (theme == QStringLiteral("Medianoche"))
        return {QColor::fromRgbF(0.13f, 0.15f, 0.29f), QColor::fromRgbF(0.04f, 0.06f, 0.13f)};
    return {QColor::fromRgbF(0.06f, 0.29f, 0.25f), QColor::fromRgbF(0.025f, 0.10f, 0.09f)};
}

QColor TablePalette::gold()
{
    return QColor::fromRgbF(0.84f, 0.72f, 0.43f);
}

QColor TablePalette::cardBack()
{
    return QColor::fromRgbF(0.12f, 0.17f, 0.25f);
}
