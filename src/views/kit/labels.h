#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QVBoxLayout;
class QWidget;

// Labels for texts of the user, the deck and the screens. The text is always plain: nothing
// in it is ever interpreted as markup.
namespace Labels {

// A word-wrapped plain-text label in `font`, optionally in the secondary shade and
// selectable by mouse and keyboard.
QLabel* plain(const QString& text, const QFont& font, bool secondary = false,
              bool selectable = false, QWidget* parent = nullptr);
// The titles of a screen's header: the eyebrow in small capitals over the serif title.
QVBoxLayout* headerTitles(const QString& eyebrow, const QString& title, QWidget* parent);

// Makes a label's text selectable by mouse and keyboard; returns the label.
QLabel* selectable(QLabel* label);

} // namespace Labels
