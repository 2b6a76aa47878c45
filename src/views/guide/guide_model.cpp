#include "views/guide/guide_model.h"

#include "model/catalog.h"
#include "views/kit/text_search.h"

GuideModel::GuideModel(const QList<Arcana>& deck, QObject* parent)
    : QAbstractListModel(parent), m_deck(deck)
{
    m_search.reserve(m_deck.size());
    for (const Arcana& card : std::as_const(m_deck))
        m_search.append(TextSearch::fold(card.name + QLatin1Char(' ') + card.keywords));
}

int GuideModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_deck.size());
}

QVariant GuideModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Arcana& card = m_deck.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return card.name;
    case Qt::AccessibleTextRole:
        return QString(card.name + QStringLiteral(", ") + Catalog::numeral(card.id));
    case ArcanaRole:
        return QVariant::fromValue(card);
    case IdRole:
        return card.id;
    case NumeralRole:
        return Catalog::numeral(card.id);
    case SearchTextRole:
        return m_search.at(index.row());
    case SelectedRole:
        return m_selected && *m_selected == card.id;
    default:
        return {};
    }
}

int GuideModel::rowOf(qint64 id) const
{
    for (qsizetype i = 0; i < m_deck.size(); ++i) {
        if (m_deck.at(i).id == id)
            return int(i);
    }
    return -1;
}

const Arcana* GuideModel::card(qint64 id) const
{
    const int row = rowOf(id);
    return row < 0 ? nullptr : &m_deck.at(row);
}

void GuideModel::setSelected(std::optional<qint64> id)
{
    if (id == m_selected)
        return;
    const int before = m_selected ? rowOf(*m_selected) : -1;
    m_selected = id;
    const int after = m_selected ? rowOf(*m_selected) : -1;
    for (int row : {before, after}) {
        if (row >= 0)
            Q_EMIT dataChanged(index(row), index(row), {SelectedRole});
    }
    Q_EMIT selectedChanged();
}
