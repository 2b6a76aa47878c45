#pragma once

#include "store/phase.h"

#include <QPointF>
#include <QWidget>

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
    static Pose pose(int index, Ritual::Phase phase, qreal pulse);
    void setState(Ritual::Phase phase, qreal pulse);
    Pose cardPose(int index) const { return pose(index, m_phase, m_pulse); }
    qreal pulseValue() const { return m_pulse; }

    QSize sizeHint() const override { return {300, boxHeight}; }
    QSize minimumSizeHint() const override { return {260, boxHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Ritual::Phase m_phase = Ritual::Phase::prepare;
    qreal m_pulse = 0.0;
};
