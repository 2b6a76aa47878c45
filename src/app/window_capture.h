#pragma once

#include <QImage>
#include <QString>

class QWidget;

// Photographs a window's content area (no title bar, menu bar or toolbar).
namespace WindowCapture {

// The content rendered at the screen's device pixel ratio; a null image when there is
// nothing to render (the widget is missing, hidden or empty).
QImage render(QWidget* content);
// Encodes `image` as PNG and writes it to `path` with a plain, non-atomic write that
// replaces an existing file. Returns whether it was written; callers ignore failures.
bool writePng(const QImage& image, const QString& path);

} // namespace WindowCapture
