#pragma once

#include "views/table/table_panel.h"

#include <QUuid>

class AppStore;
class ClampedLabel;
class FollowUpSection;
class PanelCardFace;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QVBoxLayout;
class SectionTitle;
class SpacedText;
class ActionButton;

// The reading panel beside the board: the selected face-up card in its position, the
// synthesis with the notebook once every card is face up, or before that the ritual with
// the spread's positions. It keeps no state of its own.
class InterpretationView : public TablePanel {
    Q_OBJECT
public:
    enum class Block { none, card, synthesis, ritual };

    explicit InterpretationView(AppStore* store, QWidget* parent = nullptr);

    Block block() const { return m_block; }
    // The card shown by the card block, when it is shown.
    int cardIndex() const { return m_cardIndex; }
    QPlainTextEdit* notebook() const { return m_notes; }
    FollowUpSection* followUps() const { return m_followUps; }

private:
    void refresh();
    void showCard(int index);
    void showSynthesis();
    void showRitual();
    void switchTo(Block block, int cardIndex = -1);
    void rebuildRitualRows();

    AppStore* m_store;
    Block m_block = Block::none;
    int m_cardIndex = -1;
    bool m_syncingNotes = false;

    QScrollArea* m_scroll;

    QWidget* m_cardBlock;
    SectionTitle* m_cardTitle;
    QLabel* m_cardName;
    QLabel* m_cardNumeral;
    QLabel* m_cardOrientation;
    PanelCardFace* m_cardFace;
    QLabel* m_cardKeywords;
    QLabel* m_positionMeaning;
    SpacedText* m_interpretation;
    QLabel* m_reflection;
    ActionButton* m_readAll;

    QWidget* m_synthesisBlock;
    QLabel* m_topic;
    SpacedText* m_synthesis;
    QPlainTextEdit* m_notes;
    ActionButton* m_save;
    FollowUpSection* m_followUps;

    QWidget* m_ritualBlock;
    QVBoxLayout* m_ritualRows;
    int m_ritualSpread = -1;
    QUuid m_preparedReading;
};
