#pragma once

#include "model/reading.h"
#include "model/spread.h"
#include "views/table/board_caption.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>
#include <optional>

class AppStore;
class QVariantAnimation;

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
    // A position of a spread being laid out by hand: empty, or holding `card` face up, and
    // outlined when it is the `chosen` one. Pressing it then only emits clicked().
    void setLaidOut(const std::optional<DrawnCard>& card, bool chosen);
    bool isEmptyPlace() const { return m_layingOut && !m_hasCard; }
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
    // The same once the card is placed.
    QRectF restRect() const;
    // The caption's box for the placed card (the board fits all captions together); empty
    // for none. A caption that leaves text out lends it to the card's tooltip.
    void setCaptionBox(const QRectF& box);
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

private:
    void relayout();
    void updateCaption();
    void updateAccessibility();
    void paintEmptyPlace(QPainter& painter, const QRectF& visual) const;
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
    bool m_layingOut = false;
    QSizeF m_boardSize;
    double m_cardWidth = 0.0;
    qreal m_placement = 0.0;
    qreal m_faceOpacity = 0.0;
    QVariantAnimation* m_faceFade = nullptr;
    QPointF m_centerInWidget;
    QRectF m_captionBox;
    QPixmap m_face;
    QString m_faceKey;
};
