#include "views/table/arcana_picker.h"

#include "model/catalog.h"
#include "views/cards/card_face.h"
#include "views/kit/scroll_areas.h"
#include "views/kit/table_palette.h"
#include "views/kit/typography.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace {

constexpr qreal cellPadding = 4.0;

const Arcana& cardAt(int row)
{
    return Catalog::cards().at(row);
}

// Lower case without accents, for matching what is typed.
QString plain(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString result;
    result.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            result.append(c.toLower());
    }
    return result;
}

// The value of a Roman numeral in either the deck's additive form (IIII) or the modern
// subtractive one (IV), or none for text that is not one.
std::optional<int> romanValue(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    int total = 0;
    int previous = 0;
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text.at(i).toUpper();
        const int value = c == u'I' ? 1 : c == u'V' ? 5 : c == u'X' ? 10 : 0;
        if (value == 0)
            return std::nullopt;
        total += value < previous ? -value : value;
        previous = std::max(previous, value);
    }
    return total;
}

QString positionName(const OwnDraft& draft, int position)
{
    const QList<Position> places = positions(draft.spread);
    const QString title =
        position >= 0 && position < places.size() ? places.at(position).title : QString();
    return QStringLiteral("la posición ") + QString::number(position + 1) + QStringLiteral(", ") +
           title;
}

} // namespace

ArcanaPickerModel::ArcanaPickerModel(QObject* parent) : QAbstractListModel(parent) {}

int ArcanaPickerModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Catalog::cards().size());
}

QVariant ArcanaPickerModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Arcana& card = cardAt(index.row());
    const std::optional<int> placedAt = m_draft.positionOf(card.id);
    switch (role) {
    case Qt::DisplayRole:
        return card.name;
    case Qt::ToolTipRole:
        return QString(Catalog::numeral(card.id) + QStringLiteral(" · ") + card.name);
    case Qt::AccessibleTextRole:
        return QString(card.name + QStringLiteral(", ") + Catalog::numeral(card.id));
    case Qt::AccessibleDescriptionRole:
        if (placedAt && *placedAt == m_chosen)
            return QStringLiteral("Está en esta posición");
        if (placedAt)
            return QString(QStringLiteral("Ya está en ") + positionName(m_draft, *placedAt));
        return QString(QStringLiteral("Colocar en ") + positionName(m_draft, m_chosen));
    case ArcanaIdRole:
        return card.id;
    case PlacedAtRole:
        return placedAt.value_or(-1);
    case HereRole:
        return placedAt && *placedAt == m_chosen;
    default:
        return {};
    }
}

void ArcanaPickerModel::setLayout(const OwnDraft& draft, int chosen)
{
    if (draft == m_draft && chosen == m_chosen)
        return;
    m_draft = draft;
    m_chosen = chosen;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0), index(rowCount() - 1));
}

int ArcanaPickerModel::rowOf(qint64 arcanaID) const
{
    const QList<Arcana>& cards = Catalog::cards();
    for (qsizetype row = 0; row < cards.size(); ++row) {
        if (cards.at(row).id == arcanaID)
            return int(row);
    }
    return -1;
}

std::optional<int> ArcanaPickerModel::match(const QString& typed)
{
    const QList<Arcana>& cards = Catalog::cards();
    const QString wanted = plain(typed);
    if (wanted.trimmed().isEmpty())
        return std::nullopt;
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber);
    const std::optional<int> roman = romanValue(wanted);
    for (qsizetype row = 0; row < cards.size(); ++row) {
        const qint64 id = cards.at(row).id;
        if ((isNumber && number == id) || (roman && *roman == id))
            return int(row);
    }
    for (qsizetype row = 0; row < cards.size(); ++row) {
        if (plain(cards.at(row).name).startsWith(wanted))
            return int(row);
    }
    // Then the words that carry a name ("Luna", "Fortuna"), not its articles and linking
    // words ("la", "de", "sin"), which are written in lower case.
    for (qsizetype row = 0; row < cards.size(); ++row) {
        const QStringList words = cards.at(row).name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString& word : words) {
            if (word.at(0).isUpper() && plain(word).startsWith(wanted))
                return int(row);
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------

void ArcanaPickerDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    const Arcana* card = Catalog::card(index.data(ArcanaPickerModel::ArcanaIdRole).toLongLong());
    if (!card)
        return;
    const QRectF cell =
        QRectF(option.rect).adjusted(cellPadding, cellPadding, -cellPadding, -cellPadding);
    const QRectF face = CardGeometry::fitted(cell);
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const bool elsewhere = index.data(ArcanaPickerModel::PlacedAtRole).toInt() >= 0 &&
                           !index.data(ArcanaPickerModel::HereRole).toBool();
    const bool hovered = option.state & QStyle::State_MouseOver;
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const bool current = view && view->currentIndex() == index && view->hasFocus();

    painter->save();
    painter->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // Cards already on the table stay visible but step back.
    painter->setOpacity(elsewhere ? 0.28 : 1.0);
    const QPointF at(std::round(face.left() * dpr) / dpr, std::round(face.top() * dpr) / dpr);
    painter->drawPixmap(at, CardFace::pixmap(*card, false, face.size(), dpr));
    painter->setOpacity(1.0);
    painter->setBrush(Qt::NoBrush);
    const QRectF outline(at, face.size());
    if (index.data(ArcanaPickerModel::HereRole).toBool()) {
        painter->setPen(QPen(TablePalette::gold(), 2.5));
        painter->drawRoundedRect(outline.adjusted(-1, -1, 1, 1), CardFace::cornerRadius + 1,
                                 CardFace::cornerRadius + 1);
    }
    if (current || (hovered && !elsewhere)) {
        painter->setPen(
            QPen(Typography::withAlpha(Typography::accent(), current ? 0.95 : 0.5), 2.0));
        painter->drawRoundedRect(outline.adjusted(-3, -3, 3, 3), CardFace::cornerRadius + 3,
                                 CardFace::cornerRadius + 3);
    }
    painter->restore();
}

QSize ArcanaPickerDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const auto* view = qobject_cast<const QListView*>(option.widget);
    return view && view->gridSize().isValid() ? view->gridSize() : QSize(52, 96);
}

// ---------------------------------------------------------------------------------------

ArcanaPicker::ArcanaPicker(QWidget* parent)
    : QListView(parent), m_model(new ArcanaPickerModel(this))
{
    setModel(m_model);
    setItemDelegate(new ArcanaPickerDelegate(this));
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setMovement(QListView::Static);
    ScrollAreas::quietList(this);
    setUniformItemSizes(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(QStringLiteral("Cartas de tu baraja"));
    setAccessibleDescription(
        QStringLiteral("Flechas para moverte, Intro para colocar la carta; escribe su nombre o "
                       "su número romano para ir a ella."));
    connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
        Q_EMIT arcanaChosen(index.data(ArcanaPickerModel::ArcanaIdRole).toLongLong());
    });
    setCurrentIndex(m_model->index(0));
}

qint64 ArcanaPicker::currentArcana() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.data(ArcanaPickerModel::ArcanaIdRole).toLongLong() : -1;
}

void ArcanaPicker::setCurrentArcana(qint64 arcanaID)
{
    const int row = m_model->rowOf(arcanaID);
    if (row >= 0)
        setCurrentIndex(m_model->index(row));
}

QSize ArcanaPicker::cellSize(int width) const
{
    // The list wraps a row once a cell would reach the last pixel, hence the one spared.
    const int cell = std::max(24, (width - 1) / columns);
    return {cell,
            int(std::ceil(CardGeometry::heightForWidth(cell - 2 * cellPadding) + 2 * cellPadding))};
}

int ArcanaPicker::heightForWidth(int width) const
{
    const int rows = (m_model->rowCount() + columns - 1) / columns;
    return rows * cellSize(width).height() + 2;
}

QSize ArcanaPicker::sizeHint() const
{
    return {260, heightForWidth(260)};
}

void ArcanaPicker::resizeEvent(QResizeEvent* event)
{
    const QSize cell = cellSize(width());
    const bool regrid = gridSize() != cell;
    if (regrid)
        setGridSize(cell);
    const int height = heightForWidth(width());
    if (minimumHeight() != height)
        setFixedHeight(height);
    QListView::resizeEvent(event);
    // The list would wait a moment before laying the cards out again; the grid has to be
    // whole at once.
    if (regrid)
        doItemsLayout();
}

void ArcanaPicker::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        // What comes next is typed for the next card.
        m_typed.clear();
        if (currentIndex().isValid())
            Q_EMIT arcanaChosen(currentArcana());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void ArcanaPicker::keyboardSearch(const QString& search)
{
    // Keys typed in quick succession build one text, as in any list.
    if (!m_typedClock.isValid() || m_typedClock.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_typedClock.start();
    m_typed += search;
    if (const std::optional<int> row = ArcanaPickerModel::match(m_typed))
        setCurrentIndex(m_model->index(*row));
}

void ArcanaPicker::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    viewport()->update();
    Q_EMIT currentArcanaChanged(currentArcana());
}
