#pragma once

#include "model/reading.h"
#include "views/cards/card_geometry.h"

#include <QCache>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QStyledItemDelegate>

// Paints one saved reading as a card of the history: thumbnails, question, spread and topic,
// date, notes, "Volver a esta tirada", and the favourite and delete buttons, and turns clicks
// and keys on those buttons into requests. Row heights and thumbnail strips are cached.
class HistoryDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum class Action { none, restore, favorite, remove };

    // One thumbnail in the 130 × 90 box of a row: which card, how it is turned, where.
    struct Thumbnail {
        qint64 arcanaID = 0;
        bool reversed = false;
        qreal angle = 0.0;
        QRectF rect;
    };
    static QList<Thumbnail> thumbnails(const Reading& reading);
    // Lines (at most two) a row reserves for `text` in `font` at `width`.
    static int reservedLines(const QString& text, const QFont& font, qreal width);

    // Sizes of a row, in points.
    static constexpr int rowGap = 14;        // between two rows
    static constexpr int rowMargin = 20;     // inside a row
    static constexpr int rowSpacing = 20;    // between thumbnails, details and actions
    static constexpr int thumbnailBox = 130; // width of the thumbnails' box
    static constexpr int thumbnailWidth = 48;
    static constexpr qreal thumbnailHeight =
        CardGeometry::heightForWidth(thumbnailWidth); // one thumbnail
    static constexpr int thumbnailOverlap = 13;
    static constexpr int detailSpacing = 7;
    static constexpr int actionSpacing = 15;
    static constexpr int actionSize = 22;
    static constexpr int cornerRadius = 14;

    explicit HistoryDelegate(QAbstractItemView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The button of the row at `point` (both in viewport coordinates).
    Action actionAt(const QRect& itemRect, const QModelIndex& index, const QPoint& point) const;
    QRect actionRect(const QRect& itemRect, const QModelIndex& index, Action action) const;

    // What a row's button is called (its help text, and what a screen reader says).
    static QString actionName(Action action);
    // Presses a row's button.
    void act(Action action, const QModelIndex& index);

    // The button the keyboard acts on in the current row.
    Action focusedAction() const { return m_focused; }
    void setFocusedAction(Action action);
    void setHover(const QPersistentModelIndex& index, Action action);

    bool isPressing() const { return m_pressed != Action::none; }

    int cachedStrips() const { return m_strips.count(); }
    int cachedMeasures() const { return int(m_measures.size()); }
    // Forget the cached text measures (the fonts changed).
    void clearMeasures();

    // What sizing a text with a two-line limit needs, whatever the width.
    struct TextMeasure {
        bool present = false;
        qreal firstWidth = 0; // natural width of the first paragraph
        bool moreParagraphs = false;
    };

Q_SIGNALS:
    void restoreRequested(const QModelIndex& index);
    void favoriteRequested(const QModelIndex& index);
    void deleteRequested(const QModelIndex& index);

private:
    struct Heights {
        qreal question = 0;
        qreal notes = 0;
    };
    struct Geometry {
        QRectF card;
        QRectF thumbnails;
        QRectF question;
        QRectF detail;
        QRectF date;
        QRectF notes;
        QRectF button;
        QRectF favorite;
        QRectF remove;
    };

    Heights heights(const QModelIndex& index, qreal detailWidth) const;
    Geometry geometry(const QRect& itemRect, const QModelIndex& index) const;
    qreal detailWidth(int itemWidth) const;
    QPixmap strip(const Reading& reading, qreal devicePixelRatio) const;
    QPixmap symbolPixmap(const QString& symbol, const QColor& color, qreal devicePixelRatio) const;

    QAbstractItemView* m_view;
    struct RowMeasure {
        TextMeasure question;
        TextMeasure notes;
    };
    // Measured once per row revision: resizing only redoes the cheap arithmetic.
    mutable QHash<quint64, RowMeasure> m_measures;
    mutable QCache<QString, QPixmap> m_strips;
    mutable QHash<QString, QPixmap> m_symbols;
    QPersistentModelIndex m_pressedIndex;
    Action m_pressed = Action::none;
    QPersistentModelIndex m_hoverIndex;
    Action m_hover = Action::none;
    Action m_focused = Action::restore;

    // Fonts and measures of every row, taken once.
    QFont m_headline;
    QFont m_caption;
    QFont m_button;
    QFontMetricsF m_headlineMetrics;
    QFontMetricsF m_captionMetrics;
    qreal m_headlinePitch;
    qreal m_captionPitch;
    qreal m_buttonWidth;
};
