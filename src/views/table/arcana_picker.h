#pragma once

#include "model/own_draft.h"

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QListView>
#include <QStyledItemDelegate>
#include <optional>

// The 22 cards to choose from when laying out one's own reading, in the deck's order. Each
// row knows where its card already lies, so it can be shown dimmed and never placed twice.
class ArcanaPickerModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        ArcanaIdRole = Qt::UserRole + 1, // qint64
        PlacedAtRole,                    // the position that holds the card, or -1
        HereRole,                        // bool: the card lies at the chosen position
    };

    explicit ArcanaPickerModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The cards laid out so far and the position being filled.
    void setLayout(const OwnDraft& draft, int chosen);
    int rowOf(qint64 arcanaID) const;

    // The row that typed text leads to: a Roman numeral (the deck's own "IIII" or the
    // modern "IV"), a card number, the start of a name ("el lo") or of one of its main
    // words ("luna"); case and accents do not matter. None when nothing fits.
    static std::optional<int> match(const QString& typed);

private:
    OwnDraft m_draft;
    int m_chosen = 0;
};

// Paints a small upright face per row: dimmed when the card lies elsewhere, outlined in gold
// when it lies at the chosen position, ringed when the keyboard is on it.
class ArcanaPickerDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The grid of faces. Arrows move between cards, Return or a click chooses one, and typing
// a name or a numeral jumps to its card.
class ArcanaPicker : public QListView {
    Q_OBJECT
public:
    static constexpr int columns = 6;

    explicit ArcanaPicker(QWidget* parent = nullptr);

    ArcanaPickerModel* pickerModel() const { return m_model; }
    qint64 currentArcana() const;
    void setCurrentArcana(qint64 arcanaID);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

Q_SIGNALS:
    void arcanaChosen(qint64 arcanaID);
    void currentArcanaChanged(qint64 arcanaID);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    QSize cellSize(int width) const;

    ArcanaPickerModel* m_model;
    QString m_typed;
    QElapsedTimer m_typedClock;
};
