#pragma once

#include "store/app_store.h"

#include <QPointF>
#include <QWidget>

class ClampedLabel;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QVariantAnimation;
class ActionButton;
class TableSurfaceWidget;

// The stack of five card backs on the preparation table. At rest they lie as a tidy fan;
// while shuffling they spread out, mirrored by each flip of the screen's pulse.
class DeckFan : public QWidget {
    Q_OBJECT
public:
    struct Pose {
        qreal rotation = 0.0; // degrees about the card's centre
        QPointF offset;       // points from the centre of the box
    };
    static constexpr int cardCount = 5;
    static constexpr qreal cardWidth = 126.0;
    static constexpr int boxHeight = 258;

    explicit DeckFan(QWidget* parent = nullptr);

    // The pose of card `index` (0 at the bottom) in a phase; `pulse` goes from 0 (false) to
    // 1 (true) and may lie in between while the shuffle animates.
    static Pose pose(int index, AppStore::Phase phase, qreal pulse);
    void setState(AppStore::Phase phase, qreal pulse);
    Pose cardPose(int index) const { return pose(index, m_phase, m_pulse); }
    qreal pulseValue() const { return m_pulse; }

    QSize sizeHint() const override { return {300, boxHeight}; }
    QSize minimumSizeHint() const override { return {260, boxHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppStore::Phase m_phase = AppStore::Phase::prepare;
    qreal m_pulse = 0.0;
};

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
    void syncPreferences();
    void syncTopic();
    void syncSpread();
    void syncQuestion();
    void updateQuestionHeight();
    void applyShuffleProgress(qreal value);

    AppStore* m_store;
    bool m_pulse = false;
    qreal m_pulseFrom = 0.0;
    AppStore::Phase m_shownPhase = AppStore::Phase::prepare;
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
    QVariantAnimation* m_shuffle;
};
