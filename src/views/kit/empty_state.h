#pragma once

#include <QWidget>

class ActionButton;
class QLabel;

// The empty state of a screen, centred in its room: a picture (the mascot, a symbol), a
// title, a line in the secondary shade and a prominent button.
class EmptyState : public QWidget {
    Q_OBJECT
public:
    // Takes `picture` as its child.
    explicit EmptyState(QWidget* picture, QWidget* parent = nullptr);
    QLabel* title() const { return m_title; }
    QLabel* text() const { return m_text; }
    ActionButton* button() const { return m_button; }

private:
    QLabel* m_title;
    QLabel* m_text;
    ActionButton* m_button;
};
