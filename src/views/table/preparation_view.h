#pragma once

#include "store/phase.h"

#include <QWidget>

class ClampedLabel;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QVariantAnimation;
class ActionButton;
class AppStore;
class DeckFan;
class TableSurfaceWidget;

// The screen before any card lies on the table: the cloth with the deck that follows the
// phase, and the form where the question, topic and spread are chosen and the shuffle is
// started. After the shuffle it offers the three places to cut the deck.
class PreparationView : public QWidget {
    Q_OBJECT
public:
    explicit PreparationView(AppStore* store, QWidget* parent = nullptr);

    bool pulse() const { return m_pulse; }
    DeckFan* fan() const { return m_fan; }
    QVariantAnimation* shuffleAnimation() const { return m_shuffle; }
    // Ends the shuffle animation at once.
    void completeAnimations();

    // Button text of a cut value: 6 and 11 have their own names, any other is the last third.
    static QString cutTitle(int cut);

protected:
    void changeEvent(QEvent* event) override;

private:
    void syncPhase();
    void selectQuietly(QComboBox* picker, int index);
    void syncPreferences();
    void syncTopic();
    void syncSpread();
    void syncQuestion();
    void updateQuestionHeight();
    void applyShuffleProgress(qreal value);

    AppStore* m_store;
    bool m_pulse = false;
    qreal m_pulseFrom = 0.0;
    Ritual::Phase m_shownPhase = Ritual::Phase::prepare;
    bool m_syncing = false;

    TableSurfaceWidget* m_table;
    DeckFan* m_fan;
    QLabel* m_phaseTitle;
    QWidget* m_cutRow;
    QLabel* m_cutCaption;
    ClampedLabel* m_deckLines;

    QScrollArea* m_formScroll;
    QWidget* m_form;
    QLabel* m_greeting;
    QComboBox* m_topicPicker;
    QPlainTextEdit* m_question;
    QWidget* m_questionBox;
    QComboBox* m_spreadPicker;
    QLabel* m_subtitle;
    ClampedLabel* m_method;
    ActionButton* m_shuffleButton;
    ActionButton* m_ownDeckButton;
    QVariantAnimation* m_shuffle;
};
