#pragma once

#include "model/reading.h"

#include <QAbstractButton>
#include <QEasingCurve>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <optional>

class AppStore;
class QVariantAnimation;

// The caption of one card: its position's number and title in gold and, once the card is
// face up, its name. It never takes clicks, so they reach whatever lies beneath.
class BoardCaption : public QWidget {
    Q_OBJECT
public:
    explicit BoardCaption(QWidget* parent = nullptr);

    void setContent(const QString& title, const QString& name, int titleSize, bool side);
    const QString& title() const { return m_title; }
    const QString& name() const { return m_name; }
    bool isSide() const { return m_side; }
    void setOpacity(qreal opacity);
    // Height of the lines at `width` (the box may be smaller; the lines run past it).
    qreal contentHeight(qreal width) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    QString m_name;
    int m_titleSize = 11;
    bool m_side = false;
    qreal m_opacity = 1.0;
    QPixmap m_cache;
    QString m_cacheKey;
};

// One card slot of the board: a button that paints the card (back or face), its selection
// outline and shadow. It is disabled above the reading's revealed count, so only the face-up
// cards and the next card to turn can be pressed; Space and Return press it too.
class BoardElement : public QAbstractButton {
    Q_OBJECT
public:
    BoardElement(AppStore* store, Spread spread, int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    BoardCaption* caption() const { return m_caption; }
    void setCaption(BoardCaption* caption);

    // Takes the card, the revealed count and the selection; a card turned now fades in when
    // `animateTurn` is set.
    void setState(const Reading& reading, std::optional<int> selectedIndex, bool animateTurn);
    // Lays the card and its caption out for a board of `boardSize` with cards `cardWidth` wide.
    void setLayout(const QSizeF& boardSize, double cardWidth);
    // Dealing progress: 0 is not yet placed (transparent, 24 points above its place), 1 is
    // placed and opaque.
    void setPlacement(qreal placement);
    qreal placement() const { return m_placement; }

    bool isRevealed() const { return m_revealed; }
    bool isSelected() const { return m_selected; }
    bool isCrossing() const;
    bool hasCaption() const { return m_caption != nullptr; }
    // 90 degrees for the crossing card, 0 otherwise.
    qreal rotation() const { return isCrossing() ? 90.0 : 0.0; }
    // Where the card is drawn on the board now, before rotation (a card of the usual proportion).
    QRectF cardRect() const;
    // The card as it lies on the board, rotation included.
    QRectF visualRect() const;
    qreal faceOpacity() const { return m_faceOpacity; }

    QString accessibilityTitle() const;
    QString accessibilityHint() const;

    void completeAnimations();
    // Renders the card's face at its size ahead of time (pictures are read from disk).
    void prepareFace(qreal dpr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void relayout();
    void updateAccessibility();
    QPixmap facePixmap(qreal dpr);
    QPixmap turned(const QPixmap& pixmap) const;

    AppStore* m_store;
    Spread m_spread;
    int m_index;
    QPointer<BoardCaption> m_caption;
    DrawnCard m_card;
    Position m_position;
    bool m_hasCard = false;
    bool m_revealed = false;
    bool m_selected = false;
    bool m_next = false;
    QSizeF m_boardSize;
    double m_cardWidth = 0.0;
    qreal m_placement = 0.0;
    qreal m_faceOpacity = 0.0;
    QVariantAnimation* m_faceFade = nullptr;
    QPointF m_centerInWidget;
    bool m_keyboardFocus = false;
    QPixmap m_face;
    QString m_faceKey;
};

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
    QPixmap m_background;
    QString m_backgroundKey;
};
