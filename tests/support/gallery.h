#pragma once

#include <QString>

class QWidget;

// The screen gallery: pictures of real screens in named states, written as PNG files into
// <build>/tests/gallery/ so a person can look at every screen after a test run.
namespace Gallery {

// Folder that receives the pictures (created on demand).
QString folder();
// Renders `widget` (laid out at its current size) at the given device pixel ratio and
// writes <folder>/<name>.png. Returns the written path, or an empty string on failure.
QString save(QWidget* widget, const QString& name, qreal devicePixelRatio = 1.0);

} // namespace Gallery
