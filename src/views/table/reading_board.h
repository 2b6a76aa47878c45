#pragma once

#include "model/reading.h"
#include "views/table/board_backdrop.h"

#include <QEasingCurve>
#include <QList>
#include <QWidget>

class AppStore;
class BoardCaption;
class BoardElement;
class QVariantAnimation;

class AppStore;
class QVariantAnimation;

// The board of one reading: the cloth with a faint star and one card slot per position,
// dealt onto the cloth one after another each time the board appears.
class ReadingBoard : public QWidget {
    Q_OBJECT
public:
    ReadingBoard(AppStore* store, const Reading& reading, QWidget* parent = nullptr);

    const Reading& reading() const { return m_reading; }
    // How many cards, in the order of the spread, have been dealt so far.
    int placed() const { return m_placed; }
    int elementCount() const { return int(m_elements.size()); }
    BoardElement* element(int index) const;
    double cardWidth() const;

    // The dealing clock: its current time is the milliseconds since the first card fell.
    QVariantAnimation* dealing() const { return m_dealing; }
    // When the card at `index` starts to fall, and how long dealing `count` cards lasts.
    static int dealStartMs(int index);
    static int dealDurationMs(int count);

    // Ends dealing and every fade at once.
    void completeAnimations();

    QSize sizeHint() const override { return {640, 420}; }
    QSize minimumSizeHint() const override { return {200, 200}; }

Q_SIGNALS:
    void placedChanged(int placed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void syncFromStore();
    void refreshElements(bool animateTurn);
    void layoutElements();
    void layoutCaptions();
    void startDealing();
    void applyDealTime(qreal ms);
    void setPlaced(int placed);
    QString theme() const;

    AppStore* m_store;
    Reading m_reading;
    int m_placed = 0;
    QList<BoardElement*> m_elements;
    QVariantAnimation* m_dealing;
    QEasingCurve m_dropCurve;
    BoardBackdrop m_backdrop;
};
