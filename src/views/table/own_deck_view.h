#pragma once

#include "model/own_draft.h"
#include "views/table/board_backdrop.h"
#include "views/table/board_caption.h"
#include "views/table/board_element.h"
#include "views/table/table_panel.h"

#include <QList>
#include <QWidget>

class AppStore;
class ArcanaPicker;
class ClampedLabel;
class QLabel;
class SectionTitle;
class ActionButton;
class ToggleSwitch;

// The cloth with the positions of a spread being laid out by hand: each empty place shows
// its number and title, each filled one its card, face up. Pressing a place chooses it;
// Delete or Backspace on a place takes its card away.
class OwnDeckBoard : public QWidget {
    Q_OBJECT
public:
    OwnDeckBoard(AppStore* store, Spread spread, QWidget* parent = nullptr);

    Spread spread() const { return m_spread; }
    int elementCount() const { return int(m_elements.size()); }
    BoardElement* element(int index) const;
    void setLayout(const OwnDraft& draft, int chosen);

    QSize sizeHint() const override { return {640, 420}; }
    QSize minimumSizeHint() const override { return {200, 200}; }

Q_SIGNALS:
    void placePressed(int position);
    void removeRequested(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppStore* m_store;
    Spread m_spread;
    QList<BoardElement*> m_elements;
    BoardBackdrop m_backdrop;
};

// The panel beside that cloth: the position being filled, the switch "Invertida" and the
// grid of the 22 faces, with the name of the card under the keyboard.
class OwnDeckPanel : public TablePanel {
    Q_OBJECT
public:
    explicit OwnDeckPanel(QWidget* parent = nullptr);

    ArcanaPicker* picker() const { return m_picker; }
    ToggleSwitch* reversedSwitch() const { return m_reversed; }
    ActionButton* removeButton() const { return m_remove; }
    // Shows position `chosen` of the layout, and what the card under the keyboard is.
    void show(const OwnDraft& draft, int chosen);
    void describeCurrent(const OwnDraft& draft, int chosen);

private:
    SectionTitle* m_title;
    QLabel* m_position;
    ClampedLabel* m_meaning;
    ToggleSwitch* m_reversed;
    ArcanaPicker* m_picker;
    QLabel* m_current;
    QLabel* m_status;
    ActionButton* m_remove;
};

// Laying out a reading made with one's own deck: the cloth with its places, "Leer mi
// tirada" once every place holds a card, "Cancelar", and the picker panel. It reads the
// store's layout and changes it only through the store.
class OwnDeckView : public QWidget {
    Q_OBJECT
public:
    explicit OwnDeckView(AppStore* store, QWidget* parent = nullptr);

    OwnDeckBoard* board() const { return m_board; }
    OwnDeckPanel* panel() const { return m_panel; }
    ActionButton* readButton() const { return m_read; }
    ActionButton* cancelButton() const { return m_cancel; }
    int chosenPosition() const { return m_chosen; }
    // Starts at the first place, with the keyboard in the grid.
    void start();
    void setHeights(int board, int panel);

private:
    void sync();
    void choose(int position);
    void place(qint64 arcanaID);
    void setReversed(bool reversed);

    AppStore* m_store;
    int m_chosen = 0;
    bool m_pendingReversed = false;
    bool m_syncing = false;
    int m_boardHeight = 420;
    OwnDeckBoard* m_board = nullptr;
    ClampedLabel* m_question;
    QWidget* m_boardHost;
    ActionButton* m_read;
    ActionButton* m_cancel;
    QLabel* m_hint;
    OwnDeckPanel* m_panel;
};
