#include "views/kit/typography.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QWidget>

namespace Typography {

int pixelSize(Style style)
{
    // In the order of Style: largeTitle, title, title2, title3, headline, body, callout,
    // subheadline, footnote, caption, caption2.
    static constexpr int sizes[] = {26, 22, 17, 15, 13, 13, 12, 11, 10, 10, 9};
    return sizes[int(style)];
}

QFont font(Style style)
{
    return system(pixelSize(style), style == Style::headline ? QFont::DemiBold : QFont::Normal);
}

QFont system(int pixelSize, QFont::Weight weight, bool italic)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

QStringList serifFamilies()
{
    return {QStringLiteral("Noto Serif"), QStringLiteral("DejaVu Serif"),
            QStringLiteral("Liberation Serif"), QStringLiteral("Nimbus Roman"),
            QStringLiteral("Serif")};
}

QFont serif(int pixelSize, QFont::Weight weight, bool italic)
{
    QFont font = QGuiApplication::font();
    // Only installed families go into the list, so the first one is really used and the
    // fallback for missing glyphs stays the system's. Asking the font database is slow, and
    // the answer does not change while the program runs: it is asked once.
    static const QStringList families = [] {
        QStringList installed;
        for (const QString& family : serifFamilies()) {
            if (QFontDatabase::hasFamily(family))
                installed.append(family);
        }
        if (installed.isEmpty())
            installed.append(QStringLiteral("serif"));
        return installed;
    }();
    font.setFamilies(families);
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

QFont tracked(QFont font, qreal points)
{
    font.setLetterSpacing(QFont::AbsoluteSpacing, points);
    return font;
}

QColor withAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

QColor secondary(const QPalette& palette)
{
    return withAlpha(palette.color(QPalette::WindowText), 0.55);
}

QColor quaternary(const QPalette& palette)
{
    return withAlpha(palette.color(QPalette::WindowText), 0.10);
}

QColor accent()
{
    return QColor::fromRgbF(0.2f, 0.52f, 0.44f);
}

namespace {
const char* const secondaryProperty = "arcandelSecondaryShade";
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

void setSecondary(QWidget* widget)
{
    if (!widget)
        return;
    widget->setProperty(secondaryProperty, true);
    setTextColor(widget, secondary(widget->parentWidget() ? widget->parentWidget()->palette()
                                                          : QGuiApplication::palette()));
}

void refreshShades(QWidget* root)
{
    const QColor color = secondary(root->palette());
    const QList<QWidget*> children = root->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child->property(secondaryProperty).toBool() &&
            child->palette().color(QPalette::WindowText) != color)
            setTextColor(child, color);
    }
}

void setStyle(QWidget* widget, Style style)
{
    if (widget)
        widget->setFont(font(style));
}

} // namespace Typography
