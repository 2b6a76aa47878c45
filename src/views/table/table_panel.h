#pragma once

#include <QWidget>

class QPlainTextEdit;

// The panel beside the board: a translucent rounded sheet over the window colour, on light
// and dark palettes alike. The interpretation and the card picker stand on it. It renews
// the shades of its texts and scroll bars when the palette changes.
class TablePanel : public QWidget {
    Q_OBJECT
public:
    explicit TablePanel(QWidget* parent = nullptr) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
};

// The rounded, faint background of a text editor on the panel (the notebook, a follow-up
// entry), with 5 points of room inside.
class NotesBox : public QWidget {
    Q_OBJECT
public:
    NotesBox(QWidget* editor, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A plain-text editor in callout type inside a NotesBox `height` points high: Tab moves on,
// nothing scrolls sideways. Returns the editor; the box, its parent, goes into `box`.
QPlainTextEdit* panelEditor(QWidget* parent, int height, QWidget** box);
