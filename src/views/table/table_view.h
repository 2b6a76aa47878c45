#pragma once

#include <QPointer>
#include <QUuid>
#include <QWidget>

class AppStore;
class ClampedLabel;
class InterpretationView;
class OwnDeckView;
class PreparationView;
class QHBoxLayout;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class ReadingBoard;
class ActionButton;
class TagLabel;

// The "mesa" section: the preparation screen before a reading exists, then the question,
// the board, the buttons that turn, save and export, and the interpretation panel.
class TableView : public QWidget {
    Q_OBJECT
public:
    explicit TableView(AppStore* store, QWidget* parent = nullptr);

    ReadingBoard* board() const;
    PreparationView* preparation() const { return m_preparation; }
    InterpretationView* panel() const { return m_panel; }
    OwnDeckView* ownDeck() const { return m_ownDeck; }
    TagLabel* ownDeckTag() const { return m_ownDeckTag; }
    // Ends every running animation of the screen at once.
    void completeAnimations();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void sync();
    void updateHeights();
    void replaceBoard();
    void dropBoard();

    AppStore* m_store;
    QScrollArea* m_scroll;
    QLabel* m_heading;
    TagLabel* m_ownDeckTag;
    QLabel* m_progress;
    ActionButton* m_saveButton;
    QWidget* m_readingBody;
    ClampedLabel* m_question;
    QVBoxLayout* m_boardSlot;
    QPointer<ReadingBoard> m_board;
    QUuid m_boardReading;
    ActionButton* m_nextButton;
    ActionButton* m_allButton;
    ActionButton* m_synthesisButton;
    ActionButton* m_exportButton;
    QLabel* m_hint;
    InterpretationView* m_panel;
    PreparationView* m_preparation;
    OwnDeckView* m_ownDeck;
    bool m_layingOut = false;
};
